#include "platform/db/Database.h"

#include "platform/Cp932.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/FbError.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace dbtest;

// The protocol of the current attachment: empty for the embedded engine,
// "TCPv4" through a server.
std::string Protocol(db::Database& database)
{
    db::Transaction transaction(database);
    transaction.Start();
    db::Query query(
        database, transaction,
        "SELECT MON$REMOTE_PROTOCOL AS P FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION");
    query.Open();
    return query.FieldByName("P").AsString();
}

void CreateTable(db::Database& database)
{
    db::Transaction transaction(database);
    transaction.Start();
    db::Query(database, transaction, "CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20))").ExecSQL();
    transaction.Commit();
    transaction.Start();
    db::Query insert(database, transaction, "INSERT INTO T VALUES (1, :NAME)");
    insert.ParamByName("NAME").SetString("㈱表示");
    insert.ExecSQL();
    transaction.Commit();
}

class DbDatabaseTest : public FirebirdTest {};

TEST_F(DbDatabaseTest, CreateAttachDetachDrop)
{
    const std::string path = DbPath("life.fdb");
    db::Database database;
    EXPECT_FALSE(database.Connected());
    database.Create(path, User, Password);
    EXPECT_TRUE(database.Connected());
    EXPECT_THROW(database.Attach(path, User, Password), db::FbError);  // already connected

    db::Transaction transaction(database);
    transaction.Start();
    db::Query query(database, transaction,
                    "SELECT MON$PAGE_SIZE AS PS, MON$SQL_DIALECT AS D, RDB$CHARACTER_SET_NAME AS CS,"
                    " (SELECT MON$CHARACTER_SET_ID FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION)"
                    " AS CONN FROM MON$DATABASE CROSS JOIN RDB$DATABASE");
    query.Open();
    EXPECT_EQ(16384, query.FieldByName("PS").AsInteger());
    EXPECT_EQ(3, query.FieldByName("D").AsInteger());
    EXPECT_EQ("SJIS_0208", query.FieldByName("CS").AsString().substr(0, 9));
    EXPECT_EQ(5, query.FieldByName("CONN").AsInteger());  // SJIS_0208
    EXPECT_EQ("", Protocol(database));                    // embedded

    database.Detach();
    EXPECT_FALSE(database.Connected());
    EXPECT_NO_THROW(database.Detach());
    database.Attach(path, User, Password);
    database.Drop();
    EXPECT_FALSE(database.Connected());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_THROW(database.Drop(), db::FbError);
}

// The program's databases keep the engine's flush per commit; a throw-away
// database may go without it.
TEST_F(DbDatabaseTest, ForcedWritesStayOnUnlessTurnedOff)
{
    for (const bool forced : {true, false}) {
        SCOPED_TRACE(forced);
        const std::string path = DbPath(forced ? "forced.fdb" : "async.fdb");
        db::Database database;
        if (forced)
            database.Create(path, User, Password);
        else
            database.Create(path, User, Password, db::Database::DefaultPageSize, false);
        db::Transaction transaction(database);
        transaction.Start();
        db::Query query(database, transaction, "SELECT MON$FORCED_WRITES AS FW FROM MON$DATABASE");
        query.Open();
        EXPECT_EQ(forced ? 1 : 0, query.FieldByName("FW").AsInteger());
        query.Close();
        transaction.Commit();
        database.Detach();
    }
}

TEST_F(DbDatabaseTest, OpensFilesInJapaneseFolders)
{
    std::filesystem::create_directories(folder_ / "会社データ①");
    const std::string path = (folder_ / "会社データ①" / "qhacc.fdb").string();
    db::Database database;
    database.Create(path, User, Password);
    EXPECT_TRUE(std::filesystem::exists(path));
    database.Detach();
    database.Attach(path, User, Password);
    EXPECT_TRUE(database.Connected());
}

TEST_F(DbDatabaseTest, EmbeddedAttachmentSharesTheFileWithIsql)
{
    const std::string path = DbPath("shared.fdb");
    db::Database database;
    database.Create(path, User, Password);
    CreateTable(database);
    db::Transaction transaction(database);
    transaction.Start();  // held open while the other process works

    const ToolRun run = TestFirebird::Get().Isql(
        path, "SELECT NAME FROM T WHERE ID = 1;\nINSERT INTO T VALUES (2, 'isql');\nCOMMIT;\n");
    ASSERT_TRUE(run.status.Succeeded()) << run.output;
    EXPECT_NE(std::string::npos, run.output.find(cp932::FromUtf8("㈱表示"))) << run.output;

    db::Query query(database, transaction, "SELECT NAME FROM T WHERE ID = 2");
    query.Open();
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ("isql", query.FieldByName("NAME").AsString());
}

TEST_F(DbDatabaseTest, MissingFileGivesTheFileError)
{
    db::Database database;
    try {
        database.Attach(DbPath("missing.fdb"), User, Password);
        FAIL();
    } catch (const db::FbError& error) {
        EXPECT_EQ(335544344, error.IBErrorCode()) << error.what();  // I/O error for "open"
        EXPECT_EQ(-902, error.SQLCode());
        EXPECT_NE(std::string::npos, error.Message().find("missing.fdb"));
    }
    EXPECT_FALSE(database.Connected());
}

class DbDatabaseServerTest : public FirebirdServerTest {};

TEST_F(DbDatabaseServerTest, ReachesTheServerByLoopbackAndByHostName)
{
    const std::string path = DbPath("remote.fdb");
    db::Database created;
    created.Create(db::ConnectionString("127.0.0.1", path), User, Password);
    CreateTable(created);
    EXPECT_EQ("TCPv4", Protocol(created));

    db::Database byName;
    byName.Attach(db::ConnectionString("localhost", path, TestFirebird::Get().Port()), User, Password);
    EXPECT_EQ("TCPv4", Protocol(byName));

    // The server and this process's embedded engine share the file.
    db::Database embedded;
    embedded.Attach(path, User, Password);
    EXPECT_EQ("", Protocol(embedded));
    db::Transaction transaction(byName);
    transaction.Start();
    db::Query query(byName, transaction, "SELECT NAME FROM T");
    query.Open();
    EXPECT_EQ("㈱表示", query.FieldByName("NAME").AsString());
}

TEST_F(DbDatabaseServerTest, LoginAndFileErrorsHaveTheirCodes)
{
    const std::string path = DbPath("login.fdb");
    db::Database database;
    database.Create(path, User, Password);
    database.Detach();

    struct Case {
        std::string name;
        const char* password;
        std::int32_t code;
        std::int32_t sqlCode;
    };
    const Case cases[] = {
        {db::ConnectionString("127.0.0.1", path), "wrong", 335544472, -902},                 // login
        {db::ConnectionString("127.0.0.1", DbPath("none.fdb")), Password, 335544344, -902},  // file
        {db::ConnectionString("127.0.0.1", path, 1), Password, 335544721, -902},             // no server there
    };
    for (const Case& c : cases) {
        try {
            database.Attach(c.name, User, c.password);
            ADD_FAILURE() << c.name << " attached";
        } catch (const db::FbError& error) {
            EXPECT_EQ(c.code, error.IBErrorCode()) << c.name << ": " << error.what();
            EXPECT_EQ(c.sqlCode, error.SQLCode()) << c.name << ": " << error.what();
        }
        EXPECT_FALSE(database.Connected());
    }
}

}  // namespace
