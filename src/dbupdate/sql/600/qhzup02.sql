/* Company data 6.0.0: the balances of the earlier fiscal years by year
   (NENDO), facility, department, account and sub-account, with tax
   (KOMIZAN), without tax (NUKIZAN), bulk tax exclusion (IKKATSU) and
   allocation ratio (HAIBUN) for each of the 16 periods. TRIGGER_SWITCH 1
   marks a row that the past-balance triggers must leave alone. */
CREATE TABLE KAKOZAN (
    NENDO INTEGER NOT NULL,
    SCODE AC_CODE NOT NULL,
    BCODE AC_CODE NOT NULL,
    KCODE AC_CODE NOT NULL,
    HCODE AC_CODE NOT NULL,
    KISHU CURRENCY DEFAULT 0,
    /*@ FOR N IN 1..16 */
    KOMIZAN_{N} CURRENCY DEFAULT 0,
    NUKIZAN_{N} CURRENCY DEFAULT 0,
    IKKATSU_{N} CURRENCY DEFAULT 0,
    HAIBUN_{N} CURRENCY DEFAULT 100,
    /*@ END */
    TRIGGER_SWITCH INTEGER DEFAULT 0,
    CONSTRAINT PK_KAKOZAN PRIMARY KEY (NENDO, SCODE, BCODE, KCODE, HCODE)
);
COMMIT;
