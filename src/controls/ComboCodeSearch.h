#pragma once
// The code search of the key-navigating combo box: items that begin with a
// code ("001:現金") are found by typing the code.
//
// Texts are UTF-8; lengths count characters, as the box counts what is typed.

#include <string>
#include <string_view>
#include <vector>

// The code inside a typed text: the text up to the first keyTerm when that
// lies within the first keyLen characters, else the first keyLen characters;
// trimmed of blanks. keyLen 0 or less gives an empty key.
std::string ComboSearchKey(std::string_view text, int keyLen, std::string_view keyTerm);

// Whether the text begins with a double-byte character of the Shift-JIS code
// page (half-width katakana are single-byte there).
bool StartsWithDoubleByte(std::string_view text);

// The first item that begins with the key, ASCII letters compared without
// case, searching from the item at start to the end and then from the top;
// -1 when none does.
int FindItemByCode(const std::vector<std::string>& items, std::string_view key, int start);
