#include "platform/db/ServiceManager.h"

#include "platform/db/ConnectionString.h"
#include "platform/db/Database.h"
#include "platform/db/FbError.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

using namespace dbtest;
namespace fs = std::filesystem;

constexpr int PageSize = 16384;

// A database with a few hundred rows of one table; returns the table's
// relation id.
int MakeDatabase(const std::string& name)
{
    db::Database database;
    dbtest::CreateTestDatabase(database, name);
    db::Transaction transaction(database);
    transaction.Start();
    db::Query(database, transaction, "CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(40))").ExecSQL();
    transaction.Commit();
    transaction.Start();
    db::Query insert(database, transaction, "INSERT INTO T VALUES (:ID, :NAME)");
    for (int id = 1; id <= 300; ++id) {
        insert.ParamByName("ID").SetInteger(id);
        insert.ParamByName("NAME").SetString("仕訳の摘要 " + std::to_string(id));
        insert.ExecSQL();
    }
    db::Query relation(database, transaction,
                       "SELECT RDB$RELATION_ID AS R FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'T'");
    relation.Open();
    const int id = relation.FieldByName("R").AsInteger();
    transaction.Commit();
    return id;
}

int RowCount(const std::string& name)
{
    db::Database database;
    database.Attach(name, User, Password);
    db::Transaction transaction(database);
    transaction.Start();
    db::Query query(database, transaction, "SELECT COUNT(*) AS N, MAX(NAME) AS M FROM T");
    query.Open();
    EXPECT_EQ("仕訳の摘要 99", query.FieldByName("M").AsString());
    return query.FieldByName("N").AsInteger();
}

// Overwrites the body of every data page of the relation, keeping the page
// type, so that the pages no longer belong to the table they are filed under.
int DamageDataPages(const std::string& name, int relation)
{
    std::fstream file(name, std::ios::in | std::ios::out | std::ios::binary);
    std::vector<char> page(PageSize);
    int damaged = 0;
    for (std::streamoff offset = 0; file.seekg(offset).read(page.data(), PageSize); offset += PageSize) {
        const auto pageType = static_cast<unsigned char>(page[0]);
        const int owner = static_cast<unsigned char>(page[20]) | (static_cast<unsigned char>(page[21]) << 8);
        if (pageType != 5 || owner != relation)  // data page of the table
            continue;
        std::fill(page.begin() + 16, page.end(), '\xA5');
        file.seekp(offset).write(page.data(), PageSize);
        ++damaged;
    }
    return damaged;
}

class DbServiceManagerTest : public FirebirdTest {};

TEST_F(DbServiceManagerTest, BacksUpRestoresAndValidatesEmbedded)
{
    const std::string source = DbPath("source.fdb");
    fs::create_directories(folder_ / "退避");
    const std::string backup = (folder_ / "退避" / "source.fbk").string();
    const std::string restored = DbPath("restored.fdb");
    MakeDatabase(source);

    const db::ServiceManager services("", User, Password);
    std::vector<std::string> seen;
    const std::vector<std::string> lines =
        services.Backup(source, backup, {}, [&](const std::string& line) { seen.push_back(line); });
    EXPECT_FALSE(lines.empty());
    EXPECT_EQ(lines, seen);
    EXPECT_GT(fs::file_size(backup), 0u);

    services.Restore(backup, restored);
    EXPECT_EQ(300, RowCount(restored));
    // Replacing an existing database works too.
    services.Restore(backup, restored);
    EXPECT_EQ(300, RowCount(restored));

    const db::ValidationResult result = services.Validate(restored);
    EXPECT_FALSE(result.errorsFound) << result.report;
}

TEST_F(DbServiceManagerTest, ServiceErrorsAreFbErrors)
{
    const db::ServiceManager services("", User, Password);
    try {
        services.Backup(DbPath("missing.fdb"), DbPath("missing.fbk"));
        FAIL();
    } catch (const db::FbError& error) {
        EXPECT_TRUE(error.HasCode(335544344)) << error.what();  // I/O error for "open"
    }
    EXPECT_THROW(services.Restore(DbPath("missing.fbk"), DbPath("x.fdb")), db::FbError);
}

TEST_F(DbServiceManagerTest, ADamagedCopyFailsValidation)
{
    const std::string good = DbPath("good.fdb");
    const std::string bad = DbPath("bad.fdb");
    const int relation = MakeDatabase(good);
    fs::copy_file(good, bad);
    ASSERT_GT(DamageDataPages(bad, relation), 0);

    const db::ServiceManager services("", User, Password);
    const db::ValidationResult clean = services.Validate(good);
    EXPECT_FALSE(clean.errorsFound) << clean.report;
    const db::ValidationResult result = services.Validate(bad);
    EXPECT_TRUE(result.errorsFound);
    // The counts follow the summary's first line only after the service has
    // reported itself started; a report cut at that line loses them.
    EXPECT_NE(std::string::npos, result.report.find("Number of data page errors")) << result.report;
}

class DbServiceManagerServerTest : public FirebirdServerTest {};

TEST_F(DbServiceManagerServerTest, BacksUpRestoresAndValidatesThroughTheServer)
{
    const std::string source = DbPath("source.fdb");
    const std::string backup = DbPath("source.fbk");
    const std::string restored = DbPath("restored.fdb");
    MakeDatabase(source);

    const db::ServiceManager services("127.0.0.1", User, Password);
    services.Backup(source, backup);
    services.Restore(backup, restored);
    EXPECT_EQ(300, RowCount(db::ConnectionString("127.0.0.1", restored)));
    EXPECT_FALSE(services.Validate(restored).errorsFound);
}

TEST_F(DbServiceManagerServerTest, ListsTheDatabasesTheServerHasAttached)
{
    const std::string first = DbPath("first.fdb");
    const std::string second = DbPath("second.fdb");
    MakeDatabase(first);
    MakeDatabase(second);

    const db::ServiceManager services("127.0.0.1", User, Password);
    try {
        services.AttachedDatabases();
        FAIL() << "an ordinary user read the server's attachments";
    } catch (const db::FbError& error) {
        EXPECT_NE(std::string::npos, error.Message().find("SYSDBA")) << error.what();
    }
    TestFirebird::Get().GrantServerAdmin();

    db::Database remote;
    remote.Attach(db::ConnectionString("127.0.0.1", first), User, Password);
    db::Database local;  // through this process's engine: not the server's
    local.Attach(second, User, Password);

    const std::vector<std::string> names = services.AttachedDatabases();
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), first));
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), second));

    remote.Detach();
    const std::vector<std::string> after = services.AttachedDatabases();
    EXPECT_EQ(after.end(), std::find(after.begin(), after.end(), first));
}

}  // namespace
