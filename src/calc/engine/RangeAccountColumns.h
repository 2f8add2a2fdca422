#pragma once
// The range columns of one account row and its sub-accounts, the same for
// every chart: opening, debit, credit and closing of a range of the
// sixteen periods, the comparison with the same range a year earlier, and
// each sub-account's share of the account's closing.

#include "calc/BalanceRows.h"

#include <cstdint>

// Whether a profit-and-loss account starts the range from 0: range kinds 2,
// 3, 4 and 6, and kind 7 when the range does not start where the data's
// year starts (KAISINO of the accounting information).
bool ProfitOpeningRestarts(std::int32_t kind, std::int32_t first);

// Fills the row's and its sub-accounts' range columns for periods first to
// lastPeriod (1 <= first <= lastPeriod <= 16); the columns must be cleared
// before. noOpening 1 starts every range at 0. A profit-and-loss account
// whose opening restarts takes its sub-accounts with it, so that they
// still add up to the account.
void ComputeAccountRangeColumns(TBALANCE& row, std::int32_t noOpening, std::int32_t kind, std::int32_t first,
                                std::int32_t lastPeriod);
