/*@ FOR F IN A4, A3 */
SET TERM ^ ;
ALTER PROCEDURE SP_SISANHYO_BUMON_{F} (
    PTAX INTEGER,
    PHIBUN INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
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
DECLARE VARIABLE VKARIUKE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKARIBARAI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VKNAME1 VARCHAR(20);
DECLARE VARIABLE VCOUNT INTEGER;
DECLARE VARIABLE VROWS INTEGER;
DECLARE VARIABLE VZ NUMERIC(16,4);
DECLARE VARIABLE VK VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VU VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VN VARCHAR(14);
DECLARE VARIABLE VG1 VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VG2 VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VBP VARCHAR(1) CHARACTER SET ASCII;
DECLARE VARIABLE VDAC INTEGER;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE A{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE B{NN} NUMERIC(16,4);
/*@ END */
DECLARE VARIABLE VZ00 NUMERIC(16,4);
DECLARE VARIABLE VKAISINO INTEGER;
DECLARE VARIABLE VRATE NUMERIC(16,4);
DECLARE VARIABLE VKIND INTEGER;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE R{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE C{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE D{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    PTAX = COALESCE(PTAX, 0);
    PHIBUN = COALESCE(PHIBUN, 0);
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;
    SELECT COALESCE(KAISINO, 1) FROM ACCDEF1 WHERE REC = 1 INTO :VKAISINO;
    FOR SELECT L.REC, L.SUBREC, L.KNAME1 FROM EXTER{F} L ORDER BY L.KGROUP, L.SUBREC, L.REC
         INTO :MSTREC, :SUBREC, :VKNAME1 DO
    BEGIN
        VCOUNT = 0;
        KAISIZAN = 0;
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAR{NN} = 0;/*@ END */
        /*@ FOR N IN 1..16 JOIN " " WRAP 8 */KAS{NN} = 0;/*@ END */
        FOR SELECT K.KCODE, K.USERCODE, K.KNAME, K.GROUPM1, K.GROUPM2, K.BPFLG, K.DAC
              FROM KAMOKUMST K
             WHERE K.EXT1_{F} = :MSTREC
             ORDER BY K.KCODE
              INTO :VK, :VU, :VN, :VG1, :VG2, :VBP, :VDAC DO
        BEGIN
            SELECT COUNT(*) FROM KAMOKU_SZ Z
             WHERE Z.SCODE = :PSCODE AND Z.KCODE = :VK
              INTO :VROWS;
            IF (VROWS > 0) THEN
            BEGIN
                VCOUNT = VCOUNT + 1;
                /*@ FOR N IN 1..16 JOIN " " WRAP 8 */R{NN} = 0;/*@ END */
                SELECT /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */HAIBUN{NN} * 0.01/*@ END */
                  FROM KAMOKU_SZ
                 WHERE SCODE = :PSCODE AND KCODE = :VK AND HCODE = ' ' AND BCODE = :PBCODE
                  INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */;
                SELECT COALESCE(SUM(IIF(BCODE = :PBCODE, KAISIZAN, 0)), 0),
                       COALESCE(SUM(IIF(BCODE = '00', KAISIZAN, 0)), 0)
                  FROM KAMOKU_SZ
                 WHERE SCODE = :PSCODE AND KCODE = :VK
                  INTO :VZ, :VZ00;
                VRATE = COALESCE(IIF(VKAISINO <= 1, R01, CASE VKAISINO WHEN 2 THEN R01 WHEN 3 THEN R02 WHEN 4 THEN R03 WHEN 5 THEN R05 WHEN 6 THEN R06 WHEN 7 THEN R07 WHEN 8 THEN R09 WHEN 9 THEN R10 WHEN 10 THEN R11 WHEN 11 THEN R13 WHEN 12 THEN R14 ELSE R01 END), 0);
                IF (PHIBUN = 1 AND PBCODE = '00') THEN
                    KAISIZAN = KAISIZAN + CAST(ROUND(CAST(VZ AS DOUBLE PRECISION) * (VRATE * 10000) / 10000, 0) AS NUMERIC(18,4));
                ELSE IF (PHIBUN = 1) THEN
                    KAISIZAN = KAISIZAN + VZ + CAST(ROUND(CAST(VZ00 AS DOUBLE PRECISION) * (VRATE * 10000) / 10000, 0) AS NUMERIC(18,4));
                ELSE
                    KAISIZAN = KAISIZAN + VZ;
                SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
                  FROM KAMOKU_MS M
                 WHERE M.SCODE = :PSCODE AND M.KCODE = :VK AND M.BCODE = :PBCODE
                  INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                IF (PHIBUN = 1 AND PBCODE = '00') THEN
                BEGIN
                    /*@ FOR N IN 1..16 JOIN " " WRAP 1 */A{NN} = CAST(ROUND(CAST(A{NN} AS DOUBLE PRECISION) * (COALESCE(R{NN}, 0) * 10000) / 10000, 0) AS NUMERIC(18,4));/*@ END */
                    /*@ FOR N IN 1..16 JOIN " " WRAP 1 */B{NN} = CAST(ROUND(CAST(B{NN} AS DOUBLE PRECISION) * (COALESCE(R{NN}, 0) * 10000) / 10000, 0) AS NUMERIC(18,4));/*@ END */
                END
                VKIND = IIF(VK = VKARIUKE, 1, IIF(VK = VKARIBARAI, 2, 0));
                IF (PTAX = 1 AND VK <> '' AND VKIND > 0) THEN
                BEGIN
                    IF (PHIBUN = 1 AND PBCODE = '00') THEN
                        EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:PSCODE, :PBCODE, :VKIND,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */)
                            RETURNING_VALUES /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                                             /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                    ELSE
                        EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:PSCODE, :PBCODE, :VKIND,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " */1/*@ END */)
                            RETURNING_VALUES /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                                             /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                END
                IF (PHIBUN = 1 AND PBCODE <> '00') THEN
                BEGIN
                    SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
                           /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
                      FROM KAMOKU_MS M
                     WHERE M.SCODE = :PSCODE AND M.KCODE = :VK AND M.BCODE = '00'
                      INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:C{NN}/*@ END */,
                           /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:D{NN}/*@ END */;
                    /*@ FOR N IN 1..16 JOIN " " WRAP 1 */A{NN} = A{NN} + CAST(ROUND(CAST(C{NN} AS DOUBLE PRECISION) * (COALESCE(R{NN}, 0) * 10000) / 10000, 0) AS NUMERIC(18,4));/*@ END */
                    /*@ FOR N IN 1..16 JOIN " " WRAP 1 */B{NN} = B{NN} + CAST(ROUND(CAST(D{NN} AS DOUBLE PRECISION) * (COALESCE(R{NN}, 0) * 10000) / 10000, 0) AS NUMERIC(18,4));/*@ END */
                    IF (PTAX = 1 AND VK <> '' AND VKIND > 0) THEN
                        EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:PSCODE, '00', :VKIND,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:R{NN}/*@ END */)
                            RETURNING_VALUES /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                                             /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                END
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAR{NN} = KAR{NN} + A{NN};/*@ END */
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAS{NN} = KAS{NN} + B{NN};/*@ END */
            END
        END
        IF (VCOUNT > 0) THEN
        BEGIN
            KNAME = IIF(COALESCE(VKNAME1, '') = '', VN, VKNAME1);
            IF (VCOUNT = 1 AND (COALESCE(VKNAME1, '') = '' OR VKNAME1 = VN)) THEN
            BEGIN
                USERCODE = VU; KCODE = VK;
            END
            ELSE
            BEGIN
                USERCODE = '-'; KCODE = '-';
            END
            GROUPM1 = VG1; GROUPM2 = VG2; BSPL = VBP; TAISHAKU = VDAC;
            SUSPEND;
        END
    END
END ^
SET TERM ; ^
/*@ END */
