#include "controls/StringList2.h"
#include "platform/AsciiText.h"

#include <stdexcept>
#include <utility>

namespace {

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20;
}

}  // namespace

std::string ExtractQuotedItem(std::string_view text, std::size_t& pos, char quote)
{
    std::string item;
    ++pos;
    while (pos < text.size()) {
        const std::size_t close = text.find(quote, pos);
        if (close == std::string_view::npos) {
            item.append(text.substr(pos));
            pos = text.size();
            break;
        }
        item.append(text.substr(pos, close - pos));
        pos = close + 1;
        if (pos < text.size() && text[pos] == quote) {
            item.push_back(quote);
            ++pos;
            continue;
        }
        break;
    }
    return item;
}

const std::string& TStringList2::Strings(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("string list index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

std::string& TStringList2::Strings(int index)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("string list index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

int TStringList2::Add(std::string item)
{
    items_.push_back(std::move(item));
    return Count() - 1;
}

void TStringList2::SplitDelimitedText(std::string_view text)
{
    if (static_cast<unsigned char>(Delimiter) >= 0x80 || static_cast<unsigned char>(QuoteChar) >= 0x80)
        throw std::invalid_argument("delimiter and quote character must be ASCII");

    // Built aside and swapped in, so the list changes once and only when the
    // whole text has been read.
    std::vector<std::string> items;
    std::size_t pos = 0;
    const std::size_t size = text.size();
    while (pos < size && IsControl(text[pos]))
        ++pos;
    while (pos < size) {
        std::string item;
        if (text[pos] == QuoteChar) {
            item = ExtractQuotedItem(text, pos, QuoteChar);
        } else {
            const std::size_t start = pos;
            while (pos < size && !IsControl(text[pos]) && text[pos] != Delimiter)
                ++pos;
            item.assign(text.substr(start, pos - start));
        }
        if (TrimItems)
            item = std::string(ascii::TrimBlanksAndControls(item));
        items.push_back(std::move(item));

        while (pos < size && IsControl(text[pos]))
            ++pos;
        if (pos < size && text[pos] == Delimiter) {
            if (pos + 1 == size)
                items.emplace_back();
            ++pos;
            while (pos < size && IsControl(text[pos]))
                ++pos;
        }
    }
    items_.swap(items);
}

void TStringList2::SetQuotedCommaText(std::string_view text)
{
    Delimiter = ',';
    QuoteChar = '"';
    SplitDelimitedText(text);
}
