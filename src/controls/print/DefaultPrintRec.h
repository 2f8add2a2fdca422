#pragma once
// The print choices of a report: what the print dialog asks and the report
// writer hands to the print engine, with the defaults of a fresh record.

#include <cstdint>
#include <string>

namespace fol {
class TFolianto;
}

struct TDefaultPrintRec {
    std::string ReportName;       // empty: nothing kept per report
    std::int32_t ColorPrint = 0;  // 0 black and white, 1 colour
    std::int32_t StartPage = 1;
    bool BothSides = false;
    std::int32_t SizeA = 0;       // font number of the print font table
    std::int32_t SizeB = 16;      // title size
    std::int32_t SizeC = 9;       // heading size
    std::int32_t SizeD = 10;      // body size
    std::int32_t LineColor1 = 0;  // frame lines
    std::int32_t LineColor2 = 0;  // grid lines
    std::int32_t NetColor1 = 0;   // heading rows
    std::int32_t NetColor2 = 0;   // total rows
    std::string SavedChoices;     // the dialog's choices, lines name=value
};

// The defaults, the colours the operator's environment colours.
void InitDefaultPrintRec(TDefaultPrintRec& rec);

// The print font table: 0 "ＭＳ 明朝", 1 "ＭＳ ゴシック", 2 "ＭＳ Ｐ明朝",
// 3 "ＭＳ Ｐゴシック"; any other number the first.
const char* PrintFontName(std::int32_t number);

// For black and white (colorPrint 0): the writer's user and OCR colours
// black, its net colours their greys. Any other value leaves it alone.
void SetMonoPrintColors(std::int32_t colorPrint, fol::TFolianto& writer);

// "020-" and the report name, upper-cased, its last 40 bytes, trimmed.
std::string ReportStyleName(const std::string& reportName);

// The value of a name in name=value lines; empty when it is not there.
std::string SavedChoice(const std::string& lines, const std::string& name);
