#pragma once
// Loading one trial balance of the medical-corporation chart into the
// balance rows (BalanceRows.h): the total rows 1 to 53 from ACCTOTALNAME
// for a business kind, the accounts from position 61 on in the order the
// trial-balance procedure of the scope and layout returns them, the keys of
// the business-kind totals by the facilities' kinds, in the
// facility-comparison layout the totals rolled up for every period, and
// the order entries sorted.
//
// Scope: 0 the whole data (a department total when BCODE is not blank), 1
// one business kind, 2 one facility (SCODE), 3 a department of a facility,
// 4 the departments of the group BCODE within the facility, one after the
// other into the same positions, 5 a facility group (SCODE); 6 the
// departments of the group BCODE over every facility, summed from the
// balance tables (TrialBalanceAccumulation.h). Layout: 0 standard, 1 A4, 2 A3, 3 settlement, 4 facility
// comparison. A scope without a statement for the layout reads nothing.
//
// The load runs in the data module's snapshot transaction (an open one is
// committed first). Failures end it with false, the rows as far as filled;
// the caller must not use them:
//  - a database error: rolled back, shown by ShowFBError under "試算表読込";
//  - more accounts than positions 61 to High - 1 (or order entries):
//    rolled back, shown through
//    ShowCommaMessage as "試算表読込," and the reason. Nothing is written
//    past High.
// Other exceptions are rolled back and passed on.

#include "calc/BalanceRows.h"
#include "foundation/KeySort.h"
#include "platform/db/Query.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

bool LoadTrialBalanceMedical(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                             const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                             std::int32_t Layout, std::int32_t KESKUBUN, std::int32_t HAIBUN,
                             std::int32_t businessKind);

// The departments of the department group that belong to the facility, in
// the order GROUPLIST gives them (the query's SQL is replaced).
std::vector<std::string> FacilityGroupDepartments(db::Query& query, const std::string& group,
                                                  const std::string& facility);
