// The readers of the earlier fiscal years and of the budgets, and the
// settlement trial balance, of general-chart company data at its last
// version, on the small ledger of the trial-balance tests: earlier years
// written into KAKOZAN by the test, the current year posted through the
// journal triggers, budgets written into the period rows.

#include "LaterUnitTestSupport.h"
#include "TrialBalanceTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using laterunittest::DataKind;
using schematest::Session;
using tbtest::Ledger;
using tbtest::Posting;

struct PastRow {
    int nendo;
    const char* scode;
    const char* bcode;
    const char* kcode;
    const char* hcode;
    int kishu;
    int komi1, nuki1, komi2, nuki2, komi3, nuki3, komi16, nuki16;
    int haibun;
};

// T100 (line 900) has the previous year in the department D1 (and its
// sub-account H1) and in the common department, and the year before in
// the facility S2 (of the facility group G1); T200 and T300 (line 901)
// have the current year before the data's start.
const PastRow PastRows[] = {
    {1, " ", "D1", "T100", " ", 1000, 110, 100, 0, 0, 0, 0, 55, 50, 30},
    {1, " ", "00", "T100", " ", -333, 1000, 900, 0, 0, 0, 0, 0, 0, 50},
    {2, "S2", "D1", "T100", " ", 7, 0, 0, 20, 10, 0, 0, 0, 0, 100},
    {1, " ", "D1", "T100", "H1", 5, 1, 1, 0, 0, 0, 0, 0, 0, 100},
    {0, " ", " ", "T200", " ", 40, 0, 0, 0, 0, 30, 20, 0, 0, 100},
    {0, " ", " ", "T300", " ", 2, 0, 0, 0, 0, 3, 2, 0, 0, 100},
};

class EarlierYearsAndBudgetsTest : public laterunittest::LaterUnitDbTest {
protected:
    void SetUp() override
    {
        LaterUnitDbTest::SetUp();
        companytest::CopyCompanyMaster(companytest::CompanyMaster("", DataKind::Corporation), SystemDef.DataDir);
    }

    static void WritePast(Session& s)
    {
        s.Exec("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', 'S2')");
        for (const PastRow& r : PastRows) {
            const std::string n = std::to_string(r.haibun);
            std::string haibun;
            for (int i = 1; i <= 16; ++i)
                haibun += ", HAIBUN_" + std::to_string(i);
            std::string rates;
            for (int i = 1; i <= 16; ++i)
                rates += ", " + n;
            s.Exec(
                "INSERT INTO KAKOZAN (NENDO, SCODE, BCODE, KCODE, HCODE, KISHU, KOMIZAN_1, NUKIZAN_1, KOMIZAN_2,"
                " NUKIZAN_2, KOMIZAN_3, NUKIZAN_3, KOMIZAN_16, NUKIZAN_16" +
                haibun + ") VALUES (" + std::to_string(r.nendo) + ", '" + r.scode + "', '" + r.bcode + "', '" +
                r.kcode + "', '" + r.hcode + "', " + std::to_string(r.kishu) + ", " + std::to_string(r.komi1) + ", " +
                std::to_string(r.nuki1) + ", " + std::to_string(r.komi2) + ", " + std::to_string(r.nuki2) + ", " +
                std::to_string(r.komi3) + ", " + std::to_string(r.nuki3) + ", " + std::to_string(r.komi16) + ", " +
                std::to_string(r.nuki16) + rates + ")");
        }
    }
};

// Every row of a statement, its columns as whole amounts joined by "|" and
// the rows by " / ".
std::string Read(Session& s, const std::string& columns, const std::string& from)
{
    std::string text;
    for (const std::string& line : s.Lines("SELECT " + columns + " FROM " + from))
        text += (text.empty() ? "" : " / ") + line;
    return text;
}

const std::string KeyYear =
    "KCODE, HCODE, NENDO, CAST(KISHU AS BIGINT), CAST(ZAN01 AS BIGINT), CAST(ZAN02 AS BIGINT),"
    " CAST(ZAN03 AS BIGINT), CAST(ZAN16 AS BIGINT)";
const std::string LineYear =
    "KGROUP, SUBREC, NENDO, CAST(KISHU AS BIGINT), CAST(ZAN01 AS BIGINT), CAST(ZAN02 AS BIGINT),"
    " CAST(ZAN03 AS BIGINT), CAST(ZAN16 AS BIGINT)";

// The earlier years by scope and layout. A share of the common department
// is the amount times the department's own ratio of the year, cut toward
// zero to whole yen (-333 at 30% gives -99, at 50% -166).
TEST_F(EarlierYearsAndBudgetsTest, EarlierYearsFollowScopeTaxModeAndAllocation)
{
    Session s(CompanyDbPath());
    Ledger ledger(s);
    WritePast(s);
    const std::string t100 = "T100| |1|667|1110|0|0|55 / T100| |2|7|0|20|0|0 / T100|H1|1|5|1|0|0|0";
    const std::string rest = "T200| |0|40|0|0|30|0 / T300| |0|2|0|0|3|0";
    const struct {
        const char* call;
        bool lines;
        std::string expected;
    } cases[] = {
        {"SP_KANENDO_ZANDAKA(0, '')", false, t100 + " / " + rest},
        {"SP_KANENDO_ZANDAKA(0, ' ')", false, t100 + " / " + rest},
        {"SP_KANENDO_ZANDAKA(1, '')", false,
         "T100| |1|667|1000|0|0|50 / T100| |2|7|0|10|0|0 / T100|H1|1|5|1|0|0|0 / T200| |0|40|0|0|20|0 / "
         "T300| |0|2|0|0|2|0"},
        {"SP_KANENDO_ZANDAKA(0, 'S2')", false, "T100| |2|7|0|20|0|0"},
        {"SP_KANENDO_GROUPZANDAKA(0, 'G1')", false, "T100| |2|7|0|20|0|0"},
        {"SP_KANENDO_BUMONGOKEI(0, 'D1')", false,
         "T100| |1|1000|110|0|0|55 / T100| |2|7|0|20|0|0 / T100|H1|1|5|1|0|0|0"},
        {"SP_KANENDO_BUMON_ZANDAKA(0, ' ', 'D1', 0)", false, "T100| |1|1000|110|0|0|55 / T100|H1|1|5|1|0|0|0"},
        {"SP_KANENDO_BUMON_ZANDAKA(0, ' ', 'D1', 1)", false, "T100| |1|901|410|0|0|55 / T100|H1|1|5|1|0|0|0"},
        {"SP_KANENDO_BUMON_ZANDAKA(1, ' ', 'D1', 1)", false, "T100| |1|901|370|0|0|50 / T100|H1|1|5|1|0|0|0"},
        {"SP_KANENDO_BUMON_ZANDAKA(0, ' ', '00', 1)", false, "T100| |1|-166|500|0|0|0"},
        {"SP_KANENDO_ZANDAKA_A4(0, '')", true, "T900|1|1|672|1111|0|0|55 / T900|1|2|7|0|20|0|0 / T901|1|0|42|0|0|33|0"},
        {"SP_KANENDO_ZANDAKA_A3(1, '')", true, "T900|1|1|672|1001|0|0|50 / T900|1|2|7|0|10|0|0 / T901|1|0|42|0|0|22|0"},
        {"SP_KANENDO_GROUPZANDAKA_A4(0, 'G1')", true, "T900|1|2|7|0|20|0|0"},
        {"SP_KANENDO_BUMONGOKEI_A4(0, 'D1')", true, "T900|1|1|1005|111|0|0|55 / T900|1|2|7|0|20|0|0"},
        // The account's sub-accounts share out as one amount with it.
        {"SP_KANENDO_BUMON_ZANDAKA_A4(0, ' ', 'D1', 1)", true, "T900|1|1|906|411|0|0|55"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(s, c.lines ? LineYear : KeyYear, c.call), c.expected) << c.call;
}

// The budgets as written and the actual figures as the journal rows make
// them: the booked movement towards the account's side, with or without
// tax, or the entered figure where the period row says so.
TEST_F(EarlierYearsAndBudgetsTest, BudgetsAndActualFiguresFollowScopeAndTaxMode)
{
    Session s(CompanyDbPath());
    Ledger ledger(s);
    s.Exec("UPDATE KAMOKUMST SET DAC = 2 WHERE KCODE = 'T200'");
    s.Exec("UPDATE KAMOKU_MS SET BYOSAN = 100 * MNUM, BYOSAN2 = 1000 + MNUM, BYOSAN3 = 7 WHERE SCODE = ' '");
    const Posting rows[] = {
        {1, "T100", "D1", 1, 2, 1000, 100}, {2, "T100", "D1", 1, 2, 200, 20}, {2, "T200", " ", 1, 1, 3000, 300},
        {2, "T200", "D1", 4, 1, 50, 5},     {1, "T100", "00", 2, 2, 70, 7},   {1, "T100", "D1", 2, 2, 999, 99},
        {1, "T200", "D1", 4, 1, 8, 0},      {1, "T100", "D1", 1, 2, 5, 1, 1},
    };
    for (const Posting& p : rows)
        ledger.Post(p);
    // T100 of D1 in period 2 keeps an entered figure in place of its movement.
    s.Exec(
        "UPDATE KAMOKU_MS SET RW_JISSEKI_KBN = 1, RW_JISSEKI = 5000"
        " WHERE SCODE = ' ' AND KCODE = 'T100' AND HCODE = ' ' AND BCODE = 'D1' AND MNUM = 2");

    // The actual figure of the account in the period over the departments
    // given ("" every one), from the posted rows.
    const auto actual = [&](const std::string& kcode, const std::string& bcode, int mnum, int tax) {
        const int side = kcode == "T200" ? -1 : 1;
        long long sum = 0;
        for (const std::string& b : {std::string(" "), std::string("D1"), std::string("00")}) {
            if (!bcode.empty() && b != bcode)
                continue;
            if (kcode == "T100" && b == "D1" && mnum == 2)
                sum += 5000;
            else
                sum += side * (ledger.Sum(1, kcode, b, mnum, tax == 0) - ledger.Sum(2, kcode, b, mnum, tax == 0));
        }
        return std::to_string(sum);
    };
    const auto row = [&](const std::string& kcode, const std::string& bcode, int tax, int departments) {
        const int d = departments;
        return kcode + "| |" + std::to_string(100 * d) + "|" + std::to_string(1003 * d) + "|" + std::to_string(7 * d) +
               "|" + actual(kcode, bcode, 1, tax) + "|" + actual(kcode, bcode, 2, tax) + "|" +
               actual(kcode, bcode, 4, tax) + "|" + (kcode == "T100" && bcode != " " ? "1" : "0");
    };
    const std::string columns =
        "KCODE, HCODE, CAST(YOSAN01 AS BIGINT), CAST(YOSAN203 AS BIGINT), CAST(YOSAN315 AS BIGINT),"
        " CAST(JISSEKI01 AS BIGINT), CAST(JISSEKI02 AS BIGINT), CAST(JISSEKI04 AS BIGINT), JKUBUN02";
    const std::string where = " WHERE KCODE IN ('T100', 'T200') ORDER BY KCODE";
    const struct {
        const char* call;
        std::string expected;
    } cases[] = {
        {"SP_YOSAN(0, '')", row("T100", "", 0, 3) + " / " + row("T200", "", 0, 3)},
        {"SP_YOSAN(1, ' ')", row("T100", "", 1, 3) + " / " + row("T200", "", 1, 3)},
        {"SP_YOSAN_BUMON(0, ' ', 'D1', 1)", row("T100", "D1", 0, 1) + " / " + row("T200", "D1", 0, 1)},
        {"SP_YOSAN_BUMONGOKEI(1, 'D1')", row("T100", "D1", 1, 1) + " / " + row("T200", "D1", 1, 1)},
        {"SP_YOSAN_GROUP(0, 'G1')", ""},
    };
    s.Exec("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', 'S2')");
    for (const auto& c : cases)
        EXPECT_EQ(Read(s, columns, std::string(c.call) + where), c.expected) << c.call;
    // Suspense tax accounts are balance-sheet accounts: no budget rows.
    EXPECT_EQ(s.Line("SELECT COUNT(*) FROM SP_YOSAN(0, '') WHERE KCODE = '" + std::string(tbtest::ReceivedTax) + "'"),
              "0");

    // By line of the A4 layout: the first budget of the line's accounts.
    const struct {
        const char* call;
        const char* expected;
    } lines[] = {
        {"SP_YOSAN_A4('')", "T900|1|300|1500 / T901|1|600|3000"},
        {"SP_YOSAN_BUMON_A4(' ', 'D1', 0)", "T900|1|100|500 / T901|1|200|1000"},
        {"SP_YOSAN_BUMONGOKEI_A4('00')", "T900|1|100|500 / T901|1|200|1000"},
        {"SP_YOSAN_GROUP_A4('G1')", ""},
    };
    for (const auto& c : lines)
        EXPECT_EQ(Read(s, "KGROUP, SUBREC, CAST(YOSAN01 AS BIGINT), CAST(YOSAN05 AS BIGINT)",
                       std::string(c.call) + " WHERE KGROUP IN ('T900', 'T901')"),
                  c.expected)
            << c.call;
}

// The settlement trial balance: the current year of each line as the
// journal rows make it, the earlier years in the tax mode the second
// argument chooses, towards the line's side.
TEST_F(EarlierYearsAndBudgetsTest, SettlementLinesCarryTheEarlierYearsInTheirTaxMode)
{
    Session s(CompanyDbPath());
    Ledger ledger(s);
    WritePast(s);
    // T300, the last account of line 901, gives the line its debit side;
    // T200 takes the credit side and counts negative in the earlier years.
    s.Exec("UPDATE KAMOKUMST SET DAC = 2 WHERE KCODE = 'T200'");
    const Posting rows[] = {
        {1, "T100", "D1", 1, 2, 1000, 100}, {2, "T200", " ", 1, 1, 3000, 300}, {1, "T300", "00", 3, 2, 40, 4},
        {2, "T100", "D1", 16, 2, 12, 1},    {1, "T100", " ", 1, 2, 7, 0, 1},
    };
    for (const Posting& p : rows)
        ledger.Post(p);

    const struct {
        int tax;
        int zentax;
        int taxdefuh;
        int pastTax;
    } cases[] = {{0, 1, 1, 0}, {1, 1, 0, 1}, {0, -1, 1, 1}, {1, -1, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE("tax " + std::to_string(c.tax) + " zentax " + std::to_string(c.zentax) + " taxdefuh " +
                     std::to_string(c.taxdefuh));
        s.Exec("UPDATE ACCDEF1 SET TAXDEFUH = " + std::to_string(c.taxdefuh) + " WHERE REC = 1");
        const std::string call =
            "SP_SISANHYO_KESSAN(" + std::to_string(c.tax) + ", " + std::to_string(c.zentax) + ") WHERE MSTREC = ";
        const bool withTax = c.tax == 0;
        const auto current = [&](const std::vector<std::string>& accounts, int mnum) {
            long long kar = 0, kas = 0;
            for (const std::string& k : accounts) {
                kar += ledger.Sum(1, k, "", mnum, withTax);
                kas += ledger.Sum(2, k, "", mnum, withTax);
            }
            return std::to_string(kar) + "|" + std::to_string(kas);
        };
        const std::string past = c.pastTax == 0 ? "672|1111|55|0|0" : "672|1001|50|0|0";
        EXPECT_EQ(Read(s,
                       "USERCODE, KCODE, KNAME, TAISHAKU, CAST(KAR01 AS BIGINT), CAST(KAS01 AS BIGINT),"
                       " CAST(KAR16 AS BIGINT), CAST(KAS16 AS BIGINT), CAST(KISHU1 AS BIGINT),"
                       " CAST(ZANM15 AS BIGINT), CAST(ZANM00 AS BIGINT), CAST(KISHU0 AS BIGINT),"
                       " CAST(ZANP03 AS BIGINT)",
                       call + std::to_string(tbtest::LineOne)),
                  "T100|T100|試験費|1|" + current({"T100"}, 1) + "|" + current({"T100"}, 16) + "|" + past);
        EXPECT_EQ(Read(s,
                       "USERCODE, KCODE, KNAME, TAISHAKU, CAST(KAR01 AS BIGINT), CAST(KAS01 AS BIGINT),"
                       " CAST(KAR03 AS BIGINT), CAST(KAS03 AS BIGINT), CAST(KISHU1 AS BIGINT),"
                       " CAST(KISHU0 AS BIGINT), CAST(ZANP03 AS BIGINT), CAST(ZANP04 AS BIGINT)",
                       call + std::to_string(tbtest::LineTwo)),
                  "-|-|試験行|1|" + current({"T200", "T300"}, 1) + "|" + current({"T200", "T300"}, 3) + "|0|-38|" +
                      (c.pastTax == 0 ? "-27" : "-18") + "|0");
        // Without tax, the suspense tax lines carry the tax of their class.
        if (c.tax == 1) {
            EXPECT_EQ(
                Read(s, "CAST(KAR01 AS BIGINT), CAST(KAS01 AS BIGINT)", call + std::to_string(tbtest::LineReceivedTax)),
                "0|" + std::to_string(ledger.Tax(2, 1, "", 1)));
        }
        // A line none of whose accounts has balance rows does not come out.
        EXPECT_EQ(Read(s, "MSTREC", call + std::to_string(tbtest::LineEmpty)), "");
    }
}

}  // namespace
