/* The large company of the export benchmark, run by isql-fb on a copy of
   the corporation master: 2,000 accounts in all, of which the first 347
   generated ones are in use beside the chart's own (the trial balance holds
   at most 449 accounts in use), 10,000 sub-accounts over the generated
   accounts in use, and 1,000,000 journal lines (500,000 entries) posted
   through the journal table's triggers by generate-journal.sql. */

SET TERM ^ ;

EXECUTE BLOCK AS
DECLARE I INTEGER = 1;
DECLARE K VARCHAR(6);
DECLARE G INTEGER;
BEGIN
    WHILE (I <= 1907) DO
    BEGIN
        K = 'B' || LPAD(I, 4, '0');
        G = MOD(I, 4);
        INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, DAC, BPFLG, USE)
        VALUES (:K, :K, '生成科目' || :I,
                DECODE(:G, 0, '1300', 1, '2100', 2, '4100', '6100'),
                DECODE(:G, 0, '1100', 1, '2100', 2, '4100', '6100'),
                :G + 1, IIF(:G < 2, 'B', 'P'), IIF(:I <= 347, 1, 0));
        I = I + 1;
    END
END ^

EXECUTE BLOCK AS
DECLARE J INTEGER = 0;
BEGIN
    WHILE (J < 10000) DO
    BEGIN
        INSERT INTO HOJOMST (KCODE, HCODE, HNAME)
        VALUES ('B' || LPAD(1 + MOD(:J, 347), 4, '0'), 'H' || LPAD(:J, 5, '0'), '補助' || :J);
        J = J + 1;
    END
END ^

SET TERM ; ^
COMMIT;

