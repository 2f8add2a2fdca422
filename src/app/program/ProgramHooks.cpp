#include "app/program/ProgramHooks.h"

#include "app/program/DataFolderRecord.h"
#include "foundation/DataInfomationRec.h"
#include "foundation/DataModule.h"
#include "foundation/DatabaseBackup.h"
#include "foundation/HostHooks.h"
#include "foundation/InstallationNames.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"
#include "platform/db/JoinedTransaction.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

// Sets the hourglass for the life of a launch, whichever way it ends.
class HourglassCursor final {
public:
    HourglassCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~HourglassCursor() { QGuiApplication::restoreOverrideCursor(); }
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;

    static bool Up()
    {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
    }
};

TProcessParams ParamLines(const std::string& text)
{
    TProcessParams lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        // "\r\n" is one line break.
        start = end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

void MarkDamagedInDataList(const std::string& folder)
{
    if (!DM)
        return;
    std::int32_t rec = 0;
    std::int32_t rowNo = 0;
    DM->GetDataListRec(folder, rec, rowNo);
    if (rec <= 0)
        return;
    db::JoinedTransaction joined(DM->IBTransactionDEF);
    db::Query query(DM->IBDatabaseDEF, DM->IBTransactionDEF);
    if (rowNo == 0) {
        query.SetSQL("UPDATE DATALIST SET DATA_STATUS=1 WHERE REC=:REC");
    } else {
        query.SetSQL("UPDATE CHILD_DATALIST SET DATA_STATUS=1 WHERE REC=:REC AND ROWNO=:ROWNO");
        query.ParamByName("ROWNO").SetInteger(rowNo);
    }
    query.ParamByName("REC").SetInteger(rec);
    query.ExecSQL();
    joined.Commit();
}

}  // namespace

std::int32_t MainShowHook(std::int32_t, const std::string&)
{
    return 0;
}

std::unique_ptr<IProcessForm> FindProcessClass(const std::string& processName)
{
    const TProcessFormClass formClass = GetProcessClass(processName);
    return formClass != nullptr ? formClass() : nullptr;
}

std::int32_t ExecuteProcess(const std::string& processName, std::int32_t mode, const std::string& paramText)
{
    if (processName.empty() || HourglassCursor::Up())
        return -1;
    const HourglassCursor hourglass;
    std::unique_ptr<IProcessForm> form = FindProcessClass(processName);
    if (!form) {
        ShowUserMessage(
            "処理を起動するためのインターフェースが実装されていません。\r"
            "ライブラリのロードに失敗した可能性があります。",
            TMsgDlgType::mtError);
        return -1;
    }
    TProcessParams params = ParamLines(paramText);
    params.push_back(ProcessFormStyleLine(mode == 1));
    form->SetParams(params);
    return form->Execute(mode == 1);
}

std::int32_t VerifyDataFile(const std::string& host, const std::string& folder, std::int32_t silent)
{
    SystemDef.DataDamaged = 0;
    const std::string database = folder + "/" + DataDbFileName;
    const bool overTcp = !host.empty() && host != "127.0.0.1";
    const bool sound = ValidateDataBase(overTcp ? ServiceProtocolTcp : ServiceProtocolLocal, host, database);
    if (sound)
        return 1;
    SystemDef.DataDamaged = 1;
    if (silent != 1)
        ShowUserMessage(
            "データ検証の結果、このデータは破損している恐れがあります。\r"
            "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。\r"
            "ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。",
            TMsgDlgType::mtError);
    try {
        MarkDamagedInDataList(folder);
    } catch (const std::exception&) {
        // The check's answer stands even when the list cannot be marked.
    }
    try {
        SetDataStatus(folder, DataStatusDamaged);
    } catch (const std::exception&) {
        // Likewise for the information file.
    }
    return 0;
}

void InstallProgramHooks()
{
    MenuCallbackHook = MainShowHook;
    ProcessLauncherHook = ExecuteProcess;
    DataCheckHook = VerifyDataFile;
}

void ClearProgramHooks()
{
    MenuCallbackHook = nullptr;
    ProcessLauncherHook = nullptr;
    DataCheckHook = nullptr;
}
