SET TERM ^ ;
/* The journal monitor pages through the debit rows of the facility PSCODE
   (a blank code is the facility ' ' of data without facility books), fifty
   entries at a time unless PLIMIT asks for more: LISTUP backwards from the
   position, starting at the facility's newest entry when PSWKREC is 0,
   LISTDOWN forwards. The position is the facility number PSWKNO and the
   entry PSWKREC at it; rows come in facility number order, the row number
   breaking ties. PDELFLG1 -1 takes every row, else the rows whose DELFLG is
   one of PDELFLG1 to 3. POFFSET passing rows are skipped; RECORDCNT counts
   the passing rows, and the first passing row beyond the page ends the
   read. */
/*@ INCLUDE "../paging/monitor-by-position.sqlinc" WITH K = SITREC, N = 112, T = 400, S = 160 */
SET TERM ; ^
