#pragma once
// A running wizard for the form's tests: the export's private world (folders
// and registry store in a temporary folder), AppInfo.ini beside a program
// path of the test's own, a system database with an operator, a company
// database with journal lines, a stand-in data-selection screen registered
// as "QvDataSenkaku" and started through the launcher hook, and a stand-in
// calling application listening on its window handle.

#include "app/export/CompanyExportSupport.h"
#include "app/export/RendoFile.h"
#include "app/export/UtiwakesyoDataExport.h"
#include "app/wizard/TForm1.h"
#include "app/wizard/WizardProgram.h"
#include "foundation/AccInfoReader.h"
#include "foundation/AppIniSettings.h"
#include "foundation/HostHooks.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProcessRegistry.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "foundation/screens/TLogonBox.h"
#include "platform/IniFile.h"
#include "platform/WindowMessages.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/ModalDriver.h"
#include "support/ScopedEnv.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

namespace wizardtest {

// What the stand-in selection screen does when it is run next, and what it
// was given.
struct SelectionScript {
    std::int32_t answer = 1;  // 1 chosen (sets the data folder), else cancelled
    std::string folder;
    TProcessParams params;
    int runs = 0;
};
inline SelectionScript Selection;

// Behaves as the data-selection screen does for its caller: a chosen data set
// leaves its folder in the data folder setting and answers 1.
class TestDataSelection final : public IProcessForm {
public:
    std::int32_t Execute(bool) override
    {
        ++Selection.runs;
        if (Selection.answer == 1)
            SystemDef.DataDir = Selection.folder;
        return Selection.answer;
    }
    void SetParams(const TProcessParams& params) override { Selection.params = params; }
};

// The launcher the program installs, reduced to what the wizard uses: the
// screen registered under the name, its lines and the form style.
inline std::int32_t LaunchRegistered(const std::string& name, std::int32_t mode, const std::string& lines)
{
    TProcessFormClass formClass = GetProcessClass(name);
    if (!formClass)
        return -1;
    std::unique_ptr<IProcessForm> form = formClass();
    TProcessParams params;
    std::string line;
    for (char c : lines + "\r") {
        if (c == '\r') {
            params.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    params.push_back(ProcessFormStyleLine(mode == 1));
    form->SetParams(params);
    return form->Execute(mode == 1);
}

inline std::string FileBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Waits, processing events, until the condition holds or ten seconds pass.
template <class Condition>
bool WaitFor(Condition condition)
{
    const QDeadlineTimer deadline(10000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class WizardTest : public exporttest::CompanyExportTest {
protected:
    void SetUp() override
    {
        CompanyExportTest::SetUp();
        std::filesystem::create_directories(world_.Root() / "documents");
        std::filesystem::create_directories(folder_ / "prog");
        programPath_ = (folder_ / "prog" / "varimon").string();
        WriteAppInfo("15.0.1");

        sysDir_ = folder_ / "Sys";
        std::filesystem::create_directories(sysDir_);
        SysDbFileName = "qhaccdef.fdb";
        DataDbFileName = "qhacc.fdb";
        dbtest::CopyMasterFile(dbtest::SystemMasterFile(), sysDir_ / SysDbFileName);
        SystemDef.HomeDir = folder_.string();
        SystemDef.AppIniPath = (folder_ / "qhzaimu.ini").string();
        SystemDef.SYSDIR = sysDir_.string();
        SystemDef.PCName = "PC1";
        SystemDef.GROUPID = 10000;
        SystemDef.DataDir.clear();
        WriteAppIni(true);
        schematest::Session((sysDir_ / SysDbFileName).string())
            .Exec(
                "INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD, JIMUSHO, MYNUMBER_ADM, SHONIN)"
                " VALUES (10000, 20, '経理花子', 9, 'Pw1', 0, 0, 0)");
        Post({{1, "1101", " ", 1, "100000", "0", 0},
              {2, "3101", " ", 1, "100000", "0", 0},
              {1, "6108", " ", 6, "3000", "300", 2},
              {2, "1101", " ", 6, "3300", "0", 0}});

        Selection = SelectionScript{};
        Selection.folder = dataDir_.string();
        ProcessLauncherHook = LaunchRegistered;
    }
    void TearDown() override
    {
        form_.reset();
        ClearHooks();
        CompanyExportTest::TearDown();
    }

    void WriteAppInfo(const std::string& productVersion)
    {
        IniFile ini((folder_ / "prog" / "AppInfo.ini").string());
        ini.WriteString("Application", "OEM", "Ledrix");
        ini.WriteString("Application", "RegKey", "SOFTWARE\\NORVEL");
        ini.WriteString("Zaimu", "AppTitle", "Ledrix財務");
        ini.WriteString("Zaimu", "RegKey", "LedrixZaimu");
        ini.WriteString("Zaimu", "HomeDir", "norvel/ledrixzaimu");
        ini.WriteString("Zaimu", "DataFile", "qhacc.fdb");
        ini.WriteString("Zaimu", "DataDefFile", "qhaccdef.fdb");
        exporttest::ExportWorld::AddProduct("LedrixZaimu15", "Ledrix財務 15", productVersion);
    }

    // The argument a caller passes for itself.
    std::string CallerArgument(int functionNo, const std::string& file) const
    {
        return std::to_string(caller_.Handle()) + ",1025," + std::to_string(functionNo) + "," + file;
    }

    // Creates the form; with logOn, initialises it, shows it and logs the
    // operator on.
    TForm1& Start(std::vector<std::string> arguments, bool logOn = true)
    {
        form_ = std::make_unique<TForm1>(TWizardStart{std::move(arguments), programPath_});
        if (!logOn)
            return *form_;
        EXPECT_TRUE(form_->Created());
        EXPECT_TRUE(form_->InitApplication());
        AnswerLogon(true);
        form_->show();
        EXPECT_TRUE(WaitFor([this] { return form_->LoggedOn; })) << "the operator did not log on";
        form_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        return *form_;
    }

    static void AnswerLogon(bool ok)
    {
        WhenModalShows([ok](QWidget* window) {
            auto* box = qobject_cast<TLogonBox*>(window);
            ASSERT_NE(box, nullptr);
            if (!ok) {
                QTest::mouseClick(box->CancelBtn, Qt::LeftButton);
                return;
            }
            QTest::keyClicks(box->txtOpCode, QStringLiteral("20"));
            QTest::keyClicks(box->txtPassword, QStringLiteral("Pw1"));
            box->txtPassword->setFocus();
            QTest::keyClick(box->txtPassword, Qt::Key_F12);
        });
    }

    void Next() { QTest::mouseClick(form_->Button2, Qt::LeftButton); }

    // Ends the form as the program does and returns what the caller got.
    std::vector<platform::WindowEvent> EndAndCollect()
    {
        form_.reset();
        std::vector<platform::WindowEvent> events;
        while (auto event = caller_.Receive(std::chrono::milliseconds(0)))
            events.push_back(*event);
        return events;
    }

    // The events of a caller whose wizard ended with the result.
    static std::vector<platform::WindowEvent> Handed(std::int32_t functionNo, std::int32_t result)
    {
        using platform::WindowEventKind;
        return {{WindowEventKind::Disabled, 0, 0, 0},
                {WindowEventKind::BroughtToFront, 0, 0, 0},
                {WindowEventKind::Enabled, 0, 0, 0},
                {WindowEventKind::Posted, 1025, static_cast<std::uint64_t>(functionNo), result}};
    }

    // The same export written straight from the open data, as the export's
    // own end-to-end test writes it: the oracle of a finished wizard.
    std::string OracleFile(std::int32_t functionNo, std::int32_t taxMode)
    {
        const std::string file = (folder_ / "oracle.xml").string();
        DM = std::make_unique<TDM>();
        EXPECT_TRUE(DM->fnAccDatConnected("", dataDir_.string(), false));
        EXPECT_TRUE(fnGetAccInfo());
        TUtiwakesyoDataExport e(functionNo, file);
        e.CompanyName = AccInf.SHOUGOU;
        e.Nendo = AccInf.NENDO;
        e.FiscalStart = AccInf.KISHU;
        e.FiscalEnd = AccInf.KIMATU;
        e.ClosingDay = AccInf.SIME;
        e.DataType = AccInf.DATATYPE;
        e.StartCell = AccInf.OpeningPeriodIndex;
        e.EndCell = e.LastCell = 15;
        e.TaxMode = taxMode;
        WriteRendoFile(e, file);
        return file;
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const TUserMessage& m : messages_.shown)
            texts.push_back(m.Text);
        return texts;
    }

    // The caller's socket lives in the test's own world.
    ScopedEnv runtime_{"LEDRIX_RUNTIME_DIR", (world_.Root() / "run").string()};
    bool runtimeMade_ = std::filesystem::create_directories(world_.Root() / "run");
    platform::WindowMessageListener caller_;
    std::filesystem::path sysDir_;
    std::string programPath_;
    std::unique_ptr<TForm1> form_;
};

}  // namespace wizardtest
