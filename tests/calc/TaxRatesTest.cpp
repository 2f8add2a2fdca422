#include "calc/TaxRates.h"

#include "TestTaxContext.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

std::string Describe(const TZeiRituRec& r)
{
    return r.Label + " " + CurrToStr(r.Rate) + " code " + std::to_string(r.RateCode) + " order " +
           std::to_string(r.Order) + " " + r.StartDate + " " + std::to_string(r.Value1) + "," +
           std::to_string(r.Value2) + "," + std::to_string(r.Flag) + " std " + std::to_string(r.Standard) + " sw " +
           std::to_string(r.SwitchIndex) + " on " + std::to_string(r.Enabled);
}

TEST(ZeiRituList, HasFiveRatesFromVersion11_1_0AndThreeBefore)
{
    TestTaxContext context;
    const struct {
        int major, minor1, minor2;
        std::vector<std::string> rows;
    } cases[] = {
        {11,
         1,
         0,
         {"10% 10 code 0 order 4 2019/10/01 11,1,1 std 1 sw 4 on 1",
          "8*% 8 code 4 order 3 2019/10/01 11,1,1 std 0 sw 3 on 1",
          "8% 8 code 3 order 2 2014/04/01 6,1,0 std 1 sw 2 on 1",
          "5% 5 code 2 order 1 1997/04/01 1,0,0 std 1 sw 1 on 1",
          "3% 3 code 1 order 0 1989/04/01 1,0,0 std 1 sw 0 on 1"}},
        {11,
         0,
         9,
         {"8% 8 code 0 order 2 2014/04/01 6,1,1 std 1 sw 2 on 1",
          "5% 5 code 2 order 1 1997/04/01 1,0,0 std 1 sw 1 on 1",
          "3% 3 code 1 order 0 1989/04/01 1,0,0 std 1 sw 0 on 1"}},
        {6, 5, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor1) + "." + std::to_string(c.minor2));
        context.settings.VersionMajor = c.major;
        context.settings.VersionMinor1 = c.minor1;
        context.settings.VersionMinor2 = c.minor2;
        BuildZeiRituList(0);
        const auto& rows = c.rows.empty() ? cases[1].rows : c.rows;
        ASSERT_EQ(ZeiRituList().size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(Describe(ZeiRituList()[i]), rows[i]);
    }
}

TEST(GetTaxRate, BuildsTheTableOnFirstUseAndFallsBackToTheNewestRate)
{
    TestTaxContext context;
    EXPECT_EQ(GetTaxRate(4, 0), 8 * CurrencyScale);
    EXPECT_EQ(ZeiRituList().size(), 5u);
    EXPECT_EQ(GetTaxRate(2, 0), 5 * CurrencyScale);
    EXPECT_EQ(GetTaxRate(0, 0), 10 * CurrencyScale);
    EXPECT_EQ(GetTaxRate(77, 0), 10 * CurrencyScale);

    context.settings.VersionMajor = 10;
    BuildZeiRituList(0);
    EXPECT_EQ(GetTaxRate(0, 0), 8 * CurrencyScale);
    EXPECT_EQ(GetTaxRate(4, 0), 8 * CurrencyScale);  // unknown here: the newest
}

TEST(ResolveTaxRateCode, KeepsStartedAndReducedRatesAndOtherwiseTakesTheRateInForce)
{
    TestTaxContext context;
    const struct {
        int major;
        std::int32_t code;
        TDateTime date;
        std::int32_t expected;
    } cases[] = {
        {15, 2, EncodeDate(2019, 10, 1), 2}, {15, 0, EncodeDate(2015, 4, 1), 3},  {15, 4, EncodeDate(2000, 1, 1), 4},
        {15, 0, EncodeDate(2019, 10, 1), 0}, {15, 0, EncodeDate(2019, 9, 30), 3}, {15, 1, EncodeDate(2024, 1, 1), 1},
        {15, 3, EncodeDate(1990, 1, 1), 1},  {15, 0, EncodeDate(1980, 1, 1), 0},  {15, 9, EncodeDate(1998, 1, 1), 2},
        {10, 0, EncodeDate(2015, 4, 1), 0},  {10, 0, EncodeDate(2010, 4, 1), 2},  {10, 4, EncodeDate(2020, 1, 1), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.major) + " " + std::to_string(c.code) + " " +
                     FormatDateTime("yyyy/mm/dd", c.date));
        context.settings.VersionMajor = c.major;
        BuildZeiRituList(0);
        EXPECT_EQ(ResolveTaxRateCode(c.code, c.date), c.expected);
    }
}

}  // namespace
