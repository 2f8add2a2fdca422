#pragma once
// The key-navigating edit: Enter and the arrow keys move the focus like Tab
// and Shift+Tab (as its KeyStyles choose), with right alignment, typed access
// to its text, caret placement on entry, the kana reading of what is typed
// and the paste block of code fields.

#include <QLineEdit>
#include <functional>

#include "controls/KeyStyles.h"
#include "controls/widgets/KanaCapture.h"
#include "platform/NumberText.h"

class TxEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TxEdit(QWidget* parent = nullptr);

    TKeyStyles KeyStyles = DefaultKeyStyles;
    TCursorPos CursorPos = cpAllSel;
    bool KanaSw = false;

    // Left, right or centred text.
    void SetAlignment(Qt::Alignment alignment) { setAlignment(alignment); }
    // bsSingle (true) draws the box's frame, bsNone (false) leaves it off.
    void SetKeyEdit3D(bool single) { setFrame(single); }

    // The text as an amount, 0 when it is none; writing 0 keeps the text.
    Currency Curr() const;
    void SetCurr(Currency value);
    // The text as a whole number, 0 when it is none; writing 0 keeps the text.
    int Long() const;
    void SetLong(int value);

    // The captured reading in half-width katakana; writing an empty text is
    // ignored.
    QString kana();
    void SetKana(const QString& value);

    // While the input method is disabled and this is on, nothing can be
    // pasted and there is no context menu.
    bool KillPaste = true;
    void SetImeMode(TImeMode mode);
    TImeMode ImeMode() const { return imeMode_; }

    // The form's handlers, run before the edit's own key rules; a handler
    // that sets the key to 0 stops them.
    std::function<void(int& key, Qt::KeyboardModifiers modifiers)> OnKeyDown;
    std::function<void(QChar& key)> OnKeyPress;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool WantsMove(TKeyStyle style) const;

    TImeMode imeMode_ = imDontCare;
    TKanaCapture capture_;
    bool watching_ = false;
    QString lastPreedit_;
};
