#include "dbupdate/screens/TDbUpdateBox.h"

#include "controls/dialogs/TMessageBox.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxPlButton.h"
#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/IsqlRunner.h"
#include "foundation/DataModule.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// The version the run starts from: three updates below the newest
// registered one, so that the box backs the data up, runs several units in
// turn and gives the backup up again. The whole chain from the oldest data
// is the builder's to run (AccountingUpdateTest), once per test run.
std::string StartVersion()
{
    const std::vector<std::string> versions = RegisteredAccountingUpdateVersions();
    return versions.at(versions.size() - 4);
}

// The failure tests run only the last two units: one that succeeds and
// one that fails, which is all the restore has to undo.
std::string FailureStartVersion()
{
    const std::vector<std::string> versions = RegisteredAccountingUpdateVersions();
    return versions.at(versions.size() - 3);
}

std::string NewestVersion()
{
    return RegisteredAccountingUpdateVersions().back();
}

// Every table's rows (sorted), every generator's value and the schema's
// objects, so that two states of a database compare as wholes.
std::string DumpDatabase(const std::string& path)
{
    db::Database database;
    database.Attach(path, dbtest::User, dbtest::Password);
    db::Transaction transaction(database);
    transaction.Start();
    const auto column = [&](const std::string& sql) {
        std::vector<std::string> values;
        db::Query query(database, transaction, sql);
        for (query.Open(); !query.Eof(); query.Next())
            values.push_back(query.FieldByIndex(0).IsNull() ? "<null>" : query.FieldByIndex(0).AsString());
        return values;
    };
    std::string dump;
    for (const std::string& line :
         column("SELECT TRIM(RDB$RELATION_NAME) || '.' || TRIM(RDB$FIELD_NAME) || ':' || TRIM(RDB$FIELD_SOURCE) "
                "FROM RDB$RELATION_FIELDS WHERE RDB$SYSTEM_FLAG = 0 ORDER BY 1"))
        dump += "column " + line + "\n";
    for (const char* kind : {"RDB$PROCEDURES WHERE RDB$SYSTEM_FLAG = 0", "RDB$TRIGGERS WHERE RDB$SYSTEM_FLAG = 0"})
        for (const std::string& line :
             column(std::string("SELECT RDB$") + (kind[4] == 'P' ? "PROCEDURE" : "TRIGGER") + "_NAME FROM " + kind))
            dump += std::string("object ") + line + "\n";
    for (const std::string& name :
         column("SELECT TRIM(RDB$GENERATOR_NAME) FROM RDB$GENERATORS WHERE RDB$SYSTEM_FLAG = 0 ORDER BY 1"))
        dump += "generator " + name + "=" + column("SELECT GEN_ID(" + name + ", 0) FROM RDB$DATABASE").at(0) + "\n";
    for (const std::string& table : column("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS "
                                           "WHERE RDB$SYSTEM_FLAG = 0 AND RDB$VIEW_BLR IS NULL ORDER BY 1")) {
        db::Query query(database, transaction, "SELECT * FROM " + table);
        std::vector<std::string> rows;
        for (query.Open(); !query.Eof(); query.Next()) {
            std::string row;
            for (std::size_t i = 0; i < query.FieldCount(); ++i)
                row += (query.FieldByIndex(i).IsNull() ? "<null>" : query.FieldByIndex(i).AsString()) + "|";
            rows.push_back(row);
        }
        std::sort(rows.begin(), rows.end());
        dump += "table " + table + " " + std::to_string(rows.size()) + "\n";
        for (const std::string& row : rows)
            dump += "  " + row + "\n";
    }
    transaction.Commit();
    return dump;
}

std::string StampOf(const std::string& version)
{
    const auto first = version.find('.');
    const auto second = version.find('.', first + 1);
    return "MAJOR=" + version.substr(0, first) + ",MINOR1=" + version.substr(first + 1, second - first - 1) +
           ",MINOR2=" + version.substr(second + 1) + ",";
}

class DbUpdateBoxTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        dbtest::FirebirdTest::SetUp();
        SystemDef.TempDir = (folder_ / "temp").string();
        SystemDef.LogDir = (folder_ / "log").string();
        SystemDef.SqlDir = LEDRIX_SQL_DIR;
        SystemDef.SYSDIR = (folder_ / "sys").string();
        SystemDef.DataDir = (folder_ / "data").string();
        SystemDef.ProgramDir = (folder_ / "program").string();
        SystemDef.DocumentsDir = (folder_ / "documents").string();
        for (const char* sub : {"temp", "log", "sys", "data", "program", "documents"})
            fs::create_directories(folder_ / sub);
        SystemDef.HOSTNAME.clear();
        SystemDef.USER = dbtest::User;
        SystemDef.PASSWORD = dbtest::Password;
        SystemDef.PCName = "PC01";
        SystemDef.LOGINCODE = 7;
        SystemDef.OPCODE = 100007;
        SystemDef.OPNAME = "経理 太郎";
        SysDbFileName = "qhaccdef.fdb";
        DataDbFileName = "qhacc.fdb";
        ConnectionMode = 0;
        DM = std::make_unique<TDM>();
        ::unsetenv("LEDRIX_TEST_FAIL_STAMP");
        ::unsetenv("LEDRIX_TEST_HANG");
        ::unsetenv("LEDRIX_TEST_BREAK");
    }
    void TearDown() override
    {
        DM.reset();
        ConnectionMode = savedMode_;
        ClearIsqlCancel();
        ::unsetenv("LEDRIX_TEST_FAIL_STAMP");
        ::unsetenv("LEDRIX_TEST_HANG");
        ::unsetenv("LEDRIX_TEST_BREAK");
    }

    std::string Company() const { return SystemDef.DataDir + "/qhacc.fdb"; }
    std::string Version() const
    {
        db::Database database;
        database.Attach(Company(), dbtest::User, dbtest::Password);
        db::Transaction transaction(database);
        transaction.Start();
        db::Query query(database, transaction, "SELECT MAJOR, MINOR1, MINOR2 FROM ACCVERSION WHERE REC=1");
        query.Open();
        return query.FieldByIndex(0).AsString() + "." + query.FieldByIndex(1).AsString() + "." +
               query.FieldByIndex(2).AsString();
    }

    // Company data at the version, open in the data module as the program
    // has it when it offers the update.
    void OpenCompanyAt(const std::string& version)
    {
        dbtest::CopyMasterFile(dbtest::CompanyMasterFile(version), Company());
        ASSERT_TRUE(DM->fnAccDatConnected("", SystemDef.DataDir, false));
    }

    // isql-fb in the program folder: the real tool, but the update whose
    // version stamp is LEDRIX_TEST_FAIL_STAMP fails after its script ran
    // (so its changes are in the database), or with LEDRIX_TEST_HANG hangs
    // before it runs, leaving that file as a sign.
    void InstallFailingIsql() const
    {
        const fs::path tool = fs::path(SystemDef.ProgramDir) / "isql-fb";
        std::ofstream(tool)
            << "#!/bin/sh\n"
               "if [ -n \"$LEDRIX_TEST_HANG\" ] && grep -q \"$LEDRIX_TEST_FAIL_STAMP\" \"$3\"; then\n"
               "  touch \"$LEDRIX_TEST_HANG\"; exec sleep 60\n"
               "fi\n"
               "isql-fb \"$@\"; rc=$?\n"
               "if [ -n \"$LEDRIX_TEST_FAIL_STAMP\" ] && grep -q \"$LEDRIX_TEST_FAIL_STAMP\" \"$3\"; then\n"
               "  if [ -n \"$LEDRIX_TEST_BREAK\" ]; then\n"
               "    db=$(sed -n \"s/^CONNECT '\\([^']*\\)'.*/\\1/p\" \"$3\")\n"
               "    rm -f \"$db\"; mkdir -p \"$db/x\"\n"
               "  fi\n"
               "  echo 'Statement failed, SQLSTATE = 42000' >> \"$7\"; exit 1\n"
               "fi\n"
               "exit $rc\n";
        fs::permissions(tool, fs::perms::owner_all);
    }

    // Ticks the consent and presses OK, as the user does; returns the
    // dialog's result. failureLines receives the failure message's lines.
    int Run(TDbUpdateBox& box, std::vector<std::string>* failureLines = nullptr)
    {
        box.show();
        if (box.cboxAgree->isVisible() && !box.cboxAgree->isChecked())
            QTest::mouseClick(box.cboxAgree, Qt::LeftButton, {}, QPoint(6, box.cboxAgree->height() / 2));
        EXPECT_TRUE(box.btnOk->isEnabled());
        // The failure message comes at the end of a run that takes a while;
        // it is read and closed when it shows.
        QTimer watch;
        watch.setInterval(20);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* message = qobject_cast<TMessageBox2*>(QApplication::activeModalWidget());
            if (message == nullptr || !message->isVisible())
                return;
            watch.stop();
            for (QLabel* label : message->Labels)
                if (label != nullptr && !label->text().isEmpty())
                    shownFailure.push_back(label->text().toStdString());
            message->done(1);
        });
        shownFailure.clear();
        watch.start();
        QTest::mouseClick(box.btnOk, Qt::LeftButton);
        if (failureLines != nullptr)
            *failureLines = shownFailure;
        else
            EXPECT_TRUE(shownFailure.empty()) << shownFailure.front() << " " << shownFailure.back();
        return box.result();
    }

    static std::vector<std::string> States(const TDbUpdateBox& box)
    {
        std::vector<std::string> states;
        for (int i = 0; i < box.ListView1->topLevelItemCount(); ++i)
            states.push_back(box.ListView1->topLevelItem(i)->text(2).toStdString());
        return states;
    }

    std::vector<std::string> shownFailure;
    RecordingMessagePresenter messages_;
    dbtest::SavedGlobals saved_;
    const std::uint8_t savedMode_ = ConnectionMode;
};

TEST_F(DbUpdateBoxTest, ListsThePendingUpdatesAndWaitsForConsent)
{
    TDbUpdateBox box;
    box.CheckUpdate(1, StartVersion());
    ASSERT_TRUE(box.Pending);
    const TArrayDbUpdateListRec& list = box.CurrentList();
    ASSERT_EQ(box.ListView1->topLevelItemCount(), box.LastPending - box.FirstPending + 1);
    const TDbUpdateListRec& first = list[static_cast<std::size_t>(box.FirstPending)];
    EXPECT_EQ(box.ListView1->topLevelItem(0)->text(1).toStdString(), first.Title);
    EXPECT_EQ(box.ListView1->topLevelItem(box.ListView1->topLevelItemCount() - 1)->text(0).toStdString(),
              NewestVersion());
    EXPECT_EQ(box.lblTitle1->text(), QStringLiteral("会計データの更新を行います。"));
    std::string description = first.Description;
    std::replace(description.begin(), description.end(), '\r', '\n');
    EXPECT_EQ(box.RichEdit1->toPlainText().toStdString(), description);
    box.show();
    EXPECT_FALSE(box.btnOk->isEnabled());
    QTest::keyClick(&box, Qt::Key_F12);
    EXPECT_TRUE(box.isVisible());  // F12 does nothing without consent
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), 2);

    // The newest version has nothing pending; the system database's dialog
    // asks no consent and offers no Cancel.
    box.CheckUpdate(1, NewestVersion());
    EXPECT_FALSE(box.Pending);
    EXPECT_EQ(box.VersionState, 1);
    box.CheckUpdate(0, "0.0.0");
    EXPECT_TRUE(box.cboxAgree->isHidden());
    EXPECT_TRUE(box.btnCancel->isHidden());
    EXPECT_TRUE(box.btnOk->isEnabled());
}

// The system database still attached by another program: the update is
// refused, the box names the group's other operators logged on (by their
// own codes and names, one a line, the asking operator left out) and the
// database stays as it was.
TEST_F(DbUpdateBoxTest, SystemUpdateIsRefusedWhileOthersUseTheSystem)
{
    const std::string system = SystemDef.SYSDIR + "/qhaccdef.fdb";
    dbtest::CopyMasterFile(dbtest::SystemMasterFile(), system);
    SystemDef.GROUPID = 1;
    SystemDef.OPCODE = 10007;
    {
        db::Database database;
        database.Attach(system, dbtest::User, dbtest::Password);
        db::Transaction transaction(database);
        transaction.Start();
        const auto exec = [&](const std::string& sql) { db::Query(database, transaction, sql).ExecSQL(); };
        exec("DELETE FROM LOGONUSERLIST");
        for (const char* row : {"1, 7, '経理 太郎'", "1, 12, '営業 花子'", "1, 3, '総務 次郎'", "2, 12, '他社 一郎'"})
            exec(std::string("UPDATE OR INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME) VALUES (") + row +
                 ") MATCHING (GROUPID, OPCODE)");
        // Logged on: the asker, two colleagues (one on two computers), an
        // operator of another group, and a row whose operator is gone.
        for (const char* row : {"10007, 7, 1, 'PC01'", "10012, 12, 1, 'PC02'", "10003, 3, 1, 'PC03'",
                                "10003, 3, 1, 'PC05'", "20012, 12, 2, 'PC09'", "10044, 44, 1, 'PC04'"})
            exec(std::string("INSERT INTO LOGONUSERLIST (OPCODE, OPERATORCODE, GROUPID, PCNAME) VALUES (") + row + ")");
        transaction.Commit();
    }
    const std::string before = DumpDatabase(system);
    db::Database other;  // the other program's attachment
    other.Attach(system, dbtest::User, dbtest::Password);

    TDbUpdateBox box;
    box.CheckUpdate(0, "0.0.0");
    ASSERT_TRUE(box.Pending);
    box.show();
    std::string caption, label, memo;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* message = qobject_cast<TMessageBox*>(QApplication::activeModalWidget());
        if (message == nullptr || !message->isVisible())
            return;
        watch.stop();
        caption = message->windowTitle().toStdString();
        label = message->lblMain->text().toStdString();
        memo = message->MessageArea->toPlainText().toStdString();
        QTest::mouseClick(message->btnCancel, Qt::LeftButton);  // the single OK of this box
    });
    watch.start();
    QTest::mouseClick(box.btnOk, Qt::LeftButton);
    EXPECT_EQ(box.result(), 4);
    EXPECT_EQ(caption, "情報");
    EXPECT_EQ(label,
              "現在、他のオペレータがシステムを利用中です。\nデータベースの更新を行うには、システムを終了するようにご連"
              "絡して下さい。");
    std::replace(memo.begin(), memo.end(), '\r', '\n');
    EXPECT_EQ(memo,
              "利用中のオペレータ (異常終了時のオペレータ含む)\n\n"
              "[ 0003 ]:  総務 次郎\n[ 0003 ]:  総務 次郎\n[ 0012 ]:  営業 花子\n");
    for (const std::string& state : States(box))
        EXPECT_EQ(state, "");

    other.Detach();
    if (DM->IBDatabaseDEF.Connected())  // connected again for the program
        DM->IBDatabaseDEF.Detach();
    EXPECT_EQ(DumpDatabase(system), before);
}

TEST_F(DbUpdateBoxTest, RunBringsOlderDataToTheNewestVersion)
{
    OpenCompanyAt(StartVersion());
    TDbUpdateBox box;
    box.CheckUpdate(1, "");
    ASSERT_TRUE(box.Pending);
    EXPECT_GT(box.BackupCount, 0);
    EXPECT_EQ(Run(box), 1);
    EXPECT_TRUE(box.Succeeded);
    EXPECT_EQ(Version(), NewestVersion());
    for (const std::string& state : States(box))
        EXPECT_EQ(state, "完了");
    EXPECT_FALSE(fs::exists(box.BackupFileName()));
    EXPECT_TRUE(DM->IBDatabaseDAT.Connected());  // connected again for the program
    box.CheckUpdate(1, "");
    EXPECT_FALSE(box.Pending);
}

// A unit that fails after its script ran: with a backup the whole run is
// undone, without one the unit's own guard undoes the unit; either way the
// database is exactly as before, and the message names the update.
TEST_F(DbUpdateBoxTest, AFailedUpdateLeavesTheDatabaseAsItWas)
{
    InstallFailingIsql();
    struct Case {
        const char* name;
        bool backup;
        bool failLast;
    };
    for (const Case& c :
         {Case{"backup, last update fails", true, true}, Case{"no backup, first update fails", false, false}}) {
        SCOPED_TRACE(c.name);
        OpenCompanyAt(FailureStartVersion());
        TDbUpdateBox box;
        for (TDbUpdateListRec& entry : box.DataList)
            entry.BackupFlag = c.backup ? 1 : 0;
        box.CheckUpdate(1, "");
        ASSERT_TRUE(box.Pending);
        const std::string failing =
            c.failLast ? NewestVersion() : box.ListView1->topLevelItem(0)->text(0).toStdString();
        ::setenv("LEDRIX_TEST_FAIL_STAMP", StampOf(failing).c_str(), 1);
        DM->fnAccDatDisConnected(SystemDef.DataDir, false, false);
        const std::string before = DumpDatabase(Company());
        ASSERT_TRUE(DM->fnAccDatConnected("", SystemDef.DataDir, false));

        std::vector<std::string> lines;
        messages_.shown.clear();
        EXPECT_EQ(Run(box, &lines), 4);
        EXPECT_FALSE(box.Succeeded);
        const std::vector<std::string> states = States(box);
        EXPECT_EQ(states.back() == "失敗", c.failLast);
        EXPECT_EQ(states.front() == "失敗", !c.failLast);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], "会計データの更新に失敗しました。");
        EXPECT_EQ(lines[1], "[エラー内容]");
        EXPECT_EQ(lines[2], "Ver " + failing + "のデータベース更新に失敗しました。");
        EXPECT_FALSE(fs::exists(box.BackupFileName()));

        DM->fnAccDatDisConnected(SystemDef.DataDir, false, false);
        EXPECT_EQ(DumpDatabase(Company()), before);
    }
}

TEST_F(DbUpdateBoxTest, AnErrorEscapingAnUpdateIsAFailedUpdate)
{
    OpenCompanyAt(FailureStartVersion());
    TDbUpdateBox box;
    for (TDbUpdateListRec& entry : box.DataList)
        entry.BackupFlag = 1;
    box.DataList.back().UpdateFunc = []() -> std::int32_t { throw std::runtime_error("書けません"); };
    box.CheckUpdate(1, "");
    DM->fnAccDatDisConnected(SystemDef.DataDir, false, false);
    const std::string before = DumpDatabase(Company());
    ASSERT_TRUE(DM->fnAccDatConnected("", SystemDef.DataDir, false));

    std::vector<std::string> lines;
    EXPECT_EQ(Run(box, &lines), 4);
    EXPECT_EQ(States(box).back(), "失敗");
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_NE(messages_.shown.back().Text.find("書けません"), std::string::npos);
    DM->fnAccDatDisConnected(SystemDef.DataDir, false, false);
    EXPECT_EQ(DumpDatabase(Company()), before);
}

// When the backup cannot be put back (here the database file has become a
// folder), the backup is the last good copy: it is kept and named.
TEST_F(DbUpdateBoxTest, ABackupThatCannotBeRestoredIsKept)
{
    InstallFailingIsql();
    OpenCompanyAt(FailureStartVersion());
    TDbUpdateBox box;
    for (TDbUpdateListRec& entry : box.DataList)
        entry.BackupFlag = 1;
    box.CheckUpdate(1, "");
    ::setenv("LEDRIX_TEST_FAIL_STAMP", StampOf(NewestVersion()).c_str(), 1);
    ::setenv("LEDRIX_TEST_BREAK", "1", 1);
    std::vector<std::string> lines;
    EXPECT_EQ(Run(box, &lines), 4);
    EXPECT_TRUE(box.BackupKept());
    EXPECT_TRUE(fs::is_regular_file(box.BackupFileName()));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "会計データの更新に失敗しました。");
    EXPECT_NE(lines.back().find(box.BackupFileName()), std::string::npos) << lines.back();
}

// A tool that hangs is ended by the dialog's Cancel, or by the time limit;
// the update fails, the backup is put back, and the error log says which of
// the two stopped the tool (the stand-in would sleep for minutes).
TEST_F(DbUpdateBoxTest, AHangingUpdateToolEndsByCancelOrTimeLimit)
{
    InstallFailingIsql();
    const auto savedLimit = IsqlTimeLimit();
    const fs::path errorLog = fs::path(SystemDef.LogDir) / "ErrDataup.log";
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancel" : "time limit");
        fs::remove(errorLog);
        OpenCompanyAt(FailureStartVersion());
        TDbUpdateBox box;
        for (TDbUpdateListRec& entry : box.DataList)
            entry.BackupFlag = 1;
        box.CheckUpdate(1, "");
        ::setenv("LEDRIX_TEST_FAIL_STAMP", StampOf(NewestVersion()).c_str(), 1);
        const fs::path sign = folder_ / (cancel ? "hanging-cancel" : "hanging-limit");
        ::setenv("LEDRIX_TEST_HANG", sign.c_str(), 1);
        SetIsqlTimeLimit(cancel ? std::chrono::minutes(10) : std::chrono::seconds(2));
        QTimer press;
        bool pressed = false;
        if (cancel) {
            press.setInterval(20);
            QObject::connect(&press, &QTimer::timeout, [&] {
                if (fs::exists(sign)) {
                    press.stop();
                    // The run keeps the dialog usable while the tool works.
                    EXPECT_TRUE(box.btnCancel->isEnabled());
                    QTest::mouseClick(box.btnCancel, Qt::LeftButton);
                    pressed = true;
                }
            });
            press.start();
        }
        std::vector<std::string> lines;
        EXPECT_EQ(Run(box, &lines), 4);
        EXPECT_TRUE(fs::exists(sign));
        EXPECT_EQ(pressed, cancel);
        EXPECT_EQ(States(box).back(), "失敗");
        EXPECT_EQ(Version(), FailureStartVersion());
        EXPECT_FALSE(IsqlCancelRequested());
        std::ifstream log(errorLog);
        const std::string logged((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
        EXPECT_NE(logged.find(cancel ? "was stopped: the update was cancelled" : "was stopped: its time limit passed"),
                  std::string::npos)
            << logged;
    }
    SetIsqlTimeLimit(savedLimit);
}

}  // namespace
