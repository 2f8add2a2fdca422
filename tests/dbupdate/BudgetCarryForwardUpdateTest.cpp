// Accounting update 2.0.0 on copies of company databases built through the
// real updates: the budget writers of both budgets, the month-to-period
// table, the variance thresholds and the year-end carry-forward.

#include "CompanyUpdateTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using companytest::DataKind;
using schematest::Session;

class BudgetCarryForwardTest : public dbtest::FirebirdTest {
protected:
    std::string Copy(DataKind kind = DataKind::Corporation)
    {
        return companytest::CopyCompanyMaster(companytest::CompanyMaster("2.0.0", kind), folder_ / "d");
    }

    // The sixteen periods of one budget column of the key (facility and
    // department ' ').
    static std::string Periods(Session& s, const std::string& column, const std::string& kcode)
    {
        std::string all;
        for (const std::string& line :
             s.Lines("SELECT CAST(" + column + " AS BIGINT) FROM KAMOKU_MS WHERE SCODE = ' ' AND KCODE = '" + kcode +
                     "' AND HCODE = ' ' AND BCODE = ' ' AND MNUM BETWEEN 1 AND 16 ORDER BY MNUM"))
            all += (all.empty() ? "" : ",") + line;
        return all;
    }
};

TEST_F(BudgetCarryForwardTest, BudgetWritersFillTheChosenBudget)
{
    Session s(Copy());
    const std::string hundreds = "100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100";
    const std::string cumulative = "100,200,300,300,400,500,600,600,700,800,900,900,1000,1100,1200,1200";
    // Monthly amounts into the Navigore budget, with the facility and
    // department given empty: the analysis budget stays as it was.
    s.Exec("EXECUTE PROCEDURE SP_UPDATE_YOSAN(1, 1, '', '4101', ' ', '', " + hundreds + ")");
    EXPECT_EQ(Periods(s, "RYOSAN", "4101"), cumulative);
    EXPECT_EQ(Periods(s, "BYOSAN", "4101"), "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
    // Running totals into the analysis budget are written as they come.
    s.Exec(
        "EXECUTE PROCEDURE SP_UPDATE_YOSAN(0, 0, ' ', '4102', ' ', ' ', "
        "100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100, 1200)");
    EXPECT_EQ(Periods(s, "BYOSAN", "4102"), cumulative);
    EXPECT_EQ(Periods(s, "RYOSAN", "4102"), "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
    // The reader takes the budget it is asked for.
    const std::string read = "SELECT CAST(YOSAN01 AS BIGINT), CAST(YOSAN04 AS BIGINT), CAST(YOSAN12 AS BIGINT) FROM ";
    EXPECT_EQ(s.Line(read + "SP_YOSAN_READ(1, ' ', ' ') WHERE KCODE = '4101' AND HCODE = ' '"), "100|400|1200");
    EXPECT_EQ(s.Line(read + "SP_YOSAN_READ(0, ' ', ' ') WHERE KCODE = '4101' AND HCODE = ' '"), "0|0|0");
    EXPECT_EQ(s.Line(read + "SP_YOSAN_READ(0, ' ', ' ') WHERE KCODE = '4102' AND HCODE = ' '"), "100|400|1200");
}

TEST_F(BudgetCarryForwardTest, MonthsMapToPeriods)
{
    Session s(Copy());
    const int expected[] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 16, 13};
    for (int month = 0; month <= 13; ++month)
        EXPECT_EQ(s.Line("SELECT TNUM FROM SP_CONVERT_12TO16(" + std::to_string(month) + ")"),
                  std::to_string(expected[month]))
            << "month " << month;
}

// The thresholds come from the account's Navigore settings up to "7000"
// and are cleared beyond; the variance lines get their fixed rows.
TEST_F(BudgetCarryForwardTest, VarianceThresholds)
{
    Session s(Copy());
    EXPECT_EQ(
        s.Lines("SELECT REC, MEISHOU, RATE1, KIND1, RATE2, KIND2 FROM NAVIGORE_YOJITUHENDOU ORDER BY REC"),
        (std::vector<std::string>{"1|売    上|0.95|0|1.05|1", "2|変 動 費|1.05|1|0.95|0", "3|限界利益|0.95|0|1.05|1",
                                  "4|固 定 費|1.05|1|0.95|0", "5|営業利益|0.95|0|1.05|1"}));
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKUMST WHERE (GROUPM0 < '4000' OR GROUPM0 > '7000')"
                      " AND NAVIGORE_YOJITU_RATE1 IS NOT NULL"),
              0);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKUMST WHERE GROUPM0 BETWEEN '4000' AND '7000'"
                      " AND NAVIGORE_YOJITU_RATE1 IS DISTINCT FROM Navigore_BadRate"),
              0);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_MS WHERE RYOSAN IS DISTINCT FROM 0"), 0);
}

// Closing balances of the balance-sheet rows become their openings,
// checked against a sum over the journal itself; profit-and-loss rows
// start the new year from 0.
TEST_F(BudgetCarryForwardTest, CarryForwardMovesClosingBalancesIntoOpenings)
{
    Session s(Copy());
    struct Entry {
        const char* debit;
        const char* credit;
        int mnum;
        int amount;
        int tax;
    };
    const Entry entries[] = {{"1101", "4101", 1, 1000, 80},
                             {"6110", "1101", 5, 300, 24},
                             {"1101", "2101", 16, 500, 0},
                             {"1102", "1101", 9, 200, 0}};
    int rec = 0;
    for (const Entry& e : entries)
        for (int side : {1, 2}) {
            ++rec;
            s.Exec(
                "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM, TAXUH,"
                " NUK, ZEI) VALUES (" +
                std::to_string(rec) + ", " + std::to_string((rec + 1) / 2) + ", " + std::to_string((rec + 1) / 2) +
                ", 0, " + std::to_string(side) + ", ' ', '" + (side == 1 ? e.debit : e.credit) + "', ' ', ' ', " +
                std::to_string(e.mnum) + ", 0, " + std::to_string(e.amount) + ", " + std::to_string(e.tax) + ")");
        }
    s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 5000 WHERE SCODE = ' ' AND KCODE = '1101' AND HCODE = ' ' AND BCODE = ' '");
    s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 777 WHERE SCODE = ' ' AND KCODE = '4101' AND HCODE = ' ' AND BCODE = ' '");
    const std::string expected =
        "SELECT Z.KCODE, CAST(COALESCE(Z.KAISIZAN, 0) + COALESCE((SELECT SUM(IIF(J.TAISHAKU = 1, 1, -1) *"
        " IIF(K.DAC IN (1, 4), 1, -1) * (J.NUK + J.ZEI)) FROM SIWAKE J WHERE J.KCODE = Z.KCODE AND J.DELFLG = 0"
        " AND J.SCODE = Z.SCODE AND J.HCODE = Z.HCODE AND J.BCODE = Z.BCODE), 0) AS BIGINT)"
        " FROM KAMOKU_SZ Z INNER JOIN KAMOKUMST K ON (K.KCODE = Z.KCODE)"
        " WHERE Z.SCODE = ' ' AND Z.HCODE = ' ' AND Z.BCODE = ' ' AND K.BPFLG = 'B'"
        " AND Z.KCODE IN ('1101', '1102', '2101') ORDER BY Z.KCODE";
    const std::vector<std::string> closing = s.Lines(expected);
    EXPECT_EQ(closing, (std::vector<std::string>{"1101|6056", "1102|200", "2101|500"}));
    const std::string counts = std::to_string(s.Count("SELECT COUNT(*) FROM KAMOKU_SZ Z INNER JOIN KAMOKUMST K"
                                                      " ON (K.KCODE = Z.KCODE) WHERE K.BPFLG = 'B'")) +
                               "|" +
                               std::to_string(s.Count("SELECT COUNT(*) FROM KAMOKU_SZ Z INNER JOIN KAMOKUMST K"
                                                      " ON (K.KCODE = Z.KCODE) WHERE K.BPFLG <> 'B'"));
    EXPECT_EQ(s.Line("SELECT BCOUNT, PCOUNT FROM SP_SETHOJOKAISIZAN(0)"), counts);
    EXPECT_EQ(s.Lines("SELECT KCODE, CAST(KAISIZAN AS BIGINT) FROM KAMOKU_SZ WHERE SCODE = ' ' AND HCODE = ' '"
                      " AND BCODE = ' ' AND KCODE IN ('1101', '1102', '2101') ORDER BY KCODE"),
              closing);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_SZ Z INNER JOIN KAMOKUMST K ON (K.KCODE = Z.KCODE)"
                      " WHERE K.BPFLG <> 'B' AND Z.KAISIZAN <> 0"),
              0);
}

}  // namespace
