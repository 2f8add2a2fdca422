#include "foundation/BackupRestoreThread.h"

#include "foundation/AccRegStore.h"
#include "foundation/DataModule.h"
#include "foundation/DatabaseBackup.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/ScreenServices.h"
#include "foundation/SystemDef.h"
#include "FileProcModule.h"
#include "foundation/FileManTransfer.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

class BackupRestoreThreadTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        dbtest::FirebirdTest::SetUp();
        SystemDef.USER = dbtest::User;
        SystemDef.PASSWORD = dbtest::Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.TempDir = (folder_ / "temp").string();
        SystemDef.LogDir = (folder_ / "log").string();
        SystemDef.SYSDIR = (folder_ / "sys").string();
        SystemDef.DataDir = (folder_ / "data" / "0001").string();
        SystemDef.OPCODE = 100007;
        SystemDef.LOGINCODE = 7;
        SystemDef.OPNAME = "経理 太郎";
        SystemDef.PCName = "PC01";
        SystemDef.MYNUMBER_ADM = 0;
        for (const char* sub : {"temp", "log", "sys", "backup"})
            fs::create_directories(folder_ / sub);
        SysDbFileName = "qhaccdef.fdb";
        DataDbFileName = "qhacc.fdb";
        ConnectionMode = 0;
        DM = std::make_unique<TDM>();
        dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), Live());
    }
    void TearDown() override
    {
        DM.reset();
        ConnectionMode = savedMode_;
    }

    std::string Live() const { return (folder_ / "data" / "0001" / "qhacc.fdb").string(); }
    std::string Other() const { return (folder_ / "data" / "0002" / "qhacc.fdb").string(); }
    std::string BackupFile() const { return (folder_ / "backup" / "save.fbk").string(); }

    // Runs the job as a screen does: resume, then poll while pumping.
    static void RunJob(TBackupRestoreThread& job)
    {
        job.Resume();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3);
        while (!job.BackupThreadTerminated()) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the job did not end";
            DelayMSec(5);
        }
    }

    static void Exec(const std::string& path, const std::string& sql)
    {
        db::Database database;
        database.Attach(path, dbtest::User, dbtest::Password);
        db::Transaction transaction(database);
        transaction.Start();
        db::Query(database, transaction, sql).ExecSQL();
        transaction.Commit();
    }
    static std::string Text(const std::string& path, const std::string& sql)
    {
        db::Database database;
        database.Attach(path, dbtest::User, dbtest::Password);
        db::Transaction transaction(database);
        transaction.Start();
        db::Query query(database, transaction, sql);
        query.Open();
        return query.Eof() ? "<none>" : query.FieldByIndex(0).AsString();
    }
    static std::string MyNumberRows(const std::string& path)
    {
        db::Database database;
        database.Attach(path, dbtest::User, dbtest::Password);
        db::Transaction transaction(database);
        transaction.Start();
        db::Query query(database, transaction,
                        "SELECT ACODE, ATEXT FROM ACCREG WHERE AGROUP='基本設定' AND ACODE STARTING WITH '＃' "
                        "ORDER BY ACODE");
        query.Open();
        std::string rows;
        for (; !query.Eof(); query.Next())
            rows += query.FieldByIndex(0).AsString() + "=" + query.FieldByIndex(1).AsString() + ";";
        return rows;
    }
    // Live data that manages My Number with a stored key and value.
    void ManageMyNumber(const std::string& path)
    {
        Exec(path,
             "UPDATE OR INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', '＃USE', '整数', '1') "
             "MATCHING (AGROUP, ACODE)");
        Exec(path,
             "UPDATE OR INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', '＃KEY', '文字', "
             "'stored-key-text') MATCHING (AGROUP, ACODE)");
        Exec(path,
             "UPDATE OR INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', '＃VALUE', '文字', "
             "'stored-value-text') MATCHING (AGROUP, ACODE)");
    }

    RecordingMessagePresenter messages_;
    dbtest::SavedGlobals saved_;
    const std::uint8_t savedMode_ = ConnectionMode;
};

TEST_F(BackupRestoreThreadTest, BackupWithTrailerRestoresOverOtherDataAndEmptiesTheHistory)
{
    Exec(Live(), "INSERT INTO OPINF (JOBNAME, OPCODE) VALUES ('画面', 7)");
    Exec(Live(), "UPDATE ACCDEF1 SET SHOUGOU='株式会社テスト' WHERE REC=1");
    dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), Other());

    TBackupRestoreThread backup;
    backup.Mode = 0;
    backup.DatabasePath = Live();
    backup.BackupFilePath = BackupFile();
    backup.AppendTrailer = 1;
    backup.SHOUGOU = "株式会社テスト";
    backup.DATAVARSION = "15.0.0";
    RunJob(backup);
    ASSERT_EQ(backup.Success, 1) << backup.ErrorMessage << backup.ErrorDetail;
    EXPECT_EQ(backup.Failed, 0);
    EXPECT_FALSE(fs::exists(fs::path(Live()).replace_extension(".fb_")));

    TBackupRestoreThread restore;
    ASSERT_TRUE(restore.GetBackupFileInfo(BackupFile(), true));
    EXPECT_EQ(restore.DATAVARSION, "15.0.0");
    restore.Mode = 1;
    restore.DatabasePath = Other();
    restore.BackupFilePath = BackupFile();
    RunJob(restore);
    ASSERT_EQ(restore.Success, 1) << restore.ErrorMessage << restore.ErrorDetail;
    EXPECT_EQ(Text(Other(), "SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1"), "株式会社テスト");
    EXPECT_EQ(Text(Other(), "SELECT COUNT(*) FROM OPINF"), "0");
    EXPECT_EQ(Text(Live(), "SELECT COUNT(*) FROM OPINF"), "1");
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
}

TEST_F(BackupRestoreThreadTest, PathsThatNameNeitherDatabaseAreRefused)
{
    struct Case {
        std::int32_t mode;
        const char* operation;
        const char* code;
        const char* detail;
    };
    for (const Case& c : {Case{0, "BackupDatabase", "101", "データベースの保存処理を中止しました。"},
                          Case{1, "RestoreDatabase", "201", "データベースの復元処理を中止しました。"}}) {
        SCOPED_TRACE(c.code);
        TBackupRestoreThread job;
        job.Mode = c.mode;
        job.AskMyNumber = 0;
        job.DatabasePath = (folder_ / "data" / "0001" / "other.fdb").string();
        job.BackupFilePath = BackupFile();
        RunJob(job);
        EXPECT_EQ(job.Success, 0);
        EXPECT_EQ(job.Failed, 1);
        EXPECT_EQ(job.ErrorOperation, c.operation);
        EXPECT_EQ(job.ErrorCode, c.code);
        EXPECT_EQ(job.ErrorMessage, "指定されたファイルはLedrix財務用のデータではありません。");
        EXPECT_EQ(job.ErrorDetail, c.detail);
    }
}

TEST_F(BackupRestoreThreadTest, ModeThreeRestoresOverTheSameDataOnlyAfterItsBackup)
{
    Exec(Live(), "INSERT INTO OPINF (JOBNAME, OPCODE) VALUES ('一', 1)");
    TBackupRestoreThread same;
    same.Mode = 3;
    same.DatabasePath = Live();
    same.BackupFilePath = BackupFile();
    RunJob(same);
    ASSERT_EQ(same.Success, 1);
    EXPECT_EQ(same.SecondDatabasePath, Live());
    EXPECT_EQ(Text(Live(), "SELECT COUNT(*) FROM OPINF"), "0");  // restored and cleaned

    // Now the backup fails (its work file cannot be written) while an older
    // backup lies at the target: it must not go over the live data.
    Exec(Live(), "UPDATE ACCDEF1 SET SHOUGOU='最新' WHERE REC=1");
    fs::create_directories(fs::path(Live()).replace_extension(".fb_") / "blocked");
    TBackupRestoreThread failing;
    failing.Mode = 3;
    failing.DatabasePath = Live();
    failing.BackupFilePath = BackupFile();
    RunJob(failing);
    EXPECT_EQ(failing.Success, 0);
    EXPECT_EQ(failing.Failed, 1);
    EXPECT_EQ(Text(Live(), "SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1"), "最新");
}

TEST_F(BackupRestoreThreadTest, RestoreWithoutMyNumberOverManagingDataIsRefusedUntouched)
{
    ManageMyNumber(Live());
    Exec(Live(), "UPDATE ACCDEF1 SET SHOUGOU='元' WHERE REC=1");
    std::ofstream(BackupFile()) << "not touched";
    TBackupRestoreThread job;
    job.Mode = 1;
    job.DatabasePath = Live();
    job.BackupFilePath = BackupFile();
    job.USEMYNUMBER = 0;
    RunJob(job);
    EXPECT_EQ(job.Failed, 1);
    EXPECT_EQ(job.ErrorOperation, "RestoreDatabase");
    EXPECT_EQ(job.ErrorCode, "200");
    EXPECT_EQ(job.ErrorMessage, "マイナンバー情報を管理しているデータへの復元はおこなえません。");
    EXPECT_EQ(job.ErrorDetail, "データベースの復元処理を中止しました。");
    EXPECT_EQ(Text(Live(), "SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1"), "元");
}

// A backup without My Number information carries use 0 and neither key nor
// value; the live data keeps its settings byte for byte, also when the
// backup fails or raises.
TEST_F(BackupRestoreThreadTest, ExcludedMyNumberStaysInTheLiveDataWhateverTheBackupDoes)
{
    ManageMyNumber(Live());
    const std::string before = MyNumberRows(Live());

    TBackupRestoreThread job;
    job.Mode = 0;
    job.DatabasePath = Live();
    job.BackupFilePath = BackupFile();
    job.USEMYNUMBER = 1;
    job.OfferMyNumberChoice = 1;  // the operator is no administrator: excluded
    RunJob(job);
    ASSERT_EQ(job.Success, 1) << job.ErrorMessage << job.ErrorDetail;
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_EQ(messages_.shown.front().Text, "保存データにマイナンバー情報は含まれません。");
    EXPECT_EQ(MyNumberRows(Live()), before);
    EXPECT_EQ(job.USEMYNUMBER, 1);

    TBackupRestoreThread restore;
    restore.Mode = 1;
    restore.AskMyNumber = 0;
    restore.DatabasePath = Other();
    restore.BackupFilePath = BackupFile();
    fs::create_directories(fs::path(Other()).parent_path());
    RunJob(restore);
    ASSERT_EQ(restore.Success, 1) << restore.ErrorMessage << restore.ErrorDetail;
    EXPECT_EQ(MyNumberRows(Other()), "＃USE=0;");

    struct Failure {
        const char* name;
        std::uint8_t method;
        std::string server;
    };
    // The service route fails and reports; the tool route (a server that
    // does not answer) raises out of the step.
    for (const Failure& f : {Failure{"service", 0, ""}, Failure{"tool", 1, "localhost/1"}}) {
        SCOPED_TRACE(f.name);
        TBackupRestoreThread failing;
        failing.Mode = 0;
        failing.Method = f.method;
        failing.ServerName = f.server;
        failing.DatabasePath = Live();
        failing.BackupFilePath = (folder_ / "missing" / "x.fbk").string();
        failing.USEMYNUMBER = 1;
        failing.OfferMyNumberChoice = 1;
        RunJob(failing);
        EXPECT_EQ(failing.Success, 0);
        EXPECT_EQ(failing.Failed, 1);
        EXPECT_EQ(failing.ErrorCode, "100");
        EXPECT_EQ(failing.ErrorMessage, "データベースの保存に失敗しました。");
        EXPECT_EQ(MyNumberRows(Live()), before);
    }
}

TEST_F(BackupRestoreThreadTest, ValidationOfSoundDataReopensTheOpenCompany)
{
    ASSERT_TRUE(DM->fnAccDatConnected("", fs::path(Live()).parent_path().string(), false));
    EXPECT_TRUE(ValidateDataBase(ServiceProtocolLocal, "", Live()));
    EXPECT_TRUE(DM->IBDatabaseDAT.Connected());
    EXPECT_TRUE(messages_.shown.empty());
}

// Damaged copies of a company database: whether the validation finds the
// damage itself or the engine cannot even open or read the file, the data
// is not sound.
TEST_F(BackupRestoreThreadTest, ValidationOfDamagedDataIsNeverSound)
{
    std::int64_t pageSize = 0;
    std::int64_t pointerPage = 0;
    {
        db::Database database;
        database.Attach(Live(), dbtest::User, dbtest::Password);
        db::Transaction transaction(database);
        transaction.Start();
        db::Query size(database, transaction, "SELECT MON$PAGE_SIZE FROM MON$DATABASE");
        size.Open();
        pageSize = size.FieldByIndex(0).AsInteger();
        db::Query pages(database, transaction,
                        "SELECT P.RDB$PAGE_NUMBER FROM RDB$PAGES P JOIN RDB$RELATIONS R"
                        " ON R.RDB$RELATION_ID = P.RDB$RELATION_ID"
                        " WHERE R.RDB$RELATION_NAME = 'KAMOKUMST' AND P.RDB$PAGE_TYPE = 4 AND P.RDB$PAGE_SEQUENCE = 0");
        pages.Open();
        ASSERT_FALSE(pages.Eof());
        pointerPage = pages.FieldByIndex(0).AsInteger();
    }
    ASSERT_GT(pageSize, 0);
    const auto overwrite = [&](const std::string& path, std::int64_t page, char fill) {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(page * pageSize);
        const std::string bytes(static_cast<std::size_t>(pageSize), fill);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    };
    struct Damage {
        const char* name;
        std::function<void(const std::string&)> apply;
    };
    const Damage damages[] = {
        {"a table's pointer page overwritten", [&](const std::string& path) { overwrite(path, pointerPage, 'Z'); }},
        {"the header page wiped", [&](const std::string& path) { overwrite(path, 0, '\0'); }},
        {"the file cut short", [&](const std::string& path) { fs::resize_file(path, fs::file_size(path) / 3); }},
        {"the file missing", [](const std::string& path) { fs::remove(path); }},
        {"a folder in the file's place",
         [](const std::string& path) {
             fs::remove(path);
             fs::create_directory(path);
         }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        fs::remove_all(Other());
        dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), Other());
        ASSERT_TRUE(ValidateDataBase(ServiceProtocolLocal, "", Other()));
        damage.apply(Other());
        EXPECT_FALSE(ValidateDataBase(ServiceProtocolLocal, "", Other()));
    }
    EXPECT_TRUE(messages_.shown.empty());
}

class BackupRestoreServerTest : public BackupRestoreThreadTest {
protected:
    void SetUp() override
    {
        BackupRestoreThreadTest::SetUp();
        dbtest::TestFirebird::Get().StartServer();
        dbtest::TestFirebird::Get().GrantServerAdmin();
        ConnectionMode = 1;
        SystemDef.HOSTNAME = "localhost";
    }
};

// Through the server: the engine's services over TCP (Method 0) and the
// command-line tool (Method 1 without the file-manager database), each a
// backup and a restore over other data that already exists.
TEST_F(BackupRestoreServerTest, ServiceAndToolRoutesBackUpAndRestoreThroughTheServer)
{
    Exec(Live(), "UPDATE ACCDEF1 SET SHOUGOU='サーバー' WHERE REC=1");
    for (const std::uint8_t method : {0, 1}) {
        SCOPED_TRACE(static_cast<int>(method));
        dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), Other());
        fs::remove(BackupFile());
        TBackupRestoreThread backup;
        backup.Mode = 0;
        backup.Method = method;
        backup.ServerName = "localhost";
        backup.DatabasePath = Live();
        backup.BackupFilePath = BackupFile();
        RunJob(backup);
        ASSERT_EQ(backup.Success, 1) << backup.ErrorMessage << " " << backup.ErrorDetail;
        ASSERT_TRUE(fs::exists(BackupFile()));

        TBackupRestoreThread restore;
        restore.Mode = 1;
        restore.Method = method;
        restore.AskMyNumber = 0;
        restore.ServerName = "localhost";
        restore.DatabasePath = Other();
        restore.BackupFilePath = BackupFile();
        RunJob(restore);
        ASSERT_EQ(restore.Success, 1) << restore.ErrorMessage << " " << restore.ErrorDetail;
        EXPECT_EQ(Text(Other(), "SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1"), "サーバー");
    }
}

TEST_F(BackupRestoreServerTest, RestoreOverDataInUseIsRefused)
{
    dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), Other());
    TBackupRestoreThread backup;
    backup.Mode = 0;
    backup.ServerName = "localhost";
    backup.DatabasePath = Live();
    backup.BackupFilePath = BackupFile();
    RunJob(backup);
    ASSERT_EQ(backup.Success, 1) << backup.ErrorMessage << " " << backup.ErrorDetail;

    db::Database other;  // another operator's program
    other.Attach(db::ConnectionString("localhost", Other()), dbtest::User, dbtest::Password);
    TBackupRestoreThread restore;
    restore.Mode = 1;
    restore.AskMyNumber = 0;
    restore.ServerName = "localhost";
    restore.DatabasePath = Other();
    restore.BackupFilePath = BackupFile();
    RunJob(restore);
    EXPECT_EQ(restore.Failed, 1);
    EXPECT_EQ(restore.ErrorCode, "202");
    EXPECT_EQ(restore.ErrorMessage, "このデータは、他のオペレータが使用中のため復元処理を行うことが出来ません。");
    EXPECT_TRUE(fs::exists(BackupFile()));
}

// The server route with the file-manager database: the backup travels
// between the server's temporary folder in SYSDIR and this machine as a
// FILETRANS row, written and read there by the server's own functions.
class FileManRouteTest : public BackupRestoreServerTest {
protected:
    void SetUp() override
    {
        BackupRestoreServerTest::SetUp();
        dbtest::InstallFileProcModule();
        FileMan() = dbtest::CopyMasterFile(dbtest::BaseMaster(dbupdate::BaseSchema::FileManager),
                                           folder_ / "sys" / FileManDbFileName)
                        .string();
        dbtest::Declare(FileMan(), LEDRIX_FILETRANSFER_SQL);
        // The system database with the file procedures, through which the
        // transfer removes its server file.
        {
            db::Database database;
            dbtest::CreateTestDatabase(database, (folder_ / "sys" / SysDbFileName).string());
        }
        dbtest::Declare((folder_ / "sys" / SysDbFileName).string(), LEDRIX_FILEPROC_SQL);
        ASSERT_TRUE(DM->fnAccDefConnected("", true));
        SystemDef.ServerTempDir = (folder_ / "sys" / "temp").string();
    }
    std::string& FileMan() { return fileMan_; }
    std::string Rows() { return Text(fileMan_, "SELECT COUNT(*) FROM FILETRANS"); }

    TBackupRestoreThread& Job(std::uint8_t mode, const std::string& database)
    {
        job_ = std::make_unique<TBackupRestoreThread>();
        job_->Mode = mode;
        job_->Method = 1;
        job_->AskMyNumber = 0;
        job_->ServerName = "localhost";
        job_->DatabasePath = database;
        job_->BackupFilePath = BackupFile();
        return *job_;
    }

private:
    std::string fileMan_;
    std::unique_ptr<TBackupRestoreThread> job_;
};

TEST_F(FileManRouteTest, BackupAndRestoreTravelThroughTheFileManagerDatabase)
{
    Exec(Live(), "UPDATE ACCDEF1 SET SHOUGOU='転送' WHERE REC=1");
    dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), Other());
    // A quote in the server's folder travels as a parameter.
    SystemDef.ServerTempDir = (folder_ / "sys" / "tmp'q").string();
    TBackupRestoreThread& backup = Job(0, Live());
    RunJob(backup);
    ASSERT_EQ(backup.Success, 1) << backup.ErrorMessage << " " << backup.ErrorDetail;
    ASSERT_GT(fs::file_size(BackupFile()), 0u);
    EXPECT_FALSE(fs::exists(FileManServerFile())) << "the copy of the data stayed on the server";
    EXPECT_EQ(Rows(), "0");

    TBackupRestoreThread& restore = Job(1, Other());
    RunJob(restore);
    ASSERT_EQ(restore.Success, 1) << restore.ErrorMessage << " " << restore.ErrorDetail;
    EXPECT_EQ(Text(Other(), "SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1"), "転送");
    EXPECT_FALSE(fs::exists(FileManServerFile()));
    EXPECT_TRUE(fs::exists(BackupFile()));
    EXPECT_EQ(Rows(), "0");
    EXPECT_FALSE(DM->IBFileMan.Connected());
    EXPECT_TRUE(messages_.shown.empty());
}

// The server's functions reach only its data folders: a temporary folder
// elsewhere fails the transfer with the server's reason, and nothing is
// written there.
TEST_F(FileManRouteTest, ServerFilesOutsideTheDataFoldersAreRefused)
{
    const fs::path outside = folder_ / "outside";
    SystemDef.ServerTempDir = outside.string();
    TBackupRestoreThread& backup = Job(0, Live());
    RunJob(backup);
    EXPECT_EQ(backup.Failed, 1);
    EXPECT_EQ(backup.ErrorCode, "102");
    EXPECT_EQ(backup.ErrorMessage, "バックアップファイルの転送処理（qhfileman.fdb）に失敗しました。");
    EXPECT_NE(backup.ErrorDetail.find("outside the data folders"), std::string::npos) << backup.ErrorDetail;
    EXPECT_FALSE(fs::exists(BackupFile()));
    // The engine's own backup service wrote the server file there; the
    // restore must not write it again.
    const fs::path serverFile = outside / ("qhacc." + std::to_string(SystemDef.OPCODE));
    fs::remove(serverFile);

    std::ofstream(BackupFile(), std::ios::binary) << "not a backup";
    dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), Other());
    TBackupRestoreThread& restore = Job(1, Other());
    RunJob(restore);
    EXPECT_EQ(restore.Failed, 1);
    EXPECT_EQ(restore.ErrorCode, "203");
    EXPECT_FALSE(fs::exists(serverFile));
    EXPECT_EQ(Rows(), "0");
    EXPECT_TRUE(fs::exists(BackupFile()));
}

}  // namespace
