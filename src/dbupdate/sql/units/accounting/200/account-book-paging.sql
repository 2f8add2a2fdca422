SET TERM ^ ;
/* The account book pages through the rows of either side of the account
   PKCODE dated from PSHIZUKE to PEHIZUKE with DELFLG = PDELFLG, fifty at a
   time unless PLIMIT asks for more. PPROCTYPE 1 adds every row with tax
   received (TAXUH 1, ZEI > 0), 2 every row with tax paid. PSCODE, PHCODE
   and PBCODE restrict the rows when they are given. A facility given
   empty or blank means every facility, as in the other readers that take
   an optional facility (journals of data without facility books all
   carry ' '). A sub-account or department given empty ('' or NULL)
   means every code, but a blank one (' ') the blank code itself: the
   account's own rows without its sub-accounts, the rows of no department.
   Otherwise as the journal book: LISTUP backwards from the end date,
   LISTDOWN forwards from the start date, settlement entries one day after
   their date; the two rows of one entry are split at the position by
   their side PTAISHAKU. LISTIN lists the rows up to the position newest
   first by history number, of the settlement kind PKESSAN (-1: both). */
/*@ FOR P IN LISTUP, LISTDOWN, LISTIN */
RECREATE PROCEDURE SP_MOTOCHO_{P} (
    PPROCTYPE INTEGER,
    PSCODE VARCHAR(6) CHARACTER SET ASCII,
    PKCODE VARCHAR(6) CHARACTER SET ASCII,
    PHCODE VARCHAR(6) CHARACTER SET ASCII,
    PBCODE VARCHAR(6) CHARACTER SET ASCII,
    PKESSAN INTEGER,
    PSHIZUKE DATE,
    PEHIZUKE DATE,
    PSWKNO INTEGER,
    PTAISHAKU INTEGER,
    PDELFLG INTEGER,
    POFFSET INTEGER,
    PLIMIT INTEGER)
/*@ INCLUDE "../paging/journal-row-returns.sqlinc" WITH N = 112, T = 400, S = 160 */
/*@ INCLUDE "../paging/dated-opening.sqlinc" */
    PPROCTYPE = COALESCE(PPROCTYPE, 0);
/*@ INCLUDE "../paging/dated-window.sqlinc" */
/*@ INCLUDE "../paging/journal-row-select.sqlinc" */
          FROM SIWAKE_VIEW V
         WHERE V.HIZUKE BETWEEN :PSHIZUKE AND :PEHIZUKE AND V.DELFLG = :PDELFLG
           AND (V.KCODE = :PKCODE OR (:PPROCTYPE IN (1, 2) AND V.TAXUH = :PPROCTYPE AND V.ZEI > 0))
           AND (COALESCE(:PSCODE, '') = '' OR V.SCODE = :PSCODE)
           AND (CHAR_LENGTH(COALESCE(:PHCODE, '')) = 0 OR V.HCODE = :PHCODE)
           AND (CHAR_LENGTH(COALESCE(:PBCODE, '')) = 0 OR V.BCODE = :PBCODE)
           AND (:VIN = 0 OR :PKESSAN = -1 OR V.KESSAN = :PKESSAN)
         ORDER BY IIF(:VIN = 1, 0, V.HIZUKE - DATE '2000-01-01') * :VDIR, IIF(:VIN = 1, 0, V.KESSAN) * :VDIR,
                  IIF(:VIN = 1, 0, V.SDAYNUM) * :VDIR, V.SWKNO * :VDIR, V.TAISHAKU * :VDIR
/*@ INCLUDE "../paging/journal-row-into.sqlinc" */
    BEGIN
        IF ((HIZUKE + IIF(VIN = 0 AND KESSAN = 1, 1, 0) - VPOS) * VDIR > 0
            OR (HIZUKE + IIF(VIN = 0 AND KESSAN = 1, 1, 0) = VPOS
                AND ((HIZUKE - VEDGE) * VDIR > 0 OR PSWKNO = 0 OR (SWKNO - PSWKNO) * VDIR > 0
                     OR (SWKNO = PSWKNO AND (VIN = 1 OR (TAISHAKU - PTAISHAKU) * VDIR >= 0))))) THEN
/*@ INCLUDE "../paging/page-tail.sqlinc" */

/*@ END */
SET TERM ; ^
