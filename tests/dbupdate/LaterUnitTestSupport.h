#pragma once
// Data sets for the tests of the accounting updates from 8.0.2 on: a copy
// of the company master of a data kind at the last registered update below
// 8.0.2, brought on through the real units as far as a test needs.

#include "CompanyUpdateTestSupport.h"
#include "SchemaTestSupport.h"
#include "UpdateTestSupport.h"

#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/DatabaseBuilder.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <string>

namespace laterunittest {

using dbupdate::UpdateVersion;
using DataKind = companytest::DataKind;

// The version of the last registered update below 8.0.2.
inline std::string VersionBefore802()
{
    std::string version = "0.1.0";
    for (const TDbUpdateListRec& rec : GetAccountingUpdateList()) {
        if (dbupdate::VersionOf(rec) >= UpdateVersion{8, 0, 2})
            break;
        version = dbupdate::VersionOf(rec).Text();
    }
    return version;
}

class LaterUnitDbTest : public updtest::UpdateDbTest {
protected:
    void SetUp() override
    {
        UpdateDbTest::SetUp();
        SystemDef.SqlDir = LEDRIX_SQL_DIR;
        EditionFlag = 0;
    }
    void TearDown() override { EditionFlag = 0; }

    // The data folder's database: the kind's master before 8.0.2.
    std::string UseDataBefore802(DataKind kind)
    {
        return companytest::CopyCompanyMaster(companytest::CompanyMaster(VersionBefore802(), kind), SystemDef.DataDir);
    }

    // Runs the registered units above the database's version up to stop.
    dbupdate::DatabaseBuildReport RunTo(UpdateVersion stop)
    {
        dbupdate::DatabaseBuildSettings settings = companytest::BuildSettings(folder_ / "build");
        settings.stopAt = stop;
        return dbupdate::RunPendingUpdates(dbupdate::UpdateListKind::CompanyData, SystemDef.DataDir,
                                           GetAccountingUpdateList(), settings);
    }

    schematest::Session Data() { return schematest::Session(CompanyDbPath()); }
};

}  // namespace laterunittest
