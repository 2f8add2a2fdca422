#include "calc/engine/AccumulationStatements.h"

#include "calc/engine/AccumulationConditions.h"
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

bool TStatementSet::HasBalanceRows(const std::string& kcode, const std::string& pairCondition)
{
    std::string sql = "SELECT COUNT(*) AS RECCNT FROM KAMOKU_SZ\r\nWHERE (KCODE=:KCODE)";
    AddConditionLine(sql, "AND ", pairCondition);
    db::Query& q = Prepare(sql, {{"KCODE", kcode}});
    q.Open();
    const bool any = q.FieldByName("RECCNT").AsInteger() > 0;
    q.Close();
    return any;
}

bool TStatementSet::DebitSideAccountsOnLine(std::int32_t mstrec)
{
    db::Query& q = Prepare(
        "SELECT COUNT(KCODE) AS RECCNT FROM KAMOKUMST\r\n"
        "WHERE (EXT1_KS=:MSTREC) AND (USE>0) AND (DAC=1 OR DAC=3)",
        {}, {{"MSTREC", mstrec}});
    q.Open();
    const bool any = q.FieldByName("RECCNT").AsInteger() > 0;
    q.Close();
    return any;
}
