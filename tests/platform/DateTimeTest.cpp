#include "platform/DateTime.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <ctime>
#include <limits>
#include <locale>
#include <string>

namespace {

// Each test may change the process-wide settings; put them back.
class DateTimeTest : public ::testing::Test {
protected:
    void TearDown() override { FormatSettings = saved_; }

private:
    TFormatSettings saved_ = FormatSettings;
};

// Before the epoch the time of day counts away from zero.
TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    const TDateTime date = EncodeDate(y, mo, d);
    const TDateTime time = EncodeTime(h, mi, s, ms);
    return date >= 0 ? date + time : date - time;
}

struct KnownDay {
    int year, month, day;
    int serial;
};

TEST_F(DateTimeTest, EncodesKnownDaysOfTheCalendar)
{
    const KnownDay days[] = {
        {1899, 12, 30, 0},    {1899, 12, 31, 1},   {1900, 1, 1, 2},    {1899, 12, 29, -1},      {1800, 1, 1, -36522},
        {2000, 2, 29, 36585}, {2024, 4, 1, 45383}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const auto& k : days) {
        SCOPED_TRACE(std::to_string(k.year) + "-" + std::to_string(k.month) + "-" + std::to_string(k.day));
        EXPECT_EQ(EncodeDate(k.year, k.month, k.day), k.serial);
        int y = 0, m = 0, d = 0;
        DecodeDate(k.serial, y, m, d);
        EXPECT_EQ(y, k.year);
        EXPECT_EQ(m, k.month);
        EXPECT_EQ(d, k.day);
    }
}

TEST_F(DateTimeTest, EveryDayOfTheCalendarDecodesToTheNextDateAndBack)
{
    int prevY = 0, prevM = 12, prevD = 31;
    for (int serial = -693593; serial <= 2958465; ++serial) {
        int y = 0, m = 0, d = 0;
        DecodeDate(serial, y, m, d);
        const bool nextInMonth = y == prevY && m == prevM && d == prevD + 1;
        const bool nextMonth = y == prevY && m == prevM + 1 && d == 1 && prevD == DaysInMonth(prevY, prevM);
        const bool nextYear = y == prevY + 1 && m == 1 && d == 1 && prevM == 12 && prevD == 31;
        ASSERT_TRUE(nextInMonth || nextMonth || nextYear) << serial << " -> " << y << "-" << m << "-" << d;
        ASSERT_EQ(EncodeDate(y, m, d), serial);
        prevY = y, prevM = m, prevD = d;
    }
    EXPECT_EQ(prevY, 9999);
}

TEST_F(DateTimeTest, LeapYearsAndMonthLengths)
{
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 12), 31);
    EXPECT_EQ(DaysInMonth(2024, 4), 30);
    EXPECT_EQ(DaysInMonth(2024, 13), 0);
    EXPECT_EQ(DaysInMonth(2024, 0), 0);
}

TEST_F(DateTimeTest, RejectsDatesAndTimesOutsideTheCalendar)
{
    const int badDates[][3] = {{2024, 2, 30}, {2023, 2, 29}, {1900, 2, 29}, {2024, 13, 1}, {2024, 0, 1},
                               {2024, 4, 31}, {2024, 1, 0},  {0, 1, 1},     {10000, 1, 1}, {-5, 1, 1}};
    for (const auto& b : badDates) {
        TDateTime result = 123;
        EXPECT_FALSE(TryEncodeDate(b[0], b[1], b[2], result)) << b[0] << "-" << b[1] << "-" << b[2];
        EXPECT_EQ(result, 123);
        EXPECT_THROW(EncodeDate(b[0], b[1], b[2]), EConvertError);
    }
    const int badTimes[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const auto& b : badTimes) {
        TDateTime result = 0;
        EXPECT_FALSE(TryEncodeTime(b[0], b[1], b[2], b[3], result));
        EXPECT_THROW(EncodeTime(b[0], b[1], b[2], b[3]), EConvertError);
    }
    EXPECT_DOUBLE_EQ(EncodeTime(18, 0, 0, 0), 0.75);
    EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
}

TEST_F(DateTimeTest, TimeOfDayBeforeTheEpochCountsAwayFromZero)
{
    // -1.25 is 1899-12-29 06:00, not 18:00 of the day before.
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDate(-1.25, y, mo, d);
    DecodeTime(-1.25, h, mi, s, ms);
    EXPECT_EQ(y * 10000 + mo * 100 + d, 18991229);
    EXPECT_EQ(h, 6);
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", -1.25), "1899/12/29 06:00");
    EXPECT_EQ(StrToDateTime("1899/12/29 06:00"), -1.25);
    EXPECT_EQ(StrToDateTime("1800/01/01 18:00"), -36522.75);
    // A time alone, before the epoch's first day, still reads as that day.
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", -0.25), "1899/12/30 06:00");
}

TEST_F(DateTimeTest, DecodingRoundsToTheMillisecond)
{
    const TDateTime almostMidnight = EncodeDate(2024, 4, 1) + (86400000.0 - 0.4) / 86400000.0;
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss.zzz", almostMidnight), "2024/04/02 00:00:00.000");
    int h = 0, mi = 0, s = 0, ms = 0;
    DecodeTime(At(2024, 4, 1, 13, 14, 15, 16), h, mi, s, ms);
    EXPECT_EQ(h * 10000000 + mi * 100000 + s * 1000 + ms, 131415016);
}

TEST_F(DateTimeTest, ValuesOutsideTheCalendarDecodeToZeros)
{
    const double outside[] = {std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(),
                              -693594.0,
                              2958466.0,
                              1e300};
    for (const double v : outside) {
        int y = 1, mo = 1, d = 1, h = 1, mi = 1, s = 1, ms = 1;
        DecodeDate(v, y, mo, d);
        DecodeTime(v, h, mi, s, ms);
        EXPECT_EQ(y + mo + d + h + mi + s + ms, 0) << v;
        EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn mmm ddd", v), "0000/00/00 00:00  ") << v;
    }
}

struct FormatCase {
    const char* format;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << '"' << c.format << '"';
}

class FormatDateTimeCases : public DateTimeTest, public ::testing::WithParamInterface<FormatCase> {};

// Monday 2024-04-01 09:05:07.008
TEST_P(FormatDateTimeCases, Formats)
{
    EXPECT_EQ(FormatDateTime(GetParam().format, At(2024, 4, 1, 9, 5, 7, 8)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    DateTime, FormatDateTimeCases,
    ::testing::Values(
        FormatCase{"yyyy/MM/dd", "2024/04/01"}, FormatCase{"yyyy年MM月dd日", "2024年04月01日"},
        FormatCase{"hh:mm", "09:05"}, FormatCase{"hh:nn:ss", "09:05:07"}, FormatCase{"yy/mm/dd", "24/04/01"},
        FormatCase{"yyyy/mm/dd hh:nn", "2024/04/01 09:05"}, FormatCase{"YYYY/MM/DD hh:nn:ss", "2024/04/01 09:05:07"},
        FormatCase{"yy/mm/dd hh:nn:ss  ", "24/04/01 09:05:07  "}, FormatCase{"yyyy年m月d日", "2024年4月1日"},
        FormatCase{"h:n:s.zzz", "9:5:7.008"}, FormatCase{"z zz", "8 08"}, FormatCase{"y yyy", "24 2024"},
        FormatCase{"hh時mm分", "09時05分"},  // minutes: the last letter before is h
        FormatCase{"hh:nn mm", "09:05 04"},  // month again after n
        FormatCase{"mmm mmmm", "4月 4月"}, FormatCase{"ddd dddd", "月 月曜日"}, FormatCase{"aaa(aaaa)", "月(月曜日)"},
        FormatCase{"ddddd", "2024/04/01"}, FormatCase{"dddddd", "2024年04月01日"}, FormatCase{"t", "09:05"},
        FormatCase{"tt", "09:05:07"}, FormatCase{"c", "2024/04/01 09:05:07"}, FormatCase{"", "2024/04/01 09:05:07"},
        FormatCase{"\"yyyy\" 'at' hh", "yyyy at 09"}, FormatCase{"yyyy'mm", "2024mm"},
        FormatCase{"h:nn am/pm", "9:05 am"}, FormatCase{"h:nn AM/PM", "9:05 AM"}, FormatCase{"h a/p", "9 a"},
        FormatCase{"ampm h時", "午前 9時"}, FormatCase{"gg yyyy-mm-dd x", "gg 2024-04-01 x"}));

TEST_F(DateTimeTest, TwelveHourClockAroundNoonAndMidnight)
{
    EXPECT_EQ(FormatDateTime("hh:nn am/pm", At(2024, 4, 1, 0, 30)), "12:30 am");
    EXPECT_EQ(FormatDateTime("hh:nn am/pm", At(2024, 4, 1, 12, 0)), "12:00 pm");
    EXPECT_EQ(FormatDateTime("h:nn AM/PM", At(2024, 4, 1, 21, 0)), "9:00 PM");
    EXPECT_EQ(FormatDateTime("ampm h", At(2024, 4, 1, 21, 0)), "午後 9");
    // An am/pm after the next hour belongs to that one; one before stays.
    EXPECT_EQ(FormatDateTime("hh hh am/pm", At(2024, 4, 1, 21, 0)), "21 09 pm");
    EXPECT_EQ(FormatDateTime("am/pm hh:nn, hh", At(2024, 4, 1, 21, 0)), "pm 09:00, 09");
}

TEST_F(DateTimeTest, DateOnlyTextsAndEarlyYears)
{
    EXPECT_EQ(DateTimeToStr(At(2024, 4, 1)), "2024/04/01");
    EXPECT_EQ(DateTimeToStr(At(2024, 4, 1, 0, 0, 1)), "2024/04/01 00:00:01");
    EXPECT_EQ(DateToStr(At(2024, 4, 1, 9, 5)), "2024/04/01");
    EXPECT_EQ(TimeToStr(At(2024, 4, 1, 9, 5)), "09:05:00");
    EXPECT_EQ(FormatDateTime("yyyy/m/d ddd", EncodeDate(24, 1, 5)), "0024/1/5 金");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd dddd", 0), "1899/12/30 土曜日");
}

TEST_F(DateTimeTest, FollowsTheProcessSettings)
{
    FormatSettings.DateSeparator = '-';
    FormatSettings.TimeSeparator = '.';
    FormatSettings.ShortDateFormat = "YY/MM/DD";
    FormatSettings.LongTimeFormat = "hh:nn";
    const TDateTime v = At(2024, 4, 1, 9, 5);
    EXPECT_EQ(DateToStr(v), "24-04-01");
    EXPECT_EQ(DateTimeToStr(v), "24-04-01 09.05");
    EXPECT_EQ(StrToDate("24-4-1"), EncodeDate(2024, 4, 1));
    EXPECT_EQ(StrToDateTime("24-4-1 9.05"), v);
    TDateTime ignored = 0;
    EXPECT_FALSE(TryStrToDate("2024/04/01", ignored));

    // A named format that names itself stops instead of recursing.
    FormatSettings.ShortDateFormat = "c";
    EXPECT_NO_THROW(DateToStr(v));
}

struct ParseCase {
    const char* text;
    int year, month, day;  // 0 when the text must be rejected
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class StrToDateCases : public DateTimeTest, public ::testing::WithParamInterface<ParseCase> {};

TEST_P(StrToDateCases, Parses)
{
    const ParseCase& c = GetParam();
    TDateTime result = -7;
    if (c.year == 0) {
        EXPECT_FALSE(TryStrToDate(c.text, result));
        EXPECT_EQ(result, -7);
        EXPECT_THROW(StrToDate(c.text), EConvertError);
        return;
    }
    ASSERT_TRUE(TryStrToDate(c.text, result));
    EXPECT_EQ(result, EncodeDate(c.year, c.month, c.day));
    EXPECT_EQ(StrToDate(c.text), result);
}

INSTANTIATE_TEST_SUITE_P(DateTime, StrToDateCases,
                         ::testing::Values(ParseCase{"2024/04/01", 2024, 4, 1}, ParseCase{"2024/4/1", 2024, 4, 1},
                                           ParseCase{" \t2024/04/01  ", 2024, 4, 1},
                                           ParseCase{"2024/02/29", 2024, 2, 29}, ParseCase{"1899/12/30", 1899, 12, 30},
                                           ParseCase{"0001/01/01", 1, 1, 1}, ParseCase{"9999/12/31", 9999, 12, 31},
                                           // two-digit years: a fixed window at 50
                                           ParseCase{"24/4/1", 2024, 4, 1}, ParseCase{"0/1/1", 2000, 1, 1},
                                           ParseCase{"49/12/31", 2049, 12, 31}, ParseCase{"50/01/01", 1950, 1, 1},
                                           ParseCase{"99/1/1", 1999, 1, 1}, ParseCase{"024/1/1", 24, 1, 1},
                                           // rejected
                                           ParseCase{"2024/02/30", 0, 0, 0}, ParseCase{"2024/13/01", 0, 0, 0},
                                           ParseCase{"abc", 0, 0, 0}, ParseCase{"", 0, 0, 0}, ParseCase{"   ", 0, 0, 0},
                                           ParseCase{"2023/02/29", 0, 0, 0}, ParseCase{"0000/01/01", 0, 0, 0},
                                           ParseCase{"2024/04/01x", 0, 0, 0}, ParseCase{"2024-04-01", 0, 0, 0},
                                           ParseCase{"2024/04", 0, 0, 0}, ParseCase{"2024/04/", 0, 0, 0},
                                           ParseCase{"/04/01", 0, 0, 0}, ParseCase{"20240/1/1", 0, 0, 0},
                                           ParseCase{"2024/001/01", 0, 0, 0}, ParseCase{"2024/04/001", 0, 0, 0},
                                           ParseCase{"2024 /04/01", 0, 0, 0}, ParseCase{"+2024/04/01", 0, 0, 0},
                                           ParseCase{"2024/04/01 09:00", 0, 0, 0}, ParseCase{"２０２４/04/01", 0, 0, 0},
                                           ParseCase{"2024/4/1/1", 0, 0, 0}));

TEST_F(DateTimeTest, MonthAndDayAloneTakeTheCurrentYear)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int year = local.tm_year + 1900;
    EXPECT_EQ(StrToDate("4/1"), EncodeDate(year, 4, 1));
    EXPECT_EQ(StrToDate("12/31"), EncodeDate(year, 12, 31));
    TDateTime ignored = 0;
    EXPECT_FALSE(TryStrToDate("13/1", ignored));
    EXPECT_FALSE(TryStrToDate("2024/4", ignored));
}

TEST_F(DateTimeTest, FieldOrderFollowsTheShortDateFormat)
{
    FormatSettings.ShortDateFormat = "dd/mm/yyyy";
    EXPECT_EQ(StrToDate("01/04/2024"), EncodeDate(2024, 4, 1));
    EXPECT_EQ(StrToDate("1/4/24"), EncodeDate(2024, 4, 1));
    TDateTime ignored = 0;
    EXPECT_FALSE(TryStrToDate("2024/04/01", ignored));
    FormatSettings.ShortDateFormat = "mm/dd/yy";
    EXPECT_EQ(StrToDate("04/01/24"), EncodeDate(2024, 4, 1));
    EXPECT_FALSE(TryStrToDate("13/01/24", ignored));
    // Quoted letters do not count.
    FormatSettings.ShortDateFormat = "'d'yyyy/mm/dd";
    EXPECT_EQ(StrToDate("2024/04/01"), EncodeDate(2024, 4, 1));
}

TEST_F(DateTimeTest, ParsesTimesOnTheTwentyFourHourClock)
{
    EXPECT_EQ(StrToTime("09:05"), EncodeTime(9, 5, 0, 0));
    EXPECT_EQ(StrToTime(" 9:5:7 "), EncodeTime(9, 5, 7, 0));
    EXPECT_EQ(StrToTime("23:59:59.999"), EncodeTime(23, 59, 59, 999));
    EXPECT_EQ(StrToTime("9:05:00.5"), EncodeTime(9, 5, 0, 5));
    EXPECT_EQ(StrToTime("0:00"), 0);
    for (const char* bad : {"24:00", "12:60", "12:00:60", "12", "12:", "12:00:", "12:00:00.", "12:00:00.1234",
                            "9:05 pm", "abc", "", "123:00", "12:00.5", "12:00:00 x"}) {
        TDateTime result = -7;
        EXPECT_FALSE(TryStrToTime(bad, result)) << bad;
        EXPECT_EQ(result, -7);
        EXPECT_THROW(StrToTime(bad), EConvertError) << bad;
    }
}

TEST_F(DateTimeTest, ParsesDateAndTimeTogether)
{
    EXPECT_EQ(StrToDateTime("2024/04/01 09:05:07"), At(2024, 4, 1, 9, 5, 7));
    EXPECT_EQ(StrToDateTime(" 2024/4/1 \t 9:05 "), At(2024, 4, 1, 9, 5));
    EXPECT_EQ(StrToDateTime("2024/04/01"), EncodeDate(2024, 4, 1));
    EXPECT_EQ(StrToDateTime("09:05"), EncodeTime(9, 5, 0, 0));
    for (const char* bad : {"2024/04/01T09:05", "2024/04/01 25:00", "2024/04/0109:05", "2024/02/30 09:00",
                            "2024/04/01 09:05 x", "", "abc"}) {
        TDateTime result = -7;
        EXPECT_FALSE(TryStrToDateTime(bad, result)) << bad;
        EXPECT_EQ(result, -7);
        EXPECT_THROW(StrToDateTime(bad), EConvertError) << bad;
    }
}

TEST_F(DateTimeTest, StoredTextsRoundTrip)
{
    const TDateTime values[] = {At(2024, 4, 1, 9, 5, 7),    At(1, 1, 1, 23, 59, 59),    At(9999, 12, 31, 0, 0, 1),
                                At(1899, 12, 30, 12, 0, 0), At(1850, 6, 15, 18, 30, 0), At(2000, 2, 29)};
    for (const TDateTime v : values) {
        const std::string text = FormatDateTime("yyyy/mm/dd hh:nn:ss", v);
        EXPECT_NEAR(StrToDateTime(text), v, 1e-9) << text;
        EXPECT_EQ(StrToDate(DateToStr(v)), std::trunc(v)) << text;
        EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", StrToDateTime(text)), text);
    }
}

TEST_F(DateTimeTest, NowIsTheLocalClock)
{
    const TDateTime now = Now();
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    const TDateTime expected = At(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                  local.tm_sec > 59 ? 59 : local.tm_sec);
    EXPECT_NEAR(now, expected, 2.0 / 86400);
    const TDateTime today = Date();
    EXPECT_EQ(today, std::trunc(today));
    EXPECT_NEAR(today, std::trunc(now), 1);
}

// A comma decimal point in the C and C++ locales must not leak into any text.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST_F(DateTimeTest, IgnoresTheMachineLocale)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "C.UTF-8"})
        if (std::setlocale(LC_ALL, name) != nullptr)
            break;
    const TDateTime v = At(2024, 4, 1, 9, 5, 7, 8);
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss.zzz dddd mmmm", v), "2024/04/01 09:05:07.008 月曜日 4月");
    EXPECT_EQ(StrToDateTime("2024/04/01 09:05:07.008"), v);
    std::setlocale(LC_ALL, previousC.c_str());
    std::locale::global(previous);
}

}  // namespace
