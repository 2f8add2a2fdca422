/* Company data 9.0.3, medical chart: the trial balances of one department
   over the facilities, of one facility and of a facility group, in the
   form of the chart's trial balance (the second grouping GROUPR1/GROUPR2
   beside the first); of one department by business kind in the A4 and A3
   layouts; and the settlement form of a department and of the facility
   comparison. */
SET TERM ^ ;

/* The chart takes the department trial balances facility first
   (facility, department, tax mode, allocation) and with the second
   grouping. Their arithmetic is the general chart's, which the earlier
   updates gave the tax mode first: each is copied as the database holds it
   into a procedure of that order (SP_SISANHYO_BUMON_IPPAN, _IPPAN_A4,
   _IPPAN_A3), and the chart's own forms read the copies. */
EXECUTE BLOCK AS
DECLARE VARIABLE VBODY BLOB SUB_TYPE TEXT CHARACTER SET UTF8;
DECLARE VARIABLE VARGS VARCHAR(400) CHARACTER SET ASCII;
DECLARE VARIABLE VFIGURES VARCHAR(2000) CHARACTER SET ASCII;
BEGIN
    VARGS = '(PTAX INTEGER, PHIBUN INTEGER, PSCODE VARCHAR(6) CHARACTER SET ASCII, PBCODE VARCHAR(6) CHARACTER SET ASCII) '
         || 'RETURNS (GROUPM1 VARCHAR(6) CHARACTER SET ASCII, GROUPM2 VARCHAR(6) CHARACTER SET ASCII, ';
    VFIGURES = 'KAISIZAN NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " */KAR{NN} NUMERIC(16,4)/*@ END */, '
            || '/*@ FOR N IN 1..16 JOIN ", " */KAS{NN} NUMERIC(16,4)/*@ END */) AS ';
    SELECT RDB$PROCEDURE_SOURCE FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = 'SP_SISANHYO_BUMON' INTO :VBODY;
    EXECUTE STATEMENT 'CREATE OR ALTER PROCEDURE SP_SISANHYO_BUMON_IPPAN ' || VARGS
        || 'USERCODE VARCHAR(6) CHARACTER SET ASCII, KCODE VARCHAR(6) CHARACTER SET ASCII, KNAME VARCHAR(14), '
        || 'BSPL VARCHAR(1) CHARACTER SET ASCII, HOJCNT INTEGER, HCODE VARCHAR(6) CHARACTER SET ASCII, HNAME VARCHAR(14), '
        || 'TAISHAKU INTEGER, ' || VFIGURES || VBODY;
    /*@ FOR F IN A4, A3 */
    SELECT RDB$PROCEDURE_SOURCE FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = 'SP_SISANHYO_BUMON_{F}' INTO :VBODY;
    EXECUTE STATEMENT 'CREATE OR ALTER PROCEDURE SP_SISANHYO_BUMON_IPPAN_{F} ' || VARGS
        || 'MSTREC INTEGER, SUBREC INTEGER, USERCODE VARCHAR(6) CHARACTER SET ASCII, KCODE VARCHAR(6) CHARACTER SET ASCII, '
        || 'KNAME VARCHAR(14), BSPL VARCHAR(1) CHARACTER SET ASCII, TAISHAKU INTEGER, ' || VFIGURES || VBODY;
    /*@ END */
END ^
COMMIT ^

/* The department PBCODE of the facility PSCODE, allocated (PHIBUN 1) or
   not, as the general chart's department trial balance gives it, with
   the account's second grouping. Like the chart's trial balance it has a
   row for every account in use, in the same order (an account the
   department has no balance row for shows nothing but its name), so that
   the rows of several departments read one after the other fall on the
   same places. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_BUMON (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER,
    PHIBUN INTEGER)
RETURNS (
    /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE JOIN ", " WRAP 3 */{C} VARCHAR(6) CHARACTER SET ASCII/*@ END */,
    KNAME VARCHAR(14), BSPL VARCHAR(1) CHARACTER SET ASCII, HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII, HNAME VARCHAR(14), TAISHAKU INTEGER, KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT K.GROUPM1, K.GROUPM2, K.GROUPR1, K.GROUPR2, K.USERCODE, K.KCODE, K.KNAME, K.BPFLG,
               COALESCE(B.HOJCNT, 0), COALESCE(B.HCODE, ''), COALESCE(B.HNAME, ''), K.DAC, COALESCE(B.KAISIZAN, 0),
               /*@ FOR N IN 1..16 JOIN ", " WRAP 6 */COALESCE(B.KAR{NN}, 0)/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 6 */COALESCE(B.KAS{NN}, 0)/*@ END */
          FROM KAMOKUMST K
          LEFT JOIN SP_SISANHYO_BUMON_IPPAN(:PTAX, :PHIBUN, :PSCODE, :PBCODE) B ON B.KCODE = K.KCODE
         WHERE K.USE = 1
         ORDER BY K.GROUPM1, K.USERCODE, K.KCODE, CHAR_LENGTH(B.HCODE) NULLS FIRST, B.HCODE
          INTO /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE, KNAME, BSPL, HOJCNT, HCODE, HNAME, TAISHAKU, KAISIZAN JOIN ", " WRAP 7 */:{C}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The same in the lines of the A4 or A3 layout, with the second grouping
   of the accounts that give a line its first grouping. */
/*@ FOR F IN A4, A3 */
CREATE OR ALTER PROCEDURE SP_SISANHYO_BUMON_{F} (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER,
    PHIBUN INTEGER)
RETURNS (
    /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2 JOIN ", " WRAP 2 */{C} VARCHAR(6) CHARACTER SET ASCII/*@ END */,
    MSTREC INTEGER, SUBREC INTEGER,
    USERCODE VARCHAR(6) CHARACTER SET ASCII, KCODE VARCHAR(6) CHARACTER SET ASCII, KNAME VARCHAR(14),
    BSPL VARCHAR(1) CHARACTER SET ASCII, TAISHAKU INTEGER, KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_SISANHYO_BUMON_IPPAN_{F}(:PTAX, :PHIBUN, :PSCODE, :PBCODE)
          INTO :GROUPM1, :GROUPM2, :MSTREC, :SUBREC, :USERCODE, :KCODE, :KNAME, :BSPL, :TAISHAKU, :KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
    BEGIN
        GROUPR1 = NULL;
        GROUPR2 = NULL;
        SELECT MAX(K.GROUPR1), MAX(K.GROUPR2) FROM KAMOKUMST K
         WHERE K.EXT1_{F} = :MSTREC AND K.GROUPM1 = :GROUPM1 AND K.GROUPM2 = :GROUPM2
          INTO :GROUPR1, :GROUPR2;
        SUSPEND;
    END
END ^
/*@ END */

/* The rows of one facility PSCODE as the chart's trial balance gives them:
   the whole facility when PBCODE is null, else its department PBCODE as
   the department trial balance gives it without allocation. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_SISETUBUMON (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE JOIN ", " WRAP 3 */{C} VARCHAR(6) CHARACTER SET ASCII/*@ END */,
    KNAME VARCHAR(14), BSPL VARCHAR(1) CHARACTER SET ASCII, HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII, HNAME VARCHAR(14), TAISHAKU INTEGER, KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    IF (PBCODE IS NULL) THEN
        FOR SELECT * FROM SP_SISANHYO(:PSCODE, :PTAX, 0)
              INTO /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE, KNAME, BSPL, HOJCNT, HCODE, HNAME, TAISHAKU, KAISIZAN JOIN ", " WRAP 7 */:{C}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
            SUSPEND;
    ELSE
        FOR SELECT * FROM SP_SISANHYO_BUMON(:PSCODE, :PBCODE, :PTAX, 0)
              INTO /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE, KNAME, BSPL, HOJCNT, HCODE, HNAME, TAISHAKU, KAISIZAN JOIN ", " WRAP 7 */:{C}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
            SUSPEND;
END ^

/* The facilities chosen summed, each as SP_SISANHYO_SISETUBUMON gives it
   (the whole facility, or its department PBCODE): the facility PSCODE
   when one is given, else those of the facility group PGCODE when one is
   given, else every facility or, for a single business kind PJIGYOU (1, 2,
   4, 8 or 16), those of that kind (SISETUMST.MB_JIGYOU); 0 or 255 take
   every kind. The rows are those of one facility's trial balance: an
   account row (HCODE empty) counting the part rows that follow it over
   every facility, then its parts. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_SISETUGOKEI (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE JOIN ", " WRAP 3 */{C} VARCHAR(6) CHARACTER SET ASCII/*@ END */,
    KNAME VARCHAR(14), BSPL VARCHAR(1) CHARACTER SET ASCII, HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII, HNAME VARCHAR(14), TAISHAKU INTEGER, KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VORDER INTEGER;
DECLARE VARIABLE VPARTS INTEGER;
BEGIN
    PJIGYOU = IIF(COALESCE(PJIGYOU, 0) IN (1, 2, 4, 8, 16), PJIGYOU, 0);
    /* Whole facilities but for a group: the chart's trial balance chooses
       them itself. It reads the blank facility code ' ' as every facility,
       so the facilities are not summed one by one, and a group counts only
       its facilities with a code. */
    IF (PBCODE IS NULL AND COALESCE(TRIM(PGCODE), '') = '') THEN
    BEGIN
        FOR SELECT * FROM SP_SISANHYO(COALESCE(:PSCODE, ''), :PTAX, IIF(:PSCODE IS NULL, :PJIGYOU, 0))
              INTO /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE, KNAME, BSPL, HOJCNT, HCODE, HNAME, TAISHAKU, KAISIZAN JOIN ", " WRAP 7 */:{C}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
            SUSPEND;
        EXIT;
    END
    /* The account row has an empty HCODE, the account's own part ' ': the
       two compare equal, so the length tells them apart. */
    FOR SELECT A.GROUPM1, A.GROUPM2, A.GROUPR1, A.GROUPR2, A.USERCODE, A.KCODE, A.KNAME, A.BSPL, A.HCODE, A.HNAME,
               A.TAISHAKU, A.O, SUM(A.O) OVER (PARTITION BY A.KCODE), A.KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */A.KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */A.KAS{NN}/*@ END */
          FROM (SELECT P.GROUPM1, P.GROUPM2, MAX(P.GROUPR1) AS GROUPR1, MAX(P.GROUPR2) AS GROUPR2, P.USERCODE, P.KCODE,
                       MAX(P.KNAME) AS KNAME, MAX(P.BSPL) AS BSPL, MAX(P.HCODE) AS HCODE, MAX(P.HNAME) AS HNAME,
                       MAX(P.TAISHAKU) AS TAISHAKU, IIF(CHAR_LENGTH(P.HCODE) = 0, 0, 1) AS O, SUM(P.KAISIZAN) AS KAISIZAN,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */SUM(P.KAR{NN}) AS KAR{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */SUM(P.KAS{NN}) AS KAS{NN}/*@ END */
                  FROM SISETUMST S
                 CROSS JOIN SP_SISANHYO_SISETUBUMON(S.SCODE, :PTAX, :PBCODE) P
                 WHERE IIF(:PSCODE IS NOT NULL, IIF(S.SCODE = :PSCODE, 1, 0),
                       IIF(COALESCE(TRIM(:PGCODE), '') = '',
                           IIF(:PJIGYOU = 0 OR S.MB_JIGYOU = :PJIGYOU, 1, 0),
                           (SELECT COUNT(*) FROM SISETUGROUPLIST G
                             WHERE G.GCODE = :PGCODE AND G.SCODE = S.SCODE AND TRIM(G.SCODE) <> ''))) > 0
                 GROUP BY P.GROUPM1, P.USERCODE, P.KCODE, P.GROUPM2, IIF(CHAR_LENGTH(P.HCODE) = 0, 0, 1), P.HCODE) A
         ORDER BY A.GROUPM1, A.USERCODE, A.KCODE, A.O, A.HCODE
          INTO :GROUPM1, :GROUPM2, :GROUPR1, :GROUPR2, :USERCODE, :KCODE, :KNAME, :BSPL, :HCODE, :HNAME,
               :TAISHAKU, :VORDER, :VPARTS, :KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
    BEGIN
        HOJCNT = IIF(VORDER = 0, VPARTS, 0);
        SUSPEND;
    END
END ^

/* The department PBCODE summed over the facilities, all of them or those
   of the single business kind PJIGYOU. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_BUMONGOKEI (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (
    /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE JOIN ", " WRAP 3 */{C} VARCHAR(6) CHARACTER SET ASCII/*@ END */,
    KNAME VARCHAR(14), BSPL VARCHAR(1) CHARACTER SET ASCII, HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII, HNAME VARCHAR(14), TAISHAKU INTEGER, KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_SISANHYO_SISETUGOKEI(:PTAX, COALESCE(:PBCODE, ''), :PJIGYOU, NULL, NULL)
          INTO /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE, KNAME, BSPL, HOJCNT, HCODE, HNAME, TAISHAKU, KAISIZAN JOIN ", " WRAP 7 */:{C}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The facilities of the facility group PGCODE (SISETUGROUPLIST) summed,
   each as the chart's trial balance gives it. A group without facilities
   has no rows. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_GROUP (
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER)
RETURNS (
    /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE JOIN ", " WRAP 3 */{C} VARCHAR(6) CHARACTER SET ASCII/*@ END */,
    KNAME VARCHAR(14), BSPL VARCHAR(1) CHARACTER SET ASCII, HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII, HNAME VARCHAR(14), TAISHAKU INTEGER, KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    IF (COALESCE(TRIM(PGCODE), '') <> '') THEN
        FOR SELECT * FROM SP_SISANHYO_SISETUGOKEI(:PTAX, NULL, 0, :PGCODE, NULL)
              INTO /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE, KNAME, BSPL, HOJCNT, HCODE, HNAME, TAISHAKU, KAISIZAN JOIN ", " WRAP 7 */:{C}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
            SUSPEND;
END ^

/* One facility PSCODE: the chart's trial balance of that facility over
   every business kind. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_SISETU (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER)
RETURNS (
    /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE JOIN ", " WRAP 3 */{C} VARCHAR(6) CHARACTER SET ASCII/*@ END */,
    KNAME VARCHAR(14), BSPL VARCHAR(1) CHARACTER SET ASCII, HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII, HNAME VARCHAR(14), TAISHAKU INTEGER, KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_SISANHYO_SISETUBUMON(:PSCODE, :PTAX, NULL)
          INTO /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE, KNAME, BSPL, HOJCNT, HCODE, HNAME, TAISHAKU, KAISIZAN JOIN ", " WRAP 7 */:{C}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The layout forms by department and business kind: each line of the A4
   or A3 layout (EXTERA4, EXTERA3) summed over the facilities of the kind
   PJIGYOU (every facility for 0 or 255) as the department layout trial
   balance gives it without allocation, in the layout's order, with the
   second grouping beside the first. A line that
   shows one account in every facility names it; a line that shows
   several, or different ones in different facilities, shows "-" as code. */
/*@ FOR F IN A4, A3 */
CREATE OR ALTER PROCEDURE SP_SISANHYO_JIGYOBETUBUMON_{F} (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (
    /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2 JOIN ", " WRAP 2 */{C} VARCHAR(6) CHARACTER SET ASCII/*@ END */,
    MSTREC INTEGER, SUBREC INTEGER,
    USERCODE VARCHAR(6) CHARACTER SET ASCII, KCODE VARCHAR(6) CHARACTER SET ASCII, KNAME VARCHAR(14),
    BSPL VARCHAR(1) CHARACTER SET ASCII, TAISHAKU INTEGER, KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    PJIGYOU = IIF(COALESCE(PJIGYOU, 0) IN (1, 2, 4, 8, 16), PJIGYOU, 0);
    FOR SELECT MAX(P.GROUPM1), MAX(P.GROUPM2), MAX(P.GROUPR1), MAX(P.GROUPR2), P.MSTREC, P.SUBREC,
               IIF(MIN(P.KCODE) = MAX(P.KCODE), MAX(P.USERCODE), '-'), IIF(MIN(P.KCODE) = MAX(P.KCODE), MAX(P.KCODE), '-'),
               MAX(P.KNAME), MAX(P.BSPL), MAX(P.TAISHAKU), SUM(P.KAISIZAN),
               /*@ FOR N IN 1..16 JOIN ", " WRAP 6 */SUM(P.KAR{NN})/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 6 */SUM(P.KAS{NN})/*@ END */
          FROM SISETUMST S
         CROSS JOIN SP_SISANHYO_BUMON_{F}(S.SCODE, :PBCODE, :PTAX, 0) P
          LEFT JOIN EXTER{F} L ON L.REC = P.MSTREC
         WHERE :PJIGYOU = 0 OR S.MB_JIGYOU = :PJIGYOU
         GROUP BY P.MSTREC, P.SUBREC, L.KGROUP
         ORDER BY L.KGROUP, P.SUBREC, P.MSTREC
          INTO :GROUPM1, :GROUPM2, :GROUPR1, :GROUPR2, :MSTREC, :SUBREC, :USERCODE, :KCODE, :KNAME, :BSPL, :TAISHAKU,
               :KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
        SUSPEND;
END ^
/*@ END */

/* The settlement form of the facilities chosen as SP_SISANHYO_SISETUGOKEI
   chooses them: one row per account (no part rows), its first grouping as
   the grouping of the settlement statements (GROUPM3), and its line of the
   settlement layout (KAMOKUMST.EXT1_KS, EXTERKS.SUBREC; 0 where it has
   none). */
CREATE OR ALTER PROCEDURE SP_SISANHYO_KAMOKUGOKEI (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM3 VARCHAR(6) CHARACTER SET ASCII,
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
BEGIN
    FOR SELECT G.GROUPM1, G.GROUPM2, G.GROUPM1, COALESCE(K.EXT1_KS, 0), COALESCE(L.SUBREC, 0), G.USERCODE, G.KCODE,
               G.KNAME, G.BSPL, G.TAISHAKU, G.KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */G.KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */G.KAS{NN}/*@ END */
          FROM SP_SISANHYO_SISETUGOKEI(:PTAX, :PBCODE, :PJIGYOU, :PGCODE, :PSCODE) G
          LEFT JOIN KAMOKUMST K ON K.KCODE = G.KCODE
          LEFT JOIN EXTERKS L ON L.REC = K.EXT1_KS
         WHERE CHAR_LENGTH(G.HCODE) = 0
          INTO /*@ FOR C IN GROUPM1, GROUPM2, GROUPM3, MSTREC, SUBREC, USERCODE, KCODE, KNAME, BSPL, TAISHAKU, KAISIZAN JOIN ", " WRAP 8 */:{C}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The settlement form of the department PBCODE summed over every
   facility. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_BUMONGOKEI_KS (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM3 VARCHAR(6) CHARACTER SET ASCII,
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
BEGIN
    FOR SELECT * FROM SP_SISANHYO_KAMOKUGOKEI(:PTAX, COALESCE(:PBCODE, ''), 0, NULL, NULL)
          INTO /*@ FOR C IN GROUPM1, GROUPM2, GROUPM3, MSTREC, SUBREC, USERCODE, KCODE, KNAME, BSPL, TAISHAKU, KAISIZAN JOIN ", " WRAP 8 */:{C}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The settlement form for the facility comparison: the facility PSCODE
   when one is given, else the facility group PGCODE when one is given,
   else every facility of the business kind PJIGYOU (all of them for 0 or
   255), each facility whole. PHIKAKU (1 from the comparison layout, 0 from
   the settlement layout) leaves the figures as they are. */
CREATE OR ALTER PROCEDURE SP_SISETUHIKAKU_SISANHYO (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER,
    PJIGYOU INTEGER,
    PHIKAKU INTEGER)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM3 VARCHAR(6) CHARACTER SET ASCII,
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
BEGIN
    FOR SELECT * FROM SP_SISANHYO_KAMOKUGOKEI(:PTAX, NULL, :PJIGYOU, :PGCODE,
                                              IIF(COALESCE(TRIM(:PSCODE), '') = '', NULL, :PSCODE))
          INTO /*@ FOR C IN GROUPM1, GROUPM2, GROUPM3, MSTREC, SUBREC, USERCODE, KCODE, KNAME, BSPL, TAISHAKU, KAISIZAN JOIN ", " WRAP 8 */:{C}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
        SUSPEND;
END ^

SET TERM ; ^
COMMIT;
