#pragma once
// One pass of the facility x department trial balance: the accounts of the
// facilities and departments a setting names, read straight from the
// per-facility balance tables (KAMOKU_SZ, KAMOKU_MS, KAMOKU_TAX) instead of
// the trial-balance procedures, into the balance rows and order entries.
//
// The first pass makes the rows: in the all-accounts layout (0) one row per
// account with its sub-accounts, in the fixed-form and settlement layouts
// (1 and 2 the A4 and A3 lines of EXTERA4 and EXTERA3, 3 and 4 the lines
// of EXTERKS) one row per line with every account of the line added in.
// Later passes only add into the rows the first pass made and skip what
// has none. Account rows start at 51, at 61 for medical-corporation data
// (DATATYPE 3).
//
// With allocation (HAIBUN 1) a pass of one department adds the weighted
// share of the common department "00" of its facility, by the ratios of
// the account's balance row of the pair (KAMOKU_SZ.HAIBUN01 to HAIBUN16);
// the pass of "00" itself keeps only its weighted shares. An account's
// opening takes the ratio numbered KAISINO, and only when KAISINO is above
// 1 or the data keeps department tax (BUMON 2); a sub-account's opening
// always does.
//
// Runs in the snapshot transaction IBTransactionDATSS, started and
// committed here only when none is active. Database errors pass on;
// TTrialBalanceError when the first pass needs more rows than RowsHigh or
// OrderHigh allow (nothing is written past them).

#include "calc/BalanceRows.h"
#include "calc/engine/CalcSisanhyoSetting.h"
#include "foundation/KeySort.h"

#include <span>

// Returns the last row the pass made (one before the first account row
// when it made none); std::out_of_range for last indexes beyond the arrays.
int BuildTrialBalancePair(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                          const TCalcSisanhyoSettingRec& Setting, bool FirstPass);
