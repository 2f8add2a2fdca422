#include "LaterUnitTestSupport.h"

#include "dbupdate/DataJobControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace laterunittest;

struct MenuCase {
    int dataType, edition, page, menu;
    const char* procId;
    const char* option;
};

class DataMenuPrograms : public ::testing::TestWithParam<MenuCase> {};

TEST_P(DataMenuPrograms, NameThePositionsProgram)
{
    const MenuCase& c = GetParam();
    const accupdate::TDataMenuProgram program = accupdate::DataMenuProgram(c.dataType, c.edition, c.page, c.menu);
    EXPECT_EQ(program.ProcId, c.procId);
    EXPECT_EQ(program.Option, program.ProcId.empty() ? std::string() : std::string(c.option));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DataMenuPrograms,
    ::testing::Values(MenuCase{1, 0, 0, 0, "QvNavigore1", ""}, MenuCase{1, 0, 0, 2, "", ""},
                      MenuCase{1, 0, 0, 19, "QvTusinSettei", ""}, MenuCase{1, 0, 1, 12, "QvSitenHikakuBL", ""},
                      MenuCase{1, 0, 2, 0, "QvSiwake", "SyoriType=0"}, MenuCase{1, 0, 2, 1, "QvMonitor", ""},
                      MenuCase{1, 0, 2, 2, "QvMotocho", "SyoriType=0"}, MenuCase{1, 0, 3, 4, "", ""},
                      MenuCase{1, 0, 3, 5, "QvKojinKessansyo", ""}, MenuCase{3, 0, 3, 4, "QvMBHokukuKansa", ""},
                      MenuCase{3, 0, 3, 14, "", ""}, MenuCase{3, 0, 3, 0, "QvMBKessansyo", ""},
                      MenuCase{3, 0, 2, 0, "QvSiwake", "SyoriType=0"}, MenuCase{1, 0, 4, 0, "QvUtiwake01", ""},
                      MenuCase{1, 0, 4, 16, "QvUtiwake17", ""}, MenuCase{1, 0, 4, 17, "", ""},
                      MenuCase{1, 0, 4, 19, "QvUtiwakeAll", ""}, MenuCase{1, 1, 2, 19, "QvKobetuMotocho", ""},
                      MenuCase{1, 2, 2, 17, "QvKobetuIchiranhyo", ""}, MenuCase{1, 0, 2, 19, "", ""},
                      MenuCase{1, 0, 5, 0, "", ""}));

class DataJobControlRunTest : public LaterUnitDbTest {
protected:
    void InsertOldRights(const std::vector<std::vector<int>>& rows)
    {
        auto data = Data();
        int rec = 1;
        for (const std::vector<int>& row : rows)
            data.Exec("INSERT INTO JOBCONTROL (REC, LEVELNO, PAGENO, MENUNO) VALUES (" + std::to_string(rec++) + "," +
                      std::to_string(row[0]) + "," + std::to_string(row[1]) + "," + std::to_string(row[2]) + ")");
    }
};

TEST_F(DataJobControlRunTest, CorporationLevel200RowsBecomeProgramRows)
{
    UseDataBefore802(DataKind::Corporation);
    InsertOldRights({{200, 2, 2}, {200, 0, 2}, {200, 0, 0}, {1200, 3, 0}, {200, 2, 19}});
    ASSERT_TRUE(RunTo({8, 0, 2}).Succeeded());
    EXPECT_EQ(Data().Lines("SELECT LEVELNO,PROC_ID,PROC_OPTION FROM JOBCONTROL2 ORDER BY PROC_ID"),
              (std::vector<std::string>{"200|QvMotocho|SyoriType=0", "200|QvNavigore1|"}));
    EXPECT_EQ(Data().Count("SELECT COUNT(*) FROM JOBCONTROL"), 5);
}

TEST_F(DataJobControlRunTest, MedicalLevel1200RowsAreWrittenUnderLevel200)
{
    UseDataBefore802(DataKind::Medical);
    EditionFlag = 1;
    InsertOldRights({{1200, 3, 4}, {1200, 3, 14}, {1200, 2, 19}, {200, 0, 0}});
    ASSERT_TRUE(RunTo({8, 0, 2}).Succeeded());
    EXPECT_EQ(Data().Lines("SELECT LEVELNO,PROC_ID,PROC_OPTION FROM JOBCONTROL2 ORDER BY PROC_ID"),
              (std::vector<std::string>{"200|QvKobetuMotocho|", "200|QvMBHokukuKansa|"}));
}

}  // namespace
