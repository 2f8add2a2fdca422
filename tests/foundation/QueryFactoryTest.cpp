#include "foundation/QueryFactory.h"

#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/DataModule.h"
#include "platform/db/FirebirdServerFixture.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace dbtest;

namespace {

void CreateWithTable(const fs::path& path)
{
    fs::create_directories(path.parent_path());
    db::Database database;
    dbtest::CreateTestDatabase(database, path.string());
    db::Transaction transaction(database);
    transaction.Start();
    db::Query(database, transaction, "CREATE TABLE T (ID INTEGER)").ExecSQL();
    transaction.Commit();
    transaction.Start();
    db::Query(database, transaction, "INSERT INTO T VALUES (1)").ExecSQL();
    transaction.Commit();
}

class QueryFactoryTest : public FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.USER = User;
        SystemDef.PASSWORD = Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.LogDir = folder_.string();
        SystemDef.SYSDIR = (folder_ / "sys").string();
        SystemDef.DataDir = (folder_ / "data").string();
        ConnectionMode = 0;
        DM = std::make_unique<TDM>();
    }
    void TearDown() override
    {
        DM.reset();
        SystemDef = saved_;
        ConnectionMode = savedMode_;
    }

    void ConnectBoth()
    {
        CreateWithTable(folder_ / "sys" / "qhaccdef.fdb");
        CreateWithTable(folder_ / "data" / "qhacc.fdb");
        ASSERT_TRUE(DM->fnAccDefConnected("", true));
        ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
    }

    // The file the query's database is, by asking the engine.
    static std::string FileOf(db::Query& query)
    {
        query.SetSQL("SELECT MON$DATABASE_NAME AS N FROM MON$DATABASE");
        query.Open();
        const std::string name = query.FieldByName("N").AsString();
        query.Close();
        return fs::path(name).filename().string();
    }

    RecordingMessagePresenter presenter;

private:
    const TSystemDef saved_ = SystemDef;
    const std::uint8_t savedMode_ = ConnectionMode;
};

TEST_F(QueryFactoryTest, BindsByNameAndSnapshotFlag)
{
    ConnectBoth();
    struct Case {
        const char* name;
        bool snapshot;
        const char* file;
        db::Transaction TDM::*transaction;
    };
    const Case cases[] = {
        {"ACCDEF", false, "qhaccdef.fdb", &TDM::IBTransactionDEF},
        {"ACCDEF", true, "qhaccdef.fdb", &TDM::IBTransactionDEF},  // snapshot ignored
        {"accdef", false, "qhacc.fdb", &TDM::IBTransactionDAT},    // exact match only
        {"ACCDAT", false, "qhacc.fdb", &TDM::IBTransactionDAT},
        {"ACCDAT", true, "qhacc.fdb", &TDM::IBTransactionDATSS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.snapshot ? " snapshot" : ""));
        const std::unique_ptr<db::Query> query = CreateAccQuery(c.name, c.snapshot);
        ASSERT_TRUE(query);
        EXPECT_EQ("", query->SQL());
        EXPECT_EQ(c.file, FileOf(*query));  // a query starts its own transaction
        db::Transaction& transaction = (*DM).*c.transaction;
        EXPECT_TRUE(transaction.InTransaction());
        transaction.Commit();

        // A statement runs only in a transaction its caller started.
        const std::unique_ptr<db::Query> statement = CreateAccSQL(c.name, c.snapshot);
        ASSERT_TRUE(statement);
        EXPECT_THROW(FileOf(*statement), db::FbError);
        transaction.Start();
        EXPECT_EQ(c.file, FileOf(*statement));
        transaction.Commit();
    }
}

TEST_F(QueryFactoryTest, CompanyQueryWithoutConnectionFailsOnlyWhenRun)
{
    const std::unique_ptr<db::Query> query = CreateAccQuery("ACCDAT", false);
    ASSERT_TRUE(query);
    query->SetSQL("SELECT ID FROM T");
    EXPECT_THROW(query->Open(), db::FbError);
    EXPECT_TRUE(presenter.shown.empty());

    DM.reset();
    EXPECT_FALSE(CreateAccQuery("ACCDAT", false));
    EXPECT_FALSE(CreateAccSQL("ACCDEF", false));
}

TEST_F(QueryFactoryTest, SnapshotKeepsItsStateWhileOrdinarySeesCommits)
{
    ConnectBoth();
    const std::unique_ptr<db::Query> snapshot = CreateAccQuery("ACCDAT", true);
    const std::unique_ptr<db::Query> ordinary = CreateAccQuery("ACCDAT", false);
    const auto count = [](db::Query& query) {
        query.SetSQL("SELECT COUNT(*) AS C FROM T");
        query.Open();
        const std::int32_t value = query.FieldByName("C").AsInteger();
        query.Close();
        return value;
    };
    EXPECT_EQ(1, count(*snapshot));
    EXPECT_EQ(1, count(*ordinary));

    db::Database other;
    other.Attach((folder_ / "data" / "qhacc.fdb").string(), User, Password);
    db::Transaction write(other);
    write.Start();
    db::Query(other, write, "INSERT INTO T VALUES (2)").ExecSQL();
    write.Commit();

    EXPECT_EQ(1, count(*snapshot));
    EXPECT_EQ(2, count(*ordinary));
    DM->IBTransactionDATSS.Commit();
    EXPECT_EQ(2, count(*snapshot));
}

TEST_F(QueryFactoryTest, AFailedStatementLeavesTheModuleUsable)
{
    ConnectBoth();
    {
        const std::unique_ptr<db::Query> statement = CreateAccSQL("ACCDAT", false);
        ASSERT_TRUE(statement);
        DM->IBTransactionDAT.Start();
        statement->SetSQL("INSERT INTO T VALUES (3)");
        statement->ExecSQL();
        try {
            statement->SetSQL("INSERT INTO MISSING VALUES (1)");
            statement->ExecSQL();
            FAIL() << "ran on a missing table";
        } catch (const db::FbError&) {
            DM->IBTransactionDAT.Rollback();  // as the caller does
        }
    }
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
    const std::unique_ptr<db::Query> query = CreateAccQuery("ACCDAT", false);
    ASSERT_TRUE(query);
    query->SetSQL("SELECT COUNT(*) AS C FROM T");
    query->Open();
    EXPECT_EQ(1, query->FieldByName("C").AsInteger());  // the failed work was undone
    query->Close();
    DM->IBQACC1.SetSQL("SELECT ID FROM T");
    DM->IBQACC1.Open();
    EXPECT_EQ(1, DM->IBQACC1.FieldByName("ID").AsInteger());
}

}  // namespace
