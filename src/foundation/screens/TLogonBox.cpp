#include "foundation/screens/TLogonBox.h"

#include "controls/MessageBox2Info.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "controls/widgets/TxRadioButton.h"
#include "foundation/AppIniSettings.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/OperatorLogon.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"
#include "foundation/screens/LogonWidgets.h"
#include "foundation/screens/TAppIniCreateBox.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <initializer_list>

namespace {

constexpr int FormWidth = 420;
constexpr int HeaderHeight = 72;
constexpr int BodyHeight = 250;
const char* const kLocation = "TLogonBox.OKBtnClick";
const char* const kWrongCode = "コードまたはパスワードが違います。\r正しいコードまたはパスワードを入力して下さい。";

std::string S(const QString& text)
{
    return text.toStdString();
}

// The code typed: a number, or -1.
std::int64_t TypedNumber(const QString& text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    return ok && value >= 0 ? value : -1;
}

}  // namespace

// Esc and F1 mean nothing to the logon, whichever of its controls has the
// focus; they are taken before the form's own key handling sees them.
class TLogonBox::KeySwallow final : public QObject {
public:
    explicit KeySwallow(QWidget* form) : QObject(form), form_(form) { qApp->installEventFilter(this); }
    ~KeySwallow() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease &&
            event->type() != QEvent::ShortcutOverride)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Escape && key != Qt::Key_F1)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget && widget->window() == form_;
    }

private:
    QWidget* form_;
};

TLogonBox::TLogonBox(QWidget* owner) : TBSDI(owner, bsDialog)
{
    setObjectName(QStringLiteral("LogonBox"));
    setWindowTitle(QStringLiteral("ログイン"));
    setFixedSize(FormWidth, HeaderHeight + BodyHeight);

    const THeaderPanel header = MakeHeaderPanel(this, HeaderHeight);
    pnlHeader = header.Panel;
    Label1 = MakeHeaderLabel(header, QStringLiteral("Label1"), 56, 10);
    Label2 = MakeHeaderLabel(header, QStringLiteral("Label2"), 56, 30);
    Label3 = MakeHeaderLabel(header, QStringLiteral("Label3"), 56, 50);

    pnlBody = new QWidget(this);
    pnlBody->setObjectName(QStringLiteral("pnlBody"));
    pnlBody->setGeometry(0, HeaderHeight, FormWidth, BodyHeight);

    GroupBox2 = new QGroupBox(pnlBody);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(12, 8, FormWidth - 24, 110);
    lblGroupID = MakeLabel(QStringLiteral("lblGroupID"), QStringLiteral("グループ:"), GroupBox2, 20, 16);
    txtGroupID = MakeEdit(QStringLiteral("txtGroupID"), GroupBox2, 120, 12, 140);
    txtGroupID->setMaxLength(16);
    txtGroupID->setEchoMode(QLineEdit::Password);
    lblOpCode = MakeLabel(QStringLiteral("lblOpCode"), QStringLiteral("コード:"), GroupBox2, 20, 46);
    txtOpCode = MakeEdit(QStringLiteral("txtOpCode"), GroupBox2, 120, 42, 140);
    txtOpCode->setMaxLength(9);
    lblPassword = MakeLabel(QStringLiteral("lblPassword"), QStringLiteral("パスワード:"), GroupBox2, 20, 76);
    txtPassword = MakeEdit(QStringLiteral("txtPassword"), GroupBox2, 120, 72, 140);
    txtPassword->setMaxLength(16);
    txtPassword->setEchoMode(QLineEdit::Password);
    for (TxEdit* edit : {txtGroupID, txtPassword})
        edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    for (TxEdit* edit : {txtGroupID, txtOpCode}) {
        edit->SetImeMode(imDisable);
        edit->OnKeyPress = [](QChar& key) { FilterKey(key, IsDigitKey); };
    }
    txtPassword->SetImeMode(imDisable);
    txtPassword->OnKeyPress = [this](QChar& key) {
        if (key == QLatin1Char('\r')) {
            OKBtn->setFocus();
            key = QChar(0);
        }
    };

    GroupBox1 = new QGroupBox(pnlBody);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(12, 126, FormWidth - 24, 62);
    btnSA = new TxRadioButton(QStringLiteral("スタンドアロン"), GroupBox1);
    btnSA->setObjectName(QStringLiteral("btnSA"));
    btnSA->setToolTip(QStringLiteral("このコンピュータで管理しているデータを処理します。"));
    btnSA->setGeometry(16, 10, 200, 20);
    btnCS = new TxRadioButton(QStringLiteral("クライアント(C/S)"), GroupBox1);
    btnCS->setObjectName(QStringLiteral("btnCS"));
    btnCS->setToolTip(QStringLiteral("ネットワークに接続して、サーバーで管理しているデータを処理します。"));
    btnCS->setGeometry(16, 34, 200, 20);
    btnServerSettei = MakeDialogButton(QStringLiteral("btnServerSettei"), QStringLiteral("サーバー設定"), 0, GroupBox1);
    btnServerSettei->setGeometry(262, 18, 120, 30);
    btnServerSettei->OnClick = [this](QObject*) { btnServerSetteiClick(); };

    btnUpPassword = MakeDialogButton(QStringLiteral("btnUpPassword"), QStringLiteral("パスワードを変更 "), 0, pnlBody);
    btnUpPassword->setGeometry(12, BodyHeight - 46, 140, 32);
    btnUpPassword->setVisible(false);
    OKBtn = MakeDialogButton(QStringLiteral("OKBtn"), QStringLiteral("OK"), 0, pnlBody);
    OKBtn->setGeometry(FormWidth - 196, BodyHeight - 46, 88, 32);
    OKBtn->OnClick = [this](QObject*) { OKBtnClick(); };
    CancelBtn = MakeDialogButton(QStringLiteral("CancelBtn"), QStringLiteral("キャンセル"), mrCancel, pnlBody);
    CancelBtn->setGeometry(FormWidth - 100, BodyHeight - 46, 88, 32);

    FormCreate();
    KeepOnClose = true;
    F12Button = OKBtn;
    keySwallow_ = new KeySwallow(this);
    if (ProgramKind != 0)
        return;

    GroupFlag = ConnectionMode == 2 && SystemDef.GROUP != 0;
    Label1->setText(QString::fromStdString(SystemDef.ProgramTitle + " を利用するには"));
    Label2->setText(GroupFlag ? QStringLiteral("グループ、オペレータコードとパスワードを入力して下さい。")
                              : QStringLiteral("オペレータコードとパスワードを入力して下さい。"));
    Label3->clear();
    lblGroupID->setVisible(GroupFlag);
    txtGroupID->setVisible(GroupFlag);
    if (!GroupFlag) {
        // Code and password take the middle of their group.
        for (QWidget* w : std::initializer_list<QWidget*>{lblOpCode, txtOpCode, lblPassword, txtPassword})
            w->move(w->x(), w->y() - 15);
    }

    AppIniBox = std::make_unique<TAppIniCreateBox>();
    connect(btnSA, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            btnSAClick();
    });
    connect(btnCS, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            btnSAClick();
    });
    (ReadConnectMode() != 0 ? btnCS : btnSA)->setChecked(true);
    btnSAClick();

    if (ConnectionMode == 2 || EditionFlag == 2) {
        GroupBox1->setVisible(false);
        btnSA->setChecked(true);
        const int body = BodyHeight * 7 / 10;
        setFixedSize(FormWidth, HeaderHeight + body);
        pnlBody->resize(FormWidth, body);
        OKBtn->move(OKBtn->x(), body - 46);
        CancelBtn->move(CancelBtn->x(), body - 46);
    }
    Ready = true;
    CreatedOK = true;
}

TLogonBox::~TLogonBox() = default;

void TLogonBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    update();
    btnServerSettei->setEnabled(btnCS->isChecked());
    QWidget* focus = txtOpCode;
    if (LaunchKind == 2)
        focus = OKBtn;
    else if (GroupFlag)
        focus = txtGroupID;
    focus->setFocus();
    raise();
    activateWindow();
}

void TLogonBox::btnSAClick()
{
    if (ConnectionMode == 2)
        return;
    ConnectionMode = btnCS->isChecked() ? 1 : 0;
    btnServerSettei->setEnabled(ConnectionMode == 1);
}

void TLogonBox::btnServerSetteiClick()
{
    if (AppIniBox && AppIniBox->Ready)
        AppIniBox->exec();
}

void TLogonBox::Refuse(const char* text, QWidget* focus)
{
    ShowUserMessage(text, TMsgDlgType::mtWarning);
    if (focus)
        focus->setFocus();
}

bool TLogonBox::ConnectionCheck()
{
    std::vector<std::string> lines;
    try {
        DM->IBDatabaseDEF.Detach();
        DM->fnAccDefConnected("", false);
        return true;
    } catch (const db::FbError& error) {
        lines = ConnectionFailureLines(&error, {}, ConnectionMode, LaunchKind);
    } catch (const std::exception& error) {
        lines = ConnectionFailureLines(nullptr, error.what(), ConnectionMode, LaunchKind);
    }
    TMessage2InfoRec info;
    InitMessage2Info(2, info);
    info.Caption = "情報";
    for (std::size_t i = 0; i < lines.size() && i < info.Lines.size(); ++i)
        info.Lines[i].Text = lines[i];
    ShowMessageBox2(info);
    return false;
}

void TLogonBox::FailLogon(bool recorded)
{
    if (DM->IBTransactionDEF.InTransaction()) {
        try {
            DM->IBTransactionDEF.Rollback();
        } catch (const db::FbError&) {
        }
    }
    // A logon the procedure recorded but this program does not complete
    // must not be left behind to keep the operator out.
    if (recorded)
        DM->DeleteLogonInfo();
}

void TLogonBox::OKBtnClick()
{
    const std::int32_t mode = ConnectionMode == 2 ? 2 : (btnCS->isChecked() ? 1 : 0);
    LoadAppIniSection(mode);
    if (GroupFlag && SystemDef.GROUP != 0) {
        const std::int64_t group = TypedNumber(txtGroupID->text());
        SystemDef.GROUPID = group < 0 || group > 99999 ? 0 : static_cast<std::int32_t>(group);
    }
    const std::int64_t code = TypedNumber(txtOpCode->text());
    if (code <= 9)
        return Refuse(kWrongCode, txtOpCode);
    if (mode != 0) {
        std::string missing;
        if (SystemDef.HOSTNAME.empty())
            missing = "データサーバーのコンピュータ名が設定されていません。\r";
        else if (SystemDef.SYSDIR.empty())
            missing = "データサーバー上のデータパスが設定されていません。\r";
        if (!missing.empty()) {
            missing += mode == 1 ? "[サーバー設定]ボタンを押して正しい情報を入力して下さい。"
                                 : "[データサーバーの設定]を起動し正しい情報を入力して下さい。";
            ShowUserMessage(missing, TMsgDlgType::mtWarning);
            return;
        }
    }
    if (!ConnectionCheck())
        return;

    bool recorded = false;
    const std::string failed = "ログイン処理に失敗しました。\r" + SystemDef.ProgramTitle + "を終了します。";
    try {
        SystemDef.OPCODE = 0;
        const TLogonAnswer answer = CallLogonUserTest(LogonPCName(), SystemDef.GROUPID, static_cast<std::int32_t>(code),
                                                      2, S(txtPassword->text()));
        switch (answer.NUM) {
        case -1:
            return Refuse(kWrongCode, txtOpCode);
        case -3:
            return Refuse("指定したユーザーは既にシステムへログインしているため、ログインできませんでした。", nullptr);
        case 0:
        case 1:
            break;
        default:
            return;
        }
        recorded = true;
        SystemDef.OPCODE = SystemDef.GROUPID * 10000 + answer.LOGINCODE;
        LoadLogonOperator(answer.LOGINCODE);
        SystemDef.JOBLEVEL = answer.JOBLEVEL;
        SystemDef.LOGINCODE = answer.LOGINCODE;
        SystemDef.ServerTempDir = LogonServerTempDir(mode);
        if (EditionFlag == 2) {
            SystemDef.JOBLEVEL = 0;
            SystemDef.JIMUSHO = 0;
        }
        WriteConnectMode(static_cast<std::uint32_t>(mode));
        done(mrOk);
    } catch (const db::FbError& error) {
        FailLogon(recorded);
        HandleIBError(error, kLocation, "");
        ShowUserMessage(failed, TMsgDlgType::mtError);
        done(mrCancel);
    } catch (const std::exception& error) {
        FailLogon(recorded);
        ShowErrorMessage(failed, error.what(), TMsgDlgType::mtError);
        done(mrCancel);
    }
}
