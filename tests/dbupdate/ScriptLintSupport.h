#pragma once
// A lint over update scripts: which database objects a script drops,
// alters, executes, selects from, writes to, refers to or calls, and
// whether each exists in a database before the script runs.

#include "SchemaTestSupport.h"

#include <cctype>
#include <regex>
#include <set>
#include <string>
#include <tuple>

namespace scriptlint {

enum class ObjectKind { Table, Column, Constraint, Trigger, Procedure, Function };

struct UsedObject {
    ObjectKind kind;
    std::string name;  // Column and Constraint: "TABLE.NAME"
    bool operator<(const UsedObject& o) const { return std::tie(kind, name) < std::tie(o.kind, o.name); }
};

inline std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Every object the script uses, leaving out what it creates before it
// uses it (sub-procedures declared inside a block included).
inline std::set<UsedObject> UsedObjects(const std::string& scriptText)
{
    // Comments and string literals name nothing; neither do the FROM and
    // FOR inside EXTRACT, SUBSTRING, TRIM and IS DISTINCT FROM, nor a "FOR
    // SELECT" loop.
    std::string text = std::regex_replace(scriptText, std::regex(R"(/\*[\s\S]*?\*/)"), " ");
    text = std::regex_replace(text, std::regex(R"('[^']*')"), "''");
    text = std::regex_replace(
        text,
        std::regex(
            R"(\b(YEAR|MONTH|DAY|HOUR|MINUTE|SECOND|WEEKDAY|YEARDAY|LEADING|TRAILING|BOTH|DISTINCT|'')\s+FROM\b)",
            std::regex::icase),
        "$1 OF");
    text =
        std::regex_replace(text, std::regex(R"(\bSUBSTRING\s*\(([^()]*?)\bFROM\b([^()]*?)\bFOR\b)", std::regex::icase),
                           "SUBSTRING($1 OF $2 OF");
    text = std::regex_replace(text, std::regex(R"(\bSUBSTRING\s*\(([^()]*?)\bFROM\b)", std::regex::icase),
                              "SUBSTRING($1 OF");
    static const std::regex use(
        R"re(\b(?:(RECREATE TABLE|CREATE TABLE|CREATE TRIGGER|CREATE OR ALTER PROCEDURE|RECREATE PROCEDURE|CREATE PROCEDURE|CREATE VIEW|DECLARE PROCEDURE|DECLARE FUNCTION)\s+(\w+))re"
        R"re(|(DROP TRIGGER|ALTER TRIGGER)\s+(\w+))re"
        R"re(|(DROP TABLE|ALTER TABLE|INSERT INTO|DELETE FROM|REFERENCES|FOR|UPDATE(?=\s+\w+\s+SET\b))\s+(\w+)(?:\s+DROP\s+(CONSTRAINT\s+)?(\w+))?)re"
        R"re(|(EXECUTE PROCEDURE|DROP PROCEDURE|ALTER PROCEDURE)\s+(\w+))re"
        R"re(|(FROM|JOIN)\s+([\w$]+))re"
        R"re(|\b(F_\w+)\s*\())re",
        std::regex::icase);
    static const std::set<std::string> notNames{"SELECT", "EXECUTE", "UPDATE", "INSERT", "DELETE", "OF", "OLD", "NEW"};
    std::set<std::string> created;
    std::set<UsedObject> used;
    const auto note = [&](ObjectKind kind, const std::string& name) {
        const std::string n = Upper(name);
        if (notNames.count(n) || std::isdigit(static_cast<unsigned char>(n.front())) ||
            n.find('$') != std::string::npos)
            return;
        if (!created.count(n))
            used.insert({kind, n});
    };
    for (std::sregex_iterator it(text.begin(), text.end(), use), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (m[1].matched) {
            created.insert(Upper(m[2]));
        } else if (m[3].matched) {
            note(ObjectKind::Trigger, m[4]);
        } else if (m[5].matched) {
            // "FOR" heads a trigger's table; "ON UPDATE CASCADE" is no UPDATE.
            note(ObjectKind::Table, m[6]);
            if (m[8].matched && !created.count(Upper(m[6])))
                used.insert(
                    {m[7].matched ? ObjectKind::Constraint : ObjectKind::Column, Upper(m[6]) + "." + Upper(m[8])});
        } else if (m[9].matched) {
            note(ObjectKind::Procedure, m[10]);
        } else if (m[11].matched) {
            // A selectable procedure: named SP_..., or called with arguments.
            const std::string name = Upper(m[12]);
            auto next = m.suffix().first;
            while (next != text.cend() && std::isspace(static_cast<unsigned char>(*next)))
                ++next;
            const bool called = next != text.cend() && *next == '(';
            note(called || name.rfind("SP_", 0) == 0 ? ObjectKind::Procedure : ObjectKind::Table, name);
        } else if (m[13].matched) {
            note(ObjectKind::Function, m[13]);
        }
    }
    return used;
}

// Whether the object exists in the session's database (tables include
// views).
inline bool Exists(schematest::Session& session, const UsedObject& object)
{
    const auto count = [&](const std::string& sql) { return session.Count(sql) > 0; };
    const auto dot = object.name.find('.');
    switch (object.kind) {
    case ObjectKind::Table:
        return count("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME='" + object.name + "'");
    case ObjectKind::Column:
        return count("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME='" + object.name.substr(0, dot) +
                     "' AND RDB$FIELD_NAME='" + object.name.substr(dot + 1) + "'");
    case ObjectKind::Constraint:
        return count("SELECT COUNT(*) FROM RDB$RELATION_CONSTRAINTS WHERE RDB$RELATION_NAME='" +
                     object.name.substr(0, dot) + "' AND RDB$CONSTRAINT_NAME='" + object.name.substr(dot + 1) + "'");
    case ObjectKind::Trigger:
        return count("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME='" + object.name + "'");
    case ObjectKind::Procedure:
        return count("SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME='" + object.name + "'");
    case ObjectKind::Function:
        return count("SELECT COUNT(*) FROM RDB$FUNCTIONS WHERE RDB$FUNCTION_NAME='" + object.name + "'");
    }
    return false;
}

}  // namespace scriptlint
