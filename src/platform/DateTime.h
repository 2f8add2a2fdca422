#pragma once
// Dates and times as the accounting package keeps them, and their text forms.
//
// A TDateTime counts days since 1899-12-30 with the time of day as the
// fraction, so 0 is "no date" to every caller that tests for it. Before
// 1899-12-30 the value is negative and the fraction still counts the time of
// day away from zero: -1.25 is 1899-12-29 06:00. Years run from 1 to 9999
// (proleptic Gregorian calendar). Text forms follow the process-wide
// FormatSettings (fixed at start-up), never the C or Qt locale, so a stored
// text reads the same on every machine.

#include <stdexcept>
#include <string>
#include <string_view>

using TDateTime = double;

// Raised by the throwing conversions (StrToDate and the like) and by
// EncodeDate / EncodeTime for values outside the calendar.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TFormatSettings {
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "yyyy/MM/dd";
    std::string LongDateFormat = "yyyy年MM月dd日";
    std::string ShortTimeFormat = "hh:mm";
    std::string LongTimeFormat = "hh:mm:ss";
};

// The process-wide settings every conversion below reads.
extern TFormatSettings FormatSettings;

// Encoding checks the calendar: month 1-12, day within the month, year
// 1-9999; hour 0-23, minute and second 0-59, msec 0-999. The Try forms
// return false, the others raise EConvertError.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
// Decoding first rounds the value to whole milliseconds (23:59:59.9996 is
// the next day). A value outside 0001-01-01 .. 9999-12-31, or not a finite
// number, decodes to all zeros (year, month and day 0; time 0:00:00.000).
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1-12

TDateTime Now();   // local time, to the millisecond
TDateTime Date();  // today, time 0

// Format specifiers (a run of one letter, in either case, is one specifier):
//   d dd        day without / with a leading zero
//   ddd dddd    day of the week: "日".."土" / "日曜日".."土曜日"
//   ddddd       ShortDateFormat,  dddddd (or more d) LongDateFormat
//   aaa aaaa    the same day names as ddd / dddd
//   m mm        month without / with a leading zero; minutes instead when
//               the letter before it (skipping non-letters) is h
//   mmm mmmm    month name: "1月".."12月" for both
//   yy yyyy     two-digit year / four-digit year (y is yy, yyy is yyyy)
//   h hh        hour: 0-23, or 1-12 once an am/pm specifier has come before
//               it or comes after it before the next h
//   n nn        minute;  s ss  second;  z zzz  millisecond (zz is z padded to 2)
//   am/pm a/p   "am"/"pm" or "a"/"p", in the letter case of the format
//   ampm        "午前" / "午後"
//   t tt        ShortTimeFormat / LongTimeFormat
//   c           ShortDateFormat, then " " and LongTimeFormat unless the time
//               is 0:00:00 (an empty format means "c")
//   /  :        FormatSettings.DateSeparator / TimeSeparator
//   "text" 'text'  copied without the quotes (an unclosed quote runs to the end)
// Any other byte, UTF-8 included, is copied; so are other letters (era
// specifiers g and e are not supported and come out as written). A named
// format (c, ddddd, t ...) nests at most two levels deep.
std::string FormatDateTime(std::string_view format, TDateTime value);
std::string DateToStr(TDateTime value);      // ShortDateFormat
std::string TimeToStr(TDateTime value);      // LongTimeFormat
std::string DateTimeToStr(TDateTime value);  // "c": date, then the time when it is not 0:00:00

// Text -> date. Blanks are spaces and tabs; blanks around the text are
// ignored, and anything else outside this grammar is an error:
//   date  = n sep n sep n      (three fields in the order of ShortDateFormat)
//         | n sep n            (month and day of the current year; day and
//                               month when ShortDateFormat starts with d)
//   sep   = FormatSettings.DateSeparator, with no blanks around it
// The order of the three fields is that of the first of the letters y, m, d
// in ShortDateFormat: y gives year-month-day (also the order when none of
// them appears), m month-day-year, d day-month-year.
//   year  = 1 to 4 digits; with 1 or 2 digits, values below 50 add 2000 and
//           the rest add 1900 (a fixed window, not moving with the clock);
//           3 or 4 digits are the year as written ("024" is the year 24)
//   month = 1 or 2 digits;  day = 1 or 2 digits
// The result must be a calendar date ("2024/02/30" is an error).
bool TryStrToDate(std::string_view text, TDateTime& result);
TDateTime StrToDate(std::string_view text);
// time = hour sep minute [sep second ["." millis]] on the 24-hour clock,
// sep = FormatSettings.TimeSeparator; hour, minute and second 1 or 2 digits,
// millis 1 to 3 digits read as a count of milliseconds ("9:05:00.5" is 5 ms,
// as "z" writes it). No am/pm.
bool TryStrToTime(std::string_view text, TDateTime& result);
TDateTime StrToTime(std::string_view text);
// date [blanks time] | time (then the date part is 0)
bool TryStrToDateTime(std::string_view text, TDateTime& result);
TDateTime StrToDateTime(std::string_view text);
