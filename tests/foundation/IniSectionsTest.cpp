#include "foundation/IniSections.h"

#include "platform/IniFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdlib.h>

namespace fs = std::filesystem;

namespace {

class IniSectionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "inisections-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root = tmpl;
        file = (root / "app.ini").string();
    }
    void TearDown() override { fs::remove_all(root); }

    std::string Bytes() const
    {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    fs::path root;
    std::string file;
};

TEST_F(IniSectionsTest, SectionReadsAsCrLfLines)
{
    IniFile ini(file);
    ini.WriteString("HIST", "HIST1", "/data/会社A");
    ini.WriteString("HIST", "HIST2", "/data/b");
    ini.WriteString("OTHER", "K", "v");
    EXPECT_EQ(ReadIniSection(file, "HIST"), "HIST1=/data/会社A\r\nHIST2=/data/b\r\n");
    EXPECT_EQ(ReadIniSection(file, "hist"), "HIST1=/data/会社A\r\nHIST2=/data/b\r\n");
    EXPECT_EQ(ReadIniSection(file, "NONE"), "");
    EXPECT_EQ(ReadIniSection(file, ""), "");
    EXPECT_EQ(ReadIniSection("", "HIST"), "");
    EXPECT_EQ(ReadIniSection((root / "missing.ini").string(), "HIST"), "");
}

TEST_F(IniSectionsTest, WriteSectionReplacesOnlyThatSection)
{
    IniFile ini(file);
    ini.WriteString("HIST", "HIST1", "old1");
    ini.WriteString("HIST", "HIST9", "gone");
    ini.WriteString("OTHER", "K", "v");
    WriteIniSection(file, "HIST", {"HIST1=/new/1", "", "HIST2=a=b"});
    EXPECT_EQ(ReadIniSection(file, "HIST"), "HIST1=/new/1\r\nHIST2=a=b\r\n");
    EXPECT_EQ(ini.ReadString("OTHER", "K", ""), "v");

    // A line without a name is refused before anything is written.
    const std::string before = Bytes();
    for (const char* bad : {"no separator", "=value"}) {
        EXPECT_THROW(WriteIniSection(file, "HIST", {"HIST1=x", bad}), IniFileError) << bad;
        EXPECT_EQ(Bytes(), before) << bad;
    }
    // Without a file name or a section nothing happens.
    WriteIniSection("", "HIST", {"A=1"});
    WriteIniSection(file, "", {"A=1"});
    EXPECT_EQ(Bytes(), before);
}

TEST_F(IniSectionsTest, WriteValueWritesTextOrDeletes)
{
    WriteIniValue(file, "DATA", "STATUS", false, std::int64_t{2});
    WriteIniValue(file, "DATA", "NAME", false, std::string("株式会社テスト"));
    WriteIniValue(file, "DATA", "RATE", false, 1.5);
    IniFile ini(file);
    EXPECT_EQ(ini.ReadInteger("DATA", "STATUS", -1), 2);
    EXPECT_EQ(ini.ReadString("DATA", "NAME", ""), "株式会社テスト");
    EXPECT_EQ(ini.ReadString("DATA", "RATE", ""), "1.5");
    EXPECT_NE(Bytes().find("STATUS=2\r\n"), std::string::npos);

    WriteIniValue(file, "DATA", "STATUS", true, std::string());
    EXPECT_FALSE(ini.ValueExists("DATA", "STATUS"));
    EXPECT_TRUE(ini.ValueExists("DATA", "NAME"));

    EXPECT_THROW(WriteIniValue((root / "no/such/folder.ini").string(), "DATA", "K", false, std::string("v")),
                 IniFileError);
}

}  // namespace
