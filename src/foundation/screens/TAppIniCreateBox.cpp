#include "foundation/screens/TAppIniCreateBox.h"

#include "controls/widgets/TxComboBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "foundation/AppInfo.h"
#include "foundation/AppIniSettings.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"
#include "foundation/screens/FolderDialogs.h"
#include "foundation/screens/LogonWidgets.h"
#include "platform/AsciiText.h"
#include "platform/IniFile.h"

#include <QGroupBox>
#include <QLabel>
#include <filesystem>

namespace {

constexpr int FormWidth = 440;
constexpr int FormHeight = 226;

// The server's folders are paths of its own file system: there are no drive
// letters, and the data folder of the installation is an absolute path from
// the root, which is the one choice the drive box offers.
const char* const RootDrive = "/";

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string S(const QString& text)
{
    return text.toStdString();
}

// Refusals of OK: error dialogs with "Yes" as their only button.
void Refuse(const std::string& text)
{
    ShowUserMessage(text, TMsgDlgType::mtError, {TMsgDlgBtn::mbYes});
}

}  // namespace

TAppIniCreateBox::TAppIniCreateBox(QWidget* owner) : TBSDI(owner, bsDialog)
{
    setObjectName(QStringLiteral("AppIniCreateBox"));
    setWindowTitle(QStringLiteral("データサーバーの設定"));
    setFixedSize(FormWidth, FormHeight);

    const THeaderPanel header = MakeHeaderPanel(this, 56);
    Label1 = MakeHeaderLabel(header, QStringLiteral("Label1"), 56, 10);
    Label2 = MakeHeaderLabel(header, QStringLiteral("Label2"), 56, 30);

    GroupBox1 = new QGroupBox(QStringLiteral("データサーバー"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(12, 66, FormWidth - 24, 100);
    MakeLabel(QStringLiteral("lblHostName"), QStringLiteral("コンピュータ名:"), GroupBox1, 14, 30);
    txtHostName = MakeEdit(QStringLiteral("txtHostName"), GroupBox1, 120, 26, 200,
                           QStringLiteral("接続先のコンピューター名またはIPアドレスを入力して下さい。"));
    txtHostName->SetImeMode(imDisable);
    btnCompShow = MakeDialogButton(QStringLiteral("btnCompShow"), QStringLiteral("参照"), 0, GroupBox1);
    btnCompShow->setGeometry(326, 24, 76, 26);
    btnCompShow->OnClick = [this](QObject*) { btnCompShowClick(); };

    MakeLabel(QStringLiteral("lblDataPath"), QStringLiteral("データパス:"), GroupBox1, 14, 64);
    cmbDrive = new TxComboBox(GroupBox1);
    cmbDrive->setObjectName(QStringLiteral("cmbDrive"));
    cmbDrive->setGeometry(120, 60, 56, 22);
    cmbDrive->addItem(QString::fromLatin1(RootDrive));
    txtDataPath = MakeEdit(QStringLiteral("txtDataPath"), GroupBox1, 182, 60, 220);
    txtDataPath->setReadOnly(true);

    // Hidden: the database login stays as loaded.
    txtUserName = MakeEdit(QStringLiteral("txtUserName"), GroupBox1, 120, 94, 140);
    txtPassWord = MakeEdit(QStringLiteral("txtPassWord"), GroupBox1, 266, 94, 136);
    txtPassWord->setEchoMode(QLineEdit::Password);
    txtPassWord->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    for (TxEdit* edit : {txtUserName, txtPassWord}) {
        edit->setVisible(false);
        edit->setEnabled(false);
    }

    btnOK = MakeDialogButton(QStringLiteral("btnOK"), QStringLiteral("OK"), 0, this);
    btnOK->setGeometry(FormWidth - 196, FormHeight - 48, 88, 32);
    btnOK->OnClick = [this](QObject*) { btnOKClick(); };
    btnCancel = MakeDialogButton(QStringLiteral("btnCancel"), QStringLiteral("キャンセル"), mrCancel, this);
    btnCancel->setGeometry(FormWidth - 100, FormHeight - 48, 88, 32);

    FormCreate();
    KeepOnClose = true;
    F12Button = btnOK;

    Label1->setText(QStringLiteral("データサーバーを利用するための設定を行います。"));
    Label2->setText(QStringLiteral("データサーバーの情報を入力して下さい。"));
    txtDataPath->setText(Q(AppInfo.Zaimu.ServerDir));
    txtUserName->setText(Q(SystemDef.USER));
    txtPassWord->setText(Q(SystemDef.PASSWORD));
    Ready = true;
    CreatedOK = true;
}

void TAppIniCreateBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    try {
        if (StandAloneUse) {
            if (SystemDef.HomeDir.empty())
                throw std::runtime_error("アプリケーションの初期化に失敗しました。\r" + SystemDef.ProgramTitle +
                                         "を終了します。\rデータフォルダの取得に失敗しました。");
            std::error_code ignored;
            if (!std::filesystem::exists(SystemDef.AppIniPath, ignored))
                WriteAppIni(false);
        }
        LoadAppIniSection(SectionMode);
        txtHostName->setText(Q(SystemDef.HOSTNAME));
        cmbDrive->setCurrentIndex(0);
        txtUserName->setText(Q(SystemDef.USER));
        txtPassWord->setText(Q(SystemDef.PASSWORD));
        update();
    } catch (const std::exception& error) {
        ShowUserMessage(error.what(), TMsgDlgType::mtError);
        done(mrCancel);
    }
}

void TAppIniCreateBox::btnCompShowClick()
{
    std::string name = S(txtHostName->text());
    if (SelectComputerDlg("サーバーのコンピュータを選択して下さい。サーバーのコンピュータがリストに無い場合は、"
                          "[ｷｬﾝｾﾙ]を押してコンピュータ名を入力して下さい。",
                          name))
        txtHostName->setText(Q(name));
}

std::string TAppIniCreateBox::InputError() const
{
    const bool noHost = NormalizeHostName(S(txtHostName->text())).empty();
    if (ConnectionMode == 1 && noHost)
        return "コンピュータ名が指定されていません。\r入力してください。";
    if (ConnectionMode == 2 && noHost)
        return "コンピュータ名が指定されていません。\r";
    if (ascii::TrimBlanks(S(txtUserName->text())).empty())
        return "データベースのユーザーが指定されていません。\r入力してください。";
    if (ascii::TrimBlanks(S(txtPassWord->text())).empty())
        return "データベースのパスワードが指定されていません。\r入力してください。";
    return {};
}

void TAppIniCreateBox::btnOKClick()
{
    // A refused input leaves the settings in memory as they were.
    if (const std::string error = InputError(); !error.empty()) {
        Refuse(error);
        return;
    }
    const std::string drive = S(cmbDrive->currentText());
    const std::string dataPath = S(txtDataPath->text());
    SystemDef.HOSTNAME = ConnectionMode == 0 ? std::string() : NormalizeHostName(S(txtHostName->text()));
    SystemDef.SYSDIR = drive == RootDrive ? dataPath : drive + dataPath;
    SystemDef.USER = ascii::Upper(S(txtUserName->text()));
    SystemDef.PASSWORD = S(txtPassWord->text());
    SystemDef.GOGLOBAL = ConnectionMode == 2 ? 1 : 0;
    SystemDef.GROUP = 0;
    try {
        WriteAppIni(false);
    } catch (const IniFileError& error) {
        ShowUserMessage(std::string("設定ファイルの書き込みに失敗しました。\r") + error.what(), TMsgDlgType::mtError);
        return;
    }
    done(mrOk);
}
