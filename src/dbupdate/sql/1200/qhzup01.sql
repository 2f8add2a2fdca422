/* Company data 12.0.0: the data may be made read-only (1), and the
   operators' favourite menu entries of the data (the editions remove one
   program's entries in this update). */
ALTER TABLE ACCDEF1 ADD READ_ONLY INTEGER DEFAULT 0;
COMMIT;
UPDATE ACCDEF1 SET READ_ONLY=0;
COMMIT;
CREATE TABLE OPMENU (
    OPCODE INTEGER NOT NULL,
    CLASS VARCHAR(40) CHARACTER SET ASCII NOT NULL
);
COMMIT;
