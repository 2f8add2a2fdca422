#include "foundation/DataModule.h"

#include "foundation/ErrorHandling.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "FileProcModule.h"
#include "platform/db/FirebirdServerFixture.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace dbtest;

namespace {

void WriteFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A system database in SYSDIR with the file procedures declared, the module
// installed in the test root's UDR folder.
class ServerFilesTest : public FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.USER = User;
        SystemDef.PASSWORD = Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.LogDir = (folder_ / "log").string();
        fs::create_directories(SystemDef.LogDir);
        SystemDef.SYSDIR = (folder_ / "sys").string();
        ConnectionMode = 0;
        AppTerminating = false;
        DM = std::make_unique<TDM>();
    }
    void TearDown() override
    {
        DM.reset();
        SystemDef = saved_;
        ConnectionMode = savedMode_;
    }
    // Installs the module and declares the procedures; starts the server.
    void UseServer()
    {
        TestFirebird& firebird = TestFirebird::Get();
        InstallFileProcModule();
        fs::create_directories(Sys());
        {
            db::Database database;
            CreateTestDatabase(database, (Sys() / "qhaccdef.fdb").string());
        }
        Declare((Sys() / "qhaccdef.fdb").string(), LEDRIX_FILEPROC_SQL);
        firebird.StartServer();
        ConnectionMode = 1;
        SystemDef.HOSTNAME = "127.0.0.1";
    }
    fs::path Sys() const { return folder_ / "sys"; }

    RecordingMessagePresenter presenter;

private:
    const TSystemDef saved_ = SystemDef;
    const std::uint8_t savedMode_ = ConnectionMode;
};

TEST_F(ServerFilesTest, StandAloneWorksOnLocalFilesAndOtherModesDoNothing)
{
    const fs::path a = folder_ / "local" / "a.txt";
    const fs::path b = folder_ / "local" / "sub" / "b.txt";
    WriteFile(a, "a");
    EXPECT_TRUE(DM->ServerFileExists(a.string(), 0));
    EXPECT_FALSE(DM->ServerDirExists(a.string(), 0));
    EXPECT_TRUE(DM->ServerMkDir(b.parent_path().string(), 0));
    EXPECT_TRUE(DM->ServerDirExists(b.parent_path().string(), 0));
    EXPECT_TRUE(DM->ServerFileCopy(a.string(), b.string(), 0));
    const fs::path moved = folder_ / "local" / "moved.txt";
    EXPECT_TRUE(DM->ServerFileMove(b.string(), moved.string(), 0));
    EXPECT_FALSE(fs::exists(b));
    EXPECT_TRUE(fs::exists(moved));
    EXPECT_EQ(a.string(), DM->LongToShortFileName(a.string(), 0));
    EXPECT_EQ("/no/such/file", DM->LongToShortFileName("/no/such/file", 0));
    EXPECT_TRUE(DM->ServerFileDelete(moved.string(), 0, false));
    EXPECT_TRUE(DM->ServerRmDir(b.parent_path().string(), 0, false));
    EXPECT_FALSE(fs::exists(b.parent_path()));

    // Mode 3 touches nothing, not even the system database.
    EXPECT_FALSE(DM->ServerFileExists(a.string(), 3));
    EXPECT_FALSE(DM->ServerFileDelete(a.string(), 3, false));
    EXPECT_FALSE(DM->ServerMkDir((folder_ / "never").string(), 3));
    EXPECT_EQ("", DM->LongToShortFileName(a.string(), 3));
    EXPECT_TRUE(fs::exists(a));
    EXPECT_FALSE(fs::exists(folder_ / "never"));
    EXPECT_FALSE(DM->IBDatabaseDEF.Connected());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ServerFilesTest, ServerProceduresWorkInsideTheDataFoldersAndConnectOnlyForTheCall)
{
    UseServer();
    const fs::path folder = Sys() / "0001";
    const fs::path file = folder / "qhacc.ini";
    ASSERT_FALSE(DM->IBDatabaseDEF.Connected());
    EXPECT_TRUE(DM->ServerMkDir((folder / "sub").string(), 1));
    EXPECT_FALSE(DM->IBDatabaseDEF.Connected()) << "closed again after the call";
    EXPECT_TRUE(fs::is_directory(folder / "sub"));
    EXPECT_TRUE(DM->ServerDirExists(folder.string(), 2));
    WriteFile(file, "データ");
    EXPECT_TRUE(DM->ServerFileOperation("fExist", file.string(), ""));  // any case
    EXPECT_TRUE(DM->ServerFileCopy(file.string(), (folder / "sub" / "コピー.ini").string(), 1));
    EXPECT_TRUE(fs::exists(folder / "sub" / "コピー.ini"));
    EXPECT_EQ(file.string(), DM->LongToShortFileName(file.string(), 1));
    EXPECT_TRUE(DM->ServerFileMove(file.string(), (folder / "moved.ini").string(), 1));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(DM->ServerFileDelete((folder / "moved.ini").string(), 1, false));
    EXPECT_FALSE(DM->ServerFileExists((folder / "moved.ini").string(), 1));
    EXPECT_TRUE(DM->ServerRmDir(folder.string(), 1, false));
    EXPECT_FALSE(fs::exists(folder));

    // An open system database stays open.
    ASSERT_TRUE(DM->fnAccDefConnected("", true));
    EXPECT_FALSE(DM->ServerDirExists(Sys().string() + "/../sys", 1));
    EXPECT_TRUE(DM->IBDatabaseDEF.Connected());
    EXPECT_FALSE(DM->ServerFileOperation("COPY", file.string(), ""));
    EXPECT_FALSE(DM->ServerFileOperation("FCOPY", file.string(), " "));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ServerFilesTest, ServerRefusesEveryPathOutsideTheDataFolders)
{
    UseServer();
    const fs::path outside = folder_ / "outside";
    WriteFile(outside / "secret.txt", "x");
    fs::create_directories(Sys() / "0001");
    fs::create_symlink(outside, Sys() / "0001" / "link");
    fs::create_symlink(outside / "new.txt", Sys() / "0001" / "dangling");
    WriteFile(Sys() / "0001" / "qhacc.fdb", "data");

    const std::string escaped = (Sys() / "0001" / ".." / ".." / "outside" / "secret.txt").string();
    EXPECT_FALSE(DM->ServerFileExists(escaped, 1));
    EXPECT_FALSE(DM->ServerFileExists((outside / "secret.txt").string(), 1));
    EXPECT_FALSE(DM->ServerFileExists("0001/qhacc.fdb", 1)) << "relative paths name nothing";
    EXPECT_FALSE(DM->ServerFileExists((Sys() / "0001" / "link" / "secret.txt").string(), 1));
    EXPECT_FALSE(DM->ServerFileDelete((Sys() / "0001" / "link" / "secret.txt").string(), 1, false));
    EXPECT_FALSE(DM->ServerRmDir((Sys() / "0001" / "link").string(), 1, false));
    EXPECT_FALSE(DM->ServerRmDir(Sys().string(), 1, false));
    EXPECT_FALSE(DM->ServerMkDir((outside / "made").string(), 1));
    EXPECT_FALSE(DM->ServerFileCopy((Sys() / "0001" / "qhacc.fdb").string(), (outside / "copy.fdb").string(), 1));
    EXPECT_FALSE(DM->ServerFileCopy((outside / "secret.txt").string(), (Sys() / "0001" / "in.txt").string(), 1));
    EXPECT_FALSE(
        DM->ServerFileCopy((Sys() / "0001" / "qhacc.fdb").string(), (Sys() / "0001" / "dangling").string(), 1));
    EXPECT_EQ("", DM->LongToShortFileName((outside / "secret.txt").string(), 1));

    EXPECT_TRUE(fs::exists(outside / "secret.txt"));
    EXPECT_FALSE(fs::exists(outside / "made"));
    EXPECT_FALSE(fs::exists(outside / "copy.fdb"));
    EXPECT_FALSE(fs::exists(outside / "new.txt"));
    EXPECT_FALSE(fs::exists(Sys() / "0001" / "in.txt"));
    EXPECT_TRUE(fs::exists(Sys()));

    // The system database is never deleted: a move of it copies, fails to
    // delete and answers false with both files there.
    const fs::path system = Sys() / "qhaccdef.fdb";
    EXPECT_FALSE(DM->ServerFileDelete(system.string(), 1, false));
    EXPECT_FALSE(DM->ServerFileMove(system.string(), (Sys() / "0001" / "saved.fdb").string(), 1));
    EXPECT_TRUE(fs::exists(system));
    EXPECT_TRUE(fs::exists(Sys() / "0001" / "saved.fdb"));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ServerFilesTest, ServerReachesTheDataPlacesBesideTheRootAndNothingElseThere)
{
    UseServer();
    const fs::path place = folder_ / "sys03";
    EXPECT_TRUE(DM->ServerMkDir((place / "0001").string(), 1));
    WriteFile(place / "0001" / "qhacc.fdb", "data");
    EXPECT_TRUE(DM->ServerFileExists((place / "0001" / "qhacc.fdb").string(), 1));
    EXPECT_TRUE(DM->ServerDirExists(place.string(), 1));
    for (const char* name : {"sys00", "sys3", "sysx1", "sys031", "sy03", "other03"}) {
        EXPECT_FALSE(DM->ServerMkDir((folder_ / name / "0001").string(), 1)) << name;
        EXPECT_FALSE(fs::exists(folder_ / name)) << name;
    }
    EXPECT_FALSE(DM->ServerFileExists((place / ".." / "outside.txt").string(), 1));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ServerFilesTest, ServerFailuresAreReported)
{
    ConnectionMode = 1;
    SystemDef.HOSTNAME = "127.0.0.1";
    TestFirebird::Get().StartServer();
    fs::create_directories(Sys());
    {
        db::Database database;
        CreateTestDatabase(database, (Sys() / "qhaccdef.fdb").string());
    }
    // A system database without the procedures.
    EXPECT_FALSE(DM->ServerFileExists((Sys() / "x").string(), 1));
    ASSERT_EQ(1u, presenter.shown.size());
    EXPECT_NE(std::string::npos, presenter.shown[0].Text.find("サーバーへのファイル操作(FEXIST)に失敗しました。"));
    EXPECT_EQ("", DM->ServerLongToShortFileName((Sys() / "x").string()));
    ASSERT_EQ(2u, presenter.shown.size());
    EXPECT_NE(std::string::npos,
              presenter.shown[1].Text.find("サーバーからのファイル名の変換(LongToShort)に失敗しました。"));
    EXPECT_FALSE(DM->IBDatabaseDEF.Connected());
}

}  // namespace
