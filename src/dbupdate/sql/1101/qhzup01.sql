/* Company data 11.0.1, cloud sharing: the data's cloud-share area (0 none,
   1 to 10 an area of its communication ID) and the stamp of the copy it
   was last sent or fetched as. */
ALTER TABLE ACCDEF1
    ADD CLOUD_LINE INTEGER DEFAULT 0,
    ADD CLOUD_TIME TIMESTAMP;
COMMIT;
UPDATE ACCDEF1 SET CLOUD_LINE=0;
COMMIT;
