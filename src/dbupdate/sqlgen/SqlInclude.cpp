#include "dbupdate/sqlgen/SqlInclude.h"

#include "dbupdate/sqlgen/SqlTemplate.h"

#include <algorithm>
#include <regex>
#include <vector>

namespace sqlgen {

SqlIncludeError::SqlIncludeError(std::filesystem::path file, int line, const std::string& fault)
    : std::runtime_error(file.string() + ":" + std::to_string(line) + ": " + fault),
      file_(std::move(file)),
      line_(line),
      fault_(fault)
{}

namespace {

namespace fs = std::filesystem;

// Where a line of the spliced text comes from.
struct Origin {
    fs::path file;
    int line;
};

struct Spliced {
    std::string text;
    std::vector<Origin> origins;  // one per line of text
    bool included = false;        // an INCLUDE was replaced
};

// Deep enough for any sharing a script needs; a cycle is caught by name
// before this, so the limit only guards against a runaway chain of files.
constexpr std::size_t MaxDepth = 16;

void AddLine(Spliced& out, const std::string& line, const Origin& origin)
{
    out.text += line;
    out.text += '\n';
    out.origins.push_back(origin);
}

void Splice(const fs::path& file, const TemplateReader& read, std::vector<fs::path>& chain, Spliced& out)
{
    static const std::regex include(R"re(^\s*/\*@\s*INCLUDE\b(.*)\*/\s*$)re");
    static const std::regex clause(R"re(^\s*"([^"]+)"\s*(?:WITH\s+(.*?))?\s*$)re");
    static const std::regex binding(R"re(^\s*(\S+?)\s*=\s*(\S+?)\s*$)re");

    const std::string text = read(file);
    chain.push_back(fs::weakly_canonical(file));
    int lineNo = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        ++lineNo;
        const Origin here{file, lineNo};
        std::smatch directive;
        std::smatch parts;
        const std::string body = std::regex_match(line, directive, include) ? directive[1].str() : std::string();
        if (directive.empty()) {
            if (!(last && line.empty()))
                AddLine(out, line, here);
        } else if (!std::regex_match(body, parts, clause)) {
            throw SqlIncludeError(file, lineNo, "INCLUDE needs a path in double quotes, then WITH X = value, ...");
        } else {
            out.included = true;
            const fs::path target = file.parent_path() / parts[1].str();
            if (chain.size() >= MaxDepth)
                throw SqlIncludeError(file, lineNo, "INCLUDE nested too deep");
            for (const fs::path& open : chain)
                if (open == fs::weakly_canonical(target))
                    throw SqlIncludeError(file, lineNo, "INCLUDE of " + target.string() + " includes itself");
            std::vector<std::string> bound;
            const std::string with = parts[2].str();
            std::size_t from = 0;
            while (!with.empty() && from <= with.size()) {
                const std::size_t comma = std::min(with.find(',', from), with.size());
                const std::string item = with.substr(from, comma - from);
                std::smatch pair;
                if (!std::regex_match(item, pair, binding))
                    throw SqlIncludeError(file, lineNo, "WITH needs X = value, separated by commas");
                AddLine(out, "/*@ FOR " + pair[1].str() + " IN " + pair[2].str() + " */", here);
                bound.push_back(pair[1].str());
                from = comma + 1;
            }
            try {
                Splice(target, read, chain, out);
            } catch (const SqlIncludeError&) {
                throw;
            } catch (const std::exception& error) {
                throw SqlIncludeError(file, lineNo, error.what());
            }
            for (std::size_t i = 0; i < bound.size(); ++i)
                AddLine(out, "/*@ END */", here);
        }
        if (last)
            break;
        start = end + 1;
    }
    chain.pop_back();
}

}  // namespace

std::string ExpandSqlFile(const fs::path& file, const TemplateReader& read)
{
    Spliced spliced;
    std::vector<fs::path> chain;
    Splice(file, read, chain, spliced);
    // A file without includes is expanded from its own text, so that it
    // comes out byte for byte as before (the splice ends every line).
    const bool includes = spliced.included;
    try {
        return ExpandSqlTemplate(includes ? spliced.text : read(file));
    } catch (const SqlTemplateError& error) {
        const std::size_t at = static_cast<std::size_t>(error.Line()) - 1;
        if (!includes || at >= spliced.origins.size())
            throw SqlIncludeError(file, error.Line(), error.Fault());
        throw SqlIncludeError(spliced.origins[at].file, spliced.origins[at].line, error.Fault());
    }
}

}  // namespace sqlgen
