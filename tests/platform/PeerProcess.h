#pragma once
// A helper program run by a test as "the other process": its standard input
// and output are pipes to the test, and it is killed and reaped when the
// object dies, so a failing test leaves no process behind.

#include "platform/UniqueFd.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <system_error>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace testing_support {

class PeerProcess {
public:
    PeerProcess(const std::string& program, const std::vector<std::string>& args)
    {
        int in[2], out[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe2 failed");
        platform::UniqueFd inRead(in[0]), outWrite(out[1]);
        input_.Reset(in[1]);
        output_.Reset(out[0]);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, inRead.Get(), STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, outWrite.Get(), STDOUT_FILENO);
        std::vector<std::string> argvStrings{program};
        argvStrings.insert(argvStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : argvStrings)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0)
            throw std::runtime_error("cannot start " + program);
    }

    ~PeerProcess()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            Wait();
        }
    }

    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    pid_t Pid() const { return pid_; }

    // The next line of the peer's output without its newline; nothing when
    // the output ends or no line comes within the timeout.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            if (const auto nl = buffer_.find('\n'); nl != std::string::npos) {
                std::string line = buffer_.substr(0, nl);
                buffer_.erase(0, nl + 1);
                return line;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return std::nullopt;
            pollfd p{output_.Get(), POLLIN, 0};
            const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
            if (ready < 0 && errno != EINTR)
                return std::nullopt;
            if (ready <= 0)
                continue;
            char chunk[512];
            const ssize_t n = ::read(output_.Get(), chunk, sizeof chunk);
            if (n == 0)
                return std::nullopt;
            if (n > 0)
                buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

    void CloseInput() { input_.Reset(); }
    void Signal(int sig) { ::kill(pid_, sig); }

    // Reaps the peer; its wait status.
    int Wait()
    {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        return status;
    }

private:
    pid_t pid_ = -1;
    platform::UniqueFd input_, output_;
    std::string buffer_;
};

// Points the runtime folder at a fresh temporary folder for one test and
// removes it afterwards.
class TempRuntimeDir {
public:
    TempRuntimeDir()
    {
        char pattern[] = "/tmp/ledrix-rt-XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        ::setenv("LEDRIX_RUNTIME_DIR", path_.c_str(), 1);
    }
    ~TempRuntimeDir()
    {
        ::unsetenv("LEDRIX_RUNTIME_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempRuntimeDir(const TempRuntimeDir&) = delete;
    TempRuntimeDir& operator=(const TempRuntimeDir&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace testing_support
