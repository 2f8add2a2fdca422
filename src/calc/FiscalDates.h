#pragma once
// Fiscal periods, closing-day dates and Japanese eras.
//
// A fiscal year has sixteen periods: its twelve accounting months are periods
// 1-3, 5-7, 9-11 and 13-15, and each quarter is followed by its settlement
// period 4, 8, 12 and 16 (16 being the annual settlement).
//
// An accounting month ends on the data's closing day: 1 to 28, or 99 for the
// last day of the calendar month. A date whose day lies after the closing
// day belongs to the accounting month that closes in the next calendar month.
//
// None of these functions reports an error: inputs out of range give -1, 0
// or the unchanged date, as each says. Dates that come back are whole days
// (time 0). A date outside the calendar (not finite, or outside the years
// 1-9999) is never moved.
//
// The era table is program-wide state, read and replaced on the main thread
// only.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/DateTime.h"

// ---------------------------------------------------------------------------
// Periods

// Month offset from the start of the fiscal year (0-11) -> period number:
// 0-2 -> 1-3, 3-5 -> 5-7, 6-8 -> 9-11, 9-11 -> 13-15; any other value -> -1.
int MonthToPeriodNo(int monthOffset);

// Month number (1-12) -> period index (period number - 1): 1-3 -> 0-2,
// 4-6 -> 4-6, 7-9 -> 8-10, 10-12 -> 12-14; any other value -> 0.
int MonthToPeriodIndex(int monthNumber);

// ---------------------------------------------------------------------------
// Dates

// The Gregorian leap-year test for the years 1-9999; false for any other year.
bool IsLeapYearSafe(int year);

TDateTime AddDays(int days, TDateTime date);

// The date moved by a number of calendar months (negative moves back). The
// day is kept but clamped to the target month's length: 2024-01-31 + 1 is
// 2024-02-29, 2024-02-29 - 12 is 2023-02-28. A result outside the years
// 1-9999 leaves the date unchanged.
TDateTime IncMonthClamped(int months, TDateTime date);

// The closing date of the accounting month holding the date, moved by a
// number of months: day closingDay of that calendar month, or its last day
// for 99. A closing day other than 1-28 or 99 returns the date unchanged.
// (0, 20, 2024-03-25) is 2024-04-20; (0, 20, 2024-03-20) is 2024-03-20.
TDateTime ClosingDayDate(int months, int closingDay, TDateTime date);

// The day of the month; 0 for a date outside the calendar.
int DayOfDate(TDateTime date);

// Whole accounting months from one date to the other (negative when "to"
// lies before "from"): both are moved to their closing dates first.
// (99, 2024-04-01, 2025-03-31) is 11.
int MonthsBetween(int closingDay, TDateTime from, TDateTime to);

// The period number (1-16) of the date in the fiscal year fiscalStart ..
// fiscalEnd. With settlement 1 the last month of a quarter gives its
// settlement period (4, 8, 12) and the fiscal end itself gives 16; any other
// settlement value counts as 0. A date after the fiscal end counts as its
// last month; one before the start gives -1.
int DateToPeriodNo(int closingDay, int settlement, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime date);

// The accounting months from one date to the other as a period number:
// e months give e + 1 for 0-2, e + 2 for 3-6, e + 3 for 7-9, e + 4 for
// 10-12, -1 otherwise. From the start of a fiscal year to the start of the
// next this is 16 for a full year and, for a shorter one, the first period
// that the shorter year does not have (8 for six months).
int MonthsBetweenToPeriod(int closingDay, TDateTime from, TDateTime to);

// ---------------------------------------------------------------------------
// Japanese eras

// One era of the era table (a row of table GENGO).
struct TGengoRec {
    std::string GNAME;            // era name, e.g. "令和"
    std::string GSIGN;            // era sign letter, e.g. "R"
    TDateTime STARTDATE = 0;      // first day of the era
    std::int32_t YEAROFFSET = 0;  // Western year of the era's first year
};

// The era table, newest era first.
using TGengoArray = std::vector<TGengoRec>;

// One entry of the built-in era list.
struct TGengo2Rec {
    std::string GNAME;
    std::string GSIGN;
    std::string STARTDATE;        // "yyyy/mm/dd"
    std::int32_t YEAROFFSET = 0;  // first Western year
};

// A date in era form.
struct TWarekiRec {
    std::string GengoName;  // empty when no era applies
    std::string GengoSign;
    std::int16_t Year = 0;  // era year, or the Western year when no era applies
    std::uint16_t Month = 0;
    std::uint16_t Day = 0;
};

// The five eras from 明治 to 令和, newest first.
std::span<const TGengo2Rec> BuiltInGengoList();

// The era table every conversion uses; empty until it is first filled.
const TGengoArray& GengoTable();

// Replaces the era table with the built-in list.
void BuildGengoTable();

// Replaces the era table with what the data module read from table GENGO
// (ordered newest first). An empty list - no rows, or the read failed -
// puts the built-in list in its place, so a filled table is never empty.
void SetGengoTable(TGengoArray table);

// Empties the era table again (its state at program start, in which no
// date has an era).
void ClearGengoTable();

// The date in era form. Walking the era table from the newest era, the
// first era that has begun on or before the date gives the name, sign and
// era year (Western year - YEAROFFSET + 1); a date before the oldest era
// keeps the oldest one, with an era year of 0 or below. An entry with an
// empty name ends the walk. The date 0 ("no date") and an empty table give
// no era and the Western year. Month and day are always the date's. A date
// outside the calendar gives an empty record (all numbers 0).
void DateToWareki(TWarekiRec& wareki, TDateTime date);
