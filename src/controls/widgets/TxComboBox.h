#pragma once
// The key-navigating combo box, with a drop-down width of its own and a
// search of its items by a leading code ("001:現金" found by typing 001).
//
// The box remembers the item the code search or the program chose last;
// entering, closing the list and leaving bring that item back. The program
// chooses an item through SetItemIndex (the platform's index setter cannot
// be taken over); a choice the user makes in the list counts the same.

#include <QComboBox>
#include <functional>

#include "controls/KeyStyles.h"

class TxComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TxComboBox(QWidget* parent = nullptr);

    TKeyStyles KeyStyles = DefaultKeyStyles;
    int DropDownWidth = 0;  // 0: the box's own width
    int KeyLen = 0;         // longest code; 0 turns the search off
    QString KeyTerm = ":";

    void SetItemIndex(int index);
    int RememberedItem() const { return remembered_; }

    std::function<void(int& key, Qt::KeyboardModifiers modifiers)> OnKeyDown;

    void showPopup() override;
    void hidePopup() override;

signals:
    // The text changed, after the code search.
    void OnChange();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void TextChanged();
    void SelectRemembered();
    void DropCompleter();
    bool ListOpen() const;

    int remembered_ = -1;
    bool searching_ = false;
};
