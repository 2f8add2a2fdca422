#include "dbupdate/EmbeddedSql.h"

#include <map>

namespace embeddedsql {

namespace {

const std::map<std::string, std::string, std::less<>>& Files()
{
    static const std::map<std::string, std::string, std::less<>> files = [] {
        std::map<std::string, std::string, std::less<>> joined;
        for (const auto& [name, pieces] : GeneratedFiles()) {
            std::string text;
            for (const std::string_view piece : pieces)
                text += piece;
            joined.emplace(std::string(name), std::move(text));
        }
        return joined;
    }();
    return files;
}

}  // namespace

const std::string* Find(std::string_view name)
{
    const auto found = Files().find(name);
    return found == Files().end() ? nullptr : &found->second;
}

std::vector<std::string> Names()
{
    std::vector<std::string> names;
    for (const auto& [name, text] : Files())
        names.push_back(name);
    return names;
}

}  // namespace embeddedsql
