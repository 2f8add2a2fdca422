#pragma once
// Reading the medical-corporation chart's earlier-year and budget
// procedures into balance rows that a trial-balance load has filled
// (MedicalTrialBalanceLoad.h).
//
// A result line finds its row as the chart's trial balance placed it: in
// the standard layout (0) by KCODE among the account rows (61 on), then
// its sub-account entry by HCODE (none when the row has no such entry); in
// the other layouts by KGROUP and SUBREC against the row's GROUPM2 (the
// fourth group code for the business kinds 2 and 4) and SUBREC, without a
// sub-account. A line whose row is not found adds into the scratch row 0.
//
// Both readers take an open-able query whose SQL and parameters are set;
// they open it, read every line and close it. Database errors pass on.

#include "calc/BalanceRows.h"
#include "platform/db/Query.h"

#include <cstdint>
#include <span>

struct TMedicalReadSetting {
    std::span<TBALANCE> Rows;
    int RowsHigh = 0;
    std::int32_t Layout = 0;
    std::int32_t BusinessKind = 0;
};

// Before the first earlier-year statement: with data that starts after the
// first month (KAISINO above 1) the openings read for this year
// (OpeningByYear [0] and [1]) come from the earlier-year lines, so what the
// trial balance put there goes.
void ClearOpeningsForEarlierYears(std::span<TBALANCE> rows, int last);

// Adds the lines of an earlier-year statement (KCODE, HCODE or KGROUP,
// SUBREC; NENDO, KISHU, ZAN01 to ZAN16): NENDO 0 fills this year's periods
// before the data's start month, 1 the previous year (indexes -15 to 0), 2
// the one before (-31 to -16, its opening at -32); each year's opening
// goes to OpeningByYear [1 + NENDO], this year's also to [0]. Account
// "9301" counts its opening as its first period's change. Lines of any
// other NENDO are skipped.
void ReadMedicalEarlierYears(db::Query& query, const TMedicalReadSetting& setting);

// Adds the lines of a budget statement (YOSAN01 to YOSAN15 always; in the
// standard layout also the three budgets YOSAN, YOSAN2, YOSAN3 by month and
// the actual figures JISSEKI01 to JISSEKI16 with their entered-figure
// counts JKUBUN01 to JKUBUN16). A settlement period's actual figure (4, 8,
// 12, 16) folds into the month before it while that month's count is 0.
void ReadMedicalBudgets(db::Query& query, const TMedicalReadSetting& setting);
