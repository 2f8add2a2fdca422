SET TERM ; ^
SET TERM ^ ;
ReCREATE PROCEDURE SP_KANENDO_BUMON_ZANDAKA (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PHIBUN INTEGER)
RETURNS (
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    /*@ FOR N IN 32..0 */
    ZANM{NN} NUMERIC(16,4),
    /*@ END */
    /*@ FOR N IN 1..15 */
    ZANP{NN} NUMERIC(16,4),
    /*@ END */
    /*@ FOR N IN 1..14 */
    YOSAN{NN} NUMERIC(16,4),
    /*@ END */
    YOSAN15 NUMERIC(16,4))
AS
/*@ FOR N IN 1..16 */
DECLARE VARIABLE R{NN} NUMERIC(16,4);
/*@ END */
DECLARE VARIABLE VLIMIT INTEGER;
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VAMOUNT NUMERIC(16,4);
DECLARE VARIABLE VCOMMON NUMERIC(16,4);
DECLARE VARIABLE VRATIO NUMERIC(16,4);
BEGIN
    SELECT KAISINO FROM ACCDEF1 WHERE REC = 1 INTO :VLIMIT;
    VLIMIT = COALESCE(VLIMIT, 1);
    VLIMIT = VLIMIT + (VLIMIT - 1) / 3;
    FOR SELECT V.USERCODE, V.KCODE FROM KAMOKU_VIEW V
         WHERE V.SCODE = :PSCODE AND V.BCODE = :PBCODE
         GROUP BY V.USERCODE, V.KCODE
          INTO :USERCODE, :KCODE DO
    BEGIN
        /* The budget allocation percentages of the account in the department
           (none without an account row there). */
        /*@ FOR N IN 1..16 */
        R{NN} = 0;
        /*@ END */
        IF (PHIBUN = 1) THEN
            SELECT
                   /*@ FOR N IN 1..15 */
                   COALESCE(HAIBUN{NN}, 0),
                   /*@ END */
                   COALESCE(HAIBUN16, 0)
              FROM KAMOKU_SZ
             WHERE SCODE = :PSCODE AND KCODE = :KCODE AND HCODE = ' ' AND BCODE = :PBCODE
              INTO
                   /*@ FOR N IN 1..15 */
                   :R{NN},
                   /*@ END */
                   :R16;
        FOR SELECT Z.HCODE FROM KAMOKU_SZ Z
             WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE = :PBCODE
             GROUP BY Z.HCODE
             ORDER BY Z.HCODE
              INTO :HCODE DO
        BEGIN
            /*@ FOR N IN 32..0 */
            ZANM{NN} = 0;
            /*@ END */
            /*@ FOR N IN 1..15 */
            ZANP{NN} = 0;
            /*@ END */
            /*@ FOR N IN 1..15 */
            YOSAN{NN} = 0;
            /*@ END */
            /* With allocation the common department keeps only its allocated
               share, every other department adds its share of the common
               department's figure of the same sub-account. */
            FOR SELECT M.MNUM, COALESCE(M.BYOSAN, 0), COALESCE(N.BYOSAN, 0)
                  FROM KAMOKU_MS M
                  LEFT JOIN KAMOKU_MS N
                    ON (N.SCODE = M.SCODE AND N.KCODE = M.KCODE AND N.HCODE = M.HCODE
                        AND N.BCODE = '00' AND N.MNUM = M.MNUM)
                 WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.HCODE = :HCODE
                   AND M.BCODE = :PBCODE AND M.MNUM BETWEEN 1 AND 15
                  INTO :VMNUM, :VAMOUNT, :VCOMMON DO
            BEGIN
                IF (PHIBUN = 1) THEN
                BEGIN
                    IF (PBCODE = '00') THEN
                    BEGIN
                        VCOMMON = VAMOUNT;
                        VAMOUNT = 0;
                    END
                    VRATIO = CASE VMNUM
                                 WHEN 1 THEN R01
                                 WHEN 2 THEN R02
                                 WHEN 3 THEN R03
                                 WHEN 4 THEN R04
                                 WHEN 5 THEN R05
                                 WHEN 6 THEN R06
                                 WHEN 7 THEN R07
                                 WHEN 8 THEN R08
                                 WHEN 9 THEN R09
                                 /*@ FOR N IN 10..16 */
                                 WHEN {N} THEN R{N}
                                 /*@ END */
                                 ELSE 0 END;
                    VAMOUNT = VAMOUNT + ROUND(VCOMMON * VRATIO / 100, 0);
                END
                IF (VMNUM = 1) THEN YOSAN01 = VAMOUNT;
                IF (VMNUM = 2) THEN YOSAN02 = VAMOUNT;
                IF (VMNUM = 3) THEN YOSAN03 = VAMOUNT;
                IF (VMNUM = 4) THEN YOSAN04 = VAMOUNT;
                IF (VMNUM = 5) THEN YOSAN05 = VAMOUNT;
                IF (VMNUM = 6) THEN YOSAN06 = VAMOUNT;
                IF (VMNUM = 7) THEN YOSAN07 = VAMOUNT;
                IF (VMNUM = 8) THEN YOSAN08 = VAMOUNT;
                IF (VMNUM = 9) THEN YOSAN09 = VAMOUNT;
                /*@ FOR N IN 10..15 */
                IF (VMNUM = {N}) THEN YOSAN{N} = VAMOUNT;
                /*@ END */
            END
            FOR SELECT P.MNUM, COALESCE(P.NUKIZAN, 0), COALESCE(P.HAIBUN, 0), COALESCE(Q.NUKIZAN, 0)
                  FROM KAMOKU_PZ P
                  LEFT JOIN KAMOKU_PZ Q
                    ON (Q.SCODE = P.SCODE AND Q.KCODE = P.KCODE AND Q.HCODE = P.HCODE
                        AND Q.BCODE = '00' AND Q.MNUM = P.MNUM)
                 WHERE P.SCODE = :PSCODE AND P.KCODE = :KCODE AND P.HCODE = :HCODE
                   AND P.BCODE = :PBCODE AND P.MNUM < :VLIMIT
                  INTO :VMNUM, :VAMOUNT, :VRATIO, :VCOMMON DO
            BEGIN
                IF (PHIBUN = 1) THEN
                BEGIN
                    IF (PBCODE = '00') THEN
                    BEGIN
                        VCOMMON = VAMOUNT;
                        VAMOUNT = 0;
                    END
                    VAMOUNT = VAMOUNT + ROUND(VCOMMON * VRATIO / 100, 0);
                END
                /*@ FOR N IN 32..10 */
                IF (VMNUM = -{N}) THEN ZANM{N} = VAMOUNT;
                /*@ END */
                IF (VMNUM = -9) THEN ZANM09 = VAMOUNT;
                IF (VMNUM = -8) THEN ZANM08 = VAMOUNT;
                IF (VMNUM = -7) THEN ZANM07 = VAMOUNT;
                IF (VMNUM = -6) THEN ZANM06 = VAMOUNT;
                IF (VMNUM = -5) THEN ZANM05 = VAMOUNT;
                IF (VMNUM = -4) THEN ZANM04 = VAMOUNT;
                IF (VMNUM = -3) THEN ZANM03 = VAMOUNT;
                IF (VMNUM = -2) THEN ZANM02 = VAMOUNT;
                IF (VMNUM = -1) THEN ZANM01 = VAMOUNT;
                IF (VMNUM = 0) THEN ZANM00 = VAMOUNT;
                IF (VMNUM = 1) THEN ZANP01 = VAMOUNT;
                IF (VMNUM = 2) THEN ZANP02 = VAMOUNT;
                IF (VMNUM = 3) THEN ZANP03 = VAMOUNT;
                IF (VMNUM = 4) THEN ZANP04 = VAMOUNT;
                IF (VMNUM = 5) THEN ZANP05 = VAMOUNT;
                IF (VMNUM = 6) THEN ZANP06 = VAMOUNT;
                IF (VMNUM = 7) THEN ZANP07 = VAMOUNT;
                IF (VMNUM = 8) THEN ZANP08 = VAMOUNT;
                IF (VMNUM = 9) THEN ZANP09 = VAMOUNT;
                /*@ FOR N IN 10..15 */
                IF (VMNUM = {N}) THEN ZANP{N} = VAMOUNT;
                /*@ END */
            END
            SUSPEND;
        END
    END
END ^

ReCREATE PROCEDURE SP_KANENDO_ZANDAKA (
    PSCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    USERCODE VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    HCODE VARCHAR(6) CHARACTER SET ASCII,
    /*@ FOR N IN 32..0 */
    ZANM{NN} NUMERIC(16,4),
    /*@ END */
    /*@ FOR N IN 1..15 */
    ZANP{NN} NUMERIC(16,4),
    /*@ END */
    /*@ FOR N IN 1..14 */
    YOSAN{NN} NUMERIC(16,4),
    /*@ END */
    YOSAN15 NUMERIC(16,4))
AS
DECLARE VARIABLE VLIMIT INTEGER;
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VAMOUNT NUMERIC(16,4);
BEGIN
    SELECT KAISINO FROM ACCDEF1 WHERE REC = 1 INTO :VLIMIT;
    VLIMIT = COALESCE(VLIMIT, 1);
    VLIMIT = VLIMIT + (VLIMIT - 1) / 3;
    /* PSCODE '' takes every facility. */
    FOR SELECT V.USERCODE, V.KCODE FROM KAMOKU_VIEW V
         WHERE (:PSCODE = '' OR V.SCODE = :PSCODE)
         GROUP BY V.USERCODE, V.KCODE
          INTO :USERCODE, :KCODE DO
        FOR SELECT Z.HCODE FROM KAMOKU_SZ Z
             WHERE Z.KCODE = :KCODE AND (:PSCODE = '' OR Z.SCODE = :PSCODE)
             GROUP BY Z.HCODE
             ORDER BY Z.HCODE
              INTO :HCODE DO
        BEGIN
            /*@ FOR N IN 32..0 */
            ZANM{NN} = 0;
            /*@ END */
            /*@ FOR N IN 1..15 */
            ZANP{NN} = 0;
            /*@ END */
            /*@ FOR N IN 1..15 */
            YOSAN{NN} = 0;
            /*@ END */
            FOR SELECT M.MNUM, COALESCE(SUM(M.BYOSAN), 0) FROM KAMOKU_MS M
                 WHERE M.KCODE = :KCODE AND M.HCODE = :HCODE AND (:PSCODE = '' OR M.SCODE = :PSCODE)
                   AND M.MNUM BETWEEN 1 AND 15
                 GROUP BY M.MNUM
                  INTO :VMNUM, :VAMOUNT DO
            BEGIN
                IF (VMNUM = 1) THEN YOSAN01 = VAMOUNT;
                IF (VMNUM = 2) THEN YOSAN02 = VAMOUNT;
                IF (VMNUM = 3) THEN YOSAN03 = VAMOUNT;
                IF (VMNUM = 4) THEN YOSAN04 = VAMOUNT;
                IF (VMNUM = 5) THEN YOSAN05 = VAMOUNT;
                IF (VMNUM = 6) THEN YOSAN06 = VAMOUNT;
                IF (VMNUM = 7) THEN YOSAN07 = VAMOUNT;
                IF (VMNUM = 8) THEN YOSAN08 = VAMOUNT;
                IF (VMNUM = 9) THEN YOSAN09 = VAMOUNT;
                /*@ FOR N IN 10..15 */
                IF (VMNUM = {N}) THEN YOSAN{N} = VAMOUNT;
                /*@ END */
            END
            FOR SELECT P.MNUM, COALESCE(SUM(P.NUKIZAN), 0) FROM KAMOKU_PZ P
                 WHERE P.KCODE = :KCODE AND P.HCODE = :HCODE AND (:PSCODE = '' OR P.SCODE = :PSCODE)
                   AND P.MNUM < :VLIMIT
                 GROUP BY P.MNUM
                  INTO :VMNUM, :VAMOUNT DO
            BEGIN
                /*@ FOR N IN 32..10 */
                IF (VMNUM = -{N}) THEN ZANM{N} = VAMOUNT;
                /*@ END */
                IF (VMNUM = -9) THEN ZANM09 = VAMOUNT;
                IF (VMNUM = -8) THEN ZANM08 = VAMOUNT;
                IF (VMNUM = -7) THEN ZANM07 = VAMOUNT;
                IF (VMNUM = -6) THEN ZANM06 = VAMOUNT;
                IF (VMNUM = -5) THEN ZANM05 = VAMOUNT;
                IF (VMNUM = -4) THEN ZANM04 = VAMOUNT;
                IF (VMNUM = -3) THEN ZANM03 = VAMOUNT;
                IF (VMNUM = -2) THEN ZANM02 = VAMOUNT;
                IF (VMNUM = -1) THEN ZANM01 = VAMOUNT;
                IF (VMNUM = 0) THEN ZANM00 = VAMOUNT;
                IF (VMNUM = 1) THEN ZANP01 = VAMOUNT;
                IF (VMNUM = 2) THEN ZANP02 = VAMOUNT;
                IF (VMNUM = 3) THEN ZANP03 = VAMOUNT;
                IF (VMNUM = 4) THEN ZANP04 = VAMOUNT;
                IF (VMNUM = 5) THEN ZANP05 = VAMOUNT;
                IF (VMNUM = 6) THEN ZANP06 = VAMOUNT;
                IF (VMNUM = 7) THEN ZANP07 = VAMOUNT;
                IF (VMNUM = 8) THEN ZANP08 = VAMOUNT;
                IF (VMNUM = 9) THEN ZANP09 = VAMOUNT;
                /*@ FOR N IN 10..15 */
                IF (VMNUM = {N}) THEN ZANP{N} = VAMOUNT;
                /*@ END */
            END
            SUSPEND;
        END
END ^

ReCREATE PROCEDURE SP_MB_SELECT_KANENDOZAN (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAXUH INTEGER)
RETURNS (
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BNAME VARCHAR(14),
    DAC INTEGER,
    ZZZ_ZAN16 NUMERIC(16,4),
    /*@ FOR N IN 1..16 */
    ZZ_ZAN{N} NUMERIC(16,4),
    /*@ END */
    /*@ FOR N IN 1..16 */
    Z_ZAN{N} NUMERIC(16,4),
    /*@ END */
    /*@ FOR N IN 1..15 */
    T_ZAN{N} NUMERIC(16,4),
    /*@ END */
    T_ZAN16 NUMERIC(16,4))
AS
DECLARE VARIABLE VKEY VARCHAR(12) CHARACTER SET ASCII;
DECLARE VARIABLE VNEWKEY VARCHAR(12) CHARACTER SET ASCII;
DECLARE VARIABLE VGROUP VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKNAME VARCHAR(14);
DECLARE VARIABLE VBNAME VARCHAR(14);
DECLARE VARIABLE VDAC INTEGER;
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VAMOUNT NUMERIC(16,4);
BEGIN
    VKEY = NULL;
    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';
    IF (PBCODE = ' ') THEN
        FOR SELECT V.GROUPM0, X.KCODE, '', '', MAX(V.KNAME), MAX(V.DAC), X.MNUM,
                   COALESCE(SUM(COALESCE(X.NUKIZAN, 0) + IIF(:PTAXUH = 0, COALESCE(X.ZEIGAKU, 0), 0)), 0)
              FROM KAMOKU_PZ X
              INNER JOIN KAMOKU_VIEW V ON (V.SCODE = X.SCODE AND V.KCODE = X.KCODE AND V.HCODE = X.HCODE AND V.BCODE = X.BCODE)
             WHERE X.SCODE = :PSCODE AND X.HCODE = ' ' AND V.GROUPM0 < '9900'
             GROUP BY V.GROUPM0, X.KCODE, X.MNUM
             ORDER BY V.GROUPM0, X.KCODE, X.MNUM
              INTO :VGROUP, :VKCODE, :VBCODE, :VBNAME, :VKNAME, :VDAC, :VMNUM, :VAMOUNT DO
        BEGIN
            VNEWKEY = VKCODE || VBCODE;
            IF (VKEY IS DISTINCT FROM VNEWKEY) THEN
            BEGIN
                IF (VKEY IS NOT NULL) THEN SUSPEND;
                VKEY = VNEWKEY;
                KGROUP = VGROUP;
                KCODE = VKCODE;
                KNAME = VKNAME;
                BCODE = VBCODE;
                BNAME = VBNAME;
                DAC = VDAC;
                ZZZ_ZAN16 = 0;
                /*@ FOR N IN 1..16 */
                ZZ_ZAN{N} = 0;
                /*@ END */
                /*@ FOR N IN 1..16 */
                Z_ZAN{N} = 0;
                /*@ END */
                /*@ FOR N IN 1..16 */
                T_ZAN{N} = 0;
                /*@ END */
            END
            IF (VMNUM = -32) THEN ZZZ_ZAN16 = VAMOUNT;
            IF (VMNUM = -31) THEN ZZ_ZAN1 = VAMOUNT;
            IF (VMNUM = -30) THEN ZZ_ZAN2 = VAMOUNT;
            IF (VMNUM = -29) THEN ZZ_ZAN3 = VAMOUNT;
            IF (VMNUM = -28) THEN ZZ_ZAN4 = VAMOUNT;
            IF (VMNUM = -27) THEN ZZ_ZAN5 = VAMOUNT;
            IF (VMNUM = -26) THEN ZZ_ZAN6 = VAMOUNT;
            IF (VMNUM = -25) THEN ZZ_ZAN7 = VAMOUNT;
            IF (VMNUM = -24) THEN ZZ_ZAN8 = VAMOUNT;
            IF (VMNUM = -23) THEN ZZ_ZAN9 = VAMOUNT;
            IF (VMNUM = -22) THEN ZZ_ZAN10 = VAMOUNT;
            IF (VMNUM = -21) THEN ZZ_ZAN11 = VAMOUNT;
            IF (VMNUM = -20) THEN ZZ_ZAN12 = VAMOUNT;
            IF (VMNUM = -19) THEN ZZ_ZAN13 = VAMOUNT;
            IF (VMNUM = -18) THEN ZZ_ZAN14 = VAMOUNT;
            IF (VMNUM = -17) THEN ZZ_ZAN15 = VAMOUNT;
            IF (VMNUM = -16) THEN ZZ_ZAN16 = VAMOUNT;
            IF (VMNUM = -15) THEN Z_ZAN1 = VAMOUNT;
            IF (VMNUM = -14) THEN Z_ZAN2 = VAMOUNT;
            IF (VMNUM = -13) THEN Z_ZAN3 = VAMOUNT;
            IF (VMNUM = -12) THEN Z_ZAN4 = VAMOUNT;
            IF (VMNUM = -11) THEN Z_ZAN5 = VAMOUNT;
            IF (VMNUM = -10) THEN Z_ZAN6 = VAMOUNT;
            IF (VMNUM = -9) THEN Z_ZAN7 = VAMOUNT;
            IF (VMNUM = -8) THEN Z_ZAN8 = VAMOUNT;
            IF (VMNUM = -7) THEN Z_ZAN9 = VAMOUNT;
            IF (VMNUM = -6) THEN Z_ZAN10 = VAMOUNT;
            IF (VMNUM = -5) THEN Z_ZAN11 = VAMOUNT;
            IF (VMNUM = -4) THEN Z_ZAN12 = VAMOUNT;
            IF (VMNUM = -3) THEN Z_ZAN13 = VAMOUNT;
            IF (VMNUM = -2) THEN Z_ZAN14 = VAMOUNT;
            IF (VMNUM = -1) THEN Z_ZAN15 = VAMOUNT;
            IF (VMNUM = 0) THEN Z_ZAN16 = VAMOUNT;
            /*@ FOR N IN 1..16 */
            IF (VMNUM = {N}) THEN T_ZAN{N} = VAMOUNT;
            /*@ END */
        END
    ELSE
        FOR SELECT V.GROUPM0, X.KCODE, V.BCODE, V.BNAME, V.KNAME, V.DAC, X.MNUM,
                   COALESCE(COALESCE(X.NUKIZAN, 0) + IIF(:PTAXUH = 0, COALESCE(X.ZEIGAKU, 0), 0), 0)
              FROM KAMOKU_PZ X
              INNER JOIN KAMOKU_VIEW V ON (V.SCODE = X.SCODE AND V.KCODE = X.KCODE AND V.HCODE = X.HCODE AND V.BCODE = X.BCODE)
             WHERE X.SCODE = :PSCODE AND X.HCODE = ' ' AND V.GROUPM0 < '9900' AND X.BCODE = :PBCODE
             ORDER BY V.GROUPM0, X.KCODE, X.MNUM
              INTO :VGROUP, :VKCODE, :VBCODE, :VBNAME, :VKNAME, :VDAC, :VMNUM, :VAMOUNT DO
        BEGIN
            VNEWKEY = VKCODE || VBCODE;
            IF (VKEY IS DISTINCT FROM VNEWKEY) THEN
            BEGIN
                IF (VKEY IS NOT NULL) THEN SUSPEND;
                VKEY = VNEWKEY;
                KGROUP = VGROUP;
                KCODE = VKCODE;
                KNAME = VKNAME;
                BCODE = VBCODE;
                BNAME = VBNAME;
                DAC = VDAC;
                ZZZ_ZAN16 = 0;
                /*@ FOR N IN 1..16 */
                ZZ_ZAN{N} = 0;
                /*@ END */
                /*@ FOR N IN 1..16 */
                Z_ZAN{N} = 0;
                /*@ END */
                /*@ FOR N IN 1..16 */
                T_ZAN{N} = 0;
                /*@ END */
            END
            IF (VMNUM = -32) THEN ZZZ_ZAN16 = VAMOUNT;
            IF (VMNUM = -31) THEN ZZ_ZAN1 = VAMOUNT;
            IF (VMNUM = -30) THEN ZZ_ZAN2 = VAMOUNT;
            IF (VMNUM = -29) THEN ZZ_ZAN3 = VAMOUNT;
            IF (VMNUM = -28) THEN ZZ_ZAN4 = VAMOUNT;
            IF (VMNUM = -27) THEN ZZ_ZAN5 = VAMOUNT;
            IF (VMNUM = -26) THEN ZZ_ZAN6 = VAMOUNT;
            IF (VMNUM = -25) THEN ZZ_ZAN7 = VAMOUNT;
            IF (VMNUM = -24) THEN ZZ_ZAN8 = VAMOUNT;
            IF (VMNUM = -23) THEN ZZ_ZAN9 = VAMOUNT;
            IF (VMNUM = -22) THEN ZZ_ZAN10 = VAMOUNT;
            IF (VMNUM = -21) THEN ZZ_ZAN11 = VAMOUNT;
            IF (VMNUM = -20) THEN ZZ_ZAN12 = VAMOUNT;
            IF (VMNUM = -19) THEN ZZ_ZAN13 = VAMOUNT;
            IF (VMNUM = -18) THEN ZZ_ZAN14 = VAMOUNT;
            IF (VMNUM = -17) THEN ZZ_ZAN15 = VAMOUNT;
            IF (VMNUM = -16) THEN ZZ_ZAN16 = VAMOUNT;
            IF (VMNUM = -15) THEN Z_ZAN1 = VAMOUNT;
            IF (VMNUM = -14) THEN Z_ZAN2 = VAMOUNT;
            IF (VMNUM = -13) THEN Z_ZAN3 = VAMOUNT;
            IF (VMNUM = -12) THEN Z_ZAN4 = VAMOUNT;
            IF (VMNUM = -11) THEN Z_ZAN5 = VAMOUNT;
            IF (VMNUM = -10) THEN Z_ZAN6 = VAMOUNT;
            IF (VMNUM = -9) THEN Z_ZAN7 = VAMOUNT;
            IF (VMNUM = -8) THEN Z_ZAN8 = VAMOUNT;
            IF (VMNUM = -7) THEN Z_ZAN9 = VAMOUNT;
            IF (VMNUM = -6) THEN Z_ZAN10 = VAMOUNT;
            IF (VMNUM = -5) THEN Z_ZAN11 = VAMOUNT;
            IF (VMNUM = -4) THEN Z_ZAN12 = VAMOUNT;
            IF (VMNUM = -3) THEN Z_ZAN13 = VAMOUNT;
            IF (VMNUM = -2) THEN Z_ZAN14 = VAMOUNT;
            IF (VMNUM = -1) THEN Z_ZAN15 = VAMOUNT;
            IF (VMNUM = 0) THEN Z_ZAN16 = VAMOUNT;
            /*@ FOR N IN 1..16 */
            IF (VMNUM = {N}) THEN T_ZAN{N} = VAMOUNT;
            /*@ END */
        END
    IF (VKEY IS NOT NULL) THEN SUSPEND;
END ^

ReCREATE PROCEDURE SP_MB_SELECT_YOSAN (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BNAME VARCHAR(14),
    /*@ FOR N IN 1..11 */
    T_YOSAN{N} NUMERIC(16,4),
    /*@ END */
    T_YOSAN12 NUMERIC(16,4))
AS
DECLARE VARIABLE VKEY VARCHAR(12) CHARACTER SET ASCII;
DECLARE VARIABLE VNEWKEY VARCHAR(12) CHARACTER SET ASCII;
DECLARE VARIABLE VGROUP VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKNAME VARCHAR(14);
DECLARE VARIABLE VBNAME VARCHAR(14);
DECLARE VARIABLE VDAC INTEGER;
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VAMOUNT NUMERIC(16,4);
BEGIN
    VKEY = NULL;
    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';
    IF (PBCODE = ' ') THEN
        FOR SELECT V.GROUPM0, X.KCODE, '', '', MAX(V.KNAME), MAX(V.DAC), X.MNUM,
                   COALESCE(SUM(X.BYOSAN), 0)
              FROM KAMOKU_MS X
              INNER JOIN KAMOKU_VIEW V ON (V.SCODE = X.SCODE AND V.KCODE = X.KCODE AND V.HCODE = X.HCODE AND V.BCODE = X.BCODE)
             WHERE X.SCODE = :PSCODE AND X.HCODE = ' ' AND V.GROUPM0 >= '4000' AND V.GROUPM0 < '9900'
             GROUP BY V.GROUPM0, X.KCODE, X.MNUM
             ORDER BY V.GROUPM0, X.KCODE, X.MNUM
              INTO :VGROUP, :VKCODE, :VBCODE, :VBNAME, :VKNAME, :VDAC, :VMNUM, :VAMOUNT DO
        BEGIN
            VNEWKEY = VKCODE || VBCODE;
            IF (VKEY IS DISTINCT FROM VNEWKEY) THEN
            BEGIN
                IF (VKEY IS NOT NULL) THEN SUSPEND;
                VKEY = VNEWKEY;
                KGROUP = VGROUP;
                KCODE = VKCODE;
                KNAME = VKNAME;
                BCODE = VBCODE;
                BNAME = VBNAME;
                /*@ FOR N IN 1..12 */
                T_YOSAN{N} = 0;
                /*@ END */
            END
            IF (VMNUM = 1) THEN T_YOSAN1 = VAMOUNT;
            IF (VMNUM = 2) THEN T_YOSAN2 = VAMOUNT;
            IF (VMNUM = 3) THEN T_YOSAN3 = VAMOUNT;
            IF (VMNUM = 5) THEN T_YOSAN4 = VAMOUNT;
            IF (VMNUM = 6) THEN T_YOSAN5 = VAMOUNT;
            IF (VMNUM = 7) THEN T_YOSAN6 = VAMOUNT;
            IF (VMNUM = 9) THEN T_YOSAN7 = VAMOUNT;
            IF (VMNUM = 10) THEN T_YOSAN8 = VAMOUNT;
            IF (VMNUM = 11) THEN T_YOSAN9 = VAMOUNT;
            IF (VMNUM = 13) THEN T_YOSAN10 = VAMOUNT;
            IF (VMNUM = 14) THEN T_YOSAN11 = VAMOUNT;
            IF (VMNUM = 15) THEN T_YOSAN12 = VAMOUNT;
        END
    ELSE
        FOR SELECT V.GROUPM0, X.KCODE, V.BCODE, V.BNAME, V.KNAME, V.DAC, X.MNUM,
                   COALESCE(X.BYOSAN, 0)
              FROM KAMOKU_MS X
              INNER JOIN KAMOKU_VIEW V ON (V.SCODE = X.SCODE AND V.KCODE = X.KCODE AND V.HCODE = X.HCODE AND V.BCODE = X.BCODE)
             WHERE X.SCODE = :PSCODE AND X.HCODE = ' ' AND V.GROUPM0 >= '4000' AND V.GROUPM0 < '9900' AND X.BCODE = :PBCODE
             ORDER BY V.GROUPM0, X.KCODE, X.MNUM
              INTO :VGROUP, :VKCODE, :VBCODE, :VBNAME, :VKNAME, :VDAC, :VMNUM, :VAMOUNT DO
        BEGIN
            VNEWKEY = VKCODE || VBCODE;
            IF (VKEY IS DISTINCT FROM VNEWKEY) THEN
            BEGIN
                IF (VKEY IS NOT NULL) THEN SUSPEND;
                VKEY = VNEWKEY;
                KGROUP = VGROUP;
                KCODE = VKCODE;
                KNAME = VKNAME;
                BCODE = VBCODE;
                BNAME = VBNAME;
                /*@ FOR N IN 1..12 */
                T_YOSAN{N} = 0;
                /*@ END */
            END
            IF (VMNUM = 1) THEN T_YOSAN1 = VAMOUNT;
            IF (VMNUM = 2) THEN T_YOSAN2 = VAMOUNT;
            IF (VMNUM = 3) THEN T_YOSAN3 = VAMOUNT;
            IF (VMNUM = 5) THEN T_YOSAN4 = VAMOUNT;
            IF (VMNUM = 6) THEN T_YOSAN5 = VAMOUNT;
            IF (VMNUM = 7) THEN T_YOSAN6 = VAMOUNT;
            IF (VMNUM = 9) THEN T_YOSAN7 = VAMOUNT;
            IF (VMNUM = 10) THEN T_YOSAN8 = VAMOUNT;
            IF (VMNUM = 11) THEN T_YOSAN9 = VAMOUNT;
            IF (VMNUM = 13) THEN T_YOSAN10 = VAMOUNT;
            IF (VMNUM = 14) THEN T_YOSAN11 = VAMOUNT;
            IF (VMNUM = 15) THEN T_YOSAN12 = VAMOUNT;
        END
    IF (VKEY IS NOT NULL) THEN SUSPEND;
END ^

ReCREATE PROCEDURE SP_MB_SELECT_YOSOKU (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    KGROUP VARCHAR(6) CHARACTER SET ASCII,
    KCODE VARCHAR(6) CHARACTER SET ASCII,
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    KNAME VARCHAR(14),
    BNAME VARCHAR(14),
    /*@ FOR N IN 1..11 */
    T_YOSOKU{N} NUMERIC(16,4),
    /*@ END */
    T_YOSOKU12 NUMERIC(16,4))
AS
DECLARE VARIABLE VKEY VARCHAR(12) CHARACTER SET ASCII;
DECLARE VARIABLE VNEWKEY VARCHAR(12) CHARACTER SET ASCII;
DECLARE VARIABLE VGROUP VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKNAME VARCHAR(14);
DECLARE VARIABLE VBNAME VARCHAR(14);
DECLARE VARIABLE VDAC INTEGER;
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VAMOUNT NUMERIC(16,4);
BEGIN
    VKEY = NULL;
    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';
    IF (PBCODE = ' ') THEN
        FOR SELECT V.GROUPM0, X.KCODE, '', '', MAX(V.KNAME), MAX(V.DAC), X.MNUM,
                   COALESCE(SUM(X.BYOSOKU), 0)
              FROM KAMOKU_MS X
              INNER JOIN KAMOKU_VIEW V ON (V.SCODE = X.SCODE AND V.KCODE = X.KCODE AND V.HCODE = X.HCODE AND V.BCODE = X.BCODE)
             WHERE X.SCODE = :PSCODE AND X.HCODE = ' ' AND V.GROUPM0 >= '4000' AND V.GROUPM0 < '9900'
             GROUP BY V.GROUPM0, X.KCODE, X.MNUM
             ORDER BY V.GROUPM0, X.KCODE, X.MNUM
              INTO :VGROUP, :VKCODE, :VBCODE, :VBNAME, :VKNAME, :VDAC, :VMNUM, :VAMOUNT DO
        BEGIN
            VNEWKEY = VKCODE || VBCODE;
            IF (VKEY IS DISTINCT FROM VNEWKEY) THEN
            BEGIN
                IF (VKEY IS NOT NULL) THEN SUSPEND;
                VKEY = VNEWKEY;
                KGROUP = VGROUP;
                KCODE = VKCODE;
                KNAME = VKNAME;
                BCODE = VBCODE;
                BNAME = VBNAME;
                /*@ FOR N IN 1..12 */
                T_YOSOKU{N} = 0;
                /*@ END */
            END
            IF (VMNUM = 1) THEN T_YOSOKU1 = VAMOUNT;
            IF (VMNUM = 2) THEN T_YOSOKU2 = VAMOUNT;
            IF (VMNUM = 3) THEN T_YOSOKU3 = VAMOUNT;
            IF (VMNUM = 5) THEN T_YOSOKU4 = VAMOUNT;
            IF (VMNUM = 6) THEN T_YOSOKU5 = VAMOUNT;
            IF (VMNUM = 7) THEN T_YOSOKU6 = VAMOUNT;
            IF (VMNUM = 9) THEN T_YOSOKU7 = VAMOUNT;
            IF (VMNUM = 10) THEN T_YOSOKU8 = VAMOUNT;
            IF (VMNUM = 11) THEN T_YOSOKU9 = VAMOUNT;
            IF (VMNUM = 13) THEN T_YOSOKU10 = VAMOUNT;
            IF (VMNUM = 14) THEN T_YOSOKU11 = VAMOUNT;
            IF (VMNUM = 15) THEN T_YOSOKU12 = VAMOUNT;
        END
    ELSE
        FOR SELECT V.GROUPM0, X.KCODE, V.BCODE, V.BNAME, V.KNAME, V.DAC, X.MNUM,
                   COALESCE(X.BYOSOKU, 0)
              FROM KAMOKU_MS X
              INNER JOIN KAMOKU_VIEW V ON (V.SCODE = X.SCODE AND V.KCODE = X.KCODE AND V.HCODE = X.HCODE AND V.BCODE = X.BCODE)
             WHERE X.SCODE = :PSCODE AND X.HCODE = ' ' AND V.GROUPM0 >= '4000' AND V.GROUPM0 < '9900' AND X.BCODE = :PBCODE
             ORDER BY V.GROUPM0, X.KCODE, X.MNUM
              INTO :VGROUP, :VKCODE, :VBCODE, :VBNAME, :VKNAME, :VDAC, :VMNUM, :VAMOUNT DO
        BEGIN
            VNEWKEY = VKCODE || VBCODE;
            IF (VKEY IS DISTINCT FROM VNEWKEY) THEN
            BEGIN
                IF (VKEY IS NOT NULL) THEN SUSPEND;
                VKEY = VNEWKEY;
                KGROUP = VGROUP;
                KCODE = VKCODE;
                KNAME = VKNAME;
                BCODE = VBCODE;
                BNAME = VBNAME;
                /*@ FOR N IN 1..12 */
                T_YOSOKU{N} = 0;
                /*@ END */
            END
            IF (VMNUM = 1) THEN T_YOSOKU1 = VAMOUNT;
            IF (VMNUM = 2) THEN T_YOSOKU2 = VAMOUNT;
            IF (VMNUM = 3) THEN T_YOSOKU3 = VAMOUNT;
            IF (VMNUM = 5) THEN T_YOSOKU4 = VAMOUNT;
            IF (VMNUM = 6) THEN T_YOSOKU5 = VAMOUNT;
            IF (VMNUM = 7) THEN T_YOSOKU6 = VAMOUNT;
            IF (VMNUM = 9) THEN T_YOSOKU7 = VAMOUNT;
            IF (VMNUM = 10) THEN T_YOSOKU8 = VAMOUNT;
            IF (VMNUM = 11) THEN T_YOSOKU9 = VAMOUNT;
            IF (VMNUM = 13) THEN T_YOSOKU10 = VAMOUNT;
            IF (VMNUM = 14) THEN T_YOSOKU11 = VAMOUNT;
            IF (VMNUM = 15) THEN T_YOSOKU12 = VAMOUNT;
        END
    IF (VKEY IS NOT NULL) THEN SUSPEND;
END ^

ReCREATE PROCEDURE SP_MB_UPDATE_JISSEKIYOSAN (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PKCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PTAIHI NUMERIC(16,4),
    PMNUM1 INTEGER,
    PMNUM2 INTEGER)
AS
DECLARE VARIABLE VP1 INTEGER;
DECLARE VARIABLE VP2 INTEGER;
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VPERIOD INTEGER;
DECLARE VARIABLE VVALUE NUMERIC(16,4);
DECLARE VARIABLE VRUN NUMERIC(16,4);
DECLARE VARIABLE VMOVE NUMERIC(16,4);
/*@ FOR N IN 1..12 */
DECLARE VARIABLE Y{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    /* Months 1-12 as periods: the quarter settlement periods stand after
       the months 3, 6 and 9. */
    VP1 = PMNUM1 + (PMNUM1 - 1) / 3;
    VP2 = PMNUM2 + (PMNUM2 - 1) / 3;
    IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';
    /*@ FOR N IN 1..12 */
    Y{NN} = 0;
    /*@ END */
    /* The stored budget is cumulative: each month's own budget is the
       step from the month before. */
    VRUN = 0;
    FOR SELECT X.MNUM, COALESCE(SUM(X.BYOSAN), 0) FROM KAMOKU_MS X
              INNER JOIN KAMOKU_VIEW V ON (V.SCODE = X.SCODE AND V.KCODE = X.KCODE AND V.HCODE = X.HCODE AND V.BCODE = X.BCODE)
             WHERE X.SCODE = :PSCODE AND X.KCODE = :PKCODE AND X.HCODE = ' ' AND (:PBCODE = ' ' OR X.BCODE = :PBCODE) AND MOD(X.MNUM, 4) <> 0
             GROUP BY X.MNUM
             ORDER BY X.MNUM
              INTO :VPERIOD, :VVALUE DO
        BEGIN
            VMOVE = VVALUE - VRUN;
            VRUN = VVALUE;
            IF (VPERIOD = 1) THEN Y01 = VMOVE;
            IF (VPERIOD = 2) THEN Y02 = VMOVE;
            IF (VPERIOD = 3) THEN Y03 = VMOVE;
            IF (VPERIOD = 5) THEN Y04 = VMOVE;
            IF (VPERIOD = 6) THEN Y05 = VMOVE;
            IF (VPERIOD = 7) THEN Y06 = VMOVE;
            IF (VPERIOD = 9) THEN Y07 = VMOVE;
            IF (VPERIOD = 10) THEN Y08 = VMOVE;
            IF (VPERIOD = 11) THEN Y09 = VMOVE;
            IF (VPERIOD = 13) THEN Y10 = VMOVE;
            IF (VPERIOD = 14) THEN Y11 = VMOVE;
            IF (VPERIOD = 15) THEN Y12 = VMOVE;
        END
    /* Last year's balances with tax: a month's movement is the step from
       the period before; a quarter settlement period only moves the base. */
    VRUN = 0;
    FOR SELECT X.MNUM, COALESCE(SUM(COALESCE(X.NUKIZAN, 0) + COALESCE(X.ZEIGAKU, 0)), 0) FROM KAMOKU_PZ X
              INNER JOIN KAMOKU_VIEW V ON (V.SCODE = X.SCODE AND V.KCODE = X.KCODE AND V.HCODE = X.HCODE AND V.BCODE = X.BCODE)
             WHERE X.SCODE = :PSCODE AND X.KCODE = :PKCODE AND X.HCODE = ' ' AND (:PBCODE = ' ' OR X.BCODE = :PBCODE) AND X.MNUM BETWEEN -15 AND -1
             GROUP BY X.MNUM
             ORDER BY X.MNUM
              INTO :VMNUM, :VVALUE DO
        BEGIN
            VPERIOD = VMNUM + 16;
            VMOVE = VVALUE - VRUN;
            VRUN = VVALUE;
            IF (MOD(VPERIOD, 4) <> 0 AND VPERIOD BETWEEN VP1 AND VP2) THEN
            BEGIN
            IF (VPERIOD = 1) THEN Y01 = F_ROUND(VMOVE * PTAIHI);
            IF (VPERIOD = 2) THEN Y02 = F_ROUND(VMOVE * PTAIHI);
            IF (VPERIOD = 3) THEN Y03 = F_ROUND(VMOVE * PTAIHI);
            IF (VPERIOD = 5) THEN Y04 = F_ROUND(VMOVE * PTAIHI);
            IF (VPERIOD = 6) THEN Y05 = F_ROUND(VMOVE * PTAIHI);
            IF (VPERIOD = 7) THEN Y06 = F_ROUND(VMOVE * PTAIHI);
            IF (VPERIOD = 9) THEN Y07 = F_ROUND(VMOVE * PTAIHI);
            IF (VPERIOD = 10) THEN Y08 = F_ROUND(VMOVE * PTAIHI);
            IF (VPERIOD = 11) THEN Y09 = F_ROUND(VMOVE * PTAIHI);
            IF (VPERIOD = 13) THEN Y10 = F_ROUND(VMOVE * PTAIHI);
            IF (VPERIOD = 14) THEN Y11 = F_ROUND(VMOVE * PTAIHI);
            IF (VPERIOD = 15) THEN Y12 = F_ROUND(VMOVE * PTAIHI);
            END
        END
    EXECUTE PROCEDURE SP_MB_UPDATE_HASSEIYOSAN (:PSCODE, :PKCODE, :PBCODE, 1, :Y01, :Y02, :Y03, :Y04, :Y05, :Y06, :Y07, :Y08, :Y09, :Y10, :Y11, :Y12);
END ^

SET TERM ; ^
