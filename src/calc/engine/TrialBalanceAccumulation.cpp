#include "calc/engine/TrialBalanceAccumulation.h"

#include "calc/engine/AllocationPasses.h"
#include "calc/engine/TrialBalancePair.h"

namespace {

template <typename Row>
void ClearFigures(Row& row)
{
    row.KAISIZAN = 0;
    row.OpeningByYear[0] = 0;
    row.OpeningByYear[1] = 0;
    row.KAR.Clear();
    row.KAS.Clear();
    for (int p = 0; p <= 16; ++p) {
        row.PeriodChange[p] = 0;
        row.PeriodBalance[p] = 0;
    }
}

}  // namespace

int AccumulateTrialBalance(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                           TCalcSisanhyoSettingRec Setting)
{
    const int last = BuildTrialBalancePair(Rows, RowsHigh, Order, OrderHigh, Setting, true);
    if (Setting.HAIBUN != 1 || Setting.Scope != 6)
        return last;
    for (int i = 0; i <= RowsHigh; ++i) {
        TBALANCE& row = Rows[static_cast<std::size_t>(i)];
        ClearFigures(row);
        for (THOJOUTIWAKE& sub : row.Hojo)
            ClearFigures(sub);
    }
    ForEachAllocationPair(Setting, [&](const TCalcSisanhyoSettingRec& pair) {
        BuildTrialBalancePair(Rows, RowsHigh, Order, OrderHigh, pair, false);
    });
    return last;
}

TCalcSisanhyoSettingRec FacilityDepartmentSetting(const TTrialBalanceContext& load)
{
    TCalcSisanhyoSettingRec setting;
    setting.SCODE.clear();
    setting.SingleSCODE = 0;
    setting.BCODE = load.BCODE;
    setting.SingleBCODE = 0;
    setting.Scope = load.Scope;
    setting.TAX = load.TAX;
    setting.HAIBUN = load.HAIBUN;
    setting.Layout = load.Layout;
    setting.KESKUBUN = load.KESKUBUN;
    setting.ZENTAX = load.ZENTAX;
    setting.MB_JIGYOU = 0;
    return setting;
}
