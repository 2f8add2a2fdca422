#include "foundation/StringUtils.h"

#include "platform/Cp932.h"
#include "platform/AsciiText.h"

namespace {

constexpr std::string_view kZenBlank = "\xE3\x80\x80";  // U+3000

// The last n bytes of CP932 text. Character boundaries are found from the
// start; when byte size − n is the second byte of a character, that byte
// becomes a blank so the result never starts with half a character.
std::string LastBytes(const std::string& sjis, std::size_t n)
{
    const std::size_t from = sjis.size() - n;
    std::size_t pos = 0;
    while (pos < from)
        pos += cp932::CharLength(sjis, pos);
    if (pos == from)
        return sjis.substr(from);
    return " " + sjis.substr(pos);
}

}  // namespace

// ---------------------------------------------------------------------------
// Splitting

int SplitStr(std::string_view text, std::string_view separator, std::span<std::string> items)
{
    if (const std::size_t comment = text.find("//"); comment != std::string_view::npos)
        text = text.substr(0, comment);
    if (text.empty())
        return 0;
    if (items.empty())
        return -1;

    const std::size_t last = items.size() - 1;
    std::size_t index = 0;
    while (!separator.empty() && index < last) {
        const std::size_t at = text.find(separator);
        if (at == std::string_view::npos)
            break;
        items[index++] = std::string(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    items[index] = std::string(text);
    return static_cast<int>(index);
}

std::string GetSplitItem(std::string_view text, std::string_view separator, int n)
{
    if (n < 1)
        return {};
    std::string lines;
    if (separator.empty()) {
        lines = text;
    } else {
        std::size_t from = 0;
        for (std::size_t at; (at = text.find(separator, from)) != std::string_view::npos;
             from = at + separator.size()) {
            lines.append(text.substr(from, at - from));
            lines.append("\r\n");
        }
        lines.append(text.substr(from));
    }

    // Line by line: a line ends at CR or LF; CR LF counts as one break.
    std::size_t pos = 0;
    int line = 0;
    while (pos < lines.size()) {
        const std::size_t end = lines.find_first_of("\r\n", pos);
        const std::size_t stop = end == std::string::npos ? lines.size() : end;
        if (++line == n)
            return lines.substr(pos, stop - pos);
        pos = stop;
        if (pos < lines.size() && lines[pos] == '\r')
            ++pos;
        if (pos < lines.size() && lines[pos] == '\n')
            ++pos;
    }
    return {};
}

// ---------------------------------------------------------------------------
// Fixed width and blanks

std::string FixLenStrL(std::string_view text, int n)
{
    if (n <= 0)
        return {};
    std::string sjis = cp932::FromUtf8(text);
    sjis.resize(static_cast<std::size_t>(n), ' ');
    return cp932::ToUtf8(RepairSJIS(sjis));
}

std::string FixLenStrR(std::string_view text, int n)
{
    if (n <= 0)
        return {};
    const std::string sjis = cp932::FromUtf8(text);
    const auto width = static_cast<std::size_t>(n);
    if (sjis.size() < width)
        return std::string(width - sjis.size(), ' ') + std::string(text);
    return cp932::ToUtf8(LastBytes(sjis, width));
}

std::string RepairSJIS(std::string_view sjis)
{
    std::string out(sjis);
    std::size_t i = 0;
    while (i < out.size()) {
        if (!cp932::IsLeadByte(static_cast<unsigned char>(out[i]))) {
            ++i;
        } else if (i + 1 == out.size()) {
            out[i] = ' ';
            ++i;
        } else if (!cp932::IsTrailByte(static_cast<unsigned char>(out[i + 1]))) {
            out[i] = ' ';
            out[i + 1] = ' ';
            i += 2;
        } else {
            i += 2;
        }
    }
    return out;
}

std::string SpaceStr(int n)
{
    if (n < 0 || n > 510)
        return {};
    return std::string(static_cast<std::size_t>(n), ' ');
}

std::string ZeroPadLeft(std::string_view text, int n)
{
    if (n <= 0)
        return {};
    const std::string sjis = cp932::FromUtf8(text);
    const auto width = static_cast<std::size_t>(n);
    if (sjis.size() < width)
        return std::string(width - sjis.size(), '0') + std::string(text);
    return cp932::ToUtf8(LastBytes(sjis, width));
}

std::string TrimZen(std::string_view text)
{
    for (;;) {
        const std::size_t before = text.size();
        text = ascii::TrimBlanksAndControls(text);
        if (text.starts_with(kZenBlank))
            text.remove_prefix(kZenBlank.size());
        if (text.ends_with(kZenBlank))
            text.remove_suffix(kZenBlank.size());
        if (text.size() == before)
            return std::string(text);
    }
}

std::string DelSpaceAll(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
        } else if (text.substr(i).starts_with(kZenBlank)) {
            i += kZenBlank.size();
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

std::string DelCtrlChars(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        if (c != '\t' && c != '\r' && c != '\n')
            out.push_back(c);
    return out;
}

std::string ZenUpperCase(std::string_view text)
{
    std::string sjis = cp932::FromUtf8(text);
    std::size_t i = 0;
    while (i < sjis.size()) {
        const std::size_t len = cp932::CharLength(sjis, i);
        if (len == 2 && static_cast<unsigned char>(sjis[i]) == 0x82) {
            const auto trail = static_cast<unsigned char>(sjis[i + 1]);
            if (trail >= 0x81 && trail <= 0x9A)
                sjis[i + 1] = static_cast<char>(trail - 33);
        }
        i += len;
    }
    return cp932::ToUtf8(sjis);
}

// ---------------------------------------------------------------------------
// Conversions

std::string DateToText(int kind, TDateTime date)
{
    if (date == 0)
        return {};
    switch (kind) {
    case 2:
        return FormatDateTime("yy/mm/dd", date);
    case 4:
        return FormatDateTime("yyyy/mm/dd", date);
    default:
        return FormatDateTime("yyyy/mm/dd hh:nn", date);
    }
}

TDateTime StrToDateDef0(std::string_view text)
{
    TDateTime value = 0;
    return TryStrToDate(text, value) ? value : 0;
}

Currency StrToCurrDef0(std::string_view text)
{
    Currency value = 0;
    return TryStrToCurr(text, value) ? value : 0;
}

std::string BoolToTrueFalse(bool value)
{
    return value ? "TRUE" : "FALSE";
}

int BoolToInt(bool value)
{
    return value ? 1 : 0;
}

std::string IntToKingakuStr(std::int32_t value)
{
    return FormatFloat("#,##0", static_cast<double>(value));
}
