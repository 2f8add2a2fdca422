#include "DataListStoreFixture.h"

#include "dataselect/DataFolderStatus.h"
#include "foundation/DataInfomation.h"
#include "dataselect/DataSentakuListCtl.h"
#include "dataselect/ShareDataInfo.h"
#include "support/ScriptedShareFiles.h"
#include "platform/IniFile.h"
#include "platform/NetworkDrive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

using datalisttest::Group;

class ShareDataTest : public datalisttest::ShareDriveTest {
protected:
    void SetUp() override
    {
        ShareDriveTest::SetUp();
        // Data folders sit under a data root named DATA, as installed.
        SystemDef.SYSDIR = (folder_ / "ledrixzaimu" / "DATA").string();
    }
    std::string Local(const std::string& sub = "0007") const { return SystemDef.SYSDIR + "/" + sub; }
    // A share area (or a folder below one) with a data file and its
    // information.
    std::string DataArea(const std::string& name, const std::string& shougou, int gassan = 0, int status = 1,
                         int shareStatus = 1)
    {
        const std::string path = Area(name);
        std::ofstream(DataDbFileOfFolder(path)) << "data";
        IniFile ini(DataInfoFileOfFolder(path));
        ini.WriteInteger("DATASTS", "STATUS", status);
        ini.WriteInteger("DATASTS", "SHARE_STATUS", shareStatus);
        if (shareStatus == 2) {
            ini.WriteInteger("DATASTS", "SHARE_OPCODE", Group * 10000 + 2);
            ini.WriteString("DATASTS", "SHARE_OPERATOR", "佐藤");
        }
        ini.WriteString("DATAINFO", "SHOUGOU", shougou);
        ini.WriteInteger("DATAINFO", "NENDO", 3);
        ini.WriteInteger("DATAINFO", "GASSANKBN", gassan);
        return path;
    }
    // Row 7 of the data list registered for the area.
    void SharedRow(const std::string& area, const std::string& name, int kyoyu = 0)
    {
        Row(7, name, 1, area, kyoyu);
        Exec("UPDATE DATALIST SET NETDRIVE=1 WHERE REC=7");
    }
    TDataSentakuRec Loaded(TDataSentakuListCtl& store, const std::string& path)
    {
        TDataSentakuRec rec;
        EXPECT_EQ(1, store.LoadDataListRecordByPath(path, rec));
        return rec;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const TUserMessage& m : presenter.shown)
            texts.push_back(m.Text);
        return texts;
    }

    ScopedShareFiles files;
    ScriptedShareFiles::Log& log = files.log;
};

TEST_F(ShareDataTest, LocalFoldersLeadToTheirShareAreas)
{
    const std::string area = Area("sv0001");
    SharedRow(area, "共有A", 1);
    Row(8, "Local", 1, Local("0008"));
    TDataSentakuListCtl store;
    struct Case {
        std::string path;
        std::string share;
        int netDrive, kyoyuLock;
    };
    const Case cases[] = {
        {Local(), area, 1, 1},                  // the local copy of the shared row
        {Local() + "/02", area + "/02", 1, 1},  // a child of it
        {Local("0008"), Local("0008"), 0, 0},   // a registered local folder is itself
        {Local("0009"), Local("0009"), 0, 0},   // an unregistered folder without a row
        {area, area, 0, 0},                     // the share path itself
    };
    for (const Case& c : cases) {
        std::string share;
        std::int32_t netDrive = -1, kyoyuLock = -1;
        EXPECT_TRUE(store.ConvLocalPathToSharePath(c.path, share, netDrive, kyoyuLock)) << c.path;
        EXPECT_EQ(c.share, share) << c.path;
        EXPECT_EQ(c.netDrive, netDrive) << c.path;
        EXPECT_EQ(c.kyoyuLock, kyoyuLock) << c.path;
    }
    std::string share;
    std::int32_t netDrive = 0, kyoyuLock = 0;
    EXPECT_FALSE(store.ConvLocalPathToSharePath("  ", share, netDrive, kyoyuLock));
    // The server modes have no share areas.
    store.ListMode = 1;
    EXPECT_TRUE(store.ConvLocalPathToSharePath(Local(), share, netDrive, kyoyuLock));
    EXPECT_EQ(Local(), share);
    EXPECT_EQ(0, netDrive);
    EXPECT_EQ(0, kyoyuLock);
}

TEST_F(ShareDataTest, RecordOfALocalFolderCarriesItsShareAreaAndChildren)
{
    const std::string area = Area("sv0001");
    SharedRow(area, "共有A");
    Exec("UPDATE DATALIST SET GASSAN=1 WHERE REC=7");
    Exec("INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,GASSAN) VALUES(7,1," +
         std::to_string(Group) + ",'子','子','" + area + "/01',1,10)");
    TDataSentakuListCtl store;
    const TDataSentakuRec rec = Loaded(store, Local());
    EXPECT_EQ(7, rec.Data.REC);
    EXPECT_EQ(area, rec.Data.PASNAME);
    EXPECT_EQ(1, rec.Data.NETDRIVE);
    EXPECT_EQ(Local(), rec.Data.LOCALPATH);
    EXPECT_EQ("共有A", rec.Data.ENTTEXT);
    ASSERT_EQ(1, rec.ChildCount);
    EXPECT_EQ(Local() + "/01", rec.Children[0].LOCALPATH);

    TDataSentakuRec none;
    EXPECT_EQ(0, store.LoadDataListRecordByPath((folder_ / "elsewhere").string(), none));
    EXPECT_EQ(0, none.Data.REC);
    EXPECT_TRUE(none.Data.PASNAME.empty());
}

TEST_F(ShareDataTest, MergedAreaIsTakenWithTheChildrenItHolds)
{
    const std::string area = DataArea("sv0001", "合算会社", 1);
    DataArea("sv0001/01", "子会社1");
    Area("sv0001/02");  // no data: not a child
    DataArea("sv0001/03", "子会社3");
    SharedRow(area, "合算会社");
    // A child copy left from an earlier take goes; other folders stay.
    fs::create_directories(Local() + "/09");
    std::ofstream(DataDbFileOfFolder(Local() + "/09")) << "old";
    fs::create_directories(Local() + "/notes");

    TDataSentakuListCtl store;
    TDataSentakuRec rec = Loaded(store, Local());
    ASSERT_EQ(1, store.GetShareData(rec, 1));

    EXPECT_EQ("1", Single("SELECT KYOYULOCK FROM DATALIST WHERE REC=7"));
    EXPECT_EQ("1", Single("SELECT GASSAN FROM DATALIST WHERE REC=7"));
    EXPECT_EQ("1,3", Single("SELECT LIST(ROWNO) FROM (SELECT ROWNO FROM CHILD_DATALIST WHERE REC=7 ORDER BY ROWNO)"));
    EXPECT_EQ("子会社3", Single("SELECT SHOUGOU FROM CHILD_DATALIST WHERE REC=7 AND ROWNO=3"));
    EXPECT_EQ("2", Single("SELECT SUM(KYOYULOCK) FROM CHILD_DATALIST WHERE REC=7"));
    ASSERT_EQ(3u, log.gets.size());
    EXPECT_EQ(std::make_tuple(area, Local(), 1), log.gets[0]);
    EXPECT_EQ(std::make_tuple(area + "/01", Local() + "/01", 1), log.gets[1]);
    EXPECT_EQ(std::make_tuple(area + "/03", Local() + "/03", 1), log.gets[2]);
    EXPECT_FALSE(fs::exists(Local() + "/09"));
    EXPECT_TRUE(fs::exists(Local() + "/notes"));
    EXPECT_TRUE(fs::exists(DataDbFileOfFolder(Local() + "/03")));
    EXPECT_TRUE(presenter.shown.empty());

    // Stored back: the area's child folders are replaced by the local ones.
    TDataSentakuRec taken = Loaded(store, Local());
    ASSERT_EQ(2, taken.ChildCount);
    ASSERT_EQ(1, store.PutShareData(taken, 1));
    EXPECT_EQ("0", Single("SELECT KYOYULOCK FROM DATALIST WHERE REC=7"));
    EXPECT_EQ("0", Single("SELECT SUM(KYOYULOCK) FROM CHILD_DATALIST WHERE REC=7"));
    ASSERT_EQ(3u, log.puts.size());
    EXPECT_EQ(std::make_tuple(area + "/03", Local() + "/03", 1), log.puts[2]);
    EXPECT_FALSE(fs::exists(netdrive::ResolvePath(area + "/01")));
    EXPECT_TRUE(fs::exists(netdrive::ResolvePath(area + "/02")));
}

TEST_F(ShareDataTest, AreaTakenByAnotherOperatorIsCopiedForReadingOnly)
{
    const std::string area = DataArea("sv0001", "共有会社", 0, 1, 2);
    SharedRow(area, "共有会社");
    log.answers[area] = -1;
    TDataSentakuListCtl store;
    TDataSentakuRec rec = Loaded(store, Local());
    EXPECT_EQ(-1, store.GetShareData(rec, 1));
    EXPECT_EQ("0", Single("SELECT KYOYULOCK FROM DATALIST WHERE REC=7"));
    EXPECT_TRUE(fs::exists(DataDbFileOfFolder(Local())));
    ASSERT_EQ(1u, presenter.shown.size());
    const TUserMessage& box = presenter.shown[0];
    EXPECT_EQ("選択データの状態", box.Caption);
    EXPECT_EQ("共有データは現在使用されています。\r【データフォルダ】\r　" + area +
                  "\r\r【オペレータ】\r　2\r\r【オペレータ名】\r　佐藤",
              box.Text);

    // Storing into an area another operator holds is refused the same way.
    presenter.shown.clear();
    EXPECT_EQ(-1, store.PutShareData(rec, 1));
    EXPECT_EQ(std::vector<std::string>{box.Text}, Texts());
}

TEST_F(ShareDataTest, DamagedAreaOrChildStopsTheTakeBeforeAnyCopy)
{
    for (const bool childDamaged : {false, true}) {
        SCOPED_TRACE(childDamaged ? "child" : "parent");
        fs::remove_all(folder_ / "share" / "ledrixzaimu" / "sv0001");
        Exec("DELETE FROM DATALIST WHERE REC=7");
        const std::string area = DataArea("sv0001", "合算会社", 1, childDamaged ? 1 : 10);
        DataArea("sv0001/01", "子会社1", 0, childDamaged ? 10 : 1);
        SharedRow(area, "合算会社");
        presenter.shown.clear();
        log.gets.clear();
        TDataSentakuListCtl store;
        TDataSentakuRec rec = Loaded(store, Local());
        EXPECT_EQ(-1, store.GetShareData(rec, 1));
        EXPECT_TRUE(log.gets.empty());
        ASSERT_EQ(1u, presenter.shown.size());
        EXPECT_EQ(0u, presenter.shown[0].Text.find("共有サーバー上のデータが破損しているため"));
        // The row was refreshed from the area all the same.
        EXPECT_EQ("3", Single("SELECT NENDO FROM DATALIST WHERE REC=7"));
    }
}

TEST_F(ShareDataTest, UnreachableOrEmptyAreas)
{
    const std::string area = Area("sv0001");  // no information file
    SharedRow(area, "共有A");
    TDataSentakuListCtl store;
    TDataSentakuRec rec = Loaded(store, Local());
    EXPECT_EQ(0, store.GetShareData(rec, 1));
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(0, store.GetShareData(rec, 0));
    EXPECT_EQ(std::vector<std::string>{"共有サーバーが起動していない、接続が切断されている または "
                                       "共有サーバー上のデータ領域が削除された可能性があります。\r"
                                       "【共有データパス】\r" +
                                       area},
              Texts());
    EXPECT_TRUE(log.gets.empty());

    // A new area has no information yet and is taken all the same.
    presenter.shown.clear();
    std::ofstream(DataDbFileOfFolder(area)) << "data";
    rec.Data.ENTTEXT = "新しい領域";
    EXPECT_EQ(1, store.GetShareData(rec, 1));
    EXPECT_EQ(1u, log.gets.size());
    EXPECT_EQ("1", Single("SELECT KYOYULOCK FROM DATALIST WHERE REC=7"));
    EXPECT_EQ("新しい領域", Single("SELECT SHOUGOU FROM DATALIST WHERE REC=7"));

    // Without a local folder nothing happens.
    rec.Data.LOCALPATH.clear();
    EXPECT_EQ(0, store.GetShareData(rec, 0));
    EXPECT_EQ(0, store.PutShareData(rec, 0));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ShareDataTest, FailedCopiesLeaveTheAreaFreeAndTheRowUntaken)
{
    const std::string area = DataArea("sv0001", "共有会社");
    SharedRow(area, "共有会社");
    log.answers[area] = 0;
    TDataSentakuListCtl store;
    TDataSentakuRec rec = Loaded(store, Local());
    EXPECT_EQ(0, store.GetShareData(rec, 1));
    EXPECT_EQ((std::vector<std::pair<std::string, int>>{{area, 1}}), log.marks);
    EXPECT_EQ("0", Single("SELECT KYOYULOCK FROM DATALIST WHERE REC=7"));

    // A store that fails keeps the row taken.
    Exec("UPDATE DATALIST SET KYOYULOCK=1 WHERE REC=7");
    TDataSentakuRec taken = Loaded(store, Local());
    EXPECT_EQ(0, store.PutShareData(taken, 1));
    EXPECT_EQ("1", Single("SELECT KYOYULOCK FROM DATALIST WHERE REC=7"));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ShareDataTest, WithoutTheInformationObjectATakeFailsLoudly)
{
    const std::string area = DataArea("sv0001", "共有会社");
    SharedRow(area, "共有会社");
    const TShareDataInfoFactory mine = SetShareDataInfoFactory({});
    TDataSentakuListCtl store;
    TDataSentakuRec rec = Loaded(store, Local());
    EXPECT_THROW(store.GetShareData(rec, 1), std::runtime_error);
    EXPECT_THROW(store.PutShareData(rec, 1), std::runtime_error);
    EXPECT_EQ("0", Single("SELECT KYOYULOCK FROM DATALIST WHERE REC=7"));
    SetShareDataInfoFactory(mine);
}

}  // namespace
