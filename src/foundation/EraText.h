#pragma once
// Dates and date ranges as text, in Western or Japanese era form, and dates
// read from text with the fixed Japanese formats.
//
// The era form follows the operator's era-display switch
// (SystemDef.EraDisplay; on means 1) and converts through the program's era
// table (calc/FiscalDates.h): with an empty table a date has no era and
// shows its Western year after an empty era text.

#include <string>
#include <string_view>

#include "platform/DateTime.h"

// The text read as a date and time with the date separator "/", the time
// separator ":", the short date format "yyyy/MM/dd", the long date format
// "yyyy年MM月dd日" and the time formats "hh:mm" / "hh:mm:ss", whatever the
// program's current format settings are; 0 when the text is not a date.
TDateTime TextToDateTime(std::string_view text);

// A date range "from ～ to". Era display on: each date is the era sign, a
// blank and the era year, month and day with two digits each ("R 06/04/01");
// off: "yyyy/mm/dd".
std::string GetKikanText(TDateTime from, TDateTime to);

// A date formatted by a pattern of the table below, in era form when the
// era display is on. EraKind chooses the era text: 0 none (the result is
// trimmed), 1 the era name, 2 the era sign, 3 the era sign with every
// blank removed from the result; any other value the era name.
//
//   pattern                 era display on           off
//   yyyy/mm/dd, yy/mm/dd    "%s %.2d/%.2d/%.2d"       the pattern, formatted
//   yyyy/mm, yy/mm          "%s %.2d/%.2d"            the pattern, formatted
//   yyyy, yy                "%s %.2d"                 the pattern, formatted
//   yyyy/m/d                "%s %2d/%2d/%2d"          "%4d/%2d/%2d"
//   yy/m/d, y/m/d           "%s %2d/%2d/%2d"          "%2d/%2d/%2d" (two-digit year)
//   yyyy/m                  "%s %2d/%2d"              "%4d/%2d"
//   yy/m, y/m               "%s %2d/%2d"              "%2d/%2d" (two-digit year)
//   y                       "%s %2d"                  the pattern, formatted
//   yy2/mm/dd               "%s%.2d/%.2d/%.2d"        "yy/mm/dd", formatted
//
// With the era display on, a pattern outside the table gives an empty text;
// with it off, the pattern is formatted as it is (FormatDateTime). Should
// anything fail the result is the date as "yyyy/mm/dd".
void FormatWarekiDate(std::string_view pattern, int eraKind, std::string& result, TDateTime date);

// The same for patterns with 年, 月 and 日 (EraKind 3 is the era name here
// and removes no blanks):
//
//   pattern                              era display on              off
//   yyyy年mm月dd日, yy年mm月dd日          "%s %.2d年%.2d月%.2d日"      formatted
//   yyyy年mm月, yy年mm月                  "%s %.2d年%.2d月"            formatted
//   yyyy年, yy年                          "%s %.2d年"                  formatted
//   yyyy年m月d日                          "%s %2d年%2d月%2d日"         "%4d年%2d月%2d日"
//   yy年m月d日, y年m月d日                 "%s %2d年%2d月%2d日"         "%2d年%2d月%2d日" (yy)
//   yyyy年m月                             "%s %2d年%2d月"              "%4d年%2d月"
//   yy年m月, y年m月                       "%s %2d年%2d月"              "%.2d年%2d月" (yy)
//   y年, y                                "%s %d年"                    "%4d年"
//   yyyy年 m月 d日                        "%s %2d年 %d月 %d日"         "%4d年 %d月 %d日"
//   yy年 m月 d日, y年 m月 d日             "%s %2d年 %d月 %d日"         "%.2d年 %d月 %d日" (yy)
//   yyyy年 m月                            "%s %2d年 %d月"              "%4d年 %d月"
//   yy年 m月, y年 m月                     "%s %2d年 %d月"              "%.2d年 %d月" (yy)
//   yyyy年 mm月 dd日, yy年 mm月 dd日      "%s %.2d年 %.2d月 %.2d日"    formatted
//   yyyy年 mm月, yy年 mm月                "%s %.2d年 %.2d月"           formatted
//
// Should anything fail the result is the date as "yyyy年mm月dd日".
void FormatWarekiDateJ(std::string_view pattern, int eraKind, std::string& result, TDateTime date);
