#pragma once
// Backing up and restoring a company (or the system) database as one job
// that a screen starts and waits for.
//
// The screen creates the object, fills in the job, calls Resume and polls
// BackupThreadTerminated while it processes messages (DelayMSec). A worker
// thread sequences the job; each step runs on the main thread (Synchronize),
// inside that polling, so database connections, windows and global records
// are only ever touched there. The screen reads the result fields once the
// job has ended and then destroys the object.
//
// Jobs (Mode): 0 backup (My Number question, optional trailer), 1 restore
// (My Number check, merge of the target's My Number log), 2 backup then
// restore into SecondDatabasePath, 3 backup then restore over DatabasePath.
// Routes (Method): 0 the engine's services (over TCP when ServerName names a
// host other than "127.0.0.1", else the local engine); 1 the server route:
// the file-manager database carries the backup between server and client,
// or, without it, the command-line tool.
//
// What this job does beyond the bare steps, so that no data is lost:
//   - a restore runs only after its backup succeeded (jobs 2 and 3); a
//     failed backup never leads to a restore over live data;
//   - the My Number settings that a backup without My Number information
//     takes out of the live data are put back whatever happens to the
//     backup, an error included;
//   - an error that a step raises ends the job as a failure with the
//     error's text in ErrorDetail (Failed 1), never as silence.

#include "foundation/BackupTrailer.h"
#include "foundation/MyNumberIO.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

class TBackupRestoreThread final : public TBackupTrailerValues {
public:
    // Created suspended: nothing runs before Resume. ProcessName is the
    // application title.
    explicit TBackupRestoreThread(bool createSuspended = true);
    // Waits for a started job to end (running its remaining steps).
    ~TBackupRestoreThread();
    TBackupRestoreThread(const TBackupRestoreThread&) = delete;
    TBackupRestoreThread& operator=(const TBackupRestoreThread&) = delete;

    // Starts the job; a second call does nothing.
    void Resume();
    // Runs the steps that wait for the main thread, then answers whether the
    // job has ended.
    bool BackupThreadTerminated();

    std::int32_t Mode = 0;
    std::uint8_t Method = 0;
    std::uint8_t AskMyNumber = 1;
    std::string ServerName;
    std::string DatabasePath;
    std::string SecondDatabasePath;
    std::string BackupFilePath;
    std::uint8_t RestoreWithIndexes = 1;
    std::uint8_t Success = 0;
    std::uint8_t Failed = 0;
    std::string ErrorOperation;
    std::string ErrorCode;
    std::string ErrorMessage;
    std::string ErrorDetail;
    std::uint8_t AppendTrailer = 0;
    std::uint8_t OfferMyNumberChoice = 0;
    std::uint8_t LogMyNumber = 0;
    std::uint8_t ExcludeMyNumber = 0;
    std::int32_t MyNumberAnswer = 0;
    std::string ProcessName;

private:
    void Execute();
    void RunStep(void (TBackupRestoreThread::*step)());
    void MyNumberBackupStep();
    void MyNumberRestoreStep();
    void BackupStep();
    void RestoreStep();
    void BackupAndRestoreStep();
    // False (with the error fields set) for a path that names neither
    // database; isCompany tells which it names.
    bool CheckPath(bool backup, bool& isCompany);
    bool BackupByMethod();
    bool RestoreByMethod();
    bool TransferBackupFromServer(const std::string& serverFile, const std::string& contentId);
    bool TransferBackupToServer(const std::string& serverFile, const std::string& contentId);
    void SetError(const char* operation, const char* code, const std::string& message, const std::string& detail);
    bool Remote() const;

    TMyNumberIO myNumber_;
    std::thread worker_;
    std::atomic<bool> terminated_{false};
    bool started_ = false;
};
