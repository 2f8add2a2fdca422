#pragma once
// The drawing state of one page while the interpreter runs through its
// records, and the placement arithmetic every record uses. Private to the
// interpreter's source files.

#include "print/PageInterpreter.h"

#include <QColor>
#include <QPen>

#include <cmath>

namespace fol {

inline int Round(double value)
{
    return static_cast<int>(std::lround(value));
}

struct PageInterpreter::PageState {
    QPainter* Painter = nullptr;
    DrawInputs In;
    int OffsetX = 0;  // page offsets, device units
    int OffsetY = 0;
    int OriginX = 0;  // BP origin (device units), starting at the input's
    int OriginY = 0;
    QPointF Current;  // drawing position
    QPen Pen;         // the pen BP sets, for LINEB
    bool ApplyRatio = true;
    bool FormGrey = false;  // form colours turn light grey
    int VRatio = 1000;
    int HRatio = 1000;
    int SavedLeft = 0;  // L' and T' as the page began
    int SavedTop = 0;
    std::string Keyword;

    int H(double a) const { return ApplyRatio && HRatio != 0 ? Round(HRatio * a / 1000.0) : Round(a); }
    int V(double a) const { return ApplyRatio && VRatio != 0 ? Round(VRatio * a / 1000.0) : Round(a); }
    int X(int x) const { return H(Round(x * In.HFactor) + OffsetX + OriginX); }
    int Y(int y) const { return V(Round(y * In.VFactor) + OffsetY + OriginY); }
    int Width(int w) const { return Round(w * In.HFactor); }
};

// A colour of the engine as Qt's.
QColor ToQColor(TColor colour);
// A pen as the platform makes it: width 0 is one device unit; a wide pen
// with a broken style is a geometric pen with flat ends and mitred joins.
QPen MakePen(int width, int style, const QColor& colour);

}  // namespace fol
