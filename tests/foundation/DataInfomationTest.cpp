#include "foundation/DataInfomation.h"

#include "foundation/AppInfo.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "platform/db/FirebirdServerFixture.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& file, const std::string& text = "x")
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

class DataInfomationFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::path(::testing::TempDir()) /
                ("datainfo-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "reg");
        registry_ = std::make_unique<ScopedEnv>("LEDRIX_REGISTRY_DIR", (root_ / "reg").string());
        DataDbFileName = "qhacc.fdb";
        SystemDef.OPCODE = 10003;
        SystemDef.OPNAME = "経理 花子";
        ConnectionMode = 0;
        EditionFlag = 0;
    }
    void TearDown() override
    {
        ConnectionMode = savedMode_;
        fs::remove_all(root_);
    }
    std::string Folder(const char* name)
    {
        fs::create_directories(root_ / name);
        return (root_ / name).string();
    }
    static IniFile Ini(const std::string& folder) { return IniFile(folder + "/qhacc.ini"); }

    fs::path root_;
    std::unique_ptr<ScopedEnv> registry_;
    dbtest::SavedGlobals saved_;
    const std::uint8_t savedMode_ = ConnectionMode;
};

TEST_F(DataInfomationFileTest, WrittenSectionsReadBack)
{
    const std::string folder = Folder("d");
    TDataInfomationRec rec;
    rec.STATUS = DataStatusLocked;
    rec.OPCODE = 10002;
    rec.OPERATOR = "山田";
    rec.UPDATE_LOCK = 1;
    rec.CODE = "A01";
    rec.SHOUGOU = "株式会社テスト";
    rec.KISHU = "2024/04/01";
    rec.KIMATU = "2025/03/31";
    rec.NENDO = 2024;
    rec.SITENCNT = 3;
    rec.TOTALSIWAKE = 99;
    rec.VERSION1 = {15, 0, 2};
    rec.VERSION2 = "15.0";
    rec.GASSANKBN = 2;
    rec.CLOUD_SHARE = 1;
    TDataInfomation info;
    info.WriteDataInfo(folder, "", rec);
    EXPECT_EQ(Ini(folder).ReadString("DATAINFO", "VERSION1", ""), "15.0.2");
    EXPECT_FALSE(Ini(folder).ValueExists("DATASTS", "SHARE_OPCODE"));

    TDataInfomationRec read;
    ASSERT_TRUE(info.ReadIniFile("", folder, read));
    EXPECT_EQ(read.STATUS, DataStatusLocked);
    EXPECT_EQ(read.OPCODE, 10002);
    EXPECT_EQ(read.OPERATOR, "山田");
    EXPECT_EQ(read.SHARE_STATUS, ShareStatusFree);
    EXPECT_EQ(read.UPDATE_LOCK, 1);
    EXPECT_EQ(read.DATALISTNAME, "株式会社テスト");  // an empty name takes the company name
    EXPECT_EQ(read.KIMATU, "2025/03/31");
    EXPECT_EQ(read.NENDO, 2024);
    EXPECT_EQ(read.SITENCNT, 3);
    EXPECT_EQ(read.TOTALSIWAKE, 99);
    EXPECT_EQ(read.VERSION1, (std::array<std::int32_t, 3>{15, 0, 2}));
    EXPECT_EQ(read.GASSANKBN, 2);
    EXPECT_EQ(read.CLOUD_SHARE, 1);

    // One section leaves the other alone; a holder of 0 is left out.
    rec.OPCODE = 0;
    rec.STATUS = DataStatusFree;
    rec.CODE = "B02";
    info.WriteDataInfo(folder, "DATASTS", rec);
    EXPECT_FALSE(Ini(folder).ValueExists("DATASTS", "OPCODE"));
    EXPECT_FALSE(Ini(folder).ValueExists("DATASTS", "OPERATOR"));
    EXPECT_EQ(Ini(folder).ReadString("DATAINFO", "CODE", ""), "A01");
}

TEST_F(DataInfomationFileTest, StatesStampTheOperatorAndFreeingDropsHim)
{
    const std::string folder = Folder("d");
    TDataInfomation info;
    ASSERT_TRUE(info.SetDataStatus(folder, DataStatusSaving));
    EXPECT_EQ(Ini(folder).ReadInteger("DATASTS", "STATUS", 0), 4);
    EXPECT_EQ(Ini(folder).ReadInteger("DATASTS", "OPCODE", 0), 10003);
    EXPECT_EQ(Ini(folder).ReadString("DATASTS", "OPERATOR", ""), "経理 花子");
    ASSERT_TRUE(info.SetDataStatus(folder, DataStatusFree));
    EXPECT_EQ(Ini(folder).ReadInteger("DATASTS", "STATUS", 0), 1);
    EXPECT_FALSE(Ini(folder).ValueExists("DATASTS", "OPCODE"));
    EXPECT_FALSE(Ini(folder).ValueExists("DATASTS", "OPERATOR"));

    EXPECT_TRUE(info.SetShareStatusIfChanged(folder, ShareStatusTakenOut));
    EXPECT_FALSE(info.SetShareStatusIfChanged(folder, ShareStatusTakenOut));
    EXPECT_EQ(Ini(folder).ReadInteger("DATASTS", "SHARE_OPCODE", 0), 10003);
    EXPECT_TRUE(info.SetShareStatusIfChanged(folder, ShareStatusFree));
    EXPECT_FALSE(Ini(folder).ValueExists("DATASTS", "SHARE_OPCODE"));

    // A folder that is gone cannot take a state.
    EXPECT_FALSE(info.SetDataStatus((root_ / "gone").string(), DataStatusPasting));
}

TEST_F(DataInfomationFileTest, ServerModesAndEmptyFoldersWriteNothing)
{
    const std::string folder = Folder("d");
    TDataInfomation info;
    for (std::uint8_t mode : {1, 2}) {
        info.ConnectionMode = mode;
        EXPECT_TRUE(info.SetDataStatus(folder, DataStatusSaving));
        info.WriteDataInfo(folder, "", TDataInfomationRec{});
        info.WriteDataIniValue(folder, "DATASTS", false, std::int64_t{3}, "STATUS");
    }
    info.ConnectionMode = 0;
    info.WriteDataInfo("", "", TDataInfomationRec{});
    EXPECT_FALSE(fs::exists(folder + "/qhacc.ini"));

    // Mode 3 keeps to the file as stand-alone mode does.
    info.ConnectionMode = 3;
    info.SetDataStatus(folder, DataStatusCopying);
    EXPECT_EQ(Ini(folder).ReadInteger("DATASTS", "STATUS", 0), 6);
}

TEST_F(DataInfomationFileTest, ReadingWithoutFiles)
{
    TDataInfomation info;
    TDataInfomationRec rec;
    rec.STATUS = 7;
    EXPECT_TRUE(info.ReadIniFile("", "", rec));
    EXPECT_EQ(rec.STATUS, DataStatusFree);
    EXPECT_FALSE(info.ReadIniFile("", Folder("empty"), rec));

    // Numbers that are not numbers read 0; the defaults of the two states 1.
    const std::string folder = Folder("d");
    Touch(folder + "/qhacc.ini", "[DATAINFO]\r\nNENDO=abc\r\nSHOUGOU=ACME\r\n");
    ASSERT_TRUE(info.ReadIniFile("", folder, rec));
    EXPECT_EQ(rec.NENDO, 0);
    EXPECT_EQ(rec.STATUS, DataStatusFree);
    EXPECT_EQ(rec.SHARE_STATUS, ShareStatusFree);
    EXPECT_EQ(rec.DATALISTNAME, "ACME");
}

TEST_F(DataInfomationFileTest, StatusTexts)
{
    const std::pair<int, const char*> cases[] = {
        {0, "－"},       {1, "－"},         {2, "使用中"}, {3, "データロック中"}, {4, "保存中"}, {5, "復元中"},
        {6, "コピー中"}, {7, "貼り付け中"}, {8, "削除中"}, {9, "新規作成中"},     {10, "破損"},  {11, "状態不明"}};
    for (const auto& [status, text] : cases)
        EXPECT_EQ(DataStatusText(static_cast<std::uint8_t>(status)), text) << status;
}

TEST_F(DataInfomationFileTest, VersionLabelsComeFromTheEditions)
{
    AppInfo.Application.RegKey = "SOFTWARE\\NORVEL";
    AppInfo.Zaimu.RegKey = "LEDRIXZAIMU";
    Registry reg(RootKey::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\NORVEL\\LEDRIXZAIMU15", true));
    reg.WriteString("Version", "15.0.0");
    reg.WriteString("Type", "15版");
    const TDataInfomation info;
    EXPECT_EQ(info.GetDataVersionLabel(1, 0), "09版");
    EXPECT_EQ(info.GetDataVersionLabel(15, 0), "15版");
    EXPECT_EQ(info.GetDataVersionLabel(16, 1), "16.1");
    AppInfo = TAppInfoRec{};
}

// The shared-server area: two plain folders with the data's files.
class ShareFilesTest : public DataInfomationFileTest {
protected:
    void SetUp() override
    {
        DataInfomationFileTest::SetUp();
        share_ = Folder("share");
        local_ = (root_ / "local" / "0001").string();
        Touch(share_ + "/qhacc.fdb", "data");
        Touch(share_ + "/qhacc.ini", "[DATASTS]\r\nSTATUS=1\r\n");
    }
    std::string share_;
    std::string local_;
    RecordingMessagePresenter messages_;
};

TEST_F(ShareFilesTest, TakeOutAndPutBackMoveTheMarkOnBothSides)
{
    TDataInfomation info;
    ASSERT_EQ(info.GetShareFiles(share_, local_, 1), 1);
    EXPECT_TRUE(fs::exists(local_ + "/qhacc.fdb"));
    for (const std::string& side : {share_, local_}) {
        SCOPED_TRACE(side);
        EXPECT_EQ(Ini(side).ReadInteger("DATASTS", "STATUS", 0), 1);
        EXPECT_EQ(Ini(side).ReadInteger("DATASTS", "SHARE_STATUS", 0), 2);
        EXPECT_EQ(Ini(side).ReadInteger("DATASTS", "SHARE_OPCODE", 0), 10003);
    }
    // Taken out already: a copy to look at, the mark unchanged.
    EXPECT_EQ(info.GetShareFiles(share_, (root_ / "other").string(), 1), -1);
    EXPECT_TRUE(fs::exists(root_ / "other" / "qhacc.fdb"));

    Touch(local_ + "/qhacc.fdb", "changed");
    ASSERT_EQ(info.PutShareFiles(share_, local_, 1), 1);
    EXPECT_EQ(dbtest::ReadWholeFile(share_ + "/qhacc.fdb"), "changed");
    for (const std::string& side : {share_, local_}) {
        SCOPED_TRACE(side);
        EXPECT_EQ(Ini(side).ReadInteger("DATASTS", "SHARE_STATUS", 0), 1);
        EXPECT_FALSE(Ini(side).ValueExists("DATASTS", "SHARE_OPCODE"));
        EXPECT_EQ(Ini(side).ReadInteger("DATASTS", "STATUS", 0), 1);
    }
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ShareFilesTest, FailedPutBackKeepsTheMark)
{
    TDataInfomation info;
    // The share holds a folder where the database file should go.
    Touch(local_ + "/qhacc.fdb", "data");
    fs::remove(share_ + "/qhacc.fdb");
    fs::create_directories(share_ + "/qhacc.fdb/x");
    EXPECT_EQ(info.PutShareFiles(share_, local_, 1), 0);
    EXPECT_EQ(Ini(share_).ReadInteger("DATASTS", "SHARE_STATUS", 0), 2);
    EXPECT_EQ(Ini(local_).ReadInteger("DATASTS", "SHARE_STATUS", 0), 2);
    EXPECT_EQ(Ini(share_).ReadInteger("DATASTS", "STATUS", 0), 1);
}

TEST_F(ShareFilesTest, DamagedOrMissingShareIsRefused)
{
    TDataInfomation info;
    Touch(share_ + "/qhacc.ini", "[DATASTS]\r\nSTATUS=10\r\n");
    EXPECT_EQ(info.GetShareFiles(share_, local_, 1), -1);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(fs::exists(local_ + "/qhacc.fdb"));
    EXPECT_THROW(info.GetShareFiles(share_, local_, 0), std::runtime_error);

    const std::string gone = (root_ / "gone").string();
    EXPECT_EQ(info.GetShareFiles(gone, local_, 1), 0);
    EXPECT_THROW(info.GetShareFiles(gone, local_, 0), std::runtime_error);
    EXPECT_EQ(info.GetShareFiles("", local_, 0), 0);
}

}  // namespace
