#pragma once
// Splices shared template text into the installation's SQL files.
//
// Procedures of several versions that differ in a few places (the widths
// of their result columns, a comparison) share one text: a template holds
// the common part once, in a file of its own, and each version's file
// takes it with an INCLUDE standing alone on its line:
//
//     /*@ INCLUDE "../paging/journal-row-returns.sql" WITH N = 112, T = 400 */
//
// The path is relative to the folder of the file that names it. The
// included lines take the place of the directive before the FOR lists are
// expanded, so they see the variables of the FOR lists around the
// directive; each "X = value" of the WITH clause binds one more variable
// around them, as a FOR over that one value would (the same capital
// letter and value rules). An included file may include further files,
// but not itself through any chain.
//
// A fault (an unreadable file, a malformed directive, an include cycle,
// or a template fault in the spliced text) throws SqlIncludeError naming
// the file and line that hold it.

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace sqlgen {

class SqlIncludeError final : public std::runtime_error {
public:
    SqlIncludeError(std::filesystem::path file, int line, const std::string& fault);

    const std::filesystem::path& File() const noexcept { return file_; }
    // The 1-based line of File that holds the fault.
    int Line() const noexcept { return line_; }
    const std::string& Fault() const noexcept { return fault_; }

private:
    std::filesystem::path file_;
    int line_;
    std::string fault_;
};

// Reads a file's text; throws std::runtime_error when it cannot.
using TemplateReader = std::function<std::string(const std::filesystem::path&)>;

// The expanded text of the template file, its includes spliced.
std::string ExpandSqlFile(const std::filesystem::path& file, const TemplateReader& read);

}  // namespace sqlgen
