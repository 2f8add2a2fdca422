/* Company data 3.0.7: a balance row that goes takes its period rows with
   it. The program gives every data set the trigger, empty, before this
   script runs. */
SET TERM ^ ;
ALTER TRIGGER KAMOKUSZ_AFTER_DELETE2
ACTIVE AFTER DELETE POSITION 0
AS
BEGIN
    DELETE FROM KAMOKU_MS
    WHERE SCODE = OLD.SCODE AND KCODE = OLD.KCODE AND HCODE = OLD.HCODE AND BCODE = OLD.BCODE;
    DELETE FROM KAMOKU_PZ
    WHERE SCODE = OLD.SCODE AND KCODE = OLD.KCODE AND HCODE = OLD.HCODE AND BCODE = OLD.BCODE;
END ^
SET TERM ; ^
COMMIT;
