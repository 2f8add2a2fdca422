#pragma once
// Helpers of the schema tests: the builder's options for the test user, and
// one attachment for reading and changing a built database.

#include "dbupdate/SchemaBuilder.h"
#include "platform/db/Database.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "support/DatabaseMasters.h"

#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace schematest {

inline dbupdate::SchemaBuildOptions Options()
{
    return dbtest::TestSchemaOptions();
}

// One attachment with one transaction, for reading and changing a built
// database in a test.
class Session final {
public:
    explicit Session(const std::string& path) : transaction_(database_)
    {
        database_.Attach(path, dbtest::User, dbtest::Password);
        transaction_.Start();
    }
    ~Session()
    {
        try {
            if (transaction_.InTransaction())
                transaction_.Commit();
            database_.Detach();
        } catch (...) {
        }
    }

    // The rows of a query, each row its columns as text ("<null>" for null).
    std::vector<std::vector<std::string>> Rows(const std::string& sql)
    {
        db::Query query(database_, transaction_);
        query.SetParamCheck(false);
        query.SetSQL(sql);
        query.Open();
        std::vector<std::vector<std::string>> rows;
        while (!query.Eof()) {
            std::vector<std::string> row;
            for (std::size_t i = 0; i < query.FieldCount(); ++i) {
                const db::Field field = query.FieldByIndex(i);
                row.push_back(field.IsNull() ? "<null>" : field.AsString());
            }
            rows.push_back(std::move(row));
            query.Next();
        }
        query.Close();
        return rows;
    }

    // The first column of the first row; nothing when there is no row.
    std::optional<std::string> Value(const std::string& sql)
    {
        const auto rows = Rows(sql);
        if (rows.empty())
            return std::nullopt;
        return rows.front().at(0);
    }

    // Every row as one line, its columns joined by "|".
    std::vector<std::string> Lines(const std::string& sql)
    {
        std::vector<std::string> lines;
        for (const auto& row : Rows(sql)) {
            std::string line;
            for (std::size_t i = 0; i < row.size(); ++i)
                line += (i == 0 ? "" : "|") + row[i];
            lines.push_back(std::move(line));
        }
        return lines;
    }

    // The first row as one line; "<none>" when there is no row.
    std::string Line(const std::string& sql)
    {
        const auto lines = Lines(sql);
        return lines.empty() ? std::string("<none>") : lines.front();
    }

    int Count(const std::string& sql) { return std::stoi(Value(sql).value_or("0")); }

    // Commits the work so far and goes on in a new transaction.
    void Commit()
    {
        transaction_.Commit();
        transaction_.Start();
    }

    void Exec(const std::string& sql)
    {
        db::Query query(database_, transaction_);
        query.SetParamCheck(false);
        query.SetSQL(sql);
        query.ExecSQL();
    }

private:
    db::Database database_;
    db::Transaction transaction_;
};

inline std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted + "'";
}

inline std::vector<std::string> SplitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ','))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

}  // namespace schematest
