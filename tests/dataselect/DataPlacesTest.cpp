#include "dataselect/DataPlaces.h"

#include "DataListStoreFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

using datalisttest::DataListStoreTest;

class DataPlacesTest : public DataListStoreTest {
protected:
    void SetUp() override
    {
        DataListStoreTest::SetUp();
        // The places of the master name the folder it was built in.
        Exec("DELETE FROM DATAPLACEMAN");
        AppInfo.Zaimu.DataListCnt = 3;
    }
    static TDataPlaceRec& Place(TDataPlaceStore& store, std::int32_t rec)
    {
        return store.List.at(static_cast<std::size_t>(store.IndexOfDataPlaceRec(rec)));
    }
    std::string Paths(std::int32_t place)
    {
        return Single("SELECT LIST(PASNAME, '|') FROM (SELECT PASNAME FROM DATALIST_EX WHERE DATAPLACEREC=" +
                      std::to_string(place) + " ORDER BY REC)");
    }
};

TEST_F(DataPlacesTest, AnEmptyTableGetsAHundredPlacesNamedAfterTheDataRoot)
{
    struct Case {
        std::string root;
        std::string name;
    };
    const Case cases[] = {{"/srv/data", "/srv/data"}, {"/srv/" + std::string(31, 'x') + "/data", "標準の場所"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.root);
        Exec("DELETE FROM DATAPLACEMAN");
        SystemDef.SYSDIR = c.root;
        TDataPlaceStore store;
        ASSERT_TRUE(store.LoadPlaces(false));
        ASSERT_EQ(100u, store.List.size());
        EXPECT_EQ(c.name, store.List[0].NAME);
        EXPECT_EQ(c.root, store.List[0].PATH);
        EXPECT_EQ(1, store.List[0].ORDERKBN);
        EXPECT_EQ("", store.List[7].NAME);
        EXPECT_EQ(c.root + "07", store.List[7].PATH);
        EXPECT_EQ(100, store.List[99].ORDERKBN);
        // Only the standard place has a name.
        EXPECT_EQ(c.name + "\r", store.GetDataPlacePathList());
        EXPECT_EQ("100", Single("SELECT COUNT(*) FROM DATAPLACEMAN"));
    }
}

TEST_F(DataPlacesTest, NamingAPlaceFillsItsListAndDeletingEmptiesIt)
{
    SystemDef.SYSDIR = (folder_ / "data").string();
    const std::string place3 = SystemDef.SYSDIR + "03";
    TDataPlaceStore store;
    ASSERT_TRUE(store.LoadPlaces(false));
    Place(store, 3).NAME = "第三";
    Place(store, 3).State = TDataPlaceStore::StateNamed;
    // Moved in front of place 0.
    Place(store, 5).NAME = "第五";
    Place(store, 5).ORDERKBN = 0;
    Place(store, 5).State = TDataPlaceStore::StateNamed;
    store.SaveChanges();
    EXPECT_EQ(place3 + "/0001|" + place3 + "/0002|" + place3 + "/0003", Paths(3));
    EXPECT_EQ(TDataPlaceStore::StateUnchanged, Place(store, 3).State);

    // The lookups answer from the named places in display order.
    // The test folder is longer than a name may be.
    EXPECT_EQ("第五\r標準の場所\r第三\r", store.GetDataPlacePathList());
    EXPECT_EQ(5, store.GetDataPlaceRec(0));
    EXPECT_EQ(3, store.GetDataPlaceRec(2));
    EXPECT_EQ(-1, store.GetDataPlaceRec(3));
    EXPECT_EQ(-1, store.GetDataPlaceRec(-1));
    EXPECT_EQ(place3, store.GetDataPlacePath(2));
    EXPECT_EQ("", store.GetDataPlacePath(3));
    EXPECT_EQ(-1, store.IndexOfDataPlaceRec(7));
    EXPECT_EQ(place3, store.GetDataPlacePathByRec(3));
    EXPECT_EQ("", store.GetDataPlacePathByRec(7));

    // In use as soon as one of its data folders exists.
    EXPECT_FALSE(store.IsPlaceInUse(3));
    fs::create_directories(place3 + "/0002");
    EXPECT_TRUE(store.IsPlaceInUse(3));
    fs::remove_all(place3);

    // Deleting clears the name and the list; naming again starts from 1.
    ASSERT_TRUE(store.LoadPlaces(false));
    Place(store, 3).NAME.clear();
    Place(store, 3).State = TDataPlaceStore::StateDeleted;
    store.SaveChanges();
    EXPECT_EQ("", Paths(3));
    EXPECT_EQ("", Single("SELECT NAME FROM DATAPLACEMAN WHERE REC=3"));
    EXPECT_EQ("3", Single("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=5"));
    Place(store, 3).NAME = "第三の二";
    Place(store, 3).State = TDataPlaceStore::StateNamed;
    store.SaveChanges();
    EXPECT_EQ(place3 + "/0001|" + place3 + "/0002|" + place3 + "/0003", Paths(3));
}

TEST_F(DataPlacesTest, AFailedSaveKeepsEveryEarlierChangeOut)
{
    TDataPlaceStore store;
    ASSERT_TRUE(store.LoadPlaces(false));
    Place(store, 2).NAME = "第二";
    Place(store, 2).State = TDataPlaceStore::StateNamed;
    // A place the table does not have: its list cannot refer to it.
    store.List.push_back({150, TDataPlaceStore::StateNamed, 151, "/srv/x", "迷子", ""});
    EXPECT_ANY_THROW(store.SaveChanges());
    EXPECT_EQ("", Single("SELECT NAME FROM DATAPLACEMAN WHERE REC=2"));
    EXPECT_EQ("0", Single("SELECT COUNT(*) FROM DATALIST_EX"));
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
}

}  // namespace
