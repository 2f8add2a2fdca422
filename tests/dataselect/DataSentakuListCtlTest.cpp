#include "dataselect/DataSentakuListCtl.h"

#include "dataselect/DataListAccess.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/EraText.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/DateTime.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "DataListStoreFixture.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using datalisttest::DataListStoreTest;
using datalisttest::Group;

TEST_F(DataListStoreTest, DataPlaceChoosesTheTableByMode)
{
    TDataSentakuListCtl store;
    EXPECT_EQ("DATALIST", store.TableName);
    store.SetDataPlace(3);
    EXPECT_EQ(0, store.DataPlaceRec);
    EXPECT_EQ("DATALIST", store.TableName);
    store.ListMode = 1;
    store.SetDataPlace(3);
    EXPECT_EQ(3, store.DataPlaceRec);
    EXPECT_EQ("DATALIST_EX", store.TableName);
    store.SetDataPlace(0);
    EXPECT_EQ("DATALIST", store.TableName);
    EXPECT_EQ(1, store.HasCloud);
    EXPECT_EQ(1, store.HasReadOnly);
}

TEST_F(DataListStoreTest, SortsPutBlankAreasAfterNamedOnesUnderColumnSorts)
{
    Row(1, "");
    Row(2, "B", 3);
    Row(3, "");
    Row(4, "A", 2);
    Row(5, "C", 1);
    struct Case {
        std::uint8_t kind;
        bool descending;
        std::vector<int> recs;
    };
    const Case cases[] = {{1, false, {1, 2, 3, 4, 5}}, {1, true, {5, 4, 3, 2, 1}},  {2, false, {4, 2, 5, 1, 3}},
                          {2, true, {5, 2, 4, 3, 1}},  {3, false, {5, 4, 2, 1, 3}}, {0, false, {5, 2, 4, 3, 1}}};
    TDataSentakuListCtl store;
    for (const Case& c : cases) {
        store.Execute(0, c.kind, c.descending, c.kind == 0 ? "ORDER BY SHOUGOU DESC,REC DESC" : "");
        EXPECT_EQ(c.recs, Recs(store)) << int(c.kind) << (c.descending ? " desc" : "");
        EXPECT_EQ(static_cast<int>(c.recs.size()), store.DataCount);
    }
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DataListStoreTest, LoadAttachesChildrenNormalisesPathsAndHonoursTheSharedFilterInStandAloneOnly)
{
    Row(1, "親", 1, {}, 0, 1);
    Row(2, "共有", 1, "\\srv\\share\\sv0001", 1);
    Child(1, 1, "01");
    Child(1, 2, "02");
    TDataSentakuListCtl store;
    store.Execute(1, 1, false, "");
    ASSERT_EQ(std::vector<int>{1}, Recs(store));
    const TDataSentakuRec& parent = store.DataList[0];
    EXPECT_EQ(2, parent.ChildCount);
    ASSERT_EQ(2u, parent.Children.size());
    EXPECT_EQ(10, parent.Children[1].GASSAN);
    EXPECT_EQ(2, store.ChildListCount);
    EXPECT_EQ(parent.Data.PASNAME, parent.Data.LOCALPATH);
    EXPECT_EQ(0, parent.Data.NETDRIVE);
    EXPECT_EQ(GetKikanText(EncodeDate(2024, 4, 1), EncodeDate(2025, 3, 31)), parent.Data.KIKANTEXT);

    store.ListMode = 1;
    store.Execute(1, 1, false, "");
    ASSERT_EQ((std::vector<int>{1, 2}), Recs(store));
    EXPECT_EQ("/srv/share/sv0001", store.DataList[1].Data.PASNAME);

    store.ServerList = 1;
    store.Execute(0, 1, false, "");
    EXPECT_TRUE(store.DataList.empty());
    EXPECT_TRUE(store.ChildList.empty());
}

TEST_F(DataListStoreTest, ReadAndWriteOneRowByPathAndNumber)
{
    Row(4, "旧名");
    Child(4, 1, "01");
    TDataSentakuListCtl store;
    TDataListRec rec;
    const std::string path = (folder_ / "sys" / "0004").string();
    store.InitDataListRecord(rec, path);
    EXPECT_EQ(1, rec.NENDO);
    EXPECT_EQ(Group, rec.GROUPID);
    store.GetDataListRecord(1, rec, true);
    ASSERT_EQ(4, rec.REC);
    EXPECT_EQ("旧名", rec.ENTTEXT);

    TDataListRec other;
    store.InitDataListRecord(other, path + "X");
    store.GetDataListRecord(1, other, true);
    EXPECT_EQ(0, other.REC) << "an unregistered path stays as initialised";

    rec.ENTTEXT = "新名";
    rec.CLOUD = 1;
    rec.READ_ONLY = 1;
    rec.DATA_STATUS = 1;
    ASSERT_TRUE(store.UpdateDataListRecord(rec, 0, true));
    EXPECT_EQ("新名", Single("SELECT ENTTEXT FROM DATALIST WHERE REC=4"));
    EXPECT_EQ("1", Single("SELECT CLOUD FROM DATALIST WHERE REC=4"));
    EXPECT_EQ("1", Single("SELECT DATA_STATUS FROM DATALIST WHERE REC=4"));
    EXPECT_EQ("1", Single("SELECT COUNT(*) FROM CHILD_DATALIST WHERE REC=4"));

    TDataListRec byNumber;
    byNumber.REC = 4;
    store.GetDataListRecord(0, byNumber, true);
    EXPECT_EQ("新名", byNumber.ENTTEXT);
    EXPECT_EQ(1, byNumber.READ_ONLY);

    // A row cleared of its data loses its children.
    rec.SHOUGOU.clear();
    rec.KISHU = rec.KIMATU = 0;
    ASSERT_TRUE(store.UpdateDataListRecord(rec, 0, true));
    EXPECT_EQ("0", Single("SELECT COUNT(*) FROM CHILD_DATALIST WHERE REC=4"));

    TDataListRec blank = rec;
    blank.PASNAME = "  ";
    EXPECT_FALSE(store.UpdateDataListRecord(blank, 0, true));
    blank = rec;
    blank.REC = 0;
    EXPECT_FALSE(store.UpdateDataListRecord(blank, 0, true));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DataListStoreTest, InsertDeleteAndRenumberKeepTheFixedAreas)
{
    TDataSentakuListCtl store;
    TDataListRec rec;
    store.InitDataListRecord(rec, "/srv/new");
    EXPECT_EQ(1, store.GetDataFolderName(1));
    ASSERT_TRUE(store.InsertDataListRecord(rec, true));
    EXPECT_EQ("0", Single("SELECT COUNT(*) FROM DATALIST")) << "stand-alone inserts nothing";

    store.ListMode = 1;
    ASSERT_TRUE(store.InsertDataListRecord(rec, true));
    EXPECT_EQ(1, rec.REC);
    for (int r = 120; r <= 125; ++r)
        Row(r, "N" + std::to_string(r), 1, "/srv/p" + std::to_string(r));
    TDataListRec fixed;
    fixed.PASNAME = "/srv/p120";
    fixed.REC = 120;
    ASSERT_TRUE(store.DeleteDataListRecord(fixed, true));
    EXPECT_EQ("1", Single("SELECT COUNT(*) FROM DATALIST WHERE REC=120"));
    for (const int r : {121, 123}) {
        TDataListRec added;
        added.PASNAME = "/srv/p" + std::to_string(r);
        added.REC = r;
        ASSERT_TRUE(store.DeleteDataListRecord(added, true));
    }
    store.RenumberDataList();
    store.Execute(0, 1, false, "");
    std::vector<std::string> paths;
    for (const TDataSentakuRec& row : store.DataList)
        if (row.Data.REC > 120)
            paths.push_back(std::to_string(row.Data.REC) + row.Data.PASNAME);
    EXPECT_EQ((std::vector<std::string>{"121/srv/p122", "122/srv/p124", "123/srv/p125"}), paths);
    EXPECT_EQ(124, store.GetDataFolderName(1));
    EXPECT_TRUE(store.IsDataPathToroku("/srv/p124"));
    EXPECT_FALSE(store.IsDataPathToroku("/SRV/P124"));
    EXPECT_EQ(122, store.GetDataListRecByPath("/srv/p124"));
    EXPECT_FALSE(store.IsDataListEmpty());
}

TEST_F(DataListStoreTest, OlderSystemVersionsNeverNameTheGatedColumns)
{
    Row(1, "A");
    Exec("UPDATE DATALIST SET CLOUD=1, READ_ONLY=1 WHERE REC=1");
    SystemDef.SysDbVersion = {11, 0, 0};
    TDataSentakuListCtl store;
    EXPECT_EQ(0, store.HasCloud);
    store.Execute(0, 1, false, "");
    ASSERT_EQ(1u, store.DataList.size());
    EXPECT_EQ(0, store.DataList[0].Data.CLOUD);
    EXPECT_EQ(0, store.DataList[0].Data.READ_ONLY);
    TDataListRec rec = store.DataList[0].Data;
    rec.CLOUD = 0;
    rec.READ_ONLY = 0;
    ASSERT_TRUE(store.UpdateDataListRecord(rec, 0, true));
    EXPECT_EQ("1", Single("SELECT CLOUD FROM DATALIST WHERE REC=1"));
    EXPECT_EQ("1", Single("SELECT READ_ONLY FROM DATALIST WHERE REC=1"));
}

class DataListEditionTest : public DataListStoreTest {
protected:
    void SetUp() override { UseSystemDatabase(1, "4.0.2", "4.0.2"); }
};

TEST_F(DataListEditionTest, ListsWithoutStatusColumnsReadAndWrite)
{
    ASSERT_EQ("0", Single("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME='DATALIST' AND "
                          "RDB$FIELD_NAME='DATA_STATUS'"));
    Row(1, "A");
    Child(1, 1, "01");
    TDataSentakuListCtl store;
    store.Execute(0, 2, false, "");
    ASSERT_EQ(1u, store.DataList.size());
    EXPECT_EQ(0, store.DataList[0].Data.DATA_STATUS);
    EXPECT_EQ(1, store.DataList[0].ChildCount);
    TDataListRec rec = store.DataList[0].Data;
    rec.ENTTEXT = "B";
    ASSERT_TRUE(store.UpdateDataListRecord(rec, 0, true));
    EXPECT_EQ("B", Single("SELECT ENTTEXT FROM DATALIST WHERE REC=1"));
    TDataListRec child = store.DataList[0].Children[0];
    child.ENTTEXT = "子";
    ASSERT_TRUE(store.UpdateDataListRecord(child, 0, true));
    EXPECT_EQ("子", Single("SELECT ENTTEXT FROM CHILD_DATALIST WHERE REC=1"));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DataListStoreTest, InformationRecordFillsTheRow)
{
    TDataSentakuListCtl store;
    TDataListRec rec;
    store.InitDataListRecord(rec, "/d/0003");
    rec.REC = 3;
    TDataInfomationRec info;
    info.STATUS = DataStatusLocked;
    info.OPCODE = Group * 10000 + 7;
    info.SHARE_STATUS = 2;
    info.SHARE_OPCODE = SystemDef.OPCODE;
    info.SHOUGOU = "株式会社";
    info.CODE = "C1";
    info.KISHU = "2024/04/01";
    info.KIMATU = "not a date";
    info.VERSION1 = {15, 0, 2};
    info.CLOUD_SHARE = 1;
    store.SetDataListRecordFromInfo(info, rec);
    EXPECT_EQ(7, rec.DATALOCK);
    EXPECT_EQ(1, rec.KYOYULOCK);
    EXPECT_EQ("株式会社", rec.ENTTEXT) << "an empty name takes the company name";
    EXPECT_EQ("C1", rec.DATACODE);
    EXPECT_EQ(EncodeDate(2024, 4, 1), rec.KISHU);
    EXPECT_EQ(0, rec.KIMATU);
    EXPECT_EQ(15, rec.VER_MAJOR);
    EXPECT_EQ(2, rec.VER_MINOR2);
    EXPECT_EQ(1, rec.CLOUD);
    EXPECT_EQ(3, rec.REC);
}

TEST(DataListRows, ChildNamesAreNumberedAndRemovalKeepsTheCount)
{
    TDataSentakuRec rec;
    rec.Children.resize(3);
    rec.Children[0].ENTTEXT = "a";
    rec.Children[1].ENTTEXT = "b";
    rec.Children[2].ENTTEXT = "c";
    rec.ChildCount = 3;
    TDataSentakuListCtl::NumberChildNames(rec);
    EXPECT_EQ("02 b", rec.Children[1].DISPNAME);
    TDataSentakuListCtl::RemoveChildRow(rec, 0);
    EXPECT_EQ(2, rec.ChildCount);
    EXPECT_EQ("b", rec.Children[0].ENTTEXT);
    TDataSentakuListCtl::RemoveChildRow(rec, 5);
    EXPECT_EQ(2, rec.ChildCount);
}

}  // namespace
