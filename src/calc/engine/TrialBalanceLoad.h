#pragma once
// Loading one trial balance of the general chart of accounts into the
// balance rows (BalanceRows.h) from the company database's trial-balance
// procedures: for every account its opening balance, its debit and credit in
// periods 1 to 16, the change and running balance of each period and, in the
// all-accounts layout, its sub-accounts; the total rows from ACCTOTALNAME;
// the order entries keyed and sorted.
//
// Scope: 0 the company (or a department total when BCODE is not blank),
// 1 a branch group (SCODE), 2 a branch, 3 a department (SCODE, BCODE), 4 the
// departments of a group (BCODE), one after the other into the same rows;
// 6 the departments of the group BCODE over every facility, summed from the
// balance tables (TrialBalanceAccumulation.h). Layout: 0 all accounts, 1 and 2 the fixed-form A4 and A3
// trial balances (whose line names are first fixed in EXTERA4 / EXTERA3),
// 4 the settlement statements (Scope then the statement kind 10, 20 or 30).
// Other scopes and layouts read nothing.
//
// The whole load runs in the data module's snapshot transaction
// IBTransactionDATSS: an open one is committed first, and the load commits
// its own at the end.
//
// Failures end the load with false and leave the rows as far as they were
// filled; the caller must not use them:
//  - a database error: rolled back, shown by ShowFBError under "試算表読込";
//  - more accounts than rows (or order entries): rolled back, shown through ShowCommaMessage as "試算表読込,"
//    and the reason. Nothing is ever written past RowsHigh or OrderHigh.
// Any other exception is rolled back and passed on, as are last indexes
// beyond the arrays (std::out_of_range, before anything is read).

#include "calc/BalanceRows.h"
#include "foundation/KeySort.h"

#include <cstdint>
#include <span>
#include <string>

inline constexpr const char* TrialBalanceErrorTitle = "試算表読込";

bool LoadTrialBalanceGeneral(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                             const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                             std::int32_t Layout, std::int32_t KESKUBUN, std::int32_t HAIBUN, std::int32_t ZENTAX);
