#include "calc/FiscalDates.h"

#include <array>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace {

// Year, month and day of a date; false for a date outside the calendar
// (DecodeDate gives year 0 for those).
bool SplitDate(TDateTime date, int& year, int& month, int& day)
{
    DecodeDate(date, year, month, day);
    return year != 0;
}

// The length of a month as accounting months count it: February has 29
// days only in a leap year.
int MonthLength(int year, int month)
{
    static constexpr std::array<int, 12> Lengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYearSafe(year))
        return 29;
    return Lengths[static_cast<std::size_t>(month - 1)];
}

// The date without its time of day, so that comparisons count whole days
// whatever the sign of the value (before 1899-12-30 a time of day makes the
// value more negative).
TDateTime DayPart(TDateTime date)
{
    return std::trunc(date);
}

// "yyyy/mm/dd" of the built-in list; the list's texts are fixed, so this
// reads exactly that form and nothing looser.
TDateTime BuiltInStartDate(const std::string& text)
{
    auto number = [&](std::size_t at, std::size_t length) {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    return EncodeDate(number(0, 4), number(5, 2), number(8, 2));
}

const std::array<TGengo2Rec, 5> BuiltInList{{
    {"令和", "R", "2019/05/01", 2019},
    {"平成", "H", "1989/01/08", 1989},
    {"昭和", "S", "1926/12/25", 1926},
    {"大正", "T", "1912/07/30", 1912},
    {"明治", "M", "1868/09/08", 1868},
}};

TGengoArray& Table()
{
    static TGengoArray table;
    return table;
}

}  // namespace

// ---------------------------------------------------------------------------
// Periods

int MonthToPeriodNo(int monthOffset)
{
    if (monthOffset < 0 || monthOffset > 11)
        return -1;
    return monthOffset + monthOffset / 3 + 1;
}

int MonthToPeriodIndex(int monthNumber)
{
    if (monthNumber < 1 || monthNumber > 12)
        return 0;
    return monthNumber + (monthNumber - 1) / 3 - 1;
}

// ---------------------------------------------------------------------------
// Dates

bool IsLeapYearSafe(int year)
{
    return year >= 1 && year <= 9999 && IsLeapYear(year);
}

TDateTime AddDays(int days, TDateTime date)
{
    return date + days;
}

TDateTime IncMonthClamped(int months, TDateTime date)
{
    int year = 0, month = 0, day = 0;
    if (!SplitDate(date, year, month, day))
        return date;
    // Counted in 64 bits so that any month count moves without overflow.
    const long long total = static_cast<long long>(year) * 12 + month + months;
    long long newYear = total / 12;
    long long newMonth = total % 12;
    if (newMonth == 0) {
        newMonth = 12;
        --newYear;
    }
    if (newYear < 1 || newYear > 9999)
        return date;
    const int y = static_cast<int>(newYear);
    const int m = static_cast<int>(newMonth);
    return EncodeDate(y, m, std::min(day, MonthLength(y, m)));
}

TDateTime ClosingDayDate(int months, int closingDay, TDateTime date)
{
    const bool monthEnd = closingDay == 99;
    if (!monthEnd && (closingDay < 1 || closingDay > 28))
        return date;
    int year = 0, month = 0, day = 0;
    if (!SplitDate(date, year, month, day))
        return date;
    // A day after the closing day already belongs to the next month's close.
    const int shift = months + ((!monthEnd && closingDay < day) ? 1 : 0);
    const TDateTime moved = IncMonthClamped(shift, date);
    if (!SplitDate(moved, year, month, day))
        return date;
    return EncodeDate(year, month, monthEnd ? MonthLength(year, month) : closingDay);
}

int DayOfDate(TDateTime date)
{
    int year = 0, month = 0, day = 0;
    SplitDate(date, year, month, day);
    return day;
}

int MonthsBetween(int closingDay, TDateTime from, TDateTime to)
{
    int fromYear = 0, fromMonth = 0, fromDay = 0;
    int toYear = 0, toMonth = 0, toDay = 0;
    SplitDate(ClosingDayDate(0, closingDay, from), fromYear, fromMonth, fromDay);
    SplitDate(ClosingDayDate(0, closingDay, to), toYear, toMonth, toDay);
    return (toYear - fromYear) * 12 + (toMonth - fromMonth);
}

int DateToPeriodNo(int closingDay, int settlement, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime date)
{
    const int months =
        std::min(MonthsBetween(closingDay, fiscalStart, date), MonthsBetween(closingDay, fiscalStart, fiscalEnd));
    int s = settlement == 1 ? 1 : 0;
    if (s == 1) {
        if (DayPart(date) == DayPart(fiscalEnd))
            return 16;
        if (months != 2 && months != 5 && months != 8 && months != 11)
            s = 0;
    }
    if (months < 0 || months > 11)
        return -1;
    return s + months + months / 3 + 1;
}

int MonthsBetweenToPeriod(int closingDay, TDateTime from, TDateTime to)
{
    const int e = MonthsBetween(closingDay, from, to);
    if (e >= 0 && e <= 2)
        return e + 1;
    if (e >= 3 && e <= 6)
        return e + 2;
    if (e >= 7 && e <= 9)
        return e + 3;
    if (e >= 10 && e <= 12)
        return e + 4;
    return -1;
}

// ---------------------------------------------------------------------------
// Japanese eras

std::span<const TGengo2Rec> BuiltInGengoList()
{
    return BuiltInList;
}

const TGengoArray& GengoTable()
{
    return Table();
}

void BuildGengoTable()
{
    TGengoArray table;
    table.reserve(BuiltInList.size());
    for (const TGengo2Rec& entry : BuiltInList) {
        const TDateTime start = BuiltInStartDate(entry.STARTDATE);
        int year = 0, month = 0, day = 0;
        DecodeDate(start, year, month, day);
        table.push_back({entry.GNAME, entry.GSIGN, start, year});
    }
    Table() = std::move(table);
}

void SetGengoTable(TGengoArray table)
{
    if (table.empty()) {
        BuildGengoTable();
        return;
    }
    Table() = std::move(table);
}

void ClearGengoTable()
{
    Table().clear();
}

void DateToWareki(TWarekiRec& wareki, TDateTime date)
{
    wareki = TWarekiRec{};
    int year = 0, month = 0, day = 0;
    if (!SplitDate(date, year, month, day))
        return;

    // Only the date 0 means "no date"; every other day before 1899-12-30 is
    // a real date of the Meiji era and converts like any other.
    if (date != 0) {
        const TDateTime today = DayPart(date);
        for (const TGengoRec& era : Table()) {
            if (era.GNAME.empty())
                break;
            wareki.GengoName = era.GNAME;
            wareki.GengoSign = era.GSIGN;
            wareki.Year = static_cast<std::int16_t>(year - era.YEAROFFSET + 1);
            if (DayPart(era.STARTDATE) <= today)
                break;
        }
    }
    if (wareki.GengoName.empty())
        wareki.Year = static_cast<std::int16_t>(year);
    wareki.Month = static_cast<std::uint16_t>(month);
    wareki.Day = static_cast<std::uint16_t>(day);
}
