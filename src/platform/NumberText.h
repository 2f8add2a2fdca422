#pragma once
// Amounts and numbers and their text forms, independent of any locale.
//
// Amounts (Currency) are 64-bit integers scaled by 10000, as the accounting
// package stores them; they never pass through double on the way to text.
// The decimal point is always ".", the thousands separator always ",".
// Blanks are spaces and tabs.

#include <cstdint>
#include <string>
#include <string_view>

using Currency = std::int64_t;  // value × 10000
constexpr Currency CurrencyScale = 10000;

// Shortest decimal form: "1234", "-12.5", "0.0001". No thousands separators,
// never an exponent; every Currency value, the extremes included, has one.
std::string CurrToStr(Currency value);
// Grammar: blanks, optional "+" or "-", digits, optional "." and up to 4
// digits, blanks ("5." and ".5" are fine; at least one digit). Thousands
// separators, exponents, more decimals and values outside the Currency range
// are errors. Throws EConvertError (DateTime.h) in the throwing form.
bool TryStrToCurr(std::string_view text, Currency& result);
Currency StrToCurr(std::string_view text);

// General form with up to 15 significant digits (rounded), trailing zeros
// removed: "1.5", "100", "0.0001". The exponent form "d.dddEx" (no "+", no
// leading zeros in the exponent) is used when the value is 1E15 or more in
// magnitude or below 0.0001: "1E15", "1.5E-5", "-1.23456789012346E20".
// Zero (also -0) is "0"; not-a-number and infinities are "NAN", "INF", "-INF".
std::string FloatToStr(double value);
// Grammar: blanks, optional sign, digits with an optional "." fraction (at
// least one digit), optional exponent "E"/"e" [sign] digits, blanks. No
// "inf"/"nan", no hexadecimal. A value too large for a double is an error; one
// too small becomes 0. Throws EConvertError in the throwing form.
bool TryStrToFloat(std::string_view text, double& result);
double StrToFloat(std::string_view text);

// Format patterns, up to three sections "positive;negative;zero":
//   0    a digit always shown;  #  a digit shown when significant
//   .    the first one is the decimal point (shown only when fraction digits
//        follow); further ones are ignored
//   ,    anywhere in the section turns on grouping by three in the integer
//        part; it is never copied itself
//   "x" 'x'  copied without the quotes
//   any other byte (UTF-8 included) is copied; there is no exponent notation.
// Integer digits beyond the placeholders come out at the first one; leading
// zeros come from the "0" placeholders from the first "0" on ("#" of 0 is the
// empty text, "0" of 0 is "0"). The fraction keeps its "0" places and as many
// "#" places as have non-zero digits.
// The value is rounded half away from zero to the section's fraction places;
// a double is first taken to 15 significant digits, as FloatToStr does, so
// 2.675 with "0.00" gives "2.68". A negative value uses the negative section
// as written (no minus of its own), or the positive one with a leading "-"
// when that section is missing or empty. Zero, or a value that rounds to zero,
// uses the zero section when there is a non-empty one, otherwise the positive
// one, never with a minus. An empty format, or an empty positive section,
// gives FloatToStr (FormatFloat) or CurrToStr (FormatCurr). Not-a-number and
// infinities give "NAN", "INF", "-INF".
std::string FormatFloat(std::string_view format, double value);
std::string FormatCurr(std::string_view format, Currency value);

// Optional "+" or "-" and decimal digits with surrounding blanks; anything
// else (hexadecimal included), or a value outside 32 bits, gives def.
int StrToIntDef(std::string_view text, int def);
bool TryStrToInt(std::string_view text, int& result);
