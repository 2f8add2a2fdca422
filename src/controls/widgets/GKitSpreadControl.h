#pragma once
// Late-bound access to a spreadsheet control: its properties are found by
// name at run time (the control's meta-object), so that form code can size
// and zoom such a control without knowing its class. The property's index
// is looked up once per control class and name and kept for the process.
//
// Every accessor throws ESpreadDispatchError when the control has no such
// property (or method, for the cell height) or refuses the value.

#include <QObject>
#include <QString>
#include <cstdint>
#include <stdexcept>

class ESpreadDispatchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::int16_t GetSpreadCols(QObject* control);               // "Cols"
std::int16_t GetSpreadWindowDividerVert(QObject* control);  // "WindowDividerVert"
std::int16_t GetSpreadWindowDividerHorz(QObject* control);  // "WindowDividerHorz"
QString GetSpreadRowSep(QObject* control);                  // "RowSep"
double GetSpreadRowHeightMin(QObject* control);             // "RowHeightMin"
void SetSpreadRowHeightMin(QObject* control, double value);
double GetSpreadColWidthMin(QObject* control);  // "ColWidthMin"
void SetSpreadColWidthMin(QObject* control, double value);
void SetSpreadRedraw(QObject* control, bool on);     // "Redraw"
std::int16_t GetSpreadRowsFrozen(QObject* control);  // "RowsFrozen"
void SetSpreadRowsFrozen(QObject* control, std::int16_t rows);
QString GetSpreadRowsHeight(QObject* control);  // "RowsHeight"
QString GetSpreadColsWidth(QObject* control);   // "ColsWidth"
// An empty text is written as no text (a null value).
void SetSpreadColsWidth(QObject* control, const QString& widths);
// "CelHeight": the control's invokable CelHeight(value, index1, index2).
void SetSpreadCelHeight(QObject* control, std::int16_t index1, std::int16_t index2, double value);
void SetSpreadNoBeep(QObject* control, bool on);  // "NoBeep"
