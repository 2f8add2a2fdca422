#include "controls/ComboCodeSearch.h"

#include <algorithm>

#include "platform/Cp932.h"

namespace {

// Byte length of the first n UTF-8 characters of the text (all of it when
// it holds fewer).
std::size_t Utf8Prefix(std::string_view text, int n)
{
    std::size_t pos = 0;
    for (int i = 0; i < n && pos < text.size(); ++i) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return pos;
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view key)
{
    if (text.size() < key.size())
        return false;
    return std::equal(key.begin(), key.end(), text.begin(), [](char a, char b) { return Lower(a) == Lower(b); });
}

}  // namespace

std::string ComboSearchKey(std::string_view text, int keyLen, std::string_view keyTerm)
{
    if (keyLen <= 0)
        return {};
    const std::size_t limit = Utf8Prefix(text, keyLen);
    const std::size_t term = keyTerm.empty() ? std::string_view::npos : text.find(keyTerm);
    const std::size_t end = term != std::string_view::npos && term < limit ? term : limit;
    return std::string(TrimBlanks(text.substr(0, end)));
}

bool StartsWithDoubleByte(std::string_view text)
{
    if (text.empty())
        return false;
    const std::string_view first = text.substr(0, Utf8Prefix(text, 1));
    try {
        const std::string sjis = cp932::FromUtf8(first);
        return !sjis.empty() && cp932::IsLeadByte(static_cast<unsigned char>(sjis[0]));
    } catch (const std::exception&) {
        // A character the code page lacks is wide all the same.
        return static_cast<unsigned char>(first[0]) >= 0x80;
    }
}

int FindItemByCode(const std::vector<std::string>& items, std::string_view key, int start)
{
    const int count = static_cast<int>(items.size());
    if (count == 0)
        return -1;
    const int from = start >= 0 && start < count ? start : 0;
    for (int n = 0; n < count; ++n) {
        const int i = (from + n) % count;
        if (StartsWithNoCase(items[i], key))
            return i;
    }
    return -1;
}
