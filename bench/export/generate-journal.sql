/* One block of the benchmark's journal: entries {N} * 25,000 to
   ({N} + 1) * 25,000 - 1, two lines each, posted through the journal
   table's triggers. The benchmark runs it for {N} = 0 to 19. Every entry
   moves an amount (half a yen on odd entries) from one generated
   sub-account to another in one of the sixteen periods; every third carries
   10 % consumption tax paid on its debit side. */

SET TERM ^ ;
EXECUTE BLOCK AS
DECLARE E INTEGER;
DECLARE D INTEGER;
DECLARE C INTEGER;
DECLARE M INTEGER;
DECLARE NUK NUMERIC(16,4);
DECLARE ZEI NUMERIC(16,4);
BEGIN
    E = {N} * 25000;
    WHILE (E < ({N} + 1) * 25000) DO
    BEGIN
        D = MOD(E, 10000);
        C = MOD(E * 7 + 3, 10000);
        M = 1 + MOD(E, 16);
        NUK = 1000 + MOD(E, 97) * 10 + 0.5 * MOD(E, 2);
        ZEI = IIF(MOD(E, 3) = 0, NUK / 10, 0);
        INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM, TAXUH, NUK, ZEI)
        VALUES (2 * :E + 1, :E + 1, :E + 1, 0, 1, ' ', 'B' || LPAD(1 + MOD(:D, 347), 4, '0'),
                'H' || LPAD(:D, 5, '0'), ' ', :M, IIF(:ZEI <> 0, 2, 0), :NUK, :ZEI);
        INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM, TAXUH, NUK, ZEI)
        VALUES (2 * :E + 2, :E + 1, :E + 1, 0, 2, ' ', 'B' || LPAD(1 + MOD(:C, 347), 4, '0'),
                'H' || LPAD(:C, 5, '0'), ' ', :M, 0, :NUK + :ZEI, 0);
        E = E + 1;
    END
END ^
SET TERM ; ^
COMMIT;
