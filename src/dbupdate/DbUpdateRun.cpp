#include "dbupdate/DbUpdateRun.h"

#include "dbupdate/IsqlRunner.h"
#include "dbupdate/SystemUpdates.h"
#include "foundation/AccInf.h"
#include "foundation/BackupRestoreThread.h"
#include "foundation/DataModule.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/ScreenServices.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* BackupFile = "dataup.fbk";
constexpr const char* BeforeUpdateFolder = "更新前データ";

// A cancel requested during a run ends with the run.
struct CancelScope {
    CancelScope() { ClearIsqlCancel(); }
    ~CancelScope() { ClearIsqlCancel(); }
    CancelScope(const CancelScope&) = delete;
    CancelScope& operator=(const CancelScope&) = delete;
};

}  // namespace

std::string UpdateStateText(std::int32_t result)
{
    if (result == UpdateResultOk)
        return "完了";
    return result == UpdateResultFileMissing ? "ﾌｧｲﾙ不足" : "失敗";
}

std::string TDbUpdateRun::DatabasePath() const
{
    return check_.Kind == 0 ? SystemDef.SYSDIR + "/" + SysDbFileName : SystemDef.DataDir + "/" + DataDbFileName;
}

bool TDbUpdateRun::RunBackupJob(std::int32_t mode, std::int32_t useMyNumber)
{
    TBackupRestoreThread job;
    job.Mode = mode;
    job.Method = ConnectionMode == 1 || ConnectionMode == 2 ? 1 : 0;
    job.AskMyNumber = check_.Kind;
    job.ServerName = SystemDef.HOSTNAME;
    job.DatabasePath = DatabasePath();
    job.BackupFilePath = BackupFileName;
    job.RestoreWithIndexes = 1;
    job.OfferMyNumberChoice = 0;
    job.USEMYNUMBER = useMyNumber;
    job.Resume();
    while (!job.BackupThreadTerminated())
        DelayMSec(300);
    ErrorInfo = {job.Failed, job.ErrorOperation, job.ErrorCode, job.ErrorMessage, job.ErrorDetail};
    return job.Success == 1;
}

std::int32_t TDbUpdateRun::CallUpdate(const TDbUpdateListRec& entry)
{
    const std::string version =
        std::to_string(entry.Major) + "." + std::to_string(entry.Minor1) + "." + std::to_string(entry.Minor2);
    if (!IsUpdateRegistered(entry))
        return UpdateResultToolMissing;
    try {
        return entry.UpdateFunc();
    } catch (const std::exception& error) {
        // A unit's own guard has put its database back by now; the run
        // treats the escape as the unit's failure.
        ShowUserMessage("Ver " + version + "のデータベース更新に失敗しました。\r" + error.what(), TMsgDlgType::mtError);
        return UpdateResultScriptError;
    } catch (...) {
        ShowUserMessage("Ver " + version + "のデータベース更新に失敗しました。", TMsgDlgType::mtError);
        return UpdateResultScriptError;
    }
}

std::int32_t TDbUpdateRun::ExecUpdate()
{
    const CancelScope cancelScope;
    BackupFileName = SystemDef.TempDir + "/" + BackupFile;
    BackupKept = false;
    LastResult = 0;
    FailedVersion.clear();
    ErrorInfo = {};
    check_.Succeeded = false;
    if (!check_.Pending)
        return -1;

    if (check_.BackupCount > 0) {
        if (check_.Kind == 0)
            DM->fnAccDefConnected(SystemDef.HOSTNAME, true);
        std::error_code ec;
        fs::create_directories(SystemDef.TempDir, ec);
        view_.OpenProgressWindow("データ更新の準備中", "準備中、しばらくお待ちください…");
        bool ok = false;
        try {
            ok = RunBackupJob(0, 0);
        } catch (const std::exception& error) {
            ErrorInfo = {1, "BackupDatabase", "100", "データベースの保存に失敗しました。", error.what()};
        }
        if (check_.Kind == 0 && DM->IBDatabaseDEF.Connected()) {
            try {
                DM->IBDatabaseDEF.Detach();
            } catch (const std::exception&) {
                // The updates reach the database through the tool.
            }
        }
        view_.CloseProgressWindow();
        if (!SystemDef.DocumentsDir.empty())
            fs::remove_all(fs::path(SystemDef.DocumentsDir) / BeforeUpdateFolder, ec);
        if (!ok) {
            check_.FirstPending = check_.LastPending = -1;
            return -1;
        }
    }

    const TArrayDbUpdateListRec& list = check_.CurrentList();
    view_.ShowRunProgress(check_.LastPending - check_.FirstPending + 1);
    for (std::int32_t i = check_.FirstPending; i <= check_.LastPending; ++i) {
        LastResult = CallUpdate(list[static_cast<std::size_t>(i)]);
        view_.SetItemState(i - check_.FirstPending, LastResult);
        if (LastResult != UpdateResultOk) {
            const TDbUpdateListRec& entry = list[static_cast<std::size_t>(i)];
            FailedVersion =
                std::to_string(entry.Major) + "." + std::to_string(entry.Minor1) + "." + std::to_string(entry.Minor2);
            break;
        }
        view_.StepRunProgress();
    }
    DelayMSec(300);
    view_.HideRunProgress();

    if (LastResult != UpdateResultOk && check_.BackupCount > 0) {
        view_.OpenProgressWindow("更新前データの復元中", "復元中、しばらくお待ちください…");
        bool ok = false;
        try {
            ok = RunBackupJob(1, check_.Kind == 1 ? AccInf.MyNumberUse : 0);
        } catch (const std::exception& error) {
            ErrorInfo = {1, "RestoreDatabase", "200", "データベースの復元に失敗しました。", error.what()};
        }
        view_.CloseProgressWindow();
        if (!ok) {
            // The backup is now the last good copy of the data.
            BackupKept = true;
            ErrorInfo.Detail +=
                (ErrorInfo.Detail.empty() ? "" : "\r") + std::string("更新前のデータ: ") + BackupFileName;
            check_.FirstPending = check_.LastPending = -1;
            return -1;
        }
    }

    check_.FirstPending = check_.LastPending = -1;
    const std::int32_t result = LastResult == UpdateResultOk ? 1 : 0;
    if (result == 1)
        check_.CurrentVersion = check_.TargetVersion;
    check_.Succeeded = result == 1;
    return result;
}
