/* Company data 3.0.7 (medical chart): the cash-flow statement of a
   medical corporation. Each line names the business kinds it serves
   (CM_JIGYOU: bits 1, 2, 4 and 8; 15 every kind). The statement has no
   block for the translation difference of cash: its last blocks are the
   increase (group 40), the opening (50) and the closing balance (60). Its
   lines are numbered as the medical layout numbers them, which leaves 43
   and 89 free for the translation-difference lines that 4.0.0 adds. The
   names are written as their code-page 932 bytes: the Roman numerals are
   among the characters that pass the data's character set only so. */
ALTER TABLE CASHFMST ADD CM_JIGYOU INTEGER DEFAULT 15;
COMMIT;
UPDATE CASHFMST SET CM_JIGYOU=15;
DELETE FROM CASHFMKU WHERE CM_REC IN (SELECT CM_REC FROM CASHFMST WHERE CM_GROUP=40);
DELETE FROM CASHFMST WHERE CM_GROUP=40;
UPDATE CASHFMST SET CM_GROUP=40,CM_NAME1=_SJIS_0208 x'875781408CBB8BE08B7982D18CBB8BE093AF939995A882CC919D89C18A7A' WHERE CM_GROUP=50;
UPDATE CASHFMST SET CM_GROUP=50,CM_NAME1=_SJIS_0208 x'875881408CBB8BE08B7982D18CBB8BE093AF939995A882CC8AFA8EF18E638D82' WHERE CM_GROUP=60;
UPDATE CASHFMST SET CM_GROUP=60,CM_NAME1=_SJIS_0208 x'875981408CBB8BE08B7982D18CBB8BE093AF939995A882CC8AFA96968E638D82' WHERE CM_GROUP=70;
UPDATE CASHFMST SET CM_REC=CM_REC+1000 WHERE CM_REC>=43;
UPDATE CASHFMST SET CM_REC=CM_REC-999 WHERE CM_REC>=1000;
UPDATE CASHFMST SET CM_REC=CM_REC+1000 WHERE CM_REC>=89;
UPDATE CASHFMST SET CM_REC=CM_REC-999 WHERE CM_REC>=1000;
COMMIT;
