#include "foundation/MojiBunkatu.h"

#include "controls/StringList2.h"

#include <stdexcept>
#include <utility>

namespace {

constexpr char kQuote = '"';

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// Quoted item at text[pos]; pos ends behind the closing quote. An item left
// open keeps everything up to the end of the text.
std::string ExtractQuoted(std::string_view text, std::size_t& pos) {
    std::string item;
    ++pos;
    while (pos < text.size()) {
        const std::size_t close = text.find(kQuote, pos);
        if (close == std::string_view::npos) {
            item.append(text.substr(pos));
            pos = text.size();
            break;
        }
        item.append(text.substr(pos, close - pos));
        pos = close + 1;
        if (pos < text.size() && text[pos] == kQuote) {
            item.push_back(kQuote);
            ++pos;
            continue;
        }
        break;
    }
    return item;
}

TMojiArray SplitLoose(std::string_view text, char delimiter) {
    TMojiArray items;
    std::size_t pos = 0;
    const std::size_t size = text.size();
    while (pos < size && IsBlankOrControl(text[pos])) ++pos;
    while (pos < size) {
        if (text[pos] == kQuote) {
            items.push_back(ExtractQuoted(text, pos));
        } else {
            const std::size_t start = pos;
            while (pos < size && !IsBlankOrControl(text[pos]) && text[pos] != delimiter) ++pos;
            items.emplace_back(text.substr(start, pos - start));
        }
        while (pos < size && IsBlankOrControl(text[pos])) ++pos;
        if (pos < size && text[pos] == delimiter) {
            if (pos + 1 == size) items.emplace_back();
            ++pos;
            while (pos < size && IsBlankOrControl(text[pos])) ++pos;
        }
    }
    return items;
}

} // namespace

void TMojiBunkatu::SplitMoji(std::string_view text) {
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
    if (items.empty()) items.emplace_back();
    items_ = std::move(items);
}

std::string TMojiBunkatu::GetMojiItem(int index) const {
    if (index < 0 || index >= Count()) return {};
    return items_[static_cast<std::size_t>(index)];
}
