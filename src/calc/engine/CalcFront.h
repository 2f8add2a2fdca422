#pragma once
// The calculation front: the entry points through which callers reach the
// balance loaders and calculations without knowing which chart of accounts
// the open data uses. Each looks at the chart flag of the open data
// (AccInf.MedicalChart: 1 the medical-corporation chart, anything else the
// general chart) and forwards its arguments.
//
// A caller asks BalanceCapacity, allocates that many rows and order entries,
// loads the trial balance and then computes period ranges on the same rows
// (BalanceRows.h for the layout).

#include "calc/BalanceRows.h"
#include "calc/engine/TrialBalanceContext.h"
#include "foundation/KeySort.h"

#include <cstdint>
#include <span>
#include <string>

// 700 for the medical-corporation chart, else 500.
std::int32_t BalanceCapacity();

// Clears rows 0 to last and sets order entry i to ("ﾟ", i) for the same
// indexes. Throws std::out_of_range when either array is shorter than that.
void InitBalanceRows(std::span<TBALANCE> rows, int last, std::span<TQSORT> order, int lastOrder);

// Loads the trial balance (see TrialBalanceLoad.h and
// MedicalTrialBalanceLoad.h for the parameters and failures; the business
// kind serves only the medical chart, ZENTAX only the general one). True when the
// load completed; false after the failure was shown to the user, and the
// rows must then not be used.
bool LoadTrialBalance(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                      const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                      std::int32_t Layout, std::int32_t KESKUBUN, std::int32_t HAIBUN, std::int32_t businessKind,
                      std::int32_t ZENTAX);

// Loads the trial balance and then three fiscal years of balances and
// budgets per period, rolled up into the totals (BalanceLoad.h; the
// business kind, the KESKUBUN selector and the carry-over switch serve only
// the medical chart, the trial-balance mode only the general one). True
// when the load completed; false after the trial-balance failure was shown,
// and the rows must then not be used. The medical chart's loader is not
// part of this build: on such data the call throws std::logic_error.
bool LoadBalances(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                  const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                  std::int32_t Layout, std::int32_t HAIBUN, std::int32_t businessKind, std::int32_t trialBalanceMode,
                  std::int32_t KESKUBUN, std::int32_t carryOver);

// Computes the range columns of every row and the totals for a period range
// (RangeCalculation.h, MedicalRangeCalculation.h; the business kind serves
// only the medical chart).
void CalcBalancePeriods(std::span<TBALANCE> rows, int last, std::int32_t noOpening, std::int32_t kind,
                        std::int32_t firstPeriod, std::int32_t lastPeriod, std::int32_t businessKind);
