// ledrix_sqlgen SOURCE OUTPUT
// ledrix_sqlgen --embed SOURCE OUTPUT.cpp
//
// Writes the installation's sql folder: every file of SOURCE goes to the
// same relative path under OUTPUT, a .sql file expanded from its template
// (see SqlTemplate.h) with the shared parts it includes (SqlInclude.h), any
// other file (such as a shared part, ".sqlinc") copied as it is. What OUTPUT holds
// beyond that is removed, so that a script deleted from the source does not
// live on in the folder that the tests build their databases from. A file
// whose text is unchanged is not rewritten.
//
// With --embed it writes instead the C++ source that embeds the expanded
// text of every .sql file of SOURCE in the program (SqlEmbed.h), named by
// its path relative to SOURCE with "/" between folders.
//
// A malformed template stops the tool with "<file>:<line>: error: <fault>"
// (the form editors jump to) and exit code 1, before anything is written.

#include "dbupdate/sqlgen/SqlEmbed.h"
#include "dbupdate/sqlgen/SqlInclude.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

class ToolError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ToolError(path.string() + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw ToolError(path.string() + ": cannot be read");
    return text.str();
}

std::optional<std::string> ReadIfExists(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    return ReadFile(path);
}

void WriteIfChanged(const fs::path& path, const std::string& text)
{
    if (ReadIfExists(path) == text)
        return;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        throw ToolError(path.string() + ": cannot be written");
}

bool IsWithin(const fs::path& inner, const fs::path& outer)
{
    const fs::path relative = inner.lexically_relative(outer);
    return !relative.empty() && *relative.begin() != "..";
}

// The text of every file of the source, by relative path; all templates are
// expanded before anything is written.
std::map<fs::path, std::string> ExpandedFiles(const fs::path& source)
{
    std::map<fs::path, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
        if (!entry.is_regular_file())
            continue;
        const fs::path relative = entry.path().lexically_relative(source);
        std::string text = ReadFile(entry.path());
        if (entry.path().extension() == ".sql") {
            try {
                text = sqlgen::ExpandSqlFile(entry.path(), ReadFile);
            } catch (const sqlgen::SqlIncludeError& error) {
                throw ToolError(error.File().string() + ":" + std::to_string(error.Line()) +
                                ": error: " + error.Fault());
            }
        }
        files.emplace(relative, std::move(text));
    }
    return files;
}

// Removes what the output holds beyond the source's files and folders.
void RemoveStrays(const fs::path& output, const std::map<fs::path, std::string>& files)
{
    std::map<fs::path, bool> wanted;  // relative path -> is a folder
    for (const auto& [relative, text] : files) {
        wanted[relative] = false;
        for (fs::path folder = relative.parent_path(); !folder.empty(); folder = folder.parent_path())
            wanted[folder] = true;
    }
    std::vector<fs::path> strays;
    for (auto it = fs::recursive_directory_iterator(output); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path relative = it->path().lexically_relative(output);
        const auto found = wanted.find(relative);
        const bool isFolder = it->is_directory() && !it->is_symlink();
        if (found == wanted.end() || found->second != isFolder) {
            strays.push_back(it->path());
            if (isFolder)
                it.disable_recursion_pending();
        }
    }
    for (const fs::path& stray : strays)
        fs::remove_all(stray);
}

void Embed(const fs::path& source, const fs::path& output)
{
    if (!fs::is_directory(source))
        throw ToolError(source.string() + ": no such folder");
    std::map<std::string, std::string> sqlFiles;
    for (const auto& [relative, text] : ExpandedFiles(source))
        if (relative.extension() == ".sql")
            sqlFiles.emplace(relative.generic_string(), text);
    WriteIfChanged(output, sqlgen::EmbeddedSqlSource(sqlFiles));
}

void Run(const fs::path& sourceArg, const fs::path& outputArg)
{
    const fs::path source = fs::weakly_canonical(sourceArg);
    const fs::path output = fs::weakly_canonical(outputArg);
    if (!fs::is_directory(source))
        throw ToolError(source.string() + ": no such folder");
    if (source == output || IsWithin(output, source) || IsWithin(source, output))
        throw ToolError("the output folder must lie outside the source folder and not contain it");

    const std::map<fs::path, std::string> files = ExpandedFiles(source);
    fs::create_directories(output);
    RemoveStrays(output, files);
    for (const auto& [relative, text] : files)
        WriteIfChanged(output / relative, text);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool embed = argc == 4 && std::string(argv[1]) == "--embed";
    if (argc != 3 && !embed) {
        std::cerr << "usage: ledrix_sqlgen SOURCE OUTPUT\n       ledrix_sqlgen --embed SOURCE OUTPUT.cpp\n";
        return 2;
    }
    try {
        if (embed)
            Embed(argv[2], argv[3]);
        else
            Run(argv[1], argv[2]);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
}
