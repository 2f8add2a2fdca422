/* Company data 8.0.2: the menu rights of the data by program name (the
   conversion after the script fills it from JOBCONTROL). */
CREATE TABLE JOBCONTROL2 (
    LEVELNO INTEGER DEFAULT 200,
    PROC_ID VARCHAR(40) CHARACTER SET ASCII DEFAULT '',
    PROC_OPTION VARCHAR(80) DEFAULT ''
);
COMMIT;
