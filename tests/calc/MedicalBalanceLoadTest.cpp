// The medical chart's balance and budget load on a real medical company
// database at its last version: two earlier years written into KAKOZAN
// for two facilities (and a sub-account), budgets written into the period
// rows and actual figures posted through the journal triggers. Every
// period of the three years, the openings by year, the budgets and the
// totals rolled up from them against sums this test takes of what it
// wrote.

#include "CalcTestSupport.h"

#include "calc/engine/MedicalBalanceLoad.h"
#include "platform/DateTime.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using calctest::BalanceArrays;
using calctest::CompanyDataTest;
using calctest::Yen;
using schematest::Session;

// A year of KAKOZAN for one key: its opening and sixteen movements (with
// tax; without tax one yen less each).
struct PastRow {
    int nendo;
    std::string scode, bcode, kcode, hcode;
    long long kishu;
    std::array<long long, 17> zan{};
};

class MedicalBalanceLoadTest : public CompanyDataTest {
protected:
    // Facilities F1 (kind 8) and F2 (kind 4) with the department D1, a
    // sub-account H1 of the revenue 4101 in F1, and the few totals the
    // checks read: cash rolls into T2, revenue into T26, the expense 5102
    // into T33.
    void SetUp() override
    {
        CompanyDataTest::SetUp();
        Copy(dbtest::DataKind::Medical, "");
        Session s(Path());
        s.Exec("DELETE FROM ACCTOTALNAME");
        const std::pair<int, const char*> totals[] = {{2, "1180"},  {11, "1900"}, {24, "3900"},
                                                      {26, "4120"}, {33, "5180"}, {53, "9600"}};
        for (const auto& [position, code] : totals)
            s.Exec(
                "INSERT INTO ACCTOTALNAME (REC, MB_JIGYOU, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME, MINUSNAME, MODIFY)"
                " VALUES (" +
                std::to_string(position) + ", 31, '" + code + "', 0, " + std::to_string(position) + ", 'T', '', 0)");
        for (const std::string b : {"D1", "D2"})
            s.Exec("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('" + b + "', '" + b + "') MATCHING (BCODE)");
        for (const auto& [scode, kind] : {std::pair{"F1", 8}, {"F2", 4}}) {
            s.Exec(std::string("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX, MB_JIGYOU) VALUES ('") + scode +
                   "', 'F', 1, " + std::to_string(kind) + ")");
            for (const char* bcode : {"D1", "D2"})
                s.Exec(std::string("UPDATE OR INSERT INTO SISETUBUM (SCODE, BCODE) VALUES ('") + scode + "', '" +
                       bcode + "') MATCHING (SCODE, BCODE)");
            for (const char* bcode : {" ", "D1", "D2"})
                for (const char* kcode : {"1101", "4101", "5102"})
                    s.Exec(std::string("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('") +
                           scode + "', '" + kcode + "', ' ', '" + bcode + "') MATCHING (SCODE, KCODE, HCODE, BCODE)");
        }
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('4101', 'H1', 'H1')");
        s.Exec(
            "UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('F1', '4101', 'H1', ' ')"
            " MATCHING (SCODE, KCODE, HCODE, BCODE)");
        for (const std::string g : {"D1", "D2"})
            s.Exec("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '" + g + "')");
    }

    void OpenMedical(int kaisino = 1)
    {
        Session(Path()).Exec("UPDATE ACCDEF1 SET KAISINO = " + std::to_string(kaisino) + " WHERE REC = 1");
        Open();
        AccInf.SIME = 99;
        AccInf.KISHU = EncodeDate(2024, 4, 1);
        AccInf.KIMATU = EncodeDate(2025, 3, 31);
        AccInf.zKISHU = 0;
        AccInf.zzKISHU = 0;
    }

    // Writes the years of the accounts into every facility and the
    // departments given, amounts from one counter, and keeps them.
    void WritePast(const std::vector<int>& years, const std::vector<std::string>& departments)
    {
        Session s(Path());
        long long n = 0;
        for (const int nendo : years)
            for (const std::string scode : {"F1", "F2"})
                for (const std::string& bcode : departments)
                    for (const auto& [kcode, hcode] :
                         {std::pair{"1101", " "}, {"4101", " "}, {"4101", "H1"}, {"5102", " "}}) {
                        if (std::string(hcode) == "H1" && (scode != "F1" || bcode != " "))
                            continue;
                        PastRow row{nendo, scode, bcode, kcode, hcode, 1000 * ++n, {}};
                        std::string columns, values;
                        for (int t = 1; t <= 16; ++t) {
                            row.zan[static_cast<std::size_t>(t)] = (n * 7 + t * 3) % 50 + 2;
                            columns += ", KOMIZAN_" + std::to_string(t) + ", NUKIZAN_" + std::to_string(t);
                            values += ", " + std::to_string(row.zan[static_cast<std::size_t>(t)]) + ", " +
                                      std::to_string(row.zan[static_cast<std::size_t>(t)] - 1);
                        }
                        s.Exec("INSERT INTO KAKOZAN (NENDO, SCODE, BCODE, KCODE, HCODE, KISHU" + columns +
                               ") VALUES (" + std::to_string(nendo) + ", '" + scode + "', '" + bcode + "', '" + kcode +
                               "', '" + hcode + "', " + std::to_string(row.kishu) + values + ")");
                        past_.push_back(row);
                    }
    }

    // The year's opening and movements summed over the rows the filter
    // takes (tax mode 0 or 1).
    template <typename Take>
    PastRow Sum(int nendo, int tax, Take take) const
    {
        PastRow sum{nendo, "", "", "", "", 0, {}};
        for (const PastRow& r : past_) {
            if (r.nendo != nendo || !take(r))
                continue;
            sum.kishu += r.kishu;
            for (std::size_t t = 1; t <= 16; ++t)
                sum.zan[t] += r.zan[t] - (tax == 1 ? 1 : 0);
        }
        return sum;
    }

    static const TBALANCE& Account(const BalanceArrays& a, const std::string& kcode)
    {
        for (std::size_t i = FirstAccountRowMedical; i < a.rows.size(); ++i)
            if (a.rows[i].KMK.KCODE == kcode)
                return a.rows[i];
        ADD_FAILURE() << "no row for " << kcode;
        return a.rows[0];
    }

    // The periods of the year at indexes from..from+15 as running balances
    // and changes of the sum.
    template <typename Row>
    static void ExpectYear(const Row& row, const PastRow& sum, int from)
    {
        Currency balance = Yen(sum.kishu);
        for (int t = 1; t <= 16; ++t) {
            balance += Yen(sum.zan[static_cast<std::size_t>(t)]);
            EXPECT_EQ(row.PeriodChange[from + t - 1], Yen(sum.zan[static_cast<std::size_t>(t)])) << from + t - 1;
            EXPECT_EQ(row.PeriodBalance[from + t - 1], balance) << from + t - 1;
        }
    }

    bool Load(BalanceArrays& a, const std::string& scode, const std::string& bcode, int tax, int scope, int layout,
              int kind = 0)
    {
        return LoadBalancesMedical(a.rows, a.High(), a.order, a.High(), scode, bcode, tax, scope, layout, 0, kind, 2,
                                   0);
    }

    std::vector<PastRow> past_;
};

// The whole data in the standard layout, in both tax modes: each account's
// two earlier years, its openings by year and the sub-account's own; the
// totals of every earlier period and of the openings.
TEST_F(MedicalBalanceLoadTest, EarlierYearsOfEveryAccountAndTotalFollowKakozan)
{
    WritePast({1, 2}, {" ", "D1"});
    OpenMedical();
    for (const int tax : {0, 1}) {
        SCOPED_TRACE("tax mode " + std::to_string(tax));
        BalanceArrays a(BalanceCapacityMedical);
        ASSERT_TRUE(Load(a, " ", " ", tax, 0, 0));
        for (const std::string kcode : {"1101", "4101", "5102"}) {
            SCOPED_TRACE(kcode);
            const auto mine = [&](const PastRow& r) { return r.kcode == kcode; };
            const TBALANCE& row = Account(a, kcode);
            ExpectYear(row, Sum(1, tax, mine), -15);
            ExpectYear(row, Sum(2, tax, mine), -31);
            EXPECT_EQ(row.PeriodBalance[-32], Yen(Sum(2, tax, mine).kishu));
            EXPECT_EQ(row.OpeningByYear[2], Yen(Sum(1, tax, mine).kishu));
            EXPECT_EQ(row.OpeningByYear[3], Yen(Sum(2, tax, mine).kishu));
        }
        const TBALANCE& revenue = Account(a, "4101");
        ASSERT_FALSE(revenue.Hojo.empty());
        const THOJOUTIWAKE& sub = revenue.Hojo.back();
        ASSERT_EQ(sub.HCODE, "H1");
        const auto h1 = [](const PastRow& r) { return r.hcode == "H1"; };
        ExpectYear(sub, Sum(1, tax, h1), -15);
        EXPECT_EQ(sub.PeriodBalance[-32], Yen(Sum(2, tax, h1).kishu));
        EXPECT_EQ(sub.OpeningByYear[3], Yen(Sum(2, tax, h1).kishu));

        // Cash alone makes the assets and, balanced by the sheet's own
        // balancing figure, the liabilities and net assets; revenue less
        // expense is the profit.
        const TBALANCE& cash = Account(a, "1101");
        const auto T = [&](int n) -> const TBALANCE& { return a.rows[static_cast<std::size_t>(n)]; };
        for (const int i : {-32, -20, -1, 0}) {
            EXPECT_EQ(T(2).PeriodBalance[i], cash.PeriodBalance[i]) << i;
            EXPECT_EQ(T(11).PeriodBalance[i], cash.PeriodBalance[i]) << i;
            EXPECT_EQ(T(53).PeriodChange[i], revenue.PeriodChange[i] - Account(a, "5102").PeriodChange[i]) << i;
        }
        for (std::size_t y = 2; y <= 3; ++y) {
            EXPECT_EQ(T(11).OpeningByYear[y], cash.OpeningByYear[y]) << y;
            EXPECT_EQ(T(24).OpeningByYear[y], cash.OpeningByYear[y]) << y;
        }
    }
}

// Budgets of both facilities in the periods, the journal's actual figures,
// and the settlement actual folded into the month before it only while
// that month has no entered figure (5102 has one in F1's period 3).
TEST_F(MedicalBalanceLoadTest, BudgetsActualFiguresAndTheirTotals)
{
    {
        Session s(Path());
        s.Exec(
            "UPDATE KAMOKU_MS SET BYOSAN = 10 * MNUM + IIF(SCODE = 'F1', 1, 2), BYOSAN2 = MNUM, BYOSAN3 = 3"
            " WHERE SCODE IN ('F1', 'F2') AND BCODE = ' ' AND HCODE = ' ' AND KCODE IN ('4101', '5102')");
        // Expense against revenue, 1000 + tax 100 in F1's period 3 and
        // 200 + 20 in F2's period 4.
        int rec = 700000;
        for (const auto& [scode, mnum, net] : {std::tuple{"F1", 3, 1000}, {"F2", 4, 200}})
            for (const auto& [side, kcode, taxuh] : {std::tuple{1, "5102", 2}, {2, "4101", 1}}) {
                ++rec;
                s.Exec(
                    "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM, TAXUH,"
                    " NUK, ZEI) VALUES (" +
                    std::to_string(rec) + ", " + std::to_string((rec + 1) / 2) + ", " + std::to_string((rec + 1) / 2) +
                    ", 0, " + std::to_string(side) + ", '" + scode + "', '" + kcode + "', ' ', ' ', " +
                    std::to_string(mnum) + ", " + std::to_string(taxuh) + ", " + std::to_string(net) + ", " +
                    std::to_string(net / 10) + ")");
            }
        s.Exec(
            "UPDATE KAMOKU_MS SET RW_JISSEKI_KBN = 1, RW_JISSEKI = 5000"
            " WHERE SCODE = 'F1' AND KCODE = '5102' AND HCODE = ' ' AND BCODE = ' ' AND MNUM = 3");
    }
    OpenMedical();
    BalanceArrays a(BalanceCapacityMedical);
    ASSERT_TRUE(Load(a, " ", " ", 0, 0, 0));
    const TBALANCE& revenue = Account(a, "4101");
    const TBALANCE& expense = Account(a, "5102");
    for (std::size_t j = 1; j <= 15; ++j) {
        const Currency budget = Yen(2 * 10 * static_cast<long long>(j) + 3);
        EXPECT_EQ(revenue.YOSAN[j], budget) << j;
        EXPECT_EQ(expense.Budgets[0][j], budget) << j;
        EXPECT_EQ(expense.Budgets[1][j], Yen(2 * static_cast<long long>(j))) << j;
        EXPECT_EQ(expense.Budgets[2][j], Yen(6)) << j;
    }
    // Revenue: 1100 booked in period 3 and 220 in period 4, folded into 3.
    EXPECT_EQ(revenue.JISSEKI[3], Yen(1320));
    EXPECT_EQ(revenue.PeriodFlags[3], 0);
    // Expense: F1's entered 5000 stands for period 3 and keeps period 4 out.
    EXPECT_EQ(expense.JISSEKI[3], Yen(5000));
    EXPECT_EQ(expense.PeriodFlags[3], 1);
    // The profit's budgets: revenue less expense, which are equal here;
    // its actual figures the difference of theirs.
    const TBALANCE& profit = a.rows[53];
    EXPECT_EQ(profit.YOSAN[5], 0);
    EXPECT_EQ(profit.JISSEKI[3], Yen(1320 - 5000));
    EXPECT_EQ(a.rows[26].Budgets[1][7], Yen(14));
    EXPECT_EQ(a.rows[33].JISSEKI[3], Yen(5000));
}

// Data starting with its fourth month: the periods before it (1 to 4)
// come from the current year's KAKOZAN rows, the opening of this year is
// theirs, and a previous year of six months loses the periods it did not
// have, its settlement closing it.
TEST_F(MedicalBalanceLoadTest, DataStartingLaterAndAShortPreviousYear)
{
    WritePast({0, 1}, {" "});
    OpenMedical(4);
    AccInf.zKISHU = EncodeDate(2023, 10, 1);
    BalanceArrays a(BalanceCapacityMedical);
    ASSERT_TRUE(Load(a, " ", " ", 0, 0, 0));
    const auto cash = [](const PastRow& r) { return r.kcode == "1101"; };
    const TBALANCE& row = Account(a, "1101");
    const PastRow current = Sum(0, 0, cash);
    Currency balance = Yen(current.kishu);
    for (int p = 1; p <= 4; ++p) {
        balance += Yen(current.zan[static_cast<std::size_t>(p)]);
        EXPECT_EQ(row.PeriodBalance[p], balance) << p;
    }
    EXPECT_EQ(row.OpeningByYear[0], Yen(current.kishu));
    EXPECT_EQ(row.OpeningByYear[1], Yen(current.kishu));
    // Six months: periods 1 to 7 stay (indexes -15 to -9), 8 to 15 go.
    const PastRow previous = Sum(1, 0, cash);
    Currency kept = Yen(previous.kishu);
    for (int t = 1; t <= 7; ++t)
        kept += Yen(previous.zan[static_cast<std::size_t>(t)]);
    EXPECT_EQ(row.PeriodBalance[-9], kept);
    for (int i = -8; i <= -1; ++i)
        EXPECT_EQ(row.PeriodBalance[i], 0) << i;
    EXPECT_EQ(row.PeriodChange[0], row.PeriodBalance[0] - kept);
}

// Scope 4 and the layouts read by line: the departments of the group
// within the facility add up (also their openings of this year, with data
// that starts later), and the A4 and settlement layouts place the years by
// their lines.
TEST_F(MedicalBalanceLoadTest, DepartmentGroupAndLayoutsByLine)
{
    WritePast({0, 1}, {" ", "D1", "D2"});
    OpenMedical(2);
    const auto expense = [](const std::string& scode, std::set<std::string> departments) {
        return [=](const PastRow& r) { return r.kcode == "5102" && r.scode == scode && departments.count(r.bcode); };
    };
    {
        BalanceArrays a(BalanceCapacityMedical);
        ASSERT_TRUE(Load(a, "F1", "G1", 0, 4, 0));
        const TBALANCE& row = Account(a, "5102");
        ExpectYear(row, Sum(1, 0, expense("F1", {"D1", "D2"})), -15);
        EXPECT_EQ(row.OpeningByYear[0], Yen(Sum(0, 0, expense("F1", {"D1", "D2"})).kishu));
    }
    {
        BalanceArrays a(BalanceCapacityMedical);
        ASSERT_TRUE(Load(a, "F2", " ", 1, 2, 1));
        ExpectYear(Account(a, "5102"), Sum(1, 1, expense("F2", {" ", "D1", "D2"})), -15);
    }
    {
        BalanceArrays a(BalanceCapacityMedical);
        ASSERT_TRUE(Load(a, " ", " ", 0, 0, 3));
        ExpectYear(Account(a, "5102"), Sum(1, 0, [](const PastRow& r) { return r.kcode == "5102"; }), -15);
    }
}

}  // namespace
