#include "calc/TaxAmounts.h"

#include "TestTaxContext.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

Currency Yen(double value)
{
    return static_cast<Currency>(value * CurrencyScale + (value < 0 ? -0.5 : 0.5));
}

TEST(RoundTaxAmount, CutsRoundsOrTakesTheNextYen)
{
    const struct {
        std::int32_t mode;
        double amount, expected;
    } cases[] = {
        {0, 12.9, 12},   {0, -12.9, -12}, {1, 12.5, 13},   {1, 12.4999, 12}, {1, -12.5, -13},
        {1, -12.4, -12}, {2, 12.1, 13},   {2, 12.0, 12},   {2, 0.0001, 1},   {2, -12.1, -13},
        {7, 12.5, 13},   {7, -12.5, -13}, {-1, 12.49, 12}, {0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + " of " + std::to_string(c.amount));
        EXPECT_EQ(RoundTaxAmount(c.mode, Yen(c.amount)), Yen(c.expected));
        EXPECT_EQ(RoundTaxAmount(c.mode, c.amount), c.expected);
    }
}

// An entry of 1 yen units with the automatic calculation on.
TSWKREC Entry(double amount, std::int32_t taxCalcu, std::int32_t debitCode, std::int32_t creditCode)
{
    TSWKREC e;
    e.HIZUKE = EncodeDate(2024, 4, 1);
    e.KINGAKU = Yen(amount);
    e.AUTCALCU = 1;
    e.TAXCALCU = taxCalcu;
    e.Debit.KCODE = "5000";
    e.Debit.TAXCODE = debitCode;
    e.Credit.KCODE = "1000";
    e.Credit.TAXCODE = creditCode;
    return e;
}

TEST(CalcEntryTax, TaxIncludedAndExcludedWithTheDataRounding)
{
    TestTaxContext context;
    struct Case {
        const char* name;
        double amount;
        std::int32_t taxCalcu, rateCode, hasuu;
        double tax, nuk;
    };
    const Case cases[] = {
        {"included 10% of 1100", 1100, 0, 0, 0, 100, 1000},
        {"excluded 8% of 1001, cut", 1001, 1, 3, 0, 80, 1001},
        {"excluded 8% of 1001, next yen", 1001, 1, 3, 2, 81, 1001},
        {"included 8% of 1000, half up", 1000, 0, 3, 1, 74, 926},   // 74.07
        {"included 10% of 1000, cut", 1000, 0, 0, 0, 90, 910},      // 90.909
        {"excluded 5% of 1010, half up", 1010, 1, 2, 1, 51, 1010},  // 50.5
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        context.settings.TAXH_HASUU = c.hasuu;
        TSWKREC e = Entry(c.amount, c.taxCalcu, 511, 910);
        e.OLDRATE = c.rateCode;
        e.Debit.RateCode = c.rateCode;
        e.Credit.RateCode = c.rateCode;
        ASSERT_TRUE(CalcEntryTax(e));
        EXPECT_EQ(e.Debit.TAXUH, 2);
        EXPECT_EQ(e.Debit.ZEI, Yen(c.tax));
        EXPECT_EQ(e.Debit.NUK, Yen(c.nuk));
        EXPECT_EQ(e.ZEIGAKU, Yen(c.tax));
        EXPECT_EQ(e.Credit.ZEI, 0);
        EXPECT_EQ(e.Credit.RIT, 0);
        if (c.taxCalcu == 1)
            EXPECT_EQ(e.Credit.NUK, Yen(c.nuk + c.tax));  // the smaller side carries the whole sum
        else
            EXPECT_EQ(e.Credit.NUK, Yen(c.amount));
    }
}

TEST(CalcEntryTax, SalesUseTheirOwnRoundingAndTheSidesSetTheEntryRate)
{
    TestTaxContext context;
    context.settings.TAXU_HASUU = 2;
    context.settings.TAXH_HASUU = 0;
    TSWKREC e = Entry(1001, 1, 910, 110);
    e.OLDRATE = 0;
    e.Credit.RateCode = 4;  // reduced 8% on the sales side only
    ASSERT_TRUE(CalcEntryTax(e));
    EXPECT_EQ(e.Credit.RIT, 8 * CurrencyScale);
    EXPECT_EQ(e.Credit.ZEI, Yen(81));
    EXPECT_EQ(e.Debit.RIT, 0);
    EXPECT_EQ(e.OLDRATE, 4);
    EXPECT_EQ(e.ZEIGAKU, Yen(81));
}

TEST(CalcEntryTax, SuspenseAccountsCarryTheRateButNoTax)
{
    TestTaxContext context;
    TSWKREC e = Entry(500, 0, 711, 810);
    e.Debit.KCODE = "1560";   // 仮払消費税
    e.Credit.KCODE = "2240";  // 仮受消費税 with an out-of-scope code
    e.OLDRATE = 3;
    e.Debit.RateCode = 3;
    e.Credit.RateCode = 3;
    ASSERT_TRUE(CalcEntryTax(e));
    EXPECT_EQ(e.Debit.NUK, Yen(500));
    EXPECT_EQ(e.Debit.ZEI, 0);
    EXPECT_EQ(e.Debit.RIT, 8 * CurrencyScale);
    EXPECT_EQ(e.Credit.RIT, 0);
    EXPECT_EQ(e.ZEIGAKU, 0);
}

TEST(CalcEntryTax, ManualTaxAndSpecifiedPurchases)
{
    TestTaxContext context;
    // Manual calculation: the entered tax (cut to whole yen) is taken as it is.
    TSWKREC e = Entry(1100.7, 0, 511, 910);
    e.AUTCALCU = 0;
    e.ZEIGAKU = Yen(99.9);
    ASSERT_TRUE(CalcEntryTax(e));
    EXPECT_EQ(e.KINGAKU, Yen(1100));
    EXPECT_EQ(e.Debit.NUK, Yen(1001));
    EXPECT_EQ(e.Debit.ZEI, Yen(99));

    // A specified purchase switches the calculation off.
    e = Entry(1100, 0, 551, 910);
    ASSERT_TRUE(CalcEntryTax(e));
    EXPECT_EQ(e.TAXCALCU, 2);
    EXPECT_EQ(e.Debit.NUK, Yen(1100));
    EXPECT_EQ(e.ZEIGAKU, 0);
    EXPECT_TRUE(context.reports.empty());
}

TEST(CalcSideTax, ReportsAnAmountItCannotForm)
{
    TestTaxContext context;
    // A manual tax of the wrong sign beside the largest amount.
    TSWKREC e = Entry(0, 0, 511, 910);
    e.AUTCALCU = 0;
    e.KINGAKU = std::numeric_limits<Currency>::max();
    e.ZEIGAKU = -Yen(1);
    EXPECT_FALSE(CalcSideTax(e, e.Debit));
    ASSERT_EQ(context.reports.size(), 1u);
    EXPECT_EQ(context.reports[0], "仕訳の消費税額が計算できません。");
}

}  // namespace
