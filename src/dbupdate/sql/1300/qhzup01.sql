/* Company data 13.0.0: a rule of the statement import may replace the
   summary by a field of the statement line (FTEKIYOA_TIKAN_FIELD7: 0 none,
   else the field's number). Update 14.0.0 runs the files of this version
   once more on data that lacks the column, so they only add what is
   missing. */
SET TERM ^ ;
EXECUTE BLOCK AS
BEGIN
    IF (NOT EXISTS (SELECT 1 FROM RDB$RELATION_FIELDS
                     WHERE RDB$RELATION_NAME = 'MEISAI_JYOKEN_RULE'
                       AND RDB$FIELD_NAME = 'FTEKIYOA_TIKAN_FIELD7')) THEN
        EXECUTE STATEMENT 'ALTER TABLE MEISAI_JYOKEN_RULE ADD FTEKIYOA_TIKAN_FIELD7 INTEGER DEFAULT 0';
END ^
SET TERM ; ^
COMMIT;
UPDATE MEISAI_JYOKEN_RULE SET FTEKIYOA_TIKAN_FIELD7=COALESCE(FTEKIYOA_TIKAN_FIELD7,0);
COMMIT;
