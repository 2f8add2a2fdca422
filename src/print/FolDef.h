#pragma once
// The settings record every part of the print engine shares: what the
// writer hands over before a preview or a print, what the preview and the
// printing path change, what the page interpreter draws with.
//
// The text fields hold at most 127 (paths) or 63 CP932 bytes; a longer text
// is cut at a character boundary, except the two file paths: a cut path
// names another file, so a path that does not fit is refused.

#include "print/FolFormat.h"

#include <stdexcept>
#include <string>

namespace fol {

class EFolDefError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TPAGEBANGO {
    bool Switch = false;
    int X = 0;
    int Y = 0;
    int Alignment = 2;  // 0 left, 1 centre, 2 right
    std::string FontName = DefaultFace;
    int FontSize = 10;
    std::string Format = "(%d/%d)";
    int Placeholders = 2;
};

struct TFOLDEF {
    constexpr static std::size_t PathBytes = 127;
    constexpr static std::size_t NameBytes = 63;

    // Paths: EFolDefError when longer than PathBytes in CP932.
    void SetFormFile(const std::string& path);
    void SetDataFile(const std::string& path);
    const std::string& FormFile() const { return formFile_; }
    const std::string& DataFile() const { return dataFile_; }
    // Names: cut to NameBytes.
    void SetTitle(const std::string& text);
    void SetDeviceName(const std::string& text);
    void SetFormName(const std::string& text);
    void SetDocTitle(const std::string& text);
    void SetPaperName(const std::string& text);
    const std::string& Title() const { return title_; }
    const std::string& DeviceName() const { return deviceName_; }
    const std::string& FormName() const { return formName_; }
    const std::string& DocTitle() const { return docTitle_; }
    const std::string& PaperName() const { return paperName_; }

    int PrinterIndex = -1;
    int PaperSize = 0;
    int OutputPaper = 0;
    int VRatio = 1000;
    int HRatio = 1000;
    int Orientation = 0;
    int TopMargin = 0;
    int LeftMargin = 0;
    int EvenShift = 0;
    int TopCorrect = 0;
    int LeftCorrect = 0;
    int FormTopMargin = 0;
    int FormLeftMargin = 0;
    int PaperBin = 7;
    ColourSet Colours;
    bool FormPrint = true;
    bool PrintDialog = true;
    int Zoom = 10;
    bool SizeChange = false;
    bool ImageOut = false;
    bool CurrentPageButton = true;
    bool PrevPaperButton = false;
    bool NextPaperButton = false;
    bool ModeSwitch = true;
    int PaperLength = 2970;
    int PaperWidth = 2100;
    int Scale = 100;
    int Copies = 1;
    int PrintQuality = -4;
    int ColourMode = 0;
    int Duplex = 1;
    int Collate = 0;
    int YResolution = 0;
    bool Permit = true;
    bool GreyScale = false;
    int DevModeFields = 0;
    TPAGEBANGO PageNumbers;

private:
    std::string formFile_;
    std::string dataFile_;
    std::string title_;
    std::string deviceName_;
    std::string formName_;
    std::string docTitle_;
    std::string paperName_ = "A4";
};

// The one record the engine's parts share; it starts with the defaults.
TFOLDEF& FolDef();

}  // namespace fol
