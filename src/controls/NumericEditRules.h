#pragma once
// What the numeric edit lets through and how it formats its number; the
// widget applies these to its keystrokes.

#include <optional>
#include <string>
#include <string_view>

enum TEditStyle { esNone, esNumeric, esFloat, esNumericMinus, esFloatMinus };
enum TZeroKey { zkNone, zkDot, zkPlus, zkMinus, zkAsterisk, zkSlash };
enum TKanaMode { kmNone, kmZenkaku, kmHankaku };

constexpr bool IsFloatStyle(TEditStyle s)
{
    return s == esFloat || s == esFloatMinus;
}
constexpr bool IsSignedStyle(TEditStyle s)
{
    return s == esNumericMinus || s == esFloatMinus;
}

// The character of a zero key ('\0' for zkNone).
char ZeroKeyChar(TZeroKey key);

// Whether a zero key types its zeros in this style: never in esNone, and
// not where its character has a meaning of its own ("." in a float style,
// "-" in a signed one).
bool ZeroKeyApplies(TEditStyle style, TZeroKey key);

// Whether a typed character gets through the style's filter: digits,
// Backspace, Tab and Esc always; "." in float styles; "-" in signed ones;
// everything in esNone.
bool CharPassesFilter(TEditStyle style, char32_t ch);

std::string RemoveCommas(std::string_view text);
// Non-overlapping "," in the text (UTF-8 keeps multibyte characters whole).
int CountCommas(std::string_view text);

// The value of an edit's text: commas removed, 0 when it is no number.
double EditTextValue(std::string_view text);

// The text after the minus key in a signed style: the negated value in plain
// decimal notation when the value is not zero; nothing when it is zero (the
// "-" is then typed).
std::optional<std::string> TurnedSign(std::string_view text);

// The text formatted by the output format: only in a style other than
// esNone, with a format, and not for an empty text when blanks are allowed;
// nothing otherwise.
std::optional<std::string> ApplyOutputFormat(std::string_view text, TEditStyle style, std::string_view outputFormat,
                                             bool allowBlank);
