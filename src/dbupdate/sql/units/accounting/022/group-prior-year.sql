    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PGCODE VARCHAR(6) CHARACTER SET ASCII)
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
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VAMOUNT NUMERIC(16,4);
BEGIN
    FOR SELECT V.KCODE, V.USERCODE FROM KAMOKU_VIEW V
         WHERE V.SCODE = :PSCODE AND V.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE)
         GROUP BY V.KCODE, V.USERCODE
         ORDER BY V.KCODE
          INTO :KCODE, :USERCODE DO
        FOR SELECT Z.HCODE FROM KAMOKU_SZ Z
             WHERE Z.SCODE = :PSCODE AND Z.KCODE = :KCODE AND Z.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE)
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
                 WHERE M.SCODE = :PSCODE AND M.KCODE = :KCODE AND M.HCODE = :HCODE
                   AND M.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE) AND M.MNUM < 16
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
                 WHERE P.SCODE = :PSCODE AND P.KCODE = :KCODE AND P.HCODE = :HCODE
                   AND P.BCODE IN (SELECT G.BCODE FROM GROUPLIST G WHERE G.GCODE = :PGCODE) AND P.MNUM < 16
                 GROUP BY P.MNUM
                 ORDER BY P.MNUM
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

