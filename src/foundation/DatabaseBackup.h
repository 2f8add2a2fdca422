#pragma once
// Copying a database into a backup file and back, and validating it, for
// the data module (DM).
//
// Two routes:
//   - the engine's services (BackupFDB, RestoreFDB): protocol 0 reaches the
//     server on host over TCP, protocol 3 the local engine (the embedded
//     one, in this process); paths are the engine's own;
//   - Firebird's command-line tool gbak (BackupFDBTool, RestoreFDBTool),
//     run as a hidden child from the program folder (or PATH), which
//     streams the backup between the server and this machine. The login
//     reaches it through its environment, never its command line (which
//     every user sees in the process list); its log lies in the work folder.
//
// While the engine or the tool works, the installed message pump keeps the
// screens alive.
//
// Faults reported here (HandleIBError for database errors, ShowErrorMessage
// for others) give false; the tool route's backup raises its failures
// instead, for its caller to record.

#include <cstdint>
#include <stdexcept>
#include <string>

inline constexpr std::int32_t ServiceProtocolTcp = 0;
inline constexpr std::int32_t ServiceProtocolLocal = 3;

// A failure of the command-line route (the message is the user's text).
class TBackupToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Service backup. Not direct: the engine writes "<database folder>/qhacc.fb_"
// which then replaces backupFile (moved across file systems too).
bool BackupFDB(std::int32_t protocol, const std::string& host, const std::string& databasePath,
               const std::string& backupFile, bool direct);
// Service restore over databasePath (replace or create; without indexes
// when withIndexes is false). A restored company database is then opened
// and its process history (OPINF) emptied; false when it cannot be opened.
bool RestoreFDB(std::int32_t protocol, const std::string& host, const std::string& databasePath,
                const std::string& backupFile, bool withIndexes);

// gbak backup from "host:databasePath" (host "127.0.0.1": BackupFDB with the
// local protocol). Throws TBackupToolError when the tool cannot start
// ("バックアップツール(gbak.exe)が起動出来ませんでした。\r処理を終了します。")
// or fails ("バックアップ中にエラーが発生しました。\r" + its log).
bool BackupFDBTool(const std::string& host, const std::string& databasePath, const std::string& backupFile,
                   bool direct);
// gbak restore (replacing an existing database); false when the backup file
// is missing or the restore fails (reported as RestoreFDB reports).
bool RestoreFDBTool(const std::string& host, const std::string& databasePath, const std::string& backupFile,
                    bool withIndexes);

// Full validation (checksums ignored): true when the engine reports nothing.
// Any failure of the validation itself (a missing, unreadable or foreign
// file) gives false. The data module's company connection is closed
// meanwhile and reopened after a validation that ran.
bool ValidateDataBase(std::int32_t protocol, const std::string& host, const std::string& databasePath);

// "DELETE FROM OPINF" on the open company database, in IBTransactionDAT
// (started and committed here when not active). Throws db::FbError.
void DeleteOpinf();

// "<TempDir>/gbak.log".
std::string BackupToolLogPath();
