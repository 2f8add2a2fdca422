#include "foundation/AppIniSettings.h"

#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/IniFile.h"
#include "platform/db/FirebirdServerFixture.h"
#include "support/SavedGlobals.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class AppIniSettingsTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.HomeDir = folder_.string();
        SystemDef.AppIniPath = (folder_ / "qhzaimu.ini").string();
        SystemDef.ViewerDir = "/tmp/Viewer";
        SystemDef.USER = "LEDRIX";
        SystemDef.PASSWORD = "tolvaz";
        ConnectionMode = 0;
        ProgramKind = 0;
    }
    void TearDown() override
    {
        ConnectionMode = mode_;
        ProgramKind = kind_;
    }

    void WriteFile(const std::string& text) { std::ofstream(SystemDef.AppIniPath, std::ios::binary) << text; }
    std::string Read(const std::string& section, const std::string& key)
    {
        return IniFile(SystemDef.AppIniPath).ReadString(section, key, "<absent>");
    }
    unsigned Mode() const
    {
        return static_cast<unsigned>(fs::status(SystemDef.AppIniPath).permissions() & fs::perms::mask);
    }

    dbtest::SavedGlobals globals_;
    std::uint8_t mode_ = ConnectionMode;
    std::uint8_t kind_ = ProgramKind;
};

TEST_F(AppIniSettingsTest, FirstStartWritesTheDefaultsForOwnerOnly)
{
    EXPECT_TRUE(AppIniNeedsDefaults());
    WriteFile("[LOCAL]\r\n[DATABASE]\r\nX=1\r\n[MAINFORM]\r\nTOP=5\r\n");
    EXPECT_TRUE(AppIniNeedsDefaults());  // a LOCAL without keys counts as missing

    SystemDef.HOSTNAME = "leftover";
    SystemDef.SYSDIR = "/Srv/LedrixZaimu/Data";
    SystemDef.PASSWORD = "Secret";
    SystemDef.GOGLOBAL = 1;
    EXPECT_TRUE(WriteAppIni(true));
    EXPECT_FALSE(AppIniNeedsDefaults());
    EXPECT_EQ(SystemDef.HOSTNAME, "");  // stand-alone mode clears it first

    const IniFile ini(SystemDef.AppIniPath);
    EXPECT_FALSE(ini.SectionExists("DATABASE"));
    EXPECT_FALSE(ini.SectionExists("MAINFORM"));
    EXPECT_EQ(ini.ReadSectionValues("APPLICATION"),
              (std::vector<std::string>{"TOP=0", "LEFT=0", "WIDTH=1024", "HEIGHT=738", "CONNECT=0"}));
    EXPECT_EQ(ini.ReadSectionValues("LOCAL"),
              (std::vector<std::string>{"HOSTNAME=", "GOGLOBAL=YES", "GROUP=NO", "SYSDIR=/Srv/LedrixZaimu/Data",
                                        "USER=LEDRIX", "PASSWORD=Secret"}));
    EXPECT_EQ(ini.ReadSectionValues("SERVER"), (std::vector<std::string>{"HOSTNAME=", "GOGLOBAL=NO", "GROUP=NO",
                                                                         "SYSDIR=", "USER=LEDRIX", "PASSWORD=Secret"}));
    // The file holds the database password.
    EXPECT_EQ(Mode(), 0600u);
}

TEST_F(AppIniSettingsTest, AnOlderFileOthersCouldReadIsNarrowedBeforeAPasswordGoesIn)
{
    WriteFile("[APPLICATION]\r\nCONNECT=0\r\n");
    fs::permissions(SystemDef.AppIniPath, fs::perms(0644));
    ConnectionMode = 1;
    SystemDef.HOSTNAME = "dbserver";
    WriteAppIni(false);
    EXPECT_EQ(Mode(), 0600u);
    EXPECT_EQ(Read("SERVER", "HOSTNAME"), "dbserver");
    EXPECT_EQ(Read("LOCAL", "HOSTNAME"), "<absent>");  // only the current mode's section
}

TEST_F(AppIniSettingsTest, LoadingKeepsPasswordAndFolderCaseAndTakesTheDefaults)
{
    WriteFile(
        "[LOCAL]\r\nHOSTNAME=x\r\nSYSDIR=/Home/Norvel/Data\r\nGOGLOBAL=yes\r\nGROUP=YES\r\n"
        "[SERVER]\r\nHOSTNAME=  DBServer  \r\nSYSDIR=/srv/Data\r\nGOGLOBAL=YES\r\nUSER=ledrix\r\nPASSWORD=MiXed\r\n");
    SystemDef.GROUP = 1;
    SystemDef.USER = "OTHER";
    EXPECT_EQ(LoadAppIniSection(0), 1);
    EXPECT_EQ(SystemDef.SYSDIR, "/Home/Norvel/Data");
    EXPECT_EQ(SystemDef.GOGLOBAL, 0);  // only "YES" turns it on
    EXPECT_EQ(SystemDef.GROUP, 0);     // never read
    EXPECT_EQ(SystemDef.USER, "LEDRIX");
    EXPECT_EQ(SystemDef.PASSWORD, "tolvaz");

    EXPECT_EQ(LoadAppIniSection(1), 1);
    EXPECT_EQ(SystemDef.HOSTNAME, "dbserver");
    EXPECT_EQ(SystemDef.GOGLOBAL, 1);
    EXPECT_EQ(SystemDef.USER, "LEDRIX");
    EXPECT_EQ(SystemDef.PASSWORD, "MiXed");

    EXPECT_EQ(LoadAppIniSection(2), 1);  // "SBC" is absent: every default
    EXPECT_EQ(SystemDef.HOSTNAME, "");
    EXPECT_EQ(SystemDef.SYSDIR, "");
}

TEST_F(AppIniSettingsTest, ConnectionSettingsByProgramKind)
{
    WriteFile("[LOCAL]\r\nSYSDIR=/data/Sys\r\nPASSWORD=pw\r\n");
    struct Case {
        std::uint8_t kind;
        std::int32_t result;
        std::string sysDir;
        std::string password;
    };
    const Case cases[] = {
        {0, 1, "/data/Sys", "pw"},
        {2, 1, "/data/Sys", "pw"},
        {1, 1, "/tmp/Viewer/data", "tolvaz"},
        {3, 1, SystemDef.HomeDir + "/" + CashBookFolderName, "tolvaz"},
        {4, 0, "unchanged", "unchanged"},
    };
    for (const Case& c : cases) {
        ProgramKind = c.kind;
        SystemDef.SYSDIR = SystemDef.PASSWORD = "unchanged";
        EXPECT_EQ(LoadConnectionSettings(0), c.result) << int(c.kind);
        EXPECT_EQ(SystemDef.SYSDIR, c.sysDir) << int(c.kind);
        EXPECT_EQ(SystemDef.PASSWORD, c.password) << int(c.kind);
    }
}

TEST_F(AppIniSettingsTest, ConnectModeIsKeptForTheAccountingProgramOnly)
{
    EXPECT_EQ(ReadConnectMode(), 0);
    WriteConnectMode(1);
    EXPECT_EQ(Read("APPLICATION", "CONNECT"), "1");
    EXPECT_EQ(ReadConnectMode(), 1);
    EXPECT_EQ(Mode(), 0600u);
    WriteConnectMode(3);  // not a mode the logon chooses
    EXPECT_EQ(ReadConnectMode(), 1);
    ProgramKind = 1;
    WriteConnectMode(0);
    EXPECT_EQ(ReadConnectMode(), 0);
    ProgramKind = 0;
    EXPECT_EQ(ReadConnectMode(), 1);
    WriteFile("[APPLICATION]\r\nCONNECT=x\r\n");
    EXPECT_EQ(ReadConnectMode(), 0);
}

TEST(AppIniHostName, TrimmedAndLowerCase)
{
    EXPECT_EQ(NormalizeHostName("  DB-Server.Local \t"), "db-server.local");
    EXPECT_EQ(NormalizeHostName("   "), "");
}

}  // namespace
