SET TERM ^ ;
/* The journal book pages through the debit rows of the facility PSCODE
   (a blank code is the facility ' ' of data without facility books) dated
   from PSHIZUKE to PEHIZUKE, fifty entries at a time unless PLIMIT asks
   for more. LISTUP reads backwards from the end date, LISTDOWN forwards
   from the start date; an end date before the start date stands for the
   rest of the fiscal year on the open side. A settlement entry counts one
   day after its date, so it follows the ordinary entries of its day; so
   does the position when PKESSAN is 1. On the position's day a row passes
   by its history number against PSWKNO (0: every row of that day).
   PDELFLG selects one DELFLG (-1: every row, but in LISTIN). LISTIN lists
   the entries up to the position newest first by history number, of the
   settlement kind PKESSAN (-1: both). POFFSET passing rows are skipped;
   RECORDCNT counts the passing rows, and the first passing row beyond the
   page ends the read. */
/*@ FOR P IN LISTUP, LISTDOWN, LISTIN */
RECREATE PROCEDURE SP_SIWAKE_{P} (
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PKESSAN INTEGER,
    PSHIZUKE DATE,
    PEHIZUKE DATE,
    PSWKNO INTEGER,
    PDELFLG INTEGER,
    POFFSET INTEGER,
    PLIMIT INTEGER)
/*@ INCLUDE "../paging/journal-row-returns.sqlinc" WITH N = 28, T = 100, S = 40 */
/*@ INCLUDE "../paging/dated-opening.sqlinc" */
    PDELFLG = COALESCE(PDELFLG, 0);
/*@ INCLUDE "../paging/dated-window.sqlinc" */
/*@ INCLUDE "../paging/journal-row-select.sqlinc" */
          FROM SIWAKE_VIEW V
         WHERE V.SCODE = :PSCODE AND V.TAISHAKU = 1 AND V.HIZUKE BETWEEN :PSHIZUKE AND :PEHIZUKE
           AND ((:VIN = 0 AND :PDELFLG = -1) OR V.DELFLG = :PDELFLG)
           AND (:VIN = 0 OR :PKESSAN = -1 OR V.KESSAN = :PKESSAN)
         ORDER BY IIF(:VIN = 1, 0, V.HIZUKE - DATE '2000-01-01') * :VDIR, IIF(:VIN = 1, 0, V.KESSAN) * :VDIR,
                  IIF(:VIN = 1, 0, V.SDAYNUM) * :VDIR, V.SWKNO * :VDIR, V.REC * :VDIR
/*@ INCLUDE "../paging/journal-row-into.sqlinc" */
    BEGIN
        IF ((HIZUKE + IIF(VIN = 0 AND KESSAN = 1, 1, 0) - VPOS) * VDIR > 0
            OR (HIZUKE + IIF(VIN = 0 AND KESSAN = 1, 1, 0) = VPOS
                AND ((HIZUKE - VEDGE) * VDIR > 0 OR PSWKNO = 0 OR (SWKNO - PSWKNO) * VDIR >= 0))) THEN
/*@ INCLUDE "../paging/page-tail.sqlinc" */

/*@ END */
SET TERM ; ^
