#pragma once
// The total rows of the medical-corporation chart: positions 1 to 53 (54
// carries one figure of the range calculation), accounts from position 61.
// Accounts roll into a total by their comparison code: GROUPM1 for business
// kinds of side 1 (0, 1, 8, 16, 255), the third group code for side 2
// (kinds 2 and 4). The totals of totals follow one fixed table, shared by
// the period roll-up here and the range calculation.
//
// Every total holds its section's normal balance: the assets (1 to 11),
// the costs and expenses (33 to 41), the non-operating and extraordinary
// expenses (44, 47), the taxes (49) and the deductions (52) debit minus
// credit; the liabilities and net assets (12 to 24), the revenues (25 to
// 32) and the other additions (43, 46, 50, 51) credit minus debit, which is
// what the formulas' signs take them to be. An account adds its balance
// when its side matches the section and subtracts it otherwise (an
// allowance among the assets). For a chart whose debit sections hold sides
// 1 and 2 and whose credit sections hold 3 and 4 this is the plain "add 1
// and 3, subtract 2 and 4"; any other coding still keeps the balance sheet
// and the profit on one basis.

#include "calc/BalanceRows.h"

#include <cstdint>
#include <span>
#include <string>

inline constexpr int MedicalLastTotal = 53;
inline constexpr int MedicalReservedTotals = 60;

// 2 for business kinds 2 and 4, 1 for every other kind.
int MedicalSide(std::int32_t businessKind);

// Every occurrence of from in text becomes to (the names of the totals for
// all business kinds: "医業" -> "事業", "臨時" -> "特別").
void ReplaceAll(std::string& text, const std::string& from, const std::string& to);

// Whether the kind is one the medical chart knows: 0, 1, 2, 4, 8, 16, 255.
bool ValidBusinessKind(std::int32_t businessKind);

// GROUPM1 for side 1, the third group code for side 2.
const std::string& ComparisonCode(const TKMKREC& account, int side);

// Whether total position n holds debit minus credit.
bool MedicalDebitSection(int total);

// +1 when an account of the side adds to total n, -1 when it lowers it; 0
// for a side outside 1 to 4 (its figures are not added).
int MedicalSectionSign(int total, std::int32_t taishaku);

// Calls add(total, account) for every account row (61..last) in the range
// of each total 1 to 53 with a group code: comparison code strictly after
// the previous total's GROUPM1 ("1000" at first) and strictly before the
// total's own comparison code.
template <typename Add>
void ForEachAccountInTotal(std::span<TBALANCE> rows, int last, int side, Add add)
{
    std::string prev = "1000";
    for (int t = 1; t <= MedicalLastTotal && t <= last; ++t) {
        TBALANCE& total = rows[static_cast<std::size_t>(t)];
        if (total.KMK.GROUPM1.empty())
            continue;
        const std::string& own = ComparisonCode(total.KMK, side);
        for (int a = FirstAccountRowMedical; a <= last; ++a) {
            TBALANCE& account = rows[static_cast<std::size_t>(a)];
            const std::string& code = ComparisonCode(account.KMK, side);
            if (code > prev && code < own)
                add(t, total, account);
        }
        prev = total.KMK.GROUPM1;
    }
}

// One row of the totals-of-totals table: target := sum of sign * Tn over
// the terms. A balance row (profits) keeps opening and closing of the sum,
// no debit, and the movement from opening to closing as credit.
struct TMedicalFormula {
    int target;
    std::span<const std::pair<int, int>> terms;  // (total, +1 or -1)
    bool balance;
};

// The table in its order of evaluation (T2 to T53, then T20 := T49).
std::span<const TMedicalFormula> MedicalFormulas();

// Rolls the accounts up into the total rows for period index i (-32 to 16)
// and business kind k, then applies the fixed formulas to PeriodBalance[i]
// and PeriodChange[i], and sets every row's PeriodRatio[i] against the
// bases T11 (codes 1000-1900), T24 (2000-3900) and T32 (4000-9500): 0 when
// the share lies above 9999.0 % or below -999.0 %.
void RollUpMedicalTotals(std::span<TBALANCE> rows, int last, int i, std::int32_t businessKind);
