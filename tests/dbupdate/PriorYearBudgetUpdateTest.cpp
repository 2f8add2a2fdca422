// The prior-year balance and budget procedures that accounting update 0.2.2
// builds on the account view: run on copies of a company database brought
// to 0.2.2 by the real updates, with the balances and budgets of a test
// facility set by hand.

#include "CompanyUpdateTestSupport.h"
#include "SchemaTestSupport.h"

#include "platform/db/FirebirdServerFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using schematest::Quote;
using schematest::Session;

class PriorYearBudgetTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        dbtest::FirebirdTest::SetUp();
        path_ = companytest::CopyCompanyMaster(companytest::CompanyMaster("0.2.2"), folder_ / "data");
        Session s(path_);
        // Two facilities of their own (their balance rows come from the
        // facility trigger, every account on department ' '), two departments.
        s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('T1', '本店', 1)");
        s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('T2', '支店', 1)");
        s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('10', '営業部')");
        s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('20', '製造部')");
    }

    // Balance rows of a key, with their period rows.
    static void AddKey(Session& s, const std::string& scode, const std::string& kcode, const std::string& bcode)
    {
        s.Exec("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (" + Quote(scode) + ", " + Quote(kcode) +
               ", ' ', " + Quote(bcode) + ")");
    }
    static std::string Key(const std::string& scode, const std::string& kcode, const std::string& bcode)
    {
        return " WHERE SCODE = " + Quote(scode) + " AND KCODE = " + Quote(kcode) +
               " AND HCODE = ' ' AND BCODE = " + Quote(bcode);
    }
    static void SetPast(Session& s, const std::string& key, const std::string& values, const std::string& when = "")
    {
        s.Exec("UPDATE KAMOKU_PZ SET " + values + key + (when.empty() ? "" : " AND " + when));
    }
    static void SetPeriods(Session& s, const std::string& key, const std::string& values, const std::string& when = "")
    {
        s.Exec("UPDATE KAMOKU_MS SET " + values + key + (when.empty() ? "" : " AND " + when));
    }

    std::string path_;
};

// "C1, C2" read as whole numbers from a procedure's rows, "|"-joined.
std::vector<std::string> Read(Session& s, const std::string& columns, const std::string& from,
                              const std::string& where = "", const std::string& order = "")
{
    std::string select;
    std::string rest = columns;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        std::string column = rest.substr(0, comma);
        column.erase(0, column.find_first_not_of(' '));
        rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
        const bool text = column.rfind("$", 0) == 0;
        if (text)
            column.erase(0, 1);
        select += (select.empty() ? "" : ", ") + (text ? "TRIM(" + column + ")" : "CAST(" + column + " AS BIGINT)");
    }
    return s.Lines("SELECT " + select + " FROM " + from + (where.empty() ? "" : " WHERE " + where) +
                   (order.empty() ? "" : " ORDER BY " + order));
}

// The names and types of a procedure's arguments (kind 0) or results
// (kind 1), in order, as "NAME TYPE" joined by ", ".
std::string Parameters(Session& s, const std::string& procedure, int kind)
{
    std::string text;
    for (const std::string& line :
         s.Lines("SELECT TRIM(P.RDB$PARAMETER_NAME) || ' ' || CASE F.RDB$FIELD_TYPE"
                 " WHEN 8 THEN 'INTEGER'"
                 " WHEN 16 THEN 'NUMERIC(' || F.RDB$FIELD_PRECISION || ',' || (-F.RDB$FIELD_SCALE) || ')'"
                 " WHEN 37 THEN 'VARCHAR(' || F.RDB$CHARACTER_LENGTH || ') ' || TRIM(C.RDB$CHARACTER_SET_NAME)"
                 " ELSE 'TYPE ' || F.RDB$FIELD_TYPE END"
                 " FROM RDB$PROCEDURE_PARAMETERS P"
                 " JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = P.RDB$FIELD_SOURCE"
                 " LEFT JOIN RDB$CHARACTER_SETS C ON C.RDB$CHARACTER_SET_ID = F.RDB$CHARACTER_SET_ID"
                 " WHERE P.RDB$PROCEDURE_NAME = " +
                 Quote(procedure) + " AND P.RDB$PARAMETER_TYPE = " + std::to_string(kind) +
                 " ORDER BY P.RDB$PARAMETER_NUMBER"))
        text += (text.empty() ? "" : ", ") + line;
    return text;
}

std::string Two(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

TEST_F(PriorYearBudgetTest, ProceduresHaveTheirInterfaces)
{
    const std::string code = " VARCHAR(6) ASCII";
    const std::string amount = " NUMERIC(16,4)";
    std::string balances;  // the 66 columns of the three balance readers
    for (int n = 32; n >= 0; --n)
        balances += ", ZANM" + Two(n) + amount;
    for (int n = 1; n <= 15; ++n)
        balances += ", ZANP" + Two(n) + amount;
    for (int n = 1; n <= 15; ++n)
        balances += ", YOSAN" + Two(n) + amount;
    const std::string keys = "USERCODE" + code + ", KCODE" + code + ", HCODE" + code;
    std::string threeYears = ", ZZZ_ZAN16" + amount;
    for (const char* prefix : {"ZZ_ZAN", "Z_ZAN", "T_ZAN"})
        for (int n = 1; n <= 16; ++n)
            threeYears += ", " + std::string(prefix) + std::to_string(n) + amount;
    const auto months = [&](const std::string& prefix, bool two) {
        std::string text;
        for (int n = 1; n <= 12; ++n)
            text += ", " + prefix + (two ? Two(n) : std::to_string(n)) + amount;
        return text;
    };
    const std::string flat = "KGROUP" + code + ", KCODE" + code + ", BCODE" + code +
                             ", KNAME VARCHAR(14) SJIS_0208, BNAME VARCHAR(14) SJIS_0208";

    struct Case {
        std::string procedure, arguments, results;
    };
    const std::vector<Case> cases = {
        {"SP_KANENDO_ZANDAKA", "PSCODE" + code, keys + balances},
        {"SP_KANENDO_BUMON_ZANDAKA", "PSCODE" + code + ", PBCODE" + code + ", PHIBUN INTEGER", keys + balances},
        {"SP_KANENDO_BUMON_GROUPZANDAKA", "PSCODE" + code + ", PGCODE" + code, keys + balances},
        {"SP_MB_SELECT_KANENDOZAN", "PSCODE" + code + ", PBCODE" + code + ", PTAXUH INTEGER",
         flat + ", DAC INTEGER" + threeYears},
        {"SP_MB_SELECT_YOSAN", "PSCODE" + code + ", PBCODE" + code, flat + months("T_YOSAN", false)},
        {"SP_MB_SELECT_YOSOKU", "PSCODE" + code + ", PBCODE" + code, flat + months("T_YOSOKU", false)},
        {"SP_MB_UPDATE_JISSEKIYOSAN",
         "PSCODE" + code + ", PKCODE" + code + ", PBCODE" + code + ", PTAIHI" + amount +
             ", PMNUM1 INTEGER, PMNUM2 INTEGER",
         ""},
        {"SP_YOSAN_READ", "PSCODE" + code + ", PBCODE" + code,
         "KGROUP" + code + ", USERCODE" + code + ", KCODE" + code + ", KNAME VARCHAR(14) SJIS_0208, HCODE" + code +
             ", HNAME VARCHAR(14) SJIS_0208, TAISHAKU INTEGER" + months("YOSAN", true)},
    };
    Session s(path_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.procedure);
        EXPECT_EQ(Parameters(s, c.procedure, 0), c.arguments);
        EXPECT_EQ(Parameters(s, c.procedure, 1), c.results);
    }
}

// All departments summed per facility (or over every facility for ''), the
// balances of the periods before the start month's period.
TEST_F(PriorYearBudgetTest, PriorYearBalancesFollowFacilityAndStartMonth)
{
    struct Case {
        std::string pscode;
        int kaisino;
        std::string expected;  // ZANM32|ZANM00|ZANP01|ZANP02|ZANP03|ZANP04|ZANP05|ZANP14|ZANP15|YOSAN01|YOSAN15
    };
    const std::vector<Case> cases = {
        {"T1", 1, "1068|1100|0|0|0|0|0|0|0|11|151"},
        {"T1", 3, "1068|1100|1101|1102|0|0|0|0|0|11|151"},
        {"T1", 4, "1068|1100|1101|1102|1103|1104|0|0|0|11|151"},
        {"T1", 12, "1068|1100|1101|1102|1103|1104|1105|1114|0|11|151"},
        // '' sums every facility; so does ' ', the engine comparing texts
        // without their trailing blanks.
        {"", 1, "2068|2100|0|0|0|0|0|0|0|12|152"},
        {" ", 1, "2068|2100|0|0|0|0|0|0|0|12|152"},
    };
    {
        Session s(path_);
        AddKey(s, "T1", "1101", "10");
        SetPast(s, Key("T1", "1101", " "), "NUKIZAN = 100 + MNUM");
        SetPast(s, Key("T1", "1101", "10"), "NUKIZAN = 1000");
        SetPast(s, Key("T2", "1101", " "), "NUKIZAN = 1000");
        SetPeriods(s, Key("T1", "1101", " "), "BYOSAN = MNUM * 10");
        SetPeriods(s, Key("T1", "1101", "10"), "BYOSAN = 1");
        SetPeriods(s, Key("T2", "1101", " "), "BYOSAN = 1");
    }
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.pscode + "' from month " + std::to_string(c.kaisino));
        Session s(path_);
        s.Exec("UPDATE ACCDEF1 SET KAISINO = " + std::to_string(c.kaisino) + " WHERE REC = 1");
        EXPECT_EQ(Read(s, "ZANM32, ZANM00, ZANP01, ZANP02, ZANP03, ZANP04, ZANP05, ZANP14, ZANP15, YOSAN01, YOSAN15",
                       "SP_KANENDO_ZANDAKA(" + Quote(c.pscode) + ")", "KCODE = '1101' AND HCODE = ' '"),
                  std::vector<std::string>{c.expected});
    }
}

// A period without a balance or budget row reads 0 in each of the three
// balance readers, not what the row before it held.
TEST_F(PriorYearBudgetTest, MissingPeriodRowsReadZeroNotThePreviousRow)
{
    {
        Session s(path_);
        s.Exec("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', ' ')");
        for (const char* kcode : {"1101", "1102", "1103"}) {
            SetPast(s, Key("T1", kcode, " "), "NUKIZAN = 500");
            SetPeriods(s, Key("T1", kcode, " "), "BYOSAN = 700");
        }
        s.Exec("DELETE FROM KAMOKU_PZ" + Key("T1", "1102", " ") + " AND MNUM = 0");
        s.Exec("DELETE FROM KAMOKU_MS" + Key("T1", "1102", " ") + " AND MNUM = 3");
    }
    Session s(path_);
    for (const std::string& from :
         {std::string("SP_KANENDO_ZANDAKA('T1')"), std::string("SP_KANENDO_BUMON_ZANDAKA('T1', ' ', 0)"),
          std::string("SP_KANENDO_BUMON_GROUPZANDAKA('T1', 'G1')")}) {
        SCOPED_TRACE(from);
        EXPECT_EQ(Read(s, "$KCODE, ZANM01, ZANM00, YOSAN02, YOSAN03", from,
                       "KCODE IN ('1101', '1102', '1103') AND HCODE = ' '", "KCODE"),
                  (std::vector<std::string>{"1101|500|500|700|700", "1102|500|0|700|0", "1103|500|500|700|700"}));
    }
}

// One department, with the common department's share allocated (halves
// rounded away from zero, negative ones too) or not.
TEST_F(PriorYearBudgetTest, DepartmentBalancesAllocateTheCommonDepartment)
{
    {
        Session s(path_);
        for (const char* bcode : {"00", "10"})
            AddKey(s, "T1", "4101", bcode);
        // Balances: the rows' own rate; budgets: the rates of the account row.
        SetPast(s, Key("T1", "4101", "00"), "NUKIZAN = -25, HAIBUN = 10", "MNUM = 0");
        SetPast(s, Key("T1", "4101", "10"), "NUKIZAN = 1000, HAIBUN = 10", "MNUM = 0");
        s.Exec("UPDATE KAMOKU_SZ SET HAIBUN01 = 50" + Key("T1", "4101", "00"));
        s.Exec("UPDATE KAMOKU_SZ SET HAIBUN01 = 10" + Key("T1", "4101", "10"));
        SetPeriods(s, Key("T1", "4101", "00"), "BYOSAN = 105", "MNUM = 1");
        SetPeriods(s, Key("T1", "4101", "10"), "BYOSAN = 50", "MNUM = 1");
    }
    struct Case {
        std::string bcode;
        int phibun;
        std::string expected;  // ZANM00|YOSAN01
    };
    const std::vector<Case> cases = {
        {"00", 1, "-3|53"},    // only the shares: -2.5 and 52.5
        {"00", 0, "-25|105"},  // its own figures
        {"10", 1, "997|61"},   // own plus the share of the common department
        {"10", 0, "1000|50"},
    };
    Session s(path_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bcode + " allocation " + std::to_string(c.phibun));
        EXPECT_EQ(Read(s, "ZANM00, YOSAN01",
                       "SP_KANENDO_BUMON_ZANDAKA('T1', " + Quote(c.bcode) + ", " + std::to_string(c.phibun) + ")",
                       "KCODE = '4101'"),
                  std::vector<std::string>{c.expected});
    }
}

// A department group sums its departments' balances and budgets, of every
// period, whatever the start month; departments outside it do not count.
TEST_F(PriorYearBudgetTest, GroupBalancesAreSummedOverTheGroup)
{
    {
        Session s(path_);
        for (const char* bcode : {"00", "10", "20"}) {
            AddKey(s, "T1", "4101", bcode);
            SetPast(s, Key("T1", "4101", bcode), "NUKIZAN = " + std::string(bcode == std::string("20") ? "5" : "7"));
            SetPeriods(s, Key("T1", "4101", bcode), "BYOSAN = MNUM");
        }
        s.Exec("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '10')");
        s.Exec("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '20')");
    }
    Session s(path_);
    EXPECT_EQ(Read(s, "$KCODE, ZANM32, ZANM01, ZANP15, YOSAN02, YOSAN15", "SP_KANENDO_BUMON_GROUPZANDAKA('T1', 'G1')"),
              std::vector<std::string>{"4101|12|12|12|4|30"});
    EXPECT_TRUE(Read(s, "KCODE", "SP_KANENDO_BUMON_GROUPZANDAKA('T1', 'G9')").empty());
}

// Three years of balances in flat rows: account totals or one department,
// with or without tax; the sundry group never appears.
TEST_F(PriorYearBudgetTest, ThreeYearBalancesInFlatRows)
{
    {
        Session s(path_);
        AddKey(s, "T1", "1101", "10");
        AddKey(s, "T1", "4101", "10");
        SetPast(s, Key("T1", "1101", " "), "NUKIZAN = 100, ZEIGAKU = 8", "MNUM = -32");
        SetPast(s, Key("T1", "1101", "10"), "NUKIZAN = 1, ZEIGAKU = 0", "MNUM = -32");
        SetPast(s, Key("T1", "1101", " "), "NUKIZAN = 50, ZEIGAKU = 5", "MNUM IN (-16, 0, 15)");
        SetPast(s, Key("T1", "1101", "10"), "NUKIZAN = 77", "MNUM = 15");
        SetPast(s, Key("T1", "4101", "10"), "NUKIZAN = 3", "MNUM = -1");
        // The department's sales lack their last period: it reads 0, not 77.
        s.Exec("DELETE FROM KAMOKU_PZ" + Key("T1", "4101", "10") + " AND MNUM = 15");
        SetPast(s, Key("T1", "9999", " "), "NUKIZAN = 9");
    }
    struct Case {
        std::string pbcode;
        int ptaxuh;
        std::vector<std::string> expected;  // KCODE|BCODE|BNAME|DAC|ZZZ_ZAN16|ZZ_ZAN16|Z_ZAN15|Z_ZAN16|T_ZAN15|T_ZAN16
    };
    const std::vector<Case> cases = {
        {"", 0, {"1101|||1|109|55|0|55|132|0", "4101|||3|0|0|3|0|0|0"}},
        {" ", 1, {"1101|||1|101|50|0|50|127|0", "4101|||3|0|0|3|0|0|0"}},
        {"10", 0, {"1101|10|営業部|1|1|0|0|0|77|0", "4101|10|営業部|3|0|0|3|0|0|0"}},
    };
    Session s(path_);
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.pbcode + "' tax " + std::to_string(c.ptaxuh));
        const std::string from =
            "SP_MB_SELECT_KANENDOZAN('T1', " + Quote(c.pbcode) + ", " + std::to_string(c.ptaxuh) + ")";
        EXPECT_EQ(Read(s, "$KCODE, $BCODE, $BNAME, DAC, ZZZ_ZAN16, ZZ_ZAN16, Z_ZAN15, Z_ZAN16, T_ZAN15, T_ZAN16", from,
                       "KCODE IN ('1101', '4101')"),
                  c.expected);
        EXPECT_EQ(Read(s, "KGROUP", from, "KCODE = '1101'"), std::vector<std::string>{"1100"});
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM " + from + " WHERE KGROUP >= '9900'"), 0);
    }
}

// The twelve months of budgets and forecasts, profit and loss groups only.
TEST_F(PriorYearBudgetTest, BudgetAndForecastReadersReturnTheTwelveMonths)
{
    {
        Session s(path_);
        AddKey(s, "T1", "4101", "10");
        SetPeriods(s, Key("T1", "4101", " "), "BYOSAN = MNUM * 10, BYOSOKU = MNUM");
        SetPeriods(s, Key("T1", "4101", "10"), "BYOSAN = 1, BYOSOKU = 1000");
        SetPeriods(s, Key("T1", "1101", " "), "BYOSAN = 5, BYOSOKU = 5");
    }
    struct Case {
        std::string from;
        std::vector<std::string> expected;  // KCODE|BCODE|month 1|month 3|month 4|month 12
    };
    const std::vector<Case> cases = {
        {"SP_MB_SELECT_YOSAN('T1', '')", {"4101||11|31|51|151"}},
        {"SP_MB_SELECT_YOSAN('T1', '10')", {"4101|10|1|1|1|1"}},
        {"SP_MB_SELECT_YOSOKU('T1', ' ')", {"4101||1001|1003|1005|1015"}},
        {"SP_MB_SELECT_YOSOKU('T1', '10')", {"4101|10|1000|1000|1000|1000"}},
    };
    Session s(path_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        const std::string prefix = c.from.find("YOSOKU") != std::string::npos ? "T_YOSOKU" : "T_YOSAN";
        EXPECT_EQ(Read(s, "$KCODE, $BCODE, " + prefix + "1, " + prefix + "3, " + prefix + "4, " + prefix + "12", c.from,
                       "KCODE IN ('1101', '4101')"),
                  c.expected);
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM " + c.from + " WHERE KGROUP < '4000' OR KGROUP >= '9900'"), 0);
    }
}

// Month budgets from last year's movements for the asked months; the rest
// keep their stored budget, and a quarter period's change never becomes one.
TEST_F(PriorYearBudgetTest, MonthBudgetsFromLastYearsMovements)
{
    // Stored: 100 a month (cumulative, a quarter period holds the month
    // before). Last year with tax: months 1-3 move 10, 10, 20; quarter 1
    // adds 5; months 4-6 move 30, 40, 50; quarter 2 adds 35; months 7-12
    // move 60 each.
    const std::string lastYear =
        "(-15, 10), (-14, 20), (-13, 40), (-12, 45), (-11, 75), (-10, 115), (-9, 165),"
        " (-8, 200), (-7, 260), (-6, 320), (-5, 380), (-4, 380), (-3, 440), (-2, 500),"
        " (-1, 560)";
    struct Case {
        int from, to;
        std::string taihi;
        bool noPast;
        std::string expected;  // the stored cumulative budget of periods 1-16
    };
    const std::vector<Case> cases = {
        {4, 6, "2", false, "100 200 300 300 360 440 540 540 640 740 840 840 940 1040 1140 1140"},
        {3, 4, "2", false, "100 200 240 240 300 400 500 500 600 700 800 800 900 1000 1100 1100"},
        {12, 12, "1.05", false, "100 200 300 300 400 500 600 600 700 800 900 900 1000 1100 1163 1163"},
        {1, 12, "2", true, "100 200 300 300 400 500 600 600 700 800 900 900 1000 1100 1200 1200"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "-" + std::to_string(c.to) + " x " + c.taihi);
        {
            Session s(path_);
            const std::string key = Key("T1", "4101", " ");
            s.Exec("UPDATE KAMOKU_MS SET BYOSAN = 100 * (MNUM - (MNUM / 4))" + key);
            s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 0, ZEIGAKU = 0" + key);
            std::string rest = lastYear;
            while (!rest.empty()) {
                const std::size_t open = rest.find('('), comma = rest.find(',', open), close = rest.find(')', open);
                if (open == std::string::npos)
                    break;
                const std::string mnum = rest.substr(open + 1, comma - open - 1);
                const int value = std::stoi(rest.substr(comma + 1, close - comma - 1));
                // Last year's balance with tax: 10% of it is the tax.
                SetPast(s, key,
                        "NUKIZAN = " + std::to_string(value - value / 10) + ", ZEIGAKU = " + std::to_string(value / 10),
                        "MNUM = " + mnum);
                rest = rest.substr(close + 1);
            }
            if (c.noPast)
                s.Exec("DELETE FROM KAMOKU_PZ" + key);
        }
        Session s(path_);
        s.Exec("EXECUTE PROCEDURE SP_MB_UPDATE_JISSEKIYOSAN('T1', '4101', '', " + c.taihi + ", " +
               std::to_string(c.from) + ", " + std::to_string(c.to) + ")");
        std::string stored;
        for (const std::string& line : Read(s, "BYOSAN", "KAMOKU_MS", Key("T1", "4101", " ").substr(7), "MNUM"))
            stored += (stored.empty() ? "" : " ") + line;
        EXPECT_EQ(stored, c.expected);
    }
}

// Entry budgets by month for the profit and loss rows of one facility and
// department; the blank facility or department sums them all.
TEST_F(PriorYearBudgetTest, EntryBudgetsByMonth)
{
    {
        Session s(path_);
        AddKey(s, "T1", "4101", "10");
        SetPeriods(s, Key("T1", "4101", " "), "BYOSAN = MNUM * 10");
        SetPeriods(s, Key("T1", "4101", "10"), "BYOSAN = 1");
        SetPeriods(s, Key("T2", "4101", " "), "BYOSAN = 1");
        // The next row's third month lacks its period row: it reads 0.
        SetPeriods(s, Key("T1", "4102", " "), "BYOSAN = 7");
        s.Exec("DELETE FROM KAMOKU_MS" + Key("T1", "4102", " ") + " AND MNUM = 3");
    }
    struct Case {
        std::string pscode, pbcode;
        std::vector<std::string> expected;  // KGROUP|KCODE|TAISHAKU|YOSAN01|YOSAN03|YOSAN04|YOSAN12
    };
    const std::vector<Case> cases = {
        {"T1", " ", {"4100|4101|3|11|31|51|151", "4100|4102|4|7|0|7|7"}},
        {"T1", "10", {"4100|4101|3|1|1|1|1"}},
        {" ", " ", {"4100|4101|3|12|32|52|152", "4100|4102|4|7|0|7|7"}},
    };
    Session s(path_);
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.pscode + "' '" + c.pbcode + "'");
        const std::string from = "SP_YOSAN_READ(" + Quote(c.pscode) + ", " + Quote(c.pbcode) + ")";
        EXPECT_EQ(Read(s, "$KGROUP, $KCODE, TAISHAKU, YOSAN01, YOSAN03, YOSAN04, YOSAN12", from,
                       "KCODE IN ('1101', '4101', '4102', '9999')"),
                  c.expected);
    }
}

}  // namespace
