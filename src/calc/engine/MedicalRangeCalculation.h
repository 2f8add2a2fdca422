#pragma once
// The period-range calculation of the medical-corporation chart: over rows
// a medical trial-balance or balance load has filled, every account's and
// sub-account's range opening, debit, credit and closing for one range of
// the sixteen periods and its comparison with the same range a year
// earlier; the totals 1 to 53 by code ranges and the fixed formulas (see
// MedicalTotals.h for the basis of each total); the names of the totals
// that change with their sign or the business kind; each row's share of
// its base total.
//
// Range kinds as the general chart: 0 first to last as passed, 1 to 6 the
// quarters and halves, 7 first to last with the year-opening rule. A range
// that does not start the year starts the profit-and-loss accounts from 0,
// and the profit brought into the range moves into the retained-earnings
// account (the system account 繰越利益剰余金 of the data) on top of its own
// opening, so that the balance sheet still balances.
//
// An invalid business kind or a start below 1 with range kind 0 is shown
// and the calculation goes on; periods outside 1 to 16 are never read.

#include "calc/BalanceRows.h"

#include <cstdint>
#include <span>

void CalcBalancePeriodsMedical(std::span<TBALANCE> rows, int last, std::int32_t noOpening, std::int32_t kind,
                               std::int32_t first, std::int32_t lastPeriod, std::int32_t businessKind);
