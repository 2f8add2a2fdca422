#include "foundation/SeihinVersionList.h"

#include "foundation/AppInfo.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/Registry.h"
#include "support/SavedGlobals.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The products the installer recorded, in a registry store of the test's own.
class SeihinVersionListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // One folder per test process: ctest runs the tests of this file side by side.
        root_ = fs::path(::testing::TempDir()) /
                ("seihin-registry-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 "-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        registry_ = std::make_unique<ScopedEnv>("LEDRIX_REGISTRY_DIR", root_.string());
        AppInfo.Application.RegKey = "SOFTWARE\\NORVEL";
        AppInfo.Zaimu.RegKey = "LedrixZaimu";
        EditionFlag = 0;
        ProgramKind = 0;
        SystemDef.AppKind = 0;
    }
    void TearDown() override
    {
        AppInfo = TAppInfoRec{};
        EditionFlag = 0;
        fs::remove_all(root_);
    }
    static void Product(const std::string& subkey, const std::string& version, const std::string& type)
    {
        Registry reg(RootKey::HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey("SOFTWARE\\NORVEL\\" + subkey, true));
        reg.WriteString("Version", version);
        reg.WriteString("Type", type);
    }
    static std::vector<std::string> Versions(const TSeihinVersionList& list)
    {
        std::vector<std::string> v;
        for (int i = 0; i < list.Count; ++i)
            v.push_back(list.GetSeihinVersionStr(i) + " " + list.GetSeihinName(i));
        return v;
    }

    fs::path root_;
    std::unique_ptr<ScopedEnv> registry_;
    dbtest::SavedGlobals saved_;
};

TEST_F(SeihinVersionListTest, FixedNumberedAndInstalledEditions)
{
    Product("LEDRIXZAIMU15", "15.0.0", "15版");
    Product("LedrixZaimu14", "14.1", "14版");         // two parts: skipped
    Product("LedrixZaimuOld", "2.0.0", "旧10版");     // the fixed name wins
    Product("OtherProduct16", "16.0.0", "他社16版");  // another product's key
    SystemDef.AppKind = 5;
    TSeihinVersionList list;
    list.BuildSeihinVersionList(0);
    EXPECT_EQ(Versions(list),
              (std::vector<std::string>{"1.0 09版", "2.0 10版", "3.0 11版", "4.0 12版", "5.0 13版", "15.0 15版"}));
    EXPECT_EQ(list.IndexOfSeihinName("15版"), 5);
    EXPECT_EQ(list.IndexOfSeihinName("15"), -1);
    EXPECT_EQ(list.GetSeihinNamesText().rfind("09版\r\n10版\r\n11版\r\n", 0), 0u);

    // Other editions have no fixed ones; kind 3 or less numbers none.
    EditionFlag = 1;
    SystemDef.AppKind = 3;
    list.BuildSeihinVersionList(0);
    EXPECT_EQ(Versions(list), (std::vector<std::string>{"15.0 15版", "2.0 旧10版"}));
}

TEST_F(SeihinVersionListTest, SortKeepsTheLeadingEntryFirst)
{
    Product("LedrixZaimu15", "15.0.0", "15版");
    TSeihinVersionList list;
    list.LeadingName = "すべて";
    list.BuildSeihinVersionList(1);
    EXPECT_EQ(Versions(list), (std::vector<std::string>{" すべて", "15.0 15版", "3.0 11版", "2.0 10版", "1.0 09版"}));
    EXPECT_EQ(list.Names.front(), "すべて");
    list.SortSeihinVersionList(0);
    EXPECT_EQ(Versions(list), (std::vector<std::string>{" すべて", "1.0 09版", "2.0 10版", "3.0 11版", "15.0 15版"}));
    // An entry 0.0 never gives a version text; indexes outside are empty.
    EXPECT_EQ(list.GetSeihinVersionStr(0), "");
    EXPECT_EQ(list.GetSeihinVersionStr(list.Count), "");
    EXPECT_EQ(list.GetSeihinName(-1), "");
    EXPECT_EQ(list.GetSeihinName(list.Count), "");
}

}  // namespace
