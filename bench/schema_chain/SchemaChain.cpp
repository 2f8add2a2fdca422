// schema_chain: what the update units cost beyond their statements.
//
// Builds a company database of a data kind from the base schema, then
// times the accounting updates from there to the last version two ways:
//   units    every unit through its own update function, as the program
//            runs them (one isql-fb per unit, the copy that guards each
//            unit, the data fixes);
//   session  the same statements in one isql-fb session: the scripts the
//            units handed to isql-fb, captured on the way, joined into one
//            script with one CONNECT and one EXIT.
// Each runs on its own copy of the same start database. Prints both times
// and their ratio, the number of tool runs and where the units' time went.
//
// The session goes on past a failing statement: a few statements rely on
// what a unit does through its own connection before its script (3.0.7's
// empty trigger, the data conversions), which no script holds. The count of
// such statements is printed; they fail at once, so they take the session
// no time it would otherwise spend.
//
//   schema_chain [--kind 11|21|22|23|31] [--start <qhacc.fdb>] [--work <folder>]
//
// --start begins from a copy of the given company database instead of the
// base (to time a stretch of the list). The work folder (default a new one
// under the temporary folder) keeps the captured scripts and is removed at
// the end.

#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/DatabaseBuilder.h"
#include "dbupdate/InitialData.h"
#include "dbupdate/SchemaBuilder.h"
#include "foundation/InstallationNames.h"
#include "foundation/SystemDef.h"
#include "platform/db/FirebirdRoot.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// A stand-in for isql-fb in the program folder: keeps a copy of every
// script it is given (numbered in run order), then runs the real tool.
void WriteCapturingTool(const fs::path& programDir, const fs::path& captureDir, const std::string& realTool)
{
    fs::create_directories(programDir);
    fs::create_directories(captureDir);
    const fs::path tool = programDir / "isql-fb";
    std::ofstream(tool) << "#!/bin/sh\n"
                        << "n=$(ls '" << captureDir.string() << "' | wc -l)\n"
                        << "cp \"$3\" '" << captureDir.string() << "'/$(printf %04d \"$n\").sql\n"
                        << "s=$(date +%s.%N)\n"
                        << "'" << realTool << "' \"$@\"\n"
                        << "r=$?\n"
                        << "echo \"$s $(date +%s.%N)\" >> '" << captureDir.string() << ".times'\n"
                        << "exit $r\n";
    fs::permissions(tool, fs::perms::owner_all);
}

// The captured scripts as one: the first CONNECT, every statement in run
// order, one EXIT at the end.
fs::path JoinScripts(const fs::path& captureDir, const fs::path& target)
{
    std::vector<fs::path> scripts;
    for (const auto& entry : fs::directory_iterator(captureDir))
        scripts.push_back(entry.path());
    std::sort(scripts.begin(), scripts.end());
    std::ofstream out(target, std::ios::binary);
    bool connected = false;
    for (const fs::path& script : scripts)
        for (const std::string& line : Lines(ReadAll(script))) {
            if (line == "EXIT;")
                continue;
            if (line.rfind("CONNECT ", 0) == 0) {
                if (connected)
                    continue;
                connected = true;
            }
            out << line << "\r\n";
        }
    out << "EXIT;\r\n";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    return target;
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

}  // namespace

int main(int argc, char** argv)
{
    std::string kindName = "11";
    std::optional<fs::path> start;
    fs::path work = fs::temp_directory_path() / ("schema_chain-" + std::to_string(::getpid()));
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--kind")
            kindName = argv[i + 1];
        else if (option == "--start")
            start = fs::absolute(argv[i + 1]);
        else if (option == "--work")
            work = fs::absolute(argv[i + 1]);
    }
    try {
        const dbupdate::InitialDataKind& kind = dbupdate::FindInitialDataKind(kindName);
        fs::create_directories(work);
        db::LayOutFirebirdRoot(work / "firebird");
        db::UseFirebirdRoot(work / "firebird");
        SysDbFileName = "qhaccdef.fdb";
        DataDbFileName = "qhacc.fdb";

        dbupdate::DatabaseBuildSettings settings;
        settings.sqlDir = LEDRIX_SQL_DIR;
        settings.tempDir = work / "temp";
        settings.logDir = work / "log";
        settings.sysDir = work / "sys";
        settings.schema.forcedWrites = false;
        for (const fs::path& folder : {settings.tempDir, settings.logDir, settings.sysDir})
            fs::create_directories(folder);

        // The start database.
        const fs::path base = work / "base";
        fs::create_directories(base);
        if (start) {
            fs::copy_file(*start, base / "qhacc.fdb");
        } else {
            dbupdate::BuildBaseDatabase((base / "qhacc.fdb").string(), dbupdate::BaseSchema::CompanyDatabase,
                                        settings.sqlDir, settings.schema);
            for (const fs::path& script : dbupdate::ChartScripts(settings.sqlDir, kind))
                dbupdate::RunSchemaScript((base / "qhacc.fdb").string(), script, settings.schema);
        }
        for (const char* copy : {"units", "session"}) {
            fs::create_directories(work / copy);
            fs::copy_file(base / "qhacc.fdb", work / copy / "qhacc.fdb");
        }

        // The units, their scripts captured on the way to the tool.
        const char* path = std::getenv("PATH");
        std::string realTool = "/usr/bin/isql-fb";
        for (std::istringstream dirs(path ? path : ""); std::getline(dirs, realTool, ':');)
            if (fs::exists(fs::path(realTool) / "isql-fb")) {
                realTool = (fs::path(realTool) / "isql-fb").string();
                break;
            }
        WriteCapturingTool(work / "program", work / "captured", realTool);
        SystemDef.ProgramDir = (work / "program").string();
        const auto unitsStart = std::chrono::steady_clock::now();
        const dbupdate::DatabaseBuildReport report = dbupdate::RunPendingUpdates(
            dbupdate::UpdateListKind::CompanyData, work / "units", GetAccountingUpdateList(), settings);
        const double units = Seconds(std::chrono::steady_clock::now() - unitsStart);
        if (!report.Succeeded()) {
            std::cerr << "schema_chain: update " << report.failedAt->Text() << " answered " << report.failedResult
                      << " (logs in " << settings.logDir.string() << ")\n";
            return 1;
        }

        // The same statements in one session.
        const fs::path joined = JoinScripts(work / "captured", work / "session.sql");
        // The joined script connects to the units' copy; point it at its own.
        std::string text = ReadAll(joined);
        const std::string from = (work / "units" / "qhacc.fdb").string();
        const std::string to = (work / "session" / "qhacc.fdb").string();
        text.replace(text.find(from), from.size(), to);
        std::ofstream(joined, std::ios::binary | std::ios::trunc) << text;
        const std::string command =
            "'" + realTool + "' -i '" + joined.string() + "' -m -o '" + (work / "session.log").string() + "'";
        const auto sessionStart = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        const double session = Seconds(std::chrono::steady_clock::now() - sessionStart);
        std::size_t failedStatements = 0;
        for (const std::string& line : Lines(ReadAll(work / "session.log")))
            if (line.rfind("Statement failed", 0) == 0)
                ++failedStatements;
        // Without bailing out the tool ends with an error code when any
        // statement failed; the version the session reached tells whether
        // it ran through.
        (void)status;
        if (dbupdate::ReadDatabaseVersion(dbupdate::UpdateListKind::CompanyData, to, settings.schema) !=
            report.reached) {
            std::cerr << "schema_chain: the joined script did not reach " << report.reached.Text() << " (see "
                      << (work / "session.log").string() << ")\n";
            return 1;
        }

        // How much of the units' time the tool itself took.
        double inTool = 0;
        std::size_t toolRuns = 0;
        for (const std::string& line : Lines(ReadAll(work / "captured.times"))) {
            std::istringstream pair(line);
            double begin = 0, end = 0;
            if (pair >> begin >> end) {
                inTool += end - begin;
                ++toolRuns;
            }
        }
        std::cout << std::fixed << std::setprecision(2) << "kind " << kind.number << ": " << report.start.Text()
                  << " -> " << report.reached.Text() << ", " << report.applied.size() << " updates\n"
                  << "units   " << units << " s: " << inTool << " s in " << toolRuns << " isql-fb runs ("
                  << inTool / static_cast<double>(std::max<std::size_t>(toolRuns, 1)) << " s each), " << units - inTool
                  << " s in the program (copies, data fixes, checks)\n"
                  << "session " << session << " s (" << failedStatements
                  << " statements failed for want of the units' own data fixes)\n"
                  << "ratio   " << units / session << "\n";
        fs::remove_all(work);
        return 0;
    } catch (const dbupdate::SchemaBuildError& error) {
        std::cerr << "schema_chain: " << error.what() << "\n" << error.ToolOutput() << "\n";
    } catch (const std::exception& error) {
        std::cerr << "schema_chain: " << error.what() << "\n";
    }
    return 1;
}
