#include "calc/FiscalDates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {

TDateTime D(int year, int month, int day)
{
    return EncodeDate(year, month, day);
}

std::string Text(TDateTime date)
{
    return FormatDateTime("yyyy/mm/dd", date);
}

// ---------------------------------------------------------------------------
// Periods

TEST(MonthToPeriod, MapsMonthsAroundTheSettlementPeriods)
{
    const int periodNo[12] = {1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15};
    for (int offset = 0; offset < 12; ++offset)
        EXPECT_EQ(MonthToPeriodNo(offset), periodNo[offset]) << offset;
    EXPECT_EQ(MonthToPeriodNo(12), -1);
    EXPECT_EQ(MonthToPeriodNo(-1), -1);

    const int periodIndex[12] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(MonthToPeriodIndex(month), periodIndex[month - 1]) << month;
    EXPECT_EQ(MonthToPeriodIndex(0), 0);
    EXPECT_EQ(MonthToPeriodIndex(13), 0);
}

// ---------------------------------------------------------------------------
// Dates

TEST(IsLeapYearSafe, GregorianRuleWithinTheCalendarOnly)
{
    EXPECT_TRUE(IsLeapYearSafe(2024));
    EXPECT_TRUE(IsLeapYearSafe(2000));
    EXPECT_FALSE(IsLeapYearSafe(1900));
    EXPECT_FALSE(IsLeapYearSafe(2023));
    EXPECT_FALSE(IsLeapYearSafe(0));
    EXPECT_FALSE(IsLeapYearSafe(-4));
    EXPECT_FALSE(IsLeapYearSafe(10000));
}

struct MoveCase {
    const char* name;
    int months;
    TDateTime date;
    TDateTime expected;
};

void PrintTo(const MoveCase& c, std::ostream* os)
{
    *os << c.name;
}

class IncMonthClampedCases : public ::testing::TestWithParam<MoveCase> {};

TEST_P(IncMonthClampedCases, MovesByCalendarMonths)
{
    const MoveCase& c = GetParam();
    EXPECT_EQ(Text(IncMonthClamped(c.months, c.date)), Text(c.expected));
    EXPECT_EQ(IncMonthClamped(c.months, c.date), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IncMonthClampedCases,
    ::testing::Values(MoveCase{"31 January to leap February", 1, D(2024, 1, 31), D(2024, 2, 29)},
                      MoveCase{"29 February back a year", -12, D(2024, 2, 29), D(2023, 2, 28)},
                      MoveCase{"31 January to common February", 1, D(2023, 1, 31), D(2023, 2, 28)},
                      MoveCase{"31 March to 30 April", 1, D(2024, 3, 31), D(2024, 4, 30)},
                      MoveCase{"into December of the same year", 11, D(2024, 1, 15), D(2024, 12, 15)},
                      MoveCase{"back into December of the year before", -1, D(2024, 1, 15), D(2023, 12, 15)},
                      MoveCase{"several years back", -25, D(2024, 1, 31), D(2021, 12, 31)},
                      MoveCase{"zero keeps the date", 0, D(2024, 5, 17), D(2024, 5, 17)},
                      MoveCase{"time of day dropped", 1, D(2024, 1, 10) + 0.5, D(2024, 2, 10)},
                      MoveCase{"before 1899-12-30", 1, D(1880, 1, 31), D(1880, 2, 29)},
                      MoveCase{"past year 9999 unchanged", 1, D(9999, 12, 15), D(9999, 12, 15)},
                      MoveCase{"before year 1 unchanged", -1, D(1, 1, 15), D(1, 1, 15)}));

TEST(IncMonthClamped, DateOutsideTheCalendarIsReturnedUnchanged)
{
    const TDateTime nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(IncMonthClamped(1, nan)));
    EXPECT_EQ(IncMonthClamped(1, 1e9), 1e9);
    EXPECT_EQ(DayOfDate(nan), 0);
    EXPECT_EQ(DayOfDate(D(2024, 2, 29)), 29);
    EXPECT_EQ(AddDays(-1, D(2024, 3, 1)), D(2024, 2, 29));
}

struct ClosingCase {
    const char* name;
    int months;
    int closingDay;
    TDateTime date;
    TDateTime expected;
};

void PrintTo(const ClosingCase& c, std::ostream* os)
{
    *os << c.name;
}

class ClosingDayDateCases : public ::testing::TestWithParam<ClosingCase> {};

TEST_P(ClosingDayDateCases, GivesTheClosingDateOfTheAccountingMonth)
{
    const ClosingCase& c = GetParam();
    EXPECT_EQ(Text(ClosingDayDate(c.months, c.closingDay, c.date)), Text(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClosingDayDateCases,
    ::testing::Values(ClosingCase{"day after the closing day closes next month", 0, 20, D(2024, 3, 25), D(2024, 4, 20)},
                      ClosingCase{"closing day itself closes this month", 0, 20, D(2024, 3, 20), D(2024, 3, 20)},
                      ClosingCase{"month end in a leap February", 0, 99, D(2024, 2, 10), D(2024, 2, 29)},
                      ClosingCase{"month end in a common February", 0, 99, D(2023, 2, 10), D(2023, 2, 28)},
                      ClosingCase{"month end on the last day", 0, 99, D(2024, 1, 31), D(2024, 1, 31)},
                      ClosingCase{"moved forward, day after closing", 1, 20, D(2024, 3, 25), D(2024, 5, 20)},
                      ClosingCase{"moved back to a leap month end", -1, 99, D(2024, 3, 31), D(2024, 2, 29)},
                      ClosingCase{"quarter end from the fiscal start", 2, 99, D(2024, 4, 1), D(2024, 6, 30)},
                      ClosingCase{"across the year end", 0, 20, D(2024, 12, 25), D(2025, 1, 20)},
                      ClosingCase{"closing day 28 after a 29th", 0, 28, D(2024, 1, 29), D(2024, 2, 28)},
                      ClosingCase{"closing day 1 on the 1st", 0, 1, D(2024, 5, 1), D(2024, 5, 1)},
                      ClosingCase{"closing day 31 is not one", 0, 31, D(2024, 3, 25), D(2024, 3, 25)},
                      ClosingCase{"closing day 29 is not one", 5, 29, D(2024, 3, 25), D(2024, 3, 25)},
                      ClosingCase{"closing day 0 is not one", 0, 0, D(2024, 3, 25), D(2024, 3, 25)}));

struct BetweenCase {
    const char* name;
    int closingDay;
    TDateTime from;
    TDateTime to;
    int expected;
};

void PrintTo(const BetweenCase& c, std::ostream* os)
{
    *os << c.name;
}

class MonthsBetweenCases : public ::testing::TestWithParam<BetweenCase> {};

TEST_P(MonthsBetweenCases, CountsAccountingMonths)
{
    const BetweenCase& c = GetParam();
    EXPECT_EQ(MonthsBetween(c.closingDay, c.from, c.to), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MonthsBetweenCases,
    ::testing::Values(BetweenCase{"full fiscal year", 99, D(2024, 4, 1), D(2025, 3, 31), 11},
                      BetweenCase{"backwards is negative", 99, D(2025, 3, 31), D(2024, 4, 1), -11},
                      BetweenCase{"same accounting month across calendar months", 20, D(2024, 3, 21), D(2024, 4, 20),
                                  0},
                      BetweenCase{"one day into the next accounting month", 20, D(2024, 3, 20), D(2024, 3, 21), 1},
                      BetweenCase{"to the next fiscal start", 99, D(2024, 4, 1), D(2025, 4, 1), 12},
                      BetweenCase{"invalid closing day counts calendar months", 40, D(2024, 3, 25), D(2024, 4, 1), 1}));

struct PeriodCase {
    const char* name;
    int closingDay;
    int settlement;
    TDateTime start;
    TDateTime end;
    TDateTime date;
    int expected;
};

void PrintTo(const PeriodCase& c, std::ostream* os)
{
    *os << c.name;
}

class DateToPeriodNoCases : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(DateToPeriodNoCases, GivesThePeriodOfTheDate)
{
    const PeriodCase& c = GetParam();
    EXPECT_EQ(DateToPeriodNo(c.closingDay, c.settlement, c.start, c.end, c.date), c.expected);
}

const TDateTime AprStart = D(2024, 4, 1);
const TDateTime MarEnd = D(2025, 3, 31);

INSTANTIATE_TEST_SUITE_P(
    TwelveMonths, DateToPeriodNoCases,
    ::testing::Values(PeriodCase{"first day", 99, 0, AprStart, MarEnd, AprStart, 1},
                      PeriodCase{"June without settlement", 99, 0, AprStart, MarEnd, D(2024, 6, 15), 3},
                      PeriodCase{"June with settlement", 99, 1, AprStart, MarEnd, D(2024, 6, 15), 4},
                      PeriodCase{"July after the first quarter", 99, 1, AprStart, MarEnd, D(2024, 7, 15), 5},
                      PeriodCase{"September, half-year settlement", 99, 1, AprStart, MarEnd, D(2024, 9, 1), 8},
                      PeriodCase{"December, third-quarter settlement", 99, 1, AprStart, MarEnd, D(2024, 12, 31), 12},
                      PeriodCase{"January", 99, 0, AprStart, MarEnd, D(2025, 1, 10), 13},
                      PeriodCase{"fiscal end with settlement", 99, 1, AprStart, MarEnd, MarEnd, 16},
                      PeriodCase{"fiscal end with a time of day", 99, 1, AprStart, MarEnd, MarEnd + 0.75, 16},
                      PeriodCase{"fiscal end without settlement", 99, 0, AprStart, MarEnd, MarEnd, 15},
                      PeriodCase{"last month before the end, settlement", 99, 1, AprStart, MarEnd, D(2025, 3, 15), 16},
                      PeriodCase{"after the fiscal end counts as the last month", 99, 0, AprStart, MarEnd,
                                 D(2025, 6, 1), 15},
                      PeriodCase{"before the fiscal start", 99, 0, AprStart, MarEnd, D(2024, 3, 31), -1},
                      PeriodCase{"before the fiscal start, settlement", 99, 1, AprStart, MarEnd, D(2024, 3, 31), -1},
                      PeriodCase{"settlement 2 counts as none", 99, 2, AprStart, MarEnd, D(2024, 6, 15), 3},
                      PeriodCase{"settlement 2 at the fiscal end", 99, 2, AprStart, MarEnd, MarEnd, 15}));

INSTANTIATE_TEST_SUITE_P(
    SixMonths, DateToPeriodNoCases,
    ::testing::Values(PeriodCase{"second quarter", 99, 0, AprStart, D(2024, 9, 30), D(2024, 8, 10), 6},
                      PeriodCase{"after the short year", 99, 0, AprStart, D(2024, 9, 30), D(2024, 12, 1), 7},
                      PeriodCase{"after the short year, settlement", 99, 1, AprStart, D(2024, 9, 30), D(2024, 12, 1),
                                 8},
                      PeriodCase{"short year's end, settlement", 99, 1, AprStart, D(2024, 9, 30), D(2024, 9, 30), 16}));

// A year that starts in the middle of the calendar year, with closing day 20:
// its first accounting month runs 21 September to 20 October.
INSTANTIATE_TEST_SUITE_P(
    MidYear, DateToPeriodNoCases,
    ::testing::Values(
        PeriodCase{"first month", 20, 0, D(2024, 9, 21), D(2025, 9, 20), D(2024, 10, 20), 1},
        PeriodCase{"day after the closing day", 20, 0, D(2024, 9, 21), D(2025, 9, 20), D(2024, 10, 21), 2},
        PeriodCase{"across the calendar year", 20, 0, D(2024, 9, 21), D(2025, 9, 20), D(2025, 1, 10), 5},
        PeriodCase{"third month with settlement", 20, 1, D(2024, 9, 21), D(2025, 9, 20), D(2024, 12, 20), 4},
        PeriodCase{"year end with settlement", 20, 1, D(2024, 9, 21), D(2025, 9, 20), D(2025, 9, 20), 16}));

TEST(MonthsBetweenToPeriod, GivesTheFirstPeriodAYearOfThatLengthLacks)
{
    const TDateTime start = D(2024, 4, 1);
    EXPECT_EQ(MonthsBetweenToPeriod(99, start, D(2024, 10, 1)), 8);  // six months
    EXPECT_EQ(MonthsBetweenToPeriod(99, start, D(2025, 4, 1)), 16);  // a full year
    // e months -> period, at each band's edges.
    const struct {
        int months;
        int period;
    } bands[] = {{0, 1}, {2, 3}, {3, 5}, {6, 8}, {7, 10}, {9, 12}, {10, 14}, {12, 16}, {13, -1}, {-1, -1}};
    for (const auto& band : bands)
        EXPECT_EQ(MonthsBetweenToPeriod(99, start, IncMonthClamped(band.months, start)), band.period) << band.months;
}

// ---------------------------------------------------------------------------
// Eras

class EraTable : public ::testing::Test {
protected:
    void SetUp() override { BuildGengoTable(); }
    void TearDown() override { ClearGengoTable(); }

    static TWarekiRec Wareki(TDateTime date)
    {
        TWarekiRec wareki;
        wareki.GengoName = "stale";
        wareki.Year = 99;
        DateToWareki(wareki, date);
        return wareki;
    }
};

TEST_F(EraTable, BuiltInListFillsTheTableNewestFirst)
{
    const TGengoArray& table = GengoTable();
    ASSERT_EQ(table.size(), 5u);
    const struct {
        const char* name;
        const char* sign;
        TDateTime start;
        int year;
    } expected[] = {{"令和", "R", D(2019, 5, 1), 2019},
                    {"平成", "H", D(1989, 1, 8), 1989},
                    {"昭和", "S", D(1926, 12, 25), 1926},
                    {"大正", "T", D(1912, 7, 30), 1912},
                    {"明治", "M", D(1868, 9, 8), 1868}};
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].GNAME, expected[i].name);
        EXPECT_EQ(table[i].GSIGN, expected[i].sign);
        EXPECT_EQ(table[i].STARTDATE, expected[i].start);
        EXPECT_EQ(table[i].YEAROFFSET, expected[i].year);
    }
    EXPECT_EQ(BuiltInGengoList().size(), 5u);
    EXPECT_EQ(BuiltInGengoList()[1].STARTDATE, "1989/01/08");
}

struct WarekiCase {
    const char* name;
    TDateTime date;
    const char* era;
    const char* sign;
    int year;
    int month;
    int day;
};

void PrintTo(const WarekiCase& c, std::ostream* os)
{
    *os << c.name;
}

class DateToWarekiCases : public EraTable, public ::testing::WithParamInterface<WarekiCase> {};

TEST_P(DateToWarekiCases, ConvertsWithTheBuiltInList)
{
    const WarekiCase& c = GetParam();
    const TWarekiRec w = Wareki(c.date);
    EXPECT_EQ(w.GengoName, c.era);
    EXPECT_EQ(w.GengoSign, c.sign);
    EXPECT_EQ(w.Year, c.year);
    EXPECT_EQ(w.Month, c.month);
    EXPECT_EQ(w.Day, c.day);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateToWarekiCases,
    ::testing::Values(WarekiCase{"last day of Heisei", D(2019, 4, 30), "平成", "H", 31, 4, 30},
                      WarekiCase{"first day of Reiwa", D(2019, 5, 1), "令和", "R", 1, 5, 1},
                      WarekiCase{"Reiwa 6", D(2024, 4, 1), "令和", "R", 6, 4, 1},
                      WarekiCase{"last day of Showa", D(1989, 1, 7), "昭和", "S", 64, 1, 7},
                      WarekiCase{"first day of Heisei with a time", D(1989, 1, 8) + 0.25, "平成", "H", 1, 1, 8},
                      WarekiCase{"first day of Meiji", D(1868, 9, 8), "明治", "M", 1, 9, 8},
                      WarekiCase{"first day of Meiji with a time", D(1868, 9, 8) - 0.25, "明治", "M", 1, 9, 8},
                      WarekiCase{"Meiji before 1899-12-30", D(1880, 5, 1), "明治", "M", 13, 5, 1},
                      WarekiCase{"before every era keeps the oldest", D(1850, 1, 1), "明治", "M", -17, 1, 1},
                      WarekiCase{"the date 0 has no era", 0, "", "", 1899, 12, 30}));

TEST_F(EraTable, EmptyTableGivesTheWesternYear)
{
    ClearGengoTable();
    const TWarekiRec w = Wareki(D(2024, 4, 1));
    EXPECT_EQ(w.GengoName, "");
    EXPECT_EQ(w.GengoSign, "");
    EXPECT_EQ(w.Year, 2024);
    EXPECT_EQ(w.Month, 4);
    EXPECT_EQ(w.Day, 1);
}

TEST_F(EraTable, DateOutsideTheCalendarGivesAnEmptyRecord)
{
    const TWarekiRec w = Wareki(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(w.GengoName, "");
    EXPECT_EQ(w.Year, 0);
    EXPECT_EQ(w.Month, 0);
    EXPECT_EQ(w.Day, 0);
}

TEST_F(EraTable, LoadedTableReplacesTheListAndAnEmptyNameEndsTheWalk)
{
    SetGengoTable(
        {{"新元", "N", D(2030, 1, 1), 2030}, {"", "", D(2000, 1, 1), 2000}, {"平成", "H", D(1989, 1, 8), 1989}});
    EXPECT_EQ(GengoTable().size(), 3u);
    EXPECT_EQ(Wareki(D(2031, 6, 1)).GengoName, "新元");
    // The walk stops at the nameless row, so 2024 stays with the last era visited.
    const TWarekiRec w = Wareki(D(2024, 4, 1));
    EXPECT_EQ(w.GengoName, "新元");
    EXPECT_EQ(w.Year, -5);
}

TEST_F(EraTable, LoadingNothingFallsBackToTheBuiltInList)
{
    SetGengoTable({{"新元", "N", D(2030, 1, 1), 2030}});
    SetGengoTable({});
    ASSERT_EQ(GengoTable().size(), 5u);
    EXPECT_EQ(GengoTable().front().GNAME, "令和");
}

}  // namespace
