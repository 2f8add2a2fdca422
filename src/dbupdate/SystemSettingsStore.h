#pragma once
// The system-database settings the program-side steps of the system
// updates read and write: the numbered records of SYSTEMINI and the typed
// per-operator settings of SYSREG, through the data module's own stores
// (SystemIniStore.h, SysRegStore.h). They run on the data module's system
// connection, which the caller has opened, in its ordinary transaction:
// joined when the caller has one running, else started and committed here
// (rolled back when the call fails). Database errors propagate as
// db::FbError, unreported; the caller decides what a failure means for its
// update.

#include "foundation/SettingsRecords.h"

#include <cstdint>
#include <string>

namespace sysupdate {

// Clears the record but for REC and fills it from the row REC; a missing
// row leaves zeros and an empty text.
void GetSysIni(TSystemIniRec& rec);
// Updates the row REC, or inserts it when there is none.
void SetSysIni(const TSystemIniRec& rec);

// The operator's integer setting ("整数"); a missing setting is inserted
// with the default text and the default read. A text that is no integer
// reads as 0.
std::int32_t GetSysRegInteger(const std::string& key, std::int32_t opcode, const std::string& defaultText);
// Writes the operator's integer setting ("整数"): the stored type of an
// existing row stays as it is.
void PutSysRegInteger(const std::string& key, std::int32_t opcode, std::int32_t value);

}  // namespace sysupdate
