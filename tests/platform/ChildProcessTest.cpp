#include "platform/ChildProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;
using proc::ChildErrorKind;
using proc::ChildOptions;
using proc::ChildProcess;
using proc::ChildProcessError;
using proc::ExitStatus;
using proc::OutputTarget;
using proc::WaitAction;

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text, fs::perms perms = fs::perms(0644))
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    fs::permissions(path, perms);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 10s)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// A process that no longer runs: gone from /proc, or a zombie left to a
// parent that is not us (an orphan whose reaper is slow or absent).
bool ProcessEnded(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    if (!stat) {
        return true;
    }
    std::string line;
    std::getline(stat, line);
    auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

bool ProcessGone(pid_t pid)
{
    return !fs::exists("/proc/" + std::to_string(pid));
}

std::size_t OpenDescriptorCount()
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

ChildErrorKind StartFailure(std::vector<std::string> args, ChildOptions options = {})
{
    ChildProcess child(std::move(args), std::move(options));
    try {
        child.Start();
    } catch (const ChildProcessError& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
        return e.Kind();
    }
    ADD_FAILURE() << "Start succeeded";
    return ChildErrorKind::System;
}

class ChildProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "childprocess-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = fs::canonical(pattern).string();
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

    std::string dir_;
};

struct EndCase {
    const char* name;
    std::vector<std::string> args;
    ExitStatus expected;
    const char* description;
};

TEST(ChildProcess, ReportsHowTheChildEnded)
{
    const EndCase cases[] = {
        {"true", {"/bin/true"}, {0, 0}, "exit code 0"},
        {"false", {"/bin/false"}, {1, 0}, "exit code 1"},
        {"exit 3", {"/bin/sh", "-c", "exit 3"}, {3, 0}, "exit code 3"},
        {"own SIGTERM", {"/bin/sh", "-c", "kill -TERM $$"}, {0, SIGTERM}, "killed by signal 15 (Terminated)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(proc::RunAndWait(c.args), c.expected);

        ChildProcess child(c.args);
        child.Start();
        EXPECT_GT(child.Pid(), 0);
        const ExitStatus status = child.Wait();
        EXPECT_EQ(status, c.expected);
        EXPECT_EQ(status.Describe(), c.description);
        EXPECT_EQ(status.Succeeded(), c.expected.code == 0 && c.expected.signal == 0);
        EXPECT_FALSE(child.Running());
        EXPECT_EQ(child.Status(), c.expected);
        EXPECT_EQ(child.ExitCode(), c.expected.signal ? std::nullopt : std::optional<int>(c.expected.code));
        EXPECT_TRUE(ProcessGone(child.Pid())) << "not reaped";
    }
}

TEST(ChildProcess, BlockedSignalsOfTheCallerDoNotReachTheChild)
{
    sigset_t term, old;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &term, &old), 0);
    const ExitStatus status = proc::RunAndWait({"/bin/sh", "-c", "kill -TERM $$; exit 7"});
    ::pthread_sigmask(SIG_SETMASK, &old, nullptr);
    EXPECT_EQ(status, (ExitStatus{0, SIGTERM}));
}

struct OutputCase {
    const char* name;
    OutputTarget out;
    OutputTarget err;
    std::string expectedA;
    std::string expectedB;
};

TEST_F(ChildProcessTest, RedirectsOutputIntoTruncatedFiles)
{
    const std::string a = Path("a.log"), b = Path("b.log");
    const OutputCase cases[] = {
        {"separate files", OutputTarget::ToFile(a), OutputTarget::ToFile(b), "out\n", "err\n"},
        {"one file twice", OutputTarget::ToFile(a), OutputTarget::ToFile(a), "out\nerr\n", "untouched"},
        {"stderr into stdout", OutputTarget::ToFile(a), OutputTarget::SameAsStdout(), "out\nerr\n", "untouched"},
        {"stdout discarded", OutputTarget::Discard(), OutputTarget::ToFile(b), "untouched", "err\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Longer than anything the child writes, so a missing truncation shows.
        WriteFile(a, "untouched");
        WriteFile(b, "untouched");
        if (c.out.mode == OutputTarget::Mode::File) {
            WriteFile(a, "stale text that is longer than the output\n");
        }
        if (c.err.mode == OutputTarget::Mode::File && c.err.path == b) {
            WriteFile(b, "stale text that is longer than the output\n");
        }
        ChildOptions options;
        options.stdoutTarget = c.out;
        options.stderrTarget = c.err;
        EXPECT_EQ(proc::RunAndWait({"/bin/sh", "-c", "echo out; echo err >&2"}, options), (ExitStatus{0, 0}));
        EXPECT_EQ(ReadFile(a), c.expectedA);
        EXPECT_EQ(ReadFile(b), c.expectedB);
    }
}

TEST_F(ChildProcessTest, ChildHasNoInputAndNoTerminal)
{
    ChildOptions options;
    options.stdoutTarget = OutputTarget::ToFile(Path("out"));
    const std::string script =
        "if read line; then echo input; else echo eof; fi;"
        "if (: </dev/tty) 2>/dev/null; then echo tty; else echo notty; fi";
    EXPECT_EQ(proc::RunAndWait({"/bin/sh", "-c", script}, options), (ExitStatus{0, 0}));
    EXPECT_EQ(ReadFile(Path("out")), "eof\nnotty\n");
}

TEST_F(ChildProcessTest, ArgumentsReachTheProgramUnchanged)
{
    const std::vector<std::string> values = {"two words",
                                             "\"double\"",
                                             "it's",
                                             "$HOME",
                                             "*",
                                             "a;b|c&d>e",
                                             "back\\slash",
                                             "",
                                             "-n",
                                             "日本語 テスト",
                                             "tab\there",
                                             "new\nline",
                                             "C:\\Program Files\\gbak.fbk"};
    std::vector<std::string> args = {"/usr/bin/printf", "[%s]\\n"};
    std::string expected;
    for (const auto& v : values) {
        args.push_back(v);
        expected += "[" + v + "]\n";
    }
    ChildOptions options;
    options.stdoutTarget = OutputTarget::ToFile(Path("out"));
    EXPECT_EQ(proc::RunAndWait(args, options), (ExitStatus{0, 0}));
    EXPECT_EQ(ReadFile(Path("out")), expected);
}

TEST_F(ChildProcessTest, EnvironmentChangesReachOnlyTheChild)
{
    ::setenv("LEDRIX_CHILD_KEPT", "kept", 1);
    ::setenv("LEDRIX_CHILD_REPLACED", "parent", 1);
    ::setenv("LEDRIX_CHILD_REMOVED", "parent", 1);
    const std::string firebirdBefore = std::getenv("FIREBIRD") ? std::getenv("FIREBIRD") : "unset";
    ChildOptions options;
    options.SetEnv("FIREBIRD", dir_ + "/fb root")
        .SetEnv("LEDRIX_CHILD_REPLACED", "child")
        .UnsetEnv("LEDRIX_CHILD_REMOVED")
        .SetEnv("LEDRIX_CHILD_TWICE", "1")
        .SetEnv("LEDRIX_CHILD_TWICE", "2")
        .SetEnv("LEDRIX_CHILD_EMPTY", "");
    options.stdoutTarget = OutputTarget::ToFile(Path("out"));
    const std::string script =
        "printf '%s|%s|%s|%s|%s|%s|' \"$FIREBIRD\" \"$LEDRIX_CHILD_KEPT\" \"$LEDRIX_CHILD_REPLACED\" "
        "\"${LEDRIX_CHILD_REMOVED-unset}\" \"$LEDRIX_CHILD_TWICE\" \"${LEDRIX_CHILD_EMPTY-unset}\";"
        "env | grep -c '^LEDRIX_CHILD_TWICE='";
    EXPECT_EQ(proc::RunAndWait({"/bin/sh", "-c", script}, options), (ExitStatus{0, 0}));
    EXPECT_EQ(ReadFile(Path("out")), dir_ + "/fb root|kept|child|unset|2||1\n");

    EXPECT_EQ(std::getenv("FIREBIRD") ? std::string(std::getenv("FIREBIRD")) : "unset", firebirdBefore);
    EXPECT_STREQ(std::getenv("LEDRIX_CHILD_REPLACED"), "parent");
    EXPECT_STREQ(std::getenv("LEDRIX_CHILD_REMOVED"), "parent");
    EXPECT_EQ(std::getenv("LEDRIX_CHILD_TWICE"), nullptr);
}

TEST_F(ChildProcessTest, LooksProgramsUpOnTheChildsPath)
{
    fs::create_directory(Path("first"));
    fs::create_directory(Path("second"));
    // A file without execute permission earlier on PATH is passed over.
    WriteFile(Path("first/ledrix-tool"), "#!/bin/sh\necho first\n", fs::perms(0644));
    WriteFile(Path("second/ledrix-tool"), "#!/bin/sh\necho second \"$1\"\n", fs::perms(0755));
    ChildOptions options;
    options.SetEnv("PATH", Path("first") + "::" + Path("second") + ":/bin:/usr/bin");
    options.stdoutTarget = OutputTarget::ToFile(Path("out"));
    EXPECT_EQ(proc::RunAndWait({"ledrix-tool", "a b"}, options), (ExitStatus{0, 0}));
    EXPECT_EQ(ReadFile(Path("out")), "second a b\n");

    // An empty PATH entry does not mean the current folder.
    const fs::path callerFolder = fs::current_path();
    fs::current_path(Path("second"));
    ChildOptions emptyEntries;
    emptyEntries.SetEnv("PATH", ":/nonexistent::");
    const ChildErrorKind kind = StartFailure({"ledrix-tool"}, emptyEntries);
    fs::current_path(callerFolder);
    EXPECT_EQ(kind, ChildErrorKind::NotFound);
}

struct FailureCase {
    const char* name;
    std::vector<std::string> args;
    std::optional<std::string> path;  // PATH for the child
    ChildErrorKind expected;
    // Only exec itself can see some failures, after the output files were
    // opened; everything found out before leaves them alone.
    bool logKept = true;
};

TEST_F(ChildProcessTest, StartFailuresSayWhyAndLeaveTheLogAlone)
{
    WriteFile(Path("plain.txt"), "not a program\n", fs::perms(0644));
    WriteFile(Path("no-shebang"), "echo hello\n", fs::perms(0755));
    WriteFile(Path("bad-interpreter"), "#!/nonexistent/interpreter\n", fs::perms(0755));
    fs::create_directory(Path("empty"));
    const FailureCase cases[] = {
        {"name not on PATH", {"ledrix-no-such-tool"}, std::nullopt, ChildErrorKind::NotFound},
        {"missing path", {Path("missing/gbak"), "-b"}, std::nullopt, ChildErrorKind::NotFound},
        {"missing interpreter", {Path("bad-interpreter")}, std::nullopt, ChildErrorKind::NotFound, false},
        {"PATH of the child has no sh", {"sh", "-c", "exit 0"}, Path("empty"), ChildErrorKind::NotFound},
        {"not executable", {Path("plain.txt")}, std::nullopt, ChildErrorKind::NotExecutable},
        {"not a program", {Path("no-shebang")}, std::nullopt, ChildErrorKind::NotExecutable, false},
        {"a folder", {dir_}, std::nullopt, ChildErrorKind::NotExecutable},
        {"only a non-executable on PATH", {"plain.txt"}, dir_, ChildErrorKind::NotExecutable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(Path("tool.log"), "previous log");
        ChildOptions options;
        options.stdoutTarget = OutputTarget::ToFile(Path("tool.log"));
        if (c.path) {
            options.SetEnv("PATH", *c.path);
        }
        EXPECT_EQ(StartFailure(c.args, options), c.expected);
        EXPECT_EQ(ReadFile(Path("tool.log")), c.logKept ? "previous log" : "");
    }
    try {
        proc::RunAndWait({"ledrix-no-such-tool"});
        ADD_FAILURE() << "no error";
    } catch (const ChildProcessError& e) {
        EXPECT_EQ(e.Kind(), ChildErrorKind::NotFound);
        EXPECT_NE(std::string(e.what()).find("ledrix-no-such-tool"), std::string::npos) << e.what();
    }
}

TEST_F(ChildProcessTest, RejectsBadRequests)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::function<void(ChildOptions&)> setup;
        ChildErrorKind expected;
    };
    const Case cases[] = {
        {"no arguments", {}, [](ChildOptions&) {}, ChildErrorKind::InvalidRequest},
        {"empty program", {""}, [](ChildOptions&) {}, ChildErrorKind::InvalidRequest},
        {"NUL in argument",
         {"/bin/true", std::string("a\0b", 3)},
         [](ChildOptions&) {},
         ChildErrorKind::InvalidRequest},
        {"'=' in variable name",
         {"/bin/true"},
         [](ChildOptions& o) { o.SetEnv("A=B", "1"); },
         ChildErrorKind::InvalidRequest},
        {"empty variable name",
         {"/bin/true"},
         [](ChildOptions& o) { o.SetEnv("", "1"); },
         ChildErrorKind::InvalidRequest},
        {"stdout into itself",
         {"/bin/true"},
         [](ChildOptions& o) { o.stdoutTarget = OutputTarget::SameAsStdout(); },
         ChildErrorKind::InvalidRequest},
        {"log folder missing",
         {"/bin/true"},
         [this](ChildOptions& o) { o.stderrTarget = OutputTarget::ToFile(Path("missing/err.log")); },
         ChildErrorKind::Setup},
        {"working folder missing",
         {"/bin/true"},
         [this](ChildOptions& o) { o.workingFolder = Path("missing"); },
         ChildErrorKind::Setup},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChildOptions options;
        c.setup(options);
        EXPECT_EQ(StartFailure(c.args, options), c.expected);
    }

    ChildProcess notStarted({"/bin/true"});
    EXPECT_FALSE(notStarted.Running());
    EXPECT_EQ(notStarted.Pid(), -1);
    EXPECT_THROW(notStarted.Wait(), ChildProcessError);
    EXPECT_THROW(notStarted.Kill(), ChildProcessError);

    ChildProcess twice({"/bin/true"});
    twice.Start();
    EXPECT_THROW(twice.Start(), ChildProcessError);
    EXPECT_EQ(twice.Wait(), (ExitStatus{0, 0}));
    EXPECT_THROW(twice.Wait(0ms, [] { return WaitAction::Continue; }), ChildProcessError);
}

TEST_F(ChildProcessTest, RunsInTheWorkingFolder)
{
    ChildOptions options;
    options.workingFolder = Path("work dir");
    fs::create_directory(options.workingFolder);
    options.stdoutTarget = OutputTarget::ToFile(Path("out"));
    EXPECT_EQ(proc::RunAndWait({"/bin/sh", "-c", "pwd"}, options), (ExitStatus{0, 0}));
    EXPECT_EQ(ReadFile(Path("out")), Path("work dir") + "\n");
}

TEST(ChildProcess, CallbackRunsWhileTheChildRunsAndCanKillIt)
{
    ChildProcess child({"/bin/sleep", "1000"});
    child.Start();
    int calls = 0;
    const auto status = child.Wait(5ms, [&] {
        EXPECT_TRUE(child.Running());
        return ++calls == 3 ? WaitAction::Kill : WaitAction::Continue;
    });
    EXPECT_EQ(calls, 3);
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, (ExitStatus{0, SIGKILL}));
    EXPECT_FALSE(child.Running());
    EXPECT_EQ(child.ExitCode(), std::nullopt);
    EXPECT_TRUE(ProcessGone(child.Pid()));
}

TEST(ChildProcess, StopWaitingLeavesTheChildRunning)
{
    ChildProcess child({"/bin/sleep", "1000"});
    child.Start();
    EXPECT_EQ(child.Wait(1ms, [] { return WaitAction::StopWaiting; }), std::nullopt);
    EXPECT_TRUE(child.Running());
    EXPECT_EQ(child.WaitFor(10ms), std::nullopt);
    EXPECT_TRUE(child.Running());
    EXPECT_EQ(child.Kill(), (ExitStatus{0, SIGKILL}));
    EXPECT_EQ(child.Kill(), (ExitStatus{0, SIGKILL})) << "a second kill changes nothing";
    EXPECT_EQ(child.WaitFor(0ms), (ExitStatus{0, SIGKILL}));
}

TEST(ChildProcess, WaitReturnsAsSoonAsTheChildEnds)
{
    // With a long interval the end must be noticed by itself, not at the
    // next turn of the callback.
    ChildProcess child({"/bin/sh", "-c", "exit 4"});
    child.Start();
    const auto began = std::chrono::steady_clock::now();
    const auto status = child.Wait(60s, [] {
        ADD_FAILURE() << "callback ran for a child that had ended";
        return WaitAction::Kill;
    });
    EXPECT_LT(std::chrono::steady_clock::now() - began, 30s);
    EXPECT_EQ(status, (ExitStatus{4, 0}));

    ChildProcess quick({"/bin/true"});
    quick.Start();
    EXPECT_EQ(quick.WaitFor(60s), (ExitStatus{0, 0}));
}

TEST_F(ChildProcessTest, DestructorKillsTheChildAndItsGroup)
{
    const std::string pidFile = Path("grandchild.pid");
    pid_t childPid = -1;
    pid_t grandchildPid = -1;
    {
        ChildProcess child(
            {"/bin/sh", "-c", "/bin/sleep 1000 & echo $! > \"$0.tmp\" && mv \"$0.tmp\" \"$0\"; wait", pidFile});
        child.Start();
        childPid = child.Pid();
        ASSERT_TRUE(WaitUntil([&] { return fs::exists(pidFile); }));
        grandchildPid = std::stoi(ReadFile(pidFile));
        ASSERT_FALSE(ProcessEnded(grandchildPid));
    }
    EXPECT_TRUE(ProcessGone(childPid)) << "child left running or as a zombie";
    EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(grandchildPid); })) << "grandchild survived";
}

TEST(ChildProcess, MovingHandsOverTheChild)
{
    ChildProcess first({"/bin/sleep", "1000"});
    first.Start();
    const pid_t pid = first.Pid();

    ChildProcess second(std::move(first));
    EXPECT_EQ(first.Pid(), -1);
    EXPECT_FALSE(first.Running());
    EXPECT_EQ(second.Pid(), pid);
    EXPECT_TRUE(second.Running());

    std::vector<ChildProcess> kept;
    kept.push_back(std::move(second));
    kept.emplace_back(std::vector<std::string>{"/bin/true"});
    EXPECT_TRUE(kept.front().Running());

    // Assigning over a running child ends that child.
    kept.front() = ChildProcess({"/bin/true"});
    EXPECT_TRUE(ProcessGone(pid));
    EXPECT_FALSE(kept.front().Running());
}

TEST_F(ChildProcessTest, RunAndWaitKillsAChildPastItsTimeLimit)
{
    const std::string pidFile = Path("child.pid");
    const auto began = std::chrono::steady_clock::now();
    try {
        proc::RunAndWait({"/bin/sh", "-c", "echo $$ > \"$0\"; exec /bin/sleep 1000", pidFile}, {}, 500ms);
        ADD_FAILURE() << "no time-out";
    } catch (const ChildProcessError& e) {
        EXPECT_EQ(e.Kind(), ChildErrorKind::TimedOut);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - began, 30s);
    ASSERT_TRUE(fs::exists(pidFile));
    EXPECT_TRUE(ProcessGone(std::stoi(ReadFile(pidFile))));
    EXPECT_EQ(proc::RunAndWait({"/bin/sh", "-c", "exit 5"}, {}, 60s), (ExitStatus{5, 0}));
}

TEST_F(ChildProcessTest, DescriptorsStayWithTheirOwner)
{
    // A descriptor the caller opened without close-on-exec is not inherited.
    const int open = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(open, 0);
    const std::string probe = "test -e /proc/self/fd/" + std::to_string(open);
    EXPECT_EQ(proc::RunAndWait({"/bin/sh", "-c", probe}), (ExitStatus{1, 0}));
    ::close(open);

    // Every path through the runner gives back what it opened.
    const std::size_t before = OpenDescriptorCount();
    ChildOptions logged;
    logged.stdoutTarget = OutputTarget::ToFile(Path("out"));
    logged.stderrTarget = OutputTarget::Discard();
    proc::RunAndWait({"/bin/sh", "-c", "echo x"}, logged);
    StartFailure({"ledrix-no-such-tool"}, logged);
    ChildOptions badFolder = logged;
    badFolder.workingFolder = Path("missing");
    StartFailure({"/bin/true"}, badFolder);
    {
        ChildProcess waited({"/bin/sleep", "1000"}, logged);
        waited.Start();
        waited.Wait(1ms, [] { return WaitAction::StopWaiting; });
    }
    {
        ChildProcess killed({"/bin/sleep", "1000"});
        killed.Start();
        killed.Kill();
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
}

}  // namespace
