// Accounting update 1.0.3 on copies of company databases built through the
// real updates: the company-wide rows of data kept per facility, and the
// department trial balance with the department's own consumption tax.

#include "CompanyUpdateTestSupport.h"
#include "TrialBalanceTestSupport.h"

#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using schematest::Session;
using tbtest::Ledger;
using tbtest::Posting;
using tbtest::ReceivedTax;
namespace fs = std::filesystem;

class DepartmentTaxUpdateTest : public updtest::UpdateDbTest {};

// Only data kept per facility loses the company-wide previous-year
// balances, past-balance marks and budgets; the facilities keep theirs.
TEST_F(DepartmentTaxUpdateTest, FacilityBooksLoseTheCompanyWideRowsOnly)
{
    struct Case {
        int siten;
        const char* companyWide;  // rows of ' ' still holding figures: PZ|SZ|MS
    };
    for (const Case& c : {Case{1, "0|0|0"}, Case{0, "1|1|1"}}) {
        SCOPED_TRACE(c.siten);
        fs::remove(CompanyDbPath());
        companytest::CopyCompanyMaster(companytest::CompanyMaster("1.0.2"), SystemDef.DataDir);
        {
            Session s(CompanyDbPath());
            s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('T1', '本店', 1)");
            s.Exec("UPDATE ACCDEF1 SET SITEN = " + std::to_string(c.siten) + " WHERE REC = 1");
            for (const char* scode : {" ", "T1"}) {
                const std::string where = std::string(" WHERE SCODE = '") + scode + "' AND KCODE = '1101'";
                s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 5, ZEIGAKU = 1" + where);
                s.Exec("UPDATE KAMOKU_SZ SET KAKOZAN = 7" + where);
                s.Exec("UPDATE KAMOKU_MS SET BYOSAN = 9" + where);
            }
        }
        ASSERT_EQ(z5UserDbUpdate103::DoUpdate(), UpdateResultOk);
        Session s(CompanyDbPath());
        const auto held = [&](const char* scode) {
            const std::string where = std::string(" WHERE SCODE = '") + scode + "' AND KCODE = '1101'";
            return s.Line("SELECT (SELECT SIGN(COUNT(*)) FROM KAMOKU_PZ" + where +
                          " AND NUKIZAN + ZEIGAKU <> 0), (SELECT SIGN(COUNT(*)) FROM KAMOKU_SZ" + where +
                          " AND KAKOZAN <> 0), (SELECT SIGN(COUNT(*)) FROM KAMOKU_MS" + where +
                          " AND BYOSAN <> 0) FROM RDB$DATABASE");
        };
        EXPECT_EQ(held(" "), c.companyWide);
        EXPECT_EQ(held("T1"), "1|1|1");
        EXPECT_EQ(s.Line("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION"), "1.0.3");
    }
}

class DepartmentTrialBalance103Test : public dbtest::FirebirdTest {
protected:
    std::string Copy() { return companytest::CopyCompanyMaster(companytest::CompanyMaster("1.0.3"), folder_ / "d"); }
};

// Without tax the received-tax account of a department carries its own
// tax, allocated or not, and allocating adds the common department's tax
// in the account's share; with tax nothing is added.
TEST_F(DepartmentTrialBalance103Test, ReceivedTaxAccountTakesTheDepartmentsOwnTax)
{
    struct Case {
        const char* name;
        int ptax, phibun;
        const char* bcode;
        std::int64_t kas01;
    };
    // 2109 in D1: credit 1000 of its own. Tax received: D1 200, '00' 100;
    // D1 takes 30 % of '00', '00' keeps 70 %.
    const Case cases[] = {
        {"exclusive, own department", 1, 0, "D1", 1000 + 200},
        {"exclusive, allocated", 1, 1, "D1", 1000 + 200 + 30},
        {"exclusive, common department keeps its part", 1, 1, "00", 70},
        {"inclusive", 0, 1, "D1", 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(Copy());
        Ledger ledger(s, 2);
        ledger.Rate(ReceivedTax, "D1", 30);
        ledger.Rate(ReceivedTax, "00", 70);
        ledger.Post({2, ReceivedTax, "D1", 1, 1, 1000, 0});
        ledger.Post({2, "T200", "D1", 1, 1, 2000, 200});
        ledger.Post({2, "T200", "00", 1, 1, 1000, 100});
        const std::string from = "SP_SISANHYO_BUMON(" + std::to_string(c.ptax) + ", " + std::to_string(c.phibun) +
                                 ", ' ', '" + c.bcode + "')";
        EXPECT_EQ(
            s.Line("SELECT CAST(KAS01 AS BIGINT) FROM " + from + " WHERE KCODE = '" + ReceivedTax + "' AND HCODE = ''"),
            std::to_string(c.kas01));
    }
}

// A sub-account's opening balance is allocated whenever the call allocates,
// also from the first month without departments on every account; the
// account's own row then keeps its opening unallocated.
TEST_F(DepartmentTrialBalance103Test, SubAccountOpeningIsAllocatedWheneverTheCallAllocates)
{
    Session s(Copy());
    Ledger ledger(s, 1);
    s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('T100', 'H1', '内訳一')");
    for (const char* bcode : {"D1", "00"})
        s.Exec(std::string("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', 'T100', 'H1', '") + bcode +
               "')");
    s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 1000 WHERE KCODE = 'T100' AND HCODE = 'H1' AND BCODE = '00'");
    ledger.Rate("T100", "D1", 25);
    EXPECT_EQ(s.Lines("SELECT HCODE, CAST(KAISIZAN AS BIGINT) FROM SP_SISANHYO_BUMON(0, 1, ' ', 'D1')"
                      " WHERE KCODE = 'T100' ORDER BY HCODE"),
              (std::vector<std::string>{"|0", "H1|250"}));
}

// The layout trial balance of one department in the 1.0.3 form: the common
// department's share rounds half away from zero and holds ten-billion-yen
// balances; a line of one account takes its name and codes even with a
// name of its own; a mid-year start without allocation keeps the opening.
TEST_F(DepartmentTrialBalance103Test, LayoutLinesOfOneDepartment)
{
    Session s(Copy());
    Ledger ledger(s, 2);
    s.Exec("UPDATE EXTERA4 SET KNAME1 = '別名' WHERE REC = " + std::to_string(tbtest::LineOne));
    ledger.Rate("T100", "D1", 50);
    ledger.Rate("T100", "00", 50);
    ledger.Balance("T100", "D1", 40);
    ledger.Balance("T100", "00", 10'000'000'000);
    ledger.Post({1, "T100", "00", 1, 2, 10'000'000'001, 0});
    ledger.Post({1, "T100", "00", 2, 2, -5, 0});
    ledger.Post({1, "T100", "D1", 2, 2, 7, 0});
    const std::string columns =
        "SELECT USERCODE, KNAME, CAST(KAISIZAN AS BIGINT), CAST(KAR01 AS BIGINT), CAST(KAR02 AS BIGINT)";
    const std::string line = " WHERE MSTREC = " + std::to_string(tbtest::LineOne);
    EXPECT_EQ(s.Line(columns + " FROM SP_SISANHYO_BUMON_A4(0, 1, ' ', 'D1')" + line),
              "T100|試験費|5000000040|5000000001|4");
    EXPECT_EQ(s.Line(columns + " FROM SP_SISANHYO_BUMON_A3(0, 1, ' ', '00')" + line),
              "T100|試験費|5000000000|5000000001|-3");
    s.Exec("UPDATE ACCDEF1 SET KAISINO = 4 WHERE REC = 1");
    EXPECT_EQ(s.Line(columns + " FROM SP_SISANHYO_BUMON_A4(0, 0, ' ', 'D1')" + line), "T100|試験費|40|0|7");
}

}  // namespace
