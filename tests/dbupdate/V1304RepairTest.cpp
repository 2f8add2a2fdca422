#include "LaterUnitTestSupport.h"

#include "dbupdate/AccountingLaterUnitList.h"
#include "dbupdate/V1304Repair.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace laterunittest;
using namespace updtest;

struct MarkerCase {
    const char* memo;
    bool marked;
};

class V1304Marker : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(V1304Marker, IsTheValueOneOfTheNameV1304)
{
    EXPECT_EQ(accupdate::MemoHasV1304Marker(GetParam().memo), GetParam().marked) << GetParam().memo;
}

INSTANTIATE_TEST_SUITE_P(Memos, V1304Marker,
                         ::testing::Values(MarkerCase{"V1304=1", true}, MarkerCase{"a=b\r\nV1304=1\r\n", true},
                                           MarkerCase{"V1304=0", false}, MarkerCase{"V1304=", false},
                                           MarkerCase{"V1304=11", false}, MarkerCase{"", false},
                                           MarkerCase{"2020/01/01 10:00:00,7,経理,PC01", false},
                                           MarkerCase{"V13040=1", false}, MarkerCase{"v1304=1", true}));

TEST(V1304MarkedMemo, KeepsTheRowsLinesAndReplacesAnOldMarker)
{
    EXPECT_EQ(accupdate::MemoWithV1304Marker("a,b"), "a,b\r\nV1304=1");
    EXPECT_EQ(accupdate::MemoWithV1304Marker("x\r\nV1304=0\r\ny"), "x\r\ny\r\nV1304=1");
    EXPECT_EQ(accupdate::MemoWithV1304Marker(""), "V1304=1");
    const std::string marked = accupdate::MemoWithV1304Marker(std::string(300, 'z'), 254);
    EXPECT_EQ(marked.size(), 254u);
    EXPECT_TRUE(marked.ends_with("zV1304=1"));
}

class V1304RepairRunTest : public LaterUnitDbTest {
protected:
    // Data of 13.0.3 whose history holds three rows of 13.0.3: the one the
    // update left, one with an apostrophe in its operator's name and one
    // that carries the marker already.
    void UseData1303(DataKind kind)
    {
        companytest::CopyCompanyMaster(companytest::CompanyMaster("13.0.3", kind), SystemDef.DataDir);
        auto data = Data();
        data.Exec(
            "INSERT INTO ACCVERSION (REC,MAJOR,MINOR1,MINOR2,MEMO) VALUES (900,13,0,3,'2021/05/01 09:00:00,3,"
            "O''Brien,PC02')");
        data.Exec(
            "INSERT INTO ACCVERSION (REC,MAJOR,MINOR1,MINOR2,MEMO) VALUES (901,13,0,3,'first'||ASCII_CHAR(13)||"
            "ASCII_CHAR(10)||'V1304=1')");
    }
    // The 13.0.3 history rows, line ends shown.
    std::vector<std::string> Memos()
    {
        return Data().Lines(
            "SELECT REC||':'||REPLACE(REPLACE(MEMO,ASCII_CHAR(13),'<CR>'),ASCII_CHAR(10),'<LF>') FROM "
            "ACCVERSION WHERE REC>1 AND MAJOR=13 AND MINOR2=3 ORDER BY REC");
    }
    int ColumnCount()
    {
        return Data().Count(
            "SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME='MEISAI_JYOKEN_RULE' "
            "AND RDB$FIELD_NAME='FTEKIYOA_TIKAN_FIELD7'");
    }
};

TEST_F(V1304RepairRunTest, MarksEachUnmarkedRowKeepingItsOwnMemo)
{
    UseData1303(DataKind::Corporation);
    const std::vector<std::string> before = Memos();
    ASSERT_EQ(before.size(), 3u);
    ASSERT_TRUE(RunTo({14, 0, 0}).Succeeded());
    EXPECT_EQ(Memos(), (std::vector<std::string>{before[0] + "<CR><LF>V1304=1",
                                                 "900:2021/05/01 09:00:00,3,O'Brien,PC02<CR><LF>V1304=1",
                                                 "901:first<CR><LF>V1304=1"}));
    auto data = Data();
    EXPECT_EQ(data.Line("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION WHERE REC=1"), "14|0|0");
    // The history still follows the stamps.
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM ACCVERSION WHERE REC>1 AND MAJOR=14"), 1);
    EXPECT_EQ(
        data.Line("SELECT RDB$TRIGGER_INACTIVE FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME='ACCVERSION_AFTER_UPDATE'"),
        "0");

    // Repaired data, and data without any row of 13.0.3, get nothing more.
    TUpdateScript script(accupdate::LaterUnitShape(z5UserDbUpdate1400::Unit()));
    EXPECT_EQ(accupdate::ApplyV1304Repair(script, 0), 1);
    EXPECT_EQ(script.Text().find("ACCVERSION_AFTER_UPDATE"), std::string::npos);
}

TEST_F(V1304RepairRunTest, DataWithoutTheColumnGetsThe1300FilesOfItsChartAgain)
{
    UseData1303(DataKind::Medical);
    Data().Exec(
        "EXECUTE BLOCK AS BEGIN EXECUTE STATEMENT 'ALTER TABLE MEISAI_JYOKEN_RULE DROP FTEKIYOA_TIKAN_FIELD7'; "
        "END");
    ASSERT_EQ(ColumnCount(), 0);
    TUpdateScript script(accupdate::LaterUnitShape(z5UserDbUpdate1400::Unit()));
    ASSERT_EQ(accupdate::ApplyV1304Repair(script, 1), 1);
    const std::string text = script.Text();
    EXPECT_NE(text.find("FTEKIYOA_TIKAN_FIELD7"), std::string::npos);
    EXPECT_NE(text.find("medical chart"), std::string::npos);
    EXPECT_EQ(text.find("general chart"), std::string::npos);
    EXPECT_LT(text.find("FTEKIYOA_TIKAN_FIELD7"), text.find("ALTER TRIGGER ACCVERSION_AFTER_UPDATE INACTIVE;"));

    ASSERT_TRUE(RunTo({14, 0, 0}).Succeeded());
    EXPECT_EQ(ColumnCount(), 1);
    for (const std::string& memo : Memos())
        EXPECT_TRUE(memo.ends_with("<CR><LF>V1304=1")) << memo;
}

TEST_F(V1304RepairRunTest, MissingRepairFileAnswers18EvenWhenTheChartLeavesItOut)
{
    UseData1303(DataKind::Corporation);
    Data().Exec(
        "EXECUTE BLOCK AS BEGIN EXECUTE STATEMENT 'ALTER TABLE MEISAI_JYOKEN_RULE DROP FTEKIYOA_TIKAN_FIELD7'; "
        "END");
    const fs::path sql = folder_ / "sql";
    for (const char* file :
         {"1400/qhzup01.sql", "1400/qhzup02.sql", "1300/qhzup01.sql", "1300/qhzup02.sql", "1300/qhzup03.sql"})
        WriteFile(sql / file, ReadFile(fs::path(LEDRIX_SQL_DIR) / file));
    SystemDef.SqlDir = sql.string();
    const std::vector<std::string> before = Memos();
    EXPECT_EQ(z5UserDbUpdate1400::DoUpdate(), 18);
    EXPECT_FALSE(fs::exists(ScriptPath()));
    EXPECT_EQ(Memos(), before);
    EXPECT_EQ(Data().Line("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION WHERE REC=1"), "13|0|3");
}

}  // namespace
