/* Company data 9.0.3, medical chart: the trial balances of one department
   over the facilities, of one facility and of a facility group, in the
   form of the chart's trial balance (the second grouping GROUPR1/GROUPR2
   beside the first). */
SET TERM ^ ;

/* The rows of one facility PSCODE as the chart's trial balance gives them:
   the whole facility when PBCODE is null, else its department PBCODE as
   the department trial balance gives it without allocation, with the
   account's second grouping beside the first. */
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
        FOR SELECT B.GROUPM1, B.GROUPM2, K.GROUPR1, K.GROUPR2, B.USERCODE, B.KCODE, B.KNAME, B.BSPL, B.HOJCNT,
                   B.HCODE, B.HNAME, B.TAISHAKU, B.KAISIZAN,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */B.KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */B.KAS{NN}/*@ END */
              FROM SP_SISANHYO_BUMON(:PTAX, 0, :PSCODE, :PBCODE) B
              JOIN KAMOKUMST K ON K.KCODE = B.KCODE
              INTO /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE, KNAME, BSPL, HOJCNT, HCODE, HNAME, TAISHAKU, KAISIZAN JOIN ", " WRAP 7 */:{C}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
            SUSPEND;
END ^

/* The facilities chosen summed, each as SP_SISANHYO_SISETUBUMON gives it
   (the whole facility, or its department PBCODE): those of the facility
   group PGCODE when one is given, else every facility or, for a single
   business kind PJIGYOU (1, 2, 4, 8 or 16), those of that kind
   (SISETUMST.MB_JIGYOU); 0 or 255 take every kind. The rows are those of
   one facility's trial balance: an account row (HCODE empty) counting the
   part rows that follow it over every facility, then its parts. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_SISETUGOKEI (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER,
    PGCODE VARCHAR(6) CHARACTER SET ASCII)
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
                 WHERE IIF(COALESCE(TRIM(:PGCODE), '') = '',
                           IIF(:PJIGYOU = 0 OR S.MB_JIGYOU = :PJIGYOU, 1, 0),
                           (SELECT COUNT(*) FROM SISETUGROUPLIST G WHERE G.GCODE = :PGCODE AND G.SCODE = S.SCODE)) > 0
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
    FOR SELECT * FROM SP_SISANHYO_SISETUGOKEI(:PTAX, COALESCE(:PBCODE, ''), :PJIGYOU, NULL)
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
        FOR SELECT * FROM SP_SISANHYO_SISETUGOKEI(:PTAX, NULL, 0, :PGCODE)
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

SET TERM ; ^
COMMIT;
