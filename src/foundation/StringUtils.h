#pragma once
// Small text routines shared by every part of the program.
//
// Texts are UTF-8. Widths are what the accounting package counts: bytes of
// the Shift-JIS (CP932) form, a full-width character counting 2. The
// routines that count them convert to CP932, work on the bytes and convert
// back; they throw cp932::TextEncodingError for a text that is not valid
// UTF-8 or that CP932 cannot hold. Only RepairSJIS works on CP932 bytes
// themselves, since mending such bytes is its purpose.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/LCMapStr.h"
#include "foundation/MojiBunkatu.h"
#include "platform/DateTime.h"
#include "platform/NumberText.h"

// ---------------------------------------------------------------------------
// Splitting

// Splits a line at Separator into items:
//  1. a "//" and everything behind it are cut off (a trailing comment);
//  2. what remains empty: returns 0 and leaves every place untouched;
//  3. each Separator ends an item (an empty one where two meet or the text
//     starts with one); the rest behind the last Separator is the last item.
// Returns the index of the last item written, which is the number of
// separators used. Never writes past the caller's places: when the text holds
// more items than places, the last place receives the rest of the text
// unsplit (separators included) and the result is items.size() - 1; with no
// place at all nothing is written and the result is -1. An empty Separator
// never occurs, so the whole text is item 0.
int SplitStr(std::string_view text, std::string_view separator, std::span<std::string> items);

// Item n (counting from 1) of the text split at Separator. Every Separator
// becomes a line break and the text is read as lines: CR, LF or CR LF end a
// line (so a line break inside the text splits too), and a break at the very
// end adds no empty line. Empty for n out of range.
std::string GetSplitItem(std::string_view text, std::string_view separator, int n);

// ---------------------------------------------------------------------------
// Fixed width and blanks

// The text left-aligned in exactly n CP932 bytes: padded with blanks, or cut
// to its first n bytes with a double-byte character torn at byte n becoming a
// blank (RepairSJIS). Empty for n <= 0.
std::string FixLenStrL(std::string_view text, int n);

// The text right-aligned in exactly n CP932 bytes: blanks in front, or only
// its last n bytes. A UTF-8 text cannot hold half a character, so a
// double-byte character torn at the left edge becomes a blank (character
// boundaries are found by reading from the start). Empty for n <= 0.
std::string FixLenStrR(std::string_view text, int n);

// Mends Shift-JIS bytes: a lead byte followed by a byte that cannot be its
// trail byte turns, together with that byte, into two blanks; a lead byte
// at the very end becomes a blank. Takes and returns CP932 bytes.
std::string RepairSJIS(std::string_view sjis);

// n blanks for n up to 510; empty for n from 511 on (and for n < 0).
std::string SpaceStr(int n);

// The text brought to exactly n CP932 bytes: "0" bytes in front, or only its
// last n bytes (a character torn at the left edge becoming a blank, as in
// FixLenStrR). Empty for n <= 0.
std::string ZeroPadLeft(std::string_view text, int n);

// Removes blanks, control characters and full-width blanks "　" from both
// ends. Works on the UTF-8 text directly, so it accepts any text.
std::string TrimZen(std::string_view text);

// Removes every blank and every full-width blank "　".
std::string DelSpaceAll(std::string_view text);

// Removes every TAB, CR and LF.
std::string DelCtrlChars(std::string_view text);

// Full-width lower-case Latin letters "ａ".."ｚ" become "Ａ".."Ｚ"; every other
// character is kept.
std::string ZenUpperCase(std::string_view text);

// ---------------------------------------------------------------------------
// Conversions

// "" for date 0; else the date as "yy/mm/dd" (kind 2), "yyyy/mm/dd" (kind 4)
// or "yyyy/mm/dd hh:nn" (any other kind).
std::string DateToText(int kind, TDateTime date);
// StrToDate, or 0 when the text is not a date.
TDateTime StrToDateDef0(std::string_view text);
// StrToCurr, or 0 when the text is not an amount.
Currency StrToCurrDef0(std::string_view text);
std::string BoolToTrueFalse(bool value);  // "TRUE" / "FALSE"
int BoolToInt(bool value);                // 1 / 0
// True when a pointer, function or handle is set.
template <class T>
constexpr bool IsAssigned(const T& ref)
{
    return ref != nullptr;
}
// The value with thousands separators: "#,##0".
std::string IntToKingakuStr(std::int32_t value);
