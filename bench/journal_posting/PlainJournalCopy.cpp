#include "PlainJournalCopy.h"

#include "platform/db/Query.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string Trimmed(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// The SQL type of a column from its field record.
std::string ColumnType(db::Query& q)
{
    const int type = q.FieldByName("FTYPE").AsInteger();
    const int scale = q.FieldByName("FSCALE").IsNull() ? 0 : -q.FieldByName("FSCALE").AsInteger();
    const int precision = q.FieldByName("FPRECISION").IsNull() ? 0 : q.FieldByName("FPRECISION").AsInteger();
    const std::string charset = q.FieldByName("CSNAME").IsNull() ? "" : Trimmed(q.FieldByName("CSNAME").AsString());
    const std::string length = q.FieldByName("CLEN").IsNull() ? "1" : q.FieldByName("CLEN").AsString();
    const std::string withCharset = charset.empty() ? "" : " CHARACTER SET " + charset;
    const std::string numeric =
        "NUMERIC(" + std::to_string(precision == 0 ? 18 : precision) + "," + std::to_string(scale) + ")";
    switch (type) {
    case 7:
        return scale > 0 ? numeric : "SMALLINT";
    case 8:
        return scale > 0 ? numeric : "INTEGER";
    case 16:
        return scale > 0 ? numeric : "BIGINT";
    case 10:
        return "FLOAT";
    case 27:
        return "DOUBLE PRECISION";
    case 12:
        return "DATE";
    case 13:
        return "TIME";
    case 35:
        return "TIMESTAMP";
    case 14:
        return "CHAR(" + length + ")" + withCharset;
    case 37:
        return "VARCHAR(" + length + ")" + withCharset;
    case 261:
        return "BLOB";
    default:
        throw std::runtime_error("column type " + std::to_string(type) + " cannot be copied");
    }
}

}  // namespace

void CreatePlainCopy(db::Database& database, db::Transaction& transaction, const std::string& table,
                     const std::string& copy)
{
    std::vector<std::string> columns;
    {
        db::Query q(database, transaction);
        q.SetSQL(
            "SELECT RF.RDB$FIELD_NAME AS FNAME, F.RDB$FIELD_TYPE AS FTYPE, F.RDB$FIELD_SCALE AS FSCALE,"
            " F.RDB$FIELD_PRECISION AS FPRECISION, F.RDB$CHARACTER_LENGTH AS CLEN, CS.RDB$CHARACTER_SET_NAME AS CSNAME,"
            " COALESCE(RF.RDB$NULL_FLAG, F.RDB$NULL_FLAG, 0) AS NOTNULL"
            " FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE"
            " LEFT JOIN RDB$CHARACTER_SETS CS ON CS.RDB$CHARACTER_SET_ID = F.RDB$CHARACTER_SET_ID"
            " WHERE RF.RDB$RELATION_NAME = :T ORDER BY RF.RDB$FIELD_POSITION");
        q.ParamByName("T").SetString(table);
        q.Open();
        for (; !q.Eof(); q.Next())
            columns.push_back(Trimmed(q.FieldByName("FNAME").AsString()) + " " + ColumnType(q) +
                              (q.FieldByName("NOTNULL").AsInteger() != 0 ? " NOT NULL" : ""));
    }
    if (columns.empty())
        throw std::runtime_error("no table " + table);
    std::string ddl = "RECREATE TABLE " + copy + " (";
    for (std::size_t i = 0; i < columns.size(); ++i)
        ddl += (i == 0 ? "" : ", ") + columns[i];
    ddl += ")";

    std::vector<std::string> indexes;
    {
        db::Query q(database, transaction);
        q.SetSQL(
            "SELECT I.RDB$INDEX_NAME AS INAME, COALESCE(I.RDB$UNIQUE_FLAG, 0) AS UNIQ,"
            " COALESCE(I.RDB$INDEX_TYPE, 0) AS DESCENDING, S.RDB$FIELD_NAME AS FNAME"
            " FROM RDB$INDICES I JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME = I.RDB$INDEX_NAME"
            " WHERE I.RDB$RELATION_NAME = :T ORDER BY I.RDB$INDEX_NAME, S.RDB$FIELD_POSITION");
        q.ParamByName("T").SetString(table);
        q.Open();
        std::string current, fields, head;
        const auto flush = [&] {
            if (!current.empty())
                indexes.push_back(head + " INDEX " + copy + "_" + std::to_string(indexes.size()) + " ON " + copy +
                                  " (" + fields + ")");
        };
        for (; !q.Eof(); q.Next()) {
            const std::string name = Trimmed(q.FieldByName("INAME").AsString());
            if (name != current) {
                flush();
                current = name;
                fields.clear();
                head = std::string("CREATE") + (q.FieldByName("UNIQ").AsInteger() != 0 ? " UNIQUE" : "") +
                       (q.FieldByName("DESCENDING").AsInteger() != 0 ? " DESCENDING" : "");
            }
            fields += (fields.empty() ? "" : ", ") + Trimmed(q.FieldByName("FNAME").AsString());
        }
        flush();
    }
    transaction.Commit();
    for (const std::string& statement : [&] {
             std::vector<std::string> all{ddl};
             all.insert(all.end(), indexes.begin(), indexes.end());
             return all;
         }()) {
        transaction.Start();
        db::Query q(database, transaction);
        q.SetParamCheck(false);
        q.SetSQL(statement);
        q.ExecSQL();
        transaction.Commit();
    }
}
