#include "foundation/SettingText.h"

#include <algorithm>
#include <stdexcept>

AccRegValue SettingFromText(std::string text, const std::string& typeName, TSettingTypes types)
{
    if (text.empty())
        text = " ";
    if (typeName == "文字")
        return text;
    if (typeName == "論理") {
        if (types.ExactTrue)
            return text == "TRUE";
        std::string upper = text;
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
        return upper == "TRUE";
    }
    if (typeName == "日付") {
        TDateTime date = 0;
        if (!TryStrToDate(text, date))
            date = 0;
        return AccRegDate{date};
    }
    if (typeName == "整数") {
        int value = 0;
        if (!TryStrToInt(text, value))
            value = 0;
        return static_cast<std::int32_t>(value);
    }
    if (typeName == "金額") {
        Currency value = 0;
        if (!TryStrToCurr(text, value))
            value = 0;
        return value;
    }
    if (types.All && typeName == "実数") {
        double value = 0;
        if (!TryStrToFloat(text, value))
            value = 0;
        return value;
    }
    if (types.All && typeName == "日時")
        return AccRegDate{StrToDateTime(text)};
    return std::string("Data Type Error");
}

bool SettingToText(const AccRegValue& value, const std::string& typeName, bool allTypes, std::string& text)
{
    if (const auto* s = std::get_if<std::string>(&value)) {
        // A caller may hand any type over in its text form already.
        if (typeName == "文字" || typeName == "論理" || typeName == "日付" || typeName == "整数" ||
            typeName == "金額" || typeName == "実数" || typeName == "日時") {
            text = *s;
            return true;
        }
        return false;
    }
    if (typeName == "文字") {
        if (const auto* b = std::get_if<bool>(&value))
            text = *b ? "TRUE" : "FALSE";
        else if (const auto* i = std::get_if<std::int32_t>(&value))
            text = std::to_string(*i);
        else
            throw std::invalid_argument("AccReg: value does not fit 文字");
        return true;
    }
    if (typeName == "論理") {
        text = std::get<bool>(value) ? "TRUE" : "FALSE";
        return true;
    }
    if (typeName == "日付") {
        const TDateTime date = std::get<AccRegDate>(value).value;
        text = date == 0 ? std::string() : FormatDateTime("yyyy/mm/dd", date);
        return true;
    }
    if (typeName == "整数") {
        text = std::to_string(std::get<std::int32_t>(value));
        return true;
    }
    if (typeName == "金額") {
        text = CurrToStr(std::get<Currency>(value));
        return true;
    }
    if (allTypes && typeName == "実数") {
        text = FloatToStr(std::get<double>(value));
        return true;
    }
    if (allTypes && typeName == "日時") {
        text = FormatDateTime("yyyy/mm/dd hh:nn:ss", std::get<AccRegDate>(value).value);
        return true;
    }
    return false;
}
