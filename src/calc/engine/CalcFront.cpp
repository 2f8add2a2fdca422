#include "calc/engine/CalcFront.h"

#include "calc/engine/MedicalBalanceLoad.h"
#include "calc/engine/BalanceLoad.h"
#include "calc/engine/MedicalRangeCalculation.h"
#include "calc/engine/MedicalTrialBalanceLoad.h"
#include "calc/engine/RangeCalculation.h"
#include "calc/engine/TrialBalanceLoad.h"
#include "foundation/AccInf.h"

#include <stdexcept>

namespace {

bool MedicalChart()
{
    return AccInf.MedicalChart == 1;
}

}  // namespace

std::int32_t BalanceCapacity()
{
    return MedicalChart() ? BalanceCapacityMedical : BalanceCapacityGeneral;
}

void InitBalanceRows(std::span<TBALANCE> rows, int last, std::span<TQSORT> order, int /*lastOrder*/)
{
    // The order array must hold an entry for every row cleared here.
    if (last >= 0 && (static_cast<std::size_t>(last) >= rows.size() || static_cast<std::size_t>(last) >= order.size()))
        throw std::out_of_range("balance rows or order entries shorter than " + std::to_string(last + 1));
    for (int i = 0; i <= last; ++i) {
        ClearBalanceRow(rows[static_cast<std::size_t>(i)]);
        order[static_cast<std::size_t>(i)] = TQSORT{LastOrderKey, i};
    }
}

bool LoadTrialBalance(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                      const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                      std::int32_t Layout, std::int32_t KESKUBUN, std::int32_t HAIBUN, std::int32_t businessKind,
                      std::int32_t ZENTAX)
{
    if (MedicalChart())
        return LoadTrialBalanceMedical(Rows, RowsHigh, Order, OrderHigh, SCODE, BCODE, TAX, Scope, Layout, KESKUBUN,
                                       HAIBUN, businessKind);
    return LoadTrialBalanceGeneral(Rows, RowsHigh, Order, OrderHigh, SCODE, BCODE, TAX, Scope, Layout, KESKUBUN, HAIBUN,
                                   ZENTAX);
}

bool LoadBalances(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                  const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                  std::int32_t Layout, std::int32_t HAIBUN, std::int32_t businessKind, std::int32_t trialBalanceMode,
                  std::int32_t KESKUBUN, std::int32_t carryOver)
{
    if (MedicalChart())
        return LoadBalancesMedical(Rows, RowsHigh, Order, OrderHigh, SCODE, BCODE, TAX, Scope, Layout, HAIBUN,
                                   businessKind, KESKUBUN, carryOver);
    return LoadBalancesGeneral(Rows, RowsHigh, Order, OrderHigh, SCODE, BCODE, TAX, Scope, Layout, HAIBUN,
                               trialBalanceMode);
}

void CalcBalancePeriods(std::span<TBALANCE> rows, int last, std::int32_t noOpening, std::int32_t kind,
                        std::int32_t firstPeriod, std::int32_t lastPeriod, std::int32_t businessKind)
{
    if (MedicalChart())
        return CalcBalancePeriodsMedical(rows, last, noOpening, kind, firstPeriod, lastPeriod, businessKind);
    CalcBalancePeriodsGeneral(rows, last, noOpening, kind, firstPeriod, lastPeriod);
}
