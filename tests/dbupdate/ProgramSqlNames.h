#pragma once
// The database names the program's own SQL texts use: the tables, views
// and procedures after FROM, JOIN, INTO, UPDATE and EXECUTE PROCEDURE, and
// the columns that can be tied to one of them (the column lists of INSERT
// and UPDATE, the plain select items and compared columns of a statement
// over a single table or procedure, and alias-qualified columns).
//
// The texts are the C++ string literals of the sources; literals that
// follow each other with nothing but blanks, commas, braces or "+" between
// them are read as one text, since statements are written line by line. A
// text is SQL when it starts with SELECT, INSERT, UPDATE, DELETE or
// EXECUTE. Names that the program fills in at run time (a "%s" or a text
// glued from variables) and the engine's own tables (RDB$, MON$) are left
// out.

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace sqlnames {

struct UsedName {
    enum Kind { Object, Column } kind = Object;
    std::string object;  // table, view or procedure
    std::string column;  // Column only
    bool operator<(const UsedName& o) const
    {
        return std::tie(kind, object, column) < std::tie(o.kind, o.object, o.column);
    }
    std::string Text() const { return kind == Object ? object : object + "." + column; }
};

// The string literals of a C++ text, adjacent ones joined by a line end.
inline std::vector<std::string> StringTexts(const std::string& cpp)
{
    std::vector<std::string> texts;
    std::string current;
    bool open = false;
    std::size_t i = 0;
    const auto endText = [&] {
        if (open)
            texts.push_back(current);
        current.clear();
        open = false;
    };
    while (i < cpp.size()) {
        const char c = cpp[i];
        if (c == '/' && i + 1 < cpp.size() && cpp[i + 1] == '/') {
            i = cpp.find('\n', i);
            i = i == std::string::npos ? cpp.size() : i;
        } else if (c == '/' && i + 1 < cpp.size() && cpp[i + 1] == '*') {
            i = cpp.find("*/", i + 2);
            i = i == std::string::npos ? cpp.size() : i + 2;
        } else if (c == '\'') {
            ++i;
            while (i < cpp.size() && cpp[i] != '\'')
                i += cpp[i] == '\\' ? 2 : 1;
            ++i;
            endText();
        } else if (c == '"') {
            const bool raw = i > 0 && cpp[i - 1] == 'R';
            std::string literal;
            if (raw) {
                const std::size_t paren = cpp.find('(', i);
                const std::string close = ")" + cpp.substr(i + 1, paren - i - 1) + "\"";
                const std::size_t end = cpp.find(close, paren);
                literal = cpp.substr(paren + 1, end - paren - 1);
                i = end + close.size();
            } else {
                ++i;
                while (i < cpp.size() && cpp[i] != '"') {
                    if (cpp[i] == '\\' && i + 1 < cpp.size()) {
                        const char e = cpp[i + 1];
                        literal += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
                        i += 2;
                    } else {
                        literal += cpp[i++];
                    }
                }
                ++i;
            }
            current += (open ? "\n" : "") + literal;
            open = true;
        } else if (std::isspace(static_cast<unsigned char>(c)) || c == ',' || c == '{' || c == '}' || c == '+') {
            ++i;
        } else {
            endText();
            ++i;
        }
    }
    endText();
    return texts;
}

namespace detail {

inline const std::set<std::string>& Keywords()
{
    static const std::set<std::string> words{"SELECT",     "FROM",        "WHERE",        "AND",
                                             "OR",         "NOT",         "NULL",         "IS",
                                             "IN",         "AS",          "ORDER",        "BY",
                                             "GROUP",      "HAVING",      "JOIN",         "INNER",
                                             "LEFT",       "RIGHT",       "OUTER",        "FULL",
                                             "ON",         "INSERT",      "INTO",         "VALUES",
                                             "UPDATE",     "SET",         "DELETE",       "EXECUTE",
                                             "PROCEDURE",  "DISTINCT",    "FIRST",        "SKIP",
                                             "ROWS",       "UNION",       "ALL",          "ASC",
                                             "DESC",       "COUNT",       "SUM",          "MAX",
                                             "MIN",        "AVG",         "CAST",         "COALESCE",
                                             "CASE",       "WHEN",        "THEN",         "ELSE",
                                             "END",        "LIKE",        "BETWEEN",      "EXISTS",
                                             "MATCHING",   "RETURNING",   "WITH",         "LOCK",
                                             "PLAN",       "FOR",         "CONTAINING",   "STARTING",
                                             "UPPER",      "LOWER",       "TRIM",         "SUBSTRING",
                                             "IIF",        "NULLIF",      "CURRENT_DATE", "CURRENT_TIMESTAMP",
                                             "ROUND",      "BIN_AND",     "ABS",          "EXTRACT",
                                             "YEAR",       "MONTH",       "DAY",          "DATEADD",
                                             "DATEDIFF",   "CHAR_LENGTH", "OCTET_LENGTH", "ROW_COUNT",
                                             "GEN_ID",     "NEXT",        "VALUE",        "OF",
                                             "INTEGER",    "VARCHAR",     "DATE",         "TIMESTAMP",
                                             "NUMERIC",    "CHARACTER",   "DESCENDING",   "ASCENDING",
                                             "CONTAINING", "COLLATE",     "TRUE",         "FALSE"};
    return words;
}

struct Token {
    std::string text;  // upper case; "" for punctuation
    char punct = 0;
};

inline std::vector<Token> Tokens(const std::string& sql)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < sql.size()) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        if (c == '\'') {
            const std::size_t end = sql.find('\'', i + 1);
            i = end == std::string::npos ? sql.size() : end + 1;
            tokens.push_back({"", '\''});
        } else if (std::isalpha(c) || c == '_' || c == '%' || c == ':' || c == '$') {
            std::string word;
            while (i < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[i])) || sql[i] == '_' ||
                                      sql[i] == '$' || sql[i] == '%' || sql[i] == ':'))
                word += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i++])));
            tokens.push_back({word, 0});
        } else if (std::isspace(c)) {
            ++i;
        } else if (c >= 0x80) {
            ++i;
            tokens.push_back({"", '?'});
        } else {
            tokens.push_back({"", static_cast<char>(c)});
            ++i;
        }
    }
    return tokens;
}

inline bool IsName(const Token& t)
{
    if (t.text.empty() || Keywords().count(t.text))
        return false;
    if (t.text.find_first_of("%:") != std::string::npos || std::isdigit(static_cast<unsigned char>(t.text[0])))
        return false;
    return t.text.rfind("RDB$", 0) != 0 && t.text.rfind("MON$", 0) != 0;
}

}  // namespace detail

// The names one SQL text uses (nothing when the text is no statement).
inline std::set<UsedName> NamesInSql(const std::string& sql)
{
    using detail::IsName;
    using detail::Token;
    const std::vector<Token> t = detail::Tokens(sql);
    std::set<UsedName> names;
    if (t.empty() || !std::set<std::string>{"SELECT", "INSERT", "UPDATE", "DELETE", "EXECUTE"}.count(t[0].text))
        return names;
    const auto at = [&](std::size_t i) -> const Token& {
        static const Token none;
        return i < t.size() ? t[i] : none;
    };
    std::map<std::string, std::string> aliases;  // alias or name -> object
    std::vector<std::string> objects;            // in the order met
    bool dynamic = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const std::string& w = t[i].text;
        const bool objectFollows = w == "FROM" || w == "JOIN" || w == "INTO" ||
                                   (w == "UPDATE" && at(i + 2).text == "SET") ||
                                   (w == "PROCEDURE" && at(i - 1).text == "EXECUTE");
        if (!objectFollows)
            continue;
        const Token& name = at(i + 1);
        if (name.text.empty() || name.text.find('%') != std::string::npos) {
            dynamic = dynamic || name.text.find('%') != std::string::npos || name.punct == 0;
            continue;
        }
        if (!IsName(name))
            continue;
        names.insert({UsedName::Object, name.text, ""});
        objects.push_back(name.text);
        aliases[name.text] = name.text;
        const Token& next = at(i + 2);
        if (IsName(next) && w != "INTO" && w != "UPDATE")
            aliases[next.text] = name.text;
        // The column list of an insert.
        if (w == "INTO" && next.punct == '(') {
            for (std::size_t j = i + 3; j < t.size() && t[j].punct != ')'; ++j)
                if (IsName(t[j]))
                    names.insert({UsedName::Column, name.text, t[j].text});
        }
        // The assignments of an update.
        if (w == "UPDATE") {
            int depth = 0;
            for (std::size_t j = i + 3; j < t.size() && t[j].text != "WHERE"; ++j) {
                depth += t[j].punct == '(' ? 1 : t[j].punct == ')' ? -1 : 0;
                if (depth == 0 && IsName(t[j]) && at(j + 1).punct == '=' && at(j - 1).punct != '.')
                    names.insert({UsedName::Column, name.text, t[j].text});
            }
        }
    }
    // Qualified columns: alias.COLUMN.
    for (std::size_t i = 0; i + 2 < t.size(); ++i)
        if (IsName(t[i]) && t[i + 1].punct == '.' && IsName(t[i + 2]) && aliases.count(t[i].text))
            names.insert({UsedName::Column, aliases[t[i].text], t[i + 2].text});
    // Plain columns of a statement over one object: the select items that
    // stand alone, and the columns compared in it.
    if (objects.size() == 1 && !dynamic) {
        const std::string& object = objects.front();
        bool inSelectList = t[0].text == "SELECT";
        for (std::size_t i = 1; i < t.size(); ++i) {
            if (t[i].text == "FROM")
                inSelectList = false;
            if (!IsName(t[i]) || at(i - 1).punct == '.' || at(i + 1).punct == '.' || at(i + 1).punct == '(' ||
                t[i].text == object || aliases.count(t[i].text) || at(i - 1).text == "AS")
                continue;
            const Token& before = at(i - 1);
            const Token& after = at(i + 1);
            const bool selectItem = inSelectList &&
                                    (before.text == "SELECT" || before.text == "DISTINCT" || before.punct == ',') &&
                                    (after.text == "FROM" || after.text == "AS" || after.punct == ',');
            const bool compared =
                after.punct == '=' || after.punct == '<' || after.punct == '>' ||
                ((before.text == "BY" || before.punct == ',') && !inSelectList &&
                 (after.punct == ',' || after.text.empty() || after.text == "DESC" || after.text == "ASC"));
            if (selectItem || compared)
                names.insert({UsedName::Column, object, t[i].text});
        }
    }
    return names;
}

}  // namespace sqlnames
