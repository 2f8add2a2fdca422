#pragma once
// Company databases built through the real accounting updates, for the
// tests of those updates: one master per version and data kind, built
// once per test process, and copies of it that a test may change.

#include "SchemaTestSupport.h"
#include "UpdateTestSupport.h"

#include "dbupdate/DatabaseBuilder.h"
#include "platform/db/FirebirdServerFixture.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace companytest {

namespace fs = std::filesystem;

// The builder's settings with its folders under work.
inline dbupdate::DatabaseBuildSettings BuildSettings(const fs::path& work)
{
    dbupdate::DatabaseBuildSettings settings;
    settings.sqlDir = LEDRIX_SQL_DIR;
    settings.tempDir = work / "temp";
    settings.logDir = work / "log";
    settings.sysDir = work / "sys";
    settings.schema = schematest::Options();
    fs::create_directories(settings.logDir);
    fs::create_directories(settings.sysDir);
    return settings;
}

// The data kinds of the base: the corporation as delivered, or one of the
// chart scripts of "<sql>/base" applied before the updates.
enum class DataKind { Corporation, Individual, Medical };

inline std::vector<fs::path> DataKindScripts(DataKind kind)
{
    const fs::path base = fs::path(LEDRIX_SQL_DIR) / "base";
    switch (kind) {
    case DataKind::Individual:
        return {base / "qhacc-chart-individual.sql"};
    case DataKind::Medical:
        return {base / "qhacc-chart-medical.sql"};
    case DataKind::Corporation:
        break;
    }
    return {};
}

// The master company database of the kind brought to version (the whole
// accounting list when version is empty). Built on first use; a build that
// does not reach the version throws.
inline std::string CompanyMaster(const std::string& version, DataKind kind = DataKind::Corporation)
{
    static std::mutex mutex;
    static std::map<std::pair<std::string, DataKind>, std::string> built;
    const std::lock_guard<std::mutex> lock(mutex);
    const auto key = std::make_pair(version, kind);
    if (const auto found = built.find(key); found != built.end())
        return found->second;

    const fs::path work = dbtest::TestFirebird::Get().NewWorkFolder("CompanyMaster");
    updtest::SavedGlobals saved;
    dbupdate::DatabaseBuildSettings settings = BuildSettings(work);
    if (!version.empty()) {
        int major = 0, minor1 = 0, minor2 = 0;
        if (std::sscanf(version.c_str(), "%d.%d.%d", &major, &minor1, &minor2) != 3)
            throw std::invalid_argument("company master: bad version " + version);
        settings.stopAt = dbupdate::UpdateVersion{major, minor1, minor2};
    }
    const fs::path folder = work / "data";
    const dbupdate::DatabaseBuildReport report = dbupdate::BuildCompanyDatabase(folder, settings, DataKindScripts(kind));
    if (!report.Succeeded())
        throw std::runtime_error("company master: update " + report.failedAt->Text() + " answered " +
                                 std::to_string(report.failedResult) + " (see " + settings.logDir.string() + ")");
    if (!version.empty() && report.reached.Text() != version)
        throw std::runtime_error("company master: reached " + report.reached.Text() + ", not " + version);
    const std::string path = dbupdate::UpdateTargetPath(dbupdate::UpdateListKind::CompanyData, folder);
    built.emplace(key, path);
    return path;
}

// A copy of a master as "<folder>/qhacc.fdb" (the folder is made); its path.
inline std::string CopyCompanyMaster(const std::string& master, const fs::path& folder)
{
    fs::create_directories(folder);
    const fs::path copy = folder / "qhacc.fdb";
    fs::copy_file(master, copy, fs::copy_options::overwrite_existing);
    return copy.string();
}

}  // namespace companytest
