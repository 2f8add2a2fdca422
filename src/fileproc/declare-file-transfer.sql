/*
 * Declares the transfer functions of the file-manager database; the module
 * "ledrix_fileproc" must lie in the folder the server's UDR configuration
 * names (the root's plugins/udr). Paths are UTF8 texts: the engine converts
 * the clients' SJIS_0208 texts, and the module hands the file system UTF-8.
 */
SET TERM ^ ;

CREATE OR ALTER FUNCTION SP_FILETOBLOB (
    FILENAME VARCHAR(1024) CHARACTER SET UTF8)
RETURNS BLOB SUB_TYPE BINARY
EXTERNAL NAME 'ledrix_fileproc!filetoblob'
ENGINE UDR^

CREATE OR ALTER FUNCTION SP_BLOBTOFILE (
    FILENAME VARCHAR(1024) CHARACTER SET UTF8,
    CONTENT BLOB SUB_TYPE BINARY)
RETURNS INTEGER
EXTERNAL NAME 'ledrix_fileproc!blobtofile'
ENGINE UDR^

SET TERM ; ^

COMMIT;
