/*
 * Declares the server's file procedures of the system database; the module
 * "ledrix_fileproc" must lie in the folder the server's UDR configuration
 * names (the root's plugins/udr). Paths are UTF8 texts: the engine converts
 * the clients' SJIS_0208 texts, and the module hands the file system UTF-8.
 */
SET TERM ^ ;

CREATE OR ALTER PROCEDURE FILEOPERATION (
    MODE VARCHAR(16) CHARACTER SET UTF8,
    FILEPATH1 VARCHAR(1024) CHARACTER SET UTF8,
    FILEPATH2 VARCHAR(1024) CHARACTER SET UTF8)
RETURNS (
    WBOOL INTEGER)
EXTERNAL NAME 'ledrix_fileproc!fileoperation'
ENGINE UDR^

CREATE OR ALTER PROCEDURE DIRECTORYTEST (
    MODE VARCHAR(16) CHARACTER SET UTF8,
    FILEPATH1 VARCHAR(1024) CHARACTER SET UTF8)
RETURNS (
    WBOOL INTEGER)
EXTERNAL NAME 'ledrix_fileproc!directorytest'
ENGINE UDR^

CREATE OR ALTER PROCEDURE LONGTOSHORTFILENAME (
    LONGNAME VARCHAR(1024) CHARACTER SET UTF8)
RETURNS (
    SHORTNAME VARCHAR(1024) CHARACTER SET UTF8)
EXTERNAL NAME 'ledrix_fileproc!longtoshortfilename'
ENGINE UDR^

SET TERM ; ^

COMMIT;
