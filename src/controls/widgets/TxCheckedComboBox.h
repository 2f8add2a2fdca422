#pragma once
// A drop-down box that opens a list of check boxes, so that several items
// can be chosen at once. Its text area shows how many items are checked
// ("%d件選択"), or the checked items themselves, and "未選択" when none is.
// The open list has a context menu to check or uncheck every item.

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <functional>

#include "controls/CheckedComboState.h"

class TxCheckedComboBox : public QFrame {
    Q_OBJECT
public:
    explicit TxCheckedComboBox(QWidget* parent = nullptr);
    ~TxCheckedComboBox() override;

    // Every change of the items unchecks everything.
    void SetItems(const QStringList& items);
    QStringList Items() const;
    bool Sorted() const { return sorted_; }
    void SetSorted(bool on);
    bool MultiSelect() const { return state_.MultiSelect; }
    void SetMultiSelect(bool on);
    QString CapSelectAll = QStringLiteral("&全て選択");
    QString CapDeSelectAll = QStringLiteral("&選択解除");
    void SetEmptyValue(const QString& text);
    void SetDispStyle(TCHBDispStyle style);
    void SetKensuValueFormat(const QString& format);
    void SetSortDisplay(bool on);
    int Columns = 0;
    int DropDownLines() const { return dropDownLines_; }
    // Only 1 to 20 are taken.
    void SetDropDownLines(int lines);
    int DropDownWidth = 120;
    // Stored and unused, as the forms keep them.
    TCHBQuoteStyle QuoteStyle = qsNone;
    bool KeyUse = false;
    int KeyLength = 0;
    QString KeyDelimiter = QStringLiteral(":");
    QString Version() const { return QStringLiteral("1.0.3"); }

    // The checked items joined by ",", in the order they were checked.
    QString Value() const { return QString::fromStdString(state_.Value()); }
    int Count() const { return state_.Count(); }
    void SetChecked(int index, bool checked);
    bool IsChecked(int index) const { return state_.IsChecked(index); }
    void CheckAll();
    void UncheckAll();
    QString Text() const { return textArea_->text(); }

    void OpenList();
    bool ListOpen() const;
    int ListLines() const { return listLines_; }
    QWidget* DropDownWindow() const { return popup_; }
    QListWidget* CheckList() const { return list_; }
    QMenu* CheckListMenu() const { return menu_; }
    QLabel* DropDownButton() const { return button_; }
    QLabel* TextArea() const { return textArea_; }
    // The picture the drop-down button shows: "DROPDOWN_NORMAL", "_HOT",
    // "_PRESS" or "_GRAY".
    QString ButtonPicture() const { return picture_; }

    std::function<void(QObject*)> OnChange;
    std::function<void(QObject*)> OnClickCheck;
    std::function<void(QObject*)> OnCloseUp;
    std::function<void(QObject*)> OnPanelClick;
    std::function<void(QObject*)> OnButtonClick;
    std::function<void(QObject*)> OnClick;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ListClosed();
    void ShowPicture(const QString& name);
    void UpdateText();
    void ColourTextArea();
    void Layout();
    void FillList();
    void ItemChanged(QListWidgetItem* item);

    TCheckedComboState state_;
    bool sorted_ = false;
    int dropDownLines_ = 15;
    int listLines_ = 0;
    bool closedByButton_ = false;
    bool filling_ = false;
    QString picture_;
    QLabel* textArea_ = nullptr;
    QLabel* button_ = nullptr;
    QFrame* popup_ = nullptr;
    QListWidget* list_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* selectAll_ = nullptr;
    QAction* deselectAll_ = nullptr;
};
