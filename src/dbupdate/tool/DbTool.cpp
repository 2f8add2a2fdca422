// ledrix-dbtool: builds a database of the installation the way the program
// gets one (the delivered base schema, then the update units through
// isql-fb), to a chosen version and data kind. The tests, the demonstration
// data and the benchmarks use it, and the build makes the initial company
// databases "acc%d.gbk" with it.
//
//   ledrix-dbtool system  <folder> [--to X.Y.Z] [options]
//   ledrix-dbtool fileman <folder> [options]
//   ledrix-dbtool company <folder> [--kind 11|21|22|23|31|name] [--to X.Y.Z]
//                         [--name <company name>] [--backup <file.gbk>] [options]
//
// and, on databases built so, what a working installation needs besides:
//
//   ledrix-dbtool operator <system folder> --code <n> --name <name>
//                          [--level <n>] (the operator's password from
//                          LEDRIX_OPERATOR_PASSWORD, empty when unset)
//   ledrix-dbtool journal  <company folder> [--entries <per month>]
//   ledrix-dbtool register <system folder> --data <company folder> --rec <n>
//                          [--version-text <edition name>] (the version
//                          column's text; default "major.minor1" of the data)
//
// Options: --sql <folder> (the installation's sql folder; default the one
// beside the program), --firebird-root <folder> (the private Firebird root
// to lay out and use; default $FIREBIRD when it is set, else
// <folder>/.firebird), --edition <n> (EditionFlag of the units).
//
// The login is the database user of the installation, from ISC_USER and
// ISC_PASSWORD when they are set (never from the command line, which every
// user of the machine can read). The database must not exist yet; the
// folder is made (operator, journal and register change databases that
// exist). Exit code 0 on success, 1 on a failed build (the message
// names the unit and its result), 2 on a wrong command line.

#include "DemoData.h"

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
    std::optional<std::string> name;
    std::optional<int> code;
    int level = 9;
    int entries = 20;
    std::optional<fs::path> data;
    std::optional<int> rec;
    std::string versionText;
};

bool IsBuild(const std::string& what)
{
    return what == "system" || what == "fileman" || what == "company";
}
bool IsDemoStep(const std::string& what)
{
    return what == "operator" || what == "journal" || what == "register";
}

[[noreturn]] void Usage(const std::string& problem)
{
    std::cerr << "ledrix-dbtool: " << problem << "\n"
              << "usage: ledrix-dbtool system|fileman|company <folder> [--to X.Y.Z] [--kind 11|21|22|23|31]\n"
              << "       [--name <company name>] [--backup <file.gbk>] [--sql <folder>] [--firebird-root <folder>]\n"
              << "       [--edition <n>]\n"
              << "       ledrix-dbtool operator <system folder> --code <n> --name <name> [--level <n>]\n"
              << "       ledrix-dbtool journal <company folder> [--entries <per month>]\n"
              << "       ledrix-dbtool register <system folder> --data <company folder> --rec <n>\n"
              << "       [--version-text <edition name>]\n";
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

int Number(const std::string& text)
{
    std::size_t used = 0;
    try {
        const int value = std::stoi(text, &used);
        if (used == text.size())
            return value;
    } catch (const std::exception&) {
    }
    Usage("not a number: " + text);
}

Arguments Parse(int argc, char** argv)
{
    if (argc < 3)
        Usage("a database kind and a folder are needed");
    Arguments arguments;
    arguments.what = argv[1];
    if (!IsBuild(arguments.what) && !IsDemoStep(arguments.what))
        Usage("unknown command: " + arguments.what);
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
            arguments.edition = Number(value);
        else if (option == "--name")
            arguments.name = value;
        else if (option == "--code")
            arguments.code = Number(value);
        else if (option == "--level")
            arguments.level = Number(value);
        else if (option == "--entries")
            arguments.entries = Number(value);
        else if (option == "--data")
            arguments.data = value;
        else if (option == "--rec")
            arguments.rec = Number(value);
        else if (option == "--version-text")
            arguments.versionText = value;
        else
            Usage("unknown option: " + option);
    }
    if (arguments.what == "operator" && (!arguments.code || !arguments.name))
        Usage("operator needs --code and --name");
    if (arguments.what == "register" && (!arguments.data || !arguments.rec))
        Usage("register needs --data and --rec");
    if (arguments.entries < 1)
        Usage("--entries must be 1 or more");
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

int RunDemoStep(const Arguments& arguments, const fs::path& folder, const demodata::Login& login)
{
    if (arguments.what == "operator") {
        demodata::AddOperator(folder, login, *arguments.code, *arguments.name,
                              Environment("LEDRIX_OPERATOR_PASSWORD", ""), arguments.level);
        std::cout << folder.string() << ": operator " << *arguments.code << " written\n";
    } else if (arguments.what == "journal") {
        const std::int32_t rows = demodata::PostJournalYear(folder, login, arguments.entries);
        std::cout << folder.string() << ": " << rows << " journal rows posted\n";
    } else {
        demodata::RegisterData(folder, fs::absolute(*arguments.data), login, *arguments.rec, arguments.versionText);
        std::cout << folder.string() << ": data-list row " << *arguments.rec << " written\n";
    }
    return 0;
}

int Run(const Arguments& arguments)
{
    if (IsBuild(arguments.what))
        fs::create_directories(arguments.folder);
    const fs::path folder = fs::absolute(arguments.folder);
    const fs::path root = arguments.firebirdRoot ? fs::absolute(*arguments.firebirdRoot)
                                                 : fs::path(Environment("FIREBIRD", (folder / ".firebird").string()));
    db::LayOutFirebirdRoot(root);
    db::UseFirebirdRoot(root);
    if (IsDemoStep(arguments.what)) {
        dbupdate::SchemaBuildOptions defaults;
        return RunDemoStep(arguments, folder,
                           {Environment("ISC_USER", defaults.user), Environment("ISC_PASSWORD", defaults.password)});
    }
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
        if (result == 0 && arguments.name)
            demodata::SetCompanyName(folder, {settings.schema.user, settings.schema.password}, *arguments.name);
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
