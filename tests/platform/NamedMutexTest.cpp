#include "platform/NamedMutex.h"

#include "platform/PeerProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <csignal>
#include <thread>

namespace {

using platform::NamedMutex;
using testing_support::PeerProcess;
using testing_support::TempRuntimeDir;

class NamedMutexTest : public ::testing::Test {
protected:
    TempRuntimeDir runtime_;
};

TEST_F(NamedMutexTest, HeldAcrossProcessesUntilTheHolderIsKilled)
{
    PeerProcess holder(MUTEX_HOLD_PATH, {"VARIMON_RENDO"});
    ASSERT_EQ(holder.ReadLine(), "held");

    EXPECT_TRUE(NamedMutex::Exists("VARIMON_RENDO"));
    EXPECT_FALSE(NamedMutex::Exists("ZORVATH000"));
    EXPECT_FALSE(NamedMutex("VARIMON_RENDO").Held());
    {
        PeerProcess second(MUTEX_HOLD_PATH, {"VARIMON_RENDO"});
        EXPECT_EQ(second.ReadLine(), "busy");
    }

    // A crash releases it: no clean-up code runs on SIGKILL.
    holder.Signal(SIGKILL);
    holder.Wait();
    EXPECT_FALSE(NamedMutex::Exists("VARIMON_RENDO"));  // the lock file is left, unheld
    NamedMutex mine("VARIMON_RENDO");
    EXPECT_TRUE(mine.Held());
    PeerProcess third(MUTEX_HOLD_PATH, {"VARIMON_RENDO"});
    EXPECT_EQ(third.ReadLine(), "busy");
}

TEST_F(NamedMutexTest, ChildProgramsDoNotKeepTheMutex)
{
    // The program starts isql-fb and gbak; they must not inherit the lock and
    // hold the name after the program itself has died.
    PeerProcess holder(MUTEX_HOLD_PATH, {"VARIMON_RENDO", MUTEX_HOLD_PATH, "--wait"});
    ASSERT_EQ(holder.ReadLine(), "held");
    const auto childLine = holder.ReadLine();
    ASSERT_TRUE(childLine && childLine->rfind("child ", 0) == 0) << childLine.value_or("<nothing>");
    const pid_t child = std::stoi(childLine->substr(6));

    holder.Signal(SIGKILL);
    holder.Wait();
    ASSERT_EQ(::kill(child, 0), 0) << "the child should still run";
    EXPECT_FALSE(NamedMutex::Exists("VARIMON_RENDO"));
    EXPECT_TRUE(NamedMutex("VARIMON_RENDO").Held());
    ::kill(child, SIGKILL);
}

TEST_F(NamedMutexTest, ObjectLifetimeDecidesHolding)
{
    std::optional<NamedMutex> first(std::in_place, "ZORVATH_TOOLS");
    ASSERT_TRUE(first->Held());
    // A second create in the same process finds it taken, as on Windows.
    EXPECT_FALSE(NamedMutex("ZORVATH_TOOLS").Held());

    NamedMutex moved(std::move(*first));
    first.reset();  // the moved-from object releases nothing
    EXPECT_TRUE(moved.Held());
    EXPECT_TRUE(NamedMutex::Exists("ZORVATH_TOOLS"));

    NamedMutex other("ZORVATH000");
    moved = std::move(other);  // drops ZORVATH_TOOLS, takes over ZORVATH000
    EXPECT_FALSE(NamedMutex::Exists("ZORVATH_TOOLS"));
    EXPECT_TRUE(NamedMutex::Exists("ZORVATH000"));
    moved.Release();
    EXPECT_FALSE(NamedMutex::Exists("ZORVATH000"));
}

TEST_F(NamedMutexTest, NamesThatCannotBeAFileAreRefused)
{
    const std::string cases[] = {"", "a/b", "../x", std::string("a\0b", 3), std::string(300, 'x')};
    for (const auto& name : cases) {
        SCOPED_TRACE(name);
        EXPECT_THROW(NamedMutex::Exists(name), std::invalid_argument);
        EXPECT_THROW(NamedMutex{name}, std::invalid_argument);
    }
    // Names that only look odd are fine and stay distinct.
    NamedMutex dots("..");
    NamedMutex global("Global\\ZORVATH000");
    EXPECT_TRUE(dots.Held());
    EXPECT_TRUE(global.Held());
    EXPECT_FALSE(NamedMutex::Exists("ZORVATH000"));
}

TEST_F(NamedMutexTest, ProbingNeverMakesACreatorFail)
{
    // Exists locks the file for a moment; a creator that meets only probes
    // must still get the mutex.
    std::atomic<bool> stop{false};
    std::thread prober([&] {
        while (!stop)
            NamedMutex::Exists("VARIMON_RENDO");
    });
    int refused = 0;
    for (int i = 0; i < 3000; ++i) {
        if (!NamedMutex("VARIMON_RENDO").Held())
            ++refused;
    }
    stop = true;
    prober.join();
    EXPECT_EQ(refused, 0);
}

}  // namespace
