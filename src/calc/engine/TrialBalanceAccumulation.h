#pragma once
// The trial balance of scope 6, the facility x department accumulation,
// for the loaders of both charts (TrialBalancePair.h for one pass).
//
// Without allocation it is one pass over the facilities and departments
// the setting names: from the loaders the departments of the group BCODE
// over every facility. With allocation (HAIBUN 1) and scope 6 the rows that
// pass made keep their codes, names, keys and sub-account lists but lose
// their figures, and are filled again pair by pair: every facility that
// keeps departments (SISETUMST.BUMEX 1) crossed with every department of
// the group, each pair with its share of its facility's common department
// "00".
//
// The caller has cleared the rows and preset the order entries
// (InitBalanceRows) and sorts the order entries afterwards. Runs in the
// snapshot transaction, started and committed here only when none is
// active. Database errors and TTrialBalanceError (more accounts than rows)
// pass on.

#include "calc/BalanceRows.h"
#include "calc/engine/CalcSisanhyoSetting.h"
#include "calc/engine/TrialBalanceContext.h"
#include "foundation/KeySort.h"

#include <span>

// Returns the last row the first pass made.
int AccumulateTrialBalance(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                           TCalcSisanhyoSettingRec Setting);

// The setting a trial-balance load hands over for scope 6: no facility code
// (an empty facility group, so every facility), the load's BCODE as the
// department group, and its scope, tax mode, allocation, layout, selector
// and ZENTAX; no business kind.
TCalcSisanhyoSettingRec FacilityDepartmentSetting(const TTrialBalanceContext& load);
