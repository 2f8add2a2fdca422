#include "platform/NetworkDrive.h"

#include "platform/Registry.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class NetworkDriveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "netdrive-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        if (const char* old = std::getenv("LEDRIX_REGISTRY_DIR"))
            old_ = old;
        ::setenv("LEDRIX_REGISTRY_DIR", dir_.c_str(), 1);
    }
    void TearDown() override
    {
        if (old_)
            ::setenv("LEDRIX_REGISTRY_DIR", old_->c_str(), 1);
        else
            ::unsetenv("LEDRIX_REGISTRY_DIR");
        fs::remove_all(dir_);
    }

    static void Map(const std::string& key, const std::string& remote)
    {
        Registry reg(RootKey::HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.OpenKey("\\Network\\" + key, true));
        reg.WriteString("RemotePath", remote);
    }

    fs::path dir_;
    std::optional<std::string> old_;
};

TEST_F(NetworkDriveTest, MappedLettersResolveThroughTheRegistry)
{
    Map("z", "/srv/share");
    Map("R", "/");
    Map("Q", "/srv/slash/");
    Registry reg;  // a letter whose key has no RemotePath is not mapped
    ASSERT_TRUE(reg.OpenKey("\\Network\\E", true));

    const struct {
        const char* path;
        const char* resolved;
    } cases[] = {
        {"Z:\\ledrixzaimu\\data\\qhacc.fdb", "/srv/share/ledrixzaimu/data/qhacc.fdb"},
        {"z:/data", "/srv/share/data"},
        {"Z:", "/srv/share"},
        {"Z:\\", "/srv/share/"},
        {"Z:rel\\x", "/srv/share/rel/x"},
        {"R:\\data", "/data"},
        {"Q:\\data", "/srv/slash/data"},
        {"Y:\\data", "Y:\\data"},  // not mapped
        {"E:\\data", "E:\\data"},
        {"/home/user/Z:\\x", "/home/user/Z:\\x"},
        {"1:\\x", "1:\\x"},
        {"Z", "Z"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(netdrive::ResolvePath(c.path), c.resolved);
    }
    EXPECT_TRUE(netdrive::IsNetworkDrive("z:\\x"));
    EXPECT_FALSE(netdrive::IsNetworkDrive("Y:\\x"));
    EXPECT_FALSE(netdrive::IsNetworkDrive("E:"));
    EXPECT_EQ(netdrive::RemotePath('Z'), "/srv/share");
    EXPECT_EQ(netdrive::RemotePath('?'), "");
}

TEST_F(NetworkDriveTest, WithoutAStoreNothingIsMapped)
{
    ::setenv("LEDRIX_REGISTRY_DIR", (dir_ / "absent").c_str(), 1);
    EXPECT_EQ(netdrive::ResolvePath("Z:\\data"), "Z:\\data");
    EXPECT_FALSE(netdrive::IsNetworkDrive("Z:"));
    EXPECT_FALSE(fs::exists(dir_ / "absent"));
}

}  // namespace
