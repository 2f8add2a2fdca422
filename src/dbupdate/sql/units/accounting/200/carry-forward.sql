SET TERM ^ ;
/* The debit and credit of periods 1 to 16 passed in, plus the consumption
   tax that KAMOKU_TAX holds for the facility PSISCODE, the department
   PBUMCODE and the tax kind PTKCODE (1 received, 2 paid): the carried
   amounts of a suspense tax account without tax. One row always. */
RECREATE PROCEDURE SP_KURIKOSI_ZEIGAKU_ADD (
    PSISCODE VARCHAR(6) CHARACTER SET ASCII,
    PBUMCODE VARCHAR(6) CHARACTER SET ASCII,
    PTKCODE INTEGER,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
RETURNS (
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */RKAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */RKAS{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(:KAR{NN}, 0) + COALESCE(SUM(IIF(T.MNUM = {N}, T.KAR, 0)), 0)/*@ END */,
           /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(:KAS{NN}, 0) + COALESCE(SUM(IIF(T.MNUM = {N}, T.KAS, 0)), 0)/*@ END */
      FROM KAMOKU_TAX T
     WHERE T.SCODE = :PSISCODE AND T.BCODE = :PBUMCODE AND T.KKUBUN = :PTKCODE
      INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:RKAR{NN}/*@ END */,
           /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:RKAS{NN}/*@ END */;
    SUSPEND;
END ^
SET TERM ; ^
SET TERM ^ ;
/* Carries every balance into the next year's opening balance. Without tax
   the suspense tax accounts' own rows take the tax totals of their facility
   and department (the sub-account rows hold no tax of their own, so they
   would count it twice); every profit-and-loss row starts from 0. */
ALTER PROCEDURE SP_SETHOJOKAISIZAN (
    PTAX INTEGER)
RETURNS (
    BCOUNT INTEGER,
    PCOUNT INTEGER)
AS
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
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
                 WHERE SCODE = :VS AND BCODE = :VB AND KKUBUN = IIF(:VK = :VKARIUKE, 1, 2)
                   AND MNUM BETWEEN 1 AND 16
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
SET TERM ; ^
SET TERM ^ ;
/* The balances to carry forward of the facility PSCODE: one row per
   account, sub-account and department with a period-16 row
   (SP_KURIKOSIBUMONZANDAKA: per account and department, HCODE ' ', the
   sub-accounts summed). KAISIZAN the opening balance, KARnn/KASnn the
   debit and credit of period nn with tax (PTAX 0) or without (PTAX 1:
   then the suspense tax accounts' own rows add the tax of their facility
   and department, which the sub-account rows do not hold),
   KAR17-19/KAS17-19 0, HOJCNT the number of the account's sub-accounts in
   the facility. Every amount is summed afresh for each row. */
/*@ FOR P IN KURIKOSIBUMONZANDAKA, KURIKOSIZANDAKA */
ALTER PROCEDURE SP_{P} (
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
DECLARE VARIABLE VEVERYH INTEGER;
BEGIN
    PTAX = COALESCE(PTAX, 0);
    VEVERYH = IIF('{P}' = 'KURIKOSIBUMONZANDAKA', 1, 0);
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;
    FOR SELECT Z.KCODE, IIF(:VEVERYH = 1, ' ', Z.HCODE), Z.BCODE, COALESCE(SUM(Z.KAISIZAN), 0)
          FROM KAMOKU_SZ Z
         WHERE Z.SCODE = :PSCODE
           AND EXISTS (SELECT 1 FROM KAMOKU_MS M WHERE M.SCODE = Z.SCODE AND M.KCODE = Z.KCODE
                          AND M.HCODE = Z.HCODE AND M.BCODE = Z.BCODE AND M.MNUM = 16)
         GROUP BY 1, 2, 3
         ORDER BY 1, 2, 3
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
         WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.BCODE = :BCODE AND (:VEVERYH = 1 OR M.HCODE = :HCODE)
          INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */;
        IF (PTAX = 1 AND HCODE = ' ' AND (KCODE = VKARIUKE OR KCODE = VKARIBARAI)) THEN
            SELECT * FROM SP_KURIKOSI_ZEIGAKU_ADD(:PSCODE, :BCODE, IIF(:KCODE = :VKARIUKE, 1, 2),
                                                  /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                                                  /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */)
              INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */;
        /*@ FOR N IN 17..19 JOIN " " */KAR{N} = 0;/*@ END */
        /*@ FOR N IN 17..19 JOIN " " */KAS{N} = 0;/*@ END */
        SUSPEND;
    END
END ^

/*@ END */
SET TERM ; ^
