#pragma once
// The header block at the top of a print file: written once by the writer,
// read back by key when a saved print file is opened again.

#include "print/FolFormat.h"

#include <string>
#include <vector>

namespace fol {

constexpr const char* EngineVersion = "VCL.2.5";

// The values the header records (texts UTF-8).
struct HeaderValues {
    std::string Path;  // folder of the print file, without a trailing "/"
    std::string Date;  // "yyyy/mm/dd"
    std::string Title;
    std::string FormFile;
    int PaperSize = 9;
    int OutputPaper = 0;
    int Orientation = 0;
    int TopMargin = 0;
    int LeftMargin = 0;
    int FormTopMargin = 0;
    int FormLeftMargin = 0;
    TColor NetColour1 = 0xC0C0C0;
    TColor NetColour2 = 0xC0C0C0;
    TColor UserColour1 = 0;
    TColor UserColour2 = 0;
    bool FormPrint = true;
    int Copies = 1;
    bool PageNumbers = false;
    int PageNumberLeft = 0;
    int PageNumberTop = 0;
    int PageNumberAlignment = 2;
    std::string PageNumberFormat = "(%d/%d)";
};

// The header lines (UTF-8, without line ends), start and end markers included.
std::vector<std::string> HeaderLines(const HeaderValues& values);

// A file is a print file when its first ten characters are "*FOLIANTO*".
bool HasPrintFileMark(std::string_view firstLine);

// The settings the preview takes back from a saved file: the rest of the
// first line beginning with the key, trimmed; a missing PAPERSIZE or
// OUTPUTPAPER reads 9, other missing numbers 0; FORMPRINT is on only for
// "TRUE". lines are the file's lines (CP932), form file returned in UTF-8.
struct ReadBackSettings {
    std::string FormFile;
    int PaperSize = 9;
    int OutputPaper = 9;
    int Orientation = 0;
    int TopMargin = 0;
    int LeftMargin = 0;
    TColor NetColour1 = 0;
    TColor NetColour2 = 0;
    TColor UserColour1 = 0;
    TColor UserColour2 = 0;
    bool FormPrint = false;
};
ReadBackSettings ReadHeader(const std::vector<std::string>& lines);

}  // namespace fol
