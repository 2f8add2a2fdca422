/*
 * Turns a company database built from qhacc.sql into a medical
 * corporation's books (data type 3, code type 1: the medical chart). Run
 * after qhacc.sql, before any update. The medical chart names the profit
 * brought forward "前期繰越利益" and looks up the personnel accounts
 * "給料", "賞与", "賞与引当金繰入額" and "退職給付費用" by name.
 */

UPDATE ACCDEF1 SET DATATYPE = 3, CODETYPE = 1 WHERE REC = 1;

UPDATE KAMOKUMST SET KNAME = '前期繰越利益' WHERE KCODE = '3302';
UPDATE KAMOKUMST SET KNAME = '給料' WHERE KCODE = '6102';

/* The account trigger adds the own sub-account row; the balance row of the
   company facility (and with it the period rows) is added here, as the
   facility trigger does for accounts that exist when a facility is made. */
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC)
VALUES ('6114', '6114', '賞与引当金繰入額', '6100', '6100', 'P', 4);
INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC)
VALUES ('6115', '6115', '退職給付費用', '6100', '6100', 'P', 4);
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE)
SELECT S.SCODE, K.KCODE, ' ', ' ' FROM SISETUMST S CROSS JOIN KAMOKUMST K WHERE K.KCODE IN ('6114', '6115');

DELETE FROM ACCDEF2 WHERE KNAME = '繰越利益剰余金';
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('3302', '前期繰越利益');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('6102', '給料');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('6103', '賞与');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('6114', '賞与引当金繰入額');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('6115', '退職給付費用');

COMMIT;
