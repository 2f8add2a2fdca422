#include "dataselect/DataKensakuRec.h"

#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/SystemDef.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <functional>

namespace {

constexpr const char* ReadFailed = "検索条件レコードの参照に失敗しました。";
constexpr const char* WriteFailed = "検索条件レコードの更新に失敗しました。";

// Stored code n stands for grid column SortColumns[n - 1].
constexpr std::int32_t SortColumns[] = {3, 4, 5, 6, 7, 1};

void BindSort(db::Query& query, const TDataKensakuRec& rec)
{
    query.ParamByName("SORTCOL").SetInteger(SortColumnToCode(rec.SORTCOL));
    query.ParamByName("SORTTYPE").SetInteger(rec.SORTTYPE);
    query.ParamByName("OPCODE").SetInteger(rec.OPCODE);
    query.ParamByName("LISTTYPE").SetInteger(rec.LISTTYPE);
}

void BindConditions(db::Query& query, const TDataKensakuRec& rec)
{
    query.ParamByName("JYOKENUSE").SetInteger(rec.JYOKENUSE);
    query.ParamByName("DATATYPE").SetInteger(rec.DATATYPE);
    query.ParamByName("CODETYPE").SetInteger(rec.CODETYPE);
    query.ParamByName("DATACODE").SetString(rec.DATACODE);
    query.ParamByName("DATANAME").SetString(rec.DATANAME);
    query.ParamByName("TANTO").SetInteger(rec.TANTO);
    query.ParamByName("DATAVER").SetString(rec.DATAVER);
    query.ParamByName("SEIHINNAME").SetString(rec.SEIHINNAME);
    BindSort(query, rec);
}

}  // namespace

std::int32_t SortColumnToCode(std::int32_t column)
{
    for (std::int32_t i = 0; i < 6; ++i)
        if (SortColumns[i] == column)
            return i + 1;
    return 0;
}

std::int32_t SortCodeToColumn(std::int32_t code)
{
    return code >= 1 && code <= 6 ? SortColumns[code - 1] : 0;
}

void ClearKensakuConditions(TDataKensakuRec& rec)
{
    rec.JYOKENUSE = 0;
    rec.DATATYPE = 0;
    rec.CODETYPE = 0;
    rec.DATACODE.clear();
    rec.DATANAME.clear();
    rec.TANTO = 0;
    rec.DATAVER.clear();
    rec.SEIHINNAME.clear();
}

// The operations' own transaction and statement on the system database.
class TDataListKensakuRecords::Session {
public:
    Session() : transaction(DM->IBDatabaseDEF, db::TransactionOptions::ReadCommitted()) {}

    // Runs work in the transaction (started here unless active) and commits
    // what it started; a failure is reported when the transaction was ours
    // and answers false.
    bool Run(const char* location, const char* message, const std::function<void(db::Query&)>& work)
    {
        const bool started = !transaction.InTransaction();
        try {
            if (started)
                transaction.Start();
            db::Query query(DM->IBDatabaseDEF, transaction);
            work(query);
            if (started)
                transaction.Commit();
            return true;
        } catch (const db::FbError& error) {
            if (started) {
                RollbackQuietly();
                HandleIBError(error, location, message);
            }
        } catch (const std::exception& error) {
            if (started) {
                RollbackQuietly();
                ShowErrorMessage(message, error.what(), TMsgDlgType::mtError);
            }
        }
        return false;
    }

    db::Transaction transaction;

private:
    void RollbackQuietly() noexcept
    {
        try {
            if (transaction.InTransaction())
                transaction.Rollback();
        } catch (...) {
        }
    }
};

TDataListKensakuRecords::TDataListKensakuRecords() : session_(std::make_unique<Session>()) {}
TDataListKensakuRecords::~TDataListKensakuRecords() = default;

void TDataListKensakuRecords::ResetRecord(TDataKensakuRec& rec) const
{
    rec = TDataKensakuRec{};
    rec.OPCODE = SystemDef.OPCODE;
    rec.LISTTYPE = ListType;
}

bool TDataListKensakuRecords::SelectRecord(TDataKensakuRec& rec)
{
    ResetRecord(rec);
    return session_->Run("TDataListKensakuBox.SelectRecord", ReadFailed, [&rec](db::Query& query) {
        query.SetSQL(
            "SELECT JYOKENUSE,DATATYPE,CODETYPE,DATACODE,DATANAME,TANTO,DATAVER,SEIHINNAME,SORTCOL,SORTTYPE FROM "
            "KENSAKUJYOKEN\n"
            "WHERE (OPCODE=:OPCODE)AND(LISTTYPE=:LISTTYPE)");
        query.ParamByName("OPCODE").SetInteger(rec.OPCODE);
        query.ParamByName("LISTTYPE").SetInteger(rec.LISTTYPE);
        query.Open();
        if (!query.Eof()) {
            rec.JYOKENUSE = query.FieldByName("JYOKENUSE").AsInteger();
            rec.DATATYPE = query.FieldByName("DATATYPE").AsInteger();
            rec.CODETYPE = query.FieldByName("CODETYPE").AsInteger();
            rec.DATACODE = query.FieldByName("DATACODE").AsString();
            rec.DATANAME = query.FieldByName("DATANAME").AsString();
            rec.TANTO = query.FieldByName("TANTO").AsInteger();
            rec.DATAVER = query.FieldByName("DATAVER").AsString();
            rec.SEIHINNAME = query.FieldByName("SEIHINNAME").AsString();
            rec.SORTCOL = SortCodeToColumn(query.FieldByName("SORTCOL").AsInteger());
            rec.SORTTYPE = query.FieldByName("SORTTYPE").AsInteger();
            query.Close();
            return;
        }
        query.Close();
        query.SetSQL(
            "INSERT INTO "
            "KENSAKUJYOKEN(OPCODE,LISTTYPE,JYOKENUSE,DATATYPE,CODETYPE,DATACODE,DATANAME,TANTO,DATAVER,SEIHINNAME,"
            "SORTCOL,SORTTYPE)\n"
            "VALUES(:OPCODE,:LISTTYPE,:JYOKENUSE,:DATATYPE,:CODETYPE,:DATACODE,:DATANAME,:TANTO,:DATAVER,:SEIHINNAME,"
            ":SORTCOL,:SORTTYPE)");
        BindConditions(query, rec);
        query.ExecSQL();
    });
}

std::int32_t TDataListKensakuRecords::UpdateRecord(const TDataKensakuRec& rec)
{
    return session_->Run(
               "TDataListKensakuBox.UpdateRecord", WriteFailed,
               [&rec](db::Query& query) {
                   query.SetSQL(
                       "UPDATE KENSAKUJYOKEN\n"
                       "SET "
                       "JYOKENUSE=:JYOKENUSE,DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,DATACODE=:DATACODE,DATANAME=:DATANAME,TANTO=:"
                       "TANTO,\n"
                       "DATAVER=:DATAVER,SEIHINNAME=:SEIHINNAME,SORTCOL=:SORTCOL,SORTTYPE=:SORTTYPE\n"
                       "WHERE (OPCODE=:OPCODE)AND(LISTTYPE=:LISTTYPE)");
                   BindConditions(query, rec);
                   query.ExecSQL();
               })
               ? 1
               : 0;
}

std::int32_t TDataListKensakuRecords::UpdateRecordSortField(const TDataKensakuRec& rec)
{
    return session_->Run("TDataListKensakuBox.UpdateRecordSortField", WriteFailed,
                         [&rec](db::Query& query) {
                             query.SetSQL(
                                 "UPDATE KENSAKUJYOKEN\n"
                                 "SET SORTCOL=:SORTCOL,SORTTYPE=:SORTTYPE\n"
                                 "WHERE (OPCODE=:OPCODE)AND(LISTTYPE=:LISTTYPE)");
                             BindSort(query, rec);
                             query.ExecSQL();
                         })
               ? 1
               : 0;
}
