/*
 * Turns an individual's books (qhacc.sql, then qhacc-chart-individual.sql)
 * into an individual's books on the real-estate code type (CODETYPE 2):
 * the initial data "acc22". The accounts are the individual chart's; the
 * updates choose their rows for this code type.
 */

UPDATE ACCDEF1 SET CODETYPE = 2 WHERE REC = 1;
COMMIT;
