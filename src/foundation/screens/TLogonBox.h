#pragma once
// "ログイン": the operator chooses stand-alone or client/server use, names
// the data server if needed, and logs on with an operator code and a
// password. The system database's LOGONUSERTEST checks the code and the
// password and records the logon; a successful logon leaves the system
// database connected and the operator in SystemDef (modal result OK).
//
// Keys: F12 presses OK; Enter in the password moves to OK; Esc and F1 do
// nothing ("キャンセル" closes with cancel).
//
// Built for the accounting program (ProgramKind 0). The password-only
// confirmation that other programs of the family use is not part of this
// program: for another kind the dialog is not Ready and must not be shown.

#include "controls/widgets/TBSDI.h"

#include <memory>
#include <string>

class QGroupBox;
class QLabel;
class TAppIniCreateBox;
class TxEdit;
class TxPlButton;
class TxRadioButton;
namespace db {
class FbError;
}

class TLogonBox : public TBSDI {
    Q_OBJECT
public:
    explicit TLogonBox(QWidget* owner = nullptr);
    ~TLogonBox() override;

    bool Ready = false;
    // 0 here; 1 and 2 change the diagnostics and the first focus.
    std::int32_t LaunchKind = 0;
    bool GroupFlag = false;
    std::unique_ptr<TAppIniCreateBox> AppIniBox;

    QWidget* pnlHeader;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QWidget* pnlBody;
    QGroupBox* GroupBox1;  // connection
    TxRadioButton* btnSA;
    TxRadioButton* btnCS;
    TxPlButton* btnServerSettei;
    QGroupBox* GroupBox2;  // operator
    QLabel* lblGroupID;
    TxEdit* txtGroupID;
    QLabel* lblOpCode;
    TxEdit* txtOpCode;
    QLabel* lblPassword;
    TxEdit* txtPassword;
    TxPlButton* btnUpPassword;
    TxPlButton* CancelBtn;
    TxPlButton* OKBtn;

    void btnSAClick();
    void btnServerSetteiClick();
    void OKBtnClick();
    // Reconnects the system database; a failure is reported and gives false.
    bool ConnectionCheck();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Refuse(const char* text, QWidget* focus);
    void FailLogon(bool recorded);

    class KeySwallow;
    KeySwallow* keySwallow_;
};
