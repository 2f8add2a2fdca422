#include "LaterUnitTestSupport.h"

#include "dbupdate/SettlementPrintTransfer.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using namespace laterunittest;
namespace fs = std::filesystem;
using Values = std::array<std::int32_t, 7>;

struct OperatorCase {
    const char* name;
    int dataType, zeroPrint, sankaku, reserve2, selling, bills;
    Values expected;
};

class SettlementValues : public ::testing::TestWithParam<OperatorCase> {
protected:
    updtest::SavedGlobals saved_;
};

TEST_P(SettlementValues, FollowTheOperatorForCorporationsOnly)
{
    const OperatorCase& c = GetParam();
    SystemDef.ZeroPrint = c.zeroPrint;
    SystemDef.SankakuPlus = c.sankaku;
    SystemDef.Reserve2 = c.reserve2;
    SystemDef.SettlementSellingCost = c.selling;
    SystemDef.SettlementBillOffset = c.bills;
    EXPECT_EQ(accupdate::SettlementPrintValues(c.dataType), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Operators, SettlementValues,
                         ::testing::Values(OperatorCase{"ZeroPrint2Reserve3", 1, 2, 1, 3, 1, 2, {1, 0, 1, 1, 1, 1, 2}},
                                           OperatorCase{"ZeroPrint1Reserve2", 1, 1, 0, 2, 0, 0, {1, 1, 0, 1, 0, 0, 0}},
                                           OperatorCase{"ZeroPrint0Reserve1", 1, 0, 0, 1, 0, 1, {0, 0, 0, 0, 1, 0, 1}},
                                           OperatorCase{"ZeroPrint3", 1, 3, 0, 0, 0, 0, {0, 0, 0, 0, 0, 0, 0}},
                                           OperatorCase{
                                               "IndividualGetsZeros", 2, 1, 1, 3, 1, 1, {0, 0, 0, 0, 0, 0, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

class SettlementRunTest : public LaterUnitDbTest {
protected:
    void SetOperator(int zeroPrint, int reserve2)
    {
        SystemDef.ZeroPrint = zeroPrint;
        SystemDef.SankakuPlus = 1;
        SystemDef.Reserve2 = reserve2;
        SystemDef.SettlementSellingCost = 1;
        SystemDef.SettlementBillOffset = 2;
    }
    static constexpr const char* Columns =
        "SELECT ZEROKAMOKUPRINT,ZEROPRINT,SONSHITUSANKAKU,SOTOWAKUKAHEN,FUSAINOBUKAIPAGE,HANBAIHIKUMIIRE,TEGATASOSAI "
        "FROM KESSAN WHERE REC=1";
};

TEST_F(SettlementRunTest, TwoOperatorsGiveTwoCorporationsTheirOwnSettings)
{
    UseDataBefore802(DataKind::Corporation);
    Data().Exec("UPDATE OR INSERT INTO KESSAN (REC) VALUES (1) MATCHING (REC)");
    ASSERT_TRUE(RunTo({9, 0, 3}).Succeeded());
    const fs::path before = folder_ / "before904.fdb";
    fs::copy_file(CompanyDbPath(), before);

    SetOperator(2, 3);
    ASSERT_TRUE(RunTo({9, 0, 4}).Succeeded());
    EXPECT_EQ(Data().Line(Columns), "1|0|1|1|1|1|2");

    fs::copy_file(before, CompanyDbPath(), fs::copy_options::overwrite_existing);
    SetOperator(1, 0);
    ASSERT_TRUE(RunTo({9, 0, 4}).Succeeded());
    EXPECT_EQ(Data().Line(Columns), "1|1|1|0|0|1|2");
}

TEST_F(SettlementRunTest, IndividualGetsZerosMedicalIsLeftAloneAndNoRowChangesNothing)
{
    SetOperator(1, 3);
    UseDataBefore802(DataKind::Individual);
    Data().Exec("UPDATE OR INSERT INTO KESSAN (REC) VALUES (1) MATCHING (REC)");
    ASSERT_TRUE(RunTo({9, 0, 4}).Succeeded());
    EXPECT_EQ(Data().Line(Columns), "0|0|0|0|0|0|0");

    // Settings already in the data stay for a medical corporation.
    Data().Exec("UPDATE KESSAN SET ZEROPRINT=5,TEGATASOSAI=5 WHERE REC=1");
    EXPECT_EQ(accupdate::RunDataFixes({&accupdate::CopySettlementPrintSettings}, {3, 1}, "test"), 1);
    EXPECT_EQ(Data().Line(Columns), "0|5|0|0|0|0|5");

    Data().Exec("DELETE FROM KESSAN");
    EXPECT_EQ(accupdate::RunDataFixes({&accupdate::CopySettlementPrintSettings}, {1, 1}, "test"), 1);
    EXPECT_EQ(Data().Count("SELECT COUNT(*) FROM KESSAN"), 0);
}

}  // namespace
