/*
 * Turns a company database built from qhacc.sql into a medical
 * corporation's books (data type 3, code type 1: the medical chart). Run
 * after qhacc.sql, before any update. The medical chart names the profit
 * brought forward "前期繰越利益" and looks up the personnel accounts
 * "給料", "賞与", "賞与引当金繰入額" and "退職給付費用" by name. Its accounts
 * carry a second grouping, and its trial balance takes the facility, the
 * tax mode and a business kind in that order.
 *
 * Like qhacc.sql a template: the per-period lists are FOR ... END
 * directives that the build expands into sql/base of the build folder.
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
    /*@ FOR N IN 1..16 JOIN ",\n" */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ",\n" */KAS{NN} NUMERIC(16,4)/*@ END */)
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
                   /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(D.MNUM = {N}, D.KAR, 0)), 0)/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(D.MNUM = {N}, D.KAS, 0)), 0)/*@ END */
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
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */;
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
                    /*@ FOR N IN 1..16 JOIN " " WRAP 8 */OR KAR{NN} <> 0/*@ END */
                    /*@ FOR N IN 1..16 JOIN " " WRAP 8 */OR KAS{NN} <> 0/*@ END */
                    ) THEN
                    SUSPEND;
            END
        END
    END
END ^

SET TERM ; ^

COMMIT;
