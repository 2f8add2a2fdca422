#include "dbupdate/SchemaBuilder.h"

#include "foundation/SystemDef.h"
#include "platform/ChildProcess.h"
#include "platform/db/Database.h"
#include "platform/db/FbError.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace dbupdate {

namespace {

// A file for the tool's output, removed when the object goes.
class TempOutputFile final {
public:
    TempOutputFile()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/ledrix-isql-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            throw SchemaBuildError(
                "cannot create a file for isql-fb's output in " + fs::path(pattern).parent_path().string(), {});
        ::close(fd);
        path_ = pattern;
    }
    ~TempOutputFile()
    {
        std::error_code ec;
        fs::remove(path_, ec);
    }
    TempOutputFile(const TempOutputFile&) = delete;
    TempOutputFile& operator=(const TempOutputFile&) = delete;

    const fs::path& Path() const { return path_; }
    std::string Read() const
    {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    fs::path path_;
};

std::string Describe(const std::string& database, const fs::path& script)
{
    return "schema script " + script.string() + " on " + database;
}

// Removes a database that a failed build left behind; a failure to do so
// must not hide the build's own error.
void RemoveDatabase(const std::string& database, const SchemaBuildOptions& options) noexcept
{
    try {
        db::Database doomed;
        doomed.Attach(database, options.user, options.password);
        doomed.Drop();
        return;
    } catch (...) {
    }
    // A path the engine could not open any more (a local file only).
    if (database.find(':') == std::string::npos) {
        std::error_code ec;
        fs::remove(database, ec);
    }
}

}  // namespace

SchemaBuildError::SchemaBuildError(const std::string& message, std::string toolOutput)
    : std::runtime_error(toolOutput.empty() ? message : message + "\n" + toolOutput), toolOutput_(std::move(toolOutput))
{}

fs::path BaseSchemaScript(const fs::path& sqlDir, BaseSchema schema)
{
    switch (schema) {
    case BaseSchema::SystemDatabase:
        return sqlDir / "base" / "qhaccdef.sql";
    case BaseSchema::FileManager:
        return sqlDir / "base" / "qhfileman.sql";
    case BaseSchema::CompanyDatabase:
        return sqlDir / "base" / "qhacc.sql";
    }
    throw std::invalid_argument("unknown base schema");
}

fs::path InstalledSqlDir()
{
    return fs::path(SystemDef.SqlDir);
}

void RunSchemaScript(const std::string& database, const fs::path& script, const SchemaBuildOptions& options)
{
    std::error_code ec;
    if (!fs::is_regular_file(script, ec))
        throw SchemaBuildError(Describe(database, script) + ": the script does not exist", {});

    TempOutputFile output;
    proc::ChildOptions child;
    child.stdoutTarget = proc::OutputTarget::ToFile(output.Path().string());
    child.stderrTarget = proc::OutputTarget::SameAsStdout();
    // The login goes through the client library's own variables: a command
    // line is readable by every user of the machine in the process list,
    // a process's environment only by its owner.
    child.SetEnv("ISC_USER", options.user).SetEnv("ISC_PASSWORD", options.password);
    std::vector<std::string> args{options.isqlProgram, "-q",    "-b", "-ch", options.charset, "-i",
                                  script.string(),     database};
    proc::ExitStatus status;
    try {
        status = proc::RunAndWait(std::move(args), child, std::chrono::milliseconds(options.timeLimit));
    } catch (const proc::ChildProcessError& error) {
        throw SchemaBuildError(Describe(database, script) + ": cannot run " + options.isqlProgram + ": " + error.what(),
                               output.Read());
    }

    // With -b the tool ends with a non-zero code at the first failure; the
    // report is checked as well, because an error isql prints without
    // stopping (one it only warns about) must not pass for success either.
    const std::string report = output.Read();
    if (!status.Succeeded() || report.find("Statement failed") != std::string::npos)
        throw SchemaBuildError(Describe(database, script) + " failed (isql-fb: " + status.Describe() + ")", report);
}

void CreateDatabaseFromScript(const std::string& database, const fs::path& script, const SchemaBuildOptions& options)
{
    std::error_code ec;
    if (!fs::is_regular_file(script, ec))
        throw SchemaBuildError(Describe(database, script) + ": the script does not exist", {});

    {
        db::Database created;
        created.Create(database, options.user, options.password, db::Database::DefaultPageSize, options.forcedWrites);
        // Detached before the tool runs: it attaches on its own.
        created.Detach();
    }
    try {
        RunSchemaScript(database, script, options);
    } catch (...) {
        RemoveDatabase(database, options);
        throw;
    }
}

void BuildBaseDatabase(const std::string& database, BaseSchema schema, const fs::path& sqlDir,
                       const SchemaBuildOptions& options)
{
    CreateDatabaseFromScript(database, BaseSchemaScript(sqlDir, schema), options);
}

}  // namespace dbupdate
