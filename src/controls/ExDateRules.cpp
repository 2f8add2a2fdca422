#include "controls/ExDateRules.h"

#include <algorithm>
#include <cmath>

const char* const ExDateMsgAllEmpty = "入力欄が全て空白です．　　";
const char* const ExDateMsgSomeEmpty = "空白の入力欄があります．　　";
const char* const ExDateMsgTime11 = "時刻の入力可能な値は11時59分59秒までです．　　";
const char* const ExDateMsgTime23 = "時刻の入力可能な値は23時59分59秒までです．　　";
const char* const ExDateMsgBadTime = "時刻が正しくありません．　　";
const char* const ExDateMsgBefore1873 = "1873年01月01日(明治6年01月01日)より前の日付は処理できません．　　";
const char* const ExDateMsg2999 = "2999年以降は元号に変換できません．　　";
const char* const ExDateMsgBadDate = "日付が正しくありません（変換できません）．　　";
const char* const ExDateMsgBadDateTime = "日付または時刻が正しくありません．　　";
const char* const ExDateMsgBadValue = "正しくない日付時刻型の値がセットされました．　　";

TDateTime ExDateBaseDate()
{
    return EncodeDate(1873, 1, 1);
}
TDateTime ExDateEmptyValue()
{
    return ExDateBaseDate() - 1;
}
bool ExDateLimitSet(TDateTime limit)
{
    return limit != 0 && limit != ExDateEmptyValue();
}

bool ExDateHasDate(TLedrixExDateEditStyle style)
{
    return style <= desYear;
}
bool ExDateHasTime(TLedrixExDateEditStyle style)
{
    return style <= desYearMonthDayH || style >= desHourMinuteSecond;
}

TExDateShown ExDateShownBoxes(TLedrixExDateEditStyle style, bool editGengo, bool editAmpm)
{
    TExDateShown shown{};
    const bool date = ExDateHasDate(style);
    shown[dbYear] = date;
    shown[dbEra] = date && editGengo;
    shown[dbMonth] = date && style != desYear;
    shown[dbDay] = date && style != desYear && style != desYearMonth;
    const bool time = ExDateHasTime(style);
    shown[dbHour] = time;
    shown[dbAmpm] = time && editAmpm;
    shown[dbMinute] = style == desYearMonthDayHMS || style == desYearMonthDayHM || style == desHourMinuteSecond ||
                      style == desHourMinute;
    shown[dbSecond] = style == desYearMonthDayHMS || style == desHourMinuteSecond;
    return shown;
}

namespace {

// The era that holds the date in a newest-first table: its start is on or
// before the date and the next newer era starts after it.
int EraHolding(const TGengoArray& table, TDateTime date)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        const TDateTime nextStart = i == 0 ? EncodeDate(2101, 1, 1) : table[i - 1].STARTDATE;
        if (table[i].STARTDATE <= date && nextStart > date)
            return static_cast<int>(i);
    }
    return -1;
}

const TGengoArray& ErasInUse(const TExDateSettings& s)
{
    return s.UseWarekiTable && !s.EraList.empty() ? s.EraList : s.SystemEras;
}

int YearOf(TDateTime date)
{
    int y, m, d;
    DecodeDate(date, y, m, d);
    return y;
}

bool ParseBox(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 4)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

TDateTime Clamp(TDateTime v, const TExDateSettings& s)
{
    if (ExDateLimitSet(s.MinDate) && v < s.MinDate)
        v = s.MinDate;
    if (ExDateLimitSet(s.MaxDate) && v > s.MaxDate)
        v = s.MaxDate;
    return v;
}

TExDateCheck Fail(const char* message, TExDateBox focus)
{
    TExDateCheck check;
    check.Message = message;
    check.Focus = focus;
    return check;
}

TExDateBox FirstShown(const TExDateShown& shown)
{
    for (int b = 0; b < ExDateBoxCount; ++b)
        if (shown[b])
            return static_cast<TExDateBox>(b);
    return dbYear;
}

}  // namespace

TGengoArray BuildEraList(const TGengoArray& table, TDateTime minDate, TDateTime maxDate)
{
    const TDateTime floor = ExDateBaseDate() + 1;
    int from = 0;
    int to = static_cast<int>(table.size()) - 1;
    if (ExDateLimitSet(maxDate) && maxDate > floor) {
        const int i = EraHolding(table, maxDate);
        if (i >= 0)
            from = i;
    }
    if (ExDateLimitSet(minDate) && minDate > floor) {
        const int i = EraHolding(table, minDate);
        if (i >= 0)
            to = i;
    }
    if (from > to)
        return table;
    return TGengoArray(table.begin() + from, table.begin() + to + 1);
}

std::vector<std::string> ExDateEraItems(const TExDateSettings& s)
{
    std::vector<std::string> items;
    if (s.Gengo != rsWareki)
        items.push_back("西暦");
    const bool table = s.UseWarekiTable && !s.EraList.empty();
    const TGengoArray& eras = ErasInUse(s);
    for (std::size_t i = 0; i < eras.size() && (table || i < 7); ++i) {
        if (eras[i].GNAME.empty())
            break;
        items.push_back(eras[i].GNAME);
    }
    return items;
}

bool ShowExDateValue(TDateTime value, const TExDateSettings& s, TExDateBoxes& boxes)
{
    const TExDateShown shown = ExDateShownBoxes(s.Style, s.EditGengo, s.EditAmpm);
    bool dateShown = false;
    if (shown[dbYear] && value >= ExDateBaseDate()) {
        dateShown = true;
        int y, m, d;
        DecodeDate(value, y, m, d);
        int eraIndex = -1;
        if (s.Gengo != rsSeireki) {
            const TGengoArray& eras = ErasInUse(s);
            for (std::size_t i = 0; i < eras.size(); ++i)
                if (eras[i].STARTDATE <= value) {
                    eraIndex = static_cast<int>(i);
                    break;
                }
            if (eraIndex < 0 && !eras.empty())
                eraIndex = static_cast<int>(eras.size()) - 1;
        }
        if (eraIndex >= 0) {
            const TGengoArray& eras = ErasInUse(s);
            boxes.EraIndex = s.Gengo == rsBoth ? eraIndex + 1 : eraIndex;
            boxes.Text[dbYear] = std::to_string(y - eras[eraIndex].YEAROFFSET + 1);
        } else {
            boxes.EraIndex = s.Gengo == rsWareki ? -1 : 0;
            boxes.Text[dbYear] = std::to_string(s.Yeardigit == yddigit2 ? y % 100 : y);
        }
        boxes.Text[dbMonth] = std::to_string(m);
        boxes.Text[dbDay] = std::to_string(d);
    }
    const double timeOfDay = value - std::floor(value);
    if (shown[dbHour] && timeOfDay != 0) {
        int h, n, sec, ms;
        DecodeTime(value, h, n, sec, ms);
        if (s.EditAmpm) {
            boxes.AmpmIndex = h > 11 ? 1 : 0;
            if (h > 11)
                h -= 12;
        }
        boxes.Text[dbHour] = std::to_string(h);
        boxes.Text[dbMinute] = std::to_string(n);
        boxes.Text[dbSecond] = std::to_string(sec);
    }
    return dateShown;
}

TDateTime ExDateKeptValue(TDateTime value, const TExDateSettings& s)
{
    TDateTime kept = value;
    if (!ExDateHasTime(s.Style))
        kept = std::floor(value);
    else if (!ExDateHasDate(s.Style))
        kept = value - std::floor(value);
    return Clamp(kept, s);
}

TExDateCheck ValidateExDate(TExDateBoxes boxes, const TExDateSettings& s)
{
    const TExDateShown shown = ExDateShownBoxes(s.Style, s.EditGengo, s.EditAmpm);
    if (!s.EditGengo)
        boxes.EraIndex = -1;
    for (std::string& t : boxes.Text)
        t = Trim(t);

    const bool maxSet = ExDateLimitSet(s.MaxDate);
    if (!shown[dbAmpm])
        boxes.AmpmIndex = -1;  // a hidden AM/PM box reads as "AM"
    if (!shown[dbYear]) {
        const int y = YearOf(maxSet ? s.MaxDate : s.Today);
        boxes.Text[dbYear] = std::to_string(s.Yeardigit == yddigit2 ? y % 100 : y);
    }
    if (!shown[dbMonth])
        boxes.Text[dbMonth] = "1";
    if (!shown[dbDay])
        boxes.Text[dbDay] = "1";
    if (!shown[dbHour])
        boxes.Text[dbHour] = "0";
    if (!shown[dbMinute])
        boxes.Text[dbMinute] = "0";
    if (!shown[dbSecond])
        boxes.Text[dbSecond] = "0";

    const auto isEmpty = [&](int b) {
        if (b == dbEra)
            return shown[dbEra] && boxes.EraIndex < 0;
        if (b == dbAmpm)
            return shown[dbAmpm] && boxes.AmpmIndex < 0;
        return shown[b] && boxes.Text[b].empty();
    };
    bool allEmpty = true;
    for (int b : {dbYear, dbMonth, dbDay, dbHour, dbMinute, dbSecond})
        if (shown[b] && !boxes.Text[b].empty())
            allEmpty = false;
    if (allEmpty) {
        if (!s.CanEmpty) {
            TExDateCheck check = Fail(ExDateMsgAllEmpty, FirstShown(shown));
            check.Empty = true;
            return check;
        }
        TExDateCheck check;
        check.Ok = check.Empty = true;
        return check;
    }
    bool someEmpty = false;
    for (int b = dbYear; b < ExDateBoxCount; ++b)
        someEmpty = someEmpty || isEmpty(b);
    if (someEmpty) {
        for (int b = 0; b < ExDateBoxCount; ++b)
            if (isEmpty(b))
                return Fail(ExDateMsgSomeEmpty, static_cast<TExDateBox>(b));
    }

    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    ParseBox(boxes.Text[dbYear], year);
    ParseBox(boxes.Text[dbMonth], month);
    ParseBox(boxes.Text[dbDay], day);
    ParseBox(boxes.Text[dbHour], hour);
    ParseBox(boxes.Text[dbMinute], minute);
    ParseBox(boxes.Text[dbSecond], second);

    if (shown[dbYear]) {
        const int eraPos = std::max(boxes.EraIndex, 0) + (s.Gengo == rsWareki ? 1 : 0);
        const TGengoArray& eras = ErasInUse(s);
        if (eraPos == 0) {
            if (s.Yeardigit == yddigit2)
                year += YearOf(s.Today) / 100 * 100;
        } else if (eraPos - 1 < static_cast<int>(eras.size())) {
            year = year + eras[eraPos - 1].YEAROFFSET - 1;
        }
    }

    TDateTime time = 0;
    if (shown[dbHour]) {
        const bool twelve = shown[dbAmpm] && boxes.AmpmIndex >= 0;
        const char* rangeMessage = twelve ? ExDateMsgTime11 : ExDateMsgTime23;
        if (hour > (twelve ? 11 : 23))
            return Fail(rangeMessage, dbHour);
        if (minute > 59 || second > 59)
            return Fail(rangeMessage, dbMinute);
        if (twelve && boxes.AmpmIndex == 1)
            hour += 12;
        if (!TryEncodeTime(hour, minute, second, 0, time))
            return Fail(ExDateMsgBadTime, shown[dbAmpm] ? dbAmpm : dbHour);
    }

    TDateTime date = 0;
    if (shown[dbYear]) {
        if (year < 1873)
            return Fail(ExDateMsgBefore1873, dbYear);
        if (year >= 2999 && s.Gengo != rsSeireki)
            return Fail(ExDateMsg2999, dbYear);
        if (!TryEncodeDate(year, month, day, date))
            return Fail(ExDateMsgBadDate, dbYear);
    } else {
        date = std::floor(maxSet ? s.MaxDate : s.Today);
    }
    const TDateTime value = Clamp(date + time, s);
    if (!std::isfinite(value) || value <= 0)
        return Fail(ExDateMsgBadDateTime, FirstShown(shown));
    TExDateCheck check;
    check.Ok = true;
    check.Value = value;
    return check;
}
