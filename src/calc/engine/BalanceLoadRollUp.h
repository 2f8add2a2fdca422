#pragma once
// The roll-ups of a balance load of the general chart, once the trial
// balance, the earlier years and the budgets are in the account rows: every
// period of the three years (indexes -32 to 16) into the total rows with
// the totals of totals, the balancing retained-earnings row and each row's
// share of its base total; the openings by year the same way; and the
// budgets and actual figures of periods 1 to 15 into the profit-and-loss
// totals.
//
// Accounts roll into the totals by the group-code ranges of the balance
// load (AccountCodeTables.h) on the basis of each total's section
// (TotalSections.h). Reads AccInf.DATATYPE (1 corporation: the balancing
// row is the last account of group "3340"). Rows 0 to last of the array;
// a total the array does not reach is the scratch row.

#include "calc/BalanceRows.h"

#include <span>

// Period k (-32 to 16) of every total: the openings of the total rows are
// formed anew from the accounts (for k = 16 also those of the earlier
// years), then the period balance and change, the totals of totals and the
// ratios of every row to its base total.
void RollUpPeriod(std::span<TBALANCE> rows, int last, int k);

// The totals of totals on the four openings by year, after every period.
void RollUpOpenings(std::span<TBALANCE> rows, int last);

// Budget period i (1 to 15): the three budgets, the first budget of YOSAN
// and the actual figures of the profit-and-loss accounts into their totals,
// and the profit rows from them.
void RollUpBudget(std::span<TBALANCE> rows, int last, int i);
