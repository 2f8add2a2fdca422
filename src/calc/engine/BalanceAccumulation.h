#pragma once
// The earlier years and budgets of scope 6, the facility x department
// accumulation, for the balance loaders of both charts (BalancePair.h for
// one pass).
//
// The caller has loaded the trial balance of the same setting into the rows
// (TrialBalanceAccumulation.h makes them for scope 6) and cleared the
// period changes and balances from the opening up to the data's start.
// Without allocation one pass adds the figures of the facilities and
// departments the setting names. With allocation (HAIBUN 1) and scope 6 the
// earlier years, budgets and actual figures are cleared again and added
// pair by pair: every facility that keeps departments crossed with every
// department of the group, each with its share of its facility's common
// department "00". The trial balance's current-year figures, codes and names
// stay. Order and OrderHigh are handed on only.
//
// Runs in the snapshot transaction, started and committed here only when
// none is active. Database errors pass on; std::out_of_range for last
// indexes beyond the arrays (before anything is changed).

#include "calc/BalanceRows.h"
#include "calc/engine/CalcSisanhyoSetting.h"
#include "foundation/KeySort.h"

#include <span>

void AccumulateBalances(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                        TCalcSisanhyoSettingRec Setting);
