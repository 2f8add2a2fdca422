#pragma once
// The numbered system records of the system database (SYSTEMINI), on the
// data module's system connection. Inside a caller's transaction a failure
// goes to the caller as it is; otherwise it is reported
// ("TDM.GetSysIni" / "TDM.SetSysIni"), the call's transaction is rolled back
// and the result is false.

#include "foundation/SettingsRecords.h"

// Clears RESERVE1-RESERVE5 and SSTR and fills them from the row REC when
// exactly one row has it. True unless an error occurred.
bool GetSysIni(TSystemIniRec& rec);
// Updates the row REC, or inserts it when there is none; true on success.
bool SetSysIni(const TSystemIniRec& rec);
