// The balance-row helpers, the account-code tables and the front's
// capacity and row initialisation.

#include "calc/AccountCodeTables.h"
#include "calc/BalanceRows.h"
#include "calc/engine/CalcFront.h"
#include "foundation/AccInf.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

TEST(RatioToPercentTest, RoundsHalfAwayFromZeroToOneDecimal)
{
    struct Case {
        double ratio;
        Currency percent;
    };
    const Case cases[] = {
        {0.5, 500000},     {-0.12349, -123000}, {0.00049, 0},           {0.00051, 1000},
        {0.12345, 123000}, {-0.00051, -1000},   {123.45649, 123456000}, {0.0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RatioToPercent(c.ratio), c.percent) << c.ratio;
    // Far beyond any amount: the amount's limit, never an overflow.
    EXPECT_GT(RatioToPercent(1e300), 0);
    EXPECT_LT(RatioToPercent(-1e300), 0);
    EXPECT_EQ(ClampPercent(RatioToPercent(1e300)), 9999 * CurrencyScale);
    EXPECT_EQ(ClampPercent(RatioToPercent(-20.0)), -999 * CurrencyScale);
}

TEST(PeriodArrayTest, CoversMinusThirtyTwoToNineteenOnly)
{
    TPeriodArray a;
    a[-32] = 1;
    a[19] = 2;
    EXPECT_EQ(a[-32], 1);
    EXPECT_EQ(a[19], 2);
    EXPECT_THROW(a[20], std::out_of_range);
    EXPECT_THROW(a[-33], std::out_of_range);
}

TEST(RollUpTotalTest, FirstEnclosingRangeTopToBottom)
{
    struct Case {
        const char* code;
        std::optional<int> range;
        std::optional<int> balanceLoad;
    };
    const Case cases[] = {
        {"1100", 1, 1},   {"1120", {}, {}}, {"1130", 2, 2},   {"3340", {}, {}}, {"3330", {}, {}},
        {"3380", {}, {}}, {"3390", 23, 23}, {"5820", 34, 34}, {"5785", {}, 34}, {"5684", 46, 46},
        {"5850", 36, 36}, {"8400", {}, {}}, {"0999", {}, {}}, {"9900", {}, {}}, {"", {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RollUpTotal(c.code), c.range) << c.code;
        EXPECT_EQ(RollUpTotal(c.code, TRollUpTable::BalanceLoad), c.balanceLoad) << c.code;
    }
}

TEST(AccountCodeTablesTest, LastChartFlagWins)
{
    SetupAccountCodeTables(1);
    EXPECT_EQ(AccountCodeTables().RetainedEarningsGroup, "****");
    EXPECT_EQ(AccountCodeTables().TotalRow[29], 0);
    SetupAccountCodeTables(0);
    EXPECT_EQ(AccountCodeTables().RetainedEarningsGroup, "3340");
    EXPECT_EQ(AccountCodeTables().ManufacturingCostGroup, "5880");
    for (int n = 1; n <= 49; ++n)
        EXPECT_EQ(AccountCodeTables().TotalRow[static_cast<std::size_t>(n)], n);
}

TEST(CalcFrontTest, CapacityFollowsTheChartFlagNotTheDataType)
{
    const TACCINF saved = AccInf;
    AccInf.DATATYPE = 3;
    AccInf.MedicalChart = 0;  // medical corporation keeping the general chart
    EXPECT_EQ(BalanceCapacity(), 500);
    AccInf.MedicalChart = 1;
    EXPECT_EQ(BalanceCapacity(), 700);
    AccInf.MedicalChart = 0;
    EXPECT_EQ(BalanceCapacity(), 500);
    AccInf = saved;
}

TEST(CalcFrontTest, InitClearsExactlyLastPlusOneRowsAndEntries)
{
    std::vector<TBALANCE> rows(6);
    std::vector<TQSORT> order(6);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].KMK.KCODE = "X";
        rows[i].RangeClosing = 5;
        rows[i].HOJCNT = 1;
        rows[i].Hojo.resize(1);
        order[i] = TQSORT{"1100", 99};
    }
    InitBalanceRows(rows, 3, order, 3);
    for (int i = 0; i <= 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[static_cast<std::size_t>(i)].KMK.KCODE, "");
        EXPECT_EQ(rows[static_cast<std::size_t>(i)].RangeClosing, 0);
        EXPECT_EQ(rows[static_cast<std::size_t>(i)].HOJCNT, 0);
        EXPECT_TRUE(rows[static_cast<std::size_t>(i)].Hojo.empty());
        EXPECT_EQ(order[static_cast<std::size_t>(i)].Key, "ﾟ");
        EXPECT_EQ(order[static_cast<std::size_t>(i)].Value, i);
    }
    EXPECT_EQ(rows[4].KMK.KCODE, "X");
    EXPECT_EQ(order[4].Value, 99);
    // An order array shorter than the rows is refused before anything is
    // written.
    std::vector<TQSORT> shortOrder(2);
    EXPECT_THROW(InitBalanceRows(rows, 3, shortOrder, 1), std::out_of_range);
    EXPECT_EQ(rows[0].KMK.KCODE, "");
}

}  // namespace
