#include "dbupdate/DatabaseBuilder.h"

#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/SystemUpdates.h"
#include "foundation/SystemDef.h"
#include "foundation/InstallationNames.h"
#include "foundation/VersionUtils.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <exception>

namespace fs = std::filesystem;

namespace dbupdate {

namespace {

// The globals a run changes, restored when it ends.
class RunGlobals final {
public:
    RunGlobals(UpdateListKind kind, const fs::path& folder, const DatabaseBuildSettings& settings)
        : tempDir_(SystemDef.TempDir),
          logDir_(SystemDef.LogDir),
          sqlDir_(SystemDef.SqlDir),
          sysDir_(SystemDef.SYSDIR),
          dataDir_(SystemDef.DataDir),
          host_(SystemDef.HOSTNAME),
          user_(SystemDef.USER),
          password_(SystemDef.PASSWORD),
          goGlobal_(SystemDef.GOGLOBAL)
    {
        SystemDef.TempDir = settings.tempDir.string();
        SystemDef.LogDir = settings.logDir.string();
        SystemDef.SqlDir = settings.sqlDir.string();
        if (kind == UpdateListKind::SystemDatabase) {
            SystemDef.SYSDIR = folder.string();
        } else {
            SystemDef.DataDir = folder.string();
            if (!settings.sysDir.empty())
                SystemDef.SYSDIR = settings.sysDir.string();
        }
        // The file is built in place through the embedded engine.
        SystemDef.HOSTNAME.clear();
        SystemDef.GOGLOBAL = 0;
        SystemDef.USER = settings.schema.user;
        SystemDef.PASSWORD = settings.schema.password;
        // The work folder holds the scripts with the login and the units'
        // copies of the database: one made here is this user's alone.
        std::error_code ec;
        if (fs::create_directories(settings.tempDir, ec))
            fs::permissions(settings.tempDir, fs::perms::owner_all, ec);
    }
    ~RunGlobals()
    {
        SystemDef.TempDir = tempDir_;
        SystemDef.LogDir = logDir_;
        SystemDef.SqlDir = sqlDir_;
        SystemDef.SYSDIR = sysDir_;
        SystemDef.DataDir = dataDir_;
        SystemDef.HOSTNAME = host_;
        SystemDef.USER = user_;
        SystemDef.PASSWORD = password_;
        SystemDef.GOGLOBAL = goGlobal_;
    }
    RunGlobals(const RunGlobals&) = delete;
    RunGlobals& operator=(const RunGlobals&) = delete;

private:
    std::string tempDir_, logDir_, sqlDir_, sysDir_, dataDir_, host_, user_, password_;
    decltype(SystemDef.GOGLOBAL) goGlobal_;
};

}  // namespace

std::string UpdateVersion::Text() const
{
    return VersionToText(major, minor1, minor2);
}

UpdateVersion VersionOf(const TDbUpdateListRec& rec)
{
    return {rec.Major, rec.Minor1, rec.Minor2};
}

std::string UpdateTargetPath(UpdateListKind kind, const fs::path& folder)
{
    return (folder / (kind == UpdateListKind::SystemDatabase ? SysDbFileName : DataDbFileName)).string();
}

UpdateVersion ReadDatabaseVersion(UpdateListKind kind, const std::string& database, const SchemaBuildOptions& login)
{
    db::Database connection;
    connection.Attach(database, login.user, login.password);
    db::Transaction transaction(connection);
    transaction.Start();
    db::Query query(
        connection, transaction,
        kind == UpdateListKind::SystemDatabase
            ? "SELECT FIRST 1 MAJOR, MINOR1, MINOR2 FROM VERSION ORDER BY MAJOR DESC, MINOR1 DESC, MINOR2 DESC"
            : "SELECT MAJOR, MINOR1, MINOR2 FROM ACCVERSION WHERE REC = 1");
    query.Open();
    UpdateVersion version;
    if (!query.Eof())
        version = {query.FieldByName("MAJOR").AsInteger(), query.FieldByName("MINOR1").AsInteger(),
                   query.FieldByName("MINOR2").AsInteger()};
    query.Close();
    transaction.Commit();
    connection.Detach();
    return version;
}

DatabaseBuildReport RunPendingUpdates(UpdateListKind kind, const fs::path& folder, const TArrayDbUpdateListRec& list,
                                      const DatabaseBuildSettings& settings)
{
    // Without these folders the scripts would land in the file-system root.
    if (settings.sqlDir.empty() || settings.tempDir.empty() || settings.logDir.empty())
        throw std::invalid_argument("database builder: the sql, work and log folders must be given");
    const std::string database = UpdateTargetPath(kind, folder);
    DatabaseBuildReport report;
    report.start = ReadDatabaseVersion(kind, database, settings.schema);
    report.reached = report.start;
    {
        RunGlobals globals(kind, folder, settings);
        for (const TDbUpdateListRec& rec : list) {
            const UpdateVersion version = VersionOf(rec);
            if (version <= report.reached)
                continue;
            if (settings.stopAt && version > *settings.stopAt)
                break;
            if (!IsUpdateRegistered(rec)) {
                report.unregisteredAt = version;
                break;
            }
            std::int32_t result = 0;
            try {
                result = rec.UpdateFunc();
            } catch (const std::exception& e) {
                throw DatabaseUpdateError("update " + version.Text() + " of " + database + ": " + e.what());
            }
            if (result != UpdateResultOk) {
                report.failedResult = result;
                report.failedAt = version;
                break;
            }
            report.applied.push_back(version);
            report.reached = version;
            if (settings.afterUnit)
                settings.afterUnit(rec);
        }
    }
    // What the database records, not what the run believes.
    report.reached = ReadDatabaseVersion(kind, database, settings.schema);
    for (const TDbUpdateListRec& rec : list)
        if (VersionOf(rec) > report.reached)
            report.pending.push_back(VersionOf(rec));
    return report;
}

DatabaseBuildReport BuildDatabase(UpdateListKind kind, const fs::path& folder, const fs::path& baseScript,
                                  const TArrayDbUpdateListRec& list, const DatabaseBuildSettings& settings)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    CreateDatabaseFromScript(UpdateTargetPath(kind, folder), baseScript, settings.schema);
    return RunPendingUpdates(kind, folder, list, settings);
}

DatabaseBuildReport BuildSystemDatabase(const fs::path& folder, const DatabaseBuildSettings& settings)
{
    return BuildDatabase(UpdateListKind::SystemDatabase, folder,
                         BaseSchemaScript(settings.sqlDir, BaseSchema::SystemDatabase), GetSystemUpdateList(),
                         settings);
}

DatabaseBuildReport BuildCompanyDatabase(const fs::path& folder, const DatabaseBuildSettings& settings,
                                         const std::vector<fs::path>& dataKindScripts)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string database = UpdateTargetPath(UpdateListKind::CompanyData, folder);
    CreateDatabaseFromScript(database, BaseSchemaScript(settings.sqlDir, BaseSchema::CompanyDatabase), settings.schema);
    try {
        for (const fs::path& script : dataKindScripts)
            RunSchemaScript(database, script, settings.schema);
    } catch (...) {
        // Half a data kind is no database to build on.
        fs::remove(database, ec);
        throw;
    }
    return RunPendingUpdates(UpdateListKind::CompanyData, folder, GetAccountingUpdateList(), settings);
}

}  // namespace dbupdate
