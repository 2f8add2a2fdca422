#include "DataListStoreFixture.h"

#include "dataselect/DataListAccess.h"
#include "foundation/DataInfomationAccess.h"
#include "dataselect/DataSentakuListCtl.h"
#include "foundation/DataPathSplit.h"
#include "platform/DateTime.h"
#include "platform/Registry.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using datalisttest::DataListStoreTest;
using datalisttest::Group;

const std::string FreeArea = "空き領域";

class ServerListTest : public datalisttest::ShareDriveTest {
protected:
    TDataListRec SharedRow(const std::string& path, const std::string& name)
    {
        TDataListRec rec;
        rec.GROUPID = Group;
        rec.NETDRIVE = 1;
        rec.PASNAME = path;
        rec.ENTTEXT = name;
        rec.SHOUGOU = name;
        return rec;
    }
};

TEST_F(ServerListTest, ServerRowsAreUpsertedByPathAndMirrorTheLockIntoTheDataList)
{
    TDataSentakuListCtl store;
    TDataListRec area = SharedRow(Area("sv0001"), FreeArea);
    ASSERT_TRUE(store.UpdateServerDataListRecord(area, 1, true));
    EXPECT_EQ(1, area.REC);
    TDataListRec second = SharedRow(Area("sv0002"), FreeArea);
    ASSERT_TRUE(store.UpdateServerDataListRecord(second, 1, true));
    EXPECT_EQ(2, second.REC);

    // The data list row registered under the area's path gets its lock.
    Row(7, "Shared", 1, area.PASNAME);
    area.ENTTEXT = "会社A";
    area.KISHU = EncodeDate(2024, 4, 1);
    area.KIMATU = EncodeDate(2025, 3, 31);
    area.DATALOCK = 3;
    area.REC = 0;
    ASSERT_TRUE(store.UpdateServerDataListRecord(area, 0, true));
    EXPECT_EQ(1, area.REC);
    EXPECT_EQ(FreeArea, Single("SELECT ENTTEXT FROM SERVERDATALIST WHERE REC=1"));  // names only with WithNames 1
    EXPECT_EQ("3", Single("SELECT DATALOCK FROM SERVERDATALIST WHERE REC=1"));
    EXPECT_EQ("3", Single("SELECT DATALOCK FROM DATALIST WHERE REC=7"));
    EXPECT_EQ("Z", Single("SELECT DRIVELETTER FROM SERVERDATALIST WHERE REC=1"));

    // A folder that is gone is not registered; a row with neither data nor
    // area label is removed again.
    TDataListRec gone = SharedRow(Area("sv0009", false), FreeArea);
    ASSERT_TRUE(store.UpdateServerDataListRecord(gone, 1, true));
    EXPECT_EQ("0", Single("SELECT COUNT(*) FROM SERVERDATALIST WHERE PASNAME='" + gone.PASNAME + "'"));
    second.ENTTEXT = "名前だけ";
    ASSERT_TRUE(store.UpdateServerDataListRecord(second, 1, true));
    EXPECT_EQ("0", Single("SELECT COUNT(*) FROM SERVERDATALIST WHERE REC=2"));

    // A local row writes nothing on the share side.
    TDataListRec local = SharedRow(Area("sv0003"), FreeArea);
    local.NETDRIVE = 0;
    EXPECT_TRUE(store.UpdateServerDataListRecord(local, 1, true));
    EXPECT_EQ("1", Single("SELECT COUNT(*) FROM SERVERDATALIST"));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ServerListTest, FreshListFromTheDriveFoldersIsSavedAndLoadedBack)
{
    Area("LEDRIXZAIMU_BACKUP");
    Area("sv0001/01");
    Area("sv0001/02");
    Area("sv0002");
    TDataSentakuListCtl store;
    store.ServerList = 1;
    store.ServerExecute(1, "Z:/ledrixzaimu", 0, false, "");
    ASSERT_EQ(2, store.DataCount);
    ASSERT_EQ(2, store.ChildListCount);
    EXPECT_EQ("Z:/ledrixzaimu/sv0001", store.DataList[0].Data.PASNAME);
    EXPECT_EQ(FreeArea, store.DataList[0].Data.ENTTEXT);
    ASSERT_EQ(2, store.DataList[0].ChildCount);
    EXPECT_EQ(2, store.DataList[0].Children[1].ROWNO);
    EXPECT_EQ(10, store.DataList[0].Children[1].GASSAN);
    EXPECT_EQ("Z:/ledrixzaimu/sv0001/02", store.DataList[0].Children[1].PASNAME);

    for (TDataSentakuRec& area : store.DataList) {
        ASSERT_TRUE(store.UpdateServerDataListRecord(area.Data, 1, true));
        for (TDataListRec& child : area.Children)
            ASSERT_TRUE(store.UpdateServerDataListRecord(child, 1, true));
    }
    store.ServerExecute(0, "Z:/ledrixzaimu", 5, true, "");
    ASSERT_EQ(2, store.DataCount);
    EXPECT_EQ("Z:/ledrixzaimu/sv0002", store.DataList[0].Data.PASNAME);
    EXPECT_EQ(1, store.DataList[0].Data.NETDRIVE);
    ASSERT_EQ(2, store.DataList[1].ChildCount);
    EXPECT_EQ(1, store.DataList[1].Children[0].ROWNO);
    EXPECT_EQ(store.DataList[1].Data.REC, store.DataList[1].Children[0].REC);

    std::string name;
    store.GetNewServerFolderName("Z:/ledrixzaimu", 1, name);
    EXPECT_EQ("sv0003", name);
    store.GetNewServerFolderName("Y:/ledrixzaimu", 1, name);
    EXPECT_EQ("sv0001", name);

    // Deleting the children of the one area leaves the other's.
    TDataListRec child = store.DataList[1].Children[0];
    ASSERT_TRUE(store.DeleteServerDataListChildRecord(child, true));
    EXPECT_EQ("1", Single("SELECT COUNT(*) FROM CHILD_SERVERDATALIST"));

    // The stored list is kept apart from the data-list operations.
    store.Execute(0, 1, false, "");
    EXPECT_TRUE(store.DataList.empty());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ServerListTest, ClearingASharedRowsChildrenStaysInsideItsArea)
{
    TDataSentakuListCtl store;
    for (const char* name : {"a_1", "aX1"}) {
        TDataListRec area = SharedRow(Area(name), FreeArea);
        ASSERT_TRUE(store.UpdateServerDataListRecord(area, 1, true));
        TDataListRec child = SharedRow(Area(std::string(name) + "/01"), FreeArea);
        child.ROWNO = 1;
        child.GASSAN = 10;
        ASSERT_TRUE(store.UpdateServerDataListRecord(child, 1, true));
    }
    ASSERT_EQ("2", Single("SELECT COUNT(*) FROM CHILD_SERVERDATALIST"));
    Row(5, "Shared", 1, "Z:/ledrixzaimu/a_1");
    TDataListRec row = SharedRow("Z:/ledrixzaimu/a_1", "Shared");
    row.REC = 5;
    ASSERT_TRUE(store.DeleteDataListChildRecord(row, true));
    EXPECT_EQ("Z:/ledrixzaimu/aX1/01", Single("SELECT PASNAME FROM CHILD_SERVERDATALIST"));
}

TEST_F(ServerListTest, LocalFolderOfARegisteredArea)
{
    Row(7, "Shared", 1, "Z:/ledrixzaimu/sv0001");
    TDataSentakuListCtl store;
    std::string folder;
    store.GetServerLocalFolder("Z:/ledrixzaimu/sv0001", 0, folder);
    EXPECT_EQ(SystemDef.SYSDIR + "/0007", folder);
    store.GetServerLocalFolder("Z:/ledrixzaimu/sv0001/02", 10, folder);
    EXPECT_EQ(SystemDef.SYSDIR + "/0007/02", folder);
    store.GetServerLocalFolder("Z:/ledrixzaimu/sv0099", 0, folder);
    EXPECT_EQ("", folder);
}

TEST_F(DataListStoreTest, RowNumberOfADataFolderByMode)
{
    TDataSentakuListCtl store;
    EXPECT_EQ(12, store.GetDataListRecNo("/srv/ledrixzaimu/data/0012/3"));
    EXPECT_EQ(0, store.GetDataListRecNo("/srv/ledrixzaimu/other/0012"));
    EXPECT_EQ(0, store.GetDataListRecNo("  "));

    const std::string path = (folder_ / "Server" / "Data01").string();
    Row(130, "Named", 1, path);
    store.ListMode = 1;
    EXPECT_EQ(130, store.GetDataListRecNo(path));
    EXPECT_EQ(0, store.GetDataListRecNo((folder_ / "server" / "data01").string()));  // case is kept
    store.ListMode = 3;
    EXPECT_EQ(0, store.GetDataListRecNo(path));
}

TEST_F(DataListStoreTest, InstalledServicesAreTheRealOnes)
{
    InstallDataModuleServices(*DM);
    ASSERT_NE(nullptr, DM->DataListAccess);
    ASSERT_NE(nullptr, DM->ServerFiles);
    const std::string system = SystemDef.SYSDIR + "/qhaccdef.fdb";
    EXPECT_TRUE(DM->ServerFiles->FileExists(system, 0));
    EXPECT_FALSE(DM->ServerFiles->FileExists(system + ".missing", 0));
    EXPECT_FALSE(DM->ServerFiles->FileExists(system, 3));
    EXPECT_NE(nullptr, dynamic_cast<TDataSentakuListCtl*>(DM->DataListAccess->CreateDataListController().get()));
    EXPECT_NE(nullptr, dynamic_cast<TDataInfomationAccess*>(DM->DataFolderState));
}

struct SplitCase {
    const char* path;
    const char* first;
    const char* second;
};

class SplitDataPathTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitDataPathTest, FindsTheFoldersAfterTheDataRoot)
{
    std::string first = "x", second = "y";
    SplitDataPath(GetParam().path, first, second);
    EXPECT_EQ(GetParam().first, first);
    EXPECT_EQ(GetParam().second, second);
}

INSTANTIATE_TEST_SUITE_P(Paths, SplitDataPathTest,
                         ::testing::Values(SplitCase{"/srv/ledrixzaimu/data/0012/3", "0012", "3"},
                                           SplitCase{"/srv/ledrixzaimu/Data/0012", "0012", ""},
                                           SplitCase{"/srv/x/CB_DATA/0004/01/extra", "0004", "01"},
                                           SplitCase{"C:\\ledrixzaimu\\DATA\\0007", "0007", ""},
                                           SplitCase{"/srv/da ta/0012", "0012", ""},
                                           SplitCase{"/srv/ledrixzaimu/　data/0005", "0005", ""},
                                           SplitCase{"/srv/database/0012", "", ""},
                                           SplitCase{"/srv/ledrixzaimu/data", "", ""}));

}  // namespace
