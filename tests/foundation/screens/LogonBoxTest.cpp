#include "foundation/screens/TLogonBox.h"

#include "controls/dialogs/TMessageBox2.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "controls/widgets/TxRadioButton.h"
#include "foundation/AppInfo.h"
#include "foundation/AppIniSettings.h"
#include "foundation/DataModule.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "foundation/screens/TAppIniCreateBox.h"
#include "foundation/screens/TUpPasswordBox.h"
#include "platform/IniFile.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/Database.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "support/DatabaseMasters.h"
#include "support/ModalDriver.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace dbtest;

namespace {

const std::string kWrongCode = "コードまたはパスワードが違います。\r正しいコードまたはパスワードを入力して下さい。";
const std::string kLoggedOnElsewhere =
    "指定したユーザーは既にシステムへログインしているため、ログインできませんでした。";

// A session on the system database beside the program's: another computer's
// program, or the test looking at the tables.
class Session final {
public:
    explicit Session(const std::string& connection) { database_.Attach(connection, User, Password); }
    std::vector<std::string> Column(const std::string& sql)
    {
        db::Transaction transaction(database_);
        transaction.Start();
        db::Query query(database_, transaction, sql);
        query.Open();
        std::vector<std::string> values;
        for (; !query.Eof(); query.Next())
            values.push_back(query.FieldByIndex(0).AsString());
        query.Close();
        transaction.Commit();
        return values;
    }
    void Exec(const std::string& sql)
    {
        db::Transaction transaction(database_);
        transaction.Start();
        db::Query(database_, transaction, sql).ExecSQL();
        transaction.Commit();
    }

private:
    db::Database database_;
};

// Globals the logon reads and writes, put back afterwards.
class SavedModes final {
public:
    ~SavedModes()
    {
        ConnectionMode = mode_;
        EditionFlag = edition_;
        ProgramKind = kind_;
        AppInfo.Zaimu.ServerDir = serverDir_;
    }

private:
    std::uint8_t mode_ = ConnectionMode, edition_ = EditionFlag, kind_ = ProgramKind;
    std::string serverDir_ = AppInfo.Zaimu.ServerDir;
};

class LogonBoxTest : public FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        sysDir_ = folder_ / "Sys";
        fs::create_directories(sysDir_);
        SysDbFileName = "qhaccdef.fdb";
        CopyMasterFile(SystemMasterFile(), sysDir_ / SysDbFileName);
        ConnectionMode = 0;
        EditionFlag = 0;
        ProgramKind = 0;
        SystemDef.HomeDir = folder_.string();
        SystemDef.AppIniPath = (folder_ / "qhzaimu.ini").string();
        SystemDef.SYSDIR = sysDir_.string();
        SystemDef.USER = User;
        SystemDef.PASSWORD = Password;
        SystemDef.ProgramTitle = "Ledrix財務";
        SystemDef.PCName = "PC1";
        SystemDef.GROUPID = 10000;
        SystemDef.OPCODE = 0;
        AppInfo.Zaimu.ServerDir = sysDir_.string();
        WriteAppIni(true);
        Session(SysDb()).Exec(
            "INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD, JIMUSHO, MYNUMBER_ADM, SHONIN)"
            " VALUES (10000, 20, '経理花子', 5, 'Pw1', 1, 1, 1)");
        DM = std::make_unique<TDM>();
    }
    void TearDown() override { DM.reset(); }

    std::string SysDb() const { return (sysDir_ / SysDbFileName).string(); }

    void ShowActive(TLogonBox& box)
    {
        ASSERT_TRUE(box.Ready);
        box.show();
        box.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    }
    // Types the code and the password and presses F12 from the password.
    void LogOn(TLogonBox& box, const QString& code, const QString& password)
    {
        box.txtOpCode->clear();
        box.txtPassword->clear();
        QTest::keyClicks(box.txtOpCode, code);
        QTest::keyClicks(box.txtPassword, password);
        box.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        box.txtPassword->setFocus();
        QTest::keyClick(box.txtPassword, Qt::Key_F12);
    }
    std::vector<std::string> LogonRows()
    {
        return Session(SysDb()).Column(
            "SELECT OPCODE || ',' || OPERATORCODE || ',' || PCNAME FROM LOGONUSERLIST ORDER BY OPCODE, PCNAME");
    }
    // The lines the rich message box shows when the next one opens; it is
    // closed afterwards.
    void CaptureRichBox(std::vector<std::string>& lines, std::string& caption)
    {
        WhenModalShows([&lines, &caption](QWidget* window) {
            auto* box = qobject_cast<TMessageBox2*>(window);
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle().toStdString();
            for (QLabel* label : box->Labels)
                if (!label->text().isEmpty())
                    lines.push_back(label->text().toStdString());
            box->reject();
        });
    }

    fs::path sysDir_;
    SavedGlobals globals_;
    SavedModes modes_;
    RecordingMessagePresenter presenter;
};

TEST_F(LogonBoxTest, StandAloneLogonFillsTheOperatorAndLogOffKeepsOtherComputers)
{
    TLogonBox box;
    ShowActive(box);
    EXPECT_EQ(box.Label1->text(), QStringLiteral("Ledrix財務 を利用するには"));
    EXPECT_EQ(box.Label2->text(), QStringLiteral("オペレータコードとパスワードを入力して下さい。"));
    EXPECT_FALSE(box.txtGroupID->isVisible());
    EXPECT_TRUE(box.btnSA->isChecked());
    EXPECT_FALSE(box.btnServerSettei->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), box.txtOpCode);
    // Only digits go into the code.
    QTest::keyClicks(box.txtOpCode, QStringLiteral("2a-0"));
    EXPECT_EQ(box.txtOpCode->text(), QStringLiteral("20"));
    // Enter in the password moves to OK, which Enter then presses.
    QTest::keyClicks(box.txtPassword, QStringLiteral("Pw1"));
    box.txtPassword->setFocus();
    QTest::keyClick(box.txtPassword, Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), box.OKBtn);
    QTest::keyClick(box.OKBtn, Qt::Key_Return);

    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(box.result(), mrOk);
    EXPECT_TRUE(DM->IBDatabaseDEF.Connected());
    EXPECT_EQ(SystemDef.OPCODE, 100000020);
    EXPECT_EQ(SystemDef.LOGINCODE, 20);
    EXPECT_EQ(SystemDef.OPNAME, "経理花子");
    EXPECT_EQ(SystemDef.JOBLEVEL, 5);
    EXPECT_EQ(SystemDef.JIMUSHO, 1);
    EXPECT_EQ(SystemDef.MYNUMBER_ADM, 1);
    EXPECT_EQ(SystemDef.SHONIN, 1);
    EXPECT_EQ(SystemDef.ServerTempDir, "");
    EXPECT_EQ(IniFile(SystemDef.AppIniPath).ReadString("APPLICATION", "CONNECT", ""), "0");
    EXPECT_EQ(LogonRows(), std::vector<std::string>{"100000020,20,PC1"});

    // The same operator's row of another computer (say one that lost its
    // connection and is logging on again) is not this program's to remove.
    Session(SysDb()).Exec(
        "INSERT INTO LOGONUSERLIST (OPCODE, OPERATORCODE, GROUPID, PCNAME) VALUES (100000020, 20, 10000, 'PC2')");
    EXPECT_TRUE(DM->DeleteLogonInfo());
    EXPECT_EQ(LogonRows(), std::vector<std::string>{"100000020,20,PC2"});
}

TEST_F(LogonBoxTest, RefusedAttemptsLeaveTheDialogOpen)
{
    struct Case {
        const char* code;
        const char* password;
        std::string message;
        bool connects;
    };
    const Case cases[] = {
        {"9", "Pw1", kWrongCode, false},  // refused before any database call
        {"", "Pw1", kWrongCode, false},
        {"20", "pw1", kWrongCode, true},  // the password's case counts
        {"21", "Pw1", kWrongCode, true},
    };
    TLogonBox box;
    ShowActive(box);
    for (const Case& c : cases) {
        presenter.shown.clear();
        DM->IBDatabaseDEF.Detach();
        LogOn(box, QString::fromUtf8(c.code), QString::fromUtf8(c.password));
        ASSERT_EQ(presenter.shown.size(), 1u) << c.code;
        EXPECT_EQ(presenter.shown[0].Text, c.message) << c.code;
        EXPECT_EQ(DM->IBDatabaseDEF.Connected(), c.connects) << c.code;
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), box.txtOpCode);
    }
    EXPECT_TRUE(LogonRows().empty());
}

TEST_F(LogonBoxTest, OperatorLoggedOnElsewhereIsRefusedUntilThatProgramEnds)
{
    auto other = std::make_unique<Session>(SysDb());
    EXPECT_EQ(other->Column("SELECT NUM FROM LOGONUSERTEST('PC2', 10000, 20, 2, 'Pw1')"),
              std::vector<std::string>{"0"});
    TLogonBox box;
    ShowActive(box);
    LogOn(box, QStringLiteral("20"), QStringLiteral("Pw1"));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, kLoggedOnElsewhere);
    EXPECT_TRUE(box.isVisible());

    // The other program ends without logging off: its row is left over and
    // no longer in the way.
    other.reset();
    LogOn(box, QStringLiteral("20"), QStringLiteral("Pw1"));
    EXPECT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(box.result(), mrOk);
    EXPECT_EQ(LogonRows(), std::vector<std::string>{"100000020,20,PC1"});
}

TEST_F(LogonBoxTest, EditionTwoHidesTheConnectionChoiceAndDropsTheJobLevel)
{
    EditionFlag = 2;
    WriteConnectMode(1);
    TLogonBox box;
    ShowActive(box);
    EXPECT_FALSE(box.GroupBox1->isVisible());
    EXPECT_TRUE(box.btnSA->isChecked());
    EXPECT_EQ(ConnectionMode, 0);
    EXPECT_LT(box.height(), 72 + 250);
    LogOn(box, QStringLiteral("20"), QStringLiteral("Pw1"));
    EXPECT_EQ(box.result(), mrOk);
    EXPECT_EQ(SystemDef.JOBLEVEL, 0);
    EXPECT_EQ(SystemDef.JIMUSHO, 0);
}

TEST_F(LogonBoxTest, MissingDatabaseGivesTheStandAloneDiagnostics)
{
    fs::remove(SysDb());
    TLogonBox box;
    ShowActive(box);
    std::vector<std::string> lines;
    std::string caption;
    CaptureRichBox(lines, caption);
    LogOn(box, QStringLiteral("20"), QStringLiteral("Pw1"));
    EXPECT_EQ(caption, "情報");
    EXPECT_EQ(lines, (std::vector<std::string>{"ログイン処理に失敗しました。以下の理由が考えられます。",
                                               "１）データファイルが見つからない。",
                                               "２）別のプロセスがデータファイルを使用中。"}));
    EXPECT_TRUE(box.isVisible());
}

TEST_F(LogonBoxTest, ClientServerWithoutServerSettingsStopsBeforeConnecting)
{
    TLogonBox box;
    ShowActive(box);
    QTest::mouseClick(box.btnCS, Qt::LeftButton);
    EXPECT_EQ(ConnectionMode, 1);
    EXPECT_TRUE(box.btnServerSettei->isEnabled());
    LogOn(box, QStringLiteral("20"), QStringLiteral("Pw1"));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text,
              "データサーバーのコンピュータ名が設定されていません。\r"
              "[サーバー設定]ボタンを押して正しい情報を入力して下さい。");
    EXPECT_FALSE(DM->IBDatabaseDEF.Connected());
    EXPECT_TRUE(box.isVisible());
}

// The password confirmation of the family's other programs.
TEST_F(LogonBoxTest, CashBookSetsItsPasswordFirstThenLogsOnTheFixedOperator)
{
    ProgramKind = 3;
    const fs::path cashBook = folder_ / CashBookFolderName;
    fs::create_directories(cashBook);
    fs::rename(SysDb(), cashBook / SysDbFileName);
    sysDir_ = cashBook;
    TLogonBox box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("パスワードの確認"));
    EXPECT_EQ(box.height(), 250);
    EXPECT_FALSE(box.txtOpCode->isVisibleTo(&box));
    EXPECT_FALSE(box.GroupBox1->isVisibleTo(&box));
    EXPECT_TRUE(box.btnUpPassword->isVisibleTo(&box));
    // No password is stored for operator 2 yet: one must be set at once.
    WhenModalShows([](QWidget* window) {
        auto* password = qobject_cast<TUpPasswordBox*>(window);
        ASSERT_NE(password, nullptr);
        EXPECT_EQ(password->windowTitle(), QStringLiteral("パスワードの設定"));
        QTest::keyClicks(password->txtPasswordNew1, QStringLiteral("Kasse1"));
        QTest::keyClicks(password->txtPasswordNew2, QStringLiteral("Kasse1"));
        QTest::mouseClick(password->btnOk, Qt::LeftButton);
    });
    ASSERT_TRUE(box.Ready);
    box.show();  // the password dialog takes the focus at once
    ASSERT_TRUE(QTest::qWaitFor([&] { return box.StoredPassword == "Kasse1"; }, 5000));
    EXPECT_TRUE(box.OKBtn->isEnabled());
    EXPECT_EQ(Session(SysDb()).Column("SELECT OPNAME || ',' || JOBLEVEL || ',' || PASWORD FROM OPERATOR"
                                      " WHERE GROUPID = 10000 AND OPCODE = 2"),
              std::vector<std::string>{"システムユーザー,9,Kasse1"});

    LogOn(box, QString(), QStringLiteral("Kasse1"));
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(box.result(), mrOk);
    EXPECT_EQ(SystemDef.OPCODE, 100009999);
    EXPECT_EQ(SystemDef.LOGINCODE, 9999);
    EXPECT_EQ(SystemDef.OPNAME, "現金出納帳");
    EXPECT_EQ(SystemDef.MYNUMBER_ADM, 0);
    EXPECT_EQ(LogonRows(), std::vector<std::string>{"100000002,2,PC1"});
    EXPECT_TRUE(DM->DeleteLogonInfo());
    EXPECT_TRUE(LogonRows().empty());
}

TEST_F(LogonBoxTest, NavigoreChecksThePasswordAndTakesTheOfficeChord)
{
    ProgramKind = 2;
    Session(SysDb()).Exec("UPDATE OPERATOR SET PASWORD = '1' WHERE GROUPID = 10000 AND OPCODE = 1");
    TLogonBox box;
    ShowActive(box);
    EXPECT_EQ(box.StoredPassword, "1");
    EXPECT_TRUE(box.OKBtn->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), box.txtPassword);
    LogOn(box, QString(), QStringLiteral("2"));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, "パスワードが違います。\r正しいパスワードを入力して下さい。");

    box.txtPassword->setFocus();
    QTest::keyPress(box.txtPassword, Qt::Key_J, Qt::ControlModifier);
    QTest::keyPress(box.txtPassword, Qt::Key_M, Qt::ControlModifier);
    QTest::keyRelease(box.txtPassword, Qt::Key_M, Qt::ControlModifier);
    QTest::keyRelease(box.txtPassword, Qt::Key_J, Qt::ControlModifier);
    EXPECT_TRUE(box.OfficeSwitch);
    EXPECT_TRUE(box.Image2->isVisible());
    EXPECT_FALSE(box.Image1->isVisible());
    LogOn(box, QString(), QStringLiteral("1"));
    EXPECT_EQ(box.result(), mrOk);
    EXPECT_EQ(SystemDef.OPNAME, "経営Navigore");
    EXPECT_EQ(SystemDef.JIMUSHO, 1);
    EXPECT_EQ(SystemDef.MYNUMBER_ADM, 1);
    EXPECT_EQ(SystemDef.SHONIN, 0);
}

TEST_F(LogonBoxTest, ResetChordClearsThePasswordUntilANewOneIsSet)
{
    ProgramKind = 2;
    Session(SysDb()).Exec("UPDATE OPERATOR SET PASWORD = '1' WHERE GROUPID = 10000 AND OPCODE = 1");
    TLogonBox box;
    ShowActive(box);
    ASSERT_TRUE(box.OKBtn->isEnabled());
    bool asked = false;
    WhenModalShows([&asked](QWidget* window) {
        asked = qobject_cast<TUpPasswordBox*>(window) != nullptr;
        static_cast<QDialog*>(window)->reject();
    });
    box.txtPassword->setFocus();
    const auto chord = Qt::ControlModifier | Qt::AltModifier;
    QTest::keyPress(box.txtPassword, Qt::Key_R, chord);
    QTest::keyPress(box.txtPassword, Qt::Key_P, chord);
    QTest::keyRelease(box.txtPassword, Qt::Key_P, chord);
    QTest::keyRelease(box.txtPassword, Qt::Key_R, chord);
    ASSERT_TRUE(QTest::qWaitFor([&] { return asked; }, 5000));
    EXPECT_FALSE(box.OKBtn->isEnabled());
    EXPECT_EQ(box.StoredPassword, "");
    EXPECT_EQ(Session(SysDb()).Column("SELECT PASWORD FROM OPERATOR WHERE GROUPID = 10000 AND OPCODE = 1"),
              std::vector<std::string>{""});
}

class LogonBoxServerTest : public LogonBoxTest {
protected:
    void SetUp() override
    {
        LogonBoxTest::SetUp();
        TestFirebird::Get().StartServer();
    }
};

TEST_F(LogonBoxServerTest, ClientServerLogonThroughTheServerSettings)
{
    // What the installation sets up on the server.
    TestFirebird::Get().GrantServerAdmin();
    {
        TLogonBox box;
        ShowActive(box);
        QTest::mouseClick(box.btnCS, Qt::LeftButton);
        WhenModalShows([](QWidget* window) {
            auto* settings = qobject_cast<TAppIniCreateBox*>(window);
            ASSERT_NE(settings, nullptr);
            QTest::keyClicks(settings->txtHostName, QStringLiteral(" 127.0.0.1 "));
            QTest::mouseClick(settings->btnOK, Qt::LeftButton);
        });
        QTest::mouseClick(box.btnServerSettei, Qt::LeftButton);
        EXPECT_EQ(IniFile(SystemDef.AppIniPath).ReadString("SERVER", "HOSTNAME", ""), "127.0.0.1");
        LogOn(box, QStringLiteral("20"), QStringLiteral("Pw1"));
        EXPECT_TRUE(presenter.shown.empty());
        ASSERT_EQ(box.result(), mrOk);
    }
    EXPECT_EQ(SystemDef.OPCODE, 100000020);
    EXPECT_EQ(SystemDef.ServerTempDir, AppInfo.Zaimu.ServerTempDir);
    EXPECT_EQ(IniFile(SystemDef.AppIniPath).ReadString("APPLICATION", "CONNECT", ""), "1");
    {
        db::Transaction transaction(DM->IBDatabaseDEF);
        transaction.Start();
        db::Query query(DM->IBDatabaseDEF, transaction,
                        "SELECT MON$REMOTE_PROTOCOL FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION");
        query.Open();
        EXPECT_EQ(query.FieldByIndex(0).AsString(), "TCPv4");
    }
    // The in-use check reads the server's attachment list with the rights
    // the set-up gave.
    EXPECT_TRUE(DM->AccDatInConnection(0, "", SystemDef.SYSDIR, true));
    EXPECT_TRUE(presenter.shown.empty());

    // The next start offers client/server again.
    ConnectionMode = 0;
    TLogonBox next;
    EXPECT_TRUE(next.btnCS->isChecked());
    EXPECT_EQ(ConnectionMode, 1);
}

TEST_F(LogonBoxServerTest, StoppedServerGivesTheServerDiagnostics)
{
    {
        IniFile ini(SystemDef.AppIniPath);
        ini.WriteString("SERVER", "HOSTNAME", "127.0.0.1");
        ini.WriteString("SERVER", "SYSDIR", SystemDef.SYSDIR);
    }
    TestFirebird::Get().StopServer();
    TLogonBox box;
    ShowActive(box);
    QTest::mouseClick(box.btnCS, Qt::LeftButton);
    std::vector<std::string> lines;
    std::string caption;
    CaptureRichBox(lines, caption);
    LogOn(box, QStringLiteral("20"), QStringLiteral("Pw1"));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "ログイン処理に失敗しました。以下の理由が考えられます。",
                         "１）サーバー上でFireBirdサービスが起動しているか確認して下さい。",
                         "２）ログイン画面の[サーバー設定]ボタンを押して正しい情報が設定されているか確認して下さい。",
                         "３）Windowsファイヤーウォール(市販のセキュリティソフト含む)が有効の場合は、"
                         "このアプリケーションがサーバーと通信できる状態か確認して下さい。"}));
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(presenter.shown.empty());
}

}  // namespace
