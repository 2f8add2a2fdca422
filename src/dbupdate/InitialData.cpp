#include "dbupdate/InitialData.h"

#include "platform/db/ServiceManager.h"

#include <stdexcept>

namespace dbupdate {

const std::vector<InitialDataKind>& InitialDataKinds()
{
    static const std::vector<InitialDataKind> kinds{
        {11, "corporation", {}},
        {21, "individual", {"qhacc-chart-individual.sql"}},
        {22, "realestate", {"qhacc-chart-individual.sql", "qhacc-codetype-realestate.sql"}},
        {23, "clinic", {"qhacc-chart-individual.sql", "qhacc-codetype-clinic.sql"}},
        {31, "medical", {"qhacc-chart-medical.sql"}},
    };
    return kinds;
}

const InitialDataKind& FindInitialDataKind(const std::string& numberOrName)
{
    for (const InitialDataKind& kind : InitialDataKinds())
        if (numberOrName == kind.name || numberOrName == std::to_string(kind.number))
            return kind;
    throw std::invalid_argument("unknown data kind: " + numberOrName);
}

std::vector<std::filesystem::path> ChartScripts(const std::filesystem::path& sqlDir, const InitialDataKind& kind)
{
    std::vector<std::filesystem::path> scripts;
    for (const char* name : kind.chartScripts)
        scripts.push_back(sqlDir / "base" / name);
    return scripts;
}

std::string InitialDataFileName(const InitialDataKind& kind)
{
    return "acc" + std::to_string(kind.number) + ".gbk";
}

void BackupDatabaseFile(const std::string& database, const std::filesystem::path& backupFile,
                        const SchemaBuildOptions& login)
{
    db::BackupOptions options;
    options.nonTransportable = false;
    options.verbose = false;
    db::ServiceManager("", login.user, login.password).Backup(database, backupFile.string(), options);
}

}  // namespace dbupdate
