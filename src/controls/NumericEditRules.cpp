#include "controls/NumericEditRules.h"

#include <algorithm>

#include "platform/NumberText.h"

char ZeroKeyChar(TZeroKey key)
{
    switch (key) {
    case zkDot:
        return '.';
    case zkPlus:
        return '+';
    case zkMinus:
        return '-';
    case zkAsterisk:
        return '*';
    case zkSlash:
        return '/';
    case zkNone:
        break;
    }
    return '\0';
}

bool ZeroKeyApplies(TEditStyle style, TZeroKey key)
{
    if (style == esNone || key == zkNone)
        return false;
    if (key == zkDot && IsFloatStyle(style))
        return false;
    if (key == zkMinus && IsSignedStyle(style))
        return false;
    return true;
}

bool CharPassesFilter(TEditStyle style, char32_t ch)
{
    if (style == esNone)
        return true;
    if ((ch >= '0' && ch <= '9') || ch == 8 || ch == 9 || ch == 27)
        return true;
    if (ch == '.' && IsFloatStyle(style))
        return true;
    if (ch == '-' && IsSignedStyle(style))
        return true;
    return false;
}

std::string RemoveCommas(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ',')
            out += c;
    return out;
}

int CountCommas(std::string_view text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), ','));
}

double EditTextValue(std::string_view text)
{
    double value = 0;
    return TryStrToFloat(RemoveCommas(text), value) ? value : 0;
}

std::optional<std::string> TurnedSign(std::string_view text)
{
    const double value = EditTextValue(text);
    if (value == 0)
        return std::nullopt;
    return FloatToStr(-value);
}

std::optional<std::string> ApplyOutputFormat(std::string_view text, TEditStyle style, std::string_view outputFormat,
                                             bool allowBlank)
{
    if (style == esNone || outputFormat.empty())
        return std::nullopt;
    if (text.empty() && allowBlank)
        return std::nullopt;
    return FormatFloat(outputFormat, EditTextValue(text));
}
