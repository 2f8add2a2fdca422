/* Company data 9.0.3, medical chart: the trial balances of one department
   over the facilities, of one facility and of a facility group, in the
   form of the chart's trial balance (the second grouping GROUPR1/GROUPR2
   beside the first). */
SET TERM ^ ;

/* The department PBCODE summed over the facilities, all of them or, for
   a single business kind PJIGYOU (1, 2, 4, 8 or 16), those of that kind
   (SISETUMST.MB_JIGYOU); 0 or 255 take every kind. Each facility counts
   as the department trial balance gives it without allocation. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_BUMONGOKEI (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
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
DECLARE VARIABLE VORDER INTEGER;
DECLARE VARIABLE VPARTS INTEGER;
BEGIN
    /* The account row has an empty HCODE, the account's own part ' ': the
       two compare equal, so the length tells them apart. The account row
       counts the part rows that follow it, over every facility. */
    FOR SELECT A.GROUPM1, A.GROUPM2, A.GROUPR1, A.GROUPR2, A.USERCODE, A.KCODE, A.KNAME, A.BSPL, A.HCODE, A.HNAME,
               A.TAISHAKU, A.O, SUM(A.O) OVER (PARTITION BY A.KCODE), A.KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */A.KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */A.KAS{NN}/*@ END */
          FROM (SELECT P.GROUPM1, P.GROUPM2, MAX(P.GROUPR1) AS GROUPR1, MAX(P.GROUPR2) AS GROUPR2, P.USERCODE, P.KCODE, MAX(P.KNAME) AS KNAME,
                       MAX(P.BSPL) AS BSPL, MAX(P.HCODE) AS HCODE, MAX(P.HNAME) AS HNAME, MAX(P.TAISHAKU) AS TAISHAKU,
                       IIF(CHAR_LENGTH(P.HCODE) = 0, 0, 1) AS O, SUM(P.KAISIZAN) AS KAISIZAN,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */SUM(P.KAR{NN}) AS KAR{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */SUM(P.KAS{NN}) AS KAS{NN}/*@ END */
                  FROM (SELECT B.*, K.GROUPR1, K.GROUPR2
                          FROM SISETUMST S
                         CROSS JOIN SP_SISANHYO_BUMON(:PTAX, 0, S.SCODE, :PBCODE) B
                          JOIN KAMOKUMST K ON K.KCODE = B.KCODE
                         WHERE COALESCE(:PJIGYOU, 0) NOT IN (1, 2, 4, 8, 16) OR S.MB_JIGYOU = :PJIGYOU) P
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

/* The facilities of the facility group PGCODE (SISETUGROUPLIST) summed,
   each as the chart's trial balance gives it. A group without facilities
   has no rows. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_GROUP (
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER)
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
DECLARE VARIABLE VORDER INTEGER;
DECLARE VARIABLE VPARTS INTEGER;
BEGIN
    /* The account row has an empty HCODE, the account's own part ' ': the
       two compare equal, so the length tells them apart. The account row
       counts the part rows that follow it, over every facility. */
    FOR SELECT A.GROUPM1, A.GROUPM2, A.GROUPR1, A.GROUPR2, A.USERCODE, A.KCODE, A.KNAME, A.BSPL, A.HCODE, A.HNAME,
               A.TAISHAKU, A.O, SUM(A.O) OVER (PARTITION BY A.KCODE), A.KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */A.KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */A.KAS{NN}/*@ END */
          FROM (SELECT P.GROUPM1, P.GROUPM2, MAX(P.GROUPR1) AS GROUPR1, MAX(P.GROUPR2) AS GROUPR2, P.USERCODE, P.KCODE, MAX(P.KNAME) AS KNAME,
                       MAX(P.BSPL) AS BSPL, MAX(P.HCODE) AS HCODE, MAX(P.HNAME) AS HNAME, MAX(P.TAISHAKU) AS TAISHAKU,
                       IIF(CHAR_LENGTH(P.HCODE) = 0, 0, 1) AS O, SUM(P.KAISIZAN) AS KAISIZAN,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */SUM(P.KAR{NN}) AS KAR{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */SUM(P.KAS{NN}) AS KAS{NN}/*@ END */
                  FROM (SELECT T.* FROM SISETUGROUPLIST G
                         CROSS JOIN SP_SISANHYO(G.SCODE, :PTAX, 0) T
                         WHERE G.GCODE = :PGCODE AND TRIM(G.SCODE) <> '') P
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

/* One facility PSCODE: the chart's trial balance of that facility over
   every business kind. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_SISETU (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER)
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
BEGIN
    FOR SELECT GROUPM1, GROUPM2, GROUPR1, GROUPR2, USERCODE, KCODE, KNAME, BSPL, HOJCNT, HCODE, HNAME, TAISHAKU,
               KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */KAS{NN}/*@ END */
          FROM SP_SISANHYO(:PSCODE, :PTAX, 0)
          INTO :GROUPM1, :GROUPM2, :GROUPR1, :GROUPR2, :USERCODE, :KCODE, :KNAME, :BSPL, :HOJCNT, :HCODE, :HNAME,
               :TAISHAKU, :KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
        SUSPEND;
END ^

SET TERM ; ^
COMMIT;
