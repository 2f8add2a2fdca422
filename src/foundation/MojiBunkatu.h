#pragma once
// Splitting a line of text into items at a one-byte delimiter.
//
// Kind 0 reads the text the way delimited text is read everywhere in the
// program: an unquoted item also ends at a blank or control character, and
// blanks between items are skipped. Kind 1 is strict: items end at the
// delimiter only and each item is trimmed (TStringList2 with TrimItems).
// Both honour the double quotation mark: a quoted item keeps delimiters and
// blanks, loses its quotes, and reads a doubled quote as one.
//
// Texts are UTF-8. The delimiter must be ASCII, so it can never be taken
// for part of a multibyte character.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TMojiArray = std::vector<std::string>;

class TMojiBunkatu {
public:
    char Delimiter = ',';
    std::uint8_t Kind = 0;  // 0 default, 1 strict

    // Replaces the items by those of the text. Kind 0:
    //  - bytes 0-32 before an item are skipped;
    //  - an item starting with '"' runs to the closing quote ('""' stands
    //    for one '"'); without a closing quote it runs to the end of the text;
    //  - any other item ends at the delimiter or at a byte 0-32;
    //  - bytes 0-32 after an item are skipped; a delimiter is then stepped
    //    over together with the bytes 0-32 behind it, and one that ends the
    //    text adds an empty item.
    // Kind 1 (and any other value): TStringList2 with TrimItems.
    // Whatever the text, there is at least one item: an empty text, or one of
    // blanks only, gives one empty item.
    // Throws std::invalid_argument, items unchanged, for a non-ASCII delimiter.
    void SplitMoji(std::string_view text);

    // Item index (from 0); empty for an index outside 0 .. Count() - 1.
    std::string GetMojiItem(int index) const;
    int Count() const { return static_cast<int>(items_.size()); }
    const TMojiArray& Items() const { return items_; }
    void Clear() { items_.clear(); }

private:
    TMojiArray items_;
};
