#include "controls/widgets/TxKikanPanelBase.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "controls/widgets/FocusMove.h"
#include "controls/widgets/VclColors.h"

namespace {
void PaintCell(QLabel* cell, const QColor& back, const QColor& text)
{
    QPalette pal = cell->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(g, QPalette::Window, back);
        pal.setColor(g, QPalette::WindowText, text);
    }
    cell->setPalette(pal);
}
}  // namespace

TxKikanPanelBase::TxKikanPanelBase(int cellCount, QWidget* parent)
    : QFrame(parent), backColor_(vcl::clNavy), fontColor_(vcl::clWhite)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    for (int i = 0; i < cellCount; ++i) {
        auto* cell = new QLabel(this);
        cell->setObjectName(QStringLiteral("No%1").arg(i + 1));
        cell->setProperty("Tag", i);
        cell->setAlignment(Qt::AlignCenter);
        cell->setAutoFillBackground(true);
        cell->installEventFilter(this);
        cells_.push_back(cell);
    }
    year_.Cells.resize(static_cast<std::size_t>(cellCount));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, vcl::clBtnFace());
    setPalette(pal);
}

void TxKikanPanelBase::SetColour(QColor& field, const QColor& value)
{
    if (field == value)
        return;
    field = value;
    PaintCells();
}

void TxKikanPanelBase::SetStno(int value)
{
    if (value == stno_)
        return;
    stno_ = value;
    PaintCells();
}

void TxKikanPanelBase::SetEdno(int value)
{
    if (value == edno_)
        return;
    edno_ = std::min(value, year_.LastNo);
    PaintCells();
}

void TxKikanPanelBase::SetKikanMove(bool on)
{
    if (on == kikanMove_)
        return;
    kikanMove_ = on;
    if (!on)
        edno_ = stno_;
    PaintCells();
}

void TxKikanPanelBase::ApplyYear(const TKikanYear& year)
{
    year_ = year;
    stno_ = year.Stno;
    edno_ = year.Edno;
    for (int i = 0; i < CellCount(); ++i) {
        cells_[i]->setText(QString::fromStdString(year_.Cells[i].Caption));
        cells_[i]->setEnabled(year_.Cells[i].Enabled);
    }
    anchor_ = stno_;
    current_ = edno_;
    ArrangeCells();
}

void TxKikanPanelBase::ArrangeCells()
{
    const std::vector<TCellRect> rects = ::ArrangeCells(width(), height(), LayoutCellCount());
    for (int i = 0; i < LayoutCellCount(); ++i) {
        cells_[i]->setGeometry(rects[i].Left, rects[i].Top, rects[i].Width, rects[i].Height);
        cells_[i]->setFont(font());
    }
    PaintCells();
}

QColor TxKikanPanelBase::DisabledSelectedColor() const
{
    return vcl::clSilver;
}

void TxKikanPanelBase::PaintRange(int a, int b)
{
    const int lo = std::min(a, b);
    const int hi = std::max(a, b);
    const bool enabled = isEnabled();
    for (int i = 0; i < CellCount(); ++i) {
        const bool inside = i >= lo && i <= hi;
        if (enabled) {
            if (inside)
                PaintCell(cells_[i], backColor_, fontColor_);
            else if (Confirmed(i))
                PaintCell(cells_[i], ConfirmedBack(), ConfirmedFont());
            else
                PaintCell(cells_[i], vcl::clBtnFace(), vcl::clWindowText());
        } else {
            PaintCell(cells_[i], inside ? DisabledSelectedColor() : vcl::clBtnFace(), vcl::clGray);
        }
    }
    update();
}

void TxKikanPanelBase::PaintCells()
{
    PaintRange(stno_, edno_);
}

void TxKikanPanelBase::CellDblClick(QObject*)
{
    if (OnDblClick)
        OnDblClick(this);
}

void TxKikanPanelBase::CellMouseDown(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    const int cell = sender->property("Tag").toInt();
    if (button == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        if (cell > year_.LastSelectable) {
            anchor_ = stno_;
            current_ = edno_;
        } else {
            anchor_ = current_ = cell;
            dragging_ = true;
            PaintRange(cell, cell);
        }
    }
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TxKikanPanelBase::CellMouseMove(QObject* sender, Qt::KeyboardModifiers, int x, int y)
{
    if (!kikanMove_ || !dragging_)
        return;
    const QPoint p = static_cast<QWidget*>(sender)->mapTo(this, QPoint(x, y));
    for (int i = 0; i < CellCount(); ++i) {
        if (cells_[i]->geometry().contains(p)) {
            if (year_.Cells[i].Enabled)
                current_ = i;
            break;
        }
    }
    PaintRange(anchor_, current_);
}

void TxKikanPanelBase::CellMouseUp(QObject*, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button != Qt::LeftButton)
        return;
    dragging_ = false;
    stno_ = std::min(anchor_, current_);
    edno_ = std::max(anchor_, current_);
    PaintCells();
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

bool TxKikanPanelBase::eventFilter(QObject* watched, QEvent* event)
{
    auto* cell = qobject_cast<QLabel*>(watched);
    if (cell == nullptr || cell->parentWidget() != this || !cell->isEnabled())
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(event);
        const QPoint p = m->position().toPoint();
        CellMouseDown(cell, m->button(), m->modifiers(), p.x(), p.y());
        return true;
    }
    case QEvent::MouseMove: {
        if (!routeMoves_)
            return false;
        auto* m = static_cast<QMouseEvent*>(event);
        const QPoint p = m->position().toPoint();
        CellMouseMove(cell, m->modifiers(), p.x(), p.y());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* m = static_cast<QMouseEvent*>(event);
        const QPoint p = m->position().toPoint();
        CellMouseUp(cell, m->button(), m->modifiers(), p.x(), p.y());
        return true;
    }
    case QEvent::MouseButtonDblClick:
        CellDblClick(cell);
        return true;
    default:
        return QFrame::eventFilter(watched, event);
    }
}

void TxKikanPanelBase::ReportKeyboardChange()
{
    if (OnMouseUp)
        OnMouseUp(this, Qt::LeftButton, Qt::NoModifier, 0, 0);
}

void TxKikanPanelBase::keyPressEvent(QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        kbdMouse_ = true;
        const bool left = e->key() == Qt::Key_Left;
        const int step = left ? -1 : 1;
        const auto canStep = [&](int from) {
            return left ? from > year_.FirstSelectable : from < year_.LastSelectable;
        };
        if (mods == Qt::ShiftModifier && kikanMove_) {
            if (canStep(current_)) {
                current_ += step;
                stno_ = anchor_;
                edno_ = current_;
                PaintRange(anchor_, current_);
            }
        } else {
            if (canStep(anchor_)) {
                anchor_ = current_ = anchor_ + step;
                PaintRange(anchor_, current_);
            }
            stno_ = anchor_;
            edno_ = current_;
        }
        e->accept();
        return;
    }
    case Qt::Key_Up:
        MoveFocusInForm(this, false);
        e->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (EnterClearsKbdMouse())
            kbdMouse_ = false;
        ReportKeyboardChange();
        MoveFocusInForm(this, true);
        e->accept();
        return;
    default:
        QFrame::keyPressEvent(e);
    }
}

void TxKikanPanelBase::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Shift) {
        stno_ = std::min(anchor_, current_);
        edno_ = std::max(anchor_, current_);
        PaintCells();
    }
    QFrame::keyReleaseEvent(e);
}

void TxKikanPanelBase::focusInEvent(QFocusEvent* e)
{
    QFrame::focusInEvent(e);
    kbdMouse_ = false;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, vcl::clGray);
    setPalette(pal);
    routeMoves_ = true;
}

void TxKikanPanelBase::focusOutEvent(QFocusEvent* e)
{
    QFrame::focusOutEvent(e);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, vcl::clBtnFace());
    setPalette(pal);
    routeMoves_ = false;
    if (kbdMouse_) {
        ReportKeyboardChange();
        kbdMouse_ = false;
    }
}

void TxKikanPanelBase::resizeEvent(QResizeEvent* e)
{
    QFrame::resizeEvent(e);
    if (snapping_)
        return;
    const int snapped = SnappedKikanWidth(width(), LayoutCellCount());
    if (snapped != width()) {
        snapping_ = true;
        resize(snapped, height());
        snapping_ = false;
    }
    ArrangeCells();
}

void TxKikanPanelBase::changeEvent(QEvent* e)
{
    QFrame::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
        // The cells follow the selector's own state only through colours:
        // their own enabled flags are the year's.
        for (int i = 0; i < CellCount(); ++i)
            cells_[i]->setEnabled(year_.Cells[i].Enabled);
        PaintCells();
    } else if (e->type() == QEvent::FontChange) {
        for (QLabel* cell : cells_)
            cell->setFont(font());
        PaintCells();
    }
}
