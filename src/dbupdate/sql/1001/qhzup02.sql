/* Company data 10.0.1: the rules of the import of bank statement files
   (one row a rule; the conditions grow with the later updates). */
CREATE TABLE MEISAI_JYOKEN_RULE (
    REC INTEGER NOT NULL,
    RULENAME VARCHAR(40) DEFAULT '',
    CONSTRAINT PK_MEISAI_JYOKEN_RULE PRIMARY KEY (REC)
);
COMMIT;
