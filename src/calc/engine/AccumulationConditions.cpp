#include "calc/engine/AccumulationConditions.h"

#include "foundation/AccInf.h"
#include "foundation/StringUtils.h"

#include <stdexcept>

namespace {

std::string SqlLiteral(const std::string& code)
{
    std::string quoted = "'";
    for (const char c : code) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted + "'";
}

bool BusinessKind(std::int32_t kind)
{
    return kind == 1 || kind == 2 || kind == 4 || kind == 8;
}

}  // namespace

TCodeCondition::TCodeCondition(std::string column, std::vector<std::string> codes, bool single)
    : column_(std::move(column)), codes_(std::move(codes)), single_(single)
{}

std::string TCodeCondition::Text(std::string_view prefix) const
{
    if (codes_.empty())
        return {};
    const std::string column = std::string(prefix) + column_;
    if (single_)
        return "(" + column + "=" + SqlLiteral(codes_.front()) + ")";
    std::string list;
    for (const std::string& code : codes_)
        list += (list.empty() ? "" : ",") + SqlLiteral(code);
    return "(" + column + " IN (" + list + "))";
}

TCodeCondition BuildCodeCondition(std::string_view name, const TCalcSisanhyoSettingRec& Setting, db::Query& query)
{
    const bool facility = name == "SCODE";
    if (!facility && name != "BCODE")
        throw std::invalid_argument("no code condition for " + std::string(name));
    const std::string& code = facility ? Setting.SCODE : Setting.BCODE;
    const bool single = (facility ? Setting.SingleSCODE : Setting.SingleBCODE) == 1;
    if (single)
        return TrimZen(code).empty() ? TCodeCondition() : TCodeCondition(std::string(name), {code}, true);
    if (!facility) {
        query.SetSQL(
            "SELECT BCODE FROM GROUPLIST\r\n"
            "WHERE (GCODE=:GCODE) AND (BCODE<>'')");
        query.ParamByName("GCODE").SetString(code);
    } else if (AccInf.DATATYPE == 3 && Setting.Scope == 1 && BusinessKind(Setting.MB_JIGYOU)) {
        query.SetSQL(
            "SELECT SCODE FROM SISETUMST\r\n"
            "WHERE (MB_JIGYOU=:MB_JIGYOU) AND (SCODE<>'')");
        query.ParamByName("MB_JIGYOU").SetInteger(Setting.MB_JIGYOU);
    } else {
        query.SetSQL(
            "SELECT SCODE FROM SISETUGROUPLIST\r\n"
            "WHERE (GCODE=:GCODE) AND (SCODE<>'')");
        query.ParamByName("GCODE").SetString(code);
    }
    return TCodeCondition(std::string(name), ReadCodes(query), false);
}

std::string TPairConditions::Pair(std::string_view prefix) const
{
    const std::string facility = Facility.Text(prefix);
    const std::string department = Department.Text(prefix);
    if (facility.empty() || department.empty())
        return facility + department;
    return facility + " AND " + department;
}

TPairConditions BuildPairConditions(const TCalcSisanhyoSettingRec& Setting, db::Query& query)
{
    TPairConditions conditions;
    conditions.Facility = BuildCodeCondition("SCODE", Setting, query);
    conditions.Department = BuildCodeCondition("BCODE", Setting, query);
    return conditions;
}

void AddLine(std::string& sql, std::string_view line)
{
    if (!sql.empty())
        sql += "\r\n";
    sql += line;
}

void AddConditionLine(std::string& sql, std::string_view lead, const std::string& condition)
{
    if (!condition.empty())
        AddLine(sql, std::string(lead) + condition);
}

std::vector<std::string> ReadCodes(db::Query& query)
{
    std::vector<std::string> codes;
    query.Open();
    while (!query.Eof()) {
        codes.push_back(query.FieldByIndex(0).AsString());
        query.Next();
    }
    query.Close();
    return codes;
}
