/*
 * The company database "qhacc.fdb" as the accounting package delivers it,
 * at version 0.1.0 (ACCVERSION REC 1), older than every accounting update.
 *
 * This file is a template. Every list that repeats per period (the 16
 * periods' columns, variables and branches, the 12 months, the 48 periods
 * of the earlier years) is written once, between a FOR and an END
 * directive held in a comment (the forms are described in
 * src/dbupdate/sqlgen/SqlTemplate.h). The build expands them and writes
 * the result to sql/base/qhacc.sql in the build folder: that text is what
 * isql-fb runs, and the one to read for a statement as the engine sees it
 * (isql's line numbers count its lines).
 *
 * The builder creates the database (page size 16384, default character set
 * SJIS_0208) and runs the expanded script through isql-fb against it,
 * stopping at the first failed statement. The file is UTF-8 and runs with
 * the connection character set UTF8; the engine stores the texts as
 * SJIS_0208.
 *
 * What the base must honour, because the first updates rely on it:
 * - 0.1.1 drops the old fixed-asset store (KS_* tables, their constraints,
 *   triggers and procedures) in a fixed order, so each of those objects is
 *   here under its exact name and nothing else depends on them;
 * - 0.1.3 drops the old KANSA_ITEM with its eight constraints;
 * - 0.1.1 alters SP_MB_SELECT_SYUGYOU, so it exists;
 * - 0.2.2 drops KAMOKU_VIEW and CHARTINF before building them anew, so
 *   both exist, and only procedures that 0.2.2 drops first may read the
 *   view;
 * - the foreign keys that the updates create need unique keys on
 *   KAMOKUMST(KCODE), HOJOMST(KCODE,HCODE), BUMONMST(BCODE),
 *   SISETUMST(SCODE), SISETUBUM(SCODE,BCODE) and SWK_SEARCH(REC).
 *
 * And because the later updates (0.1.4 to 2.0.4) rely on it:
 * - 0.1.4 drops the triggers CASHFMST_SISETU_BEFORE_INSERT and
 *   CASHFMST_AFTER_INSERT, the keys CASHFMST_SISETU_SCODE and
 *   CASHFMST_SISET_REC and the table CASHFMST_SISETU, then rewrites
 *   CASHFMST and CASHFMKU from their generators' start (CASHFMKU.CF_REC
 *   is no key: the layout writes one number on four rows);
 * - 0.1.5 drops SWKDIC_KAR_KCODE, SWKDIC_KAS_KCODE, TEKDIC_KAR_KCODE,
 *   TEKDIC_KAS_KCODE, TORDIC_KAR_KCODE and TORDIC_KAS_KCODE, alters
 *   HOJOMST_BEFORE_DELETE (which writes the 36 values of HOJOLOG) and
 *   KAMOKUSZ_AFTER_UPDATE, and adds columns to KESSAN and EXTERKS;
 * - 0.2.2 drops sixteen procedures, then KAMOKU_VIEW, and CHARTINF;
 *   0.3.1 alters KAMOKU_PZ_AFTER_UPDATE; 0.3.3 writes KAMOKUMST.KKANA;
 *   0.3.4 regroups the layout lines REC 7 to 12 of EXTERA4 and EXTERA3;
 *   1.0.2 tests KAMOKUMST.HOJOSW for '○'; 1.0.5 drops ACCTOTALNAME;
 *   2.0.0 drops ACCDEF1_BEFORE_UPDATE, SIWAKE_AFTER_DELETE,
 *   TEKDIC_KAS_BCODE and TORDIC_KAS_BCODE;
 * - they alter SYSKMKCODEINF, SP_KANENDO_GROUPZANDAKA, SP_SIWAKE_REPAIR,
 *   SP_ZEIGAKU_ADD, SP_SISANHYO_A4, _A3, _BUMON_A4, _BUMON_A3 and
 *   _KESSAN, SP_MONITOR_LISTUP and _LISTDOWN, SP_SIWAKE_DEL,
 *   SP_SIWAKE_UPD, SP_UPDATE_YOSANSUB, SP_UPDATE_YOSAN,
 *   SP_SETHOJOKAISIZAN, SP_KURIKOSIZANDAKA and SP_KURIKOSIBUMONZANDAKA,
 *   so each is here in its delivered form; nothing that 0.1.1 or 0.1.3
 *   drops (KS_*, KANSA_ITEM) and nothing that a later update drops may be
 *   used by an object the updates keep.
 *
 * What is NOT here, on purpose: everything 0.1.1 to 0.1.3 create without
 * dropping first (SP_KS_SISAN_SYUFUKU_HAIBUNRITU, the bank reconciliation
 * procedures SP_TOUZACHOSEIHYO_*) and the ACCDEF1 columns their column
 * checks add (SDAI_HASUU3, KESSAN_KIKAN, CASHFLOW_KIKAN1, CASHFLOW_KIKAN2):
 * those statements would fail, or be skipped, on a base that had them.
 * The same holds for what the later updates create with a plain CREATE
 * (BUMONMST_BEFORE_DELETE, SISETUMST_AFTER_INSERT2) or add as columns
 * (KESSAN.CHUKI_TITLEPRINT, EXTERKS.AO_*, KAMOKUMST.GROUPM0 and the
 * Navigore columns, KAMOKU_MS.RYOSAN, ACCDEF1.WEB_HOLDER); the tables they
 * rebuild with RECREATE (TUSIN_ID, JOBCONTROL, the AO_*, UTIWAKE* and
 * NAVIGORE_* tables, ...) and the procedures they recreate come with them.
 *
 * The chart here is a corporation's; qhacc-chart-individual.sql and
 * qhacc-chart-medical.sql, run after this script, turn the database into
 * an individual's or a medical corporation's books.
 */


/* ------------------------------------------------------------------------
 * Domains and generators
 * --------------------------------------------------------------------- */

/* Internal codes of accounts, sub-accounts, departments and facilities. */
CREATE DOMAIN AC_CODE AS VARCHAR(6) CHARACTER SET ASCII;

/* Amounts: fixed point with four decimals. */
CREATE DOMAIN CURRENCY AS NUMERIC(16,4);

/* Whole numbers of the fixed-asset store (tax codes, calculation kinds). */
CREATE DOMAIN LONGINT AS INTEGER;

/* Names of total groups and headings; the total-name table of a later
   update declares its names with it. */
CREATE DOMAIN AC_NAME AS VARCHAR(40);

/* Numbers the initial journal settings of the fixed-asset accounts. */
CREATE GENERATOR KSSETSWKINIT_GEN;
/* Numbers the per-facility journal settings of the fixed-asset accounts. */
CREATE GENERATOR KSSETSWK_GEN;
/* Numbers the headings of the summary dictionary (one set per facility). */
CREATE GENERATOR TEKDICTI_GEN;
/* Numbers the entries of the summary dictionary. */
CREATE GENERATOR TEKDIC_GEN;
/* Numbers journal entries: entry n has the rows 2n - 1 and 2n. */
CREATE GENERATOR SIWAKE_REC_GEN;
/* Numbers accounts and sub-accounts (their REC, which journal links name). */
CREATE GENERATOR KAMOKUMST_REC_GEN;
CREATE GENERATOR HOJOMST_REC_GEN;


/* ------------------------------------------------------------------------
 * Functions
 * --------------------------------------------------------------------- */

SET TERM ^ ;

/* Rounds an amount to a whole number, halves away from zero (the data
   fixes round budgets with it). An external function in the package's UDF
   library; PSQL here because the engine runs with UDFs switched off. */
CREATE FUNCTION F_ROUND (
    VAL NUMERIC(18,4))
RETURNS NUMERIC(18,4)
AS
BEGIN
    IF (VAL IS NULL) THEN
        RETURN NULL;
    RETURN ROUND(VAL, 0);
END ^

/* Answers the last N characters of STR (the whole text when it is shorter,
   an empty text for N of 0 or less). An external function in the package's
   UDF library; PSQL here because the engine runs with UDFs switched off. */
CREATE FUNCTION f_Right (
    STR VARCHAR(254),
    N INTEGER)
RETURNS VARCHAR(254)
AS
BEGIN
    IF (STR IS NULL OR N IS NULL) THEN
        RETURN NULL;
    IF (N <= 0) THEN
        RETURN '';
    RETURN RIGHT(STR, N);
END ^

SET TERM ; ^


/* ------------------------------------------------------------------------
 * Version and company settings
 * --------------------------------------------------------------------- */

/* The data version: row REC 1 is stamped by every accounting update; the
   readers take the highest MAJOR, MINOR1, MINOR2. */
CREATE TABLE ACCVERSION (
    REC INTEGER NOT NULL,
    MAJOR INTEGER DEFAULT 0,
    MINOR1 INTEGER DEFAULT 0,
    MINOR2 INTEGER DEFAULT 0,
    MEMO VARCHAR(254) DEFAULT '',
    CONSTRAINT PK_ACCVERSION PRIMARY KEY (REC)
);

/* The company's settings, one row REC 1, read whole ("SELECT *") when data
   is opened. Dates are DATE; tax rates are fractions. The columns that
   later updates add (SDAI_HASUU3, KESSAN_KIKAN, CASHFLOW_KIKAN1/2,
   WEB_HOLDER, ...) are absent: the readers test for them. */
CREATE TABLE ACCDEF1 (
    REC INTEGER NOT NULL,
    GROUPID INTEGER DEFAULT 10000,
    ENTTEXT VARCHAR(20) DEFAULT '',
    SERIAL VARCHAR(20) DEFAULT '',
    TANTOU INTEGER DEFAULT 0,
    GYOUSHU INTEGER DEFAULT 0,
    DATATYPE INTEGER DEFAULT 1,
    CODETYPE INTEGER DEFAULT 1,
    SCODE1 VARCHAR(20) DEFAULT '',
    SCODE2 VARCHAR(20) DEFAULT '',
    SKANA VARCHAR(60) DEFAULT '',
    SHOUGOU VARCHAR(60) DEFAULT '',
    POST VARCHAR(10) DEFAULT '',
    ADD1 VARCHAR(60) DEFAULT '',
    ADD2 VARCHAR(60) DEFAULT '',
    TEL VARCHAR(20) DEFAULT '',
    AO_ADD1 VARCHAR(60) DEFAULT '',
    AO_ADD2 VARCHAR(60) DEFAULT '',
    AO_KANA VARCHAR(60) DEFAULT '',
    AO_SIMEI VARCHAR(40) DEFAULT '',
    AO_GYOUSHU VARCHAR(40) DEFAULT '',
    AO_YAGO VARCHAR(60) DEFAULT '',
    AO_KANYU VARCHAR(40) DEFAULT '',
    AO_TEL VARCHAR(20) DEFAULT '',
    AO_SHOKUGYO1 VARCHAR(40) DEFAULT '',
    AO_SHOKUGYO2 VARCHAR(40) DEFAULT '',
    MAIL VARCHAR(100) DEFAULT '',
    ZZKISHU DATE,
    ZKISHU DATE,
    NENDO INTEGER DEFAULT 1,
    KISHU DATE,
    KIMATU DATE,
    KAISI DATE,
    SIME INTEGER DEFAULT 99,
    KAISINO INTEGER DEFAULT 1,
    GENGOU_FLG INTEGER DEFAULT 0,
    GENGOU_HOSEI INTEGER DEFAULT 0,
    GENGOU_NAME VARCHAR(10) DEFAULT '',
    YAKUMEI1 VARCHAR(20) DEFAULT '',
    YAKUMEI2 VARCHAR(20) DEFAULT '',
    YAKUMEI3 VARCHAR(20) DEFAULT '',
    OLD_TAX_RATE1 DOUBLE PRECISION DEFAULT 0,
    OLD_TAX_RATE2 DOUBLE PRECISION DEFAULT 0,
    OLD_TAX_RATE3 DOUBLE PRECISION DEFAULT 0,
    OLD_TAX_RATE4 DOUBLE PRECISION DEFAULT 0,
    OLD_TAX_RATE5 DOUBLE PRECISION DEFAULT 0,
    NEW_TAX_RATE1 DOUBLE PRECISION DEFAULT 0,
    NEW_TAX_RATE2 DOUBLE PRECISION DEFAULT 0,
    NEW_TAX_RATE3 DOUBLE PRECISION DEFAULT 0,
    NEW_TAX_RATE4 DOUBLE PRECISION DEFAULT 0,
    NEW_TAX_RATE5 DOUBLE PRECISION DEFAULT 0,
    CHG_DAYS1 DATE,
    CHG_DAYS2 DATE,
    CHG_DAYS3 DATE,
    CHG_DAYS4 DATE,
    CHG_DAYS5 DATE,
    KANSA_FIXDATE DATE,
    KANSA_DATE DATE,
    CALCU INTEGER DEFAULT 0,
    TAXU_HASUU INTEGER DEFAULT 0,
    TAXH_HASUU INTEGER DEFAULT 0,
    TAXDEFUH INTEGER DEFAULT 0,
    TAXKANNI INTEGER DEFAULT 0,
    TAXJIGYOU INTEGER DEFAULT 0,
    GENKAPRINT INTEGER DEFAULT 0,
    KANSA_LOCK INTEGER DEFAULT 0,
    TEGATADICSW INTEGER DEFAULT 0,
    CASHFLOWSW INTEGER DEFAULT 0,
    SDAI_HASUU1 INTEGER DEFAULT 0,
    SDAI_HASUU2 INTEGER DEFAULT 0,
    CONVERT INTEGER DEFAULT 0,
    SHOUHYOU INTEGER DEFAULT 0,
    SITEN INTEGER DEFAULT 0,
    BUMON INTEGER DEFAULT 0,
    DATALOCK INTEGER DEFAULT 0,
    GENKA_USE INTEGER DEFAULT 0,
    GENKA_HWORD1 VARCHAR(20) DEFAULT '',
    GENKA_HWORD2 VARCHAR(20) DEFAULT '',
    GENKA_HWORD3 VARCHAR(20) DEFAULT '',
    GENKA_HWORD4 VARCHAR(20) DEFAULT '',
    GENKA_HWORD5 VARCHAR(20) DEFAULT '',
    PASWORD VARCHAR(16) DEFAULT '',
    FUMEI_KCODE AC_CODE DEFAULT '',
    HOJO_INS_MODE INTEGER DEFAULT 0,
    CONSTRAINT PK_ACCDEF1 PRIMARY KEY (REC)
);

/* The system accounts found by name: the program and the procedures look
   up "現金", "仮受消費税", "繰越利益剰余金", ... here and join KAMOKUMST. */
CREATE TABLE ACCDEF2 (
    KCODE AC_CODE NOT NULL,
    KNAME VARCHAR(28) NOT NULL,
    CONSTRAINT PK_ACCDEF2 PRIMARY KEY (KNAME, KCODE)
);

/* Head counts per facility, department and period (MNUM -31 to 16, the
   periods of this year and the two before); a new facility gets its 48
   rows from the facility trigger. */
CREATE TABLE ACCDEF5 (
    SCODE AC_CODE NOT NULL,
    BCODE AC_CODE NOT NULL,
    MNUM INTEGER NOT NULL,
    NUM1 INTEGER DEFAULT 0,
    CONSTRAINT PK_ACCDEF5 PRIMARY KEY (SCODE, BCODE, MNUM)
);

/* Typed settings of the company data (group, code, type name, value as
   text): a read of a missing value stores the caller's default. */
CREATE TABLE ACCREG (
    AGROUP VARCHAR(40) NOT NULL,
    ACODE VARCHAR(60) NOT NULL,
    ATYPE VARCHAR(10) DEFAULT '',
    ATEXT VARCHAR(1024),
    AMEMO VARCHAR(254),
    CONSTRAINT PK_ACCREG PRIMARY KEY (AGROUP, ACODE)
);

/* Pictures and memo texts of the company data, by group and key. */
CREATE TABLE ACCREG_BLOB_BINARY (
    FGROUP VARCHAR(40) NOT NULL,
    FKEY VARCHAR(60) NOT NULL,
    FTYPE VARCHAR(10) DEFAULT '',
    FVALUE BLOB SUB_TYPE 0,
    CONSTRAINT PK_ACCREG_BLOB_BINARY PRIMARY KEY (FGROUP, FKEY)
);

/* Values of the medical-corporation report (same shape as ACCREG). */
CREATE TABLE MSD_HOUKOKU (
    MDGROUP VARCHAR(40) NOT NULL,
    MDCODE VARCHAR(60) NOT NULL,
    MDTYPE VARCHAR(10) DEFAULT '',
    MDTEXT1 VARCHAR(1024),
    CONSTRAINT PK_MSD_HOUKOKU PRIMARY KEY (MDGROUP, MDCODE)
);

/* Jobs run on the data (the year-end carry-over "翌年度更新", the balance
   adjustment "繰越残高調整", ...): the carry-forward trigger asks whether
   one ran; the program clears the table. The screens also keep their
   process history here: a row per open screen (its caption as JOBNAME, the
   computer and the opening time), which OPINF_DELETE removes again. */
CREATE TABLE OPINF (
    JOBNAME VARCHAR(40) NOT NULL,
    OPCODE INTEGER DEFAULT 0,
    RTIME TIMESTAMP,
    PCNAME VARCHAR(64) DEFAULT '',
    OPENTIME TIMESTAMP
);

/* Depreciation methods by code (update 0.1.1 adds method 6). */
CREATE TABLE GENKADIV (
    CODE INTEGER NOT NULL,
    GDNAM VARCHAR(20) DEFAULT '',
    CONSTRAINT PK_GENKADIV PRIMARY KEY (CODE)
);


/* ------------------------------------------------------------------------
 * Masters: facilities, departments, accounts, sub-accounts
 * --------------------------------------------------------------------- */

/* Facilities (head office and branches); ' ' is the company as a whole.
   SIWAKECOUNT counts the facility's live journal entries (kept by the
   journal triggers); BUMEX 1 = the facility keeps departments; MB_JIGYOU
   is the medical business-kind bit; XSTR holds display options such as
   "COLOR=255". */
CREATE TABLE SISETUMST (
    SCODE AC_CODE NOT NULL,
    SNAME VARCHAR(20) DEFAULT '',
    BUMEX INTEGER DEFAULT 0,
    MB_JIGYOU INTEGER DEFAULT 0,
    XSTR VARCHAR(254) DEFAULT '',
    SIWAKECOUNT INTEGER DEFAULT 0,
    CONSTRAINT PK_SISETUMST PRIMARY KEY (SCODE)
);

/* Departments; ' ' stands for no department, '00' for the common one. */
CREATE TABLE BUMONMST (
    BCODE AC_CODE NOT NULL,
    BNAME VARCHAR(14) DEFAULT '',
    CONSTRAINT PK_BUMONMST PRIMARY KEY (BCODE)
);

/* The departments each facility keeps. */
CREATE TABLE SISETUBUM (
    SCODE AC_CODE NOT NULL,
    BCODE AC_CODE NOT NULL,
    CONSTRAINT PK_SISETUBUM PRIMARY KEY (SCODE, BCODE)
);

/* Invented: the names of the facility groups, which the facility choices
   offer beside the facilities. */
CREATE TABLE SISETUGROUP (
    GCODE AC_CODE NOT NULL,
    GNAME VARCHAR(20) DEFAULT '',
    CONSTRAINT PK_SISETUGROUP PRIMARY KEY (GCODE)
);

/* Facility groups (branch groups) that the trial balances can select. */
CREATE TABLE SISETUGROUPLIST (
    GCODE AC_CODE NOT NULL,
    SCODE AC_CODE NOT NULL,
    CONSTRAINT PK_SISETUGROUPLIST PRIMARY KEY (GCODE, SCODE)
);

/* Department groups. */
CREATE TABLE GROUPLIST (
    GCODE AC_CODE NOT NULL,
    BCODE AC_CODE NOT NULL,
    CONSTRAINT PK_GROUPLIST PRIMARY KEY (GCODE, BCODE)
);

/* The chart of accounts. KCODE is the internal code, USERCODE the one the
   user sees; KKANA the search key (update 0.3.3 writes the standard
   ones); GROUPM1/GROUPM2 the classification groups (four-digit texts
   compared as numbers); BPFLG 'B' balance sheet, 'P' profit and loss; DAC
   the normal side (1 and 4 debit, 2 and 3 credit); USE 1 = in use; HOJOSW
   '○' when the account keeps sub-accounts ('×' otherwise); KEIHKUBU the
   variable or fixed cost class of an expense; EXT1_A4/EXT1_A3/EXT1_KS the
   layout lines (EXTERA4, EXTERA3, EXTERKS) the account is summed into. */
CREATE TABLE KAMOKUMST (
    REC INTEGER,
    KCODE AC_CODE NOT NULL,
    USERCODE AC_CODE DEFAULT '',
    KKANA VARCHAR(10) DEFAULT '',
    KNAME VARCHAR(14) DEFAULT '',
    GROUPM1 AC_CODE DEFAULT '',
    GROUPM2 AC_CODE DEFAULT '',
    BPFLG VARCHAR(1) CHARACTER SET ASCII DEFAULT 'B',
    DAC INTEGER DEFAULT 1,
    BLDAC INTEGER DEFAULT 0,
    USE INTEGER DEFAULT 1,
    DELFLG INTEGER DEFAULT 0,
    TAX_LCODE INTEGER DEFAULT 0,
    TAX_RCODE INTEGER DEFAULT 0,
    FUN_LCODE INTEGER DEFAULT 0,
    FUN_RCODE INTEGER DEFAULT 0,
    HOJOSW VARCHAR(2) DEFAULT '×',
    KEIHKUBU VARCHAR(4) DEFAULT '',
    EXT1_A4 INTEGER DEFAULT 0,
    EXT1_A3 INTEGER DEFAULT 0,
    EXT1_KS INTEGER DEFAULT 0,
    CONSTRAINT PK_KAMOKUMST PRIMARY KEY (KCODE)
);
CREATE INDEX KAMOKUMST_USERCODE ON KAMOKUMST (USERCODE);

/* Sub-accounts; every account has its own row with HCODE ' ' (made by the
   account trigger). REC is what fixed-asset journal links name. Besides
   the name and tax codes a sub-account carries the terms of a customer,
   bank account or loan (closing day SIME, payment site SAITO, collection
   day CODATE, credit limit GENDO, bill and transfer details, lender and
   borrower); the deletion trigger copies all of it into HOJOLOG. */
CREATE TABLE HOJOMST (
    REC INTEGER,
    KCODE AC_CODE NOT NULL,
    HCODE AC_CODE NOT NULL,
    HKANA VARCHAR(10) DEFAULT '',
    HNAME VARCHAR(14) DEFAULT '',
    TAX_LCODE INTEGER DEFAULT 0,
    TAX_RCODE INTEGER DEFAULT 0,
    TAX_NUM INTEGER DEFAULT 0,
    BPFLG VARCHAR(1) CHARACTER SET ASCII DEFAULT 'B',
    SIME INTEGER DEFAULT 0,
    SAITO INTEGER DEFAULT 0,
    CODATE INTEGER DEFAULT 0,
    GENDO CURRENCY DEFAULT 0,
    WARIAISW INTEGER DEFAULT 0,
    WARI1 CURRENCY DEFAULT 0,
    WARI2 CURRENCY DEFAULT 0,
    WARI3 CURRENCY DEFAULT 0,
    TEGATA INTEGER DEFAULT 0,
    YOKKMK AC_CODE,
    YOKHOJ AC_CODE,
    ADDRESS VARCHAR(60) DEFAULT '',
    KOUZA VARCHAR(20) DEFAULT '',
    BANK VARCHAR(30) DEFAULT '',
    SITEN VARCHAR(30) DEFAULT '',
    KANKEI VARCHAR(20) DEFAULT '',
    TORIHIK VARCHAR(40) DEFAULT '',
    RIRITU CURRENCY DEFAULT 0,
    RIYUU VARCHAR(40) DEFAULT '',
    TANPO VARCHAR(40) DEFAULT '',
    YOUTO VARCHAR(40) DEFAULT '',
    FURIKOMI VARCHAR(40) DEFAULT '',
    KARINAME VARCHAR(40) DEFAULT '',
    KARIDADD VARCHAR(60) DEFAULT '',
    RTIME TIMESTAMP,
    OPCODE INTEGER DEFAULT 0,
    CONSTRAINT PK_HOJOMST PRIMARY KEY (KCODE, HCODE)
);


/* ------------------------------------------------------------------------
 * Balances
 * --------------------------------------------------------------------- */

/* One row per facility, account, sub-account and department: the opening
   balance, the common department's allocation rate per period (percent)
   and the balance brought in from earlier books. */
CREATE TABLE KAMOKU_SZ (
    SCODE AC_CODE NOT NULL,
    KCODE AC_CODE NOT NULL,
    HCODE AC_CODE NOT NULL,
    BCODE AC_CODE NOT NULL,
    KAISIZAN CURRENCY DEFAULT 0,
    /*@ FOR N IN 1..16 JOIN ",\n" */HAIBUN{NN} CURRENCY DEFAULT 100/*@ END */,
    KAKOZAN CURRENCY DEFAULT 0,
    CONSTRAINT PK_KAMOKU_SZ PRIMARY KEY (SCODE, KCODE, HCODE, BCODE)
);

/* Per period (MNUM 1 to 16) of a KAMOKU_SZ key: debit and credit amounts
   without tax and their tax (kept by the journal triggers), the budget
   (cumulative from period 1) and the forecast. The journal triggers do not
   create rows, so the rows exist for every key. */
CREATE TABLE KAMOKU_MS (
    SCODE AC_CODE NOT NULL,
    KCODE AC_CODE NOT NULL,
    HCODE AC_CODE NOT NULL,
    BCODE AC_CODE NOT NULL,
    MNUM INTEGER NOT NULL,
    KAR_NUK CURRENCY DEFAULT 0,
    KAR_TAX CURRENCY DEFAULT 0,
    KAS_NUK CURRENCY DEFAULT 0,
    KAS_TAX CURRENCY DEFAULT 0,
    BYOSAN CURRENCY DEFAULT 0,
    BYOSOKU CURRENCY DEFAULT 0,
    CONSTRAINT PK_KAMOKU_MS PRIMARY KEY (SCODE, KCODE, HCODE, BCODE, MNUM)
);

/* Balances of earlier periods of a KAMOKU_SZ key (MNUM -32 to 15): without
   tax, its tax, with tax, and the common department's allocation rate. */
CREATE TABLE KAMOKU_PZ (
    SCODE AC_CODE NOT NULL,
    KCODE AC_CODE NOT NULL,
    HCODE AC_CODE NOT NULL,
    BCODE AC_CODE NOT NULL,
    MNUM INTEGER NOT NULL,
    NUKIZAN CURRENCY DEFAULT 0,
    ZEIGAKU CURRENCY DEFAULT 0,
    KOMIZAN CURRENCY DEFAULT 0,
    HAIBUN CURRENCY DEFAULT 100,
    CONSTRAINT PK_KAMOKU_PZ PRIMARY KEY (SCODE, KCODE, HCODE, BCODE, MNUM)
);

/* Consumption-tax totals per facility, department, tax class (KKUBUN 1
   tax received, 2 tax paid) and period; the department is ' ' unless
   ACCDEF1.BUMON is 2. */
CREATE TABLE KAMOKU_TAX (
    SCODE AC_CODE NOT NULL,
    BCODE AC_CODE NOT NULL,
    KKUBUN INTEGER NOT NULL,
    MNUM INTEGER NOT NULL,
    KAR CURRENCY DEFAULT 0,
    KAS CURRENCY DEFAULT 0,
    CONSTRAINT PK_KAMOKU_TAX PRIMARY KEY (SCODE, BCODE, KKUBUN, MNUM)
);

/* Forecast settings per facility and department. */
CREATE TABLE YOSOKUINF (
    SCODE AC_CODE NOT NULL,
    BCODE AC_CODE NOT NULL,
    CONSTRAINT PK_YOSOKUINF PRIMARY KEY (SCODE, BCODE)
);


/* ------------------------------------------------------------------------
 * Journal
 * --------------------------------------------------------------------- */

/* One row per side of a journal entry: entry n (SWKREC, from
   SIWAKE_REC_GEN) has the debit row REC 2n - 1 (TAISHAKU 1) and the credit
   row REC 2n (TAISHAKU 2); each row carries its own side and, prefixed
   R_, the other one. SWKNO is shared by all versions of one entry; DELFLG
   0 live, 1 deleted, 2 replaced by a newer version. The insert and update
   triggers keep KAMOKU_MS, KAMOKU_TAX and SISETUMST.SIWAKECOUNT. */
CREATE TABLE SIWAKE (
    REC INTEGER NOT NULL,
    SWKREC INTEGER NOT NULL,
    SWKNO INTEGER DEFAULT 0,
    DELFLG INTEGER DEFAULT 0,
    TAISHAKU INTEGER NOT NULL,
    HIZUKE DATE,
    MNUM INTEGER DEFAULT 0,
    KESSAN INTEGER DEFAULT 0,
    SDAYNUM INTEGER DEFAULT 0,
    MDAYNUM INTEGER DEFAULT 0,
    DNUM INTEGER DEFAULT 0,
    SNUM INTEGER DEFAULT 0,
    SCODE AC_CODE DEFAULT ' ',
    SITREC INTEGER DEFAULT 0,
    KGROUP AC_CODE DEFAULT '',
    KCODE AC_CODE DEFAULT '',
    HCODE AC_CODE DEFAULT ' ',
    BCODE AC_CODE DEFAULT ' ',
    KNAME VARCHAR(14) DEFAULT '',
    HNAME VARCHAR(14) DEFAULT '',
    BNAME VARCHAR(14) DEFAULT '',
    TAXCODE INTEGER DEFAULT 0,
    TAXUH INTEGER DEFAULT 0,
    TAXDC INTEGER DEFAULT 0,
    NUK CURRENCY DEFAULT 0,
    ZEI CURRENCY DEFAULT 0,
    RIT CURRENCY DEFAULT 0,
    SIKIN INTEGER DEFAULT 0,
    R_KGROUP AC_CODE DEFAULT '',
    R_KCODE AC_CODE DEFAULT '',
    R_HCODE AC_CODE DEFAULT ' ',
    R_BCODE AC_CODE DEFAULT ' ',
    R_KNAME VARCHAR(14) DEFAULT '',
    R_HNAME VARCHAR(14) DEFAULT '',
    R_BNAME VARCHAR(14) DEFAULT '',
    R_TAXCODE INTEGER DEFAULT 0,
    R_TAXUH INTEGER DEFAULT 0,
    R_TAXDC INTEGER DEFAULT 0,
    R_NUK CURRENCY DEFAULT 0,
    R_ZEI CURRENCY DEFAULT 0,
    R_RIT CURRENCY DEFAULT 0,
    R_SIKIN INTEGER DEFAULT 0,
    KINGAKU CURRENCY DEFAULT 0,
    ZEIGAKU CURRENCY DEFAULT 0,
    ZEIRITUNO INTEGER DEFAULT 0,
    AUTCALCU INTEGER DEFAULT 0,
    TAXCALCU INTEGER DEFAULT 0,
    OLDRATE INTEGER DEFAULT 0,
    TEKCODE INTEGER DEFAULT 0,
    TEKTEXT VARCHAR(50) DEFAULT '',
    TORCODE INTEGER DEFAULT 0,
    TORTEXT VARCHAR(20) DEFAULT '',
    FUSEN1 INTEGER DEFAULT 0,
    FUSEN2 INTEGER DEFAULT 0,
    FUSEN3 INTEGER DEFAULT 0,
    FUSEN4 INTEGER DEFAULT 0,
    FUSEN5 INTEGER DEFAULT 0,
    CTIME TIMESTAMP,
    COMMENT VARCHAR(50) DEFAULT '',
    AO_COMMENT VARCHAR(50) DEFAULT '',
    LINKKEY VARCHAR(20),
    LINKKUB INTEGER DEFAULT 0,
    LINKREC INTEGER DEFAULT 0,
    LOCALFLG INTEGER DEFAULT 0,
    RESERVE1 INTEGER,
    RESERVE2 INTEGER,
    OPCODE INTEGER DEFAULT 0,
    RTIME TIMESTAMP,
    CONSTRAINT PK_SIWAKE PRIMARY KEY (REC)
);
CREATE INDEX SIWAKE_SWKREC ON SIWAKE (SWKREC);
CREATE INDEX SIWAKE_SWKNO ON SIWAKE (SWKNO);
CREATE INDEX SIWAKE_KCODE_HIZUKE ON SIWAKE (KCODE, HIZUKE);

/* Saved journal searches that audit items refer to. */
CREATE TABLE SWK_SEARCH (
    REC INTEGER NOT NULL,
    TITLE VARCHAR(40) DEFAULT '',
    CONSTRAINT PK_SWK_SEARCH PRIMARY KEY (REC)
);

/* The audit report's heading (REC 1). */
CREATE TABLE KANSA (
    REC INTEGER NOT NULL,
    TITLE VARCHAR(40) DEFAULT '',
    NOTE VARCHAR(254) DEFAULT '',
    JIMUSHO VARCHAR(60) DEFAULT '',
    TANTOU VARCHAR(40) DEFAULT '',
    CONSTRAINT PK_KANSA PRIMARY KEY (REC)
);

/* Audit items in the delivered form; update 0.1.3 drops its eight
   constraints and the table and creates the current form. */
CREATE TABLE KANSA_ITEM (
    REC INTEGER NOT NULL,
    JUNJO INTEGER DEFAULT 0,
    TEXT VARCHAR(15),
    NOTE VARCHAR(64),
    PRINT INTEGER DEFAULT 1,
    CHECKMARK INTEGER DEFAULT 0,
    SWK_KENSAKU INTEGER,
    MOT_KENSAKU INTEGER,
    MOT_KCODE VARCHAR(6) CHARACTER SET ASCII,
    MOT_HCODE VARCHAR(6) CHARACTER SET ASCII,
    MOT_BCODE VARCHAR(6) CHARACTER SET ASCII,
    TOZ_KCODE VARCHAR(6) CHARACTER SET ASCII,
    TOZ_HCODE VARCHAR(6) CHARACTER SET ASCII,
    TOZ_BCODE VARCHAR(6) CHARACTER SET ASCII,
    CONSTRAINT PK_KANSA_ITEM PRIMARY KEY (REC)
);
ALTER TABLE KANSA_ITEM ADD CONSTRAINT KANSA_ITEM_SIWAKE FOREIGN KEY (SWK_KENSAKU)
    REFERENCES SWK_SEARCH (REC) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KANSA_ITEM ADD CONSTRAINT KANSA_ITEM_MOTO FOREIGN KEY (MOT_KENSAKU)
    REFERENCES SWK_SEARCH (REC) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KANSA_ITEM ADD CONSTRAINT KANSA_ITEM_MOTBCODE FOREIGN KEY (MOT_BCODE)
    REFERENCES BUMONMST (BCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KANSA_ITEM ADD CONSTRAINT KANSA_ITEM_MOTHCODE FOREIGN KEY (MOT_KCODE, MOT_HCODE)
    REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KANSA_ITEM ADD CONSTRAINT KANSA_ITEM_MOTKCODE FOREIGN KEY (MOT_KCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KANSA_ITEM ADD CONSTRAINT KANSA_ITEM_TOZBCODE FOREIGN KEY (TOZ_BCODE)
    REFERENCES BUMONMST (BCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KANSA_ITEM ADD CONSTRAINT KANSA_ITEM_TOZHCODE FOREIGN KEY (TOZ_KCODE, TOZ_HCODE)
    REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KANSA_ITEM ADD CONSTRAINT KANSA_ITEM_TOZKCODE FOREIGN KEY (TOZ_KCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE ON DELETE SET NULL;


/* ------------------------------------------------------------------------
 * Dictionaries
 * --------------------------------------------------------------------- */

/* Headings (50 per facility) of the business-partner dictionary. */
CREATE TABLE TORDICTI (
    CREC INTEGER NOT NULL,
    SCODE AC_CODE NOT NULL,
    SORTCODE INTEGER DEFAULT 0,
    TEXT VARCHAR(20) DEFAULT '',
    MOVEMENT INTEGER DEFAULT 0,
    CONSTRAINT PK_TORDICTI PRIMARY KEY (SCODE, CREC)
);

/* Headings (50 per facility) of the journal-pattern dictionary, with the
   fields the pattern fills in. */
CREATE TABLE SWKDICTI (
    REC INTEGER NOT NULL,
    SCODE AC_CODE NOT NULL,
    SORTCODE INTEGER DEFAULT 0,
    TEXT VARCHAR(20) DEFAULT '',
    E_HIZUKE INTEGER DEFAULT 1,
    E_SIWAKE INTEGER DEFAULT 0,
    E_KINGAKU INTEGER DEFAULT 1,
    E_TEKIYOU INTEGER DEFAULT 0,
    E_TORIHIKI INTEGER DEFAULT 0,
    E_CARET INTEGER DEFAULT 0,
    CONSTRAINT PK_SWKDICTI PRIMARY KEY (SCODE, REC)
);

/* Headings of the summary dictionary; CREC from TEKDICTI_GEN. */
CREATE TABLE TEKDICTI (
    CREC INTEGER NOT NULL,
    SCODE AC_CODE NOT NULL,
    SORTCODE INTEGER DEFAULT 0,
    TEXT VARCHAR(20) DEFAULT '',
    MOVEMENT INTEGER DEFAULT 0,
    CONSTRAINT PK_TEKDICTI PRIMARY KEY (CREC)
);

/* Summary dictionary entries. Writers insert TEKCODE 0; the insert
   trigger numbers it. ROW is a reserved word of the engine, so the
   column is a quoted identifier here and in every statement naming it. */
CREATE TABLE TEKDIC (
    TEKCODE INTEGER NOT NULL,
    CREC INTEGER DEFAULT 0,
    KANA VARCHAR(10) DEFAULT '',
    FNUM INTEGER DEFAULT 0,
    TEXT VARCHAR(50) DEFAULT '',
    SCODE AC_CODE DEFAULT ' ',
    "ROW" INTEGER DEFAULT 0,
    COL INTEGER DEFAULT 0,
    KAR_KCODE AC_CODE,
    KAR_HCODE AC_CODE,
    KAR_BCODE AC_CODE,
    KAR_TAXCODE INTEGER,
    KAS_KCODE AC_CODE,
    KAS_HCODE AC_CODE,
    KAS_BCODE AC_CODE,
    KAS_TAXCODE INTEGER,
    WAITFLG INTEGER DEFAULT 0,
    TAXOLD INTEGER DEFAULT 0,
    TAXNUM INTEGER DEFAULT 0,
    MOVEMENT INTEGER DEFAULT 0,
    HAIBUN INTEGER DEFAULT 0,
    RTIME TIMESTAMP,
    CONSTRAINT PK_TEKDIC PRIMARY KEY (TEKCODE)
);
ALTER TABLE TEKDIC ADD CONSTRAINT TEKDIC_KAR_KCODE FOREIGN KEY (KAR_KCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE TEKDIC ADD CONSTRAINT TEKDIC_KAS_KCODE FOREIGN KEY (KAS_KCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE TEKDIC ADD CONSTRAINT TEKDIC_KAS_BCODE FOREIGN KEY (KAS_BCODE)
    REFERENCES BUMONMST (BCODE) ON UPDATE CASCADE ON DELETE SET NULL;

/* Business-partner dictionary entries. TEKCODE names the summary entry a
   partner brings along (the balance repair clears it), so it is no key. */
CREATE TABLE TORDIC (
    TEKCODE INTEGER,
    CREC INTEGER DEFAULT 0,
    KANA VARCHAR(10) DEFAULT '',
    MCODE VARCHAR(20) DEFAULT '',
    TEXT VARCHAR(20) DEFAULT '',
    TEKTEXT VARCHAR(50) DEFAULT '',
    SCODE AC_CODE DEFAULT ' ',
    "ROW" INTEGER DEFAULT 0,
    COL INTEGER DEFAULT 0,
    KAR_KCODE AC_CODE,
    KAR_HCODE AC_CODE,
    KAR_BCODE AC_CODE,
    KAR_TAXCODE INTEGER,
    KAS_KCODE AC_CODE,
    KAS_HCODE AC_CODE,
    KAS_BCODE AC_CODE,
    KAS_TAXCODE INTEGER,
    WAITFLG INTEGER DEFAULT 0,
    TAXOLD INTEGER DEFAULT 0,
    TAXNUM INTEGER DEFAULT 0,
    MOVEMENT INTEGER DEFAULT 0,
    RTIME TIMESTAMP
);
ALTER TABLE TORDIC ADD CONSTRAINT TORDIC_KAR_KCODE FOREIGN KEY (KAR_KCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE TORDIC ADD CONSTRAINT TORDIC_KAS_KCODE FOREIGN KEY (KAS_KCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE TORDIC ADD CONSTRAINT TORDIC_KAS_BCODE FOREIGN KEY (KAS_BCODE)
    REFERENCES BUMONMST (BCODE) ON UPDATE CASCADE ON DELETE SET NULL;

/* Numbers the entries of the journal-pattern dictionary. */
CREATE GENERATOR SWKDIC_GEN;

/* Journal-pattern dictionary entries under the headings of SWKDICTI (CREC
   = the heading's REC in the facility SCODE): the debit side L_ and the
   credit side R_ of the pattern. Update 0.1.5 drops the two account
   foreign keys; deleting a sub-account takes the patterns that use it
   with it until then. */
CREATE TABLE SWKDIC (
    REC INTEGER NOT NULL,
    CREC INTEGER DEFAULT 0,
    SCODE AC_CODE DEFAULT ' ',
    SORTCODE INTEGER DEFAULT 0,
    TEXT VARCHAR(50) DEFAULT '',
    L_KCODE AC_CODE,
    L_HCODE AC_CODE,
    L_BCODE AC_CODE,
    L_TAXCODE INTEGER,
    R_KCODE AC_CODE,
    R_HCODE AC_CODE,
    R_BCODE AC_CODE,
    R_TAXCODE INTEGER,
    KINGAKU CURRENCY DEFAULT 0,
    ZEIGAKU CURRENCY DEFAULT 0,
    TEKTEXT VARCHAR(50) DEFAULT '',
    TORTEXT VARCHAR(20) DEFAULT '',
    RTIME TIMESTAMP,
    CONSTRAINT PK_SWKDIC PRIMARY KEY (REC)
);
ALTER TABLE SWKDIC ADD CONSTRAINT SWKDIC_KAR_KCODE FOREIGN KEY (L_KCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE SWKDIC ADD CONSTRAINT SWKDIC_KAS_KCODE FOREIGN KEY (R_KCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE ON DELETE SET NULL;

/* The summary dictionary template copied into each new facility:
   headings (ORGDIC_1) and their entries (ORGDIC_2, CREC = the heading). */
CREATE TABLE ORGDIC_1 (
    REC INTEGER NOT NULL,
    CREC INTEGER NOT NULL,
    SORTCODE INTEGER DEFAULT 0,
    TEXT VARCHAR(20) DEFAULT '',
    CONSTRAINT PK_ORGDIC_1 PRIMARY KEY (REC)
);
CREATE TABLE ORGDIC_2 (
    REC INTEGER NOT NULL,
    CREC INTEGER NOT NULL,
    KANA VARCHAR(10) DEFAULT '',
    TEXT VARCHAR(50) DEFAULT '',
    "ROW" INTEGER DEFAULT 0,
    COL INTEGER DEFAULT 0,
    KAR_KCODE AC_CODE,
    KAR_HCODE AC_CODE,
    KAR_TAXCODE INTEGER,
    KAS_KCODE AC_CODE,
    KAS_HCODE AC_CODE,
    KAS_TAXCODE INTEGER,
    CONSTRAINT PK_ORGDIC_2 PRIMARY KEY (REC)
);


/* ------------------------------------------------------------------------
 * Statement layouts, settlement settings, cash-flow statement, operator
 * facility rights, sub-account history
 * --------------------------------------------------------------------- */

/* The lines of the A4 trial balance layout: KGROUP and SUBREC order them,
   KNAME1 is the line's own name (empty: the name of its account). An
   account is summed into the line whose REC its EXT1_A4 names. Update
   0.3.4 regroups the quick-asset lines REC 7 to 12. */
CREATE TABLE EXTERA4 (
    REC INTEGER NOT NULL,
    KUBUN INTEGER DEFAULT 0,
    KGROUP AC_CODE DEFAULT '',
    SUBREC INTEGER DEFAULT 0,
    KNAME1 VARCHAR(20) DEFAULT '',
    CONSTRAINT PK_EXTERA4 PRIMARY KEY (REC)
);

/* The lines of the A3 trial balance layout (KAMOKUMST.EXT1_A3). */
CREATE TABLE EXTERA3 (
    REC INTEGER NOT NULL,
    KUBUN INTEGER DEFAULT 0,
    KGROUP AC_CODE DEFAULT '',
    SUBREC INTEGER DEFAULT 0,
    KNAME1 VARCHAR(20) DEFAULT '',
    CONSTRAINT PK_EXTERA3 PRIMARY KEY (REC)
);

/* The lines of the settlement trial balance and statements
   (KAMOKUMST.EXT1_KS); update 0.1.5 adds the blue-return opening and
   closing amounts. */
CREATE TABLE EXTERKS (
    REC INTEGER NOT NULL,
    KUBUN INTEGER DEFAULT 0,
    KGROUP AC_CODE DEFAULT '',
    SUBREC INTEGER DEFAULT 0,
    KNAME1 VARCHAR(20) DEFAULT '',
    CONSTRAINT PK_EXTERKS PRIMARY KEY (REC)
);

/* Settings of the settlement statements, one row REC 1; update 0.1.5 adds
   the print switch of the notes table's title and period when missing. */
CREATE TABLE KESSAN (
    REC INTEGER NOT NULL,
    TITLE VARCHAR(40) DEFAULT '',
    KESSAN_DATE DATE,
    CONSTRAINT PK_KESSAN PRIMARY KEY (REC)
);

/* The total lines of the trial balance and the statements by account
   group, with the business-kind bits MB_JIGYOU of the medical chart
   (1, 2, 4, 8; 16 all kinds). Update 1.0.5 drops the table and creates
   its own form, so nothing else here may use it. */
CREATE TABLE ACCTOTALNAME (
    REC INTEGER NOT NULL,
    MB_JIGYOU INTEGER DEFAULT 0,
    VERSION INTEGER DEFAULT 1,
    KGROUP AC_CODE NOT NULL,
    KESKUBUN INTEGER DEFAULT 0,
    ARRAYNUM INTEGER DEFAULT 0,
    KOUMOKU VARCHAR(14),
    PLUSNAME AC_NAME,
    MINUSNAME AC_NAME,
    MODIFY INTEGER DEFAULT 0,
    LAYOUT_TEXT AC_NAME,
    LAYOUT_MAX INTEGER,
    LAYOUT_USE INTEGER DEFAULT 1,
    KESSAN_TEXT AC_NAME,
    KESSAN_USE INTEGER DEFAULT 1,
    CONSTRAINT PK_ACCTOTALNAME PRIMARY KEY (REC)
);

/* Restart points of the cash-flow statement's numbering: update 0.1.4
   sets both to 0 before writing the standard layout with explicit
   numbers. */
CREATE GENERATOR CASHFMST_GEN;
CREATE GENERATOR CASHFMKU_GEN;

/* The lines of the cash-flow statement: CM_KIND 1 indirect, 0 direct
   method; CM_GROUP the block, CM_ORDER the order in it; CM_DEL and CM_MKU
   the line's delete and mapping locks; CM_MARGIN its indentation. */
CREATE TABLE CASHFMST (
    CM_REC INTEGER NOT NULL,
    CM_KIND INTEGER DEFAULT 0,
    CM_GROUP INTEGER DEFAULT 0,
    CM_ORDER INTEGER DEFAULT 0,
    CM_DEL INTEGER DEFAULT 0,
    CM_MKU INTEGER DEFAULT 0,
    CM_MARGIN INTEGER DEFAULT 0,
    CM_NAME1 VARCHAR(40) DEFAULT '',
    CM_HOSEI INTEGER DEFAULT 0,
    CONSTRAINT PK_CASHFMST PRIMARY KEY (CM_REC)
);

/* The accounts of each cash-flow line: CF_CAL the sign ('+' or '-'),
   CF_CTYPE which figure of the account (0 opening, 1 closing balance, 2
   change of the period, 3 outflow, 4 inflow). CF_REC numbers the rows but
   is no key: the standard layout writes one number on several rows. */
CREATE TABLE CASHFMKU (
    CF_REC INTEGER NOT NULL,
    CM_REC INTEGER NOT NULL,
    CF_CAL VARCHAR(1) CHARACTER SET ASCII DEFAULT '+',
    CF_KCODE AC_CODE,
    CF_CTYPE INTEGER DEFAULT 2
);
CREATE INDEX CASHFMKU_CM_REC ON CASHFMKU (CM_REC);

/* Each facility's own view of the cash-flow lines (hidden lines, own
   names). Update 0.1.4 drops its triggers, its two foreign keys and the
   table, in that order. */
CREATE TABLE CASHFMST_SISETU (
    SCODE AC_CODE NOT NULL,
    CM_REC INTEGER NOT NULL,
    CM_DEL INTEGER,
    CM_NAME1 VARCHAR(40),
    CONSTRAINT PK_CASHFMST_SISETU PRIMARY KEY (SCODE, CM_REC)
);
ALTER TABLE CASHFMST_SISETU ADD CONSTRAINT CASHFMST_SISETU_SCODE FOREIGN KEY (SCODE)
    REFERENCES SISETUMST (SCODE) ON UPDATE CASCADE ON DELETE CASCADE;
ALTER TABLE CASHFMST_SISETU ADD CONSTRAINT CASHFMST_SISET_REC FOREIGN KEY (CM_REC)
    REFERENCES CASHFMST (CM_REC) ON UPDATE CASCADE ON DELETE CASCADE;

/* The facility an operator works in by default (one row per operator). */
CREATE TABLE OPDEFSISETU (
    OPCODE INTEGER NOT NULL,
    SCODE AC_CODE NOT NULL,
    CONSTRAINT PK_OPDEFSISETU PRIMARY KEY (OPCODE)
);

/* The facilities an operator may work in (one row per operator and
   facility); an operator without rows here is not restricted. */
CREATE TABLE OPLICENSE (
    OPCODE INTEGER NOT NULL,
    SCODE AC_CODE NOT NULL,
    CONSTRAINT PK_OPLICENSE PRIMARY KEY (OPCODE, SCODE)
);

/* Numbers the rows of the sub-account history. */
CREATE GENERATOR HOJOLOG_REC_GEN;

/* Deleted sub-accounts: the history number LOGREC, then the deleted
   HOJOMST row's columns in the order the deletion trigger writes them
   (36 values, written without a column list). */
CREATE TABLE HOJOLOG (
    LOGREC INTEGER NOT NULL,
    REC INTEGER,
    KCODE AC_CODE,
    HCODE AC_CODE,
    HKANA VARCHAR(10),
    HNAME VARCHAR(14),
    TAX_LCODE INTEGER,
    TAX_RCODE INTEGER,
    TAX_NUM INTEGER,
    BPFLG VARCHAR(1) CHARACTER SET ASCII,
    SIME INTEGER,
    SAITO INTEGER,
    CODATE INTEGER,
    GENDO CURRENCY,
    WARIAISW INTEGER,
    WARI1 CURRENCY,
    WARI2 CURRENCY,
    WARI3 CURRENCY,
    TEGATA INTEGER,
    YOKKMK AC_CODE,
    YOKHOJ AC_CODE,
    ADDRESS VARCHAR(60),
    KOUZA VARCHAR(20),
    BANK VARCHAR(30),
    SITEN VARCHAR(30),
    KANKEI VARCHAR(20),
    TORIHIK VARCHAR(40),
    RIRITU CURRENCY,
    RIYUU VARCHAR(40),
    TANPO VARCHAR(40),
    YOUTO VARCHAR(40),
    FURIKOMI VARCHAR(40),
    KARINAME VARCHAR(40),
    KARIDADD VARCHAR(60),
    RTIME TIMESTAMP,
    OPCODE INTEGER,
    CONSTRAINT PK_HOJOLOG PRIMARY KEY (LOGREC)
);


/* ------------------------------------------------------------------------
 * The fixed-asset store in its delivered form. Update 0.1.1 drops all of
 * it (procedures, triggers, constraints, tables, in its own order) and
 * builds the current form; nothing outside this section may depend on it.
 * --------------------------------------------------------------------- */

/* Per facility, the journal-transfer settings of the fixed-asset register
   (a new facility gets -1 in each, meaning "not chosen yet"). */
CREATE TABLE KS_TRANSSWK (
    SCODE AC_CODE NOT NULL,
    TRANS1 INTEGER DEFAULT -1,
    TRANS2 INTEGER DEFAULT -1,
    TRANS3 INTEGER DEFAULT -1,
    TRANS4 INTEGER DEFAULT -1,
    TRANS5 INTEGER DEFAULT -1,
    DUMMY VARCHAR(128) CHARACTER SET ASCII DEFAULT '',
    CONSTRAINT PK_KS_TRANSSWK PRIMARY KEY (SCODE)
);

/* Initial journal settings per data type, asset group and account (KCODE
   null = the group's default row). */
CREATE TABLE KS_SETSWK_INIT (
    REC INTEGER NOT NULL,
    ACCGROUP INTEGER DEFAULT 0,
    KGROUP INTEGER DEFAULT 0,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    NOTLIST INTEGER DEFAULT 0,
    TEKIYO VARCHAR(50) DEFAULT '',
    GSTAISYOU INTEGER DEFAULT 0,
    GSKEIJYO INTEGER DEFAULT 0,
    GSKAHI INTEGER DEFAULT 0,
    GSHOUHOU INTEGER DEFAULT 0,
    GSSISANZEI INTEGER DEFAULT 0,
    SETSWK INTEGER DEFAULT 0,
    RUIKEIKCODE VARCHAR(6) CHARACTER SET ASCII,
    SYOKYAKUKCODE VARCHAR(6) CHARACTER SET ASCII,
    SYOKYAKUTEKIYO VARCHAR(50) DEFAULT '',
    BAISONKCODE VARCHAR(6) CHARACTER SET ASCII,
    BAISONTEKIYO VARCHAR(50) DEFAULT '',
    JYOSONKCODE VARCHAR(6) CHARACTER SET ASCII,
    JYOSONTEKIYO VARCHAR(50) DEFAULT '',
    BAIEKIKCODE VARCHAR(6) CHARACTER SET ASCII,
    BAIEKITEKIYO VARCHAR(50) DEFAULT '',
    CONSTRAINT PK_KS_SETSWK_INIT PRIMARY KEY (REC)
);
ALTER TABLE KS_SETSWK_INIT ADD CONSTRAINT KSSETSWKINIT_BAIEKIKCODE FOREIGN KEY (BAIEKIKCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE;
ALTER TABLE KS_SETSWK_INIT ADD CONSTRAINT KSSETSWKINIT_BAISONKCODE FOREIGN KEY (BAISONKCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE;
ALTER TABLE KS_SETSWK_INIT ADD CONSTRAINT KSSETSWKINIT_JYOSONKCODE FOREIGN KEY (JYOSONKCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE;
ALTER TABLE KS_SETSWK_INIT ADD CONSTRAINT KSSETSWKINIT_KCODE FOREIGN KEY (KCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE;
ALTER TABLE KS_SETSWK_INIT ADD CONSTRAINT KSSETSWKINIT_RUIKEIKCODE FOREIGN KEY (RUIKEIKCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE;
ALTER TABLE KS_SETSWK_INIT ADD CONSTRAINT KSSETSWKINIT_SYOKYAKUKCODE FOREIGN KEY (SYOKYAKUKCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE;

/* Journal settings per facility and asset account. */
CREATE TABLE KS_SETSWK (
    REC INTEGER NOT NULL,
    SCODE AC_CODE,
    KCODE AC_CODE,
    NOTLIST INTEGER DEFAULT 0,
    TEKIYO VARCHAR(50) DEFAULT '',
    GSTAISYOU INTEGER DEFAULT 0,
    GSKEIJYO INTEGER DEFAULT 0,
    GSKAHI INTEGER DEFAULT 0,
    GSHOUHOU INTEGER DEFAULT 0,
    GSSISANZEI INTEGER DEFAULT 0,
    SETSWK INTEGER DEFAULT 0,
    RUIKEIKCODE VARCHAR(6) CHARACTER SET ASCII,
    RUIKEIHCODE VARCHAR(6) CHARACTER SET ASCII,
    SYOKYAKUKCODE VARCHAR(6) CHARACTER SET ASCII,
    SYOKYAKUHCODE VARCHAR(6) CHARACTER SET ASCII,
    SYOKYAKUTEKIYO VARCHAR(50) DEFAULT '',
    BAISONKCODE VARCHAR(6) CHARACTER SET ASCII,
    BAISONHCODE VARCHAR(6) CHARACTER SET ASCII,
    BAISONTEKIYO VARCHAR(50) DEFAULT '',
    JYOSONKCODE VARCHAR(6) CHARACTER SET ASCII,
    JYOSONHCODE VARCHAR(6) CHARACTER SET ASCII,
    JYOSONTEKIYO VARCHAR(50) DEFAULT '',
    BAIEKIKCODE VARCHAR(6) CHARACTER SET ASCII,
    BAIEKIHCODE VARCHAR(6) CHARACTER SET ASCII,
    BAIEKITEKIYO VARCHAR(50) DEFAULT '',
    CONSTRAINT PK_KS_SETSWK PRIMARY KEY (REC)
);
ALTER TABLE KS_SETSWK ADD CONSTRAINT KSSETSWK_BAIEKIKHCODE FOREIGN KEY (BAIEKIKCODE, BAIEKIHCODE)
    REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KS_SETSWK ADD CONSTRAINT KSSETSWK_BAISONKHCODE FOREIGN KEY (BAISONKCODE, BAISONHCODE)
    REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KS_SETSWK ADD CONSTRAINT KSSETSWK_JYOSONKHCODE FOREIGN KEY (JYOSONKCODE, JYOSONHCODE)
    REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KS_SETSWK ADD CONSTRAINT KSSETSWK_KCODE FOREIGN KEY (KCODE)
    REFERENCES KAMOKUMST (KCODE) ON UPDATE CASCADE ON DELETE CASCADE;
ALTER TABLE KS_SETSWK ADD CONSTRAINT KSSETSWK_RUIKEIKHCODE FOREIGN KEY (RUIKEIKCODE, RUIKEIHCODE)
    REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KS_SETSWK ADD CONSTRAINT KSSETSWK_SCODE FOREIGN KEY (SCODE)
    REFERENCES SISETUMST (SCODE) ON UPDATE CASCADE ON DELETE CASCADE;
ALTER TABLE KS_SETSWK ADD CONSTRAINT KSSETSWK_SYOKYAKUKHCODE FOREIGN KEY (SYOKYAKUKCODE, SYOKYAKUHCODE)
    REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;

/* The asset register. */
CREATE TABLE KS_SISAN (
    REC INTEGER NOT NULL,
    SCODE AC_CODE,
    KANRI VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
    KCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',
    HCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT ' ',
    BCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT '',
    MEISYOU VARCHAR(20) DEFAULT '',
    SYUTODATE DATE,
    SYUTOKIN CURRENCY,
    SIHAKCODE VARCHAR(6) CHARACTER SET ASCII,
    SIHAHCODE VARCHAR(6) CHARACTER SET ASCII,
    SYUNYUKCODE VARCHAR(6) CHARACTER SET ASCII,
    SYUNYUHCODE VARCHAR(6) CHARACTER SET ASCII,
    TEKIYO VARCHAR(50) DEFAULT '',
    TRANSKBN INTEGER,
    CONSTRAINT PK_KS_SISAN PRIMARY KEY (REC)
);
ALTER TABLE KS_SISAN ADD CONSTRAINT KSSISAN_KHCODE FOREIGN KEY (KCODE, HCODE)
    REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE;
ALTER TABLE KS_SISAN ADD CONSTRAINT KSSISAN_SCODE FOREIGN KEY (SCODE)
    REFERENCES SISETUMST (SCODE) ON UPDATE CASCADE;
ALTER TABLE KS_SISAN ADD CONSTRAINT KSSISAN_SIHAKHCODE FOREIGN KEY (SIHAKCODE, SIHAHCODE)
    REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;
ALTER TABLE KS_SISAN ADD CONSTRAINT KSSISAN_SYUNYUKHCODE FOREIGN KEY (SYUNYUKCODE, SYUNYUHCODE)
    REFERENCES HOJOMST (KCODE, HCODE) ON UPDATE CASCADE ON DELETE SET NULL;

/* Allocation of an asset to the departments of its facility (percent). */
CREATE TABLE KS_BUMONHB (
    KS_REC INTEGER NOT NULL,
    SCODE VARCHAR(6) CHARACTER SET ASCII NOT NULL,
    BCODE VARCHAR(6) CHARACTER SET ASCII NOT NULL,
    HAIBUN CURRENCY,
    CONSTRAINT PK_KS_BUMONHB PRIMARY KEY (KS_REC, SCODE, BCODE)
);
ALTER TABLE KS_BUMONHB ADD CONSTRAINT KSBUMONHB_REC FOREIGN KEY (KS_REC)
    REFERENCES KS_SISAN (REC) ON DELETE CASCADE;
ALTER TABLE KS_BUMONHB ADD CONSTRAINT KSBUMONHB_SBCODE FOREIGN KEY (SCODE, BCODE)
    REFERENCES SISETUBUM (SCODE, BCODE) ON UPDATE CASCADE ON DELETE CASCADE;

/* The asset book: one row per asset, date and kind of movement. */
CREATE TABLE KS_DAICHO (
    REC INTEGER NOT NULL,
    HIZUKE DATE NOT NULL,
    DTYPE INTEGER NOT NULL,
    TEKIYO VARCHAR(50) DEFAULT '',
    SYUTOKIN CURRENCY,
    KISHU CURRENCY,
    SYOKYAKU CURRENCY,
    BOKAGAKU CURRENCY,
    CONSTRAINT PK_KS_DAICHO PRIMARY KEY (REC, HIZUKE, DTYPE)
);
ALTER TABLE KS_DAICHO ADD CONSTRAINT KSDAICHO_REC FOREIGN KEY (REC)
    REFERENCES KS_SISAN (REC) ON UPDATE CASCADE ON DELETE CASCADE;

SET TERM ^ ;

/* Invented: the screens call it with the operator, the screen's caption and
   how the screen ended ("エラー終了" when it opens, so that a row left by a
   run that never closed is cleared; "正常終了" when it closes). It removes
   the operator's rows of that job; the state takes no part. */
CREATE PROCEDURE OPINF_DELETE (
    OPCODE INTEGER,
    JOBNAME VARCHAR(40),
    STATE VARCHAR(20))
AS
BEGIN
    DELETE FROM OPINF WHERE OPCODE = :OPCODE AND JOBNAME = :JOBNAME;
END ^

/* Numbers the initial settings rows from their generator. */
CREATE TRIGGER KSSETSWKINIT_BEFORE_INSERT FOR KS_SETSWK_INIT
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    NEW.REC = GEN_ID(KSSETSWKINIT_GEN, 1);
END ^

/* Numbers the per-facility settings rows from their generator. */
CREATE TRIGGER KSSETSWK_BEFORE_INSERT FOR KS_SETSWK
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    NEW.REC = GEN_ID(KSSETSWK_GEN, 1);
END ^

/* One settings row for a facility and an asset account, from the initial
   row of the account (or of its asset group) for the company's data type.
   Account groups 1400-1599 are asset group 0, 1600-1699 group 1,
   1700-1799 group 2 and 1800 group 3; other accounts get no row. */
CREATE PROCEDURE SP_KS_INSSETSWK (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGROUPM1 INTEGER,
    PKCODE VARCHAR(6) CHARACTER SET ASCII)
AS
DECLARE VARIABLE VDATATYPE INTEGER;
DECLARE VARIABLE VKGROUP INTEGER;
DECLARE VARIABLE VCOUNT INTEGER;
BEGIN
    SELECT DATATYPE FROM ACCDEF1 WHERE REC = 1 INTO :VDATATYPE;
    IF (PGROUPM1 BETWEEN 1400 AND 1599) THEN VKGROUP = 0;
    ELSE IF (PGROUPM1 BETWEEN 1600 AND 1699) THEN VKGROUP = 1;
    ELSE IF (PGROUPM1 BETWEEN 1700 AND 1799) THEN VKGROUP = 2;
    ELSE IF (PGROUPM1 = 1800) THEN VKGROUP = 3;
    ELSE EXIT;
    IF (NOT EXISTS (SELECT 1 FROM SISETUMST WHERE SCODE = :PSCODE)) THEN
        EXIT;
    SELECT COUNT(*) FROM KS_SETSWK_INIT
     WHERE ACCGROUP = :VDATATYPE AND KGROUP = :VKGROUP AND KCODE = :PKCODE
      INTO :VCOUNT;
    INSERT INTO KS_SETSWK (REC, SCODE, KCODE, NOTLIST, TEKIYO, GSTAISYOU, GSKEIJYO, GSKAHI, GSHOUHOU,
                           GSSISANZEI, SETSWK, RUIKEIKCODE, SYOKYAKUKCODE, SYOKYAKUTEKIYO,
                           BAISONKCODE, BAISONTEKIYO, JYOSONKCODE, JYOSONTEKIYO, BAIEKIKCODE, BAIEKITEKIYO)
    SELECT 0, :PSCODE, :PKCODE, I.NOTLIST, I.TEKIYO, I.GSTAISYOU, I.GSKEIJYO, I.GSKAHI, I.GSHOUHOU,
           I.GSSISANZEI, I.SETSWK, I.RUIKEIKCODE, I.SYOKYAKUKCODE, I.SYOKYAKUTEKIYO,
           I.BAISONKCODE, I.BAISONTEKIYO, I.JYOSONKCODE, I.JYOSONTEKIYO, I.BAIEKIKCODE, I.BAIEKITEKIYO
      FROM RDB$DATABASE
      LEFT JOIN KS_SETSWK_INIT I
        ON I.ACCGROUP = :VDATATYPE AND I.KGROUP = :VKGROUP
       AND ((:VCOUNT > 0 AND I.KCODE = :PKCODE) OR (:VCOUNT = 0 AND I.KCODE IS NULL))
      ROWS 1;
END ^

/* Settings rows of every asset account for one facility. */
CREATE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU (
    PSCODE VARCHAR(12))
AS
DECLARE VARIABLE VKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VGROUPM1 INTEGER;
BEGIN
    /* Groups are four-digit texts; anything else is no asset group. */
    FOR SELECT KCODE, IIF(GROUPM1 SIMILAR TO '[0-9]+', CAST(GROUPM1 AS INTEGER), 0) FROM KAMOKUMST
          INTO :VKCODE, :VGROUPM1 DO
        IF (VGROUPM1 BETWEEN 1400 AND 1800) THEN
            EXECUTE PROCEDURE SP_KS_INSSETSWK (:PSCODE, :VGROUPM1, :VKCODE);
END ^

/* Settings rows of one asset account for every facility. */
CREATE PROCEDURE SP_KS_INSSETSWK_CALL_KAMOKU (
    PKCODE VARCHAR(12),
    PGROUPM1 INTEGER)
AS
DECLARE VARIABLE VSCODE VARCHAR(6) CHARACTER SET ASCII;
BEGIN
    FOR SELECT SCODE FROM SISETUMST INTO :VSCODE DO
        EXECUTE PROCEDURE SP_KS_INSSETSWK (:VSCODE, :PGROUPM1, :PKCODE);
END ^

/* Upsert of one allocation row of an asset. */
CREATE PROCEDURE SP_KS_BUMONHB_REC_ADD (
    PREC INTEGER,
    PSCODE VARCHAR(12),
    PBCODE VARCHAR(12),
    PHAIBUN NUMERIC(16,4))
AS
BEGIN
    UPDATE KS_BUMONHB SET HAIBUN = :PHAIBUN
     WHERE KS_REC = :PREC AND SCODE = :PSCODE AND BCODE = :PBCODE;
    IF (ROW_COUNT = 0) THEN
        INSERT INTO KS_BUMONHB (KS_REC, SCODE, BCODE, HAIBUN) VALUES (:PREC, :PSCODE, :PBCODE, :PHAIBUN);
END ^

/* Completes the allocation rows of a facility's assets: a department
   without a row gets one with rate 0. */
CREATE PROCEDURE SP_KS_BUMONHB_ADD (
    PSCODE VARCHAR(6))
AS
DECLARE VARIABLE VREC INTEGER;
DECLARE VARIABLE VBCODE VARCHAR(6) CHARACTER SET ASCII;
BEGIN
    FOR SELECT REC FROM KS_SISAN WHERE SCODE = :PSCODE INTO :VREC DO
        FOR SELECT BCODE FROM SISETUBUM WHERE SCODE = :PSCODE ORDER BY BCODE INTO :VBCODE DO
            IF (NOT EXISTS (SELECT 1 FROM KS_BUMONHB
                             WHERE KS_REC = :VREC AND SCODE = :PSCODE AND BCODE = :VBCODE)) THEN
                EXECUTE PROCEDURE SP_KS_BUMONHB_REC_ADD (:VREC, :PSCODE, :VBCODE, 0);
END ^

/* Lists the assets of a facility whose department allocation does not add
   up to 100 percent. */
CREATE PROCEDURE SP_KS_SISAN_MUJUN (
    PSCODE VARCHAR(6))
RETURNS (
    KS_REC INTEGER,
    HAIBUNKEI NUMERIC(16,4))
AS
BEGIN
    FOR SELECT B.KS_REC, SUM(B.HAIBUN) FROM KS_BUMONHB B
         WHERE B.SCODE = :PSCODE
         GROUP BY B.KS_REC
        HAVING SUM(B.HAIBUN) <> 100
          INTO :KS_REC, :HAIBUNKEI DO
        SUSPEND;
END ^

/* Upsert of one asset-book row. */
CREATE PROCEDURE SP_KS_DAICHO_UPDATE (
    PREC INTEGER,
    PHIZUKE DATE,
    PDTYPE INTEGER,
    PTEKIYO VARCHAR(100),
    PSYUTOKIN NUMERIC(16,4),
    PKISHU NUMERIC(16,4),
    PSYOKYAKU NUMERIC(16,4),
    PBOKAGAKU NUMERIC(16,4))
AS
BEGIN
    UPDATE KS_DAICHO
       SET TEKIYO = :PTEKIYO, SYUTOKIN = :PSYUTOKIN, KISHU = :PKISHU,
           SYOKYAKU = :PSYOKYAKU, BOKAGAKU = :PBOKAGAKU
     WHERE REC = :PREC AND HIZUKE = :PHIZUKE AND DTYPE = :PDTYPE;
    IF (ROW_COUNT = 0) THEN
        INSERT INTO KS_DAICHO (REC, HIZUKE, DTYPE, TEKIYO, SYUTOKIN, KISHU, SYOKYAKU, BOKAGAKU)
        VALUES (:PREC, :PHIZUKE, :PDTYPE, :PTEKIYO, :PSYUTOKIN, :PKISHU, :PSYOKYAKU, :PBOKAGAKU);
END ^

SET TERM ; ^


/* ------------------------------------------------------------------------
 * Procedures the updates and the program call
 * --------------------------------------------------------------------- */

SET TERM ^ ;

/* Written from what its callers expect (the facility trigger): creates the
   consumption-tax total rows of a facility and department, KKUBUN 1 (tax
   received) and 2 (tax paid) for the periods 1 to 16; rows that exist are
   kept. */
CREATE PROCEDURE SP_KAMOKU_TAX_INSERT (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
AS
DECLARE VARIABLE VKKUBUN INTEGER;
DECLARE VARIABLE VMNUM INTEGER;
BEGIN
    VKKUBUN = 1;
    WHILE (VKKUBUN <= 2) DO
    BEGIN
        VMNUM = 1;
        WHILE (VMNUM <= 16) DO
        BEGIN
            UPDATE OR INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM)
            VALUES (:PSCODE, :PBCODE, :VKKUBUN, :VMNUM)
            MATCHING (SCODE, BCODE, KKUBUN, MNUM);
            VMNUM = VMNUM + 1;
        END
        VKKUBUN = VKKUBUN + 1;
    END
END ^

/* Written from what its callers expect (the facility trigger copying the
   summary dictionary template): answers the sub-account PHCODE when the
   account PKCODE has it, otherwise the account's own row ' '. */
CREATE PROCEDURE SP_HOJO_EXIST (
    PKCODE VARCHAR(6) CHARACTER SET ASCII,
    PHCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    HCODE VARCHAR(6) CHARACTER SET ASCII)
AS
BEGIN
    IF (EXISTS (SELECT 1 FROM HOJOMST H WHERE H.KCODE = :PKCODE AND H.HCODE = :PHCODE)) THEN
        HCODE = PHCODE;
    ELSE
        HCODE = ' ';
    SUSPEND;
END ^

/* Written from what its callers expect (the bank reconciliation balance):
   the balance after one journal side. The side's value is NUK, plus ZEI
   when PZEIKBN is 0 (tax included); it raises the balance of a debit-side
   account (PDAC 1 or 4) on the debit side (PTAISHAKU 1) and of a
   credit-side account (PDAC 2 or 3) on the credit side, and lowers it
   otherwise. Callable with EXECUTE PROCEDURE or SELECT. */
CREATE PROCEDURE SP_GETZANDAKA (
    PZEIKBN INTEGER,
    PDAC INTEGER,
    PTAISHAKU INTEGER,
    PNUK NUMERIC(16,4),
    PZEI NUMERIC(16,4),
    PZANDAKA NUMERIC(16,4))
RETURNS (
    ZANDAKA NUMERIC(16,4))
AS
DECLARE VARIABLE VAMOUNT NUMERIC(16,4);
BEGIN
    VAMOUNT = COALESCE(PNUK, 0);
    IF (COALESCE(PZEIKBN, 0) = 0) THEN
        VAMOUNT = VAMOUNT + COALESCE(PZEI, 0);
    ZANDAKA = COALESCE(PZANDAKA, 0);
    IF ((PDAC IN (1, 4) AND PTAISHAKU = 1) OR (PDAC IN (2, 3) AND PTAISHAKU = 2)) THEN
        ZANDAKA = ZANDAKA + VAMOUNT;
    ELSE
        ZANDAKA = ZANDAKA - VAMOUNT;
    SUSPEND;
END ^

/* Head counts per month of this year and the two before, for a facility
   and a department (' ' or empty = all). The months are the periods 1-3,
   5-7, 9-11 and 13-15; MNUM - 16 and MNUM - 32 are the same months one
   and two years back. Months without rows stay null. */
CREATE PROCEDURE SP_MB_SELECT_SYUGYOU (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    /*@ FOR N IN 1..12 JOIN ",\n" */T_NINZU{N} INTEGER/*@ END */,
    /*@ FOR N IN 1..12 JOIN ",\n" */Z_NINZU{N} INTEGER/*@ END */,
    /*@ FOR N IN 1..12 JOIN ",\n" */ZZ_NINZU{N} INTEGER/*@ END */)
AS
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VNUM INTEGER;
DECLARE VARIABLE VPERIOD INTEGER;
DECLARE VARIABLE VYEAR INTEGER;
DECLARE VARIABLE VMONTH INTEGER;
BEGIN
    IF (COALESCE(PSCODE, '') = '') THEN PSCODE = ' ';
    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';
    FOR SELECT MNUM, SUM(NUM1) FROM ACCDEF5
         WHERE (:PSCODE = ' ' OR SCODE = :PSCODE)
           AND (:PBCODE = ' ' OR BCODE = :PBCODE)
         GROUP BY MNUM
         ORDER BY MNUM
          INTO :VMNUM, :VNUM DO
    BEGIN
        /* Period 1-16 of this year (0), the year before (1), two before (2). */
        IF (VMNUM >= 1) THEN
        BEGIN VYEAR = 0; VPERIOD = VMNUM; END
        ELSE IF (VMNUM >= -15) THEN
        BEGIN VYEAR = 1; VPERIOD = VMNUM + 16; END
        ELSE
        BEGIN VYEAR = 2; VPERIOD = VMNUM + 32; END
        /* Settlement periods (4, 8, 12, 16 and their equivalents) hold no
           month; the rest map 1-3 to 1-3, 5-7 to 4-6, ... */
        IF (VPERIOD BETWEEN 1 AND 15 AND MOD(VPERIOD, 4) <> 0) THEN
        BEGIN
            VMONTH = VPERIOD - VPERIOD / 4;
            IF (VYEAR = 0) THEN
            BEGIN
                /*@ FOR N IN 1..12 JOIN "\nELSE " */IF (VMONTH = {N}) THEN T_NINZU{N} = VNUM;/*@ END */
            END
            IF (VYEAR = 1) THEN
            BEGIN
                /*@ FOR N IN 1..12 JOIN "\nELSE " */IF (VMONTH = {N}) THEN Z_NINZU{N} = VNUM;/*@ END */
            END
            IF (VYEAR = 2) THEN
            BEGIN
                /*@ FOR N IN 1..12 JOIN "\nELSE " */IF (VMONTH = {N}) THEN ZZ_NINZU{N} = VNUM;/*@ END */
            END
        END
    END
    SUSPEND;
END ^

SET TERM ; ^


/* ------------------------------------------------------------------------
 * Triggers
 * --------------------------------------------------------------------- */

SET TERM ^ ;

/* Written from what its callers expect (the trial-balance procedures of
   the updates look the system accounts up by name): the smallest account
   code of ACCDEF2 with the name TXT, empty when there is none; always one
   row. */
CREATE PROCEDURE SYSKMKCODEINF (
    TXT VARCHAR(40))
RETURNS (
    CODE VARCHAR(6) CHARACTER SET ASCII)
AS
BEGIN
    CODE = NULL;
    SELECT MIN(KCODE) FROM ACCDEF2 WHERE KNAME = :TXT INTO :CODE;
    CODE = COALESCE(CODE, '');
    SUSPEND;
END ^

/* Numbers accounts and sub-accounts inserted without a REC: the journal
   links of the fixed-asset register name a sub-account by its REC. */
CREATE TRIGGER KAMOKUMST_REC_NO FOR KAMOKUMST
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (NEW.REC IS NULL OR NEW.REC = 0) THEN
        NEW.REC = GEN_ID(KAMOKUMST_REC_GEN, 1);
END ^

CREATE TRIGGER HOJOMST_REC_NO FOR HOJOMST
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (NEW.REC IS NULL OR NEW.REC = 0) THEN
        NEW.REC = GEN_ID(HOJOMST_REC_GEN, 1);
END ^

/* The dictionary writers insert TEKCODE 0: numbering here keeps the key
   unique. */
CREATE TRIGGER TEKDIC_TEKCODE_NO FOR TEKDIC
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (NEW.TEKCODE IS NULL OR NEW.TEKCODE = 0) THEN
        NEW.TEKCODE = GEN_ID(TEKDIC_GEN, 1);
END ^

/* A new balance key gets its period rows: KAMOKU_MS for the periods 1 to
   16 and KAMOKU_PZ for -32 to 15. The journal triggers only add to rows
   that exist, so every key must have them before journal lines arrive. */
CREATE TRIGGER KAMOKUSZ_AFTER_INSERT FOR KAMOKU_SZ
ACTIVE AFTER INSERT POSITION 0
AS
DECLARE VARIABLE VMNUM INTEGER;
BEGIN
    VMNUM = -32;
    WHILE (VMNUM <= 16) DO
    BEGIN
        IF (VMNUM >= 1) THEN
            UPDATE OR INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM)
            VALUES (NEW.SCODE, NEW.KCODE, NEW.HCODE, NEW.BCODE, :VMNUM)
            MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM);
        IF (VMNUM <= 15) THEN
            UPDATE OR INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM)
            VALUES (NEW.SCODE, NEW.KCODE, NEW.HCODE, NEW.BCODE, :VMNUM)
            MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM);
        VMNUM = VMNUM + 1;
    END
END ^

/* Posts a new journal side into the running totals: the facility's entry
   count (debit side only), the account's period row and the tax total
   (per department only when ACCDEF1.BUMON is 2). Missing rows are not
   created. A line made from the fixed-asset register (LINKKUB 8) marks
   its asset as transferred. */
CREATE TRIGGER SIWAKE_AFTER_INSERT FOR SIWAKE
ACTIVE AFTER INSERT POSITION 0
AS
DECLARE VARIABLE VBUMON INTEGER;
DECLARE VARIABLE VBCODE VARCHAR(6) CHARACTER SET ASCII;
BEGIN
    SELECT BUMON FROM ACCDEF1 WHERE REC = 1 INTO :VBUMON;
    VBCODE = IIF(VBUMON = 2, NEW.BCODE, ' ');
    IF (NEW.TAISHAKU = 1) THEN
    BEGIN
        UPDATE SISETUMST SET SIWAKECOUNT = COALESCE(SIWAKECOUNT, 0) + 1 WHERE SCODE = NEW.SCODE;
        UPDATE KAMOKU_MS
           SET KAR_NUK = COALESCE(KAR_NUK, 0) + COALESCE(NEW.NUK, 0),
               KAR_TAX = COALESCE(KAR_TAX, 0) + COALESCE(NEW.ZEI, 0)
         WHERE SCODE = NEW.SCODE AND BCODE = NEW.BCODE AND KCODE = NEW.KCODE
           AND HCODE = NEW.HCODE AND MNUM = NEW.MNUM;
        UPDATE KAMOKU_TAX SET KAR = COALESCE(KAR, 0) + COALESCE(NEW.ZEI, 0)
         WHERE SCODE = NEW.SCODE AND BCODE = :VBCODE AND KKUBUN = NEW.TAXUH AND MNUM = NEW.MNUM;
    END
    ELSE IF (NEW.TAISHAKU = 2) THEN
    BEGIN
        UPDATE KAMOKU_MS
           SET KAS_NUK = COALESCE(KAS_NUK, 0) + COALESCE(NEW.NUK, 0),
               KAS_TAX = COALESCE(KAS_TAX, 0) + COALESCE(NEW.ZEI, 0)
         WHERE SCODE = NEW.SCODE AND BCODE = NEW.BCODE AND KCODE = NEW.KCODE
           AND HCODE = NEW.HCODE AND MNUM = NEW.MNUM;
        UPDATE KAMOKU_TAX SET KAS = COALESCE(KAS, 0) + COALESCE(NEW.ZEI, 0)
         WHERE SCODE = NEW.SCODE AND BCODE = :VBCODE AND KKUBUN = NEW.TAXUH AND MNUM = NEW.MNUM;
    END
    IF (NEW.LINKKUB = 8) THEN
        UPDATE KS_SISAN SET TRANSKBN = 1 WHERE REC = NEW.LINKREC;
END ^

/* Voiding a live line (DELFLG 0 to anything else) takes it out of the
   totals; restoring a deleted one (1 to 0) posts it again. */
CREATE TRIGGER SIWAKE_AFTER_UPDATE FOR SIWAKE
ACTIVE AFTER UPDATE POSITION 0
AS
DECLARE VARIABLE VBUMON INTEGER;
DECLARE VARIABLE VSIGN INTEGER;
DECLARE VARIABLE VSCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VHCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VTAXB VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VTAISHAKU INTEGER;
DECLARE VARIABLE VTAXUH INTEGER;
DECLARE VARIABLE VNUK NUMERIC(16,4);
DECLARE VARIABLE VZEI NUMERIC(16,4);
BEGIN
    IF (OLD.DELFLG = 0 AND NEW.DELFLG <> 0) THEN
    BEGIN
        VSIGN = -1;
        VSCODE = OLD.SCODE; VBCODE = OLD.BCODE; VKCODE = OLD.KCODE; VHCODE = OLD.HCODE;
        VMNUM = OLD.MNUM; VTAISHAKU = OLD.TAISHAKU; VTAXUH = OLD.TAXUH;
        VNUK = COALESCE(OLD.NUK, 0); VZEI = COALESCE(OLD.ZEI, 0);
    END
    ELSE IF (OLD.DELFLG = 1 AND NEW.DELFLG = 0) THEN
    BEGIN
        VSIGN = 1;
        VSCODE = NEW.SCODE; VBCODE = NEW.BCODE; VKCODE = NEW.KCODE; VHCODE = NEW.HCODE;
        VMNUM = NEW.MNUM; VTAISHAKU = NEW.TAISHAKU; VTAXUH = NEW.TAXUH;
        VNUK = COALESCE(NEW.NUK, 0); VZEI = COALESCE(NEW.ZEI, 0);
    END
    ELSE
        EXIT;
    SELECT BUMON FROM ACCDEF1 WHERE REC = 1 INTO :VBUMON;
    VTAXB = IIF(VBUMON = 2, VBCODE, ' ');
    IF (VTAISHAKU = 1) THEN
    BEGIN
        UPDATE SISETUMST SET SIWAKECOUNT = COALESCE(SIWAKECOUNT, 0) + :VSIGN WHERE SCODE = :VSCODE;
        UPDATE KAMOKU_MS
           SET KAR_NUK = COALESCE(KAR_NUK, 0) + :VSIGN * :VNUK,
               KAR_TAX = COALESCE(KAR_TAX, 0) + :VSIGN * :VZEI
         WHERE SCODE = :VSCODE AND BCODE = :VBCODE AND KCODE = :VKCODE AND HCODE = :VHCODE AND MNUM = :VMNUM;
        UPDATE KAMOKU_TAX SET KAR = COALESCE(KAR, 0) + :VSIGN * :VZEI
         WHERE SCODE = :VSCODE AND BCODE = :VTAXB AND KKUBUN = :VTAXUH AND MNUM = :VMNUM;
    END
    ELSE IF (VTAISHAKU = 2) THEN
    BEGIN
        UPDATE KAMOKU_MS
           SET KAS_NUK = COALESCE(KAS_NUK, 0) + :VSIGN * :VNUK,
               KAS_TAX = COALESCE(KAS_TAX, 0) + :VSIGN * :VZEI
         WHERE SCODE = :VSCODE AND BCODE = :VBCODE AND KCODE = :VKCODE AND HCODE = :VHCODE AND MNUM = :VMNUM;
        UPDATE KAMOKU_TAX SET KAS = COALESCE(KAS, 0) + :VSIGN * :VZEI
         WHERE SCODE = :VSCODE AND BCODE = :VTAXB AND KKUBUN = :VTAXUH AND MNUM = :VMNUM;
    END
END ^

/* A new facility: balance rows of every account in use, its tax totals,
   the empty dictionary headings, a copy of the summary dictionary
   template, its fixed-asset transfer and journal settings, its head-count
   and forecast rows, and its departments when it keeps them. */
CREATE TRIGGER SISETUMST_AFTER_INSERT FOR SISETUMST
ACTIVE AFTER INSERT POSITION 0
AS
DECLARE VARIABLE I INTEGER;
DECLARE VARIABLE VCREC INTEGER;
DECLARE VARIABLE VNEWCREC INTEGER;
DECLARE VARIABLE VSORTCODE INTEGER;
DECLARE VARIABLE VTEXT VARCHAR(50);
DECLARE VARIABLE VKANA VARCHAR(10);
DECLARE VARIABLE VROW INTEGER;
DECLARE VARIABLE VCOL INTEGER;
DECLARE VARIABLE VKARK VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARH VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKART INTEGER;
DECLARE VARIABLE VKASK VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKASH VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKAST INTEGER;
BEGIN
    INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE)
    SELECT NEW.SCODE, K.KCODE, H.HCODE, ' '
      FROM KAMOKUMST K INNER JOIN HOJOMST H ON (H.KCODE = K.KCODE)
     WHERE K.USE = 1
     ORDER BY K.GROUPM1, K.KCODE, H.HCODE;
    EXECUTE PROCEDURE SP_KAMOKU_TAX_INSERT (NEW.SCODE, ' ');
    I = 1;
    WHILE (I <= 50) DO
    BEGIN
        INSERT INTO TORDICTI (CREC, SCODE, SORTCODE, TEXT) VALUES (:I, NEW.SCODE, :I, '');
        INSERT INTO SWKDICTI (REC, SCODE, SORTCODE, TEXT, E_HIZUKE, E_SIWAKE, E_KINGAKU, E_TEKIYOU, E_TORIHIKI, E_CARET)
        VALUES (:I, NEW.SCODE, :I, '', 1, 0, 1, 0, 0, 0);
        I = I + 1;
    END
    FOR SELECT CREC, SORTCODE, TEXT FROM ORGDIC_1 ORDER BY REC INTO :VCREC, :VSORTCODE, :VTEXT DO
    BEGIN
        VNEWCREC = GEN_ID(TEKDICTI_GEN, 1);
        INSERT INTO TEKDICTI (CREC, SCODE, SORTCODE, TEXT) VALUES (:VNEWCREC, NEW.SCODE, :VSORTCODE, :VTEXT);
        FOR SELECT KANA, TEXT, "ROW", COL, KAR_KCODE, KAR_HCODE, KAR_TAXCODE, KAS_KCODE, KAS_HCODE, KAS_TAXCODE
              FROM ORGDIC_2 WHERE CREC = :VCREC ORDER BY REC
              INTO :VKANA, :VTEXT, :VROW, :VCOL, :VKARK, :VKARH, :VKART, :VKASK, :VKASH, :VKAST DO
        BEGIN
            IF (VKARH IS NOT NULL) THEN
                EXECUTE PROCEDURE SP_HOJO_EXIST (:VKARK, :VKARH) RETURNING_VALUES :VKARH;
            IF (VKASH IS NOT NULL) THEN
                EXECUTE PROCEDURE SP_HOJO_EXIST (:VKASK, :VKASH) RETURNING_VALUES :VKASH;
            INSERT INTO TEKDIC
            VALUES (0, :VNEWCREC, :VKANA, 0, :VTEXT, NEW.SCODE, :VROW, :VCOL, :VKARK, :VKARH, NULL, :VKART,
                    :VKASK, :VKASH, NULL, :VKAST, 0, 0, 0, 0, 0, NULL);
        END
    END
    INSERT INTO KS_TRANSSWK VALUES (NEW.SCODE, -1, -1, -1, -1, -1, '');
    EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU (NEW.SCODE);
    I = -31;
    WHILE (I <= 16) DO
    BEGIN
        INSERT INTO ACCDEF5 (SCODE, BCODE, MNUM) VALUES (NEW.SCODE, ' ', :I);
        I = I + 1;
    END
    INSERT INTO YOSOKUINF (SCODE, BCODE) VALUES (NEW.SCODE, ' ');
    IF (NEW.BUMEX = 1) THEN
        INSERT INTO SISETUBUM (SCODE, BCODE)
        SELECT NEW.SCODE, BCODE FROM BUMONMST WHERE BCODE <> ' ' ORDER BY BCODE;
END ^

/* A new account: its own sub-account row ' ' and its fixed-asset journal
   settings in every facility. */
CREATE TRIGGER KAMOKUMST_AFTER_INSERT FOR KAMOKUMST
ACTIVE AFTER INSERT POSITION 0
AS
BEGIN
    INSERT INTO HOJOMST (KCODE, HCODE, HNAME, TAX_LCODE, TAX_RCODE, BPFLG)
    VALUES (NEW.KCODE, ' ', '', NEW.TAX_LCODE, NEW.TAX_RCODE, NEW.BPFLG);
    IF (NEW.GROUPM1 SIMILAR TO '[0-9]+') THEN
        EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_KAMOKU (NEW.KCODE, CAST(NEW.GROUPM1 AS INTEGER));
END ^

SET TERM ; ^


/* ------------------------------------------------------------------------
 * Journal view and journal insert
 * --------------------------------------------------------------------- */

/* The journal rows with the user account codes of both sides (USERCODE,
   R_USERCODE) beside the internal ones; the paging procedures and the
   journal reader read it by REC. */
CREATE VIEW SIWAKE_VIEW (
    REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, KESSAN, DNUM, SNUM, MDAYNUM, SDAYNUM,
    SCODE, SITREC, KGROUP, KCODE, USERCODE, HCODE, BCODE, KNAME, HNAME, BNAME, TAXCODE, TAXUH, TAXDC,
    NUK, ZEI, RIT, SIKIN,
    R_KGROUP, R_KCODE, R_USERCODE, R_HCODE, R_BCODE, R_KNAME, R_HNAME, R_BNAME, R_TAXCODE, R_TAXUH, R_TAXDC,
    R_NUK, R_ZEI, R_RIT, R_SIKIN,
    KINGAKU, ZEIGAKU, ZEIRITUNO, AUTCALCU, TAXCALCU, OLDRATE, TEKCODE, TEKTEXT, TORCODE, TORTEXT,
    FUSEN1, FUSEN2, FUSEN3, FUSEN4, FUSEN5, CTIME, COMMENT, AO_COMMENT, LINKKEY, LINKKUB, LINKREC,
    LOCALFLG, RESERVE1, RESERVE2, RTIME, OPCODE)
AS
SELECT S.REC, S.SWKREC, S.SWKNO, S.DELFLG, S.TAISHAKU, S.HIZUKE, S.MNUM, S.KESSAN, S.DNUM, S.SNUM,
       S.MDAYNUM, S.SDAYNUM,
       S.SCODE, S.SITREC, S.KGROUP, S.KCODE, K1.USERCODE, S.HCODE, S.BCODE, S.KNAME, S.HNAME, S.BNAME, S.TAXCODE,
       S.TAXUH, S.TAXDC, S.NUK, S.ZEI, S.RIT, S.SIKIN,
       S.R_KGROUP, S.R_KCODE, K2.USERCODE, S.R_HCODE, S.R_BCODE, S.R_KNAME, S.R_HNAME, S.R_BNAME,
       S.R_TAXCODE, S.R_TAXUH, S.R_TAXDC, S.R_NUK, S.R_ZEI, S.R_RIT, S.R_SIKIN,
       S.KINGAKU, S.ZEIGAKU, S.ZEIRITUNO, S.AUTCALCU, S.TAXCALCU, S.OLDRATE, S.TEKCODE, S.TEKTEXT,
       S.TORCODE, S.TORTEXT, S.FUSEN1, S.FUSEN2, S.FUSEN3, S.FUSEN4, S.FUSEN5, S.CTIME, S.COMMENT,
       S.AO_COMMENT, S.LINKKEY, S.LINKKUB, S.LINKREC, S.LOCALFLG, S.RESERVE1, S.RESERVE2, S.RTIME, S.OPCODE
  FROM SIWAKE S
  LEFT JOIN KAMOKUMST K1 ON (K1.KCODE = S.KCODE)
  LEFT JOIN KAMOKUMST K2 ON (K2.KCODE = S.R_KCODE);

/* Every balance row with the names of its facility, account, sub-account
   and department (a row shows only when all four exist). Update 0.2.2
   drops it, after the procedures that read it, and builds it again with
   the second group code; nothing else here may use it. */
CREATE VIEW KAMOKU_VIEW (
    SCODE, SNAME, GROUPM1, GROUPM2, KCODE, USERCODE, KNAME, DAC, BCODE, BNAME, BPFLG, HCODE, HNAME, KAISIZAN)
AS
SELECT Z.SCODE, S.SNAME, K.GROUPM1, K.GROUPM2, Z.KCODE, K.USERCODE, K.KNAME, K.DAC, Z.BCODE, B.BNAME, K.BPFLG,
       Z.HCODE, H.HNAME, Z.KAISIZAN
  FROM KAMOKU_SZ Z
 INNER JOIN SISETUMST S ON (S.SCODE = Z.SCODE)
 INNER JOIN BUMONMST B ON (B.BCODE = Z.BCODE)
 INNER JOIN KAMOKUMST K ON (K.KCODE = Z.KCODE)
 INNER JOIN HOJOMST H ON (H.KCODE = Z.KCODE AND H.HCODE = Z.HCODE);

/* Chart display settings per operator; update 0.2.2 drops the table and
   creates its current form. */
CREATE TABLE CHARTINF (
    OPCODE INTEGER NOT NULL,
    CTYPE1 INTEGER DEFAULT 0,
    CTYPE2 INTEGER DEFAULT 0,
    CTYPE3 INTEGER DEFAULT 0,
    CTYPE4 INTEGER DEFAULT 0,
    CONSTRAINT PK_CHARTINF PRIMARY KEY (OPCODE)
);

SET TERM ^ ;

/* Written from what its caller expects (the journal writer inserts a new
   entry with it): stores one journal entry as its debit row REC 2n - 1
   (own side = the L_ values) and its credit row REC 2n (sides swapped),
   n the next number of SIWAKE_REC_GEN, both live with SWKNO n; the insert
   trigger posts them. L_KCODE and R_KCODE carry the user account codes;
   the rows store the internal ones. An SDAYNUM of 0 or less takes the next
   number of the date among live rows; SITREC numbers the entries of each
   facility. Returns the debit REC, the entry number, the day number and
   the facility number. */
CREATE PROCEDURE SP_SIWAKE_INS (
    HIZUKE DATE,
    MNUM INTEGER,
    KESSAN INTEGER,
    SDAYNUM INTEGER,
    MDAYNUM INTEGER,
    DNUM INTEGER,
    SNUM INTEGER,
    SCODE VARCHAR(6) CHARACTER SET ASCII,
    L_KGROUP VARCHAR(6) CHARACTER SET ASCII,
    L_KCODE VARCHAR(6) CHARACTER SET ASCII,
    L_HCODE VARCHAR(6) CHARACTER SET ASCII,
    L_BCODE VARCHAR(6) CHARACTER SET ASCII,
    L_KNAME VARCHAR(14),
    L_HNAME VARCHAR(14),
    L_BNAME VARCHAR(14),
    L_TAXCODE INTEGER,
    L_TAXUH INTEGER,
    L_TAXDC INTEGER,
    L_NUK NUMERIC(16,4),
    L_ZEI NUMERIC(16,4),
    L_RIT NUMERIC(16,4),
    L_SIKIN INTEGER,
    R_KGROUP VARCHAR(6) CHARACTER SET ASCII,
    R_KCODE VARCHAR(6) CHARACTER SET ASCII,
    R_HCODE VARCHAR(6) CHARACTER SET ASCII,
    R_BCODE VARCHAR(6) CHARACTER SET ASCII,
    R_KNAME VARCHAR(14),
    R_HNAME VARCHAR(14),
    R_BNAME VARCHAR(14),
    R_TAXCODE INTEGER,
    R_TAXUH INTEGER,
    R_TAXDC INTEGER,
    R_NUK NUMERIC(16,4),
    R_ZEI NUMERIC(16,4),
    R_RIT NUMERIC(16,4),
    R_SIKIN INTEGER,
    KINGAKU NUMERIC(16,4),
    ZEIGAKU NUMERIC(16,4),
    ZEIRITUNO INTEGER,
    AUTCALCU INTEGER,
    TAXCALCU INTEGER,
    OLDRATE INTEGER,
    TEKCODE INTEGER,
    TEKTEXT VARCHAR(50),
    TORCODE INTEGER,
    TORTEXT VARCHAR(20),
    FUSEN1 INTEGER,
    FUSEN2 INTEGER,
    FUSEN3 INTEGER,
    FUSEN4 INTEGER,
    FUSEN5 INTEGER,
    CTIME TIMESTAMP,
    COMMENT VARCHAR(50),
    AO_COMMENT VARCHAR(50),
    LINKKEY VARCHAR(20),
    LINKKUB INTEGER,
    LINKREC INTEGER,
    LOCALFLG INTEGER,
    RESERVE1 INTEGER,
    RESERVE2 INTEGER,
    OPCODE INTEGER)
RETURNS (
    NEWREC INTEGER,
    NEWSWKREC INTEGER,
    NEWSDAYNUM INTEGER,
    NEWSITREC INTEGER)
AS
DECLARE VARIABLE VLKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VRKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VN INTEGER;
DECLARE VARIABLE VNOW TIMESTAMP;
BEGIN
    VLKCODE = NULL;
    SELECT FIRST 1 KCODE FROM KAMOKUMST WHERE USERCODE = :L_KCODE ORDER BY KCODE INTO :VLKCODE;
    VLKCODE = COALESCE(VLKCODE, L_KCODE);
    VRKCODE = NULL;
    SELECT FIRST 1 KCODE FROM KAMOKUMST WHERE USERCODE = :R_KCODE ORDER BY KCODE INTO :VRKCODE;
    VRKCODE = COALESCE(VRKCODE, R_KCODE);

    NEWSDAYNUM = SDAYNUM;
    IF (COALESCE(NEWSDAYNUM, 0) <= 0) THEN
    BEGIN
        SELECT MAX(S.SDAYNUM) FROM SIWAKE S WHERE S.HIZUKE = :HIZUKE AND S.DELFLG = 0 INTO :NEWSDAYNUM;
        NEWSDAYNUM = COALESCE(NEWSDAYNUM, 0) + 1;
    END
    SELECT MAX(S.SITREC) FROM SIWAKE S WHERE S.SCODE = :SCODE INTO :NEWSITREC;
    NEWSITREC = COALESCE(NEWSITREC, 0) + 1;

    VN = GEN_ID(SIWAKE_REC_GEN, 1);
    VNOW = CURRENT_TIMESTAMP;
    NEWREC = 2 * VN - 1;
    NEWSWKREC = VN;
    INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, KESSAN, SDAYNUM, MDAYNUM, DNUM, SNUM,
                        SCODE, SITREC,
                        KGROUP, KCODE, HCODE, BCODE, KNAME, HNAME, BNAME, TAXCODE, TAXUH, TAXDC, NUK, ZEI, RIT, SIKIN,
                        R_KGROUP, R_KCODE, R_HCODE, R_BCODE, R_KNAME, R_HNAME, R_BNAME, R_TAXCODE, R_TAXUH, R_TAXDC,
                        R_NUK, R_ZEI, R_RIT, R_SIKIN,
                        KINGAKU, ZEIGAKU, ZEIRITUNO, AUTCALCU, TAXCALCU, OLDRATE, TEKCODE, TEKTEXT, TORCODE, TORTEXT,
                        FUSEN1, FUSEN2, FUSEN3, FUSEN4, FUSEN5, CTIME, COMMENT, AO_COMMENT, LINKKEY, LINKKUB, LINKREC,
                        LOCALFLG, RESERVE1, RESERVE2, OPCODE, RTIME)
        VALUES (:NEWREC, :VN, :VN, 0, 1, :HIZUKE, :MNUM, :KESSAN, :NEWSDAYNUM, :MDAYNUM, :DNUM, :SNUM,
                :SCODE, :NEWSITREC,
                :L_KGROUP, :VLKCODE, :L_HCODE, :L_BCODE, :L_KNAME, :L_HNAME, :L_BNAME,
                :L_TAXCODE, :L_TAXUH, :L_TAXDC, :L_NUK, :L_ZEI, :L_RIT, :L_SIKIN,
                :R_KGROUP, :VRKCODE, :R_HCODE, :R_BCODE, :R_KNAME, :R_HNAME, :R_BNAME,
                :R_TAXCODE, :R_TAXUH, :R_TAXDC, :R_NUK, :R_ZEI, :R_RIT, :R_SIKIN,
                :KINGAKU, :ZEIGAKU, :ZEIRITUNO, :AUTCALCU, :TAXCALCU, :OLDRATE, :TEKCODE, :TEKTEXT, :TORCODE, :TORTEXT,
                :FUSEN1, :FUSEN2, :FUSEN3, :FUSEN4, :FUSEN5, :CTIME, :COMMENT, :AO_COMMENT, :LINKKEY, :LINKKUB, :LINKREC,
                :LOCALFLG, :RESERVE1, :RESERVE2, :OPCODE, :VNOW);
    INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, KESSAN, SDAYNUM, MDAYNUM, DNUM, SNUM,
                        SCODE, SITREC,
                        KGROUP, KCODE, HCODE, BCODE, KNAME, HNAME, BNAME, TAXCODE, TAXUH, TAXDC, NUK, ZEI, RIT, SIKIN,
                        R_KGROUP, R_KCODE, R_HCODE, R_BCODE, R_KNAME, R_HNAME, R_BNAME, R_TAXCODE, R_TAXUH, R_TAXDC,
                        R_NUK, R_ZEI, R_RIT, R_SIKIN,
                        KINGAKU, ZEIGAKU, ZEIRITUNO, AUTCALCU, TAXCALCU, OLDRATE, TEKCODE, TEKTEXT, TORCODE, TORTEXT,
                        FUSEN1, FUSEN2, FUSEN3, FUSEN4, FUSEN5, CTIME, COMMENT, AO_COMMENT, LINKKEY, LINKKUB, LINKREC,
                        LOCALFLG, RESERVE1, RESERVE2, OPCODE, RTIME)
        VALUES (:NEWREC + 1, :VN, :VN, 0, 2, :HIZUKE, :MNUM, :KESSAN, :NEWSDAYNUM, :MDAYNUM, :DNUM, :SNUM,
                :SCODE, :NEWSITREC,
                :R_KGROUP, :VRKCODE, :R_HCODE, :R_BCODE, :R_KNAME, :R_HNAME, :R_BNAME,
                :R_TAXCODE, :R_TAXUH, :R_TAXDC, :R_NUK, :R_ZEI, :R_RIT, :R_SIKIN,
                :L_KGROUP, :VLKCODE, :L_HCODE, :L_BCODE, :L_KNAME, :L_HNAME, :L_BNAME,
                :L_TAXCODE, :L_TAXUH, :L_TAXDC, :L_NUK, :L_ZEI, :L_RIT, :L_SIKIN,
                :KINGAKU, :ZEIGAKU, :ZEIRITUNO, :AUTCALCU, :TAXCALCU, :OLDRATE, :TEKCODE, :TEKTEXT, :TORCODE, :TORTEXT,
                :FUSEN1, :FUSEN2, :FUSEN3, :FUSEN4, :FUSEN5, :CTIME, :COMMENT, :AO_COMMENT, :LINKKEY, :LINKKUB, :LINKREC,
                :LOCALFLG, :RESERVE1, :RESERVE2, :OPCODE, :VNOW);
    SUSPEND;
END ^

SET TERM ; ^

SET TERM ^ ;

/* Written from what its caller expects (the trial-balance loader of the
   general chart reads "SELECT * FROM SP_SISANHYO(:TAX, '', '')"): the
   trial balance of all facilities (PSCODE empty) or of one, optionally
   limited to the facilities of the facility group PSITENGROUP, over all
   departments. One row per account in use, in GROUPM1, USERCODE order,
   with HCODE and HNAME empty and HOJCNT the number of its sub-accounts;
   when it has sub-accounts, one row per sub-account follows (HOJCNT 0),
   the account's own part (HCODE ' ', named after the account) only when
   it holds an amount. KAISIZAN is the opening balance; KARnn/KASnn the
   debit and credit movements of period nn: without tax plus tax for
   PTAX 0, without tax for PTAX 1, where the tax totals of KAMOKU_TAX go
   to the accounts "仮受消費税" (tax received, KKUBUN 1) and "仮払消費税"
   (tax paid, KKUBUN 2) instead. */
CREATE PROCEDURE SP_SISANHYO (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PSITENGROUP VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BSPL VARCHAR(1) CHARACTER SET ASCII,
    HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    HNAME VARCHAR(14),
    TAISHAKU INTEGER,
    KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ",\n" */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ",\n" */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VINSZ INTEGER;
DECLARE VARIABLE VHOJCNT INTEGER;
DECLARE VARIABLE VACCOUNTHOJCNT INTEGER;
DECLARE VARIABLE VHOLDS INTEGER;
DECLARE VARIABLE VHNAME VARCHAR(14);
BEGIN
    PTAX = COALESCE(PTAX, 0);
    PSCODE = TRIM(COALESCE(PSCODE, ''));
    PSITENGROUP = TRIM(COALESCE(PSITENGROUP, ''));
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;

    /* One pass over the balance tables, set-wise: reading them once per
       account or per sub-account costs a full scan each, because they are
       keyed by facility first.

       M spreads the movements of each part into the sixteen periods. A
       period row without any amount is left out first: most parts move in
       few periods, and a row of zeros adds nothing.

       P holds the parts of every account: each sub-account code with its
       opening (INSZ 1, from KAMOKU_SZ) and its movements, and an empty part
       (HCODE null) for every account in use, so that accounts without
       balance rows still come out. X crosses P with two levels: level 0
       keeps each part under its own code, level 1 files it under the
       account (HCODE null) as well. One grouping then yields the account
       rows with their totals and the count of their sub-accounts (the
       distinct codes but ' ' that have a balance key), beside the part
       rows, in one sort. */
    VACCOUNTHOJCNT = 0;
    FOR WITH
        M AS (
            SELECT M.KCODE, M.HCODE,
                   /*@ FOR N IN 1..16 JOIN ",\n" */SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)) AS KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ",\n" */SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)) AS KAS{NN}/*@ END */
              FROM KAMOKU_MS M
             WHERE (M.KAR_NUK <> 0 OR M.KAR_TAX <> 0 OR M.KAS_NUK <> 0 OR M.KAS_TAX <> 0)
               AND (:PSCODE = '' OR M.SCODE = :PSCODE)
               AND (:PSITENGROUP = ''
                    OR M.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSITENGROUP))
             GROUP BY M.KCODE, M.HCODE),
        P AS (
            SELECT K.KCODE, CAST(NULL AS VARCHAR(6) CHARACTER SET ASCII) AS HCODE, 0 AS INSZ,
                   CAST(0 AS NUMERIC(18,4)) AS KAISIZAN,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */CAST(0 AS NUMERIC(18,4)) AS KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */CAST(0 AS NUMERIC(18,4)) AS KAS{NN}/*@ END */
              FROM KAMOKUMST K
             WHERE K.USE = 1
            UNION ALL
            SELECT Z.KCODE, Z.HCODE, 1, Z.KAISIZAN,
                   /*@ FOR N IN 1..32 JOIN ", " WRAP 16 */0/*@ END */
              FROM KAMOKU_SZ Z
             WHERE (:PSCODE = '' OR Z.SCODE = :PSCODE)
               AND (:PSITENGROUP = ''
                    OR Z.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSITENGROUP))
            UNION ALL
            SELECT M.KCODE, M.HCODE, 0, 0,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */M.KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */M.KAS{NN}/*@ END */
              FROM M
            UNION ALL
            SELECT IIF(T.KKUBUN = 1, :VKARIUKE, :VKARIBARAI), ' ', 0, 0,
                   /*@ FOR N IN 1..16 JOIN ",\n" */SUM(IIF(T.MNUM = {N}, T.KAR, 0))/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ",\n" */SUM(IIF(T.MNUM = {N}, T.KAS, 0))/*@ END */
              FROM KAMOKU_TAX T
             WHERE :PTAX = 1 AND T.KKUBUN IN (1, 2)
               AND (:PSCODE = '' OR T.SCODE = :PSCODE)
               AND (:PSITENGROUP = ''
                    OR T.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSITENGROUP))
             GROUP BY T.KKUBUN),
        L AS (
            SELECT 0 AS LVL FROM RDB$DATABASE
            UNION ALL
            SELECT 1 FROM RDB$DATABASE),
        X AS (
            SELECT P.*, IIF(L.LVL = 1, NULL, P.HCODE) AS PARTCODE,
                   IIF(L.LVL = 1 AND P.INSZ = 1 AND P.HCODE <> ' ', P.HCODE, NULL) AS SUBCODE
              FROM P
             CROSS JOIN L
             WHERE L.LVL = 0 OR P.HCODE IS NOT NULL),
        U AS (
            SELECT X.KCODE, X.PARTCODE AS HCODE, MAX(X.INSZ) AS INSZ, COUNT(DISTINCT X.SUBCODE) AS HOJCNT,
                   SUM(X.KAISIZAN) AS KAISIZAN,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */SUM(X.KAR{NN}) AS KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */SUM(X.KAS{NN}) AS KAS{NN}/*@ END */
              FROM X
             GROUP BY X.KCODE, X.PARTCODE)
        SELECT K.KCODE, K.GROUPM1, K.GROUPM2, K.USERCODE, K.KNAME, K.BPFLG, K.DAC,
               U.HCODE, U.INSZ, H.HNAME, U.HOJCNT,
               IIF(U.KAISIZAN <> 0
                   /*@ FOR N IN 1..16 JOIN " " WRAP 8 */OR U.KAR{NN} <> 0/*@ END */
                   /*@ FOR N IN 1..16 JOIN " " WRAP 8 */OR U.KAS{NN} <> 0/*@ END */, 1, 0),
               COALESCE(U.KAISIZAN, 0),
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */COALESCE(U.KAR{NN}, 0)/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */COALESCE(U.KAS{NN}, 0)/*@ END */
          FROM U
          JOIN KAMOKUMST K ON K.KCODE = U.KCODE
          LEFT JOIN HOJOMST H ON H.KCODE = U.KCODE AND H.HCODE = U.HCODE
         WHERE K.USE = 1
         ORDER BY K.GROUPM1, K.USERCODE, K.KCODE, U.HCODE NULLS FIRST
          INTO :KCODE, :GROUPM1, :GROUPM2, :USERCODE, :KNAME, :BSPL, :TAISHAKU,
               :HCODE, :VINSZ, :VHNAME, :VHOJCNT, :VHOLDS, :KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
    BEGIN
        IF (HCODE IS NULL) THEN
        BEGIN
            /* The account row first, with the count of its sub-accounts. */
            VACCOUNTHOJCNT = VHOJCNT;
            HOJCNT = VHOJCNT;
            HCODE = '';
            HNAME = '';
            SUSPEND;
        END
        /* Then, when it has sub-accounts, each part that has a balance key,
           the account's own part ' ' (named after the account) only when it
           holds an amount. The account row carried the count; parts carry
           0. */
        ELSE IF (VACCOUNTHOJCNT > 0 AND VINSZ = 1 AND (HCODE <> ' ' OR VHOLDS = 1)) THEN
        BEGIN
            HOJCNT = 0;
            HNAME = IIF(HCODE = ' ', KNAME, VHNAME);
            SUSPEND;
        END
    END
END ^

SET TERM ; ^

SET TERM ^ ;

/* Written from what its caller expects (the previous-year balance writer):
   writes one period's balance of one key into KAMOKU_PZ, without tax
   (NUKIZAN) when PTAXUH is 1 and with tax (KOMIZAN) otherwise; a missing
   period row is created. */
CREATE PROCEDURE SP_UPDATE_KANENDOZAN_SUB (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PKCODE VARCHAR(6) CHARACTER SET ASCII,
    PHCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PMNUM INTEGER,
    PTAXUH INTEGER,
    PVALUE NUMERIC(16,4))
AS
BEGIN
    IF (NOT EXISTS (SELECT 1 FROM KAMOKU_PZ
                     WHERE SCODE = :PSCODE AND KCODE = :PKCODE AND HCODE = :PHCODE
                       AND BCODE = :PBCODE AND MNUM = :PMNUM)) THEN
        INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM) VALUES (:PSCODE, :PKCODE, :PHCODE, :PBCODE, :PMNUM);
    IF (PTAXUH = 1) THEN
        UPDATE KAMOKU_PZ SET NUKIZAN = :PVALUE
         WHERE SCODE = :PSCODE AND KCODE = :PKCODE AND HCODE = :PHCODE AND BCODE = :PBCODE AND MNUM = :PMNUM;
    ELSE
        UPDATE KAMOKU_PZ SET KOMIZAN = :PVALUE
         WHERE SCODE = :PSCODE AND KCODE = :PKCODE AND HCODE = :PHCODE AND BCODE = :PBCODE AND MNUM = :PMNUM;
END ^

/* Written from what its caller expects (the budget copy of the updates):
   stores the twelve month budgets of an account (its own row ' ') in a
   facility and department as KAMOKU_MS.BYOSAN, which is cumulative from
   period 1: PKIND 1 means the values are the months' own amounts and are
   summed up; otherwise they are already cumulative. A settlement period
   (4, 8, 12, 16) holds the figure of the month before it. */
CREATE PROCEDURE SP_MB_UPDATE_HASSEIYOSAN (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PKCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PKIND INTEGER,
    /*@ FOR N IN 1..12 JOIN ",\n" */PYOSAN{N} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VPERIOD INTEGER;
DECLARE VARIABLE VMONTH INTEGER;
DECLARE VARIABLE VVALUE NUMERIC(16,4);
DECLARE VARIABLE VRUNNING NUMERIC(16,4);
BEGIN
    VRUNNING = 0;
    VMONTH = 0;
    VPERIOD = 1;
    WHILE (VPERIOD <= 16) DO
    BEGIN
        IF (MOD(VPERIOD, 4) <> 0) THEN
        BEGIN
            VMONTH = VMONTH + 1;
            VVALUE = CASE VMONTH
                         /*@ FOR N IN 1..12 */
                         WHEN {N} THEN PYOSAN{N}
                         /*@ END */
                     END;
            IF (PKIND = 1) THEN
                VRUNNING = VRUNNING + COALESCE(VVALUE, 0);
            ELSE
                VRUNNING = COALESCE(VVALUE, 0);
        END
        UPDATE KAMOKU_MS SET BYOSAN = :VRUNNING
         WHERE SCODE = :PSCODE AND KCODE = :PKCODE AND HCODE = ' ' AND BCODE = :PBCODE AND MNUM = :VPERIOD;
        VPERIOD = VPERIOD + 1;
    END
END ^

/* Written from what its caller expects (the balance repair runs it after
   clearing empty codes): the summary dictionary's account, sub-account and
   department references that name no master row any more become null. */
CREATE PROCEDURE SP_SEIGO_TEKDIC
AS
BEGIN
    UPDATE TEKDIC D SET KAR_HCODE = NULL
     WHERE KAR_HCODE IS NOT NULL
       AND NOT EXISTS (SELECT 1 FROM HOJOMST H WHERE H.KCODE = D.KAR_KCODE AND H.HCODE = D.KAR_HCODE);
    UPDATE TEKDIC D SET KAS_HCODE = NULL
     WHERE KAS_HCODE IS NOT NULL
       AND NOT EXISTS (SELECT 1 FROM HOJOMST H WHERE H.KCODE = D.KAS_KCODE AND H.HCODE = D.KAS_HCODE);
    UPDATE TEKDIC D SET KAR_BCODE = NULL
     WHERE KAR_BCODE IS NOT NULL AND NOT EXISTS (SELECT 1 FROM BUMONMST B WHERE B.BCODE = D.KAR_BCODE);
    UPDATE TEKDIC D SET KAS_BCODE = NULL
     WHERE KAS_BCODE IS NOT NULL AND NOT EXISTS (SELECT 1 FROM BUMONMST B WHERE B.BCODE = D.KAS_BCODE);
END ^

/* The same check for the business-partner dictionary. */
CREATE PROCEDURE SP_SEIGO_TORDIC
AS
BEGIN
    UPDATE TORDIC D SET KAR_HCODE = NULL
     WHERE KAR_HCODE IS NOT NULL
       AND NOT EXISTS (SELECT 1 FROM HOJOMST H WHERE H.KCODE = D.KAR_KCODE AND H.HCODE = D.KAR_HCODE);
    UPDATE TORDIC D SET KAS_HCODE = NULL
     WHERE KAS_HCODE IS NOT NULL
       AND NOT EXISTS (SELECT 1 FROM HOJOMST H WHERE H.KCODE = D.KAS_KCODE AND H.HCODE = D.KAS_HCODE);
    UPDATE TORDIC D SET KAR_BCODE = NULL
     WHERE KAR_BCODE IS NOT NULL AND NOT EXISTS (SELECT 1 FROM BUMONMST B WHERE B.BCODE = D.KAR_BCODE);
    UPDATE TORDIC D SET KAS_BCODE = NULL
     WHERE KAS_BCODE IS NOT NULL AND NOT EXISTS (SELECT 1 FROM BUMONMST B WHERE B.BCODE = D.KAS_BCODE);
END ^

SET TERM ; ^


/* ------------------------------------------------------------------------
 * Trial balances, journal edits, budgets and carry-forward in their
 * delivered forms. Later updates alter each of them (ALTER needs them
 * here); none of them reads KAMOKU_VIEW.
 * --------------------------------------------------------------------- */

SET TERM ^ ;

/* Adds consumption tax to the amounts of a suspense tax account, as the
   trial balances of the updates call it: PTKCODE 1 adds the tax received
   (KAMOKU_TAX KKUBUN 1), 2 the tax paid, per period MNUM 1 to 16. The
   totals are those of every facility when PSISCODE and PBUMCODE are both
   empty, of the facility PSISCODE when only PBUMCODE is empty, and of the
   facility and department otherwise; the department's totals are then
   multiplied by the ratio HAIBUNnn of their period and rounded half up
   (FLOOR(0.5 + x)), the share of a common department the caller
   allocates. Always one row; amounts without tax rows come back unchanged. */
CREATE PROCEDURE SP_ZEIGAKU_ADD (
    PSISCODE VARCHAR(6) CHARACTER SET ASCII,
    PBUMCODE VARCHAR(6) CHARACTER SET ASCII,
    PTKCODE INTEGER,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */HAIBUN{NN} NUMERIC(16,4)/*@ END */)
RETURNS (
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */RKAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */RKAS{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VKAR NUMERIC(16,4);
DECLARE VARIABLE VKAS NUMERIC(16,4);
DECLARE VARIABLE VRATE NUMERIC(16,4);
BEGIN
    /*@ FOR N IN 1..16 JOIN " " WRAP 4 */RKAR{NN} = COALESCE(KAR{NN}, 0);/*@ END */
    /*@ FOR N IN 1..16 JOIN " " WRAP 4 */RKAS{NN} = COALESCE(KAS{NN}, 0);/*@ END */
    PSISCODE = COALESCE(PSISCODE, '');
    PBUMCODE = COALESCE(PBUMCODE, '');
    FOR SELECT T.MNUM, COALESCE(SUM(T.KAR), 0), COALESCE(SUM(T.KAS), 0)
          FROM KAMOKU_TAX T
         WHERE T.KKUBUN = :PTKCODE
           AND (:PSISCODE = '' OR T.SCODE = :PSISCODE)
           AND (:PBUMCODE = '' OR T.BCODE = :PBUMCODE)
         GROUP BY T.MNUM
          INTO :VMNUM, :VKAR, :VKAS DO
    BEGIN
        IF (PBUMCODE <> '') THEN
        BEGIN
            VRATE = COALESCE(CASE VMNUM /*@ FOR N IN 1..16 JOIN " " */WHEN {N} THEN HAIBUN{NN}/*@ END */ END, 0);
            VKAR = FLOOR(0.5 + VKAR * VRATE);
            VKAS = FLOOR(0.5 + VKAS * VRATE);
        END
        /*@ FOR N IN 1..16 JOIN "\nELSE " */IF (VMNUM = {N}) THEN BEGIN RKAR{NN} = RKAR{NN} + VKAR; RKAS{NN} = RKAS{NN} + VKAS; END/*@ END */
    END
    SUSPEND;
END ^

/*@ FOR F IN A4, A3 */
/* The {F} layout trial balance of all facilities (PSCODE empty) or of one,
   optionally limited to the facilities of the facility group PSITENGROUP:
   one row per line of EXTER{F} (KGROUP, SUBREC order) to which at least one
   account (KAMOKUMST.EXT1_{F} = the line's REC, KCODE order) with balance
   rows in those facilities contributes. KAISIZAN is the opening balance,
   KARnn/KASnn the debit and credit movements of period nn with tax (PTAX
   0) or without (PTAX 1); without tax the accounts "仮受消費税" and
   "仮払消費税" get the tax totals of KAMOKU_TAX (KKUBUN 1 and 2) of the
   same facilities. A line of one account takes its codes and name; a line
   of several gets the codes "-" and its own name KNAME1. GROUPM1, GROUPM2,
   BSPL and TAISHAKU are those of the line's last account. Later updates
   alter it. */
CREATE PROCEDURE SP_SISANHYO_{F} (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PSITENGROUP VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    MSTREC INTEGER,
    SUBREC INTEGER,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BSPL VARCHAR(1) CHARACTER SET ASCII,
    TAISHAKU INTEGER,
    KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKNAME1 VARCHAR(20);
DECLARE VARIABLE VCOUNT INTEGER;
DECLARE VARIABLE VROWS INTEGER;
DECLARE VARIABLE VZ NUMERIC(16,4);
DECLARE VARIABLE VK VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VU VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VN VARCHAR(14);
DECLARE VARIABLE VG1 VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VG2 VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBP VARCHAR(1) CHARACTER SET ASCII;
DECLARE VARIABLE VDAC INTEGER;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE A{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE B{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    PTAX = COALESCE(PTAX, 0);
    PSCODE = COALESCE(PSCODE, '');
    PSITENGROUP = COALESCE(PSITENGROUP, '');
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;
    FOR SELECT L.REC, L.SUBREC, L.KNAME1 FROM EXTER{F} L ORDER BY L.KGROUP, L.SUBREC, L.REC
         INTO :MSTREC, :SUBREC, :VKNAME1 DO
    BEGIN
        VCOUNT = 0;
        KAISIZAN = 0;
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAR{NN} = 0;/*@ END */
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAS{NN} = 0;/*@ END */
        FOR SELECT K.KCODE, K.USERCODE, K.KNAME, K.GROUPM1, K.GROUPM2, K.BPFLG, K.DAC
              FROM KAMOKUMST K
             WHERE K.EXT1_{F} = :MSTREC
             ORDER BY K.KCODE
              INTO :VK, :VU, :VN, :VG1, :VG2, :VBP, :VDAC DO
        BEGIN
            SELECT COUNT(*), COALESCE(SUM(Z.KAISIZAN), 0) FROM KAMOKU_SZ Z
             WHERE Z.KCODE = :VK
               AND (:PSCODE = '' OR Z.SCODE = :PSCODE)
               AND (:PSITENGROUP = '' OR Z.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSITENGROUP))
              INTO :VROWS, :VZ;
            IF (VROWS > 0) THEN
            BEGIN
                VCOUNT = VCOUNT + 1;
                KAISIZAN = KAISIZAN + VZ;
                SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
                  FROM KAMOKU_MS M
                 WHERE M.KCODE = :VK AND (:PSCODE = '' OR M.SCODE = :PSCODE)
                     AND (:PSITENGROUP = '' OR M.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSITENGROUP))
                  INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAR{NN} = KAR{NN} + A{NN};/*@ END */
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAS{NN} = KAS{NN} + B{NN};/*@ END */
                IF (PTAX = 1 AND VK <> '' AND (VK = VKARIUKE OR VK = VKARIBARAI)) THEN
                BEGIN
                    SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(T.MNUM = {N}, T.KAR, 0)), 0)/*@ END */,
                           /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(T.MNUM = {N}, T.KAS, 0)), 0)/*@ END */
                      FROM KAMOKU_TAX T
                     WHERE T.KKUBUN = IIF(:VK = :VKARIUKE, 1, 2) AND (:PSCODE = '' OR T.SCODE = :PSCODE)
                         AND (:PSITENGROUP = '' OR T.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSITENGROUP))
                      INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                           /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                    /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAR{NN} = KAR{NN} + A{NN};/*@ END */
                    /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAS{NN} = KAS{NN} + B{NN};/*@ END */
                END
            END
        END
        IF (VCOUNT > 0) THEN
        BEGIN
            /* One account on the line: its codes and name; several: codes
               "-" and the line's own name (else the last account's). */
            IF (VCOUNT = 1) THEN
            BEGIN
                USERCODE = VU; KCODE = VK; KNAME = VN;
            END
            ELSE
            BEGIN
                USERCODE = '-'; KCODE = '-'; KNAME = IIF(COALESCE(VKNAME1, '') = '', VN, VKNAME1);
            END
            GROUPM1 = VG1; GROUPM2 = VG2; BSPL = VBP; TAISHAKU = VDAC;
            SUSPEND;
        END
    END
END ^

/*@ END */
/*@ FOR F IN A4, A3 */
/* The {F} layout trial balance of one department PBCODE of the facility
   PSCODE: one row per line of EXTER{F} that an account of the line has
   balance rows for, in the department or, allocating (PHIBUN 1), in the
   common department '00'. The account's ratios are HAIBUN01-16 x 0.01 of
   its own row (HCODE ' ') in PBCODE. Allocating, '00' keeps FLOOR(0.5 +
   amount x ratio) of its own amounts and any other department adds
   FLOOR(0.5 + amount of '00' x ratio) to its own; the opening balance
   uses the ratio of period 1, or for books that start later in the year
   (ACCDEF1.KAISINO > 1) that of the period before the start month.
   Without tax (PTAX 1) the suspense tax accounts get their tax through
   SP_ZEIGAKU_ADD in the same way. Codes and names as in the layout trial
   balance of all departments. Later updates alter it. */
CREATE PROCEDURE SP_SISANHYO_BUMON_{F} (
    PTAX INTEGER,
    PHIBUN INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    MSTREC INTEGER,
    SUBREC INTEGER,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BSPL VARCHAR(1) CHARACTER SET ASCII,
    TAISHAKU INTEGER,
    KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKNAME1 VARCHAR(20);
DECLARE VARIABLE VCOUNT INTEGER;
DECLARE VARIABLE VROWS INTEGER;
DECLARE VARIABLE VZ NUMERIC(16,4);
DECLARE VARIABLE VK VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VU VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VN VARCHAR(14);
DECLARE VARIABLE VG1 VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VG2 VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBP VARCHAR(1) CHARACTER SET ASCII;
DECLARE VARIABLE VDAC INTEGER;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE A{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE B{NN} NUMERIC(16,4);
/*@ END */
DECLARE VARIABLE VZ00 NUMERIC(16,4);
DECLARE VARIABLE VKAISINO INTEGER;
DECLARE VARIABLE VRATE NUMERIC(16,4);
DECLARE VARIABLE VKIND INTEGER;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE R{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE C{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE D{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    PTAX = COALESCE(PTAX, 0);
    PHIBUN = COALESCE(PHIBUN, 0);
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;
    SELECT COALESCE(KAISINO, 1) FROM ACCDEF1 WHERE REC = 1 INTO :VKAISINO;
    FOR SELECT L.REC, L.SUBREC, L.KNAME1 FROM EXTER{F} L ORDER BY L.KGROUP, L.SUBREC, L.REC
         INTO :MSTREC, :SUBREC, :VKNAME1 DO
    BEGIN
        VCOUNT = 0;
        KAISIZAN = 0;
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAR{NN} = 0;/*@ END */
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAS{NN} = 0;/*@ END */
        FOR SELECT K.KCODE, K.USERCODE, K.KNAME, K.GROUPM1, K.GROUPM2, K.BPFLG, K.DAC
              FROM KAMOKUMST K
             WHERE K.EXT1_{F} = :MSTREC
             ORDER BY K.KCODE
              INTO :VK, :VU, :VN, :VG1, :VG2, :VBP, :VDAC DO
        BEGIN
            SELECT COUNT(*) FROM KAMOKU_SZ Z
             WHERE Z.SCODE = :PSCODE AND Z.KCODE = :VK
               AND (Z.BCODE = :PBCODE OR (:PHIBUN = 1 AND Z.BCODE = '00'))
              INTO :VROWS;
            IF (VROWS > 0) THEN
            BEGIN
                VCOUNT = VCOUNT + 1;
                /*@ FOR N IN 1..16 JOIN " " WRAP 8 */R{NN} = 0;/*@ END */
                SELECT /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */HAIBUN{NN} * 0.01/*@ END */
                  FROM KAMOKU_SZ
                 WHERE SCODE = :PSCODE AND KCODE = :VK AND HCODE = ' ' AND BCODE = :PBCODE
                  INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */;
                SELECT COALESCE(SUM(IIF(BCODE = :PBCODE, KAISIZAN, 0)), 0),
                       COALESCE(SUM(IIF(BCODE = '00', KAISIZAN, 0)), 0)
                  FROM KAMOKU_SZ
                 WHERE SCODE = :PSCODE AND KCODE = :VK
                  INTO :VZ, :VZ00;
                VRATE = COALESCE(IIF(VKAISINO <= 1, R01, CASE VKAISINO WHEN 2 THEN R01 WHEN 3 THEN R02 WHEN 4 THEN R03 WHEN 5 THEN R05 WHEN 6 THEN R06 WHEN 7 THEN R07 WHEN 8 THEN R09 WHEN 9 THEN R10 WHEN 10 THEN R11 WHEN 11 THEN R13 WHEN 12 THEN R14 ELSE R01 END), 0);
                IF (PHIBUN = 1 AND PBCODE = '00') THEN
                    KAISIZAN = KAISIZAN + FLOOR(0.5 + VZ * VRATE);
                ELSE IF (PHIBUN = 1) THEN
                    KAISIZAN = KAISIZAN + VZ + FLOOR(0.5 + VZ00 * VRATE);
                ELSE
                    KAISIZAN = KAISIZAN + VZ;
                SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
                  FROM KAMOKU_MS M
                 WHERE M.SCODE = :PSCODE AND M.KCODE = :VK AND M.BCODE = :PBCODE
                  INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                IF (PHIBUN = 1 AND PBCODE = '00') THEN
                BEGIN
                    /*@ FOR N IN 1..16 JOIN " " WRAP 3 */A{NN} = FLOOR(0.5 + A{NN} * COALESCE(R{NN}, 0));/*@ END */
                    /*@ FOR N IN 1..16 JOIN " " WRAP 3 */B{NN} = FLOOR(0.5 + B{NN} * COALESCE(R{NN}, 0));/*@ END */
                END
                VKIND = IIF(VK = VKARIUKE, 1, IIF(VK = VKARIBARAI, 2, 0));
                IF (PTAX = 1 AND VK <> '' AND VKIND > 0) THEN
                BEGIN
                    IF (PHIBUN = 1 AND PBCODE = '00') THEN
                        EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:PSCODE, :PBCODE, :VKIND,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */)
                            RETURNING_VALUES /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                                             /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                    ELSE
                        EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:PSCODE, :PBCODE, :VKIND,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " */1/*@ END */)
                            RETURNING_VALUES /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                                             /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                END
                IF (PHIBUN = 1 AND PBCODE <> '00') THEN
                BEGIN
                    SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
                           /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
                      FROM KAMOKU_MS M
                     WHERE M.SCODE = :PSCODE AND M.KCODE = :VK AND M.BCODE = '00'
                      INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:C{NN}/*@ END */,
                           /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:D{NN}/*@ END */;
                    /*@ FOR N IN 1..16 JOIN " " WRAP 2 */A{NN} = A{NN} + FLOOR(0.5 + C{NN} * COALESCE(R{NN}, 0));/*@ END */
                    /*@ FOR N IN 1..16 JOIN " " WRAP 2 */B{NN} = B{NN} + FLOOR(0.5 + D{NN} * COALESCE(R{NN}, 0));/*@ END */
                    IF (PTAX = 1 AND VK <> '' AND VKIND > 0) THEN
                        EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:PSCODE, '00', :VKIND,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */)
                            RETURNING_VALUES /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                                             /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                END
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAR{NN} = KAR{NN} + A{NN};/*@ END */
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAS{NN} = KAS{NN} + B{NN};/*@ END */
            END
        END
        IF (VCOUNT > 0) THEN
        BEGIN
            /* One account on the line: its codes and name; several: codes
               "-" and the line's own name (else the last account's). */
            IF (VCOUNT = 1) THEN
            BEGIN
                USERCODE = VU; KCODE = VK; KNAME = VN;
            END
            ELSE
            BEGIN
                USERCODE = '-'; KCODE = '-'; KNAME = IIF(COALESCE(VKNAME1, '') = '', VN, VKNAME1);
            END
            GROUPM1 = VG1; GROUPM2 = VG2; BSPL = VBP; TAISHAKU = VDAC;
            SUSPEND;
        END
    END
END ^

/*@ END */
/* The settlement trial balance of all facilities: one row per line of
   EXTERKS (KGROUP, SUBREC order) with at least one account (EXT1_KS = the
   line's REC) that has balance rows, amounts as in the layout trial
   balances, and ZANM15 ... ZANM00 the balances of the previous year's
   periods (KAMOKU_PZ MNUM -15 ... 0: NUKIZAN plus ZEIGAKU, the tax part
   left out without tax except for the two suspense tax accounts). Later
   updates alter it. */
CREATE PROCEDURE SP_SISANHYO_KESSAN (
    PTAX INTEGER)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    MSTREC INTEGER,
    SUBREC INTEGER,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BSPL VARCHAR(1) CHARACTER SET ASCII,
    TAISHAKU INTEGER,
    KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 15..0 JOIN ", " WRAP 4 */ZANM{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKNAME1 VARCHAR(20);
DECLARE VARIABLE VCOUNT INTEGER;
DECLARE VARIABLE VROWS INTEGER;
DECLARE VARIABLE VZ NUMERIC(16,4);
DECLARE VARIABLE VK VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VU VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VN VARCHAR(14);
DECLARE VARIABLE VG1 VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VG2 VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBP VARCHAR(1) CHARACTER SET ASCII;
DECLARE VARIABLE VDAC INTEGER;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE A{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE B{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 15..0 */
DECLARE VARIABLE P{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    PTAX = COALESCE(PTAX, 0);
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;
    FOR SELECT L.REC, L.SUBREC, L.KNAME1 FROM EXTERKS L ORDER BY L.KGROUP, L.SUBREC, L.REC
         INTO :MSTREC, :SUBREC, :VKNAME1 DO
    BEGIN
        VCOUNT = 0;
        KAISIZAN = 0;
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAR{NN} = 0;/*@ END */
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAS{NN} = 0;/*@ END */
        /*@ FOR N IN 15..0 JOIN " " WRAP 8 */ZANM{NN} = 0;/*@ END */
        FOR SELECT K.KCODE, K.USERCODE, K.KNAME, K.GROUPM1, K.GROUPM2, K.BPFLG, K.DAC
              FROM KAMOKUMST K
             WHERE K.EXT1_KS = :MSTREC
             ORDER BY K.KCODE
              INTO :VK, :VU, :VN, :VG1, :VG2, :VBP, :VDAC DO
        BEGIN
            SELECT COUNT(*), COALESCE(SUM(Z.KAISIZAN), 0) FROM KAMOKU_SZ Z WHERE Z.KCODE = :VK INTO :VROWS, :VZ;
            IF (VROWS > 0) THEN
            BEGIN
                VCOUNT = VCOUNT + 1;
                KAISIZAN = KAISIZAN + VZ;
                SELECT /*@ FOR N IN -15..0 JOIN ",\n" */COALESCE(SUM(IIF(P.MNUM = {N}, P.NUKIZAN + IIF(:PTAX = 1 AND NOT (:VK <> '' AND (:VK = :VKARIUKE OR :VK = :VKARIBARAI)), 0, P.ZEIGAKU), 0)), 0)/*@ END */
                  FROM KAMOKU_PZ P
                 WHERE P.KCODE = :VK
                  INTO /*@ FOR N IN 15..0 JOIN ", " WRAP 8 */:P{NN}/*@ END */;
                /*@ FOR N IN 15..0 JOIN " " WRAP 4 */ZANM{NN} = ZANM{NN} + P{NN};/*@ END */
                SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
                  FROM KAMOKU_MS M
                 WHERE M.KCODE = :VK
                  INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAR{NN} = KAR{NN} + A{NN};/*@ END */
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAS{NN} = KAS{NN} + B{NN};/*@ END */
                IF (PTAX = 1 AND VK <> '' AND (VK = VKARIUKE OR VK = VKARIBARAI)) THEN
                BEGIN
                    SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(T.MNUM = {N}, T.KAR, 0)), 0)/*@ END */,
                           /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(T.MNUM = {N}, T.KAS, 0)), 0)/*@ END */
                      FROM KAMOKU_TAX T
                     WHERE T.KKUBUN = IIF(:VK = :VKARIUKE, 1, 2)
                      INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                           /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                    /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAR{NN} = KAR{NN} + A{NN};/*@ END */
                    /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAS{NN} = KAS{NN} + B{NN};/*@ END */
                END
            END
        END
        IF (VCOUNT > 0) THEN
        BEGIN
            /* One account on the line: its codes and name; several: codes
               "-" and the line's own name (else the last account's). */
            IF (VCOUNT = 1) THEN
            BEGIN
                USERCODE = VU; KCODE = VK; KNAME = VN;
            END
            ELSE
            BEGIN
                USERCODE = '-'; KCODE = '-'; KNAME = IIF(COALESCE(VKNAME1, '') = '', VN, VKNAME1);
            END
            GROUPM1 = VG1; GROUPM2 = VG2; BSPL = VBP; TAISHAKU = VDAC;
            SUSPEND;
        END
    END
END ^

/* Edits a journal entry and keeps its history: the stored debit row REC
   (TAISHAKU 1) is compared with the new values. An entry deleted
   meanwhile (DELFLG 1, or no such row) gives UPREC -1, one replaced
   meanwhile (DELFLG 2) UPREC -2 and NEWREC = the debit REC of its live
   version; nothing is written then. When none of the history fields
   changed (date, settlement flag, numbers, facility, both sides' account,
   sub-account, department, names, tax code, amount and tax, the totals,
   texts and calculation flags) both rows only take the day numbers,
   sticky notes, comments, link and local flag, and keep REC, SWKREC and
   SWKNO. Otherwise both old rows are marked replaced (DELFLG 2) and a new
   entry n from SIWAKE_REC_GEN is written as in SP_SIWAKE_INS (rows 2n - 1
   and 2n, the old SITREC); a changed date moves the whole history to the
   new number (SWKNO = n). L_KCODE and R_KCODE carry user account codes.
   The journal writer calls it with its fields in this order; update 2.0.4
   alters it. */
CREATE PROCEDURE SP_SIWAKE_UPD (
    REC INTEGER,
    SWKREC INTEGER,
    SWKNO INTEGER,
    DELFLG INTEGER,
    HIZUKE DATE,
    MNUM INTEGER,
    KESSAN INTEGER,
    SDAYNUM INTEGER,
    MDAYNUM INTEGER,
    DNUM INTEGER,
    SNUM INTEGER,
    SCODE VARCHAR(6) CHARACTER SET ASCII,
    L_KGROUP VARCHAR(6) CHARACTER SET ASCII,
    L_KCODE VARCHAR(6) CHARACTER SET ASCII,
    L_HCODE VARCHAR(6) CHARACTER SET ASCII,
    L_BCODE VARCHAR(6) CHARACTER SET ASCII,
    L_KNAME VARCHAR(14),
    L_HNAME VARCHAR(14),
    L_BNAME VARCHAR(14),
    L_TAXCODE INTEGER,
    L_TAXUH INTEGER,
    L_TAXDC INTEGER,
    L_NUK NUMERIC(16,4),
    L_ZEI NUMERIC(16,4),
    L_RIT NUMERIC(16,4),
    L_SIKIN INTEGER,
    R_KGROUP VARCHAR(6) CHARACTER SET ASCII,
    R_KCODE VARCHAR(6) CHARACTER SET ASCII,
    R_HCODE VARCHAR(6) CHARACTER SET ASCII,
    R_BCODE VARCHAR(6) CHARACTER SET ASCII,
    R_KNAME VARCHAR(14),
    R_HNAME VARCHAR(14),
    R_BNAME VARCHAR(14),
    R_TAXCODE INTEGER,
    R_TAXUH INTEGER,
    R_TAXDC INTEGER,
    R_NUK NUMERIC(16,4),
    R_ZEI NUMERIC(16,4),
    R_RIT NUMERIC(16,4),
    R_SIKIN INTEGER,
    KINGAKU NUMERIC(16,4),
    ZEIGAKU NUMERIC(16,4),
    ZEIRITUNO INTEGER,
    AUTCALCU INTEGER,
    TAXCALCU INTEGER,
    OLDRATE INTEGER,
    TEKCODE INTEGER,
    TEKTEXT VARCHAR(50),
    TORCODE INTEGER,
    TORTEXT VARCHAR(20),
    FUSEN1 INTEGER,
    FUSEN2 INTEGER,
    FUSEN3 INTEGER,
    FUSEN4 INTEGER,
    FUSEN5 INTEGER,
    CTIME TIMESTAMP,
    COMMENT VARCHAR(50),
    AO_COMMENT VARCHAR(50),
    LINKKEY VARCHAR(20),
    LINKKUB INTEGER,
    LINKREC INTEGER,
    LOCALFLG INTEGER,
    RESERVE1 INTEGER,
    RESERVE2 INTEGER,
    OPCODE INTEGER)
RETURNS (
    NEWREC INTEGER,
    NEWSWKREC INTEGER,
    NEWSWKNO INTEGER,
    UPREC INTEGER)
AS
DECLARE VARIABLE VLKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VRKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VDELFLG INTEGER;
DECLARE VARIABLE VOLDSWKREC INTEGER;
DECLARE VARIABLE VOLDSWKNO INTEGER;
DECLARE VARIABLE VSITREC INTEGER;
DECLARE VARIABLE VN INTEGER;
DECLARE VARIABLE VNOW TIMESTAMP;
DECLARE VARIABLE O_HIZUKE DATE;
DECLARE VARIABLE O_KESSAN INTEGER;
DECLARE VARIABLE O_DNUM INTEGER;
DECLARE VARIABLE O_SNUM INTEGER;
DECLARE VARIABLE O_SCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE O_KCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE O_KNAME VARCHAR(14);
DECLARE VARIABLE O_HCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE O_HNAME VARCHAR(14);
DECLARE VARIABLE O_BCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE O_BNAME VARCHAR(14);
DECLARE VARIABLE O_TAXCODE INTEGER;
DECLARE VARIABLE O_NUK NUMERIC(16,4);
DECLARE VARIABLE O_ZEI NUMERIC(16,4);
DECLARE VARIABLE O_R_KCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE O_R_KNAME VARCHAR(14);
DECLARE VARIABLE O_R_HCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE O_R_HNAME VARCHAR(14);
DECLARE VARIABLE O_R_BCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE O_R_BNAME VARCHAR(14);
DECLARE VARIABLE O_R_TAXCODE INTEGER;
DECLARE VARIABLE O_R_NUK NUMERIC(16,4);
DECLARE VARIABLE O_R_ZEI NUMERIC(16,4);
DECLARE VARIABLE O_KINGAKU NUMERIC(16,4);
DECLARE VARIABLE O_ZEIGAKU NUMERIC(16,4);
DECLARE VARIABLE O_TEKTEXT VARCHAR(50);
DECLARE VARIABLE O_TORTEXT VARCHAR(20);
DECLARE VARIABLE O_AUTCALCU INTEGER;
DECLARE VARIABLE O_TAXCALCU INTEGER;
DECLARE VARIABLE O_OLDRATE INTEGER;
BEGIN
    NEWREC = -1;
    NEWSWKREC = 0;
    NEWSWKNO = SWKNO;
    UPREC = 0;
    VLKCODE = NULL;
    SELECT FIRST 1 KCODE FROM KAMOKUMST WHERE USERCODE = :L_KCODE ORDER BY KCODE INTO :VLKCODE;
    VLKCODE = COALESCE(VLKCODE, L_KCODE);
    VRKCODE = NULL;
    SELECT FIRST 1 KCODE FROM KAMOKUMST WHERE USERCODE = :R_KCODE ORDER BY KCODE INTO :VRKCODE;
    VRKCODE = COALESCE(VRKCODE, R_KCODE);

    VDELFLG = NULL;
    SELECT S.DELFLG, S.SWKREC, S.SWKNO, S.SITREC,
           S.HIZUKE, S.KESSAN, S.DNUM, S.SNUM, S.SCODE, S.KCODE, S.KNAME, S.HCODE, S.HNAME, S.BCODE, S.BNAME, S.TAXCODE, S.NUK, S.ZEI, S.R_KCODE, S.R_KNAME, S.R_HCODE, S.R_HNAME, S.R_BCODE, S.R_BNAME, S.R_TAXCODE, S.R_NUK, S.R_ZEI, S.KINGAKU, S.ZEIGAKU, S.TEKTEXT, S.TORTEXT, S.AUTCALCU, S.TAXCALCU, S.OLDRATE
      FROM SIWAKE S
     WHERE S.REC = :REC AND S.TAISHAKU = 1
      INTO :VDELFLG, :VOLDSWKREC, :VOLDSWKNO, :VSITREC,
           :O_HIZUKE, :O_KESSAN, :O_DNUM, :O_SNUM, :O_SCODE, :O_KCODE, :O_KNAME, :O_HCODE,
           :O_HNAME, :O_BCODE, :O_BNAME, :O_TAXCODE, :O_NUK, :O_ZEI, :O_R_KCODE, :O_R_KNAME,
           :O_R_HCODE, :O_R_HNAME, :O_R_BCODE, :O_R_BNAME, :O_R_TAXCODE, :O_R_NUK, :O_R_ZEI, :O_KINGAKU,
           :O_ZEIGAKU, :O_TEKTEXT, :O_TORTEXT, :O_AUTCALCU, :O_TAXCALCU, :O_OLDRATE;
    /* An entry that is gone altogether counts as deleted. */
    IF (VDELFLG IS NULL OR VDELFLG = 1) THEN
    BEGIN
        UPREC = -1;
        SUSPEND;
        EXIT;
    END
    IF (VDELFLG = 2) THEN
    BEGIN
        UPREC = -2;
        SELECT FIRST 1 S.REC FROM SIWAKE S
         WHERE S.SWKNO = :VOLDSWKNO AND S.DELFLG = 0 AND S.TAISHAKU = 1
         ORDER BY S.REC DESC
          INTO :NEWREC;
        SUSPEND;
        EXIT;
    END

    IF (NOT (O_HIZUKE IS DISTINCT FROM HIZUKE
           OR O_KESSAN IS DISTINCT FROM KESSAN
           OR O_DNUM IS DISTINCT FROM DNUM
           OR O_SNUM IS DISTINCT FROM SNUM
           OR O_SCODE IS DISTINCT FROM SCODE
           OR O_KCODE IS DISTINCT FROM VLKCODE
           OR O_KNAME IS DISTINCT FROM L_KNAME
           OR O_HCODE IS DISTINCT FROM L_HCODE
           OR O_HNAME IS DISTINCT FROM L_HNAME
           OR O_BCODE IS DISTINCT FROM L_BCODE
           OR O_BNAME IS DISTINCT FROM L_BNAME
           OR O_TAXCODE IS DISTINCT FROM L_TAXCODE
           OR O_NUK IS DISTINCT FROM L_NUK
           OR O_ZEI IS DISTINCT FROM L_ZEI
           OR O_R_KCODE IS DISTINCT FROM VRKCODE
           OR O_R_KNAME IS DISTINCT FROM R_KNAME
           OR O_R_HCODE IS DISTINCT FROM R_HCODE
           OR O_R_HNAME IS DISTINCT FROM R_HNAME
           OR O_R_BCODE IS DISTINCT FROM R_BCODE
           OR O_R_BNAME IS DISTINCT FROM R_BNAME
           OR O_R_TAXCODE IS DISTINCT FROM R_TAXCODE
           OR O_R_NUK IS DISTINCT FROM R_NUK
           OR O_R_ZEI IS DISTINCT FROM R_ZEI
           OR O_KINGAKU IS DISTINCT FROM KINGAKU
           OR O_ZEIGAKU IS DISTINCT FROM ZEIGAKU
           OR O_TEKTEXT IS DISTINCT FROM TEKTEXT
           OR O_TORTEXT IS DISTINCT FROM TORTEXT
           OR O_AUTCALCU IS DISTINCT FROM AUTCALCU
           OR O_TAXCALCU IS DISTINCT FROM TAXCALCU
           OR O_OLDRATE IS DISTINCT FROM OLDRATE)) THEN
    BEGIN
        UPDATE SIWAKE
           SET SDAYNUM = :SDAYNUM, MDAYNUM = :MDAYNUM, FUSEN1 = :FUSEN1, FUSEN2 = :FUSEN2, FUSEN3 = :FUSEN3,
               FUSEN4 = :FUSEN4, FUSEN5 = :FUSEN5, CTIME = :CTIME, COMMENT = :COMMENT, AO_COMMENT = :AO_COMMENT,
               LINKKEY = :LINKKEY, LINKKUB = :LINKKUB, LINKREC = :LINKREC, LOCALFLG = :LOCALFLG
         WHERE SWKREC = :VOLDSWKREC;
        NEWREC = REC;
        NEWSWKREC = VOLDSWKREC;
        NEWSWKNO = VOLDSWKNO;
        SUSPEND;
        EXIT;
    END

    /* A new version: the old rows leave the totals (update trigger), the
       new ones enter them (insert trigger). */
    UPDATE SIWAKE SET DELFLG = 2 WHERE SWKREC = :VOLDSWKREC AND DELFLG = 0;
    VN = GEN_ID(SIWAKE_REC_GEN, 1);
    VNOW = CURRENT_TIMESTAMP;
    NEWREC = 2 * VN - 1;
    NEWSWKREC = VN;
    NEWSWKNO = VOLDSWKNO;
    INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, KESSAN, SDAYNUM, MDAYNUM, DNUM, SNUM,
                        SCODE, SITREC,
                        KGROUP, KCODE, HCODE, BCODE, KNAME, HNAME, BNAME, TAXCODE, TAXUH, TAXDC, NUK, ZEI, RIT, SIKIN,
                        R_KGROUP, R_KCODE, R_HCODE, R_BCODE, R_KNAME, R_HNAME, R_BNAME, R_TAXCODE, R_TAXUH, R_TAXDC, R_NUK, R_ZEI, R_RIT, R_SIKIN,
                        KINGAKU, ZEIGAKU, ZEIRITUNO, AUTCALCU, TAXCALCU, OLDRATE, TEKCODE, TEKTEXT, TORCODE, TORTEXT, FUSEN1, FUSEN2, FUSEN3, FUSEN4, FUSEN5, CTIME, COMMENT, AO_COMMENT, LINKKEY, LINKKUB, LINKREC, LOCALFLG, RESERVE1, RESERVE2,
                        OPCODE, RTIME)
        VALUES (:NEWREC, :VN, :VOLDSWKNO, 0, 1, :HIZUKE, :MNUM, :KESSAN, :SDAYNUM, :MDAYNUM, :DNUM, :SNUM,
                :SCODE, :VSITREC,
                :L_KGROUP, :VLKCODE, :L_HCODE, :L_BCODE, :L_KNAME, :L_HNAME, :L_BNAME, :L_TAXCODE, :L_TAXUH, :L_TAXDC, :L_NUK, :L_ZEI, :L_RIT, :L_SIKIN,
                :R_KGROUP, :VRKCODE, :R_HCODE, :R_BCODE, :R_KNAME, :R_HNAME, :R_BNAME, :R_TAXCODE, :R_TAXUH, :R_TAXDC, :R_NUK, :R_ZEI, :R_RIT, :R_SIKIN,
                :KINGAKU, :ZEIGAKU, :ZEIRITUNO, :AUTCALCU, :TAXCALCU, :OLDRATE, :TEKCODE, :TEKTEXT, :TORCODE, :TORTEXT, :FUSEN1, :FUSEN2, :FUSEN3, :FUSEN4, :FUSEN5, :CTIME, :COMMENT, :AO_COMMENT, :LINKKEY, :LINKKUB, :LINKREC, :LOCALFLG, :RESERVE1, :RESERVE2,
                :OPCODE, :VNOW);
    INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, KESSAN, SDAYNUM, MDAYNUM, DNUM, SNUM,
                        SCODE, SITREC,
                        KGROUP, KCODE, HCODE, BCODE, KNAME, HNAME, BNAME, TAXCODE, TAXUH, TAXDC, NUK, ZEI, RIT, SIKIN,
                        R_KGROUP, R_KCODE, R_HCODE, R_BCODE, R_KNAME, R_HNAME, R_BNAME, R_TAXCODE, R_TAXUH, R_TAXDC, R_NUK, R_ZEI, R_RIT, R_SIKIN,
                        KINGAKU, ZEIGAKU, ZEIRITUNO, AUTCALCU, TAXCALCU, OLDRATE, TEKCODE, TEKTEXT, TORCODE, TORTEXT, FUSEN1, FUSEN2, FUSEN3, FUSEN4, FUSEN5, CTIME, COMMENT, AO_COMMENT, LINKKEY, LINKKUB, LINKREC, LOCALFLG, RESERVE1, RESERVE2,
                        OPCODE, RTIME)
        VALUES (:NEWREC + 1, :VN, :VOLDSWKNO, 0, 2, :HIZUKE, :MNUM, :KESSAN, :SDAYNUM, :MDAYNUM, :DNUM, :SNUM,
                :SCODE, :VSITREC,
                :R_KGROUP, :VRKCODE, :R_HCODE, :R_BCODE, :R_KNAME, :R_HNAME, :R_BNAME, :R_TAXCODE, :R_TAXUH, :R_TAXDC, :R_NUK, :R_ZEI, :R_RIT, :R_SIKIN,
                :L_KGROUP, :VLKCODE, :L_HCODE, :L_BCODE, :L_KNAME, :L_HNAME, :L_BNAME, :L_TAXCODE, :L_TAXUH, :L_TAXDC, :L_NUK, :L_ZEI, :L_RIT, :L_SIKIN,
                :KINGAKU, :ZEIGAKU, :ZEIRITUNO, :AUTCALCU, :TAXCALCU, :OLDRATE, :TEKCODE, :TEKTEXT, :TORCODE, :TORTEXT, :FUSEN1, :FUSEN2, :FUSEN3, :FUSEN4, :FUSEN5, :CTIME, :COMMENT, :AO_COMMENT, :LINKKEY, :LINKKUB, :LINKREC, :LOCALFLG, :RESERVE1, :RESERVE2,
                :OPCODE, :VNOW);
    IF (O_HIZUKE IS DISTINCT FROM HIZUKE) THEN
    BEGIN
        UPDATE SIWAKE SET SWKNO = :VN WHERE SWKNO = :VOLDSWKNO;
        NEWSWKNO = VN;
    END
    SUSPEND;
END ^

/* Deletes the live journal entry SWKREC: both rows get DELFLG 1 (the
   update trigger takes them out of the totals), the operator OPCODE and
   the time. RESULT is 0. Update 2.0.0 alters it. */
CREATE PROCEDURE SP_SIWAKE_DEL (
    SWKREC INTEGER,
    OPCODE INTEGER)
RETURNS (
    RESULT INTEGER)
AS
BEGIN
    UPDATE SIWAKE SET DELFLG = 1, OPCODE = :OPCODE, RTIME = CURRENT_TIMESTAMP
     WHERE SWKREC = :SWKREC AND DELFLG = 0;
    RESULT = 0;
    SUSPEND;
END ^

/* Rebuilds the totals from the journal. Every account gets its own
   sub-account row (HCODE ' '); every facility, account and department of
   KAMOKU_SZ its own row, and every balance row its period rows (KAMOKU_MS
   1 to 16, KAMOKU_PZ -32 to 15). Empty dictionary references become null,
   partners lose their summary link, and the dictionary checks run. Then
   KAMOKU_MS, KAMOKU_TAX (per department only when ACCDEF1.BUMON is 2) and
   SISETUMST.SIWAKECOUNT are set to the sums of the live journal rows
   (DELFLG 0). RPCNT is the number of live rows. Running it twice gives the
   same totals. Update 1.0.2 alters it. */
CREATE PROCEDURE SP_SIWAKE_REPAIR
RETURNS (
    RPCNT INTEGER)
AS
DECLARE VARIABLE VBUMON INTEGER;
DECLARE VARIABLE VS VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VK VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VH VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VB VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VMNUM INTEGER;
BEGIN
    SELECT COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VBUMON;
    INSERT INTO HOJOMST (KCODE, HCODE, HNAME, TAX_LCODE, TAX_RCODE, BPFLG)
    SELECT K.KCODE, ' ', '', K.TAX_LCODE, K.TAX_RCODE, K.BPFLG FROM KAMOKUMST K
     WHERE NOT EXISTS (SELECT 1 FROM HOJOMST H WHERE H.KCODE = K.KCODE AND H.HCODE = ' ');

    FOR SELECT DISTINCT Z.SCODE, Z.KCODE, Z.BCODE FROM KAMOKU_SZ Z INTO :VS, :VK, :VB DO
        IF (NOT EXISTS (SELECT 1 FROM KAMOKU_SZ Z WHERE Z.SCODE = :VS AND Z.KCODE = :VK AND Z.HCODE = ' '
                                                 AND Z.BCODE = :VB)) THEN
        BEGIN
            DELETE FROM KAMOKU_MS WHERE SCODE = :VS AND KCODE = :VK AND HCODE = ' ' AND BCODE = :VB;
            DELETE FROM KAMOKU_PZ WHERE SCODE = :VS AND KCODE = :VK AND HCODE = ' ' AND BCODE = :VB;
            INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (:VS, :VK, ' ', :VB);
        END
    FOR SELECT Z.SCODE, Z.KCODE, Z.HCODE, Z.BCODE FROM KAMOKU_SZ Z INTO :VS, :VK, :VH, :VB DO
    BEGIN
        VMNUM = -32;
        WHILE (VMNUM <= 16) DO
        BEGIN
            IF (VMNUM >= 1 AND NOT EXISTS (SELECT 1 FROM KAMOKU_MS M
                                            WHERE M.SCODE = :VS AND M.KCODE = :VK AND M.HCODE = :VH
                                              AND M.BCODE = :VB AND M.MNUM = :VMNUM)) THEN
                INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM) VALUES (:VS, :VK, :VH, :VB, :VMNUM);
            IF (VMNUM <= 15 AND NOT EXISTS (SELECT 1 FROM KAMOKU_PZ P
                                             WHERE P.SCODE = :VS AND P.KCODE = :VK AND P.HCODE = :VH
                                               AND P.BCODE = :VB AND P.MNUM = :VMNUM)) THEN
                INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM) VALUES (:VS, :VK, :VH, :VB, :VMNUM);
            VMNUM = VMNUM + 1;
        END
    END

    UPDATE TEKDIC SET KAR_KCODE = NULL WHERE KAR_KCODE = '';
    UPDATE TEKDIC SET KAR_HCODE = NULL WHERE KAR_HCODE = '';
    UPDATE TEKDIC SET KAR_BCODE = NULL WHERE KAR_BCODE = '';
    UPDATE TEKDIC SET KAS_KCODE = NULL WHERE KAS_KCODE = '';
    UPDATE TEKDIC SET KAS_HCODE = NULL WHERE KAS_HCODE = '';
    UPDATE TEKDIC SET KAS_BCODE = NULL WHERE KAS_BCODE = '';
    UPDATE TORDIC SET KAR_KCODE = NULL WHERE KAR_KCODE = '';
    UPDATE TORDIC SET KAR_HCODE = NULL WHERE KAR_HCODE = '';
    UPDATE TORDIC SET KAR_BCODE = NULL WHERE KAR_BCODE = '';
    UPDATE TORDIC SET KAS_KCODE = NULL WHERE KAS_KCODE = '';
    UPDATE TORDIC SET KAS_HCODE = NULL WHERE KAS_HCODE = '';
    UPDATE TORDIC SET KAS_BCODE = NULL WHERE KAS_BCODE = '';
    UPDATE TORDIC SET TEKCODE = NULL;
    EXECUTE PROCEDURE SP_SEIGO_TEKDIC;
    EXECUTE PROCEDURE SP_SEIGO_TORDIC;

    UPDATE KAMOKU_MS M
       SET KAR_NUK = (SELECT COALESCE(SUM(S.NUK), 0) FROM SIWAKE S
                       WHERE S.DELFLG = 0 AND S.TAISHAKU = 1 AND S.SCODE = M.SCODE AND S.KCODE = M.KCODE
                         AND S.HCODE = M.HCODE AND S.BCODE = M.BCODE AND S.MNUM = M.MNUM),
           KAR_TAX = (SELECT COALESCE(SUM(S.ZEI), 0) FROM SIWAKE S
                       WHERE S.DELFLG = 0 AND S.TAISHAKU = 1 AND S.SCODE = M.SCODE AND S.KCODE = M.KCODE
                         AND S.HCODE = M.HCODE AND S.BCODE = M.BCODE AND S.MNUM = M.MNUM),
           KAS_NUK = (SELECT COALESCE(SUM(S.NUK), 0) FROM SIWAKE S
                       WHERE S.DELFLG = 0 AND S.TAISHAKU = 2 AND S.SCODE = M.SCODE AND S.KCODE = M.KCODE
                         AND S.HCODE = M.HCODE AND S.BCODE = M.BCODE AND S.MNUM = M.MNUM),
           KAS_TAX = (SELECT COALESCE(SUM(S.ZEI), 0) FROM SIWAKE S
                       WHERE S.DELFLG = 0 AND S.TAISHAKU = 2 AND S.SCODE = M.SCODE AND S.KCODE = M.KCODE
                         AND S.HCODE = M.HCODE AND S.BCODE = M.BCODE AND S.MNUM = M.MNUM);
    UPDATE KAMOKU_TAX T
       SET KAR = (SELECT COALESCE(SUM(S.ZEI), 0) FROM SIWAKE S
                   WHERE S.DELFLG = 0 AND S.TAISHAKU = 1 AND S.SCODE = T.SCODE AND S.TAXUH = T.KKUBUN
                     AND S.MNUM = T.MNUM AND IIF(:VBUMON = 2, S.BCODE, ' ') = T.BCODE),
           KAS = (SELECT COALESCE(SUM(S.ZEI), 0) FROM SIWAKE S
                   WHERE S.DELFLG = 0 AND S.TAISHAKU = 2 AND S.SCODE = T.SCODE AND S.TAXUH = T.KKUBUN
                     AND S.MNUM = T.MNUM AND IIF(:VBUMON = 2, S.BCODE, ' ') = T.BCODE);
    UPDATE SISETUMST F
       SET SIWAKECOUNT = (SELECT COUNT(*) FROM SIWAKE S
                           WHERE S.DELFLG = 0 AND S.TAISHAKU = 1 AND S.SCODE = F.SCODE);
    SELECT COUNT(*) FROM SIWAKE WHERE DELFLG = 0 INTO :RPCNT;
    SUSPEND;
END ^

/* The journal monitor pages backwards through the debit rows of the
   facility PSCODE by history number: rows with SWKNO <= PSWKNO, in SWKNO,
   SWKREC order, newest first; a row at the position itself passes when its
   SWKREC is <= PSWKREC, or always when PSWKREC is 0 (the position is then
   the newest entry of the facility). PDELFLG1 -1 takes every row, else the
   rows whose DELFLG is one of PDELFLG1 to 3. POFFSET passing rows are
   skipped, then at most PLIMIT (0: 50) are returned; RECORDCNT counts the
   passing rows. Update 1.0.3 alters it. */
CREATE PROCEDURE SP_MONITOR_LISTUP (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PSWKREC INTEGER,
    PSWKNO INTEGER,
    PDELFLG1 INTEGER,
    PDELFLG2 INTEGER,
    PDELFLG3 INTEGER,
    POFFSET INTEGER,
    PLIMIT INTEGER)
RETURNS (
    RECORDCNT INTEGER,
    REC INTEGER,
    SWKREC INTEGER,
    SWKNO INTEGER,
    DELFLG INTEGER,
    TAISHAKU INTEGER,
    HIZUKE DATE,
    MNUM INTEGER,
    KESSAN INTEGER,
    DNUM INTEGER,
    SNUM INTEGER,
    MDAYNUM INTEGER,
    SDAYNUM INTEGER,
    SCODE VARCHAR(6) CHARACTER SET ASCII,
    SITREC INTEGER,
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(28),
    HNAME VARCHAR(28),
    BNAME VARCHAR(28),
    TAXCODE INTEGER,
    TAXUH INTEGER,
    TAXDC INTEGER,
    NUK NUMERIC(16,4),
    ZEI NUMERIC(16,4),
    RIT NUMERIC(16,4),
    SIKIN INTEGER,
    R_KGROUP VARCHAR(6) CHARACTER SET ASCII,
    R_KCODE VARCHAR(6) CHARACTER SET ASCII,
    R_USERCODE VARCHAR(6) CHARACTER SET ASCII,
    R_HCODE VARCHAR(6) CHARACTER SET ASCII,
    R_BCODE VARCHAR(6) CHARACTER SET ASCII,
    R_KNAME VARCHAR(28),
    R_HNAME VARCHAR(28),
    R_BNAME VARCHAR(28),
    R_TAXCODE INTEGER,
    R_TAXUH INTEGER,
    R_TAXDC INTEGER,
    R_NUK NUMERIC(16,4),
    R_ZEI NUMERIC(16,4),
    R_RIT NUMERIC(16,4),
    R_SIKIN INTEGER,
    KINGAKU NUMERIC(16,4),
    ZEIGAKU NUMERIC(16,4),
    ZEIRITUNO INTEGER,
    AUTCALCU INTEGER,
    TAXCALCU INTEGER,
    OLDRATE INTEGER,
    TEKCODE INTEGER,
    TEKTEXT VARCHAR(100),
    TORCODE INTEGER,
    TORTEXT VARCHAR(40),
    FUSEN1 INTEGER,
    FUSEN2 INTEGER,
    FUSEN3 INTEGER,
    FUSEN4 INTEGER,
    FUSEN5 INTEGER,
    CTIME TIMESTAMP,
    COMMENT VARCHAR(100),
    AO_COMMENT VARCHAR(100),
    LINKKEY VARCHAR(40),
    LINKKUB INTEGER,
    LINKREC INTEGER,
    LOCALFLG INTEGER,
    RESERVE1 INTEGER,
    RESERVE2 INTEGER,
    RTIME TIMESTAMP,
    OPCODE INTEGER)
AS
DECLARE VARIABLE VCOUNT INTEGER;
BEGIN
    IF (COALESCE(PLIMIT, 0) <= 0) THEN PLIMIT = 50;
    POFFSET = COALESCE(POFFSET, 0);
    PSWKREC = COALESCE(PSWKREC, 0);
    PSWKNO = COALESCE(PSWKNO, 0);
    IF (PSWKREC = 0) THEN
        SELECT MAX(SWKREC), MAX(SWKNO) FROM SIWAKE WHERE SCODE = :PSCODE INTO :PSWKREC, :PSWKNO;
    IF (PSWKREC IS NULL) THEN
        EXIT;
    RECORDCNT = 0;
    VCOUNT = 0;
    FOR SELECT V.REC, V.SWKREC, V.SWKNO, V.DELFLG, V.TAISHAKU, V.HIZUKE, V.MNUM, V.KESSAN, V.DNUM, V.SNUM,
               V.MDAYNUM, V.SDAYNUM, V.SCODE, V.SITREC, V.KGROUP, V.KCODE, V.USERCODE, V.HCODE, V.BCODE,
               V.KNAME, V.HNAME, V.BNAME, V.TAXCODE, V.TAXUH, V.TAXDC, V.NUK, V.ZEI, V.RIT, V.SIKIN,
               V.R_KGROUP, V.R_KCODE, V.R_USERCODE, V.R_HCODE, V.R_BCODE, V.R_KNAME, V.R_HNAME, V.R_BNAME,
               V.R_TAXCODE, V.R_TAXUH, V.R_TAXDC, V.R_NUK, V.R_ZEI, V.R_RIT, V.R_SIKIN, V.KINGAKU, V.ZEIGAKU,
               V.ZEIRITUNO, V.AUTCALCU, V.TAXCALCU, V.OLDRATE, V.TEKCODE, V.TEKTEXT, V.TORCODE, V.TORTEXT,
               V.FUSEN1, V.FUSEN2, V.FUSEN3, V.FUSEN4, V.FUSEN5, V.CTIME, V.COMMENT, V.AO_COMMENT, V.LINKKEY,
               V.LINKKUB, V.LINKREC, V.LOCALFLG, V.RESERVE1, V.RESERVE2, V.RTIME, V.OPCODE
          FROM SIWAKE_VIEW V
         WHERE V.SCODE = :PSCODE AND V.TAISHAKU = 1 AND V.SWKNO <= :PSWKNO
           AND (:PDELFLG1 = -1 OR V.DELFLG IN (:PDELFLG1, :PDELFLG2, :PDELFLG3))
         ORDER BY V.SWKNO DESC, V.SWKREC DESC
          INTO :REC, :SWKREC, :SWKNO, :DELFLG, :TAISHAKU, :HIZUKE, :MNUM, :KESSAN,
               :DNUM, :SNUM, :MDAYNUM, :SDAYNUM, :SCODE, :SITREC, :KGROUP, :KCODE,
               :USERCODE, :HCODE, :BCODE, :KNAME, :HNAME, :BNAME, :TAXCODE, :TAXUH,
               :TAXDC, :NUK, :ZEI, :RIT, :SIKIN, :R_KGROUP, :R_KCODE, :R_USERCODE,
               :R_HCODE, :R_BCODE, :R_KNAME, :R_HNAME, :R_BNAME, :R_TAXCODE, :R_TAXUH, :R_TAXDC,
               :R_NUK, :R_ZEI, :R_RIT, :R_SIKIN, :KINGAKU, :ZEIGAKU, :ZEIRITUNO, :AUTCALCU,
               :TAXCALCU, :OLDRATE, :TEKCODE, :TEKTEXT, :TORCODE, :TORTEXT, :FUSEN1, :FUSEN2,
               :FUSEN3, :FUSEN4, :FUSEN5, :CTIME, :COMMENT, :AO_COMMENT, :LINKKEY, :LINKKUB,
               :LINKREC, :LOCALFLG, :RESERVE1, :RESERVE2, :RTIME, :OPCODE DO
    BEGIN
        IF (PSWKREC = 0 OR SWKNO < PSWKNO OR SWKREC <= PSWKREC) THEN
        BEGIN
            RECORDCNT = RECORDCNT + 1;
            IF (RECORDCNT > POFFSET) THEN
            BEGIN
                IF (VCOUNT >= PLIMIT) THEN
                    EXIT;
                VCOUNT = VCOUNT + 1;
                SUSPEND;
            END
        END
    END
END ^

/* The journal monitor pages forwards through the debit rows of the
   facility PSCODE by history number: rows with SWKNO >= PSWKNO, in SWKNO,
   SWKREC order; a row at the position itself passes when its SWKREC is >=
   PSWKREC, or always when PSWKREC is 0. PDELFLG1 -1 takes every row, else
   the rows whose DELFLG is one of PDELFLG1 to 3. POFFSET passing rows are
   skipped, then at most PLIMIT (0: 50) are returned; RECORDCNT counts the
   passing rows. Update 1.0.3 alters it. */
CREATE PROCEDURE SP_MONITOR_LISTDOWN (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PSWKREC INTEGER,
    PSWKNO INTEGER,
    PDELFLG1 INTEGER,
    PDELFLG2 INTEGER,
    PDELFLG3 INTEGER,
    POFFSET INTEGER,
    PLIMIT INTEGER)
RETURNS (
    RECORDCNT INTEGER,
    REC INTEGER,
    SWKREC INTEGER,
    SWKNO INTEGER,
    DELFLG INTEGER,
    TAISHAKU INTEGER,
    HIZUKE DATE,
    MNUM INTEGER,
    KESSAN INTEGER,
    DNUM INTEGER,
    SNUM INTEGER,
    MDAYNUM INTEGER,
    SDAYNUM INTEGER,
    SCODE VARCHAR(6) CHARACTER SET ASCII,
    SITREC INTEGER,
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(28),
    HNAME VARCHAR(28),
    BNAME VARCHAR(28),
    TAXCODE INTEGER,
    TAXUH INTEGER,
    TAXDC INTEGER,
    NUK NUMERIC(16,4),
    ZEI NUMERIC(16,4),
    RIT NUMERIC(16,4),
    SIKIN INTEGER,
    R_KGROUP VARCHAR(6) CHARACTER SET ASCII,
    R_KCODE VARCHAR(6) CHARACTER SET ASCII,
    R_USERCODE VARCHAR(6) CHARACTER SET ASCII,
    R_HCODE VARCHAR(6) CHARACTER SET ASCII,
    R_BCODE VARCHAR(6) CHARACTER SET ASCII,
    R_KNAME VARCHAR(28),
    R_HNAME VARCHAR(28),
    R_BNAME VARCHAR(28),
    R_TAXCODE INTEGER,
    R_TAXUH INTEGER,
    R_TAXDC INTEGER,
    R_NUK NUMERIC(16,4),
    R_ZEI NUMERIC(16,4),
    R_RIT NUMERIC(16,4),
    R_SIKIN INTEGER,
    KINGAKU NUMERIC(16,4),
    ZEIGAKU NUMERIC(16,4),
    ZEIRITUNO INTEGER,
    AUTCALCU INTEGER,
    TAXCALCU INTEGER,
    OLDRATE INTEGER,
    TEKCODE INTEGER,
    TEKTEXT VARCHAR(100),
    TORCODE INTEGER,
    TORTEXT VARCHAR(40),
    FUSEN1 INTEGER,
    FUSEN2 INTEGER,
    FUSEN3 INTEGER,
    FUSEN4 INTEGER,
    FUSEN5 INTEGER,
    CTIME TIMESTAMP,
    COMMENT VARCHAR(100),
    AO_COMMENT VARCHAR(100),
    LINKKEY VARCHAR(40),
    LINKKUB INTEGER,
    LINKREC INTEGER,
    LOCALFLG INTEGER,
    RESERVE1 INTEGER,
    RESERVE2 INTEGER,
    RTIME TIMESTAMP,
    OPCODE INTEGER)
AS
DECLARE VARIABLE VCOUNT INTEGER;
BEGIN
    IF (COALESCE(PLIMIT, 0) <= 0) THEN PLIMIT = 50;
    POFFSET = COALESCE(POFFSET, 0);
    PSWKREC = COALESCE(PSWKREC, 0);
    PSWKNO = COALESCE(PSWKNO, 0);
    RECORDCNT = 0;
    VCOUNT = 0;
    FOR SELECT V.REC, V.SWKREC, V.SWKNO, V.DELFLG, V.TAISHAKU, V.HIZUKE, V.MNUM, V.KESSAN, V.DNUM, V.SNUM,
               V.MDAYNUM, V.SDAYNUM, V.SCODE, V.SITREC, V.KGROUP, V.KCODE, V.USERCODE, V.HCODE, V.BCODE,
               V.KNAME, V.HNAME, V.BNAME, V.TAXCODE, V.TAXUH, V.TAXDC, V.NUK, V.ZEI, V.RIT, V.SIKIN,
               V.R_KGROUP, V.R_KCODE, V.R_USERCODE, V.R_HCODE, V.R_BCODE, V.R_KNAME, V.R_HNAME, V.R_BNAME,
               V.R_TAXCODE, V.R_TAXUH, V.R_TAXDC, V.R_NUK, V.R_ZEI, V.R_RIT, V.R_SIKIN, V.KINGAKU, V.ZEIGAKU,
               V.ZEIRITUNO, V.AUTCALCU, V.TAXCALCU, V.OLDRATE, V.TEKCODE, V.TEKTEXT, V.TORCODE, V.TORTEXT,
               V.FUSEN1, V.FUSEN2, V.FUSEN3, V.FUSEN4, V.FUSEN5, V.CTIME, V.COMMENT, V.AO_COMMENT, V.LINKKEY,
               V.LINKKUB, V.LINKREC, V.LOCALFLG, V.RESERVE1, V.RESERVE2, V.RTIME, V.OPCODE
          FROM SIWAKE_VIEW V
         WHERE V.SCODE = :PSCODE AND V.TAISHAKU = 1 AND V.SWKNO >= :PSWKNO
           AND (:PDELFLG1 = -1 OR V.DELFLG IN (:PDELFLG1, :PDELFLG2, :PDELFLG3))
         ORDER BY V.SWKNO , V.SWKREC
          INTO :REC, :SWKREC, :SWKNO, :DELFLG, :TAISHAKU, :HIZUKE, :MNUM, :KESSAN,
               :DNUM, :SNUM, :MDAYNUM, :SDAYNUM, :SCODE, :SITREC, :KGROUP, :KCODE,
               :USERCODE, :HCODE, :BCODE, :KNAME, :HNAME, :BNAME, :TAXCODE, :TAXUH,
               :TAXDC, :NUK, :ZEI, :RIT, :SIKIN, :R_KGROUP, :R_KCODE, :R_USERCODE,
               :R_HCODE, :R_BCODE, :R_KNAME, :R_HNAME, :R_BNAME, :R_TAXCODE, :R_TAXUH, :R_TAXDC,
               :R_NUK, :R_ZEI, :R_RIT, :R_SIKIN, :KINGAKU, :ZEIGAKU, :ZEIRITUNO, :AUTCALCU,
               :TAXCALCU, :OLDRATE, :TEKCODE, :TEKTEXT, :TORCODE, :TORTEXT, :FUSEN1, :FUSEN2,
               :FUSEN3, :FUSEN4, :FUSEN5, :CTIME, :COMMENT, :AO_COMMENT, :LINKKEY, :LINKKUB,
               :LINKREC, :LOCALFLG, :RESERVE1, :RESERVE2, :RTIME, :OPCODE DO
    BEGIN
        IF (PSWKREC = 0 OR SWKNO > PSWKNO OR SWKREC >= PSWKREC) THEN
        BEGIN
            RECORDCNT = RECORDCNT + 1;
            IF (RECORDCNT > POFFSET) THEN
            BEGIN
                IF (VCOUNT >= PLIMIT) THEN
                    EXIT;
                VCOUNT = VCOUNT + 1;
                SUSPEND;
            END
        END
    END
END ^

/* Writes one period's analysis budget (KAMOKU_MS.BYOSAN, cumulative from
   period 1) of a facility, account, sub-account and department. Update
   2.0.0 alters it (a second budget). */
CREATE PROCEDURE SP_UPDATE_YOSANSUB (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PKCODE VARCHAR(6) CHARACTER SET ASCII,
    PHCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PMNO INTEGER,
    PVALUE NUMERIC(16,4))
AS
BEGIN
    UPDATE KAMOKU_MS SET BYOSAN = :PVALUE
     WHERE SCODE = :PSCODE AND KCODE = :PKCODE AND HCODE = :PHCODE AND BCODE = :PBCODE AND MNUM = :PMNO;
END ^

/* Writes twelve month budgets into the sixteen periods of KAMOKU_MS.BYOSAN
   (an empty facility or department is ' '). With PHASSEI 1 the values are
   the months' own amounts and their running total is written; otherwise
   they are running totals already. Each quarter's settlement period (4,
   8, 12, 16) takes the figure of its third month. Update 2.0.0 alters it. */
CREATE PROCEDURE SP_UPDATE_YOSAN (
    PHASSEI INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PKCODE VARCHAR(6) CHARACTER SET ASCII,
    PHCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    /*@ FOR N IN 1..12 JOIN ", " WRAP 4 */PVALUE{N} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VMONTH INTEGER;
DECLARE VARIABLE VVALUE NUMERIC(16,4);
DECLARE VARIABLE VRUNNING NUMERIC(16,4);
DECLARE VARIABLE VPERIOD INTEGER;
BEGIN
    IF (COALESCE(PSCODE, '') = '') THEN PSCODE = ' ';
    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';
    VRUNNING = 0;
    VMONTH = 1;
    WHILE (VMONTH <= 12) DO
    BEGIN
        VVALUE = COALESCE(CASE VMONTH /*@ FOR N IN 1..12 JOIN " " */WHEN {N} THEN PVALUE{N}/*@ END */ END, 0);
        IF (PHASSEI = 1) THEN
            VRUNNING = VRUNNING + VVALUE;
        ELSE
            VRUNNING = VVALUE;
        VPERIOD = VMONTH + (VMONTH - 1) / 3;
        UPDATE KAMOKU_MS SET BYOSAN = :VRUNNING
         WHERE SCODE = :PSCODE AND KCODE = :PKCODE AND HCODE = :PHCODE AND BCODE = :PBCODE
           AND (MNUM = :VPERIOD OR (MOD(:VMONTH, 3) = 0 AND MNUM = :VPERIOD + 1));
        VMONTH = VMONTH + 1;
    END
END ^

/* Carries every balance into the next year's opening balance: each
   KAMOKU_SZ row of a balance-sheet account (BPFLG 'B'; counted in BCOUNT)
   gets opening + debit - credit of the periods 1 to 16 (credit - debit
   for accounts of the credit side, DAC 2 and 3), with tax (PTAX 0) or
   without (PTAX 1, when the suspense tax accounts' own rows take the tax
   totals of KAMOKU_TAX of their facility and department instead); every
   other row (counted in PCOUNT) gets 0. One row with the two counts.
   Update 2.0.0 alters it. */
CREATE PROCEDURE SP_SETHOJOKAISIZAN (
    PTAX INTEGER)
RETURNS (
    BCOUNT INTEGER,
    PCOUNT INTEGER)
AS
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBUMON INTEGER;
DECLARE VARIABLE VS VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VK VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VH VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VB VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VOPEN NUMERIC(16,4);
DECLARE VARIABLE VBP VARCHAR(1) CHARACTER SET ASCII;
DECLARE VARIABLE VDAC INTEGER;
DECLARE VARIABLE VKAR NUMERIC(16,4);
DECLARE VARIABLE VKAS NUMERIC(16,4);
DECLARE VARIABLE VTKAR NUMERIC(16,4);
DECLARE VARIABLE VTKAS NUMERIC(16,4);
DECLARE VARIABLE VCLOSE NUMERIC(16,4);
BEGIN
    PTAX = COALESCE(PTAX, 0);
    BCOUNT = 0;
    PCOUNT = 0;
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;
    SELECT COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VBUMON;
    FOR SELECT Z.SCODE, Z.KCODE, Z.HCODE, Z.BCODE, COALESCE(Z.KAISIZAN, 0), K.BPFLG, K.DAC
          FROM KAMOKU_SZ Z INNER JOIN KAMOKUMST K ON (K.KCODE = Z.KCODE)
         ORDER BY Z.SCODE, Z.KCODE, Z.HCODE DESC, Z.BCODE
          INTO :VS, :VK, :VH, :VB, :VOPEN, :VBP, :VDAC DO
    BEGIN
        IF (VBP = 'B') THEN
        BEGIN
            BCOUNT = BCOUNT + 1;
            SELECT COALESCE(SUM(KAR_NUK + IIF(:PTAX = 0, KAR_TAX, 0)), 0),
                   COALESCE(SUM(KAS_NUK + IIF(:PTAX = 0, KAS_TAX, 0)), 0)
              FROM KAMOKU_MS
             WHERE SCODE = :VS AND KCODE = :VK AND HCODE = :VH AND BCODE = :VB AND MNUM BETWEEN 1 AND 16
              INTO :VKAR, :VKAS;
            IF (PTAX = 1 AND VH = ' ' AND VK <> '' AND (VK = VKARIUKE OR VK = VKARIBARAI)) THEN
            BEGIN
                SELECT COALESCE(SUM(KAR), 0), COALESCE(SUM(KAS), 0) FROM KAMOKU_TAX
                 WHERE SCODE = :VS AND BCODE = IIF(:VBUMON = 2, :VB, ' ') AND KKUBUN = IIF(:VK = :VKARIUKE, 1, 2)
                   AND MNUM BETWEEN 1 AND 16
                   AND (:VBUMON = 2 OR :VB = ' ')
                  INTO :VTKAR, :VTKAS;
                VKAR = VKAR + VTKAR;
                VKAS = VKAS + VTKAS;
            END
            IF (VDAC IN (1, 4)) THEN
                VCLOSE = VOPEN + VKAR - VKAS;
            ELSE
                VCLOSE = VOPEN + VKAS - VKAR;
        END
        ELSE
        BEGIN
            PCOUNT = PCOUNT + 1;
            VCLOSE = 0;
        END
        UPDATE KAMOKU_SZ SET KAISIZAN = :VCLOSE
         WHERE SCODE = :VS AND KCODE = :VK AND HCODE = :VH AND BCODE = :VB;
    END
    SUSPEND;
END ^

/* The balances to carry forward of the facility PSCODE, one row per
   account, sub-account and department that has its period rows
   (a period-16 row of KAMOKU_MS): opening balance KAISIZAN, KARnn/KASnn
   the debit and credit of period nn with tax (PTAX 0) or without (PTAX
   1; the suspense tax accounts' own rows then take the tax totals of
   KAMOKU_TAX of the facility and department), KAR17-19/KAS17-19 0;
   HOJCNT the number of the account's sub-accounts in the facility. Update
   2.0.0 alters it. */
CREATE PROCEDURE SP_KURIKOSIZANDAKA (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    BSPL VARCHAR(1) CHARACTER SET ASCII,
    HOJCNT INTEGER,
    TAISHAKU INTEGER,
    KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..19 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..19 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBUMON INTEGER;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE A{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE B{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE C{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE D{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    PTAX = COALESCE(PTAX, 0);
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;
    SELECT COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VBUMON;
    FOR SELECT Z.KCODE, Z.HCODE, Z.BCODE, COALESCE(SUM(Z.KAISIZAN), 0)
          FROM KAMOKU_SZ Z
         WHERE Z.SCODE = :PSCODE
           AND EXISTS (SELECT 1 FROM KAMOKU_MS M WHERE M.SCODE = Z.SCODE AND M.KCODE = Z.KCODE
                          AND M.HCODE = Z.HCODE AND M.BCODE = Z.BCODE AND M.MNUM = 16)
         GROUP BY Z.KCODE, Z.HCODE, Z.BCODE
         ORDER BY Z.KCODE, Z.HCODE, Z.BCODE
          INTO :KCODE, :HCODE, :BCODE, :KAISIZAN DO
    BEGIN
        SELECT K.GROUPM1, K.GROUPM2, K.KNAME, K.BPFLG, K.DAC FROM KAMOKUMST K WHERE K.KCODE = :KCODE
          INTO :GROUPM1, :GROUPM2, :KNAME, :BSPL, :TAISHAKU;
        SELECT COUNT(*) FROM KAMOKU_SZ Z2
         WHERE Z2.SCODE = :PSCODE AND Z2.KCODE = :KCODE AND Z2.HCODE <> ' ' AND Z2.BCODE = ' '
          INTO :HOJCNT;
        SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
               /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
          FROM KAMOKU_MS M
         WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.HCODE = :HCODE AND M.BCODE = :BCODE
          INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
        IF (PTAX = 1 AND HCODE = ' ' AND KCODE <> '' AND (KCODE = VKARIUKE OR KCODE = VKARIBARAI)
            AND (VBUMON = 2 OR BCODE = ' ')) THEN
        BEGIN
            SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(T.MNUM = {N}, T.KAR, 0)), 0)/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(T.MNUM = {N}, T.KAS, 0)), 0)/*@ END */
              FROM KAMOKU_TAX T
             WHERE T.SCODE = :PSCODE AND T.BCODE = :BCODE AND T.KKUBUN = IIF(:KCODE = :VKARIUKE, 1, 2)
              INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:C{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:D{NN}/*@ END */;
            /*@ FOR N IN 1..16 JOIN " " WRAP 4 */A{NN} = A{NN} + C{NN};/*@ END */
            /*@ FOR N IN 1..16 JOIN " " WRAP 4 */B{NN} = B{NN} + D{NN};/*@ END */
        END
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAR{NN} = A{NN};/*@ END */
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAS{NN} = B{NN};/*@ END */
        /*@ FOR N IN 17..19 JOIN " " */KAR{N} = 0;/*@ END */
        /*@ FOR N IN 17..19 JOIN " " */KAS{N} = 0;/*@ END */
        SUSPEND;
    END
END ^

/* The balances to carry forward of the facility PSCODE, one row per
   account and department (HCODE " ", all sub-accounts summed) that has its period rows
   (a period-16 row of KAMOKU_MS): opening balance KAISIZAN, KARnn/KASnn
   the debit and credit of period nn with tax (PTAX 0) or without (PTAX
   1; the suspense tax accounts' own rows then take the tax totals of
   KAMOKU_TAX of the facility and department), KAR17-19/KAS17-19 0;
   HOJCNT the number of the account's sub-accounts in the facility. Update
   2.0.0 alters it. */
CREATE PROCEDURE SP_KURIKOSIBUMONZANDAKA (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    BSPL VARCHAR(1) CHARACTER SET ASCII,
    HOJCNT INTEGER,
    TAISHAKU INTEGER,
    KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..19 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..19 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBUMON INTEGER;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE A{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE B{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE C{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE D{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    PTAX = COALESCE(PTAX, 0);
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;
    SELECT COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VBUMON;
    FOR SELECT Z.KCODE, Z.BCODE, COALESCE(SUM(Z.KAISIZAN), 0)
          FROM KAMOKU_SZ Z
         WHERE Z.SCODE = :PSCODE
           AND EXISTS (SELECT 1 FROM KAMOKU_MS M WHERE M.SCODE = Z.SCODE AND M.KCODE = Z.KCODE
                          AND M.HCODE = Z.HCODE AND M.BCODE = Z.BCODE AND M.MNUM = 16)
         GROUP BY Z.KCODE, Z.BCODE
         ORDER BY Z.KCODE, Z.BCODE
          INTO :KCODE, :BCODE, :KAISIZAN DO
    BEGIN
        HCODE = ' ';
        SELECT K.GROUPM1, K.GROUPM2, K.KNAME, K.BPFLG, K.DAC FROM KAMOKUMST K WHERE K.KCODE = :KCODE
          INTO :GROUPM1, :GROUPM2, :KNAME, :BSPL, :TAISHAKU;
        SELECT COUNT(*) FROM KAMOKU_SZ Z2
         WHERE Z2.SCODE = :PSCODE AND Z2.KCODE = :KCODE AND Z2.HCODE <> ' ' AND Z2.BCODE = ' '
          INTO :HOJCNT;
        SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
               /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
          FROM KAMOKU_MS M
         WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.BCODE = :BCODE
          INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
        IF (PTAX = 1 AND HCODE = ' ' AND KCODE <> '' AND (KCODE = VKARIUKE OR KCODE = VKARIBARAI)
            AND (VBUMON = 2 OR BCODE = ' ')) THEN
        BEGIN
            SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(T.MNUM = {N}, T.KAR, 0)), 0)/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(T.MNUM = {N}, T.KAS, 0)), 0)/*@ END */
              FROM KAMOKU_TAX T
             WHERE T.SCODE = :PSCODE AND T.BCODE = :BCODE AND T.KKUBUN = IIF(:KCODE = :VKARIUKE, 1, 2)
              INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:C{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:D{NN}/*@ END */;
            /*@ FOR N IN 1..16 JOIN " " WRAP 4 */A{NN} = A{NN} + C{NN};/*@ END */
            /*@ FOR N IN 1..16 JOIN " " WRAP 4 */B{NN} = B{NN} + D{NN};/*@ END */
        END
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAR{NN} = A{NN};/*@ END */
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAS{NN} = B{NN};/*@ END */
        /*@ FOR N IN 17..19 JOIN " " */KAR{N} = 0;/*@ END */
        /*@ FOR N IN 17..19 JOIN " " */KAS{N} = 0;/*@ END */
        SUSPEND;
    END
END ^

/* As SP_KANENDO_ZANDAKA for the facilities of the facility group PGCODE
   (SISETUGROUPLIST), balances and budgets summed over them: one row per
   account and sub-account with balance rows in the group. Update 1.0.1
   alters it. */
CREATE PROCEDURE SP_KANENDO_GROUPZANDAKA (
    PGCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    /*@ FOR N IN 32..0 JOIN ", " WRAP 4 */ZANM{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */ZANP{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT Z.KCODE, Z.HCODE FROM KAMOKU_SZ Z
         WHERE Z.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PGCODE)
         GROUP BY Z.KCODE, Z.HCODE
         ORDER BY Z.KCODE, Z.HCODE
          INTO :KCODE, :HCODE DO
    BEGIN
        USERCODE = NULL;
        SELECT K.USERCODE FROM KAMOKUMST K WHERE K.KCODE = :KCODE INTO :USERCODE;
        SELECT /*@ FOR N IN -32..15 JOIN ",\n" */COALESCE(SUM(IIF(P.MNUM = {N}, P.NUKIZAN, 0)), 0)/*@ END */
          FROM KAMOKU_PZ P
         WHERE P.KCODE = :KCODE AND P.HCODE = :HCODE AND P.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PGCODE)
          INTO /*@ FOR N IN 32..0 JOIN ", " WRAP 8 */:ZANM{NN}/*@ END */,
               /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:ZANP{NN}/*@ END */;
        SELECT /*@ FOR N IN 1..15 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.BYOSAN, 0)), 0)/*@ END */
          FROM KAMOKU_MS M
         WHERE M.KCODE = :KCODE AND M.HCODE = :HCODE AND M.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PGCODE)
          INTO /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
        SUSPEND;
    END
END ^

SET TERM ; ^


/* ------------------------------------------------------------------------
 * The account-listing procedures on KAMOKU_VIEW. Update 0.2.2 drops these
 * sixteen in its own order, then the view, and builds all of them again
 * on its new account group: only they may use the view.
 * --------------------------------------------------------------------- */

SET TERM ^ ;

/* Balances of earlier periods and budgets per account and sub-account of
   the facility PSCODE (every facility when PSCODE is empty), all
   departments summed: ZANM32 ... ZANM00 and ZANP01 ... ZANP15 the
   KAMOKU_PZ.NUKIZAN of MNUM -32 ... 15, YOSAN01 ... YOSAN15 the cumulative
   budgets of the periods 1 to 15; accounts in KCODE order. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_KANENDO_ZANDAKA (
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    /*@ FOR N IN 32..0 JOIN ", " WRAP 4 */ZANM{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */ZANP{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    PSCODE = COALESCE(PSCODE, '');
    FOR SELECT V.USERCODE, V.KCODE FROM KAMOKU_VIEW V
         WHERE (:PSCODE = '' OR V.SCODE = :PSCODE)
         GROUP BY V.USERCODE, V.KCODE
         ORDER BY V.KCODE, V.USERCODE
          INTO :USERCODE, :KCODE DO
        FOR SELECT Z.HCODE FROM KAMOKU_SZ Z
             WHERE Z.KCODE = :KCODE AND (:PSCODE = '' OR Z.SCODE = :PSCODE)
             GROUP BY Z.HCODE
             ORDER BY Z.HCODE
              INTO :HCODE DO
        BEGIN
            SELECT /*@ FOR N IN -32..15 JOIN ",\n" */COALESCE(SUM(IIF(P.MNUM = {N}, P.NUKIZAN, 0)), 0)/*@ END */
              FROM KAMOKU_PZ P
             WHERE P.KCODE = :KCODE AND P.HCODE = :HCODE AND (:PSCODE = '' OR P.SCODE = :PSCODE)
              INTO /*@ FOR N IN 32..0 JOIN ", " WRAP 8 */:ZANM{NN}/*@ END */,
                   /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:ZANP{NN}/*@ END */;
            SELECT /*@ FOR N IN 1..15 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.BYOSAN, 0)), 0)/*@ END */
              FROM KAMOKU_MS M
             WHERE M.KCODE = :KCODE AND M.HCODE = :HCODE AND (:PSCODE = '' OR M.SCODE = :PSCODE)
              INTO /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
            SUSPEND;
        END
END ^

/* As SP_KANENDO_ZANDAKA for one department PBCODE of the facility PSCODE.
   Allocating (PHIBUN 1) with the account's ratios HAIBUN01-16 x 0.01 of
   its own row in PBCODE: for '00' the balances become FLOOR(0.5 + balance
   x the row's own HAIBUN x 0.01) and the budgets FLOOR(0.5 + budget x
   ratio); any other department adds the same share of the '00' figures
   of the sub-account to its own. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_KANENDO_BUMON_ZANDAKA (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PHIBUN INTEGER)
RETURNS (
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    /*@ FOR N IN 32..0 JOIN ", " WRAP 4 */ZANM{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */ZANP{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
/*@ FOR N IN 1..16 */
DECLARE VARIABLE R{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    PHIBUN = COALESCE(PHIBUN, 0);
    FOR SELECT V.USERCODE, V.KCODE FROM KAMOKU_VIEW V
         WHERE V.SCODE = :PSCODE AND V.BCODE = :PBCODE
         GROUP BY V.USERCODE, V.KCODE
         ORDER BY V.KCODE, V.USERCODE
          INTO :USERCODE, :KCODE DO
    BEGIN
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */R{NN} = 0;/*@ END */
        IF (PHIBUN = 1) THEN
            SELECT /*@ FOR N IN 1..16 JOIN ", " WRAP 5 */HAIBUN{NN} * 0.01/*@ END */
              FROM KAMOKU_SZ
             WHERE SCODE = :PSCODE AND KCODE = :KCODE AND HCODE = ' ' AND BCODE = :PBCODE
              INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */;
        FOR SELECT Z.HCODE FROM KAMOKU_SZ Z
             WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE = :PBCODE
             ORDER BY Z.HCODE
              INTO :HCODE DO
        BEGIN
            SELECT /*@ FOR N IN -32..15 JOIN ",\n" */COALESCE(SUM(IIF(D.MNUM = {N}, D.V, 0)), 0)/*@ END */
              FROM (SELECT P.MNUM AS MNUM,
                         CASE WHEN :PHIBUN = 1 AND :PBCODE = '00' THEN FLOOR(0.5 + P.NUKIZAN * P.HAIBUN * 0.01)
                              WHEN :PHIBUN = 1 THEN P.NUKIZAN + FLOOR(0.5 + COALESCE(Q.NUKIZAN, 0) * P.HAIBUN * 0.01)
                              ELSE P.NUKIZAN END AS V
                    FROM KAMOKU_PZ P
                    LEFT JOIN KAMOKU_PZ Q
                      ON (Q.SCODE = P.SCODE AND Q.KCODE = P.KCODE AND Q.HCODE = P.HCODE AND Q.BCODE = '00'
                          AND Q.MNUM = P.MNUM)
                   WHERE P.SCODE = :PSCODE AND P.KCODE = :KCODE AND P.HCODE = :HCODE AND P.BCODE = :PBCODE) D
              INTO /*@ FOR N IN 32..0 JOIN ", " WRAP 8 */:ZANM{NN}/*@ END */,
                   /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:ZANP{NN}/*@ END */;
            SELECT /*@ FOR N IN 1..15 JOIN ",\n" */COALESCE(SUM(IIF(D.MNUM = {N}, D.V, 0)), 0)/*@ END */
              FROM (SELECT M.MNUM AS MNUM,
                         CASE WHEN :PHIBUN = 1 AND :PBCODE = '00' THEN FLOOR(0.5 + M.BYOSAN * CASE M.MNUM
                                  /*@ FOR N IN 1..16 JOIN " " WRAP 4 */WHEN {N} THEN :R{NN}/*@ END */
                                  ELSE 0 END)
                              WHEN :PHIBUN = 1 THEN M.BYOSAN + FLOOR(0.5 + COALESCE(N.BYOSAN, 0) * CASE M.MNUM
                                  /*@ FOR N IN 1..16 JOIN " " WRAP 4 */WHEN {N} THEN :R{NN}/*@ END */
                                  ELSE 0 END)
                              ELSE M.BYOSAN END AS V
                    FROM KAMOKU_MS M
                    LEFT JOIN KAMOKU_MS N
                      ON (N.SCODE = M.SCODE AND N.KCODE = M.KCODE AND N.HCODE = M.HCODE AND N.BCODE = '00'
                          AND N.MNUM = M.MNUM)
                   WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.HCODE = :HCODE AND M.BCODE = :PBCODE) D
              INTO /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
            SUSPEND;
        END
    END
END ^

/* As SP_KANENDO_ZANDAKA for the departments of the department group
   PGCODE (GROUPLIST) in the facility PSCODE, balances and budgets summed
   over the group's departments. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_KANENDO_BUMON_GROUPZANDAKA (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    /*@ FOR N IN 32..0 JOIN ", " WRAP 4 */ZANM{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */ZANP{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT V.KCODE, V.USERCODE FROM KAMOKU_VIEW V
         WHERE V.SCODE = :PSCODE AND V.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE)
         GROUP BY V.KCODE, V.USERCODE
         ORDER BY V.KCODE, V.USERCODE
          INTO :KCODE, :USERCODE DO
        FOR SELECT Z.HCODE FROM KAMOKU_SZ Z
             WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE)
             GROUP BY Z.HCODE
             ORDER BY Z.HCODE
              INTO :HCODE DO
        BEGIN
            SELECT /*@ FOR N IN -32..15 JOIN ",\n" */COALESCE(SUM(IIF(P.MNUM = {N}, P.NUKIZAN, 0)), 0)/*@ END */
              FROM KAMOKU_PZ P
             WHERE P.SCODE = :PSCODE AND P.KCODE = :KCODE AND P.HCODE = :HCODE AND P.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE)
              INTO /*@ FOR N IN 32..0 JOIN ", " WRAP 8 */:ZANM{NN}/*@ END */,
                   /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:ZANP{NN}/*@ END */;
            SELECT /*@ FOR N IN 1..15 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.BYOSAN, 0)), 0)/*@ END */
              FROM KAMOKU_MS M
             WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.HCODE = :HCODE AND M.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE)
              INTO /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
            SUSPEND;
        END
END ^

/* The earlier years' balances for entry: one row per balance row of the
   facility PSCODE and department PBCODE (groups other than '9900', in
   GROUPM1, USERCODE, HCODE order) with the KAMOKU_PZ.NUKIZAN sums of its
   account and sub-account (facility and department ' ' meaning all) for
   the periods before the one the books start in (ACCDEF1.KAISINO 1 ->
   MNUM 0 and earlier, 12 -> up to 15). It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_KANENDOZAN_YOMIKOMI (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    HNAME VARCHAR(14),
    BSPL VARCHAR(1) CHARACTER SET ASCII,
    TAISHAKU INTEGER,
    /*@ FOR N IN 32..0 JOIN ", " WRAP 4 */ZANM{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */ZANP{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKAISINO INTEGER;
DECLARE VARIABLE VLIMIT INTEGER;
BEGIN
    SELECT COALESCE(KAISINO, 1) FROM ACCDEF1 WHERE REC = 1 INTO :VKAISINO;
    VLIMIT = CASE VKAISINO WHEN 2 THEN 2 WHEN 3 THEN 4 WHEN 4 THEN 5 WHEN 5 THEN 6 WHEN 6 THEN 8 WHEN 7 THEN 9
                           WHEN 8 THEN 10 WHEN 9 THEN 12 WHEN 10 THEN 13 WHEN 11 THEN 14 WHEN 12 THEN 16 ELSE 1 END;
    FOR SELECT V.GROUPM1, V.USERCODE, V.KCODE, V.KNAME, V.HCODE, V.HNAME, V.BPFLG, V.DAC
          FROM KAMOKU_VIEW V
         WHERE V.SCODE = :PSCODE AND V.BCODE = :PBCODE AND V.GROUPM1 <> '9900'
         ORDER BY V.GROUPM1, V.USERCODE, V.HCODE
          INTO :KGROUP, :USERCODE, :KCODE, :KNAME, :HCODE, :HNAME, :BSPL, :TAISHAKU DO
    BEGIN
        SELECT /*@ FOR N IN -32..15 JOIN ",\n" */COALESCE(SUM(IIF(P.MNUM = {N}, P.NUKIZAN, 0)), 0)/*@ END */
          FROM KAMOKU_PZ P
         WHERE P.KCODE = :KCODE AND P.HCODE = :HCODE AND (:PSCODE = ' ' OR P.SCODE = :PSCODE) AND (:PBCODE = ' ' OR P.BCODE = :PBCODE) AND P.MNUM < :VLIMIT
          INTO /*@ FOR N IN 32..0 JOIN ", " WRAP 8 */:ZANM{NN}/*@ END */,
               /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:ZANP{NN}/*@ END */;
        SUSPEND;
    END
END ^

/* The number of opening-balance rows of the common department '00' in the
   facility PSCODE that the department list shows: sub-account rows, and
   account rows of accounts without sub-accounts there. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_BUMONKAISIZAN_COUNT (
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    RECCOUNT INTEGER)
AS
BEGIN
    SELECT COUNT(*) FROM KAMOKU_VIEW V
     WHERE V.SCODE = :PSCODE AND V.BCODE = '00'
       AND (V.HCODE <> ' '
            OR (SELECT COUNT(*) FROM KAMOKU_SZ Z WHERE Z.SCODE = :PSCODE AND Z.KCODE = V.KCODE AND Z.BCODE = '00') < 2)
      INTO :RECCOUNT;
    SUSPEND;
END ^

/* The opening balances of the facility PSCODE by department (departments
   other than ' ', in BCODE, GROUPM1, USERCODE, HCODE order), with
   BUMGOUKEI the sub-account's opening balance over all departments and,
   on an account row, HCNT the number of the account's rows in the
   department. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_BUMONKAISIZAN_LIST (
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(28),
    HNAME VARCHAR(28),
    HCNT INTEGER,
    DAC INTEGER,
    KAISIZAN NUMERIC(16,4),
    BUMGOUKEI NUMERIC(16,4))
AS
BEGIN
    FOR SELECT DISTINCT V.BCODE, V.GROUPM1, V.KCODE, V.USERCODE, V.KNAME, V.HCODE, V.HNAME, V.DAC, V.KAISIZAN
          FROM KAMOKU_VIEW V
         WHERE V.SCODE = :PSCODE AND V.BCODE <> ' '
         ORDER BY V.BCODE, V.GROUPM1, V.USERCODE, V.HCODE
          INTO :BCODE, :KGROUP, :KCODE, :USERCODE, :KNAME, :HCODE, :HNAME, :DAC, :KAISIZAN DO
    BEGIN
        SELECT COALESCE(SUM(Z.KAISIZAN), 0) FROM KAMOKU_SZ Z
         WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.HCODE = :HCODE
          INTO :BUMGOUKEI;
        HCNT = 0;
        IF (HCODE = ' ') THEN
            SELECT COUNT(*) FROM KAMOKU_SZ Z
             WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE = :BCODE
              INTO :HCNT;
        SUSPEND;
    END
END ^

/* The opening balances of the facility PSCODE for entry: every
   sub-account row, and the account row of accounts without sub-accounts
   (fewer than two rows in the departments ' ' and '00'), never the
   sundry account "諸口"; in GROUPM1, KCODE, HCODE order. KAISIZAN sums
   all departments, BUMONZAN the departments other than ' ' and '00'.
   PSHOKUTI is not used. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_KAISIZAN_LIST (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PSHOKUTI VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    HNAME VARCHAR(14),
    DAC INTEGER,
    BPFLG CHAR(1) CHARACTER SET ASCII,
    KAISIZAN NUMERIC(16,4),
    BUMONZAN NUMERIC(16,4))
AS
DECLARE VARIABLE VSHOKUCHI VARCHAR(6) CHARACTER SET ASCII;
BEGIN
    SELECT CODE FROM SYSKMKCODEINF('諸口') INTO :VSHOKUCHI;
    FOR SELECT DISTINCT V.GROUPM1, V.USERCODE, V.KCODE, V.KNAME, V.HCODE, V.HNAME, V.DAC, V.BPFLG
          FROM KAMOKU_VIEW V
         WHERE V.SCODE = :PSCODE AND V.KCODE <> :VSHOKUCHI
           AND (V.HCODE <> ' '
                OR (SELECT COUNT(*) FROM KAMOKU_SZ Z
                     WHERE Z.SCODE = :PSCODE AND Z.KCODE = V.KCODE AND Z.BCODE IN (' ', '00')) < 2)
         ORDER BY V.GROUPM1, V.KCODE, V.HCODE
          INTO :KGROUP, :USERCODE, :KCODE, :KNAME, :HCODE, :HNAME, :DAC, :BPFLG DO
    BEGIN
        SELECT SUM(Z.KAISIZAN), SUM(IIF(Z.BCODE NOT IN (' ', '00'), Z.KAISIZAN, 0)) FROM KAMOKU_SZ Z
         WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.HCODE = :HCODE
          INTO :KAISIZAN, :BUMONZAN;
        SUSPEND;
    END
END ^

/* The number of rows SP_KAISIZAN_LIST gives for the facility. */
CREATE PROCEDURE SP_KAISIZAN_COUNT (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PSHOKUTI VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    RECCOUNT INTEGER)
AS
BEGIN
    SELECT COUNT(*) FROM SP_KAISIZAN_LIST(:PSCODE, :PSHOKUTI) INTO :RECCOUNT;
    SUSPEND;
END ^

/* Balances of three years (T_ZANn this year's period n, Z_ZANn the year
   before, ZZ_ZANn two years back, ZZZ_ZAN16 three; with tax for PTAXUH 0) of the facility PSCODE in flat rows: with PBCODE ' ' (or empty)
   one row per account (its own row HCODE ' ', all departments summed,
   BCODE and BNAME empty), otherwise one per account of that department;
   accounts in GROUPM1, KCODE order. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_MB_SELECT_KANENDOZAN (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAXUH INTEGER)
RETURNS (
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BNAME VARCHAR(14),
    DAC INTEGER,
    ZZZ_ZAN16 NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZZ_ZAN{N} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */Z_ZAN{N} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */T_ZAN{N} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';
    IF (PBCODE = ' ') THEN
        FOR SELECT V.GROUPM1, V.KCODE, MAX(V.KNAME), MAX(V.DAC)
              FROM KAMOKU_VIEW V
             WHERE V.SCODE = :PSCODE AND V.HCODE = ' ' AND V.GROUPM1 < '9900'
             GROUP BY V.GROUPM1, V.KCODE
             ORDER BY V.GROUPM1, V.KCODE
              INTO :KGROUP, :KCODE, :KNAME, :DAC DO
        BEGIN
            BCODE = '';
            BNAME = '';
            SELECT /*@ FOR N IN -32..16 JOIN ",\n" */COALESCE(SUM(IIF(X.MNUM = {N}, X.NUKIZAN + IIF(:PTAXUH = 0, X.ZEIGAKU, 0), 0)), 0)/*@ END */
              FROM KAMOKU_PZ X
             WHERE X.SCODE = :PSCODE AND X.KCODE = :KCODE AND X.HCODE = ' '
              INTO :ZZZ_ZAN16,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZZ_ZAN{N}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:Z_ZAN{N}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:T_ZAN{N}/*@ END */;
            SUSPEND;
        END
    ELSE
        FOR SELECT V.GROUPM1, V.KCODE, V.KNAME, V.BCODE, V.BNAME, V.DAC
              FROM KAMOKU_VIEW V
             WHERE V.SCODE = :PSCODE AND V.HCODE = ' ' AND V.BCODE = :PBCODE AND V.GROUPM1 < '9900'
             ORDER BY V.GROUPM1, V.KCODE
              INTO :KGROUP, :KCODE, :KNAME, :BCODE, :BNAME, :DAC DO
        BEGIN
            SELECT /*@ FOR N IN -32..16 JOIN ",\n" */COALESCE(SUM(IIF(X.MNUM = {N}, X.NUKIZAN + IIF(:PTAXUH = 0, X.ZEIGAKU, 0), 0)), 0)/*@ END */
              FROM KAMOKU_PZ X
             WHERE X.SCODE = :PSCODE AND X.KCODE = :KCODE AND X.HCODE = ' ' AND X.BCODE = :PBCODE
              INTO :ZZZ_ZAN16,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZZ_ZAN{N}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:Z_ZAN{N}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:T_ZAN{N}/*@ END */;
            SUSPEND;
        END
END ^

/* The cumulative budgets of the twelve months (periods 1-3, 5-7, 9-11,
   13-15) of the profit and loss accounts of the facility PSCODE in flat rows: with PBCODE ' ' (or empty)
   one row per account (its own row HCODE ' ', all departments summed,
   BCODE and BNAME empty), otherwise one per account of that department;
   accounts in GROUPM1, KCODE order. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_MB_SELECT_YOSAN (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BNAME VARCHAR(14),
    /*@ FOR N IN 1..12 JOIN ", " WRAP 4 */T_YOSAN{N} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';
    IF (PBCODE = ' ') THEN
        FOR SELECT V.GROUPM1, V.KCODE, MAX(V.KNAME)
              FROM KAMOKU_VIEW V
             WHERE V.SCODE = :PSCODE AND V.HCODE = ' ' AND V.GROUPM1 >= '4000' AND V.GROUPM1 < '9900'
             GROUP BY V.GROUPM1, V.KCODE
             ORDER BY V.GROUPM1, V.KCODE
              INTO :KGROUP, :KCODE, :KNAME DO
        BEGIN
            BCODE = '';
            BNAME = '';
            SELECT /*@ FOR N IN 1..3, 5..7, 9..11, 13..15 JOIN ",\n" */COALESCE(SUM(IIF(X.MNUM = {N}, X.BYOSAN, 0)), 0)/*@ END */
              FROM KAMOKU_MS X
             WHERE X.SCODE = :PSCODE AND X.KCODE = :KCODE AND X.HCODE = ' '
              INTO /*@ FOR N IN 1..12 JOIN ", " WRAP 8 */:T_YOSAN{N}/*@ END */;
            SUSPEND;
        END
    ELSE
        FOR SELECT V.GROUPM1, V.KCODE, V.KNAME, V.BCODE, V.BNAME
              FROM KAMOKU_VIEW V
             WHERE V.SCODE = :PSCODE AND V.HCODE = ' ' AND V.BCODE = :PBCODE AND V.GROUPM1 >= '4000' AND V.GROUPM1 < '9900'
             ORDER BY V.GROUPM1, V.KCODE
              INTO :KGROUP, :KCODE, :KNAME, :BCODE, :BNAME DO
        BEGIN
            SELECT /*@ FOR N IN 1..3, 5..7, 9..11, 13..15 JOIN ",\n" */COALESCE(SUM(IIF(X.MNUM = {N}, X.BYOSAN, 0)), 0)/*@ END */
              FROM KAMOKU_MS X
             WHERE X.SCODE = :PSCODE AND X.KCODE = :KCODE AND X.HCODE = ' ' AND X.BCODE = :PBCODE
              INTO /*@ FOR N IN 1..12 JOIN ", " WRAP 8 */:T_YOSAN{N}/*@ END */;
            SUSPEND;
        END
END ^

/* The cumulative forecasts of the twelve months of the profit and loss
   accounts of the facility PSCODE in flat rows: with PBCODE ' ' (or empty)
   one row per account (its own row HCODE ' ', all departments summed,
   BCODE and BNAME empty), otherwise one per account of that department;
   accounts in GROUPM1, KCODE order. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_MB_SELECT_YOSOKU (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BNAME VARCHAR(14),
    /*@ FOR N IN 1..12 JOIN ", " WRAP 4 */T_YOSOKU{N} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';
    IF (PBCODE = ' ') THEN
        FOR SELECT V.GROUPM1, V.KCODE, MAX(V.KNAME)
              FROM KAMOKU_VIEW V
             WHERE V.SCODE = :PSCODE AND V.HCODE = ' ' AND V.GROUPM1 >= '4000' AND V.GROUPM1 < '9900'
             GROUP BY V.GROUPM1, V.KCODE
             ORDER BY V.GROUPM1, V.KCODE
              INTO :KGROUP, :KCODE, :KNAME DO
        BEGIN
            BCODE = '';
            BNAME = '';
            SELECT /*@ FOR N IN 1..3, 5..7, 9..11, 13..15 JOIN ",\n" */COALESCE(SUM(IIF(X.MNUM = {N}, X.BYOSOKU, 0)), 0)/*@ END */
              FROM KAMOKU_MS X
             WHERE X.SCODE = :PSCODE AND X.KCODE = :KCODE AND X.HCODE = ' '
              INTO /*@ FOR N IN 1..12 JOIN ", " WRAP 8 */:T_YOSOKU{N}/*@ END */;
            SUSPEND;
        END
    ELSE
        FOR SELECT V.GROUPM1, V.KCODE, V.KNAME, V.BCODE, V.BNAME
              FROM KAMOKU_VIEW V
             WHERE V.SCODE = :PSCODE AND V.HCODE = ' ' AND V.BCODE = :PBCODE AND V.GROUPM1 >= '4000' AND V.GROUPM1 < '9900'
             ORDER BY V.GROUPM1, V.KCODE
              INTO :KGROUP, :KCODE, :KNAME, :BCODE, :BNAME DO
        BEGIN
            SELECT /*@ FOR N IN 1..3, 5..7, 9..11, 13..15 JOIN ",\n" */COALESCE(SUM(IIF(X.MNUM = {N}, X.BYOSOKU, 0)), 0)/*@ END */
              FROM KAMOKU_MS X
             WHERE X.SCODE = :PSCODE AND X.KCODE = :KCODE AND X.HCODE = ' ' AND X.BCODE = :PBCODE
              INTO /*@ FOR N IN 1..12 JOIN ", " WRAP 8 */:T_YOSOKU{N}/*@ END */;
            SUSPEND;
        END
END ^

/* A month budget of one account (its own row) from last year's actual
   movements: the stored cumulative budget of the facility and department
   (' ' or empty: all departments) is split into months; for the months
   PMNUM1 to PMNUM2 (1-12) the month budget becomes F_ROUND(last year's
   movement of that month x PTAIHI), the movements being the differences
   of the previous year's balances (KAMOKU_PZ, with tax, MNUM -15 to -1;
   a quarter's settlement period only moves the base). The twelve months
   are stored again through SP_MB_UPDATE_HASSEIYOSAN. */
CREATE PROCEDURE SP_MB_UPDATE_JISSEKIYOSAN (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PKCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAIHI NUMERIC(16,4),
    PMNUM1 INTEGER,
    PMNUM2 INTEGER)
AS
DECLARE VARIABLE VP1 INTEGER;
DECLARE VARIABLE VP2 INTEGER;
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VPERIOD INTEGER;
DECLARE VARIABLE VMONTH INTEGER;
DECLARE VARIABLE VVAL NUMERIC(16,4);
DECLARE VARIABLE VRUN NUMERIC(16,4);
DECLARE VARIABLE VMOVE NUMERIC(16,4);
/*@ FOR N IN 1..12 */
DECLARE VARIABLE Y{N} NUMERIC(16,4);
/*@ END */
BEGIN
    VP1 = PMNUM1 + (PMNUM1 - 1) / 3;
    VP2 = PMNUM2 + (PMNUM2 - 1) / 3;
    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';
    /*@ FOR N IN 1..12 JOIN " " WRAP 6 */Y{N} = 0;/*@ END */
    VRUN = 0;
    FOR SELECT M.MNUM, COALESCE(SUM(M.BYOSAN), 0) FROM KAMOKU_MS M
         WHERE M.SCODE = :PSCODE AND M.KCODE = :PKCODE AND M.HCODE = ' '
           AND (:PBCODE = ' ' OR M.BCODE = :PBCODE) AND MOD(M.MNUM, 4) <> 0
         GROUP BY M.MNUM
         ORDER BY M.MNUM
          INTO :VMNUM, :VVAL DO
    BEGIN
        VMONTH = VMNUM - VMNUM / 4;
        VMOVE = VVAL - VRUN;
        VRUN = VVAL;
        /*@ FOR N IN 1..12 JOIN "\nELSE " */IF (VMONTH = {N}) THEN Y{N} = VMOVE;/*@ END */
    END
    VRUN = 0;
    FOR SELECT P.MNUM, COALESCE(SUM(P.NUKIZAN + P.ZEIGAKU), 0) FROM KAMOKU_PZ P
         WHERE P.SCODE = :PSCODE AND P.KCODE = :PKCODE AND P.HCODE = ' '
           AND (:PBCODE = ' ' OR P.BCODE = :PBCODE) AND P.MNUM BETWEEN -15 AND -1
         GROUP BY P.MNUM
         ORDER BY P.MNUM
          INTO :VMNUM, :VVAL DO
    BEGIN
        VPERIOD = VMNUM + 16;
        IF (MOD(VPERIOD, 4) = 0) THEN
            VRUN = VVAL;
        ELSE
        BEGIN
            VMONTH = VPERIOD - VPERIOD / 4;
            VMOVE = VVAL - VRUN;
            VRUN = VVAL;
            IF (VPERIOD BETWEEN VP1 AND VP2) THEN
            BEGIN
                /*@ FOR N IN 1..12 JOIN "\nELSE " */IF (VMONTH = {N}) THEN Y{N} = F_ROUND(VMOVE * PTAIHI);/*@ END */
            END
        END
    END
    EXECUTE PROCEDURE SP_MB_UPDATE_HASSEIYOSAN (:PSCODE, :PKCODE, :PBCODE, 1, /*@ FOR N IN 1..12 JOIN ", " */:Y{N}/*@ END */);
END ^

/* The profit and loss budgets by month for entry: one row per balance
   row of the facility PSCODE and department PBCODE (groups other than
   '9900', GROUPM1, USERCODE, HCODE order) with the cumulative budgets of
   the twelve months, summed over the facilities and departments when ' '.
   It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_YOSAN_READ (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    HNAME VARCHAR(14),
    TAISHAKU INTEGER,
    /*@ FOR N IN 1..12 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT V.GROUPM1, V.USERCODE, V.KCODE, V.KNAME, V.HCODE, V.HNAME, V.DAC
          FROM KAMOKU_VIEW V
         WHERE V.SCODE = :PSCODE AND V.BCODE = :PBCODE AND V.BPFLG = 'P' AND V.GROUPM1 <> '9900'
         ORDER BY V.GROUPM1, V.USERCODE, V.HCODE
          INTO :KGROUP, :USERCODE, :KCODE, :KNAME, :HCODE, :HNAME, :TAISHAKU DO
    BEGIN
        SELECT /*@ FOR N IN 1..3, 5..7, 9..11, 13..15 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.BYOSAN, 0)), 0)/*@ END */
          FROM KAMOKU_MS M
         WHERE M.KCODE = :KCODE AND M.HCODE = :HCODE AND (:PSCODE = ' ' OR M.SCODE = :PSCODE) AND (:PBCODE = ' ' OR M.BCODE = :PBCODE)
          INTO /*@ FOR N IN 1..12 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
        SUSPEND;
    END
END ^

/* Carries the year's result of a corporation (ACCDEF1.DATATYPE 1; other
   kinds get nothing) into the opening balance of "繰越利益剰余金" in the
   facility SCODE: per department (every department when ACCDEF1.BUMON is
   2 and the facility keeps departments, else ' ') the debit-side minus the
   credit-side opening balances of the other balance-sheet rows becomes
   the account's own opening balance and is returned. KAMOKUCODE is not
   used. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_ZENKURI (
    SCODE VARCHAR(6) CHARACTER SET ASCII,
    KAMOKUCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    KAISIZAN NUMERIC(16,4))
AS
DECLARE VARIABLE VDATATYPE INTEGER;
DECLARE VARIABLE VBUMON INTEGER;
DECLARE VARIABLE VBUMEX INTEGER;
DECLARE VARIABLE VALL INTEGER;
DECLARE VARIABLE VR VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VDEBIT NUMERIC(16,4);
DECLARE VARIABLE VCREDIT NUMERIC(16,4);
BEGIN
    SELECT DATATYPE, COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VDATATYPE, :VBUMON;
    IF (VDATATYPE IS DISTINCT FROM 1) THEN
        EXIT;
    SELECT CODE FROM SYSKMKCODEINF('繰越利益剰余金') INTO :VR;
    IF (COALESCE(VR, '') = '') THEN
        EXIT;
    VBUMEX = 0;
    SELECT COALESCE(F.BUMEX, 0) FROM SISETUMST F WHERE F.SCODE = :SCODE INTO :VBUMEX;
    VALL = IIF(VBUMON = 2 AND VBUMEX = 1, 1, 0);
    FOR SELECT D.BCODE FROM (SELECT B.BCODE AS BCODE FROM BUMONMST B WHERE :VALL = 1
                             UNION
                             SELECT CAST(' ' AS VARCHAR(6) CHARACTER SET ASCII) FROM RDB$DATABASE WHERE :VALL = 0) D
         ORDER BY D.BCODE
          INTO :BCODE DO
    BEGIN
        SELECT COALESCE(SUM(IIF(V.DAC IN (1, 4), V.KAISIZAN, 0)), 0),
               COALESCE(SUM(IIF(V.DAC IN (2, 3), V.KAISIZAN, 0)), 0)
          FROM KAMOKU_VIEW V
         WHERE V.SCODE = :SCODE AND V.BCODE = :BCODE AND V.BPFLG = 'B' AND V.KCODE <> :VR
          INTO :VDEBIT, :VCREDIT;
        KAISIZAN = VDEBIT - VCREDIT;
        UPDATE KAMOKU_SZ Z SET Z.KAISIZAN = :KAISIZAN
         WHERE Z.SCODE = :SCODE AND Z.KCODE = :VR AND Z.HCODE = ' ' AND Z.BCODE = :BCODE;
        SUSPEND;
    END
END ^

/* The trial balance of one department PBCODE of the facility PSCODE: per
   account with balance rows there (GROUPM1, USERCODE order) the account
   row (HCODE and HNAME empty, HOJCNT its number of sub-accounts), then,
   when it has sub-accounts, one row per sub-account (the account's own
   part ' ' only when it holds an amount). Amounts as in the department
   layout trial balance: allocating (PHIBUN 1) with the account's ratios,
   '00' keeps FLOOR(0.5 + x ratio) of its figures and other departments
   add that share of the '00' figures; the opening balance is allocated
   with the ratio of the start month's period (books starting later than
   the first month) or of period 1 (with ACCDEF1.BUMON 2). Without tax the
   account rows of the suspense tax accounts get their tax through
   SP_ZEIGAKU_ADD. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_SISANHYO_BUMON (
    PTAX INTEGER,
    PHIBUN INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BSPL VARCHAR(1) CHARACTER SET ASCII,
    HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    HNAME VARCHAR(14),
    TAISHAKU INTEGER,
    KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKAISINO INTEGER;
DECLARE VARIABLE VBUMON INTEGER;
DECLARE VARIABLE VHOJCNT INTEGER;
DECLARE VARIABLE VH VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VORDER INTEGER;
DECLARE VARIABLE VORATE NUMERIC(16,4);
DECLARE VARIABLE VZ NUMERIC(16,4);
DECLARE VARIABLE VZ00 NUMERIC(16,4);
DECLARE VARIABLE VKIND INTEGER;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE R{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE A{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE B{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE C{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE D{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    PTAX = COALESCE(PTAX, 0);
    PHIBUN = COALESCE(PHIBUN, 0);
    SELECT COALESCE(KAISINO, 1), COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VKAISINO, :VBUMON;
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;
    FOR SELECT V.GROUPM1, V.USERCODE FROM KAMOKU_VIEW V
         WHERE V.SCODE = :PSCODE AND V.BCODE = :PBCODE
         GROUP BY V.SCODE, V.GROUPM1, V.USERCODE
         ORDER BY V.SCODE, V.GROUPM1, V.USERCODE
          INTO :GROUPM1, :USERCODE DO
    BEGIN
        SELECT FIRST 1 K.KCODE, K.GROUPM2, K.KNAME, K.BPFLG, K.DAC FROM KAMOKUMST K
         WHERE K.USERCODE = :USERCODE ORDER BY K.KCODE
          INTO :KCODE, :GROUPM2, :KNAME, :BSPL, :TAISHAKU;
        SELECT COUNT(*) FROM KAMOKU_SZ Z
         WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE = :PBCODE AND Z.HCODE <> ' '
          INTO :VHOJCNT;
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */R{NN} = 0;/*@ END */
        SELECT /*@ FOR N IN 1..16 JOIN ", " WRAP 5 */HAIBUN{NN} * 0.01/*@ END */
          FROM KAMOKU_SZ
         WHERE SCODE = :PSCODE AND KCODE = :KCODE AND HCODE = ' ' AND BCODE = :PBCODE
          INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */;
        VORATE = COALESCE(CASE VKAISINO WHEN 2 THEN R02 WHEN 3 THEN R03 WHEN 4 THEN R05 WHEN 5 THEN R06 WHEN 6 THEN R07 WHEN 7 THEN R09 WHEN 8 THEN R10 WHEN 9 THEN R11 WHEN 10 THEN R13 WHEN 11 THEN R14 WHEN 12 THEN R15 ELSE R01 END, 0);
        VKIND = IIF(KCODE = VKARIUKE, 1, IIF(KCODE = VKARIBARAI, 2, 0));
        FOR SELECT D.H, D.O FROM (SELECT CAST(NULL AS VARCHAR(6) CHARACTER SET ASCII) AS H, 0 AS O FROM RDB$DATABASE
                                  UNION ALL
                                  SELECT Z.HCODE, 1 FROM KAMOKU_SZ Z
                                   WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE = :PBCODE
                                     AND :VHOJCNT > 0) D
             ORDER BY D.O, D.H
              INTO :VH, :VORDER DO
        BEGIN
            SELECT COALESCE(SUM(IIF(Z.BCODE = :PBCODE, Z.KAISIZAN, 0)), 0),
                   COALESCE(SUM(IIF(Z.BCODE = '00', Z.KAISIZAN, 0)), 0)
              FROM KAMOKU_SZ Z
             WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND (:VH IS NULL OR Z.HCODE = :VH)
              INTO :VZ, :VZ00;
            IF (PHIBUN = 1 AND (VKAISINO > 1 OR VBUMON = 2)) THEN
                KAISIZAN = IIF(PBCODE = '00', FLOOR(0.5 + VZ * VORATE), VZ + FLOOR(0.5 + VZ00 * VORATE));
            ELSE
                KAISIZAN = VZ;
            SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
              FROM KAMOKU_MS M
             WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.BCODE = :PBCODE AND (:VH IS NULL OR M.HCODE = :VH)
              INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
            IF (PHIBUN = 1 AND PBCODE = '00') THEN
            BEGIN
                /*@ FOR N IN 1..16 JOIN " " WRAP 3 */A{NN} = FLOOR(0.5 + A{NN} * R{NN});/*@ END */
                /*@ FOR N IN 1..16 JOIN " " WRAP 3 */B{NN} = FLOOR(0.5 + B{NN} * R{NN});/*@ END */
            END
            IF (PTAX = 1 AND VH IS NULL AND KCODE <> '' AND VKIND > 0) THEN
            BEGIN
                IF (PHIBUN = 1 AND PBCODE = '00') THEN
                    EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:PSCODE, :PBCODE, :VKIND,
                        /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                        /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */,
                        /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */)
                        RETURNING_VALUES /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                                         /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                ELSE
                    EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:PSCODE, :PBCODE, :VKIND,
                        /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                        /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */,
                        /*@ FOR N IN 1..16 JOIN ", " */1/*@ END */)
                        RETURNING_VALUES /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                                         /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
            END
            IF (PHIBUN = 1 AND PBCODE <> '00') THEN
            BEGIN
                SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
                  FROM KAMOKU_MS M
                 WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.BCODE = '00' AND (:VH IS NULL OR M.HCODE = :VH)
                  INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:C{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:D{NN}/*@ END */;
                /*@ FOR N IN 1..16 JOIN " " WRAP 2 */A{NN} = A{NN} + FLOOR(0.5 + C{NN} * R{NN});/*@ END */
                /*@ FOR N IN 1..16 JOIN " " WRAP 2 */B{NN} = B{NN} + FLOOR(0.5 + D{NN} * R{NN});/*@ END */
                IF (PTAX = 1 AND VH IS NULL AND KCODE <> '' AND VKIND > 0) THEN
                    EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:PSCODE, '00', :VKIND,
                        /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                        /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */,
                        /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */)
                        RETURNING_VALUES /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                                         /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
            END
            /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAR{NN} = A{NN};/*@ END */
            /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAS{NN} = B{NN};/*@ END */
            IF (VH IS NULL) THEN
            BEGIN
                HOJCNT = VHOJCNT;
                HCODE = '';
                HNAME = '';
                SUSPEND;
            END
            ELSE
            BEGIN
                HOJCNT = 0;
                HCODE = VH;
                HNAME = NULL;
                SELECT H.HNAME FROM HOJOMST H WHERE H.KCODE = :KCODE AND H.HCODE = :VH INTO :HNAME;
                IF (VH = ' ') THEN
                    HNAME = KNAME;
                /* The account's own part shows only when it holds an amount. */
                IF (VH <> ' ' OR KAISIZAN <> 0
                        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */OR KAR{NN} <> 0/*@ END */
                        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */OR KAS{NN} <> 0/*@ END */) THEN
                    SUSPEND;
            END
        END
    END
END ^

/* The trial balance of the departments of the department group PGCODE
   (GROUPLIST) in the facility PSCODE, rows as in SP_SISANHYO_BUMON and
   amounts summed over the group's departments, without allocation.
   Without tax and with the tax totals kept per department (ACCDEF1.BUMON
   2), the account rows of the suspense tax accounts add the tax totals of
   the group's departments. It reads the balance rows through KAMOKU_VIEW, which update 0.2.2 drops after
   dropping this procedure and rebuilding both on its new account group. */
CREATE PROCEDURE SP_SISANHYO_BUMON_GROUP (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BSPL VARCHAR(1) CHARACTER SET ASCII,
    HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    HNAME VARCHAR(14),
    TAISHAKU INTEGER,
    KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBUMON INTEGER;
DECLARE VARIABLE VHOJCNT INTEGER;
DECLARE VARIABLE VH VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VORDER INTEGER;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE C{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE D{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    PTAX = COALESCE(PTAX, 0);
    SELECT COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VBUMON;
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;
    FOR SELECT V.GROUPM1, V.USERCODE FROM KAMOKU_VIEW V
         WHERE V.SCODE = :PSCODE AND V.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE)
         GROUP BY V.SCODE, V.GROUPM1, V.USERCODE
         ORDER BY V.SCODE, V.GROUPM1, V.USERCODE
          INTO :GROUPM1, :USERCODE DO
    BEGIN
        SELECT FIRST 1 K.KCODE, K.GROUPM2, K.KNAME, K.BPFLG, K.DAC FROM KAMOKUMST K
         WHERE K.USERCODE = :USERCODE ORDER BY K.KCODE
          INTO :KCODE, :GROUPM2, :KNAME, :BSPL, :TAISHAKU;
        SELECT COUNT(DISTINCT Z.HCODE) FROM KAMOKU_SZ Z
         WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE) AND Z.HCODE <> ' '
          INTO :VHOJCNT;
        FOR SELECT D.H, D.O FROM (SELECT CAST(NULL AS VARCHAR(6) CHARACTER SET ASCII) AS H, 0 AS O FROM RDB$DATABASE
                                  UNION
                                  SELECT Z.HCODE, 1 FROM KAMOKU_SZ Z
                                   WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE)
                                     AND :VHOJCNT > 0) D
             ORDER BY D.O, D.H
              INTO :VH, :VORDER DO
        BEGIN
            SELECT COALESCE(SUM(Z.KAISIZAN), 0) FROM KAMOKU_SZ Z
             WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE)
               AND (:VH IS NULL OR Z.HCODE = :VH)
              INTO :KAISIZAN;
            SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
              FROM KAMOKU_MS M
             WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE) AND (:VH IS NULL OR M.HCODE = :VH)
              INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */;
            IF (PTAX = 1 AND VBUMON = 2 AND VH IS NULL AND KCODE <> '' AND (KCODE = VKARIUKE OR KCODE = VKARIBARAI)) THEN
            BEGIN
                SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(T.MNUM = {N}, T.KAR, 0)), 0)/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(T.MNUM = {N}, T.KAS, 0)), 0)/*@ END */
                  FROM KAMOKU_TAX T
                 WHERE T.SCODE = :PSCODE AND T.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE) AND T.KKUBUN = IIF(:KCODE = :VKARIUKE, 1, 2)
                  INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:C{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:D{NN}/*@ END */;
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAR{NN} = KAR{NN} + C{NN};/*@ END */
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAS{NN} = KAS{NN} + D{NN};/*@ END */
            END
            IF (VH IS NULL) THEN
            BEGIN
                HOJCNT = VHOJCNT;
                HCODE = '';
                HNAME = '';
                SUSPEND;
            END
            ELSE
            BEGIN
                HOJCNT = 0;
                HCODE = VH;
                HNAME = NULL;
                SELECT H.HNAME FROM HOJOMST H WHERE H.KCODE = :KCODE AND H.HCODE = :VH INTO :HNAME;
                IF (VH = ' ') THEN
                    HNAME = KNAME;
                /* The account's own part shows only when it holds an amount. */
                IF (VH <> ' ' OR KAISIZAN <> 0
                        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */OR KAR{NN} <> 0/*@ END */
                        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */OR KAS{NN} <> 0/*@ END */) THEN
                    SUSPEND;
            END
        END
    END
END ^

SET TERM ; ^


/* ------------------------------------------------------------------------
 * Triggers that later updates alter or drop, and the numbering triggers
 * of the dictionaries and the cash-flow statement
 * --------------------------------------------------------------------- */

SET TERM ^ ;

/* A deleted sub-account (or an account's own row) takes the dictionary
   entries that use it on either side with it (journal patterns, summary
   and partner dictionaries) and is written to HOJOLOG. Update 0.1.5
   alters it to keep those entries with the sub-account blanked. */
CREATE TRIGGER HOJOMST_BEFORE_DELETE FOR HOJOMST
ACTIVE BEFORE DELETE POSITION 0
AS
BEGIN
    DELETE FROM SWKDIC
     WHERE (L_KCODE = OLD.KCODE AND L_HCODE = OLD.HCODE) OR (R_KCODE = OLD.KCODE AND R_HCODE = OLD.HCODE);
    DELETE FROM TEKDIC
     WHERE (KAR_KCODE = OLD.KCODE AND KAR_HCODE = OLD.HCODE) OR (KAS_KCODE = OLD.KCODE AND KAS_HCODE = OLD.HCODE);
    DELETE FROM TORDIC
     WHERE (KAR_KCODE = OLD.KCODE AND KAR_HCODE = OLD.HCODE) OR (KAS_KCODE = OLD.KCODE AND KAS_HCODE = OLD.HCODE);
    INSERT INTO HOJOLOG
    VALUES (GEN_ID(HOJOLOG_REC_GEN, 1),
            OLD.REC, OLD.KCODE, OLD.HCODE, OLD.HKANA, OLD.HNAME, OLD.TAX_LCODE, OLD.TAX_RCODE, OLD.TAX_NUM,
            OLD.BPFLG, OLD.SIME, OLD.SAITO, OLD.CODATE, OLD.GENDO, OLD.WARIAISW, OLD.WARI1, OLD.WARI2,
            OLD.WARI3, OLD.TEGATA, OLD.YOKKMK, OLD.YOKHOJ, OLD.ADDRESS, OLD.KOUZA, OLD.BANK, OLD.SITEN,
            OLD.KANKEI, OLD.TORIHIK, OLD.RIRITU, OLD.RIYUU, OLD.TANPO, OLD.YOUTO, OLD.FURIKOMI, OLD.KARINAME,
            OLD.KARIDADD, OLD.RTIME, OLD.OPCODE);
END ^

/* A changed opening balance is also the closing balance of the period
   before the books start: it is written to KAMOKU_PZ.NUKIZAN of the same
   key at that period (ACCDEF1.KAISINO 1 -> MNUM 0, 2 -> 1, 3 -> 2, 4 -> 4,
   5 -> 5, 6 -> 6, 7 -> 8, 8 -> 9, 9 -> 10, 10 -> 12, 11 -> 13, 12 -> 14).
   Updates 0.1.5 and 1.0.0 alter it to leave out the equity accounts that
   the carry-forward rewrites. */
CREATE TRIGGER KAMOKUSZ_AFTER_UPDATE FOR KAMOKU_SZ
ACTIVE AFTER UPDATE POSITION 0
AS
DECLARE VARIABLE VKAISINO INTEGER;
DECLARE VARIABLE VMNUM INTEGER;
BEGIN
    IF (NEW.KAISIZAN IS NOT DISTINCT FROM OLD.KAISIZAN) THEN
        EXIT;
    SELECT KAISINO FROM ACCDEF1 WHERE REC = 1 INTO :VKAISINO;
    VMNUM = CASE VKAISINO WHEN 2 THEN 1 WHEN 3 THEN 2 WHEN 4 THEN 4 WHEN 5 THEN 5 WHEN 6 THEN 6 WHEN 7 THEN 8
                          WHEN 8 THEN 9 WHEN 9 THEN 10 WHEN 10 THEN 12 WHEN 11 THEN 13 WHEN 12 THEN 14 ELSE 0 END;
    UPDATE KAMOKU_PZ SET NUKIZAN = COALESCE(NEW.KAISIZAN, 0)
     WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE AND BCODE = NEW.BCODE
       AND MNUM = :VMNUM;
END ^

/* Keeps the past-balance mark of a balance row: when a balance of an
   earlier period changes, KAMOKU_SZ.KAKOZAN becomes the largest non-zero
   NUKIZAN of the key's earlier periods, or 0. Update 0.3.1 alters it to
   leave the oldest period (MNUM -32) out. */
CREATE TRIGGER KAMOKU_PZ_AFTER_UPDATE FOR KAMOKU_PZ
ACTIVE AFTER UPDATE POSITION 0
AS
DECLARE VARIABLE VMAX NUMERIC(16,4);
BEGIN
    IF (NEW.NUKIZAN IS NOT DISTINCT FROM OLD.NUKIZAN) THEN
        EXIT;
    VMAX = NULL;
    SELECT MAX(NUKIZAN) FROM KAMOKU_PZ
     WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE AND BCODE = NEW.BCODE AND NUKIZAN <> 0
      INTO :VMAX;
    UPDATE KAMOKU_SZ SET KAKOZAN = COALESCE(:VMAX, 0)
     WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE AND BCODE = NEW.BCODE;
END ^

/* Keeps the start month KAISINO in step with the dates: when the first
   day of the year (KISHU) or of the entries (KAISI) changes and the same
   update does not set KAISINO itself, KAISINO becomes the month of the
   fiscal year that KAISI falls in (1 to 12). Update 2.0.0 drops it. */
CREATE TRIGGER ACCDEF1_BEFORE_UPDATE FOR ACCDEF1
ACTIVE BEFORE UPDATE POSITION 0
AS
DECLARE VARIABLE VMONTH INTEGER;
BEGIN
    IF ((NEW.KISHU IS DISTINCT FROM OLD.KISHU OR NEW.KAISI IS DISTINCT FROM OLD.KAISI)
        AND NEW.KAISINO IS NOT DISTINCT FROM OLD.KAISINO
        AND NEW.KISHU IS NOT NULL AND NEW.KAISI IS NOT NULL) THEN
    BEGIN
        VMONTH = 1;
        WHILE (VMONTH < 12 AND DATEADD(VMONTH MONTH TO NEW.KISHU) <= NEW.KAISI) DO
            VMONTH = VMONTH + 1;
        NEW.KAISINO = VMONTH;
    END
END ^

/* A deleted live journal row (DELFLG 0) leaves the totals as a voided one
   does: the facility's entry count (debit side), its KAMOKU_MS period row
   and the tax total (per department only when ACCDEF1.BUMON is 2). Rows
   deleted or replaced before are out of the totals already, and so is a
   row without a flag, which the posting trigger never counted. Update
   2.0.0 drops it. */
CREATE TRIGGER SIWAKE_AFTER_DELETE FOR SIWAKE
ACTIVE AFTER DELETE POSITION 0
AS
DECLARE VARIABLE VBUMON INTEGER;
DECLARE VARIABLE VTAXB VARCHAR(6) CHARACTER SET ASCII;
BEGIN
    IF (OLD.DELFLG IS DISTINCT FROM 0) THEN
        EXIT;
    SELECT BUMON FROM ACCDEF1 WHERE REC = 1 INTO :VBUMON;
    VTAXB = IIF(VBUMON = 2, OLD.BCODE, ' ');
    IF (OLD.TAISHAKU = 1) THEN
    BEGIN
        UPDATE SISETUMST SET SIWAKECOUNT = COALESCE(SIWAKECOUNT, 0) - 1 WHERE SCODE = OLD.SCODE;
        UPDATE KAMOKU_MS
           SET KAR_NUK = COALESCE(KAR_NUK, 0) - COALESCE(OLD.NUK, 0),
               KAR_TAX = COALESCE(KAR_TAX, 0) - COALESCE(OLD.ZEI, 0)
         WHERE SCODE = OLD.SCODE AND BCODE = OLD.BCODE AND KCODE = OLD.KCODE
           AND HCODE = OLD.HCODE AND MNUM = OLD.MNUM;
        UPDATE KAMOKU_TAX SET KAR = COALESCE(KAR, 0) - COALESCE(OLD.ZEI, 0)
         WHERE SCODE = OLD.SCODE AND BCODE = :VTAXB AND KKUBUN = OLD.TAXUH AND MNUM = OLD.MNUM;
    END
    ELSE IF (OLD.TAISHAKU = 2) THEN
    BEGIN
        UPDATE KAMOKU_MS
           SET KAS_NUK = COALESCE(KAS_NUK, 0) - COALESCE(OLD.NUK, 0),
               KAS_TAX = COALESCE(KAS_TAX, 0) - COALESCE(OLD.ZEI, 0)
         WHERE SCODE = OLD.SCODE AND BCODE = OLD.BCODE AND KCODE = OLD.KCODE
           AND HCODE = OLD.HCODE AND MNUM = OLD.MNUM;
        UPDATE KAMOKU_TAX SET KAS = COALESCE(KAS, 0) - COALESCE(OLD.ZEI, 0)
         WHERE SCODE = OLD.SCODE AND BCODE = :VTAXB AND KKUBUN = OLD.TAXUH AND MNUM = OLD.MNUM;
    END
END ^

/* Journal patterns inserted with REC 0 are numbered here. */
CREATE TRIGGER SWKDIC_REC_NO FOR SWKDIC
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (NEW.REC IS NULL OR NEW.REC = 0) THEN
        NEW.REC = GEN_ID(SWKDIC_GEN, 1);
END ^

/* Cash-flow lines and mapping rows inserted without a number take the
   next one of their generator; explicit numbers are kept. */
CREATE TRIGGER CASHFMST_BEFORE_INSERT FOR CASHFMST
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (NEW.CM_REC IS NULL OR NEW.CM_REC = 0) THEN
        NEW.CM_REC = GEN_ID(CASHFMST_GEN, 1);
END ^

CREATE TRIGGER CASHFMKU_BEFORE_INSERT FOR CASHFMKU
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (NEW.CF_REC IS NULL OR NEW.CF_REC = 0) THEN
        NEW.CF_REC = GEN_ID(CASHFMKU_GEN, 1);
END ^

/* A new cash-flow line appears in every facility's view of the lines.
   Update 0.1.4 drops it with the per-facility table. */
CREATE TRIGGER CASHFMST_AFTER_INSERT FOR CASHFMST
ACTIVE AFTER INSERT POSITION 0
AS
BEGIN
    INSERT INTO CASHFMST_SISETU (SCODE, CM_REC)
    SELECT F.SCODE, NEW.CM_REC FROM SISETUMST F;
END ^

/* A facility's line takes the delete lock and name of the line unless
   given. Update 0.1.4 drops it with the per-facility table. */
CREATE TRIGGER CASHFMST_SISETU_BEFORE_INSERT FOR CASHFMST_SISETU
ACTIVE BEFORE INSERT POSITION 0
AS
DECLARE VARIABLE VDEL INTEGER;
DECLARE VARIABLE VNAME VARCHAR(40);
BEGIN
    IF (NEW.CM_DEL IS NULL OR NEW.CM_NAME1 IS NULL) THEN
    BEGIN
        SELECT M.CM_DEL, M.CM_NAME1 FROM CASHFMST M WHERE M.CM_REC = NEW.CM_REC INTO :VDEL, :VNAME;
        NEW.CM_DEL = COALESCE(NEW.CM_DEL, VDEL, 0);
        NEW.CM_NAME1 = COALESCE(NEW.CM_NAME1, VNAME, '');
    END
END ^

SET TERM ; ^

/* ------------------------------------------------------------------------
 * Delivered rows: version, settings, the company facility and departments,
 * and the corporation chart of accounts
 * --------------------------------------------------------------------- */

INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (1, 0, 1, 0, '');

/* A corporation (data type 1, code type 1) keeping its books from the
   first month of the fiscal year; the program sets name and dates when it
   makes a company from this database. */
INSERT INTO ACCDEF1 (REC, DATATYPE, CODETYPE, NENDO, KISHU, KIMATU, KAISI, SIME, KAISINO, SITEN, BUMON)
VALUES (1, 1, 1, 1, '2025-04-01', '2026-03-31', '2025-04-01', 99, 1, 0, 0);

/* ' ' is "no department"; '00' the common department whose amounts can be
   allocated to the others. */
INSERT INTO BUMONMST (BCODE, BNAME) VALUES (' ', '');
INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('00', '共通');

/* The chart. Account groups (GROUPM1): 1100-1300 current assets, 1400 and
   1500 tangible fixed assets (depreciable 1401-1410, the accumulated
   depreciation 1416), 1600 intangible assets, 1700 investments, 1800
   deferred assets, 2100/2200 liabilities, 3100-3300 net assets, 4100
   sales, 5100 cost of sales, 5600 manufacturing cost, 6100/6200 selling
   and administrative expenses, 7100/7200 non-operating items, 8100/8200
   extraordinary items, 8300 taxes, 9900 the clearing account.
   GROUPM2 places each account in the total it rolls up into (the
   calculations read the code against their group ranges, each bound
   excluded): 1100 cash and deposits, 1130 receivables, 1200 inventories,
   1300 other current assets, 1400 tangible, 1600 intangible, 1700
   investments, 1800 deferred assets, 2100 current and 2200 fixed
   liabilities, 3100 capital, 3200 capital surplus, 3300 retained earnings
   reserve, 3340 retained earnings brought forward (the balancing account,
   in no range), 4100 sales, 5100 cost of sales, 5600 labour (total 5680)
   and 5700 other manufacturing costs (total 5780), 6100 selling and
   administrative expenses, 7100/7200 non-operating, 8100/8200
   extraordinary items, 8300 taxes. The fixed-
   asset journal settings of both corporations and individuals name 1401
   to 1412, 1416, 1501 to 1506, 1601 to 1608, 1620, 1701 to 1703, 2205,
   5606, 6202, 6204, 8101, 8201 and 8202, so all of them are here.
   DAC: 1 assets, 2 liabilities and net assets, 3 revenue, 4 expenses
   (contra accounts take the other side). */
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1101', '1101', '現金', '1100', '1100', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1102', '1102', '当座預金', '1100', '1100', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1103', '1103', '普通預金', '1100', '1100', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1104', '1104', '定期預金', '1100', '1100', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1201', '1201', '受取手形', '1200', '1130', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1202', '1202', '売掛金', '1200', '1130', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1301', '1301', '商品', '1300', '1200', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1302', '1302', '前払費用', '1300', '1300', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1303', '1303', '仮払金', '1300', '1300', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1304', '1304', '仮払消費税', '1300', '1300', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1305', '1305', '貸倒引当金', '1300', '1300', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1401', '1401', '建物', '1400', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1402', '1402', '建物附属設備', '1400', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1403', '1403', '構築物', '1400', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1404', '1404', '機械装置', '1400', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1405', '1405', '車両運搬具', '1400', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1406', '1406', '工具器具備品', '1400', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1407', '1407', '一括償却資産', '1400', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1408', '1408', 'リース資産', '1400', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1409', '1409', '船舶', '1400', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1410', '1410', '航空機', '1400', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1411', '1411', '土地', '1500', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1412', '1412', '建設仮勘定', '1500', '1400', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1416', '1416', '減価償却累計額', '1500', '1400', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1501', '1501', '借地権', '1600', '1600', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1502', '1502', 'ソフトウェア', '1600', '1600', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1503', '1503', '電話加入権', '1600', '1600', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1504', '1504', '特許権', '1600', '1600', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1505', '1505', '商標権', '1600', '1600', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1506', '1506', 'のれん', '1600', '1600', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1601', '1601', '投資有価証券', '1700', '1700', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1602', '1602', '出資金', '1700', '1700', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1603', '1603', '長期貸付金', '1700', '1700', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1604', '1604', '長期前払費用', '1700', '1700', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1605', '1605', '差入保証金', '1700', '1700', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1606', '1606', '保険積立金', '1700', '1700', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1607', '1607', '破産更生債権等', '1700', '1700', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1608', '1608', 'その他の投資', '1700', '1700', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1620', '1620', '長期繰延税金資産', '1700', '1700', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1701', '1701', '創立費', '1800', '1800', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1702', '1702', '開業費', '1800', '1800', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('1703', '1703', '開発費', '1800', '1800', 'B', 1);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2101', '2101', '支払手形', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2102', '2102', '買掛金', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2103', '2103', '短期借入金', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2104', '2104', '未払金', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2105', '2105', '未払費用', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2106', '2106', '前受金', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2107', '2107', '預り金', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2108', '2108', '仮受金', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2109', '2109', '仮受消費税', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2110', '2110', '未払法人税等', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2111', '2111', '割引手形', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2112', '2112', '裏書手形', '2100', '2100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2201', '2201', '長期借入金', '2200', '2200', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('2205', '2205', '長期未払金', '2200', '2200', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('3101', '3101', '資本金', '3100', '3100', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('3201', '3201', '資本準備金', '3200', '3200', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('3301', '3301', '利益準備金', '3300', '3300', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('3302', '3302', '繰越利益剰余金', '3300', '3340', 'B', 2);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('4101', '4101', '売上高', '4100', '4100', 'P', 3);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('4102', '4102', '売上値引高', '4100', '4100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('5101', '5101', '期首商品棚卸高', '5100', '5100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('5102', '5102', '仕入高', '5100', '5100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('5103', '5103', '期末商品棚卸高', '5100', '5100', 'P', 3);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('5601', '5601', '労務費', '5600', '5600', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('5606', '5606', '減価償却費（製）', '5600', '5700', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6101', '6101', '役員報酬', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6102', '6102', '給料手当', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6103', '6103', '賞与', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6104', '6104', '法定福利費', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6105', '6105', '福利厚生費', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6106', '6106', '旅費交通費', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6107', '6107', '通信費', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6108', '6108', '消耗品費', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6109', '6109', '水道光熱費', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6110', '6110', '地代家賃', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6111', '6111', '租税公課', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6112', '6112', '支払手数料', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6113', '6113', '雑費', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6201', '6201', '保険料', '6200', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6202', '6202', '修繕費', '6200', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6203', '6203', 'リース料', '6200', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('6204', '6204', '減価償却費', '6200', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('7101', '7101', '受取利息', '7100', '7100', 'P', 3);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('7102', '7102', '雑収入', '7100', '7100', 'P', 3);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('7201', '7201', '支払利息', '7200', '7200', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('7202', '7202', '雑損失', '7200', '7200', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('8101', '8101', '固定資産売却益', '8100', '8100', 'P', 3);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('8201', '8201', '固定資産売却損', '8200', '8200', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('8202', '8202', '固定資産除却損', '8200', '8200', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('8301', '8301', '法人税等', '8300', '8300', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('9999', '9999', '諸口', '9900', '9900', 'B', 1);

/* The system accounts, found by name. */
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1101', '現金');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1304', '仮払消費税');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2109', '仮受消費税');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('9999', '諸口');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('3302', '繰越利益剰余金');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1201', '受取手形');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2111', '割引手形');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2112', '裏書手形');

/* The trial balance and settlement layouts: one line per account, in
   group and code order, named after its account (KNAME1 empty); the A4,
   A3 and settlement layouts start alike. */
UPDATE KAMOKUMST K
   SET EXT1_A4 = (SELECT COUNT(*) FROM KAMOKUMST K2
                   WHERE K2.GROUPM1 < K.GROUPM1 OR (K2.GROUPM1 = K.GROUPM1 AND K2.KCODE <= K.KCODE));
UPDATE KAMOKUMST SET EXT1_A3 = EXT1_A4, EXT1_KS = EXT1_A4;
INSERT INTO EXTERA4 (REC, KUBUN, KGROUP, SUBREC, KNAME1)
SELECT K.EXT1_A4, 0, K.GROUPM1,
       (SELECT COUNT(*) FROM KAMOKUMST K2 WHERE K2.GROUPM1 = K.GROUPM1 AND K2.KCODE <= K.KCODE), ''
  FROM KAMOKUMST K;
INSERT INTO EXTERA3 (REC, KUBUN, KGROUP, SUBREC, KNAME1) SELECT REC, KUBUN, KGROUP, SUBREC, KNAME1 FROM EXTERA4;
INSERT INTO EXTERKS (REC, KUBUN, KGROUP, SUBREC, KNAME1) SELECT REC, KUBUN, KGROUP, SUBREC, KNAME1 FROM EXTERA4;

/* The settlement statements' settings row. */
INSERT INTO KESSAN (REC) VALUES (1);

/* The company as a whole: its trigger makes the balance rows of every
   account, the tax totals, the dictionary headings and the head-count
   rows. */
INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES (' ', '', 0);

COMMIT;
