#include "controls/InputRules.h"

#include <algorithm>

#include "platform/Cp932.h"

namespace {

bool IsDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}
bool IsLetter(char32_t c)
{
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

}  // namespace

bool InputCharPasses(int filter, char32_t c)
{
    if (c < U' ' || c == 0x7F)
        return true;  // Enter, Backspace and the other control keys
    switch (filter) {
    case 10:
        return IsDigit(c) || c == U'-' || c == U'.';
    case 20:
        return IsLetter(c);
    case 30:
        return IsDigit(c) || IsLetter(c);
    case 40: {
        constexpr char32_t refused[] = U"\"*,/:;<>?\\|";
        return std::find(std::begin(refused), std::end(refused) - 1, c) == std::end(refused) - 1;
    }
    default:
        return true;
    }
}

std::string LimitInsertion(const std::string& before, const std::string& after, std::size_t maxBytes,
                           std::size_t& cursor)
{
    // The changed middle: the common head and tail of both texts, kept on
    // character boundaries.
    std::size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    while (head > 0 && head < after.size() && IsContinuation(static_cast<unsigned char>(after[head])))
        --head;
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    while (tail > 0 && IsContinuation(static_cast<unsigned char>(after[after.size() - tail])))
        --tail;
    const std::string prefix = after.substr(0, head);
    const std::string inserted = after.substr(head, after.size() - head - tail);
    const std::string suffix = after.substr(after.size() - tail);
    cursor = head + inserted.size();
    if (maxBytes == 0)
        return after;
    const std::size_t kept = cp932::ByteWidth(prefix) + cp932::ByteWidth(suffix);
    if (kept + cp932::ByteWidth(inserted) <= maxBytes)
        return after;
    const std::string fitted = kept >= maxBytes ? std::string() : cp932::CutBytes(inserted, maxBytes - kept);
    cursor = head + fitted.size();
    return prefix + fitted + suffix;
}
