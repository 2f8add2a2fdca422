#include "foundation/StyleColorStore.h"

#include "foundation/DataModule.h"
#include "foundation/QueryFactory.h"

#include "platform/db/JoinedTransaction.h"

#include <exception>

namespace {

constexpr const char* SelectSql =
    "SELECT SSTR FROM STYLECOLOR\r\n"
    "WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME";
constexpr const char* CountSql =
    "SELECT COUNT(OPCODE) AS RECCNT FROM STYLECOLOR\r\n"
    "WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME";
constexpr const char* UpdateSql =
    "UPDATE STYLECOLOR SET OPCODE=:OPCODE,STYLENAME=:STYLENAME,LINECOLOR1=:LINECOLOR1,"
    "LINECOLOR2=:LINECOLOR2,LINECOLOR3=:LINECOLOR3,LINECOLOR4=:LINECOLOR4,LINECOLOR5=:LINECOLOR5,"
    "NETCOLOR1=:NETCOLOR1,NETCOLOR2=:NETCOLOR2,SSTR=:SSTR\r\n"
    "WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME";
constexpr const char* InsertSql =
    "INSERT INTO STYLECOLOR(OPCODE,STYLENAME,LINECOLOR1,LINECOLOR2,LINECOLOR3,LINECOLOR4,LINECOLOR5,"
    "NETCOLOR1,NETCOLOR2,SSTR)\r\n"
    "VALUES(:OPCODE,:STYLENAME,:LINECOLOR1,:LINECOLOR2,:LINECOLOR3,:LINECOLOR4,:LINECOLOR5,"
    ":NETCOLOR1,:NETCOLOR2,:SSTR)";

const char* const ColourParams[] = {"LINECOLOR1", "LINECOLOR2", "LINECOLOR3", "LINECOLOR4",
                                    "LINECOLOR5", "NETCOLOR1",  "NETCOLOR2"};
constexpr std::int32_t NoColour = -1;

void BindKey(db::Query& query, std::int32_t opcode, const std::string& styleName)
{
    query.ParamByName("OPCODE").SetInteger(opcode);
    query.ParamByName("STYLENAME").SetString(styleName);
}

}  // namespace

bool ReadStyleText(db::Query& query, std::int32_t opcode, const std::string& styleName, std::string& text)
{
    query.SetSQL(SelectSql);
    BindKey(query, opcode, styleName);
    bool found = false;
    for (query.Open(); !query.Eof(); query.Next()) {
        text = query.FieldByName("SSTR").AsString();
        found = true;
    }
    query.Close();
    return found;
}

void WriteStyleText(db::Query& query, std::int32_t opcode, const std::string& styleName, const std::string& text)
{
    TStyleColours colours;
    colours.fill(NoColour);
    WriteStyleRow(query, opcode, styleName, colours, text);
}

void WriteStyleRow(db::Query& query, std::int32_t opcode, const std::string& styleName, const TStyleColours& colours,
                   const std::string& text)
{
    query.SetSQL(CountSql);
    BindKey(query, opcode, styleName);
    query.ExecSQL();
    const bool exists = query.FieldByName("RECCNT").AsInteger() > 0;
    query.Close();
    query.SetSQL(exists ? UpdateSql : InsertSql);
    BindKey(query, opcode, styleName);
    for (std::size_t i = 0; i < colours.size(); ++i)
        query.ParamByName(ColourParams[i]).SetInteger(colours[i]);
    query.ParamByName("SSTR").SetString(text);
    query.ExecSQL();
}

std::string GetStyleColor(std::int32_t opcode, const std::string& styleName)
{
    std::string text;
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDEF);
        auto query = CreateAccSQL("ACCDEF", false);
        if (!ReadStyleText(*query, opcode, styleName, text))
            text.clear();
        transaction.Commit();
    } catch (const std::exception&) {
        text.clear();
    }
    return text;
}

void PutStyleColor(std::int32_t opcode, const std::string& styleName, const std::string& text)
{
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDEF);
        auto query = CreateAccSQL("ACCDEF", false);
        WriteStyleText(*query, opcode, styleName, text);
        transaction.Commit();
    } catch (const std::exception&) {
        // The style stays as it was.
    }
}
