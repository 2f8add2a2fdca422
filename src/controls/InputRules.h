#pragma once
// Rules of the input dialog's fields that need no screen: the key filters of
// the text input and the length limit, which counts CP932 bytes (a
// full-width character takes two of them).

#include <cstddef>
#include <string>

// The key filters of the text input (Enter and control keys always pass):
//   10  Backspace, "-", "." and digits;
//   20  the letters A-Z and a-z;
//   30  digits and letters;
//   40  everything but " * , / : ; < > ? \ |;
//   any other value: no filter.
bool InputCharPasses(int filter, char32_t c);

// The text an edit should hold after a change from `before` to `after`
// when its limit is maxBytes (0: none): whatever the change inserted is cut
// (never inside a double-byte character) so that the whole fits; text that
// was already there is never cut. `cursor` is set to the end of the kept
// insertion, in UTF-8 bytes of the result. A text that CP932 cannot hold
// raises cp932::TextEncodingError.
std::string LimitInsertion(const std::string& before, const std::string& after, std::size_t maxBytes,
                           std::size_t& cursor);
