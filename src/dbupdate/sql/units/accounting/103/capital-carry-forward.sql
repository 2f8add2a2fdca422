SET TERM ^ ;
/* The year-end carry-forward of an individual's capital, per department
   of the facility SCODE where it keeps departments (else once, for ' '):
   the capital becomes capital + (debit - credit balances) + owner's loan
   - drawings, summed over every sub-account of the three accounts, and
   the drawings and the owner's loan start from 0. Returns the new capital
   and the sums it was made of; no row for other data kinds. */
RECREATE PROCEDURE SP_MOTOIREKIN_KURIIRE (
    SCODE VARCHAR(6) CHARACTER SET ASCII)
RETURNS (
    BCODE VARCHAR(6) CHARACTER SET ASCII,
    MOTOIREZAN NUMERIC(16,4),
    KIMATU_MOTOIREZAN NUMERIC(16,4),
    KIMATU_JIGYOKASIZAN NUMERIC(16,4),
    KIMATU_JIGYOKARIZAN NUMERIC(16,4),
    KIMATU_KARIZAN NUMERIC(16,4),
    KIMATU_KASIZAN NUMERIC(16,4))
AS
DECLARE VARIABLE VDATATYPE INTEGER;
DECLARE VARIABLE VBUMON INTEGER;
DECLARE VARIABLE VBUMEX INTEGER;
DECLARE VARIABLE VALL INTEGER;
DECLARE VARIABLE VM VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VK VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VS VARCHAR(6) CHARACTER SET ASCII;
BEGIN
    VDATATYPE = NULL;
    VBUMON = 0;
    SELECT DATATYPE, COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VDATATYPE, :VBUMON;
    /* Only an individual carries the year into the owner's capital. */
    IF (VDATATYPE IS DISTINCT FROM 2) THEN
        EXIT;
    SELECT CODE FROM SYSKMKCODEINF('元入金') INTO :VM;
    SELECT CODE FROM SYSKMKCODEINF('事業主貸') INTO :VK;
    SELECT CODE FROM SYSKMKCODEINF('事業主借') INTO :VS;
    /* Without a capital account there is nowhere to carry the year. */
    IF (COALESCE(VM, '') = '') THEN
        EXIT;
    VBUMEX = 0;
    SELECT COALESCE(F.BUMEX, 0) FROM SISETUMST F WHERE F.SCODE = :SCODE INTO :VBUMEX;
    VALL = IIF(VBUMON = 2 AND VBUMEX = 1, 1, 0);
    FOR SELECT D.BCODE FROM (SELECT B.BCODE AS BCODE FROM BUMONMST B WHERE :VALL = 1
                             UNION
                             SELECT CAST(' ' AS VARCHAR(6) CHARACTER SET ASCII) FROM RDB$DATABASE WHERE :VALL = 0) D
         ORDER BY D.BCODE
          INTO :BCODE DO
    BEGIN
        SELECT COALESCE(SUM(IIF(V.KCODE = :VM, V.KAISIZAN, 0)), 0),
               COALESCE(SUM(IIF(V.KCODE = :VK, V.KAISIZAN, 0)), 0),
               COALESCE(SUM(IIF(V.KCODE = :VS, V.KAISIZAN, 0)), 0),
               COALESCE(SUM(IIF(V.DAC IN (1, 4), V.KAISIZAN, 0)), 0),
               COALESCE(SUM(IIF(V.DAC IN (2, 3), V.KAISIZAN, 0)), 0)
          FROM KAMOKU_VIEW V
         WHERE V.SCODE = :SCODE AND V.BCODE = :BCODE AND V.BPFLG = 'B'
          INTO :KIMATU_MOTOIREZAN, :KIMATU_JIGYOKASIZAN, :KIMATU_JIGYOKARIZAN,
               :KIMATU_KARIZAN, :KIMATU_KASIZAN;
        MOTOIREZAN = KIMATU_MOTOIREZAN + (KIMATU_KARIZAN - KIMATU_KASIZAN)
                   + KIMATU_JIGYOKARIZAN - KIMATU_JIGYOKASIZAN;
        /* The new capital holds what every sub-account of the capital
           held, so it stands once, on the account's own row, and the
           sub-account rows start from 0 like those of the drawings and the
           owner's loan: written into each of them it would count as often
           as the capital has sub-accounts. */
        UPDATE KAMOKU_SZ Z SET Z.KAISIZAN = IIF(Z.KCODE = :VM AND Z.HCODE = ' ', :MOTOIREZAN, 0)
         WHERE Z.SCODE = :SCODE AND Z.KCODE IN (:VM, :VK, :VS) AND Z.BCODE = :BCODE;
        SUSPEND;
    END
END ^
SET TERM ; ^
