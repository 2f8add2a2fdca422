/*
 * The system database "qhaccdef.fdb" as the accounting package delivers it,
 * older than every system update (its VERSION table is empty, which reads
 * as 0.0.0, so the updates from 0.3.1 on are all pending).
 *
 * The builder creates the database (page size 16384, default character set
 * SJIS_0208) and runs this script through isql-fb against it, stopping at
 * the first failed statement. The file is UTF-8 and runs with the
 * connection character set UTF8; the engine stores the texts as SJIS_0208.
 *
 * What is NOT here, on purpose:
 * - everything the system updates create (VERSION_REC, KENSAKUJYOKEN,
 *   CHILD_DATALIST, CHILD_SERVERDATALIST, SP_DATALIST_INSERT, DATAPLACEMAN,
 *   DATALIST_EX, JOBCONTROL2) and every column they add (DATALIST from
 *   VER_TEXT on, OPERATOR's MYNUMBER_ADM and SHONIN): those statements
 *   would fail on objects that already exist;
 * - the server-side file procedures FILEOPERATION, DIRECTORYTEST and
 *   LONGTOSHORTFILENAME: they cannot be PSQL and no update needs them, so
 *   the script that installs the UDR module declares them.
 */


/* ------------------------------------------------------------------------
 * Functions
 * --------------------------------------------------------------------- */

SET TERM ^ ;

/* Written from what its caller expects: the data-list procedure of update
   4.0.0 takes the last four characters of a number to name a data folder.
   Answers the last N characters of STR (the whole text when it is shorter,
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
 * Operators and groups
 * --------------------------------------------------------------------- */

/* Operator groups. The data-list tables that later updates create refer to
   GROUPID here; every operator of a stand-alone installation belongs to
   group 10000. */
CREATE TABLE USERGROUP (
    GROUPID INTEGER NOT NULL,
    CONSTRAINT PK_USERGROUP PRIMARY KEY (GROUPID)
);

/* One row per operator of a group. OPCODE is the logon code within the
   group (codes below 10 are the fixed system users that some updates and
   the password logons use); PASWORD is kept as typed, case included;
   DATAPAS, JIMUSHO (accounting-office operator), OKINIIRI and KANSA are
   flags and settings the logon and the operator lists read. */
CREATE TABLE OPERATOR (
    GROUPID INTEGER NOT NULL,
    OPCODE INTEGER NOT NULL,
    OPNAME VARCHAR(20) DEFAULT '',
    JOBLEVEL INTEGER DEFAULT 0,
    PASWORD VARCHAR(16) DEFAULT '',
    DATAPAS VARCHAR(16) DEFAULT '',
    JIMUSHO INTEGER DEFAULT 0,
    OKINIIRI INTEGER DEFAULT 0,
    KANSA INTEGER DEFAULT 0,
    CONSTRAINT PK_OPERATOR PRIMARY KEY (GROUPID, OPCODE)
);

/* Names of the job levels, joined to OPERATOR.JOBLEVEL by the operator
   list; an operator whose level has no row is not listed. */
CREATE TABLE LEVELNAME (
    LEVELNO INTEGER NOT NULL,
    NAME VARCHAR(20) DEFAULT '',
    CONSTRAINT PK_LEVELNAME PRIMARY KEY (LEVELNO)
);

/* The operators logged on now, one row per operator and computer: written
   by LOGONUSERTEST, removed by the program at exit (by OPCODE and PCNAME),
   listed by the logged-on user screens. OPCODE is GROUPID * 10000 +
   OPERATORCODE. ATTACHMENT_ID is the attachment that logged on: once it has
   ended the row is left over from a program that did not log off. */
CREATE TABLE LOGONUSERLIST (
    OPCODE INTEGER NOT NULL,
    OPERATORCODE INTEGER NOT NULL,
    GROUPID INTEGER NOT NULL,
    PCNAME VARCHAR(200) NOT NULL,
    ATTACHMENT_ID BIGINT,
    CONSTRAINT PK_LOGONUSERLIST PRIMARY KEY (OPCODE, PCNAME)
);

/* Menu rights of each job level before update 8.0.2: one row per menu slot
   (page and position) that the level may start. Update 3.0.7 renumbers
   pages of the levels above 1000 and 8.0.2 converts the rows into
   JOBCONTROL2. No rows: nothing is restricted. */
CREATE TABLE JOBCONTROL (
    LEVELNO INTEGER NOT NULL,
    PAGENO INTEGER NOT NULL,
    MENUNO INTEGER NOT NULL,
    CONSTRAINT PK_JOBCONTROL PRIMARY KEY (LEVELNO, PAGENO, MENUNO)
);


/* ------------------------------------------------------------------------
 * Settings
 * --------------------------------------------------------------------- */

/* One row of display and print settings per operator (OPCODE =
   GROUPID * 10000 + logon code). The program inserts the row on first use
   with its colour defaults; every other column starts at 0 or empty. */
CREATE TABLE SYSDEF (
    OPCODE INTEGER NOT NULL,
    DataDir VARCHAR(254) DEFAULT '',
    PrinterName VARCHAR(254) DEFAULT '',
    MFTop INTEGER DEFAULT 0,
    MFLeft INTEGER DEFAULT 0,
    MFWidth INTEGER DEFAULT 0,
    MFHeight INTEGER DEFAULT 0,
    LastMenu INTEGER DEFAULT 0,
    FontName VARCHAR(64) DEFAULT '',
    FontSize INTEGER DEFAULT 0,
    FontStyle INTEGER DEFAULT 0,
    FontCharset INTEGER DEFAULT 0,
    FontHeight INTEGER DEFAULT 0,
    GridResize INTEGER DEFAULT 0,
    ShowHint INTEGER DEFAULT 0,
    GridMaxRow INTEGER DEFAULT 0,
    GridRsiz INTEGER DEFAULT 0,
    ClientColor INTEGER DEFAULT 0,
    ClientColor1 INTEGER DEFAULT 0,
    ClientColor2 INTEGER DEFAULT 0,
    ClientColor3 INTEGER DEFAULT 0,
    ForeColor INTEGER DEFAULT 0,
    BorderColor INTEGER DEFAULT 0,
    ActiveColor INTEGER DEFAULT 0,
    ThruBorderColor INTEGER DEFAULT 0,
    ColHeaderColor INTEGER DEFAULT 0,
    FixedTopColor INTEGER DEFAULT 0,
    RowHeaderColor INTEGER DEFAULT 0,
    FixedLeftColor INTEGER DEFAULT 0,
    TotalColor INTEGER DEFAULT 0,
    NetColor1 INTEGER DEFAULT 0,
    NetColor2 INTEGER DEFAULT 0,
    PLineColor1 INTEGER DEFAULT 0,
    PLineColor2 INTEGER DEFAULT 0,
    PreviewZOOM INTEGER DEFAULT 0,
    PanelColor INTEGER DEFAULT 0,
    PanelBackColor INTEGER DEFAULT 0,
    MenuPrintSw INTEGER DEFAULT 0,
    Shouhyou INTEGER DEFAULT 0,
    HojWait INTEGER DEFAULT 0,
    DicSwitch INTEGER DEFAULT 0,
    DicTekAuto INTEGER DEFAULT 0,
    DicTorAuto INTEGER DEFAULT 0,
    DicUsednt INTEGER DEFAULT 0,
    DicType INTEGER DEFAULT 0,
    DicNum1 INTEGER DEFAULT 0,
    DicNum2 INTEGER DEFAULT 0,
    DicSortType INTEGER DEFAULT 0,
    ColHeaderGradColor1 INTEGER DEFAULT 0,
    ColHeaderGradColor2 INTEGER DEFAULT 0,
    ShowDataSentaku INTEGER DEFAULT 0,
    ZenkaiDrive VARCHAR(254) DEFAULT '',
    UserPrint INTEGER DEFAULT 0,
    SwkTotal INTEGER DEFAULT 0,
    SwkLine INTEGER DEFAULT 0,
    KingakuPlus INTEGER DEFAULT 0,
    ZeroPrint INTEGER DEFAULT 0,
    SankakuPlus INTEGER DEFAULT 0,
    TEK_AUTOUP INTEGER DEFAULT 0,
    TOR_AUTOUP INTEGER DEFAULT 0,
    Reserve1 INTEGER DEFAULT 0,
    Reserve2 INTEGER DEFAULT 0,
    Reserve3 INTEGER DEFAULT 0,
    Reserve4 INTEGER DEFAULT 0,
    Reserve5 INTEGER DEFAULT 0,
    SSTR VARCHAR(1024) DEFAULT '',
    CONSTRAINT PK_SYSDEF PRIMARY KEY (OPCODE)
);

/* Typed common variables: one text value per operator code and key. The
   keys are names of at most ten full-width characters; STYPE names the
   value's type ("文字", "論理", "日付", "整数", "金額"). A missing row is
   inserted with its default when it is first read. */
CREATE TABLE SYSREG (
    OPCODE INTEGER NOT NULL,
    SCODE VARCHAR(20) NOT NULL,
    STYPE VARCHAR(10) DEFAULT '',
    STEXT VARCHAR(254) DEFAULT '',
    CONSTRAINT PK_SYSREG PRIMARY KEY (OPCODE, SCODE)
);

/* Numbered system records: row 10 holds the office (name=value lines in
   SSTR and three switches), row 20 the facility-rights switch. A missing
   row reads as zeros and an empty text. */
CREATE TABLE SYSTEMINI (
    REC INTEGER NOT NULL,
    RESERVE1 INTEGER DEFAULT 0,
    RESERVE2 INTEGER DEFAULT 0,
    RESERVE3 INTEGER DEFAULT 0,
    RESERVE4 INTEGER DEFAULT 0,
    RESERVE5 INTEGER DEFAULT 0,
    SSTR VARCHAR(1024) DEFAULT '',
    CONSTRAINT PK_SYSTEMINI PRIMARY KEY (REC)
);

/* Named styles per operator: report colours and, under the style names
   "020-" + screen name, the values a screen saved last time (SSTR, at most
   1024 bytes). */
CREATE TABLE STYLECOLOR (
    OPCODE INTEGER NOT NULL,
    STYLENAME VARCHAR(40) NOT NULL,
    LINECOLOR1 INTEGER DEFAULT -1,
    LINECOLOR2 INTEGER DEFAULT -1,
    LINECOLOR3 INTEGER DEFAULT -1,
    LINECOLOR4 INTEGER DEFAULT -1,
    LINECOLOR5 INTEGER DEFAULT -1,
    NETCOLOR1 INTEGER DEFAULT -1,
    NETCOLOR2 INTEGER DEFAULT -1,
    SSTR VARCHAR(1024) DEFAULT '',
    CONSTRAINT PK_STYLECOLOR PRIMARY KEY (OPCODE, STYLENAME)
);

/* The last size and place of each form per operator, and the size it was
   first given (DEFHEIGHT, DEFWIDTH). The program inserts rows without a
   column list, so the column order is part of the contract. */
CREATE TABLE FORMRSIZE (
    OPCODE INTEGER NOT NULL,
    FMNAME VARCHAR(64) NOT NULL,
    FMTOP INTEGER DEFAULT 0,
    FMLEFT INTEGER DEFAULT 0,
    FMHEIGHT INTEGER DEFAULT 0,
    FMWIDTH INTEGER DEFAULT 0,
    DEFHEIGHT INTEGER DEFAULT 0,
    DEFWIDTH INTEGER DEFAULT 0,
    CONSTRAINT PK_FORMRSIZE PRIMARY KEY (OPCODE, FMNAME)
);

/* Code systems: one row per saved chart-of-accounts definition, the
   definition's parts as text in INIDAT1 to INIDAT8. Rows 1 to 10 are the
   delivered slots that update 5.0.0 fills (it updates, never inserts);
   update 4.0.0 adds rows 11 to 20. */
CREATE TABLE USERCODE (
    RECNO INTEGER NOT NULL,
    NAME VARCHAR(40) DEFAULT '',
    DATATYPE INTEGER DEFAULT 0,
    CODETYPE INTEGER DEFAULT 0,
    INIDAT1 BLOB SUB_TYPE TEXT,
    INIDAT2 BLOB SUB_TYPE TEXT,
    INIDAT3 BLOB SUB_TYPE TEXT,
    INIDAT4 BLOB SUB_TYPE TEXT,
    INIDAT5 BLOB SUB_TYPE TEXT,
    INIDAT6 BLOB SUB_TYPE TEXT,
    INIDAT7 BLOB SUB_TYPE TEXT,
    INIDAT8 BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_USERCODE PRIMARY KEY (RECNO)
);

/* The era table. Empty as delivered, so the program uses its built-in
   eras; update 4.0.0 recreates it with its four eras. */
CREATE TABLE GENGO (
    GName VARCHAR(10) DEFAULT '',
    GSign VARCHAR(2) CHARACTER SET ASCII DEFAULT '',
    StartDate TIMESTAMP,
    YearOffSet INTEGER DEFAULT 0
);

/* The system database's own version: one row per update applied, the
   highest (MAJOR, MINOR1, MINOR2) being current. Update 0.3.1 adds the
   trigger VERSION_REC that numbers the rows; MEMO takes up to 127 bytes. */
CREATE TABLE VERSION (
    REC INTEGER NOT NULL,
    MAJOR INTEGER DEFAULT 0,
    MINOR1 INTEGER DEFAULT 0,
    MINOR2 INTEGER DEFAULT 0,
    MEMO VARCHAR(127) DEFAULT '',
    CONSTRAINT PK_VERSION PRIMARY KEY (REC)
);


/* ------------------------------------------------------------------------
 * The data list
 * --------------------------------------------------------------------- */

/* The catalogue of company data sets: one row per data area, keyed by REC
   alone (the child list that update 3.0.5 creates refers to it). These are
   the delivered columns; the updates add VER_TEXT and everything after. */
CREATE TABLE DATALIST (
    GROUPID INTEGER,
    REC INTEGER NOT NULL,
    ENTTEXT VARCHAR(20),
    SHOUGOU VARCHAR(20),
    PASNAME VARCHAR(127),
    NETDRIVE INTEGER,
    DATATYPE INTEGER,
    CODETYPE INTEGER,
    NENDO INTEGER,
    KISHU TIMESTAMP,
    KIMATU TIMESTAMP,
    DATALOCK INTEGER DEFAULT 0,
    TANTOU INTEGER DEFAULT 0,
    VER_MAJOR INTEGER DEFAULT 0,
    VER_MINOR1 INTEGER DEFAULT 0,
    VER_MINOR2 INTEGER DEFAULT 0,
    CONSTRAINT PK_DATALIST PRIMARY KEY (REC)
);

/* The share server's data areas in their first form, numbered per group
   by SERVERDATALIST_NO. Update 0.3.1 drops the trigger, then the column
   GROUPID, then the table, and creates the table anew keyed by group,
   drive letter and REC; so GROUPID must stay out of every key and only the
   trigger may depend on it. */
CREATE TABLE SERVERDATALIST (
    GROUPID INTEGER,
    REC INTEGER NOT NULL,
    ENTTEXT VARCHAR(20),
    SHOUGOU VARCHAR(20),
    PASNAME VARCHAR(128),
    DATATYPE INTEGER,
    CODETYPE INTEGER,
    NENDO INTEGER,
    KISHU TIMESTAMP,
    KIMATU TIMESTAMP,
    DATALOCK INTEGER DEFAULT 0,
    TANTOU INTEGER DEFAULT 0,
    VER_MAJOR INTEGER DEFAULT 0,
    VER_MINOR1 INTEGER DEFAULT 0,
    VER_MINOR2 INTEGER DEFAULT 0
);

SET TERM ^ ;

/* Numbers a new share-server area after the last one of its group when
   the row comes without a REC. */
CREATE TRIGGER SERVERDATALIST_NO FOR SERVERDATALIST
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (NEW.REC IS NULL) THEN
        SELECT COALESCE(MAX(REC), 0) + 1
        FROM SERVERDATALIST
        WHERE GROUPID = NEW.GROUPID
        INTO NEW.REC;
END ^

/* Written from what its callers expect: updates 1.0.1 and 4.0.2 call it
   with the system-data folder (the folder that holds this database and the
   data folders) as the program spells it, to bring the data list's folder
   names into line with it. It rewrites the start of every data-list path
   that lies under that folder, compared without regard to case, into
   exactly that spelling; the rest of a path (the four-digit data folder)
   is left as it is. Gives back each row it changed; an empty folder
   changes nothing. */
CREATE PROCEDURE SP_DATALIST_UPDATE (
    SYSDIRTEXT VARCHAR(254))
RETURNS (
    REC INTEGER,
    PASNAME VARCHAR(127))
AS
    DECLARE VARIABLE dvLEN INTEGER;
    DECLARE VARIABLE dvOLD VARCHAR(127);
BEGIN
    dvLEN = CHAR_LENGTH(COALESCE(SYSDIRTEXT, ''));
    IF (dvLEN = 0) THEN
        EXIT;
    FOR SELECT D.REC, D.PASNAME
        FROM DATALIST D
        WHERE UPPER(LEFT(D.PASNAME, :dvLEN)) = UPPER(:SYSDIRTEXT)
        INTO :REC, :dvOLD
    DO
    BEGIN
        PASNAME = SYSDIRTEXT || SUBSTRING(dvOLD FROM dvLEN + 1);
        IF (PASNAME IS DISTINCT FROM dvOLD) THEN
        BEGIN
            UPDATE DATALIST SET PASNAME = :PASNAME WHERE REC = :REC;
            SUSPEND;
        END
    END
END ^

/* Written from what its callers expect: the logon calls it with the
   computer name, the group, the logon code, the program's kind and the
   password as typed, and reads one row; the program removes the logon row
   at exit and the logged-on user lists read it. Answers:
     NUM -1  no such operator in the group, or the password differs
             (compared exactly, case included);
     NUM -3  the operator is logged on from another computer (the fixed
             system users below code 10 may be logged on from several);
     NUM  0  accepted: LOGINCODE is the logon code, JOBLEVEL the
             operator's level, and LOGONUSERLIST holds the logon (an older
             row of the same operator and computer, left by a program that
             ended without logging off, is replaced).
   A row of another computer whose attachment has ended is left over from a
   program that crashed or lost its connection there; it is removed first, so
   that it cannot keep the operator out for ever. Every program attaches as
   the same database user, whose attachments the monitoring table shows.
   APPVERSION is accepted and not used. The caller commits. */
CREATE PROCEDURE LOGONUSERTEST (
    PCNAME VARCHAR(200),
    GROUPID INTEGER,
    OPCODE INTEGER,
    APPVERSION INTEGER,
    PASWORD VARCHAR(16))
RETURNS (
    NUM INTEGER,
    LOGINCODE INTEGER,
    JOBLEVEL INTEGER)
AS
    DECLARE VARIABLE dvPASWORD VARCHAR(16);
    DECLARE VARIABLE dvFOUND INTEGER;
    DECLARE VARIABLE dvLOGON INTEGER;
BEGIN
    NUM = -1;
    LOGINCODE = OPCODE;
    JOBLEVEL = 0;
    dvFOUND = 0;

    FOR SELECT O.PASWORD, O.JOBLEVEL
        FROM OPERATOR O
        WHERE O.GROUPID = :GROUPID AND O.OPCODE = :OPCODE
        INTO :dvPASWORD, :JOBLEVEL
    DO
        dvFOUND = 1;

    /* The lengths as well: a comparison of texts ignores trailing blanks. */
    IF (dvFOUND = 0
        OR COALESCE(dvPASWORD, '') <> COALESCE(PASWORD, '')
        OR OCTET_LENGTH(COALESCE(dvPASWORD, '')) <> OCTET_LENGTH(COALESCE(PASWORD, ''))) THEN
    BEGIN
        JOBLEVEL = 0;
        SUSPEND;
        EXIT;
    END

    dvLOGON = GROUPID * 10000 + OPCODE;
    DELETE FROM LOGONUSERLIST L
    WHERE L.OPCODE = :dvLOGON
      AND L.ATTACHMENT_ID IS NOT NULL
      AND NOT EXISTS (SELECT 1 FROM MON$ATTACHMENTS A
                      WHERE A.MON$ATTACHMENT_ID = L.ATTACHMENT_ID);
    IF (OPCODE >= 10 AND EXISTS (SELECT 1 FROM LOGONUSERLIST L
                                 WHERE L.OPCODE = :dvLOGON
                                   AND L.PCNAME <> COALESCE(:PCNAME, ''))) THEN
    BEGIN
        NUM = -3;
        SUSPEND;
        EXIT;
    END

    DELETE FROM LOGONUSERLIST
    WHERE OPCODE = :dvLOGON AND PCNAME = COALESCE(:PCNAME, '');
    INSERT INTO LOGONUSERLIST (OPCODE, OPERATORCODE, GROUPID, PCNAME, ATTACHMENT_ID)
    VALUES (:dvLOGON, :OPCODE, :GROUPID, COALESCE(:PCNAME, ''), CURRENT_CONNECTION);

    NUM = 0;
    SUSPEND;
END ^

SET TERM ; ^


/* ------------------------------------------------------------------------
 * Delivered rows
 * --------------------------------------------------------------------- */

/* The one group of a stand-alone installation; the data lists that later
   updates create default to it and refer to it. */
INSERT INTO USERGROUP (GROUPID) VALUES (10000);

/* The administrator's level and a first administrator (logon code 10,
   no password), so that a fresh installation can be logged on to. */
INSERT INTO LEVELNAME (LEVELNO, NAME) VALUES (9, '管理者');
INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD, DATAPAS, JIMUSHO, OKINIIRI, KANSA)
VALUES (10000, 10, '管理者', 9, '', '', 0, 0, 0);

/* The ten code-system slots, empty until a definition is imported. */
INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE) VALUES (1, '', 0, 0);
INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE) VALUES (2, '', 0, 0);
INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE) VALUES (3, '', 0, 0);
INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE) VALUES (4, '', 0, 0);
INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE) VALUES (5, '', 0, 0);
INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE) VALUES (6, '', 0, 0);
INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE) VALUES (7, '', 0, 0);
INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE) VALUES (8, '', 0, 0);
INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE) VALUES (9, '', 0, 0);
INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE) VALUES (10, '', 0, 0);

COMMIT;
