#pragma once
// The edit for amounts, codes and names: it limits what may be typed by its
// EditStyle, formats its number by OutputFormat when it is left (or at every
// keystroke with Comma), types "00" / "000" on a chosen key, turns the sign
// with the minus key, moves on when the field is full, reports how the user
// left it in AutoNextCtls_Result, and collects the kana reading of what was
// typed.

#include <QBrush>
#include <QLineEdit>
#include <functional>

#include "controls/KeyStyles.h"
#include "controls/NumericEditRules.h"
#include "controls/widgets/KanaCapture.h"

class TLedrixEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TLedrixEdit(QWidget* parent = nullptr);

    TEditStyle EditStyle = esNone;
    TKeyStyles KeyStyles{ksEnter};
    TAutoNextCtls AutoNextCtls;
    TZeroKey Zero2Key = zkNone;
    TZeroKey Zero3Key = zkNone;
    bool AllowBlank = false;
    bool EnterKeyNoBeep = false;
    bool KillPaste = false;
    TKanaMode KanaMode = kmNone;

    TAutoNextCtls AutoNextCtls_Result() const { return result_; }

    // Characters the field holds (commas not counted with Comma); 0: no limit.
    void SetMaxLength(int length);
    int MaxLength() const { return maxLength_; }
    void SetOutputFormat(const QString& format) { outputFormat_ = format; }
    QString OutputFormat() const { return outputFormat_; }
    void SetComma(bool on);
    bool Comma() const { return comma_; }
    void SetImeMode(TImeMode mode);

    void SetBrush(const QBrush& brush);
    QBrush Brush() const { return brush_; }
    void SetTransparent(bool on);
    bool Transparent() const { return transparent_; }

    QString Kana() const { return QString::fromStdString(kana_.Raw()); }
    void SetKana(const QString& value) { kana_.Set(value.toStdString()); }
    bool ImeOnFlg() const { return imeOn_; }

    // Formats the text by OutputFormat (see NumericEditRules.h).
    void ApplyOutputFormat();

    std::function<void(int& key, Qt::KeyboardModifiers modifiers)> OnKeyDown;
    std::function<void(QChar& key)> OnKeyPress;
    std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y)> OnMouseEnter;
    std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y)> OnMouseLeave;
    std::function<void(QObject* sender)> OnImeStatusChange;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool KeyDown(QKeyEvent* event);
    QChar KeyPress(QChar ch, Qt::KeyboardModifiers modifiers, bool& zeroApplied);
    void InsertText(const QString& text);
    int FieldLength(const QString& text) const;
    void TextChanged();
    void ApplyLengthLimit();
    void ApplyBackground();
    void AddReading(const std::string& text);

    TAutoNextCtls result_;
    int maxLength_ = 0;
    QString outputFormat_;
    bool comma_ = false;
    bool typing_ = false;
    bool formatting_ = false;
    int caretBefore_ = 0;
    QString textBefore_;
    TImeMode imeMode_ = imDontCare;
    QBrush brush_{Qt::white, Qt::SolidPattern};
    bool transparent_ = false;
    TKanaCapture kana_;
    QString lastPreedit_;
    bool imeOn_ = false;
};
