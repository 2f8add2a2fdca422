#include "platform/Registry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

// Moves the registry store into a fresh temporary folder for one test.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "registry-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        store_ = dir_ / "store";  // not there yet: the first write makes it
        if (const char* old = std::getenv("LEDRIX_REGISTRY_DIR"))
            old_ = old;
        ::setenv("LEDRIX_REGISTRY_DIR", store_.c_str(), 1);
    }
    void TearDown() override
    {
        if (old_)
            ::setenv("LEDRIX_REGISTRY_DIR", old_->c_str(), 1);
        else
            ::unsetenv("LEDRIX_REGISTRY_DIR");
        fs::remove_all(dir_);
    }

    std::string Hive(const char* name) const
    {
        std::ifstream in(store_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
    fs::path store_;
    std::optional<std::string> old_;
};

TEST_F(RegistryTest, StringsAndIntegersKeepTheirTypes)
{
    {
        Registry reg(RootKey::HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", true));
        reg.WriteInteger("EnableLUA", 1);
        reg.WriteInteger("Negative", -5);
        reg.WriteString("Product", "Ledrix財務");
        reg.WriteString("Padded", "  a \"b\"  ");
        reg.WriteString("LooksLikeNumber", "dword:5");
        reg.WriteString("Empty", "");
    }
    EXPECT_EQ(Hive("HKEY_LOCAL_MACHINE.ini"),
              "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\r\n"
              "EnableLUA=dword:1\r\nNegative=dword:-5\r\nProduct=sz:\"Ledrix\x8D\xE0\x96\xB1\"\r\n"
              "Padded=sz:\"  a \"b\"  \"\r\nLooksLikeNumber=sz:\"dword:5\"\r\nEmpty=sz:\"\"\r\n");

    Registry reg(RootKey::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System"));
    EXPECT_EQ(reg.GetDataType("EnableLUA"), RegDataType::rdInteger);
    EXPECT_EQ(reg.ReadInteger("EnableLUA"), 1);
    EXPECT_EQ(reg.ReadInteger("Negative"), -5);
    EXPECT_EQ(reg.ReadString("Product"), "Ledrix財務");
    EXPECT_EQ(reg.ReadString("Padded"), "  a \"b\"  ");
    EXPECT_EQ(reg.GetDataType("LooksLikeNumber"), RegDataType::rdString);
    EXPECT_EQ(reg.ReadString("LooksLikeNumber"), "dword:5");
    EXPECT_EQ(reg.ReadString("Empty"), "");
    EXPECT_EQ(reg.GetValueNames(), (Names{"EnableLUA", "Negative", "Product", "Padded", "LooksLikeNumber", "Empty"}));

    EXPECT_THROW(reg.ReadString("EnableLUA"), RegistryError);
    EXPECT_THROW(reg.ReadInteger("Product"), RegistryError);
    EXPECT_THROW(reg.ReadInteger("Absent"), RegistryError);
    EXPECT_EQ(reg.ReadString("Absent"), "");
    EXPECT_EQ(reg.GetDataType("Absent"), RegDataType::rdUnknown);
}

TEST_F(RegistryTest, ValuesOfUnknownFormAreRefused)
{
    fs::create_directories(store_);
    std::ofstream(store_ / "HKEY_CURRENT_USER.ini", std::ios::binary)
        << "[K]\r\nPlain=15.0.1\r\nBadNumber=dword:12x\r\nHuge=dword:4294967296\r\nUnsigned=dword:4294967295\r\n";
    Registry reg;
    ASSERT_TRUE(reg.OpenKey("\\K", false));
    for (const char* name : {"Plain", "BadNumber", "Huge"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(reg.GetDataType(name), RegDataType::rdUnknown);
        EXPECT_THROW(reg.ReadString(name), RegistryError);
        EXPECT_THROW(reg.ReadInteger(name), RegistryError);
    }
    EXPECT_EQ(reg.ReadInteger("Unsigned"), -1);
}

TEST_F(RegistryTest, KeyPathsAreNormalisedAndCompareWithoutCase)
{
    Registry reg(RootKey::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\\\NORVEL\\LEDRIXZAIMU15\\", true));
    EXPECT_EQ(reg.CurrentPath(), "SOFTWARE\\NORVEL\\LEDRIXZAIMU15");
    reg.WriteString("Version", "15.0.1");
    reg.CloseKey();

    ASSERT_TRUE(reg.OpenKey("software\\norvel", false));
    EXPECT_EQ(reg.CurrentPath(), "software\\norvel");
    ASSERT_TRUE(reg.OpenKey("ledrixzaimu15", false));  // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), "software\\norvel\\ledrixzaimu15");
    EXPECT_TRUE(reg.ValueExists("VERSION"));
    reg.WriteString("version", "15.0.2");
    EXPECT_EQ(reg.GetValueNames(), Names{"Version"});
    EXPECT_EQ(reg.ReadString("Version"), "15.0.2");

    EXPECT_FALSE(reg.OpenKey("\\SOFTWARE\\Other", false));
    EXPECT_EQ(reg.CurrentPath(), "software\\norvel\\ledrixzaimu15");  // a failed open keeps the key
    ASSERT_TRUE(reg.OpenKey("\\", false));
    EXPECT_EQ(reg.CurrentPath(), "");
}

TEST_F(RegistryTest, KeysExistThroughTheirSubkeysAndListDirectChildren)
{
    Registry reg(RootKey::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\NORVEL\\LEDRIXZAIMU14", true));
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\NORVEL\\LEDRIXZAIMU15\\Sub", true));
    ASSERT_TRUE(reg.OpenKey("\\software\\norvel\\NAVIGORE", true));
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\NORVELX", true));

    EXPECT_TRUE(reg.KeyExists("\\SOFTWARE"));
    EXPECT_TRUE(reg.KeyExists("\\Software\\Norvel\\LedrixZaimu15"));
    EXPECT_FALSE(reg.KeyExists("\\SOFTWARE\\NORV"));
    EXPECT_FALSE(reg.KeyExists("\\SOFTWARE\\NORVEL\\LEDRIXZAIMU16"));

    ASSERT_TRUE(reg.OpenKeyReadOnly("\\SOFTWARE\\NORVEL"));
    EXPECT_EQ(reg.GetKeyNames(), (Names{"LEDRIXZAIMU14", "LEDRIXZAIMU15", "NAVIGORE"}));
    EXPECT_TRUE(reg.HasSubKeys());
    EXPECT_TRUE(reg.GetValueNames().empty());
    ASSERT_TRUE(reg.OpenKeyReadOnly("LEDRIXZAIMU14"));
    EXPECT_FALSE(reg.HasSubKeys());
    reg.CloseKey();
    EXPECT_EQ(reg.GetKeyNames(), Names{"SOFTWARE"});
}

TEST_F(RegistryTest, DeletingValuesAndKeys)
{
    Registry reg;
    ASSERT_TRUE(reg.OpenKey("\\A\\B", true));
    reg.WriteInteger("v", 1);
    ASSERT_TRUE(reg.OpenKey("C", true));
    reg.WriteInteger("w", 2);
    ASSERT_TRUE(reg.OpenKey("\\A\\Keep", true));
    reg.WriteInteger("x", 3);

    ASSERT_TRUE(reg.OpenKey("\\A\\B", false));
    EXPECT_TRUE(reg.DeleteValue("V"));
    EXPECT_FALSE(reg.DeleteValue("v"));
    EXPECT_FALSE(reg.ValueExists("v"));

    EXPECT_TRUE(reg.DeleteKey("\\a\\b"));  // with everything below it
    EXPECT_FALSE(reg.KeyExists("\\A\\B"));
    EXPECT_FALSE(reg.KeyExists("\\A\\B\\C"));
    EXPECT_FALSE(reg.DeleteKey("\\A\\B"));
    EXPECT_FALSE(reg.DeleteKey("\\"));
    EXPECT_THROW(reg.WriteInteger("v", 1), RegistryError);  // the open key is gone

    ASSERT_TRUE(reg.OpenKey("\\A", false));
    EXPECT_EQ(reg.GetKeyNames(), Names{"Keep"});
    EXPECT_TRUE(reg.DeleteKey("Keep"));  // relative to the open key
    EXPECT_EQ(Hive("HKEY_CURRENT_USER.ini"), "");
}

TEST_F(RegistryTest, ReadOnlyOpenChangesNothing)
{
    Registry reg;
    EXPECT_FALSE(reg.OpenKeyReadOnly("\\Network\\Z"));
    EXPECT_FALSE(reg.OpenKey("\\Network\\Z", false));
    EXPECT_FALSE(fs::exists(store_));  // reads never create the store

    ASSERT_TRUE(reg.OpenKey("\\Network\\Z", true));
    reg.WriteString("RemotePath", "/srv/share");
    ASSERT_TRUE(reg.OpenKey("\\Network\\Y", true));

    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Network\\Z"));
    EXPECT_THROW(reg.WriteString("RemotePath", "/elsewhere"), RegistryError);
    EXPECT_THROW(reg.WriteInteger("Other", 1), RegistryError);
    EXPECT_FALSE(reg.DeleteValue("RemotePath"));
    EXPECT_FALSE(reg.DeleteKey("\\Network\\Y"));
    EXPECT_EQ(reg.ReadString("RemotePath"), "/srv/share");
    EXPECT_TRUE(reg.KeyExists("\\Network\\Y"));

    ASSERT_TRUE(reg.OpenKey("\\Network\\Z", false));
    reg.WriteString("RemotePath", "/elsewhere");
    EXPECT_EQ(reg.ReadString("RemotePath"), "/elsewhere");
}

TEST_F(RegistryTest, HivesAreSeparateFilesInTheMovedFolder)
{
    Registry reg(RootKey::HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey("\\Software\\Test", true));
    reg.WriteInteger("User", 1);
    reg.SetRootKey(RootKey::HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.CurrentPath(), "");  // changing the hive closes the key
    EXPECT_FALSE(reg.KeyExists("\\Software\\Test"));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Test", true));
    reg.WriteInteger("Machine", 2);

    EXPECT_EQ(Hive("HKEY_CURRENT_USER.ini"), "[Software\\Test]\r\nUser=dword:1\r\n");
    EXPECT_EQ(Hive("HKEY_LOCAL_MACHINE.ini"), "[Software\\Test]\r\nMachine=dword:2\r\n");
}

TEST_F(RegistryTest, NamesTheStoreCannotHoldAreRefused)
{
    Registry reg;
    EXPECT_THROW(reg.OpenKey("\\A]B", true), RegistryError);
    EXPECT_FALSE(reg.OpenKey("\\A]B", false));
    EXPECT_FALSE(reg.KeyExists("\\A\nB"));
    EXPECT_THROW(reg.OpenKey("\\ padded", true), RegistryError);
    EXPECT_THROW(reg.WriteString("AtRoot", "x"), RegistryError);

    ASSERT_TRUE(reg.OpenKey("\\K", true));
    for (const char* name : {"", "a=b", ";c", "[d", " e", "f\r"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(reg.WriteString(name, "x"), RegistryError);
    }
    EXPECT_THROW(reg.WriteString("Text", "two\r\nlines"), RegistryError);
    EXPECT_THROW(reg.WriteString("Text", "\xF0\x9F\x98\x80"), RegistryError);  // no CP932 form
    EXPECT_TRUE(reg.GetValueNames().empty());
}

}  // namespace
