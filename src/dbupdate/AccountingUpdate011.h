#pragma once
// What accounting update 0.1.1 (fixed assets, journal and master
// triggers) is made of: each function adds its lines to the unit's script
// where the unit's order puts them.

#include "dbupdate/UpdateUnit.h"

namespace accupdate011 {

// The five fixed-asset tables in the order KS_SETSWK_INIT, KS_SETSWK,
// KS_SISAN, KS_BUMONHB, KS_DAICHO, with their foreign keys; each numbering
// trigger stands in its own block opened by "SET TERM ^;" and closed by
// "SET TERM ;^".
void AddFixedAssetTables(TUpdateScript& script);

// Inside the unit's "SET TERM ^ ;" block: SP_KS_INSSETSWK,
// SP_KS_INSSETSWK_CALL_SISETU, SP_KS_INSSETSWK_CALL_KAMOKU,
// SP_KS_BUMONHB_REC_ADD, SP_KS_BUMONHB_ADD, SP_KS_SISAN_SYUFUKU_HAIBUNRITU.
void AddFixedAssetProcedures(TUpdateScript& script);

// Inside the same block: SP_KS_DAICHO_UPDATE.
void AddAssetBookProcedure(TUpdateScript& script);

// Inside the same block: SIWAKE_AFTER_INSERT and SIWAKE_AFTER_UPDATE.
void AddJournalTriggers(TUpdateScript& script);

// Inside the same block: SISETUMST_AFTER_INSERT and KAMOKUMST_AFTER_INSERT.
void AddMasterTriggers(TUpdateScript& script);

// The 35 initial KS_SETSWK_INIT rows of data type 1, "Commit;", the 35 of
// data type 2, "Commit;".
void AddInitialJournalSettings(TUpdateScript& script);

// A one-time procedure that gives every facility of SISETUMST its journal
// settings from the initial rows: created, run, committed, dropped.
void AddExistingFacilitySettings(TUpdateScript& script);

// Inside a "SET TERM ^ ;" block of its own: SP_MB_SELECT_SYUGYOU altered.
void AddHeadCountProcedure(TUpdateScript& script);

}  // namespace accupdate011
