#include "calc/engine/AccumulationStatements.h"

#include "calc/engine/TrialBalanceContext.h"
#include "foundation/QueryFactory.h"

#include <cctype>

namespace {

bool Names(const std::string& sql, std::string_view name)
{
    const std::string marker = ":" + std::string(name);
    for (std::size_t at = sql.find(marker); at != std::string::npos; at = sql.find(marker, at + 1)) {
        const std::size_t end = at + marker.size();
        if (end == sql.size() || !(std::isalnum(static_cast<unsigned char>(sql[end])) || sql[end] == '_'))
            return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<db::Query> AccumulationStatement()
{
    std::unique_ptr<db::Query> query = CreateAccSQL("ACCDAT", true);
    if (!query)
        throw TTrialBalanceError("会社データの問合せを作れません。");
    return query;
}

db::Query& TStatementSet::Prepare(const std::string& sql,
                                  std::initializer_list<std::pair<std::string_view, std::string>> texts,
                                  std::initializer_list<std::pair<std::string_view, std::int32_t>> numbers)
{
    std::unique_ptr<db::Query>& statement = statements_[sql];
    if (!statement) {
        statement = AccumulationStatement();
        statement->SetSQL(sql);
    }
    statement->Close();
    for (const auto& [name, value] : texts)
        if (Names(sql, name))
            statement->ParamByName(name).SetString(value);
    for (const auto& [name, value] : numbers)
        if (Names(sql, name))
            statement->ParamByName(name).SetInteger(value);
    return *statement;
}
