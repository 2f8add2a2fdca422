#include "foundation/DatabaseBackup.h"

#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/FolderOps.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/ScreenServices.h"
#include "foundation/SystemDef.h"
#include "platform/ChildProcess.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/JoinedTransaction.h"
#include "platform/db/ServiceManager.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* BackupFailed = "データベースのバックアップに失敗しました。";
constexpr const char* RestoreFailed = "データベースのリストアに失敗しました。";
constexpr const char* MoveFailed = "データベースバックアップファイルのMoveに失敗しました。";
constexpr const char* BackupToolStartFailed =
    "バックアップツール(gbak.exe)が起動出来ませんでした。\r処理を終了します。";
constexpr const char* RestoreToolStartFailed = "リストアツール(gbak.exe)が起動出来ませんでした。\r処理を終了します。";
constexpr const char* BackupToolFailed = "バックアップ中にエラーが発生しました。\r";
constexpr const char* RestoreToolFailed = "リストア中にエラーが発生しました。\r";
constexpr const char* LocalHost = "127.0.0.1";

std::string FolderOf(const std::string& path)
{
    return fs::path(path).parent_path().string();
}

void Pump(const std::string&)
{
    DelayMSec(0);
}

db::ServiceManager Services(std::int32_t protocol, const std::string& host)
{
    return db::ServiceManager(protocol == ServiceProtocolLocal ? std::string() : host, SystemDef.USER,
                              SystemDef.PASSWORD);
}

// rename(2) does not cross file systems (a stick, a tmpfs); a copy does.
bool MoveFile(const std::string& from, const std::string& to)
{
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec)
        return true;
    if (ec != std::errc::cross_device_link)
        return false;
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec) || ec) {
        fs::remove(to, ec);
        return false;
    }
    fs::remove(from, ec);
    return true;
}

bool IsCompanyDatabase(const std::string& path)
{
    return path.find(DataDbFileName) != std::string::npos;
}

// Opens the restored company database, empties its process history and
// closes it again without touching its information file.
bool CleanRestoredCompany(std::int32_t protocol, std::string host, const std::string& databasePath)
{
    if (!IsCompanyDatabase(databasePath))
        return true;
    if (protocol == ServiceProtocolLocal && (ConnectionMode == 1 || ConnectionMode == 2) && host.empty())
        host = LocalHost;
    if (ConnectionMode == 0)
        host.clear();
    const std::string folder = FolderOf(databasePath);
    bool ok = DM->fnAccDatConnected(host, folder, false);
    if (ok)
        DeleteOpinf();
    return ok;
}

void CloseCompany(const std::string& databasePath)
{
    try {
        if (DM->IBDatabaseDAT.Connected())
            DM->fnAccDatDisConnected(FolderOf(databasePath), false, false);
    } catch (const std::exception&) {
        // The next connect closes what is left open.
    }
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string GbakPath()
{
    if (!SystemDef.ProgramDir.empty()) {
        const std::string local = SystemDef.ProgramDir + "/gbak";
        std::error_code ec;
        if (fs::is_regular_file(local, ec))
            return local;
    }
    return "gbak";
}

// Runs gbak with the arguments; throws TBackupToolError with startFailed
// when it cannot start and with failedPrefix + the log when it failed.
void RunGbak(std::vector<std::string> args, const char* startFailed, const char* failedPrefix)
{
    const std::string log = BackupToolLogPath();
    std::error_code ec;
    fs::create_directories(FolderOf(log), ec);
    fs::remove(log, ec);  // the tool refuses to write over an old log
    args.insert(args.begin(), GbakPath());
    proc::ChildOptions options;
    options.stdoutTarget = proc::OutputTarget::Discard();
    options.stderrTarget = proc::OutputTarget::Discard();
    options.SetEnv("ISC_USER", SystemDef.USER).SetEnv("ISC_PASSWORD", SystemDef.PASSWORD);
    proc::ChildProcess child(std::move(args), options);
    try {
        child.Start();
    } catch (const proc::ChildProcessError&) {
        throw TBackupToolError(startFailed);
    }
    std::optional<proc::ExitStatus> status = child.Wait(std::chrono::milliseconds(20), [] {
        DelayMSec(1);
        return proc::WaitAction::Continue;
    });
    if (!status)
        status = child.Wait();
    const std::string text = ReadText(log);
    // The tool's exit code counts too: a tool that ends in failure has not
    // made a backup, whatever its log says.
    if (text.find("ERROR") != std::string::npos || !status->Succeeded())
        throw TBackupToolError(failedPrefix + (text.empty() ? status->Describe() : text));
}

std::string RemoteName(const std::string& host, const std::string& path)
{
    return host.empty() ? path : db::ConnectionString(host, path);
}

}  // namespace

std::string BackupToolLogPath()
{
    return SystemDef.TempDir + "/gbak.log";
}

bool BackupFDB(std::int32_t protocol, const std::string& host, const std::string& databasePath,
               const std::string& backupFile, bool direct)
{
    std::string target = backupFile;
    if (!direct)
        target = fs::path(FolderOf(databasePath) + "/" + BackupWorkFileName).replace_extension(".fb_").string();
    try {
        Services(protocol, host).Backup(databasePath, target, db::BackupOptions{}, &Pump);
        if (!direct && target != backupFile) {
            std::error_code ec;
            fs::remove(backupFile, ec);
            if (!MoveFile(target, backupFile))
                throw std::runtime_error(MoveFailed);
        }
        return true;
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDM.BackupFDB", BackupFailed);
    } catch (const std::exception& error) {
        ShowErrorMessage(BackupFailed, error.what(), TMsgDlgType::mtError);
    }
    if (!direct && target != backupFile) {
        std::error_code ec;
        fs::remove(target, ec);
    }
    return false;
}

bool RestoreFDB(std::int32_t protocol, const std::string& host, const std::string& databasePath,
                const std::string& backupFile, bool withIndexes)
{
    bool ok = false;
    try {
        db::RestoreOptions options;
        options.deactivateIndexes = !withIndexes;
        Services(protocol, host).Restore(backupFile, databasePath, options, &Pump);
        ok = CleanRestoredCompany(protocol, host, databasePath);
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDM.RestoreFDB", RestoreFailed);
    } catch (const std::exception& error) {
        ShowErrorMessage(RestoreFailed, error.what(), TMsgDlgType::mtError);
    }
    CloseCompany(databasePath);
    return ok;
}

bool BackupFDBTool(const std::string& host, const std::string& databasePath, const std::string& backupFile, bool direct)
{
    if (host == LocalHost)
        return BackupFDB(ServiceProtocolLocal, host, databasePath, backupFile, direct);
    RunGbak({"-b", "-g", "-y", BackupToolLogPath(), RemoteName(host, databasePath), backupFile}, BackupToolStartFailed,
            BackupToolFailed);
    return true;
}

bool RestoreFDBTool(const std::string& host, const std::string& databasePath, const std::string& backupFile,
                    bool withIndexes)
{
    if (host == LocalHost)
        return RestoreFDB(ServiceProtocolLocal, host, databasePath, backupFile, withIndexes);
    std::error_code ec;
    if (!fs::is_regular_file(backupFile, ec))
        return false;
    bool ok = false;
    try {
        // "-rep" replaces an existing database; the tool's plain "-r" would
        // refuse one that exists.
        RunGbak({"-rep", "-bu", "4096", "-p", "16384", "-y", BackupToolLogPath(), backupFile,
                 RemoteName(host, databasePath)},
                RestoreToolStartFailed, RestoreToolFailed);
        ok = CleanRestoredCompany(ServiceProtocolTcp, host, databasePath);
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDM.RestoreFDB", RestoreFailed);
    } catch (const std::exception& error) {
        ShowErrorMessage(RestoreFailed, error.what(), TMsgDlgType::mtError);
    }
    CloseCompany(databasePath);
    return ok;
}

bool ValidateDataBase(std::int32_t protocol, const std::string& host, const std::string& databasePath)
{
    const bool wasConnected = DM->IBDatabaseDAT.Connected();
    const std::string folder = FolderOf(databasePath);
    try {
        if (wasConnected)
            DM->fnAccDatDisConnected(folder, false, false);
        const db::ValidationResult result = Services(protocol, host).Validate(databasePath, &Pump);
        if (wasConnected)
            DM->fnAccDatConnected(ConnectionMode == 0 ? std::string() : host, folder, false);
        return !result.errorsFound;
    } catch (const std::exception&) {
        // Only a validation that ran through and reported nothing proves the
        // data sound. A file the engine cannot open or read (an I/O error, a
        // file that is no database, parameters it refuses on the attach) is
        // the very data that must be marked damaged, never passed as sound.
        return false;
    }
}

void DeleteOpinf()
{
    db::JoinedTransaction joined(DM->IBTransactionDAT);
    db::Query query(DM->IBDatabaseDAT, DM->IBTransactionDAT, "DELETE FROM OPINF");
    query.ExecSQL();
    joined.Commit();
}
