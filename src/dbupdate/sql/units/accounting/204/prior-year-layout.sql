SET TERM ^ ;
/* The previous-year balances (MNUM -32 to 15) and the analysis budgets of
   periods 1 to 15 of the department PBCODE of the facility PSCODE, by line
   of the A4 layout (EXTERA4, in line order). Allocating (PHIBUN 1), one
   row per account of the line kept in the department (its own row with
   HCODE ' '), with the account's groups: the common department "00" keeps
   its share of each balance (the row's own percentage HAIBUN) and of each
   budget (the account's rates HAIBUN01-15 of the department), another
   department adds to its own amounts its share of those of "00" (for a
   balance the percentage of its own row of that period). A share rounds
   half away from zero, as the program rounds. Without allocation, one row
   per line that has balances in the department, the line's group in
   GROUPM1 and GROUPM2, the balances of all its accounts and the budgets of
   its profit-and-loss accounts summed. Every amount is summed afresh for
   each row. */
RECREATE PROCEDURE SP_KANENDO_BUMON_ZANDAKA_A4 (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PHIBUN INTEGER)
RETURNS (
    GROUPM1 VARCHAR(6) CHARACTER SET ASCII,
    GROUPM2 VARCHAR(6) CHARACTER SET ASCII,
    MSTREC INTEGER,
    SUBREC INTEGER,
    /*@ FOR N IN 32..0 JOIN ", " WRAP 4 */ZANM{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */ZANP{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKGROUP VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VK VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VROWS INTEGER;
/*@ FOR N IN 1..15 */
DECLARE VARIABLE R{NN} DOUBLE PRECISION;
/*@ END */
BEGIN
    PHIBUN = COALESCE(PHIBUN, 0);
    FOR SELECT L.REC, L.SUBREC, L.KGROUP FROM EXTERA4 L ORDER BY L.KGROUP, L.SUBREC, L.REC
         INTO :MSTREC, :SUBREC, :VKGROUP DO
    BEGIN
        IF (PHIBUN = 1) THEN
        BEGIN
            FOR SELECT K.KCODE, K.GROUPM1, K.GROUPM2,
                       /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */COALESCE(Z.HAIBUN{NN}, 0) * 0.01/*@ END */
                  FROM KAMOKUMST K
                 INNER JOIN KAMOKU_SZ Z ON (Z.SCODE = :PSCODE AND Z.KCODE = K.KCODE AND Z.HCODE = ' '
                                            AND Z.BCODE = :PBCODE)
                 WHERE K.EXT1_A4 = :MSTREC
                 ORDER BY K.KCODE
                  INTO :VK, :GROUPM1, :GROUPM2, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:R{NN}/*@ END */ DO
            BEGIN
                IF (PBCODE = '00') THEN
                BEGIN
                    SELECT /*@ FOR N IN -32..15 JOIN ",\n" */CAST(ROUND(COALESCE(SUM(IIF(P.MNUM = {N}, CAST(P.NUKIZAN AS DOUBLE PRECISION) * P.HAIBUN, 0)), 0) / 100, 0) AS NUMERIC(18,4))/*@ END */
                      FROM KAMOKU_PZ P
                     WHERE P.SCODE = :PSCODE AND P.KCODE = :VK AND P.BCODE = '00'
                      INTO /*@ FOR N IN 32..0 JOIN ", " WRAP 8 */:ZANM{NN}/*@ END */,
                           /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:ZANP{NN}/*@ END */;
                    SELECT /*@ FOR N IN 1..15 JOIN ",\n" */CAST(ROUND(COALESCE(SUM(IIF(M.MNUM = {N}, CAST(M.BYOSAN AS DOUBLE PRECISION), 0)), 0) * :R{NN}, 0) AS NUMERIC(18,4))/*@ END */
                      FROM KAMOKU_MS M
                     WHERE M.SCODE = :PSCODE AND M.KCODE = :VK AND M.BCODE = '00'
                      INTO /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
                END
                ELSE
                BEGIN
                    SELECT /*@ FOR N IN -32..15 JOIN ",\n" */COALESCE(SUM(IIF(P.MNUM = {N} AND P.BCODE = :PBCODE, P.NUKIZAN, 0)), 0) + CAST(ROUND(COALESCE(SUM(IIF(P.MNUM = {N} AND P.BCODE = '00', CAST(P.NUKIZAN AS DOUBLE PRECISION), 0)), 0) * COALESCE((SELECT Q.HAIBUN FROM KAMOKU_PZ Q WHERE Q.SCODE = :PSCODE AND Q.KCODE = :VK AND Q.HCODE = ' ' AND Q.BCODE = :PBCODE AND Q.MNUM = {N}), 0) / 100, 0) AS NUMERIC(18,4))/*@ END */
                      FROM KAMOKU_PZ P
                     WHERE P.SCODE = :PSCODE AND P.KCODE = :VK AND P.BCODE IN (:PBCODE, '00')
                      INTO /*@ FOR N IN 32..0 JOIN ", " WRAP 8 */:ZANM{NN}/*@ END */,
                           /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:ZANP{NN}/*@ END */;
                    SELECT /*@ FOR N IN 1..15 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N} AND M.BCODE = :PBCODE, M.BYOSAN, 0)), 0) + CAST(ROUND(COALESCE(SUM(IIF(M.MNUM = {N} AND M.BCODE = '00', CAST(M.BYOSAN AS DOUBLE PRECISION), 0)), 0) * :R{NN}, 0) AS NUMERIC(18,4))/*@ END */
                      FROM KAMOKU_MS M
                     WHERE M.SCODE = :PSCODE AND M.KCODE = :VK AND M.BCODE IN (:PBCODE, '00')
                      INTO /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
                END
                SUSPEND;
            END
        END
        ELSE
        BEGIN
            SELECT COUNT(*) FROM KAMOKU_PZ P INNER JOIN KAMOKUMST K ON (K.KCODE = P.KCODE)
             WHERE P.SCODE = :PSCODE AND P.BCODE = :PBCODE AND K.EXT1_A4 = :MSTREC AND P.MNUM = 15
              INTO :VROWS;
            IF (VROWS > 0) THEN
            BEGIN
                GROUPM1 = VKGROUP;
                GROUPM2 = VKGROUP;
                SELECT /*@ FOR N IN -32..15 JOIN ",\n" */COALESCE(SUM(IIF(P.MNUM = {N}, P.NUKIZAN, 0)), 0)/*@ END */
                  FROM KAMOKU_PZ P INNER JOIN KAMOKUMST K ON (K.KCODE = P.KCODE)
                 WHERE P.SCODE = :PSCODE AND P.BCODE = :PBCODE AND K.EXT1_A4 = :MSTREC
                  INTO /*@ FOR N IN 32..0 JOIN ", " WRAP 8 */:ZANM{NN}/*@ END */,
                       /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:ZANP{NN}/*@ END */;
                SELECT /*@ FOR N IN 1..15 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.BYOSAN, 0)), 0)/*@ END */
                  FROM KAMOKU_MS M INNER JOIN KAMOKUMST K ON (K.KCODE = M.KCODE)
                 WHERE M.SCODE = :PSCODE AND M.BCODE = :PBCODE AND K.EXT1_A4 = :MSTREC AND K.BPFLG = 'P'
                  INTO /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
                SUSPEND;
            END
        END
    END
END ^

