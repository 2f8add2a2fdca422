/* System database 8.0.2: the menu rights of a processing level are kept as
   the programs it may start (program id and start option) instead of old
   menu positions. The program fills the table from JOBCONTROL after this
   script. */
CREATE TABLE JOBCONTROL2 (
    LEVELNO INTEGER NOT NULL,
    PROC_ID VARCHAR(64) CHARACTER SET ASCII NOT NULL,
    PROC_OPTION VARCHAR(254) DEFAULT ''
);
COMMIT;
