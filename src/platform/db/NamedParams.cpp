#include "platform/db/NamedParams.h"

#include "platform/AsciiText.h"

namespace db {

namespace {

bool IsNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNamePart(char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '$';
}

// The end of a quoted run that starts at pos (the opening quote); a doubled
// quote inside stands for one quote. An unclosed run ends with the text.
std::size_t QuotedEnd(std::string_view sql, std::size_t pos)
{
    const char quote = sql[pos];
    std::size_t i = pos + 1;
    while (i < sql.size()) {
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

}  // namespace

NamedParamSql TranslateNamedParams(std::string_view sql)
{
    NamedParamSql result;
    result.sql.reserve(sql.size());
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        std::size_t end = i + 1;
        if (c == '\'' || c == '"') {
            end = QuotedEnd(sql, i);
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            end = sql.find('\n', i);
            end = (end == std::string_view::npos) ? sql.size() : end + 1;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            end = sql.find("*/", i + 2);
            end = (end == std::string_view::npos) ? sql.size() : end + 2;
        } else if (c == ':' && i + 1 < sql.size() && IsNameStart(sql[i + 1])) {
            std::size_t nameEnd = i + 1;
            while (nameEnd < sql.size() && IsNamePart(sql[nameEnd]))
                ++nameEnd;
            std::string name;
            for (std::size_t k = i + 1; k < nameEnd; ++k)
                name += ascii::Upper(sql[k]);
            result.names.push_back(std::move(name));
            result.sql += '?';
            i = nameEnd;
            continue;
        } else if (c == '?') {
            result.names.emplace_back();
        }
        result.sql.append(sql.substr(i, end - i));
        i = end;
    }
    return result;
}

}  // namespace db
