#pragma once
// The initial company databases of the installation, "acc%d.gbk" with the
// numbers 11, 21, 22, 23 and 31 (data type times ten plus code type): a
// company database of that kind built from the base schema and the
// update units to the last accounting version, saved with the engine's own
// backup. The build makes them; they are never kept as files of the
// sources.

#include "dbupdate/DatabaseBuilder.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dbupdate {

struct InitialDataKind {
    std::int32_t number;  // 11, 21, 22, 23, 31
    const char* name;     // "corporation", "individual", ...
    // The scripts of "<sql>/base" after qhacc.sql, in order.
    std::vector<const char*> chartScripts;
};

const std::vector<InitialDataKind>& InitialDataKinds();

// The kind of a number or a name; throws std::invalid_argument for another.
const InitialDataKind& FindInitialDataKind(const std::string& numberOrName);

// The kind's scripts as paths under "<sqlDir>/base".
std::vector<std::filesystem::path> ChartScripts(const std::filesystem::path& sqlDir, const InitialDataKind& kind);

// "acc<number>.gbk".
std::string InitialDataFileName(const InitialDataKind& kind);

// Backs the database up to backupFile with the engine's backup (the
// embedded engine's services, a file any platform can restore). Throws
// db::FbError.
void BackupDatabaseFile(const std::string& database, const std::filesystem::path& backupFile,
                        const SchemaBuildOptions& login);

}  // namespace dbupdate
