#include "support/DatabaseMasters.h"

#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/DatabaseBuilder.h"
#include "dbupdate/SystemUpdates.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/SavedGlobals.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace dbtest {

namespace {

const fs::path SqlDir = LEDRIX_SQL_DIR;

const char* BaseName(dbupdate::BaseSchema schema)
{
    switch (schema) {
    case dbupdate::BaseSchema::SystemDatabase:
        return "qhaccdef";
    case dbupdate::BaseSchema::FileManager:
        return "qhfileman";
    case dbupdate::BaseSchema::CompanyDatabase:
        break;
    }
    return "qhacc";
}

std::vector<fs::path> DataKindScripts(DataKind kind)
{
    switch (kind) {
    case DataKind::Individual:
        return {SqlDir / "base" / "qhacc-chart-individual.sql"};
    case DataKind::Medical:
        return {SqlDir / "base" / "qhacc-chart-medical.sql"};
    case DataKind::Corporation:
        break;
    }
    return {};
}

dbupdate::UpdateVersion ParseVersion(const std::string& version)
{
    dbupdate::UpdateVersion parsed;
    char rest = 0;
    if (std::sscanf(version.c_str(), "%d.%d.%d%c", &parsed.major, &parsed.minor1, &parsed.minor2, &rest) != 3)
        throw std::invalid_argument("company master: bad version " + version);
    return parsed;
}

}  // namespace

const std::string& SchemaMastersKey()
{
    static const std::string key = [] {
        std::ifstream in(LEDRIX_TEST_MASTERS_KEY_FILE);
        std::string text;
        in >> text;
        if (text.size() < 16)
            throw std::runtime_error(std::string("no key of the test masters in ") + LEDRIX_TEST_MASTERS_KEY_FILE);
        return text.substr(0, 16);
    }();
    return key;
}

dbupdate::SchemaBuildOptions TestSchemaOptions()
{
    dbupdate::SchemaBuildOptions options;
    options.user = User;
    options.password = Password;
    options.forcedWrites = false;
    return options;
}

const char* DataKindName(DataKind kind)
{
    switch (kind) {
    case DataKind::Individual:
        return "individual";
    case DataKind::Medical:
        return "medical";
    case DataKind::Corporation:
        break;
    }
    return "corporation";
}

fs::path BaseMaster(dbupdate::BaseSchema schema)
{
    const std::string file = std::string(BaseName(schema)) + ".fdb";
    const fs::path master =
        CachedMaster(std::string("base-") + BaseName(schema), SchemaMastersKey(), [&](const fs::path& folder) {
            dbupdate::BuildBaseDatabase((folder / file).string(), schema, SqlDir, TestSchemaOptions());
        });
    return master / file;
}

namespace {

// Every company master is built on a copy of a stepping stone below it (the
// registered entries at every StoneStride-th place of the accounting list),
// itself a master built the same way, so that a run builds the chain about
// once however many versions its tests ask for, and keeps only the stones
// and the versions asked for.
constexpr std::size_t StoneStride = 4;

std::vector<dbupdate::UpdateVersion> RegisteredAccountingVersions()
{
    std::vector<dbupdate::UpdateVersion> versions;
    for (const TDbUpdateListRec& rec : GetAccountingUpdateList()) {
        if (!IsUpdateRegistered(rec))
            break;
        versions.push_back(dbupdate::VersionOf(rec));
    }
    return versions;
}

// The stone to start from for a build up to target: nothing (the base) when
// target is at or below the first stone.
std::optional<dbupdate::UpdateVersion> StoneBelow(const std::optional<dbupdate::UpdateVersion>& target)
{
    const std::vector<dbupdate::UpdateVersion> versions = RegisteredAccountingVersions();
    std::size_t place = versions.size();
    if (target) {
        place = 0;
        while (place < versions.size() && versions[place] < *target)
            ++place;
    }
    // place: how many registered units lie below the target.
    if (place == 0)
        return std::nullopt;
    // At most place - 1, so always below the target.
    return versions[((place - 1) / StoneStride) * StoneStride];
}

}  // namespace

fs::path CompanyMasterFile(const std::string& version, DataKind kind)
{
    const std::string name =
        std::string("company-") + DataKindName(kind) + "-" + (version.empty() ? std::string("latest") : version);
    const fs::path master = CachedMaster(name, SchemaMastersKey(), [&](const fs::path& folder) {
        std::optional<dbupdate::UpdateVersion> target;
        if (!version.empty())
            target = ParseVersion(version);
        const std::optional<dbupdate::UpdateVersion> stone = StoneBelow(target);
        // Taken before the globals are changed: the stone's build keeps its own.
        const std::optional<fs::path> start =
            stone ? std::optional<fs::path>(CompanyMasterFile(stone->Text(), kind)) : std::nullopt;

        SavedGlobals kept;
        DataDbFileName = "qhacc.fdb";
        SysDbFileName = "qhaccdef.fdb";
        // The update scripts and logs go to a work folder of this process,
        // so the master holds nothing but the database.
        const fs::path work = TestFirebird::Get().NewWorkFolder("master-" + name);
        dbupdate::DatabaseBuildSettings settings;
        settings.sqlDir = SqlDir;
        settings.tempDir = work / "temp";
        settings.logDir = work / "log";
        settings.sysDir = work / "sys";
        settings.schema = TestSchemaOptions();
        fs::create_directories(settings.logDir);
        fs::create_directories(settings.sysDir);
        settings.stopAt = target;
        const fs::path data = folder / "data";
        dbupdate::DatabaseBuildReport report;
        if (start) {
            CopyMasterFile(*start, data / "qhacc.fdb");
            report = dbupdate::RunPendingUpdates(dbupdate::UpdateListKind::CompanyData, data, GetAccountingUpdateList(),
                                                 settings);
        } else {
            report = dbupdate::BuildCompanyDatabase(data, settings, DataKindScripts(kind));
        }
        if (!report.Succeeded())
            throw std::runtime_error("company master " + name + ": update " + report.failedAt->Text() + " answered " +
                                     std::to_string(report.failedResult) + " (see " + settings.logDir.string() + ")");
        if (!version.empty() && report.reached.Text() != version)
            throw std::runtime_error("company master " + name + ": reached " + report.reached.Text() + ", not " +
                                     version);
    });
    return master / "data" / "qhacc.fdb";
}

fs::path SystemMasterFile(std::uint8_t edition, const std::string& version)
{
    const std::string name =
        "system-edition" + std::to_string(edition) + "-" + (version.empty() ? std::string("latest") : version);
    const fs::path master = CachedMaster(name, SchemaMastersKey(), [&](const fs::path& folder) {
        SavedGlobals kept;
        const std::uint8_t keptEdition = EditionFlag;
        const std::uint8_t keptMode = ConnectionMode;
        EditionFlag = edition;
        ConnectionMode = 0;
        SysDbFileName = "qhaccdef.fdb";
        const fs::path work = TestFirebird::Get().NewWorkFolder("master-" + name);
        dbupdate::DatabaseBuildSettings settings;
        settings.sqlDir = SqlDir;
        settings.tempDir = work / "temp";
        settings.logDir = work / "log";
        settings.schema = TestSchemaOptions();
        fs::create_directories(settings.logDir);
        if (!version.empty())
            settings.stopAt = ParseVersion(version);
        const dbupdate::DatabaseBuildReport report = dbupdate::BuildSystemDatabase(folder / "sys", settings);
        EditionFlag = keptEdition;
        ConnectionMode = keptMode;
        if (!report.Succeeded())
            throw std::runtime_error("system master " + name + ": update " + report.failedAt->Text() + " answered " +
                                     std::to_string(report.failedResult) + " (see " + settings.logDir.string() + ")");
    });
    return master / "sys" / "qhaccdef.fdb";
}

}  // namespace dbtest
