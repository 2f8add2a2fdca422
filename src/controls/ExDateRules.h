#pragma once
// The rules of the segmented date edit that need no screen: which boxes a
// style shows, the era list and the era box's items, how a value is shown in
// the boxes, and how the boxes are validated into a value.
//
// Box texts are what the user typed (digits only); the era and AM/PM boxes
// are positions in their lists, -1 for none selected. Eras use the program's
// era record (newest first); the edit passes in the era table it was given
// and the system's era list.

#include <array>
#include <string>
#include <vector>

#include "calc/FiscalDates.h"
#include "platform/DateTime.h"

enum TLedrixExDateEditStyle {
    desYearMonthDayHMS,
    desYearMonthDayHM,
    desYearMonthDayH,
    desYearMonthDay,
    desYearMonth,
    desYear,
    desHourMinuteSecond,
    desHourMinute,
    desHour
};
enum TLedrixExRekiSet { rsSeireki, rsWareki, rsBoth };
enum TLedrixExYeardigitSet { yddigit2, yddigit4 };

// The boxes, in the order validation looks for an empty one.
enum TExDateBox { dbEra, dbYear, dbMonth, dbDay, dbAmpm, dbHour, dbMinute, dbSecond };
constexpr int ExDateBoxCount = 8;

// 1873-01-01, the first date the edit handles; and the day before it, the
// empty value (in MinDate and MaxDate: no limit).
TDateTime ExDateBaseDate();
TDateTime ExDateEmptyValue();
// Whether a limit is set (neither the empty value nor 0).
bool ExDateLimitSet(TDateTime limit);

using TExDateShown = std::array<bool, ExDateBoxCount>;
TExDateShown ExDateShownBoxes(TLedrixExDateEditStyle style, bool editGengo, bool editAmpm);
bool ExDateHasDate(TLedrixExDateEditStyle style);
bool ExDateHasTime(TLedrixExDateEditStyle style);

// The eras from the one holding maxDate to the one holding minDate, both
// ends included; a limit not set, or not later than 1873-01-02, does not
// narrow; ends in the wrong order give the whole table.
TGengoArray BuildEraList(const TGengoArray& table, TDateTime minDate, TDateTime maxDate);

struct TExDateSettings {
    TLedrixExDateEditStyle Style = desYearMonthDay;
    bool EditGengo = true;
    bool EditAmpm = false;
    TLedrixExRekiSet Gengo = rsWareki;
    TLedrixExYeardigitSet Yeardigit = yddigit4;
    bool CanEmpty = true;
    TDateTime MinDate = ExDateEmptyValue();
    TDateTime MaxDate = ExDateEmptyValue();
    bool UseWarekiTable = false;
    TGengoArray EraList;     // the narrowed era table given to the edit
    TGengoArray SystemEras;  // the system's era list
    TDateTime Today = 0;     // today's date (time 0)
};

// The era box's items: "西暦" first unless the form is rsWareki, then the era
// names (the era list's with UseWarekiTable and a non-empty list, else the
// system's, at most 7), each list ending at an empty name.
std::vector<std::string> ExDateEraItems(const TExDateSettings& s);

struct TExDateBoxes {
    std::array<std::string, ExDateBoxCount> Text;  // dbEra and dbAmpm unused
    int EraIndex = -1;
    int AmpmIndex = -1;  // 0 "午前", 1 "午後"
};

// Shows a value in the boxes: the date part when the year box is shown and
// the value is on or after 1873-01-01; the time part when the hour box is
// shown and the time of day is not 0 (else the time boxes stay as they are).
// Returns whether the date part was shown (the edit is then no longer empty).
bool ShowExDateValue(TDateTime value, const TExDateSettings& s, TExDateBoxes& boxes);

// The value a style keeps of a value written to the edit, clamped to the
// limits that are set.
TDateTime ExDateKeptValue(TDateTime value, const TExDateSettings& s);

struct TExDateCheck {
    bool Ok = false;
    bool Empty = false;         // all shown boxes were empty (and that is allowed when Ok)
    TDateTime Value = 0;        // when Ok and not Empty
    std::string Message;        // when not Ok
    TExDateBox Focus = dbYear;  // the box to focus when not Ok
};

// Validates the boxes (texts are trimmed first).
TExDateCheck ValidateExDate(TExDateBoxes boxes, const TExDateSettings& s);

// The messages, each ending in a full-width stop and two full-width blanks.
extern const char* const ExDateMsgAllEmpty;
extern const char* const ExDateMsgSomeEmpty;
extern const char* const ExDateMsgTime11;
extern const char* const ExDateMsgTime23;
extern const char* const ExDateMsgBadTime;
extern const char* const ExDateMsgBefore1873;
extern const char* const ExDateMsg2999;
extern const char* const ExDateMsgBadDate;
extern const char* const ExDateMsgBadDateTime;
extern const char* const ExDateMsgBadValue;
