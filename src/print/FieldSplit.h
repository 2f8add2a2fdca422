#pragma once
// The small field helpers the engine's units share.

#include <string>
#include <string_view>
#include <vector>

namespace fol {

// Cuts the text at its first "//" (the rest is a comment), then splits it at
// the separator into pieces (an empty piece where a separator comes first)
// and the remainder after the last separator. Returns the number of
// separators, 0 for an empty text. At most MaxSeparators separators are
// taken; whatever follows the last one taken stays in the last piece.
constexpr int MaxSeparators = 100;
int SplitFields(std::string_view text, char separator, std::vector<std::string>& pieces);

// Piece n (0 = before the first separator) of SplitFields, trimmed; empty
// when the text has fewer than n separators.
std::string FieldOf(std::string_view text, char separator, int n);

// The text as a number, or 0 when it is not one.
double SafeStrToFloat(std::string_view text);

}  // namespace fol
