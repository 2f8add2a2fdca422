#include "app/program/ProgramHooks.h"

#include "dbupdate/CompanyUpdateTestSupport.h"
#include "dbupdate/SchemaTestSupport.h"
#include "foundation/DataModule.h"
#include "foundation/HostHooks.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/IniFile.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kInterfaceMessage =
    "処理を起動するためのインターフェースが実装されていません。\rライブラリのロードに失敗した可能性があります。";
const std::string kDamagedMessage =
    "データ検証の結果、このデータは破損している恐れがあります。\r"
    "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。\r"
    "ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。";

// A process screen that records how it was started; its Execute runs the
// test's action while the launch is under way.
struct Started {
    TProcessParams params;
    bool modal = false;
    int runs = 0;
};
Started started;
std::function<std::int32_t()> whileRunning;

class TLauncherTestForm final : public IProcessForm {
public:
    std::int32_t Execute(bool modal) override
    {
        started.modal = modal;
        ++started.runs;
        return whileRunning ? whileRunning() : 7;
    }
    void SetParams(const TProcessParams& params) override { started.params = params; }
};

const bool registered = (RegisterProcessClass(&CreateProcessForm<TLauncherTestForm>, "LauncherTestScreen"), true);

class ExecuteProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        started = {};
        whileRunning = nullptr;
    }
    void TearDown() override
    {
        whileRunning = nullptr;
        EXPECT_EQ(nullptr, QGuiApplication::overrideCursor()) << "the hourglass outlived the launch";
    }
    RecordingMessagePresenter messages_;
};

TEST_F(ExecuteProcessTest, TheScreenGetsTheCallersLinesAndItsFormStyle)
{
    ASSERT_TRUE(registered);
    EXPECT_EQ(7, ExecuteProcess("launchertestscreen", 1, "SyoriType=3\rJyokenSet=1\r\nDataType=-13\nCodeType=0"));
    EXPECT_TRUE(started.modal);
    EXPECT_EQ((TProcessParams{"SyoriType=3", "JyokenSet=1", "DataType=-13", "CodeType=0", "FormStyle=2"}),
              started.params);

    EXPECT_EQ(7, ExecuteProcess("LauncherTestScreen", 0, ""));
    EXPECT_FALSE(started.modal);
    EXPECT_EQ((TProcessParams{"FormStyle=0"}), started.params);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ExecuteProcessTest, NothingToStartAnswersMinusOne)
{
    EXPECT_EQ(-1, ExecuteProcess("", 1, "SyoriType=3"));
    EXPECT_TRUE(messages_.shown.empty());

    EXPECT_EQ(-1, ExecuteProcess("NoSuchScreen", 1, ""));
    ASSERT_EQ(1u, messages_.shown.size());
    EXPECT_EQ(kInterfaceMessage, messages_.shown[0].Text);
    EXPECT_EQ(TMsgDlgType::mtError, messages_.shown[0].Type);
    EXPECT_EQ(0, started.runs);
}

TEST_F(ExecuteProcessTest, ALaunchWhileAnotherRunsIsRefusedSilently)
{
    std::int32_t nested = 0;
    whileRunning = [&] {
        whileRunning = nullptr;
        nested = ExecuteProcess("LauncherTestScreen", 1, "");
        return 3;
    };
    EXPECT_EQ(3, ExecuteProcess("LauncherTestScreen", 1, ""));
    EXPECT_EQ(-1, nested);
    EXPECT_EQ(1, started.runs);
    EXPECT_TRUE(messages_.shown.empty());
    // Once the launch is over the next one runs.
    EXPECT_EQ(7, ExecuteProcess("LauncherTestScreen", 1, ""));
}

TEST(ProgramHooks, InstalledAndClearedTogether)
{
    InstallProgramHooks();
    ASSERT_TRUE(MenuCallbackHook && ProcessLauncherHook && DataCheckHook);
    for (const std::int32_t command : {4, 10, 11})
        EXPECT_EQ(0, MenuCallbackHook(command, "ZorvathMenu")) << command;
    ClearProgramHooks();
    EXPECT_FALSE(MenuCallbackHook || ProcessLauncherHook || DataCheckHook);
}

// Overwrites the body of every data page of the table, keeping the page
// header, so that the validation finds the pages broken.
int DamageDataPages(const fs::path& file, int relation)
{
    std::fstream data(file, std::ios::in | std::ios::out | std::ios::binary);
    std::vector<char> header(1024);
    data.read(header.data(), static_cast<std::streamsize>(header.size()));
    const int pageSize = static_cast<unsigned char>(header[16]) | (static_cast<unsigned char>(header[17]) << 8);
    std::vector<char> page(static_cast<std::size_t>(pageSize));
    int damaged = 0;
    for (std::streamoff offset = 0; data.seekg(offset).read(page.data(), pageSize); offset += pageSize) {
        const int owner = static_cast<unsigned char>(page[20]) | (static_cast<unsigned char>(page[21]) << 8);
        if (static_cast<unsigned char>(page[0]) != 5 || owner != relation)
            continue;
        std::fill(page.begin() + 16, page.end(), '\xA5');
        data.seekp(offset).write(page.data(), pageSize);
        ++damaged;
    }
    return damaged;
}

class VerifyDataFileTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        dataRoot_ = folder_ / "home" / "data";
        SysDbFileName = "qhaccdef.fdb";
        DataDbFileName = "qhacc.fdb";
        dbtest::CopyMasterFile(dbtest::SystemMasterFile(), dataRoot_ / SysDbFileName);
        ConnectionMode = 0;
        SystemDef.SYSDIR = dataRoot_.string();
        SystemDef.HOSTNAME.clear();
        SystemDef.USER = dbtest::User;
        SystemDef.PASSWORD = dbtest::Password;
        SystemDef.GROUPID = 10000;
        SystemDef.OPCODE = 100000001;
        SystemDef.OPNAME = "管理者";
        SystemDef.LogDir = (folder_ / "log").string();
        fs::create_directories(SystemDef.LogDir);
        SysDb().Exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT) VALUES (3, 10000, '親会社')");
        SysDb().Exec("INSERT INTO CHILD_DATALIST (REC, ROWNO, ENTTEXT) VALUES (3, 2, '子会社')");
        DM = std::make_unique<TDM>();
        ASSERT_TRUE(DM->fnAccDefConnected("", false));
    }
    void TearDown() override { DM.reset(); }

    schematest::Session SysDb() const { return schematest::Session((dataRoot_ / SysDbFileName).string()); }

    // A copy of the corporation master in the folder, damaged when asked.
    fs::path CompanyData(const fs::path& folder, bool damaged)
    {
        const fs::path file = companytest::CopyCompanyMaster(companytest::CompanyMaster(""), folder);
        if (damaged) {
            const int relation = std::stoi(
                *schematest::Session(file.string())
                     .Value("SELECT RDB$RELATION_ID FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'KAMOKUMST'"));
            EXPECT_GT(DamageDataPages(file, relation), 0);
        }
        return file;
    }

    std::string Statuses()
    {
        schematest::Session db = SysDb();
        return db.Line("SELECT COALESCE(DATA_STATUS, 0) FROM DATALIST WHERE REC = 3") + "," +
               db.Line("SELECT COALESCE(DATA_STATUS, 0) FROM CHILD_DATALIST WHERE REC = 3 AND ROWNO = 2");
    }

    fs::path dataRoot_;
    dbtest::SavedGlobals globals_;
    RecordingMessagePresenter messages_;
};

TEST_F(VerifyDataFileTest, ADamagedParentIsReportedAndMarkedInItsRow)
{
    const fs::path folder = dataRoot_ / "0003";
    CompanyData(folder, true);
    SystemDef.DataDamaged = 0;
    EXPECT_EQ(0, VerifyDataFile("", folder.string(), 0));
    EXPECT_EQ(1, SystemDef.DataDamaged);
    ASSERT_EQ(1u, messages_.shown.size());
    EXPECT_EQ(kDamagedMessage, messages_.shown[0].Text);
    EXPECT_EQ(TMsgDlgType::mtError, messages_.shown[0].Type);
    EXPECT_EQ("1,0", Statuses());
    const IniFile info((folder / "qhacc.ini").string());
    EXPECT_EQ(10, info.ReadInteger("DATASTS", "STATUS", 0));
    EXPECT_EQ(100000001, info.ReadInteger("DATASTS", "OPCODE", 0));
    EXPECT_EQ("管理者", info.ReadString("DATASTS", "OPERATOR", ""));
}

TEST_F(VerifyDataFileTest, ADamagedChildMarksItsOwnRowOnlyAndSilentlySo)
{
    const fs::path folder = dataRoot_ / "0003" / "0002";
    CompanyData(folder, true);
    EXPECT_EQ(0, VerifyDataFile("", folder.string(), 1));
    EXPECT_EQ(1, SystemDef.DataDamaged);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ("0,1", Statuses());
}

TEST_F(VerifyDataFileTest, SoundDataClearsTheFlagAndMarksNothing)
{
    const fs::path folder = dataRoot_ / "0003";
    CompanyData(folder, false);
    SystemDef.DataDamaged = 1;
    // The loopback address validates through the local engine: no server
    // runs for this test.
    EXPECT_EQ(1, VerifyDataFile("127.0.0.1", folder.string(), 0));
    EXPECT_EQ(0, SystemDef.DataDamaged);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ("0,0", Statuses());
    EXPECT_FALSE(fs::exists(folder / "qhacc.ini"));
}

TEST_F(VerifyDataFileTest, AFolderOutsideTheDataListIsStillReported)
{
    const fs::path folder = folder_ / "elsewhere";
    CompanyData(folder, true);
    EXPECT_EQ(0, VerifyDataFile("", folder.string(), 0));
    EXPECT_EQ(1u, messages_.shown.size());
    EXPECT_EQ("0,0", Statuses());
}

}  // namespace
