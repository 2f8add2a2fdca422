/* Company data 3.0.0: the lines of the settlement statements say whether
   the user may rename them (KNAMELOCK 1: the name is fixed). */
ALTER TABLE EXTERKS ADD KNAMELOCK INTEGER DEFAULT 0;
COMMIT;
UPDATE EXTERKS SET KNAMELOCK=0;
COMMIT;
