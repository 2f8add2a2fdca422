// The trial-balance procedures of accounting updates 1.0.3, 2.0.0 and 2.0.4
// on copies of company databases built through the real updates, with
// journal rows posted through the triggers: every period's debit and
// credit against the sums the test takes itself from the rows it posted,
// the consumption tax of the suspense accounts, the allocation of the
// common department, the line name and code rule of each form, and
// balances of ten billion yen.

#include "CompanyUpdateTestSupport.h"
#include "TrialBalanceTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using schematest::Session;
using tbtest::Ledger;
using tbtest::PaidTax;
using tbtest::Posting;
using tbtest::ReceivedTax;
using tbtest::Share;

std::string Line(int line)
{
    return " WHERE MSTREC = " + std::to_string(line);
}

// "KAR01|KAS01|...|KAR16|KAS16" from the sums per side and period.
std::string Expected(const std::function<std::int64_t(int taishaku, int mnum)>& sum)
{
    std::string text;
    for (int mnum = 1; mnum <= 16; ++mnum)
        for (int taishaku : {1, 2})
            text += (text.empty() ? "" : "|") + std::to_string(sum(taishaku, mnum));
    return text;
}

class TrialBalanceTest : public dbtest::FirebirdTest {
protected:
    std::string Copy(const std::string& version = "2.0.4")
    {
        return companytest::CopyCompanyMaster(companytest::CompanyMaster(version), folder_ / "d");
    }

    // A small ledger over several periods and departments, with tax on
    // both sides, a deleted row and a row of the received-tax account.
    static void PostLedger(Ledger& ledger)
    {
        const Posting rows[] = {
            {1, "T100", "D1", 1, 2, 1000, 100},  {2, "T200", "D1", 1, 1, 3000, 300},
            {1, "T100", "00", 1, 2, 555, 55},    {1, "T100", "00", 2, 2, -5, 0},
            {2, "T100", "D1", 5, 2, 70, 7},      {1, "T300", " ", 6, 2, 400, 40},
            {2, "T200", "00", 9, 1, 1001, 100},  {1, "T100", " ", 16, 2, 12, 1},
            {1, "T100", "D1", 3, 2, 999, 99, 1}, {2, ReceivedTax, " ", 5, 0, 250, 0},
            {1, PaidTax, " ", 5, 0, 80, 0},
        };
        for (const Posting& p : rows)
            ledger.Post(p);
    }
};

// The layout trial balances of all facilities and the settlement trial
// balance: every period of a line of one account and of a line of two
// accounts is the sum over the live journal rows, with or without tax;
// without tax the suspense accounts add the tax totals of their class.
TEST_F(TrialBalanceTest, LayoutTrialBalancesAreTheSumsOfTheLiveJournalRows)
{
    Session s(Copy());
    Ledger ledger(s);
    PostLedger(ledger);
    const std::string columns = "SELECT " + tbtest::PeriodColumns();
    for (const char* from : {"SP_SISANHYO_A4(%d, '', '')", "SP_SISANHYO_A3(%d, ' ', '')", "SP_SISANHYO_KESSAN(%d)"})
        for (int ptax : {0, 1}) {
            std::string call = from;
            call.replace(call.find("%d"), 2, std::to_string(ptax));
            SCOPED_TRACE(call);
            const bool withTax = ptax == 0;
            EXPECT_EQ(s.Line(columns + " FROM " + call + Line(tbtest::LineOne)),
                      Expected([&](int t, int m) { return ledger.Sum(t, "T100", "", m, withTax); }));
            EXPECT_EQ(s.Line(columns + " FROM " + call + Line(tbtest::LineTwo)), Expected([&](int t, int m) {
                          return ledger.Sum(t, "T200", "", m, withTax) + ledger.Sum(t, "T300", "", m, withTax);
                      }));
            EXPECT_EQ(s.Line(columns + " FROM " + call + Line(tbtest::LineReceivedTax)), Expected([&](int t, int m) {
                          return ledger.Sum(t, ReceivedTax, "", m, withTax) + (withTax ? 0 : ledger.Tax(t, 1, "", m));
                      }));
            EXPECT_EQ(s.Line(columns + " FROM " + call + Line(tbtest::LinePaidTax)), Expected([&](int t, int m) {
                          return ledger.Sum(t, PaidTax, "", m, withTax) + (withTax ? 0 : ledger.Tax(t, 2, "", m));
                      }));
        }
}

// The layout trial balance of one department: its own rows, and with
// allocation the common department's amounts in the department's share
// (half away from zero), or what the common department keeps.
TEST_F(TrialBalanceTest, DepartmentTrialBalancesAllocateTheCommonDepartment)
{
    Session s(Copy());
    Ledger ledger(s);
    ledger.Rate("T100", "D1", 30);
    ledger.Rate("T100", "00", 70);
    PostLedger(ledger);
    const std::string columns = "SELECT " + tbtest::PeriodColumns();
    struct Case {
        int ptax, phibun;
        const char* bcode;
    };
    for (const Case& c : {Case{0, 0, "D1"}, Case{1, 0, "D1"}, Case{0, 1, "D1"}, Case{1, 1, "D1"}, Case{0, 1, "00"}})
        for (const char* layout : {"A4", "A3"}) {
            const std::string call = std::string("SP_SISANHYO_BUMON_") + layout + "(" + std::to_string(c.ptax) + ", " +
                                     std::to_string(c.phibun) + ", ' ', '" + c.bcode + "')";
            SCOPED_TRACE(call);
            const bool withTax = c.ptax == 0;
            const bool common = std::string(c.bcode) == "00";
            EXPECT_EQ(s.Line(columns + " FROM " + call + Line(tbtest::LineOne)), Expected([&](int t, int m) {
                          const std::int64_t common00 = ledger.Sum(t, "T100", "00", m, withTax);
                          if (c.phibun == 1 && common)
                              return Share(common00, 70);
                          return ledger.Sum(t, "T100", c.bcode, m, withTax) + (c.phibun == 1 ? Share(common00, 30) : 0);
                      }));
        }
}

// The department trial balance per account: the same sums, and the
// received-tax account adds the department's tax and, allocating, the
// common department's tax in the account's share.
TEST_F(TrialBalanceTest, DepartmentTrialBalancePerAccountAddsTheTaxOfTheDepartment)
{
    Session s(Copy());
    Ledger ledger(s);
    ledger.Rate("T100", "D1", 30);
    ledger.Rate(ReceivedTax, "D1", 40);
    PostLedger(ledger);
    ledger.Post({2, ReceivedTax, "D1", 1, 0, 600, 0});
    const std::string columns = "SELECT " + tbtest::PeriodColumns();
    for (int phibun : {0, 1}) {
        SCOPED_TRACE(phibun);
        const std::string from =
            " FROM SP_SISANHYO_BUMON(1, " + std::to_string(phibun) + ", ' ', 'D1') WHERE HCODE = '' AND KCODE = ";
        EXPECT_EQ(s.Line(columns + from + "'T100'"), Expected([&](int t, int m) {
                      return ledger.Sum(t, "T100", "D1", m, false) +
                             (phibun == 1 ? Share(ledger.Sum(t, "T100", "00", m, false), 30) : 0);
                  }));
        EXPECT_EQ(s.Line(columns + from + "'" + ReceivedTax + "'"), Expected([&](int t, int m) {
                      return ledger.Sum(t, ReceivedTax, "D1", m, false) + ledger.Tax(t, 1, "D1", m) +
                             (phibun == 1 ? Share(ledger.Tax(t, 1, "00", m), 40) : 0);
                  }));
    }
}

// The line name and code rule of each form, and which lines each form
// returns for one department.
TEST_F(TrialBalanceTest, LineNameAndCodeRuleOfEachForm)
{
    struct Case {
        const char* version;
        const char* procedure;
        const char* ownName;     // KNAME1 of the one-account line
        const char* oneAccount;  // USERCODE|KCODE|KNAME of that line
    };
    const Case cases[] = {
        {"1.0.3", "SP_SISANHYO_BUMON_A4(0, 0, ' ', 'D1')", "", "T100|T100|試験費"},
        {"1.0.3", "SP_SISANHYO_BUMON_A4(0, 0, ' ', 'D1')", "試験費", "T100|T100|試験費"},
        {"1.0.3", "SP_SISANHYO_BUMON_A4(0, 0, ' ', 'D1')", "別名", "T100|T100|試験費"},
        {"2.0.0", "SP_SISANHYO_BUMON_A4(0, 0, ' ', 'D1')", "", "T100|T100|試験費"},
        {"2.0.0", "SP_SISANHYO_BUMON_A4(0, 0, ' ', 'D1')", "試験費", "-|-|試験費"},
        {"2.0.0", "SP_SISANHYO_A3(0, '', '')", "別名", "-|-|別名"},
        {"2.0.4", "SP_SISANHYO_A4(0, '', '')", "", "T100|T100|試験費"},
        {"2.0.4", "SP_SISANHYO_A4(0, '', '')", "試験費", "T100|T100|試験費"},
        {"2.0.4", "SP_SISANHYO_BUMON_A3(0, 0, ' ', 'D1')", "試験費", "T100|T100|試験費"},
        {"2.0.4", "SP_SISANHYO_KESSAN(0)", "別名", "-|-|別名"},
        {"2.0.4", "SP_SISANHYO_BUMON_A4(0, 0, ' ', 'D1')", "別名", "-|-|別名"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " " + c.procedure + " " + c.ownName);
        Session s(Copy(c.version));
        Ledger ledger(s);
        for (const char* table : {"EXTERA4", "EXTERA3", "EXTERKS"})
            s.Exec(std::string("UPDATE ") + table + " SET KNAME1 = '" + c.ownName +
                   "' WHERE REC = " + std::to_string(tbtest::LineOne));
        // T400 is kept in department D2 only.
        s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('D2', '製造')");
        ledger.Balance("T400", "D2", 0);
        const std::string from = std::string(" FROM ") + c.procedure;
        EXPECT_EQ(s.Line("SELECT USERCODE, KCODE, KNAME" + from + Line(tbtest::LineOne)), c.oneAccount);
        EXPECT_EQ(s.Line("SELECT USERCODE, KCODE, KNAME" + from + Line(tbtest::LineTwo)), "-|-|試験行");
        // The 1.0.3 department form returns a line only for rows of the
        // department asked for; the later forms for rows of the facility.
        const bool departmentOnly = std::string(c.version) == "1.0.3";
        EXPECT_EQ(s.Count("SELECT COUNT(*)" + from + Line(tbtest::LineEmpty)), departmentOnly ? 0 : 1);
        s.Exec("DELETE FROM KAMOKU_MS WHERE KCODE = 'T400'");
        s.Exec("DELETE FROM KAMOKU_SZ WHERE KCODE = 'T400'");
        EXPECT_EQ(s.Count("SELECT COUNT(*)" + from + Line(tbtest::LineEmpty)), 0) << "no balance rows, no line";
    }
}

// The settlement trial balance reads the previous year to period 15 from
// 2.0.4 on (to period 0 before); without tax only the suspense accounts
// keep the previous year's tax part.
TEST_F(TrialBalanceTest, SettlementTrialBalanceReadsThePreviousYear)
{
    for (const char* version : {"2.0.0", "2.0.4"}) {
        SCOPED_TRACE(version);
        Session s(Copy(version));
        Ledger ledger(s);
        for (const char* kcode : {"T100", ReceivedTax})
            for (int mnum : {-15, 0, 5})
                s.Exec(
                    "UPDATE KAMOKU_PZ SET NUKIZAN = 100, ZEIGAKU = 8 WHERE SCODE = ' ' AND HCODE = ' ' AND BCODE = ' '"
                    " AND KCODE = '" +
                    std::string(kcode) + "' AND MNUM = " + std::to_string(mnum));
        const std::string select = "SELECT CAST(ZANM15 AS BIGINT), CAST(ZANM00 AS BIGINT) FROM SP_SISANHYO_KESSAN(";
        EXPECT_EQ(s.Line(select + "0)" + Line(tbtest::LineOne)), "108|108");
        EXPECT_EQ(s.Line(select + "1)" + Line(tbtest::LineOne)), "100|100");
        EXPECT_EQ(s.Line(select + "1)" + Line(tbtest::LineReceivedTax)), "108|108");
        if (std::string(version) == "2.0.4") {
            EXPECT_EQ(s.Line("SELECT CAST(ZANP05 AS BIGINT), CAST(ZANP15 AS BIGINT) FROM SP_SISANHYO_KESSAN(1)" +
                             Line(tbtest::LineOne)),
                      "100|0");
        } else {
            EXPECT_EQ(s.Count("SELECT COUNT(*) FROM RDB$PROCEDURE_PARAMETERS WHERE RDB$PROCEDURE_NAME ="
                              " 'SP_SISANHYO_KESSAN' AND RDB$PARAMETER_NAME STARTING WITH 'ZANP'"),
                      0);
        }
    }
}

// Balances and movements of ten billion yen pass through every
// trial-balance and tax procedure; a common department that allocates
// everything (the department's share 100 %, its own 0 %) keeps nothing.
TEST_F(TrialBalanceTest, TenBillionYenBalancesAndFullAllocation)
{
    Session s(Copy());
    Ledger ledger(s);
    const std::int64_t big = 10'000'000'000;
    ledger.Rate("T100", "D1", 100);
    ledger.Rate("T100", "00", 0);
    ledger.Rate(ReceivedTax, "D1", 100);
    ledger.Balance("T100", "00", big);
    ledger.Post({1, "T100", "00", 1, 1, big, big / 10});
    ledger.Post({2, "T200", "00", 1, 1, big, big / 10});
    const std::string kar = " CAST(KAISIZAN AS BIGINT), CAST(KAR01 AS BIGINT), CAST(KAS01 AS BIGINT)";
    const std::string b = std::to_string(big), tax = std::to_string(big / 10);
    EXPECT_EQ(s.Line("SELECT" + kar + " FROM SP_SISANHYO_A4(0, '', '')" + Line(tbtest::LineOne)),
              b + "|" + std::to_string(big + big / 10) + "|0");
    EXPECT_EQ(s.Line("SELECT" + kar + " FROM SP_SISANHYO_KESSAN(1)" + Line(tbtest::LineReceivedTax)),
              "0|" + tax + "|" + tax);
    EXPECT_EQ(s.Line("SELECT" + kar + " FROM SP_SISANHYO_BUMON_A4(1, 1, ' ', 'D1')" + Line(tbtest::LineOne)),
              b + "|" + b + "|0");
    EXPECT_EQ(s.Line("SELECT" + kar + " FROM SP_SISANHYO_BUMON_A3(1, 1, ' ', '00')" + Line(tbtest::LineOne)), "0|0|0");
    EXPECT_EQ(s.Line("SELECT" + kar + " FROM SP_SISANHYO_BUMON(1, 1, ' ', 'D1') WHERE HCODE = '' AND KCODE = 'T100'"),
              b + "|" + b + "|0");
    EXPECT_EQ(s.Line("SELECT" + kar + " FROM SP_SISANHYO_BUMON(1, 1, ' ', 'D1') WHERE HCODE = '' AND KCODE = '" +
                     ReceivedTax + "'"),
              "0|" + tax + "|" + tax);
}

// A facility group's trial balance adds the consumption tax of the group's
// facilities only.
TEST_F(TrialBalanceTest, FacilityGroupAddsTheTaxOfItsOwnFacilities)
{
    Session s(Copy());
    Ledger ledger(s, 0);
    for (const char* scode : {"S1", "S2"})
        s.Exec(std::string("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('") + scode + "', '" + scode + "', 1)");
    s.Exec("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', 'S1')");
    for (const auto& [rec, scode, zei] : {std::tuple{5001, "S1", 100}, std::tuple{5002, "S2", 7}})
        s.Exec(
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM, TAXUH,"
            " NUK, ZEI) VALUES (" +
            std::to_string(rec) + ", " + std::to_string(rec) + ", 1, 0, 2, '" + scode +
            "', 'T200', ' ', ' ', 2, 1, 1000, " + std::to_string(zei) + ")");
    EXPECT_EQ(s.Line("SELECT CAST(KAS02 AS BIGINT) FROM SP_SISANHYO_A4(1, '', 'G1')" + Line(tbtest::LineReceivedTax)),
              "100");
    EXPECT_EQ(s.Line("SELECT CAST(KAS02 AS BIGINT) FROM SP_SISANHYO_A4(1, '', '')" + Line(tbtest::LineReceivedTax)),
              "107");
}

// The journal repair rebuilds the totals from the live rows, the same on a
// second run, and gives every balance row its periods back, -32 included.
TEST_F(TrialBalanceTest, RepairRebuildsTheTotalsFromTheLiveRows)
{
    Session s(Copy());
    Ledger ledger(s);
    PostLedger(ledger);
    s.Exec("UPDATE KAMOKU_MS SET KAR_NUK = 77 WHERE KCODE = 'T100'");
    s.Exec("UPDATE KAMOKU_TAX SET KAS = 5");
    s.Exec("DELETE FROM KAMOKU_PZ WHERE KCODE = 'T100' AND MNUM IN (-32, 0)");
    const std::string columns = "SELECT " + tbtest::PeriodColumns();
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        EXPECT_EQ(s.Line("SELECT RPCNT FROM SP_SIWAKE_REPAIR"),
                  std::to_string(s.Count("SELECT COUNT(*) FROM SIWAKE WHERE DELFLG = 0")));
        EXPECT_EQ(s.Line(columns + " FROM SP_SISANHYO_A4(1, '', '')" + Line(tbtest::LineOne)),
                  Expected([&](int t, int m) { return ledger.Sum(t, "T100", "", m, false); }));
        EXPECT_EQ(
            s.Line(columns + " FROM SP_SISANHYO_A4(1, '', '')" + Line(tbtest::LineReceivedTax)),
            Expected([&](int t, int m) { return ledger.Sum(t, ReceivedTax, "", m, false) + ledger.Tax(t, 1, "", m); }));
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_PZ WHERE KCODE = 'T100' AND HCODE = ' ' AND MNUM IN (-32, 0)"),
                  6);
    }
}

}  // namespace
