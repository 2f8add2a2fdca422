// The wizard form from its creation to its end: the command line and the
// calling application's window, the application information and the
// product check, the environment, the logon at the first show, and the
// ways the form closes.

#include "app/export/ProductLookup.h"
#include "app/export/UtiwakesyoDataExport.h"
#include "app/wizard/TForm1.h"
#include "app/wizard/WizardCommandLine.h"
#include "app/wizard/WizardProgram.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/WindowHandleOwner.h"
#include "controls/widgets/TxWizard.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/EdgeGuard.h"
#include "foundation/HostHooks.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "foundation/SystemFolders.h"
#include "foundation/SystemSettings.h"
#include "foundation/UserMessage.h"
#include "foundation/screens/TLogonBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

constexpr const char* WizardAppTitle = "Varimon連動コンポーネント";

void ShowError(const std::string& text)
{
    ShowUserMessage(text, TMsgDlgType::mtError);
}

}  // namespace

void TForm1::FormCreate(const TWizardStart& start)
{
    if (WizardProgram.InstallHooks)
        WizardProgram.InstallHooks();
    SystemDrive = GetSystemDriveRoot();
    ResultCode = WizardFailed;
    // The calling application knows this process and closes the wizard
    // from outside through its main-window handle (a WM_CLOSE cancels).
    try {
        ownWindow_ =
            std::make_unique<TWindowHandleOwner>(this, platform::MainWindowHandleOf(QCoreApplication::applicationPid()),
                                                 [this](const platform::WindowEvent& event) {
                                                     if (event.message != platform::WM_CLOSE)
                                                         return;
                                                     ResultCode = WizardCancelled;
                                                     close();
                                                 });
    } catch (const std::exception&) {
        // Without the handle only the caller's close is lost; the wizard
        // itself works.
    }
    Wizard1->setCurrentIndex(0);
    SystemDef.ProgramTitle = WizardAppTitle;

    if (!ReadCommandLine(start.Arguments))
        return;

    const std::int32_t loaded = LoadAppInfo(start.ProgramPath, AppInfo);
    if (loaded != AppInfoLoaded) {
        ShowError(AppInfoLoadErrorText(loaded));
        return;
    }
    if (AppInfo.Application.OEM == "BrendalData")
        EditionFlag = 1;
    if (WizardProgram.SetAppInfoValues)
        WizardProgram.SetAppInfoValues();

    Export = std::make_unique<TUtiwakesyoDataExport>(FunctionNo, CallerFileName);
    // A product that is not installed has no version and fails here too.
    if (!CompareVersion(Export->ProductVersion, Export->RequiredVersion)) {
        ShowError("このアプリケーションはインストールされている「" + AppInfo.Zaimu.AppTitle +
                  "」のバージョンに対応していません。\rバージョン:" + Export->RequiredVersion +
                  "以降をインストールしてください。\r\rアプリケーションを強制終了します。");
        return;
    }

    DocumentsDir = GetMyDocumentsDir();
    PrevDataPath.clear();
    DataOpened = false;
    setWindowTitle(QString::fromStdString(Export->Title));
    SetPageTexts();
    // Steps 6 to 10 of the page control belong to other exports; this form
    // never has them.
    Edit4a->setText(QString::fromStdString(Export->OutputFileName));
    created_ = true;
}

// Refuses a bad command line before anything happens to a window. A caller
// whose handle and message were read still gets its result when the form
// goes.
bool TForm1::ReadCommandLine(const std::vector<std::string>& arguments)
{
    const TWizardCommandLine line = ReadWizardCommandLine(arguments);
    if (line.CallerKnown) {
        CallerWindow = line.CallerWindow;
        CallerMessage = line.CallerMessage;
    }
    switch (line.Kind) {
    case TWizardArguments::TooMany:
    case TWizardArguments::BadField:
        ShowError(BadArgumentsText);
        return false;
    case TWizardArguments::NoCaller:
        return true;
    case TWizardArguments::Caller:
        break;
    }
    FunctionNo = line.FunctionNo;
    CallerFileName = line.FileName;
    if (CallerWindow != 0)
        platform::EnableWindow(CallerWindow, false);
    // The caller names the file: no file-name step.
    RemovePage(QStringLiteral("page4"));
    return true;
}

void TForm1::SetPageTexts()
{
    const QString product = QString::fromStdString(Export->ProductName);
    const QString target = QString::fromStdString(Export->TargetAppName);
    // Started by a caller exactly when the file-name step is gone.
    if (!Page(QStringLiteral("page4"))) {
        Memo1a->setPlainText(QStringLiteral("『%1』から『%2』へデータの連動を行います。").arg(product, target));
    } else {
        Memo1a->setPlainText(QStringLiteral("『%1』から『%2』へデータを連動させるための中間ファイルを作成します。")
                                 .arg(product, target));
        Label4a->setText(QStringLiteral("連動先となる『%1』で使用する中間ファイルを指定します。").arg(target));
    }
    Memo1b->setPlainText(QStringLiteral("『%1』が起動している場合は終了してください。\n\n\n\n\n\n"
                                        "作成を始めるには[次へ]をクリックしてください。")
                             .arg(product));
    Label2a->setText(QStringLiteral("連動元となる対象データを「データ選択を開く」ボタンを押して指定します。"));
}

bool TForm1::InitApplication()
{
    InitMessage = "アプリケーションの初期化に失敗しました。\r" + SystemDef.ProgramTitle + "を終了します。";
    bool completed = false;
    try {
        if (!WizardProgram.SetUpEnvironment || WizardProgram.SetUpEnvironment(InitMessage)) {
            QApplication::setApplicationDisplayName(QString::fromStdString(Export->Title));
            setWindowTitle(QString::fromStdString(Export->Title));
            if (!DM)
                DM = std::make_unique<TDM>();
            completed = true;
        }
    } catch (const std::exception&) {
        completed = false;
    }
    if (!completed)
        ShowUserMessage(InitMessage, TMsgDlgType::mtError, {TMsgDlgBtn::mbYes});
    return completed;
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // The logon runs once the form is on the screen, from the event loop.
    QTimer::singleShot(0, this, [this] {
        if (!RunAtEdge([this] { FirstShow(); }))
            EndApplication();
    });
}

void TForm1::FirstShow()
{
    repaint();
    SystemDef.ProgramTitle = WizardAppTitle;
    LoggedOn = ShowLogonBox();
    if (LoggedOn && fnGetSysDef()) {
        LoadGengo();
        return;
    }
    if (LoggedOn) {
        DM->DeleteLogonInfo();
    } else if (DM) {
        try {
            DM->IBDatabaseDEF.Detach();
        } catch (const std::exception&) {
            // The program ends; a failing detach changes nothing.
        }
    }
    LoggedOn = false;
    EndApplication();
}

bool TForm1::ShowLogonBox()
{
    TLogonBox box(this);
    if (!box.Ready)
        return false;
    return box.exec() == mrOk;
}

void TForm1::EndApplication()
{
    closing_ = true;
    close();
}

void TForm1::btnCancelClick()
{
    if (ShowUserMessage("[キャンセル]ボタンが押されました。\r連動データの作成ウィザードを終了してもよろしいですか？\r",
                        TMsgDlgType::mtInformation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes)
        return;
    ResultCode = WizardCancelled;
    EndApplication();
}

// The close box and a close asked for from outside cancel the wizard; the
// form's own closes (finish, Cancel, a failed start) keep their result.
void TForm1::closeEvent(QCloseEvent* event)
{
    if (!closing_)
        ResultCode = WizardCancelled;
    closing_ = false;
    FormCloseQuery();
    event->accept();
}

void TForm1::FormCloseQuery()
{
    RunAtEdge([this] { CloseDataAndLogoff(); });
}

void TForm1::CloseDataAndLogoff()
{
    if (DataConnected && !SystemDef.DataDir.empty()) {
        const std::int32_t answer = CloudShareStep(true);
        // Connected again first where needed, so that the close marks the
        // folder free and refreshes its row whatever state the data was in.
        if (!DM->IBDatabaseDAT.Connected())
            DM->fnAccDatConnected(SystemDef.HOSTNAME, SystemDef.DataDir, false);
        DataConnected = false;
        if (DM->IBDatabaseDAT.Connected())
            DM->fnAccDatDisConnected(SystemDef.DataDir, true, true);
        if (answer > 0)
            StoreSharedData();
    }
    if (LoggedOn) {
        LoggedOn = false;
        if (DM->IBDatabaseDEF.Connected() || DM->fnAccDefConnected("", true)) {
            DM->DeleteLogonInfo();
            DM->IBDatabaseDEF.Detach();
        }
    }
}

void TForm1::FormDestroy()
{
    // Writes the tax-return application's settings file.
    Export.reset();
    ClearHooks();
    if (CallerWindow != 0) {
        platform::SetForegroundWindow(CallerWindow);
        platform::EnableWindow(CallerWindow, true);
        platform::PostMessage(CallerWindow, CallerMessage, static_cast<std::uint64_t>(FunctionNo), ResultCode);
    }
}
