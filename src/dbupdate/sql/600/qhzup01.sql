/* Company data 6.0.0: opening balances with tax and without tax
   (KISHU_KOMI, KISHU_NUKI) beside the opening balance as entered, and
   the bulk tax exclusion of each period's debits and credits. An opening
   balance carries no tax of its own, so both start as the balance
   entered. */
ALTER TABLE KAMOKU_SZ ADD KISHU_KOMI CURRENCY DEFAULT 0, ADD KISHU_NUKI CURRENCY DEFAULT 0;
ALTER TABLE KAMOKU_MS ADD KAR_IKKATSU CURRENCY DEFAULT 0, ADD KAS_IKKATSU CURRENCY DEFAULT 0;
COMMIT;
UPDATE KAMOKU_SZ SET KISHU_KOMI=KAISIZAN, KISHU_NUKI=KAISIZAN;
UPDATE KAMOKU_MS SET KAR_IKKATSU=0, KAS_IKKATSU=0;
COMMIT;
