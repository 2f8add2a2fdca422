#pragma once
// Reading the results of the earlier-year and budget procedures into the
// balance rows of a balance load: each result line finds its account row
// (by account code in the all-accounts layout, by the line's group and
// sub-record number in the A4 and A3 layouts) and, in the all-accounts
// layout, its sub-account; amounts are added, so that several results (the
// departments of a group) add up in the same rows. A line whose account no
// row holds adds into the scratch row 0, which nothing reads.
//
// The query of the load (TrialBalanceContext.h) must hold the statement
// with its parameters set; the readers open it, read it to the end and
// close it. Database errors pass to the caller.

#include "calc/engine/TrialBalanceContext.h"

#include <cstdint>
#include <string>

// The first account row (from row 51) whose GROUPM2 and SUBREC, or whose
// KCODE, match; 0 (the scratch row) when none does.
int FindRowByGroup(const TTrialBalanceContext& load, const std::string& group, std::int32_t subrec);
int FindRowByCode(const TTrialBalanceContext& load, const std::string& kcode);

// The index of the sub-account in the row's list, -1 when the list does
// not hold it.
int FindSubAccount(const TBALANCE& row, const std::string& hcode);

// One result of a balance procedure (KISHU, ZAN01 to ZAN16 for NENDO 0 the
// current year before the data's start, 1 the previous year, 2 the year
// before): the openings by year and the period changes and running
// balances of those years. Afterwards a previous year, or a year before,
// shorter than twelve months has its periods past its end cleared and its
// settlement movement made to close the gap.
void ReadBalanceRows(TTrialBalanceContext& load);

// One result of a budget procedure: the first budget of periods 1 to 15,
// and in the all-accounts layout the three budgets and the actual figures
// with their entered-figure flags. A quarter's settlement figure joins the
// quarter's last month while that month has no entered figure.
void ReadBudgetRows(TTrialBalanceContext& load);
