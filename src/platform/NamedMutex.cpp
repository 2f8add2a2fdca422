#include "platform/NamedMutex.h"

#include "platform/SpecialFolders.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <sched.h>
#include <stdexcept>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

constexpr const char* kPrefix = "mutex-";
constexpr const char* kSuffix = ".lock";

// The lock file of a name. The name becomes part of one file name, so it may
// not leave the runtime folder or be cut short by a NUL.
std::string LockPath(const std::string& name)
{
    if (name.empty())
        throw std::invalid_argument("a named mutex needs a name");
    if (name.find('/') != std::string::npos)
        throw std::invalid_argument("named mutex \"" + name + "\": the name may not contain \"/\"");
    if (name.find('\0') != std::string::npos)
        throw std::invalid_argument("named mutex: the name may not contain a NUL character");
    const std::string file = kPrefix + name + kSuffix;
    if (file.size() > NAME_MAX)
        throw std::invalid_argument("named mutex \"" + name + "\": the name is too long");
    return folders::Runtime() + "/" + file;
}

[[noreturn]] void Fail(int err, const std::string& what, const std::string& name)
{
    throw std::system_error(err, std::generic_category(), "named mutex \"" + name + "\": " + what);
}

}  // namespace

bool NamedMutex::Exists(const std::string& name)
{
    const std::string path = LockPath(name);
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!fd) {
        if (errno == ENOENT)
            return false;
        Fail(errno, "cannot open " + path, name);
    }
    // A holder keeps an exclusive lock, which refuses the shared one asked
    // here. The probe only ever takes a shared lock so that two probes never
    // see each other; a creator that meets a probe tells it apart (below).
    for (;;) {
        if (::flock(fd.Get(), LOCK_SH | LOCK_NB) == 0)
            return false;  // closing fd unlocks
        if (errno == EWOULDBLOCK)
            return true;
        if (errno != EINTR)
            Fail(errno, "cannot test " + path, name);
    }
}

NamedMutex::NamedMutex(std::string name) : name_(std::move(name))
{
    const std::string path = LockPath(name_);
    // Close-on-exec: a child program (isql-fb, gbak, ...) must not inherit the
    // lock and keep the name taken after this process has gone.
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd)
        Fail(errno, "cannot create " + path, name_);

    // An exclusive lock refused may be a real holder or only an Exists probe
    // of another process holding its shared lock for a moment. A shared lock
    // tells them apart: a holder refuses it, probes do not. Then try again.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (;;) {
        if (::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd.Release();
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            Fail(errno, "cannot lock " + path, name_);

        if (::flock(fd.Get(), LOCK_SH | LOCK_NB) != 0) {
            if (errno == EINTR)
                continue;
            if (errno == EWOULDBLOCK)
                return;  // another process holds the name
            Fail(errno, "cannot lock " + path, name_);
        }
        ::flock(fd.Get(), LOCK_UN);
        if (std::chrono::steady_clock::now() > deadline)
            Fail(EBUSY, "the lock file stays busy without a holder: " + path, name_);
        ::sched_yield();
    }
}

NamedMutex::~NamedMutex()
{
    Release();
}

NamedMutex::NamedMutex(NamedMutex&& other) noexcept : name_(std::move(other.name_)), fd_(std::exchange(other.fd_, -1))
{}

NamedMutex& NamedMutex::operator=(NamedMutex&& other) noexcept
{
    if (this != &other) {
        Release();
        name_ = std::move(other.name_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void NamedMutex::Release() noexcept
{
    // Closing the only descriptor drops the flock.
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
}

}  // namespace platform
