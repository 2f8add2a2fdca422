#pragma once
// One pass of the facility x department earlier years and budgets: for the
// facilities and departments a setting names, the balances of the two
// earlier fiscal years and of the current year's periods before the data's
// start (KAKOZAN), and the budgets and actual figures of the
// profit-and-loss accounts (KAMOKU_MS), added into the account rows, and
// their sub-accounts, that the trial balance of the same setting made.
// Figures that find no such row are dropped; no row or order entry is made.
//
// KAKOZAN's NENDO 0 is the current year before the data's start, 1 the
// previous year, 2 the year before. A year's opening goes into
// OpeningByYear[NENDO + 1] (NENDO 0 also into [0], NENDO 2 also into
// PeriodBalance[-32]); its movements into PeriodChange and PeriodBalance
// from index 1 (NENDO 0, the periods before the start), -15 (NENDO 1) or
// -31 (NENDO 2). Years other than 0 to 2 and periods other than 1 to 16
// have no place and are passed over. A year shorter than twelve months
// keeps its periods up to its last one and shows the rest of its movement
// in its settlement period.
//
// With allocation (HAIBUN 1) a pass of one department adds the weighted
// share of the same year of its facility's common department "00", by the
// ratios of the pair's own KAKOZAN row of the year (the opening always by
// the first one); the pass of "00" keeps only its weighted shares. The
// settlement layouts (3, 4) with ZENTAX 0 read every year in the previous
// year's tax mode; a credit-side account on a settlement line that also
// holds debit-side accounts takes its BLDAC as the line's side and adds its
// years with the sign reversed (its budgets keep their sign).
//
// Runs in the snapshot transaction IBTransactionDATSS, started and
// committed here only when none is active. Database errors pass on;
// std::out_of_range for last indexes beyond the arrays.

#include "calc/BalanceRows.h"
#include "calc/engine/CalcSisanhyoSetting.h"
#include "foundation/KeySort.h"

#include <span>

void BuildBalancePair(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                      const TCalcSisanhyoSettingRec& Setting);
