#include "calc/engine/BalanceLoadRollUp.h"

#include "calc/AccountCodeTables.h"
#include "calc/engine/TotalSections.h"
#include "foundation/AccInf.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

// One amount of a row that the totals of totals work on.
using TColumn = std::function<Currency&(TBALANCE&)>;

class TTotals final {
public:
    TTotals(std::span<TBALANCE> rows, int last) : rows_(rows), last_(last)
    {
        if (last < 0 || static_cast<std::size_t>(last) >= rows.size())
            throw std::out_of_range("last row index " + std::to_string(last) + " outside the rows");
    }

    TBALANCE& Row(int index) { return rows_[static_cast<std::size_t>(index)]; }
    int Last() const { return last_; }

    // Total n; the scratch row when the array does not reach it.
    TBALANCE& T(int n)
    {
        const int index = AccountCodeTables().TotalRow.at(static_cast<std::size_t>(n));
        return Row(index <= last_ ? index : 0);
    }

    // The balancing row: the last account of the retained-earnings group,
    // whose range columns start from 0; the scratch row when there is none.
    TBALANCE& Balancing()
    {
        TBALANCE* balancing = &Row(0);
        for (int i = FirstAccountRowGeneral; i <= last_; ++i) {
            TBALANCE& row = Row(i);
            if (row.KMK.GROUPM2 == AccountCodeTables().RetainedEarningsGroup) {
                row.RangeOpening = row.RangeDebit = row.RangeCredit = row.RangeClosing = 0;
                balancing = &row;
            }
        }
        return *balancing;
    }

    // The balance sheet's totals of totals on one column, the balancing row
    // taking what closes the sheet for a corporation.
    void BalanceSheet(const TColumn& column, TBALANCE& balancing)
    {
        auto v = [&](int n) -> Currency& { return column(T(n)); };
        v(2) = v(2) + v(1);
        v(5) = v(2) + v(3) + v(4);
        v(9) = v(6) + v(7) + v(8);
        v(11) = v(5) + v(9) + v(10);
        v(15) = v(12) + v(13) + v(14);
        v(19) = v(17) + v(18);
        const bool corporation = AccInf.DATATYPE == 1;
        if (corporation) {
            Currency& b = column(balancing);
            b = v(11) - (v(15) + v(16) + v(19) + v(20) + v(21) + v(23) + v(24) + v(25));
            v(21) += b;
        }
        v(22) = v(20) + v(21);
        if (corporation) {
            v(23) = v(23) + v(16) + v(19) + v(22);
            v(26) = v(23) + v(24) + v(25);
        } else {
            v(23) = v(11) - (v(15) + v(16) + v(19) + v(22));
            v(26) = v(16) + v(19) + v(22) + v(23);
        }
        v(27) = v(15) + v(26);
    }

    // The profit-and-loss totals of totals and the profit rows on one column.
    void ProfitAndLoss(const TColumn& column)
    {
        auto v = [&](int n) -> Currency& { return column(T(n)); };
        v(35) = v(31) + v(32) + v(46) + v(33) + v(34);
        v(30) = v(29) + v(35) + v(30);
        v(29) = v(35);
        v(36) = v(28) - v(30);
        v(38) = v(36) - v(37);
        v(41) = v(38) + v(39) - v(40);
        v(44) = v(41) + v(42) - v(43);
        v(45) = v(44) - v(45);
    }

private:
    std::span<TBALANCE> rows_;
    int last_;
};

// The balance load's total of an account row, if it has one.
std::optional<int> TotalOf(const TBALANCE& row)
{
    return RollUpTotal(row.KMK.GROUPM2, TRollUpTable::BalanceLoad);
}

void AddRowPeriodToTotal(TBALANCE& total, int totalNumber, const TBALANCE& account, int k)
{
    total.KMK.TAISHAKU = account.KMK.TAISHAKU;
    if (account.KMK.TAISHAKU < 1 || account.KMK.TAISHAKU > 4)
        return;
    const Currency sign = SectionSign(totalNumber, account.KMK.TAISHAKU);
    total.PeriodBalance[k] += sign * account.PeriodBalance[k];
    total.PeriodChange[k] += sign * account.PeriodChange[k];
    const std::size_t years = k == 16 ? 4 : 1;
    for (std::size_t y = 0; y < years; ++y)
        total.OpeningByYear[y] += sign * account.OpeningByYear[y];
}

void AddBudgetToTotal(TBALANCE& total, int totalNumber, const TBALANCE& account, std::size_t i)
{
    if (account.KMK.TAISHAKU < 1 || account.KMK.TAISHAKU > 4)
        return;
    const Currency sign = SectionSign(totalNumber, account.KMK.TAISHAKU);
    total.YOSAN[i] += sign * account.YOSAN[i];
    for (std::size_t b = 0; b < 3; ++b)
        total.Budgets[b][i] += sign * account.Budgets[b][i];
    total.JISSEKI[i] += sign * account.JISSEKI[i];
}

// Each row's share of its base total in period k: assets of the total
// assets, liabilities and net assets of their total, profit and loss of
// the sales.
void PeriodRatios(TTotals& totals, int k)
{
    const Currency assets = totals.T(11).PeriodBalance[k];
    const Currency liabilities = totals.T(27).PeriodBalance[k];
    const Currency sales = totals.T(28).PeriodBalance[k];
    for (int i = 0; i <= totals.Last(); ++i) {
        TBALANCE& row = totals.Row(i);
        const std::string_view code = row.KMK.GROUPM2;
        Currency base = 0;
        if (code > "1000" && code < "1900")
            base = assets;
        else if (code > "2000" && code < "3900")
            base = liabilities;
        else if (code > "4000" && code < "8400")
            base = sales;
        if (base != 0)
            row.PeriodRatio[k] =
                ClampPercent(RatioToPercent(static_cast<double>(row.PeriodBalance[k]) / static_cast<double>(base)));
    }
}

}  // namespace

void RollUpPeriod(std::span<TBALANCE> rows, int last, int k)
{
    TTotals totals(rows, last);
    const std::size_t years = k == 16 ? 4 : 1;
    for (int i = 0; i < FirstAccountRowGeneral && i <= last; ++i)
        for (std::size_t y = 0; y < years; ++y)
            totals.Row(i).OpeningByYear[y] = 0;
    TBALANCE& balancing = totals.Balancing();
    for (int i = FirstAccountRowGeneral; i <= last; ++i) {
        const TBALANCE& row = totals.Row(i);
        if (const auto total = TotalOf(row))
            AddRowPeriodToTotal(totals.T(*total), *total, row, k);
    }
    for (const TColumn& column : {TColumn([k](TBALANCE& r) -> Currency& { return r.PeriodBalance[k]; }),
                                  TColumn([k](TBALANCE& r) -> Currency& { return r.PeriodChange[k]; })}) {
        totals.BalanceSheet(column, balancing);
        totals.ProfitAndLoss(column);
    }
    PeriodRatios(totals, k);
}

void RollUpOpenings(std::span<TBALANCE> rows, int last)
{
    TTotals totals(rows, last);
    TBALANCE& balancing = totals.Balancing();
    for (std::size_t y = 0; y < 4; ++y) {
        const TColumn column = [y](TBALANCE& r) -> Currency& { return r.OpeningByYear[y]; };
        totals.BalanceSheet(column, balancing);
        totals.ProfitAndLoss(column);
    }
}

void RollUpBudget(std::span<TBALANCE> rows, int last, int i)
{
    TTotals totals(rows, last);
    const auto slot = static_cast<std::size_t>(i);
    for (int r = FirstAccountRowGeneral; r <= last; ++r) {
        const TBALANCE& row = totals.Row(r);
        const auto total = TotalOf(row);
        // The profit-and-loss part of the table: totals 28 to 46.
        if (total && *total >= 28 && *total <= 46)
            AddBudgetToTotal(totals.T(*total), *total, row, slot);
    }
    const TColumn columns[] = {
        [slot](TBALANCE& r) -> Currency& { return r.YOSAN[slot]; },
        [slot](TBALANCE& r) -> Currency& { return r.Budgets[0][slot]; },
        [slot](TBALANCE& r) -> Currency& { return r.Budgets[1][slot]; },
        [slot](TBALANCE& r) -> Currency& { return r.Budgets[2][slot]; },
        [slot](TBALANCE& r) -> Currency& { return r.JISSEKI[slot]; },
    };
    for (const TColumn& column : columns)
        totals.ProfitAndLoss(column);
}
