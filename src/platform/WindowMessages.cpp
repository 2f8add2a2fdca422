#include "platform/WindowMessages.h"

#include "platform/SpecialFolders.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

// One datagram. Sender and listener run on the same machine, so the fields
// travel in the machine's own byte order.
struct Wire {
    std::uint32_t magic;
    std::uint32_t kind;
    std::uint32_t message;
    std::uint32_t reserved;
    std::uint64_t wParam;
    std::int64_t lParam;
};
static_assert(sizeof(Wire) == 32);

constexpr std::uint32_t kMagic = 0x4C58574D;  // "LXWM"

std::string SocketFile(WindowHandle handle)
{
    return "hwnd-" + std::to_string(handle) + ".sock";
}

// Listeners take, replace and give up socket files under this lock, so that
// two of them never both judge one file stale and remove each other's.
constexpr const char* kLockFile = "hwnd.lock";

// The address of a socket file in a folder. sun_path holds 107 bytes; a
// deeper folder (tests put the runtime folder anywhere) is reached through an
// open descriptor of it.
class UnixAddress {
public:
    UnixAddress(const std::string& dir, const std::string& file)
    {
        addr_.sun_family = AF_UNIX;
        std::string path = dir + "/" + file;
        if (path.size() >= sizeof addr_.sun_path) {
            dir_.Reset(::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            if (!dir_)
                throw std::system_error(errno, std::generic_category(), "cannot open " + dir);
            path = "/proc/self/fd/" + std::to_string(dir_.Get()) + "/" + file;
            if (path.size() >= sizeof addr_.sun_path)
                throw std::system_error(ENAMETOOLONG, std::generic_category(), file);
        }
        std::memcpy(addr_.sun_path, path.c_str(), path.size() + 1);
        size_ = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + 1);
    }
    const sockaddr* Get() const { return reinterpret_cast<const sockaddr*>(&addr_); }
    socklen_t Size() const { return size_; }

private:
    UniqueFd dir_;
    sockaddr_un addr_{};
    socklen_t size_ = 0;
};

bool Send(WindowHandle handle, WindowEventKind kind, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    if (handle == 0)
        return false;
    try {
        const UnixAddress address(folders::Runtime(), SocketFile(handle));
        const UniqueFd sock(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0));
        if (!sock)
            return false;
        const Wire wire{kMagic, static_cast<std::uint32_t>(kind), message, 0, wParam, lParam};
        // Never wait: a window whose queue is full refuses the message, as a
        // posted message is refused on Windows.
        for (;;) {
            const ssize_t n =
                ::sendto(sock.Get(), &wire, sizeof wire, MSG_DONTWAIT | MSG_NOSIGNAL, address.Get(), address.Size());
            if (n == static_cast<ssize_t>(sizeof wire))
                return true;
            if (n < 0 && errno == EINTR)
                continue;
            return false;
        }
    } catch (const std::exception&) {
        return false;  // no runtime folder, so no window either
    }
}

// Whether a socket at the address is owned by a live listener: connecting a
// datagram socket succeeds only then (ECONNREFUSED for a file left behind,
// ENOENT for none).
bool Listening(const UnixAddress& address)
{
    const UniqueFd sock(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (!sock)
        throw std::system_error(errno, std::generic_category(), "cannot create a socket");
    for (;;) {
        if (::connect(sock.Get(), address.Get(), address.Size()) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

// Holds the listeners' lock file for one scope.
class ListenerLock {
public:
    explicit ListenerLock(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600))
    {
        if (!fd_)
            throw std::system_error(errno, std::generic_category(), "cannot open " + path);
        while (::flock(fd_.Get(), LOCK_EX) != 0) {
            if (errno != EINTR)
                throw std::system_error(errno, std::generic_category(), "cannot lock " + path);
        }
    }  // closing the descriptor unlocks

private:
    UniqueFd fd_;
};

std::optional<WindowEvent> Decode(const Wire& wire)
{
    if (wire.magic != kMagic)
        return std::nullopt;
    const auto kind = static_cast<WindowEventKind>(wire.kind);
    switch (kind) {
    case WindowEventKind::Posted:
        return WindowEvent{kind, wire.message, wire.wParam, wire.lParam};
    case WindowEventKind::Enabled:
    case WindowEventKind::Disabled:
    case WindowEventKind::BroughtToFront:
        return WindowEvent{kind, 0, 0, 0};
    }
    return std::nullopt;
}

}  // namespace

bool PostMessage(WindowHandle handle, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    return Send(handle, WindowEventKind::Posted, message, wParam, lParam);
}

bool EnableWindow(WindowHandle handle, bool enable)
{
    return Send(handle, enable ? WindowEventKind::Enabled : WindowEventKind::Disabled, 0, 0, 0);
}

bool SetForegroundWindow(WindowHandle handle)
{
    return Send(handle, WindowEventKind::BroughtToFront, 0, 0, 0);
}

bool IsWindow(WindowHandle handle)
{
    if (handle == 0)
        return false;
    try {
        return Listening(UnixAddress(folders::Runtime(), SocketFile(handle)));
    } catch (const std::exception&) {
        return false;
    }
}

WindowHandle MainWindowHandleOf(std::int64_t processId)
{
    // pid << 8 stays below 2^30 (Linux pids stay below 2^22) and is never 0.
    return static_cast<WindowHandle>(processId) << 8;
}

WindowMessageListener::WindowMessageListener()
{
    // Slots 1 to 255 after the main window's. A handle still owned by an
    // earlier listener of this process, or by a process of the same id in
    // another pid namespace, is skipped.
    static std::atomic<std::uint32_t> counter{0};
    const WindowHandle base = MainWindowHandleOf(::getpid());
    for (int attempt = 0; attempt < 255; ++attempt) {
        if (TryListen(base | (1 + counter.fetch_add(1) % 255u)))
            return;
    }
    throw std::system_error(EADDRINUSE, std::generic_category(), "no free window handle for this process");
}

WindowMessageListener::WindowMessageListener(WindowHandle handle)
{
    if (handle == 0)
        throw std::invalid_argument("window handle 0 names no window");
    if (!TryListen(handle))
        throw std::system_error(EADDRINUSE, std::generic_category(),
                                "window handle " + std::to_string(handle) + " is owned by another listener");
}

bool WindowMessageListener::TryListen(WindowHandle handle)
{
    const std::string dir = folders::Runtime();
    const std::string file = SocketFile(handle);
    const UnixAddress address(dir, file);
    const std::string path = dir + "/" + file;
    const std::string lockPath = dir + "/" + kLockFile;

    UniqueFd sock(::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!sock)
        throw std::system_error(errno, std::generic_category(), "cannot create a socket");

    const ListenerLock lock(lockPath);
    if (::bind(sock.Get(), address.Get(), address.Size()) != 0) {
        if (errno != EADDRINUSE)
            throw std::system_error(errno, std::generic_category(), "cannot listen at " + path);
        if (Listening(address))
            return false;
        // Left behind by a listener that died without cleaning up.
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            throw std::system_error(errno, std::generic_category(), "cannot remove the stale " + path);
        if (::bind(sock.Get(), address.Get(), address.Size()) != 0)
            throw std::system_error(errno, std::generic_category(), "cannot listen at " + path);
    }
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        const int err = errno;
        ::unlink(path.c_str());
        throw std::system_error(err, std::generic_category(), "cannot inspect " + path);
    }
    handle_ = handle;
    fd_ = std::move(sock);
    path_ = path;
    lockPath_ = lockPath;
    device_ = st.st_dev;
    inode_ = st.st_ino;
    return true;
}

WindowMessageListener::~WindowMessageListener()
{
    Close();
}

WindowMessageListener::WindowMessageListener(WindowMessageListener&& other) noexcept
    : handle_(std::exchange(other.handle_, 0)),
      fd_(std::move(other.fd_)),
      path_(std::move(other.path_)),
      lockPath_(std::move(other.lockPath_)),
      device_(other.device_),
      inode_(other.inode_)
{}

WindowMessageListener& WindowMessageListener::operator=(WindowMessageListener&& other) noexcept
{
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, 0);
        fd_ = std::move(other.fd_);
        path_ = std::move(other.path_);
        lockPath_ = std::move(other.lockPath_);
        device_ = other.device_;
        inode_ = other.inode_;
    }
    return *this;
}

void WindowMessageListener::Close() noexcept
{
    if (!fd_)
        return;
    // Remove the file before closing: until the socket closes no one takes
    // the file for stale, and only a file that is still ours is removed.
    try {
        const ListenerLock lock(lockPath_);
        struct stat st {};
        if (::lstat(path_.c_str(), &st) == 0 && st.st_dev == device_ && st.st_ino == inode_)
            ::unlink(path_.c_str());
    } catch (const std::exception&) {
        // Without the lock the file stays; the next listener of the handle
        // finds it stale and replaces it.
    }
    fd_.Reset();
    handle_ = 0;
}

std::optional<WindowEvent> WindowMessageListener::Receive(std::chrono::milliseconds timeout)
{
    if (!fd_)
        throw std::logic_error("Receive on a window listener that has been moved from");
    const bool forever = timeout.count() < 0;
    const auto deadline = std::chrono::steady_clock::now() + (forever ? std::chrono::milliseconds(0) : timeout);
    for (;;) {
        Wire wire{};
        // MSG_TRUNC reports a longer datagram's real length, so one that
        // merely starts like ours is still dropped.
        const ssize_t n = ::recv(fd_.Get(), &wire, sizeof wire, MSG_TRUNC);
        if (n >= 0) {
            if (n == static_cast<ssize_t>(sizeof wire)) {
                if (auto event = Decode(wire))
                    return event;
            }
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            throw std::system_error(errno, std::generic_category(), "cannot receive at " + path_);

        int waitMs = -1;
        if (!forever) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return std::nullopt;
            waitMs = left.count() > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(left.count());
        }
        pollfd p{fd_.Get(), POLLIN, 0};
        if (::poll(&p, 1, waitMs) < 0 && errno != EINTR)
            throw std::system_error(errno, std::generic_category(), "cannot wait at " + path_);
    }
}

}  // namespace platform
