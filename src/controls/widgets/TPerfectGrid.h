#pragma once
// The list grid of the selection and list screens. Data rows count from 0;
// the header row is row -1 and the row-header column is column -1 (it may be
// hidden with width 0 and still carry a value per row). CurRow answers
// NoRow when the grid has no current row. Colours are the grid's own
// properties; the events are plain callbacks a screen may detach and attach
// again (a click it sends itself must not run its click handling).

#include <QColor>
#include <QTableWidget>
#include <functional>

class TPerfectGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int NoRow = 32700;
    static constexpr int RowCapacity = NoRow - 1;

    explicit TPerfectGrid(QWidget* parent = nullptr);

    QColor FixedBackColor, FixedBorderColor, BorderColor, DisabledColor, BackColor, OddRowBackColor, FocusBorderColor,
        ThruBorderColor, VoidAreaColor, ForeColor;
    bool AllowSelCol = false;
    bool AllowSelRow = false;
    // Brings the colour properties onto the screen.
    void ApplyColors();

    int Rows() const { return rowCount(); }
    int Cols() const { return columnCount() - 1; }
    void SetCols(int count);
    // Throws std::out_of_range beyond the row capacity or outside the rows.
    void InsertRows(int at, int count);
    void DeleteRows(int at, int count);
    void SetHeaderText(int col, const QString& text);
    QString HeaderText(int col) const;
    void SetCellText(int row, int col, const QString& text);
    QString CellText(int row, int col) const;
    void SetCellValue(int row, int col, const QVariant& value);
    QVariant CellValue(int row, int col) const;
    void SetCellPicture(int row, int col, const QIcon& picture);
    void SetRowBackColor(int row, const QColor& color);
    void SetRowForeColor(int row, const QColor& color);
    void SetRowFont(int row, const QFont& font);
    void SetColWidth(int col, int width);
    int ColWidth(int col) const;
    // Alignment values: 0 left, 1 right, 2 centre.
    void SetColAlignment(int col, int alignment);
    void SetHeaderAlignment(int col, int alignment);
    void SetColPictureType(int col, int type);
    int CurRow() const;
    int CurCol() const;
    int TopRow() const;
    void SetTopRow(int row);
    void MoveCursor(int row, int col);
    void MakeRowVisible(int row);
    bool IsRowVisible(int row) const;

    std::function<void(int row, int col)> OnCellClick;
    std::function<void(int row, int col)> OnCellGotFocus;
    std::function<void(int row, int col)> OnCellLostFocus;
    std::function<void()> OnDblClick;
    // The handler sets key to 0 to consume it.
    std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(QChar& key)> OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void changeEvent(QEvent* event) override;

private:
    QTableWidgetItem* Item(int row, int col);
    void CheckRow(int row) const;
    std::vector<int> alignments_;
    std::vector<int> pictureTypes_;
};
