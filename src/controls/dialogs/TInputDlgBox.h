#pragma once
// The one generic input dialog: a prompt and one of five inputs (0 text,
// 1 password with a box that shows it in clear, 2 combo box, 3 amount,
// 4 date range), OK and Cancel, and a hint area that shows the long hint of
// the focused control. The caller fills the public fields, calls
// SetupInputDlg, runs exec() (1 OK, 2 cancel) and reads Value or the dates.
//
// Lengths (MaxInputLength) count CP932 bytes. The lists stay with the
// dialog, so the same instance may be set up and shown again.

#include <QColor>
#include <QDialog>
#include <string>
#include <vector>

#include "controls/KeyStyles.h"
#include "platform/DateTime.h"

class QLabel;
class QWidget;
class TextInputGuard;
class TLedrixEdit;
class TLedrixExDateEdit;
class TxCheckBox;
class TxComboBox;
class TxEdit;
class TxPlButton;

// The information messages of OK.
inline constexpr const char* InputRequiredMessage = "入力してから[OK]ボタンを押して下さい。";
inline constexpr const char* InputOrSelectRequiredMessage = "入力または選択してから[OK]ボタンを押して下さい。";

class TInputDlgBox : public QDialog {
    Q_OBJECT
public:
    explicit TInputDlgBox(QWidget* owner = nullptr);

    int InputKind = 0;  // 0 text, 1 password, 2 combo box, 3 amount, 4 date range
    std::string DlgCaption;
    std::string Prompt;
    QColor PromptColor;              // invalid: the form's font colour
    std::string Value;               // in: initial text; out: the entered text (kinds 0-3)
    TDateTime Date1 = 0, Date2 = 0;  // in: initial dates; out: the range (kind 4)
    TDateTime MinDate1 = 0, MaxDate1 = 0, MinDate2 = 0, MaxDate2 = 0;
    std::string InputHint;
    int MaxInputLength = 0;  // CP932 bytes of the text, combo or amount; 0: no limit
    TImeMode InputImeMode = imDontCare;
    bool Required = false;  // kind 1 sets it
    int CharFilter = 0;
    std::vector<std::string> ComboItems;
    std::vector<std::string> RejectList;  // values OK refuses in kinds 0 and 1
    std::string RejectMessage;

    // Lays the dialog out for InputKind; once before each modal show.
    void SetupInputDlg(bool initFlag);
    // Sets CharFilter and applies it to the text input (0 removes it).
    void SetInputCharFilter(int filter);
    bool InitFlag() const { return initFlag_; }

    // Control names as the screens know them.
    QLabel* lblMain;
    QWidget* pnlText;
    TxEdit* txtInput;
    TxCheckBox* btnFuseji;
    QWidget* pnlCombo;
    TxComboBox* cmbInput;
    QWidget* pnlKingaku;
    TLedrixEdit* txtKingaku;
    QWidget* pnlDate;
    TLedrixExDateEdit* txtHizuke1;
    TLedrixExDateEdit* txtHizuke2;
    QLabel* HintArea;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;
    TxPlButton* btnHelp;

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void btnOKClick();
    void ApplyMask();
    void ShowHintOf(QWidget* widget);

    bool initFlag_ = false;
    TextInputGuard* textGuard_;
    TextInputGuard* comboGuard_;
};

// The long part of a hint "short|long" (all of it without "|").
QString LongHint(const QString& hint);
