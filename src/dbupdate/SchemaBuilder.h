#pragma once
// Builds a database from a schema script of the installation's sql folder.
//
// Every database the program, the tests and the demonstration use starts
// this way: a new, empty database (page size 16384, default character set
// SJIS_0208), then one of the delivered base schemas under "<sql>/base/",
// then the update units on top. The base scripts hold no CREATE DATABASE
// or CONNECT line: the builder creates the file through the Firebird access
// layer and hands the database to isql-fb on its command line, the login
// through the client library's variables ISC_USER and ISC_PASSWORD in the
// tool's environment (never the password on a command line, which every
// user of the machine can read in the process list).
//
// isql-fb runs with "-b" (bail on error): it stops at the first statement
// that fails, so a broken script never leaves a half-built database that
// looks finished. The builder then removes the new database and throws
// SchemaBuildError with isql's own report (the failing statement's line and
// the engine's message).
//
// The base scripts are UTF-8 and run with the connection character set
// UTF8 (the engine converts their texts into the SJIS_0208 columns); the
// character set is an option for scripts written in CP932.
//
// The tool inherits this process's environment, so it works in the same
// Firebird root (FIREBIRD and its lock folder) as the process itself.

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace dbupdate {

// The delivered base schemas.
enum class BaseSchema {
    SystemDatabase,   // "qhaccdef.fdb": operators, settings, the data list
    FileManager,      // "qhfileman.fdb": the backup transfer table
    CompanyDatabase,  // "qhacc.fdb": a company's books at data version 0.1.0
};

struct SchemaBuildOptions {
    std::string user = "LEDRIX";
    std::string password = "tolvaz";
    // The tool: a path, or a name looked up on PATH.
    std::string isqlProgram = "isql-fb";
    // Connection character set of the tool: the one the script is written in.
    std::string charset = "UTF8";
    // A tool still running after this long is killed and the build fails.
    std::chrono::seconds timeLimit{300};
    // Whether the new database flushes every commit to the disk (the
    // engine's default). Throw-away databases, such as the tests', turn it
    // off: the flush then only costs time.
    bool forcedWrites = true;
};

// A script that cannot be found or run, or that failed; what() says which
// database and script, and for a failed script carries isql's report.
class SchemaBuildError : public std::runtime_error {
public:
    SchemaBuildError(const std::string& message, std::string toolOutput);
    // What isql-fb printed (empty when it did not run).
    const std::string& ToolOutput() const noexcept { return toolOutput_; }

private:
    std::string toolOutput_;
};

// "<sqlDir>/base/qhaccdef.sql", "<sqlDir>/base/qhfileman.sql" or "<sqlDir>/base/qhacc.sql".
std::filesystem::path BaseSchemaScript(const std::filesystem::path& sqlDir, BaseSchema schema);

// The sql folder of the installation the program runs from (SystemDef.SqlDir).
std::filesystem::path InstalledSqlDir();

// Runs the script through isql-fb against an existing database (a path for
// the embedded engine, or "host:path"). Throws SchemaBuildError when the
// script is missing, the tool cannot be started or the script fails.
void RunSchemaScript(const std::string& database, const std::filesystem::path& script,
                     const SchemaBuildOptions& options = {});

// Creates the database (it must not exist) and runs the script against it.
// On failure the new database is removed again and SchemaBuildError (or the
// access layer's db::FbError when the file cannot be created) is thrown.
void CreateDatabaseFromScript(const std::string& database, const std::filesystem::path& script,
                              const SchemaBuildOptions& options = {});

// CreateDatabaseFromScript with the base schema of the sql folder.
void BuildBaseDatabase(const std::string& database, BaseSchema schema, const std::filesystem::path& sqlDir,
                       const SchemaBuildOptions& options = {});

}  // namespace dbupdate
