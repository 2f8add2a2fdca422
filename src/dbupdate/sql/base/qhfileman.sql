/*
 * The file-manager database "qhfileman.fdb" as the accounting package
 * delivers it. It lies beside the system database on the database server
 * and only carries backup files between a client and the server: the
 * client stores a file's bytes in a row and the server writes them to its
 * own disk, or the other way round.
 *
 * The builder creates the database (page size 16384, default character set
 * SJIS_0208) and runs this script through isql-fb against it, stopping at
 * the first failed statement. The file is UTF-8 and runs with the
 * connection character set UTF8.
 *
 * The functions SP_FILETOBLOB (a server file's bytes as a blob) and
 * SP_BLOBTOFILE (a blob written to a server file) read and write the
 * server's file system, which PSQL cannot: the script that installs the
 * UDR module declares them.
 */

/* One backup file in transit, keyed by its content id ("QHZ_" and the
   operator code): the transfer deletes the row, inserts the content, reads
   it back and deletes it again. */
CREATE TABLE FILETRANS (
    CONTENT_ID VARCHAR(40) CHARACTER SET ASCII NOT NULL,
    CONTENT BLOB SUB_TYPE BINARY,
    CONSTRAINT PK_FILETRANS PRIMARY KEY (CONTENT_ID)
);

COMMIT;
