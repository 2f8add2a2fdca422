#include "foundation/AccRecord.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

// Restores the C locale and the environment a test changed.
class LocaleGuard {
public:
    LocaleGuard() : saved_(std::setlocale(LC_ALL, nullptr)) {}
    ~LocaleGuard()
    {
        std::setlocale(LC_ALL, saved_.c_str());
        ::unsetenv("LC_ALL");
        ::unsetenv("LANG");
    }

private:
    std::string saved_;
};

// The formats are fixed before main, so they hold whatever locale the
// process runs under; the conversions never consult the C locale.
TEST(AccRecordFormats, DatesAndTimesIgnoreTheLocale)
{
    const TDateTime stamp = EncodeDate(2024, 4, 1) + EncodeTime(9, 5, 7, 0);
    for (const char* locale : {"C", "C.UTF-8", "de_DE.UTF-8", "ja_JP.UTF-8", "en_US.UTF-8"}) {
        SCOPED_TRACE(locale);
        LocaleGuard guard;
        ::setenv("LC_ALL", locale, 1);
        ::setenv("LANG", locale, 1);
        std::setlocale(LC_ALL, locale);  // stays "C" where the locale is not installed
        EXPECT_EQ(FormatDateTime(FormatSettings.ShortDateFormat, stamp), "2024/04/01");
        EXPECT_EQ(FormatDateTime(FormatSettings.LongDateFormat, stamp), "2024年04月01日");
        EXPECT_EQ(FormatDateTime(FormatSettings.ShortTimeFormat, stamp), "09:05");
        EXPECT_EQ(FormatDateTime(FormatSettings.LongTimeFormat, stamp), "09:05:07");
        EXPECT_EQ(DateToStr(stamp), "2024/04/01");
    }
}

TEST(AccRecordFormats, ExplicitCallRestoresTheFormats)
{
    FormatSettings.DateSeparator = '.';
    FormatSettings.TimeSeparator = '-';
    FormatSettings.ShortDateFormat = "dd/mm/yy";
    FormatSettings.LongDateFormat = "d mmmm yyyy";
    FormatSettings.ShortTimeFormat = "h:n";
    FormatSettings.LongTimeFormat = "h:n:s";
    InitAccRecordFormats();

    const TDateTime stamp = EncodeDate(2024, 4, 1) + EncodeTime(9, 5, 7, 0);
    EXPECT_EQ(FormatDateTime(FormatSettings.ShortDateFormat, stamp), "2024/04/01");
    EXPECT_EQ(FormatDateTime(FormatSettings.LongDateFormat, stamp), "2024年04月01日");
    EXPECT_EQ(FormatDateTime(FormatSettings.ShortTimeFormat, stamp), "09:05");
    EXPECT_EQ(FormatDateTime(FormatSettings.LongTimeFormat, stamp), "09:05:07");
}

struct EditionColorCase {
    std::uint8_t edition;
    std::int32_t clientColor2;
    std::int32_t totalColor;
    std::int32_t activeColor;
};

void PrintTo(const EditionColorCase& c, std::ostream* os) { *os << "EditionFlag " << int(c.edition); }

class EditionColors : public ::testing::TestWithParam<EditionColorCase> {
protected:
    void TearDown() override
    {
        EditionFlag = 0;
        ApplyEditionColors();
    }
};

TEST_P(EditionColors, AccentColoursFollowTheEdition)
{
    const EditionColorCase& c = GetParam();
    // Start from the other edition's colours so a missed assignment shows.
    EditionFlag = (c.edition == 1 || c.edition == 2) ? 0 : 1;
    ApplyEditionColors();

    EditionFlag = c.edition;
    ApplyEditionColors();
    EXPECT_EQ(DefClientColor2, c.clientColor2);
    EXPECT_EQ(DefTotalColor, c.totalColor);
    EXPECT_EQ(DefActiveColor, c.activeColor);
}

INSTANTIATE_TEST_SUITE_P(AccRecord, EditionColors,
                         ::testing::Values(EditionColorCase{0, 14807295, 9357311, 2386943},
                                           EditionColorCase{1, 15925230, 14090184, 32768},
                                           EditionColorCase{2, 15925230, 14090184, 32768},
                                           EditionColorCase{3, 14807295, 9357311, 2386943}));

TEST(AccRecordHooks, ClearHooksEmptiesAllSeven)
{
    MenuCallbackHook = [](std::int32_t, const std::string&) { return 0; };
    ProcessLauncherHook = [](const std::string&, std::int32_t, const std::string&) { return 0; };
    DataCheckHook = [](const std::string&, const std::string&, std::int32_t) { return 1; };
    FormActivateHook = [](bool, std::int32_t) {};
    DataOpenedHook = [](std::int32_t) {};
    // The cash-book import's names reach the same two hooks.
    StatusTextHook = [](std::int32_t, const std::string&, std::int32_t, const std::string&) {};
    StatusRefreshHook = [](std::int32_t, std::int32_t) {};
    ASSERT_TRUE(DataCaptionHook);
    ASSERT_TRUE(DataPanelHook);

    ClearHooks();

    EXPECT_FALSE(MenuCallbackHook);
    EXPECT_FALSE(ProcessLauncherHook);
    EXPECT_FALSE(DataCheckHook);
    EXPECT_FALSE(FormActivateHook);
    EXPECT_FALSE(DataOpenedHook);
    EXPECT_FALSE(DataCaptionHook);
    EXPECT_FALSE(DataPanelHook);
}

} // namespace
