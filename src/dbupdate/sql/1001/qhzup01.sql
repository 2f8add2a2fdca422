/* Company data 10.0.1: the data keeps its version history. Every stamp of
   a new version into row 1 of ACCVERSION leaves a row of its own with the
   version and MEMO it wrote (REC 2 on); the readers take the highest
   version of all rows, which is row 1's. */
SET TERM ^ ;
CREATE TRIGGER ACCVERSION_AFTER_UPDATE FOR ACCVERSION
ACTIVE AFTER UPDATE POSITION 0
AS
DECLARE VARIABLE VREC INTEGER;
BEGIN
    IF (NEW.REC = 1 AND (NEW.MAJOR IS DISTINCT FROM OLD.MAJOR OR NEW.MINOR1 IS DISTINCT FROM OLD.MINOR1
                         OR NEW.MINOR2 IS DISTINCT FROM OLD.MINOR2)) THEN
    BEGIN
        SELECT COALESCE(MAX(REC), 1) + 1 FROM ACCVERSION INTO :VREC;
        INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO)
        VALUES (:VREC, NEW.MAJOR, NEW.MINOR1, NEW.MINOR2, NEW.MEMO);
    END
END ^
SET TERM ; ^
COMMIT;
