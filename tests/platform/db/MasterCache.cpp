#include "platform/db/MasterCache.h"

#include "platform/ChildProcess.h"
#include "platform/UniqueFd.h"
#include "platform/db/FirebirdServerFixture.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace dbtest {

namespace {

// An exclusive flock on a lock file, held while the object lives. Other
// processes asking for it wait; the kernel releases it if this one dies.
class FileLock final {
public:
    explicit FileLock(const fs::path& path) : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        if (!fd_)
            throw std::system_error(errno, std::generic_category(), "cannot open the lock " + path.string());
        while (::flock(fd_.Get(), LOCK_EX) != 0) {
            if (errno != EINTR)
                throw std::system_error(errno, std::generic_category(), "cannot take the lock " + path.string());
        }
    }

private:
    platform::UniqueFd fd_;  // closing it releases the lock
};

// Turns forced writes off, through the engine that owns the file's format.
void SetAsyncWrites(const fs::path& database, const fs::path& work)
{
    const fs::path output = work / "gfix.out";
    proc::ChildOptions options;
    options.stdoutTarget = proc::OutputTarget::ToFile(output.string());
    options.stderrTarget = proc::OutputTarget::SameAsStdout();
    // The engine's administrator may change any database, whoever owns it.
    options.SetEnv("ISC_USER", "SYSDBA");
    const proc::ExitStatus status =
        proc::RunAndWait({"gfix", "-write", "async", database.string()}, options, std::chrono::seconds(60));
    std::string report = ReadWholeFile(output);
    fs::remove(output);
    if (!status.Succeeded())
        throw std::runtime_error("gfix -write async " + database.string() + ": " + status.Describe() + "\n" + report);
}

// Every database of a finished build: no forced writes, read-only.
void SealDatabases(const fs::path& folder)
{
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".fdb")
            continue;
        SetAsyncWrites(entry.path(), folder);
        fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                        fs::perm_options::replace);
    }
}

void AppendLog(const fs::path& cache, const std::string& line)
{
    std::ofstream(cache / "builds.log", std::ios::app) << line << '\n';
}

std::string Now()
{
    const std::time_t now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

// Removes what earlier keys left of the master called name.
void RemoveStale(const fs::path& cache, const std::string& name, const std::string& current)
{
    const std::string prefix = name + "@";
    for (const fs::directory_entry& entry : fs::directory_iterator(cache)) {
        const std::string file = entry.path().filename().string();
        if (file.rfind(prefix, 0) == 0 && file.rfind(current, 0) != 0) {
            std::error_code ec;
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
            for (const auto& inner : fs::recursive_directory_iterator(entry.path(), ec))
                fs::permissions(inner.path(), fs::perms::owner_write, fs::perm_options::add, ec);
            fs::remove_all(entry.path(), ec);
        }
    }
}

}  // namespace

fs::path MasterCacheFolder()
{
    return LEDRIX_TEST_MASTERS_DIR;
}

std::string ContentKey(std::string_view content)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : content) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

fs::path CachedMaster(const std::string& name, const std::string& key,
                      const std::function<void(const fs::path& folder)>& build)
{
    // Recursive: a master's build may ask for the master it starts from.
    static std::recursive_mutex mutex;
    static std::map<std::string, fs::path> known;
    const std::lock_guard<std::recursive_mutex> guard(mutex);
    const std::string stem = name + "@" + key;
    if (const auto found = known.find(stem); found != known.end())
        return found->second;

    const fs::path cache = MasterCacheFolder();
    fs::create_directories(cache);
    const fs::path master = cache / stem;
    // A failure counts for the run that saw it (the test processes of one
    // ctest run share their parent); the next run tries again.
    const fs::path failed = cache / (stem + ".failed-" + std::to_string(::getppid()));

    if (!fs::is_directory(master)) {
        const FileLock lock(cache / (name + ".lock"));
        if (fs::exists(failed))
            throw std::runtime_error("the master " + name + " could not be built earlier in this run (" +
                                     failed.string() + "):\n" + ReadWholeFile(failed));
        if (!fs::is_directory(master)) {
            RemoveStale(cache, name, stem);
            const fs::path work = cache / (stem + ".building-" + std::to_string(::getpid()));
            fs::remove_all(work);
            fs::create_directories(work);
            const auto started = std::chrono::steady_clock::now();
            try {
                build(work);
                SealDatabases(work);
            } catch (const std::exception& e) {
                std::ofstream(failed) << e.what() << '\n';
                AppendLog(cache, Now() + " failed " + stem + ": " + e.what());
                std::error_code ec;
                fs::remove_all(work, ec);
                throw;
            }
            fs::rename(work, master);
            const auto seconds =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started)
                    .count() /
                1000.0;
            std::ostringstream line;
            line << Now() << " built " << stem << " in " << seconds << " s (pid " << ::getpid() << ")";
            AppendLog(cache, line.str());
        }
    }
    known.emplace(stem, master);
    return master;
}

fs::path CopyMasterFile(const fs::path& master, const fs::path& target)
{
    if (!target.parent_path().empty())
        fs::create_directories(target.parent_path());
    fs::copy_file(master, target, fs::copy_options::overwrite_existing);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
    return target;
}

fs::path ProcessCopy(const fs::path& master)
{
    static std::mutex mutex;
    static std::map<fs::path, fs::path> copies;
    const std::lock_guard<std::mutex> guard(mutex);
    if (const auto found = copies.find(master); found != copies.end())
        return found->second;
    const fs::path folder = TestFirebird::Get().NewWorkFolder("master-copy");
    const fs::path copy = CopyMasterFile(master, folder / master.filename());
    copies.emplace(master, copy);
    return copy;
}

}  // namespace dbtest
