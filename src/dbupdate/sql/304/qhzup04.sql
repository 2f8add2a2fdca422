/* Company data 3.0.4: the account's own sub-account row (HCODE ' ')
   follows the account's tax codes and balance-sheet flag when they change,
   so the cash-book exchange, which reads the sub-accounts, sends what the
   account says. Data that has the trigger already leaves this file out. */
SET TERM ^ ;
CREATE TRIGGER KAMOKUMST_AFTER_UPDATE2 FOR KAMOKUMST
ACTIVE AFTER UPDATE POSITION 2
AS
BEGIN
    IF ((NEW.TAX_LCODE IS DISTINCT FROM OLD.TAX_LCODE) OR (NEW.TAX_RCODE IS DISTINCT FROM OLD.TAX_RCODE)
        OR (NEW.BPFLG IS DISTINCT FROM OLD.BPFLG)) THEN
        UPDATE HOJOMST SET TAX_LCODE = NEW.TAX_LCODE, TAX_RCODE = NEW.TAX_RCODE, BPFLG = NEW.BPFLG
        WHERE KCODE = NEW.KCODE AND HCODE = ' ';
END ^
SET TERM ; ^
COMMIT;
