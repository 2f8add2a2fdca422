#include "foundation/DataModule.h"

#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/HostHooks.h"
#include "foundation/ErrorHandling.h"
#include "platform/ChildProcess.h"
#include "platform/Cp932.h"
#include "platform/DateTime.h"
#include "platform/WindowMessages.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/FirebirdServerFixture.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace dbtest;

namespace {

const std::string kDatConnectFailed =
    "ユーザーデータベースの接続処理に失敗しました。\rDBファイルが削除、破損 または "
    "使用中の可能性がありますので接続パスを確認して下さい。";

std::string ReadUtf8(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return cp932::ToUtf8(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

std::string Single(db::Database& database, const std::string& sql)
{
    db::Transaction transaction(database);
    transaction.Start();
    db::Query query(database, transaction, sql);
    query.Open();
    return query.FieldByName("V").AsString();
}

// "" for the embedded engine, "TCPv4" through a server.
std::string Protocol(db::Database& database)
{
    return Single(database,
                  "SELECT MON$REMOTE_PROTOCOL AS V FROM MON$ATTACHMENTS"
                  " WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION");
}

std::string AttachmentId(db::Database& database)
{
    return Single(database, "SELECT CURRENT_CONNECTION AS V FROM RDB$DATABASE");
}

void CreateDatabase(const fs::path& path, const std::string& script = {})
{
    fs::create_directories(path.parent_path());
    db::Database database;
    dbtest::CreateTestDatabase(database, path.string());
    if (script.empty())
        return;
    db::Transaction transaction(database);
    transaction.Start();
    db::Query(database, transaction, script).ExecSQL();
    transaction.Commit();
}

// The information file, as the data module drives it.
struct FakeFolderState final : IDataFolderState {
    struct Write {
        std::string folder;
        std::string section;
        TDataInfomationRec rec;
    };
    TDataInfomationRec info;
    int reads = 0;
    bool connectedAtRead = false;
    std::vector<Write> writes;

    bool GetDataInfoRec(TDataInfomationRec& rec) override
    {
        ++reads;
        connectedAtRead = DM->IBDatabaseDAT.Connected();
        rec = info;
        return true;
    }
    void WriteDataInfo(const std::string& folder, const std::string& section, const TDataInfomationRec& rec) override
    {
        writes.push_back({folder, section, rec});
    }
};

// Data-list controllers that log their calls and hold one stored row.
struct FakeListAccess final : IDataListAccess {
    std::vector<std::string> calls;
    TDataListRec stored;
    std::vector<TDataListRec> updates;
    bool failRead = false;

    struct Controller final : IDataListController {
        explicit Controller(FakeListAccess& owner) : owner_(owner) {}
        void SetListMode(std::uint8_t mode) override { owner_.calls.push_back("ListMode " + std::to_string(mode)); }
        void SetDataPlace(std::int32_t place) override { owner_.calls.push_back("DataPlace " + std::to_string(place)); }
        void InitDataListRecord(TDataListRec& rec, const std::string& path) override
        {
            owner_.calls.push_back("Init " + path);
            rec = TDataListRec{};
            rec.NENDO = 1;
            rec.PASNAME = path;
        }
        void GetDataListRecord(std::uint8_t kind, TDataListRec& rec, bool showError) override
        {
            owner_.calls.push_back("Get " + std::to_string(kind) + " GASSAN " + std::to_string(rec.GASSAN) +
                                   (showError ? " shown" : ""));
            if (owner_.failRead)
                throw db::FbError(335544569, -204, "Table unknown DATALIST");
            if (rec.PASNAME == owner_.stored.PASNAME)
                rec = owner_.stored;
        }
        bool UpdateDataListRecord(const TDataListRec& rec, std::int32_t withNames, bool showError) override
        {
            owner_.calls.push_back("Update " + std::to_string(withNames) + (showError ? " shown" : ""));
            owner_.updates.push_back(rec);
            return rec.REC != 0;
        }
        FakeListAccess& owner_;
    };

    std::unique_ptr<IDataListController> CreateDataListController() override
    {
        calls.push_back("Create");
        return std::make_unique<Controller>(*this);
    }
};

struct FakeServerFiles final : IServerFiles {
    std::vector<std::pair<std::string, int>> asked;
    bool answer = false;
    bool FileExists(const std::string& path, std::uint8_t mode) override
    {
        asked.emplace_back(path, mode);
        return answer;
    }
};

class DataModuleTest : public FirebirdTest {
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
        SystemDef.DataDir = (folder_ / "data" / "0001").string();
        SystemDef.OPCODE = 10001;
        SystemDef.OPNAME = "山田";
        SystemDef.GROUPID = 1;
        SystemDef.DataCheckSwitch = 1;
        SystemDef.DataPlaceNo = 3;
        ConnectionMode = 0;
        ProgramKind = 0;
        EditionFlag = 0;
        AppTerminating = false;
        InstallCheckHook();
        DM = std::make_unique<TDM>();
    }
    void InstallCheckHook()
    {
        DataCheckHook = [this](const std::string& host, const std::string& folder, std::int32_t mode) {
            checks.push_back(host + "|" + folder + "|" + std::to_string(mode));
            return checkAnswer;
        };
    }
    void TearDown() override
    {
        DM.reset();
        SystemDef = savedSystemDef_;
        ConnectionMode = savedMode_;
        ProgramKind = savedKind_;
        EditionFlag = savedEdition_;
        AppTerminating = false;
        DataCheckHook = nullptr;
        ProcessLauncherHook = nullptr;
    }

    fs::path SysDb() const { return folder_ / "sys" / "qhaccdef.fdb"; }
    fs::path DatDb() const { return folder_ / "data" / "0001" / "qhacc.fdb"; }
    std::string LastError() const { return ReadUtf8(folder_ / "log" / "ErrFbAccess.txt"); }

    RecordingMessagePresenter presenter;
    std::vector<std::string> checks;
    std::int32_t checkAnswer = 0;

private:
    const TSystemDef savedSystemDef_ = SystemDef;
    const std::uint8_t savedMode_ = ConnectionMode;
    const std::uint8_t savedKind_ = ProgramKind;
    const std::uint8_t savedEdition_ = EditionFlag;
};

class DataModuleServerTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        TestFirebird::Get().StartServer();
    }
};

TEST_F(DataModuleTest, StandAloneOpensTheCompanyDatabaseEmbeddedBesideIsql)
{
    CreateDatabase(DatDb(), "CREATE TABLE T (ID INTEGER)");
    SystemDef.HOSTNAME = "dbserver";  // never used in stand-alone mode
    ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
    EXPECT_EQ(DatDb().string(), DM->IBDatabaseDAT.DatabaseName());
    EXPECT_EQ("", Protocol(DM->IBDatabaseDAT));

    DM->IBTransactionDAT.Start();  // held open while the other process works
    DM->IBQACC1.SetSQL("INSERT INTO T VALUES (1)");
    DM->IBQACC1.ExecSQL();
    DM->IBTransactionDAT.Commit();
    const ToolRun run = TestFirebird::Get().Isql(DatDb().string(), "SELECT COUNT(*) FROM T;\n");
    ASSERT_TRUE(run.status.Succeeded()) << run.output;
    EXPECT_NE(std::string::npos, run.output.find('1')) << run.output;
    EXPECT_TRUE(checks.empty());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DataModuleServerTest, ClientServerReachesTheServerAlsoByLoopback)
{
    CreateDatabase(DatDb());
    CreateDatabase(SysDb());
    ConnectionMode = 1;
    for (const std::string host : {"127.0.0.1", "localhost"}) {
        SCOPED_TRACE(host);
        SystemDef.HOSTNAME = host;
        ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
        EXPECT_EQ(host + ":" + DatDb().string(), DM->IBDatabaseDAT.DatabaseName());
        EXPECT_EQ("TCPv4", Protocol(DM->IBDatabaseDAT));
        ASSERT_TRUE(DM->fnAccDefConnected("", true));
        EXPECT_EQ("TCPv4", Protocol(DM->IBDatabaseDEF));
        DM->IBDatabaseDEF.Detach();
    }
    // The server checks the password; the embedded engine would not.
    SystemDef.HOSTNAME = "127.0.0.1";
    SystemDef.PASSWORD = "wrong";
    EXPECT_FALSE(DM->fnAccDatConnected("", "", false));
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
    EXPECT_NE(std::string::npos, LastError().find("Error=TDM.fnAccDatConnected [335544472]")) << LastError();
    EXPECT_TRUE(checks.empty()) << "a login failure is no damage";

    // Server modes never leave the file without a server.
    SystemDef.HOSTNAME.clear();
    SystemDef.PASSWORD = Password;
    EXPECT_FALSE(DM->fnAccDatConnected("", "", false));
    EXPECT_NE(std::string::npos, LastError().find("Error=TDM.fnAccDatConnected [0]")) << LastError();
}

TEST_F(DataModuleServerTest, ClientServerMarksInUseWithoutWritingTheFolderFile)
{
    CreateDatabase(DatDb());
    ConnectionMode = 1;
    SystemDef.HOSTNAME = "127.0.0.1";
    FakeFolderState state;
    DM->DataFolderState = &state;
    ASSERT_TRUE(DM->fnAccDatConnected("", "", true));
    EXPECT_EQ(1, state.reads);
    EXPECT_TRUE(state.writes.empty());
    EXPECT_TRUE(DM->fnAccDatDisConnected("", true, false));
    EXPECT_EQ(2, state.reads);
    EXPECT_TRUE(state.writes.empty());
}

TEST_F(DataModuleServerTest, InConnectionSeesOtherAttachmentsOnly)
{
    TestFirebird::Get().GrantServerAdmin();
    CreateDatabase(DatDb());
    ConnectionMode = 1;
    SystemDef.HOSTNAME = "127.0.0.1";
    const std::string folder = DatDb().parent_path().string();
    ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
    const std::string before = AttachmentId(DM->IBDatabaseDAT);

    EXPECT_TRUE(DM->AccDatInConnection(1, "", folder, true));    // our own counts when kept
    EXPECT_FALSE(DM->AccDatInConnection(1, "", folder, false));  // closed while asking ...
    EXPECT_TRUE(DM->IBDatabaseDAT.Connected());                  // ... and reopened
    EXPECT_NE(before, AttachmentId(DM->IBDatabaseDAT));

    db::Database other;
    other.Attach(db::ConnectionString("127.0.0.1", DatDb().string()), User, Password);
    EXPECT_TRUE(DM->AccDatInConnection(1, "", folder + "/", false));
    EXPECT_FALSE(DM->AccDatInConnection(0, "", folder, false));  // no system database there
    EXPECT_FALSE(DM->AccDatInConnection(1, "", "  ", false));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DataModuleServerTest, DropGoesThroughTheServerForLoopback)
{
    CreateDatabase(DatDb());
    ConnectionMode = 1;
    SystemDef.HOSTNAME = "127.0.0.1";
    SystemDef.PASSWORD = "wrong";
    EXPECT_FALSE(DM->AccDatDropDatabase("", DatDb().parent_path().string()));
    EXPECT_TRUE(fs::exists(DatDb()));
    SystemDef.PASSWORD = Password;
    EXPECT_TRUE(DM->AccDatDropDatabase("", DatDb().parent_path().string()));
    EXPECT_FALSE(fs::exists(DatDb()));
}

TEST_F(DataModuleTest, SystemDatabaseConnectsOnceAndReportsFailures)
{
    // Missing file: reported with the location and message, or thrown.
    EXPECT_THROW(DM->fnAccDefConnected("", false), db::FbError);
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_FALSE(DM->fnAccDefConnected("", true));
    EXPECT_NE(std::string::npos, LastError().find("Error=TDM.fnAccDefConnected [335544344]")) << LastError();
    ASSERT_EQ(1u, presenter.shown.size());
    EXPECT_EQ(0u, presenter.shown[0].Text.find("システムデータベースの接続処理に失敗しました。\r\r[詳細情報]\r"))
        << presenter.shown[0].Text;

    CreateDatabase(SysDb());
    ASSERT_TRUE(DM->fnAccDefConnected("", true));
    const std::string id = AttachmentId(DM->IBDatabaseDEF);
    ConnectionMode = 1;  // would need a server
    EXPECT_TRUE(DM->fnAccDefConnected("elsewhere", true));
    EXPECT_EQ(id, AttachmentId(DM->IBDatabaseDEF));
    EXPECT_EQ(SysDb().string(), DM->IBDatabaseDEF.DatabaseName());
}

TEST_F(DataModuleTest, CompanyConnectFailuresRunTheDataCheckOnlyWhenTheFileMayBeDamaged)
{
    // Missing file: logged, shown, no data check.
    EXPECT_FALSE(DM->fnAccDatConnected("", "", false));
    EXPECT_NE(std::string::npos, LastError().find("Error=TDM.fnAccDatConnected [335544344]")) << LastError();
    ASSERT_EQ(1u, presenter.shown.size());
    EXPECT_EQ(0u, presenter.shown[0].Text.find(kDatConnectFailed));
    EXPECT_TRUE(checks.empty());

    // A file that is no database: the check runs with the host and folder.
    fs::create_directories(DatDb().parent_path());
    std::ofstream(DatDb(), std::ios::binary) << std::string(40000, 'x');
    SystemDef.HOSTNAME = "host";
    EXPECT_FALSE(DM->fnAccDatConnected("", "", false));
    ASSERT_EQ(1u, checks.size());
    EXPECT_EQ("host|" + DatDb().parent_path().string() + "|1", checks[0]);

    // The switch off: no check.
    SystemDef.DataCheckSwitch = 0;
    EXPECT_FALSE(DM->fnAccDatConnected("", "", false));
    EXPECT_EQ(1u, checks.size());
}

TEST_F(DataModuleTest, DamageOnlyForErrorsThatCanBeDamage)
{
    struct Case {
        std::int32_t code;
        bool damage;
    };
    const Case cases[] = {{335544344, false}, {335544472, false}, {335544345, false}, {335544375, false},
                          {335544721, false}, {335544528, false}, {0, false},         {335544323, true},
                          {335544335, true},  {335544569, true}};
    for (const Case& c : cases)
        EXPECT_EQ(c.damage, TDM::MayBeDataDamage(db::FbError(c.code, -902, "x"))) << c.code;
}

TEST_F(DataModuleTest, CompanyDatabaseNameReachesTheErrorLog)
{
    CreateDatabase(DatDb());
    ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
    HandleIBError(db::FbError(335544569, -204, "Table unknown"), "TDM.Test", "");
    EXPECT_NE(std::string::npos, LastError().find("DBName=:" + DatDb().string())) << LastError();
}

TEST_F(DataModuleTest, StandAloneMarksTheFolderInUseAndFree)
{
    CreateDatabase(DatDb());
    FakeFolderState state;
    state.info.SHOUGOU = "㈱テスト";
    DM->DataFolderState = &state;
    const std::string folder = DatDb().parent_path().string();

    ASSERT_TRUE(DM->fnAccDatConnected("", folder, true));
    EXPECT_TRUE(state.connectedAtRead);
    ASSERT_EQ(1u, state.writes.size());
    EXPECT_EQ(folder, state.writes[0].folder);
    EXPECT_EQ("", state.writes[0].section);
    EXPECT_EQ(DataStatusInUse, state.writes[0].rec.STATUS);
    EXPECT_EQ(10001, state.writes[0].rec.OPCODE);
    EXPECT_EQ("山田", state.writes[0].rec.OPERATOR);
    EXPECT_EQ("㈱テスト", state.writes[0].rec.SHOUGOU);

    state.connectedAtRead = false;
    ASSERT_TRUE(DM->fnAccDatDisConnected(folder, true, false));
    EXPECT_TRUE(state.connectedAtRead);
    ASSERT_EQ(2u, state.writes.size());
    EXPECT_EQ(DataStatusFree, state.writes[1].rec.STATUS);
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
}

TEST_F(DataModuleTest, DisconnectRefreshesWhatItIsAskedFor)
{
    CreateDatabase(DatDb());
    struct Case {
        const char* name;
        std::uint8_t mode;
        std::uint8_t programKind;
        bool info;
        bool list;
        int reads;
        bool written;
        bool listed;
    };
    const Case cases[] = {
        {"nothing", 0, 0, false, false, 0, false, false},
        {"info, stand-alone", 0, 0, true, false, 1, true, false},
        {"info, client/server", 1, 0, true, false, 1, false, false},
        {"list, server-based", 2, 0, false, true, 1, false, true},
        {"list, program kind 1", 0, 1, false, true, 0, false, false},
        {"both, stand-alone", 0, 0, true, true, 1, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFolderState state;
        FakeListAccess list;
        DM->DataFolderState = &state;
        DM->DataListAccess = &list;
        ConnectionMode = 0;
        ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
        ConnectionMode = c.mode;
        ProgramKind = c.programKind;
        EXPECT_TRUE(DM->fnAccDatDisConnected("", c.info, c.list));
        EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
        EXPECT_EQ(c.reads, state.reads);
        EXPECT_EQ(c.written ? 1u : 0u, state.writes.size());
        EXPECT_EQ(c.listed ? 1u : 0u, list.updates.size());
    }
    // Without the information file's collaborator there is nothing to
    // refresh the row from, so the row is left alone.
    FakeListAccess list;
    DM->DataFolderState = nullptr;
    DM->DataListAccess = &list;
    ProgramKind = 0;
    EXPECT_TRUE(DM->fnAccDatDisConnected("", true, true));
    EXPECT_TRUE(list.calls.empty());
}

TEST_F(DataModuleTest, DisconnectWritesTheInformationIntoTheDataListRow)
{
    FakeFolderState state;
    state.info.CODE = "D01";
    state.info.DATALISTNAME = "from the file";
    state.info.SHOUGOU = "㈱テスト";
    state.info.NENDO = 12;
    state.info.KISHU = "2024/04/01";
    state.info.KIMATU = "not a date";
    state.info.DATAKBN = 3;
    state.info.CODEKBN = 1;
    state.info.TANTO = 5;
    state.info.VERSION1 = {12, 0, 3};
    state.info.VERSION2 = "R6";
    state.info.GASSANKBN = 2;
    state.info.CLOUD_SHARE = 1;
    FakeListAccess list;
    const std::string folder = "/srv/data/0007";
    list.stored.REC = 7;
    list.stored.PASNAME = folder;
    list.stored.ENTTEXT = "会社の名前";
    list.stored.YOBI1 = "kept";
    list.stored.DATA_STATUS = 1;
    list.stored.GROUPID = 99;
    DM->DataFolderState = &state;
    DM->DataListAccess = &list;
    ConnectionMode = 1;

    ASSERT_TRUE(DM->fnAccDatDisConnected(folder, false, true));
    const std::vector<std::string> expected = {"Create",         "ListMode 1",           "DataPlace 3",
                                               "Init " + folder, "Get 1 GASSAN 2 shown", "Update 0 shown"};
    EXPECT_EQ(expected, list.calls);
    ASSERT_EQ(1u, list.updates.size());
    const TDataListRec& row = list.updates[0];
    EXPECT_EQ(7, row.REC);
    EXPECT_EQ(1, row.GROUPID);
    EXPECT_EQ("会社の名前", row.ENTTEXT);
    EXPECT_EQ("D01", row.DATACODE);
    EXPECT_EQ("㈱テスト", row.SHOUGOU);
    EXPECT_EQ(12, row.NENDO);
    EXPECT_EQ(EncodeDate(2024, 4, 1), row.KISHU);
    EXPECT_EQ(0, row.KIMATU);
    EXPECT_EQ(3, row.DATATYPE);
    EXPECT_EQ(1, row.CODETYPE);
    EXPECT_EQ(5, row.TANTOU);
    EXPECT_EQ(12, row.VER_MAJOR);
    EXPECT_EQ(0, row.VER_MINOR1);
    EXPECT_EQ(3, row.VER_MINOR2);
    EXPECT_EQ("R6", row.VER_TEXT);
    EXPECT_EQ(2, row.GASSAN);
    EXPECT_EQ(1, row.CLOUD);
    EXPECT_EQ("kept", row.YOBI1);
    EXPECT_EQ(1, row.DATA_STATUS);
}

TEST_F(DataModuleTest, RefreshErrorsReachTheCallerAndKeepTheDatabaseOpen)
{
    CreateDatabase(DatDb());
    FakeFolderState state;
    FakeListAccess list;
    list.failRead = true;
    DM->DataFolderState = &state;
    DM->DataListAccess = &list;
    ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
    EXPECT_THROW(DM->fnAccDatDisConnected("", false, true), db::FbError);
    EXPECT_TRUE(DM->IBDatabaseDAT.Connected());
}

TEST_F(DataModuleTest, DropDeletesTheFile)
{
    CreateDatabase(DatDb());
    EXPECT_FALSE(DM->AccDatDropDatabase("", ""));
    EXPECT_TRUE(DM->AccDatDropDatabase("", DatDb().parent_path().string()));
    EXPECT_FALSE(fs::exists(DatDb()));
    EXPECT_FALSE(DM->AccDatDropDatabase("", DatDb().parent_path().string()));
    EXPECT_NE(std::string::npos, LastError().find("Error=TDM.AccDatDropDatabase [335544344]")) << LastError();
    ASSERT_EQ(1u, presenter.shown.size());
    EXPECT_EQ(
        0u, presenter.shown[0].Text.find("ユーザーデータベースの削除処理に失敗しました。\r接続パスを確認して下さい。"));
}

TEST_F(DataModuleTest, FileManagerConnectsSilentlyWhenItsFileExists)
{
    EXPECT_FALSE(DM->fnFileManConnected(""));
    CreateDatabase(folder_ / "sys" / "qhfileman.fdb");
    EXPECT_TRUE(DM->fnFileManConnected(""));
    EXPECT_TRUE(DM->IBFileMan.Connected());
    DM->IBFileMan.Detach();

    // On the server the file is looked for there.
    FakeServerFiles files;
    DM->ServerFiles = &files;
    ConnectionMode = 1;
    SystemDef.HOSTNAME = "127.0.0.1";
    EXPECT_FALSE(DM->fnFileManConnected(""));
    ASSERT_EQ(1u, files.asked.size());
    EXPECT_EQ((folder_ / "sys" / "qhfileman.fdb").string(), files.asked[0].first);
    EXPECT_EQ(1, files.asked[0].second);
    ConnectionMode = 3;
    EXPECT_FALSE(DM->fnFileManConnected(""));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DataModuleTest, DataCheckEventFollowsTheSwitchAndTheHook)
{
    struct Case {
        const char* name;
        bool hook;
        std::int32_t sw;
        bool force;
        std::int32_t result;
        bool called;
    };
    const Case cases[] = {
        {"no hook, forced", false, 1, true, 1, false},
        {"switch off", true, 0, false, 1, false},
        {"switch on", true, 1, false, 0, true},
        {"switch off, forced", true, 0, true, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        checks.clear();
        if (c.hook)
            InstallCheckHook();
        else
            DataCheckHook = nullptr;
        SystemDef.DataCheckSwitch = c.sw;
        EXPECT_EQ(c.result, DM->CallDataCheckEvent("h", "/d", 2, c.force));
        EXPECT_EQ(c.called ? std::vector<std::string>{"h|/d|2"} : std::vector<std::string>{}, checks);
    }
}

TEST_F(DataModuleTest, CloudShareMode)
{
    struct Case {
        std::uint8_t edition, kind, mode;
        bool plain, strict;
    };
    const Case cases[] = {{0, 0, 0, true, true},  {0, 0, 1, true, true},   {0, 0, 2, false, false},
                          {0, 2, 0, true, false}, {0, 1, 0, false, false}, {1, 0, 0, false, false}};
    for (const Case& c : cases) {
        EditionFlag = c.edition;
        ProgramKind = c.kind;
        ConnectionMode = c.mode;
        EXPECT_EQ(c.plain, TDM::IsCloudShareMode(false)) << int(c.edition) << int(c.kind) << int(c.mode);
        EXPECT_EQ(c.strict, TDM::IsCloudShareMode(true)) << int(c.edition) << int(c.kind) << int(c.mode);
    }
}

TEST_F(DataModuleTest, ParamValue)
{
    const std::string lines = "FormStyle=2\r\nPath=/a=b\nname=\rpath=second\rNoValue";
    EXPECT_EQ("2", TDM::GetParamValue(lines, "formstyle"));
    EXPECT_EQ("/a=b", TDM::GetParamValue(lines, "PATH"));  // first match, text after the first "="
    EXPECT_EQ("", TDM::GetParamValue(lines, "NAME"));
    EXPECT_EQ("", TDM::GetParamValue(lines, "NoValue"));
    EXPECT_EQ("", TDM::GetParamValue(lines, "Path "));
    EXPECT_EQ("", TDM::GetParamValue("", "x"));
}

TEST_F(DataModuleTest, FormCloseTimerPostsCloseToTheTaggedWindow)
{
    platform::WindowMessageListener window;
    std::vector<bool> changes;
    DM->TimerFormClose.OnEnabledChanged = [&changes](bool enabled) { changes.push_back(enabled); };
    DM->TimerFormClose.Tag = window.Handle();
    DM->TimerFormClose.SetEnabled(true);
    DM->TimerFormCloseTimer();
    EXPECT_FALSE(DM->TimerFormClose.Enabled());
    EXPECT_EQ(0u, DM->TimerFormClose.Tag);
    EXPECT_EQ((std::vector<bool>{true, false}), changes);
    const auto event = window.Receive(std::chrono::milliseconds(0));
    ASSERT_TRUE(event);
    EXPECT_EQ((platform::WindowEvent{platform::WindowEventKind::Posted, platform::WM_CLOSE, 0, 0}), *event);

    DM->TimerFormCloseTimer();  // no tag: nothing posted
    EXPECT_FALSE(window.Receive(std::chrono::milliseconds(0)));
}

TEST_F(DataModuleTest, ProcessTimerStartsTheDeferredProcessOnce)
{
    std::vector<std::string> started;
    ProcessLauncherHook = [&started](const std::string& name, std::int32_t mode, const std::string& lines) {
        started.push_back(name + "|" + std::to_string(mode) + "|" + lines);
        return -1;
    };
    DM->SetDeferredProcess("TfmWebMenu", 1, "A=1\r\nB=2");
    DM->TimerSyoriKidou.SetEnabled(true);
    DM->TimerSyoriKidouTimer();
    EXPECT_FALSE(DM->TimerSyoriKidou.Enabled());
    EXPECT_EQ(std::vector<std::string>{"TfmWebMenu|1|A=1\r\nB=2"}, started);
    EXPECT_EQ("", DM->DeferredProcessName());
    EXPECT_EQ(0, DM->DeferredProcessMode());
    EXPECT_EQ("", DM->DeferredParamLines());

    ProcessLauncherHook = nullptr;
    DM->SetDeferredProcess("X", 2, "");
    DM->TimerSyoriKidouTimer();
    EXPECT_EQ("", DM->DeferredProcessName());
}

}  // namespace

namespace {

TEST_F(DataModuleTest, InConnectionStandAloneSeesOtherProcesses)
{
    CreateDatabase(DatDb(), "CREATE TABLE T (ID INTEGER)");
    const std::string folder = DatDb().parent_path().string();
    EXPECT_FALSE(DM->AccDatInConnection(0, "", folder, false));  // no such file
    ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
    EXPECT_TRUE(DM->AccDatInConnection(1, "", folder, true));
    EXPECT_FALSE(DM->AccDatInConnection(1, "", folder, false));
    EXPECT_TRUE(DM->IBDatabaseDAT.Connected());

    // Another process: isql-fb attaches and then waits in a shell command
    // until the test writes into a pipe.
    const fs::path pipe = folder_ / "go";
    ASSERT_EQ(0, ::mkfifo(pipe.c_str(), 0600));
    const fs::path script = folder_ / "wait.sql";
    std::ofstream(script) << "SELECT COUNT(*) FROM T;\nSHELL cat " << pipe.string() << ";\n";
    proc::ChildOptions options;
    options.stdoutTarget = proc::OutputTarget::Discard();
    options.stderrTarget = proc::OutputTarget::Discard();
    SetTestLogin(options);
    proc::ChildProcess isql({"isql-fb", "-q", "-i", script.string(), DatDb().string()}, options);
    isql.Start();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool seen = false;
    while (!seen && isql.Running() && std::chrono::steady_clock::now() < deadline) {
        // Ours and isql-fb's make two.
        seen = Single(DM->IBDatabaseDAT, "SELECT COUNT(*) AS V FROM MON$ATTACHMENTS WHERE MON$SYSTEM_FLAG = 0") == "2";
    }
    ASSERT_TRUE(seen);
    EXPECT_TRUE(DM->AccDatInConnection(1, "", folder, false));
    EXPECT_TRUE(DM->IBDatabaseDAT.Connected());
    // Opening the pipe for writing succeeds once cat has it open to read.
    int fd = -1;
    while (fd < 0 && isql.Running() && std::chrono::steady_clock::now() < deadline)
        fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const auto status = isql.WaitFor(std::chrono::seconds(60));
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->Succeeded());
    EXPECT_FALSE(DM->AccDatInConnection(1, "", folder, false));
    EXPECT_TRUE(presenter.shown.empty()) << (presenter.shown.empty() ? "" : presenter.shown[0].Text);
}

}  // namespace
