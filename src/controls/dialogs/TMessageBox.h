#pragma once
// The older message box: a coloured headline, a scrolling memo of lines and
// OK/Cancel with an agree box. A record (TMessageInfoRec) says what it
// shows; ShowMessageBox shows it.
//
// It is a dialog in the sense of the screens' base form: F12 presses OK
// (when OK is shown and enabled), Esc closes with cancel, both on key-up
// without Shift, Ctrl or Alt. It stands on a plain QDialog until the base
// form carries those keys.

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class TxCheckBox;
class TxPlButton;

struct TMessageInfoRec {
    // 0 OK and Cancel; 1 a single OK; 2 OK, Cancel and agree box, OK enabled
    // only while ticked; 3 OK, Cancel and agree box.
    std::int32_t Kind = 0;
    std::uint8_t Position = 7;  // 7: centred over the owner form; else the screen's centre
    std::string Caption;
    std::string LabelText;
    std::uint32_t LabelColor = 255;  // $BBGGRR
    std::vector<std::string> Lines;
    std::string AgreeText;
};

// Kind 0, position 7, empty texts, a red headline and no lines.
void InitMessageInfo(TMessageInfoRec& info);

class TMessageBox : public QDialog {
    Q_OBJECT
public:
    explicit TMessageBox(QWidget* owner = nullptr);

    // Lays the box out for the record; run once before it is shown.
    void SetupMessageBox(const TMessageInfoRec& info);

    QLabel* lblMain;
    QPlainTextEdit* MessageArea;
    TxCheckBox* cboxAgree;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::int32_t kind_ = 0;
    std::uint8_t position_ = 7;
};

// Shows the record modally over the active window and returns the modal
// result (1 OK, 2 cancel).
int ShowMessageBox(const TMessageInfoRec& info);
