/*
 * Turns a company database built from qhacc.sql into an individual's
 * books (data type 2, general code type 1). Run after qhacc.sql, before
 * any update. The chart keeps every account code the fixed-asset settings
 * of the updates refer to; for individuals two of them are the owner's
 * accounts: 1608 the owner's drawings (事業主貸, where the asset losses go)
 * and 2205 the owner's contributions (事業主借, where the asset gains go).
 */

UPDATE ACCDEF1 SET DATATYPE = 2, CODETYPE = 1 WHERE REC = 1;

UPDATE KAMOKUMST SET KNAME = '事業主貸' WHERE KCODE = '1608';
UPDATE KAMOKUMST SET KNAME = '事業主借', GROUPM1 = '3100', GROUPM2 = '3100' WHERE KCODE = '2205';
UPDATE KAMOKUMST SET KNAME = '元入金' WHERE KCODE = '3101';

/* An individual's sheet has no balancing retained-earnings account: its
   income is the computed total of the net assets. The corporation's
   retained earnings stays an ordinary account of the earnings reserve. */
UPDATE KAMOKUMST SET GROUPM2 = '3300' WHERE KCODE = '3302';

/* The owner's accounts are found by name like the other system accounts. */
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1608', '事業主貸');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2205', '事業主借');
INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('3101', '元入金');

COMMIT;
