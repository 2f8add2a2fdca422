/* System database 11.0.1, era table: the era Reiwa from 2019/05/01. The
   installation's script files are kept in ASCII, so the era name is written
   as its UTF-8 bytes with their character set named. */
DELETE FROM GENGO WHERE GSign='R';
INSERT INTO GENGO(GName,GSign,StartDate,YearOffSet) VALUES(_UTF8 x'E4BBA4E5928C','R','2019/05/01',2019);
COMMIT;
