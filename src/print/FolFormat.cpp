#include "print/FolFormat.h"

#include "platform/Cp932.h"

#include <array>
#include <cmath>
#include <limits>

namespace fol {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

struct NamedColour {
    const char* Name;  // UTF-8
    TColor Value;
};

// In the order of the colour numbers 0-15.
constexpr std::array<NamedColour, 16> NamedColours{{
    {"黒", 0x000000},
    {"栗", 0x000080},
    {"緑", 0x008000},
    {"黄緑", 0x008080},
    {"濃紺", 0x800000},
    {"紫", 0x800080},
    {"暗青緑", 0x808000},
    {"灰", 0x808080},
    {"銀", 0xC0C0C0},
    {"赤", 0x0000FF},
    {"濃緑", 0x00FF00},
    {"青", 0xFF0000},
    {"赤紫", 0xFF00FF},
    {"空", 0xFFFF00},
    {"白", 0xFFFFFF},
    {"黄", 0x00FFFF},
}};

// The names compared against the raw CP932 field.
const std::vector<std::string>& NamedColoursSjis()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const auto& c : NamedColours)
            out.push_back(cp932::FromUtf8(c.Name));
        return out;
    }();
    return names;
}

const std::string& Sjis(const char* utf8)
{
    // Only a handful of distinct literals reach here; keep each conversion.
    thread_local std::vector<std::pair<const char*, std::string>> cache;
    for (const auto& [key, value] : cache)
        if (key == utf8)
            return value;
    cache.emplace_back(utf8, cp932::FromUtf8(utf8));
    return cache.back().second;
}

// Windows' classic defaults for the system colours 0-20 ($BBGGRR).
constexpr std::array<TColor, 21> SystemColours{{
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0x808080, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xB4B4B4,
    0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF,
}};

}  // namespace

FolRecord::FolRecord(std::string_view line, bool formDefinitions)
{
    line_.reserve(line.size() + 3);
    for (char c : line)
        if (c != '"')
            line_ += c;
    if (line_.empty() || line_.back() != ';')
        line_ += formDefinitions ? ";0;" : ";";
    std::size_t start = 0;
    bool first = true;
    while (start < line_.size()) {
        const std::size_t end = line_.find(';', start);
        if (end == std::string::npos)
            break;
        std::string piece = line_.substr(start, end - start);
        if (first)
            keyword_ = UpperAscii(Trim(piece));
        else
            fields_.push_back(std::move(piece));
        first = false;
        start = end + 1;
    }
}

const std::string& FolRecord::Text(std::size_t n) const
{
    static const std::string empty;
    return n >= 1 && n <= fields_.size() ? fields_[n - 1] : empty;
}

int FolRecord::Int(std::size_t n, int def) const
{
    return NumberOr(Text(n), def);
}

std::optional<std::int32_t> ParseNumber(std::string_view text)
{
    text = Trim(text);
    if (text.empty())
        return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (base == 16) {
        // Hexadecimal covers the whole 32 bits, as colour values need.
        const auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        return negative ? -bits : bits;
    }
    const std::int64_t signedValue = negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(signedValue);
}

int NumberOr(std::string_view text, int def)
{
    return ParseNumber(text).value_or(def);
}

bool IsPageEnd(std::string_view line)
{
    return line.size() >= 2 && (line[0] == 'E' || line[0] == 'e') && line[1] == ';';
}

std::string TextOf(std::string_view sjis)
{
    try {
        return cp932::ToUtf8(sjis);
    } catch (const cp932::TextEncodingError&) {
    }
    std::string out;
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t len = cp932::CharLength(sjis, i);
        try {
            out += cp932::ToUtf8(sjis.substr(i, len));
        } catch (const cp932::TextEncodingError&) {
            out += "\xEF\xBF\xBD";
        }
        i += len;
    }
    return out;
}

std::string UpperAscii(std::string_view text)
{
    std::string out(text);
    // Walk character by character so that a trail byte in the ASCII letter
    // range (0x40-0x7E) is never taken for a letter.
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t len = cp932::CharLength(out, i);
        if (len == 1 && out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
        i += len;
    }
    return out;
}

TColor ResolveColour(std::string_view field, const ColourSet& colours)
{
    const auto& names = NamedColoursSjis();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (field == names[i])
            return NamedColours[i].Value;
    if (field == Sjis("薄網掛"))
        return colours.Net1;
    if (field == Sjis("濃網掛"))
        return colours.Net2;
    const std::string upper = UpperAscii(field);
    const std::pair<const char*, TColor> words[] = {
        {"UCOLOR1", colours.User1},       {"UCOLOR2", colours.User2},       {"OCRGREEN", colours.OcrGreen},
        {"OCRBLUE", colours.OcrBlue},     {"OCRBROWN", colours.OcrBrown},   {"OCRPINK", colours.OcrPink},
        {"OCRORANGE", colours.OcrOrange}, {"OCRVIOLET", colours.OcrViolet}, {"OCRPURPLE", colours.OcrPurple},
    };
    for (const auto& [word, value] : words)
        if (upper == word)
            return value;
    const auto number = ParseNumber(field);
    if (!number)
        return Black;
    const std::int32_t n = *number;
    if (n >= 0 && n <= 15)
        return NamedColours[static_cast<std::size_t>(n)].Value;
    if (n >= 16 && n <= 35)
        return SystemColourFlag | (n - 15);
    switch (n) {
    case 40:
        return colours.Net1;
    case 41:
        return colours.Net2;
    case 42:
        return colours.User1;
    case 43:
        return colours.User2;
    default:
        return n;
    }
}

void ColourToRgb(TColor colour, int& red, int& green, int& blue)
{
    if (colour < 0) {
        const auto index = static_cast<std::size_t>(colour & 0xFF);
        colour = index < SystemColours.size() ? SystemColours[index] : Black;
    }
    red = colour & 0xFF;
    green = (colour >> 8) & 0xFF;
    blue = (colour >> 16) & 0xFF;
}

TColor AdjustColour(TColor colour, bool formGrey, bool greyScale)
{
    if (formGrey)
        colour = colour == White ? White : FormGrey;
    if (greyScale && colour != Black && colour != White) {
        int r, g, b;
        ColourToRgb(colour, r, g, b);
        const int grey = static_cast<int>(std::lround(0.299 * r + 0.587 * g + 0.114 * b));
        colour = grey | (grey << 8) | (grey << 16);
    }
    return colour;
}

std::optional<TColor> ResolveFill(std::string_view field, const ColourSet& colours)
{
    const std::string upper = UpperAscii(Trim(field));
    if (upper == "1" || upper == "OFF")
        return std::nullopt;
    if (upper == "ON")
        return White;
    const TColor colour = ResolveColour(field, colours);
    if (colour < 16)  // black, the darkest reds and every system colour
        return std::nullopt;
    return colour;
}

TextAlign ResolveAlignment(std::string_view field)
{
    const std::string upper = UpperAscii(Trim(field));
    if (upper == "CENTER" || upper == "1")
        return TextAlign::Centre;
    if (upper == "RIGHT" || upper == "2" || upper == "BOTTOM")
        return TextAlign::Right;
    return TextAlign::Left;
}

TextStyle ResolveStyle(std::string_view field)
{
    std::string upper = UpperAscii(Trim(field));
    TextStyle style;
    std::string rest;
    for (char c : upper) {
        if (c == 'C')
            style.Fit = true;
        else
            rest += c;
    }
    if (rest == "DU") {
        style.DoubleUnderline = true;
        return style;
    }
    static const char* const combinations[] = {"B", "I", "U", "S", "BI", "BU", "BS", "IU", "IS", "BIU", "BIS"};
    for (const char* allowed : combinations) {
        if (rest != allowed)
            continue;
        style.Bold = rest.find('B') != std::string::npos;
        style.Italic = rest.find('I') != std::string::npos;
        style.Underline = rest.find('U') != std::string::npos;
        style.StrikeOut = rest.find('S') != std::string::npos;
    }
    return style;
}

std::string ResolveFace(std::string_view face, const std::function<bool(const std::string&)>& installed)
{
    if (face.empty())
        return DefaultFace;
    if (face == "OCR-B") {
        for (const char* candidate : {"OCR-B", "OCRB"})
            if (installed && installed(candidate))
                return candidate;
        return "ＭＳ ゴシック";
    }
    return std::string(face);
}

PenStyle PenStyleOf(int number)
{
    return number >= 0 && number <= 5 ? static_cast<PenStyle>(number) : PenStyle::Solid;
}

BrushStyle BrushStyleOf(int number)
{
    return number >= 0 && number <= 7 ? static_cast<BrushStyle>(number) : BrushStyle::Solid;
}

}  // namespace fol
