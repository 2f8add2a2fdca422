// The period-range calculation of the general chart on rows built by hand
// (no data module: the profit rows keep their names).

#include "calc/AccountCodeTables.h"
#include "calc/BalanceRows.h"
#include "calc/engine/RangeCalculation.h"
#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/SystemDef.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr Currency Yen(long long yen)
{
    return yen * CurrencyScale;
}

class RangeCalculationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DM.reset();
        SetupAccountCodeTables(0);
        AccInf.DATATYPE = 1;
        AccInf.KAISINO = 1;
        SystemDef.SettlementBillOffset = 0;
        rows.resize(60);
    }
    void TearDown() override
    {
        AccInf = savedAccInf_;
        SystemDef = savedSystem_;
    }

    // An account at row index with its opening and the same debit and
    // credit in every period 1 to 16.
    TBALANCE& Account(int index, const char* group, int side, const char* bspl, long long opening, long long debit,
                      long long credit)
    {
        TBALANCE& row = rows[static_cast<std::size_t>(index)];
        row.KMK.KCODE = std::to_string(index);
        row.KMK.GROUPM2 = group;
        row.KMK.TAISHAKU = side;
        row.KMK.BSPL = bspl;
        row.KAISIZAN = Yen(opening);
        row.PeriodBalance[0] = row.KAISIZAN;
        for (int p = 1; p <= 16; ++p) {
            row.KAR[p] = Yen(debit);
            row.KAS[p] = Yen(credit);
            row.PeriodChange[p] = SignedMovement(side, row.KAR[p], row.KAS[p]);
            row.PeriodBalance[p] = row.PeriodBalance[p - 1] + row.PeriodChange[p];
        }
        return row;
    }

    void Calc(int kind, int first, int last, int noOpening = 0)
    {
        CalcBalancePeriodsGeneral(rows, static_cast<int>(rows.size()) - 1, noOpening, kind, first, last);
    }

    std::vector<TBALANCE> rows;
    RecordingMessagePresenter presenter;

private:
    const TACCINF savedAccInf_ = AccInf;
    const TSystemDef savedSystem_ = SystemDef;
};

TEST_F(RangeCalculationTest, RangeKindsChooseThePeriodsAndTheOpening)
{
    struct Case {
        int kind, first, last, noOpening;
        long long opening, debit, credit;  // of a balance-sheet account
        long long plOpening;               // of a profit-and-loss account
    };
    // Opening 1000, then 100 debit and 10 credit in every period.
    const Case cases[] = {
        {0, 1, 1, 0, 1000, 100, 10, 1000}, {0, 5, 8, 0, 1360, 400, 40, 1360}, {0, 1, 16, 1, 0, 1600, 160, 0},
        {1, 9, 9, 0, 1000, 400, 40, 1000}, {2, 1, 1, 0, 1360, 400, 40, 0},    {3, 0, 0, 0, 1720, 400, 40, 0},
        {4, 0, 0, 0, 2080, 400, 40, 0},    {5, 0, 0, 0, 1000, 800, 80, 1000}, {6, 0, 0, 0, 1720, 800, 80, 0},
        {7, 2, 3, 0, 1090, 200, 20, 0},    {7, 1, 3, 0, 1000, 300, 30, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.kind) + " " + std::to_string(c.first) + "-" + std::to_string(c.last));
        TBALANCE& bs = Account(51, "1100", 1, "B", 1000, 100, 10);
        TBALANCE& pl = Account(52, "6100", 1, "P", 1000, 100, 10);
        Calc(c.kind, c.first, c.last, c.noOpening);
        EXPECT_EQ(bs.RangeOpening, Yen(c.opening));
        EXPECT_EQ(bs.RangeDebit, Yen(c.debit));
        EXPECT_EQ(bs.RangeCredit, Yen(c.credit));
        EXPECT_EQ(bs.RangeClosing, Yen(c.opening + c.debit - c.credit));
        EXPECT_EQ(pl.RangeOpening, Yen(c.plOpening));
        EXPECT_EQ(pl.RangeClosing, Yen(c.plOpening + c.debit - c.credit));
    }
}

TEST_F(RangeCalculationTest, KindSevenKeepsTheProfitOpeningBeforeAMidYearStart)
{
    AccInf.KAISINO = 4;
    TBALANCE& pl = Account(51, "6100", 1, "P", 1000, 100, 10);
    Calc(7, 2, 3);
    EXPECT_EQ(pl.RangeOpening, Yen(1090));  // 4 is not below 2
    Calc(7, 5, 5);
    EXPECT_EQ(pl.RangeOpening, 0);
}

TEST_F(RangeCalculationTest, SidesSignTheClosingAndTheirSectionsSignTheTotals)
{
    // A liability with credit 100 and debit 30 in period 1 closes at 70 and
    // raises its total's credit by 100; an allowance lowers the assets.
    TBALANCE& liability = Account(51, "2100", 2, "B", 0, 30, 100);
    TBALANCE& cash = Account(52, "1100", 1, "B", 0, 500, 0);
    TBALANCE& allowance = Account(53, "1300", 2, "B", 0, 0, 20);
    Calc(0, 1, 1);
    EXPECT_EQ(liability.RangeClosing, Yen(70));
    EXPECT_EQ(rows[12].RangeClosing, Yen(70));
    EXPECT_EQ(rows[12].RangeCredit, Yen(100));
    EXPECT_EQ(rows[12].SumCount, 1);
    EXPECT_EQ(allowance.RangeClosing, Yen(20));
    EXPECT_EQ(rows[4].RangeClosing, Yen(-20));
    EXPECT_EQ(cash.RangeClosing, Yen(500));
    EXPECT_EQ(rows[11].RangeClosing, Yen(480));  // 500 - 20
    // Corporation without a "3340" account: the balancing figure goes to the
    // scratch row and still joins T21.
    EXPECT_EQ(rows[0].RangeClosing, Yen(480 - 70));
    EXPECT_EQ(rows[21].RangeClosing, Yen(410));
    EXPECT_EQ(rows[27].RangeClosing, rows[11].RangeClosing);
    // SumCount keeps counting across calls.
    Calc(0, 1, 1);
    EXPECT_EQ(rows[12].SumCount, 2);
}

TEST_F(RangeCalculationTest, BalancingRowTakesWhatBalancesTheSheet)
{
    Account(51, "1100", 1, "B", 1000, 100, 0);
    Account(52, "2100", 2, "B", 300, 0, 0);
    Account(53, "3100", 2, "B", 500, 0, 0);
    TBALANCE& retained = Account(54, "3340", 2, "B", 999, 7, 0);  // its own figures are replaced
    Account(55, "4100", 3, "P", 0, 0, 100);
    Account(56, "6100", 4, "P", 0, 0, 0);
    Calc(0, 1, 1);
    EXPECT_EQ(retained.RangeOpening, Yen(200));
    EXPECT_EQ(retained.RangeClosing, Yen(300));
    EXPECT_EQ(retained.RangeDebit, Yen(7));
    EXPECT_EQ(retained.RangeCredit, Yen(300 - 200 + 7));
    EXPECT_EQ(rows[27].RangeClosing, rows[11].RangeClosing);
    EXPECT_EQ(rows[36].RangeClosing, Yen(100));  // gross profit
    EXPECT_EQ(rows[45].RangeClosing, Yen(100));  // net income
}

TEST_F(RangeCalculationTest, YearOpeningViewStartsTheSheetAtTheFiscalYear)
{
    // Data that starts in the fourth month: the sheet's openings become the
    // balances at the start of the fiscal year, retained earnings balancing.
    AccInf.KAISINO = 4;
    TBALANCE& cash = Account(51, "1100", 1, "B", 1000, 0, 0);
    cash.KISHU0 = Yen(900);
    Account(52, "1300", 2, "B", 0, 0, 0).KISHU0 = Yen(50);  // an allowance
    Account(53, "2100", 2, "B", 300, 0, 0).KISHU0 = Yen(250);
    Account(54, "3100", 2, "B", 500, 0, 0).KISHU0 = Yen(500);
    TBALANCE& retained = Account(55, "3340", 2, "B", 0, 0, 0);
    Calc(7, 5, 8);
    EXPECT_EQ(cash.RangeOpening, Yen(900));
    EXPECT_EQ(cash.RangeClosing, Yen(1000));  // not recomputed
    EXPECT_EQ(rows[11].RangeOpening, Yen(850));
    EXPECT_EQ(rows[15].RangeOpening, Yen(250));
    EXPECT_EQ(retained.RangeOpening, Yen(100));  // 850 - 250 - 500
    EXPECT_EQ(rows[21].RangeOpening, Yen(100));
    EXPECT_EQ(rows[26].RangeOpening, Yen(600));
    EXPECT_EQ(rows[45].RangeCredit, retained.RangeClosing - retained.RangeOpening);
}

TEST_F(RangeCalculationTest, IndividualIncomeIsTheNetAssetsDifference)
{
    AccInf.DATATYPE = 2;
    Account(51, "1100", 1, "B", 1000, 100, 0);
    Account(52, "2100", 2, "B", 300, 0, 0);
    Account(53, "3100", 2, "B", 600, 0, 0);
    TBALANCE& ownCapital = Account(54, "3340", 2, "B", 50, 0, 0);  // zeroed, no plug for individuals
    Calc(0, 1, 1);
    EXPECT_EQ(ownCapital.RangeClosing, 0);
    EXPECT_EQ(rows[23].RangeOpening, Yen(100));
    EXPECT_EQ(rows[23].RangeClosing, Yen(200));
    EXPECT_EQ(rows[23].RangeDebit, 0);
    EXPECT_EQ(rows[23].RangeCredit, Yen(100));
    EXPECT_EQ(rows[26].RangeClosing, Yen(800));
}

TEST_F(RangeCalculationTest, SubAccountSharesAndRatiosAreLimited)
{
    TBALANCE& row = Account(51, "1100", 1, "B", 1, 0, 0);
    row.Hojo.resize(2);
    row.HOJCNT = 2;
    row.Hojo[0].KAISIZAN = Yen(200);
    row.Hojo[1].KAISIZAN = Yen(-199);
    Calc(0, 1, 1);
    EXPECT_EQ(row.Hojo[0].RangeClosing, Yen(200));
    EXPECT_EQ(row.Hojo[0].RangeRatio, 9999 * CurrencyScale);  // 20000 %
    EXPECT_EQ(row.Hojo[1].RangeRatio, -999 * CurrencyScale);
    row.KAISIZAN = 0;
    Calc(0, 1, 1);
    EXPECT_EQ(row.Hojo[0].RangeRatio, 0);  // the row closes at 0
    EXPECT_EQ(rows[11].RangeRatio, 100 * CurrencyScale);
}

TEST_F(RangeCalculationTest, FirstPeriodBelowOneIsReportedAndTheCalculationGoesOn)
{
    TBALANCE& row = Account(51, "1100", 1, "B", 1000, 100, 10);
    Calc(0, 0, 2);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_NE(presenter.shown[0].Text.find("期間番号は「1～16」です。 [0-2]"), std::string::npos);
    EXPECT_EQ(row.RangeDebit, Yen(200));
}

}  // namespace
