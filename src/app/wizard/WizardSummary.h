#pragma once
// The month dates of the calculation range and the summary text of the
// wizard's last page, from the values the pages collect.
//
// The period selector numbers its sixteen cells from 0: cells 0-2, 4-6,
// 8-10 and 12-14 are the twelve months from the fiscal start, 3, 7 and 11
// the quarter settlements (which fall in the month before them) and 15 the
// annual settlement (in the twelfth month).

#include "platform/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

// The month (1-12) of the year that a cell falls in; 0 outside 0-15.
int KikanMonth(int cell);

struct TKikanRange {
    TDateTime Start = 0;
    TDateTime End = 0;
};

// The closing-day dates of the range's first and last month. The last is
// the month of the end cell, except when the year is short (its last cell is
// not the annual settlement) and the range ends on that last cell: then the
// cell before it gives the month.
TKikanRange GetKikanDate(int startCell, int endCell, int lastCell, int closingDay, TDateTime fiscalStart);

struct TWizardSummary {
    std::string CompanyName;
    std::int32_t Nendo = 0;
    TDateTime FiscalStart = 0;
    TDateTime FiscalEnd = 0;
    std::int32_t ClosingDay = 99;
    std::int32_t StartCell = 0;
    std::int32_t EndCell = 0;
    std::int32_t LastCell = 0;
    std::int32_t TaxMode = 0;  // 0 tax-inclusive, 1 tax-exclusive
    bool WithFile = false;     // the file-name step exists (no caller)
    std::string FileName;      // as typed; a bare name goes to the documents folder
};

// The lines of the summary memo, in order.
std::vector<std::string> MakeSummaryLines(const TWizardSummary& summary);
