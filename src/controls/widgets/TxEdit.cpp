#include "controls/widgets/TxEdit.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "controls/widgets/FocusMove.h"
#include "controls/widgets/PasteBlock.h"

TxEdit::TxEdit(QWidget* parent) : QLineEdit(parent) {}

Currency TxEdit::Curr() const
{
    Currency value = 0;
    return TryStrToCurr(text().toStdString(), value) ? value : 0;
}

void TxEdit::SetCurr(Currency value)
{
    if (value != 0)
        setText(QString::fromStdString(CurrToStr(value)));
}

int TxEdit::Long() const
{
    int value = 0;
    return TryStrToInt(text().toStdString(), value) ? value : 0;
}

void TxEdit::SetLong(int value)
{
    if (value != 0)
        setText(QString::number(value));
}

QString TxEdit::kana()
{
    return QString::fromStdString(capture_.Read(TKanaWidth::HalfWidth));
}

void TxEdit::SetKana(const QString& value)
{
    if (!value.isEmpty())
        capture_.Set(value.toStdString());
}

void TxEdit::SetImeMode(TImeMode mode)
{
    imeMode_ = mode;
    setAttribute(Qt::WA_InputMethodEnabled, mode != imDisable);
}

bool TxEdit::event(QEvent* e)
{
    if (KillPaste && imeMode_ == imDisable && IsPasteRequest(e)) {
        e->accept();
        return true;
    }
    return QLineEdit::event(e);
}

bool TxEdit::WantsMove(TKeyStyle style) const
{
    if (!KeyStyles.Has(style))
        return false;
    const int len = static_cast<int>(text().length());
    const bool allSelected = len > 0 && selectionStart() == 0 && selectedText().length() == len;
    switch (style) {
    case ksLeft: {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        return start == 0 && (!hasSelectedText() || allSelected);
    }
    case ksRight:
        return len == 0 || allSelected;
    default:
        return true;
    }
}

void TxEdit::keyPressEvent(QKeyEvent* e)
{
    int key = e->key();
    if (OnKeyDown) {
        OnKeyDown(key, e->modifiers());
        if (key == 0)
            return;
    }
    TKeyStyle style;
    bool forward = false;
    if (NavKeyStyle(e, style, forward)) {
        if (style == ksEnter && OnKeyPress) {
            QChar ch('\r');
            OnKeyPress(ch);
            if (ch.isNull())
                return;
        }
        if (WantsMove(style)) {
            MoveFocusInForm(this, forward);
            e->accept();
            return;
        }
    } else if (OnKeyPress && !e->text().isEmpty()) {
        QChar ch = e->text().at(0);
        OnKeyPress(ch);
        if (ch.isNull())
            return;
        if (ch != e->text().at(0)) {
            QKeyEvent changed(e->type(), e->key(), e->modifiers(), QString(ch));
            QLineEdit::keyPressEvent(&changed);
            if (watching_)
                capture_.AppendTyped(ch.unicode());
            return;
        }
    }
    if (watching_ && !e->text().isEmpty() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        for (QChar c : e->text())
            capture_.AppendTyped(c.unicode());
    QLineEdit::keyPressEvent(e);
}

void TxEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    switch (CursorPos) {
    case cpAllSel:
        selectAll();
        break;
    case cpLeft:
        setCursorPosition(0);
        break;
    case cpRight:
        setCursorPosition(static_cast<int>(text().length()));
        break;
    }
    capture_.Clear();
    watching_ = KanaSw;
    lastPreedit_.clear();
}

void TxEdit::focusOutEvent(QFocusEvent* e)
{
    watching_ = false;
    QLineEdit::focusOutEvent(e);
}

void TxEdit::inputMethodEvent(QInputMethodEvent* e)
{
    if (watching_) {
        if (!e->commitString().isEmpty()) {
            capture_.AppendComposition(lastPreedit_.toStdString(), e->commitString().toStdString());
            lastPreedit_.clear();
        } else if (!e->preeditString().isEmpty()) {
            lastPreedit_ = e->preeditString();
        }
    }
    QLineEdit::inputMethodEvent(e);
}
