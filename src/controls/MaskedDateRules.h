#pragma once
// The older masked date edit's rules: its styles, their edit masks and
// display formats, reading a typed text back as a date, and the range it
// keeps.
//
// Masks are written in the masked edit's own notation ("0" a digit that must
// be typed, "9" one that may be, ";1" keep the separators, the last
// character the blank); QtEditMask turns them into the platform's, where the
// two digit signs are the other way round.

#include <string>

#include "calc/FiscalDates.h"
#include "platform/DateTime.h"

enum TLedrixDateStyle { ldsYearMonthDay, ldsYearMonth, ldsYear, ldsMonthDay, ldsMonth, ldsDay };

// Only these two styles are taken by the edit.
bool LedrixDateStyleTaken(TLedrixDateStyle style);
extern const char* const LedrixDateStyleRefused;  // the designer's message

// The mask of a style; eraOrTwoDigits for era entry or a two-digit year.
std::string LedrixDateMask(TLedrixDateStyle style, bool eraOrTwoDigits);
std::string QtEditMask(const std::string& mask);

// The text a date shows in a style. With era entry the year is the era year
// of the date in the era table (newest first); with a two-digit Western year
// its last two digits.
std::string LedrixDateText(TLedrixDateStyle style, bool eraEntry, bool fourDigits, TDateTime date,
                           const TGengoArray& eras);

// The date a typed text stands for (0 when it is none). A missing year comes
// from the range's start (the next year when the day would fall before the
// start); an era year counts in the era of the range's start.
TDateTime LedrixDateValue(TLedrixDateStyle style, bool eraEntry, bool fourDigits, const std::string& text,
                          TDateTime from, const TGengoArray& eras, TDateTime today);

// The end of the range: with era entry and a style without a year it is held
// to at most twelve months after the start, less a day.
TDateTime LedrixDateRangeEnd(TLedrixDateStyle style, bool eraEntry, TDateTime from, TDateTime to);
