#include "foundation/SystemIniStore.h"

#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"

#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"

#include <stdexcept>

namespace {

// Runs work in the system transaction: a caller's failure is the caller's,
// a failure of the call's own run is reported.
template <typename Work>
bool Guarded(const char* location, const char* message, Work work)
{
    if (!DM)
        throw std::runtime_error("no data module");
    db::JoinedTransaction transaction(DM->IBTransactionDEF);
    try {
        work();
        transaction.Commit();
        return true;
    } catch (const db::FbError& error) {
        if (!transaction.Started())
            throw;
        HandleIBError(error, location, message);
    } catch (const std::exception& error) {
        if (!transaction.Started())
            throw;
        ShowErrorMessage(message, error.what(), TMsgDlgType::mtError);
    }
    return false;
}

const char* const ReadFailed = "システム情報の取得に失敗しました。\rアプリケーションを終了します。";
const char* const WriteFailed = "システム情報の書き込みに失敗しました。\r現在のシステム設定は保存されません。";

}  // namespace

bool GetSysIni(TSystemIniRec& rec)
{
    const std::int32_t recNo = rec.REC;
    rec = TSystemIniRec{};
    rec.REC = recNo;
    return Guarded("TDM.GetSysIni", ReadFailed, [&] {
        db::Query& query = DM->IBQSysDefGet;
        query.Close();
        query.SetSQL("SELECT RESERVE1,RESERVE2,RESERVE3,RESERVE4,RESERVE5,SSTR FROM SYSTEMINI\r\nWHERE REC=:REC");
        query.ParamByName("REC").SetInteger(rec.REC);
        query.Open();
        TSystemIniRec found;
        found.REC = rec.REC;
        int rows = 0;
        for (; !query.Eof(); query.Next(), ++rows) {
            found.RESERVE1 = query.FieldByName("RESERVE1").AsInteger();
            found.RESERVE2 = query.FieldByName("RESERVE2").AsInteger();
            found.RESERVE3 = query.FieldByName("RESERVE3").AsInteger();
            found.RESERVE4 = query.FieldByName("RESERVE4").AsInteger();
            found.RESERVE5 = query.FieldByName("RESERVE5").AsInteger();
            found.SSTR = query.FieldByName("SSTR").AsString();
        }
        query.Close();
        if (rows == 1)
            rec = found;
    });
}

bool SetSysIni(const TSystemIniRec& rec)
{
    return Guarded("TDM.SetSysIni", WriteFailed, [&] {
        db::Query& query = DM->IBSQLDEF;
        query.Close();
        query.SetSQL("SELECT COUNT(REC) AS RECCNT FROM SYSTEMINI\r\nWHERE REC=:REC");
        query.ParamByName("REC").SetInteger(rec.REC);
        query.Open();
        const bool exists = query.FieldByName("RECCNT").AsInteger() > 0;
        query.Close();
        if (exists)
            query.SetSQL(
                "UPDATE SYSTEMINI SET "
                "RESERVE1=:RESERVE1,RESERVE2=:RESERVE2,RESERVE3=:RESERVE3,RESERVE4=:RESERVE4,RESERVE5=:RESERVE5,"
                "SSTR=:SSTR\r\nWHERE REC=:REC");
        else
            query.SetSQL(
                "INSERT INTO SYSTEMINI(REC,RESERVE1,RESERVE2,RESERVE3,RESERVE4,RESERVE5,SSTR)\r\n"
                "VALUES(:REC,:RESERVE1,:RESERVE2,:RESERVE3,:RESERVE4,:RESERVE5,:SSTR)");
        query.ParamByName("REC").SetInteger(rec.REC);
        query.ParamByName("RESERVE1").SetInteger(rec.RESERVE1);
        query.ParamByName("RESERVE2").SetInteger(rec.RESERVE2);
        query.ParamByName("RESERVE3").SetInteger(rec.RESERVE3);
        query.ParamByName("RESERVE4").SetInteger(rec.RESERVE4);
        query.ParamByName("RESERVE5").SetInteger(rec.RESERVE5);
        query.ParamByName("SSTR").SetString(rec.SSTR);
        query.ExecSQL();
    });
}
