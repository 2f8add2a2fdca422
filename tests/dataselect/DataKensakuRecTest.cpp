#include "dataselect/DataKensakuRec.h"

#include "foundation/DataModule.h"
#include "foundation/SystemDef.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

class DataKensakuRecTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.USER = dbtest::User;
        SystemDef.PASSWORD = dbtest::Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.SYSDIR = (folder_ / "sys").string();
        SystemDef.LogDir = (folder_ / "log").string();
        std::filesystem::create_directories(SystemDef.LogDir);
        SystemDef.GROUPID = 10000;
        SystemDef.OPCODE = 100000002;
        dbtest::CopyMasterFile(dbtest::SystemMasterFile(), folder_ / "sys" / "qhaccdef.fdb");
        DM = std::make_unique<TDM>();
        ASSERT_TRUE(DM->fnAccDefConnected("", true));
    }
    void TearDown() override
    {
        DM.reset();
        SystemDef = saved_;
    }
    std::string Stored(const std::string& columns)
    {
        db::Transaction tr(DM->IBDatabaseDEF);
        tr.Start();
        db::Query q(DM->IBDatabaseDEF, tr,
                    "SELECT " + columns + " FROM KENSAKUJYOKEN WHERE OPCODE=100000002 AND LISTTYPE=0");
        std::string rows;
        for (q.Open(); !q.Eof(); q.Next()) {
            for (std::size_t i = 0; i < q.FieldCount(); ++i)
                rows += (q.FieldByIndex(i).IsNull() ? "<null>" : q.FieldByIndex(i).AsString()) + "|";
            rows += "\n";
        }
        q.Close();
        tr.Commit();
        return rows;
    }

    RecordingMessagePresenter presenter;

private:
    const TSystemDef saved_ = SystemDef;
};

TEST_F(DataKensakuRecTest, FirstReadCreatesAnEmptyRowAndTheSortCodeMapsBothWays)
{
    TDataListKensakuRecords records;
    TDataKensakuRec rec;
    rec.DATACODE = "left over";
    ASSERT_TRUE(records.SelectRecord(rec));
    EXPECT_EQ(100000002, rec.OPCODE);
    EXPECT_EQ(0, rec.SORTCOL);
    EXPECT_EQ("", rec.DATACODE);
    EXPECT_EQ("0|0|0||0||0|0|\n", Stored("JYOKENUSE,DATATYPE,CODETYPE,DATACODE,TANTO,DATAVER,SORTCOL,SORTTYPE"));

    rec.JYOKENUSE = 1;
    rec.DATATYPE = 3;
    rec.DATACODE = "A1";
    rec.DATANAME = "さくら";
    rec.SORTCOL = 1;  // the code column is stored as 6
    rec.SORTTYPE = 1;
    EXPECT_EQ(1, records.UpdateRecord(rec));
    EXPECT_EQ("1|3|A1|さくら|6|1|\n", Stored("JYOKENUSE,DATATYPE,DATACODE,DATANAME,SORTCOL,SORTTYPE"));

    // Only the sort order: the conditions stay as stored.
    TDataKensakuRec sortOnly = rec;
    sortOnly.DATACODE = "ZZ";
    sortOnly.SORTCOL = 5;
    sortOnly.SORTTYPE = 0;
    EXPECT_EQ(1, records.UpdateRecordSortField(sortOnly));

    TDataKensakuRec read;
    ASSERT_TRUE(records.SelectRecord(read));
    EXPECT_EQ("A1", read.DATACODE);
    EXPECT_EQ("さくら", read.DATANAME);
    EXPECT_EQ(5, read.SORTCOL);
    EXPECT_EQ(0, read.SORTTYPE);
    EXPECT_EQ("1|3|A1|さくら|3|0|\n", Stored("JYOKENUSE,DATATYPE,DATACODE,DATANAME,SORTCOL,SORTTYPE"));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DataKensakuRecTest, AFailedWriteIsReportedAndAnswersZero)
{
    TDataListKensakuRecords records;
    TDataKensakuRec rec;
    ASSERT_TRUE(records.SelectRecord(rec));
    rec.DATACODE = std::string(11, 'X');  // one more than the column holds
    EXPECT_EQ(0, records.UpdateRecord(rec));
    ASSERT_EQ(1u, presenter.shown.size());
    EXPECT_NE(std::string::npos, presenter.shown[0].Text.find("検索条件レコードの更新に失敗しました。"));
    EXPECT_EQ("|\n", Stored("DATACODE"));
}

TEST(SortColumnCodeTest, GridColumnsAndStoredCodesMapBothWays)
{
    const std::pair<int, int> pairs[] = {{3, 1}, {4, 2}, {5, 3}, {6, 4}, {7, 5}, {1, 6}};
    for (const auto& [column, code] : pairs) {
        EXPECT_EQ(code, SortColumnToCode(column)) << column;
        EXPECT_EQ(column, SortCodeToColumn(code)) << code;
    }
    for (int other : {-1, 0, 2, 8})
        EXPECT_EQ(0, SortColumnToCode(other)) << other;
    for (int other : {-1, 0, 7})
        EXPECT_EQ(0, SortCodeToColumn(other)) << other;
}

}  // namespace
