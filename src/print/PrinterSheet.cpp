#include "print/PrinterSheet.h"

#include "print/PageState.h"
#include "print/ErrorLog.h"
#include "print/PrintEngine.h"

#include <utility>

namespace fol {
namespace {

int& Orientation()
{
    static int orientation = 0;
    return orientation;
}

}  // namespace

int PrinterOrientation()
{
    return Orientation();
}

void SetPrinterOrientation(int orientation)
{
    Orientation() = orientation == 1 ? 1 : 0;
    TVDBPrint* vdb = Vdb();
    if (!vdb || vdb->NoPrinter())
        return;
    try {
        DeviceMode mode = vdb->Backend().ReadDeviceMode();
        mode.Orientation = Orientation() + 1;
        vdb->Backend().WriteDeviceMode(mode);
    } catch (const std::exception& e) {
        WriteErrorLog("Vdb.SetOrientation", e.what());
    }
}

SheetGeometry PrinterSheet(int orientation, double unknownExtra)
{
    SheetGeometry g;
    TVDBPrint* vdb = Vdb();
    if (vdb) {
        vdb->ResetUserPaperSize();
        const int paper = vdb->GetPaper();
        double width = 0, height = 0;
        if (!vdb->NoPrinter()) {
            g.PrintableWidth = vdb->Backend().PrintableWidthMM();
            g.PrintableHeight = vdb->Backend().PrintableHeightMM();
        }
        if (KnownPaperSize(paper, width, height)) {
            g.PaperWidth = width;
            g.PaperHeight = height;
        } else {
            g.Unknown = true;
            g.PaperWidth = g.PrintableWidth + unknownExtra;
            g.PaperHeight = g.PrintableHeight + unknownExtra;
        }
    }
    if (orientation == 1) {
        std::swap(g.PaperWidth, g.PaperHeight);
        std::swap(g.PrintableWidth, g.PrintableHeight);
    }
    return g;
}

void PlacePages(PageInterpreter& interpreter, const TFOLDEF& record, const SheetGeometry& sheet)
{
    interpreter.SetAdjustedMargins(record.LeftMargin - Round((sheet.PaperWidth - sheet.PrintableWidth) / 2) * 10,
                                   record.TopMargin - Round((sheet.PaperHeight - sheet.PrintableHeight) / 2) * 10);
    interpreter.SetPaperHeightMM(sheet.PaperHeight);
}

void UpdateRatios(PageInterpreter& interpreter, const TFOLDEF& record)
{
    TVDBPrint* vdb = Vdb();
    const int printerPaper = vdb ? vdb->GetPaper() : 9;
    interpreter.UpdateRatios(record.PaperSize, printerPaper);
}

}  // namespace fol
