#pragma once
// The standard layout of the cash-flow statement: its 102 lines (CASHFMST)
// and the 491 rows that map accounts onto them (CASHFMKU). Update 0.1.4
// writes it after dropping the per-facility line table, and a later update
// writes the same layout again; both go through AddCashFlowReseed.

#include "dbupdate/UpdateUnit.h"

namespace accupdate {

// Empties CASHFMKU and CASHFMST, sets CASHFMST_GEN and CASHFMKU_GEN to 0,
// commits, then inserts every line and mapping row with explicit numbers
// (lines 1-59, mapping rows of the indirect method, lines 60-102, mapping
// rows of the direct method), one INSERT a line, and commits.
void AddCashFlowReseed(TUpdateScript& script);

}  // namespace accupdate
