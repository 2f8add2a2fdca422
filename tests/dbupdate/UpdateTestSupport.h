#pragma once
// Shared set-up of the update tests: the program globals pointed at a test
// folder, a recording message presenter, and small database helpers.

#include "foundation/SystemDef.h"
#include "foundation/InstallationNames.h"
#include "platform/db/Database.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace updtest {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The lines of a script as saved, each without its CR LF.
inline std::vector<std::string> ScriptLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// SystemDef and the database file names as a test leaves them for the next.
using SavedGlobals = dbtest::SavedGlobals;

// Points the folders of SystemDef into root and sets a logged-on operator.
inline void PointGlobalsAt(const fs::path& root)
{
    SystemDef.TempDir = (root / "temp").string();
    SystemDef.LogDir = (root / "log").string();
    SystemDef.SqlDir = (root / "sql").string();
    SystemDef.SYSDIR = (root / "sys").string();
    SystemDef.DataDir = (root / "data").string();
    SystemDef.ProgramDir = (root / "program").string();
    for (const char* sub : {"temp", "sys", "data", "program"})
        fs::create_directories(root / sub);
    SystemDef.HOSTNAME.clear();
    SystemDef.GOGLOBAL = 0;
    SystemDef.USER = dbtest::User;
    SystemDef.PASSWORD = dbtest::Password;
    SystemDef.PCName = "PC01";
    SystemDef.LOGINCODE = 7;
    SystemDef.OPCODE = 100007;
    SystemDef.OPNAME = "経理 太郎";
    SysDbFileName = "qhaccdef.fdb";
    DataDbFileName = "qhacc.fdb";
}

// A fresh database owned by the test user, with the statements run.
inline void CreateDatabase(const std::string& path, std::initializer_list<const char*> statements)
{
    db::Database database;
    dbtest::CreateTestDatabase(database, path);
    for (const char* sql : statements) {
        db::Transaction transaction(database);
        transaction.Start();
        db::Query query(database, transaction, sql);
        query.ExecSQL();
        transaction.Commit();
    }
    database.Detach();
}

// Column V of the first row as text ("" when there is no row).
inline std::string QueryText(const std::string& path, const char* sql)
{
    db::Database database;
    database.Attach(path, dbtest::User, dbtest::Password);
    db::Transaction transaction(database);
    transaction.Start();
    db::Query query(database, transaction, sql);
    query.Open();
    const std::string value = query.Eof() ? std::string() : query.FieldByName("V").AsString();
    query.Close();
    transaction.Commit();
    database.Detach();
    return value;
}

// Set-up shared by the tests that run isql-fb.
class UpdateDbTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        dbtest::FirebirdTest::SetUp();
        PointGlobalsAt(folder_);
    }

    std::string SystemDbPath() const { return SystemDef.SYSDIR + "/" + SysDbFileName; }
    std::string CompanyDbPath() const { return SystemDef.DataDir + "/" + DataDbFileName; }
    std::string ScriptPath() const { return SystemDef.TempDir + "/qhzdataup.sql"; }
    std::string LogPath() const { return SystemDef.TempDir + "/qhzdataup.log"; }
    fs::path ErrText() const { return fs::path(SystemDef.LogDir) / "ErrDataup.txt"; }
    fs::path ErrLog() const { return fs::path(SystemDef.LogDir) / "ErrDataup.log"; }

    SavedGlobals saved_;
    RecordingMessagePresenter messages_;
};

}  // namespace updtest
