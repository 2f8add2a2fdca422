#include "platform/DateTime.h"
#include "platform/AsciiText.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>

TFormatSettings FormatSettings;

namespace {

constexpr int MinDay = -693593;  // 0001-01-01
constexpr int MaxDay = 2958465;  // 9999-12-31
// Days from 0001-01-01 (counted as day 1) to 1899-12-30.
constexpr int DateDelta = 693594;
constexpr std::int64_t MSecsPerDay = 86400000;

constexpr std::array<std::array<int, 13>, 2> DaysBeforeMonth{{
    {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
}};

constexpr std::array<const char*, 13> MonthNames{"",    "1月", "2月", "3月",  "4月",  "5月", "6月",
                                                 "7月", "8月", "9月", "10月", "11月", "12月"};
constexpr std::array<const char*, 7> ShortDayNames{"日", "月", "火", "水", "木", "金", "土"};
constexpr std::array<const char*, 7> LongDayNames{"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};

using ascii::IsBlank;

using ascii::TrimBlanks;

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Day number of a date already known to be valid.
int DayNumber(int year, int month, int day)
{
    const int y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400 + DaysBeforeMonth[IsLeapYear(year) ? 1 : 0][month] + day - DateDelta;
}

void SplitDayNumber(int dayNumber, int& year, int& month, int& day)
{
    constexpr int D1 = 365;
    constexpr int D4 = D1 * 4 + 1;
    constexpr int D100 = D4 * 25 - 1;
    constexpr int D400 = D100 * 4 + 1;
    int n = dayNumber + DateDelta - 1;  // days since 0001-01-01
    int y = 1;
    y += (n / D400) * 400;
    n %= D400;
    int i = n / D100;
    if (i == 4)
        i = 3;  // the last day of a 400-year cycle
    y += i * 100;
    n -= i * D100;
    y += (n / D4) * 4;
    n %= D4;
    i = n / D1;
    if (i == 4)
        i = 3;  // 31 December of a leap year
    y += i;
    n -= i * D1;
    const auto& before = DaysBeforeMonth[IsLeapYear(y) ? 1 : 0];
    int m = 12;
    while (before[m] > n)
        --m;
    year = y;
    month = m;
    day = n - before[m] + 1;
}

// A value as a day number and the milliseconds of its day. The fraction
// counts away from zero, so the day is the value truncated toward zero.
// False for values outside the calendar or not finite.
bool SplitValue(TDateTime value, int& dayNumber, int& msOfDay)
{
    if (!std::isfinite(value) || value <= MinDay - 1.0 || value >= MaxDay + 1.0)
        return false;
    const long long ms = std::llround(value * static_cast<double>(MSecsPerDay));
    const long long days = ms / MSecsPerDay;
    if (days < MinDay || days > MaxDay)
        return false;
    dayNumber = static_cast<int>(days);
    msOfDay = static_cast<int>(std::llabs(ms) % MSecsPerDay);
    return true;
}

TDateTime Combine(TDateTime date, TDateTime time)
{
    return date >= 0 ? date + time : date - time;
}

struct Fields {
    bool valid = false;
    int year = 0, month = 0, day = 0;
    int hour = 0, min = 0, sec = 0, msec = 0;
    int dayOfWeek = -1;  // 0 = Sunday
};

Fields FieldsOf(TDateTime value)
{
    Fields f;
    int dayNumber = 0;
    int ms = 0;
    if (!SplitValue(value, dayNumber, ms))
        return f;
    f.valid = true;
    SplitDayNumber(dayNumber, f.year, f.month, f.day);
    f.hour = ms / 3600000;
    f.min = ms / 60000 % 60;
    f.sec = ms / 1000 % 60;
    f.msec = ms % 1000;
    // 0001-01-01 was a Monday.
    f.dayOfWeek = (dayNumber + DateDelta) % 7;
    return f;
}

std::string IntText(long long value)
{
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

void AppendNumber(std::string& out, int value, int minDigits)
{
    const std::string digits = IntText(value);
    if (static_cast<int>(digits.size()) < minDigits)
        out.append(static_cast<std::size_t>(minDigits) - digits.size(), '0');
    out += digits;
}

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view what)
{
    if (text.size() - pos < what.size())
        return false;
    for (std::size_t i = 0; i < what.size(); ++i)
        if (UpperAscii(text[pos + i]) != UpperAscii(what[i]))
            return false;
    return true;
}

// Whether an am/pm specifier follows the hour at pos before the next hour
// specifier: then the hour is on the 12-hour clock.
bool UsesTwelveHourClock(std::string_view format, std::size_t pos)
{
    char quote = 0;
    for (; pos < format.size(); ++pos) {
        const char c = format[pos];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == 'h' || c == 'H') {
            return false;
        } else if (c == 'a' || c == 'A') {
            return StartsWithNoCase(format, pos, "am/pm") || StartsWithNoCase(format, pos, "a/p") ||
                   StartsWithNoCase(format, pos, "ampm");
        }
    }
    return false;
}

void AppendFormatted(std::string& out, std::string_view format, const Fields& f, int depth);

void AppendNested(std::string& out, std::string_view format, const Fields& f, int depth)
{
    // A named format that names itself (ShortDateFormat = "c") must not
    // recurse for ever.
    if (depth < 2)
        AppendFormatted(out, format, f, depth + 1);
}

void AppendFormatted(std::string& out, std::string_view format, const Fields& f, int depth)
{
    char lastToken = 0;
    // Once an am/pm specifier has been seen, every later hour is on the
    // 12-hour clock too.
    bool twelveHour = false;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (!IsAsciiLetter(c)) {
            ++i;
            if (c == '"' || c == '\'') {
                const std::size_t close = format.find(c, i);
                const std::size_t end = close == std::string_view::npos ? format.size() : close;
                out.append(format.substr(i, end - i));
                i = close == std::string_view::npos ? end : end + 1;
            } else if (c == '/') {
                out += FormatSettings.DateSeparator;
            } else if (c == ':') {
                out += FormatSettings.TimeSeparator;
            } else {
                out += c;
            }
            continue;
        }

        char token = UpperAscii(c);
        if (token == 'M' && lastToken == 'H')
            token = 'N';
        lastToken = token;

        if (token == 'A') {
            if (StartsWithNoCase(format, i, "am/pm")) {
                out.append(format.substr(f.hour >= 12 ? i + 3 : i, 2));
                i += 5;
                twelveHour = true;
            } else if (StartsWithNoCase(format, i, "a/p")) {
                out.append(format.substr(f.hour >= 12 ? i + 2 : i, 1));
                i += 3;
                twelveHour = true;
            } else if (StartsWithNoCase(format, i, "ampm")) {
                out += f.hour >= 12 ? "午後" : "午前";
                i += 4;
                twelveHour = true;
            } else if (StartsWithNoCase(format, i, "aaaa")) {
                if (f.valid)
                    out += LongDayNames[static_cast<std::size_t>(f.dayOfWeek)];
                i += 4;
            } else if (StartsWithNoCase(format, i, "aaa")) {
                if (f.valid)
                    out += ShortDayNames[static_cast<std::size_t>(f.dayOfWeek)];
                i += 3;
            } else {
                out += c;
                ++i;
            }
            continue;
        }

        std::size_t runEnd = i + 1;
        if (token == 'Y' || token == 'M' || token == 'N' || token == 'D' || token == 'H' || token == 'S' ||
            token == 'Z' || token == 'T' || token == 'C') {
            while (runEnd < format.size() && UpperAscii(format[runEnd]) == UpperAscii(c))
                ++runEnd;
        }
        const int count = static_cast<int>(runEnd - i);
        i = runEnd;

        switch (token) {
        case 'Y':
            if (count <= 2)
                AppendNumber(out, f.year % 100, 2);
            else
                AppendNumber(out, f.year, 4);
            break;
        case 'M':
            if (count <= 2)
                AppendNumber(out, f.month, count);
            else
                out += MonthNames[static_cast<std::size_t>(f.month)];
            break;
        case 'D':
            if (count <= 2)
                AppendNumber(out, f.day, count);
            else if (count == 3 && f.valid)
                out += ShortDayNames[static_cast<std::size_t>(f.dayOfWeek)];
            else if (count == 4 && f.valid)
                out += LongDayNames[static_cast<std::size_t>(f.dayOfWeek)];
            else if (count == 5)
                AppendNested(out, FormatSettings.ShortDateFormat, f, depth);
            else if (count >= 6)
                AppendNested(out, FormatSettings.LongDateFormat, f, depth);
            break;
        case 'H': {
            int hour = f.hour;
            if (!twelveHour)
                twelveHour = UsesTwelveHourClock(format, i);
            if (twelveHour) {
                if (hour == 0)
                    hour = 12;
                else if (hour > 12)
                    hour -= 12;
            }
            AppendNumber(out, hour, count > 2 ? 2 : count);
            break;
        }
        case 'N':
            AppendNumber(out, f.min, count > 2 ? 2 : count);
            break;
        case 'S':
            AppendNumber(out, f.sec, count > 2 ? 2 : count);
            break;
        case 'Z':
            AppendNumber(out, f.msec, count > 3 ? 3 : count);
            break;
        case 'T':
            AppendNested(out, count == 1 ? FormatSettings.ShortTimeFormat : FormatSettings.LongTimeFormat, f, depth);
            break;
        case 'C':
            AppendNested(out, FormatSettings.ShortDateFormat, f, depth);
            if (f.hour != 0 || f.min != 0 || f.sec != 0) {
                out += ' ';
                AppendNested(out, FormatSettings.LongTimeFormat, f, depth);
            }
            break;
        default:
            out += c;
            break;
        }
    }
}

// Reads 1 to 4 digits at pos (a fifth digit is left for the caller to trip
// over). No blanks are skipped.
bool ScanNumber(std::string_view text, std::size_t& pos, int& value, int& length)
{
    const std::size_t start = pos;
    int v = 0;
    while (pos < text.size() && pos - start < 4 && text[pos] >= '0' && text[pos] <= '9') {
        v = v * 10 + (text[pos] - '0');
        ++pos;
    }
    length = static_cast<int>(pos - start);
    value = v;
    return length > 0;
}

bool ScanChar(std::string_view text, std::size_t& pos, char c)
{
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

enum class DateOrder { YMD, MDY, DMY };

DateOrder OrderOfShortDateFormat()
{
    char quote = 0;
    for (const char c : FormatSettings.ShortDateFormat) {
        if (quote != 0) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            continue;
        }
        switch (UpperAscii(c)) {
        case 'Y':
            return DateOrder::YMD;
        case 'M':
            return DateOrder::MDY;
        case 'D':
            return DateOrder::DMY;
        default:
            break;
        }
    }
    return DateOrder::YMD;
}

int CurrentYear()
{
    int year = 0, month = 0, day = 0;
    DecodeDate(Now(), year, month, day);
    return year;
}

bool ScanDate(std::string_view text, std::size_t& pos, TDateTime& result)
{
    const char sep = FormatSettings.DateSeparator;
    int n1 = 0, n2 = 0, n3 = 0, l1 = 0, l2 = 0, l3 = 0;
    if (!ScanNumber(text, pos, n1, l1) || !ScanChar(text, pos, sep) || !ScanNumber(text, pos, n2, l2))
        return false;
    const DateOrder order = OrderOfShortDateFormat();
    int year = 0, month = 0, day = 0, yearLength = 0;
    if (ScanChar(text, pos, sep)) {
        if (!ScanNumber(text, pos, n3, l3))
            return false;
        switch (order) {
        case DateOrder::YMD:
            year = n1, yearLength = l1, month = n2, day = n3;
            if (l2 > 2 || l3 > 2)
                return false;
            break;
        case DateOrder::MDY:
            month = n1, day = n2, year = n3, yearLength = l3;
            if (l1 > 2 || l2 > 2)
                return false;
            break;
        case DateOrder::DMY:
            day = n1, month = n2, year = n3, yearLength = l3;
            if (l1 > 2 || l2 > 2)
                return false;
            break;
        }
        // Two-digit years use a fixed window so that a stored text never
        // changes its meaning as the years pass.
        if (yearLength <= 2)
            year += year < 50 ? 2000 : 1900;
    } else {
        if (l1 > 2 || l2 > 2)
            return false;
        if (order == DateOrder::DMY)
            day = n1, month = n2;
        else
            month = n1, day = n2;
        year = CurrentYear();
    }
    return TryEncodeDate(year, month, day, result);
}

bool ScanTime(std::string_view text, std::size_t& pos, TDateTime& result)
{
    const char sep = FormatSettings.TimeSeparator;
    int hour = 0, min = 0, sec = 0, msec = 0, length = 0;
    if (!ScanNumber(text, pos, hour, length) || length > 2)
        return false;
    if (!ScanChar(text, pos, sep) || !ScanNumber(text, pos, min, length) || length > 2)
        return false;
    if (ScanChar(text, pos, sep)) {
        if (!ScanNumber(text, pos, sec, length) || length > 2)
            return false;
        if (ScanChar(text, pos, '.')) {
            if (!ScanNumber(text, pos, msec, length) || length > 3)
                return false;
        }
    }
    return TryEncodeTime(hour, min, sec, msec, result);
}

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

}  // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return 0;
    const auto& before = DaysBeforeMonth[IsLeapYear(year) ? 1 : 0];
    return month == 12 ? 31 : before[month + 1] - before[month];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    result = DayNumber(year, month, day);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError("Invalid date " + IntText(year) + "-" + IntText(month) + "-" + IntText(day));
    return result;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        return false;
    const std::int64_t ms = ((hour * 60LL + min) * 60 + sec) * 1000 + msec;
    result = static_cast<double>(ms) / static_cast<double>(MSecsPerDay);
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime result = 0;
    if (!TryEncodeTime(hour, min, sec, msec, result))
        throw EConvertError("Invalid time " + IntText(hour) + ":" + IntText(min) + ":" + IntText(sec) + "." +
                            IntText(msec));
    return result;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    const Fields f = FieldsOf(value);
    year = f.year;
    month = f.month;
    day = f.day;
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec)
{
    const Fields f = FieldsOf(value);
    hour = f.hour;
    min = f.min;
    sec = f.sec;
    msec = f.msec;
}

TDateTime Now()
{
    using namespace std::chrono;
    const long long sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    long long seconds = sinceEpoch / 1000;
    long long ms = sinceEpoch % 1000;
    if (ms < 0) {
        ms += 1000;
        --seconds;
    }
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr)
        throw EConvertError("The clock cannot be read as local time");
    const int sec = local.tm_sec > 59 ? 59 : local.tm_sec;  // leap second
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, sec, static_cast<int>(ms));
}

TDateTime Date()
{
    return std::trunc(Now());
}

std::string FormatDateTime(std::string_view format, TDateTime value)
{
    std::string out;
    AppendFormatted(out, format.empty() ? std::string_view("c") : format, FieldsOf(value), 0);
    return out;
}

std::string DateToStr(TDateTime value)
{
    return FormatDateTime(FormatSettings.ShortDateFormat, value);
}
std::string TimeToStr(TDateTime value)
{
    return FormatDateTime(FormatSettings.LongTimeFormat, value);
}
std::string DateTimeToStr(TDateTime value)
{
    return FormatDateTime("c", value);
}

namespace {

// The whole (trimmed) text must be one date or one time, nothing more.
template <typename Scan>
bool ScanWhole(std::string_view text, Scan scan, TDateTime& result)
{
    text = TrimBlanks(text);
    std::size_t pos = 0;
    TDateTime value = 0;
    if (!scan(text, pos, value) || pos != text.size())
        return false;
    result = value;
    return true;
}

// The throwing form of a Try* conversion.
TDateTime OrThrow(bool (*tryConvert)(std::string_view, TDateTime&), std::string_view text, const char* what)
{
    TDateTime result = 0;
    if (!tryConvert(text, result))
        throw EConvertError(Quoted(text) + " is not a valid " + what);
    return result;
}

}  // namespace

bool TryStrToDate(std::string_view text, TDateTime& result)
{
    return ScanWhole(text, ScanDate, result);
}
TDateTime StrToDate(std::string_view text)
{
    return OrThrow(TryStrToDate, text, "date");
}

bool TryStrToTime(std::string_view text, TDateTime& result)
{
    return ScanWhole(text, ScanTime, result);
}
TDateTime StrToTime(std::string_view text)
{
    return OrThrow(TryStrToTime, text, "time");
}

bool TryStrToDateTime(std::string_view text, TDateTime& result)
{
    text = TrimBlanks(text);
    std::size_t pos = 0;
    TDateTime date = 0;
    if (!ScanDate(text, pos, date))
        return TryStrToTime(text, result);
    if (pos == text.size()) {
        result = date;
        return true;
    }
    if (!IsBlank(text[pos]))
        return false;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    TDateTime time = 0;
    if (!ScanTime(text, pos, time) || pos != text.size())
        return false;
    result = Combine(date, time);
    return true;
}

TDateTime StrToDateTime(std::string_view text)
{
    return OrThrow(TryStrToDateTime, text, "date and time");
}
