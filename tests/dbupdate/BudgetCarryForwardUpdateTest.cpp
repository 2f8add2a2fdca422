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
    // Period mnum of a key, written directly: debit and credit without tax
    // and their tax, and the Navigore budget.
    static void Month(Session& s, const std::string& key, int mnum, int kar, int kas, int tax, int budget)
    {
        s.Exec(
            "UPDATE OR INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, KAR_NUK, KAR_TAX, KAS_NUK, KAS_TAX,"
            " RYOSAN) VALUES (" +
            key + ", " + std::to_string(mnum) + ", " + std::to_string(kar) + ", 0, " + std::to_string(kas) + ", " +
            std::to_string(tax) + ", " + std::to_string(budget) + ") MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM)");
    }

    // A key's balance row and its sixteen period rows, all zero.
    static void Key(Session& s, const std::string& key)
    {
        s.Exec("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (" + key +
               ") MATCHING (SCODE, KCODE, HCODE, BCODE)");
        for (int mnum = 1; mnum <= 16; ++mnum)
            Month(s, key, mnum, 0, 0, 0, 0);
    }

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

// With entries from month 4 the periods before it come from the stored
// previous balances (their changes, on the credit side for sales, DAC 3); the
// sub-account rows follow the account row, each with its own amounts, the
// account's own rows named after the account.
TEST_F(BudgetCarryForwardTest, VarianceReadsThePeriodsBeforeAMidYearStart)
{
    Session s(Copy());
    s.Exec("UPDATE ACCDEF1 SET KAISINO = 4 WHERE REC = 1");
    const int balances[] = {100, 250, 450, 450, 999};
    for (int mnum = 1; mnum <= 5; ++mnum)
        s.Exec(
            "UPDATE OR INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN) VALUES (' ', '4101', ' ',"
            " ' ', " +
            std::to_string(mnum) + ", " + std::to_string(balances[mnum - 1]) +
            ") MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM)");
    s.Exec("UPDATE OR INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('4101', 'H1', '店頭') MATCHING (KCODE, HCODE)");
    Key(s, "' ', '4101', ' ', ' '");
    Key(s, "' ', '4101', 'H1', ' '");
    Month(s, "' ', '4101', ' ', ' '", 5, 0, 1000, 80, 300);
    Month(s, "' ', '4101', ' ', ' '", 2, 0, 7, 0, 100);
    Month(s, "' ', '4101', 'H1', ' '", 6, 0, 40, 0, 0);
    const std::string columns =
        "SELECT KCODE, HCODE, HNAME, HOJCNT, TAISHAKU, CAST(KAS01 AS INTEGER), CAST(KAS02 AS INTEGER),"
        " CAST(KAS04 AS INTEGER), CAST(KAR02 AS INTEGER), CAST(KAS05 AS INTEGER), CAST(KAS06 AS INTEGER),"
        " CAST(YOSAN02 AS INTEGER), CAST(YOSAN05 AS INTEGER), CAST(YOSAN16 AS INTEGER) FROM ";
    const std::string account = s.Line("SELECT KNAME FROM KAMOKUMST WHERE KCODE = '4101'");
    EXPECT_EQ(s.Lines(columns + "SP_YOJITU_HENDOU_SONEKI(1, '', '') WHERE KCODE = '4101'"),
              (std::vector<std::string>{"4101|||2|3|100|150|0|0|1000|40|100|300|0",
                                        "4101| |" + account + "|0|3|100|150|0|0|1000|0|100|300|0",
                                        "4101|H1|店頭|0|3|0|0|0|0|0|40|0|0|0"}));
    // With tax; a blank facility reads every facility as an empty one does.
    EXPECT_EQ(s.Line("SELECT CAST(KAS05 AS INTEGER) FROM SP_YOJITU_HENDOU_SONEKI(0, ' ', '') WHERE KCODE = '4101'"),
              "1080");
    // From the first month the stored balances stay unread.
    s.Exec("UPDATE ACCDEF1 SET KAISINO = 1 WHERE REC = 1");
    EXPECT_EQ(s.Line("SELECT CAST(KAS01 AS INTEGER), CAST(KAS02 AS INTEGER) FROM SP_YOJITU_HENDOU_SONEKI(1, '', '')"
                     " WHERE KCODE = '4101'"),
              "0|7");
}

// By department with allocation: the common department keeps its share,
// another adds its share of the common department's amounts and budget.
TEST_F(BudgetCarryForwardTest, VarianceByDepartmentAllocatesTheCommonDepartment)
{
    Session s(Copy());
    s.Exec("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('D1', '営業') MATCHING (BCODE)");
    Key(s, "' ', '4101', ' ', '00'");
    Key(s, "' ', '4101', ' ', 'D1'");
    s.Exec("UPDATE KAMOKU_SZ SET HAIBUN05 = 70 WHERE KCODE = '4101' AND BCODE = '00'");
    s.Exec("UPDATE KAMOKU_SZ SET HAIBUN05 = 30 WHERE KCODE = '4101' AND BCODE = 'D1'");
    Month(s, "' ', '4101', ' ', '00'", 5, 0, 1001, 0, 10);
    Month(s, "' ', '4101', ' ', 'D1'", 5, 0, 200, 0, 20);
    const std::string read =
        "SELECT CAST(KAS05 AS INTEGER), CAST(YOSAN05 AS INTEGER) FROM SP_YOJITU_HENDOUSONEKI_BUMON";
    struct Case {
        const char* args;
        const char* expected;
    };
    const Case cases[] = {{"(1, 1, ' ', 'D1')", "500|23"},
                          {"(1, 1, ' ', '00')", "701|7"},
                          {"(1, 0, ' ', 'D1')", "200|20"},
                          {"(1, 0, ' ', '00')", "1001|10"}};
    for (const Case& c : cases)
        EXPECT_EQ(s.Line(read + c.args + " WHERE KCODE = '4101'"), c.expected) << c.args;
}

// Without tax the suspense tax account's own row of a department takes
// that department's tax whatever the department mode; its sub-account row
// takes none, and a period without a row reads 0, not the row before's.
TEST_F(BudgetCarryForwardTest, CarryForwardReadersTakeTheDepartmentsTax)
{
    Session s(Copy());
    const std::string kariuke = s.Line("SELECT CODE FROM SYSKMKCODEINF('仮受消費税')");
    s.Exec("UPDATE ACCDEF1 SET BUMON = 0 WHERE REC = 1");
    s.Exec("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('D1', '営業') MATCHING (BCODE)");
    s.Exec("UPDATE OR INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('" + kariuke +
           "', 'H1', 'x') MATCHING (KCODE, HCODE)");
    Key(s, "' ', '" + kariuke + "', ' ', 'D1'");
    Key(s, "' ', '" + kariuke + "', 'H1', 'D1'");
    Month(s, "' ', '" + kariuke + "', ' ', 'D1'", 3, 0, 1000, 0, 0);
    Month(s, "' ', '" + kariuke + "', 'H1', 'D1'", 3, 0, 500, 0, 0);
    s.Exec("DELETE FROM KAMOKU_MS WHERE KCODE = '" + kariuke + "' AND HCODE = 'H1' AND MNUM = 5");
    s.Exec(
        "UPDATE OR INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', 'D1', 1, 3, 0, 80)"
        " MATCHING (SCODE, BCODE, KKUBUN, MNUM)");
    const std::string columns = "SELECT HCODE, CAST(KAS03 AS INTEGER), CAST(KAS05 AS INTEGER) FROM ";
    const std::string where = " WHERE KCODE = '" + kariuke + "' AND BCODE = 'D1'";
    EXPECT_EQ(s.Lines(columns + "SP_KURIKOSIZANDAKA(1, ' ')" + where),
              (std::vector<std::string>{" |1080|0", "H1|500|0"}));
    EXPECT_EQ(s.Lines(columns + "SP_KURIKOSIZANDAKA(0, ' ')" + where),
              (std::vector<std::string>{" |1000|0", "H1|500|0"}));
    EXPECT_EQ(s.Lines(columns + "SP_KURIKOSIBUMONZANDAKA(1, ' ')" + where), (std::vector<std::string>{" |1580|0"}));
}

// An individual's capital takes in every sub-account of the capital,
// drawings and owner's loan accounts, and stands once, on the capital's
// own row: the capital's total opening is the new capital.
TEST_F(BudgetCarryForwardTest, CapitalCarryForwardCountsTheCapitalOnce)
{
    Session s(Copy(DataKind::Individual));
    s.Exec("UPDATE ACCDEF1 SET BUMON = 0 WHERE REC = 1");
    s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 0 WHERE SCODE = ' '");
    for (const char* sub : {"'3101', 'H1'", "'1608', 'H2'"})
        s.Exec(std::string("UPDATE OR INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES (") + sub +
               ", 'x') MATCHING (KCODE, HCODE)");
    const char* openings[][3] = {{"1101", " ", "1000"}, {"1608", " ", "300"}, {"1608", "H2", "100"},
                                 {"2101", " ", "200"},  {"2205", " ", "150"}, {"3101", " ", "500"},
                                 {"3101", "H1", "200"}, {"4101", " ", "777"}};
    for (const auto& o : openings)
        s.Exec(std::string("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '") +
               o[0] + "', '" + o[1] + "', ' ', " + o[2] + ") MATCHING (SCODE, KCODE, HCODE, BCODE)");
    EXPECT_EQ(s.Lines("SELECT BCODE, CAST(MOTOIREZAN AS INTEGER), CAST(KIMATU_MOTOIREZAN AS INTEGER),"
                      " CAST(KIMATU_JIGYOKASIZAN AS INTEGER), CAST(KIMATU_JIGYOKARIZAN AS INTEGER),"
                      " CAST(KIMATU_KARIZAN AS INTEGER), CAST(KIMATU_KASIZAN AS INTEGER)"
                      " FROM SP_MOTOIREKIN_KURIIRE(' ')"),
              (std::vector<std::string>{" |800|700|400|150|1400|1050"}));
    EXPECT_EQ(s.Lines("SELECT KCODE, HCODE, CAST(KAISIZAN AS INTEGER) FROM KAMOKU_SZ WHERE SCODE = ' ' AND BCODE = ' '"
                      " AND KCODE IN ('1608', '2205', '3101') ORDER BY KCODE, HCODE"),
              (std::vector<std::string>{"1608| |0", "1608|H2|0", "2205| |0", "3101| |800", "3101|H1|0"}));
}

}  // namespace
