/* Company data 9.0.0, medical chart: the readers of the earlier fiscal
   years and of the budgets in the chart's forms of this version (the
   facility first, a business kind beside it, and forms of their own for a
   facility, a facility group, the business kinds by layout line and the
   settlement layout), on the sums both charts share; and the chart's A4
   and A3 trial balances in the order of its trial balance (facility, tax
   mode, business kind). */
SET TERM ^ ;

/*@ INCLUDE "earlier-years-and-budgets.sqlinc" */

/*@ FOR L IN A3 */
/*@ INCLUDE "earlier-years-by-line.sqlinc" */

/*@ END */
/* The A4 or A3 trial balance of the facility PSCODE (every facility when
   it is empty or blank) or, for a single business kind PJIGYOU (1, 2, 4, 8
   or 16), of the facilities of that kind (SISETUMST.MB_JIGYOU); 0 or 255
   take every kind. One row per line of the layout (KGROUP, SUBREC order)
   that an account in use with balance rows in those facilities gives its
   figures, as the chart's trial balance gives them (with tax for PTAX 0;
   without, the suspense tax accounts taking the tax totals). A line of
   one account takes its codes and name; a line of several the codes "-"
   and the line's own name KNAME1, else its last account's. The groupings,
   BSPL and TAISHAKU are those of the line's last account (code order),
   the second grouping beside the first as the chart's trial balance
   gives it. */
/*@ FOR F IN A4, A3 */
CREATE OR ALTER PROCEDURE SP_SISANHYO_{F} (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER,
    PJIGYOU INTEGER)
RETURNS (
    /*@ FOR C IN GROUPM1, GROUPM2, GROUPR1, GROUPR2 JOIN ", " WRAP 2 */{C} VARCHAR(6) CHARACTER SET ASCII/*@ END */,
    MSTREC INTEGER, SUBREC INTEGER,
    USERCODE VARCHAR(6) CHARACTER SET ASCII, KCODE VARCHAR(6) CHARACTER SET ASCII, KNAME VARCHAR(14),
    BSPL VARCHAR(1) CHARACTER SET ASCII, TAISHAKU INTEGER, KAISIZAN NUMERIC(16,4),
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAR{NN} NUMERIC(16,4)/*@ END */,
    /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */KAS{NN} NUMERIC(16,4)/*@ END */)
AS
DECLARE VARIABLE VKNAME1 VARCHAR(20);
DECLARE VARIABLE VCOUNT INTEGER;
DECLARE VARIABLE VN VARCHAR(14);
BEGIN
    PSCODE = TRIM(COALESCE(PSCODE, ''));
    PJIGYOU = IIF(COALESCE(PJIGYOU, 0) IN (1, 2, 4, 8, 16), PJIGYOU, 0);
    /* The account rows of the trial balance (HCODE empty; the own part ' '
       is as long as one blank) summed by line. */
    FOR SELECT L.REC, L.SUBREC, MAX(L.KNAME1), COUNT(*), SUM(S.KAISIZAN),
               /*@ FOR N IN 1..16 JOIN ", " WRAP 6 */SUM(S.KAR{NN})/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 6 */SUM(S.KAS{NN})/*@ END */
          FROM SP_SISANHYO(:PSCODE, :PTAX, :PJIGYOU) S
         INNER JOIN KAMOKUMST K ON (K.KCODE = S.KCODE)
         INNER JOIN EXTER{F} L ON (L.REC = K.EXT1_{F})
         WHERE CHAR_LENGTH(S.HCODE) = 0
           AND EXISTS (SELECT 1 FROM KAMOKU_SZ Z
                        WHERE Z.KCODE = S.KCODE AND (:PSCODE = '' OR Z.SCODE = :PSCODE)
                          AND (:PJIGYOU = 0 OR Z.SCODE IN (SELECT X.SCODE FROM SISETUMST X WHERE X.MB_JIGYOU = :PJIGYOU)))
         GROUP BY L.KGROUP, L.SUBREC, L.REC
         ORDER BY L.KGROUP, L.SUBREC, L.REC
          INTO :MSTREC, :SUBREC, :VKNAME1, :VCOUNT, :KAISIZAN,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */ DO
    BEGIN
        SELECT FIRST 1 K.KCODE, K.USERCODE, K.KNAME, K.GROUPM1, K.GROUPM2, K.GROUPR1, K.GROUPR2, K.BPFLG, K.DAC
          FROM KAMOKUMST K
         WHERE K.EXT1_{F} = :MSTREC AND K.USE = 1
           AND EXISTS (SELECT 1 FROM KAMOKU_SZ Z
                        WHERE Z.KCODE = K.KCODE AND (:PSCODE = '' OR Z.SCODE = :PSCODE)
                          AND (:PJIGYOU = 0 OR Z.SCODE IN (SELECT X.SCODE FROM SISETUMST X WHERE X.MB_JIGYOU = :PJIGYOU)))
         ORDER BY K.KCODE DESC
          INTO :KCODE, :USERCODE, :VN, :GROUPM1, :GROUPM2, :GROUPR1, :GROUPR2, :BSPL, :TAISHAKU;
        KNAME = VN;
        IF (VCOUNT <> 1) THEN
        BEGIN
            USERCODE = '-';
            KCODE = '-';
            KNAME = IIF(COALESCE(VKNAME1, '') = '', VN, VKNAME1);
        END
        SUSPEND;
    END
END ^

/*@ END */
/* Written for the forms below: the earlier years of SP_KANENDO_KEYS (the
   same filters, no allocation) of the facilities PSCODE and PGCODE choose,
   for a single business kind PJIGYOU (1, 2, 4, 8 or 16) only those of that
   kind, summed facility by facility; any other kind leaves the facilities
   as the filters choose them. */
CREATE OR ALTER PROCEDURE SP_KANENDO_JIGYOU_KEYS (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER,
    PWHOLE INTEGER)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    IF (COALESCE(PJIGYOU, 0) NOT IN (1, 2, 4, 8, 16)) THEN
        FOR SELECT * FROM SP_KANENDO_KEYS(:PTAX, :PSCODE, :PGCODE, :PBCODE, 0, :PWHOLE)
              INTO :KCODE, :HCODE, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
            SUSPEND;
    ELSE
        /* The keys helper compares the facility code exactly, so the blank
           facility counts as itself here, not as every facility. */
        FOR SELECT H.KCODE, H.HCODE, H.NENDO, SUM(H.KISHU),
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */SUM(H.ZAN{NN})/*@ END */
              FROM SISETUMST S
             CROSS JOIN SP_KANENDO_KEYS(:PTAX, S.SCODE, :PGCODE, :PBCODE, 0, :PWHOLE) H
             WHERE S.MB_JIGYOU = :PJIGYOU AND (:PSCODE IS NULL OR S.SCODE = :PSCODE)
             GROUP BY H.KCODE, H.HCODE, H.NENDO
             ORDER BY H.KCODE, H.HCODE, H.NENDO
              INTO :KCODE, :HCODE, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
            SUSPEND;
END ^

/*@ FOR L IN A4, A3 */
/* Written for the {L} forms below: SP_KANENDO_JIGYOU_KEYS (without a
   facility group) by line of the {L} layout, the line's group in KGROUP. */
CREATE OR ALTER PROCEDURE SP_KANENDO_JIGYOU_{L} (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    IF (COALESCE(PJIGYOU, 0) NOT IN (1, 2, 4, 8, 16)) THEN
        FOR SELECT * FROM SP_KANENDO_LINES_{L}(:PTAX, :PSCODE, NULL, :PBCODE, 0)
              INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
            SUSPEND;
    ELSE
        FOR SELECT H.KGROUP, H.SUBREC, H.NENDO, SUM(H.KISHU),
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */SUM(H.ZAN{NN})/*@ END */
              FROM SISETUMST S
             CROSS JOIN SP_KANENDO_LINES_{L}(:PTAX, S.SCODE, NULL, :PBCODE, 0) H
             WHERE S.MB_JIGYOU = :PJIGYOU AND (:PSCODE IS NULL OR S.SCODE = :PSCODE)
             GROUP BY H.KGROUP, H.SUBREC, H.NENDO
             ORDER BY H.KGROUP, H.SUBREC, H.NENDO
              INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
            SUSPEND;
END ^

/*@ END */
/* Written for the settlement forms below: SP_KANENDO_JIGYOU_KEYS summed by
   the keys of the chart's settlement trial balance, the account's first
   grouping (KGROUP) and the number of its line in the settlement layout
   (SUBREC, 0 where it has none). */
CREATE OR ALTER PROCEDURE SP_KANENDO_JIGYOU_KS (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT K.GROUPM1, COALESCE(L.SUBREC, 0), H.NENDO, SUM(H.KISHU),
               /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */SUM(H.ZAN{NN})/*@ END */
          FROM SP_KANENDO_JIGYOU_KEYS(:PTAX, :PSCODE, :PGCODE, :PBCODE, :PJIGYOU, 1) H
         INNER JOIN KAMOKUMST K ON (K.KCODE = H.KCODE)
          LEFT JOIN EXTERKS L ON (L.REC = K.EXT1_KS)
         GROUP BY K.GROUPM1, COALESCE(L.SUBREC, 0), H.NENDO
         ORDER BY K.GROUPM1, 2, H.NENDO
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The earlier years by account and sub-account: every facility (PSCODE
   empty or blank) or one, all business kinds or one (PJIGYOU). */
CREATE OR ALTER PROCEDURE SP_KANENDO_ZANDAKA (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER,
    PJIGYOU INTEGER)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_JIGYOU_KEYS(:PTAX, NULLIF(TRIM(:PSCODE), ''), NULL, NULL, :PJIGYOU, 0)
          INTO :KCODE, :HCODE, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The earlier years of one facility, as its trial balance reads it (empty
   or blank: every facility). */
CREATE OR ALTER PROCEDURE SP_KANENDO_ZANDAK_SISETU (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_ZANDAKA(:PSCODE, :PTAX, 0)
          INTO :KCODE, :HCODE, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The earlier years of the facilities of the facility group PGCODE (every
   facility when it is empty). */
CREATE OR ALTER PROCEDURE SP_KANENDO_ZANDAKA_GROUP (
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER)
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
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER,
    PHIBUN INTEGER)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_KEYS(:PTAX, COALESCE(:PSCODE, ' '), NULL, COALESCE(:PBCODE, ' '), :PHIBUN, 0)
          INTO :KCODE, :HCODE, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The earlier years of the department PBCODE summed over the facilities,
   all of them or those of the business kind PJIGYOU, without
   allocation. */
CREATE OR ALTER PROCEDURE SP_KANENDO_BUMONGOKEI (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_JIGYOU_KEYS(:PTAX, NULL, NULL, COALESCE(:PBCODE, ' '), :PJIGYOU, 0)
          INTO :KCODE, :HCODE, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* SP_KANENDO_ZANDAKA by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_KANENDO_ZANDAKA_A4 (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_JIGYOU_A4(:PTAX, NULLIF(TRIM(:PSCODE), ''), NULL, :PJIGYOU)
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* SP_KANENDO_BUMON_ZANDAKA by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_KANENDO_BUMON_ZANDAKA_A4 (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER,
    PHIBUN INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_LINES_A4(:PTAX, COALESCE(:PSCODE, ' '), NULL, COALESCE(:PBCODE, ' '), :PHIBUN)
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The department PBCODE over the facilities of the business kind PJIGYOU
   (every facility for 0 or 255) by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_KANENDO_JIGYOBETUBUMON_A4 (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_JIGYOU_A4(:PTAX, NULL, COALESCE(:PBCODE, ' '), :PJIGYOU)
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The facilities of the business kind PJIGYOU (every facility for 0 or
   255) by line of the A3 layout. */
CREATE OR ALTER PROCEDURE SP_KANENDO_JIGYOBETU_A3 (
    PTAX INTEGER,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_JIGYOU_A3(:PTAX, NULL, NULL, :PJIGYOU)
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The settlement form of the department PBCODE over the facilities of the
   business kind PJIGYOU (every facility for 0 or 255). */
CREATE OR ALTER PROCEDURE SP_KANENDO_BUMONGOKEI_KS (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_JIGYOU_KS(:PTAX, NULL, NULL, COALESCE(:PBCODE, ' '), :PJIGYOU)
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The settlement form of the facility PSCODE when one is given, else of
   the facility group PGCODE when one is given, else of every facility of
   the business kind PJIGYOU (all of them for 0 or 255). */
CREATE OR ALTER PROCEDURE SP_KANENDO_ZANDAKA_KESSAN (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAX INTEGER,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER, NENDO INTEGER,
         KISHU NUMERIC(16,4), /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */ZAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_KANENDO_JIGYOU_KS(:PTAX, NULLIF(TRIM(:PSCODE), ''), NULLIF(TRIM(:PGCODE), ''), NULL, :PJIGYOU)
          INTO :KGROUP, :SUBREC, :NENDO, :KISHU, /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:ZAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* Written for the budget forms below: SP_YOSAN_KEYS (the same filters)
   for a single business kind PJIGYOU (1, 2, 4, 8 or 16) over the
   facilities of that kind only, summed facility by facility, as
   SP_KANENDO_JIGYOU_KEYS chooses them. */
CREATE OR ALTER PROCEDURE SP_YOSAN_JIGYOU_KEYS (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER,
    PWHOLE INTEGER)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII,
         /*@ FOR N IN 1..15 JOIN ",\n" */YOSAN{NN} NUMERIC(16,4), YOSAN2{NN} NUMERIC(16,4), YOSAN3{NN} NUMERIC(16,4)/*@ END */,
         /*@ FOR N IN 1..16 JOIN ",\n" */JISSEKI{NN} NUMERIC(16,4), JKUBUN{NN} INTEGER/*@ END */)
AS
BEGIN
    IF (COALESCE(PJIGYOU, 0) NOT IN (1, 2, 4, 8, 16)) THEN
        FOR SELECT * FROM SP_YOSAN_KEYS(:PTAX, :PSCODE, :PGCODE, :PBCODE, :PWHOLE)
              INTO :KCODE, :HCODE, /*@ FOR N IN 1..15 JOIN ", " WRAP 3 */:YOSAN{NN}, :YOSAN2{NN}, :YOSAN3{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */:JISSEKI{NN}, :JKUBUN{NN}/*@ END */ DO
            SUSPEND;
    ELSE
        FOR SELECT H.KCODE, H.HCODE,
                   /*@ FOR N IN 1..15 JOIN ", " WRAP 3 */SUM(H.YOSAN{NN}), SUM(H.YOSAN2{NN}), SUM(H.YOSAN3{NN})/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */SUM(H.JISSEKI{NN}), SUM(H.JKUBUN{NN})/*@ END */
              FROM SISETUMST S
             CROSS JOIN SP_YOSAN_KEYS(:PTAX, S.SCODE, :PGCODE, :PBCODE, :PWHOLE) H
             WHERE S.MB_JIGYOU = :PJIGYOU AND (:PSCODE IS NULL OR S.SCODE = :PSCODE)
             GROUP BY H.KCODE, H.HCODE
             ORDER BY H.KCODE, H.HCODE
              INTO :KCODE, :HCODE, /*@ FOR N IN 1..15 JOIN ", " WRAP 3 */:YOSAN{NN}, :YOSAN2{NN}, :YOSAN3{NN}/*@ END */,
                   /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */:JISSEKI{NN}, :JKUBUN{NN}/*@ END */ DO
            SUSPEND;
END ^

/* Written for the A4 budget forms below: the first budget of
   SP_YOSAN_JIGYOU_KEYS (without a facility group) summed by line of the
   A4 layout. */
CREATE OR ALTER PROCEDURE SP_YOSAN_JIGYOU_A4 (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER,
         /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT L.KGROUP, L.SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 6 */SUM(H.YOSAN{NN})/*@ END */
          FROM SP_YOSAN_JIGYOU_KEYS(0, :PSCODE, NULL, :PBCODE, :PJIGYOU, 1) H
         INNER JOIN KAMOKUMST K ON (K.KCODE = H.KCODE)
         INNER JOIN EXTERA4 L ON (L.REC = K.EXT1_A4)
         GROUP BY L.KGROUP, L.SUBREC
         ORDER BY L.KGROUP, L.SUBREC
          INTO :KGROUP, :SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* Written for the settlement budget forms below: the first budget of
   SP_YOSAN_JIGYOU_KEYS by the keys of the settlement trial balance, as
   SP_KANENDO_JIGYOU_KS keys the earlier years. */
CREATE OR ALTER PROCEDURE SP_YOSAN_JIGYOU_KS (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER,
         /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT K.GROUPM1, COALESCE(L.SUBREC, 0), /*@ FOR N IN 1..15 JOIN ", " WRAP 6 */SUM(H.YOSAN{NN})/*@ END */
          FROM SP_YOSAN_JIGYOU_KEYS(0, :PSCODE, :PGCODE, :PBCODE, :PJIGYOU, 1) H
         INNER JOIN KAMOKUMST K ON (K.KCODE = H.KCODE)
          LEFT JOIN EXTERKS L ON (L.REC = K.EXT1_KS)
         GROUP BY K.GROUPM1, COALESCE(L.SUBREC, 0)
         ORDER BY K.GROUPM1, 2
          INTO :KGROUP, :SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The budgets by account and sub-account: every facility (PSCODE empty or
   blank) or one, all business kinds or one (PJIGYOU). */
CREATE OR ALTER PROCEDURE SP_YOSAN (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII,
         /*@ FOR N IN 1..15 JOIN ",\n" */YOSAN{NN} NUMERIC(16,4), YOSAN2{NN} NUMERIC(16,4), YOSAN3{NN} NUMERIC(16,4)/*@ END */,
         /*@ FOR N IN 1..16 JOIN ",\n" */JISSEKI{NN} NUMERIC(16,4), JKUBUN{NN} INTEGER/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_JIGYOU_KEYS(:PTAX, NULLIF(TRIM(:PSCODE), ''), NULL, NULL, :PJIGYOU, 0)
          INTO :KCODE, :HCODE, /*@ FOR N IN 1..15 JOIN ", " WRAP 3 */:YOSAN{NN}, :YOSAN2{NN}, :YOSAN3{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */:JISSEKI{NN}, :JKUBUN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The budgets of one facility, as its trial balance reads it (empty or
   blank: every facility). */
CREATE OR ALTER PROCEDURE SP_YOSAN_SISETU (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII,
         /*@ FOR N IN 1..15 JOIN ",\n" */YOSAN{NN} NUMERIC(16,4), YOSAN2{NN} NUMERIC(16,4), YOSAN3{NN} NUMERIC(16,4)/*@ END */,
         /*@ FOR N IN 1..16 JOIN ",\n" */JISSEKI{NN} NUMERIC(16,4), JKUBUN{NN} INTEGER/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN(:PTAX, :PSCODE, 0)
          INTO :KCODE, :HCODE, /*@ FOR N IN 1..15 JOIN ", " WRAP 3 */:YOSAN{NN}, :YOSAN2{NN}, :YOSAN3{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */:JISSEKI{NN}, :JKUBUN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The budgets of the department PBCODE summed over the facilities, all of
   them or those of the business kind PJIGYOU. */
CREATE OR ALTER PROCEDURE SP_YOSAN_BUMONGOKEI (
    PTAX INTEGER,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KCODE VARCHAR(6) CHARACTER SET ASCII, HCODE VARCHAR(6) CHARACTER SET ASCII,
         /*@ FOR N IN 1..15 JOIN ",\n" */YOSAN{NN} NUMERIC(16,4), YOSAN2{NN} NUMERIC(16,4), YOSAN3{NN} NUMERIC(16,4)/*@ END */,
         /*@ FOR N IN 1..16 JOIN ",\n" */JISSEKI{NN} NUMERIC(16,4), JKUBUN{NN} INTEGER/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_JIGYOU_KEYS(:PTAX, NULL, NULL, COALESCE(:PBCODE, ' '), :PJIGYOU, 0)
          INTO :KCODE, :HCODE, /*@ FOR N IN 1..15 JOIN ", " WRAP 3 */:YOSAN{NN}, :YOSAN2{NN}, :YOSAN3{NN}/*@ END */,
               /*@ FOR N IN 1..16 JOIN ", " WRAP 4 */:JISSEKI{NN}, :JKUBUN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* SP_YOSAN by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_YOSAN_A4 (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER,
         /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_JIGYOU_A4(NULLIF(TRIM(:PSCODE), ''), NULL, :PJIGYOU)
          INTO :KGROUP, :SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* SP_YOSAN_BUMONGOKEI by line of the A4 layout. */
CREATE OR ALTER PROCEDURE SP_YOSAN_JIGYOBETUBUMON_A4 (
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER,
         /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_JIGYOU_A4(NULL, COALESCE(:PBCODE, ' '), :PJIGYOU)
          INTO :KGROUP, :SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The settlement form of the department PBCODE's budgets over every
   facility. */
CREATE OR ALTER PROCEDURE SP_YOSAN_BUMONGOKEI_KS (
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER,
         /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_JIGYOU_KS(NULL, NULL, COALESCE(:PBCODE, ' '), 0)
          INTO :KGROUP, :SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */ DO
        SUSPEND;
END ^

/* The settlement form of the budgets, the facilities chosen as
   SP_KANENDO_ZANDAKA_KESSAN chooses them. */
CREATE OR ALTER PROCEDURE SP_YOSAN_KESSAN (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII,
    PJIGYOU INTEGER)
RETURNS (KGROUP VARCHAR(6) CHARACTER SET ASCII, SUBREC INTEGER,
         /*@ FOR N IN 1..15 JOIN ", " WRAP 4 */YOSAN{NN} NUMERIC(16,4)/*@ END */)
AS
BEGIN
    FOR SELECT * FROM SP_YOSAN_JIGYOU_KS(NULLIF(TRIM(:PSCODE), ''), NULLIF(TRIM(:PGCODE), ''), NULL, :PJIGYOU)
          INTO :KGROUP, :SUBREC, /*@ FOR N IN 1..15 JOIN ", " WRAP 8 */:YOSAN{NN}/*@ END */ DO
        SUSPEND;
END ^

SET TERM ; ^
COMMIT;
