SET TERM ^ ;
/* The journal monitor pages through the debit rows of the facility PSCODE
   (a blank code is the facility ' ' of data without facility books), fifty
   entries at a time unless PLIMIT asks for more. The UP procedures read
   backwards from the position and start at the facility's newest entry
   when PSWKREC is 0; the DOWN procedures read forwards. The history
   position PSWKNO is a facility number (SITREC) and PSWKREC the entry at
   it; the ENTRYORDER pair places by entry number alone. Rows come in entry
   number order, the row number breaking ties so that a page read down and
   then up again holds the same rows. PDELFLG1 -1 takes every row, else the
   rows whose DELFLG is one of PDELFLG1 to 3. POFFSET passing rows are
   skipped; RECORDCNT counts the passing rows, and the first passing row
   beyond the page ends the read. */
/*@ FOR P IN LISTUP, LISTDOWN, LISTUP_ENTRYORDER, LISTDOWN_ENTRYORDER */
RECREATE PROCEDURE SP_MONITOR_{P} (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PSWKREC INTEGER,
    PSWKNO INTEGER,
    PDELFLG1 INTEGER,
    PDELFLG2 INTEGER,
    PDELFLG3 INTEGER,
    POFFSET INTEGER,
    PLIMIT INTEGER)
/*@ INCLUDE "../paging/journal-row-returns.sqlinc" WITH N = 112, T = 400, S = 160 */
AS
DECLARE VARIABLE VDIR INTEGER;
DECLARE VARIABLE VENTRY INTEGER;
DECLARE VARIABLE VRETURNED INTEGER;
BEGIN
    /* UP reads backwards (-1), DOWN forwards (1): every comparison and the
       order below are taken times the direction. */
    VDIR = IIF('{P}' STARTING WITH 'LISTUP', -1, 1);
    VENTRY = IIF('{P}' CONTAINING 'ENTRYORDER', 1, 0);
    IF (COALESCE(PLIMIT, 0) <= 0) THEN PLIMIT = 50;
    POFFSET = COALESCE(POFFSET, 0);
    PSWKREC = COALESCE(PSWKREC, 0);
    PSWKNO = COALESCE(PSWKNO, 0);
    IF (VDIR = -1 AND PSWKREC = 0) THEN
    BEGIN
        SELECT MAX(SWKREC), MAX(SWKNO) FROM SIWAKE WHERE SCODE = :PSCODE INTO :PSWKREC, :PSWKNO;
        IF (PSWKREC IS NULL) THEN
            EXIT;
    END
    RECORDCNT = 0;
    VRETURNED = 0;
/*@ INCLUDE "../paging/journal-row-select.sqlinc" */
          FROM SIWAKE_VIEW V
         WHERE V.SCODE = :PSCODE AND V.TAISHAKU = 1
           AND (:PDELFLG1 = -1 OR V.DELFLG IN (:PDELFLG1, :PDELFLG2, :PDELFLG3))
           AND IIF(:VENTRY = 1, V.SWKREC - :PSWKREC, V.SITREC - :PSWKNO) * :VDIR >= 0
         ORDER BY V.SWKREC * :VDIR, V.REC * :VDIR
/*@ INCLUDE "../paging/journal-row-into.sqlinc" */
    BEGIN
        IF (PSWKREC = 0 OR VENTRY = 1 OR (SITREC - PSWKNO) * VDIR > 0
            OR (SITREC = PSWKNO AND (SWKREC - PSWKREC) * VDIR >= 0)) THEN
/*@ INCLUDE "../paging/page-tail.sqlinc" */

/*@ END */
SET TERM ; ^
