#include "controls/widgets/TPerfectGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <stdexcept>

namespace {
Qt::Alignment AlignmentOf(int value)
{
    switch (value) {
    case 1:
        return Qt::AlignRight | Qt::AlignVCenter;
    case 2:
        return Qt::AlignCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
}  // namespace

TPerfectGrid::TPerfectGrid(QWidget* parent) : QTableWidget(parent)
{
    setColumnCount(1);
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    BackColor = OddRowBackColor = QColor(Qt::white);
    FixedBackColor = QColor(Qt::lightGray);
    FixedBorderColor = BorderColor = DisabledColor = QColor(128, 128, 128);
    FocusBorderColor = QColor(Qt::black);
    ThruBorderColor = QColor(0, 128, 0);
    VoidAreaColor = QColor(Qt::gray);
    ForeColor = QColor(Qt::black);
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (OnCellClick)
            OnCellClick(row, column - 1);
    });
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int, int) {
        if (OnDblClick)
            OnDblClick();
    });
    // A header click moves the cursor only where the grid allows selecting
    // a whole column; the view's own header handling would move it anyway.
    connect(horizontalHeader(), &QHeaderView::sectionPressed, this, [this](int column) {
        const QModelIndex kept = currentIndex();
        if (!AllowSelCol && kept.isValid() && kept.column() != column)
            setCurrentIndex(kept);
        if (OnCellClick)
            OnCellClick(-1, column - 1);
    });
    ApplyColors();
}

void TPerfectGrid::ApplyColors()
{
    QPalette p = palette();
    const bool enabled = isEnabled();
    p.setColor(QPalette::Base, enabled ? BackColor : DisabledColor);
    p.setColor(QPalette::AlternateBase, enabled ? OddRowBackColor : DisabledColor);
    p.setColor(QPalette::Text, ForeColor);
    p.setColor(QPalette::Window, VoidAreaColor);
    setPalette(p);
    setStyleSheet(
        QStringLiteral("QTableView { gridline-color: %1; border: 1px solid %1; }"
                       "QTableView::item:focus { border: 2px solid %2; }"
                       "QHeaderView::section { background-color: %3; border: 1px solid %4; }")
            .arg(BorderColor.name(), FocusBorderColor.name(), FixedBackColor.name(), FixedBorderColor.name()));
}

void TPerfectGrid::changeEvent(QEvent* event)
{
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        ApplyColors();
}

void TPerfectGrid::SetCols(int count)
{
    setColumnCount(count + 1);
    alignments_.resize(static_cast<std::size_t>(count + 1), 0);
    pictureTypes_.resize(static_cast<std::size_t>(count + 1), 0);
}

void TPerfectGrid::CheckRow(int row) const
{
    if (row < 0 || row >= rowCount())
        throw std::out_of_range("grid row " + std::to_string(row) + " outside the rows");
}

void TPerfectGrid::InsertRows(int at, int count)
{
    if (at < 0 || at > rowCount() || count < 0 || rowCount() + count > RowCapacity)
        throw std::out_of_range("grid rows beyond the grid's capacity");
    for (int i = 0; i < count; ++i)
        insertRow(at);
}

void TPerfectGrid::DeleteRows(int at, int count)
{
    if (count < 0 || at < 0 || at + count > rowCount())
        throw std::out_of_range("grid rows to delete outside the rows");
    for (int i = 0; i < count; ++i)
        removeRow(at);
}

QTableWidgetItem* TPerfectGrid::Item(int row, int col)
{
    CheckRow(row);
    QTableWidgetItem* it = item(row, col + 1);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(AlignmentOf(alignments_.size() > static_cast<std::size_t>(col + 1)
                                             ? alignments_[static_cast<std::size_t>(col + 1)]
                                             : 0));
        setItem(row, col + 1, it);
    }
    return it;
}

void TPerfectGrid::SetHeaderText(int col, const QString& text)
{
    QTableWidgetItem* it = horizontalHeaderItem(col + 1);
    if (!it) {
        it = new QTableWidgetItem;
        setHorizontalHeaderItem(col + 1, it);
    }
    it->setText(text);
}

QString TPerfectGrid::HeaderText(int col) const
{
    const QTableWidgetItem* it = horizontalHeaderItem(col + 1);
    return it ? it->text() : QString();
}

void TPerfectGrid::SetCellText(int row, int col, const QString& text)
{
    Item(row, col)->setText(text);
}

QString TPerfectGrid::CellText(int row, int col) const
{
    CheckRow(row);
    const QTableWidgetItem* it = item(row, col + 1);
    return it ? it->text() : QString();
}

void TPerfectGrid::SetCellValue(int row, int col, const QVariant& value)
{
    Item(row, col)->setData(Qt::UserRole, value);
}

QVariant TPerfectGrid::CellValue(int row, int col) const
{
    CheckRow(row);
    const QTableWidgetItem* it = item(row, col + 1);
    return it ? it->data(Qt::UserRole) : QVariant();
}

void TPerfectGrid::SetCellPicture(int row, int col, const QIcon& picture)
{
    Item(row, col)->setIcon(picture);
}

void TPerfectGrid::SetRowBackColor(int row, const QColor& color)
{
    for (int c = -1; c < Cols(); ++c)
        Item(row, c)->setBackground(color);
}

void TPerfectGrid::SetRowForeColor(int row, const QColor& color)
{
    for (int c = -1; c < Cols(); ++c)
        Item(row, c)->setForeground(color);
}

void TPerfectGrid::SetRowFont(int row, const QFont& font)
{
    for (int c = -1; c < Cols(); ++c)
        Item(row, c)->setFont(font);
}

void TPerfectGrid::SetColWidth(int col, int width)
{
    // A width of 0 hides the column but keeps its cells and values.
    setColumnHidden(col + 1, width <= 0);
    if (width > 0)
        setColumnWidth(col + 1, width);
}

int TPerfectGrid::ColWidth(int col) const
{
    return isColumnHidden(col + 1) ? 0 : columnWidth(col + 1);
}

void TPerfectGrid::SetColAlignment(int col, int alignment)
{
    if (alignments_.size() <= static_cast<std::size_t>(col + 1))
        alignments_.resize(static_cast<std::size_t>(col + 2), 0);
    alignments_[static_cast<std::size_t>(col + 1)] = alignment;
    for (int r = 0; r < rowCount(); ++r)
        if (QTableWidgetItem* it = item(r, col + 1))
            it->setTextAlignment(AlignmentOf(alignment));
}

void TPerfectGrid::SetHeaderAlignment(int col, int alignment)
{
    SetHeaderText(col, HeaderText(col));
    horizontalHeaderItem(col + 1)->setTextAlignment(AlignmentOf(alignment));
}

void TPerfectGrid::SetColPictureType(int col, int type)
{
    if (pictureTypes_.size() <= static_cast<std::size_t>(col + 1))
        pictureTypes_.resize(static_cast<std::size_t>(col + 2), 0);
    pictureTypes_[static_cast<std::size_t>(col + 1)] = type;
}

int TPerfectGrid::CurRow() const
{
    return currentIndex().isValid() ? currentRow() : NoRow;
}

int TPerfectGrid::CurCol() const
{
    return currentIndex().isValid() ? currentColumn() - 1 : -1;
}

int TPerfectGrid::TopRow() const
{
    return rowAt(0) < 0 ? 0 : rowAt(0);
}

void TPerfectGrid::SetTopRow(int row)
{
    CheckRow(row);
    scrollTo(model()->index(row, 0), QAbstractItemView::PositionAtTop);
}

void TPerfectGrid::MoveCursor(int row, int col)
{
    CheckRow(row);
    setCurrentCell(row, col + 1);
}

void TPerfectGrid::MakeRowVisible(int row)
{
    CheckRow(row);
    scrollTo(model()->index(row, std::max(0, currentColumn())), QAbstractItemView::EnsureVisible);
}

bool TPerfectGrid::IsRowVisible(int row) const
{
    CheckRow(row);
    const int y = rowViewportPosition(row);
    return y >= 0 && y + rowHeight(row) <= viewport()->height();
}

void TPerfectGrid::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    if (OnKeyDown) {
        OnKeyDown(key, event->modifiers());
        if (key == 0)
            return;
    }
    const QString text = event->text();
    if (OnKeyPress && text.size() == 1) {
        QChar c = text.at(0);
        OnKeyPress(c);
        if (c.isNull())
            return;
    }
    QTableWidget::keyPressEvent(event);
}

void TPerfectGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableWidget::currentChanged(current, previous);
    if (previous.isValid() && OnCellLostFocus)
        OnCellLostFocus(previous.row(), previous.column() - 1);
    if (current.isValid() && OnCellGotFocus)
        OnCellGotFocus(current.row(), current.column() - 1);
}
