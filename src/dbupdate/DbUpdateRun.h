#pragma once
// Running the pending updates of a check (DbUpdateCheck.h) against its
// database: a backup first when any pending update asks for one, every
// pending update in version order until one fails, and the backup restored
// after a failure, so that the database is as it was before the run.
//
// The database: kind 0 <SYSDIR>/<SysDbFileName>, kind 1 <DataDir>/
// <DataDbFileName>. The backup: "<TempDir>/dataup.fbk", taken and restored
// by the backup job (BackupRestoreThread.h) while the screen's progress
// window is open. The caller keeps the program's own connection to the
// database closed during the run.
//
// An error that escapes an update function is a failed update like any
// other (restore and message), never an end of the run without either. A
// backup that could not be restored is kept (BackupKept) and named in the
// error text: it is then the only good copy of the data.
//
// Result of ExecUpdate: 1 every pending update succeeded (the check's
// CurrentVersion is then its TargetVersion); 0 an update failed (and a
// backup taken was restored); -1 nothing was pending, the backup failed, or
// the restore after a failed update failed.

#include "dbupdate/DbUpdateCheck.h"

#include <cstdint>
#include <string>

// What the screen shows during a run.
class IDbUpdateRunView {
public:
    virtual ~IDbUpdateRunView() = default;
    // The progress window of the backup and the restore.
    virtual void OpenProgressWindow(const std::string& caption, const std::string& info) = 0;
    virtual void CloseProgressWindow() = 0;
    // The progress panel over the list: count steps, then one step per
    // update done; Hide at the end of the loop.
    virtual void ShowRunProgress(std::int32_t count) = 0;
    virtual void StepRunProgress() = 0;
    virtual void HideRunProgress() = 0;
    // The state column of the list's item (0 = the first pending entry).
    virtual void SetItemState(std::int32_t item, std::int32_t result) = 0;
};

// Error information of the last backup or restore.
struct TErrInfomation {
    std::uint8_t Failed = 0;
    std::string Operation;
    std::string Code;
    std::string Message;
    std::string Detail;
};

// The state text of a result: "完了", "ﾌｧｲﾙ不足" (18) or "失敗".
std::string UpdateStateText(std::int32_t result);

class TDbUpdateRun {
public:
    TDbUpdateRun(TDbUpdateCheck& check, IDbUpdateRunView& view) : check_(check), view_(view) {}

    std::int32_t ExecUpdate();
    // The database of the check's kind.
    std::string DatabasePath() const;

    std::string BackupFileName;
    TErrInfomation ErrorInfo;
    bool BackupKept = false;
    // The result of the last update function called (0 before any), and the
    // version of the update that failed ("%d.%d.%d"; empty when none did).
    std::int32_t LastResult = 0;
    std::string FailedVersion;

private:
    bool RunBackupJob(std::int32_t mode, std::int32_t useMyNumber);
    std::int32_t CallUpdate(const TDbUpdateListRec& entry);

    TDbUpdateCheck& check_;
    IDbUpdateRunView& view_;
};
