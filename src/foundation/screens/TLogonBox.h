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
// Program kinds 1 to 3 (the other programs of the family) get the password
// confirmation instead: a fixed system operator of the group and a
// password only; kinds 2 and 3 keep that operator's password themselves and
// let it be set and changed here. Two key chords serve support staff in
// those kinds: Ctrl+J+M (kind 2) logs on as the accounting office, and
// Ctrl+Alt+R+P clears the stored password so that a new one must be set.
// For any other kind the dialog is not Ready and must not be shown.

#include "controls/widgets/TBSDI.h"

#include <functional>
#include <memory>
#include <set>
#include <string>

class QGroupBox;
class QLabel;
class TAppIniCreateBox;
class TUpPasswordBox;
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
    std::int32_t FixedOpCode = 0;  // the operator of the password mode
    std::string StoredPassword;    // that operator's password (kinds 2 and 3)
    bool PasswordKnown = false;
    bool OfficeSwitch = false;  // kind 2: log on as the accounting office
    std::unique_ptr<TAppIniCreateBox> AppIniBox;
    std::unique_ptr<TUpPasswordBox> PasswordBox;  // made on first use

    QWidget* pnlHeader;
    QLabel* Image1;
    QLabel* Image2;
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
    void btnUpPasswordClick();
    // Reconnects the system database; a failure is reported and gives false.
    bool ConnectionCheck();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateNormalMode();
    void CreatePasswordMode();
    void OKBtnClickNormal();
    void OKBtnClickPassword();
    // Kinds 2 and 3 on showing: the stored password decides whether OK is
    // open or a password must be set first.
    void ShowPasswordState();
    bool GetEntryPassword();
    bool UpdatePassword(const std::string& password);
    bool ReconnectSystemDatabase();
    void ChordKey(int key, Qt::KeyboardModifiers modifiers, bool pressed);
    void Refuse(const char* text, QWidget* focus);
    // Runs a logon's database steps; a failure rolls back, removes a logon
    // already recorded, reports, and closes with cancel.
    void GuardLogon(const std::string& failed, const std::function<void()>& steps);

    bool recorded_ = false;
    std::set<int> heldKeys_;

    class KeySwallow;
    KeySwallow* keySwallow_;
};
