#pragma once
// The medical-corporation chart's totals of the figures a balance load
// adds beside the periods: the openings by year of the balance-sheet
// totals, and the budgets and actual figures of the profit-and-loss
// totals (MedicalTotals.h for the positions, the sections and the
// formulas).

#include "calc/BalanceRows.h"

#include <span>

// The balance-sheet totals of totals (T2 to T24) on each of the four
// OpeningByYear entries, the entries that the period roll-up summed from
// the accounts.
void RollUpMedicalOpenings(std::span<TBALANCE> rows, int last);

// For budget periods 1 to 15: every account row (61..last) adds its
// budget YOSAN, its three budgets by month and its actual figure JISSEKI
// into the total whose GROUPM1 range holds its own GROUPM1 (the first
// grouping whatever the business kind; signed by the total's section),
// then the profit-and-loss totals of totals (T26 to T53) apply to each of
// those five figures.
void RollUpMedicalBudgets(std::span<TBALANCE> rows, int last);
