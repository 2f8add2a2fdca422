#pragma once
// The operator's settings in the system database: the SYSDEF row, the
// system variables (SYSREG), the office and facility-rights records
// (SYSTEMINI 10 and 20), the system database's version and the era table.
// fnGetSysDef loads them into SystemDef after the logon, creating the
// operator's row with its defaults on first use; fnPutSysDef writes them
// back. They run on the data module's system connection.

// Loads SystemDef. A failure is reported ("TDM.fnGetSysDef",
// "システム情報の取得に失敗しました。\rアプリケーションを終了します。"), what
// the call wrote is rolled back, and the result is false.
bool fnGetSysDef();
// Writes the SYSDEF row, then the system variables (each in a transaction
// of its own). A failure of the row is reported ("TDM.fnPutSysDef") and
// gives false. The column Shouhyou, which the accounting package keeps in
// the same row, is left as it is stored.
bool fnPutSysDef();

// The newest row of VERSION into SystemDef.SysDbVersion; no row leaves it,
// a failure makes it 0.0.0.
void GetSysDbVersion();
// The era table from GENGO, newest first; the built-in eras when it has no
// rows or cannot be read.
void LoadGengo();
