#include "app/program/ProgramEnvironment.h"

#include "foundation/AppInfo.h"
#include "foundation/ColourDefaults.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/IniFile.h"
#include "platform/db/FirebirdServerFixture.h"
#include "support/SavedGlobals.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Installation names that the application information file changes, put
// back after each test.
class SavedNames final {
public:
    ~SavedNames()
    {
        AppIniBaseName = appIni_;
        AppHomeDir = home_;
        ViewerFolderName = viewer_;
        DataIniFileName = dataIni_;
        InitialDataFileNames = initial_;
        DataListMax = listMax_;
        AppInfo = info_;
        EditionFlag = edition_;
        ApplyEditionColors();
    }

private:
    std::string appIni_ = AppIniBaseName, home_ = AppHomeDir, viewer_ = ViewerFolderName, dataIni_ = DataIniFileName;
    std::array<std::string, 5> initial_ = InitialDataFileNames;
    std::int32_t listMax_ = DataListMax;
    TAppInfoRec info_ = AppInfo;
    std::uint8_t edition_ = EditionFlag;
};

class InitEnvironmentTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        appData_.emplace("LEDRIX_COMMON_APPDATA", (folder_ / "share").string());
        documents_.emplace("LEDRIX_DOCUMENTS", (folder_ / "docs").string());
        temp_.emplace("LEDRIX_TEMP", (folder_ / "tmp").string());
        fs::create_directories(folder_ / "tmp");
        AppHomeDir = "norvel/ledrixzaimu";
        AppIniBaseName = "qhzaimu";
        ConnectionMode = 0;
    }

    std::string Home() const { return (folder_ / "share" / "norvel" / "ledrixzaimu").string(); }
    std::string AppIni() const { return Home() + "/qhzaimu.ini"; }

    void WriteAppIni(const std::string& text)
    {
        fs::create_directories(Home());
        std::ofstream(AppIni()) << text;
    }

    void Init() { InitEnvironment(TScreenMetrics{19, 23, 8}, TFontInfo{"IPAPGothic", 10, 0, 128, -13}); }

    SavedNames names_;
    dbtest::SavedGlobals globals_;
    std::optional<ScopedEnv> appData_, documents_, temp_;
};

TEST_F(InitEnvironmentTest, TheInstallationNamesComeFromTheApplicationInformation)
{
    fs::copy_file(fs::path(LEDRIX_TEST_FIXTURES_DIR) / "appinfo" / "full.ini", folder_ / "AppInfo.ini");
    ASSERT_EQ(AppInfoLoaded, LoadAppInfo((folder_ / "program").string(), AppInfo));
    EditionFlag = 1;
    SetAppInfoValues();
    EXPECT_EQ("qhzaimu2", AppIniBaseName);
    EXPECT_EQ("norvel/ledrixzaimu2", AppHomeDir);
    EXPECT_EQ("qhaccdef2.fdb", SysDbFileName);
    EXPECT_EQ("qhacc2.fdb", DataDbFileName);
    EXPECT_EQ("qhacc2.ini", DataIniFileName);
    EXPECT_EQ("qhzview2", ViewerFolderName);
    EXPECT_EQ((std::array<std::string, 5>{"acc2_11.gbk", "acc2_21.gbk", "acc2_22.gbk", "acc2_23.gbk", "acc2_31.gbk"}),
              InitialDataFileNames);
    EXPECT_EQ(150, DataListMax);
    // The edition's accent colours: red 238 green 255 blue 242 and so on.
    EXPECT_EQ(238 + 255 * 256 + 242 * 65536, DefClientColor2);
    EXPECT_EQ(0 + 128 * 256, DefActiveColor);
}

TEST_F(InitEnvironmentTest, AFirstStartWritesTheDefaultAppIniAndWorksStandAlone)
{
    Init();
    EXPECT_EQ(WizardAppTitle, SystemDef.ProgramTitle);
    EXPECT_EQ(Home(), SystemDef.HomeDir);
    EXPECT_EQ(AppIni(), SystemDef.AppIniPath);
    for (const char* sub : {"/ini", "/log", "/temp"})
        EXPECT_TRUE(fs::is_directory(Home() + sub)) << sub;
    EXPECT_TRUE(fs::is_directory(folder_ / "docs" / "norvel" / "ledrixzaimu"));
    EXPECT_EQ(Home() + "/data", SystemDef.SYSDIR);
    EXPECT_EQ((folder_ / "tmp").string(), SystemDef.WinTempDir);
    EXPECT_EQ((folder_ / "tmp" / "qhzview").string(), SystemDef.ViewerDir);
    EXPECT_EQ(8, SystemDef.FrameHeight);
    EXPECT_EQ("IPAPGothic", SystemDef.StandardFont.Name);
    EXPECT_EQ("LEDRIX", SystemDef.USER);
    EXPECT_EQ("tolvaz", SystemDef.PASSWORD);
    EXPECT_TRUE(SystemDef.HOSTNAME.empty());
    EXPECT_EQ(0, SystemDef.GOGLOBAL);
    EXPECT_EQ(10000, SystemDef.GROUPID);
    EXPECT_TRUE(SystemDef.DataDir.empty());

    const IniFile ini(AppIni());
    EXPECT_EQ(Home() + "/data", ini.ReadString("LOCAL", "SYSDIR", ""));
    EXPECT_EQ("LEDRIX", ini.ReadString("LOCAL", "USER", ""));
}

TEST_F(InitEnvironmentTest, AnEmptyLocalSectionIsWrittenAgain)
{
    WriteAppIni("[LOCAL]\r\n\r\n[SERVER]\r\nHOSTNAME=srv\r\n");
    Init();
    EXPECT_EQ(Home() + "/data", IniFile(AppIni()).ReadString("LOCAL", "SYSDIR", ""));
    EXPECT_EQ(Home() + "/data", SystemDef.SYSDIR);
}

TEST_F(InitEnvironmentTest, TheLocalSectionIsAppliedThenMadeStandAlone)
{
    WriteAppIni(
        "[LOCAL]\r\nHOSTNAME=pc9\r\nGOGLOBAL=yes\r\nGROUP=Yes\r\nSYSDIR=/srv/ledrix/Data\r\n"
        "USER=ledrix\r\nPASSWORD=Tolvaz\r\n");
    Init();
    EXPECT_EQ("/srv/ledrix/Data", SystemDef.SYSDIR);
    EXPECT_EQ(1, SystemDef.GROUP);
    EXPECT_EQ("LEDRIX", SystemDef.USER);
    // Kept as stored: a password with capitals must stay usable.
    EXPECT_EQ("Tolvaz", SystemDef.PASSWORD);
    // Stand-alone until the logon: no host, no group-wide logon.
    EXPECT_TRUE(SystemDef.HOSTNAME.empty());
    EXPECT_EQ(0, SystemDef.GOGLOBAL);
    EXPECT_EQ(10000, SystemDef.GROUPID);
}

TEST_F(InitEnvironmentTest, AMissingTempFolderKeepsThePreviousOne)
{
    fs::remove(folder_ / "tmp");
    SystemDef.WinTempDir = "/before";
    Init();
    EXPECT_EQ("/before", SystemDef.WinTempDir);
}

TEST_F(InitEnvironmentTest, AnAppIniThatCannotBeWrittenEndsWithTheSettingsMessage)
{
    // A link to nowhere in place of the file: the program never writes
    // through a link, so the default file cannot be written.
    fs::create_directories(Home());
    fs::create_symlink(folder_ / "nowhere" / "qhzaimu.ini", AppIni());
    try {
        Init();
        FAIL() << "no failure";
    } catch (const EnvironmentError& error) {
        EXPECT_STREQ("アプリケーションの初期設定がおこなわれていないため\rVarimon連動コンポーネントを終了します。",
                     error.what());
    }
}

}  // namespace
