#include "platform/db/MasterCache.h"

#include "platform/db/FirebirdServerFixture.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

// A master name of this process alone, so that parallel test processes and
// earlier runs do not meet it; its folders are removed afterwards.
class MasterCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        name_ = std::string("cache-test-") + info->name() + "-" + std::to_string(::getpid());
    }
    void TearDown() override
    {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dbtest::MasterCacheFolder(), ec)) {
            if (entry.path().filename().string().rfind(name_, 0) != 0)
                continue;
            for (const auto& inner : fs::recursive_directory_iterator(entry.path(), ec))
                fs::permissions(inner.path(), fs::perms::owner_all, fs::perm_options::add, ec);
            fs::remove_all(entry.path(), ec);
        }
    }

    // A build that writes one file and counts its calls.
    auto Build(int& calls, const std::string& text = "made")
    {
        return [&calls, text](const fs::path& folder) {
            ++calls;
            std::ofstream(folder / "content.txt") << text;
        };
    }

    int LogLines(const std::string& what)
    {
        std::ifstream log(dbtest::MasterCacheFolder() / "builds.log");
        int count = 0;
        for (std::string line; std::getline(log, line);)
            if (line.find(" " + what + " " + name_ + "@") != std::string::npos)
                ++count;
        return count;
    }

    std::string name_;
};

TEST_F(MasterCacheTest, BuiltOnceThenServedToEveryProcess)
{
    // Another process builds it first.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int calls = 0;
        try {
            dbtest::CachedMaster(name_, "k1", Build(calls, "from the child"));
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(calls == 1 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    int calls = 0;
    const fs::path master = dbtest::CachedMaster(name_, "k1", Build(calls));
    EXPECT_EQ(calls, 0);
    std::ifstream in(master / "content.txt");
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "from the child");
    EXPECT_EQ(dbtest::CachedMaster(name_, "k1", Build(calls)), master);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(LogLines("built"), 1);
}

TEST_F(MasterCacheTest, AStaleKeyIsBuiltAgainAndTheOldMasterRemoved)
{
    int calls = 0;
    const fs::path old = dbtest::CachedMaster(name_, "k1", Build(calls));
    const fs::path fresh = dbtest::CachedMaster(name_, "k2", Build(calls));
    EXPECT_EQ(calls, 2);
    EXPECT_NE(old, fresh);
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(fresh / "content.txt"));
    EXPECT_EQ(LogLines("built"), 2);
}

TEST_F(MasterCacheTest, AFailedBuildLeavesNoMasterAndIsNotRetriedInTheSameRun)
{
    int calls = 0;
    const auto failing = [&calls](const fs::path&) {
        ++calls;
        throw std::runtime_error("the base script is broken");
    };
    EXPECT_THROW(dbtest::CachedMaster(name_, "k1", failing), std::runtime_error);
    try {
        dbtest::CachedMaster(name_, "k1", failing);
        ADD_FAILURE() << "a failed master was served";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("the base script is broken"), std::string::npos) << e.what();
    }
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(fs::exists(dbtest::MasterCacheFolder() / (name_ + "@k1")));
    EXPECT_EQ(LogLines("failed"), 1);
}

// A master's databases cannot be changed by mistake, and a copy can.
TEST_F(MasterCacheTest, DatabasesOfAMasterAreReadOnlyAndTheirCopiesWritable)
{
    dbtest::TestFirebird::Get();  // the process's root, before the client starts
    const fs::path master = dbtest::CachedMaster(name_, "k1", [](const fs::path& folder) {
        db::Database database;
        dbtest::CreateTestDatabase(database, (folder / "one.fdb").string());
        database.Detach();
    });
    const fs::perms perms = fs::status(master / "one.fdb").permissions();
    EXPECT_EQ(perms & fs::perms::owner_write, fs::perms::none);
    const fs::path copy = dbtest::TestFirebird::Get().NewWorkFolder("copy") / "one.fdb";
    dbtest::CopyMasterFile(master / "one.fdb", copy);
    db::Database database;
    EXPECT_NO_THROW(database.Attach(copy.string(), dbtest::User, dbtest::Password));
}

}  // namespace
