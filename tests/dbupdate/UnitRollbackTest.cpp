#include "dbupdate/UnitRollback.h"

#include "CompanyUpdateTestSupport.h"
#include "SchemaTestSupport.h"
#include "UpdateTestSupport.h"

#include "dbupdate/AccountingUpdates.h"
#include "foundation/DataModule.h"
#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace updtest;

// The copies the guard left in the work folder.
std::vector<std::string> LeftCopies()
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(SystemDef.TempDir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(UnitCopyPrefix, 0) == 0)
            names.push_back(name);
    }
    return names;
}

// Everything a half-run unit could have changed: the user tables' columns,
// the procedures and triggers with their sources and states, the
// exceptions, and the version row.
std::vector<std::string> DatabaseShape(const std::string& path)
{
    schematest::Session session(path);
    return session.Lines(
        "SELECT 'C ' || TRIM(RDB$RELATION_NAME) || '.' || TRIM(RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS "
        "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
        "UNION ALL SELECT 'P ' || TRIM(RDB$PROCEDURE_NAME) || ' ' || HASH(RDB$PROCEDURE_SOURCE) FROM RDB$PROCEDURES "
        "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
        "UNION ALL SELECT 'T ' || TRIM(RDB$TRIGGER_NAME) || ' ' || COALESCE(RDB$TRIGGER_INACTIVE, 0) || ' ' || "
        "HASH(RDB$TRIGGER_SOURCE) FROM RDB$TRIGGERS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
        "UNION ALL SELECT 'E ' || TRIM(RDB$EXCEPTION_NAME) FROM RDB$EXCEPTIONS "
        "UNION ALL SELECT 'V ' || MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1 "
        "ORDER BY 1");
}

std::string AccVersion(const std::string& path)
{
    return schematest::Session(path).Line("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC=1");
}

// Each statement in a transaction of its own: a trigger must see the
// exception it raises.
void ExecEach(const std::string& path, const std::vector<std::string>& statements)
{
    for (const std::string& sql : statements)
        schematest::Session(path).Exec(sql);
}

TDbUpdateListRec AccountingRow(const std::string& version)
{
    for (TDbUpdateListRec& rec : GetAccountingUpdateList())
        if (std::to_string(rec.Major) + "." + std::to_string(rec.Minor1) + "." + std::to_string(rec.Minor2) == version)
            return rec;
    throw std::invalid_argument("no accounting update " + version);
}

// ---------------------------------------------------------------------------
// Real units stopped half-way by an obstacle, then rerun without it

struct ObstacleCase {
    const char* name;
    const char* masterVersion;  // the company data the unit starts from
    const char* unitVersion;
    std::vector<std::string> place;   // puts the obstacle into the database
    std::vector<std::string> remove;  // takes it away again
    bool server;                      // the database reached through the server on 127.0.0.1
};

void PrintTo(const ObstacleCase& c, std::ostream* os)
{
    *os << c.name;
}

class UnitObstacleTest : public UpdateDbTest, public ::testing::WithParamInterface<ObstacleCase> {};

TEST_P(UnitObstacleTest, AFailedUnitLeavesTheDatabaseAsItFoundItAndARerunSucceeds)
{
    const ObstacleCase& c = GetParam();
    const std::string database =
        companytest::CopyCompanyMaster(companytest::CompanyMaster(c.masterVersion), SystemDef.DataDir);
    SystemDef.SqlDir = LEDRIX_SQL_DIR;
    if (c.server) {
        dbtest::TestFirebird::Get().StartServer();
        SystemDef.HOSTNAME = "127.0.0.1";
    }
    ExecEach(database, c.place);
    const std::vector<std::string> before = DatabaseShape(database);
    const TDbUpdateListRec unit = AccountingRow(c.unitVersion);

    EXPECT_EQ(unit.UpdateFunc(), UpdateResultScriptError);
    EXPECT_EQ(DatabaseShape(database), before);
    EXPECT_TRUE(LeftCopies().empty());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text, std::string("Ver ") + c.unitVersion + "のデータベース更新に失敗しました。");

    ExecEach(database, c.remove);
    EXPECT_EQ(unit.UpdateFunc(), UpdateResultOk);
    EXPECT_EQ(AccVersion(database), c.unitVersion);
    EXPECT_TRUE(LeftCopies().empty());
    EXPECT_EQ(messages_.shown.size(), 1u);
}

// 0.1.1 drops the old fixed-asset tables and journal triggers and creates
// new ones before it reaches the procedure; 0.3.1 has added its column when
// its update meets the trigger.
INSTANTIATE_TEST_SUITE_P(
    RealUnits, UnitObstacleTest,
    ::testing::Values(
        ObstacleCase{"ProcedureThatAlreadyExists",
                     "0.1.0",
                     "0.1.1",
                     {"CREATE PROCEDURE SP_KS_SISAN_SYUFUKU_HAIBUNRITU AS BEGIN EXIT; END"},
                     {"DROP PROCEDURE SP_KS_SISAN_SYUFUKU_HAIBUNRITU"},
                     false},
        ObstacleCase{"TriggerRaisingOnTheUnitsUpdate",
                     "0.3.0",
                     "0.3.1",
                     {"CREATE EXCEPTION E_BLOCKED 'blocked'",
                      "CREATE TRIGGER BLOCK_ACCDEF1 FOR ACCDEF1 BEFORE UPDATE AS BEGIN EXCEPTION E_BLOCKED; END"},
                     {"DROP TRIGGER BLOCK_ACCDEF1", "DROP EXCEPTION E_BLOCKED"},
                     false},
        ObstacleCase{"TriggerRaisingOnTheUnitsUpdateThroughTheServer",
                     "0.3.0",
                     "0.3.1",
                     {"CREATE EXCEPTION E_BLOCKED 'blocked'",
                      "CREATE TRIGGER BLOCK_ACCDEF1 FOR ACCDEF1 BEFORE UPDATE AS BEGIN EXCEPTION E_BLOCKED; END"},
                     {"DROP TRIGGER BLOCK_ACCDEF1", "DROP EXCEPTION E_BLOCKED"},
                     true}),
    [](const ::testing::TestParamInfo<ObstacleCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The guard itself, on a small database

class UnitGuardTest : public UpdateDbTest {
protected:
    void SetUp() override
    {
        UpdateDbTest::SetUp();
        CreateDatabase(CompanyDbPath(), {"CREATE TABLE T (A INTEGER)"});
    }
    void Insert(int value)
    {
        schematest::Session(CompanyDbPath()).Exec("INSERT INTO T VALUES(" + std::to_string(value) + ")");
    }
    std::string Rows() { return schematest::Session(CompanyDbPath()).Line("SELECT LIST(A, ',') FROM T"); }

    // A unit of the company database whose work is the function.
    std::int32_t Guarded(const std::function<std::int32_t()>& work)
    {
        return RunGuardedUnit(TUpdateTarget::CompanyDatabase, "1.2.3", work);
    }
};

TEST_F(UnitGuardTest, ThePrivateCopyGoesAfterSuccessAndComesBackAfterAFailureOrAnError)
{
    EXPECT_EQ(Guarded([&] {
                  // One copy, nested guards included, readable by this user only.
                  EXPECT_EQ(Guarded([] { return 1; }), 1);
                  const std::vector<std::string> copies = LeftCopies();
                  EXPECT_EQ(copies.size(), 1u);
                  for (const std::string& name : copies) {
                      struct stat st {};
                      EXPECT_EQ(::stat((fs::path(SystemDef.TempDir) / name).c_str(), &st), 0);
                      EXPECT_EQ(st.st_mode & 0777, 0600u) << name;
                  }
                  Insert(1);
                  return 1;
              }),
              1);
    EXPECT_EQ(Rows(), "1");

    EXPECT_EQ(Guarded([&] {
                  Insert(2);
                  return 19;
              }),
              19);
    EXPECT_EQ(Rows(), "1");

    EXPECT_THROW(Guarded([&]() -> std::int32_t {
                     Insert(3);
                     throw std::runtime_error("conversion step failed");
                 }),
                 std::runtime_error);
    EXPECT_EQ(Rows(), "1");
    EXPECT_TRUE(LeftCopies().empty());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(UnitGuardTest, NoCopyNoRun)
{
    SystemDef.TempDir = (folder_ / "no-such-folder").string();
    int runs = 0;
    EXPECT_EQ(Guarded([&] { return ++runs; }), UpdateResultScriptError);
    EXPECT_EQ(runs, 0);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text.rfind(
                  "Ver 1.2.3の更新前のデータベースを保存できませんでした。\r処理を中止します。\r", 0),
              0u)
        << messages_.shown[0].Text;
}

TEST_F(UnitGuardTest, ACopyThatCannotGoBackIsKeptAndNamed)
{
    EXPECT_EQ(Guarded([&] {
                  Insert(1);
                  // Nothing can be written where the database was.
                  fs::remove(CompanyDbPath());
                  fs::create_directory(CompanyDbPath());
                  return 16;
              }),
              16);
    const std::vector<std::string> copies = LeftCopies();
    ASSERT_EQ(copies.size(), 1u);
    ASSERT_EQ(messages_.shown.size(), 1u);
    const std::string kept = SystemDef.TempDir + "/" + copies[0];
    EXPECT_NE(messages_.shown[0].Text.find("Ver 1.2.3の更新前のデータベースを元に戻せませんでした。\r"
                                           "更新前のデータベースは次のファイルに残してあります。\r" +
                                           kept),
              std::string::npos)
        << messages_.shown[0].Text;
    EXPECT_EQ(schematest::Session(kept).Line("SELECT COUNT(*) FROM T"), "0");
}

TEST_F(UnitGuardTest, TheProgramsOwnConnectionIsClosedForTheRunAndOpenedAgain)
{
    const auto savedMode = ConnectionMode;
    ConnectionMode = 0;
    DM = std::make_unique<TDM>();
    ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
    bool heldDuringRun = true;

    EXPECT_EQ(Guarded([&] {
                  heldDuringRun = DM->IBDatabaseDAT.Connected();
                  Insert(1);
                  return 16;
              }),
              16);
    EXPECT_FALSE(heldDuringRun);
    EXPECT_TRUE(DM->IBDatabaseDAT.Connected());
    DM.reset();
    ConnectionMode = savedMode;
    EXPECT_EQ(Rows(), "<null>");
}

}  // namespace
