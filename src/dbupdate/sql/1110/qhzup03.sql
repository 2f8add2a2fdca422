/* Company data 11.1.0, the tax reform of October 2019: an account and a
   sub-account carry their tax-rate class (0 the standard rate), which the
   journal entry reads with the account. Columns an older update already
   added are left as they are. */
SET TERM ^ ;
EXECUTE BLOCK AS
BEGIN
/*@ FOR T IN KAMOKUMST, HOJOMST */
    IF (NOT EXISTS (SELECT 1 FROM RDB$RELATION_FIELDS
                     WHERE RDB$RELATION_NAME = '{T}' AND RDB$FIELD_NAME = 'ZEIRITUKBN')) THEN
        EXECUTE STATEMENT 'ALTER TABLE {T} ADD ZEIRITUKBN INTEGER DEFAULT 0';
/*@ END */
END ^
SET TERM ; ^
COMMIT;
UPDATE KAMOKUMST SET ZEIRITUKBN=COALESCE(ZEIRITUKBN,0);
UPDATE HOJOMST SET ZEIRITUKBN=COALESCE(ZEIRITUKBN,0);
COMMIT;
