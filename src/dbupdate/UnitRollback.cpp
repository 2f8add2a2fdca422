#include "dbupdate/UnitRollback.h"

#include "dbupdate/IsqlRunner.h"
#include "dbupdate/PrivateFile.h"
#include "foundation/SystemDef.h"
#include "foundation/DataModule.h"
#include "foundation/UserMessage.h"
#include "platform/db/FbError.h"
#include "platform/db/ServiceManager.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* CopyFailedMessage = "Ver %sの更新前のデータベースを保存できませんでした。\r処理を中止します。";
constexpr const char* PutBackFailedMessage =
    "Ver %sの更新前のデータベースを元に戻せませんでした。\r更新前のデータベースは次のファイルに残してあります。\r";

std::string WithVersion(std::string text, const std::string& version)
{
    const auto at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, version);
    return text;
}

// The connection strings this thread guards now.
thread_local std::vector<std::string> guardedDatabases;

class TGuardMark final {
public:
    explicit TGuardMark(std::string database) : database_(std::move(database))
    {
        guardedDatabases.push_back(database_);
    }
    ~TGuardMark()
    {
        const auto found = std::find(guardedDatabases.rbegin(), guardedDatabases.rend(), database_);
        if (found != guardedDatabases.rend())
            guardedDatabases.erase(std::next(found).base());
    }
    TGuardMark(const TGuardMark&) = delete;
    TGuardMark& operator=(const TGuardMark&) = delete;

    static bool Guarded(const std::string& database)
    {
        return std::find(guardedDatabases.begin(), guardedDatabases.end(), database) != guardedDatabases.end();
    }

private:
    std::string database_;
};

// The data module's connection to the target, closed for the guarded run
// and opened again at its end when it was open at its start.
class TOwnConnectionPause final {
public:
    explicit TOwnConnectionPause(TUpdateTarget target) : target_(target), path_(UpdateDatabasePath(target))
    {
        reopen_ = Holds();
        Close();
    }
    ~TOwnConnectionPause()
    {
        if (!reopen_ || !DM)
            return;
        try {
            // The data module reports a failure to open itself.
            if (target_ == TUpdateTarget::SystemDatabase) {
                if (!DM->IBDatabaseDEF.Connected())
                    DM->fnAccDefConnected(SystemDef.HOSTNAME, true);
            } else if (!DM->IBDatabaseDAT.Connected()) {
                DM->fnAccDatConnected(SystemDef.HOSTNAME, SystemDef.DataDir, false);
            }
        } catch (const std::exception&) {
            // Its next use opens it again.
        }
    }
    TOwnConnectionPause(const TOwnConnectionPause&) = delete;
    TOwnConnectionPause& operator=(const TOwnConnectionPause&) = delete;

    // Closes the connection when it holds the target; again before a copy
    // goes back, as a unit's own question may have left it open.
    void Close() noexcept
    {
        if (!Holds())
            return;
        try {
            if (target_ == TUpdateTarget::CompanyDatabase)
                DM->fnAccDatDisConnected(SystemDef.DataDir, false, false);
        } catch (const std::exception&) {
        }
        try {
            Connection().Detach();
        } catch (const std::exception&) {
            // Detach closes the connection also when the server complains.
        }
    }

private:
    db::Database& Connection() const
    {
        return target_ == TUpdateTarget::SystemDatabase ? DM->IBDatabaseDEF : DM->IBDatabaseDAT;
    }
    bool Holds() const
    {
        if (!DM || !Connection().Connected())
            return false;
        const std::string name = Connection().DatabaseName();
        return name.size() >= path_.size() && name.compare(name.size() - path_.size(), path_.size(), path_) == 0;
    }

    TUpdateTarget target_;
    std::string path_;
    bool reopen_ = false;
};

// The copy of the database taken before the unit; removed when it goes,
// unless it had to be kept.
class TUnitCopy final {
public:
    TUnitCopy(std::string host, std::string database) : host_(std::move(host)), database_(std::move(database)) {}
    ~TUnitCopy()
    {
        if (file_.empty() || keep_)
            return;
        std::error_code ec;
        fs::remove(file_, ec);
    }
    TUnitCopy(const TUnitCopy&) = delete;
    TUnitCopy& operator=(const TUnitCopy&) = delete;

    // Takes the copy; false when a local database does not exist. Throws
    // when the copy cannot be taken.
    bool Take()
    {
        if (host_.empty()) {
            std::error_code ec;
            if (!fs::exists(database_, ec))
                return false;
            TakeFileCopy();
        } else {
            TakeBackup();
        }
        return true;
    }

    // Puts the copy back over the database. Throws, keeping the copy, when
    // it cannot.
    void PutBack()
    {
        keep_ = true;
        if (host_.empty())
            PutFileCopyBack();
        else
            RestoreBackup();
        keep_ = false;
    }

    const std::string& File() const { return file_; }

private:
    void TakeFileCopy()
    {
        const platform::UniqueFd source(::open(database_.c_str(), O_RDONLY | O_CLOEXEC));
        if (!source)
            throw TPrivateFileError("cannot open " + database_ + ": " +
                                    std::error_code(errno, std::generic_category()).message());
        const platform::UniqueFd target =
            CreateUniquePrivateFile(SystemDef.TempDir, UnitCopyPrefix, UnitFileCopySuffix, file_);
        CopyFileBytes(source.Get(), target.Get(), database_, file_);
    }

    // In place: the database keeps its inode, owner and mode.
    void PutFileCopyBack()
    {
        const platform::UniqueFd source(::open(file_.c_str(), O_RDONLY | O_CLOEXEC));
        if (!source)
            throw TPrivateFileError("cannot open " + file_ + ": " +
                                    std::error_code(errno, std::generic_category()).message());
        const platform::UniqueFd target(::open(database_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
        if (!target)
            throw TPrivateFileError("cannot write " + database_ + ": " +
                                    std::error_code(errno, std::generic_category()).message());
        CopyFileBytes(source.Get(), target.Get(), file_, database_);
    }

    void TakeBackup()
    {
        // The name is taken here so that no other run can have it; the
        // server writes the file itself.
        CreateUniquePrivateFile(SystemDef.TempDir, UnitCopyPrefix, UnitBackupSuffix, file_);
        Services().Backup(database_, file_);
        // Made by the server under its own mask: nobody else reads the books.
        ::chmod(file_.c_str(), 0600);
    }

    void RestoreBackup()
    {
        db::RestoreOptions options;
        options.pageSize = 0;  // the page size of the backup, which is the database's
        Services().Restore(file_, database_, options);
    }

    db::ServiceManager Services() const { return db::ServiceManager(host_, SystemDef.USER, SystemDef.PASSWORD); }

    std::string host_;
    std::string database_;
    std::string file_;
    bool keep_ = false;
};

void PutBackAfterFailure(TUnitCopy& copy, TOwnConnectionPause& pause, const std::string& version) noexcept
{
    try {
        pause.Close();
        copy.PutBack();
    } catch (const std::exception& e) {
        try {
            ShowUserMessage(WithVersion(PutBackFailedMessage, version) + copy.File() + "\r" + e.what(),
                            TMsgDlgType::mtError);
        } catch (...) {
        }
    }
}

}  // namespace

std::int32_t RunGuardedUnit(TUpdateTarget target, const std::string& VersionText,
                            const std::function<std::int32_t()>& work)
{
    const std::string database = UpdateDatabaseName(target);
    if (TGuardMark::Guarded(database))
        return work();
    const TGuardMark mark(database);
    TOwnConnectionPause pause(target);

    TUnitCopy copy(SystemDef.HOSTNAME, UpdateDatabasePath(target));
    bool taken = false;
    try {
        taken = copy.Take();
    } catch (const std::exception& e) {
        ShowUserMessage(WithVersion(CopyFailedMessage, VersionText) + "\r" + e.what(), TMsgDlgType::mtError);
        return UpdateResultScriptError;
    }

    std::int32_t result = 0;
    try {
        result = work();
    } catch (...) {
        if (taken)
            PutBackAfterFailure(copy, pause, VersionText);
        throw;
    }
    if (result != UpdateResultOk && taken)
        PutBackAfterFailure(copy, pause, VersionText);
    return result;
}

TDbUpdateFunc GuardedUpdateFunc(TUpdateTarget target, std::string VersionText, TDbUpdateFunc func)
{
    if (!func)
        return func;
    return [target, version = std::move(VersionText), func = std::move(func)] {
        return RunGuardedUnit(target, version, func);
    };
}
