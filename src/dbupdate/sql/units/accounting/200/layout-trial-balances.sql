SET TERM ^ ;
/*@ FOR F IN A4, A3 */
ALTER PROCEDURE SP_SISANHYO_{F} (
    PTAX INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PSITENGROUP VARCHAR(6) CHARACTER SET ASCII)
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
DECLARE VARIABLE VS VARCHAR(6) CHARACTER SET ASCII;
/*@ FOR N IN 1..16 */
DECLARE VARIABLE A{NN} NUMERIC(16,4);
/*@ END */
/*@ FOR N IN 1..16 */
DECLARE VARIABLE B{NN} NUMERIC(16,4);
/*@ END */
BEGIN
    PTAX = COALESCE(PTAX, 0);
    PSCODE = COALESCE(PSCODE, '');
    PSITENGROUP = COALESCE(PSITENGROUP, '');
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VKARIUKE;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VKARIBARAI;
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
            SELECT COUNT(*), COALESCE(SUM(Z.KAISIZAN), 0) FROM KAMOKU_SZ Z
             WHERE Z.KCODE = :VK
               AND (:PSCODE = '' OR Z.SCODE = :PSCODE)
               AND (:PSITENGROUP = '' OR Z.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSITENGROUP))
              INTO :VROWS, :VZ;
            IF (VROWS > 0) THEN
            BEGIN
                VCOUNT = VCOUNT + 1;
                KAISIZAN = KAISIZAN + VZ;
                SELECT /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAR_NUK + IIF(:PTAX = 0, M.KAR_TAX, 0), 0)), 0)/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ",\n" */COALESCE(SUM(IIF(M.MNUM = {N}, M.KAS_NUK + IIF(:PTAX = 0, M.KAS_TAX, 0), 0)), 0)/*@ END */
                  FROM KAMOKU_MS M
                 WHERE M.KCODE = :VK AND (:PSCODE = '' OR M.SCODE = :PSCODE)
                     AND (:PSITENGROUP = '' OR M.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :PSITENGROUP))
                  INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:A{NN}/*@ END */,
                       /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:B{NN}/*@ END */;
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAR{NN} = KAR{NN} + A{NN};/*@ END */
                /*@ FOR N IN 1..16 JOIN " " WRAP 4 */KAS{NN} = KAS{NN} + B{NN};/*@ END */
                IF (PTAX = 1 AND VK <> '' AND (VK = VKARIUKE OR VK = VKARIBARAI)) THEN
                BEGIN
                    IF (PSITENGROUP = '') THEN
                        EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:PSCODE, '', IIF(:VK = :VKARIUKE, 1, 2),
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */,
                            /*@ FOR N IN 1..16 JOIN ", " */0/*@ END */)
                            RETURNING_VALUES /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                                             /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */;
                    ELSE
                        FOR SELECT G.SCODE FROM SISETUGROUPLIST G
                             WHERE G.GCODE = :PSITENGROUP AND (:PSCODE = '' OR G.SCODE = :PSCODE)
                             ORDER BY G.SCODE
                              INTO :VS DO
                            EXECUTE PROCEDURE SP_ZEIGAKU_ADD (:VS, '', IIF(:VK = :VKARIUKE, 1, 2),
                                /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                                /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */,
                                /*@ FOR N IN 1..16 JOIN ", " */0/*@ END */)
                                RETURNING_VALUES /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */,
                                                 /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAS{NN}/*@ END */;
                END
            END
        END
        IF (VCOUNT > 0) THEN
        BEGIN
            KNAME = IIF(COALESCE(VKNAME1, '') = '', VN, VKNAME1);
            IF (VCOUNT = 1 AND COALESCE(VKNAME1, '') = '') THEN
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

/*@ END */
SET TERM ; ^
