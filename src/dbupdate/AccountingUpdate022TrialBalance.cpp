// The department and department-group trial balances, the carry-forward of
// a corporation's retained earnings, the asset journal settings chosen by
// the new account group, and the breakdown-statement tables of update 0.2.2.
//
// Both trial balances compute every output of a row afresh from sums that
// are zero where a period row is missing, so nothing of an earlier account
// or sub-account can show in a later row. Allocated shares round half away
// from zero, as the program itself rounds: FLOOR(0.5 + x) would turn -2.5
// into -2 while the program makes it -3.

#include "dbupdate/AccountingUpdate022.h"

#include <string>
#include <vector>

namespace accupdate022 {

namespace {

const std::string Code = "VARCHAR(6) CHARACTER SET ASCII";
const std::string Amount = "NUMERIC(16,4)";

std::string Two(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// The pattern once per period 1 to 16, "{NN}" replaced by the two-digit
// period, "{N}" by the period; joined by sep, perLine items to a line; the
// first line starts with lead, the others with blanks as wide; the last
// line ends with last.
std::vector<std::string> Periods(const std::string& pattern, const std::string& sep, int perLine,
                                 const std::string& lead, const std::string& last)
{
    std::string indent = lead;
    std::vector<std::string> lines;
    std::string line;
    for (int n = 1; n <= 16; ++n) {
        std::string item = pattern;
        for (std::string::size_type at; (at = item.find("{NN}")) != std::string::npos;)
            item.replace(at, 4, Two(n));
        for (std::string::size_type at; (at = item.find("{N}")) != std::string::npos;)
            item.replace(at, 3, std::to_string(n));
        line += item;
        if (!lines.empty())
            indent.assign(lead.size(), ' ');
        if (n == 16) {
            lines.push_back(indent + line + last);
        } else if (n % perLine == 0) {
            // A line break after the separator; its trailing blank dropped.
            std::string end = sep;
            while (!end.empty() && end.back() == ' ')
                end.pop_back();
            lines.push_back(indent + line + end);
            line.clear();
        } else {
            line += sep;
        }
    }
    return lines;
}

void AddLines(TUpdateScript& script, const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        script.Add(line);
}

// Rounds half away from zero.
std::string Rounded(const std::string& x)
{
    return "SIGN(" + x + ") * FLOOR(0.5 + ABS(" + x + "))";
}

// The 45 output columns both trial balances share.
void AddTrialBalanceOutputs(TUpdateScript& script)
{
    script.Add({
        "RETURNS (",
        "    GROUPM1 " + Code + ",",
        "    GROUPM2 " + Code + ",",
        "    USERCODE " + Code + ",",
        "    KCODE " + Code + ",",
        "    KNAME VARCHAR(14),",
        "    BSPL VARCHAR(1) CHARACTER SET ASCII,",
        "    HOJCNT INTEGER,",
        "    HCODE " + Code + ",",
        "    HNAME VARCHAR(14),",
        "    TAISHAKU INTEGER,",
        "    KAISIZAN " + Amount + ",",
    });
    AddLines(script, Periods("KAR{NN} " + Amount, ", ", 4, "    ", ","));
    AddLines(script, Periods("KAS{NN} " + Amount, ", ", 4, "    ", ")"));
}

void AddPeriodVariables(TUpdateScript& script, const std::string& prefix)
{
    for (int n = 1; n <= 16; ++n)
        script.Add("DECLARE VARIABLE " + prefix + Two(n) + " " + Amount + ";");
}

// The debit sums then the credit sums of the periods of the KAMOKU_MS rows
// (alias M) that where selects, with tax when PTAX is 0, into the variables
// named by the two prefixes.
void AddMovementSelect(TUpdateScript& script, const std::string& where, const std::string& debit,
                       const std::string& credit, const std::string& indent)
{
    script.Add(indent + "SELECT");
    AddLines(script, Periods("COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)", ", ",
                             1, indent + "       ", ","));
    AddLines(script, Periods("COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)", ", ",
                             1, indent + "       ", ""));
    script.Add(indent + "  FROM KAMOKU_MS M");
    script.Add(indent + " WHERE " + where);
    AddLines(script, Periods(":" + debit + "{NN}", ", ", 8, indent + "  INTO ", ","));
    AddLines(script, Periods(":" + credit + "{NN}", ", ", 8, indent + "       ", ";"));
}

// Adds the consumption tax of a suspense tax account to KAR01 ... KAS16.
void AddTaxCall(TUpdateScript& script, const std::string& department, const std::string& ratio,
                const std::string& indent)
{
    script.Add(indent + "EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:PSCODE, " + department + ", :VKIND,");
    AddLines(script, Periods(":KAR{NN}", ", ", 8, indent + "    ", ","));
    AddLines(script, Periods(":KAS{NN}", ", ", 8, indent + "    ", ","));
    AddLines(script, Periods(ratio, ", ", 8, indent + "    ", ")"));
    AddLines(script, Periods(":KAR{NN}", ", ", 8, indent + "    RETURNING_VALUES ", ","));
    AddLines(script, Periods(":KAS{NN}", ", ", 8, indent + "                     ", ";"));
}

// The end of a row: the account row, or a sub-account row, where the
// account's own part (HCODE ' ') shows only when it holds an amount.
void AddRowOutput(TUpdateScript& script)
{
    script.Add({
        "        IF (VH IS NULL) THEN",
        "        BEGIN",
        "            HOJCNT = VHOJCNT;",
        "            HCODE = '';",
        "            HNAME = '';",
        "            SUSPEND;",
        "        END",
        "        ELSE",
        "        BEGIN",
        "            HOJCNT = 0;",
        "            HCODE = VH;",
        "            HNAME = NULL;",
        "            SELECT H.HNAME FROM HOJOMST H WHERE H.KCODE = :KCODE AND H.HCODE = :VH INTO :HNAME;",
        "            IF (VH = ' ') THEN",
        "                HNAME = KNAME;",
        "            IF (VH <> ' ' OR KAISIZAN <> 0",
    });
    AddLines(script, Periods("OR KAR{NN} <> 0", " ", 8, "                    ", ""));
    AddLines(script, Periods("OR KAS{NN} <> 0", " ", 8, "                    ", ") THEN"));
    script.Add({
        "                SUSPEND;",
        "        END",
    });
}

// The account of a trial-balance row, read by its user code.
void AddAccountRead(TUpdateScript& script)
{
    script.Add({
        "    KCODE = NULL; GROUPM2 = NULL; KNAME = NULL; BSPL = NULL; TAISHAKU = NULL;",
        "    SELECT FIRST 1 K.KCODE, K.GROUPM2, K.KNAME, K.BPFLG, K.DAC FROM KAMOKUMST K",
        "     WHERE K.USERCODE = :USERCODE ORDER BY K.KCODE",
        "      INTO :KCODE, :GROUPM2, :KNAME, :BSPL, :TAISHAKU;",
        "    VKIND = IIF(KCODE = VKARIUKE, 1, IIF(KCODE = VKARIBARAI, 2, 0));",
    });
}

void AddTaxAccountCodes(TUpdateScript& script)
{
    script.Add({
        "    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;",
        "    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;",
    });
}

void AddDepartmentTrialBalance(TUpdateScript& script)
{
    script.Add({
        "RECREATE PROCEDURE SP_SISANHYO_BUMON (",
        "    PTAX INTEGER,",
        "    PHIBUN INTEGER,",
        "    PSCODE " + Code + ",",
        "    PBCODE " + Code + ")",
    });
    AddTrialBalanceOutputs(script);
    script.Add({
        "AS",
        "DECLARE VARIABLE VKARIUKE " + Code + ";",
        "DECLARE VARIABLE VKARIBARAI " + Code + ";",
        "DECLARE VARIABLE VKAISINO INTEGER;",
        "DECLARE VARIABLE VBUMON INTEGER;",
        "DECLARE VARIABLE VOPENALLOC INTEGER;",
        "DECLARE VARIABLE VHOJCNT INTEGER;",
        "DECLARE VARIABLE VKIND INTEGER;",
        "DECLARE VARIABLE VH " + Code + ";",
        "DECLARE VARIABLE VORDER INTEGER;",
        "DECLARE VARIABLE VORATE " + Amount + ";",
        "DECLARE VARIABLE VOPEN " + Amount + ";",
        "DECLARE VARIABLE VOPEN00 " + Amount + ";",
    });
    AddPeriodVariables(script, "R");
    AddPeriodVariables(script, "C");
    AddPeriodVariables(script, "D");
    script.Add({
        "BEGIN",
        "    PTAX = COALESCE(PTAX, 0);",
        "    PHIBUN = COALESCE(PHIBUN, 0);",
        "    VKAISINO = 1;",
        "    VBUMON = 0;",
        "    SELECT COALESCE(KAISINO, 1), COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VKAISINO, :VBUMON;",
    });
    AddTaxAccountCodes(script);
    script.Add({
        "    /* The opening balance takes its share of the common department when",
        "       the books start mid-year, or at the start with departments on",
        "       every account. */",
        "    VOPENALLOC = IIF(PHIBUN = 1 AND (VKAISINO > 1 OR VBUMON = 2), 1, 0);",
        "    FOR SELECT V.GROUPM1, V.USERCODE FROM KAMOKU_VIEW V",
        "         WHERE V.SCODE = :PSCODE AND V.BCODE = :PBCODE",
        "         GROUP BY V.SCODE, V.GROUPM1, V.USERCODE",
        "         ORDER BY V.SCODE, V.GROUPM1, V.USERCODE",
        "          INTO :GROUPM1, :USERCODE DO",
        "    BEGIN",
    });
    AddAccountRead(script);
    script.Add({
        "    SELECT COUNT(*) FROM KAMOKU_SZ Z",
        "     WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE = :PBCODE AND Z.HCODE <> ' '",
        "      INTO :VHOJCNT;",
    });
    AddLines(script, Periods("R{NN} = 0;", " ", 8, "    ", ""));
    script.Add("    SELECT");
    AddLines(script, Periods("COALESCE(Z.HAIBUN{NN}, 0) * 0.01", ", ", 4, "           ", ""));
    script.Add({
        "      FROM KAMOKU_SZ Z",
        "     WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.HCODE = ' ' AND Z.BCODE = :PBCODE",
    });
    AddLines(script, Periods(":R{NN}", ", ", 8, "      INTO ", ";"));
    script.Add({
        "    /* The period in which the books start. */",
        "    VORATE = CASE VKAISINO WHEN 2 THEN R02 WHEN 3 THEN R03 WHEN 4 THEN R05 WHEN 5 THEN R06",
        "                           WHEN 6 THEN R07 WHEN 7 THEN R09 WHEN 8 THEN R10 WHEN 9 THEN R11",
        "                           WHEN 10 THEN R13 WHEN 11 THEN R14 WHEN 12 THEN R15 ELSE R01 END;",
        "    /* The account row first (VH null), then its sub-account rows. */",
        "    FOR SELECT D.H, D.O FROM (SELECT CAST(NULL AS " + Code + ") AS H, 0 AS O FROM RDB$DATABASE",
        "                              UNION ALL",
        "                              SELECT Z.HCODE, 1 FROM KAMOKU_SZ Z",
        "                               WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE = :PBCODE",
        "                                 AND :VHOJCNT > 0) D",
        "         ORDER BY D.O, D.H",
        "          INTO :VH, :VORDER DO",
        "    BEGIN",
        "        SELECT COALESCE(SUM(IIF(Z.BCODE = :PBCODE, Z.KAISIZAN, 0)), 0),",
        "               COALESCE(SUM(IIF(Z.BCODE = '00', Z.KAISIZAN, 0)), 0)",
        "          FROM KAMOKU_SZ Z",
        "         WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND (:VH IS NULL OR Z.HCODE = :VH)",
        "          INTO :VOPEN, :VOPEN00;",
        "        IF (VOPENALLOC = 1) THEN",
        "            KAISIZAN = IIF(PBCODE = '00', " + Rounded("VOPEN * VORATE") + ",",
        "                           VOPEN + " + Rounded("VOPEN00 * VORATE") + ");",
        "        ELSE",
        "            KAISIZAN = VOPEN;",
    });
    AddMovementSelect(script, "M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.BCODE = :PBCODE AND (:VH IS NULL OR M.HCODE = :VH)",
                      "KAR", "KAS", "        ");
    script.Add({
        "        IF (PHIBUN = 1 AND PBCODE = '00') THEN",
        "        BEGIN",
    });
    AddLines(script, Periods("KAR{NN} = " + Rounded("KAR{NN} * R{NN}") + ";", " ", 1, "            ", ""));
    AddLines(script, Periods("KAS{NN} = " + Rounded("KAS{NN} * R{NN}") + ";", " ", 1, "            ", ""));
    script.Add({
        "        END",
        "        ELSE IF (PHIBUN = 1) THEN",
        "        BEGIN",
    });
    AddMovementSelect(script, "M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.BCODE = '00' AND (:VH IS NULL OR M.HCODE = :VH)",
                      "C", "D", "            ");
    AddLines(script, Periods("KAR{NN} = KAR{NN} + " + Rounded("C{NN} * R{NN}") + ";", " ", 1, "            ", ""));
    AddLines(script, Periods("KAS{NN} = KAS{NN} + " + Rounded("D{NN} * R{NN}") + ";", " ", 1, "            ", ""));
    script.Add({
        "        END",
        "        /* Without tax the suspense tax accounts of an allocating trial",
        "           balance get the department's own tax in full and the common",
        "           department's tax in the account's share. */",
        "        IF (PTAX = 1 AND PHIBUN = 1 AND VH IS NULL AND VKIND > 0) THEN",
        "        BEGIN",
        "            IF (PBCODE <> '00') THEN",
        "            BEGIN",
    });
    AddTaxCall(script, ":PBCODE", "1", "                ");
    script.Add("            END");
    AddTaxCall(script, "'00'", ":R{NN}", "            ");
    script.Add("        END");
    AddRowOutput(script);
    script.Add({
        "    END",
        "    END",
        "END ^",
        "",
    });
}

void AddGroupTrialBalance(TUpdateScript& script)
{
    const std::string members = "(SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE)";
    script.Add({
        "RECREATE PROCEDURE SP_SISANHYO_BUMON_GROUP (",
        "    PTAX INTEGER,",
        "    PSCODE " + Code + ",",
        "    PGCODE " + Code + ")",
    });
    AddTrialBalanceOutputs(script);
    script.Add({
        "AS",
        "DECLARE VARIABLE VKARIUKE " + Code + ";",
        "DECLARE VARIABLE VKARIBARAI " + Code + ";",
        "DECLARE VARIABLE VBUMON INTEGER;",
        "DECLARE VARIABLE VHOJCNT INTEGER;",
        "DECLARE VARIABLE VKIND INTEGER;",
        "DECLARE VARIABLE VH " + Code + ";",
        "DECLARE VARIABLE VB " + Code + ";",
        "DECLARE VARIABLE VORDER INTEGER;",
        "BEGIN",
        "    PTAX = COALESCE(PTAX, 0);",
        "    VBUMON = 0;",
        "    SELECT COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VBUMON;",
    });
    AddTaxAccountCodes(script);
    script.Add({
        "    FOR SELECT V.GROUPM1, V.USERCODE FROM KAMOKU_VIEW V",
        "         WHERE V.SCODE = :PSCODE AND V.BCODE IN " + members,
        "         GROUP BY V.SCODE, V.GROUPM1, V.USERCODE",
        "         ORDER BY V.SCODE, V.GROUPM1, V.USERCODE",
        "          INTO :GROUPM1, :USERCODE DO",
        "    BEGIN",
    });
    AddAccountRead(script);
    script.Add({
        "    SELECT COUNT(DISTINCT Z.HCODE) FROM KAMOKU_SZ Z",
        "     WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE IN " + members + " AND Z.HCODE <> ' '",
        "      INTO :VHOJCNT;",
        "    FOR SELECT D.H, D.O FROM (SELECT CAST(NULL AS " + Code + ") AS H, 0 AS O FROM RDB$DATABASE",
        "                              UNION",
        "                              SELECT Z.HCODE, 1 FROM KAMOKU_SZ Z",
        "                               WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE IN " + members,
        "                                 AND :VHOJCNT > 0) D",
        "         ORDER BY D.O, D.H",
        "          INTO :VH, :VORDER DO",
        "    BEGIN",
        "        SELECT COALESCE(SUM(Z.KAISIZAN), 0) FROM KAMOKU_SZ Z",
        "         WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE IN " + members,
        "           AND (:VH IS NULL OR Z.HCODE = :VH)",
        "          INTO :KAISIZAN;",
    });
    AddMovementSelect(script,
                      "M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.BCODE IN " + members + " AND (:VH IS NULL OR M.HCODE = :VH)",
                      "KAR", "KAS", "        ");
    script.Add({
        "        /* Tax kept per department: each member's tax is added in full. */",
        "        IF (PTAX = 1 AND VBUMON = 2 AND VH IS NULL AND VKIND > 0) THEN",
        "            FOR SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE ORDER BY G.BCODE INTO :VB DO",
        "            BEGIN",
    });
    AddTaxCall(script, ":VB", "1", "                ");
    script.Add("            END");
    AddRowOutput(script);
    script.Add({
        "    END",
        "    END",
        "END ^",
        "",
    });
}

void AddCarryForward(TUpdateScript& script)
{
    script.Add({
        "RECREATE PROCEDURE SP_ZENKURI (",
        "    SCODE " + Code + ",",
        "    KAMOKUCODE " + Code + ")",
        "RETURNS (",
        "    BCODE " + Code + ",",
        "    KAISIZAN " + Amount + ")",
        "AS",
        "DECLARE VARIABLE VDATATYPE INTEGER;",
        "DECLARE VARIABLE VBUMON INTEGER;",
        "DECLARE VARIABLE VBUMEX INTEGER;",
        "DECLARE VARIABLE VALL INTEGER;",
        "DECLARE VARIABLE VR " + Code + ";",
        "DECLARE VARIABLE VDEBIT " + Amount + ";",
        "DECLARE VARIABLE VCREDIT " + Amount + ";",
        "BEGIN",
        "    VDATATYPE = NULL;",
        "    VBUMON = 0;",
        "    SELECT DATATYPE, COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VDATATYPE, :VBUMON;",
        "    /* Only a corporation carries its result into retained earnings. */",
        "    IF (VDATATYPE IS DISTINCT FROM 1) THEN",
        "        EXIT;",
        "    SELECT CODE FROM SYSKMKCODEINF('繰越利益剰余金') INTO :VR;",
        "    IF (COALESCE(VR, '') = '') THEN",
        "        EXIT;",
        "    VBUMEX = 0;",
        "    SELECT COALESCE(F.BUMEX, 0) FROM SISETUMST F WHERE F.SCODE = :SCODE INTO :VBUMEX;",
        "    VALL = IIF(VBUMON = 2 AND VBUMEX = 1, 1, 0);",
        "    FOR SELECT D.BCODE FROM (SELECT B.BCODE AS BCODE FROM BUMONMST B WHERE :VALL = 1",
        "                             UNION",
        "                             SELECT CAST(' ' AS " + Code + ") FROM RDB$DATABASE WHERE :VALL = 0) D",
        "         ORDER BY D.BCODE",
        "          INTO :BCODE DO",
        "    BEGIN",
        "        SELECT COALESCE(SUM(IIF(V.DAC IN (1, 4), V.KAISIZAN, 0)), 0),",
        "               COALESCE(SUM(IIF(V.DAC IN (2, 3), V.KAISIZAN, 0)), 0)",
        "          FROM KAMOKU_VIEW V",
        "         WHERE V.SCODE = :SCODE AND V.BCODE = :BCODE AND V.BPFLG = 'B' AND V.KCODE <> :VR",
        "          INTO :VDEBIT, :VCREDIT;",
        "        KAISIZAN = VDEBIT - VCREDIT;",
        "        UPDATE KAMOKU_SZ Z SET Z.KAISIZAN = :KAISIZAN",
        "         WHERE Z.SCODE = :SCODE AND Z.KCODE = :VR AND Z.HCODE = ' ' AND Z.BCODE = :BCODE;",
        "        SUSPEND;",
        "    END",
        "END ^",
        "",
    });
}

void AddAssetSettingsByGroup(TUpdateScript& script)
{
    script.Add({
        "ALTER PROCEDURE SP_KS_INSSETSWK_CALL_SISETU (",
        "    PSCODE " + Code + ")",
        "AS",
        "DECLARE VARIABLE VKCODE " + Code + ";",
        "DECLARE VARIABLE VGROUPM0 INTEGER;",
        "BEGIN",
        "    /* Groups are texts of digits; anything else is no asset group. */",
        "    FOR SELECT KCODE, IIF(GROUPM0 SIMILAR TO '[0-9]+', CAST(GROUPM0 AS INTEGER), 0) FROM KAMOKUMST",
        "          ORDER BY KCODE",
        "          INTO :VKCODE, :VGROUPM0 DO",
        "        IF (VGROUPM0 BETWEEN 1400 AND 1800) THEN",
        "            EXECUTE PROCEDURE SP_KS_INSSETSWK (:PSCODE, :VGROUPM0, :VKCODE);",
        "END ^",
        "",
    });
}

// Text columns: Japanese content in SJIS_0208, codes and date parts ASCII.
std::string Text(const std::string& name, int size)
{
    return "  " + name + " VARCHAR(" + std::to_string(size) + ") CHARACTER SET SJIS_0208,";
}
std::string Ascii(const std::string& name, int size)
{
    return "  " + name + " VARCHAR(" + std::to_string(size) + ") CHARACTER SET ASCII,";
}
std::string Money(const std::string& name)
{
    return "  " + name + " CURRENCY,";
}
std::vector<std::string> Date(const std::string& prefix)
{
    return {Ascii(prefix + "_YY", 2), Ascii(prefix + "_MM", 2), Ascii(prefix + "_DD", 2)};
}

struct Table {
    std::string name;
    std::vector<std::string> columns;  // each ends with ","
};

// A table keyed by REC; account-linked tables start with the account
// columns and keep their rows when the sub-account goes.
void AddTable(TUpdateScript& script, const Table& table, const std::string& accountKey = "")
{
    script.Add("RECREATE TABLE " + table.name + " (");
    script.Add("  REC INTEGER NOT NULL,");
    if (!accountKey.empty())
        script.Add({
            "  KGROUP INTEGER DEFAULT 0,",
            "  MEISAIKUBUN INTEGER DEFAULT 0,",
            "  NUMBER INTEGER DEFAULT 0,",
            "  KCODE VARCHAR(6) CHARACTER SET ASCII,",
            "  HCODE VARCHAR(6) CHARACTER SET ASCII,",
        });
    AddLines(script, table.columns);
    if (!accountKey.empty()) {
        script.Add("  CONSTRAINT PK_" + table.name + " PRIMARY KEY (REC),");
        script.Add("  CONSTRAINT " + accountKey +
                   " FOREIGN KEY (KCODE, HCODE) REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL");
    } else {
        script.Add("  CONSTRAINT PK_" + table.name + " PRIMARY KEY (REC)");
    }
    script.Add(");");
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::string Number = "  NUMBER INTEGER DEFAULT 0,";

}  // namespace

void AddDepartmentTrialBalanceProcedures(TUpdateScript& script)
{
    AddDepartmentTrialBalance(script);
    AddGroupTrialBalance(script);
}

void AddCarryForwardAndAssetProcedures(TUpdateScript& script)
{
    AddCarryForward(script);
    AddAssetSettingsByGroup(script);
}

void AddBreakdownTables(TUpdateScript& script)
{
    script.Add({
        "RECREATE TABLE UTIWAKE_ORDER (",
        "  UTIWAKE INTEGER NOT NULL,",
        "  KGROUP INTEGER NOT NULL,",
        "  SORTKEY INTEGER DEFAULT 0,",
        "  KAMOKUZAN CURRENCY,",
        "  MEMO VARCHAR(10) CHARACTER SET SJIS_0208,",
        "  CONSTRAINT PK_UTIWAKE_ORDER PRIMARY KEY (UTIWAKE, KGROUP)",
        ");",
    });
    AddTable(script,
             {"UTIWAKE01",
              {Text("GINKOU", 10), Text("SITEN", 10), Text("SYURUI", 4), Ascii("KOUZA", 8), Money("KIMATUZAN"),
               Text("TEKIYOU", 15)}},
             "UTIWAKE01_KAMOKU");
    AddTable(script, {"UTIWAKE02", Concat({{Number, Text("FURIDASI", 10)}, Date("FURIDASI"), Date("KIJITU"),
                                           {Text("GINKOU", 10), Text("SITEN", 10), Money("KINGAKU"),
                                            Text("WARI_GINKOU", 10), Text("WARI_SITEN", 10), Text("TEKIYOU", 10)}})});
    AddTable(script,
             {"UTIWAKE03",
              {Text("KAMOKU", 14), Text("SIMEI", 10), Text("JYUSYO", 20), Money("KIMATUZAN"), Text("TEKIYOU", 10)}},
             "UTIWAKE03_KAMOKU");
    const std::vector<std::string> dealings = {Text("KAMOKU", 14), Text("SIMEI", 10),  Text("JYUSYO", 20),
                                               Text("KANKEI", 4),  Money("KINGAKU"),   Text("TEKIYOU", 10)};
    AddTable(script, {"UTIWAKE04A", dealings}, "UTIWAKE04A_KAMOKU");
    auto loans = [](const std::string& party) {
        return std::vector<std::string>{Text("KAMOKU", 14), Text(party, 10), Text("KANKEI", 4), Text("JYUSYO", 20),
                                        Money("KINGAKU"),   Money("RISOKU"), Money("RIRITU"),   Text("RIYUU", 6),
                                        Text("TANPO", 12)};
    };
    AddTable(script, {"UTIWAKE04B", loans("KASITUKE")}, "UTIWAKE04B_KAMOKU");
    AddTable(script, {"UTIWAKE05_INI", {"  TANAOROSI INTEGER DEFAULT 0,", Ascii("YY", 2), Ascii("MM", 2), Ascii("DD", 2)}});
    script.Add("INSERT INTO UTIWAKE05_INI VALUES(1,0,'','','');");
    AddTable(script, {"UTIWAKE05", {Number, Text("KAMOKU", 14), Text("HINMOKU", 10), Money("SURYOU"), Money("TANKA"),
                                    Money("KIMATUZAN"), Text("TEKIYOU", 10)}});
    AddTable(script, {"UTIWAKE06", Concat({{Number, Text("KUBUN", 5), Text("SYURUI", 5), Text("MEIGARA", 5),
                                            Money("KIMATUSURYO"), Money("KIMATUZAN1"), Money("KIMATUZAN2")},
                                           Date("IDOU"),
                                           {Text("JIYUU", 5), Money("SURYO"), Money("KINGAKU"), Text("SIMEI", 10),
                                            Text("JYUSYO", 20), Text("TEKIYOU", 10)}})});
    AddTable(script, {"UTIWAKE07", Concat({{Number, Text("SYURUI", 5), Text("YOUTO", 5), Money("MENSEKI"),
                                            Text("SYOZAITI", 20), Money("KIMATUZAN")},
                                           Date("IDOU"),
                                           {Text("JIYU", 5), Money("SYUTOKU"), Money("TYOUBO"), Text("SIMEI", 10),
                                            Text("JYUSYO", 20), Text("GENGO", 3), Ascii("SYUTOKU_YY", 2),
                                            Ascii("SYUTOKU_MM", 2)}})});
    AddTable(script, {"UTIWAKE08", Concat({{Number, Text("SIHARAI", 10)}, Date("FURIDASI"), Date("KIJITU"),
                                           {Text("GINKOU", 10), Text("SITEN", 10), Money("KINGAKU"),
                                            Text("TEKIYOU", 10)}})});
    AddTable(script,
             {"UTIWAKE09",
              {Text("KAMOKU", 14), Text("SIMEI", 10), Text("JYUSYO", 20), Money("KIMATUZAN"), Text("TEKIYOU", 10)}},
             "UTIWAKE09_KAMOKU");
    AddTable(script, {"UTIWAKE09B", Concat({Date("SIHARAI"), {Money("KIMATUZAN")}})});
    // Rows 1-2 the unpaid dividends, 3-4 the unpaid directors' bonuses.
    for (int rec = 1; rec <= 4; ++rec)
        script.Add("INSERT INTO UTIWAKE09B VALUES(" + std::to_string(rec) + ",'','','',0);");
    AddTable(script, {"UTIWAKE10A", dealings}, "UTIWAKE10_KAMOKU");
    AddTable(script, {"UTIWAKE10B", {Ascii("YY", 2), Ascii("MM", 2), Text("SYURUI", 10), Money("KINGAKU")}});
    for (int rec = 1; rec <= 12; ++rec)
        script.Add("INSERT INTO UTIWAKE10B VALUES(" + std::to_string(rec) + ",'','','',0);");
    AddTable(script, {"UTIWAKE11", loans("KARIIRE")}, "UTIWAKE11_KAMOKU");
    AddTable(script, {"UTIWAKE12", {Number, Text("KUBUN", 5), Text("SYOZAITI", 20), Text("TIMOKU", 10),
                                    Money("SOUMENSEKI"), Text("URIAGE_GG", 3), Ascii("URIAGE_YY", 2),
                                    Ascii("URIAGE_MM", 3), Text("SIMEI", 10), Text("JYUSYO", 20), Money("MENSEKI"),
                                    Money("URIAGE"), Money("TESURYO"), "  GOUKEI COMPUTED BY (URIAGE +TESURYO),",
                                    Text("SYUTOKU_GG", 3), Ascii("SYUTOKU_YY", 2)}});
    AddTable(script, {"UTIWAKE13", {Number, Text("MEISYOU", 10), Text("SYOZAI", 20), Text("SIMEI", 14),
                                    Text("KANKEI", 7), Text("NAIYOU", 10), Money("URIAGE"), Money("KIMATUZAN"),
                                    "  NINZU INTEGER DEFAULT 0,", Money("MENSEKI"), Text("ZEIMUSYO", 10),
                                    Text("TEKIYOU", 10)}});
    AddTable(script,
             {"UTIWAKE14",
              {Number, Text("YAKUSYOKU", 6), Text("GYOUMU", 6), Text("SIMEI", 10), Text("KANKEI", 4),
               Text("JYUSYO", 20), "  KINMU INTEGER DEFAULT 0,", Money("SIYOUNIN"), Money("TEIKIDOUGAKU"),
               Money("JIZENTODOKE"), Money("RIEKIRENDOU"), Money("SONOTA"), Money("TAISYOKU"),
               "  GOUKEI COMPUTED BY (SIYOUNIN +TEIKIDOUGAKU +JIZENTODOKE +RIEKIRENDOU +SONOTA),"}});
    AddTable(script, {"UTIWAKE14B", {"  TEGAKI INTEGER DEFAULT 0,", Money("SOUGAKU1"), Money("SOUGAKU2"),
                                     Money("SOUGAKU3"), "  SOUGAKU_KEI COMPUTED BY (SOUGAKU1 +SOUGAKU2 +SOUGAKU3),",
                                     Money("KAZOKU1"), Money("KAZOKU2"), Money("KAZOKU3"),
                                     "  KAZOKU_KEI COMPUTED BY (KAZOKU1 +KAZOKU2 +KAZOKU3),"}});
    script.Add("INSERT INTO UTIWAKE14B VALUES( 1,0,0,0,0,0,0,0);");
    AddTable(script, {"UTIWAKE15A", Concat({{Number, Text("KUBUN", 3), Text("YOUTO", 10), Text("SYOZAITI", 20),
                                             Text("SIMEI", 10), Text("JYUSYO", 20)},
                                            Date("KAISI"), Date("SYURYO"),
                                            {Money("KINGAKU"), Text("TEKIYO", 10)}})});
    AddTable(script, {"UTIWAKE15B", Concat({{Number, Text("SIMEI", 10), Text("JYUSYO", 20)}, Date("SIHARAI"),
                                            {Money("KINGAKU"), Text("NAIYO", 10), Text("TEKIYO", 10)}})});
    AddTable(script, {"UTIWAKE15C", {Number, Text("MEISYO", 10), Text("SIMEI", 10), Text("JYUSYO", 20),
                                     Ascii("KEIYAKU_SYY", 2), Ascii("KEIYAKU_SMM", 2), Ascii("KEIYAKU_EYY", 2),
                                     Ascii("KEIYAKU_EMM", 2), Ascii("SIHARAI_SYY", 2), Ascii("SIHARAI_SMM", 2),
                                     Ascii("SIHARAI_EYY", 2), Ascii("SIHARAI_EMM", 2), Money("KINGAKU"),
                                     Text("TEKIYO", 10)}});
    for (const char* name : {"UTIWAKE16A", "UTIWAKE16B"})
        AddTable(script, {name, {Number, Text("KAMOKU", 14), Text("NAIYOU", 10), Text("AITESAKI", 10),
                                 Text("SYOZAI", 20), Money("KINGAKU")}});
    AddTable(script, {"UTIWAKE17_TITLE", {Text("TITLE1", 20), Text("TITLE2", 20), Text("TITLE3", 20),
                                          Text("TITLE4", 20), Text("TITLE5", 20)}});
    script.Add("INSERT INTO UTIWAKE17_TITLE VALUES( 1,'','','','','');");
    script.Add({
        "RECREATE TABLE UTIWAKE17 (",
        "  UTIWAKE INTEGER NOT NULL,",
        "  REC INTEGER NOT NULL,",
        Number,
        Text("KAMOKU", 14),
        Text("SIMEI", 10),
        Text("JYUSYO", 20),
        Money("KIMATUZAN"),
        Text("TEKIYOU", 10),
        "  CONSTRAINT PK_UTIWAKE17 PRIMARY KEY (UTIWAKE, REC)",
        ");",
        "COMMIT;",
    });
}

}  // namespace accupdate022
