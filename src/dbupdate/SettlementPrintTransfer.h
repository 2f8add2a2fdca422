#pragma once
// The print settings of the settlement reports move into the company data
// (KESSAN row 1) once, in update 9.0.4. Corporation data takes the settings
// of the operator who runs the update; the other kinds but medical
// corporations get zeros; medical-corporation data is left alone. Without a
// row 1 nothing changes.

#include "dbupdate/AccountingLaterUnits.h"

#include <array>
#include <cstdint>

namespace accupdate {

// ZEROKAMOKUPRINT, ZEROPRINT, SONSHITUSANKAKU, SOTOWAKUKAHEN,
// FUSAINOBUKAIPAGE, HANBAIHIKUMIIRE, TEGATASOSAI for the data kind, from
// the logged-on operator's settings in SystemDef.
std::array<std::int32_t, 7> SettlementPrintValues(std::int32_t dataType);

void CopySettlementPrintSettings(const TDataFixContext& context);

}  // namespace accupdate
