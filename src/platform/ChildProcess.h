#pragma once
// Runs a command-line tool (isql-fb, gbak) as a hidden child process and
// waits for it while the caller keeps its user interface alive.
//
// "Hidden" means the child never touches a terminal: its input is /dev/null,
// it starts in a session of its own (no controlling terminal, so a tool that
// tries to prompt fails instead of hanging), and it inherits no descriptors
// but its standard output and error. The program is started from an argument
// vector, never through a shell, so paths with blanks or quotes reach it
// unchanged.
//
// The object owns the child: destroying it while the child runs kills the
// child's whole process group and reaps it, so no zombie and no stray
// grandchild outlives the call that started it.

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace proc {

// Why starting or waiting failed. Callers map NotFound to their "tool
// missing" result; the other kinds are reported with the message.
enum class ChildErrorKind {
    NotFound,        // no such program (or its interpreter) on the path given or on PATH
    NotExecutable,   // found, but not runnable: no permission, a folder, not a program
    InvalidRequest,  // empty argument vector, NUL bytes, bad variable name, misuse
    Setup,           // working folder missing, output file cannot be created
    TimedOut,        // RunAndWait's time limit passed; the child was killed
    System,          // the operating system refused (out of processes, memory, ...)
};

class ChildProcessError : public std::runtime_error {
public:
    ChildProcessError(ChildErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    ChildErrorKind Kind() const noexcept { return kind_; }

private:
    ChildErrorKind kind_;
};

// Where one of the child's output streams goes.
struct OutputTarget {
    enum class Mode {
        Inherit,      // the caller's own stream
        Discard,      // /dev/null
        File,         // the file at `path`, created or truncated
        SameAsStdout  // stderr only: into whatever stdout goes to
    };
    Mode mode = Mode::Inherit;
    std::string path;

    static OutputTarget Inherit() { return {}; }
    static OutputTarget Discard() { return {Mode::Discard, {}}; }
    static OutputTarget ToFile(std::string path) { return {Mode::File, std::move(path)}; }
    static OutputTarget SameAsStdout() { return {Mode::SameAsStdout, {}}; }
};

struct ChildOptions {
    // Empty: the caller's current folder.
    std::string workingFolder;
    // Changes to the caller's environment, applied in order: a value sets or
    // replaces the variable, no value removes it.
    std::vector<std::pair<std::string, std::optional<std::string>>> environment;
    OutputTarget stdoutTarget;
    OutputTarget stderrTarget;

    ChildOptions& SetEnv(std::string name, std::string value)
    {
        environment.emplace_back(std::move(name), std::move(value));
        return *this;
    }
    ChildOptions& UnsetEnv(std::string name)
    {
        environment.emplace_back(std::move(name), std::nullopt);
        return *this;
    }
};

// How a child ended.
struct ExitStatus {
    int code = 0;    // the exit code; meaningful when signal is 0
    int signal = 0;  // the signal that ended the child, 0 when it exited

    bool KilledBySignal() const noexcept { return signal != 0; }
    bool Succeeded() const noexcept { return signal == 0 && code == 0; }
    // "exit code 3" or "killed by signal 9 (Killed)".
    std::string Describe() const;

    bool operator==(const ExitStatus&) const = default;
};

// What the wait callback wants next.
enum class WaitAction {
    Continue,     // keep waiting
    StopWaiting,  // return now; the child keeps running
    Kill,         // kill the child, reap it and return its status
};

class ChildProcess final {
public:
    // args[0] is the program: a path when it contains "/" (relative paths
    // count from the caller's current folder, not the working folder),
    // otherwise a name looked up in the PATH the child will get (the
    // caller's, or the one set in the options; empty entries are skipped).
    explicit ChildProcess(std::vector<std::string> args, ChildOptions options = {});
    ~ChildProcess();

    ChildProcess(ChildProcess&& other) noexcept;
    // Kills and reaps a child this object still runs before taking over.
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the child. Throws ChildProcessError; nothing is left running or
    // open on failure. The output files are opened (and truncated) only after
    // the program was found and looked runnable; a failure that only exec
    // itself sees (a missing interpreter, a file that is no program) comes
    // after that. A second call throws InvalidRequest.
    void Start();

    // Blocks until the child ends.
    ExitStatus Wait();
    // Waits, calling `callback` each time `pollInterval` passes while the
    // child still runs (the user interface pumps its messages there). An end
    // of the child is noticed at once, not at the next interval. Returns the
    // status, or nothing when the callback said StopWaiting. An exception
    // from the callback passes through with the child still running. The
    // callback may call Kill or Running, but must not move or destroy this
    // object.
    std::optional<ExitStatus> Wait(std::chrono::milliseconds pollInterval, const std::function<WaitAction()>& callback);
    // Waits at most `timeout`; nothing when the child still runs then.
    std::optional<ExitStatus> WaitFor(std::chrono::milliseconds timeout);

    // Kills the child and its process group with SIGKILL and reaps it. Does
    // nothing to a child that has already ended; returns the final status.
    ExitStatus Kill();

    // True from Start until the child's end has been noticed (this reaps a
    // finished child).
    bool Running();
    // The child's process id, or -1 before Start; kept after the end.
    pid_t Pid() const noexcept { return pid_; }
    // Set once the child's end has been noticed.
    const std::optional<ExitStatus>& Status() const noexcept { return status_; }
    // The exit code; nothing while the child runs or when a signal ended it.
    std::optional<int> ExitCode() const noexcept;

private:
    class Fd final {
    public:
        Fd() = default;
        explicit Fd(int fd) noexcept : fd_(fd) {}
        ~Fd() { Reset(); }
        Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
        Fd& operator=(Fd&& other) noexcept;
        Fd(const Fd&) = delete;
        Fd& operator=(const Fd&) = delete;
        int Get() const noexcept { return fd_; }
        void Reset() noexcept;

    private:
        int fd_ = -1;
    };

    bool TryReap();
    bool ReapUntil(std::chrono::steady_clock::time_point deadline);
    void Record(int waitStatus);
    void KillAndReap() noexcept;
    void SignalGroup() noexcept;
    void ReapBlocking();
    ExitStatus Final() const;
    bool Active() const noexcept { return pid_ > 0 && !reaped_; }

    std::vector<std::string> args_;
    ChildOptions options_;
    pid_t pid_ = -1;
    bool reaped_ = false;
    Fd pidfd_;  // readable once the child has ended; absent when the kernel lacks pidfds
    std::optional<ExitStatus> status_;
};

// Starts the program, waits for it and returns how it ended. With a time
// limit, a child still running at the limit is killed and TimedOut thrown.
ExitStatus RunAndWait(std::vector<std::string> args, ChildOptions options = {},
                      std::optional<std::chrono::milliseconds> timeLimit = std::nullopt);

}  // namespace proc
