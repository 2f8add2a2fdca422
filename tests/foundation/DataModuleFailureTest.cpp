// The data module under bad input and faults: a wrong password, a missing
// file, a database shut down by its administrator and a server that goes
// away. Each must give the user the connect's own message and leave the
// program able to go on, except the lost server, which ends it in order.

#include "foundation/DataModule.h"

#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/HostHooks.h"
#include "foundation/ErrorHandling.h"
#include "platform/Cp932.h"
#include "platform/db/FirebirdServerFixture.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace dbtest;

namespace {

const std::string kDefConnectFailed = "システムデータベースの接続処理に失敗しました。";
const std::string kDatConnectFailed =
    "ユーザーデータベースの接続処理に失敗しました。\rDBファイルが削除、破損 または "
    "使用中の可能性がありますので接続パスを確認して下さい。";
const std::string kNetworkLost =
    "何らかの原因でネットワークが物理的に切断されている か Firebirdサービス(RDBMS)との通信が切断されました。"
    "\r\r[OK]ボタンを押すとアプリケーションの終了処理に入ります。（[OK]後、何回かメッセージが表示される場合があります）\r"
    "アプリケーションが終了しましたら再起動して下さい。\r";

constexpr std::int32_t kIoError = 335544344;
constexpr std::int32_t kLoginFailed = 335544472;
constexpr std::int32_t kShutDown = 335544528;

enum class Kind { System, Company };

const char* Name(Kind kind)
{
    return kind == Kind::System ? "system" : "company";
}

std::string ReadUtf8(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return cp932::ToUtf8(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

void CreateDatabase(const fs::path& path)
{
    fs::create_directories(path.parent_path());
    db::Database database;
    dbtest::CreateTestDatabase(database, path.string());
}

// A real round trip to the engine.
void Touch(db::Query& query)
{
    query.SetSQL("SELECT 1 AS V FROM RDB$DATABASE");
    query.Open();
    query.Close();
}

class DataModuleFailureTest : public FirebirdTest {
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
        SystemDef.DataCheckSwitch = 1;
        ConnectionMode = 0;
        AppTerminating = false;
        DataCheckHook = [this](const std::string& host, const std::string& folder, std::int32_t mode) {
            checks.push_back(host + "|" + folder + "|" + std::to_string(mode));
            return 0;
        };
        QuitApplicationHook = [this] { ++quitCalls; };
        DM = std::make_unique<TDM>();
    }
    void TearDown() override
    {
        DM.reset();
        SystemDef = savedSystemDef_;
        ConnectionMode = savedMode_;
        AppTerminating = false;
        DataCheckHook = nullptr;
        QuitApplicationHook = nullptr;
    }

    // Through the private server over loopback.
    void UseServer()
    {
        TestFirebird::Get().StartServer();
        ConnectionMode = 1;
        SystemDef.HOSTNAME = "127.0.0.1";
    }

    fs::path DbFile(Kind kind) const
    {
        return kind == Kind::System ? folder_ / "sys" / "qhaccdef.fdb" : folder_ / "data" / "0001" / "qhacc.fdb";
    }
    bool Connect(Kind kind)
    {
        return kind == Kind::System ? DM->fnAccDefConnected("", true) : DM->fnAccDatConnected("", "", false);
    }
    db::Database& Database(Kind kind) { return kind == Kind::System ? DM->IBDatabaseDEF : DM->IBDatabaseDAT; }
    db::Query& AnyQuery(Kind kind) { return kind == Kind::System ? DM->QueryDef : DM->IBQACC1; }
    static const std::string& Message(Kind kind)
    {
        return kind == Kind::System ? kDefConnectFailed : kDatConnectFailed;
    }
    static std::string Location(Kind kind)
    {
        return kind == Kind::System ? "TDM.fnAccDefConnected" : "TDM.fnAccDatConnected";
    }

    std::string LastError() const { return ReadUtf8(folder_ / "log" / "ErrFbAccess.txt"); }
    std::string Log() const { return ReadUtf8(folder_ / "log" / "ErrFbAccess.log"); }

    // A failed connect that the program survives: logged with the code,
    // shown once with the connect's message and the code in the details, no
    // data check, no end of the program.
    void ExpectReportedFailure(Kind kind, std::int32_t code)
    {
        EXPECT_FALSE(Database(kind).Connected());
        EXPECT_NE(std::string::npos, LastError().find("Error=" + Location(kind) + " [" + std::to_string(code) + "]"))
            << LastError();
        ASSERT_EQ(1u, presenter.shown.size());
        EXPECT_EQ(TMsgDlgType::mtError, presenter.shown[0].Type);
        EXPECT_EQ(0u, presenter.shown[0].Text.find(Message(kind) +
                                                   "\r\r[詳細情報]\rIBXエラーコード:" + std::to_string(code) + "\r"))
            << presenter.shown[0].Text;
        EXPECT_TRUE(checks.empty()) << "no damage: " << checks.front();
        EXPECT_FALSE(AppTerminating);
        EXPECT_EQ(0, quitCalls);
    }

    RecordingMessagePresenter presenter;
    std::vector<std::string> checks;
    int quitCalls = 0;

private:
    const TSystemDef savedSystemDef_ = SystemDef;
    const std::uint8_t savedMode_ = ConnectionMode;
};

TEST_F(DataModuleFailureTest, WrongPasswordIsReportedAndTheRightOneThenConnects)
{
    // The embedded engine checks no password: only the server can refuse it.
    for (const Kind kind : {Kind::System, Kind::Company}) {
        SCOPED_TRACE(Name(kind));
        presenter.shown.clear();
        CreateDatabase(DbFile(kind));
        UseServer();
        SystemDef.PASSWORD = "wrong";
        EXPECT_FALSE(Connect(kind));
        ExpectReportedFailure(kind, kLoginFailed);

        SystemDef.PASSWORD = Password;
        ASSERT_TRUE(Connect(kind));
        Touch(AnyQuery(kind));
        EXPECT_EQ(1u, presenter.shown.size());
    }
}

TEST_F(DataModuleFailureTest, MissingFileIsReportedAndAnExistingOneThenConnects)
{
    struct Case {
        Kind kind;
        bool server;
    };
    for (const Case c :
         {Case{Kind::System, false}, Case{Kind::Company, false}, Case{Kind::System, true}, Case{Kind::Company, true}}) {
        SCOPED_TRACE(std::string(Name(c.kind)) + (c.server ? ", server" : ", stand-alone"));
        presenter.shown.clear();
        Database(c.kind).Detach();
        std::error_code ignored;
        fs::remove(DbFile(c.kind), ignored);
        if (c.server)
            UseServer();
        EXPECT_FALSE(Connect(c.kind));
        ExpectReportedFailure(c.kind, kIoError);

        CreateDatabase(DbFile(c.kind));
        ASSERT_TRUE(Connect(c.kind));
        Touch(AnyQuery(c.kind));
    }
}

TEST_F(DataModuleFailureTest, ShutDownDatabaseIsReportedWithoutDataCheckAndConnectsOnceOnline)
{
    for (const bool server : {false, true}) {
        for (const Kind kind : {Kind::System, Kind::Company}) {
            SCOPED_TRACE(std::string(Name(kind)) + (server ? ", server" : ", stand-alone"));
            presenter.shown.clear();
            Database(kind).Detach();
            std::error_code ignored;
            fs::remove(DbFile(kind), ignored);
            CreateDatabase(DbFile(kind));
            if (server)
                UseServer();
            const std::string file = DbFile(kind).string();
            const ToolRun shut = TestFirebird::Get().Tool({"gfix", "-shut", "full", "-force", "0", file}, true);
            ASSERT_TRUE(shut.status.Succeeded()) << shut.output;

            EXPECT_FALSE(Connect(kind));
            ExpectReportedFailure(kind, kShutDown);

            const ToolRun online = TestFirebird::Get().Tool({"gfix", "-online", file}, true);
            ASSERT_TRUE(online.status.Succeeded()) << online.output;
            ASSERT_TRUE(Connect(kind));
            Touch(AnyQuery(kind));
        }
    }
}

// Where the program first meets the lost server.
enum class LostAt { CompanyQuery, SystemQuery, CompanyConnect };

const char* Name(LostAt at)
{
    switch (at) {
    case LostAt::CompanyQuery:
        return "company query";
    case LostAt::SystemQuery:
        return "system query";
    case LostAt::CompanyConnect:
        return "company connect";
    }
    return "?";
}

// Runs a query as the program's operations do: the database error is caught
// and handed to the error handler with the operation's own message.
std::int32_t QueryAsCaller(db::Query& query, const std::string& location)
{
    try {
        Touch(query);
    } catch (const db::FbError& error) {
        HandleIBError(error, location, "読込に失敗しました。");
        return error.IBErrorCode();
    }
    ADD_FAILURE() << location << " ran without the server";
    return 0;
}

std::size_t Count(const std::vector<TUserMessage>& shown, const std::string& text)
{
    std::size_t count = 0;
    for (const TUserMessage& message : shown)
        count += message.Text == text ? 1 : 0;
    return count;
}

TEST_F(DataModuleFailureTest, LostServerEndsTheProgramOnceAndClosesInOrder)
{
    for (const LostAt at : {LostAt::CompanyQuery, LostAt::SystemQuery, LostAt::CompanyConnect}) {
        SCOPED_TRACE(Name(at));
        presenter.shown.clear();
        checks.clear();
        quitCalls = 0;
        AppTerminating = false;
        std::error_code ignored;
        fs::remove(folder_ / "log" / "ErrFbAccess.log", ignored);
        DM.reset();
        DM = std::make_unique<TDM>();
        if (!fs::exists(DbFile(Kind::System))) {
            CreateDatabase(DbFile(Kind::System));
            CreateDatabase(DbFile(Kind::Company));
        }
        UseServer();
        ASSERT_TRUE(DM->fnAccDefConnected("", true));
        ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
        Touch(DM->IBQACC1);
        Touch(DM->IBQSysDefGet);

        TestFirebird::Get().StopServer();

        // Firebird 3 reports the loss on an open attachment as a read or
        // write error of the connection; only a new attach says that the
        // network request failed.
        switch (at) {
        case LostAt::CompanyQuery:
        case LostAt::SystemQuery: {
            const std::int32_t code = at == LostAt::CompanyQuery ? QueryAsCaller(DM->IBQACC1, "TDM.IBQACC1")
                                                                 : QueryAsCaller(DM->IBQSysDefGet, "TDM.IBQSysDefGet");
            EXPECT_TRUE(code == 335544726 || code == 335544727 || code == IBErrorNetworkLost) << code;
            EXPECT_NE(std::string::npos, Log().find(" [" + std::to_string(code) + "] (-902) ")) << Log();
            // The first failed query already ends the program.
            EXPECT_TRUE(AppTerminating);
            EXPECT_FALSE(DM->fnAccDatConnected("", "", false));
            break;
        }
        case LostAt::CompanyConnect:
            EXPECT_FALSE(DM->fnAccDatConnected("", "", false));
            EXPECT_NE(std::string::npos, LastError().find("Error=TDM.fnAccDatConnected [335544721] (-902) "))
                << LastError();
            break;
        }
        EXPECT_TRUE(AppTerminating);
        EXPECT_EQ(1, quitCalls);
        ASSERT_FALSE(presenter.shown.empty());
        EXPECT_EQ(1u, Count(presenter.shown, kNetworkLost));
        EXPECT_EQ(kNetworkLost, presenter.shown.back().Text);
        EXPECT_EQ(TMsgDlgType::mtError, presenter.shown.back().Type);
        EXPECT_TRUE(checks.empty()) << "a lost server is no damage: " << checks.front();

        // The cascade that follows neither logs nor shows nor asks again.
        const std::string log = Log();
        const std::size_t shown = presenter.shown.size();
        QueryAsCaller(DM->IBQACC2, "TDM.IBQACC2");
        QueryAsCaller(DM->QueryDef, "TDM.QueryDef");
        EXPECT_FALSE(DM->fnAccDatConnected("", "", false));
        EXPECT_EQ(log, Log());
        EXPECT_EQ(shown, presenter.shown.size());
        EXPECT_EQ(1, quitCalls);
        EXPECT_TRUE(checks.empty());

        // The shut-down path: the company database closed with no transaction
        // left behind, the module freed.
        EXPECT_NO_THROW(EXPECT_TRUE(DM->fnAccDatDisConnected("", false, false)));
        EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
        EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
        EXPECT_NO_THROW(DM.reset());
    }
}

TEST(DataModuleFailureDamage, ConnectionErrorsAreNoDamage)
{
    // The codes a dead server gives: on a new attach, and on an open one
    // (reading, writing).
    for (const std::int32_t code : {335544721, 335544726, 335544727})
        EXPECT_FALSE(TDM::MayBeDataDamage(db::FbError(code, -902, "connection lost"))) << code;
}

}  // namespace
