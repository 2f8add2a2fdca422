#pragma once
// A small string list with a strict reading of delimited text.
//
// The usual delimited-text reading also ends an unquoted item at a blank;
// this one ends it only at the delimiter (or a control character), keeps
// delimiters inside quoted items, can trim every item, and adds an empty last
// item for a delimiter at the very end of the text.
//
// Texts are UTF-8. The delimiter and the quote character must be ASCII: an
// ASCII byte never occurs inside a UTF-8 multibyte character, so a character
// whose Shift-JIS trail byte equals the delimiter (such as "表", 0x95 0x5C)
// always stays whole.

#include <string>
#include <string_view>
#include <vector>

class TStringList2 {
public:
    char Delimiter = ',';
    char QuoteChar = '"';
    // Trim bytes up to the blank (control characters included) off both
    // ends of every item that SplitDelimitedText adds.
    bool TrimItems = false;

    int Count() const { return static_cast<int>(items_.size()); }
    // Item access; an index outside 0 .. Count() - 1 throws std::out_of_range.
    const std::string& Strings(int index) const;
    std::string& Strings(int index);
    const std::string& operator[](int index) const { return Strings(index); }
    std::string& operator[](int index) { return Strings(index); }
    const std::vector<std::string>& Items() const { return items_; }

    // Appends an item and returns its index.
    int Add(std::string item);
    void Clear() { items_.clear(); }

    // Replaces the items by those of the text:
    //  - control characters (bytes 0-31) before an item are skipped;
    //  - an item starting with QuoteChar runs to the matching closing quote,
    //    a doubled quote standing for one; without a closing quote it runs
    //    to the end of the text;
    //  - any other item runs up to the next control character or Delimiter;
    //  - control characters after an item are skipped; a Delimiter is then
    //    stepped over, together with the control characters behind it, and
    //    one that ends the text adds an empty item.
    // An empty text gives an empty list. Throws std::invalid_argument, with
    // the list unchanged, when Delimiter or QuoteChar is not ASCII.
    void SplitDelimitedText(std::string_view text);

    // Sets Delimiter to "," and QuoteChar to '"', then SplitDelimitedText.
    void SetQuotedCommaText(std::string_view text);

private:
    std::vector<std::string> items_;
};

// Reads the quoted item that starts at text[pos] (the opening quote) and
// leaves pos behind its closing quote. A doubled quote stands for one quote;
// an item left open runs to the end of the text and keeps all of it. Both
// delimited-text readings of the program share it.
std::string ExtractQuotedItem(std::string_view text, std::size_t& pos, char quote);
