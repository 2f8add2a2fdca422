#pragma once
// The printer as the preview and the printing path place pages on it: its
// orientation, the size of its current paper and of the printable area, and
// the margins less the unprintable border.

#include "print/PageInterpreter.h"
#include "print/VDBPrint.h"

namespace fol {

// 0 portrait, 1 landscape. Kept by the engine even without a printer, so
// the preview can still turn its pages.
int PrinterOrientation();
void SetPrinterOrientation(int orientation);

// Sizes in mm, in the printer's orientation.
struct SheetGeometry {
    double PaperWidth = 210;
    double PaperHeight = 297;
    double PrintableWidth = 210;
    double PrintableHeight = 297;
    bool Unknown = false;
};

// The printer's current paper (user-defined size reset first) in the
// orientation. A paper the engine does not know is the printable area and
// unknownExtra mm each way.
SheetGeometry PrinterSheet(int orientation, double unknownExtra);

// L' and T' (the margins less half the unprintable border) and the
// even-sheet shift into the interpreter; ratios from the document's paper
// and the printer's.
void PlacePages(PageInterpreter& interpreter, const TFOLDEF& record, const SheetGeometry& sheet);
void UpdateRatios(PageInterpreter& interpreter, const TFOLDEF& record);

}  // namespace fol
