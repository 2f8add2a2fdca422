#include "app/program/WizardMain.h"

#include "app/program/FirstPaint.h"
#include "app/program/ProgramEnvironment.h"
#include "app/program/ProgramFirebird.h"
#include "app/program/ProgramHooks.h"
#include "app/program/ProgramMutex.h"
#include "app/wizard/TForm1.h"
#include "app/wizard/WizardProgram.h"
#include "controls/dialogs/ScreenMessagePresenter.h"
#include "controls/widgets/ScreenServicesInstall.h"
#include "dataselect/DataListAccess.h"
#include "dataselect/screens/DataSenkakuProcess.h"
#include "dataselect/screens/ShareStatusBox.h"
#include "foundation/AccInfoReader.h"
#include "foundation/DataModule.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"
#include "foundation/screens/DataPasswordInput.h"
#include "foundation/screens/ScreenFonts.h"
#include "platform/SpecialFolders.h"
#include "print/screens/ScreenPrintHost.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

TScreenMetrics MeasureScreen(const QWidget& form)
{
    const QStyle* style = form.style();
    TScreenMetrics metrics;
    metrics.captionHeight = style->pixelMetric(QStyle::PM_TitleBarHeight);
    metrics.frameHeight = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    metrics.menuHeight = QFontMetrics(form.font()).height() + 2 * style->pixelMetric(QStyle::PM_MenuBarVMargin) +
                         2 * style->pixelMetric(QStyle::PM_MenuBarPanelWidth);
    return metrics;
}

TFontInfo FontOf(const QWidget& form)
{
    const QFont font = form.font();
    TFontInfo info;
    info.Name = font.family().toStdString();
    info.Size = font.pointSize();
    info.Height = -QFontMetrics(font).height();
    info.CharSet = 128;  // the Japanese character set
    return info;
}

// The environment set-up the form runs from InitApplication; a failure with
// its own message replaces the form's initialisation message.
void InstallWizardProgram(const QWidget*& form)
{
    WizardProgram.InstallHooks = InstallProgramHooks;
    WizardProgram.SetAppInfoValues = SetAppInfoValues;
    WizardProgram.SetUpEnvironment = [&form](std::string& message) {
        try {
            InitEnvironment(MeasureScreen(*form), FontOf(*form));
            return true;
        } catch (const EnvironmentError& error) {
            message = error.what();
            return false;
        }
    };
}

std::string ProgramPath(const char* argv0)
{
    return folders::ProgramDir() + "/" + std::filesystem::path(argv0).filename().string();
}

}  // namespace

int RunWizardProgram(int argc, char** argv, std::function<void()> firstPainted)
{
    QApplication app(argc, argv);
    InstallScreenServices();
    InstallScreenMessagePresenter();
    std::optional<platform::NamedMutex> running = AcquireProgramMutex();
    if (!running)
        return 0;
    QApplication::setApplicationDisplayName(QStringLiteral("連動ﾃﾞｰﾀの作成"));
    try {
        UseProgramFirebirdRoot();
    } catch (const std::exception& error) {
        ShowUserMessage(std::string("データベースエンジンを準備できませんでした。\r") + error.what(),
                        TMsgDlgType::mtError);
        return 2;
    }
    InstallAccInfoReader();
    InstallDataPasswordPrompt();
    InstallScreenFontTest();
    // The print engine starts with the program, before any form exists.
    StartScreenPrintEngine();
    RegisterDataSenkakuProcess();
    InstallShareStatusBox();
    SystemDef.ProgramTitle = WizardAppTitle;

    const QWidget* formWidget = nullptr;
    InstallWizardProgram(formWidget);
    int exitCode = 0;
    {
        TForm1 form(TWizardStart{std::vector<std::string>(argv + 1, argv + argc), ProgramPath(argv[0])});
        formWidget = &form;
        if (!form.Created())
            return 2;
        if (form.InitApplication()) {
            InstallDataModuleServices(*DM);
            QApplication::processEvents();
            QApplication::restoreOverrideCursor();
            if (firstPainted)
                CallAfterFirstPaint(form, std::move(firstPainted));
            form.show();
            exitCode = QApplication::exec();
        } else {
            QApplication::processEvents();
            exitCode = 2;
        }
    }
    DM.reset();
    return exitCode;
}
