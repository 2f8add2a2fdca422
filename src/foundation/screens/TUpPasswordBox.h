#pragma once
// "パスワードの設定" / "パスワードの変更": collects a new password (and the
// current one, when there is one) and checks the entries; the caller stores
// the result. The edits take letters and digits only, up to 10 characters,
// shown in clear. Esc closes with cancel, F12 presses OK.

#include "controls/widgets/TBSDI.h"

#include <string>

class QGroupBox;
class QLabel;
class TxEdit;
class TxPlButton;

class TUpPasswordBox : public TBSDI {
    Q_OBJECT
public:
    explicit TUpPasswordBox(QWidget* owner = nullptr);

    // Prepares the dialog for the current password (empty: none yet); call
    // before showing.
    void SetCurrentPassword(const std::string& current);

    std::string NewPassword;  // the result after OK

    QLabel* Label1;
    QGroupBox* GroupBox1;
    QLabel* Label2;
    TxEdit* txtPasswordNow;
    QLabel* Label3;
    TxEdit* txtPasswordNew1;
    QLabel* Label4;
    TxEdit* txtPasswordNew2;
    TxPlButton* btnCancel;
    TxPlButton* btnOk;

    void btnOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PlaceLabel(QLabel* label, TxEdit* edit, int top);

    std::string current_;
    bool hasCurrent_ = false;
};
