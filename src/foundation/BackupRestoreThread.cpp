#include "foundation/BackupRestoreThread.h"

#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/DatabaseBackup.h"
#include "foundation/FileManTransfer.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/Synchronize.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"
#include "platform/db/FbError.h"

#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* Backup = "BackupDatabase";
constexpr const char* Restore = "RestoreDatabase";
constexpr const char* BackupStopped = "データベースの保存処理を中止しました。";
constexpr const char* RestoreStopped = "データベースの復元処理を中止しました。";
constexpr const char* NotOurData = "指定されたファイルはLedrix財務用のデータではありません。";
constexpr const char* TransferFailed = "バックアップファイルの転送処理（qhfileman.fdb）に失敗しました。";
constexpr const char* LocalHost = "127.0.0.1";

std::string FolderOf(const std::string& path)
{
    return fs::path(path).parent_path().string();
}

// The detail of a failed file-manager transfer of a backup.
std::string TransferDetail(const std::exception& error)
{
    std::string detail = std::string(BackupStopped) + "\r[詳細]";
    if (const auto* fb = dynamic_cast<const db::FbError*>(&error))
        detail += "\rIBエラー: " + std::to_string(fb->IBErrorCode());
    return detail + "\r" + error.what();
}

class FileManConnection final {
public:
    FileManConnection() : connected_(DM->fnFileManConnected(SystemDef.HOSTNAME)) {}
    ~FileManConnection()
    {
        try {
            if (DM->IBFileMan.Connected())
                DM->IBFileMan.Detach();
        } catch (const std::exception&) {
            // Nothing is left to save in it.
        }
    }
    FileManConnection(const FileManConnection&) = delete;
    FileManConnection& operator=(const FileManConnection&) = delete;
    bool Connected() const { return connected_; }

private:
    bool connected_;
};

}  // namespace

TBackupRestoreThread::TBackupRestoreThread(bool /*createSuspended*/) : ProcessName(AppInfo.Zaimu.AppTitle) {}

TBackupRestoreThread::~TBackupRestoreThread()
{
    if (!started_)
        return;
    // The worker may wait for a step that only this thread can run.
    while (!terminated_.load()) {
        CheckSynchronize();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    worker_.join();
}

void TBackupRestoreThread::Resume()
{
    if (started_)
        return;
    started_ = true;
    worker_ = std::thread([this] { Execute(); });
}

bool TBackupRestoreThread::BackupThreadTerminated()
{
    CheckSynchronize();
    return terminated_.load();
}

bool TBackupRestoreThread::Remote() const
{
    return !ServerName.empty() && ServerName != LocalHost;
}

void TBackupRestoreThread::SetError(const char* operation, const char* code, const std::string& message,
                                    const std::string& detail)
{
    Failed = 1;
    ErrorOperation = operation;
    ErrorCode = code;
    ErrorMessage = message;
    ErrorDetail = detail;
}

void TBackupRestoreThread::RunStep(void (TBackupRestoreThread::*step)())
{
    Synchronize([this, step] { (this->*step)(); });
}

void TBackupRestoreThread::Execute()
{
    Success = 0;
    Failed = 0;
    ErrorOperation.clear();
    ErrorCode.clear();
    ErrorMessage.clear();
    ErrorDetail.clear();
    const bool system = DatabasePath.find(SysDbFileName) != std::string::npos;
    try {
        switch (Mode) {
        case 0:
            if (AskMyNumber == 1 && !system) {
                if (USEMYNUMBER == 0) {
                    LogMyNumber = 0;
                } else {
                    RunStep(&TBackupRestoreThread::MyNumberBackupStep);
                    if (Success == 0)
                        break;
                    Success = 0;
                }
            }
            RunStep(&TBackupRestoreThread::BackupStep);
            break;
        case 1:
            if (AskMyNumber == 1 && !system) {
                RunStep(&TBackupRestoreThread::MyNumberRestoreStep);
                if (Success == 0)
                    break;
                Success = 0;
            }
            RunStep(&TBackupRestoreThread::RestoreStep);
            break;
        case 2:
            RunStep(&TBackupRestoreThread::BackupAndRestoreStep);
            break;
        case 3:
            SecondDatabasePath = DatabasePath;
            RunStep(&TBackupRestoreThread::BackupAndRestoreStep);
            break;
        default:
            break;
        }
    } catch (const std::exception& error) {
        // An error out of a step is a failed job with its reason, never an
        // ending that looks like neither success nor failure.
        Success = 0;
        const bool backup = Mode != 1;
        SetError(backup ? Backup : Restore, backup ? "100" : "200",
                 backup ? "データベースの保存に失敗しました。" : "データベースの復元に失敗しました。",
                 std::string(backup ? BackupStopped : RestoreStopped) + "\r" + error.what());
    }
    Failed = Success == 1 ? 0 : 1;
    terminated_.store(true);
}

bool TBackupRestoreThread::CheckPath(bool backup, bool& isCompany)
{
    isCompany = false;
    if (DatabasePath.find(SysDbFileName) != std::string::npos)
        return true;
    if (DatabasePath.find(DataDbFileName) != std::string::npos) {
        isCompany = true;
        return true;
    }
    Success = 0;
    SetError(backup ? Backup : Restore, backup ? "101" : "201", NotOurData, backup ? BackupStopped : RestoreStopped);
    return false;
}

void TBackupRestoreThread::MyNumberBackupStep()
{
    MyNumberAnswer = 0;
    Success = 1;
    if (OfferMyNumberChoice != 1) {
        MyNumberAnswer = 6;
        return;
    }
    if (SystemDef.MYNUMBER_ADM == 0) {
        ShowUserMessage("保存データにマイナンバー情報は含まれません。", TMsgDlgType::mtInformation);
        ExcludeMyNumber = 1;
        return;
    }
    TUserMessage question;
    question.Text = "保存データにマイナンバー情報を含めますか？";
    question.Caption = "確認";
    question.Type = TMsgDlgType::mtConfirmation;
    question.Buttons = {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo};
    if (ShowUserMessage(question) != mrYes) {
        ExcludeMyNumber = 1;
        return;
    }
    MyNumberAnswer = 6;
    myNumber_.ReadMyNumberSettings(ServerName, DatabasePath, "", "");
    Success = TMyNumberIO::ConfirmMyNumberPassword(myNumber_.Password) ? 1 : 0;
    if (Success == 0)
        SetError(Backup, "100", BackupStopped, "");
}

void TBackupRestoreThread::MyNumberRestoreStep()
{
    MyNumberAnswer = 0;
    Success = 1;
    myNumber_.ReadMyNumberSettings(ServerName, DatabasePath, "", "");
    if (myNumber_.Use == 1 && USEMYNUMBER == 0) {
        Success = 0;
        SetError(Restore, "200", "マイナンバー情報を管理しているデータへの復元はおこなえません。", RestoreStopped);
    } else if (USEMYNUMBER == 1) {
        MyNumberAnswer = 7;
    }
}

void TBackupRestoreThread::BackupStep()
{
    bool company = false;
    if (!CheckPath(true, company))
        return;
    bool cleared = false;
    if (company) {
        if (LogMyNumber == 1 && MyNumberAnswer == 6) {
            TMyNumberLogRec rec;
            myNumber_.MakeMyNumberLogRec(rec, 6, ProcessName);
            myNumber_.AddLogToData(rec, ServerName, DatabasePath);
        }
        if (ExcludeMyNumber == 1) {
            USEMYNUMBER = 0;
            cleared = myNumber_.ReadMyNumberSettings(ServerName, DatabasePath, MyNumberClearWord,
                                                     ProcessName + "＞データ保存");
        }
    }
    // The settings taken out of the live data go back in every case.
    const auto putBack = [&] {
        if (cleared) {
            myNumber_.RestoreMyNumberSettings(ServerName, DatabasePath);
            USEMYNUMBER = myNumber_.Use;
        }
    };
    try {
        Success = BackupByMethod() ? 1 : 0;
        if (Success == 1 && AppendTrailer == 1)
            AppendBackupTrailer(BackupFilePath);
    } catch (...) {
        Success = 0;
        putBack();
        throw;
    }
    if (Success == 0 && ErrorCode.empty())
        SetError(Backup, "100", "データベースの保存に失敗しました。", BackupStopped);
    putBack();
}

bool TBackupRestoreThread::BackupByMethod()
{
    if (Method == 0) {
        if (Remote())
            return BackupFDB(ServiceProtocolTcp, ServerName, DatabasePath, BackupFilePath, true);
        return BackupFDB(ServiceProtocolLocal, ServerName, DatabasePath, BackupFilePath, false);
    }
    if (Method != 1)
        return false;
    FileManConnection fileMan;
    if (!fileMan.Connected())
        return BackupFDBTool(ServerName, DatabasePath, BackupFilePath, true);
    EnsureServerTempFolder();
    const std::string serverFile = FileManServerFile();
    const TServerFileRemoval removal(serverFile);
    if (!BackupFDB(ServiceProtocolTcp, ServerName, DatabasePath, serverFile, true))
        return false;
    return TransferBackupFromServer(serverFile, FileManContentId());
}

bool TBackupRestoreThread::TransferBackupFromServer(const std::string& serverFile, const std::string& contentId)
{
    try {
        return FetchFileFromServer(serverFile, contentId, BackupFilePath);
    } catch (const std::exception& error) {
        SetError(Backup, "102", TransferFailed, TransferDetail(error));
        return false;
    }
}

bool TBackupRestoreThread::TransferBackupToServer(const std::string& serverFile, const std::string& contentId)
{
    try {
        SendFileToServer(BackupFilePath, serverFile, contentId);
        return true;
    } catch (const std::exception&) {
        SetError(Restore, "203", TransferFailed, RestoreStopped);
        return false;
    }
}

void TBackupRestoreThread::RestoreStep()
{
    bool company = false;
    if (!CheckPath(false, company))
        return;
    if (DM->AccDatInConnection(company ? 1 : 0, ServerName, FolderOf(DatabasePath), false)) {
        Success = 0;
        SetError(Restore, "202", "このデータは、他のオペレータが使用中のため復元処理を行うことが出来ません。",
                 RestoreStopped);
        return;
    }
    if (company && MyNumberAnswer == 7)
        myNumber_.LoadMyNumberLogOfData(ServerName, DatabasePath);
    Success = RestoreByMethod() ? 1 : 0;
    if (Success == 0 && ErrorCode.empty())
        SetError(Restore, "200", "データベースの復元に失敗しました。", RestoreStopped);
    if (company && Success == 1 && MyNumberAnswer == 7) {
        if (ProcessName.empty())
            ProcessName = AppInfo.Zaimu.AppTitle;
        if (LogMyNumber == 1) {
            TMyNumberLogRec rec;
            myNumber_.MakeMyNumberLogRec(rec, 7, ProcessName);
            myNumber_.AddLogToData(rec, ServerName, DatabasePath);
        }
        myNumber_.MergeMyNumberLog(ServerName, DatabasePath);
    }
}

bool TBackupRestoreThread::RestoreByMethod()
{
    const bool withIndexes = RestoreWithIndexes == 1;
    if (Method == 0) {
        return RestoreFDB(Remote() ? ServiceProtocolTcp : ServiceProtocolLocal, ServerName, DatabasePath,
                          BackupFilePath, withIndexes);
    }
    if (Method != 1)
        return false;
    FileManConnection fileMan;
    if (!fileMan.Connected())
        return RestoreFDBTool(ServerName, DatabasePath, BackupFilePath, withIndexes);
    EnsureServerTempFolder();
    const std::string serverFile = FileManServerFile();
    const TServerFileRemoval removal(serverFile);
    if (!TransferBackupToServer(serverFile, FileManContentId()))
        return false;
    return RestoreFDB(ServiceProtocolTcp, ServerName, DatabasePath, serverFile, withIndexes);
}

void TBackupRestoreThread::BackupAndRestoreStep()
{
    bool ok = false;
    if (Method == 0 && Remote()) {
        ok = BackupFDB(ServiceProtocolTcp, ServerName, DatabasePath, BackupFilePath, true);
        if (ok)
            ok = RestoreFDB(ServiceProtocolTcp, ServerName, SecondDatabasePath, BackupFilePath, true);
    } else if (Method == 0) {
        // Only a backup just made may go over the second database: an
        // older or partial file there must never replace live data.
        ok = BackupFDB(ServiceProtocolLocal, ServerName, DatabasePath, BackupFilePath, false);
        if (ok)
            ok = RestoreFDB(ServiceProtocolLocal, ServerName, SecondDatabasePath, BackupFilePath, true);
    } else if (Method == 1) {
        ok = BackupFDBTool(ServerName, DatabasePath, BackupFilePath, true);
        if (ok)
            ok = RestoreFDBTool(ServerName, SecondDatabasePath, BackupFilePath, true);
    }
    Success = ok ? 1 : 0;
}
