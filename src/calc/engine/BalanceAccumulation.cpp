#include "calc/engine/BalanceAccumulation.h"

#include "calc/FiscalDates.h"
#include "calc/engine/AllocationPasses.h"
#include "calc/engine/BalancePair.h"
#include "calc/engine/TrialBalanceContext.h"
#include "foundation/AccInf.h"

#include <algorithm>
#include <functional>

namespace {

// The row and each of its first HOJCNT sub-accounts.
void ForRowAndSubAccounts(TBALANCE& row, const std::function<void(TBALANCE*, THOJOUTIWAKE*)>& step)
{
    step(&row, nullptr);
    const std::size_t count = std::min(static_cast<std::size_t>(std::max(row.HOJCNT, 0)), row.Hojo.size());
    for (std::size_t k = 0; k < count; ++k)
        step(nullptr, &row.Hojo[k]);
}

template <typename Row>
void ClearEarlierFigures(Row& row, int periodsBeforeStart)
{
    row.OpeningByYear[2] = 0;
    row.OpeningByYear[3] = 0;
    if (AccInf.KAISINO > 1) {
        row.OpeningByYear[0] = 0;
        row.OpeningByYear[1] = 0;
    }
    row.YOSAN.fill(0);
    for (TBudgetMonths& budget : row.Budgets)
        budget.fill(0);
    row.JISSEKI.fill(0);
    row.PeriodFlags.fill(0);
    for (int p = TPeriodArray::Low; p <= periodsBeforeStart - 1; ++p) {
        row.PeriodChange[p] = 0;
        row.PeriodBalance[p] = 0;
    }
}

}  // namespace

void AccumulateBalances(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                        TCalcSisanhyoSettingRec Setting)
{
    TTrialBalanceContext rows(Rows, RowsHigh, Order, OrderHigh);
    if (Setting.Layout == 0 && AccInf.KAISINO > 1)
        for (int i = 0; i <= RowsHigh; ++i)
            ForRowAndSubAccounts(rows.Row(i), [](TBALANCE* row, THOJOUTIWAKE* sub) {
                (row ? row->OpeningByYear : sub->OpeningByYear)[0] = 0;
            });
    BuildBalancePair(Rows, RowsHigh, Order, OrderHigh, Setting);
    if (Setting.HAIBUN != 1 || Setting.Scope != 6)
        return;
    const int n = std::max(1, MonthToPeriodNo(AccInf.KAISINO - 1));
    for (int i = 0; i <= RowsHigh; ++i)
        ForRowAndSubAccounts(rows.Row(i), [n](TBALANCE* row, THOJOUTIWAKE* sub) {
            if (row)
                ClearEarlierFigures(*row, n);
            else
                ClearEarlierFigures(*sub, n);
        });
    ForEachAllocationPair(Setting, [&](const TCalcSisanhyoSettingRec& pair) {
        BuildBalancePair(Rows, RowsHigh, Order, OrderHigh, pair);
    });
}
