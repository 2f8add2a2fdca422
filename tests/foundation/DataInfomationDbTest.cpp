#include "foundation/DataInfomation.h"

#include "CompanyFolderTest.h"

#include "foundation/DataInfomationAccess.h"
#include "foundation/DataModuleChecks.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Journal counts as the data module gives them.
struct FixedCounts final : IDataModuleChecks {
    bool IsOpeUnrestricted() override { return true; }
    bool HasOpeDefSisetu() override { return true; }
    bool InputDataPassword() override
    {
        ++asked;
        return password;
    }
    std::int32_t GetYukouSiwakeCount(const std::string&) override { return 5; }
    std::int32_t GetSiwakeCount(const std::string&, std::int32_t& valid, std::int32_t& changed) override
    {
        valid = 5;
        changed = 2;
        return valid;
    }
    std::int32_t GetXstrColor(const std::string&) override { return DefaultFacilityColor; }
    bool password = true;
    int asked = 0;
};

class DataInfomationDbTest : public CompanyFolderTest {
protected:
    void SetUp() override
    {
        CompanyFolderTest::SetUp();
        SystemDef.OPCODE = 10003;
        SystemDef.OPNAME = "経理 花子";
        Run("UPDATE ACCDEF1 SET ENTTEXT='テスト', SHOUGOU='株式会社テスト', SCODE1='C01', KISHU='2024-04-01', "
            "KIMATU='2025-03-31', SITEN=1, CLOUD_LINE=1, READ_ONLY=1 WHERE REC=1");
        Run("INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('01', '本店')");
        Run("INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('02', '支店')");
        SetVersion(15, 0, 0);
        DM->DataFolderState = &access_;
        SetDataModuleChecks(&counts_);
    }
    void TearDown() override
    {
        SetDataModuleChecks(nullptr);
        CompanyFolderTest::TearDown();
    }
    void Run(const std::string& sql)
    {
        db::Database database;
        database.Attach(data_ + "/qhacc.fdb", dbtest::User, dbtest::Password);
        db::Transaction transaction(database);
        transaction.Start();
        db::Query(database, transaction, sql).ExecSQL();
        transaction.Commit();
    }
    std::string Value(const std::string& sql)
    {
        db::Database database;
        database.Attach(data_ + "/qhacc.fdb", dbtest::User, dbtest::Password);
        db::Transaction transaction(database);
        transaction.Start();
        db::Query q(database, transaction, sql);
        q.Open();
        return q.FieldByIndex(0).AsString();
    }
    void SetVersion(int major, int minor1, int minor2)
    {
        Run("UPDATE ACCVERSION SET MAJOR=" + std::to_string(major) + ", MINOR1=" + std::to_string(minor1) +
            ", MINOR2=" + std::to_string(minor2) + " WHERE REC=1");
    }
    IniFile Ini() const { return IniFile(data_ + "/qhacc.ini"); }

    TDataInfomationAccess access_;
    FixedCounts counts_;
};

TEST_F(DataInfomationDbTest, OpeningMarksInUseAndClosingFreesWithSummary)
{
    ASSERT_TRUE(DM->fnAccDatConnected("", data_, true));
    EXPECT_EQ(Ini().ReadInteger("DATASTS", "STATUS", 0), 2);
    EXPECT_EQ(Ini().ReadInteger("DATASTS", "OPCODE", 0), 10003);
    EXPECT_EQ(Ini().ReadString("DATASTS", "OPERATOR", ""), "経理 花子");
    ASSERT_TRUE(DM->fnAccDatDisConnected(data_, true, false));
    EXPECT_EQ(Ini().ReadInteger("DATASTS", "STATUS", 0), 1);
    EXPECT_FALSE(Ini().ValueExists("DATASTS", "OPCODE"));
    EXPECT_FALSE(Ini().ValueExists("DATASTS", "OPERATOR"));

    EXPECT_EQ(Ini().ReadString("DATAINFO", "DATALISTNAME", ""), "テスト");
    EXPECT_EQ(Ini().ReadString("DATAINFO", "CODE", ""), "C01");
    EXPECT_EQ(Ini().ReadString("DATAINFO", "KISHU", ""), "2024/04/01");
    EXPECT_EQ(Ini().ReadString("DATAINFO", "KIMATU", ""), "2025/03/31");
    EXPECT_EQ(Ini().ReadString("DATAINFO", "VERSION1", ""), "15.0.0");
    EXPECT_EQ(Ini().ReadString("DATAINFO", "VERSION2", ""), "15.0");
    EXPECT_EQ(Ini().ReadInteger("DATAINFO", "SITENCNT", -1), 2);  // the blank facility does not count
    EXPECT_EQ(Ini().ReadInteger("DATAINFO", "SIWAKE", -1), 5);
    EXPECT_EQ(Ini().ReadInteger("DATAINFO", "TOTALSIWAKE", -1), 7);
    EXPECT_EQ(Ini().ReadInteger("DATAINFO", "CLOUD_SHARE", -1), 1);
    EXPECT_EQ(Ini().ReadInteger("DATASTS", "READ_ONLY", -1), 1);
}

TEST_F(DataInfomationDbTest, MissingFileIsMadeFromTheDatabase)
{
    TDataInfomation info;
    TDataInfomationRec rec;
    ASSERT_TRUE(info.ReadIniFile("", data_, rec));
    EXPECT_TRUE(fs::exists(data_ + "/qhacc.ini"));
    EXPECT_EQ(rec.STATUS, DataStatusFree);
    EXPECT_EQ(rec.OPCODE, 0);
    EXPECT_EQ(rec.SHOUGOU, "株式会社テスト");
    EXPECT_EQ(rec.SIWAKE, 5);
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
}

TEST_F(DataInfomationDbTest, FolderOnANetworkDriveIsNotOpened)
{
    Registry map(RootKey::HKEY_CURRENT_USER);
    ASSERT_TRUE(map.OpenKey("Network\\Z", true));
    map.WriteString("RemotePath", (folder_ / "data").string());
    TDataInfomation info;
    TDataInfomationRec rec;
    ASSERT_TRUE(info.ReadIniFile("", "Z:/0001", rec));
    EXPECT_FALSE(fs::exists(data_ + "/qhacc.ini"));
    EXPECT_EQ(rec.STATUS, DataStatusFree);
    EXPECT_TRUE(rec.SHOUGOU.empty());

    // Once the file is there it is read through the drive.
    info.SetDataStatus("Z:/0001", DataStatusSaving);
    ASSERT_TRUE(info.ReadIniFile("", "Z:/0001", rec));
    EXPECT_EQ(rec.STATUS, DataStatusSaving);
}

TEST_F(DataInfomationDbTest, BrokenDatabaseReadsAsUnknown)
{
    fs::remove(data_ + "/qhacc.fdb");
    std::ofstream(data_ + "/qhacc.fdb") << "not a database";
    TDataInfomation info;
    TDataInfomationRec rec;
    ASSERT_TRUE(info.ReadIniFile("", data_, rec));
    EXPECT_EQ(rec.STATUS, DataStatusUnknown);
    EXPECT_FALSE(fs::exists(data_ + "/qhacc.ini"));
    EXPECT_FALSE(messages_.shown.empty());
}

TEST_F(DataInfomationDbTest, VersionGatesOfCloudShareAndReadOnly)
{
    struct Case {
        int major, minor1, minor2;
        int cloud, readOnly;
    };
    for (const Case& c : {Case{11, 0, 0, 0, 0}, Case{11, 0, 1, 1, 0}, Case{12, 0, 0, 1, 1}}) {
        SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor1) + "." + std::to_string(c.minor2));
        SetVersion(c.major, c.minor1, c.minor2);
        TDataInfomation info;
        TDataInfomationRec rec;
        ASSERT_TRUE(info.GetDataInfoRecOfFolder(data_, rec));
        EXPECT_EQ(rec.CLOUD_SHARE, c.cloud);
        EXPECT_EQ(rec.READ_ONLY, c.readOnly);
        EXPECT_EQ(rec.VERSION2, std::to_string(c.major) + "." + std::to_string(c.minor1));
    }
    TDataInfomation info;
    TDataInfomationRec rec;
    EXPECT_FALSE(info.GetDataInfoRecOfFolder((folder_ / "none").string(), rec));
}

TEST_F(DataInfomationDbTest, SummaryWrittenIntoTheData)
{
    TDataInfomation info;
    TDataInfomationRec rec;
    rec.DATALISTNAME = "A";
    for (int i = 0; i < 20; ++i)
        rec.DATALISTNAME += "あ";  // 41 bytes: the last character would be torn
    rec.UPDATE_LOCK = 1;
    rec.READ_ONLY = 0;
    SetVersion(11, 0, 1);
    info.UpdateDataInfomation("", data_, rec);
    std::string expected = "A";
    for (int i = 0; i < 19; ++i)
        expected += "あ";
    EXPECT_EQ(Value("SELECT ENTTEXT FROM ACCDEF1 WHERE REC=1"), expected);
    EXPECT_EQ(Value("SELECT DATALOCK FROM ACCDEF1 WHERE REC=1"), "1");
    EXPECT_EQ(Value("SELECT READ_ONLY FROM ACCDEF1 WHERE REC=1"), "1");  // below 12.0.0 left alone

    SetVersion(12, 0, 0);
    rec.DATALISTNAME = "　";  // blank: the stored name stays
    info.UpdateDataInfomation("", data_, rec);
    EXPECT_EQ(Value("SELECT ENTTEXT FROM ACCDEF1 WHERE REC=1"), expected);
    EXPECT_EQ(Value("SELECT READ_ONLY FROM ACCDEF1 WHERE REC=1"), "0");
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DataInfomationDbTest, DataPasswordRefusalIsShown)
{
    TDataInfomation info;
    EXPECT_TRUE(info.IsDataPasswordAuth(data_));
    EXPECT_TRUE(messages_.shown.empty());
    counts_.password = false;
    EXPECT_FALSE(info.IsDataPasswordAuth(data_));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text,
              "このデータに設定されている「パスワード」と一致しませんでした。\r他のデータを選択して下さい。");
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
    // No data file: nothing to ask.
    EXPECT_TRUE(info.IsDataPasswordAuth((folder_ / "none").string()));
    EXPECT_EQ(counts_.asked, 2);
}

}  // namespace
