// The general chart's balance and budget load on copies of company data at
// its last version: a ledger of three fiscal years whose current year is
// posted through the journal triggers and whose earlier years are carried
// into KAKOZAN as the year-end carry-forward leaves them. Every balance,
// total and budget figure is checked against sums this test computes from
// its own journal lines.

#include "CalcTestSupport.h"

#include "calc/engine/CalcFront.h"
#include "calc/engine/BalanceLoad.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using calctest::BalanceArrays;
using calctest::CompanyDataTest;
using calctest::JournalSide;
using calctest::PostSide;
using calctest::Yen;
using schematest::Session;

// One side of a journal line of a fiscal year: 0 the current year, 1 the
// previous one, 2 the one before.
struct Side {
    int year;
    int taishaku;  // 1 debit, 2 credit
    const char* kcode;
    const char* hcode;
    int mnum;
    int taxuh;  // 1 tax received, 2 tax paid
    long long nuk;
    long long zei;
};

// The accounts the ledger uses: side (DAC of the shipped chart: 1 assets,
// 2 liabilities and net assets, 3 revenue, 4 expenses) and the total the
// account rolls into.
struct Account {
    const char* kcode;
    int dac;
    int total;
};

constexpr Account Accounts[] = {
    {"1101", 1, 1},   // cash
    {"1202", 1, 2},   // receivables, with sub-accounts
    {"1304", 1, 4},   // tax paid
    {"2102", 2, 12},  // payables
    {"2109", 2, 12},  // tax received
    {"3101", 2, 16},  // capital
    {"4101", 3, 28},  // sales
    {"6110", 4, 37},  // rent
};

// Balanced lines: capital paid in, sales on credit to two customers with
// tax, rent paid with tax, collections.
const std::vector<Side> Lines = {
    {2, 1, "1101", " ", 1, 0, 9000, 0},   {2, 2, "3101", " ", 1, 0, 9000, 0},   {2, 1, "1202", "01", 2, 0, 2200, 0},
    {2, 2, "4101", " ", 2, 1, 2000, 200}, {2, 1, "6110", " ", 5, 2, 500, 50},   {2, 2, "1101", " ", 5, 0, 550, 0},
    {2, 1, "1101", " ", 16, 0, 1000, 0},  {2, 2, "1202", "01", 16, 0, 1000, 0}, {1, 1, "1202", "02", 1, 0, 3300, 0},
    {1, 2, "4101", " ", 1, 1, 3000, 300}, {1, 1, "1202", "01", 7, 0, 1100, 0},  {1, 2, "4101", " ", 7, 1, 1000, 100},
    {1, 1, "6110", " ", 9, 2, 800, 80},   {1, 2, "2102", " ", 9, 0, 880, 0},    {1, 1, "1101", " ", 12, 0, 2000, 0},
    {1, 2, "1202", "02", 12, 0, 2000, 0}, {0, 1, "1202", "01", 1, 0, 550, 0},   {0, 2, "4101", " ", 1, 1, 500, 50},
    {0, 1, "1202", "02", 3, 0, 770, 0},   {0, 2, "4101", " ", 3, 1, 700, 70},   {0, 1, "1202", "01", 4, 0, 110, 0},
    {0, 2, "4101", " ", 4, 1, 100, 10},   {0, 1, "6110", " ", 4, 2, 300, 30},   {0, 2, "1101", " ", 4, 0, 330, 0},
};

const Account& AccountOf(const std::string& kcode)
{
    for (const Account& a : Accounts)
        if (kcode == a.kcode)
            return a;
    throw std::out_of_range(kcode);
}

// The movement of an account (or one sub-account of it, hcode not empty)
// in a period of a year, signed by the account's side: with tax the tax
// stays on the taxed line; without it, it moves to the suspense tax
// account of its class on the same side.
Currency Movement(const std::string& kcode, const std::string& hcode, int year, int mnum, int tax)
{
    const bool debitBalance = DebitBalanceSide(AccountOf(kcode).dac);
    Currency sum = 0;
    for (const Side& s : Lines) {
        if (s.year != year || s.mnum != mnum)
            continue;
        Currency amount = 0;
        if (kcode == s.kcode && (hcode.empty() || hcode == s.hcode))
            amount = s.nuk + (tax == 0 ? s.zei : 0);
        const char* suspense = s.taxuh == 1 ? "2109" : s.taxuh == 2 ? "1304" : "";
        if (tax == 1 && kcode == suspense && (hcode.empty() || hcode == " "))
            amount += s.zei;
        sum += (s.taishaku == 1) == debitBalance ? amount : -amount;
    }
    return Yen(sum);
}

// The opening of an earlier year (1 or 2) as the carry-forward wrote it:
// the balance-sheet accounts' balance without tax, nothing for profit and
// loss.
Currency Opening(const std::string& kcode, const std::string& hcode, int year)
{
    if (AccountOf(kcode).total >= 28)
        return 0;
    Currency sum = 0;
    for (int y = 2; y > year; --y)
        for (int p = 1; p <= 16; ++p)
            sum += Movement(kcode, hcode, y, p, 1);
    return sum;
}

// The period index of period p of a year.
int Index(int year, int p)
{
    return p - 16 * year;
}

// The period balance of an account or sub-account after period p of an
// earlier year, as the load computes it from the opening and movements.
Currency EarlierBalance(const std::string& kcode, const std::string& hcode, int year, int p, int tax)
{
    Currency sum = Opening(kcode, hcode, year);
    for (int i = 1; i <= p; ++i)
        sum += Movement(kcode, hcode, year, i, tax);
    return sum;
}

// The sub-account codes of an account in the ledger (" " the part without
// one, all that the suspense tax accounts have).
std::set<std::string> SubAccounts(const std::string& kcode)
{
    std::set<std::string> codes;
    for (const Side& s : Lines)
        if (kcode == s.kcode)
            codes.insert(s.hcode);
    if (codes.empty())
        codes.insert(" ");
    return codes;
}

const TBALANCE* FindAccount(const BalanceArrays& a, const std::string& kcode)
{
    for (std::size_t i = FirstAccountRowGeneral; i < a.rows.size(); ++i)
        if (a.rows[i].KMK.KCODE == kcode)
            return &a.rows[i];
    return nullptr;
}

const THOJOUTIWAKE* FindSub(const TBALANCE& row, const std::string& hcode)
{
    for (const THOJOUTIWAKE& sub : row.Hojo)
        if (sub.HCODE == hcode)
            return &sub;
    return nullptr;
}

class BalanceLoadTest : public CompanyDataTest {
protected:
    // The company data at its last version with the ledger: the current
    // year posted, the earlier years carried into KAKOZAN by facility ' '
    // and the department given, budgets and one entered actual figure.
    void Prepare(int kaisino = 1, const std::string& bcode = " ")
    {
        Copy(dbtest::DataKind::Corporation, "");
        Session s(Path());
        s.Exec("UPDATE ACCDEF1 SET KAISINO = " + std::to_string(kaisino) + " WHERE REC = 1");
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1202', '01', 'North')");
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1202', '02', 'South')");
        WriteEarlierYears(s, bcode, 1);
        int rec = 0;
        for (const Side& side : Lines)
            if (side.year == 0)
                PostSide(s, JournalSide{++rec, side.taishaku, side.kcode, side.hcode, " ", side.mnum, side.taxuh,
                                        side.nuk, side.zei});
        s.Exec(
            "UPDATE KAMOKU_MS SET BYOSAN = 100 * MNUM, BYOSAN2 = 1000 + MNUM, BYOSAN3 = 7"
            " WHERE SCODE = ' ' AND BCODE = ' ' AND HCODE = ' ' AND KCODE = '4101'");
        s.Exec(
            "UPDATE KAMOKU_MS SET BYOSAN = 10 * MNUM, BYOSAN2 = 1000 + MNUM, BYOSAN3 = 3"
            " WHERE SCODE = ' ' AND BCODE = ' ' AND HCODE = ' ' AND KCODE = '6110'");
        // The rent of the quarter's last month was entered as a figure: the
        // quarter's settlement no longer joins it.
        s.Exec(
            "UPDATE KAMOKU_MS SET RW_JISSEKI_KBN = 1, RW_JISSEKI = 5000"
            " WHERE SCODE = ' ' AND BCODE = ' ' AND HCODE = ' ' AND KCODE = '6110' AND MNUM = 3");
    }

    // Each account's and sub-account's earlier years, the amounts scaled by
    // factor (a department's share).
    static void WriteEarlierYears(Session& s, const std::string& bcode, int factor)
    {
        for (const Account& a : Accounts)
            for (const std::string& hcode : SubAccounts(a.kcode))
                for (int year : {1, 2}) {
                    std::string columns = "NENDO, SCODE, BCODE, KCODE, HCODE, KISHU";
                    std::string values = std::to_string(year) + ", ' ', " + schematest::Quote(bcode) + ", '" + a.kcode +
                                         "', " + schematest::Quote(hcode) + ", " +
                                         std::to_string(factor * Opening(a.kcode, hcode, year) / CurrencyScale);
                    for (int p = 1; p <= 16; ++p) {
                        columns += ", KOMIZAN_" + std::to_string(p) + ", NUKIZAN_" + std::to_string(p);
                        for (int tax : {0, 1})
                            values +=
                                ", " + std::to_string(factor * Movement(a.kcode, hcode, year, p, tax) / CurrencyScale);
                    }
                    s.Exec("INSERT INTO KAKOZAN (" + columns + ") VALUES (" + values + ")");
                }
    }

    // Opens the data with a fiscal year from April 2025 whose previous year
    // started at previousStart (0: twelve months earlier).
    void OpenData(TDateTime previousStart = 0)
    {
        Open();
        AccInf.KISHU = EncodeDate(2025, 4, 1);
        AccInf.SIME = 99;
        AccInf.zKISHU = previousStart;
        AccInf.zzKISHU = 0;
    }
};

// Every earlier-year period of every account and sub-account, the openings
// by year, the totals of totals with the balancing row and the ratios on
// every period of three years, and the budgets and actual figures with
// their totals, in each tax mode the arguments choose.
TEST_F(BalanceLoadTest, ThreeYearsAndBudgetsFollowTheLedgerInEachTaxMode)
{
    Prepare();
    {
        Session s(Path());
        // A line of an account that the data no longer has.
        s.Exec(
            "INSERT INTO KAKOZAN (NENDO, SCODE, BCODE, KCODE, HCODE, KISHU, KOMIZAN_1, NUKIZAN_1)"
            " VALUES (1, ' ', ' ', 'ZZZ9', ' ', 0, 44, 44)");
        s.Exec("UPDATE KAMOKUMST SET KEIHKUBU = 'K1' WHERE KCODE = '6110'");
    }
    OpenData();

    const struct {
        int tax;
        int trialBalanceMode;
        int kurikosi;  // -1: the data has no KURIKOSI1
        int taxdefuh;
        int earlierTax;  // the tax mode of the earlier years and budgets
    } cases[] = {
        {0, 0, -1, 1, 0}, {1, 0, -1, 0, 1}, {0, 1, -1, 1, 1}, {1, 1, -1, 0, 0}, {1, 1, 2, 1, 0}, {0, 1, 1, 0, 1},
    };
    bool columnAdded = false;
    for (const auto& c : cases) {
        SCOPED_TRACE("tax " + std::to_string(c.tax) + " mode " + std::to_string(c.trialBalanceMode) + " KURIKOSI1 " +
                     std::to_string(c.kurikosi) + " TAXDEFUH " + std::to_string(c.taxdefuh));
        if (c.kurikosi >= 0 && !columnAdded) {
            Session(Path()).Exec("ALTER TABLE ACCDEF1 ADD KURIKOSI1 INTEGER");
            columnAdded = true;
        }
        {
            Session s(Path());
            s.Exec("UPDATE ACCDEF1 SET TAXDEFUH = " + std::to_string(c.taxdefuh) +
                   (c.kurikosi >= 0 ? ", KURIKOSI1 = " + std::to_string(c.kurikosi) : std::string()) +
                   " WHERE REC = 1");
        }
        BalanceArrays a(BalanceCapacity());
        ASSERT_TRUE(
            LoadBalances(a.rows, a.High(), a.order, a.High(), " ", " ", c.tax, 0, 0, 0, 0, c.trialBalanceMode, 2, 0));
        EXPECT_TRUE(presenter.shown.empty());
        const int t = c.earlierTax;

        // Accounts and sub-accounts: both earlier years, period by period.
        for (const Account& account : Accounts) {
            SCOPED_TRACE(account.kcode);
            const TBALANCE* row = FindAccount(a, account.kcode);
            ASSERT_NE(row, nullptr);
            for (int year : {1, 2}) {
                EXPECT_EQ(row->OpeningByYear[static_cast<std::size_t>(year + 1)], Opening(account.kcode, "", year));
                for (int p = 1; p <= 16; ++p) {
                    EXPECT_EQ(row->PeriodChange[Index(year, p)], Movement(account.kcode, "", year, p, t)) << p;
                    EXPECT_EQ(row->PeriodBalance[Index(year, p)], EarlierBalance(account.kcode, "", year, p, t)) << p;
                }
            }
            EXPECT_EQ(row->PeriodBalance[-32], Opening(account.kcode, "", 2));
        }
        const TBALANCE& receivables = *FindAccount(a, "1202");
        for (const char* hcode : {"01", "02"}) {
            const THOJOUTIWAKE* sub = FindSub(receivables, hcode);
            ASSERT_NE(sub, nullptr) << hcode;
            EXPECT_EQ(sub->OpeningByYear[2], Opening("1202", hcode, 1)) << hcode;
            EXPECT_EQ(sub->PeriodBalance[0], EarlierBalance("1202", hcode, 1, 16, t)) << hcode;
            EXPECT_EQ(sub->PeriodBalance[-16], EarlierBalance("1202", hcode, 2, 16, t)) << hcode;
        }
        // The current year stays as the trial balance loaded it, in the
        // caller's tax mode.
        EXPECT_EQ(FindAccount(a, "4101")->PeriodChange[1], Movement("4101", "", 0, 1, c.tax));
        EXPECT_EQ(FindAccount(a, "6110")->KMK.KEIHKUBU, "K1");
        EXPECT_EQ(a.rows[0].PeriodChange[-15], Yen(44));  // the line without an account

        // Totals of every period: assets, liabilities, capital; the
        // balancing retained earnings close the sheet; sales and rent give
        // the profits.
        const TBALANCE& balancing = *FindAccount(a, "3302");
        for (int k = -32; k <= 16; ++k) {
            SCOPED_TRACE("period index " + std::to_string(k));
            std::map<std::string, Currency> balance;
            for (const Account& account : Accounts)
                balance[account.kcode] = FindAccount(a, account.kcode)->PeriodBalance[k];
            const Currency assets = balance["1101"] + balance["1202"] + balance["1304"];
            const Currency liabilities = balance["2102"] + balance["2109"];
            EXPECT_EQ(a.rows[11].PeriodBalance[k], assets);
            EXPECT_EQ(a.rows[15].PeriodBalance[k], liabilities);
            EXPECT_EQ(a.rows[16].PeriodBalance[k], balance["3101"]);
            EXPECT_EQ(balancing.PeriodBalance[k], assets - liabilities - balance["3101"]);
            EXPECT_EQ(a.rows[27].PeriodBalance[k], assets);
            EXPECT_EQ(a.rows[36].PeriodBalance[k], balance["4101"]);
            EXPECT_EQ(a.rows[38].PeriodBalance[k], balance["4101"] - balance["6110"]);
            if (assets != 0) {
                EXPECT_EQ(receivables.PeriodRatio[k],
                          ClampPercent(RatioToPercent(static_cast<double>(balance["1202"]) / assets)));
            }
            if (balance["4101"] != 0) {
                EXPECT_EQ(FindAccount(a, "6110")->PeriodRatio[k],
                          ClampPercent(RatioToPercent(static_cast<double>(balance["6110"]) / balance["4101"])));
            }
        }
        for (int year : {1, 2}) {
            const auto y = static_cast<std::size_t>(year + 1);
            const Currency assets = Opening("1101", "", year) + Opening("1202", "", year) + Opening("1304", "", year);
            EXPECT_EQ(a.rows[11].OpeningByYear[y], assets);
            EXPECT_EQ(balancing.OpeningByYear[y],
                      assets - Opening("2102", "", year) - Opening("2109", "", year) - Opening("3101", "", year));
        }

        // Budgets, and the actual figures with a quarter's settlement joining
        // its last month unless that month's figure was entered.
        const TBALANCE& sales = *FindAccount(a, "4101");
        const TBALANCE& rent = *FindAccount(a, "6110");
        for (std::size_t i = 1; i <= 15; ++i) {
            EXPECT_EQ(sales.YOSAN[i], Yen(100 * static_cast<long long>(i))) << i;
            EXPECT_EQ(sales.Budgets[0][i], Yen(100 * static_cast<long long>(i))) << i;
            EXPECT_EQ(rent.Budgets[1][i], Yen(1000 + static_cast<long long>(i))) << i;
            EXPECT_EQ(rent.Budgets[2][i], Yen(3)) << i;
            EXPECT_EQ(a.rows[36].YOSAN[i], Yen(100 * static_cast<long long>(i))) << i;
            EXPECT_EQ(a.rows[38].Budgets[0][i], Yen(90 * static_cast<long long>(i))) << i;
            EXPECT_EQ(a.rows[38].Budgets[2][i], Yen(4)) << i;
        }
        EXPECT_EQ(sales.JISSEKI[1], Movement("4101", "", 0, 1, t));
        EXPECT_EQ(sales.JISSEKI[3], Movement("4101", "", 0, 3, t) + Movement("4101", "", 0, 4, t));
        EXPECT_EQ(sales.PeriodFlags[3], 0);
        EXPECT_EQ(rent.JISSEKI[3], Yen(5000));
        EXPECT_EQ(rent.PeriodFlags[3], 1);
        EXPECT_EQ(a.rows[38].JISSEKI[3], sales.JISSEKI[3] - Yen(5000));
    }
}

// Data that starts in the fourth month of its year, after a previous year
// of six months: the periods before the start come from the current year's
// earlier balances (none past them), the year's opening replaces the
// data's own, and the short year's later periods are empty while its
// settlement closes the gap.
TEST_F(BalanceLoadTest, MidYearStartAfterASixMonthYear)
{
    Prepare(4);
    {
        Session s(Path());
        std::string columns = "NENDO, SCODE, BCODE, KCODE, HCODE, KISHU";
        std::string values = "0, ' ', ' ', '1101', ' ', 600";
        for (int p = 1; p <= 5; ++p) {
            columns += ", KOMIZAN_" + std::to_string(p);
            values += ", " + std::to_string(p == 5 ? 999 : 10 * p);
        }
        s.Exec("INSERT INTO KAKOZAN (" + columns + ") VALUES (" + values + ")");
    }
    OpenData(EncodeDate(2024, 10, 1));
    BalanceArrays a(BalanceCapacity());
    ASSERT_TRUE(LoadBalances(a.rows, a.High(), a.order, a.High(), " ", " ", 0, 0, 0, 0, 0, 0, 2, 0));

    const TBALANCE& cash = *FindAccount(a, "1101");
    EXPECT_EQ(cash.OpeningByYear[0], Yen(600));
    EXPECT_EQ(cash.OpeningByYear[1], Yen(600));
    const Currency before[] = {Yen(610), Yen(630), Yen(660), Yen(700)};
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(cash.PeriodChange[p], Yen(10 * p)) << p;
        EXPECT_EQ(cash.PeriodBalance[p], before[p - 1]) << p;
    }
    // Period 5 on is the journal's.
    EXPECT_EQ(cash.PeriodChange[5], Movement("1101", "", 0, 5, 0));
    // An account without lines of its own before the start opens at 0.
    EXPECT_EQ(FindAccount(a, "4101")->OpeningByYear[0], 0);

    // The previous year has periods 1 to 7: 8 to 15 show nothing and its
    // settlement moves from period 7 to the year's closing.
    for (const char* kcode : {"1202", "4101"}) {
        const TBALANCE& row = *FindAccount(a, kcode);
        for (int p = 8; p <= 15; ++p) {
            EXPECT_EQ(row.PeriodBalance[p - 16], 0) << kcode << " " << p;
            EXPECT_EQ(row.PeriodChange[p - 16], 0) << kcode << " " << p;
        }
        EXPECT_EQ(row.PeriodBalance[-9], EarlierBalance(kcode, "", 1, 7, 0)) << kcode;
        EXPECT_EQ(row.PeriodBalance[0], EarlierBalance(kcode, "", 1, 16, 0)) << kcode;
        EXPECT_EQ(row.PeriodChange[0], row.PeriodBalance[0] - row.PeriodBalance[-9]) << kcode;
        // The year before is a full one.
        EXPECT_EQ(row.PeriodBalance[-20], EarlierBalance(kcode, "", 2, 12, 0)) << kcode;
    }
}

// The scopes read their facility and departments: of two departments, one
// carrying twice the other's amounts, a department gives its own share, a
// group of both or the branch three times the ledger, the current year's
// opening included; the departments of a group add up in the same rows.
TEST_F(BalanceLoadTest, ScopesReadTheirDepartments)
{
    Prepare(4, "D1");
    {
        Session s(Path());
        for (const char* bcode : {"D1", "D2"}) {
            s.Exec(std::string("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('") + bcode + "', '" + bcode + "')");
            s.Exec(std::string("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '") + bcode + "')");
            for (const char* kcode : {"1101", "4101"})
                s.Exec(std::string("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '") +
                       kcode + "', ' ', '" + bcode + "') MATCHING (SCODE, KCODE, HCODE, BCODE)");
            s.Exec(std::string("INSERT INTO KAKOZAN (NENDO, SCODE, BCODE, KCODE, HCODE, KISHU, KOMIZAN_1) VALUES"
                               " (0, ' ', '") +
                   bcode + "', '1101', ' ', " + (bcode[1] == '1' ? "100" : "200") + ", 5)");
        }
        WriteEarlierYears(s, "D2", 2);
    }
    OpenData();
    const struct {
        int scope;
        const char* bcode;
        int factor;
    } cases[] = {{4, "G1", 3}, {3, "D2", 2}, {0, "D1", 1}, {2, " ", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE("scope " + std::to_string(c.scope) + " " + c.bcode);
        BalanceArrays a(BalanceCapacity());
        ASSERT_TRUE(LoadBalances(a.rows, a.High(), a.order, a.High(), " ", c.bcode, 0, c.scope, 0, 0, 0, 0, 2, 0));
        ASSERT_NE(FindAccount(a, "1101"), nullptr);
        const TBALANCE& cash = *FindAccount(a, "1101");
        const Currency opening = Yen(c.factor * 100);
        EXPECT_EQ(cash.OpeningByYear[0], opening);
        EXPECT_EQ(cash.OpeningByYear[1], opening);
        EXPECT_EQ(cash.PeriodBalance[1], opening + Yen(c.factor == 3 ? 10 : 5));
        EXPECT_EQ(cash.OpeningByYear[2], c.factor * Opening("1101", "", 1));
        for (int p : {1, 7, 16})
            EXPECT_EQ(FindAccount(a, "4101")->PeriodBalance[Index(1, p)],
                      c.factor * EarlierBalance("4101", "", 1, p, 0))
                << p;
    }
}

// The A4 layout finds its lines by group and line number (the cash line
// holds the account alone, in its own group), without sub-accounts.
TEST_F(BalanceLoadTest, FixedFormLayoutFindsItsLines)
{
    Prepare();
    OpenData();
    BalanceArrays a(BalanceCapacity());
    ASSERT_TRUE(LoadBalances(a.rows, a.High(), a.order, a.High(), " ", " ", 1, 0, 1, 0, 0, 0, 2, 0));
    const TBALANCE* cash = FindAccount(a, "1101");
    ASSERT_NE(cash, nullptr);
    for (int p : {1, 12, 16})
        EXPECT_EQ(cash->PeriodBalance[Index(1, p)], EarlierBalance("1101", "", 1, p, 1)) << p;
    EXPECT_EQ(cash->OpeningByYear[3], Opening("1101", "", 2));
    EXPECT_TRUE(cash->Hojo.empty());
}

// A trial balance that cannot be loaded (more accounts than rows) ends the
// load: the failure is shown once and reported, and nothing is added.
TEST_F(BalanceLoadTest, FailedTrialBalanceEndsTheLoad)
{
    Prepare();
    OpenData();
    BalanceArrays a(BalanceCapacity());
    EXPECT_FALSE(LoadBalancesGeneral(a.rows, 60, a.order, 60, " ", " ", 0, 0, 0, 0, 0));
    EXPECT_EQ(presenter.shown.size(), 1u);
    for (int i = 0; i <= 60; ++i)
        EXPECT_EQ(a.rows[static_cast<std::size_t>(i)].OpeningByYear[2], 0) << i;
}

}  // namespace
