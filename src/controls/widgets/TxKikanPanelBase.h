#pragma once
// What the period selectors share: a strip of cells, each a small panel,
// that the user selects one of or a run of, by mouse (press and drag) or by
// the Left and Right keys (with Shift to stretch the run). The selection is
// reported through OnMouseUp, on release of the mouse, on Enter, and on
// leaving the selector after a key changed it.
//
// The 16-cell selector and its 12- and 4-cell twins differ in how they lay
// out the year (controls/KikanPeriods.h) and in a few details the subclasses
// give.

#include <QFrame>
#include <QLabel>
#include <functional>
#include <vector>

#include "controls/KikanPeriods.h"

class TxKikanPanelBase : public QFrame {
    Q_OBJECT
public:
    // Mouse reports: the button, the modifiers held and the position in the
    // cell. The reports of a keyboard change give the left button, no
    // modifiers and (0, 0).
    using TMouseEvent =
        std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    std::function<void(QObject* sender)> OnDblClick;

    int Stno() const { return stno_; }
    int Edno() const { return edno_; }
    virtual void SetStno(int value);
    virtual void SetEdno(int value);
    bool KikanMove() const { return kikanMove_; }
    void SetKikanMove(bool on);
    bool KBDMOUSE() const { return kbdMouse_; }
    void SetKBDMOUSE(bool on) { kbdMouse_ = on; }

    QColor BackColor() const { return backColor_; }
    void SetBackColor(const QColor& c) { SetColour(backColor_, c); }
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor& c) { SetColour(fontColor_, c); }

    int CellCount() const { return static_cast<int>(cells_.size()); }
    QLabel* Cell(int i) const { return cells_.at(static_cast<std::size_t>(i)); }
    int FirstSelectable() const { return year_.FirstSelectable; }
    int LastSelectable() const { return year_.LastSelectable; }

    virtual void CellDblClick(QObject* sender);
    virtual void CellMouseDown(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void CellMouseMove(QObject* sender, Qt::KeyboardModifiers shift, int x, int y);
    virtual void CellMouseUp(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void PaintCells();
    virtual void SetupPeriod(int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate) = 0;

protected:
    TxKikanPanelBase(int cellCount, QWidget* parent);

    // Cells take the year's captions and enabled flags; the selection and
    // the gesture start from it.
    void ApplyYear(const TKikanYear& year);
    void ArrangeCells();
    // Paints cells lo..hi (either order) selected, the others unselected.
    void PaintRange(int a, int b);
    void SetColour(QColor& field, const QColor& value);
    // Colour of an unselected cell i: confirmed colours where they apply.
    virtual bool Confirmed(int /*i*/) const { return false; }
    virtual QColor ConfirmedBack() const { return {}; }
    virtual QColor ConfirmedFont() const { return {}; }
    virtual QColor DisabledSelectedColor() const;
    // Whether Enter clears the unreported-key flag (the twins keep it set).
    virtual bool EnterClearsKbdMouse() const { return true; }
    // The cells the layout spreads over the width.
    virtual int LayoutCellCount() const { return CellCount(); }
    void ReportKeyboardChange();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

    std::vector<QLabel*> cells_;
    TKikanYear year_;
    int stno_ = 0;
    int edno_ = 0;
    int anchor_ = 0;
    int current_ = 0;
    bool dragging_ = false;
    bool kikanMove_ = true;
    bool kbdMouse_ = false;
    bool routeMoves_ = false;
    bool snapping_ = false;
    QColor backColor_;
    QColor fontColor_;
};
