SET TERM ^ ;
/* The amounts of one account (or one sub-account of it, PEVERYH 0) for
   the budget-variance statements: per period the debit and credit (with
   tax when PTAX is 0) and the Navigore budget of periods 1 to 15. A NULL
   facility, facility group or department reads them all. Periods 1 to
   PLAST come before the data's first month: there the previous-year
   balances stand in, each period the change from the period read before
   it, on the account's own side (DAC 1 and 4 debit, else credit).
   PMODE 1 allocates the result with the rates R01-R16, PMODE 2
   allocates the amounts and each previous-year balance before the
   changes are taken; PMODE 0 leaves them whole. A share rounds half away
   from zero, as the program rounds, also for a negative amount. Every
   output is set for every call. */
RECREATE PROCEDURE SP_YOJITU_HENDOU_KINGAKU (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PSGROUP VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PKCODE VARCHAR(6) CHARACTER SET ASCII,
    PHCODE VARCHAR(6) CHARACTER SET ASCII,
    PEVERYH INTEGER,
    PLAST INTEGER,
    PDAC INTEGER,
    PMODE INTEGER,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */R{NN} NUMERIC(16,4)/*@ END */)
RETURNS (
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VBAL NUMERIC(18,4);
DECLARE VARIABLE VPREV NUMERIC(18,4);
DECLARE VARIABLE VMOVE NUMERIC(18,4);
BEGIN
    SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
           /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */,
           /*@ FOR N IN 1..15 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.RYOSAN, 0)), 0)/*@ END */
      FROM KAMOKU_MS M
     WHERE M.KCODE = :PKCODE AND (:PEVERYH = 1 OR M.HCODE = :PHCODE)
       AND (:PSCODE IS NULL OR M.SCODE = :PSCODE) AND (:PBCODE IS NULL OR M.BCODE = :PBCODE)
       AND (:PSGROUP IS NULL OR M.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSGROUP))
      INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
           /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */,
           /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
    YOSAN16 = 0;
    IF (PMODE = 2) THEN
    BEGIN
        /*@ FOR N IN 1..16 */
        KAR{NN} = CAST(ROUND(CAST(KAR{NN} AS DOUBLE PRECISION) * (R{NN} * 10000) / 10000, 0) AS NUMERIC(18,4));
        KAS{NN} = CAST(ROUND(CAST(KAS{NN} AS DOUBLE PRECISION) * (R{NN} * 10000) / 10000, 0) AS NUMERIC(18,4));
        YOSAN{NN} = CAST(ROUND(CAST(YOSAN{NN} AS DOUBLE PRECISION) * (R{NN} * 10000) / 10000, 0) AS NUMERIC(18,4));
        /*@ END */
    END
    VPREV = 0;
    FOR SELECT P.MNUM, COALESCE(SUM(P.NUKIZAN), 0)
          FROM KAMOKU_PZ P
         WHERE P.KCODE = :PKCODE AND (:PEVERYH = 1 OR P.HCODE = :PHCODE) AND P.MNUM > 0 AND P.MNUM <= :PLAST
           AND (:PSCODE IS NULL OR P.SCODE = :PSCODE) AND (:PBCODE IS NULL OR P.BCODE = :PBCODE)
           AND (:PSGROUP IS NULL OR P.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSGROUP))
         GROUP BY P.MNUM
         ORDER BY P.MNUM
          INTO :VMNUM, :VBAL DO
    BEGIN
        /*@ FOR N IN 1..16 */
        IF (VMNUM = {N} AND PMODE = 2) THEN VBAL = CAST(ROUND(CAST(VBAL AS DOUBLE PRECISION) * (R{NN} * 10000) / 10000, 0) AS NUMERIC(18,4));
        /*@ END */
        VMOVE = VBAL - VPREV;
        VPREV = VBAL;
        /*@ FOR N IN 1..16 */
        IF (VMNUM = {N}) THEN BEGIN KAR{NN} = IIF(:PDAC IN (1, 4), VMOVE, 0); KAS{NN} = IIF(:PDAC IN (1, 4), 0, VMOVE); END
        /*@ END */
    END
    IF (PMODE = 1) THEN
    BEGIN
        /*@ FOR N IN 1..16 */
        KAR{NN} = CAST(ROUND(CAST(KAR{NN} AS DOUBLE PRECISION) * (R{NN} * 10000) / 10000, 0) AS NUMERIC(18,4));
        KAS{NN} = CAST(ROUND(CAST(KAS{NN} AS DOUBLE PRECISION) * (R{NN} * 10000) / 10000, 0) AS NUMERIC(18,4));
        YOSAN{NN} = CAST(ROUND(CAST(YOSAN{NN} AS DOUBLE PRECISION) * (R{NN} * 10000) / 10000, 0) AS NUMERIC(18,4));
        /*@ END */
    END
    SUSPEND;
END ^

/* Profit and loss against the Navigore budget by period, for the variance
   statement: one row per profit-and-loss account (GROUPM0 "4000" to
   "6100") with monthly rows in the facility PSCODE and the facility group
   PSGROUP, HCODE and HNAME empty, then, when it has sub-accounts, a row
   per sub-account, the account's own rows among them (named after the
   account) only when they move. A facility or group given empty or blank
   means every one. HOJCNT counts the sub-accounts, one more when the
   account's own rows move beside them. Data that starts after the first
   month reads the periods before it from the previous-year balances. */
RECREATE PROCEDURE SP_YOJITU_HENDOU_SONEKI (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PSGROUP VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    GROUPM0 VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    KEIHKUBU VARCHAR(4),
    HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    HNAME VARCHAR(14),
    TAISHAKU INTEGER,
    BRATE NUMERIC(16,4),
    BKIND INTEGER,
    GRATE NUMERIC(16,4),
    GKIND INTEGER,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKAISINO INTEGER;
DECLARE VARIABLE VLAST INTEGER;
DECLARE VARIABLE VOWN NUMERIC(18,4);
DECLARE VARIABLE VSUB VARCHAR(6) CHARACTER SET ASCII;
BEGIN
    PTAX = COALESCE(PTAX, 0);
    IF (COALESCE(PSCODE, '') = '') THEN PSCODE = NULL;
    IF (COALESCE(PSGROUP, '') = '') THEN PSGROUP = NULL;
    SELECT COALESCE(KAISINO, 1) FROM ACCDEF1 WHERE REC = 1 INTO :VKAISINO;
    VLAST = 0;
    IF (VKAISINO > 1) THEN
        SELECT TNUM FROM SP_CONVERT_12TO16(:VKAISINO - 1) INTO :VLAST;
    FOR SELECT K.GROUPM0, K.KCODE, K.USERCODE, K.KNAME, K.DAC, K.KEIHKUBU, K.NAVIGORE_YOJITU_RATE1,
               K.NAVIGORE_YOJITU_KIND1, K.NAVIGORE_YOJITU_RATE2, K.NAVIGORE_YOJITU_KIND2
          FROM KAMOKUMST K
         WHERE K.GROUPM0 BETWEEN '4000' AND '6100'
           AND EXISTS (SELECT 1 FROM KAMOKU_MS M
                        WHERE M.KCODE = K.KCODE AND (:PSCODE IS NULL OR M.SCODE = :PSCODE)
                          AND (:PSGROUP IS NULL OR M.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G
                                                                 WHERE G.GCODE = :PSGROUP)))
         ORDER BY K.GROUPM0, K.KCODE
          INTO :GROUPM0, :KCODE, :USERCODE, :KNAME, :TAISHAKU, :KEIHKUBU, :BRATE, :BKIND, :GRATE, :GKIND DO
    BEGIN
        SELECT COUNT(*) FROM KAMOKU_SZ Z
         WHERE Z.KCODE = :KCODE AND Z.HCODE <> ' ' AND Z.BCODE = ' ' AND (:PSCODE IS NULL OR Z.SCODE = :PSCODE)
           AND (:PSGROUP IS NULL OR Z.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSGROUP))
          INTO :HOJCNT;
        SELECT COALESCE(SUM(M.KAR_NUK + M.KAS_NUK + IIF(:PTAX = 0, M.KAR_TAX + M.KAS_TAX, 0)), 0)
          FROM KAMOKU_MS M
         WHERE M.KCODE = :KCODE AND M.HCODE = ' ' AND (:PSCODE IS NULL OR M.SCODE = :PSCODE)
           AND (:PSGROUP IS NULL OR M.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSGROUP))
          INTO :VOWN;
        IF (HOJCNT > 0 AND VOWN <> 0) THEN
            HOJCNT = HOJCNT + 1;
        HCODE = '';
        HNAME = '';
        SELECT * FROM SP_YOJITU_HENDOU_KINGAKU(:PTAX, :PSCODE, :PSGROUP, NULL, :KCODE, NULL, 1, :VLAST, :TAISHAKU, 0,
                                               /*@ FOR N IN 1..16 JOIN ", " */0/*@ END */)
          INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
        SUSPEND;
        IF (HOJCNT > 0) THEN
        BEGIN
            HOJCNT = 0;
            FOR SELECT DISTINCT M.HCODE FROM KAMOKU_MS M
                 WHERE M.KCODE = :KCODE AND M.MNUM = 16 AND (:PSCODE IS NULL OR M.SCODE = :PSCODE)
                   AND (:PSGROUP IS NULL OR M.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G
                                                          WHERE G.GCODE = :PSGROUP))
                 ORDER BY M.HCODE
                  INTO :VSUB DO
                IF (VSUB <> ' ' OR VOWN <> 0) THEN
                BEGIN
                    HCODE = VSUB;
                    HNAME = IIF(VSUB = ' ', KNAME, '');
                    IF (VSUB <> ' ') THEN
                        SELECT H.HNAME FROM HOJOMST H WHERE H.KCODE = :KCODE AND H.HCODE = :VSUB INTO :HNAME;
                    SELECT * FROM SP_YOJITU_HENDOU_KINGAKU(:PTAX, :PSCODE, :PSGROUP, NULL, :KCODE, :VSUB, 0, :VLAST,
                                                           :TAISHAKU, 0, /*@ FOR N IN 1..16 JOIN ", " */0/*@ END */)
                      INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                           /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */,
                           /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
                    SUSPEND;
                END
        END
    END
END ^
/* As SP_YOJITU_HENDOU_SONEKI for the facility PSCODE and its department
   PBCODE: the accounts the department keeps (KAMOKU_VIEW), sub-accounts
   counted in the facility and department. Allocating (PHIBUN 1) with the
   rates HAIBUN01-16 x 0.01 of the account's own row in the department,
   the common department "00" keeps its share of every period's debit,
   credit and budget; another department adds its share of those of "00",
   and before a mid-year start the changes of its share of the balances of
   "00". A sub-account row is allocated with the account's rates. */
RECREATE PROCEDURE SP_YOJITU_HENDOUSONEKI_BUMON (
    PTAX INTEGER,
    PHIBUN INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    GROUPM0 VARCHAR(6) CHARACTER SET ASCII,
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    KEIHKUBU VARCHAR(4),
    HOJCNT INTEGER,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    HNAME VARCHAR(14),
    TAISHAKU INTEGER,
    BRATE NUMERIC(16,4),
    BKIND INTEGER,
    GRATE NUMERIC(16,4),
    GKIND INTEGER,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKAISINO INTEGER;
DECLARE VARIABLE VLAST INTEGER;
DECLARE VARIABLE VOWN NUMERIC(18,4);
DECLARE VARIABLE VSUB VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VEVERY INTEGER;
DECLARE VARIABLE VMODE INTEGER;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE R{NN} NUMERIC(16,4);
DECLARE VARIABLE A{NN} NUMERIC(16,4);
DECLARE VARIABLE B{NN} NUMERIC(16,4);
DECLARE VARIABLE C{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    PTAX = COALESCE(PTAX, 0);
    PHIBUN = COALESCE(PHIBUN, 0);
    SELECT COALESCE(KAISINO, 1) FROM ACCDEF1 WHERE REC = 1 INTO :VKAISINO;
    VLAST = 0;
    IF (VKAISINO > 1) THEN
        SELECT TNUM FROM SP_CONVERT_12TO16(:VKAISINO - 1) INTO :VLAST;
    /* The common department itself keeps its share (mode 1); another
       department takes its own amounts whole and adds its share of the
       common department's (mode 2). */
    VMODE = IIF(PHIBUN = 1, IIF(PBCODE = '00', 1, 2), 0);
    FOR SELECT V.GROUPM0, V.KCODE, V.USERCODE, V.KNAME, V.DAC, K.KEIHKUBU, K.NAVIGORE_YOJITU_RATE1,
               K.NAVIGORE_YOJITU_KIND1, K.NAVIGORE_YOJITU_RATE2, K.NAVIGORE_YOJITU_KIND2
          FROM KAMOKU_VIEW V INNER JOIN KAMOKUMST K ON (K.KCODE = V.KCODE)
         WHERE V.SCODE = :PSCODE AND V.BCODE = :PBCODE AND V.GROUPM0 BETWEEN '4000' AND '6100'
         GROUP BY V.SCODE, V.GROUPM0, V.USERCODE, V.KCODE, V.KNAME, V.DAC, K.KEIHKUBU, K.NAVIGORE_YOJITU_RATE1,
                  K.NAVIGORE_YOJITU_KIND1, K.NAVIGORE_YOJITU_RATE2, K.NAVIGORE_YOJITU_KIND2
         ORDER BY V.SCODE, V.GROUPM0, V.USERCODE
          INTO :GROUPM0, :KCODE, :USERCODE, :KNAME, :TAISHAKU, :KEIHKUBU, :BRATE, :BKIND, :GRATE, :GKIND DO
    BEGIN
        /*@ FOR N IN 1..16 */
        R{NN} = 0;
        /*@ END */
        SELECT /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */COALESCE(Z.HAIBUN{NN}, 0) * 0.01/*@ END */
          FROM KAMOKU_SZ Z
         WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.HCODE = ' ' AND Z.BCODE = :PBCODE
          INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */;
        SELECT COUNT(*) FROM KAMOKU_SZ Z
         WHERE Z.SCODE = :PSCODE AND Z.BCODE = :PBCODE AND Z.KCODE = :KCODE AND Z.HCODE <> ' '
          INTO :HOJCNT;
        SELECT COALESCE(SUM(M.KAR_NUK + M.KAS_NUK + IIF(:PTAX = 0, M.KAR_TAX + M.KAS_TAX, 0)), 0)
          FROM KAMOKU_MS M
         WHERE M.SCODE = :PSCODE AND M.BCODE = :PBCODE AND M.KCODE = :KCODE AND M.HCODE = ' '
          INTO :VOWN;
        IF (HOJCNT > 0 AND VOWN <> 0) THEN
            HOJCNT = HOJCNT + 1;
        HCODE = '';
        HNAME = '';
        VSUB = NULL;
        VEVERY = 1;
        /* The account row first, then its sub-accounts (HOJCNT 0 there). */
        WHILE (VEVERY IS NOT NULL) DO
        BEGIN
            SELECT * FROM SP_YOJITU_HENDOU_KINGAKU(:PTAX, :PSCODE, NULL, :PBCODE, :KCODE, :VSUB, :VEVERY, :VLAST,
                                                   :TAISHAKU, IIF(:VMODE = 1, 1, 0),
                                                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */)
              INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */;
            IF (VMODE = 2) THEN
            BEGIN
                SELECT * FROM SP_YOJITU_HENDOU_KINGAKU(:PTAX, :PSCODE, NULL, '00', :KCODE, :VSUB, :VEVERY, :VLAST,
                                                       :TAISHAKU, 2,
                                                       /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */)
                  INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:C{NN}/*@ END */;
                /*@ FOR N IN 1..16 */
                KAR{NN} = KAR{NN} + A{NN}; KAS{NN} = KAS{NN} + B{NN}; YOSAN{NN} = YOSAN{NN} + C{NN};
                /*@ END */
            END
            SUSPEND;
            VEVERY = NULL;
            IF (HOJCNT > 0 OR VSUB IS NOT NULL) THEN
            BEGIN
                HOJCNT = 0;
                SELECT FIRST 1 M.HCODE FROM KAMOKU_MS M
                 WHERE M.SCODE = :PSCODE AND M.BCODE = :PBCODE AND M.KCODE = :KCODE AND M.MNUM = 16
                   AND (:VSUB IS NULL OR M.HCODE > :VSUB) AND (M.HCODE <> ' ' OR :VOWN <> 0)
                 ORDER BY M.HCODE
                  INTO :VSUB;
                IF (ROW_COUNT > 0) THEN
                BEGIN
                    VEVERY = 0;
                    HCODE = VSUB;
                    HNAME = IIF(VSUB = ' ', KNAME, '');
                    IF (VSUB <> ' ') THEN
                        SELECT H.HNAME FROM HOJOMST H WHERE H.KCODE = :KCODE AND H.HCODE = :VSUB INTO :HNAME;
                END
            END
        END
    END
END ^
SET TERM ; ^
