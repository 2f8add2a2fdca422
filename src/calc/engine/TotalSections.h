#pragma once
// The basis each total of the general chart is formed on, shared by every
// roll-up of accounts into totals so that the range columns and the period
// columns of one total agree.
//
// A debit section (assets, costs, expenses) holds debit minus credit, a
// credit section (liabilities, net assets, revenue) credit minus debit. An
// account adds to its total when its balance side matches the section and
// subtracts otherwise (an allowance among the assets, a returns account in
// the sales). For a chart whose sides 1 and 2 sit in debit sections and 3
// and 4 in credit sections this is the plain rule "add sides 1 and 3,
// subtract 2 and 4"; for any other coding it still keeps assets =
// liabilities + net assets, so the balancing row stays right.

#include <cstdint>

// Whether total n (1 to 47) holds debit minus credit. The rows that
// formulas overwrite (the profits) count as debit sections; nothing of them
// is read.
bool DebitSection(int total);

// +1 when an account of this side (TAISHAKU) adds to total n, -1 when it
// lowers it.
int SectionSign(int total, std::int32_t taishaku);
