#include "calc/engine/MedicalBalanceTotals.h"

#include "calc/engine/MedicalTotals.h"

#include <functional>
#include <vector>

namespace {

// The last balance-sheet formula; the profit-and-loss ones follow it in
// the table, the copy of T49 into T20 last of all.
constexpr int LastSheetTotal = 24;
constexpr int FirstProfitTotal = 25;

// Applies the formulas the filter keeps to one figure of the total rows.
void ApplyFormulas(std::span<TBALANCE> rows, int last, const std::function<bool(int)>& keep,
                   const std::function<Currency&(TBALANCE&)>& figure)
{
    auto row = [&](int n) -> TBALANCE& { return rows[static_cast<std::size_t>(n <= last ? n : 0)]; };
    for (const TMedicalFormula& f : MedicalFormulas()) {
        if (!keep(f.target))
            continue;
        Currency sum = 0;
        for (const auto& [n, sign] : f.terms)
            sum += sign * figure(row(n));
        figure(row(f.target)) = sum;
    }
}

}  // namespace

void RollUpMedicalOpenings(std::span<TBALANCE> rows, int last)
{
    // T20 is a profit-and-loss copy, not a sheet total.
    const auto sheet = [](int target) { return target <= LastSheetTotal && target != 20; };
    for (std::size_t y = 0; y < 4; ++y)
        ApplyFormulas(rows, last, sheet, [y](TBALANCE& r) -> Currency& { return r.OpeningByYear[y]; });
}

void RollUpMedicalBudgets(std::span<TBALANCE> rows, int last)
{
    const auto profit = [](int target) { return target >= FirstProfitTotal; };
    for (std::size_t j = 1; j <= 15; ++j) {
        ForEachAccountInTotal(rows, last, 1, [&](int t, TBALANCE& total, const TBALANCE& account) {
            const int sign = MedicalSectionSign(t, account.KMK.TAISHAKU);
            total.YOSAN[j] += sign * account.YOSAN[j];
            for (std::size_t b = 0; b < 3; ++b)
                total.Budgets[b][j] += sign * account.Budgets[b][j];
            total.JISSEKI[j] += sign * account.JISSEKI[j];
        });
        ApplyFormulas(rows, last, profit, [j](TBALANCE& r) -> Currency& { return r.YOSAN[j]; });
        for (std::size_t b = 0; b < 3; ++b)
            ApplyFormulas(rows, last, profit, [j, b](TBALANCE& r) -> Currency& { return r.Budgets[b][j]; });
        ApplyFormulas(rows, last, profit, [j](TBALANCE& r) -> Currency& { return r.JISSEKI[j]; });
    }
}
