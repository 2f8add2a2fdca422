#pragma once
// Loading balances and budgets of the general chart of accounts: the trial
// balance of the scope (TrialBalanceLoad.h), then from the company
// database's earlier-year and budget procedures the balances of three
// fiscal years (the current one, the previous one, the one before) per
// period, the openings by year, the budgets and actual figures per period;
// then every period of the three years and every budget period rolled up
// into the total rows (BalanceLoadRollUp.h). The result is the multi-year,
// per-period picture that comparison and budget reports read.
//
// Scope and layout as the trial-balance load takes them (0 company, with a
// department code its department total; 1 a branch group, its code in
// SCODE; 2 a branch; 3 a department of a branch; 4 every department of the
// group BCODE, added up in the same rows; layouts 0 all accounts, 1 the A4
// and 2 the A3 layout). Other scopes and layouts load the trial balance
// only; the department total has no A3 form and reads nothing more there.
// The facility x department accumulation (scope 6) is not available here.
//
// trialBalanceMode 1 loads the trial balance for the notes-offset
// statements (KESKUBUN 3) and then takes the tax mode of the earlier years
// from the data's carry-forward setting (ACCDEF1.KURIKOSI1, or the data's
// tax mode TAXDEFUH where the data has no such column: 1 without tax,
// anything else with tax); any other value loads KESKUBUN 2 and keeps TAX.
//
// Returns false when the trial-balance load failed (it has shown why): the
// rows must then not be used, and nothing more was read. The earlier years
// and budgets are read in the data module's snapshot transaction, started
// here and committed at the end; a database error there rolls it back and
// passes to the caller, as do last indexes beyond the arrays
// (std::out_of_range). Amounts are added into the rows that the
// trial-balance load cleared. Main thread only.

#include "calc/BalanceRows.h"
#include "foundation/KeySort.h"

#include <cstdint>
#include <span>
#include <string>

bool LoadBalancesGeneral(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                         const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                         std::int32_t Layout, std::int32_t HAIBUN, std::int32_t trialBalanceMode);
