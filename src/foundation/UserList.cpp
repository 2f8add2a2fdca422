#include "foundation/UserList.h"

#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "platform/db/FbError.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <stdexcept>

namespace {

constexpr const char* ReadFailed = "ユーザーリストの取得に失敗しました。";
constexpr int Attempts = 4;

std::string OperatorSelect(bool newColumns, bool approversOnly)
{
    std::string sql =
        "SELECT O.GROUPID,O.OPCODE,O.OPNAME,O.JOBLEVEL,L.NAME,O.PASWORD,O.DATAPAS,O.JIMUSHO,O.OKINIIRI,"
        "O.KANSA,";
    sql += newColumns ? "O.MYNUMBER_ADM,O.SHONIN" : "0 AS MYNUMBER_ADM,0 AS SHONIN";
    sql +=
        "\nFROM OPERATOR O\nINNER JOIN LEVELNAME L ON (O.JOBLEVEL=L.LEVELNO)\n"
        "WHERE (O.GROUPID=:GROUPID) AND (O.OPCODE>=10)\n";
    if (newColumns && approversOnly)
        sql += "AND (SHONIN>0)\n";
    return sql + "ORDER BY O.OPCODE";
}

std::string LineOf(bool tabs, const std::string& code, const std::string& name)
{
    return tabs ? "\"" + code + "\"\t\"" + name + "\"" : code + ":" + name;
}

}  // namespace

void TUserList::Execute()
{
    Rows.clear();
    Lines.clear();
    Count = 0;
    if (!LeadingLabel.empty()) {
        TUserListRec lead;
        lead.GROUPID = GroupId;
        lead.OPNAME = LeadingLabel;
        lead.JOBLEVEL = 9;
        Rows.push_back(lead);
        Lines.push_back(TabLines == 1 ? LineOf(true, LeadingLabel, "") : LeadingLabel);
    }
    if (!DM || !DM->IBDatabaseDEF.Connected()) {
        Count = static_cast<std::int32_t>(Lines.size());
        return;
    }
    db::Transaction transaction(DM->IBDatabaseDEF, db::TransactionOptions::ReadCommitted());
    try {
        transaction.Start();
        // Older system databases lack the My Number and approver columns:
        // the statement is tried again without them.
        for (int attempt = 0;; ++attempt) {
            if (attempt == Attempts)
                throw std::runtime_error("OPERATORテーブル参照クエリーの作成エラー");
            try {
                db::Query query(DM->IBDatabaseDEF, transaction, OperatorSelect(attempt == 0, ApproversOnly == 1));
                query.ParamByName("GROUPID").SetInteger(GroupId);
                query.Open();
                for (; !query.Eof(); query.Next()) {
                    TUserListRec rec;
                    rec.GROUPID = query.FieldByName("GROUPID").AsInteger();
                    rec.OPCODE = query.FieldByName("OPCODE").AsInteger();
                    rec.OPNAME = query.FieldByName("OPNAME").AsString();
                    rec.PASWORD = query.FieldByName("PASWORD").AsString();
                    rec.JOBLEVEL = query.FieldByName("JOBLEVEL").AsInteger();
                    rec.LEVELNAME = query.FieldByName("NAME").AsString();
                    rec.JIMUSHO = static_cast<std::uint8_t>(query.FieldByName("JIMUSHO").AsInteger());
                    rec.OKINIIRI = static_cast<std::uint8_t>(query.FieldByName("OKINIIRI").AsInteger());
                    rec.MYNUMBER_ADM = static_cast<std::uint8_t>(query.FieldByName("MYNUMBER_ADM").AsInteger());
                    rec.SHONIN = static_cast<std::uint8_t>(query.FieldByName("SHONIN").AsInteger());
                    Rows.push_back(rec);
                    Lines.push_back(LineOf(TabLines == 1, std::to_string(rec.OPCODE), rec.OPNAME));
                }
                query.Close();
                break;
            } catch (const db::FbError&) {
                if (attempt + 1 == Attempts)
                    throw;
            }
        }
        transaction.Commit();
    } catch (const db::FbError& error) {
        HandleIBError(error, "TUserList.Execute", ReadFailed);
    } catch (const std::exception& error) {
        ShowErrorMessage(ReadFailed, error.what(), TMsgDlgType::mtError);
    }
    Count = static_cast<std::int32_t>(Lines.size());
}

std::string TUserList::GetUserListText() const
{
    std::string text;
    for (const std::string& line : Lines)
        text += line + "\n";
    return text;
}

std::int32_t TUserList::GetUserOpCode(int index) const
{
    return index >= 0 && index < static_cast<int>(Rows.size()) ? Rows[static_cast<std::size_t>(index)].OPCODE : 0;
}

int TUserList::IndexOfOpCode(std::int32_t code) const
{
    for (std::size_t i = 0; i < Rows.size(); ++i)
        if (Rows[i].OPCODE == code)
            return static_cast<int>(i);
    return -1;
}
