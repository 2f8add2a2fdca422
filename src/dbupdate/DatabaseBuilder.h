#pragma once
// Builds a database the way an installation gets one: a new database from
// the delivered base schema, then the registered update units in list
// order, each through its own DoUpdate and so through isql-fb and the same
// runner the update dialog uses. No dialog, no backup of its own: a unit
// that fails puts its database back as it found it (UnitRollback.h), and a
// build that fails is simply thrown away and made again.
//
// While it runs, the builder points the program's folders in SystemDef
// (TempDir, LogDir, SqlDir, SYSDIR and, for company data, DataDir) and the
// database login at its arguments, and puts them back afterwards. The
// edition (EditionFlag) and the connection mode (ConnectionMode) are left as
// the caller set them: some units write other scripts for them.
//
// A run stops
//   - after the last unit at or below the stop version, when one is given;
//   - before the first entry whose unit is not built into this program (an
//     entry without an update function, see SystemUpdates.h);
//   - at the first unit that does not answer 1 (its code is reported).

#include "dbupdate/SchemaBuilder.h"
#include "dbupdate/UpdateUnit.h"

#include <compare>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace dbupdate {

// Which database, which list.
enum class UpdateListKind {
    SystemDatabase,  // <SYSDIR>/<SysDbFileName>, the system update list
    CompanyData,     // <DataDir>/<DataDbFileName>, the accounting-data list
};

struct UpdateVersion {
    std::int32_t major = 0;
    std::int32_t minor1 = 0;
    std::int32_t minor2 = 0;
    auto operator<=>(const UpdateVersion&) const = default;
    std::string Text() const;  // "%d.%d.%d"
};

UpdateVersion VersionOf(const TDbUpdateListRec& rec);

struct DatabaseBuildSettings {
    std::filesystem::path sqlDir;   // the installation's sql folder (base schemas, body files)
    std::filesystem::path tempDir;  // work folder of the update scripts
    std::filesystem::path logDir;   // where failed runs leave ErrDataup.*
    // For company data: the system-data folder the units may read
    // (SystemDef.SYSDIR); for the system database the target folder is it.
    std::filesystem::path sysDir;
    // Run no unit above this version.
    std::optional<UpdateVersion> stopAt;
    SchemaBuildOptions schema;  // login and tool of the base build; the units log in alike
    // Called after every unit that answered 1, with its row (the database
    // is at that version and detached).
    std::function<void(const TDbUpdateListRec&)> afterUnit;
};

struct DatabaseBuildReport {
    UpdateVersion start;                 // the database's version before the run
    UpdateVersion reached;               // its version after it
    std::vector<UpdateVersion> applied;  // the units that ran, in order
    std::int32_t failedResult = 0;       // 0, or the code of the unit that failed
    std::optional<UpdateVersion> failedAt;
    std::optional<UpdateVersion> unregisteredAt;  // the first pending entry without a unit
    std::vector<UpdateVersion> pending;           // entries above the reached version left to run
    bool Succeeded() const { return failedResult == 0; }
};

// A unit raised an error instead of answering (a script it cannot write, a
// program-side step that failed); what() names the version.
class DatabaseUpdateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The database file of a kind in a folder.
std::string UpdateTargetPath(UpdateListKind kind, const std::filesystem::path& folder);

// The version the database records: the highest VERSION row of a system
// database (0.0.0 when it has none), the ACCVERSION row 1 of company data.
UpdateVersion ReadDatabaseVersion(UpdateListKind kind, const std::string& database,
                                  const SchemaBuildOptions& login = {});

// Runs the entries of list above the database's version in order (see
// above) against the database of kind in folder.
DatabaseBuildReport RunPendingUpdates(UpdateListKind kind, const std::filesystem::path& folder,
                                      const TArrayDbUpdateListRec& list, const DatabaseBuildSettings& settings);

// Creates the database of kind in folder (it must not exist) from the base
// script, then RunPendingUpdates.
DatabaseBuildReport BuildDatabase(UpdateListKind kind, const std::filesystem::path& folder,
                                  const std::filesystem::path& baseScript, const TArrayDbUpdateListRec& list,
                                  const DatabaseBuildSettings& settings);

// The system database: the base "qhaccdef.sql" of settings.sqlDir and the
// system update list, in folder (which becomes SYSDIR for the run).
DatabaseBuildReport BuildSystemDatabase(const std::filesystem::path& folder, const DatabaseBuildSettings& settings);

// A company database: the base "qhacc.sql" of settings.sqlDir, then the
// given scripts (a chart of "<sql>/base", say "qhacc-chart-individual.sql",
// which turns the corporation's books into another data kind), then the
// accounting update list, in folder (which becomes the data folder for the
// run).
DatabaseBuildReport BuildCompanyDatabase(const std::filesystem::path& folder, const DatabaseBuildSettings& settings,
                                         const std::vector<std::filesystem::path>& dataKindScripts = {});

}  // namespace dbupdate
