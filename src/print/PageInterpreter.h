#pragma once
// The page interpreter: draws one page of a print file ("DAT"), a form page
// under it ("FOM") or a form a FORM record names ("SUBFORM") onto any paint
// device, placed by the document's margins and the printer's paper, scaled to
// the device and the zoom.
//
// Device units: a record's 0.1 mm becomes round(value × factor) device units,
// the factors being the device's dots per 0.1 mm; the painter then maps
// everything by zoom ÷ 10. Every error while drawing is logged as
// "ImageOut.(<keyword>):<error>" and ends the page; nothing raises out of a
// draw, so a paint handler can call it as it is.
//
// What this machine cannot draw draws nothing and is logged: WMF and EMF
// pictures, the bar-code face "JAN" and the vertical variant of a face (the
// "ー" of vertical text). CHART draws nothing: no chart source is registered.

#include "print/FolDef.h"
#include "print/FolFile.h"
#include "print/FormFields.h"

#include <QFont>
#include <QPainter>

#include <functional>
#include <string>
#include <vector>

namespace fol {

enum class DrawKind { Dat, Fom, SubForm };

struct DrawInputs {
    DrawKind Kind = DrawKind::Dat;
    int OriginY = 0;  // device units
    int OriginX = 0;
    int FormPage = 0;  // 0-based, selects the field table
    bool EvenSheet = false;
    int Zoom = 10;
    double VFactor = 1;  // device units per 0.1 mm
    double HFactor = 1;
    int Dpi = 254;  // for font sizes
    bool Printer = false;
    int Page = 1;  // the print-file page being drawn (page numbers)
};

class PageInterpreter final {
public:
    explicit PageInterpreter(TFOLDEF& settings);

    // Draws one page from the file's current position; true when the file
    // ended before a page end.
    bool DrawPrintPage(FolFile& file, QPainter& painter, const DrawInputs& in);

    // The margins less the printer's unprintable border (0.1 mm).
    void SetAdjustedMargins(int left, int top);
    int AdjustedLeft() const { return adjLeft_; }
    int AdjustedTop() const { return adjTop_; }
    // Ratios from the document's paper and the printer's current paper.
    void UpdateRatios(int documentPaper, int printerPaper);
    int VRatio() const { return vRatio_; }
    int HRatio() const { return hRatio_; }
    // The printer paper's height in mm (caps the "@" line pitch).
    void SetPaperHeightMM(double height) { paperHeightMM_ = height; }

    // The form's definitions, loaded from a form file at an offset; a missing
    // file loads nothing. Returns the number of form pages counted.
    int LoadFormFields(const std::string& formFile, int xOffset, int yOffset);
    FormFieldTables& Fields() { return fields_; }

    // Page counting. A missing file is reported through the message hook
    // ("<name> が見つかりません。") and counts as one page.
    int CountPages(const std::string& fileName, bool numbering, bool form = false);
    // The document's page count from the form and print files; the page
    // counter starts again at 1.
    int SetPageCount();
    const std::vector<int>& PageNumbers() const { return pageNumbers_; }
    int NumberedPages() const { return numberedPages_; }

    const std::string& PendingMessage() const { return pendingMessage_; }
    void SetMessageHook(std::function<void(const std::string&)> hook) { messageHook_ = std::move(hook); }

    // Deepest FORM nesting drawn; a form naming itself stops here, logged.
    static constexpr int MaxFormDepth = 8;

private:
    struct PageState;
    void DrawRecord(const FolRecord& r, PageState& s);
    void DrawText(const FolRecord& r, PageState& s);
    void DrawMemo(const FolRecord& r, PageState& s);
    void DrawImage(const FolRecord& r, PageState& s);
    void DrawForm(const FolRecord& r, PageState& s);
    void DrawMaruMoji(const FolRecord& r, PageState& s);
    void DrawSLine(const FolRecord& r, PageState& s);
    void DrawBitmap(const QImage& image, const QRect& target, bool combine, const std::string& label, PageState& s);
    void ComputeOffsets(PageState& s) const;
    std::vector<std::string> ReadPage(FolFile& file, const DrawInputs& in, bool& endedWithE);

    TFOLDEF& settings_;
    int adjLeft_ = 0;
    int adjTop_ = 0;
    int vRatio_ = 1000;
    int hRatio_ = 1000;
    double paperHeightMM_ = 297;
    std::string pendingMessage_;
    FormFieldTables fields_;
    std::vector<int> pageNumbers_;
    int numberedPages_ = 0;
    int depth_ = 0;
    std::function<void(const std::string&)> messageHook_;
};

// The font the records name: face through the font rules (the installed-face
// test of the toolkit), pixel height, style.
QFont RecordFont(const std::string& faceUtf8, int pixelHeight, const TextStyle& style);

// Registers the stand-ins for the Windows faces the records name
// ("ＭＳ 明朝" → IPAMincho and so on). Idempotent.
void InstallFontSubstitutes();

}  // namespace fol
