#include "controls/print/DefaultPrintRec.h"

#include "foundation/AccFunction2.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"
#include "print/Folianto.h"

#include <sstream>

void InitDefaultPrintRec(TDefaultPrintRec& rec)
{
    rec = TDefaultPrintRec{};
    rec.LineColor1 = SystemDef.PLineColor1;
    rec.LineColor2 = SystemDef.PLineColor2;
    rec.NetColor1 = SystemDef.NetColor1;
    rec.NetColor2 = SystemDef.NetColor2;
}

const char* PrintFontName(std::int32_t number)
{
    static const char* const faces[] = {"ＭＳ 明朝", "ＭＳ ゴシック", "ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック"};
    return number >= 0 && number < 4 ? faces[number] : faces[0];
}

void SetMonoPrintColors(std::int32_t colorPrint, fol::TFolianto& writer)
{
    if (colorPrint != 0)
        return;
    fol::ColourSet& c = writer.Colours;
    c.User1 = c.User2 = 0;
    c.OcrGreen = c.OcrBlue = c.OcrBrown = c.OcrPink = c.OcrOrange = c.OcrViolet = c.OcrPurple = 0;
    c.Net1 = static_cast<fol::TColor>(GetGrayColor(static_cast<std::int32_t>(c.Net1)));
    c.Net2 = static_cast<fol::TColor>(GetGrayColor(static_cast<std::int32_t>(c.Net2)));
}

std::string ReportStyleName(const std::string& reportName)
{
    std::string name = "020-" + reportName;
    for (char& ch : name)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    if (name.size() > 40)
        name = FixLenStrR(name, 40);
    const auto first = name.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

std::string SavedChoice(const std::string& lines, const std::string& name)
{
    std::istringstream in(lines);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > name.size() && line.compare(0, name.size(), name) == 0 && line[name.size()] == '=')
            return line.substr(name.size() + 1);
    }
    return {};
}
