#include "platform/SpecialFolders.h"
#include "support/ScopedEnv.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct RootCase {
    const char* variable;
    std::string (*folder)();
};

TEST(SpecialFolders, EachRootMovesWithItsVariable)
{
    const RootCase cases[] = {
        {"LEDRIX_COMMON_APPDATA", folders::CommonAppData},
        {"LEDRIX_DOCUMENTS", folders::Documents},
        {"LEDRIX_TEMP", folders::Temp},
        {"LEDRIX_PROGRAM_DIR", folders::ProgramDir},
        {"LEDRIX_REGISTRY_DIR", folders::RegistryDir},
        {"LEDRIX_SYSTEM_DIR", folders::SystemDir},
    };
    for (const auto& c : cases) {
        ScopedEnv env(c.variable, "/somewhere/else/");
        EXPECT_EQ(c.folder(), "/somewhere/else") << c.variable;
    }
}

TEST(SpecialFolders, XdgDefaultsApplyWithoutOwnVariables)
{
    ScopedEnv own("LEDRIX_COMMON_APPDATA", nullptr);
    ScopedEnv xdg("XDG_DATA_HOME", "/xdg/data");
    EXPECT_EQ(folders::CommonAppData(), "/xdg/data");
    ScopedEnv home("HOME", "/home/someone");
    ScopedEnv noXdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(folders::CommonAppData(), "/home/someone/.local/share");
}

TEST(SpecialFolders, RuntimeFolderIsCreatedPrivate)
{
    const auto base = std::filesystem::temp_directory_path() / ("sf-" + std::to_string(getpid()));
    std::filesystem::create_directories(base);
    const std::string dir = (base / "run").string();
    {
        ScopedEnv env("LEDRIX_RUNTIME_DIR", dir.c_str());
        EXPECT_EQ(folders::Runtime(), dir);
        struct stat st {};
        ASSERT_EQ(stat(dir.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
    std::filesystem::remove_all(base);
}

TEST(SpecialFolders, ProgramDirIsTheExecutablesFolder)
{
    ScopedEnv env("LEDRIX_PROGRAM_DIR", nullptr);
    const auto exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(folders::ProgramDir(), exe.parent_path().string());
}

TEST(SpecialFolders, NamesPreferTheirVariables)
{
    ScopedEnv pc("LEDRIX_COMPUTERNAME", "PC-01");
    ScopedEnv user("LEDRIX_USERNAME", "taro");
    EXPECT_EQ(folders::ComputerName(), "PC-01");
    EXPECT_EQ(folders::UserName(), "taro");
}

}  // namespace
