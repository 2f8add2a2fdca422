#include "foundation/AccFunction2.h"

namespace {

constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kBlack = 0;

}  // namespace

std::int32_t GetGrayColor(std::int32_t colour)
{
    if (colour == kWhite || colour == kBlack)
        return colour;
    const std::int32_t sum = (colour & 0xFF) + ((colour >> 8) & 0xFF) + ((colour >> 16) & 0xFF);
    // A third never falls on a half, so rounding to the nearest is exact:
    // a remainder of 1 goes down, 2 goes up.
    const std::int32_t g = (sum + 1) / 3;
    return g | (g << 8) | (g << 16);
}

std::string GetNameValue(std::string_view text, std::string_view name)
{
    if (text.empty() || name.empty())
        return {};
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos && line.substr(0, eq) == name)
            return std::string(line);
        pos = end;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return {};
}
