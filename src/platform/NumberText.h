#pragma once
// Amounts and numbers and their text forms, independent of any locale.
//
// Amounts (Currency) are 64-bit integers scaled by 10000, as the accounting
// package stores them; they never pass through double on the way to text.

#include <cstdint>
#include <string>
#include <string_view>

using Currency = std::int64_t;  // value × 10000
constexpr Currency CurrencyScale = 10000;

// Shortest decimal form: "1234", "-12.5", "0.0001". No thousands separators.
std::string CurrToStr(Currency value);
// Grammar: blanks, optional sign, digits, optional "." and up to 4 digits,
// blanks. Thousands separators and more decimals are errors. Throws
// EConvertError (DateTime.h) in the throwing form.
bool TryStrToCurr(std::string_view text, Currency& result);
Currency StrToCurr(std::string_view text);

// General form with up to 15 significant digits: "1.5", "100", "1E20".
std::string FloatToStr(double value);
// Grammar: blanks, optional sign, digits with an optional "." fraction,
// optional exponent "E"/"e" [sign] digits, blanks.
bool TryStrToFloat(std::string_view text, double& result);
double StrToFloat(std::string_view text);

// Format patterns: "0" a digit always shown, "#" a digit shown when
// significant, "." the decimal point, "," anywhere in the integer part turns
// on thousands grouping, quoted text verbatim, up to three sections
// "positive;negative;zero"; other bytes are copied. Rounds half away from zero.
std::string FormatFloat(std::string_view format, double value);
std::string FormatCurr(std::string_view format, Currency value);

// Optional sign and decimal digits with surrounding blanks; anything else,
// or a value outside 32 bits, gives def.
int StrToIntDef(std::string_view text, int def);
bool TryStrToInt(std::string_view text, int& result);
