/* Company data 9.0.0, general chart: the readers of the earlier fiscal
   years and of the budgets in the forms of this version, which take the
   tax mode, read the earlier years from KAKOZAN and hand the calculations
   one row per year; and the settlement trial balance with the earlier
   years in a tax mode of their own. */
SET TERM ^ ;

/* Written for the readers below: the earlier years of KAKOZAN, one row per
   account, sub-account and year (NENDO 0 the current year before the
   data's start, 1 the previous year, 2 the one before), its opening KISHU
   and its sixteen period movements, with tax (PTAX 0) or without it
   (PTAX 1). NULL leaves a filter off: the facility PSCODE, the facility
   group PGCODE, the department PBCODE. PWHOLE 1 sums the sub-accounts
   into their account (HCODE ' '). PHIBUN 1, with a facility and a
   department, allocates the common department "00" by the ratios
   HAIBUN_1 to HAIBUN_16 of the department's own row of the year (the
   opening by the first): "00" keeps its share of its figures, another
   department adds to its own the share of those of "00" of the same key
   and year. A share is cut to whole yen after rounding to the
   ten-thousandth, as the program's own accumulation cuts it, so that
   both give the same figures. */
CREATE OR ALTER PROCEDURE SP_KANENDO_KEYS (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PHIBUN INTEGER,
    PWHOLE INTEGER)
RETURNS (
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    NENDO INTEGER,
    KISHU NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKISHU NUMERIC(16,4);
/*@ FOR N IN 1..16 */
DECLARE VARIABLE C{NN} NUMERIC(16,4);
DECLARE VARIABLE R{NN} DOUBLE PRECISION;
/*@ END */
BEGIN
    PTAX = COALESCE(PTAX, 0);
    PWHOLE = COALESCE(PWHOLE, 0);
    PHIBUN = IIF(PSCODE IS NULL OR PBCODE IS NULL, 0, COALESCE(PHIBUN, 0));
    FOR SELECT A.KCODE, IIF(:PWHOLE = 1, ' ', A.HCODE), A.NENDO, COALESCE(SUM(A.KISHU), 0),
               /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(:PTAX = 1, A.NUKIZAN_{N}, A.KOMIZAN_{N})), 0)/*@ END */
          FROM KAKOZAN A
         WHERE (:PSCODE IS NULL OR A.SCODE = :PSCODE)
           AND (:PGCODE IS NULL OR A.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PGCODE))
           AND (:PBCODE IS NULL OR A.BCODE = :PBCODE)
         GROUP BY A.KCODE, IIF(:PWHOLE = 1, ' ', A.HCODE), A.NENDO
         ORDER BY A.KCODE, 2, A.NENDO
          INTO :KCODE, :HCODE, :NENDO, :KISHU,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
    BEGIN
        IF (PHIBUN = 1) THEN
        BEGIN
            /*@ FOR N IN 1..16 JOIN " " WRAP 8 */R{NN} = 0;/*@ END */
            SELECT /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */CAST(R.HAIBUN_{N} AS DOUBLE PRECISION) / 100/*@ END */
              FROM KAKOZAN R
             WHERE R.NENDO = :NENDO AND R.SCODE = :PSCODE AND R.BCODE = :PBCODE AND R.KCODE = :KCODE
               AND R.HCODE = ' '
              INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */;
            IF (PBCODE = '00') THEN
            BEGIN
                VKISHU = KISHU;
                /*@ FOR N IN 1..16 JOIN " " WRAP 8 */C{NN} = ZAN{NN};/*@ END */
                KISHU = 0;
                /*@ FOR N IN 1..16 JOIN " " WRAP 8 */ZAN{NN} = 0;/*@ END */
            END
            ELSE
                SELECT COALESCE(SUM(C.KISHU), 0),
                       /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(:PTAX = 1, C.NUKIZAN_{N}, C.KOMIZAN_{N})), 0)/*@ END */
                  FROM KAKOZAN C
                 WHERE C.NENDO = :NENDO AND C.SCODE = :PSCODE AND C.BCODE = '00' AND C.KCODE = :KCODE
                   AND (:PWHOLE = 1 OR C.HCODE = :HCODE)
                  INTO :VKISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:C{NN}/*@ END */;
            KISHU = KISHU + CAST(TRUNC(ROUND(VKISHU * R01, 4)) AS NUMERIC(16,4));
            /*@ FOR N IN 1..16 */
            ZAN{NN} = ZAN{NN} + CAST(TRUNC(ROUND(C{NN} * R{NN}, 4)) AS NUMERIC(16,4));
            /*@ END */
        END
        SUSPEND;
    END
END ^

/*@ FOR L IN A4, A3 */
/* Written for the {L} forms below: the earlier years of SP_KANENDO_KEYS
   (the same arguments) summed by line of the {L} layout, the line's group
   in KGROUP. */
CREATE OR ALTER PROCEDURE SP_KANENDO_LINES_{L} (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PHIBUN INTEGER)
RETURNS (
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    SUBREC INTEGER,
    NENDO INTEGER,
    KISHU NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT L.KGROUP, L.SUBREC, H.NENDO, SUM(H.KISHU),
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */SUM(H.ZAN{NN})/*@ END */
          FROM SP_KANENDO_KEYS(:PTAX, :PSCODE, :PGCODE, :PBCODE, :PHIBUN, 1) H
         INNER JOIN KAMOKUMST K ON (K.KCODE = H.KCODE)
         INNER JOIN EXTER{L} L ON (L.REC = K.EXT1_{L})
         GROUP BY L.KGROUP, L.SUBREC, H.NENDO
         ORDER BY L.KGROUP, L.SUBREC, H.NENDO
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/*@ END */
/* The earlier years by account and sub-account: every facility (PSCODE
   empty or blank) or one. */
CREATE OR ALTER PROCEDURE SP_KANENDO_ZANDAKA (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_KEYS(:PTAX, NULLIF(TRIM(:PSCODE), ''), NULL, NULL, 0, 0)
          INTO :KCODE, :HCODE, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The earlier years of the facilities of the facility group PGCODE (every
   facility when it is empty). */
CREATE OR ALTER PROCEDURE SP_KANENDO_GROUPZANDAKA (
    PTAX INTEGER,
    PGCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_KEYS(:PTAX, NULL, NULLIF(TRIM(:PGCODE), ''), NULL, 0, 0)
          INTO :KCODE, :HCODE, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The earlier years of the department PBCODE of the facility PSCODE (both
   always applied: blank is the blank code), the common department
   allocated when PHIBUN is 1. */
CREATE OR ALTER PROCEDURE SP_KANENDO_BUMON_ZANDAKA (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PHIBUN INTEGER)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_KEYS(:PTAX, COALESCE(:PSCODE, ' '), NULL, COALESCE(:PBCODE, ' '), :PHIBUN, 0)
          INTO :KCODE, :HCODE, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The earlier years of the department PBCODE summed over every facility,
   without allocation. */
CREATE OR ALTER PROCEDURE SP_KANENDO_BUMONGOKEI (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_KEYS(:PTAX, NULL, NULL, COALESCE(:PBCODE, ' '), 0, 0)
          INTO :KCODE, :HCODE, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/*@ FOR L IN A4, A3 */
/* SP_KANENDO_ZANDAKA by line of the {L} layout. */
CREATE OR ALTER PROCEDURE SP_KANENDO_ZANDAKA_{L} (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_LINES_{L}(:PTAX, NULLIF(TRIM(:PSCODE), ''), NULL, NULL, 0)
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/*@ END */
/* SP_KANENDO_GROUPZANDAKA by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_KANENDO_GROUPZANDAKA_A4 (
    PTAX INTEGER,
    PGCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_LINES_A4(:PTAX, NULL, NULLIF(TRIM(:PGCODE), ''), NULL, 0)
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* SP_KANENDO_BUMON_ZANDAKA by line of the A4 layout (its earlier form had
   no tax mode and read the balances of KAMOKU_PZ). */
CREATE OR ALTER PROCEDURE SP_KANENDO_BUMON_ZANDAKA_A4 (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PHIBUN INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_LINES_A4(:PTAX, COALESCE(:PSCODE, ' '), NULL, COALESCE(:PBCODE, ' '), :PHIBUN)
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* SP_KANENDO_BUMONGOKEI by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_KANENDO_BUMONGOKEI_A4 (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_LINES_A4(:PTAX, NULL, NULL, COALESCE(:PBCODE, ' '), 0)
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* Written for the budget readers below: the budgets and actual figures of
   the profit-and-loss accounts by account and sub-account (PWHOLE 1: the
   sub-accounts summed into their account, HCODE ' '), filtered as
   SP_KANENDO_KEYS filters. YOSANnn, YOSAN2nn and YOSAN3nn are the three
   budgets of period nn; JISSEKInn the actual figure, the booked movement
   towards the account's side (with tax for PTAX 0, less the bulk tax
   exclusion for PTAX 1) or, where RW_JISSEKI_KBN is 1, the figure entered
   as RW_JISSEKI; JKUBUNnn counts the rows of the period whose figure was
   entered. The common department's budgets are not shared out: the
   program's own facility and department accumulation leaves them too. */
CREATE OR ALTER PROCEDURE SP_YOSAN_KEYS (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PWHOLE INTEGER)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII,
         /*@ FOR N IN 1..15 JOIN ",\n" */YOSAN{NN} NUMERIC(16,4), YOSAN2{NN} NUMERIC(16,4), YOSAN3{NN} NUMERIC(16,4)/*@ END */,
         /*@ FOR N IN 1..16 JOIN ",\n" */JISSEKI{NN} NUMERIC(16,4), JKUBUN{NN} INTEGER/*@ END */)
AS
BEGIN
    PTAX = COALESCE(PTAX, 0);
    PWHOLE = COALESCE(PWHOLE, 0);
    FOR SELECT M.KCODE, IIF(:PWHOLE = 1, ' ', M.HCODE),
               /*@ FOR N IN 1..15 */
               COALESCE(SUM(IIF(M.MNUM = {N}, M.BYOSAN, 0)), 0), COALESCE(SUM(IIF(M.MNUM = {N}, M.BYOSAN2, 0)), 0),
               COALESCE(SUM(IIF(M.MNUM = {N}, M.BYOSAN3, 0)), 0),
               /*@ END */
               /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.ACTUAL, 0)), 0), COALESCE(SUM(IIF(M.MNUM = {N}, M.RW_JISSEKI_KBN, 0)), 0)/*@ END */
          FROM (SELECT S.KCODE, S.HCODE, S.MNUM, S.BYOSAN, S.BYOSAN2, S.BYOSAN3, S.RW_JISSEKI_KBN,
                       CASE S.RW_JISSEKI_KBN
                           WHEN 0 THEN IIF(K.DAC IN (1, 4), 1, IIF(K.DAC IN (2, 3), -1, 0))
                                       * IIF(:PTAX = 1, (S.KAR_NUK - S.KAR_IKKATSU) - (S.KAS_NUK - S.KAS_IKKATSU),
                                                        (S.KAR_NUK + S.KAR_TAX) - (S.KAS_NUK + S.KAS_TAX))
                           WHEN 1 THEN S.RW_JISSEKI
                           ELSE 0
                       END AS ACTUAL
                  FROM KAMOKU_MS S
                 INNER JOIN KAMOKUMST K ON (K.KCODE = S.KCODE)
                 WHERE K.BPFLG = 'P'
                   AND (:PSCODE IS NULL OR S.SCODE = :PSCODE)
                   AND (:PGCODE IS NULL OR S.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PGCODE))
                   AND (:PBCODE IS NULL OR S.BCODE = :PBCODE)) M
         GROUP BY M.KCODE, IIF(:PWHOLE = 1, ' ', M.HCODE)
         ORDER BY M.KCODE, 2
          INTO :KCODE, :HCODE, /*@ FOR N IN 1..15 JOIN ", " WRAP 3 */:YOSAN{NN}, :YOSAN2{NN}, :YOSAN3{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */:JISSEKI{NN}, :JKUBUN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* Written for the A4 budget forms below: the first budget of
   SP_YOSAN_KEYS (the same filters) summed by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_YOSAN_LINES_A4 (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER,
         /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT L.KGROUP, L.SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 6 */SUM(H.YOSAN{NN})/*@ END */
          FROM SP_YOSAN_KEYS(0, :PSCODE, :PGCODE, :PBCODE, 1) H
         INNER JOIN KAMOKUMST K ON (K.KCODE = H.KCODE)
         INNER JOIN EXTERA4 L ON (L.REC = K.EXT1_A4)
         GROUP BY L.KGROUP, L.SUBREC
         ORDER BY L.KGROUP, L.SUBREC
          INTO :KGROUP, :SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The budgets by account and sub-account: every facility (PSCODE empty
   or blank) or one. */
CREATE OR ALTER PROCEDURE SP_YOSAN (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII,
         /*@ FOR N IN 1..15 JOIN ",\n" */YOSAN{NN} NUMERIC(16,4), YOSAN2{NN} NUMERIC(16,4), YOSAN3{NN} NUMERIC(16,4)/*@ END */,
         /*@ FOR N IN 1..16 JOIN ",\n" */JISSEKI{NN} NUMERIC(16,4), JKUBUN{NN} INTEGER/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_KEYS(:PTAX, NULLIF(TRIM(:PSCODE), ''), NULL, NULL, 0)
          INTO :KCODE, :HCODE, /*@ FOR N IN 1..15 JOIN ", " WRAP 3 */:YOSAN{NN}, :YOSAN2{NN}, :YOSAN3{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */:JISSEKI{NN}, :JKUBUN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The budgets of the facilities of the facility group PGCODE (every
   facility when it is empty). */
CREATE OR ALTER PROCEDURE SP_YOSAN_GROUP (
    PTAX INTEGER,
    PGCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII,
         /*@ FOR N IN 1..15 JOIN ",\n" */YOSAN{NN} NUMERIC(16,4), YOSAN2{NN} NUMERIC(16,4), YOSAN3{NN} NUMERIC(16,4)/*@ END */,
         /*@ FOR N IN 1..16 JOIN ",\n" */JISSEKI{NN} NUMERIC(16,4), JKUBUN{NN} INTEGER/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_KEYS(:PTAX, NULL, NULLIF(TRIM(:PGCODE), ''), NULL, 0)
          INTO :KCODE, :HCODE, /*@ FOR N IN 1..15 JOIN ", " WRAP 3 */:YOSAN{NN}, :YOSAN2{NN}, :YOSAN3{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */:JISSEKI{NN}, :JKUBUN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The budgets of the department PBCODE of the facility PSCODE (both
   always applied); PHIBUN shares out no budget, see SP_YOSAN_KEYS. */
CREATE OR ALTER PROCEDURE SP_YOSAN_BUMON (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PHIBUN INTEGER)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII,
         /*@ FOR N IN 1..15 JOIN ",\n" */YOSAN{NN} NUMERIC(16,4), YOSAN2{NN} NUMERIC(16,4), YOSAN3{NN} NUMERIC(16,4)/*@ END */,
         /*@ FOR N IN 1..16 JOIN ",\n" */JISSEKI{NN} NUMERIC(16,4), JKUBUN{NN} INTEGER/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_KEYS(:PTAX, COALESCE(:PSCODE, ' '), NULL, COALESCE(:PBCODE, ' '), 0)
          INTO :KCODE, :HCODE, /*@ FOR N IN 1..15 JOIN ", " WRAP 3 */:YOSAN{NN}, :YOSAN2{NN}, :YOSAN3{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */:JISSEKI{NN}, :JKUBUN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The budgets of the department PBCODE summed over every facility. */
CREATE OR ALTER PROCEDURE SP_YOSAN_BUMONGOKEI (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII,
         /*@ FOR N IN 1..15 JOIN ",\n" */YOSAN{NN} NUMERIC(16,4), YOSAN2{NN} NUMERIC(16,4), YOSAN3{NN} NUMERIC(16,4)/*@ END */,
         /*@ FOR N IN 1..16 JOIN ",\n" */JISSEKI{NN} NUMERIC(16,4), JKUBUN{NN} INTEGER/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_KEYS(:PTAX, NULL, NULL, COALESCE(:PBCODE, ' '), 0)
          INTO :KCODE, :HCODE, /*@ FOR N IN 1..15 JOIN ", " WRAP 3 */:YOSAN{NN}, :YOSAN2{NN}, :YOSAN3{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */:JISSEKI{NN}, :JKUBUN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* SP_YOSAN by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_YOSAN_A4 (
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER,
         /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_LINES_A4(NULLIF(TRIM(:PSCODE), ''), NULL, NULL)
          INTO :KGROUP, :SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* SP_YOSAN_GROUP by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_YOSAN_GROUP_A4 (
    PGCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER,
         /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_LINES_A4(NULL, NULLIF(TRIM(:PGCODE), ''), NULL)
          INTO :KGROUP, :SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* SP_YOSAN_BUMON by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_YOSAN_BUMON_A4 (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PHIBUN INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER,
         /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_LINES_A4(COALESCE(:PSCODE, ' '), NULL, COALESCE(:PBCODE, ' '))
          INTO :KGROUP, :SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* SP_YOSAN_BUMONGOKEI by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_YOSAN_BUMONGOKEI_A4 (
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER,
         /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_LINES_A4(NULL, NULL, COALESCE(:PBCODE, ' '))
          INTO :KGROUP, :SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The settlement trial balance by line of the settlement layout (EXTERKS,
   in line order), a line coming out when one of its accounts has balance
   rows: the current year's opening and movements of its accounts as the
   trial balance over every facility gives them in the tax mode PTAX, and
   the earlier years of KAKOZAN, the previous year (opening KISHU1, the
   movements of its periods 1 to 16 in ZANM15 to ZANM00) and the current
   year before the data's start (opening KISHU0, ZANP01 to ZANP15). The
   earlier years are read in the tax mode PTAX when PZENTAX is 1, else in
   the previous year's own (KURIKOSI1 of ACCDEF1 where the data has it,
   else the data's tax mode TAXDEFUH). The line takes the name KNAME1 or
   that of its last account in code order, whose groups, side and kind it
   reports; its codes are its account's when it holds one account under
   that account's name, else '-'. An earlier-year figure is added towards
   the line's side: an account of the other side counts negative. */
CREATE OR ALTER PROCEDURE SP_SISANHYO_KESSAN (
    PTAX INTEGER,
    PZENTAX INTEGER)
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
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */,
    KISHU1 NUMERIC(16,4),
    /*@ FOR N IN 15..0 JOIN ", " WRAP 4 */ZANM{NN} NUMERIC(16,4)/*@ END */,
    KISHU0 NUMERIC(16,4),
    /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */ZANP{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VT INTEGER;
DECLARE VARIABLE VKNAME1 VARCHAR(20);
DECLARE VARIABLE VCOUNT INTEGER;
DECLARE VARIABLE VN VARCHAR(14);
DECLARE VARIABLE VSIDE INTEGER;
BEGIN
    PTAX = COALESCE(PTAX, 0);
    VT = PTAX;
    IF (COALESCE(PZENTAX, 0) <> 1) THEN
    BEGIN
        SELECT TAXDEFUH FROM ACCDEF1 WHERE REC = 1 INTO :VT;
        IF (EXISTS (SELECT 1 FROM RDB$RELATION_FIELDS
                     WHERE RDB$RELATION_NAME = 'ACCDEF1' AND RDB$FIELD_NAME = 'KURIKOSI1')) THEN
            EXECUTE STATEMENT 'SELECT KURIKOSI1 FROM ACCDEF1 WHERE REC = 1' INTO :VT;
        VT = IIF(VT = 1, 1, 0);
    END
    FOR SELECT L.REC, L.SUBREC, L.KNAME1, SUM(S.KAISIZAN),
               /*@ FOR N IN 1..16 JOIN ", " WRAP 6 */SUM(S.KAR{NN})/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 6 */SUM(S.KAS{NN})/*@ END */
          FROM SP_SISANHYO(:PTAX, '', '') S
         INNER JOIN KAMOKUMST K ON (K.KCODE = S.KCODE)
         INNER JOIN EXTERKS L ON (L.REC = K.EXT1_KS)
         WHERE COALESCE(CHAR_LENGTH(S.HCODE), 0) = 0
           AND EXISTS (SELECT 1 FROM KAMOKU_SZ Z WHERE Z.KCODE = S.KCODE)
         GROUP BY L.KGROUP, L.SUBREC, L.REC, L.KNAME1
         ORDER BY L.KGROUP, L.SUBREC, L.REC
          INTO :MSTREC, :SUBREC, :VKNAME1, :KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
    BEGIN
        SELECT COUNT(*) FROM KAMOKUMST K
         WHERE K.EXT1_KS = :MSTREC AND EXISTS (SELECT 1 FROM KAMOKU_SZ Z WHERE Z.KCODE = K.KCODE)
          INTO :VCOUNT;
        SELECT FIRST 1 K.KCODE, K.USERCODE, K.KNAME, K.GROUPM1, K.GROUPM2, K.BPFLG, K.DAC
          FROM KAMOKUMST K
         WHERE K.EXT1_KS = :MSTREC AND EXISTS (SELECT 1 FROM KAMOKU_SZ Z WHERE Z.KCODE = K.KCODE)
         ORDER BY K.KCODE DESC
          INTO :KCODE, :USERCODE, :VN, :GROUPM1, :GROUPM2, :BSPL, :TAISHAKU;
        KNAME = IIF(COALESCE(VKNAME1, '') = '', VN, VKNAME1);
        IF (VCOUNT <> 1 OR (COALESCE(VKNAME1, '') <> '' AND VKNAME1 <> VN)) THEN
        BEGIN
            USERCODE = '-'; KCODE = '-';
        END
        VSIDE = IIF(TAISHAKU IN (2, 3), -1, 1);
        SELECT COALESCE(SUM(IIF(A.NENDO = 1, A.KISHU * A.SGN, 0)), 0),
               /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(A.NENDO = 1, IIF(:VT = 1, A.NUKIZAN_{N}, A.KOMIZAN_{N}) * A.SGN, 0)), 0)/*@ END */,
               COALESCE(SUM(IIF(A.NENDO = 0, A.KISHU * A.SGN, 0)), 0),
               /*@ FOR N IN 1..15 JOIN ",\n" */COALESCE(SUM(IIF(A.NENDO = 0, IIF(:VT = 1, A.NUKIZAN_{N}, A.KOMIZAN_{N}) * A.SGN, 0)), 0)/*@ END */
          FROM (SELECT Y.*, IIF(K.DAC IN (2, 3), -1, 1) * :VSIDE AS SGN
                  FROM KAKOZAN Y
                 INNER JOIN KAMOKUMST K ON (K.KCODE = Y.KCODE)
                 WHERE K.EXT1_KS = :MSTREC) A
          INTO :KISHU1, /*@ FOR N IN 15..0 JOIN ", " WRAP 8 */:ZANM{NN}/*@ END */,
               :KISHU0, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:ZANP{NN}/*@ END */;
        SUSPEND;
    END
END ^

SET TERM ; ^
COMMIT;
