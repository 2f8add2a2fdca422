// The earlier years and budgets of the facility x department accumulation
// (scope 6) of the general chart: the trial balance of scope 6 loaded
// first, then the earlier years of KAKOZAN and the budgets and actual
// figures of KAMOKU_MS added into its rows, compared with the sums the test
// forms from the rows it wrote.

#include "AccumulationTestSupport.h"

#include "calc/FiscalDates.h"
#include "calc/engine/BalanceAccumulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

using namespace acctest;

// One KAKOZAN row: a year's opening and the movements of its sixteen
// periods with tax and without.
struct PastRow {
    int nendo;
    std::string scode;
    std::string bcode;
    std::string kcode;
    std::string hcode;
    long long kishu;
    std::array<long long, 17> komi{};
    std::array<long long, 17> nuki{};
    std::string percent = "100";
};

class FacilityDepartmentBalancesTest : public AccumulationTest {
protected:
    void Past(Session& s, PastRow row)
    {
        std::string columns;
        std::string values;
        for (int n = 1; n <= 16; ++n) {
            columns +=
                ", KOMIZAN_" + std::to_string(n) + ", NUKIZAN_" + std::to_string(n) + ", HAIBUN_" + std::to_string(n);
            values += ", " + std::to_string(row.komi[static_cast<std::size_t>(n)]) + ", " +
                      std::to_string(row.nuki[static_cast<std::size_t>(n)]) + ", " + row.percent;
        }
        s.Exec("INSERT INTO KAKOZAN (NENDO, SCODE, BCODE, KCODE, HCODE, KISHU" + columns + ") VALUES (" +
               std::to_string(row.nendo) + ", '" + row.scode + "', '" + row.bcode + "', '" + row.kcode + "', '" +
               row.hcode + "', " + std::to_string(row.kishu) + values + ")");
        past_.push_back(std::move(row));
    }

    // A row of varied amounts, negative ones among them.
    static PastRow Varied(int nendo, const std::string& bcode, const std::string& kcode, const std::string& hcode,
                          int seed)
    {
        PastRow row{nendo, " ", bcode, kcode, hcode, 1000L * seed - 7 * nendo};
        for (std::size_t n = 1; n <= 16; ++n) {
            const long long amount = (seed * 100 + nendo * 10 + static_cast<long long>(n)) * (n % 3 == 0 ? -1 : 1);
            row.komi[n] = amount;
            row.nuki[n] = amount - static_cast<long long>(n);
        }
        return row;
    }

    // The sums over the rows written of the departments of G1.
    long long Opening(int nendo, const std::string& kcode, const std::string& hcode = {}) const
    {
        long long sum = 0;
        for (const PastRow& r : past_)
            if (InGroup(r, nendo, kcode, hcode))
                sum += r.kishu;
        return sum;
    }
    long long Movement(int nendo, int n, int tax, const std::string& kcode, const std::string& hcode = {}) const
    {
        long long sum = 0;
        for (const PastRow& r : past_)
            if (InGroup(r, nendo, kcode, hcode))
                sum += (tax == 1 ? r.nuki : r.komi)[static_cast<std::size_t>(n)];
        return sum;
    }

    // The trial balance of scope 6 over G1, the periods up to the data's
    // start cleared as the balance loaders clear them, then the
    // accumulation.
    BalanceArrays LoadBalances(int tax, int haibun)
    {
        BalanceArrays a = Load(6, "G1", tax, haibun);
        const int n = std::max(1, MonthToPeriodNo(AccInf.KAISINO - 1));
        const auto clear = [n](auto& r) {
            for (int p = 0; p < n; ++p) {
                r.PeriodChange[p] = 0;
                r.PeriodBalance[p] = 0;
            }
        };
        for (TBALANCE& row : a.rows) {
            clear(row);
            for (THOJOUTIWAKE& sub : row.Hojo)
                clear(sub);
        }
        TCalcSisanhyoSettingRec setting;
        setting.BCODE = "G1";
        setting.Scope = 6;
        setting.TAX = tax;
        setting.HAIBUN = haibun;
        setting.KESKUBUN = 2;
        setting.ZENTAX = -1;
        AccumulateBalances(a.rows, a.High(), a.order, a.High(), setting);
        return a;
    }

private:
    static bool InGroup(const PastRow& r, int nendo, const std::string& kcode, const std::string& hcode)
    {
        return r.nendo == nendo && r.kcode == kcode && (hcode.empty() || r.hcode == hcode) &&
               (r.bcode == "00" || r.bcode == "D1" || r.bcode == "D2");
    }

    std::vector<PastRow> past_;
};

// Two earlier years of cash (all departments of the group, one outside it,
// and a year the rows have no place for) and of a receivable's sub-account
// 01, in both tax modes; with a twelve-month previous year from the fiscal
// start, and with data that starts in the fourth month after a previous year
// of six months.
TEST_F(FacilityDepartmentBalancesTest, EarlierYearsMatchTheLedgerSums)
{
    Copy(dbtest::DataKind::Corporation, "");
    {
        Session s(Path());
        Prepare(s);
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1202', '01', 'North')");
        Balance(s, " ", "1101", " ", "D1", 5000);
        Balance(s, " ", "1202", "01", "D1", 300);
        int seed = 1;
        for (int nendo : {0, 1, 2})
            for (const char* bcode : {"00", "D1", "D2", " "}) {
                Past(s, Varied(nendo, bcode, "1101", " ", seed++));
                Past(s, Varied(nendo, bcode, "1202", "01", seed++));
            }
        Past(s, Varied(3, "D1", "1101", " ", 99));
    }

    const struct {
        int tax;
        int kaisino;
        int previousMonths;
    } cases[] = {{0, 1, 12}, {1, 1, 12}, {0, 4, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE("tax " + std::to_string(c.tax) + ", start month " + std::to_string(c.kaisino) +
                     ", previous year of " + std::to_string(c.previousMonths) + " months");
        OpenData();
        AccInf.KAISINO = c.kaisino;
        AccInf.YearStarts[1] = IncMonthClamped(-c.previousMonths, AccInf.YearStarts[0]);
        AccInf.YearStarts[2] = IncMonthClamped(-12, AccInf.YearStarts[1]);
        const BalanceArrays a = LoadBalances(c.tax, 0);

        const TBALANCE* cash = FindAccount(a, "1101");
        const TBALANCE* receivable = FindAccount(a, "1202");
        ASSERT_NE(cash, nullptr);
        ASSERT_NE(receivable, nullptr);
        ASSERT_EQ(receivable->HOJCNT, 1);
        const THOJOUTIWAKE& north = receivable->Hojo[0];
        ASSERT_EQ(north.HCODE, "01");

        const auto check = [&](const auto& r, const std::string& kcode) {
            EXPECT_EQ(r.OpeningByYear[2], Yen(Opening(1, kcode)));
            EXPECT_EQ(r.OpeningByYear[3], Yen(Opening(2, kcode)));
            EXPECT_EQ(r.PeriodBalance[-32], Yen(Opening(2, kcode)));
            long long balance = Opening(2, kcode);
            for (int n = 1; n <= 16; ++n) {
                balance += Movement(2, n, c.tax, kcode);
                EXPECT_EQ(r.PeriodChange[-32 + n], Yen(Movement(2, n, c.tax, kcode))) << "year 2 period " << n;
                EXPECT_EQ(r.PeriodBalance[-32 + n], Yen(balance)) << "year 2 period " << n;
            }
            balance = Opening(1, kcode);
            const int kept = MonthsBetweenToPeriod(99, AccInf.YearStarts[1], AccInf.YearStarts[0]);
            for (int n = 1; n <= 16; ++n) {
                balance += Movement(1, n, c.tax, kcode);
                if (n < kept || n == 16) {
                    EXPECT_EQ(r.PeriodBalance[-16 + n], Yen(balance)) << "year 1 period " << n;
                }
                if (n < kept) {
                    EXPECT_EQ(r.PeriodChange[-16 + n], Yen(Movement(1, n, c.tax, kcode))) << "year 1 period " << n;
                } else if (n < 16) {
                    EXPECT_EQ(r.PeriodBalance[-16 + n], 0) << "year 1 period " << n;
                }
            }
            // A shorter year shows the rest of its movement in its settlement.
            EXPECT_EQ(r.PeriodChange[0], r.PeriodBalance[0] - r.PeriodBalance[kept - 17]);
            if (c.kaisino > 1) {
                EXPECT_EQ(r.OpeningByYear[0], Yen(Opening(0, kcode)));
                balance = Opening(0, kcode);
                for (int n = 1; n <= 4; ++n) {
                    balance += Movement(0, n, c.tax, kcode);
                    EXPECT_EQ(r.PeriodChange[n], Yen(Movement(0, n, c.tax, kcode))) << "year 0 period " << n;
                    EXPECT_EQ(r.PeriodBalance[n], Yen(balance)) << "year 0 period " << n;
                }
            }
        };
        {
            SCOPED_TRACE("cash");
            check(*cash, "1101");
        }
        {
            SCOPED_TRACE("receivable's sub-account");
            check(north, "1202");
            check(*receivable, "1202");
        }
    }
}

// Budgets and actual figures of an expense: the first budget of every
// period, the three budgets of periods 1 to 15, the actual figure of a
// quarter's settlement period in the slot of the quarter's last month, the
// stored actual figure where marked; a balance-sheet account gets none.
TEST_F(FacilityDepartmentBalancesTest, BudgetsAndActualFiguresOfProfitAndLossAccounts)
{
    Copy(dbtest::DataKind::Corporation, "");
    {
        Session s(Path());
        Prepare(s);
        PostSide(s, {1, 1, "6110", " ", "D1", 3, 2, 700, 70});
        PostSide(s, {2, 2, "1101", " ", "D1", 3, 0, 770, 0});
        PostSide(s, {3, 1, "6110", " ", "D2", 4, 2, 50, 5});
        PostSide(s, {4, 2, "1101", " ", "D2", 4, 0, 55, 0});
        for (const char* bcode : {"D1", "D2", " "})
            for (const char* kcode : {"6110", "1101"})
                s.Exec(std::string("UPDATE KAMOKU_MS SET BYOSAN = MNUM * 100, BYOSAN2 = MNUM * 10, BYOSAN3 = -MNUM,"
                                   " RW_JISSEKI_KBN = IIF(MNUM = 8, 1, 0), RW_JISSEKI = 12345"
                                   " WHERE SCODE = ' ' AND HCODE = ' ' AND KCODE = '") +
                       kcode + "' AND BCODE = '" + bcode + "'");
    }
    for (int tax : {0, 1}) {
        SCOPED_TRACE("tax " + std::to_string(tax));
        OpenData();
        const BalanceArrays a = LoadBalances(tax, 0);
        const TBALANCE* expense = FindAccount(a, "6110");
        const TBALANCE* cash = FindAccount(a, "1101");
        ASSERT_NE(expense, nullptr);
        ASSERT_NE(cash, nullptr);
        for (int m = 1; m <= 16; ++m) {
            const auto at = static_cast<std::size_t>(m);
            EXPECT_EQ(expense->YOSAN[at], Yen(2 * 100 * m)) << m;  // D1 and D2, not ' '
            if (m <= 15) {
                EXPECT_EQ(expense->Budgets[0][at], Yen(2 * 100 * m)) << m;
                EXPECT_EQ(expense->Budgets[1][at], Yen(2 * 10 * m)) << m;
                EXPECT_EQ(expense->Budgets[2][at], Yen(-2 * m)) << m;
            }
            EXPECT_EQ(cash->YOSAN[at], 0) << m;
        }
        // Period 3 and the first quarter's settlement period 4 both land in
        // slot 3; period 8 holds the stored figure in both departments.
        EXPECT_EQ(expense->JISSEKI[3], Yen(tax == 0 ? 770 + 55 : 700 + 50));
        EXPECT_EQ(expense->JISSEKI[4], 0);
        EXPECT_EQ(expense->JISSEKI[7], Yen(2 * 12345));
        EXPECT_EQ(expense->PeriodFlags[7], 2);
        EXPECT_EQ(expense->PeriodFlags[3], 0);
        EXPECT_EQ(cash->JISSEKI[3], 0);
    }
}

// Allocation: the pass of "00" keeps only its weighted shares, the opening
// by the first ratio; D1 adds its own figures and its share of "00" by its
// own ratio of the year; D2 has no row of its own in that year and takes no
// share; a facility without departments takes no part.
TEST_F(FacilityDepartmentBalancesTest, AllocationSharesTheCommonDepartmentsEarlierYears)
{
    Copy(dbtest::DataKind::Corporation, "");
    {
        Session s(Path());
        Prepare(s);
        Facility(s, "S1", 1);
        Facility(s, "S3", 0);
        for (const char* bcode : {"00", "D1", "D2"})
            Balance(s, "S1", "1101", " ", bcode, 0);
        PastRow common{1, "S1", "00", "1101", " ", 1000};
        common.komi[1] = -1000;
        common.komi[2] = 999;
        common.percent = "50";
        Past(s, common);
        PastRow own{1, "S1", "D1", "1101", " ", 10};
        own.percent = "33.33";
        Past(s, own);
        PastRow elsewhere{1, "S3", "D1", "1101", " ", 5555};
        Past(s, elsewhere);
    }
    OpenData();
    const BalanceArrays a = LoadBalances(0, 1);
    const TBALANCE* cash = FindAccount(a, "1101");
    ASSERT_NE(cash, nullptr);
    EXPECT_EQ(cash->OpeningByYear[2], Yen(500 + 10 + 333));
    EXPECT_EQ(cash->PeriodChange[-15], Yen(-500 - 333));
    EXPECT_EQ(cash->PeriodChange[-14], Yen(499 + 332));
    EXPECT_EQ(cash->PeriodBalance[-14], Yen(843 - 833 + 831));
}

// Medical-corporation data: its account rows start at 61, and the earlier
// years find them there.
TEST_F(FacilityDepartmentBalancesTest, MedicalCorporationRows)
{
    Copy(dbtest::DataKind::Medical, "");
    {
        Session s(Path());
        Prepare(s);
        Balance(s, " ", "1101", " ", "D1", 5000);
        Past(s, Varied(1, "D1", "1101", " ", 3));
        Past(s, Varied(2, "D2", "1101", " ", 4));
    }
    OpenData();
    const BalanceArrays a = LoadBalances(0, 0);
    const TBALANCE* cash = FindAccount(a, "1101");
    ASSERT_NE(cash, nullptr);
    EXPECT_GE(cash - a.rows.data(), FirstAccountRowMedical);
    EXPECT_EQ(cash->OpeningByYear[2], Yen(Opening(1, "1101")));
    EXPECT_EQ(cash->PeriodBalance[-32], Yen(Opening(2, "1101")));
    EXPECT_EQ(cash->PeriodChange[-15], Yen(Movement(1, 1, 0, "1101")));
}

}  // namespace
