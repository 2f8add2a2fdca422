#include "controls/MaskedDateRules.h"

#include <cstdio>
#include <vector>

const char* const LedrixDateStyleRefused = "現在、年月日・年月スタイルの入力形式のみ対応しています。";

namespace {

bool HasYear(TLedrixDateStyle s)
{
    return s == ldsYearMonthDay || s == ldsYearMonth || s == ldsYear;
}

// The era of a date in a newest-first table: the first that began on or
// before it, else the oldest; nullptr for an empty table.
const TGengoRec* EraOf(const TGengoArray& eras, TDateTime date)
{
    for (const TGengoRec& e : eras)
        if (e.STARTDATE <= date)
            return &e;
    return eras.empty() ? nullptr : &eras.back();
}

std::vector<int> Numbers(const std::string& text)
{
    std::vector<int> out;
    int value = -1;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            value = (value < 0 ? 0 : value * 10) + (c - '0');
        } else if (c == '/') {
            out.push_back(value);
            value = -1;
        }
    }
    out.push_back(value);
    return out;
}

}  // namespace

bool LedrixDateStyleTaken(TLedrixDateStyle style)
{
    return style == ldsYearMonthDay || style == ldsMonthDay;
}

std::string LedrixDateMask(TLedrixDateStyle style, bool eraOrTwoDigits)
{
    const char* year = eraOrTwoDigits ? "00" : "0000";
    switch (style) {
    case ldsYearMonthDay:
        return std::string(year) + "/99/99;1; ";
    case ldsYearMonth:
        return std::string(year) + "/99;1; ";
    case ldsYear:
        return std::string(year) + ";1; ";
    case ldsMonthDay:
        return "99/99;1; ";
    case ldsMonth:
    case ldsDay:
        return "99;1; ";
    }
    return {};
}

std::string QtEditMask(const std::string& mask)
{
    const std::size_t first = mask.find(';');
    std::string body = mask.substr(0, first);
    for (char& c : body) {
        if (c == '0')
            c = '9';
        else if (c == '9')
            c = '0';
    }
    const std::size_t last = mask.rfind(';');
    const std::string blank = last != std::string::npos && last + 1 < mask.size() ? mask.substr(last + 1) : " ";
    return body + ";" + blank;
}

std::string LedrixDateText(TLedrixDateStyle style, bool eraEntry, bool fourDigits, TDateTime date,
                           const TGengoArray& eras)
{
    int y, m, d;
    DecodeDate(date, y, m, d);
    bool four = fourDigits && !eraEntry;
    if (eraEntry) {
        if (const TGengoRec* era = EraOf(eras, date))
            y = y - era->YEAROFFSET + 1;
    } else if (!four) {
        y %= 100;
    }
    char buffer[32];
    switch (style) {
    case ldsYearMonthDay:
        std::snprintf(buffer, sizeof buffer, four ? "%4.4d/%2.2d/%2.2d" : "%2.2d/%2.2d/%2.2d", y, m, d);
        break;
    case ldsYearMonth:
        std::snprintf(buffer, sizeof buffer, four ? "%4.4d/%2.2d" : "%2.2d/%2.2d", y, m);
        break;
    case ldsYear:
        std::snprintf(buffer, sizeof buffer, four ? "%4.4d" : "%2.2d", y);
        break;
    case ldsMonthDay:
        std::snprintf(buffer, sizeof buffer, "%2.2d/%2.2d", m, d);
        break;
    case ldsMonth:
        std::snprintf(buffer, sizeof buffer, "%2.2d", m);
        break;
    case ldsDay:
        std::snprintf(buffer, sizeof buffer, "%2.2d", d);
        break;
    }
    return buffer;
}

TDateTime LedrixDateValue(TLedrixDateStyle style, bool eraEntry, bool fourDigits, const std::string& text,
                          TDateTime from, const TGengoArray& eras, TDateTime today)
{
    const std::vector<int> n = Numbers(text);
    const TDateTime base = from > 0 ? from : today;
    int by, bm, bd;
    DecodeDate(base, by, bm, bd);
    int y = by, m = 1, d = 1;
    std::size_t i = 0;
    if (HasYear(style)) {
        if (n.empty() || n[0] < 0)
            return 0;
        y = n[i++];
        if (eraEntry) {
            const TGengoRec* era = EraOf(eras, base);
            if (era == nullptr)
                return 0;
            y = y + era->YEAROFFSET - 1;
        } else if (!fourDigits) {
            y += by / 100 * 100;
        }
    }
    if (style != ldsYear && style != ldsDay) {
        if (i >= n.size() || n[i] < 0)
            return 0;
        m = n[i++];
    }
    if (style == ldsYearMonthDay || style == ldsMonthDay || style == ldsDay) {
        if (i >= n.size() || n[i] < 0)
            return 0;
        d = n[i++];
    }
    if (style == ldsDay)
        m = bm;
    TDateTime value = 0;
    if (!TryEncodeDate(y, m, d, value))
        return 0;
    if (!HasYear(style) && value < base && TryEncodeDate(y + 1, m, d, value))
        return value;
    return value;
}

TDateTime LedrixDateRangeEnd(TLedrixDateStyle style, bool eraEntry, TDateTime from, TDateTime to)
{
    if (!eraEntry || HasYear(style) || from <= 0)
        return to;
    int y, m, d;
    DecodeDate(from, y, m, d);
    const int index = y * 12 + m - 1 + 12;
    const int ty = index / 12, tm = index % 12 + 1;
    const TDateTime limit = EncodeDate(ty, tm, std::min(d, DaysInMonth(ty, tm))) - 1;
    return to > limit ? limit : to;
}
