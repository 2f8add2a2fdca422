#pragma once
// TFolianto: the component through which the system writes print files.
//
// Set the properties, OpenPrintFile, write records page by page with
// NewPage between pages, ClosePrintFile; the preview and the printing path
// then read the closed file. Texts are UTF-8 here and CP932 in the file.
//
// File errors (create, write, close, or a record written while no file is
// open) raise EInOutError; a text CP932 cannot hold raises
// cp932::TextEncodingError before anything of its record is written.
// Properties that accept only some values keep the previous value for the
// others, so a caller's mistake never reaches the printer.

#include "platform/DateTime.h"
#include "print/FolDef.h"
#include "print/FolFormat.h"

#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

namespace fol {

class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TFolianto final {
public:
    TFolianto();
    ~TFolianto();
    TFolianto(const TFolianto&) = delete;
    TFolianto& operator=(const TFolianto&) = delete;

    // Plain properties.
    std::string DataFile;
    std::string FormFile;
    std::string Title;
    std::string DocTitle;
    int Orientation = 0;
    int PaperSize = 9;
    int OutPutPaper = 0;
    std::string PaperName = "A4";
    int LeftMargin = 0;
    int TopMargin = 0;
    int EvenLeftMargin = 0;
    int LeftCorrect = 0;
    int TopCorrect = 0;
    int FormLeftMargin = 0;
    int FormTopMargin = 0;
    int PageNo = 1;
    bool PrintFom = true;
    bool PrnDlg = true;
    int PrinterNum = -1;
    int BinNum = 0;
    ColourSet Colours;  // NetColor1/2, UserColor1/2 and the OCR colours
    bool SizeChange = false;
    int PaperLength = 2970;
    int PaperWidth = 2100;
    bool ModeSw = false;
    bool Permit = true;
    int PosCenter = 0;
    bool CurrentPage = true;
    bool ImageOut = false;
    int LineMaxCount = 0;
    bool DelFile = true;
    int BlankPage = 0;
    bool GrayScale = false;
    bool PageBango = false;
    int PageBangoLeft = 0;
    int PageBangoTop = 0;
    std::string PageBangoFontName = DefaultFace;
    int PageBangoFontSize = 10;
    TextAlign PageBangoAlignment = TextAlign::Right;
    bool PrevPaperButton = false;
    bool NextPaperButton = false;

    // Validated properties: a value outside the accepted set keeps the old one.
    int Copie() const { return copie_; }
    void SetCopie(int value);  // 1-99
    int Zoom() const { return zoom_; }
    void SetZoom(int value);  // 5-20
    int Scale() const { return scale_; }
    void SetScale(int value);  // 50-150
    int PrintQuality() const { return printQuality_; }
    void SetPrintQuality(int value);  // -4..-1, 0 printer default
    int ColorMode() const { return colorMode_; }
    void SetColorMode(int value);  // 0-2; larger values become 0
    int Duplex() const { return duplex_; }
    void SetDuplex(int value);  // 0-3
    int Collate() const { return collate_; }
    void SetCollate(int value);  // 0 or 1
    // -50..50 is stored as 1000 + value, 950..1050 as given, others as 1000.
    int VRATIO() const { return vRatio_; }
    void SetVRATIO(int value);
    int HRATIO() const { return hRatio_; }
    void SetHRATIO(int value);
    // Counts its "%D" placeholders; a format that does not take one or two
    // integers switches PageBango off and restores "(%d/%d)".
    const std::string& PageBangoFormat() const { return pageBangoFormat_; }
    void SetPageBangoFormat(const std::string& format);
    int PageBangoPlaceholders() const { return placeholders_; }
    // "" chooses "OCR-B", "OCRB" or "ＭＳ ゴシック"; a face not installed
    // leaves the value as it was.
    const std::string& OcrFontName() const { return ocrFontName_; }
    void SetOcrFontName(const std::string& face);
    int PreviewCloseNum() const { return previewCloseNum_; }

    // Writing.
    void OpenPrintFile(bool temporaryName);
    void WriteHeader();
    void PrintText(int x, int y, const std::string& text, const std::string& fontName, int fontSize,
                   const std::string& style, const std::string& colour, const std::string& fill,
                   const std::string& alignment, int byteWidth);
    void PrintLine(int x1, int y1, int x2, int y2, int width, int penStyle, const std::string& colour, bool fine);
    void PrintBox(int x1, int y1, int x2, int y2, int width, int penStyle, const std::string& colour,
                  const std::string& brushColour, int brushStyle);
    void NewPage();
    void ClosePrintFile();
    bool IsOpen() const { return file_.is_open(); }

    // The settings a preview or a print hands over. Raises EFolDefError when
    // a path does not fit the record.
    void CopySettings(TFOLDEF& record) const;

    // Shows the closed print file in the preview window; true when the
    // preview closed towards another report (PreviewCloseNum -1 or 1).
    bool Preview();
    // Prints the closed print file; true when printing went through.
    // Without Permit it shows the preview instead and returns false.
    bool Print();

    // The clock of the header's date; tests fix it. Empty restores Now.
    void SetClock(std::function<TDateTime()> clock) { clock_ = std::move(clock); }
    // The installed-face test used for OcrFontName; empty means none is.
    static void SetInstalledFaceTest(std::function<bool(const std::string&)> test);
    static bool IsFaceInstalled(const std::string& face);

private:
    void WriteLine(const std::string& utf8);
    // After a preview or a print: the print file (and a chart picture
    // beside it) deleted when DelFile asks, printer and copies taken back,
    // page numbering and the document title reset.
    void CleanUp(const TFOLDEF& record);

    std::ofstream file_;
    bool headerWritten_ = false;
    int copie_ = 1;
    int zoom_ = 10;
    int scale_ = 100;
    int printQuality_ = 0;
    int colorMode_ = 0;
    int duplex_ = 0;
    int collate_ = 0;
    int vRatio_ = 1000;
    int hRatio_ = 1000;
    std::string pageBangoFormat_ = "(%d/%d)";
    int placeholders_ = 2;
    std::string ocrFontName_;
    int previewCloseNum_ = 0;
    std::function<TDateTime()> clock_;
};

// The text of a TEXT record as the writer fits it (CP932 bytes in and out):
// ";" becomes ":", CR and LF a space, then the byte-width fitting.
std::string FitText(std::string sjis, const std::string& upperAlignment, int byteWidth);

// Formats a page-number text; false when the format does not take the given
// integers (only "%d" placeholders and "%%" are allowed).
bool FormatPageNumber(const std::string& format, int page, int pages, std::string& out);

}  // namespace fol
