#include "controls/widgets/TLedrixEdit.h"

#include <QCursor>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "controls/widgets/FocusMove.h"
#include "controls/widgets/PasteBlock.h"

namespace {
constexpr QChar kEnter('\r');
constexpr QChar kTab('\t');
constexpr QChar kBackspace('\b');
constexpr QChar kEsc(QChar(27));
}  // namespace

TLedrixEdit::TLedrixEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { TextChanged(); });
    ApplyBackground();
}

void TLedrixEdit::SetMaxLength(int length)
{
    maxLength_ = std::max(length, 0);
    ApplyLengthLimit();
}

void TLedrixEdit::SetComma(bool on)
{
    comma_ = on;
    ApplyLengthLimit();
}

void TLedrixEdit::ApplyLengthLimit()
{
    if (maxLength_ <= 0) {
        setMaxLength(32767);
        return;
    }
    const int commas = comma_ ? CountCommas(text().toStdString()) : 0;
    setMaxLength(maxLength_ + commas);
}

void TLedrixEdit::SetImeMode(TImeMode mode)
{
    imeMode_ = mode;
    setAttribute(Qt::WA_InputMethodEnabled, mode != imDisable);
}

void TLedrixEdit::SetBrush(const QBrush& brush)
{
    brush_ = brush;
    ApplyBackground();
}

void TLedrixEdit::SetTransparent(bool on)
{
    transparent_ = on;
    brush_.setStyle(on ? Qt::NoBrush : Qt::SolidPattern);
    ApplyBackground();
}

void TLedrixEdit::ApplyBackground()
{
    QPalette pal = palette();
    pal.setBrush(QPalette::Base, transparent_ ? QBrush(Qt::transparent) : brush_);
    setPalette(pal);
    setAutoFillBackground(!transparent_);
    update();
}

int TLedrixEdit::FieldLength(const QString& t) const
{
    return static_cast<int>(comma_ ? QString(t).remove(',').length() : t.length());
}

void TLedrixEdit::ApplyOutputFormat()
{
    const auto formatted =
        ::ApplyOutputFormat(text().toStdString(), EditStyle, outputFormat_.toStdString(), AllowBlank);
    if (!formatted)
        return;
    formatting_ = true;
    // The limit first, so that the formatted text is not cut by the old one.
    if (maxLength_ > 0)
        setMaxLength(maxLength_ + CountCommas(*formatted));
    setText(QString::fromStdString(*formatted));
    formatting_ = false;
}

bool TLedrixEdit::event(QEvent* e)
{
    if (KillPaste && imeMode_ == imDisable && IsPasteRequest(e)) {
        e->accept();
        return true;
    }
    // The edit takes every key, Tab included, before the form's focus chain.
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(e);
}

bool TLedrixEdit::KeyDown(QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const int key = e->key();
    const bool navigation = key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return ||
                            key == Qt::Key_Enter || key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
                            key == Qt::Key_Down;
    typing_ = !navigation;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (key == Qt::Key_Tab && !shift && AutoNextCtls.Has(acTabKey))
            return false;
        if (mods == Qt::NoModifier && key == Qt::Key_Tab)
            return MoveFocusInForm(this, true) || true;
        if (mods == Qt::ShiftModifier)
            return MoveFocusInForm(this, false) || true;
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyStyles.Has(ksEnter) && (MoveFocusInForm(this, true) || true);
    case Qt::Key_Up:
        return KeyStyles.Has(ksUp) && (MoveFocusInForm(this, false) || true);
    case Qt::Key_Down:
        if (!shift && AutoNextCtls.Has(acDownKey)) {
            result_.Include(acDownKey);
            result_.Include(acSendEnter);
            return true;
        }
        return KeyStyles.Has(ksDown) && (MoveFocusInForm(this, true) || true);
    case Qt::Key_Left:
        return KeyStyles.Has(ksLeft) && !hasSelectedText() && cursorPosition() == 0 &&
               (MoveFocusInForm(this, false) || true);
    case Qt::Key_Right:
        return KeyStyles.Has(ksRight) && !hasSelectedText() && cursorPosition() == text().length() &&
               (MoveFocusInForm(this, true) || true);
    default:
        return false;
    }
}

QChar TLedrixEdit::KeyPress(QChar ch, Qt::KeyboardModifiers modifiers, bool& zeroApplied)
{
    zeroApplied = false;
    if (ch.isNull())
        return ch;
    update();
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool tabReported = ch == kTab && AutoNextCtls.Has(acTabKey);
    if (tabReported && shift)
        return QChar();
    if (ch != kEnter && !(tabReported && !shift)) {
        for (const auto& [zeroKey, zeros] : {std::pair{Zero2Key, "00"}, std::pair{Zero3Key, "000"}}) {
            if (!ch.isNull() && ZeroKeyApplies(EditStyle, zeroKey) && ch == QChar(ZeroKeyChar(zeroKey))) {
                ch = QChar();
                zeroApplied = true;
                InsertText(QString::fromLatin1(zeros));
            }
        }
        if (!ch.isNull() && !CharPassesFilter(EditStyle, ch.unicode()))
            ch = QChar();
        if (ch == '-' && IsSignedStyle(EditStyle)) {
            if (const auto turned = TurnedSign(text().toStdString())) {
                setText(QString::fromStdString(*turned));
                setCursorPosition(static_cast<int>(text().length()));
                ch = QChar();
            }
        }
        if (ch == '.' && IsFloatStyle(EditStyle) && (text().isEmpty() || text().contains('.')))
            ch = QChar();
    }
    if (ch.isNull() && !zeroApplied)
        return ch;
    if (ch == kBackspace || ch == kEsc) {
        result_.Clear();
        return ch == kEsc ? QChar() : ch;
    }
    if (tabReported) {
        result_.Include(acTabKey);
        result_.Include(acSendEnter);
        return ch;
    }
    if (EnterKeyNoBeep && ch == kEnter)
        ch = QChar();
    result_.Exclude(acMaxLength);
    result_.Exclude(acSendEnter);
    const int selected = static_cast<int>(selectedText().length());
    if (AutoNextCtls.Has(acMaxLength) && maxLength_ > 0 && FieldLength(text()) - selected + 1 >= maxLength_) {
        result_.Include(acMaxLength);
        if (AutoNextCtls.Has(acSendEnter)) {
            result_.Include(acSendEnter);
            return ch;
        }
        if (!ch.isNull() && !zeroApplied)
            InsertText(QString(ch));
        MoveFocusInForm(this, true);
        return QChar();
    }
    return ch;
}

void TLedrixEdit::InsertText(const QString& inserted)
{
    QString inserting = inserted;
    QString t = text();
    int pos = cursorPosition();
    if (hasSelectedText()) {
        pos = selectionStart();
        t.remove(pos, selectedText().length());
    }
    if (maxLength_ > 0) {
        const int room = maxLength_ - static_cast<int>(QString(t).remove(',').length());
        inserting.truncate(std::max(room, 0));
    }
    const int commasBefore = CountCommas(t.toStdString());
    t.insert(pos, inserting);
    if (maxLength_ > 0 && FieldLength(t) >= maxLength_) {
        result_.Include(acMaxLength);
        if (AutoNextCtls.Has(acSendEnter))
            result_.Include(acSendEnter);
    }
    if (maxLength_ > 0)
        setMaxLength(std::max(maxLength(), static_cast<int>(t.length())));
    setText(t);
    const int gained = CountCommas(text().toStdString()) - commasBefore;
    setCursorPosition(
        std::clamp(pos + static_cast<int>(inserting.length()) + gained, 0, static_cast<int>(text().length())));
}

void TLedrixEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == 0)
        return;
    if (KeyDown(e)) {
        e->accept();
        return;
    }
    int key = e->key();
    if (OnKeyDown) {
        OnKeyDown(key, e->modifiers());
        if (key == 0)
            return;
    }
    QChar ch;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        ch = kEnter;
    else if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab)
        ch = kTab;
    else if (e->key() == Qt::Key_Escape)
        ch = kEsc;
    else if (e->key() == Qt::Key_Backspace)
        ch = kBackspace;
    else if (!e->text().isEmpty() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        ch = e->text().at(0);
    if (ch.isNull()) {  // no character: editing keys and shortcuts go their usual way
        QLineEdit::keyPressEvent(e);
        return;
    }
    bool zeroApplied = false;
    ch = KeyPress(ch, e->modifiers(), zeroApplied);
    if (!ch.isNull() && OnKeyPress)
        OnKeyPress(ch);
    if (ch.isNull() || ch == kTab || ch == kEsc || ch == kEnter) {
        e->accept();
        return;
    }
    if (KanaMode != kmNone && ch.unicode() >= 32)
        AddReading(QString(ch).toStdString());
    caretBefore_ = cursorPosition();
    textBefore_ = text();
    if (ch == kBackspace) {
        QKeyEvent bs(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QLineEdit::keyPressEvent(&bs);
        return;
    }
    QKeyEvent typed(QEvent::KeyPress, e->key(), e->modifiers() & ~Qt::ShiftModifier, QString(ch));
    QLineEdit::keyPressEvent(&typed);
}

void TLedrixEdit::TextChanged()
{
    if (formatting_ || !comma_ || !typing_)
        return;
    typing_ = false;
    const int commasBefore = CountCommas(textBefore_.toStdString());
    const bool wasEmpty = textBefore_.isEmpty();
    int caret = cursorPosition();
    ApplyOutputFormat();
    const int commasAfter = CountCommas(text().toStdString());
    if (wasEmpty || commasAfter > commasBefore)
        ++caret;
    else if (commasAfter < commasBefore)
        --caret;
    setCursorPosition(std::clamp(caret, 0, static_cast<int>(text().length())));
}

void TLedrixEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    result_.Clear();
    if (EditStyle != esNone && !outputFormat_.isEmpty() && !comma_) {
        formatting_ = true;
        setText(QString(text()).remove(','));
        formatting_ = false;
        selectAll();
    }
}

void TLedrixEdit::focusOutEvent(QFocusEvent* e)
{
    if (e->reason() != Qt::PopupFocusReason) {
        ApplyOutputFormat();
        result_.Clear();
    }
    QLineEdit::focusOutEvent(e);
}

void TLedrixEdit::AddReading(const std::string& reading)
{
    kana_.Set(kana_.Raw() + reading);
    const std::string converted = kana_.Read(KanaMode == kmHankaku ? TKanaWidth::HalfWidth : TKanaWidth::Katakana);
    kana_.Set(converted);
}

void TLedrixEdit::inputMethodEvent(QInputMethodEvent* e)
{
    const bool composing = !e->preeditString().isEmpty();
    if (composing && !imeOn_) {
        imeOn_ = true;
        if (OnImeStatusChange)
            OnImeStatusChange(this);
    }
    if (composing)
        lastPreedit_ = e->preeditString();
    if (!e->commitString().isEmpty() && KanaMode != kmNone) {
        TKanaCapture reading;
        reading.AppendComposition(lastPreedit_.toStdString(), e->commitString().toStdString());
        AddReading(reading.Raw());
    }
    if (!composing && imeOn_) {
        imeOn_ = false;
        lastPreedit_.clear();
        if (OnImeStatusChange)
            OnImeStatusChange(this);
    }
    QLineEdit::inputMethodEvent(e);
}

void TLedrixEdit::enterEvent(QEnterEvent* e)
{
    QLineEdit::enterEvent(e);
    if (OnMouseEnter) {
        const QPoint p = e->position().toPoint();
        OnMouseEnter(this, QGuiApplication::queryKeyboardModifiers(), p.x(), p.y());
    }
}

void TLedrixEdit::leaveEvent(QEvent* e)
{
    QLineEdit::leaveEvent(e);
    if (OnMouseLeave) {
        const QPoint p = mapFromGlobal(QCursor::pos());
        OnMouseLeave(this, QGuiApplication::queryKeyboardModifiers(), p.x(), p.y());
    }
}
