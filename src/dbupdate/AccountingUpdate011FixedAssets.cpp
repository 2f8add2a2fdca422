// Fixed-asset tables, procedures and initial settings of update 0.1.1.
//
// The store: the asset register KS_SISAN, its department allocation
// KS_BUMONHB, its asset book KS_DAICHO, the journal settings of the asset
// accounts per facility KS_SETSWK and their initial values per data type
// KS_SETSWK_INIT. The procedures fill the settings when facilities or asset
// accounts appear (the master triggers call them), keep the allocation and
// the book, and repair allocation rates that do not add up to 100.

#include "dbupdate/AccountingUpdate011.h"

#include <string>
#include <vector>

namespace accupdate011 {

namespace {

// A trigger that numbers the table's rows from its generator, whatever REC
// the insert names (the program and the seed rows insert 0).
void AddNumberingTrigger(TUpdateScript& script, const std::string& trigger, const std::string& table,
                         const std::string& generator)
{
    script.Add("SET TERM ^;");
    script.Add("CREATE TRIGGER " + trigger + " FOR " + table);
    script.Add({"ACTIVE BEFORE INSERT POSITION 0", "AS", "BEGIN"});
    script.Add("  NEW.REC = GEN_ID(" + generator + ", 1);");
    script.Add({"END ^", "SET TERM ;^"});
}

// The settings columns the initial rows and the per-facility rows share.
void AddSettingsColumns(TUpdateScript& script)
{
    script.Add({
        "  NOTLIST INTEGER DEFAULT 0,",
        "  TEKIYO VARCHAR(50) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  GSTAISYOU INTEGER DEFAULT 0,",
        "  GSKEIJYO INTEGER DEFAULT 0,",
        "  GSKAHI INTEGER DEFAULT 0,",
        "  GSHOUHOU INTEGER DEFAULT 0,",
        "  GSSISANZEI INTEGER DEFAULT 0,",
        "  SETSWK INTEGER DEFAULT 0,",
    });
}

void AddInitialSettingsTable(TUpdateScript& script)
{
    script.Add({
        "CREATE TABLE KS_SETSWK_INIT (",
        "  REC INTEGER NOT NULL,",
        "  ACCGROUP INTEGER DEFAULT 0,",
        "  KGROUP INTEGER DEFAULT 0,",
        "  KCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
    });
    AddSettingsColumns(script);
    script.Add({
        "  RUIKEIKCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  SYOKYAKU1_KCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  SYOKYAKU2_KCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  JIGYOUNUSI_KCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  SYOKYAKUTEKIYO VARCHAR(50) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  BAISONKCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  BAISONTEKIYO VARCHAR(50) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  JYOSONKCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  JYOSONTEKIYO VARCHAR(50) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  BAIEKIKCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  BAIEKITEKIYO VARCHAR(50) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  CONSTRAINT PK_KS_SETSWK_INIT PRIMARY KEY (REC)",
        ");",
    });
    // Every account a row names must stay in the chart; a renumbered
    // account takes its rows along.
    const struct {
        const char* name;
        const char* column;
    } keys[] = {
        {"KSSETSWKINIT_BAIEKI_KAMOKU", "BAIEKIKCODE"},
        {"KSSETSWKINIT_BAISON_KAMOKU", "BAISONKCODE"},
        {"KSSETSWKINIT_JYOSON_KAMOKU", "JYOSONKCODE"},
        {"KSSETSWKINIT_KCODE", "KCODE"},
        {"KSSETSWKINIT_RUIKEI_KAMOKU", "RUIKEIKCODE"},
        {"KSSETSWKINIT_SYOKYAKU1_KAMOKU", "SYOKYAKU1_KCODE"},
        {"KSSETSWKINIT_SYOKYAKU2_KAMOKU", "SYOKYAKU2_KCODE"},
        {"KSSETSWKINIT_JIGYOUNUSI_KAMOKU", "JIGYOUNUSI_KCODE"},
    };
    for (const auto& key : keys) {
        script.Add(std::string("ALTER TABLE KS_SETSWK_INIT ADD CONSTRAINT ") + key.name + " FOREIGN KEY (" +
                   key.column + ")");
        script.Add("  REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE;");
    }
    AddNumberingTrigger(script, "KSSETSWKINIT_BEFORE_INSERT", "KS_SETSWK_INIT", "KSSETSWKINIT_GEN");
}

void AddSettingsTable(TUpdateScript& script)
{
    script.Add({
        "CREATE TABLE KS_SETSWK (",
        "  REC INTEGER NOT NULL,",
        "  SCODE AC_CODE,",
        "  KCODE AC_CODE,",
    });
    AddSettingsColumns(script);
    script.Add({
        "  RUIKEIKCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  RUIKEIHCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  SYOKYAKU1_KCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  SYOKYAKU1_HCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  SYOKYAKU2_KCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  SYOKYAKU2_HCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  JIGYOUNUSI_KCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  JIGYOUNUSI_HCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  SYOKYAKUTEKIYO VARCHAR(50) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  BAISONKCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  BAISONHCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  BAISONTEKIYO VARCHAR(50) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  JYOSONKCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  JYOSONHCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  JYOSONTEKIYO VARCHAR(50) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  BAIEKIKCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  BAIEKIHCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  BAIEKITEKIYO VARCHAR(50) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  DUMMY VARCHAR(128) CHARACTER SET ASCII DEFAULT '',",
        "  CONSTRAINT PK_KS_SETSWK PRIMARY KEY (REC)",
        ");",
        // The settings belong to their facility and account and go with them.
        "ALTER TABLE KS_SETSWK ADD CONSTRAINT KSSETSWK_KCODE FOREIGN KEY (KCODE)",
        "  REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE ON DELETE CASCADE;",
        "ALTER TABLE KS_SETSWK ADD CONSTRAINT KSSETSWK_SCODE FOREIGN KEY (SCODE)",
        "  REFERENCES SISETUMST (SCODE) ON UPDATE CASCADE ON DELETE CASCADE;",
    });
    // A deleted sub-account only empties the setting that named it.
    const struct {
        const char* name;
        const char* kcode;
        const char* hcode;
    } keys[] = {
        {"KSSETSWK_BAIEKI_KAMOKU", "BAIEKIKCODE", "BAIEKIHCODE"},
        {"KSSETSWK_BAISON_KAMOKU", "BAISONKCODE", "BAISONHCODE"},
        {"KSSETSWK_JYOSON_KAMOKU", "JYOSONKCODE", "JYOSONHCODE"},
        {"KSSETSWK_RUIKEI_KAMOKU", "RUIKEIKCODE", "RUIKEIHCODE"},
        {"KSSETSWK_SYOKYAKU1_KAMOKU", "SYOKYAKU1_KCODE", "SYOKYAKU1_HCODE"},
        {"KSSETSWK_SYOKYAKU2_KAMOKU", "SYOKYAKU2_KCODE", "SYOKYAKU2_HCODE"},
        {"KSSETSWK_JIGYOUNUSI_KAMOKU", "JIGYOUNUSI_KCODE", "JIGYOUNUSI_HCODE"},
    };
    for (const auto& key : keys) {
        script.Add(std::string("ALTER TABLE KS_SETSWK ADD CONSTRAINT ") + key.name + " FOREIGN KEY (" + key.kcode +
                   ", " + key.hcode + ")");
        script.Add("  REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;");
    }
    AddNumberingTrigger(script, "KSSETSWK_BEFORE_INSERT", "KS_SETSWK", "KSSETSWK_GEN");
}

void AddAssetRegisterTable(TUpdateScript& script)
{
    script.Add({
        "CREATE TABLE KS_SISAN (",
        "  REC INTEGER NOT NULL,",
        "  SCODE AC_CODE,",
        "  KANRI VARCHAR(10) CHARACTER SET ASCII DEFAULT '',",
        "  KCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  HCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT ' ',",
        "  BCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  MEISYOU VARCHAR(20) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  SURYO CURRENCY,",
        "  JYOKYO INTEGER DEFAULT 1,",
        "  GSKAHI INTEGER DEFAULT 0,",
        "  GSHOUHOU INTEGER DEFAULT 1,",
        "  GSSISANZEI INTEGER DEFAULT 0,",
        "  SYUTODATE DATE,",
        "  SYUTOSWK INTEGER DEFAULT 0,",
        "  SIHAKCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  SIHAHCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  KOUNYUTAXCODE LONGINT,",
        "  KOUNYUKIN CURRENCY,",
        "  KOUNYUTAX CURRENCY,",
        "  KOUNYUTAXCALCU LONGINT,",
        "  ISINPKOUNYUTAX INTEGER DEFAULT 0,",
        "  SYUTOKIN CURRENCY,",
        "  ISINPSYUTOKIN INTEGER DEFAULT 0,",
        "  KISYUMISYOUKIN CURRENCY,",
        "  KISOKIN CURRENCY,",
        "  ISINPKISOKIN INTEGER DEFAULT 0,",
        "  TAIYOUYY INTEGER,",
        "  SYOURITU CURRENCY,",
        "  ISINPSYOURITU INTEGER DEFAULT 0,",
        "  JYOBAI INTEGER DEFAULT 0,",
        "  GENSYODATE DATE,",
        "  GENSYOSWK INTEGER DEFAULT 0,",
        "  SYUNYUKCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  SYUNYUHCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',",
        "  BAIKYAKUTAXCODE LONGINT,",
        "  BAIKYAKUKIN CURRENCY,",
        "  BAIKYAKUTAX CURRENCY,",
        "  BAIKYAKUTAXCALCU LONGINT,",
        "  ISINPBAIKYAKUTAX INTEGER DEFAULT 0,",
        "  SYOUKIKANSTR INTEGER,",
        "  SYOUKIKANEND INTEGER,",
        "  ISINPSYOUKIKAN INTEGER DEFAULT 0,",
        "  FUTUSYOUKIN CURRENCY,",
        "  ISINPFUTUSYOUKIN INTEGER DEFAULT 0,",
        "  WARISYOUKIN CURRENCY,",
        "  SYOUKINKEI CURRENCY,",
        "  MATUMISYOUKIN CURRENCY,",
        "  TEKIYO VARCHAR(50) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  TRANSKBN INTEGER,",
        "  KAITEISYUTOKUKAGAKU CURRENCY DEFAULT 0,",
        "  KAITEISYUTOKUKAGAKU_INPUT CURRENCY DEFAULT 0,",
        "  ISINPKAITEISYUTOKUKAGAKU INTEGER DEFAULT 0,",
        "  HANBAIHIWARIAI INTEGER DEFAULT 100,",
        "  JIGYOUWARIAI INTEGER DEFAULT 100,",
        "  ZANKAHOSYOUGAKU CURRENCY DEFAULT 0,",
        "  DUMMY VARCHAR(128) CHARACTER SET ASCII DEFAULT '',",
        "  CONSTRAINT PK_KS_SISAN PRIMARY KEY (REC)",
        ");",
        // An asset keeps its account, sub-account and facility: they cannot
        // be deleted under it. The payment and proceeds accounts are only
        // emptied.
        "ALTER TABLE KS_SISAN ADD CONSTRAINT KSSISAN_KAMOKU FOREIGN KEY (KCODE, HCODE)",
        "  REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE;",
        "ALTER TABLE KS_SISAN ADD CONSTRAINT KSSISAN_SCODE FOREIGN KEY (SCODE)",
        "  REFERENCES SISETUMST (SCODE) ON UPDATE CASCADE;",
        "ALTER TABLE KS_SISAN ADD CONSTRAINT KSSISAN_SIHARAI_KAMOKU FOREIGN KEY (SIHAKCODE, SIHAHCODE)",
        "  REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;",
        "ALTER TABLE KS_SISAN ADD CONSTRAINT KSSISAN_SYUNYU_KAMOKU FOREIGN KEY (SYUNYUKCODE, SYUNYUHCODE)",
        "  REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;",
    });
}

void AddAllocationTable(TUpdateScript& script)
{
    script.Add({
        "CREATE TABLE KS_BUMONHB (",
        "  KS_REC INTEGER NOT NULL,",
        "  SCODE VARCHAR(6) CHARACTER SET ASCII NOT NULL,",
        "  BCODE VARCHAR(6) CHARACTER SET ASCII NOT NULL,",
        "  HAIBUN CURRENCY,",
        "  DUMMY VARCHAR(128) CHARACTER SET ASCII DEFAULT '',",
        "  CONSTRAINT PK_KS_BUMONHB PRIMARY KEY (KS_REC, SCODE, BCODE)",
        ");",
        "ALTER TABLE KS_BUMONHB ADD CONSTRAINT KSBUMONHB_REC FOREIGN KEY (KS_REC)",
        "  REFERENCES KS_SISAN (REC) ON DELETE CASCADE;",
        "ALTER TABLE KS_BUMONHB ADD CONSTRAINT KSBUMONHB_SBCODE FOREIGN KEY (SCODE, BCODE)",
        "  REFERENCES SISETUBUM (SCODE, BCODE) ON UPDATE CASCADE ON DELETE CASCADE;",
    });
}

void AddAssetBookTable(TUpdateScript& script)
{
    script.Add({
        "CREATE TABLE KS_DAICHO (",
        "  REC INTEGER NOT NULL,",
        "  HIZUKE DATE NOT NULL,",
        "  DTYPE INTEGER NOT NULL,",
        "  TEKIYO VARCHAR(50) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  SYUTOKIN CURRENCY,",
        "  KISHU CURRENCY,",
        "  SYOKYAKU CURRENCY,",
        "  BOKAGAKU CURRENCY,",
        "  DUMMY VARCHAR(128) CHARACTER SET ASCII DEFAULT '',",
        "  CONSTRAINT PK_KS_DAICHO PRIMARY KEY (REC, HIZUKE, DTYPE)",
        ");",
        "ALTER TABLE KS_DAICHO ADD CONSTRAINT KSDAICHO_REC FOREIGN KEY (REC)",
        "  REFERENCES KS_SISAN (REC) ON UPDATE CASCADE ON DELETE CASCADE;",
    });
}

void AddInsertSettings(TUpdateScript& script)
{
    script.Add({
        "CREATE PROCEDURE SP_KS_INSSETSWK (",
        "  PSCODE VARCHAR(6) CHARACTER SET ASCII,",
        "  PGROUPM1 INTEGER,",
        "  PKCODE VARCHAR(6) CHARACTER SET ASCII)",
        "AS",
        "  DECLARE VARIABLE dvDATATYPE INTEGER;",
        "  DECLARE VARIABLE dvKGROUP INTEGER;",
        "  DECLARE VARIABLE dvCOUNT INTEGER;",
        "  DECLARE VARIABLE dvNOTLIST INTEGER;",
        "  DECLARE VARIABLE dvTEKIYO VARCHAR(50) CHARACTER SET SJIS_0208;",
        "  DECLARE VARIABLE dvGSTAISYOU INTEGER;",
        "  DECLARE VARIABLE dvGSKEIJYO INTEGER;",
        "  DECLARE VARIABLE dvGSKAHI INTEGER;",
        "  DECLARE VARIABLE dvGSHOUHOU INTEGER;",
        "  DECLARE VARIABLE dvGSSISANZEI INTEGER;",
        "  DECLARE VARIABLE dvSETSWK INTEGER;",
        "  DECLARE VARIABLE dvRUIKEIKCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvSYOKYAKU1_KCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvSYOKYAKU2_KCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvJIGYOUNUSI_KCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvSYOKYAKUTEKIYO VARCHAR(50) CHARACTER SET SJIS_0208;",
        "  DECLARE VARIABLE dvBAISONKCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvBAISONTEKIYO VARCHAR(50) CHARACTER SET SJIS_0208;",
        "  DECLARE VARIABLE dvJYOSONKCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvJYOSONTEKIYO VARCHAR(50) CHARACTER SET SJIS_0208;",
        "  DECLARE VARIABLE dvBAIEKIKCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvBAIEKITEKIYO VARCHAR(50) CHARACTER SET SJIS_0208;",
        "BEGIN",
        "  SELECT DATATYPE FROM ACCDEF1 WHERE REC = 1 INTO :dvDATATYPE;",
        "",
        "  /* Account groups 1400-1599 are tangible assets, 1600-1699",
        "     intangible ones, 1700-1799 investments and 1800 deferred assets;",
        "     every other account has no asset settings. */",
        "  IF ((PGROUPM1 >= 1400) AND (PGROUPM1 <= 1599)) THEN",
        "    dvKGROUP = 0;",
        "  ELSE IF ((PGROUPM1 >= 1600) AND (PGROUPM1 <= 1699)) THEN",
        "    dvKGROUP = 1;",
        "  ELSE IF ((PGROUPM1 >= 1700) AND (PGROUPM1 <= 1799)) THEN",
        "    dvKGROUP = 2;",
        "  ELSE IF (PGROUPM1 = 1800) THEN",
        "    dvKGROUP = 3;",
        "  ELSE",
        "    EXIT;",
        "",
        "  SELECT COUNT(*) FROM SISETUMST WHERE SCODE = :PSCODE INTO :dvCOUNT;",
        "  IF (dvCOUNT = 0) THEN",
        "    EXIT;",
        "",
        "  /* The account's own initial row, else the group's default row",
        "     (KCODE null). A data type without initial rows leaves every",
        "     setting null. */",
        "  SELECT COUNT(*) FROM KS_SETSWK_INIT",
        "  WHERE (ACCGROUP = :dvDATATYPE) AND (KGROUP = :dvKGROUP) AND (KCODE = :PKCODE)",
        "  INTO :dvCOUNT;",
        "  IF (dvCOUNT = 0) THEN",
        "    SELECT FIRST 1 NOTLIST, TEKIYO, GSTAISYOU, GSKEIJYO, GSKAHI, GSHOUHOU, GSSISANZEI, SETSWK,",
        "      RUIKEIKCODE, SYOKYAKU1_KCODE, SYOKYAKU2_KCODE, JIGYOUNUSI_KCODE, SYOKYAKUTEKIYO,",
        "      BAISONKCODE, BAISONTEKIYO, JYOSONKCODE, JYOSONTEKIYO, BAIEKIKCODE, BAIEKITEKIYO",
        "    FROM KS_SETSWK_INIT",
        "    WHERE (ACCGROUP = :dvDATATYPE) AND (KGROUP = :dvKGROUP) AND (KCODE IS NULL)",
        "    ORDER BY REC",
        "    INTO :dvNOTLIST, :dvTEKIYO, :dvGSTAISYOU, :dvGSKEIJYO, :dvGSKAHI, :dvGSHOUHOU, :dvGSSISANZEI,",
        "      :dvSETSWK, :dvRUIKEIKCODE, :dvSYOKYAKU1_KCODE, :dvSYOKYAKU2_KCODE, :dvJIGYOUNUSI_KCODE,",
        "      :dvSYOKYAKUTEKIYO, :dvBAISONKCODE, :dvBAISONTEKIYO, :dvJYOSONKCODE, :dvJYOSONTEKIYO,",
        "      :dvBAIEKIKCODE, :dvBAIEKITEKIYO;",
        "  ELSE",
        "    SELECT FIRST 1 NOTLIST, TEKIYO, GSTAISYOU, GSKEIJYO, GSKAHI, GSHOUHOU, GSSISANZEI, SETSWK,",
        "      RUIKEIKCODE, SYOKYAKU1_KCODE, SYOKYAKU2_KCODE, JIGYOUNUSI_KCODE, SYOKYAKUTEKIYO,",
        "      BAISONKCODE, BAISONTEKIYO, JYOSONKCODE, JYOSONTEKIYO, BAIEKIKCODE, BAIEKITEKIYO",
        "    FROM KS_SETSWK_INIT",
        "    WHERE (ACCGROUP = :dvDATATYPE) AND (KGROUP = :dvKGROUP) AND (KCODE = :PKCODE)",
        "    ORDER BY REC",
        "    INTO :dvNOTLIST, :dvTEKIYO, :dvGSTAISYOU, :dvGSKEIJYO, :dvGSKAHI, :dvGSHOUHOU, :dvGSSISANZEI,",
        "      :dvSETSWK, :dvRUIKEIKCODE, :dvSYOKYAKU1_KCODE, :dvSYOKYAKU2_KCODE, :dvJIGYOUNUSI_KCODE,",
        "      :dvSYOKYAKUTEKIYO, :dvBAISONKCODE, :dvBAISONTEKIYO, :dvJYOSONKCODE, :dvJYOSONTEKIYO,",
        "      :dvBAIEKIKCODE, :dvBAIEKITEKIYO;",
        "",
        "  INSERT INTO KS_SETSWK (REC, SCODE, KCODE, NOTLIST, TEKIYO,",
        "    GSTAISYOU, GSKEIJYO, GSKAHI, GSHOUHOU, GSSISANZEI, SETSWK,",
        "    RUIKEIKCODE, RUIKEIHCODE, SYOKYAKU1_KCODE, SYOKYAKU1_HCODE,",
        "    SYOKYAKU2_KCODE, SYOKYAKU2_HCODE, JIGYOUNUSI_KCODE, JIGYOUNUSI_HCODE,",
        "    SYOKYAKUTEKIYO, BAISONKCODE, BAISONHCODE, BAISONTEKIYO,",
        "    JYOSONKCODE, JYOSONHCODE, JYOSONTEKIYO, BAIEKIKCODE, BAIEKIHCODE, BAIEKITEKIYO, DUMMY)",
        "  VALUES (0, :PSCODE, :PKCODE, :dvNOTLIST, :dvTEKIYO,",
        "    :dvGSTAISYOU, :dvGSKEIJYO, :dvGSKAHI, :dvGSHOUHOU, :dvGSSISANZEI, :dvSETSWK,",
        "    :dvRUIKEIKCODE, NULL, :dvSYOKYAKU1_KCODE, NULL,",
        "    :dvSYOKYAKU2_KCODE, NULL, :dvJIGYOUNUSI_KCODE, NULL,",
        "    :dvSYOKYAKUTEKIYO, :dvBAISONKCODE, NULL, :dvBAISONTEKIYO,",
        "    :dvJYOSONKCODE, NULL, :dvJYOSONTEKIYO, :dvBAIEKIKCODE, NULL, :dvBAIEKITEKIYO, '');",
        "END ^",
        "",
    });
}

void AddInsertSettingsCallers(TUpdateScript& script)
{
    script.Add({
        "CREATE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU (",
        "  PSCODE VARCHAR(12) CHARACTER SET SJIS_0208)",
        "AS",
        "  DECLARE VARIABLE dvKCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvGROUPM1 INTEGER;",
        "BEGIN",
        "  /* Account groups are texts of digits; a group that is not a number",
        "     is no asset group. */",
        "  FOR SELECT KCODE, IIF(GROUPM1 SIMILAR TO '[0-9]+', CAST(GROUPM1 AS INTEGER), 0)",
        "      FROM KAMOKUMST",
        "      ORDER BY KCODE",
        "      INTO :dvKCODE, :dvGROUPM1 DO",
        "  BEGIN",
        "    IF ((dvGROUPM1 >= 1400) AND (dvGROUPM1 <= 1800)) THEN",
        "      EXECUTE PROCEDURE SP_KS_INSSETSWK(:PSCODE, :dvGROUPM1, :dvKCODE);",
        "  END",
        "END ^",
        "",
        "CREATE PROCEDURE SP_KS_INSSETSWK_CALL_KAMOKU (",
        "  PKCODE VARCHAR(12) CHARACTER SET SJIS_0208,",
        "  PGROUPM1 INTEGER)",
        "AS",
        "  DECLARE VARIABLE dvSCODE VARCHAR(6) CHARACTER SET ASCII;",
        "BEGIN",
        "  FOR SELECT SCODE FROM SISETUMST ORDER BY SCODE INTO :dvSCODE DO",
        "    EXECUTE PROCEDURE SP_KS_INSSETSWK(:dvSCODE, :PGROUPM1, :PKCODE);",
        "END ^",
        "",
    });
}

void AddAllocationProcedures(TUpdateScript& script)
{
    script.Add({
        // A null on either side is no difference: the row keeps its value.
        "CREATE PROCEDURE SP_KS_BUMONHB_REC_ADD (",
        "  PREC INTEGER,",
        "  PSCODE VARCHAR(12) CHARACTER SET SJIS_0208,",
        "  PBCODE VARCHAR(12) CHARACTER SET SJIS_0208,",
        "  PHAIBUN NUMERIC(16,4),",
        "  PDUMMY VARCHAR(128) CHARACTER SET ASCII)",
        "AS",
        "  DECLARE VARIABLE dvCOUNT INTEGER;",
        "  DECLARE VARIABLE dvHAIBUN NUMERIC(16,4);",
        "  DECLARE VARIABLE dvDUMMY VARCHAR(128) CHARACTER SET ASCII;",
        "BEGIN",
        "  SELECT COUNT(*) FROM KS_BUMONHB",
        "  WHERE (KS_REC = :PREC) AND (SCODE = :PSCODE) AND (BCODE = :PBCODE)",
        "  INTO :dvCOUNT;",
        "  IF (dvCOUNT = 0) THEN",
        "    INSERT INTO KS_BUMONHB (KS_REC, SCODE, BCODE, HAIBUN, DUMMY)",
        "    VALUES (:PREC, :PSCODE, :PBCODE, :PHAIBUN, :PDUMMY);",
        "  ELSE",
        "  BEGIN",
        "    SELECT HAIBUN, DUMMY FROM KS_BUMONHB",
        "    WHERE (KS_REC = :PREC) AND (SCODE = :PSCODE) AND (BCODE = :PBCODE)",
        "    INTO :dvHAIBUN, :dvDUMMY;",
        "    IF ((dvHAIBUN <> PHAIBUN) OR (dvDUMMY <> PDUMMY)) THEN",
        "      UPDATE KS_BUMONHB SET HAIBUN = :PHAIBUN, DUMMY = :PDUMMY",
        "      WHERE (KS_REC = :PREC) AND (SCODE = :PSCODE) AND (BCODE = :PBCODE);",
        "  END",
        "END ^",
        "",
        // Every asset of the facility gets a row for every department of
        // the facility; rows that exist keep their values.
        "CREATE PROCEDURE SP_KS_BUMONHB_ADD (",
        "  PSCODE VARCHAR(6) CHARACTER SET SJIS_0208)",
        "AS",
        "  DECLARE VARIABLE dvCOUNT INTEGER;",
        "  DECLARE VARIABLE dvREC INTEGER;",
        "  DECLARE VARIABLE dvBCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvHAIBUN NUMERIC(16,4);",
        "  DECLARE VARIABLE dvDUMMY VARCHAR(128) CHARACTER SET ASCII;",
        "BEGIN",
        "  SELECT COUNT(*) FROM KS_SISAN WHERE SCODE = :PSCODE INTO :dvCOUNT;",
        "  IF (dvCOUNT = 0) THEN",
        "    EXIT;",
        "  SELECT COUNT(*) FROM SISETUBUM WHERE SCODE = :PSCODE INTO :dvCOUNT;",
        "  FOR SELECT REC FROM KS_SISAN WHERE SCODE = :PSCODE ORDER BY REC INTO :dvREC DO",
        "  BEGIN",
        "    IF (dvCOUNT > 0) THEN",
        "    BEGIN",
        "      FOR SELECT BCODE FROM SISETUBUM WHERE SCODE = :PSCODE ORDER BY BCODE INTO :dvBCODE DO",
        "      BEGIN",
        "        /* A select that finds no row leaves its variables as they",
        "           were, so a missing row must not see the previous one. */",
        "        dvHAIBUN = 0;",
        "        dvDUMMY = '';",
        "        SELECT HAIBUN, DUMMY FROM KS_BUMONHB",
        "        WHERE (KS_REC = :dvREC) AND (SCODE = :PSCODE) AND (BCODE = :dvBCODE)",
        "        INTO :dvHAIBUN, :dvDUMMY;",
        "        EXECUTE PROCEDURE SP_KS_BUMONHB_REC_ADD(:dvREC, :PSCODE, :dvBCODE, :dvHAIBUN, :dvDUMMY);",
        "      END",
        "    END",
        "  END",
        "END ^",
        "",
        // Each asset whose rates do not add up to 100 gets the rest on the
        // common department "00". A missing rate counts as 0: otherwise an
        // asset allocated only to "00" would get no rate at all.
        "CREATE PROCEDURE SP_KS_SISAN_SYUFUKU_HAIBUNRITU (",
        "  PSCODE VARCHAR(12) CHARACTER SET SJIS_0208)",
        "RETURNS (",
        "  SYUFUKU INTEGER)",
        "AS",
        "  DECLARE VARIABLE dvCOUNT INTEGER;",
        "  DECLARE VARIABLE dvREC INTEGER;",
        "  DECLARE VARIABLE dvTOTAL NUMERIC(18,4);",
        "  DECLARE VARIABLE dvOTHERS NUMERIC(18,4);",
        "BEGIN",
        "  SYUFUKU = 0;",
        "  SELECT COUNT(*) FROM SISETUBUM WHERE SCODE = :PSCODE INTO :dvCOUNT;",
        "  IF (dvCOUNT = 0) THEN",
        "    EXIT;",
        "  FOR SELECT KS_REC, COALESCE(SUM(HAIBUN), 0) FROM KS_BUMONHB",
        "      WHERE SCODE = :PSCODE",
        "      GROUP BY KS_REC",
        "      INTO :dvREC, :dvTOTAL DO",
        "  BEGIN",
        "    IF (dvTOTAL <> 100) THEN",
        "    BEGIN",
        "      SYUFUKU = 1;",
        "      SELECT COALESCE(SUM(HAIBUN), 0) FROM KS_BUMONHB",
        "      WHERE (KS_REC = :dvREC) AND (SCODE = :PSCODE) AND (BCODE <> '00')",
        "      INTO :dvOTHERS;",
        "      UPDATE KS_BUMONHB SET HAIBUN = 100 - :dvOTHERS",
        "      WHERE (KS_REC = :dvREC) AND (SCODE = :PSCODE) AND (BCODE = '00');",
        "    END",
        "  END",
        "  SUSPEND;",
        "END ^",
        "",
    });
}

// One asset-book row keyed by asset, date and kind. A null on either side
// is no difference.
void AddAssetBookUpdate(TUpdateScript& script)
{
    script.Add({
        "CREATE PROCEDURE SP_KS_DAICHO_UPDATE (",
        "  PREC INTEGER,",
        "  PHIZUKE DATE,",
        "  PDTYPE INTEGER,",
        "  PTEKIYO VARCHAR(100) CHARACTER SET SJIS_0208,",
        "  PSYUTOKIN NUMERIC(16,4),",
        "  PKISHU NUMERIC(16,4),",
        "  PSYOKYAKU NUMERIC(16,4),",
        "  PBOKAGAKU NUMERIC(16,4),",
        "  PDUMMY VARCHAR(128) CHARACTER SET ASCII)",
        "AS",
        "  DECLARE VARIABLE dvCOUNT INTEGER;",
        "  DECLARE VARIABLE dvTEKIYO VARCHAR(50) CHARACTER SET SJIS_0208;",
        "  DECLARE VARIABLE dvSYUTOKIN NUMERIC(16,4);",
        "  DECLARE VARIABLE dvKISHU NUMERIC(16,4);",
        "  DECLARE VARIABLE dvSYOKYAKU NUMERIC(16,4);",
        "  DECLARE VARIABLE dvBOKAGAKU NUMERIC(16,4);",
        "  DECLARE VARIABLE dvDUMMY VARCHAR(128) CHARACTER SET ASCII;",
        "BEGIN",
        "  SELECT COUNT(*) FROM KS_DAICHO",
        "  WHERE (REC = :PREC) AND (HIZUKE = :PHIZUKE) AND (DTYPE = :PDTYPE)",
        "  INTO :dvCOUNT;",
        "  IF (dvCOUNT = 0) THEN",
        "    INSERT INTO KS_DAICHO (REC, HIZUKE, DTYPE, TEKIYO, SYUTOKIN, KISHU, SYOKYAKU, BOKAGAKU, DUMMY)",
        "    VALUES (:PREC, :PHIZUKE, :PDTYPE, :PTEKIYO, :PSYUTOKIN, :PKISHU, :PSYOKYAKU, :PBOKAGAKU, :PDUMMY);",
        "  ELSE",
        "  BEGIN",
        "    SELECT TEKIYO, SYUTOKIN, KISHU, SYOKYAKU, BOKAGAKU, DUMMY FROM KS_DAICHO",
        "    WHERE (REC = :PREC) AND (HIZUKE = :PHIZUKE) AND (DTYPE = :PDTYPE)",
        "    INTO :dvTEKIYO, :dvSYUTOKIN, :dvKISHU, :dvSYOKYAKU, :dvBOKAGAKU, :dvDUMMY;",
        "    IF ((dvTEKIYO <> PTEKIYO) OR (dvSYUTOKIN <> PSYUTOKIN) OR (dvKISHU <> PKISHU) OR",
        "        (dvSYOKYAKU <> PSYOKYAKU) OR (dvBOKAGAKU <> PBOKAGAKU) OR (dvDUMMY <> PDUMMY)) THEN",
        "      UPDATE KS_DAICHO SET TEKIYO = :PTEKIYO, SYUTOKIN = :PSYUTOKIN, KISHU = :PKISHU,",
        "        SYOKYAKU = :PSYOKYAKU, BOKAGAKU = :PBOKAGAKU, DUMMY = :PDUMMY",
        "      WHERE (REC = :PREC) AND (HIZUKE = :PHIZUKE) AND (DTYPE = :PDTYPE);",
        "  END",
        "END ^",
        "",
    });
}

// The initial journal settings of one asset group: its accounts, then the
// group's default row (no account).
struct TInitialGroup {
    int KGroup;
    std::vector<const char*> Accounts;
    int Settings[6];        // GSTAISYOU, GSKEIJYO, GSKAHI, GSHOUHOU, GSSISANZEI, SETSWK of the accounts
    int DefaultSettings[6]; // the same of the default row
    bool Accumulated;       // RUIKEIKCODE 1416
    bool Journal;           // the depreciation, owner and sale/disposal accounts
};

// Where sales and disposals of an asset go, per data type: a corporation
// books them as extraordinary gains and losses, an individual on the
// owner's accounts.
struct TSaleAccounts {
    int AccGroup;
    const char* Loss;      // BAISONKCODE
    const char* Disposal;  // JYOSONKCODE
    const char* Gain;      // BAIEKIKCODE
};

std::string CodeValue(const char* code)
{
    return code == nullptr ? std::string("NULL") : "'" + std::string(code) + "'";
}

void AddInitialRow(TUpdateScript& script, const TSaleAccounts& sale, const TInitialGroup& group, const char* kcode,
                   const int (&settings)[6])
{
    const bool journal = group.Journal;
    std::string values = "VALUES (0, " + std::to_string(sale.AccGroup) + ", " + std::to_string(group.KGroup) + ", " +
                         CodeValue(kcode) + ", 1, '購入'";
    for (const int setting : settings)
        values += ", " + std::to_string(setting);
    values += ", " + CodeValue(group.Accumulated ? "1416" : nullptr);
    values += ", " + CodeValue(journal ? "6204" : nullptr);
    values += ", " + CodeValue(journal ? "5606" : nullptr);
    values += ", " + CodeValue(journal ? "1608" : nullptr);
    values += ", '償却', " + CodeValue(journal ? sale.Loss : nullptr);
    values += ", '売却', " + CodeValue(journal ? sale.Disposal : nullptr);
    values += ", '除却', " + CodeValue(journal ? sale.Gain : nullptr);
    values += ", '売却');";
    script.Add({
        "INSERT INTO KS_SETSWK_INIT (REC, ACCGROUP, KGROUP, KCODE, NOTLIST, TEKIYO,",
        "  GSTAISYOU, GSKEIJYO, GSKAHI, GSHOUHOU, GSSISANZEI, SETSWK,",
        "  RUIKEIKCODE, SYOKYAKU1_KCODE, SYOKYAKU2_KCODE, JIGYOUNUSI_KCODE, SYOKYAKUTEKIYO,",
        "  BAISONKCODE, BAISONTEKIYO, JYOSONKCODE, JYOSONTEKIYO, BAIEKIKCODE, BAIEKITEKIYO)",
    });
    script.Add(values);
}

}  // namespace

void AddFixedAssetTables(TUpdateScript& script)
{
    AddInitialSettingsTable(script);
    AddSettingsTable(script);
    AddAssetRegisterTable(script);
    AddAllocationTable(script);
    AddAssetBookTable(script);
}

void AddFixedAssetProcedures(TUpdateScript& script)
{
    AddInsertSettings(script);
    AddInsertSettingsCallers(script);
    AddAllocationProcedures(script);
}

void AddAssetBookProcedure(TUpdateScript& script)
{
    AddAssetBookUpdate(script);
}

void AddInitialJournalSettings(TUpdateScript& script)
{
    static const TInitialGroup groups[] = {
        {0,
         {"1401", "1402", "1403", "1404", "1405", "1406", "1407", "1408", "1409", "1410", "1411", "1412", "1416"},
         {0, 1, 0, 1, 0, 1},
         {0, 1, 0, 1, 0, 1},
         true,
         true},
        {1, {"1501", "1502", "1503", "1504", "1505", "1506"}, {1, 0, 0, 3, 0, 0}, {0, 0, 1, 3, 0, 0}, false, false},
        {2,
         {"1601", "1602", "1603", "1604", "1605", "1606", "1607", "1608", "1620"},
         {2, 0, 0, 3, 0, 0},
         {0, 0, 2, 3, 0, 0},
         false,
         false},
        {3, {"1701", "1702", "1703"}, {3, 0, 0, 1, 0, 1}, {0, 0, 3, 1, 0, 1}, false, true},
    };
    static const TSaleAccounts dataTypes[] = {
        {1, "8201", "8202", "8101"},
        {2, "1608", "1608", "2205"},
    };
    for (const TSaleAccounts& sale : dataTypes) {
        for (const TInitialGroup& group : groups) {
            for (const char* kcode : group.Accounts)
                AddInitialRow(script, sale, group, kcode, group.Settings);
            AddInitialRow(script, sale, group, nullptr, group.DefaultSettings);
        }
        script.Add("Commit;");
    }
}

// Journal settings for the facilities that exist already (a new facility
// gets them from its trigger).
void AddExistingFacilitySettings(TUpdateScript& script)
{
    script.Add({
        "SET TERM ^ ;",
        "RECREATE PROCEDURE ONE_TIME_PROC",
        "AS",
        "  DECLARE VARIABLE dvSCODE VARCHAR(6) CHARACTER SET ASCII;",
        "BEGIN",
        "  FOR SELECT SCODE FROM SISETUMST INTO :dvSCODE DO",
        "    EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU(:dvSCODE);",
        "END ^",
        "SET TERM ; ^",
        "EXECUTE PROCEDURE ONE_TIME_PROC;",
        "Commit;",
        "DROP PROCEDURE ONE_TIME_PROC;",
    });
}

}  // namespace accupdate011
