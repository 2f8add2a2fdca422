#pragma once
// The steps of the general chart's trial-balance load besides reading its
// stored procedure: the total rows from the totals table ACCTOTALNAME, the
// departments of a department group, the periods before a mid-year start,
// the row of a special account, and the notes offset that merges a special
// account into a receiving row and shows it in one of the special rows 48
// and 49.
//
// They work on the load's context (TrialBalanceContext.h) and its open
// query; database errors (db::FbError) pass to the load, which reports
// them. Main thread only.

#include "calc/engine/TrialBalanceContext.h"

#include <cstdint>
#include <string>

// Fills the total rows from "SELECT * FROM ACCTOTALNAME ORDER BY KGROUP ":
// row ARRAYNUM takes the group code (GROUPM1 and GROUPM2), an empty KCODE
// and PLUSNAME (the settlement heading for statement kinds 10 and 30),
// and, when the record's KESKUBUN is 0 or the load's selector, its BSPL and
// its order key (the group code). A record whose ARRAYNUM is no total
// position (1 to 50) is passed over: it must not overwrite an account row.
// departmentScope (Scope 3 or 4) hides the balance-sheet and the
// non-operating, extraordinary and tax totals when the data keeps
// departments (ACCDEF1.BUMON 1). The query is closed on every path.
void SetupTotalRows(TTrialBalanceContext& load, bool departmentScope);

// Replaces the load's department list by the departments of the group
// load.BCODE (GROUPLIST), in the order the database returns them.
void ListGroupDepartments(TTrialBalanceContext& load);

// The number of the sixteen periods (quarter settlements included) before
// the start month number 1 to 12: 1 -> 0, 4 -> 4, 7 -> 8, 10 -> 12, ...;
// any other value returns the fallback.
std::int32_t PeriodsBeforeStart(std::int32_t kaisino, std::int32_t fallback);

// The row of a special account among the account rows 51 to last, 0 when
// there is none. In the notes-offset mode by KCODE; otherwise through the
// account's settlement line (KAMOKUMST.EXT1_KS against the rows' MSTREC),
// read on the snapshot transaction, which the load holds open.
std::int32_t FindSpecialAccountRow(TTrialBalanceContext& load, const std::string& code, bool notesOffsetMode, int last);

// Merges the source row s into the receiving row r and parks s in the
// special row t (48 or 49): r takes s's opening and movements, t shows s's
// own figures and names, and s is emptied and keyed to sort last so that it
// is no longer written.
void MergeIntoSpecialRow(TTrialBalanceContext& load, int r, int s, int t);
