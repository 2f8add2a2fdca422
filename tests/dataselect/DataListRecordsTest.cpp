#include "dataselect/DataListRecords.h"

#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

namespace {

TEST(DataListRecords, StoredPathsTakeTheFileSystemFormAndKeepTheirCase)
{
    EXPECT_EQ("/srv/Ledrix/data/0001", StoredPathToFolder("\\srv\\Ledrix\\data\\0001"));
    EXPECT_EQ("/srv/Ledrix/data/0001", StoredPathToFolder("/srv/Ledrix/data/0001"));
}

struct LocalCase {
    std::int32_t rec;
    std::int32_t netdrive;
    std::uint8_t gassan;
    const char* pasname;
    const char* local;
};

class LocalFolderTest : public ::testing::TestWithParam<LocalCase> {};

TEST_P(LocalFolderTest, FollowsTheRowKind)
{
    const TSystemDef saved = SystemDef;
    SystemDef.SYSDIR = "/root/sys";
    const LocalCase& c = GetParam();
    TDataListRec rec;
    rec.REC = c.rec;
    rec.NETDRIVE = c.netdrive;
    rec.GASSAN = c.gassan;
    rec.PASNAME = c.pasname;
    EXPECT_EQ(c.local, MakeLocalDataFolder(rec));
    SystemDef = saved;
}

INSTANTIATE_TEST_SUITE_P(Rows, LocalFolderTest,
                         ::testing::Values(LocalCase{7, 0, 0, "/d/0007/", "/d/0007"},
                                           LocalCase{7, 1, 0, "/share/sv0003", "/root/sys/0007"},
                                           LocalCase{7, 1, 2, "/share/sv0003", "/root/sys/0007"},
                                           LocalCase{7, 1, 10, "/share/sv0003/sub", "/root/sys/0007/sub"},
                                           LocalCase{7, 1, 0, "", ""}));

TEST(DataListRecords, StateNamesCoverEveryCode)
{
    const std::pair<int, const char*> cases[] = {
        {-1, "状態不明"},      {0, "－"},         {1, "－"},    {2, "使用中"},
        {3, "データロック中"}, {7, "貼り付け中"}, {10, "破損"}, {11, "状態不明"}};
    for (const auto& [code, text] : cases)
        EXPECT_EQ(text, GetDataStatusName(code)) << code;
}

}  // namespace
