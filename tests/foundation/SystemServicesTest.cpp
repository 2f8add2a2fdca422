#include "foundation/RegistryRead.h"
#include "foundation/ScreenServices.h"
#include "foundation/SystemFolders.h"
#include "foundation/SystemInfo.h"
#include "foundation/WriteGuard.h"

#include "platform/Registry.h"
#include "platform/WindowMessages.h"
#include "support/RecordingMessagePresenter.h"
#include "support/ScopedEnv.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <list>
#include <stdlib.h>

namespace fs = std::filesystem;

namespace {

// Every movable root points into a private temporary tree.
class SystemServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "sysservices-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root = fs::canonical(tmpl);
        for (const char* d : {"docs", "data", "program/bin", "desktop", "temp", "sys"})
            fs::create_directories(root / d);
        Move("LEDRIX_DOCUMENTS", "docs");
        Move("LEDRIX_COMMON_APPDATA", "data");
        Move("LEDRIX_PROGRAM_DIR", "program/bin");
        Move("LEDRIX_DESKTOP", "desktop");
        Move("LEDRIX_TEMP", "temp");
        Move("LEDRIX_SYSTEM_DIR", "sys");
        Move("LEDRIX_REGISTRY_DIR", "reg");
        Move("LEDRIX_RUNTIME_DIR", "run");
    }
    void TearDown() override
    {
        SetMessagePump(nullptr);
        SetScreenPPIProvider(nullptr);
        SetFrameHeightProvider(nullptr);
        fs::remove_all(root);
    }

    void Move(const char* variable, const char* sub) { env.emplace_back(variable, (root / sub).string() + "/"); }
    std::string At(const char* sub) const { return (root / sub).string(); }

    void SetUac(bool asInteger, std::int32_t value)
    {
        Registry reg(RootKey::HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey(UacPolicyKey, true));
        if (asInteger)
            reg.WriteInteger(UacPolicyValue, value);
        else
            reg.WriteString(UacPolicyValue, std::to_string(value));
    }

    fs::path root;
    std::list<ScopedEnv> env;
    RecordingMessagePresenter messages;
};

TEST_F(SystemServicesTest, SpecialFoldersFollowTheMovableRoots)
{
    EXPECT_EQ(GetSystemDir(), At("sys"));
    EXPECT_EQ(GetMyDocumentsDir(), At("docs"));
    EXPECT_EQ(GetAppDataDir(true), At("data"));
    EXPECT_EQ(GetAppDataDir(false), At("data"));
    EXPECT_EQ(GetSpecialDir("Desktop"), At("desktop"));
    EXPECT_EQ(GetSpecialDir("MYDOCUMENT"), At("docs"));
    EXPECT_EQ(GetSpecialDir("programfiles"), At("program"));
    EXPECT_EQ(GetSpecialDir("startup"), At("program/bin"));
    EXPECT_EQ(GetTempDir("/fallback"), At("temp"));
    EXPECT_EQ(GetSystemDriveRoot(), "/");
}

TEST_F(SystemServicesTest, MissingFoldersFallBack)
{
    fs::remove(root / "docs");
    fs::remove(root / "data");
    fs::remove(root / "desktop");
    fs::remove(root / "temp");
    EXPECT_EQ(GetMyDocumentsDir(), At("program/bin"));
    EXPECT_EQ(GetAppDataDir(true), At("program/bin"));
    EXPECT_EQ(GetSpecialDir("desktop"), At("program/bin"));
    EXPECT_EQ(GetTempDir("/fallback"), "/fallback");
}

TEST_F(SystemServicesTest, RegReadValueGivesTextIntegerOrZero)
{
    {
        Registry reg(RootKey::HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.OpenKey("\\Software\\Test", true));
        reg.WriteString("Text", "値 1");
        reg.WriteInteger("Number", -7);
    }
    RegValue v = std::string("stale");
    RegReadValue(RootKey::HKEY_CURRENT_USER, "\\Software\\Test", "Text", v);
    EXPECT_EQ(v, RegValue(std::string("値 1")));
    RegReadValue(RootKey::HKEY_CURRENT_USER, "\\Software\\Test", "Number", v);
    EXPECT_EQ(v, RegValue(std::int32_t{-7}));
    for (const auto& [key, name] : {std::pair{"\\Software\\Test", "Missing"}, std::pair{"\\Software\\None", "Text"}}) {
        v = std::string("stale");
        RegReadValue(RootKey::HKEY_CURRENT_USER, key, name, v);
        EXPECT_EQ(v, RegValue(std::int32_t{0})) << key << " " << name;
    }
    // The other hive holds nothing.
    RegReadValue(RootKey::HKEY_LOCAL_MACHINE, "\\Software\\Test", "Text", v);
    EXPECT_EQ(v, RegValue(std::int32_t{0}));
}

TEST_F(SystemServicesTest, UacIsOnOnlyForTheInteger1)
{
    EXPECT_FALSE(IsUacEnabled());
    SetUac(false, 1);
    EXPECT_FALSE(IsUacEnabled());
    SetUac(true, 0);
    EXPECT_FALSE(IsUacEnabled());
    SetUac(true, 1);
    EXPECT_GT(GetOSMajorVersion(), 5);
    EXPECT_TRUE(IsUacEnabled());
}

TEST_F(SystemServicesTest, WritableFolderGuardAsksOnlyForTheRootWithUacOn)
{
    // Off: the root passes without a question.
    std::string folder = "/";
    EXPECT_TRUE(CheckWritableFolder(folder));
    EXPECT_EQ(folder, "/");
    EXPECT_TRUE(messages.shown.empty());

    SetUac(true, 1);
    folder = At("docs");
    EXPECT_TRUE(CheckWritableFolder(folder));
    EXPECT_EQ(folder, At("docs") + "/");
    EXPECT_TRUE(messages.shown.empty());

    for (const char* rootSpelling : {"/", "//", "/.", "/tmp/.."}) {
        SCOPED_TRACE(rootSpelling);
        messages.shown.clear();
        messages.answers = {mrNo};
        folder = rootSpelling;
        EXPECT_FALSE(CheckWritableFolder(folder));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].Text, NoWriteAccessMessage);
        EXPECT_EQ(messages.shown[0].Type, TMsgDlgType::mtWarning);
        EXPECT_EQ(messages.shown[0].Buttons, (std::vector{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}));
    }

    messages.answers = {mrYes};
    folder = "/";
    EXPECT_TRUE(CheckWritableFolder(folder));
    EXPECT_EQ(folder, At("docs") + "/");
}

TEST_F(SystemServicesTest, WritableFileGuardMovesTheFileIntoDocuments)
{
    SetUac(true, 1);
    messages.answers = {mrYes};
    std::string file = "/report.csv";
    EXPECT_TRUE(CheckWritableFile(file));
    EXPECT_EQ(file, At("docs") + "/report.csv");

    messages.answers = {mrNo};
    file = "/report.csv";
    EXPECT_FALSE(CheckWritableFile(file));
    EXPECT_EQ(file, "/report.csv");

    // A bare name lives in the current folder, never in the root.
    messages.shown.clear();
    file = "report.csv";
    EXPECT_TRUE(CheckWritableFile(file));
    EXPECT_EQ(file, "report.csv");
    file = At("docs") + "/x.csv";
    EXPECT_TRUE(CheckWritableFile(file));
    EXPECT_EQ(file, At("docs") + "/x.csv");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ScalePPI, TruncatesTowardZero)
{
    const struct {
        std::int32_t value, to, from, expected;
    } cases[] = {
        {250, 120, 96, 312}, {-250, 120, 96, -312}, {100, 96, 96, 100},  {41, 144, 96, 61},
        {100, 72, 96, 75},   {7, 0, 96, 0},         {100, 120, -5, 100}, {2'000'000'000, 960, 96, 2'147'483'647},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScalePPI(c.value, c.to, c.from), c.expected) << c.value << " " << c.to << "/" << c.from;
}

TEST(ScalePPI, ZeroMeansTheMainFormsResolution)
{
    EXPECT_EQ(ScalePPI(100, 96, 0), 100);  // 96 without a screen
    SetScreenPPIProvider([] { return 120; });
    EXPECT_EQ(ScalePPI(96, 144, 0), 115);
    EXPECT_EQ(ScalePPI(96, 120, 0), 96);
    SetScreenPPIProvider(nullptr);
}

TEST(AdjustFrameHeight, SubtractsTheFrameBeyondEightPixels)
{
    EXPECT_EQ(AdjustFrameHeight(648, 0), 648);  // no screen: no frame
    SetFrameHeightProvider([] { return 4; });   // F = 8
    EXPECT_EQ(AdjustFrameHeight(648, 0), 648);
    SetFrameHeightProvider([] { return 6; });  // F = 12
    EXPECT_EQ(AdjustFrameHeight(648, 0), 644);
    EXPECT_EQ(AdjustFrameHeight(648, 1), 640);
    EXPECT_EQ(AdjustFrameHeight(648, 2), 648);
    SetFrameHeightProvider(nullptr);
}

TEST(DelayMSec, WaitsWhilePumpingMessages)
{
    using Clock = std::chrono::steady_clock;
    int pumped = 0;
    SetMessagePump([&pumped] { ++pumped; });
    auto start = Clock::now();
    EXPECT_TRUE(DelayMSec(15));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(15));
    // At least once: on a loaded machine one rest can outlast the wait.
    EXPECT_GE(pumped, 1);

    SetMessagePump(nullptr);
    start = Clock::now();
    EXPECT_TRUE(DelayMSec(10));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(10));
    EXPECT_TRUE(DelayMSec(0));
    EXPECT_TRUE(DelayMSec(-5));
}

TEST_F(SystemServicesTest, UserNameAndForegroundRequest)
{
    ScopedEnv user("LEDRIX_USERNAME", "経理担当");
    EXPECT_EQ(GetLogonUserName(), "経理担当");

    platform::WindowMessageListener window;
    EXPECT_TRUE(ForceForegroundWindow(window.Handle()));
    const auto event = window.Receive(std::chrono::milliseconds(2000));
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->kind, platform::WindowEventKind::BroughtToFront);
    EXPECT_FALSE(ForceForegroundWindow(window.Handle() + 1));
}

}  // namespace
