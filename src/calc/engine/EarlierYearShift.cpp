#include "calc/engine/EarlierYearShift.h"

#include "calc/FiscalDates.h"
#include "foundation/AccInf.h"

namespace {

// Empties the indexes of the year (its period p at offset + p) from its
// first missing period h on, and closes it on its settlement.
void ShiftYear(std::span<TBALANCE> rows, int last, int h, int offset)
{
    if (h <= 0 || h >= 16)
        return;
    for (int i = 0; i <= last; ++i) {
        TBALANCE& row = rows[static_cast<std::size_t>(i)];
        for (int p = h; p <= 15; ++p) {
            row.PeriodBalance[offset + p] = 0;
            row.PeriodChange[offset + p] = 0;
        }
        row.PeriodChange[offset + 16] = row.PeriodBalance[offset + 16] - row.PeriodBalance[offset + h - 1];
    }
}

}  // namespace

void ShiftShortEarlierYears(std::span<TBALANCE> rows, int last)
{
    const TDateTime previous = AccInf.zKISHU != 0 ? AccInf.zKISHU : IncMonthClamped(-12, AccInf.KISHU);
    const TDateTime beforePrevious = AccInf.zzKISHU != 0 ? AccInf.zzKISHU : IncMonthClamped(-12, previous);
    ShiftYear(rows, last, MonthsBetweenToPeriod(AccInf.SIME, beforePrevious, previous), -32);
    ShiftYear(rows, last, MonthsBetweenToPeriod(AccInf.SIME, previous, AccInf.KISHU), -16);
}
