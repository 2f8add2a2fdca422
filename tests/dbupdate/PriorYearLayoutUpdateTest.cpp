// Accounting update 2.0.4 on copies of company databases built through the
// real updates: the previous-year balances of one department by line of
// the A4 layout, with and without the common department's allocation.

#include "CompanyUpdateTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using schematest::Session;

class PriorYearLayoutTest : public dbtest::FirebirdTest {};

// Sales (4101) kept in the common department "00" and in D1: the common
// department keeps its share of its balances (each period's own
// percentage) and budgets (the account's rates), D1 adds its share of
// them to its own; without allocation the line sums D1's own amounts.
TEST_F(PriorYearLayoutTest, DepartmentBalancesByLayoutLine)
{
    Session s(companytest::CopyCompanyMaster(companytest::CompanyMaster("2.0.4"), folder_ / "d"));
    s.Exec("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('D1', '営業') MATCHING (BCODE)");
    s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 0 WHERE SCODE = ' '");
    s.Exec("UPDATE KAMOKU_MS SET BYOSAN = 0 WHERE SCODE = ' '");
    for (const char* key : {"' ', '4101', ' ', '00'", "' ', '4101', ' ', 'D1'"})
        s.Exec(std::string("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (") + key +
               ") MATCHING (SCODE, KCODE, HCODE, BCODE)");
    s.Exec("UPDATE KAMOKU_SZ SET HAIBUN01 = 70 WHERE KCODE = '4101' AND HCODE = ' ' AND BCODE = '00'");
    s.Exec("UPDATE KAMOKU_SZ SET HAIBUN01 = 30 WHERE KCODE = '4101' AND HCODE = ' ' AND BCODE = 'D1'");
    struct Balance {
        const char* bcode;
        int mnum;
        int amount;
        int percentage;
    };
    const Balance balances[] = {
        {"00", 0, 1001, 70}, {"00", -1, 500, 50}, {"D1", 0, 200, 30}, {"D1", -1, 0, 40}, {"D1", 15, 0, 100}};
    for (const Balance& b : balances)
        s.Exec(
            "UPDATE OR INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, HAIBUN) VALUES (' ', '4101',"
            " ' ', '" +
            std::string(b.bcode) + "', " + std::to_string(b.mnum) + ", " + std::to_string(b.amount) + ", " +
            std::to_string(b.percentage) + ") MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM)");
    for (const char* budget : {"'00', 1, 10", "'D1', 1, 20"})
        s.Exec(std::string("UPDATE OR INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, BYOSAN) VALUES (' ',"
                           " '4101', ' ', ") +
               budget + ") MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM)");
    const std::string line = s.Line(
        "SELECT L.REC || '|' || L.KGROUP FROM EXTERA4 L INNER JOIN KAMOKUMST K"
        " ON (K.EXT1_A4 = L.REC) WHERE K.KCODE = '4101'");
    const std::string read =
        "SELECT MSTREC || '|' || GROUPM1, CAST(ZANM00 AS INTEGER), CAST(ZANM01 AS INTEGER),"
        " CAST(YOSAN01 AS INTEGER) FROM SP_KANENDO_BUMON_ZANDAKA_A4";
    const std::string moved = " WHERE ZANM00 <> 0 OR ZANM01 <> 0 OR YOSAN01 <> 0";
    const std::string rec = line.substr(0, line.find('|'));
    const std::string accountGroup = s.Line("SELECT GROUPM1 FROM KAMOKUMST WHERE KCODE = '4101'");
    EXPECT_EQ(s.Lines(read + "(' ', '00', 1)" + moved),
              (std::vector<std::string>{rec + "|" + accountGroup + "|701|250|7"}));
    EXPECT_EQ(s.Lines(read + "(' ', 'D1', 1)" + moved),
              (std::vector<std::string>{rec + "|" + accountGroup + "|500|200|23"}));
    EXPECT_EQ(s.Lines(read + "(' ', 'D1', 0)" + moved), (std::vector<std::string>{line + "|200|0|20"}));
}

}  // namespace
