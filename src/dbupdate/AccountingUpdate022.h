#pragma once
// What accounting update 0.2.2 (the account group column, the account view
// and the balance, budget and trial-balance procedures rebuilt on it, the
// breakdown-statement tables) is made of: each function adds its lines to
// the unit's script where the unit's order puts them.

#include "dbupdate/UpdateUnit.h"

#include <string>

namespace accupdate022 {

// The first block up to its procedures: the chart settings table, the
// cash-flow line 85, the fixed-asset journal settings and their rebuild,
// the blue-return changes, KAMOKUMST.GROUPM0, the sixteen procedure drops
// and the view's drop, and the view recreated.
void AddFirstBlockSchema(TUpdateScript& script);

// Inside the first block's "SET TERM ^ ;": SP_BUMONKAISIZAN_COUNT,
// SP_BUMONKAISIZAN_LIST, SP_KAISIZAN_LIST, SP_KAISIZAN_COUNT,
// SP_KANENDOZAN_YOMIKOMI.
void AddOpeningBalanceProcedures(TUpdateScript& script);

// Inside the same block, last: SP_KANENDO_BUMON_GROUPZANDAKA.
void AddGroupPriorYearProcedure(TUpdateScript& script);

// The same procedure text under another verb ("ALTER" for a later update
// that changes the procedure in place).
void AddGroupPriorYearProcedure(TUpdateScript& script, const std::string& verb);

// The second block's procedures: SP_KANENDO_BUMON_ZANDAKA,
// SP_KANENDO_ZANDAKA, SP_MB_SELECT_KANENDOZAN, SP_MB_SELECT_YOSAN,
// SP_MB_SELECT_YOSOKU, SP_MB_UPDATE_JISSEKIYOSAN.
void AddPriorYearAndBudgetProcedures(TUpdateScript& script);

// The third block's procedures, in this order: SP_SISANHYO_BUMON and
// SP_SISANHYO_BUMON_GROUP (AddDepartmentTrialBalanceProcedures),
// SP_YOSAN_READ (AddBudgetReadProcedure), SP_ZENKURI and the altered
// SP_KS_INSSETSWK_CALL_SISETU (AddCarryForwardAndAssetProcedures).
void AddDepartmentTrialBalanceProcedures(TUpdateScript& script);
void AddBudgetReadProcedure(TUpdateScript& script);
void AddCarryForwardAndAssetProcedures(TUpdateScript& script);

// The breakdown-statement tables.
void AddBreakdownTables(TUpdateScript& script);

}  // namespace accupdate022
