#pragma once
// Dates and times as the accounting package keeps them, and their text forms.
//
// A TDateTime counts days since 1899-12-30 with the time of day as the
// fraction, so 0 is "no date" to every caller that tests for it. Text forms
// follow the process-wide FormatSettings (fixed at start-up), never the C or
// Qt locale, so a stored text reads the same on every machine.

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

bool TryEncodeDate(int year, int month, int day, TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

TDateTime Now();
TDateTime Date();  // today, time 0

// Format specifiers: d dd ddd dddd, m mm (minutes right after h/hh), mmm
// mmmm, yy yyyy, h hh, n nn, s ss, z zzz, "/" and ":" (the separators of
// FormatSettings), text in double or single quotes verbatim; any other byte,
// UTF-8 included, is copied. Letters are case-insensitive.
std::string FormatDateTime(std::string_view format, TDateTime value);
std::string DateToStr(TDateTime value);      // ShortDateFormat
std::string TimeToStr(TDateTime value);      // LongTimeFormat
std::string DateTimeToStr(TDateTime value);  // date, then the time when it is not 0:00:00

// Text -> date. Grammar (the date order of ShortDateFormat, year-month-day):
//   date     = year sep month sep day | month sep day   (the current year)
//   year     = 1 to 4 digits; 1 or 2 digits add 2000 when below 50, else 1900
//   month    = 1 or 2 digits, day = 1 or 2 digits, sep = DateSeparator
// blanks around the text are ignored; anything else is an error.
bool TryStrToDate(std::string_view text, TDateTime& result);
TDateTime StrToDate(std::string_view text);
// time = hour ":" minute [":" second ["." millis]]; 24-hour clock.
bool TryStrToTime(std::string_view text, TDateTime& result);
TDateTime StrToTime(std::string_view text);
// date [blank time]
bool TryStrToDateTime(std::string_view text, TDateTime& result);
TDateTime StrToDateTime(std::string_view text);
