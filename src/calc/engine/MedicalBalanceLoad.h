#pragma once
// Loading the balances of three fiscal years and the budgets of the
// medical-corporation chart into the balance rows: the trial balance of the
// scope and layout first (MedicalTrialBalanceLoad.h), then the earlier
// years and the periods before the data's start month from the chart's
// earlier-year procedures, the budgets and actual figures from its budget
// procedures, and the total rows rolled up for every period of the three
// years (indexes -32 to 16), for the openings by year and for every budget
// period.
//
// Parameters as the trial-balance load takes them, but the order: the
// allocation switch (HAIBUN) and the business kind before the KESKUBUN
// selector, and a carry-over switch last; with carry-over 1 the earlier
// years and budgets are read in the tax mode of the previous year
// (AccInf.YearTaxModes [1]: ACCDEF1.KURIKOSI1 where the data has it)
// instead of TAX. The business kind binds the
// procedures' kind and chooses the grouping the totals roll up by.
//
// Scope 4 reads each department of the group within the facility in turn
// into the same rows. Scope 6 fails with the trial-balance load, which
// cannot accumulate it; layouts and scopes without statements of their own
// load the trial balance alone (layout 2 reads no budgets).
//
// False when the trial-balance load failed (shown to the user; the rows
// must not be used). A database error of the later reads rolls the
// snapshot transaction back and passes on, as does any other exception.

#include "calc/BalanceRows.h"
#include "foundation/KeySort.h"

#include <cstdint>
#include <span>
#include <string>

bool LoadBalancesMedical(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                         const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                         std::int32_t Layout, std::int32_t HAIBUN, std::int32_t businessKind, std::int32_t KESKUBUN,
                         std::int32_t carryOver);
