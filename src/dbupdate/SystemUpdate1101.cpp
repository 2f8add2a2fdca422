// System update 11.0.1: the era Reiwa and cloud sharing (both in the body
// files), then the program's era table read again from GENGO.

#include "calc/FiscalDates.h"
#include "dbupdate/SystemConnection.h"
#include "dbupdate/SystemUpdateUnits.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "platform/db/JoinedTransaction.h"

namespace z5SystemDbUpdate1101 {

namespace {

const TStandardUnit& Unit()
{
    static const TStandardUnit unit = sysupdate::BodyFileUnit(
        11, 0, 1, 1, "新元号対応 他", "１）新元号「令和」を追加しました。\r２）クラウドシェア機能を追加しました。",
        {"sysup01.sql", "sysup02.sql"}, TMissingBodyFile::Fail);
    return unit;
}

TGengoArray ReadGengo()
{
    TGengoArray eras;
    db::JoinedTransaction transaction(DM->IBTransactionDEF);
    db::Query query(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                    "SELECT GNAME,GSIGN,STARTDATE,YEAROFFSET FROM GENGO ORDER BY YEAROFFSET DESC");
    for (query.Open(); !query.Eof(); query.Next())
        eras.push_back({query.FieldByName("GNAME").AsString(), query.FieldByName("GSIGN").AsString(),
                        query.FieldByName("STARTDATE").AsDateTime(), query.FieldByName("YEAROFFSET").AsInteger()});
    query.Close();
    transaction.Commit();
    return eras;
}

}  // namespace

TUpdateScript Script()
{
    return StandardUnitScript(Unit());
}

std::int32_t DoUpdate()
{
    const std::int32_t result = RunStandardUnit(Unit());
    // Also after a failed script: the program's eras follow what GENGO holds.
    TDataModuleLease dataModule;
    TSystemConnectionLease connection(true);
    if (connection.Connected()) {
        try {
            SetGengoTable(ReadGengo());
        } catch (const db::FbError& error) {
            // As after the logon: an unreadable table gives the built-in
            // eras. The update's result stands.
            HandleIBError(error, "z5SystemDbUpdate1101", "");
            SetGengoTable({});
        }
    }
    return result;
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeStandardUnit(Unit(), &DoUpdate, rec);
}

}  // namespace z5SystemDbUpdate1101
