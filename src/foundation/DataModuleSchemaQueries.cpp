// The data module's questions about the company database's shape.

#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"

#include <initializer_list>
#include <string_view>
#include <utility>

namespace {

using NamedValue = std::pair<std::string_view, std::string_view>;

// Whether the count the query gives is above 0; a database error is
// reported under location and answers false.
bool CountAboveZero(db::Query& query, const char* sql, std::initializer_list<NamedValue> params, const char* location,
                    const char* message)
{
    try {
        query.Close();
        query.SetSQL(sql);
        for (const auto& [name, value] : params)
            query.ParamByName(name).SetString(value);
        query.Open();
        const bool found = !query.Eof() && query.FieldByIndex(0).AsInteger() > 0;
        query.Close();
        return found;
    } catch (const db::FbError& error) {
        query.Close();
        HandleIBError(error, location, message);
        return false;
    }
}

}  // namespace

bool TDM::fnExistence_Table(const std::string& table)
{
    return CountAboveZero(IBQACC1, "SELECT Count(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME=:Table_NAME",
                          {{"Table_NAME", table}}, "TDM.fnExistence_Table", "テーブルの存在情報の取得に失敗しました。");
}

bool TDM::fnExistence_Field(const std::string& table, const std::string& column)
{
    return CountAboveZero(IBQACC1,
                          "SELECT count(*) FROM RDB$RELATION_FIELDS WHERE (RDB$RELATION_NAME=:TABLE_NAME) AND "
                          "(RDB$FIELD_NAME=:FIELD_NAME )",
                          {{"TABLE_NAME", table}, {"FIELD_NAME", column}}, "TDM.fnExistence_Field",
                          "テーブル項目の存在情報の取得に失敗しました。");
}
