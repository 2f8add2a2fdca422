#include "foundation/EraText.h"

#include <cstddef>
#include <cstdio>
#include <exception>
#include <utility>

#include "calc/FiscalDates.h"
#include "foundation/SystemDef.h"
#include "foundation/StringUtils.h"
#include "platform/AsciiText.h"

namespace {

bool EraDisplayOn()
{
    return SystemDef.EraDisplay == 1;
}

// The settings in force while a text is read, put back on every way out.
class ScopedFormatSettings {
public:
    explicit ScopedFormatSettings(TFormatSettings settings) : saved_(std::exchange(FormatSettings, std::move(settings)))
    {}
    ~ScopedFormatSettings() { FormatSettings = std::move(saved_); }
    ScopedFormatSettings(const ScopedFormatSettings&) = delete;
    ScopedFormatSettings& operator=(const ScopedFormatSettings&) = delete;

private:
    TFormatSettings saved_;
};

// printf-style formatting for the fixed formats of the tables below. Era
// formats take (era text, year, month, day), Western ones (year, month, day);
// a format reads the leading arguments it names and ignores the rest.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
template <class... Args>
std::string Printf(const char* format, Args... args)
{
    const int length = std::snprintf(nullptr, 0, format, args...);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<std::size_t>(length));
    return text;
}
#pragma GCC diagnostic pop

std::string FormatEra(const char* format, const std::string& era, int year, int month, int day)
{
    return Printf(format, era.c_str(), year, month, day);
}

std::string FormatWestern(const char* format, int year, int month, int day)
{
    return Printf(format, year, month, day);
}

// What a pattern becomes with the era display off.
enum class Western {
    Pattern,    // the pattern itself through FormatDateTime
    Other,      // another pattern (westernFormat) through FormatDateTime
    FullYear,   // westernFormat with the four-digit year, month and day
    ShortYear,  // westernFormat with the two-digit year, month and day
};

struct PatternRow {
    std::string_view pattern;
    const char* eraFormat;
    Western western;
    const char* westernFormat;
};

constexpr PatternRow SlashPatterns[]{
    {"yyyy/mm/dd", "%s %.2d/%.2d/%.2d", Western::Pattern, nullptr},
    {"yy/mm/dd", "%s %.2d/%.2d/%.2d", Western::Pattern, nullptr},
    {"yyyy/mm", "%s %.2d/%.2d", Western::Pattern, nullptr},
    {"yy/mm", "%s %.2d/%.2d", Western::Pattern, nullptr},
    {"yyyy", "%s %.2d", Western::Pattern, nullptr},
    {"yy", "%s %.2d", Western::Pattern, nullptr},
    {"yyyy/m/d", "%s %2d/%2d/%2d", Western::FullYear, "%4d/%2d/%2d"},
    {"yy/m/d", "%s %2d/%2d/%2d", Western::ShortYear, "%2d/%2d/%2d"},
    {"y/m/d", "%s %2d/%2d/%2d", Western::ShortYear, "%2d/%2d/%2d"},
    {"yyyy/m", "%s %2d/%2d", Western::FullYear, "%4d/%2d"},
    {"yy/m", "%s %2d/%2d", Western::ShortYear, "%2d/%2d"},
    {"y/m", "%s %2d/%2d", Western::ShortYear, "%2d/%2d"},
    {"y", "%s %2d", Western::Pattern, nullptr},
    {"yy2/mm/dd", "%s%.2d/%.2d/%.2d", Western::Other, "yy/mm/dd"},
};

constexpr PatternRow KanjiPatterns[]{
    {"yyyy年mm月dd日", "%s %.2d年%.2d月%.2d日", Western::Pattern, nullptr},
    {"yy年mm月dd日", "%s %.2d年%.2d月%.2d日", Western::Pattern, nullptr},
    {"yyyy年mm月", "%s %.2d年%.2d月", Western::Pattern, nullptr},
    {"yy年mm月", "%s %.2d年%.2d月", Western::Pattern, nullptr},
    {"yyyy年", "%s %.2d年", Western::Pattern, nullptr},
    {"yy年", "%s %.2d年", Western::Pattern, nullptr},
    {"yyyy年m月d日", "%s %2d年%2d月%2d日", Western::FullYear, "%4d年%2d月%2d日"},
    {"yy年m月d日", "%s %2d年%2d月%2d日", Western::ShortYear, "%2d年%2d月%2d日"},
    {"y年m月d日", "%s %2d年%2d月%2d日", Western::ShortYear, "%2d年%2d月%2d日"},
    {"yyyy年m月", "%s %2d年%2d月", Western::FullYear, "%4d年%2d月"},
    {"yy年m月", "%s %2d年%2d月", Western::ShortYear, "%.2d年%2d月"},
    {"y年m月", "%s %2d年%2d月", Western::ShortYear, "%.2d年%2d月"},
    {"y年", "%s %d年", Western::FullYear, "%4d年"},
    {"y", "%s %d年", Western::FullYear, "%4d年"},
    {"yyyy年 m月 d日", "%s %2d年 %d月 %d日", Western::FullYear, "%4d年 %d月 %d日"},
    {"yy年 m月 d日", "%s %2d年 %d月 %d日", Western::ShortYear, "%.2d年 %d月 %d日"},
    {"y年 m月 d日", "%s %2d年 %d月 %d日", Western::ShortYear, "%.2d年 %d月 %d日"},
    {"yyyy年 m月", "%s %2d年 %d月", Western::FullYear, "%4d年 %d月"},
    {"yy年 m月", "%s %2d年 %d月", Western::ShortYear, "%.2d年 %d月"},
    {"y年 m月", "%s %2d年 %d月", Western::ShortYear, "%.2d年 %d月"},
    {"yyyy年 mm月 dd日", "%s %.2d年 %.2d月 %.2d日", Western::Pattern, nullptr},
    {"yy年 mm月 dd日", "%s %.2d年 %.2d月 %.2d日", Western::Pattern, nullptr},
    {"yyyy年 mm月", "%s %.2d年 %.2d月", Western::Pattern, nullptr},
    {"yy年 mm月", "%s %.2d年 %.2d月", Western::Pattern, nullptr},
};

template <std::size_t N>
const PatternRow* FindRow(const PatternRow (&rows)[N], std::string_view pattern)
{
    for (const PatternRow& row : rows)
        if (row.pattern == pattern)
            return &row;
    return nullptr;
}

std::string EraTextOf(const TWarekiRec& wareki, int eraKind, bool signForKind3)
{
    switch (eraKind) {
    case 0:
        return {};
    case 2:
        return wareki.GengoSign;
    case 3:
        return signForKind3 ? wareki.GengoSign : wareki.GengoName;
    default:
        return wareki.GengoName;
    }
}

// The common body of both formatters; kanji selects the table and the rules
// that differ between them.
std::string FormatDate(std::string_view pattern, int eraKind, TDateTime date, bool kanji)
{
    const PatternRow* row = kanji ? FindRow(KanjiPatterns, pattern) : FindRow(SlashPatterns, pattern);

    if (EraDisplayOn()) {
        if (row == nullptr)
            return {};
        TWarekiRec wareki;
        DateToWareki(wareki, date);
        std::string text =
            FormatEra(row->eraFormat, EraTextOf(wareki, eraKind, !kanji), wareki.Year, wareki.Month, wareki.Day);
        if (eraKind == 0)
            return std::string(ascii::TrimBlanksAndControls(text));
        if (eraKind == 3 && !kanji)
            return DelSpaceAll(text);
        return text;
    }

    if (row == nullptr)
        return FormatDateTime(pattern, date);
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    switch (row->western) {
    case Western::Pattern:
        return FormatDateTime(pattern, date);
    case Western::Other:
        return FormatDateTime(row->westernFormat, date);
    case Western::FullYear:
        return FormatWestern(row->westernFormat, year, month, day);
    case Western::ShortYear:
        return FormatWestern(row->westernFormat, year % 100, month, day);
    }
    return {};
}

}  // namespace

TDateTime TextToDateTime(std::string_view text)
{
    TFormatSettings fixed;
    fixed.DateSeparator = '/';
    fixed.TimeSeparator = ':';
    fixed.ShortDateFormat = "yyyy/MM/dd";
    fixed.LongDateFormat = "yyyy年MM月dd日";
    fixed.ShortTimeFormat = "hh:mm";
    fixed.LongTimeFormat = "hh:mm:ss";
    const ScopedFormatSettings scope(std::move(fixed));
    TDateTime result = 0;
    return TryStrToDateTime(text, result) ? result : 0;
}

std::string GetKikanText(TDateTime from, TDateTime to)
{
    auto dateText = [](TDateTime date) {
        if (!EraDisplayOn())
            return FormatDateTime("yyyy/mm/dd", date);
        TWarekiRec wareki;
        DateToWareki(wareki, date);
        return FormatEra("%s %.2d/%.2d/%.2d", wareki.GengoSign, wareki.Year, wareki.Month, wareki.Day);
    };
    return dateText(from) + " ～ " + dateText(to);
}

void FormatWarekiDate(std::string_view pattern, int eraKind, std::string& result, TDateTime date)
{
    try {
        result = FormatDate(pattern, eraKind, date, false);
    } catch (const std::exception&) {
        result = FormatDateTime("yyyy/mm/dd", date);
    }
}

void FormatWarekiDateJ(std::string_view pattern, int eraKind, std::string& result, TDateTime date)
{
    try {
        result = FormatDate(pattern, eraKind, date, true);
    } catch (const std::exception&) {
        result = FormatDateTime("yyyy年mm月dd日", date);
    }
}
