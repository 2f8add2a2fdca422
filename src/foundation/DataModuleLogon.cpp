#include "foundation/DataModule.h"

#include "foundation/ErrorHandling.h"
#include "foundation/OperatorLogon.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"

namespace {

const char* const kDeleteLogonFailed = "ログイン情報の削除に失敗しました。";

}  // namespace

bool TDM::DeleteLogonInfo()
{
    std::int32_t opCode = SystemDef.OPCODE;
    if (ProgramKind == 1 || ProgramKind == 2)
        opCode = SystemDef.GROUPID * 10000 + 1;
    else if (ProgramKind == 3)
        opCode = SystemDef.GROUPID * 10000 + 2;
    const bool started = !IBTransactionDEF.InTransaction();
    const auto rollBack = [&] {
        if (started && IBTransactionDEF.InTransaction()) {
            try {
                IBTransactionDEF.Rollback();
            } catch (const db::FbError&) {
            }
        }
    };
    try {
        if (started)
            IBTransactionDEF.Start();
        // By computer too: the same operator may be logged on from another
        // computer (the fixed system users are), and that logon stays.
        QueryDef.Close();
        QueryDef.SetSQL("DELETE FROM LOGONUSERLIST WHERE OPCODE=:OPCODE AND PCNAME=:PCNAME");
        QueryDef.ParamByName("OPCODE").SetInteger(opCode);
        QueryDef.ParamByName("PCNAME").SetString(LogonPCName());
        QueryDef.ExecSQL();
        if (started)
            IBTransactionDEF.Commit();
        return true;
    } catch (const db::FbError& error) {
        rollBack();
        HandleIBError(error, "TDM.DeleteLogonInfo", kDeleteLogonFailed);
    } catch (const std::exception& error) {
        rollBack();
        ShowErrorMessage(kDeleteLogonFailed, error.what(), TMsgDlgType::mtError);
    }
    return false;
}
