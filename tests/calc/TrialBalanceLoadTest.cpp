// The general chart's trial-balance load on copies of company databases
// built through the real updates, with journal rows posted through the
// journal triggers.

#include "CalcTestSupport.h"

#include "calc/engine/CalcFront.h"
#include "calc/engine/TrialBalanceLoad.h"
#include "calc/engine/TrialBalanceTotals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using calctest::BalanceArrays;
using calctest::CompanyDataTest;
using calctest::JournalSide;
using calctest::PostSide;
using calctest::Yen;
using schematest::Session;

const TBALANCE* FindAccount(const BalanceArrays& a, const std::string& kcode)
{
    for (std::size_t i = FirstAccountRowGeneral; i < a.rows.size(); ++i)
        if (a.rows[i].KMK.KCODE == kcode)
            return &a.rows[i];
    return nullptr;
}

bool Load(BalanceArrays& a, int tax, int rowsHigh = -1)
{
    const int high = rowsHigh < 0 ? a.High() : rowsHigh;
    return LoadTrialBalance(a.rows, high, a.order, high, " ", " ", tax, 0, 0, 2, 0, 0, 0);
}

class TrialBalanceLoadTest : public CompanyDataTest {};

TEST_F(TrialBalanceLoadTest, WholeCompanyFillsAccountsSubAccountsTotalsAndOrder)
{
    Copy();
    {
        Session s(Path());
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1202', '01', 'North')");
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1202', '02', 'South')");
        s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 5000 WHERE KCODE = '1101' AND HCODE = ' ' AND BCODE = ' '");
        s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 5000 WHERE KCODE = '3101' AND HCODE = ' ' AND BCODE = ' '");
        // Sales on credit to two customers and one without a sub-account,
        // with tax received; cash paid for an expense with tax paid.
        const JournalSide sides[] = {
            {1, 1, "1202", "01", " ", 1, 0, 1100, 0}, {2, 2, "4101", " ", " ", 1, 1, 1000, 100},
            {3, 1, "1202", "02", " ", 5, 0, 2200, 0}, {4, 2, "4101", " ", " ", 5, 1, 2000, 200},
            {5, 1, "1202", " ", " ", 16, 0, 330, 0},  {6, 2, "4101", " ", " ", 16, 1, 300, 30},
            {7, 1, "6110", " ", "00", 2, 2, 400, 40}, {8, 2, "1101", " ", " ", 2, 0, 440, 0},
        };
        for (const JournalSide& side : sides)
            PostSide(s, side);
        s.Exec(
            "INSERT INTO ACCTOTALNAME (REC, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME) VALUES (1, '1180', 2, 2, '当座資産合計')");
        s.Exec(
            "INSERT INTO ACCTOTALNAME (REC, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME) VALUES (2, '1390', 0, 5, '流動資産合計')");
        s.Exec(
            "INSERT INTO ACCTOTALNAME (REC, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME) VALUES (3, '3680', 1, 25, '新株予約権合計')");
        s.Exec(
            "INSERT INTO ACCTOTALNAME (REC, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME) VALUES (4, '9999', 0, 300, 'Stray')");
    }
    Open();

    for (int tax : {0, 1}) {
        SCOPED_TRACE("tax mode " + std::to_string(tax));
        BalanceArrays a(BalanceCapacity());
        ASSERT_TRUE(Load(a, tax));
        EXPECT_TRUE(presenter.shown.empty());

        const TBALANCE* cash = FindAccount(a, "1101");
        ASSERT_NE(cash, nullptr);
        EXPECT_EQ(cash->KAISIZAN, Yen(5000));
        EXPECT_EQ(cash->OpeningByYear[0], Yen(5000));
        EXPECT_EQ(cash->KAS[2], Yen(440));
        EXPECT_EQ(cash->PeriodChange[2], Yen(-440));
        EXPECT_EQ(cash->PeriodBalance[16], Yen(4560));
        EXPECT_EQ(cash->HOJCNT, 0);

        const TBALANCE* receivable = FindAccount(a, "1202");
        ASSERT_NE(receivable, nullptr);
        ASSERT_EQ(receivable->HOJCNT, 3);
        ASSERT_EQ(receivable->Hojo.size(), 3u);
        EXPECT_EQ(receivable->Hojo[0].HCODE, " ");  // the part without a sub-account comes first
        EXPECT_EQ(receivable->Hojo[0].KAR[16], Yen(330));
        EXPECT_EQ(receivable->Hojo[1].HCODE, "01");
        EXPECT_EQ(receivable->Hojo[1].HNAME, "North");
        EXPECT_EQ(receivable->Hojo[2].KAR[5], Yen(2200));
        EXPECT_EQ(receivable->Hojo[2].PeriodBalance[16], Yen(2200));
        EXPECT_EQ(receivable->PeriodBalance[16], Yen(3630));

        const TBALANCE* sales = FindAccount(a, "4101");
        ASSERT_NE(sales, nullptr);
        EXPECT_EQ(sales->KAS[1], Yen(tax == 0 ? 1100 : 1000));
        const TBALANCE* taxReceived = FindAccount(a, "2109");
        ASSERT_NE(taxReceived, nullptr);
        EXPECT_EQ(taxReceived->KAS[5], Yen(tax == 0 ? 0 : 200));

        EXPECT_EQ(FindAccount(a, "9999"), nullptr);  // group 9900 gives no row
        EXPECT_NE(a.rows[300].KMK.KNAME, "Stray");   // a total record may not reach an account row

        // Totals: names and group codes from ACCTOTALNAME; only the selector's
        // kinds and the common ones are keyed.
        EXPECT_EQ(a.rows[2].KMK.KNAME, "当座資産合計");
        EXPECT_EQ(a.rows[5].KMK.GROUPM2, "1390");
        EXPECT_EQ(a.rows[25].KMK.KNAME, "新株予約権合計");

        // The order: keys ascending, account keys group + code, unkeyed last.
        std::vector<std::string> keys;
        int accounts = 0;
        for (const TQSORT& entry : a.order) {
            keys.push_back(entry.Key);
            if (entry.Value >= FirstAccountRowGeneral && entry.Key != "ﾟ")
                ++accounts;
        }
        const auto keyed = std::find(keys.begin(), keys.end(), "ﾟ");
        EXPECT_TRUE(std::is_sorted(keys.begin(), keyed));
        auto position = [&](int row) {
            return std::find_if(a.order.begin(), a.order.end(), [&](const TQSORT& e) { return e.Value == row; }) -
                   a.order.begin();
        };
        EXPECT_EQ(a.order[static_cast<std::size_t>(position(2))].Key, "1180");
        EXPECT_EQ(a.order[static_cast<std::size_t>(position(25))].Key, "ﾟ");
        EXPECT_EQ(a.order[static_cast<std::size_t>(position(receivable - a.rows.data()))].Key, "11301202");
        EXPECT_LT(position(cash - a.rows.data()), position(receivable - a.rows.data()));
        EXPECT_LT(position(receivable - a.rows.data()), position(2));
        EXPECT_GT(accounts, 50);
    }
}

TEST_F(TrialBalanceLoadTest, DatabaseErrorFailsTheLoadAndIsShown)
{
    Copy();
    {
        Session s(Path());
        s.Exec(
            "ALTER PROCEDURE SP_SISANHYO (PTAX INTEGER, PSCODE VARCHAR(6), PSITENGROUP VARCHAR(6))"
            " RETURNS (X INTEGER) AS BEGIN X = 1 / (PTAX - PTAX); SUSPEND; END");
    }
    Open();
    BalanceArrays a(BalanceCapacity());
    EXPECT_FALSE(Load(a, 0));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_NE((presenter.shown[0].Caption + presenter.shown[0].Text).find("試算表読込"), std::string::npos);
    EXPECT_FALSE(DM->IBTransactionDATSS.InTransaction());
}

TEST_F(TrialBalanceLoadTest, MoreAccountsThanRowsFailsWithoutWritingPastThem)
{
    Copy();
    Open();
    BalanceArrays a(100);
    for (std::size_t i = 80; i < a.rows.size(); ++i) {
        a.rows[i].KMK.KCODE = "sentinel";
        a.order[i] = TQSORT{"sentinel", static_cast<int>(i)};
    }
    EXPECT_FALSE(Load(a, 0, 79));  // room for 29 accounts
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_NE(presenter.shown[0].Text.find("試算表読込"), std::string::npos);
    EXPECT_NE(presenter.shown[0].Text.find("29"), std::string::npos);
    for (std::size_t i = 80; i < a.rows.size(); ++i) {
        EXPECT_EQ(a.rows[i].KMK.KCODE, "sentinel") << i;
        EXPECT_EQ(a.order[i].Key, "sentinel") << i;
    }
    EXPECT_FALSE(DM->IBTransactionDATSS.InTransaction());
}

// A procedure that returns prepared records, for results the project's own
// procedure never gives.
void ReplaceTrialBalanceProcedure(const std::string& path)
{
    std::string columns =
        "GROUPM1 VARCHAR(6), GROUPM2 VARCHAR(6), USERCODE VARCHAR(6), KCODE VARCHAR(6),"
        " KNAME VARCHAR(14), BSPL VARCHAR(1), HOJCNT INTEGER, HCODE VARCHAR(6), HNAME VARCHAR(14),"
        " TAISHAKU INTEGER, KAISIZAN NUMERIC(16,4)";
    std::string names = "GROUPM1, GROUPM2, USERCODE, KCODE, KNAME, BSPL, HOJCNT, HCODE, HNAME, TAISHAKU, KAISIZAN";
    for (const char* side : {"KAR", "KAS"})
        for (int p = 1; p <= 16; ++p) {
            const std::string name = side + std::string(p < 10 ? "0" : "") + std::to_string(p);
            columns += ", " + name + " NUMERIC(16,4)";
            names += ", " + name;
        }
    std::string into;
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t comma = names.find(", ", start);
        into += (into.empty() ? ":" : ", :") + names.substr(start, comma - start);
        start = comma == std::string::npos ? names.size() : comma + 2;
    }
    {
        Session s(path);
        s.Exec("CREATE TABLE T_RECORDS (N INTEGER, " + columns + ")");
    }
    Session s(path);
    s.Exec("ALTER PROCEDURE SP_SISANHYO (PTAX INTEGER, PSCODE VARCHAR(6), PSITENGROUP VARCHAR(6)) RETURNS (" + columns +
           ") AS BEGIN FOR SELECT " + names + " FROM T_RECORDS ORDER BY N INTO " + into + " DO SUSPEND; END");
}

TEST_F(TrialBalanceLoadTest, SubAccountListsEndWhereTheirRecordsEnd)
{
    Copy();
    ReplaceTrialBalanceProcedure(Path());
    {
        Session s(Path());
        struct Record {
            const char* kcode;
            int hojcnt;
            const char* hcode;
            int kar01;
        };
        // A announces 2 and has its own part and both; B announces 3 but has
        // one before C starts; C announces 2 and the result ends after one.
        const Record records[] = {{"A", 2, "", 10},  {"A", 0, " ", 1},  {"A", 0, "01", 2},
                                  {"A", 0, "02", 3}, {"B", 3, "", 20},  {"B", 0, "01", 4},
                                  {"C", 2, "", 30},  {"C", 0, "01", 5}, {"D9", 0, "", 0}};
        int n = 0;
        for (const Record& r : records)
            s.Exec(
                "INSERT INTO T_RECORDS (N, GROUPM1, GROUPM2, USERCODE, KCODE, KNAME, BSPL, HOJCNT, HCODE, HNAME,"
                " TAISHAKU, KAISIZAN, KAR01) VALUES (" +
                std::to_string(++n) + ", " + (std::string(r.kcode) == "D9" ? "'9900'" : "'1100'") + ", '1100', '" +
                r.kcode + "', '" + r.kcode + "', 'name', 'B', " + std::to_string(r.hojcnt) + ", '" + r.hcode +
                "', 'sub " + r.hcode + "', 1, 0, " + std::to_string(r.kar01) + ")");
    }
    Open();
    BalanceArrays a(BalanceCapacity());
    ASSERT_TRUE(Load(a, 0));
    const TBALANCE& first = a.rows[51];
    const TBALANCE& second = a.rows[52];
    const TBALANCE& third = a.rows[53];
    EXPECT_EQ(first.KMK.KCODE, "A");
    ASSERT_EQ(first.HOJCNT, 3);
    EXPECT_EQ(first.Hojo[0].HCODE, " ");
    EXPECT_EQ(first.Hojo[2].KAR[1], Yen(3));
    EXPECT_EQ(second.KMK.KCODE, "B");
    ASSERT_EQ(second.HOJCNT, 1);
    ASSERT_EQ(second.Hojo.size(), 1u);
    EXPECT_EQ(second.Hojo[0].HCODE, "01");
    EXPECT_EQ(second.Hojo[0].KAR[1], Yen(4));
    EXPECT_EQ(third.KMK.KCODE, "C");  // the record that ended B's list
    EXPECT_EQ(third.KAR[1], Yen(30));
    ASSERT_EQ(third.HOJCNT, 1);  // its list ended with the result
    EXPECT_EQ(third.Hojo[0].KAR[1], Yen(5));
    EXPECT_EQ(a.rows[54].KMK.KCODE, "");
}

TEST(PeriodsBeforeStartTest, CountsQuarterSettlements)
{
    const int expected[] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(PeriodsBeforeStart(month, -7), expected[month - 1]) << month;
    EXPECT_EQ(PeriodsBeforeStart(0, -7), -7);
    EXPECT_EQ(PeriodsBeforeStart(13, 3), 3);
}

}  // namespace

namespace {

class TrialBalanceNamesTest : public calctest::CompanyDataTest {};

// A loss takes the negative name (and "金額" with the operator's setting);
// the total rows' names come from ACCTOTALNAME.
TEST_F(TrialBalanceNamesTest, ProfitRowsAreNamedBySign)
{
    Copy();
    {
        Session s(Path());
        s.Exec(
            "INSERT INTO ACCTOTALNAME (REC, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME, MINUSNAME, MODIFY)"
            " VALUES (29, '5900', 0, 36, '売上総利益', '売上総損失', 1)");
        s.Exec(
            "INSERT INTO ACCTOTALNAME (REC, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME, MINUSNAME, MODIFY)"
            " VALUES (31, '6200', 0, 38, '営業利益', '営業損失', 1)");
        s.Exec(
            "INSERT INTO ACCTOTALNAME (REC, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME, MINUSNAME, MODIFY)"
            " VALUES (30, '6180', 0, 37, '販売費・一般管理費', '', 0)");
        // Sales 1000, purchases 3000: a gross loss; no expenses.
        PostSide(s, {1, 1, "1101", " ", " ", 1, 0, 1000, 0});
        PostSide(s, {2, 2, "4101", " ", " ", 1, 0, 1000, 0});
        PostSide(s, {3, 1, "5102", " ", " ", 2, 0, 3000, 0});
        PostSide(s, {4, 2, "2102", " ", " ", 2, 0, 3000, 0});
    }
    Open();
    BalanceArrays a(BalanceCapacity());
    ASSERT_TRUE(Load(a, 0));
    EXPECT_EQ(a.rows[36].KMK.KNAME, "売上総利益");
    CalcBalancePeriods(a.rows, a.High(), 0, 0, 1, 16, 0);
    EXPECT_EQ(a.rows[36].RangeClosing, Yen(-2000));
    EXPECT_EQ(a.rows[36].KMK.KNAME, "売上総損失");
    EXPECT_EQ(a.rows[38].KMK.KNAME, "営業損失");
    SystemDef.KingakuPlus = 1;
    CalcBalancePeriods(a.rows, a.High(), 0, 0, 1, 1, 0);  // period 1 alone: a profit
    EXPECT_EQ(a.rows[36].KMK.KNAME, "売上総利益金額");
    EXPECT_EQ(a.rows[37].KMK.KNAME, "販売費・一般管理費");  // not a profit row
    EXPECT_FALSE(DM->IBTransactionDATSS.InTransaction());
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
}

// The notes offset of the all-accounts layout: discounted and endorsed notes
// join the notes receivable, are shown in rows 48 and 49 and are no longer
// written as accounts.
TEST_F(TrialBalanceNamesTest, NotesOffsetMergesDiscountedAndEndorsedNotes)
{
    Copy();
    {
        Session s(Path());
        s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 900 WHERE KCODE = '1201' AND HCODE = ' ' AND BCODE = ' '");
        s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 200 WHERE KCODE = '2111' AND HCODE = ' ' AND BCODE = ' '");
        PostSide(s, {1, 1, "1101", " ", " ", 3, 0, 300, 0});  // notes discounted at the bank
        PostSide(s, {2, 2, "2111", " ", " ", 3, 0, 300, 0});
        PostSide(s, {3, 1, "2102", " ", " ", 4, 0, 100, 0});  // notes endorsed to a supplier
        PostSide(s, {4, 2, "2112", " ", " ", 4, 0, 100, 0});
    }
    Open();
    // The update of 1.0.2 leaves the notes accounts out of ACCDEF2; data that
    // names them there gives the accounting information these codes.
    AccInf.NoteAccountCodes = {"1201", "2111", "2112"};
    SystemDef.SettlementBillOffset = 1;
    BalanceArrays a(BalanceCapacity());
    ASSERT_TRUE(LoadTrialBalance(a.rows, a.High(), a.order, a.High(), " ", " ", 0, 0, 0, 3, 0, 0, 0));
    const TBALANCE* notes = FindAccount(a, "1201");
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->KAISIZAN, Yen(700));
    EXPECT_EQ(notes->PeriodBalance[0], Yen(700));
    EXPECT_EQ(notes->PeriodBalance[16], Yen(300));  // 900 - 200 - 300 - 100
    EXPECT_EQ(a.rows[48].KMK.KCODE, "2111");
    EXPECT_EQ(a.rows[48].PeriodBalance[16], Yen(500));
    EXPECT_EQ(a.rows[49].KMK.KCODE, "2112");
    for (const TQSORT& entry : a.order) {
        if (entry.Key != "ﾟ" && entry.Value >= FirstAccountRowGeneral) {
            EXPECT_NE(a.rows[static_cast<std::size_t>(entry.Value)].KMK.KCODE, "2111");
        }
    }
    CalcBalancePeriods(a.rows, a.High(), 0, 0, 1, 16, 0);
    EXPECT_EQ(a.rows[48].RangeClosing, Yen(500));
}

}  // namespace

namespace {

class FixedFormLoadTest : public calctest::CompanyDataTest {};

// The A4 layout first blanks the line name of a line that one account in
// use names anyway, committed with the load even without any figures; its
// rows are keyed by group and line number.
TEST_F(FixedFormLoadTest, A4LayoutFixesLineNamesAndKeysByLine)
{
    Copy();
    {
        Session s(Path());
        s.Exec(
            "UPDATE EXTERA4 SET KNAME1 = (SELECT KNAME FROM KAMOKUMST WHERE KCODE = '1101')"
            " WHERE REC = (SELECT EXT1_A4 FROM KAMOKUMST WHERE KCODE = '1101')");
        s.Exec(
            "UPDATE EXTERA4 SET KNAME1 = 'Own heading'"
            " WHERE REC = (SELECT EXT1_A4 FROM KAMOKUMST WHERE KCODE = '1102')");
    }
    Open();
    BalanceArrays a(BalanceCapacity());
    ASSERT_TRUE(LoadTrialBalance(a.rows, a.High(), a.order, a.High(), " ", " ", 0, 0, 1, 2, 0, 0, 0));
    {
        Session s(Path());
        EXPECT_EQ(s.Lines("SELECT KNAME1 FROM EXTERA4 WHERE REC IN (SELECT EXT1_A4 FROM KAMOKUMST"
                          " WHERE KCODE IN ('1101', '1102')) ORDER BY REC"),
                  (std::vector<std::string>{"", "Own heading"}));
    }
    for (const TQSORT& entry : a.order) {
        if (entry.Value < FirstAccountRowGeneral || entry.Key == "ﾟ")
            continue;
        const TBALANCE& row = a.rows[static_cast<std::size_t>(entry.Value)];
        char line[8];
        std::snprintf(line, sizeof line, "%02d", row.SUBREC);
        EXPECT_EQ(entry.Key, row.KMK.GROUPM2 + line);
    }
}

}  // namespace
