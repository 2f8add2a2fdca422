// The prior-year balance and budget procedures of update 0.2.2: the
// balance readers of the accounting calculations (one facility or all, one
// department, a department group), the management-budget readers and
// writer, and the budget reader of the entry screen.
//
// What every reader here holds to:
//   - every output column is set afresh for each output row: a period
//     without a balance or budget row reads 0, never the figure of the row
//     output before it;
//   - ACCDEF1.KAISINO is a month (1-12): the balances taken are those of
//     the periods before that month's period, the quarter settlement
//     periods 4, 8 and 12 standing after the months 3, 6 and 9;
//   - a share of the common department is rounded half away from zero,
//     as the program rounds, also for negative amounts;
//   - the balances and budgets of a department group are the sums over
//     its departments.

#include "dbupdate/AccountingUpdate022.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace accupdate022 {

namespace {

const std::string Code = "VARCHAR(6) CHARACTER SET ASCII";
const std::string Amount = "NUMERIC(16,4)";

// Two digits, zero-padded.
std::string Two(int n)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// An output column and the period number (MNUM) whose figure it carries.
using Column = std::pair<std::string, int>;

// ZANM32 ... ZANM00 for MNUM -32 ... 0, ZANP01 ... ZANP15 for 1 ... 15.
std::vector<Column> BalanceColumns()
{
    std::vector<Column> columns;
    for (int mnum = -32; mnum <= 0; ++mnum)
        columns.emplace_back("ZANM" + Two(-mnum), mnum);
    for (int mnum = 1; mnum <= 15; ++mnum)
        columns.emplace_back("ZANP" + Two(mnum), mnum);
    return columns;
}

// YOSAN01 ... YOSAN15: the cumulative budgets of the periods 1 to 15.
std::vector<Column> PeriodBudgetColumns()
{
    std::vector<Column> columns;
    for (int mnum = 1; mnum <= 15; ++mnum)
        columns.emplace_back("YOSAN" + Two(mnum), mnum);
    return columns;
}

// The twelve months' periods: 1-3, 5-7, 9-11, 13-15.
int MonthPeriod(int month)
{
    return month + (month - 1) / 3;
}

// prefix1 ... prefix12 (name formed by the caller) for the months' periods.
std::vector<Column> MonthColumns(const std::string& prefix, bool twoDigits)
{
    std::vector<Column> columns;
    for (int month = 1; month <= 12; ++month)
        columns.emplace_back(prefix + (twoDigits ? Two(month) : std::to_string(month)), MonthPeriod(month));
    return columns;
}

// ZZZ_ZAN16 (MNUM -32), ZZ_ZAN1 ... 16 (two years back), Z_ZAN1 ... 16
// (the year before), T_ZAN1 ... 16 (this year).
std::vector<Column> ThreeYearColumns()
{
    std::vector<Column> columns = {{"ZZZ_ZAN16", -32}};
    const std::pair<const char*, int> years[] = {{"ZZ_ZAN", -32}, {"Z_ZAN", -16}, {"T_ZAN", 0}};
    for (const auto& [prefix, offset] : years)
        for (int period = 1; period <= 16; ++period)
            columns.emplace_back(prefix + std::to_string(period), period + offset);
    return columns;
}

std::vector<Column> Join(std::vector<Column> first, const std::vector<Column>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The RETURNS list: the leading columns as given, then the amounts.
void AddReturns(TUpdateScript& script, const std::vector<std::string>& leading, const std::vector<Column>& amounts)
{
    script.Add("RETURNS (");
    std::vector<std::string> all = leading;
    for (const auto& column : amounts)
        all.push_back(column.first + " " + Amount);
    for (std::size_t i = 0; i < all.size(); ++i)
        script.Add("    " + all[i] + (i + 1 < all.size() ? "," : ")"));
}

// Every amount column set to 0.
void AddClear(TUpdateScript& script, const std::vector<Column>& columns, const std::string& indent)
{
    for (const auto& column : columns)
        script.Add(indent + column.first + " = 0;");
}

// The amount VAMOUNT of the period VMNUM put into its column.
void AddPut(TUpdateScript& script, const std::vector<Column>& columns, const std::string& indent)
{
    for (const auto& column : columns)
        script.Add(indent + "IF (VMNUM = " + std::to_string(column.second) + ") THEN " + column.first +
                   " = VAMOUNT;");
}

// The period limit from ACCDEF1.KAISINO: the first period not taken is the
// period of the month entries start in.
void AddPeriodLimit(TUpdateScript& script)
{
    script.Add({
        "    SELECT KAISINO FROM ACCDEF1 WHERE REC = 1 INTO :VLIMIT;",
        "    VLIMIT = COALESCE(VLIMIT, 1);",
        "    VLIMIT = VLIMIT + (VLIMIT - 1) / 3;",
    });
}

const std::vector<std::string> AccountKeyColumns = {
    "USERCODE " + Code,
    "KCODE " + Code,
    "HCODE " + Code,
};

void AddPriorYearBalances(TUpdateScript& script)
{
    const auto balances = BalanceColumns();
    const auto budgets = PeriodBudgetColumns();
    script.Add({"ReCREATE PROCEDURE SP_KANENDO_ZANDAKA (", "    PSCODE " + Code + ")"});
    AddReturns(script, AccountKeyColumns, Join(balances, budgets));
    script.Add({
        "AS",
        "DECLARE VARIABLE VLIMIT INTEGER;",
        "DECLARE VARIABLE VMNUM INTEGER;",
        "DECLARE VARIABLE VAMOUNT " + Amount + ";",
        "BEGIN",
    });
    AddPeriodLimit(script);
    script.Add({
        "    /* PSCODE '' takes every facility. */",
        "    FOR SELECT V.USERCODE, V.KCODE FROM KAMOKU_VIEW V",
        "         WHERE (:PSCODE = '' OR V.SCODE = :PSCODE)",
        "         GROUP BY V.USERCODE, V.KCODE",
        "          INTO :USERCODE, :KCODE DO",
        "        FOR SELECT Z.HCODE FROM KAMOKU_SZ Z",
        "             WHERE Z.KCODE = :KCODE AND (:PSCODE = '' OR Z.SCODE = :PSCODE)",
        "             GROUP BY Z.HCODE",
        "             ORDER BY Z.HCODE",
        "              INTO :HCODE DO",
        "        BEGIN",
    });
    AddClear(script, Join(balances, budgets), "            ");
    script.Add({
        "            FOR SELECT M.MNUM, COALESCE(SUM(M.BYOSAN), 0) FROM KAMOKU_MS M",
        "                 WHERE M.KCODE = :KCODE AND M.HCODE = :HCODE AND (:PSCODE = '' OR M.SCODE = :PSCODE)",
        "                   AND M.MNUM BETWEEN 1 AND 15",
        "                 GROUP BY M.MNUM",
        "                  INTO :VMNUM, :VAMOUNT DO",
        "            BEGIN",
    });
    AddPut(script, budgets, "                ");
    script.Add({
        "            END",
        "            FOR SELECT P.MNUM, COALESCE(SUM(P.NUKIZAN), 0) FROM KAMOKU_PZ P",
        "                 WHERE P.KCODE = :KCODE AND P.HCODE = :HCODE AND (:PSCODE = '' OR P.SCODE = :PSCODE)",
        "                   AND P.MNUM < :VLIMIT",
        "                 GROUP BY P.MNUM",
        "                  INTO :VMNUM, :VAMOUNT DO",
        "            BEGIN",
    });
    AddPut(script, balances, "                ");
    script.Add({
        "            END",
        "            SUSPEND;",
        "        END",
        "END ^",
        "",
    });
}

void AddDepartmentPriorYearBalances(TUpdateScript& script)
{
    const auto balances = BalanceColumns();
    const auto budgets = PeriodBudgetColumns();
    script.Add({
        "ReCREATE PROCEDURE SP_KANENDO_BUMON_ZANDAKA (",
        "    PSCODE " + Code + ",",
        "    PBCODE " + Code + ",",
        "    PHIBUN INTEGER)",
    });
    AddReturns(script, AccountKeyColumns, Join(balances, budgets));
    script.Add("AS");
    for (int period = 1; period <= 16; ++period)
        script.Add("DECLARE VARIABLE R" + Two(period) + " " + Amount + ";");
    script.Add({
        "DECLARE VARIABLE VLIMIT INTEGER;",
        "DECLARE VARIABLE VMNUM INTEGER;",
        "DECLARE VARIABLE VAMOUNT " + Amount + ";",
        "DECLARE VARIABLE VCOMMON " + Amount + ";",
        "DECLARE VARIABLE VRATIO " + Amount + ";",
        "BEGIN",
    });
    AddPeriodLimit(script);
    script.Add({
        "    FOR SELECT V.USERCODE, V.KCODE FROM KAMOKU_VIEW V",
        "         WHERE V.SCODE = :PSCODE AND V.BCODE = :PBCODE",
        "         GROUP BY V.USERCODE, V.KCODE",
        "          INTO :USERCODE, :KCODE DO",
        "    BEGIN",
        "        /* The budget allocation percentages of the account in the department",
        "           (none without an account row there). */",
    });
    for (int period = 1; period <= 16; ++period)
        script.Add("        R" + Two(period) + " = 0;");
    script.Add({"        IF (PHIBUN = 1) THEN", "            SELECT"});
    for (int period = 1; period <= 16; ++period)
        script.Add("                   COALESCE(HAIBUN" + Two(period) + ", 0)" + (period < 16 ? "," : ""));
    script.Add({
        "              FROM KAMOKU_SZ",
        "             WHERE SCODE = :PSCODE AND KCODE = :KCODE AND HCODE = ' ' AND BCODE = :PBCODE",
        "              INTO",
    });
    for (int period = 1; period <= 16; ++period)
        script.Add("                   :R" + Two(period) + (period < 16 ? "," : ";"));
    script.Add({
        "        FOR SELECT Z.HCODE FROM KAMOKU_SZ Z",
        "             WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE = :PBCODE",
        "             GROUP BY Z.HCODE",
        "             ORDER BY Z.HCODE",
        "              INTO :HCODE DO",
        "        BEGIN",
    });
    AddClear(script, Join(balances, budgets), "            ");
    script.Add({
        "            /* With allocation the common department keeps only its allocated",
        "               share, every other department adds its share of the common",
        "               department's figure of the same sub-account. */",
        "            FOR SELECT M.MNUM, COALESCE(M.BYOSAN, 0), COALESCE(N.BYOSAN, 0)",
        "                  FROM KAMOKU_MS M",
        "                  LEFT JOIN KAMOKU_MS N",
        "                    ON (N.SCODE = M.SCODE AND N.KCODE = M.KCODE AND N.HCODE = M.HCODE",
        "                        AND N.BCODE = '00' AND N.MNUM = M.MNUM)",
        "                 WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.HCODE = :HCODE",
        "                   AND M.BCODE = :PBCODE AND M.MNUM BETWEEN 1 AND 15",
        "                  INTO :VMNUM, :VAMOUNT, :VCOMMON DO",
        "            BEGIN",
        "                IF (PHIBUN = 1) THEN",
        "                BEGIN",
        "                    IF (PBCODE = '00') THEN",
        "                    BEGIN",
        "                        VCOMMON = VAMOUNT;",
        "                        VAMOUNT = 0;",
        "                    END",
        "                    VRATIO = CASE VMNUM",
    });
    for (int period = 1; period <= 16; ++period)
        script.Add("                                 WHEN " + std::to_string(period) + " THEN R" + Two(period));
    script.Add({
        "                                 ELSE 0 END;",
        "                    VAMOUNT = VAMOUNT + ROUND(VCOMMON * VRATIO / 100, 0);",
        "                END",
    });
    AddPut(script, budgets, "                ");
    script.Add({
        "            END",
        "            FOR SELECT P.MNUM, COALESCE(P.NUKIZAN, 0), COALESCE(P.HAIBUN, 0), COALESCE(Q.NUKIZAN, 0)",
        "                  FROM KAMOKU_PZ P",
        "                  LEFT JOIN KAMOKU_PZ Q",
        "                    ON (Q.SCODE = P.SCODE AND Q.KCODE = P.KCODE AND Q.HCODE = P.HCODE",
        "                        AND Q.BCODE = '00' AND Q.MNUM = P.MNUM)",
        "                 WHERE P.SCODE = :PSCODE AND P.KCODE = :KCODE AND P.HCODE = :HCODE",
        "                   AND P.BCODE = :PBCODE AND P.MNUM < :VLIMIT",
        "                  INTO :VMNUM, :VAMOUNT, :VRATIO, :VCOMMON DO",
        "            BEGIN",
        "                IF (PHIBUN = 1) THEN",
        "                BEGIN",
        "                    IF (PBCODE = '00') THEN",
        "                    BEGIN",
        "                        VCOMMON = VAMOUNT;",
        "                        VAMOUNT = 0;",
        "                    END",
        "                    VAMOUNT = VAMOUNT + ROUND(VCOMMON * VRATIO / 100, 0);",
        "                END",
    });
    AddPut(script, balances, "                ");
    script.Add({
        "            END",
        "            SUSPEND;",
        "        END",
        "    END",
        "END ^",
        "",
    });
}

// The readers of the management-budget screens, one row per account (or
// per account of one department) built from one source row per period.
struct FlatReader {
    std::string name;
    bool taxMode;              // the PTAXUH parameter and the DAC column
    std::string table;         // KAMOKU_PZ or KAMOKU_MS
    std::string amount;        // the per-row amount over X
    std::string groupFilter;   // over V.GROUPM0
    std::vector<Column> columns;
};

void AddFlatReader(TUpdateScript& script, const FlatReader& reader)
{
    script.Add({"ReCREATE PROCEDURE " + reader.name + " (", "    PSCODE " + Code + ","});
    script.Add(reader.taxMode ? "    PBCODE " + Code + "," : "    PBCODE " + Code + ")");
    if (reader.taxMode)
        script.Add("    PTAXUH INTEGER)");
    std::vector<std::string> leading = {"KGROUP " + Code, "KCODE " + Code, "BCODE " + Code, "KNAME VARCHAR(14)",
                                        "BNAME VARCHAR(14)"};
    if (reader.taxMode)
        leading.push_back("DAC INTEGER");
    AddReturns(script, leading, reader.columns);
    script.Add({
        "AS",
        "DECLARE VARIABLE VKEY VARCHAR(12) CHARACTER SET ASCII;",
        "DECLARE VARIABLE VNEWKEY VARCHAR(12) CHARACTER SET ASCII;",
        "DECLARE VARIABLE VGROUP " + Code + ";",
        "DECLARE VARIABLE VKCODE " + Code + ";",
        "DECLARE VARIABLE VBCODE " + Code + ";",
        "DECLARE VARIABLE VKNAME VARCHAR(14);",
        "DECLARE VARIABLE VBNAME VARCHAR(14);",
        "DECLARE VARIABLE VDAC INTEGER;",
        "DECLARE VARIABLE VMNUM INTEGER;",
        "DECLARE VARIABLE VAMOUNT " + Amount + ";",
        "BEGIN",
        "    VKEY = NULL;",
        "    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';",
    });
    const std::string join = "              INNER JOIN KAMOKU_VIEW V ON (V.SCODE = X.SCODE AND V.KCODE = X.KCODE"
                             " AND V.HCODE = X.HCODE AND V.BCODE = X.BCODE)";
    const std::string where = "             WHERE X.SCODE = :PSCODE AND X.HCODE = ' ' AND " + reader.groupFilter;
    // The body of both loops: a new key outputs the row built so far and
    // starts the next one from nothing.
    const auto addBody = [&]() {
        script.Add({
            "        BEGIN",
            "            VNEWKEY = VKCODE || VBCODE;",
            "            IF (VKEY IS DISTINCT FROM VNEWKEY) THEN",
            "            BEGIN",
            "                IF (VKEY IS NOT NULL) THEN SUSPEND;",
            "                VKEY = VNEWKEY;",
            "                KGROUP = VGROUP;",
            "                KCODE = VKCODE;",
            "                KNAME = VKNAME;",
            "                BCODE = VBCODE;",
            "                BNAME = VBNAME;",
        });
        if (reader.taxMode)
            script.Add("                DAC = VDAC;");
        AddClear(script, reader.columns, "                ");
        script.Add("            END");
        AddPut(script, reader.columns, "            ");
        script.Add("        END");
    };
    // The account totals are summed over the departments and carry no
    // department; a department's rows are read as they are.
    script.Add({
        "    IF (PBCODE = ' ') THEN",
        "        FOR SELECT V.GROUPM0, X.KCODE, '', '', MAX(V.KNAME), MAX(V.DAC), X.MNUM,",
        "                   COALESCE(SUM(" + reader.amount + "), 0)",
        "              FROM " + reader.table + " X",
        join,
        where,
        "             GROUP BY V.GROUPM0, X.KCODE, X.MNUM",
        "             ORDER BY V.GROUPM0, X.KCODE, X.MNUM",
        "              INTO :VGROUP, :VKCODE, :VBCODE, :VBNAME, :VKNAME, :VDAC, :VMNUM, :VAMOUNT DO",
    });
    addBody();
    script.Add({
        "    ELSE",
        "        FOR SELECT V.GROUPM0, X.KCODE, V.BCODE, V.BNAME, V.KNAME, V.DAC, X.MNUM,",
        "                   COALESCE(" + reader.amount + ", 0)",
        "              FROM " + reader.table + " X",
        join,
        where + " AND X.BCODE = :PBCODE",
        "             ORDER BY V.GROUPM0, X.KCODE, X.MNUM",
        "              INTO :VGROUP, :VKCODE, :VBCODE, :VBNAME, :VKNAME, :VDAC, :VMNUM, :VAMOUNT DO",
    });
    addBody();
    script.Add({
        "    IF (VKEY IS NOT NULL) THEN SUSPEND;",
        "END ^",
        "",
    });
}

// The month budgets of one account from last year's actual movements.
void AddMonthBudgetFromLastYear(TUpdateScript& script)
{
    script.Add({
        "ReCREATE PROCEDURE SP_MB_UPDATE_JISSEKIYOSAN (",
        "    PSCODE " + Code + ",",
        "    PKCODE " + Code + ",",
        "    PBCODE " + Code + ",",
        "    PTAIHI " + Amount + ",",
        "    PMNUM1 INTEGER,",
        "    PMNUM2 INTEGER)",
        "AS",
        "DECLARE VARIABLE VP1 INTEGER;",
        "DECLARE VARIABLE VP2 INTEGER;",
        "DECLARE VARIABLE VMNUM INTEGER;",
        "DECLARE VARIABLE VPERIOD INTEGER;",
        "DECLARE VARIABLE VVALUE " + Amount + ";",
        "DECLARE VARIABLE VRUN " + Amount + ";",
        "DECLARE VARIABLE VMOVE " + Amount + ";",
    });
    for (int month = 1; month <= 12; ++month)
        script.Add("DECLARE VARIABLE Y" + Two(month) + " " + Amount + ";");
    const auto putMonth = [&](const std::string& value) {
        for (int month = 1; month <= 12; ++month)
            script.Add("            IF (VPERIOD = " + std::to_string(MonthPeriod(month)) + ") THEN Y" + Two(month) +
                       " = " + value + ";");
    };
    const std::string join = "              INNER JOIN KAMOKU_VIEW V ON (V.SCODE = X.SCODE AND V.KCODE = X.KCODE"
                             " AND V.HCODE = X.HCODE AND V.BCODE = X.BCODE)";
    const std::string where = "             WHERE X.SCODE = :PSCODE AND X.KCODE = :PKCODE AND X.HCODE = ' '"
                              " AND (:PBCODE = ' ' OR X.BCODE = :PBCODE)";
    script.Add({
        "BEGIN",
        "    /* Months 1-12 as periods: the quarter settlement periods stand after",
        "       the months 3, 6 and 9. */",
        "    VP1 = PMNUM1 + (PMNUM1 - 1) / 3;",
        "    VP2 = PMNUM2 + (PMNUM2 - 1) / 3;",
        "    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';",
    });
    for (int month = 1; month <= 12; ++month)
        script.Add("    Y" + Two(month) + " = 0;");
    script.Add({
        "    /* The stored budget is cumulative: each month's own budget is the",
        "       step from the month before. */",
        "    VRUN = 0;",
        "    FOR SELECT X.MNUM, COALESCE(SUM(X.BYOSAN), 0) FROM KAMOKU_MS X",
        join,
        where + " AND MOD(X.MNUM, 4) <> 0",
        "             GROUP BY X.MNUM",
        "             ORDER BY X.MNUM",
        "              INTO :VPERIOD, :VVALUE DO",
        "        BEGIN",
        "            VMOVE = VVALUE - VRUN;",
        "            VRUN = VVALUE;",
    });
    putMonth("VMOVE");
    script.Add({
        "        END",
        "    /* Last year's balances with tax: a month's movement is the step from",
        "       the period before; a quarter settlement period only moves the base. */",
        "    VRUN = 0;",
        "    FOR SELECT X.MNUM, COALESCE(SUM(COALESCE(X.NUKIZAN, 0) + COALESCE(X.ZEIGAKU, 0)), 0) FROM KAMOKU_PZ X",
        join,
        where + " AND X.MNUM BETWEEN -15 AND -1",
        "             GROUP BY X.MNUM",
        "             ORDER BY X.MNUM",
        "              INTO :VMNUM, :VVALUE DO",
        "        BEGIN",
        "            VPERIOD = VMNUM + 16;",
        "            VMOVE = VVALUE - VRUN;",
        "            VRUN = VVALUE;",
        "            IF (MOD(VPERIOD, 4) <> 0 AND VPERIOD BETWEEN VP1 AND VP2) THEN",
        "            BEGIN",
    });
    putMonth("F_ROUND(VMOVE * PTAIHI)");
    script.Add({
        "            END",
        "        END",
    });
    std::string call = "    EXECUTE PROCEDURE SP_MB_UPDATE_HASSEIYOSAN (:PSCODE, :PKCODE, :PBCODE, 1";
    for (int month = 1; month <= 12; ++month)
        call += ", :Y" + Two(month);
    script.Add({call + ");", "END ^", ""});
}

}  // namespace

void AddGroupPriorYearProcedure(TUpdateScript& script)
{
    AddGroupPriorYearProcedure(script, "ReCREATE");
}

void AddGroupPriorYearProcedure(TUpdateScript& script, const std::string& verb)
{
    const auto balances = BalanceColumns();
    const auto budgets = PeriodBudgetColumns();
    const std::string inGroup = "IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE)";
    script.Add({verb + " PROCEDURE SP_KANENDO_BUMON_GROUPZANDAKA (", "    PSCODE " + Code + ",",
                "    PGCODE " + Code + ")"});
    AddReturns(script, AccountKeyColumns, Join(balances, budgets));
    script.Add({
        "AS",
        "DECLARE VARIABLE VMNUM INTEGER;",
        "DECLARE VARIABLE VAMOUNT " + Amount + ";",
        "BEGIN",
        "    FOR SELECT V.KCODE, V.USERCODE FROM KAMOKU_VIEW V",
        "         WHERE V.SCODE = :PSCODE AND V.BCODE " + inGroup,
        "         GROUP BY V.KCODE, V.USERCODE",
        "         ORDER BY V.KCODE",
        "          INTO :KCODE, :USERCODE DO",
        "        FOR SELECT Z.HCODE FROM KAMOKU_SZ Z",
        "             WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE " + inGroup,
        "             GROUP BY Z.HCODE",
        "             ORDER BY Z.HCODE",
        "              INTO :HCODE DO",
        "        BEGIN",
    });
    AddClear(script, Join(balances, budgets), "            ");
    script.Add({
        "            FOR SELECT M.MNUM, COALESCE(SUM(M.BYOSAN), 0) FROM KAMOKU_MS M",
        "                 WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.HCODE = :HCODE",
        "                   AND M.BCODE " + inGroup + " AND M.MNUM < 16",
        "                 GROUP BY M.MNUM",
        "                  INTO :VMNUM, :VAMOUNT DO",
        "            BEGIN",
    });
    AddPut(script, budgets, "                ");
    script.Add({
        "            END",
        "            FOR SELECT P.MNUM, COALESCE(SUM(P.NUKIZAN), 0) FROM KAMOKU_PZ P",
        "                 WHERE P.SCODE = :PSCODE AND P.KCODE = :KCODE AND P.HCODE = :HCODE",
        "                   AND P.BCODE " + inGroup + " AND P.MNUM < 16",
        "                 GROUP BY P.MNUM",
        "                 ORDER BY P.MNUM",
        "                  INTO :VMNUM, :VAMOUNT DO",
        "            BEGIN",
    });
    AddPut(script, balances, "                ");
    script.Add({
        "            END",
        "            SUSPEND;",
        "        END",
        "END ^",
        "",
    });
}

void AddPriorYearAndBudgetProcedures(TUpdateScript& script)
{
    AddDepartmentPriorYearBalances(script);
    AddPriorYearBalances(script);
    AddFlatReader(script, {"SP_MB_SELECT_KANENDOZAN", true, "KAMOKU_PZ",
                           "COALESCE(X.NUKIZAN, 0) + IIF(:PTAXUH = 0, COALESCE(X.ZEIGAKU, 0), 0)",
                           "V.GROUPM0 < '9900'", ThreeYearColumns()});
    AddFlatReader(script, {"SP_MB_SELECT_YOSAN", false, "KAMOKU_MS", "X.BYOSAN",
                           "V.GROUPM0 >= '4000' AND V.GROUPM0 < '9900'", MonthColumns("T_YOSAN", false)});
    AddFlatReader(script, {"SP_MB_SELECT_YOSOKU", false, "KAMOKU_MS", "X.BYOSOKU",
                           "V.GROUPM0 >= '4000' AND V.GROUPM0 < '9900'", MonthColumns("T_YOSOKU", false)});
    AddMonthBudgetFromLastYear(script);
}

void AddBudgetReadProcedure(TUpdateScript& script)
{
    const auto months = MonthColumns("YOSAN", true);
    script.Add({"ReCREATE PROCEDURE SP_YOSAN_READ (", "    PSCODE " + Code + ",", "    PBCODE " + Code + ")"});
    AddReturns(script,
               {"KGROUP " + Code, "USERCODE " + Code, "KCODE " + Code, "KNAME VARCHAR(14)", "HCODE " + Code,
                "HNAME VARCHAR(14)", "TAISHAKU INTEGER"},
               months);
    script.Add({
        "AS",
        "DECLARE VARIABLE VMNUM INTEGER;",
        "DECLARE VARIABLE VAMOUNT " + Amount + ";",
        "BEGIN",
        "    FOR SELECT V.GROUPM1, V.USERCODE, V.KCODE, V.KNAME, V.HCODE, V.HNAME, V.DAC",
        "          FROM KAMOKU_VIEW V",
        "         WHERE V.SCODE = :PSCODE AND V.BCODE = :PBCODE AND V.BPFLG = 'P' AND V.GROUPM1 <> '9900'",
        "         ORDER BY V.GROUPM1, V.USERCODE, V.HCODE",
        "          INTO :KGROUP, :USERCODE, :KCODE, :KNAME, :HCODE, :HNAME, :TAISHAKU DO",
        "    BEGIN",
    });
    AddClear(script, months, "        ");
    script.Add({
        "        /* The blank facility or department sums them all. */",
        "        FOR SELECT M.MNUM, COALESCE(SUM(M.BYOSAN), 0) FROM KAMOKU_MS M",
        "             WHERE M.KCODE = :KCODE AND M.HCODE = :HCODE",
        "               AND (:PSCODE = ' ' OR M.SCODE = :PSCODE) AND (:PBCODE = ' ' OR M.BCODE = :PBCODE)",
        "               AND MOD(M.MNUM, 4) <> 0",
        "             GROUP BY M.MNUM",
        "             ORDER BY M.MNUM",
        "              INTO :VMNUM, :VAMOUNT DO",
        "        BEGIN",
    });
    AddPut(script, months, "            ");
    script.Add({
        "        END",
        "        SUSPEND;",
        "    END",
        "END ^",
        "",
    });
}

}  // namespace accupdate022
