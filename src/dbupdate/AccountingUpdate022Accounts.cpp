// Accounting update 0.2.2, first block: the chart settings table, the
// fixed-asset journal settings written anew, the blue-return tables that
// changed, the second account group KAMOKUMST.GROUPM0 and the account view
// and opening-balance lists rebuilt on it.

#include "dbupdate/AccountingUpdate011.h"
#include "dbupdate/AccountingUpdate022.h"

#include <string>

namespace accupdate022 {

namespace {

// The procedures that read KAMOKU_VIEW, in an order in which nothing
// dropped is still used by something left (SP_KAISIZAN_COUNT reads
// SP_KAISIZAN_LIST).
constexpr const char* ViewReaders[] = {
    "SP_BUMONKAISIZAN_COUNT",  "SP_BUMONKAISIZAN_LIST",         "SP_KAISIZAN_COUNT",
    "SP_KAISIZAN_LIST",        "SP_KANENDOZAN_YOMIKOMI",        "SP_KANENDO_BUMON_GROUPZANDAKA",
    "SP_KANENDO_BUMON_ZANDAKA", "SP_KANENDO_ZANDAKA",           "SP_MB_SELECT_KANENDOZAN",
    "SP_MB_SELECT_YOSAN",      "SP_MB_SELECT_YOSOKU",           "SP_MB_UPDATE_JISSEKIYOSAN",
    "SP_SISANHYO_BUMON",       "SP_SISANHYO_BUMON_GROUP",       "SP_YOSAN_READ",
    "SP_ZENKURI",
};

// The balance column of a period: ZANM32 ... ZANM00 for the periods -32 to
// 0 of the earlier years, ZANP01 ... ZANP15 for this year's.
std::string BalanceColumn(int mnum)
{
    const int n = mnum <= 0 ? -mnum : mnum;
    return std::string(mnum <= 0 ? "ZANM" : "ZANP") + (n < 10 ? "0" : "") + std::to_string(n);
}

constexpr int FirstPeriod = -32;
constexpr int LastPeriod = 15;

void AddChartSettingsTable(TUpdateScript& script)
{
    script.Add({
        "DROP TABLE \"CHARTINF\";",
        "CREATE TABLE \"CHARTINF\" (",
        "  OPCODE INTEGER NOT NULL,",
        "  CTYPE1 INTEGER DEFAULT 0,",
        "  CTYPE2 INTEGER DEFAULT 0,",
        "  CTYPE3 INTEGER DEFAULT 0,",
        "  CTYPE4 INTEGER DEFAULT 0,",
        "  BAKCOL INTEGER DEFAULT 16777215,",
        "  FORCOL INTEGER DEFAULT 0,",
        "  GRID INTEGER DEFAULT 3,",
        "  FONTSIZE INTEGER DEFAULT 2,",
        "  ECOL1 INTEGER DEFAULT 16711680,",
        "  ECOL2 INTEGER DEFAULT 65535,",
        "  ECOL3 INTEGER DEFAULT 255,",
        "  ECOL4 INTEGER DEFAULT 16776960,",
        "  THREE_D INTEGER DEFAULT 20,",
        "  HANREI INTEGER DEFAULT 1,",
        "  TANI INTEGER DEFAULT 0,",
        "  HASUU INTEGER DEFAULT 0,",
        "  RESERVE1 INTEGER DEFAULT 0,",
        "  RESERVE2 INTEGER DEFAULT 0,",
        "  RESERVE3 INTEGER DEFAULT 0,",
        "  PRIMARY KEY (OPCODE)",
        ");",
    });
}

// The direct method's heading of section III; the layout written at the end
// of the update carries the same values.
void AddCashFlowLine85(TUpdateScript& script)
{
    script.Add({
        "UPDATE \"CASHFMST\" SET CM_ORDER=1,CM_DEL=1,CM_MKU=1,CM_MARGIN=0",
        "WHERE CM_REC=85;",
    });
}

// Every facility's settings are taken again from the initial rows, so the
// settings of all facilities go first and the numbering starts over.
void AddJournalSettingsRebuild(TUpdateScript& script)
{
    script.Add({
        "SET GENERATOR KSSETSWKINIT_GEN TO 0;",
        "SET GENERATOR KSSETSWK_GEN TO 0;",
        "DELETE FROM KS_SETSWK_INIT;",
        "DELETE FROM KS_SETSWK;",
    });
    accupdate011::AddInitialJournalSettings(script);
    accupdate011::AddExistingFacilitySettings(script);
}

// The hand-written switch of the return, the loan balance column under its
// right name and the lease period as years and months; both recreated tables
// start empty, the interest list with its two lines.
void AddBlueReturnChanges(TUpdateScript& script)
{
    script.Add({
        "ALTER TABLE \"AO_SINKOKU\" ADD TEGAKI Integer DEFAULT 0;",
        "UPDATE \"AO_SINKOKU\" SET TEGAKI=0;",
        "COMMIT;",

        "RECREATE TABLE AO_RISI (",
        "REC INTEGER NOT NULL,",
        "SIHARAISAKI1 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "SIHARAISAKI2 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "KIMATU CURRENCY,",
        "RISI CURRENCY,",
        "KEIHI CURRENCY,",
        "PRIMARY KEY (REC)",
        ");",

        "RECREATE TABLE AO_FUDOUSAN (",
        "REC INTEGER NOT NULL,",
        "NUMBER INTEGER DEFAULT 0,",
        "KUBUN VARCHAR(6) CHARACTER SET SJIS_0208,",
        "YOUTO VARCHAR(6) CHARACTER SET SJIS_0208,",
        "SHOZAITI VARCHAR(30) CHARACTER SET SJIS_0208,",
        "TINSYAKU VARCHAR(30) CHARACTER SET SJIS_0208,",
        "KAISI_YY INTEGER DEFAULT 0,",
        "KAISI_MM INTEGER DEFAULT 0,",
        "SHUURYOU_YY INTEGER DEFAULT 0,",
        "SHUURYOU_MM INTEGER DEFAULT 0,",
        "MENSEKI CURRENCY,",
        "GETUGAKU CURRENCY,",
        "NENGAKU CURRENCY,",
        "REIKIN CURRENCY,",
        "KENRIKIN CURRENCY,",
        "KOUSINRYOU CURRENCY,",
        "MEIGIRYOU CURRENCY,",
        "SIKIKIN CURRENCY,",
        "PRIMARY KEY (REC)",
        ");",

        "INSERT INTO AO_RISI(REC) VALUES(1);",
        "INSERT INTO AO_RISI(REC) VALUES(2);",
        "COMMIT;",
    });
}

void AddAccountGroupColumn(TUpdateScript& script)
{
    script.Add({
        "ALTER TABLE \"KAMOKUMST\" ADD GROUPM0 AC_CODE;",
        "UPDATE KAMOKUMST SET GROUPM0=GROUPM1;",
    });
}

void AddViewDrops(TUpdateScript& script)
{
    for (const char* procedure : ViewReaders)
        script.Add(std::string("DROP PROCEDURE ") + procedure + ";");
    script.Add({"DROP VIEW \"KAMOKU_VIEW\";", "COMMIT;"});
}

// A balance row shows only when its facility, department, account and
// sub-account all exist.
void AddAccountView(TUpdateScript& script)
{
    script.Add({
        "CREATE VIEW KAMOKU_VIEW (",
        "  SCODE, SNAME, GROUPM0, GROUPM1, GROUPM2, KCODE, USERCODE, KNAME, DAC,",
        "  BCODE, BNAME, BPFLG, HCODE, HNAME, KAISIZAN)",
        "AS",
        "SELECT Z.SCODE, S.SNAME, K.GROUPM0, K.GROUPM1, K.GROUPM2, Z.KCODE, K.USERCODE, K.KNAME, K.DAC,",
        "       Z.BCODE, B.BNAME, K.BPFLG, Z.HCODE, H.HNAME, Z.KAISIZAN",
        "  FROM KAMOKU_SZ Z",
        " INNER JOIN SISETUMST S ON (S.SCODE = Z.SCODE)",
        " INNER JOIN BUMONMST B ON (B.BCODE = Z.BCODE)",
        " INNER JOIN KAMOKUMST K ON (K.KCODE = Z.KCODE)",
        " INNER JOIN HOJOMST H ON (H.KCODE = Z.KCODE AND H.HCODE = Z.HCODE);",
    });
}

// The rows of the common department that the department list shows:
// sub-account rows, and the account row of an account without
// sub-accounts there.
void AddDepartmentCount(TUpdateScript& script)
{
    script.Add({
        "ReCREATE PROCEDURE SP_BUMONKAISIZAN_COUNT (",
        "  PSCODE VARCHAR(6) CHARACTER SET ASCII)",
        "RETURNS (",
        "  RECCOUNT INTEGER)",
        "AS",
        "BEGIN",
        "  SELECT COUNT(*) FROM KAMOKU_VIEW V",
        "   WHERE V.SCODE = :PSCODE AND V.BCODE = '00'",
        "     AND (V.HCODE <> ' '",
        "          OR (SELECT COUNT(*) FROM KAMOKU_SZ Z",
        "               WHERE Z.SCODE = :PSCODE AND Z.KCODE = V.KCODE AND Z.BCODE = '00') < 2)",
        "    INTO :RECCOUNT;",
        "  SUSPEND;",
        "END ^",
    });
}

// Every output is assigned anew on each row, so nothing of the previous
// row shows on the next.
void AddDepartmentList(TUpdateScript& script)
{
    script.Add({
        "ReCREATE PROCEDURE SP_BUMONKAISIZAN_LIST (",
        "  PSCODE VARCHAR(6) CHARACTER SET ASCII)",
        "RETURNS (",
        "  BCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  KGROUP VARCHAR(6) CHARACTER SET ASCII,",
        "  KCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  USERCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  HCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  KNAME VARCHAR(28),",
        "  HNAME VARCHAR(28),",
        "  HCNT INTEGER,",
        "  DAC INTEGER,",
        "  KAISIZAN NUMERIC(16,4),",
        "  BUMGOUKEI NUMERIC(16,4))",
        "AS",
        "BEGIN",
        "  FOR SELECT DISTINCT V.BCODE, V.GROUPM0, V.KCODE, V.USERCODE, V.KNAME, V.HCODE, V.HNAME, V.DAC, V.KAISIZAN",
        "        FROM KAMOKU_VIEW V",
        "       WHERE V.SCODE = :PSCODE AND V.BCODE <> ' '",
        "       ORDER BY V.BCODE, V.GROUPM0, V.USERCODE, V.HCODE",
        "        INTO :BCODE, :KGROUP, :KCODE, :USERCODE, :KNAME, :HCODE, :HNAME, :DAC, :KAISIZAN DO",
        "  BEGIN",
        "    SELECT SUM(Z.KAISIZAN) FROM KAMOKU_SZ Z",
        "     WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.HCODE = :HCODE",
        "      INTO :BUMGOUKEI;",
        "    HCNT = 0;",
        "    IF (HCODE = ' ') THEN",
        "      SELECT COUNT(*) FROM KAMOKU_SZ Z",
        "       WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE = :BCODE",
        "        INTO :HCNT;",
        "    SUSPEND;",
        "  END",
        "END ^",
    });
}

// The sundry account is compared with IS DISTINCT FROM: a chart without it
// (no code found) must still list every other account. Both sums start at
// 0 on every row, so a row never shows the previous row's figures.
void AddFacilityList(TUpdateScript& script)
{
    script.Add({
        "ReCREATE PROCEDURE SP_KAISIZAN_LIST (",
        "  PSCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  PSHOKUTI VARCHAR(6) CHARACTER SET ASCII)",
        "RETURNS (",
        "  KGROUP VARCHAR(6) CHARACTER SET ASCII,",
        "  KCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  USERCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  KNAME VARCHAR(14),",
        "  HCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  HNAME VARCHAR(14),",
        "  DAC INTEGER,",
        "  BPFLG CHAR(1) CHARACTER SET ASCII,",
        "  KAISIZAN NUMERIC(16,4),",
        "  BUMONZAN NUMERIC(16,4))",
        "AS",
        "  DECLARE VARIABLE VSHOKUCHI VARCHAR(6) CHARACTER SET ASCII;",
        "BEGIN",
        "  VSHOKUCHI = NULL;",
        "  SELECT CODE FROM SysKmkCodeInf('諸口') INTO :VSHOKUCHI;",
        "  FOR SELECT DISTINCT V.GROUPM0, V.USERCODE, V.KCODE, V.KNAME, V.HCODE, V.HNAME, V.DAC, V.BPFLG",
        "        FROM KAMOKU_VIEW V",
        "       WHERE V.SCODE = :PSCODE AND V.KCODE IS DISTINCT FROM :VSHOKUCHI",
        "         AND (V.HCODE <> ' '",
        "              OR (SELECT COUNT(*) FROM KAMOKU_SZ Z",
        "                   WHERE Z.SCODE = :PSCODE AND Z.KCODE = V.KCODE AND Z.BCODE IN (' ', '00')) < 2)",
        "       ORDER BY V.GROUPM0, V.KCODE, V.HCODE",
        "        INTO :KGROUP, :USERCODE, :KCODE, :KNAME, :HCODE, :HNAME, :DAC, :BPFLG DO",
        "  BEGIN",
        "    KAISIZAN = 0;",
        "    BUMONZAN = 0;",
        "    SELECT SUM(Z.KAISIZAN) FROM KAMOKU_SZ Z",
        "     WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.HCODE = :HCODE",
        "      INTO :KAISIZAN;",
        "    SELECT SUM(Z.KAISIZAN) FROM KAMOKU_SZ Z",
        "     WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.HCODE = :HCODE",
        "       AND Z.BCODE <> '00' AND Z.BCODE <> ' '",
        "      INTO :BUMONZAN;",
        "    SUSPEND;",
        "  END",
        "END ^",
    });
}

void AddFacilityCount(TUpdateScript& script)
{
    script.Add({
        "ReCREATE PROCEDURE SP_KAISIZAN_COUNT (",
        "  PSCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  PSHOKUTI VARCHAR(6) CHARACTER SET ASCII)",
        "RETURNS (",
        "  RECCOUNT INTEGER)",
        "AS",
        "BEGIN",
        "  SELECT COUNT(*) FROM SP_KAISIZAN_LIST(:PSCODE, :PSHOKUTI) INTO :RECCOUNT;",
        "  SUSPEND;",
        "END ^",
    });
}

// The earlier periods' balances for entry. The periods before the one the
// books start in are read: the month the bookkeeping started turned into
// the 16-period numbering (quarter-end periods included). All 48 columns
// are cleared on every row, so a period without a balance row shows 0, not
// the previous account's figure; an unknown start month reads no period.
void AddPriorYearReader(TUpdateScript& script)
{
    script.Add({
        "ReCREATE PROCEDURE SP_KANENDOZAN_YOMIKOMI (",
        "  PSCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  PBCODE VARCHAR(6) CHARACTER SET ASCII)",
        "RETURNS (",
        "  KGROUP VARCHAR(6) CHARACTER SET ASCII,",
        "  USERCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  KCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  KNAME VARCHAR(14),",
        "  HCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  HNAME VARCHAR(14),",
        "  BSPL VARCHAR(1) CHARACTER SET ASCII,",
        "  TAISHAKU INTEGER,",
    });
    for (int mnum = FirstPeriod; mnum <= LastPeriod; ++mnum)
        script.Add("  " + BalanceColumn(mnum) + " NUMERIC(16,4)" + (mnum == LastPeriod ? ")" : ","));
    script.Add({
        "AS",
        "  DECLARE VARIABLE VKAISINO INTEGER;",
        "  DECLARE VARIABLE VLIMIT INTEGER;",
        "  DECLARE VARIABLE VMNUM INTEGER;",
        "  DECLARE VARIABLE VZAN NUMERIC(16,4);",
        "BEGIN",
        "  VKAISINO = NULL;",
        "  SELECT KAISINO FROM ACCDEF1 WHERE REC = 1 INTO :VKAISINO;",
        "  VLIMIT = CASE VKAISINO",
        "    WHEN 1 THEN 1 WHEN 2 THEN 2 WHEN 3 THEN 4 WHEN 4 THEN 5",
        "    WHEN 5 THEN 6 WHEN 6 THEN 8 WHEN 7 THEN 9 WHEN 8 THEN 10",
        "    WHEN 9 THEN 12 WHEN 10 THEN 13 WHEN 11 THEN 14 WHEN 12 THEN 16",
        "  END;",
        "  FOR SELECT V.GROUPM0, V.USERCODE, V.KCODE, V.KNAME, V.HCODE, V.HNAME, V.BPFLG, V.DAC",
        "        FROM KAMOKU_VIEW V",
        "       WHERE V.SCODE = :PSCODE AND V.BCODE = :PBCODE AND V.GROUPM0 <> '9900'",
        "       ORDER BY V.GROUPM0, V.USERCODE, V.HCODE",
        "        INTO :KGROUP, :USERCODE, :KCODE, :KNAME, :HCODE, :HNAME, :BSPL, :TAISHAKU DO",
        "  BEGIN",
    });
    for (int mnum = FirstPeriod; mnum <= LastPeriod; ++mnum)
        script.Add("    " + BalanceColumn(mnum) + " = 0;");
    script.Add({
        "    FOR SELECT P.MNUM, SUM(P.NUKIZAN) FROM KAMOKU_PZ P",
        "         WHERE P.KCODE = :KCODE AND P.HCODE = :HCODE",
        "           AND (:PSCODE = ' ' OR P.SCODE = :PSCODE)",
        "           AND (:PBCODE = ' ' OR P.BCODE = :PBCODE)",
        "           AND P.MNUM < :VLIMIT",
        "         GROUP BY P.MNUM",
        "         ORDER BY P.MNUM",
        "          INTO :VMNUM, :VZAN DO",
        "    BEGIN",
    });
    for (int mnum = FirstPeriod; mnum <= LastPeriod; ++mnum)
        script.Add("      IF (VMNUM = " + std::to_string(mnum) + ") THEN " + BalanceColumn(mnum) + " = VZAN;");
    script.Add({
        "    END",
        "    SUSPEND;",
        "  END",
        "END ^",
    });
}

}  // namespace

void AddFirstBlockSchema(TUpdateScript& script)
{
    AddChartSettingsTable(script);
    AddCashFlowLine85(script);
    AddJournalSettingsRebuild(script);
    AddBlueReturnChanges(script);
    AddAccountGroupColumn(script);
    AddViewDrops(script);
    AddAccountView(script);
}

void AddOpeningBalanceProcedures(TUpdateScript& script)
{
    AddDepartmentCount(script);
    AddDepartmentList(script);
    AddFacilityList(script);
    AddFacilityCount(script);
    AddPriorYearReader(script);
}

}  // namespace accupdate022
