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
#include "foundation/screens/TUpPasswordBox.h"
#include "foundation/ScreenServices.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QTimer>
#include <initializer_list>

namespace {

constexpr int FormWidth = 420;
constexpr int HeaderHeight = 72;
constexpr int BodyHeight = 250;
const char* const kLocation = "TLogonBox.OKBtnClick";
const char* const kLoggedOnElsewhere =
    "指定したユーザーは既にシステムへログインしているため、ログインできませんでした。";
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
// focus; they are taken before the form's own key handling sees them. The
// key chords of the password mode are watched here too.
class TLogonBox::KeySwallow final : public QObject {
public:
    explicit KeySwallow(TLogonBox* form) : QObject(form), form_(form) { qApp->installEventFilter(this); }
    ~KeySwallow() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != form_)
            return false;
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        if (type != QEvent::ShortcutOverride && !keyEvent->isAutoRepeat() && widget == QApplication::focusWidget())
            form_->ChordKey(key, keyEvent->modifiers(), type == QEvent::KeyPress);
        return key == Qt::Key_Escape || key == Qt::Key_F1;
    }

private:
    TLogonBox* form_;
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
    Image1 = header.Picture;
    Image2 = new QLabel(pnlHeader);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(Image1->geometry());
    Image2->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(Image1->size()));
    Image2->setVisible(false);

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
    btnUpPassword->OnClick = [this](QObject*) { btnUpPasswordClick(); };
    for (TxRadioButton* radio : {btnSA, btnCS})
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                btnSAClick();
        });
    if (ProgramKind == 0)
        CreateNormalMode();
    else if (ProgramKind <= 3)
        CreatePasswordMode();
    else
        return;
    Ready = true;
    CreatedOK = true;
}

void TLogonBox::CreateNormalMode()
{
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
}

void TLogonBox::CreatePasswordMode()
{
    FixedOpCode = ProgramKind == 3 ? 2 : 1;
    setWindowTitle(QStringLiteral("パスワードの確認"));
    const int height = ScalePPI(250, PixelsPerInch(), 96);
    setFixedSize(FormWidth, height);
    pnlBody->resize(FormWidth, height - HeaderHeight);
    for (TxPlButton* button : {btnUpPassword, OKBtn, CancelBtn})
        button->move(button->x(), height - HeaderHeight - 46);
    Label1->setText(QString::fromStdString(SystemDef.ProgramTitle + " を利用するには"));
    Label2->setText(QStringLiteral("パスワードを入力して下さい。"));
    Label3->clear();
    for (QWidget* w : std::initializer_list<QWidget*>{lblGroupID, txtGroupID, lblOpCode, txtOpCode, GroupBox1})
        w->setVisible(false);
    lblPassword->move(lblPassword->x(), ScalePPI(42, PixelsPerInch(), 96));
    txtPassword->move(txtPassword->x(), ScalePPI(38, PixelsPerInch(), 96));
    btnUpPassword->setVisible(ProgramKind == 2 || ProgramKind == 3);
    btnSA->setChecked(true);
    btnSAClick();
    LoadConnectionSettings(0);
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
    else if (ProgramKind != 0)
        focus = txtPassword;
    else if (GroupFlag)
        focus = txtGroupID;
    focus->setFocus();
    raise();
    activateWindow();
    if (ProgramKind == 2 || ProgramKind == 3)
        ShowPasswordState();
}

void TLogonBox::ShowPasswordState()
{
    if (SystemDef.SYSDIR.empty()) {
        ShowUserMessage("設定ファイルからデータベース情報の取得に失敗しました。", TMsgDlgType::mtError);
        OKBtn->setEnabled(false);
        btnUpPassword->setEnabled(false);
        CancelBtn->setFocus();
        return;
    }
    PasswordKnown = GetEntryPassword();
    OKBtn->setEnabled(PasswordKnown && !StoredPassword.empty());
    // A password must be set before anybody can log on; the dialog opens
    // once this one is up.
    if (PasswordKnown && StoredPassword.empty())
        QTimer::singleShot(0, this, [this] { btnUpPasswordClick(); });
}

bool TLogonBox::ReconnectSystemDatabase()
{
    try {
        DM->IBDatabaseDEF.Detach();
        return DM->fnAccDefConnected("", false);
    } catch (const std::exception& error) {
        ShowErrorMessage(
            "システムデータベースの接続処理に失敗しました。\riniファイルの情報が正しいか確認してください。",
            error.what(), TMsgDlgType::mtError);
        return false;
    }
}

bool TLogonBox::GetEntryPassword()
{
    StoredPassword.clear();
    if (!ReconnectSystemDatabase())
        return false;
    bool ok = true;
    try {
        StoredPassword = ReadOperatorPassword(FixedOpCode);
    } catch (const db::FbError& error) {
        HandleIBError(error, "TLogonBox.GetEntryPassword", "パスワードの確認処理に失敗しました。");
        ok = false;
    }
    try {
        DM->IBDatabaseDEF.Detach();
    } catch (const db::FbError&) {
    }
    return ok;
}

bool TLogonBox::UpdatePassword(const std::string& password)
{
    if (!ReconnectSystemDatabase())
        return false;
    bool ok = true;
    try {
        StoreOperatorPassword(FixedOpCode, password);
    } catch (const db::FbError& error) {
        HandleIBError(error, "TLogonBox.UpdatePassword", "パスワードの更新処理に失敗しました。");
        ok = false;
    }
    try {
        DM->IBDatabaseDEF.Detach();
    } catch (const db::FbError&) {
    }
    return ok;
}

void TLogonBox::btnUpPasswordClick()
{
    if (!PasswordBox)
        PasswordBox = std::make_unique<TUpPasswordBox>(this);
    PasswordBox->SetCurrentPassword(StoredPassword);
    if (PasswordBox->exec() != mrOk)
        return;
    if (!UpdatePassword(PasswordBox->NewPassword))
        return;
    StoredPassword = PasswordBox->NewPassword;
    PasswordKnown = true;
    OKBtn->setEnabled(true);
    txtPassword->setFocus();
}

void TLogonBox::ChordKey(int key, Qt::KeyboardModifiers modifiers, bool pressed)
{
    if (!pressed) {
        heldKeys_.erase(key);
        return;
    }
    heldKeys_.insert(key);
    if (ProgramKind != 2 && ProgramKind != 3)
        return;
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    const auto held = [this](int a, int b) { return heldKeys_.count(a) != 0 && heldKeys_.count(b) != 0; };
    if (ProgramKind == 2 && ctrl && !alt && held(Qt::Key_J, Qt::Key_M)) {
        OfficeSwitch = true;
        Image1->setVisible(false);
        Image2->setVisible(true);
    } else if (ctrl && alt && held(Qt::Key_R, Qt::Key_P)) {
        heldKeys_.clear();
        if (UpdatePassword(""))
            ShowPasswordState();
    }
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

void TLogonBox::GuardLogon(const std::string& failed, const std::function<void()>& steps)
{
    recorded_ = false;
    const auto cleanUp = [this] {
        if (DM->IBTransactionDEF.InTransaction()) {
            try {
                DM->IBTransactionDEF.Rollback();
            } catch (const db::FbError&) {
            }
        }
        // A logon the procedure recorded but this program does not complete
        // must not be left behind to keep the operator out.
        if (recorded_)
            DM->DeleteLogonInfo();
    };
    try {
        steps();
    } catch (const db::FbError& error) {
        cleanUp();
        HandleIBError(error, kLocation, "");
        ShowUserMessage(failed, TMsgDlgType::mtError);
        done(mrCancel);
    } catch (const std::exception& error) {
        cleanUp();
        ShowErrorMessage(failed, error.what(), TMsgDlgType::mtError);
        done(mrCancel);
    }
}

void TLogonBox::OKBtnClick()
{
    if (ProgramKind == 0)
        OKBtnClickNormal();
    else
        OKBtnClickPassword();
}

void TLogonBox::OKBtnClickNormal()
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

    GuardLogon("ログイン処理に失敗しました。\r" + SystemDef.ProgramTitle + "を終了します。", [&] {
        SystemDef.OPCODE = 0;
        const TLogonAnswer answer = CallLogonUserTest(LogonPCName(), SystemDef.GROUPID, static_cast<std::int32_t>(code),
                                                      2, S(txtPassword->text()));
        switch (answer.NUM) {
        case -1:
            return Refuse(kWrongCode, txtOpCode);
        case -3:
            return Refuse(kLoggedOnElsewhere, nullptr);
        case 0:
        case 1:
            break;
        default:
            return;
        }
        recorded_ = true;
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
    });
}

void TLogonBox::OKBtnClickPassword()
{
    txtOpCode->setText(QString::number(FixedOpCode));
    if (LoadConnectionSettings(0) == 0) {
        ShowUserMessage("iniファイルよりデータベース情報の取得に失敗しました。", TMsgDlgType::mtError);
        return;
    }
    if (!ConnectionCheck())
        return;
    GuardLogon("パスワードの確認処理に失敗しました。\r" + SystemDef.ProgramTitle + "を終了します。", [&] {
        SystemDef.OPCODE = 0;
        const TLogonAnswer answer =
            CallLogonUserTest(LogonPCName(), SystemDef.GROUPID, FixedOpCode, SystemDef.AppKind, S(txtPassword->text()));
        switch (answer.NUM) {
        case -1:
            return Refuse("パスワードが違います。\r正しいパスワードを入力して下さい。", txtPassword);
        case -3:
            return Refuse(kLoggedOnElsewhere, nullptr);
        case 0:
        case 1:
            break;
        default:
            return;
        }
        recorded_ = true;
        SystemDef.OPCODE = SystemDef.GROUPID * 10000 + 9999;
        LoadLogonOperator(answer.LOGINCODE);
        if (ProgramKind == 2)
            SystemDef.JIMUSHO = OfficeSwitch ? 1 : 0;
        SystemDef.JOBLEVEL = answer.JOBLEVEL;
        SystemDef.LOGINCODE = 9999;
        SystemDef.MYNUMBER_ADM = ProgramKind == 3 ? 0 : 1;
        SystemDef.SHONIN = 0;
        SystemDef.OPNAME = ProgramKind == 1 ? "電子帳簿" : ProgramKind == 2 ? "経営Navigore" : "現金出納帳";
        done(mrOk);
    });
}
