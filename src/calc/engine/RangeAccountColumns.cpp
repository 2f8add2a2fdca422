#include "calc/engine/RangeAccountColumns.h"

#include "foundation/AccInf.h"

bool ProfitOpeningRestarts(std::int32_t kind, std::int32_t first)
{
    if (kind == 2 || kind == 3 || kind == 4 || kind == 6)
        return true;
    if (kind == 7)
        return (AccInf.KAISINO == 1 && first > 1) || (AccInf.KAISINO != 1 && AccInf.KAISINO < first);
    return false;
}

void ComputeAccountRangeColumns(TBALANCE& row, std::int32_t noOpening, std::int32_t kind, std::int32_t first,
                                std::int32_t lastPeriod)
{
    const std::int32_t side = row.KMK.TAISHAKU;
    const bool profitAndLoss = row.KMK.BSPL == "P";
    // A profit-and-loss account of a range that does not start the year
    // starts from 0; its sub-accounts follow it, so that they still add up
    // to the account.
    const bool restart = profitAndLoss && ProfitOpeningRestarts(kind, first);
    auto opening = [&](Currency start, const TPeriodArray& debit, const TPeriodArray& credit) {
        if (noOpening == 1 || restart)
            return Currency{0};
        Currency value = start;
        for (int p = 1; p <= first - 1; ++p)
            value += SignedMovement(side, debit[p], credit[p]);
        return value;
    };
    auto closing = [&](Currency open, Currency debit, Currency credit) {
        return open + SignedMovement(side, debit, credit);
    };

    row.RangeOpening = opening(row.KAISIZAN, row.KAR, row.KAS);
    for (int p = first; p <= lastPeriod; ++p) {
        row.RangeDebit += row.KAR[p];
        row.RangeCredit += row.KAS[p];
    }
    if (kind == -1 || kind == 0 || kind == 1 || kind == 5 || !profitAndLoss) {
        row.RangeCompare = row.PeriodBalance[lastPeriod - 16];
    } else {
        for (int p = first; p <= lastPeriod; ++p)
            row.RangeCompare += row.PeriodChange[p - 16];
    }
    row.RangeClosing = closing(row.RangeOpening, row.RangeDebit, row.RangeCredit);

    for (THOJOUTIWAKE& sub : row.Hojo) {
        sub.RangeOpening = opening(sub.KAISIZAN, sub.KAR, sub.KAS);
        for (int p = first; p <= lastPeriod; ++p) {
            sub.RangeDebit += sub.KAR[p];
            sub.RangeCredit += sub.KAS[p];
        }
        sub.RangeClosing = closing(sub.RangeOpening, sub.RangeDebit, sub.RangeCredit);
        if (row.RangeClosing == 0) {
            sub.RangeRatio = 0;
        } else {
            // Tenths of a percent, rounded half away from zero.
            const double tenths = static_cast<double>(sub.RangeClosing) / static_cast<double>(row.RangeClosing) * 1000;
            sub.RangeRatio = ClampPercent(RatioToPercent(tenths / 1000));
        }
    }
}
