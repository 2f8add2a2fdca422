#include "platform/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace proc {
namespace {

// The search path execvp falls back on when PATH is not set.
constexpr const char* kDefaultPath = "/bin:/usr/bin";

// Longest single wait we schedule; keeps deadline arithmetic away from
// overflow when a caller passes an enormous time-out.
constexpr auto kLongestWait = std::chrono::hours(24 * 365);

std::string ErrnoText(int err)
{
    return std::generic_category().message(err);
}

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

bool HasNul(const std::string& text)
{
    return text.find('\0') != std::string::npos;
}

ChildProcessError StartError(ChildErrorKind kind, const std::string& program, const std::string& why)
{
    return ChildProcessError(kind, "cannot start " + Quoted(program) + ": " + why);
}

// Opens a descriptor that the child receives only through an explicit dup2:
// close-on-exec, and never one of 0-2, whose dup2 onto itself would keep the
// close-on-exec flag and lose the stream at exec.
int OpenAboveStdio(const char* path, int flags)
{
    int fd = ::open(path, flags | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0 || fd > 2) {
        return fd;
    }
    int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    int saved = errno;
    ::close(fd);
    errno = saved;
    return moved;
}

enum class Probe { Runnable, Missing, NotRunnable };

Probe ProbeProgram(const std::string& path, int& err)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        err = errno;
        return (err == ENOENT || err == ENOTDIR) ? Probe::Missing : Probe::NotRunnable;
    }
    if (S_ISDIR(st.st_mode)) {
        err = EISDIR;
        return Probe::NotRunnable;
    }
    if (!S_ISREG(st.st_mode) || ::access(path.c_str(), X_OK) != 0) {
        err = EACCES;
        return Probe::NotRunnable;
    }
    return Probe::Runnable;
}

// The PATH the child will see: the caller's, changed by the options.
std::string ChildPath(const ChildOptions& options)
{
    const char* inherited = std::getenv("PATH");
    std::optional<std::string> path;
    if (inherited) {
        path = inherited;
    }
    for (const auto& [name, value] : options.environment) {
        if (name == "PATH") {
            path = value;
        }
    }
    return path ? *path : kDefaultPath;
}

// Finds the file to execute. Doing the lookup here rather than in
// posix_spawnp lets a missing program be told apart from one that exists
// but cannot run, and keeps the output files untouched in both cases.
std::string ResolveProgram(const std::string& program, const ChildOptions& options)
{
    int err = 0;
    if (program.find('/') != std::string::npos) {
        std::string path = program;
        if (path.front() != '/') {
            std::error_code ec;
            auto cwd = std::filesystem::current_path(ec);
            if (ec) {
                throw StartError(ChildErrorKind::System, program, "current folder unknown: " + ec.message());
            }
            path = (cwd / program).string();
        }
        switch (ProbeProgram(path, err)) {
        case Probe::Runnable:
            return path;
        case Probe::Missing:
            throw StartError(ChildErrorKind::NotFound, program, "no such file");
        case Probe::NotRunnable:
            throw StartError(ChildErrorKind::NotExecutable, program, ErrnoText(err));
        }
    }

    const std::string searchPath = ChildPath(options);
    std::optional<std::pair<std::string, int>> refused;
    std::size_t begin = 0;
    while (begin <= searchPath.size()) {
        std::size_t end = searchPath.find(':', begin);
        if (end == std::string::npos) {
            end = searchPath.size();
        }
        // An empty entry would mean the current folder; a tool that happens
        // to lie there must not be run by accident.
        if (end > begin) {
            std::string candidate = searchPath.substr(begin, end - begin);
            if (candidate.back() != '/') {
                candidate += '/';
            }
            candidate += program;
            switch (ProbeProgram(candidate, err)) {
            case Probe::Runnable:
                return candidate;
            case Probe::NotRunnable:
                if (!refused) {
                    refused.emplace(candidate, err);
                }
                break;
            case Probe::Missing:
                break;
            }
        }
        begin = end + 1;
    }
    if (refused) {
        throw StartError(ChildErrorKind::NotExecutable, program, refused->first + ": " + ErrnoText(refused->second));
    }
    throw StartError(ChildErrorKind::NotFound, program, "not found on PATH (" + searchPath + ")");
}

// Storage for a NULL-terminated char* array whose strings outlive the call.
class CStringArray {
public:
    void Add(std::string text) { strings_.push_back(std::move(text)); }
    char* const* Get()
    {
        pointers_.clear();
        for (auto& s : strings_) {
            pointers_.push_back(s.data());
        }
        pointers_.push_back(nullptr);
        return pointers_.data();
    }
    std::vector<std::string>& Strings() { return strings_; }

private:
    std::vector<std::string> strings_;
    std::vector<char*> pointers_;
};

CStringArray BuildEnvironment(const ChildOptions& options)
{
    CStringArray env;
    for (char** entry = environ; entry && *entry; ++entry) {
        env.Add(*entry);
    }
    auto& strings = env.Strings();
    for (const auto& [name, value] : options.environment) {
        const std::string prefix = name + "=";
        std::erase_if(strings, [&](const std::string& e) { return e.compare(0, prefix.size(), prefix) == 0; });
        if (value) {
            strings.push_back(prefix + *value);
        }
    }
    return env;
}

void Validate(const std::vector<std::string>& args, const ChildOptions& options)
{
    if (args.empty() || args.front().empty()) {
        throw ChildProcessError(ChildErrorKind::InvalidRequest, "cannot start a child process: no program given");
    }
    for (const auto& arg : args) {
        if (HasNul(arg)) {
            throw StartError(ChildErrorKind::InvalidRequest, args.front(), "an argument contains a NUL byte");
        }
    }
    for (const auto& [name, value] : options.environment) {
        if (name.empty() || name.find('=') != std::string::npos || HasNul(name)) {
            throw StartError(ChildErrorKind::InvalidRequest, args.front(),
                             "invalid environment variable name " + Quoted(name));
        }
        if (value && HasNul(*value)) {
            throw StartError(ChildErrorKind::InvalidRequest, args.front(),
                             "the value of " + name + " contains a NUL byte");
        }
    }
    if (options.stdoutTarget.mode == OutputTarget::Mode::SameAsStdout) {
        throw StartError(ChildErrorKind::InvalidRequest, args.front(), "stdout cannot be sent to itself");
    }
    for (const OutputTarget* target : {&options.stdoutTarget, &options.stderrTarget}) {
        if (target->mode == OutputTarget::Mode::File && (target->path.empty() || HasNul(target->path))) {
            throw StartError(ChildErrorKind::InvalidRequest, args.front(), "invalid output file name");
        }
    }
    if (HasNul(options.workingFolder)) {
        throw StartError(ChildErrorKind::InvalidRequest, args.front(), "invalid working folder name");
    }
}

// posix_spawn's attribute and file-action objects, released on every path.
class SpawnSetup {
public:
    SpawnSetup()
    {
        if (int rc = ::posix_spawnattr_init(&attr_); rc != 0) {
            throw ChildProcessError(ChildErrorKind::System, "posix_spawnattr_init: " + ErrnoText(rc));
        }
        if (int rc = ::posix_spawn_file_actions_init(&actions_); rc != 0) {
            ::posix_spawnattr_destroy(&attr_);
            throw ChildProcessError(ChildErrorKind::System, "posix_spawn_file_actions_init: " + ErrnoText(rc));
        }
    }
    ~SpawnSetup()
    {
        ::posix_spawn_file_actions_destroy(&actions_);
        ::posix_spawnattr_destroy(&attr_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawnattr_t attr_;
    posix_spawn_file_actions_t actions_;
};

void Check(int rc, const char* what)
{
    if (rc != 0) {
        throw ChildProcessError(ChildErrorKind::System, std::string(what) + ": " + ErrnoText(rc));
    }
}

}  // namespace

std::string ExitStatus::Describe() const
{
    if (signal == 0) {
        return "exit code " + std::to_string(code);
    }
    std::string text = "killed by signal " + std::to_string(signal);
    if (const char* name = ::sigdescr_np(signal)) {
        text += std::string(" (") + name + ")";
    }
    return text;
}

ChildProcess::Fd& ChildProcess::Fd::operator=(Fd&& other) noexcept
{
    if (this != &other) {
        Reset();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void ChildProcess::Fd::Reset() noexcept
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

ChildProcess::ChildProcess(std::vector<std::string> args, ChildOptions options)
    : args_(std::move(args)), options_(std::move(options))
{}

ChildProcess::~ChildProcess()
{
    KillAndReap();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : args_(std::move(other.args_)),
      options_(std::move(other.options_)),
      pid_(std::exchange(other.pid_, -1)),
      reaped_(std::exchange(other.reaped_, false)),
      pidfd_(std::move(other.pidfd_)),
      status_(std::exchange(other.status_, std::nullopt))
{}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        KillAndReap();
        args_ = std::move(other.args_);
        options_ = std::move(other.options_);
        pid_ = std::exchange(other.pid_, -1);
        reaped_ = std::exchange(other.reaped_, false);
        pidfd_ = std::move(other.pidfd_);
        status_ = std::exchange(other.status_, std::nullopt);
    }
    return *this;
}

void ChildProcess::Start()
{
    if (pid_ > 0) {
        throw ChildProcessError(ChildErrorKind::InvalidRequest,
                                "child process " + Quoted(args_.empty() ? "" : args_.front()) + " was already started");
    }
    Validate(args_, options_);
    const std::string& program = args_.front();
    const std::string executable = ResolveProgram(program, options_);

    if (!options_.workingFolder.empty()) {
        std::error_code ec;
        if (!std::filesystem::is_directory(options_.workingFolder, ec)) {
            throw StartError(ChildErrorKind::Setup, program,
                             "working folder " + Quoted(options_.workingFolder) + " does not exist");
        }
    }

    Fd input(OpenAboveStdio("/dev/null", O_RDONLY));
    if (input.Get() < 0) {
        throw StartError(ChildErrorKind::System, program, "/dev/null: " + ErrnoText(errno));
    }
    auto openOutput = [&](const OutputTarget& target) -> Fd {
        switch (target.mode) {
        case OutputTarget::Mode::Discard: {
            Fd fd(OpenAboveStdio("/dev/null", O_WRONLY));
            if (fd.Get() < 0) {
                throw StartError(ChildErrorKind::System, program, "/dev/null: " + ErrnoText(errno));
            }
            return fd;
        }
        case OutputTarget::Mode::File: {
            Fd fd(OpenAboveStdio(target.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC));
            if (fd.Get() < 0) {
                throw StartError(ChildErrorKind::Setup, program,
                                 "cannot create output file " + Quoted(target.path) + ": " + ErrnoText(errno));
            }
            return fd;
        }
        case OutputTarget::Mode::Inherit:
        case OutputTarget::Mode::SameAsStdout:
            break;
        }
        return Fd();
    };
    Fd output = openOutput(options_.stdoutTarget);
    // Two separate opens of one file would each write from offset 0 and
    // overwrite each other; one shared descriptor interleaves them instead.
    const bool errorIntoSameFile = options_.stderrTarget.mode == OutputTarget::Mode::File &&
                                   options_.stdoutTarget.mode == OutputTarget::Mode::File &&
                                   options_.stderrTarget.path == options_.stdoutTarget.path;
    Fd error = errorIntoSameFile ? Fd() : openOutput(options_.stderrTarget);

    SpawnSetup setup;
    // A session of its own: no controlling terminal to read a prompt from or
    // be stopped by, and a process group that Kill can end as a whole.
    Check(::posix_spawnattr_setflags(&setup.attr_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF),
          "posix_spawnattr_setflags");
    // The caller's blocked or ignored signals (a GUI thread's mask, an
    // ignored SIGPIPE) are no business of the tool.
    sigset_t none;
    sigemptyset(&none);
    Check(::posix_spawnattr_setsigmask(&setup.attr_, &none), "posix_spawnattr_setsigmask");
    sigset_t all;
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    Check(::posix_spawnattr_setsigdefault(&setup.attr_, &all), "posix_spawnattr_setsigdefault");

    Check(::posix_spawn_file_actions_adddup2(&setup.actions_, input.Get(), STDIN_FILENO),
          "posix_spawn_file_actions_adddup2");
    if (output.Get() >= 0) {
        Check(::posix_spawn_file_actions_adddup2(&setup.actions_, output.Get(), STDOUT_FILENO),
              "posix_spawn_file_actions_adddup2");
    }
    if (error.Get() >= 0) {
        Check(::posix_spawn_file_actions_adddup2(&setup.actions_, error.Get(), STDERR_FILENO),
              "posix_spawn_file_actions_adddup2");
    } else if (errorIntoSameFile || options_.stderrTarget.mode == OutputTarget::Mode::SameAsStdout) {
        Check(::posix_spawn_file_actions_adddup2(&setup.actions_, STDOUT_FILENO, STDERR_FILENO),
              "posix_spawn_file_actions_adddup2");
    }
    if (!options_.workingFolder.empty()) {
        Check(::posix_spawn_file_actions_addchdir_np(&setup.actions_, options_.workingFolder.c_str()),
              "posix_spawn_file_actions_addchdir_np");
    }
    // Whatever else the caller has open without close-on-exec (a database
    // file, a socket) stays with the caller.
    Check(::posix_spawn_file_actions_addclosefrom_np(&setup.actions_, STDERR_FILENO + 1),
          "posix_spawn_file_actions_addclosefrom_np");

    CStringArray argv;
    for (const auto& arg : args_) {
        argv.Add(arg);
    }
    CStringArray envp = BuildEnvironment(options_);

    pid_t pid = -1;
    int rc = ::posix_spawn(&pid, executable.c_str(), &setup.actions_, &setup.attr_, argv.Get(), envp.Get());
    if (rc != 0) {
        switch (rc) {
        case ENOENT:
        case ENOTDIR:
            // The file was there a moment ago: a script whose interpreter is
            // missing, or a working folder that vanished.
            throw StartError(ChildErrorKind::NotFound, program,
                             executable + ": " + ErrnoText(rc) + " (missing interpreter or working folder?)");
        case EACCES:
        case ENOEXEC:
        case EISDIR:
        case ETXTBSY:
        case ELIBBAD:
            throw StartError(ChildErrorKind::NotExecutable, program, executable + ": " + ErrnoText(rc));
        default:
            throw StartError(ChildErrorKind::System, program, ErrnoText(rc));
        }
    }
    pid_ = pid;
    reaped_ = false;
    status_.reset();
    // Lets a wait wake the moment the child ends; without it (an old kernel,
    // a sandbox) waits fall back to short sleeps.
    pidfd_ = Fd(static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0)));
}

void ChildProcess::Record(int waitStatus)
{
    ExitStatus status;
    if (WIFEXITED(waitStatus)) {
        status.code = WEXITSTATUS(waitStatus);
    } else if (WIFSIGNALED(waitStatus)) {
        status.signal = WTERMSIG(waitStatus);
    }
    status_ = status;
    reaped_ = true;
    pidfd_.Reset();
}

bool ChildProcess::TryReap()
{
    if (reaped_) {
        return true;
    }
    for (;;) {
        int waitStatus = 0;
        pid_t r = ::waitpid(pid_, &waitStatus, WNOHANG);
        if (r == pid_) {
            Record(waitStatus);
            return true;
        }
        if (r == 0) {
            return false;
        }
        if (errno == EINTR) {
            continue;
        }
        // Someone else reaped it (SIGCHLD ignored, a foreign waitpid): the
        // status is gone for good.
        int err = errno;
        reaped_ = true;
        pidfd_.Reset();
        throw ChildProcessError(ChildErrorKind::System, "cannot wait for child process " + std::to_string(pid_) + " (" +
                                                            Quoted(args_.front()) + "): " + ErrnoText(err));
    }
}

bool ChildProcess::ReapUntil(std::chrono::steady_clock::time_point deadline)
{
    using namespace std::chrono;
    for (;;) {
        if (TryReap()) {
            return true;
        }
        auto now = steady_clock::now();
        if (now >= deadline) {
            return false;
        }
        auto remaining = ceil<milliseconds>(deadline - now).count();
        int ms = static_cast<int>(std::min<long long>(remaining, INT_MAX));
        if (pidfd_.Get() >= 0) {
            pollfd p{pidfd_.Get(), POLLIN, 0};
            if (::poll(&p, 1, ms) < 0 && errno != EINTR) {
                pidfd_.Reset();
            }
        } else {
            std::this_thread::sleep_for(milliseconds(std::min(ms, 10)));
        }
    }
}

ExitStatus ChildProcess::Wait()
{
    if (Active()) {
        ReapBlocking();
    }
    return Final();
}

std::optional<ExitStatus> ChildProcess::Wait(std::chrono::milliseconds pollInterval,
                                             const std::function<WaitAction()>& callback)
{
    if (pollInterval <= std::chrono::milliseconds::zero() || !callback) {
        throw ChildProcessError(ChildErrorKind::InvalidRequest, "a wait needs a positive interval and a callback");
    }
    pollInterval = std::min<std::chrono::milliseconds>(pollInterval, kLongestWait);
    if (!Active()) {
        return Final();
    }
    for (;;) {
        if (ReapUntil(std::chrono::steady_clock::now() + pollInterval)) {
            return status_;
        }
        switch (callback()) {
        case WaitAction::Continue:
            break;
        case WaitAction::StopWaiting:
            if (TryReap()) {
                return status_;
            }
            return std::nullopt;
        case WaitAction::Kill:
            return Kill();
        }
    }
}

std::optional<ExitStatus> ChildProcess::WaitFor(std::chrono::milliseconds timeout)
{
    if (!Active()) {
        return Final();
    }
    timeout = std::clamp<std::chrono::milliseconds>(timeout, std::chrono::milliseconds::zero(), kLongestWait);
    if (ReapUntil(std::chrono::steady_clock::now() + timeout)) {
        return status_;
    }
    return std::nullopt;
}

ExitStatus ChildProcess::Kill()
{
    if (Active()) {
        SignalGroup();
        ReapBlocking();
    }
    return Final();
}

void ChildProcess::SignalGroup() noexcept
{
    // The group shares the child's id (its own session) and lives on while
    // the child is unreaped, so the id cannot have been reused.
    if (::kill(-pid_, SIGKILL) != 0) {
        ::kill(pid_, SIGKILL);
    }
}

void ChildProcess::ReapBlocking()
{
    while (!reaped_) {
        int waitStatus = 0;
        pid_t r = ::waitpid(pid_, &waitStatus, 0);
        if (r == pid_) {
            Record(waitStatus);
        } else if (r < 0 && errno != EINTR) {
            TryReap();  // marks the child lost and raises why
        }
    }
}

ExitStatus ChildProcess::Final() const
{
    if (pid_ <= 0) {
        throw ChildProcessError(ChildErrorKind::InvalidRequest, "the child process was never started");
    }
    if (!status_) {
        throw ChildProcessError(ChildErrorKind::System, "the status of child process " + std::to_string(pid_) + " (" +
                                                            Quoted(args_.front()) + ") was lost");
    }
    return *status_;
}

void ChildProcess::KillAndReap() noexcept
{
    if (!Active()) {
        return;
    }
    SignalGroup();
    int waitStatus = 0;
    while (::waitpid(pid_, &waitStatus, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
    pidfd_.Reset();
}

bool ChildProcess::Running()
{
    if (!Active()) {
        return false;
    }
    return !TryReap();
}

std::optional<int> ChildProcess::ExitCode() const noexcept
{
    if (!status_ || status_->KilledBySignal()) {
        return std::nullopt;
    }
    return status_->code;
}

ExitStatus RunAndWait(std::vector<std::string> args, ChildOptions options,
                      std::optional<std::chrono::milliseconds> timeLimit)
{
    const std::string program = args.empty() ? std::string() : args.front();
    ChildProcess child(std::move(args), std::move(options));
    child.Start();
    if (!timeLimit) {
        return child.Wait();
    }
    if (auto status = child.WaitFor(*timeLimit)) {
        return *status;
    }
    child.Kill();
    throw ChildProcessError(ChildErrorKind::TimedOut, Quoted(program) + " did not finish within " +
                                                          std::to_string(timeLimit->count()) + " ms and was killed");
}

}  // namespace proc
