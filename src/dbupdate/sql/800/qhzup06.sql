/* Company data 8.0.0, My Number: the management log of the data. Every
   access to My Number information that matters leaves a row: when
   (FHIZUKE), on which installation (FSERIAL) and by which operator
   (FOPCODE, the logon code as text; FOPNAME) on which computer (FHOST),
   the kind of the event (FSTATE), the process and a comment. The moment,
   the installation and the operator identify a row: a second row of the
   same operator at the same moment is refused, and the program stamps it
   again. */
CREATE TABLE MYNUMBER_LOG (
    FHIZUKE TIMESTAMP NOT NULL,
    FSERIAL VARCHAR(40) CHARACTER SET ASCII NOT NULL,
    FOPCODE VARCHAR(10) CHARACTER SET ASCII NOT NULL,
    FOPNAME VARCHAR(20) DEFAULT '',
    FHOST VARCHAR(60) DEFAULT '',
    FSTATE SMALLINT DEFAULT 0,
    FPROCNAME VARCHAR(40) DEFAULT '',
    FCOMMENT VARCHAR(100) DEFAULT '',
    CONSTRAINT PK_MYNUMBER_LOG PRIMARY KEY (FHIZUKE, FSERIAL, FOPCODE)
);
COMMIT;
