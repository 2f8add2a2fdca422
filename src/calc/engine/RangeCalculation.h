#pragma once
// The period-range calculation of the general chart: after a trial-balance
// or balance load has filled the rows' period arrays, computes for one range
// of the sixteen periods every account row's and sub-account's range
// opening, debit, credit and closing, its comparison with the same range a
// year earlier and its share; rolls the accounts up into the total rows by
// their group codes (AccountCodeTables.h); computes the totals of totals,
// the balancing retained-earnings row (the last account of group "3340")
// and the profit rows with their names by sign; and each row's share of its
// base total. It can run again on the same rows with another range.
//
// Range kinds: 0 first to last as passed; 1 periods 1-4, 2 5-8, 3 9-12,
// 4 13-16, 5 1-8, 6 9-16; 7 and -1 first to last with the year-opening view
// for data that starts during the year. noOpening 1 starts every range at 0.
//
// Totals are formed on one basis per section: a debit section (assets,
// costs, expenses) holds debit minus credit, a credit section (liabilities,
// net assets, revenue) credit minus debit. An account adds its closing to
// its total when its balance side matches the section and subtracts it
// otherwise (an allowance in the assets, a returns account in the sales).
// For a chart whose sides 1 and 2 sit in debit sections and 3 and 4 in
// credit sections this is the plain rule "add sides 1 and 3, subtract 2 and
// 4"; for any other coding it still keeps assets = liabilities + net assets,
// so the balancing row is right.
//
// Reads AccInf (DATATYPE, KAISINO) and SystemDef (SettlementBillOffset,
// KingakuPlus). The profit rows' names come from ACCTOTALNAME through the
// data module; without a data module the names stay as they are. A
// database error there is logged with HandleIBError ("pcBalanceSheet_Calcu")
// and passed on after the range columns are complete.

#include "calc/BalanceRows.h"

#include <cstdint>
#include <span>
#include <string>

void CalcBalancePeriodsGeneral(std::span<TBALANCE> rows, int last, std::int32_t noOpening, std::int32_t kind,
                               std::int32_t first, std::int32_t lastPeriod);

// The name of a profit total for its amount: ACCTOTALNAME's PLUSNAME, or its
// MINUSNAME for a negative amount when MODIFY is 1 (followed by "金額" when
// the operator setting KingakuPlus is 1); the current name when the group
// has no row. Database errors pass on.
std::string GetTotalNameBySign(const std::string& groupCode, const std::string& currentName, Currency amount);
