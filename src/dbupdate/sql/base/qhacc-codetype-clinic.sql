/*
 * Turns an individual's books (qhacc.sql, then qhacc-chart-individual.sql)
 * into an individual clinic's books (CODETYPE 3): the initial data
 * "acc23". The accounts are the individual chart's; the updates choose
 * their rows for this code type.
 */

UPDATE ACCDEF1 SET CODETYPE = 3 WHERE REC = 1;
COMMIT;
