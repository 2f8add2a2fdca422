// The questions asked before a data set is opened: may the operator use it,
// and does he know its password.

#include "foundation/DataInfomation.h"

#include "foundation/AccInfoReader.h"
#include "foundation/DataModule.h"
#include "foundation/DataModuleChecks.h"
#include "foundation/ErrorHandling.h"
#include "foundation/SitenList.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"
#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"

#include <exception>
#include <functional>

namespace {

// Runs the check on the folder's database, connected for the call. Errors
// are reported only when the check ran in a transaction of its own: inside
// a caller's transaction the caller decides. The result stays as the check
// had set it when an error came.
bool OnFolderDatabase(const std::string& folder, const char* location, const char* failed,
                      const std::function<void(bool& result)>& check)
{
    bool result = false;
    if (!DM->fnAccDatConnected(SystemDef.HOSTNAME, folder, false))
        return result;
    bool ownTransaction = !DM->IBTransactionDAT.InTransaction();
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDAT);
        check(result);
        transaction.Commit();
    } catch (const db::FbError& error) {
        if (ownTransaction)
            HandleIBError(error, location, failed);
    } catch (const std::exception& error) {
        if (ownTransaction)
            ShowErrorMessage(failed, error.what(), TMsgDlgType::mtError);
    }
    DM->fnAccDatDisConnected(folder, false, false);
    return result;
}

}  // namespace

bool TDataInfomation::IsDataPasswordAuth(const std::string& folder)
{
    if (folder.empty() || !FolderFileExists(folder))
        return true;
    return OnFolderDatabase(folder, "TDataInfomation.IsDataPasswordAuth", "データのパスワード認証に失敗しました。",
                            [](bool& result) {
                                if (fnGetAccInfo()) {
                                    IDataModuleChecks* checks = DataModuleChecks();
                                    result = checks == nullptr || checks->InputDataPassword();
                                }
                                if (!result)
                                    ShowUserMessage(
                                        "このデータに設定されている「パスワード」と一致しませんでした。\r"
                                        "他のデータを選択して下さい。",
                                        TMsgDlgType::mtInformation);
                            });
}

bool TDataInfomation::IsDataSiyouKengen(const std::string& folder)
{
    if (folder.empty() || !FolderFileExists(folder))
        return true;
    IDataModuleChecks* checks = DataModuleChecks();
    if (checks == nullptr || checks->IsOpeUnrestricted())
        return true;
    return OnFolderDatabase(
        folder, "TDataInfomation.IsDataSiyouKengen", "データ使用権限の問い合わせに失敗しました。",
        [checks](bool& result) {
            TSitenList list;
            result = checks->HasOpeDefSisetu();
            if (result) {
                // Every facility of the data must be permitted to the operator.
                fnGetAccInfo();
                list.SetSitenTransaction(DM->IBTransactionDAT);
                list.Kinds = SitenKindFacilities;
                list.RefreshSitenList(-1);
                const std::int32_t all = list.Count;
                list.RefreshSitenList(SystemDef.OPCODE);
                result = list.Count == all;
            }
            if (!result)
                ShowUserMessage(
                    "このデータを扱う権限がありません、他のデータを選択して下さい。\r"
                    "権限を付与するには管理者でログインし、「オペレータ登録」より[選択中のデータを処理します]"
                    "にチェックを入れて下さい。",
                    TMsgDlgType::mtInformation);
        });
}
