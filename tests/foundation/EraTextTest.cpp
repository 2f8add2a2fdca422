#include "foundation/EraText.h"

#include "calc/FiscalDates.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

TDateTime D(int year, int month, int day)
{
    return EncodeDate(year, month, day);
}

// Every test starts from the built-in era table and the given era display,
// and leaves both as it found them.
class EraTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedDisplay_ = SystemDef.EraDisplay;
        BuildGengoTable();
    }
    void TearDown() override
    {
        SystemDef.EraDisplay = savedDisplay_;
        ClearGengoTable();
    }
    static void EraDisplay(bool on) { SystemDef.EraDisplay = on ? 1 : 0; }

private:
    std::int32_t savedDisplay_ = 0;
};

TEST_F(EraTextTest, KikanTextInEraForm)
{
    EraDisplay(true);
    EXPECT_EQ(GetKikanText(D(2024, 4, 1), D(2025, 3, 31)), "R 06/04/01 ～ R 07/03/31");
    EXPECT_EQ(GetKikanText(D(2019, 4, 1), D(2019, 5, 1)), "H 31/04/01 ～ R 01/05/01");
}

TEST_F(EraTextTest, KikanTextInWesternForm)
{
    EraDisplay(false);
    EXPECT_EQ(GetKikanText(D(2024, 4, 1), D(2025, 3, 31)), "2024/04/01 ～ 2025/03/31");
    // Only the value 1 turns the era display on.
    SystemDef.EraDisplay = 2;
    EXPECT_EQ(GetKikanText(D(2024, 4, 1), D(2025, 3, 31)), "2024/04/01 ～ 2025/03/31");
}

struct FormatCase {
    const char* pattern;
    int eraKind;
    TDateTime date;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << '"' << c.pattern << "\" kind " << c.eraKind;
}

std::string Slash(const FormatCase& c)
{
    std::string result = "stale";
    FormatWarekiDate(c.pattern, c.eraKind, result, c.date);
    return result;
}

std::string Kanji(const FormatCase& c)
{
    std::string result = "stale";
    FormatWarekiDateJ(c.pattern, c.eraKind, result, c.date);
    return result;
}

const TDateTime R6 = D(2024, 4, 1);
const TDateTime Y2005 = D(2005, 4, 1);  // Heisei 17

class SlashEraOn : public EraTextTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(SlashEraOn, Formats)
{
    EraDisplay(true);
    EXPECT_EQ(Slash(GetParam()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SlashEraOn,
    ::testing::Values(FormatCase{"yyyy/mm/dd", 2, R6, "R 06/04/01"}, FormatCase{"yy/mm/dd", 1, R6, "令和 06/04/01"},
                      FormatCase{"yy/mm/dd", 0, R6, "06/04/01"},   // trimmed
                      FormatCase{"yy/mm/dd", 3, R6, "R06/04/01"},  // no blank at all
                      FormatCase{"yyyy/mm", 2, R6, "R 06/04"}, FormatCase{"yy", 2, Y2005, "H 17"},
                      FormatCase{"yyyy/m/d", 2, R6, "R  6/ 4/ 1"}, FormatCase{"yyyy/m/d", 3, R6, "R6/4/1"},
                      FormatCase{"y/m/d", 0, R6, "6/ 4/ 1"}, FormatCase{"yy/m", 1, R6, "令和  6/ 4"},
                      FormatCase{"y", 2, R6, "R  6"}, FormatCase{"yy2/mm/dd", 2, R6, "R06/04/01"},
                      FormatCase{"yy2/mm/dd", 0, R6, "06/04/01"},
                      FormatCase{"yyyy/mm/dd", 9, R6, "令和 06/04/01"},  // other kinds: the era name
                      FormatCase{"yyyy/mm/dd", 2, D(2019, 4, 30), "H 31/04/30"},
                      FormatCase{"dd/mm/yyyy", 2, R6, ""},  // outside the table
                      FormatCase{"YYYY/MM/DD", 2, R6, ""}));

class SlashEraOff : public EraTextTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(SlashEraOff, Formats)
{
    EraDisplay(false);
    EXPECT_EQ(Slash(GetParam()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SlashEraOff,
    ::testing::Values(FormatCase{"yyyy/mm/dd", 2, R6, "2024/04/01"}, FormatCase{"yy/mm/dd", 3, R6, "24/04/01"},
                      FormatCase{"yyyy/mm", 1, R6, "2024/04"}, FormatCase{"yy", 1, Y2005, "05"},
                      FormatCase{"yyyy/m/d", 2, R6, "2024/ 4/ 1"}, FormatCase{"yy/m/d", 2, Y2005, " 5/ 4/ 1"},
                      FormatCase{"yyyy/m", 0, R6, "2024/ 4"}, FormatCase{"y/m", 0, R6, "24/ 4"},
                      FormatCase{"y", 0, Y2005, "05"}, FormatCase{"yy2/mm/dd", 2, R6, "24/04/01"},
                      FormatCase{"dd.mm.yyyy", 2, R6, "01.04.2024"}));  // outside: the pattern as it is

class KanjiEraOn : public EraTextTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(KanjiEraOn, Formats)
{
    EraDisplay(true);
    EXPECT_EQ(Kanji(GetParam()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KanjiEraOn,
    ::testing::Values(
        FormatCase{"yyyy年mm月dd日", 1, R6, "令和 06年04月01日"}, FormatCase{"yy年mm月dd日", 2, R6, "R 06年04月01日"},
        FormatCase{"yyyy年mm月dd日", 0, R6, "06年04月01日"},
        FormatCase{"yyyy年mm月dd日", 3, R6, "令和 06年04月01日"},  // 3 is the name, blanks kept
        FormatCase{"yyyy年mm月", 2, R6, "R 06年04月"}, FormatCase{"yy年", 2, R6, "R 06年"},
        FormatCase{"yyyy年m月d日", 1, R6, "令和  6年 4月 1日"}, FormatCase{"y年m月d日", 0, R6, "6年 4月 1日"},
        FormatCase{"yyyy年m月", 2, R6, "R  6年 4月"}, FormatCase{"y年m月", 2, R6, "R  6年 4月"},
        FormatCase{"y年", 1, R6, "令和 6年"}, FormatCase{"y", 2, Y2005, "H 17年"},
        FormatCase{"yyyy年 m月 d日", 2, R6, "R  6年 4月 1日"}, FormatCase{"yy年 m月 d日", 1, R6, "令和  6年 4月 1日"},
        FormatCase{"y年 m月", 2, R6, "R  6年 4月"}, FormatCase{"yyyy年 mm月 dd日", 2, R6, "R 06年 04月 01日"},
        FormatCase{"yy年 mm月", 0, R6, "06年 04月"}, FormatCase{"yyyy/mm/dd", 2, R6, ""},  // outside the table
        FormatCase{"mm月dd日", 2, R6, ""}));

class KanjiEraOff : public EraTextTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(KanjiEraOff, Formats)
{
    EraDisplay(false);
    EXPECT_EQ(Kanji(GetParam()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KanjiEraOff,
    ::testing::Values(FormatCase{"yyyy年mm月dd日", 1, R6, "2024年04月01日"},
                      FormatCase{"yy年mm月dd日", 1, R6, "24年04月01日"}, FormatCase{"yyyy年", 1, R6, "2024年"},
                      FormatCase{"yyyy年m月d日", 1, R6, "2024年 4月 1日"},
                      FormatCase{"yy年m月d日", 1, Y2005, " 5年 4月 1日"}, FormatCase{"yyyy年m月", 1, R6, "2024年 4月"},
                      FormatCase{"yy年m月", 1, Y2005, "05年 4月"}, FormatCase{"y年", 1, R6, "2024年"},
                      FormatCase{"y", 1, R6, "2024年"}, FormatCase{"yyyy年 m月 d日", 1, R6, "2024年 4月 1日"},
                      FormatCase{"y年 m月 d日", 1, Y2005, "05年 4月 1日"},
                      FormatCase{"yyyy年 m月", 1, R6, "2024年 4月"}, FormatCase{"yy年 m月", 1, Y2005, "05年 4月"},
                      FormatCase{"yyyy年 mm月 dd日", 1, R6, "2024年 04月 01日"},
                      FormatCase{"yy年 mm月", 1, R6, "24年 04月"},
                      FormatCase{"yyyy-mm", 1, R6, "2024-04"}));  // outside: the pattern as it is

TEST_F(EraTextTest, EmptyEraTableShowsTheWesternYear)
{
    EraDisplay(true);
    ClearGengoTable();
    std::string result;
    FormatWarekiDate("yyyy/mm/dd", 2, result, R6);
    EXPECT_EQ(result, " 2024/04/01");
    FormatWarekiDate("yyyy/mm/dd", 0, result, R6);
    EXPECT_EQ(result, "2024/04/01");
}

TEST(TextToDateTime, ReadsTheFixedFormatsWhateverTheCurrentSettings)
{
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DateSeparator = '-';
    FormatSettings.ShortDateFormat = "dd-MM-yyyy";
    FormatSettings.TimeSeparator = '.';

    EXPECT_EQ(TextToDateTime("2024/04/01"), D(2024, 4, 1));
    EXPECT_EQ(TextToDateTime(" 2024/4/1 "), D(2024, 4, 1));
    EXPECT_EQ(TextToDateTime("2024/04/01 13:45"), D(2024, 4, 1) + EncodeTime(13, 45, 0, 0));
    EXPECT_EQ(TextToDateTime("2024/04/01 13:45:10"), D(2024, 4, 1) + EncodeTime(13, 45, 10, 0));
    EXPECT_EQ(TextToDateTime("1880/05/01"), D(1880, 5, 1));
    for (const char* bad : {"", "abc", "2024/02/30", "01-04-2024", "2024/04/01 25:00", "2024年04月01日"})
        EXPECT_EQ(TextToDateTime(bad), 0) << bad;

    // The program's own settings are back afterwards.
    EXPECT_EQ(FormatSettings.DateSeparator, '-');
    EXPECT_EQ(FormatSettings.ShortDateFormat, "dd-MM-yyyy");
    EXPECT_EQ(FormatSettings.TimeSeparator, '.');
    FormatSettings = saved;
}

}  // namespace
