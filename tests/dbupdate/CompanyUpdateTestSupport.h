#pragma once
// Company databases built through the real accounting updates, for the
// tests of those updates: one master per version and data kind, built
// once per test run, and copies of it that a test may change.

#include "SchemaTestSupport.h"
#include "UpdateTestSupport.h"

#include "dbupdate/DatabaseBuilder.h"
#include "platform/db/FirebirdServerFixture.h"
#include "support/DatabaseMasters.h"
#include "platform/db/MasterCache.h"

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
using DataKind = dbtest::DataKind;

// The master company database of the kind brought to version (the whole
// accounting list when version is empty), built once per test run. A build
// that does not reach the version throws.
inline std::string CompanyMaster(const std::string& version, DataKind kind = DataKind::Corporation)
{
    return dbtest::CompanyMasterFile(version, kind).string();
}

// A copy of a master as "<folder>/qhacc.fdb" (the folder is made); its path.
inline std::string CopyCompanyMaster(const std::string& master, const fs::path& folder)
{
    return dbtest::CopyMasterFile(master, folder / "qhacc.fdb").string();
}

}  // namespace companytest
