#include "foundation/ProcessFormats.h"

#include "platform/DateTime.h"

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
TEST(ProcessFormats, DatesAndTimesIgnoreTheLocale)
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

TEST(ProcessFormats, ExplicitCallRestoresTheFormats)
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

}  // namespace
