#pragma once
// The print engine's key filter for its number fields: whether a typed
// character may enter the text, by the field's kind.
//
//   0  digits; a "0" is refused when the text is not empty and is worth 0
//   1  as 0, and Backspace
//   2  digits, Backspace and "."; "0" refused after a text "0" or ".";
//      "." refused in an empty text or one that has a "." already
//   3  digits, Backspace and "-"; "0" refused after a text "0" or "-";
//      "-" only in an empty text
//   4  as 3, with "." as in 2, and "0" refused after a text "." too
//
// In kinds 2 to 4 a selection over the whole text lifts the "0" and "-"
// rules, as the typed character replaces the text.

#include <string_view>

enum TKeyFilterKind { kfDigits = 0, kfDigitsBack = 1, kfDecimal = 2, kfSigned = 3, kfSignedDecimal = 4 };

bool NumericKeyAllowed(char32_t ch, std::string_view text, bool wholeTextSelected, int kind);
