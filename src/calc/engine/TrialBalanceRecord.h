#pragma once
// What every trial-balance reader does with one result line of a
// trial-balance procedure, whichever chart it loads: add the line's opening
// and period columns into a row or a sub-account, and read the sub-account
// lines that follow an account.

#include "calc/BalanceRows.h"
#include "platform/db/Query.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The prefix followed by n in at least two digits ("%2.2d").
inline std::string TwoDigits(const std::string& prefix, int n)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%2.2d", n);
    return prefix + digits;
}

// The columns a reader takes from every line of one open result, found once:
// finding some forty columns by name for each of thousands of lines cost
// more than reading them. Made from the first line, so that a result
// without lines asks nothing of its columns; a column the procedure does not
// return throws db::FbError as FieldByName does (the sub-account columns
// only when sub-accounts are read).
class TTrialBalanceColumns final {
public:
    explicit TTrialBalanceColumns(const db::Query& query);

    std::size_t KAISIZAN;
    std::array<std::size_t, 17> KAR{};  // periods 1 to 16
    std::array<std::size_t, 17> KAS{};
    std::size_t KCODE;
    // The sub-account lines' code and name.
    std::size_t HCODE() const;
    std::size_t HNAME() const;

private:
    std::size_t Find(const std::string& name) const;

    std::vector<std::string> names_;  // upper case, by index
};

// Adds the line's KAISIZAN and KAR01..KAS16 to what the row holds, then
// derives the opening copies, the changes and the running balances from
// the opening (index 0) on.
template <typename Row>
void AddTrialBalancePeriods(Row& row, const db::Query& query, const TTrialBalanceColumns& columns,
                            std::int32_t taishaku)
{
    row.KAISIZAN += query.FieldByIndex(columns.KAISIZAN).AsCurrency();
    row.OpeningByYear[0] = row.KAISIZAN;
    row.OpeningByYear[1] = row.KAISIZAN;
    for (std::size_t p = 1; p <= 16; ++p) {
        row.KAR[static_cast<int>(p)] += query.FieldByIndex(columns.KAR[p]).AsCurrency();
        row.KAS[static_cast<int>(p)] += query.FieldByIndex(columns.KAS[p]).AsCurrency();
    }
    row.PeriodChange[0] = row.KAISIZAN;
    row.PeriodBalance[0] = row.KAISIZAN;
    for (int p = 1; p <= 16; ++p) {
        row.PeriodChange[p] = SignedMovement(taishaku, row.KAR[p], row.KAS[p]);
        row.PeriodBalance[p] = row.PeriodBalance[p - 1] + row.PeriodChange[p];
    }
}

// The sub-account lines that follow an account announced with n of them
// (HOJCNT), the query standing on the first of them. A first line with a
// blank code carries the part booked without a sub-account. The list is cut
// to the lines that really belong to the account: the next account's line,
// or the end of the result, ends it. A row read before (a department of a
// group loaded into the same rows) adds into the entries it has.
void ReadTrialBalanceSubAccounts(db::Query& query, const TTrialBalanceColumns& columns, TBALANCE& row, int n);
