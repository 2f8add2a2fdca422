/* Company data 9.0.3, general chart: the trial balance of one department
   over every branch, in the standard form and the A4 and A3 layouts. */
SET TERM ^ ;

/* The department PBCODE summed over every branch (SISETUMST), as the
   department trial balance gives each branch without allocation: the same
   rows and order, an account row (HCODE and HNAME empty, HOJCNT the number
   of part rows that follow) and its sub-account rows, with tax (PTAX 0) or
   without it (PTAX 1, the tax on the suspense tax accounts). */
CREATE OR ALTER PROCEDURE SP_SISANHYO_BUMONGOKEI (
    PTAX INTEGER,
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
    /*@ FOR N IN 1..16 JOIN ",\n" */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ",\n" */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VORDER INTEGER;
DECLARE VARIABLE VPARTS INTEGER;
BEGIN
    /* The account row has an empty HCODE, the account's own part ' ': the
       two compare equal, so the length tells them apart. The account row
       counts the part rows that follow it, over every facility. */
    FOR SELECT A.GROUPM1, A.GROUPM2, A.USERCODE, A.KCODE, A.KNAME, A.BSPL, A.HCODE, A.HNAME,
               A.TAISHAKU, A.O, SUM(A.O) OVER (PARTITION BY A.KCODE), A.KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */A.KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */A.KAS{NN}/*@ END */
          FROM (SELECT P.GROUPM1, P.GROUPM2, P.USERCODE, P.KCODE, MAX(P.KNAME) AS KNAME,
                       MAX(P.BSPL) AS BSPL, MAX(P.HCODE) AS HCODE, MAX(P.HNAME) AS HNAME, MAX(P.TAISHAKU) AS TAISHAKU,
                       IIF(CHAR_LENGTH(P.HCODE) = 0, 0, 1) AS O, SUM(P.KAISIZAN) AS KAISIZAN,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */SUM(P.KAR{NN}) AS KAR{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */SUM(P.KAS{NN}) AS KAS{NN}/*@ END */
                  FROM SISETUMST S CROSS JOIN SP_SISANHYO_BUMON(:PTAX, 0, S.SCODE, :PBCODE) P
                 GROUP BY P.GROUPM1, P.USERCODE, P.KCODE, P.GROUPM2, IIF(CHAR_LENGTH(P.HCODE) = 0, 0, 1), P.HCODE) A
         ORDER BY A.GROUPM1, A.USERCODE, A.KCODE, A.O, A.HCODE
          INTO :GROUPM1, :GROUPM2, :USERCODE, :KCODE, :KNAME, :BSPL, :HCODE, :HNAME,
               :TAISHAKU, :VORDER, :VPARTS, :KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
    BEGIN
        HOJCNT = IIF(VORDER = 0, VPARTS, 0);
        SUSPEND;
    END
END ^

/* The layout forms of the same total: each line of the A4 or A3 layout
   (EXTERA4, EXTERA3) summed over the branches as the department layout
   trial balance gives it without allocation, in the layout's order. A line
   that shows one account in every branch names it; a line that shows
   several, or different ones in different branches, shows "-" as code. */
/*@ FOR F IN A4, A3 */
CREATE OR ALTER PROCEDURE SP_SISANHYO_BUMONGOKEI_{F} (
    PTAX INTEGER,
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
BEGIN
    FOR SELECT MAX(P.GROUPM1), MAX(P.GROUPM2), P.MSTREC, P.SUBREC,
               IIF(MIN(P.KCODE) = MAX(P.KCODE), MAX(P.USERCODE), '-'), IIF(MIN(P.KCODE) = MAX(P.KCODE), MAX(P.KCODE), '-'),
               MAX(P.KNAME), MAX(P.BSPL), MAX(P.TAISHAKU), SUM(P.KAISIZAN),
               /*@ FOR N IN 1..16 JOIN ", " WRAP 6 */SUM(P.KAR{NN})/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 6 */SUM(P.KAS{NN})/*@ END */
          FROM SISETUMST S
         CROSS JOIN SP_SISANHYO_BUMON_{F}(:PTAX, 0, S.SCODE, :PBCODE) P
          LEFT JOIN EXTER{F} L ON L.REC = P.MSTREC
         GROUP BY P.MSTREC, P.SUBREC, L.KGROUP
         ORDER BY L.KGROUP, P.SUBREC, P.MSTREC
          INTO :GROUPM1, :GROUPM2, :MSTREC, :SUBREC, :USERCODE, :KCODE, :KNAME, :BSPL, :TAISHAKU, :KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
        SUSPEND;
END ^
/*@ END */

SET TERM ; ^
COMMIT;
