#include "controls/widgets/TxComboBox.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "controls/ComboCodeSearch.h"
#include "controls/widgets/FocusMove.h"

TxComboBox::TxComboBox(QWidget* parent) : QComboBox(parent)
{
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::currentTextChanged, this, [this] { TextChanged(); });
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            remembered_ = index;
    });
}

void TxComboBox::SetItemIndex(int index)
{
    setCurrentIndex(index);
    if (index >= 0)
        remembered_ = index;
}

bool TxComboBox::ListOpen() const
{
    return view() != nullptr && view()->isVisible();
}

void TxComboBox::TextChanged()
{
    if (searching_)
        return;
    if (KeyLen > 0) {
        const QString text = currentText();
        const std::string key = ComboSearchKey(text.toStdString(), KeyLen, KeyTerm.toStdString());
        if (!key.empty()) {
            if (StartsWithDoubleByte(text.toStdString())) {
                remembered_ = currentIndex();
            } else {
                std::vector<std::string> items;
                for (int i = 0; i < count(); ++i)
                    items.push_back(itemText(i).toStdString());
                const int found = FindItemByCode(items, key, currentIndex());
                if (found >= 0) {
                    remembered_ = found;
                } else {
                    searching_ = true;
                    const QString keyText = QString::fromStdString(key);
                    setCurrentIndex(-1);
                    if (isEditable()) {
                        setEditText(keyText);
                        lineEdit()->setCursorPosition(static_cast<int>(keyText.length()));
                    }
                    searching_ = false;
                }
            }
        }
    }
    emit OnChange();
    update();
}

void TxComboBox::SelectRemembered()
{
    // With nothing remembered and nothing selected, the typed text stays:
    // selecting "no item" again would only wipe it.
    if (remembered_ < 0 && currentIndex() < 0)
        return;
    searching_ = true;
    setCurrentIndex(remembered_);
    if (remembered_ >= 0 && isEditable())
        setEditText(itemText(remembered_));
    searching_ = false;
}

void TxComboBox::showPopup()
{
    QComboBox::showPopup();
    if (view() != nullptr)
        view()->setMinimumWidth(DropDownWidth > 0 ? DropDownWidth : width());
}

void TxComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (currentIndex() >= 0 || remembered_ < 0) {
        if (remembered_ >= 0 && isEditable()) {
            searching_ = true;
            setEditText(itemText(remembered_));
            searching_ = false;
        }
    } else {
        SelectRemembered();
    }
}

void TxComboBox::keyPressEvent(QKeyEvent* e)
{
    int key = e->key();
    if (OnKeyDown) {
        OnKeyDown(key, e->modifiers());
        if (key == 0)
            return;
    }
    if (key == Qt::Key_Delete) {
        const bool caretAtStart = isEditable() && lineEdit()->cursorPosition() == 0;
        if (ListOpen() || caretAtStart || currentText().isEmpty()) {
            if (count() > 0) {
                remembered_ = 0;
                SelectRemembered();
            }
            e->accept();
            return;
        }
    }
    if (!ListOpen() && HandleNavKey(this, e, KeyStyles))
        return;
    QComboBox::keyPressEvent(e);
}

void TxComboBox::DropCompleter()
{
    // The platform completes typed text from the items; the code search
    // must see the text as typed.
    if (isEditable() && completer() != nullptr)
        setCompleter(nullptr);
}

void TxComboBox::showEvent(QShowEvent* e)
{
    DropCompleter();
    QComboBox::showEvent(e);
}

void TxComboBox::focusInEvent(QFocusEvent* e)
{
    DropCompleter();
    QComboBox::focusInEvent(e);
    if (e->reason() != Qt::PopupFocusReason)
        SelectRemembered();
}

void TxComboBox::focusOutEvent(QFocusEvent* e)
{
    if (e->reason() != Qt::PopupFocusReason)
        SelectRemembered();
    QComboBox::focusOutEvent(e);
}

void TxComboBox::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange && isEditable() && hasFocus()) {
        const int pos = lineEdit()->cursorPosition();
        const int selStart = lineEdit()->selectionStart();
        const int selLength = static_cast<int>(lineEdit()->selectedText().length());
        QComboBox::changeEvent(e);
        if (selStart >= 0)
            lineEdit()->setSelection(selStart, selLength);
        else
            lineEdit()->setCursorPosition(pos);
        update();
        return;
    }
    QComboBox::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        update();
}
