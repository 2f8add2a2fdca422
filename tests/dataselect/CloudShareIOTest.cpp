#include "DataListStoreFixture.h"

#include "dataselect/CloudShareIO.h"
#include "dataselect/DataFolderStatus.h"
#include "foundation/DataInfomation.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

using dbtest::TestFirebird;

class CloudShareIOTest : public datalisttest::DataListStoreTest {
protected:
    // A data folder holding company data of the version ("" the newest),
    // with an information file that says cloud share is on.
    std::string DataFolder(const std::string& version)
    {
        const fs::path folder = folder_ / "sys" / "0001";
        fs::create_directories(folder);
        dbtest::CopyMasterFile(dbtest::CompanyMasterFile(version), folder / "qhacc.fdb");
        IniFile(DataInfoFileOfFolder(folder.string())).WriteInteger("DATAINFO", "CLOUD_SHARE", 1);
        return folder.string();
    }
    std::string CloudLine(const std::string& folder)
    {
        db::Database database;
        database.Attach(folder + "/qhacc.fdb", dbtest::User, dbtest::Password);
        db::Transaction tr(database);
        tr.Start();
        db::Query q(database, tr, "SELECT CLOUD_LINE FROM ACCDEF1 WHERE REC=1");
        q.Open();
        return q.FieldByIndex(0).AsString();
    }
    static int CloudShare(const std::string& folder)
    {
        return IniFile(DataInfoFileOfFolder(folder)).ReadInteger("DATAINFO", "CLOUD_SHARE", -1);
    }
};

TEST_F(CloudShareIOTest, SettingOfAClosedDataSetIsWrittenAndMirroredIntoItsInformationFile)
{
    const std::string folder = DataFolder("");
    TCloudShareIO io;
    ASSERT_TRUE(io.SetSetting("", folder, 5));
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
    EXPECT_EQ("5", CloudLine(folder));
    EXPECT_EQ(1, CloudShare(folder));
    EXPECT_EQ(5, io.GetSetting("", folder));
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());

    ASSERT_TRUE(io.ClearSetting("", folder));
    EXPECT_EQ("0", CloudLine(folder));
    EXPECT_EQ(0, CloudShare(folder));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(CloudShareIOTest, OpenDataStaysOpen)
{
    const std::string folder = DataFolder("");
    ASSERT_TRUE(DM->fnAccDatConnected("", folder, false));
    TCloudShareIO io;
    ASSERT_TRUE(io.SetSetting("", folder, 3));
    EXPECT_TRUE(DM->IBDatabaseDAT.Connected());
    EXPECT_EQ(3, io.GetSetting("", folder));
    DM->fnAccDatDisConnected(folder, false, false);
    EXPECT_EQ("3", CloudLine(folder));
}

TEST_F(CloudShareIOTest, DataUpToVersion11IsNotTouched)
{
    const std::string folder = DataFolder("11.0.0");
    TCloudShareIO io;
    EXPECT_TRUE(io.SetSetting("", folder, 5));
    EXPECT_EQ(0, io.GetSetting("", folder));
    EXPECT_EQ(1, CloudShare(folder));
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(CloudShareIOTest, FailuresAreReportedAndAnswerFalse)
{
    const std::string folder = DataFolder("");
    // A data set whose settings table is gone.
    {
        db::Database database;
        database.Attach(folder + "/qhacc.fdb", dbtest::User, dbtest::Password);
        db::Transaction tr(database);
        tr.Start();
        db::Query(database, tr, "ALTER TABLE ACCDEF1 DROP CLOUD_LINE").ExecSQL();
        tr.Commit();
    }
    TCloudShareIO io;
    EXPECT_FALSE(io.SetSetting("", folder, 2));
    EXPECT_EQ(0, io.GetSetting("", folder));
    ASSERT_EQ(2u, presenter.shown.size());
    EXPECT_NE(std::string::npos, presenter.shown[0].Text.find("クラウドシェアの設定に失敗しました。"));
    EXPECT_NE(std::string::npos, presenter.shown[1].Text.find("クラウドシェアの参照に失敗しました。"));
    EXPECT_EQ(1, CloudShare(folder));
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
    // A folder without data: the connection's own report, nothing written.
    presenter.shown.clear();
    EXPECT_FALSE(io.SetSetting("", (folder_ / "none").string(), 2));
    EXPECT_EQ(1u, presenter.shown.size());
}

TEST_F(CloudShareIOTest, ClientServerModeWritesTheDatabaseOnly)
{
    const std::string folder = DataFolder("");
    TestFirebird::Get().StartServer();
    ConnectionMode = 1;
    SystemDef.HOSTNAME = "127.0.0.1";
    TCloudShareIO io;
    ASSERT_TRUE(io.SetSetting("127.0.0.1", folder, 4));
    EXPECT_EQ(4, io.GetSetting("127.0.0.1", folder));
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
    ConnectionMode = 0;
    EXPECT_EQ("4", CloudLine(folder));
    EXPECT_EQ(1, CloudShare(folder));
    EXPECT_TRUE(presenter.shown.empty());
}

}  // namespace
