#include "foundation/MojiBunkatu.h"

#include "controls/StringList2.h"
#include "platform/AsciiText.h"

#include <stdexcept>
#include <utility>

namespace {

constexpr char kQuote = '"';

using ascii::IsBlankOrControl;

TMojiArray SplitLoose(std::string_view text, char delimiter)
{
    TMojiArray items;
    std::size_t pos = 0;
    const std::size_t size = text.size();
    while (pos < size && IsBlankOrControl(text[pos]))
        ++pos;
    while (pos < size) {
        if (text[pos] == kQuote) {
            items.push_back(ExtractQuotedItem(text, pos, kQuote));
        } else {
            const std::size_t start = pos;
            while (pos < size && !IsBlankOrControl(text[pos]) && text[pos] != delimiter)
                ++pos;
            items.emplace_back(text.substr(start, pos - start));
        }
        while (pos < size && IsBlankOrControl(text[pos]))
            ++pos;
        if (pos < size && text[pos] == delimiter) {
            if (pos + 1 == size)
                items.emplace_back();
            ++pos;
            while (pos < size && IsBlankOrControl(text[pos]))
                ++pos;
        }
    }
    return items;
}

}  // namespace

void TMojiBunkatu::SplitMoji(std::string_view text)
{
    if (static_cast<unsigned char>(Delimiter) >= 0x80)
        throw std::invalid_argument("the splitting delimiter must be ASCII");

    TMojiArray items;
    if (Kind == 0) {
        items = SplitLoose(text, Delimiter);
    } else {
        TStringList2 list;
        list.Delimiter = Delimiter;
        list.QuoteChar = kQuote;
        list.TrimItems = true;
        list.SplitDelimitedText(text);
        items = list.Items();
    }
    if (items.empty())
        items.emplace_back();
    items_ = std::move(items);
}

std::string TMojiBunkatu::GetMojiItem(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return items_[static_cast<std::size_t>(index)];
}
