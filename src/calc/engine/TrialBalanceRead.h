#pragma once
// Reading one result of a trial-balance procedure into the load's rows: one
// account row per record from row 51 on (records of group "9900" skipped),
// the sub-account records that follow an account in the all-accounts
// layout, the settlement columns of the prior year and of a mid-year start,
// the order keys, and at the end the notes offset.

#include "calc/engine/TrialBalanceContext.h"

// Opens the load's query (its SQL and parameters already set), reads it to
// the end and closes it. Returns the last row filled (50 when the result held
// no account). Throws TTrialBalanceError before writing past RowsHigh or
// OrderHigh; database errors pass on.
int ReadTrialBalanceRows(TTrialBalanceContext& load, bool Settlement, bool NotesOffset);
