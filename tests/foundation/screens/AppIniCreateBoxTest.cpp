#include "foundation/screens/TAppIniCreateBox.h"

#include "controls/widgets/TxComboBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "foundation/AppInfo.h"
#include "foundation/AppIniSettings.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/IniFile.h"
#include "platform/db/FirebirdServerFixture.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"

#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class AppIniCreateBoxTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.HomeDir = folder_.string();
        SystemDef.AppIniPath = (folder_ / "qhzaimu.ini").string();
        SystemDef.ProgramTitle = "Ledrix財務";
        SystemDef.USER = "LEDRIX";
        SystemDef.PASSWORD = "MiXed";
        AppInfo.Zaimu.ServerDir = "/Srv/LedrixZaimu/Data";
        ConnectionMode = 1;
    }
    void TearDown() override
    {
        ConnectionMode = mode_;
        AppInfo.Zaimu.ServerDir = serverDir_;
    }

    void ShowActive(TAppIniCreateBox& box)
    {
        box.show();
        box.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    }
    std::vector<std::string> Section(const std::string& name) const
    {
        return IniFile(SystemDef.AppIniPath).ReadSectionValues(name);
    }

    dbtest::SavedGlobals globals_;
    RecordingMessagePresenter presenter;
    std::uint8_t mode_ = ConnectionMode;
    std::string serverDir_ = AppInfo.Zaimu.ServerDir;
};

TEST_F(AppIniCreateBoxTest, OkStoresTheServerTrimmedWithTheCaseOfPasswordAndFolder)
{
    std::ofstream(SystemDef.AppIniPath) << "[SERVER]\r\nHOSTNAME=old-host\r\nPASSWORD=MiXed\r\n";
    TAppIniCreateBox box;
    ShowActive(box);
    EXPECT_EQ(box.txtHostName->text(), QStringLiteral("old-host"));
    EXPECT_EQ(box.txtDataPath->text(), QStringLiteral("/Srv/LedrixZaimu/Data"));
    EXPECT_FALSE(box.txtPassWord->isVisible());
    box.txtHostName->clear();
    QTest::keyClicks(box.txtHostName, QStringLiteral("  DB-Server  "));
    box.txtHostName->setFocus();
    QTest::keyClick(box.txtHostName, Qt::Key_F12);

    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(SystemDef.HOSTNAME, "db-server");
    EXPECT_EQ(Section("SERVER"),
              (std::vector<std::string>{"HOSTNAME=db-server", "GOGLOBAL=NO", "GROUP=NO", "SYSDIR=/Srv/LedrixZaimu/Data",
                                        "USER=LEDRIX", "PASSWORD=MiXed"}));
    EXPECT_EQ(fs::status(SystemDef.AppIniPath).permissions() & fs::perms::mask, fs::perms(0600));
}

TEST_F(AppIniCreateBoxTest, StandAloneOkLeavesTheHostEmpty)
{
    ConnectionMode = 0;
    TAppIniCreateBox box;
    ShowActive(box);
    QTest::keyClicks(box.txtHostName, QStringLiteral("dbserver"));
    QTest::mouseClick(box.btnOK, Qt::LeftButton);
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(IniFile(SystemDef.AppIniPath).ReadString("LOCAL", "HOSTNAME", "<absent>"), "");
    EXPECT_EQ(IniFile(SystemDef.AppIniPath).ReadString("LOCAL", "SYSDIR", ""), "/Srv/LedrixZaimu/Data");
}

TEST_F(AppIniCreateBoxTest, MissingEntriesAreRefusedWithYesAndChangeNothing)
{
    struct Case {
        std::uint8_t mode;
        const char* host;
        const char* user;
        const char* password;
        const char* message;
    };
    const Case cases[] = {
        {1, "   ", "LEDRIX", "pw", "コンピュータ名が指定されていません。\r入力してください。"},
        {2, "", "LEDRIX", "pw", "コンピュータ名が指定されていません。\r"},
        {1, "db", " ", "pw", "データベースのユーザーが指定されていません。\r入力してください。"},
        {0, "", "LEDRIX", "  ", "データベースのパスワードが指定されていません。\r入力してください。"},
    };
    for (const Case& c : cases) {
        ConnectionMode = c.mode;
        presenter.shown.clear();
        TAppIniCreateBox box;
        ShowActive(box);
        SystemDef.HOSTNAME = "kept";
        box.txtHostName->setText(QString::fromUtf8(c.host));
        box.txtUserName->setText(QString::fromUtf8(c.user));
        box.txtPassWord->setText(QString::fromUtf8(c.password));
        QTest::mouseClick(box.btnOK, Qt::LeftButton);
        ASSERT_EQ(presenter.shown.size(), 1u) << c.message;
        EXPECT_EQ(presenter.shown[0].Text, c.message);
        EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtError);
        EXPECT_EQ(presenter.shown[0].Buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbYes});
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(SystemDef.HOSTNAME, "kept");
        EXPECT_FALSE(fs::exists(SystemDef.AppIniPath));
    }
}

TEST_F(AppIniCreateBoxTest, StandAloneUseWritesAMissingFileAndEscCancels)
{
    TAppIniCreateBox box;
    box.StandAloneUse = true;
    ShowActive(box);
    EXPECT_TRUE(fs::exists(SystemDef.AppIniPath));
    box.txtHostName->setFocus();
    QTest::keyClick(box.txtHostName, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Rejected);
}

}  // namespace
