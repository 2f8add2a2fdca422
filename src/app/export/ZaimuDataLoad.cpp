#include "app/export/ZaimuDataLoad.h"

#include "calc/engine/CalcFront.h"

namespace {

// The detail of the trial balance the export reads: every account with its
// sub-accounts, no previous-year tax switch.
constexpr std::int32_t ExportKeskubun = 2;
constexpr std::int32_t ExportZentax = 0;
// Range kind 0: the periods as passed.
constexpr std::int32_t ExplicitRange = 0;
constexpr std::int32_t AnnualSettlementCell = 15;

}  // namespace

void TZaimuDataLoad::LoadZandaka()
{
    Capacity = BalanceCapacity();
    Rows.assign(static_cast<std::size_t>(Capacity), TBALANCE{});
    Order.assign(static_cast<std::size_t>(Capacity), TQSORT{});
    const int high = Capacity - 1;

    if (!LoadTrialBalance(Rows, high, Order, high, SCODE, BCODE, TaxMode, Scope, Layout, ExportKeskubun, Haibun,
                          BusinessKind, ExportZentax))
        throw TZaimuLoadError("the trial balance could not be loaded");

    const std::int32_t first = StartCell + 1;
    std::int32_t last = EndCell + 1;
    if (LastCell != AnnualSettlementCell && EndCell == LastCell) {
        last = 16;
        EndCell = AnnualSettlementCell;
    }
    CalcBalancePeriods(Rows, high, NoOpening, ExplicitRange, first, last, BusinessKind);
}
