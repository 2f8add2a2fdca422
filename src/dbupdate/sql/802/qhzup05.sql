/* Company data 8.0.2, budget management: the accounts that make up the
   analysis groups (tax, depreciation, loan repayments, inventories), the
   budget/actual evaluation rules per account group. The accounts'
   evaluation rates (KAMOKUMST.NAVIGORE_YOJITU_*) came with 2.0.0 and keep
   their values. The data fixes after the script seed them. */
CREATE TABLE KAMOKU_KOSEI_GROUP (
    GROUPNAME VARCHAR(40) NOT NULL,
    KCODE VARCHAR(6) CHARACTER SET ASCII NOT NULL,
    RESERVE VARCHAR(1) DEFAULT ' '
);
CREATE TABLE NAVIGORE_YOJITU_HYOKARULE (
    GCODE VARCHAR(6) CHARACTER SET ASCII NOT NULL,
    GNAME VARCHAR(40) DEFAULT '',
    RATE1 NUMERIC(9,4) DEFAULT 0,
    KIND1 INTEGER DEFAULT 0,
    RATE2 NUMERIC(9,4) DEFAULT 0,
    KIND2 INTEGER DEFAULT 0,
    CONSTRAINT PK_NAVIGORE_YOJITU_HYOKARULE PRIMARY KEY (GCODE)
);
COMMIT;
