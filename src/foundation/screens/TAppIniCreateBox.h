#pragma once
// "データサーバーの設定": where the data server is and how to log on to it.
// Shown from the logon dialog's "サーバー設定" button; the program start
// uses the routines of foundation/AppIniSettings.h without showing it.
//
// Showing loads the section of SectionMode (client/server) into the fields;
// OK checks them, stores them in SystemDef and writes the section of the
// current connection mode. Esc and "キャンセル" close with cancel, F12
// presses OK.

#include "controls/widgets/TBSDI.h"

class QComboBox;
class QGroupBox;
class QLabel;
class TxComboBox;
class TxEdit;
class TxPlButton;

class TAppIniCreateBox : public TBSDI {
    Q_OBJECT
public:
    explicit TAppIniCreateBox(QWidget* owner = nullptr);

    bool Ready = false;          // the form is built
    bool StandAloneUse = false;  // shown on its own (not from the logon)
    std::int32_t SectionMode = 1;

    QLabel* Label1;
    QLabel* Label2;
    QGroupBox* GroupBox1;
    TxEdit* txtHostName;
    TxPlButton* btnCompShow;
    TxComboBox* cmbDrive;
    TxEdit* txtDataPath;
    TxEdit* txtUserName;
    TxEdit* txtPassWord;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;

    void btnOKClick();
    void btnCompShowClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The checks of OK in the current connection mode; the message of the
    // first that fails, empty when all pass.
    std::string InputError() const;
};
