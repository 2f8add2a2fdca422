// ledrix-dbtool: builds a database of the installation the way the program
// gets one (the delivered base schema, then the update units through
// isql-fb), to a chosen version and data kind. The tests, the demonstration
// data and the benchmarks use it, and the build makes the initial company
// databases "acc%d.gbk" with it.
//
//   ledrix-dbtool system  <folder> [--to X.Y.Z] [options]
//   ledrix-dbtool fileman <folder> [options]
//   ledrix-dbtool company <folder> [--kind 11|21|22|23|31|name] [--to X.Y.Z]
//                         [--backup <file.gbk>] [options]
//
// Options: --sql <folder> (the installation's sql folder; default the one
// beside the program), --firebird-root <folder> (the private Firebird root
// to lay out and use; default $FIREBIRD when it is set, else
// <folder>/.firebird), --edition <n> (EditionFlag of the units).
//
// The login is the database user of the installation, from ISC_USER and
// ISC_PASSWORD when they are set (never from the command line, which every
// user of the machine can read). The database must not exist yet; the
// folder is made. Exit code 0 on success, 1 on a failed build (the message
// names the unit and its result), 2 on a wrong command line.

#include "dbupdate/DatabaseBuilder.h"
#include "dbupdate/InitialData.h"
#include "dbupdate/SchemaBuilder.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "platform/db/FirebirdRoot.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Arguments {
    std::string what;
    fs::path folder;
    std::optional<dbupdate::UpdateVersion> to;
    std::string kind = "11";
    std::optional<fs::path> backup;
    std::optional<fs::path> sqlDir;
    std::optional<fs::path> firebirdRoot;
    int edition = 0;
};

[[noreturn]] void Usage(const std::string& problem)
{
    std::cerr << "ledrix-dbtool: " << problem << "\n"
              << "usage: ledrix-dbtool system|fileman|company <folder> [--to X.Y.Z] [--kind 11|21|22|23|31]\n"
              << "       [--backup <file.gbk>] [--sql <folder>] [--firebird-root <folder>] [--edition <n>]\n";
    std::exit(2);
}

dbupdate::UpdateVersion ParseVersion(const std::string& text)
{
    dbupdate::UpdateVersion version;
    std::size_t used = 0;
    try {
        version.major = std::stoi(text, &used);
        std::string rest = text.substr(used);
        if (rest.size() < 2 || rest[0] != '.')
            throw std::invalid_argument(text);
        version.minor1 = std::stoi(rest.substr(1), &used);
        rest = rest.substr(1 + used);
        if (rest.size() < 2 || rest[0] != '.')
            throw std::invalid_argument(text);
        version.minor2 = std::stoi(rest.substr(1), &used);
        if (rest.size() != 1 + used)
            throw std::invalid_argument(text);
    } catch (const std::exception&) {
        Usage("not a version X.Y.Z: " + text);
    }
    return version;
}

Arguments Parse(int argc, char** argv)
{
    if (argc < 3)
        Usage("a database kind and a folder are needed");
    Arguments arguments;
    arguments.what = argv[1];
    if (arguments.what != "system" && arguments.what != "fileman" && arguments.what != "company")
        Usage("unknown database: " + arguments.what);
    arguments.folder = argv[2];
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            Usage("a value is missing after " + option);
        const std::string value = argv[++i];
        if (option == "--to")
            arguments.to = ParseVersion(value);
        else if (option == "--kind") {
            try {
                dbupdate::FindInitialDataKind(value);
            } catch (const std::invalid_argument& error) {
                Usage(error.what());
            }
            arguments.kind = value;
        } else if (option == "--backup")
            arguments.backup = value;
        else if (option == "--sql")
            arguments.sqlDir = value;
        else if (option == "--firebird-root")
            arguments.firebirdRoot = value;
        else if (option == "--edition")
            arguments.edition = std::stoi(value);
        else
            Usage("unknown option: " + option);
    }
    return arguments;
}

std::string Environment(const char* name, const std::string& fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

int Report(const dbupdate::DatabaseBuildReport& report, const std::string& database)
{
    if (!report.Succeeded()) {
        std::cerr << "ledrix-dbtool: " << database << ": update " << report.failedAt->Text() << " answered "
                  << report.failedResult << "\n";
        return 1;
    }
    std::cout << database << ": " << report.start.Text() << " -> " << report.reached.Text() << " ("
              << report.applied.size() << " updates)\n";
    return 0;
}

int Run(const Arguments& arguments)
{
    fs::create_directories(arguments.folder);
    const fs::path folder = fs::absolute(arguments.folder);
    const fs::path root = arguments.firebirdRoot ? fs::absolute(*arguments.firebirdRoot)
                                                 : fs::path(Environment("FIREBIRD", (folder / ".firebird").string()));
    db::LayOutFirebirdRoot(root);
    db::UseFirebirdRoot(root);
    EditionFlag = static_cast<std::uint8_t>(arguments.edition);
    SysDbFileName = "qhaccdef.fdb";
    DataDbFileName = "qhacc.fdb";

    const fs::path work = folder / ".dbtool-work";
    dbupdate::DatabaseBuildSettings settings;
    // The installation's sql folder lies in the parent of the program's.
    settings.sqlDir = arguments.sqlDir ? fs::absolute(*arguments.sqlDir)
                                       : fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "sql";
    settings.tempDir = work / "temp";
    settings.logDir = work / "log";
    settings.sysDir = work / "sys";
    settings.stopAt = arguments.to;
    settings.schema.user = Environment("ISC_USER", settings.schema.user);
    settings.schema.password = Environment("ISC_PASSWORD", settings.schema.password);
    fs::create_directories(settings.tempDir);
    fs::create_directories(settings.logDir);
    fs::create_directories(settings.sysDir);

    int result = 0;
    if (arguments.what == "fileman") {
        const fs::path database = folder / "qhfileman.fdb";
        dbupdate::BuildBaseDatabase(database.string(), dbupdate::BaseSchema::FileManager, settings.sqlDir,
                                    settings.schema);
        std::cout << database.string() << ": built\n";
    } else if (arguments.what == "system") {
        result = Report(dbupdate::BuildSystemDatabase(folder, settings),
                        dbupdate::UpdateTargetPath(dbupdate::UpdateListKind::SystemDatabase, folder));
    } else {
        const dbupdate::InitialDataKind& kind = dbupdate::FindInitialDataKind(arguments.kind);
        const std::string database = dbupdate::UpdateTargetPath(dbupdate::UpdateListKind::CompanyData, folder);
        result = Report(dbupdate::BuildCompanyDatabase(folder, settings, dbupdate::ChartScripts(settings.sqlDir, kind)),
                        database);
        if (result == 0 && arguments.backup) {
            fs::create_directories(fs::absolute(*arguments.backup).parent_path());
            fs::remove(*arguments.backup);
            dbupdate::BackupDatabaseFile(database, fs::absolute(*arguments.backup), settings.schema);
            std::cout << fs::absolute(*arguments.backup).string() << ": backup written\n";
        }
    }
    if (result == 0)
        fs::remove_all(work);
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    const Arguments arguments = Parse(argc, argv);
    try {
        return Run(arguments);
    } catch (const dbupdate::SchemaBuildError& error) {
        std::cerr << "ledrix-dbtool: " << error.what() << "\n" << error.ToolOutput() << "\n";
    } catch (const std::exception& error) {
        std::cerr << "ledrix-dbtool: " << error.what() << "\n";
    }
    return 1;
}
