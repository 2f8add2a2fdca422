/*
 * Turns a company database built from qhacc.sql into a medical
 * corporation's books (data type 3, code type 1: the medical chart). Run
 * after qhacc.sql, before any update. The medical chart names the profit
 * brought forward "前期繰越利益" and looks up the personnel accounts
 * "給料", "賞与", "賞与引当金繰入額" and "退職給付費用" by name. Its accounts
 * carry a second grouping, and its trial balance takes the facility, the
 * tax mode and a business kind in that order.
 */

UPDATE ACCDEF1 SET DATATYPE = 3, CODETYPE = 1 WHERE REC = 1;

UPDATE KAMOKUMST SET KNAME = '前期繰越利益' WHERE KCODE = '3302';
UPDATE KAMOKUMST SET KNAME = '給料' WHERE KCODE = '6102';

/* The account trigger adds the own sub-account row; the balance row of the
   company facility (and with it the period rows) is added here, as the
   facility trigger does for accounts that exist when a facility is made. */
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC)
VALUES ('6114', '6114', '賞与引当金繰入額', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC)
VALUES ('6115', '6115', '退職給付費用', '6100', '6100', 'P', 4);
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE)
SELECT S.SCODE, K.KCODE, ' ', ' ' FROM SISETUMST S CROSS JOIN KAMOKUMST K WHERE K.KCODE IN ('6114', '6115');

DELETE FROM ACCDEF2 WHERE KNAME = '繰越利益剰余金';
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('3302', '前期繰越利益');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('6102', '給料');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('6103', '賞与');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('6114', '賞与引当金繰入額');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('6115', '退職給付費用');

/* The medical chart groups its accounts a second way for the business
   kinds 2 and 4 (GROUPR1, GROUPR2; the chart starts them equal to the
   first grouping). */
ALTER TABLE KAMOKUMST ADD GROUPR1 AC_CODE, ADD GROUPR2 AC_CODE;
COMMIT;
UPDATE KAMOKUMST SET GROUPR1 = GROUPM1, GROUPR2 = GROUPM2;

/* The medical chart's trial balance takes the facility first, the tax
   mode second and a business kind third ("SELECT * From SP_SISANHYO(''
   ,:TAX,0)"): the rows of the general chart's trial balance, with the
   second grouping GROUPR1/GROUPR2 beside the first, over every facility
   (PSCODE empty) or one, limited for a single business kind PJIGYOU (1,
   2, 4, 8 or 16) to the facilities of that kind (SISETUMST.MB_JIGYOU); 0
   or 255 take every kind. */
SET TERM ^ ;

ALTER PROCEDURE SP_SISANHYO (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER,
    PJIGYOU INTEGER)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    GROUPR1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPR2 VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BSPL VARCHAR(1) CHARACTER SET ASCII,
    HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    HNAME VARCHAR(14),
    TAISHAKU INTEGER,
    KAISIZAN NUMERIC(16,4),
    KAR01 NUMERIC(16,4),
    KAR02 NUMERIC(16,4),
    KAR03 NUMERIC(16,4),
    KAR04 NUMERIC(16,4),
    KAR05 NUMERIC(16,4),
    KAR06 NUMERIC(16,4),
    KAR07 NUMERIC(16,4),
    KAR08 NUMERIC(16,4),
    KAR09 NUMERIC(16,4),
    KAR10 NUMERIC(16,4),
    KAR11 NUMERIC(16,4),
    KAR12 NUMERIC(16,4),
    KAR13 NUMERIC(16,4),
    KAR14 NUMERIC(16,4),
    KAR15 NUMERIC(16,4),
    KAR16 NUMERIC(16,4),
    KAS01 NUMERIC(16,4),
    KAS02 NUMERIC(16,4),
    KAS03 NUMERIC(16,4),
    KAS04 NUMERIC(16,4),
    KAS05 NUMERIC(16,4),
    KAS06 NUMERIC(16,4),
    KAS07 NUMERIC(16,4),
    KAS08 NUMERIC(16,4),
    KAS09 NUMERIC(16,4),
    KAS10 NUMERIC(16,4),
    KAS11 NUMERIC(16,4),
    KAS12 NUMERIC(16,4),
    KAS13 NUMERIC(16,4),
    KAS14 NUMERIC(16,4),
    KAS15 NUMERIC(16,4),
    KAS16 NUMERIC(16,4))
AS
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VH VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VORDER INTEGER;
DECLARE VARIABLE VKNAME VARCHAR(14);
BEGIN
    PTAX = COALESCE(PTAX, 0);
    PSCODE = TRIM(COALESCE(PSCODE, ''));
    PJIGYOU = COALESCE(PJIGYOU, 0);
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;

    FOR SELECT K.KCODE, K.GROUPM1, K.GROUPM2, K.GROUPR1, K.GROUPR2, K.USERCODE, K.KNAME, K.BPFLG, K.DAC
          FROM KAMOKUMST K
         WHERE K.USE = 1
         ORDER BY K.GROUPM1, K.USERCODE
          INTO :KCODE, :GROUPM1, :GROUPM2, :GROUPR1, :GROUPR2, :USERCODE, :VKNAME, :BSPL, :TAISHAKU DO
    BEGIN
        SELECT COUNT(DISTINCT Z.HCODE) FROM KAMOKU_SZ Z
         WHERE Z.KCODE = :KCODE AND Z.HCODE <> ' '
           AND (:PSCODE = '' OR Z.SCODE = :PSCODE)
           AND (:PJIGYOU NOT IN (1, 2, 4, 8, 16)
                OR Z.SCODE IN (SELECT F.SCODE FROM SISETUMST F WHERE F.MB_JIGYOU = :PJIGYOU))
          INTO :HOJCNT;

        /* The account row first (VH null: every sub-account), then each
           sub-account, the account's own part ' ' among them. */
        FOR SELECT H, O FROM (
                SELECT CAST(NULL AS VARCHAR(6) CHARACTER SET ASCII) AS H, 0 AS O FROM RDB$DATABASE
                UNION
                SELECT Z.HCODE, 1 FROM KAMOKU_SZ Z
                 WHERE Z.KCODE = :KCODE AND :HOJCNT > 0
                   AND (:PSCODE = '' OR Z.SCODE = :PSCODE)
                   AND (:PJIGYOU NOT IN (1, 2, 4, 8, 16)
                        OR Z.SCODE IN (SELECT F.SCODE FROM SISETUMST F WHERE F.MB_JIGYOU = :PJIGYOU)))
             ORDER BY O, H
              INTO :VH, :VORDER DO
        BEGIN
            SELECT COALESCE(SUM(Z.KAISIZAN), 0) FROM KAMOKU_SZ Z
             WHERE Z.KCODE = :KCODE AND (:VH IS NULL OR Z.HCODE = :VH)
               AND (:PSCODE = '' OR Z.SCODE = :PSCODE)
               AND (:PJIGYOU NOT IN (1, 2, 4, 8, 16)
                    OR Z.SCODE IN (SELECT F.SCODE FROM SISETUMST F WHERE F.MB_JIGYOU = :PJIGYOU))
              INTO :KAISIZAN;
            SELECT
                   COALESCE(SUM(IIF(D.MNUM = 1, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 2, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 3, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 4, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 5, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 6, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 7, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 8, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 9, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 10, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 11, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 12, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 13, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 14, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 15, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 16, D.KAR, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 1, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 2, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 3, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 4, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 5, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 6, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 7, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 8, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 9, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 10, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 11, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 12, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 13, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 14, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 15, D.KAS, 0)), 0),
                   COALESCE(SUM(IIF(D.MNUM = 16, D.KAS, 0)), 0)
              FROM (SELECT M.SCODE, M.HCODE, M.MNUM,
                           M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0) AS KAR,
                           M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0) AS KAS
                      FROM KAMOKU_MS M
                     WHERE M.KCODE = :KCODE
                    UNION ALL
                    SELECT T.SCODE, ' ', T.MNUM, T.KAR, T.KAS
                      FROM KAMOKU_TAX T
                     WHERE :PTAX = 1
                       AND ((T.KKUBUN = 1 AND :KCODE = :VKARIUKE) OR (T.KKUBUN = 2 AND :KCODE = :VKARIBARAI))) D
             WHERE (:VH IS NULL OR D.HCODE = :VH)
               AND (:PSCODE = '' OR D.SCODE = :PSCODE)
               AND (:PJIGYOU NOT IN (1, 2, 4, 8, 16)
                    OR D.SCODE IN (SELECT F.SCODE FROM SISETUMST F WHERE F.MB_JIGYOU = :PJIGYOU))
              INTO
                   :KAR01, :KAR02, :KAR03, :KAR04, :KAR05, :KAR06, :KAR07, :KAR08, 
                   :KAR09, :KAR10, :KAR11, :KAR12, :KAR13, :KAR14, :KAR15, :KAR16, 
                   :KAS01, :KAS02, :KAS03, :KAS04, :KAS05, :KAS06, :KAS07, :KAS08, 
                   :KAS09, :KAS10, :KAS11, :KAS12, :KAS13, :KAS14, :KAS15, :KAS16;
            IF (VH IS NULL) THEN
            BEGIN
                KNAME = VKNAME;
                HCODE = '';
                HNAME = '';
                SUSPEND;
            END
            ELSE
            BEGIN
                KNAME = VKNAME;
                HCODE = VH;
                HNAME = NULL;
                SELECT HNAME FROM HOJOMST WHERE KCODE = :KCODE AND HCODE = :VH INTO :HNAME;
                IF (VH = ' ') THEN
                    HNAME = VKNAME;
                /* The account row carried the count; its parts carry 0. */
                HOJCNT = 0;
                IF (VH <> ' ' OR KAISIZAN <> 0
                     OR KAR01 <> 0 OR KAR02 <> 0 OR KAR03 <> 0 OR KAR04 <> 0 OR KAR05 <> 0 OR KAR06 <> 0 OR KAR07 <> 0 OR KAR08 <> 0
                    OR KAR09 <> 0 OR KAR10 <> 0 OR KAR11 <> 0 OR KAR12 <> 0 OR KAR13 <> 0 OR KAR14 <> 0 OR KAR15 <> 0 OR KAR16 <> 0
                     OR KAS01 <> 0 OR KAS02 <> 0 OR KAS03 <> 0 OR KAS04 <> 0 OR KAS05 <> 0 OR KAS06 <> 0 OR KAS07 <> 0 OR KAS08 <> 0
                    OR KAS09 <> 0 OR KAS10 <> 0 OR KAS11 <> 0 OR KAS12 <> 0 OR KAS13 <> 0 OR KAS14 <> 0 OR KAS15 <> 0 OR KAS16 <> 0
                    ) THEN
                    SUSPEND;
            END
        END
    END
END ^

SET TERM ; ^

COMMIT;
