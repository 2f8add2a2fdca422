#include "print/FolHeader.h"

#include "platform/Cp932.h"

#include <cstdio>

namespace fol {
namespace {

std::string Hex6(TColor colour)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%6.6X", static_cast<unsigned>(colour));
    return buffer;
}

const char* Bool(bool value)
{
    return value ? "TRUE" : "FALSE";
}

std::string Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

std::vector<std::string> HeaderLines(const HeaderValues& v)
{
    using std::to_string;
    return {
        "*FOLIANTO" + std::string(61, '*'),
        "*[SETTING]",
        "*PATH=" + v.Path,
        std::string("*VERSION=") + EngineVersion,
        "*DATE=" + v.Date,
        "*TITLE=" + v.Title,
        "*FORMFILE=" + v.FormFile,
        "*PAPERSIZE=" + to_string(v.PaperSize),
        "*OUTPUTPAPER=" + to_string(v.OutputPaper),
        "*ORIENTATION=" + to_string(v.Orientation),
        "*TOPMARGIN=" + to_string(v.TopMargin),
        "*LEFTMARGIN=" + to_string(v.LeftMargin),
        "*FORMTOPMARGIN=" + to_string(v.FormTopMargin),
        "*FORMLEFTMARGIN=" + to_string(v.FormLeftMargin),
        "*NETC1=" + Hex6(v.NetColour1),
        "*NETC2=" + Hex6(v.NetColour2),
        "*USERC1=" + Hex6(v.UserColour1),
        "*USERC2=" + Hex6(v.UserColour2),
        std::string("*FORMPRINT=") + Bool(v.FormPrint),
        "*COPIES=" + to_string(v.Copies),
        std::string("*PAGENOSWITCH=") + Bool(v.PageNumbers),
        "*PAGENOLEFT=" + to_string(v.PageNumberLeft),
        "*PAGENOTOP=" + to_string(v.PageNumberTop),
        "*PAGENOALIGNMENT=" + to_string(v.PageNumberAlignment),
        "*PAGENOFORMAT=" + v.PageNumberFormat,
        std::string(61, '*') + "FOLIANTO*",
    };
}

bool HasPrintFileMark(std::string_view firstLine)
{
    return firstLine.substr(0, 10) == "*FOLIANTO*";
}

ReadBackSettings ReadHeader(const std::vector<std::string>& lines)
{
    auto value = [&](std::string_view key) -> std::optional<std::string> {
        for (const auto& line : lines)
            if (std::string_view(line).substr(0, key.size()) == key)
                return Trimmed(std::string_view(line).substr(key.size()));
        return std::nullopt;
    };
    auto number = [&](std::string_view key, int def) {
        const auto text = value(key);
        return text ? NumberOr(*text, 0) : def;
    };
    ReadBackSettings s;
    if (const auto form = value("*FORMFILE="))
        s.FormFile = TextOf(*form);
    s.PaperSize = number("*PAPERSIZE=", 9);
    s.OutputPaper = number("*OUTPUTPAPER=", 9);
    s.Orientation = number("*ORIENTATION=", 0);
    s.TopMargin = number("*TOPMARGIN=", 0);
    s.LeftMargin = number("*LEFTMARGIN=", 0);
    s.NetColour1 = number("*NETC1=", 0);
    s.NetColour2 = number("*NETC2=", 0);
    s.UserColour1 = number("*USERC1=", 0);
    s.UserColour2 = number("*USERC2=", 0);
    s.FormPrint = value("*FORMPRINT=").value_or("") == "TRUE";
    return s;
}

}  // namespace fol
