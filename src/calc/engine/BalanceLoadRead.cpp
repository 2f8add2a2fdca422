#include "calc/engine/BalanceLoadRead.h"

#include "calc/FiscalDates.h"
#include "calc/engine/TrialBalanceRecord.h"
#include "foundation/AccInf.h"
#include "platform/AsciiText.h"
#include "platform/db/FbError.h"

#include <array>
#include <vector>

namespace {

// The positions of the named columns of one open result, found once: the
// budget results carry some eighty columns a line.
class TResultColumns final {
public:
    explicit TResultColumns(const db::Query& query)
    {
        names_.reserve(query.FieldCount());
        for (std::size_t i = 0; i < query.FieldCount(); ++i)
            names_.push_back(ascii::Upper(query.FieldByIndex(i).Name()));
    }

    std::size_t operator[](const std::string& name) const
    {
        for (std::size_t i = 0; i < names_.size(); ++i)
            if (names_[i] == name)
                return i;
        throw db::FbError("the query has no field " + name);
    }

private:
    std::vector<std::string> names_;
};

// Where one result line lands: its row and, in the all-accounts layout, its
// sub-account (none when the row's list does not hold the code).
struct TTarget {
    TBALANCE* row;
    THOJOUTIWAKE* sub;
};

class TTargetFinder final {
public:
    TTargetFinder(TTrialBalanceContext& load, const TResultColumns& columns) : load_(load)
    {
        if (load.Layout == 0) {
            first_ = columns["KCODE"];
            second_ = columns["HCODE"];
        } else {
            first_ = columns["KGROUP"];
            second_ = columns["SUBREC"];
        }
    }

    TTarget Find(const db::Query& query) const
    {
        if (load_.Layout != 0) {
            const int index =
                FindRowByGroup(load_, query.FieldByIndex(first_).AsString(), query.FieldByIndex(second_).AsInteger());
            return {&load_.Row(index), nullptr};
        }
        TBALANCE& row = load_.Row(FindRowByCode(load_, query.FieldByIndex(first_).AsString()));
        const int sub = FindSubAccount(row, query.FieldByIndex(second_).AsString());
        return {&row, sub < 0 ? nullptr : &row.Hojo[static_cast<std::size_t>(sub)]};
    }

private:
    TTrialBalanceContext& load_;
    std::size_t first_ = 0;
    std::size_t second_ = 0;
};

// Adds a year's opening and movements into periods first to first + count
// - 1: the first period's balance grows by the opening and its movement,
// every later one follows from the balance before it, so that results added
// one after the other still give running balances.
template <typename Target>
void FillYear(Target& target, int first, int count, Currency opening, const std::array<Currency, 17>& movement)
{
    for (int i = 1; i <= count; ++i) {
        const int p = first + i - 1;
        target.PeriodChange[p] += movement[static_cast<std::size_t>(i)];
        if (i == 1)
            target.PeriodBalance[p] += opening + movement[1];
        else
            target.PeriodBalance[p] = target.PeriodBalance[p - 1] + target.PeriodChange[p];
    }
}

// A year of h - 1 periods (0 < h < 16) whose sixteen periods start at
// index first: the periods from h to 15 show nothing, and the settlement
// (the year's last index) moves from the last period the year has to the
// year's closing.
void ClearShortYear(TTrialBalanceContext& load, int first, int h)
{
    if (h <= 0 || h >= 16)
        return;
    const int settlement = first + 15;
    for (int i = 0; i <= load.RowsHigh; ++i) {
        TBALANCE& row = load.Row(i);
        for (int p = first + h - 1; p < settlement; ++p) {
            row.PeriodBalance[p] = 0;
            row.PeriodChange[p] = 0;
        }
        row.PeriodChange[settlement] = row.PeriodBalance[settlement] - row.PeriodBalance[first + h - 2];
    }
}

void ClearShortYears(TTrialBalanceContext& load)
{
    const TDateTime previous = AccInf.zKISHU != 0 ? AccInf.zKISHU : IncMonthClamped(-12, AccInf.KISHU);
    const TDateTime before = AccInf.zzKISHU != 0 ? AccInf.zzKISHU : IncMonthClamped(-12, previous);
    ClearShortYear(load, -31, MonthsBetweenToPeriod(AccInf.SIME, before, previous));
    ClearShortYear(load, -15, MonthsBetweenToPeriod(AccInf.SIME, previous, AccInf.KISHU));
}

}  // namespace

int FindRowByGroup(const TTrialBalanceContext& load, const std::string& group, std::int32_t subrec)
{
    for (int i = FirstAccountRowGeneral; i <= load.RowsHigh; ++i) {
        const TBALANCE& row = load.Rows[static_cast<std::size_t>(i)];
        if (row.KMK.GROUPM2 == group && row.SUBREC == subrec)
            return i;
    }
    return 0;
}

int FindRowByCode(const TTrialBalanceContext& load, const std::string& kcode)
{
    for (int i = FirstAccountRowGeneral; i <= load.RowsHigh; ++i)
        if (load.Rows[static_cast<std::size_t>(i)].KMK.KCODE == kcode)
            return i;
    return 0;
}

int FindSubAccount(const TBALANCE& row, const std::string& hcode)
{
    for (std::size_t k = 0; k < row.Hojo.size(); ++k)
        if (row.Hojo[k].HCODE == hcode)
            return static_cast<int>(k);
    return -1;
}

void ReadBalanceRows(TTrialBalanceContext& load)
{
    // The current year's periods before the data's first month; none when
    // the data starts with the year.
    const int before = MonthToPeriodNo(AccInf.KAISINO - 1) - 1;
    db::Query& query = *load.Query;
    query.Open();
    if (!query.Eof()) {
        const TResultColumns columns(query);
        const TTargetFinder finder(load, columns);
        const std::size_t nendo = columns["NENDO"];
        const std::size_t kishu = columns["KISHU"];
        std::array<std::size_t, 17> zan{};
        for (int i = 1; i <= 16; ++i)
            zan[static_cast<std::size_t>(i)] = columns[TwoDigits("ZAN", i)];
        std::array<Currency, 17> movement{};
        for (; !query.Eof(); query.Next()) {
            const TTarget target = finder.Find(query);
            TBALANCE& row = *target.row;
            THOJOUTIWAKE* sub = target.sub;
            const Currency opening = query.FieldByIndex(kishu).AsCurrency();
            for (std::size_t i = 1; i <= 16; ++i)
                movement[i] = query.FieldByIndex(zan[i]).AsCurrency();
            int first = 0;
            int count = 0;
            switch (query.FieldByIndex(nendo).AsInteger()) {
            case 0:
                row.OpeningByYear[0] += opening;
                row.OpeningByYear[1] += opening;
                if (sub)
                    sub->OpeningByYear[0] = sub->OpeningByYear[1] = opening;
                first = 1;
                count = before;
                break;
            case 1:
                row.OpeningByYear[2] += opening;
                if (sub)
                    sub->OpeningByYear[2] = opening;
                first = -15;
                count = 16;
                break;
            case 2:
                row.OpeningByYear[3] += opening;
                row.PeriodBalance[-32] += opening;
                if (sub) {
                    sub->OpeningByYear[3] = opening;
                    sub->PeriodBalance[-32] += opening;
                }
                first = -31;
                count = 16;
                break;
            default:
                continue;
            }
            FillYear(row, first, count, opening, movement);
            if (sub)
                FillYear(*sub, first, count, opening, movement);
        }
    }
    query.Close();
    ClearShortYears(load);
}

void ReadBudgetRows(TTrialBalanceContext& load)
{
    db::Query& query = *load.Query;
    query.Open();
    if (!query.Eof()) {
        const TResultColumns columns(query);
        const TTargetFinder finder(load, columns);
        const bool allAccounts = load.Layout == 0;
        // Per period: the first budget, then (all accounts) the second and
        // third, the actual figure and its flag.
        std::array<std::array<std::size_t, 3>, 16> budget{};
        std::array<std::size_t, 17> actual{};
        std::array<std::size_t, 17> entered{};
        for (int j = 1; j <= 15; ++j) {
            auto& b = budget[static_cast<std::size_t>(j)];
            b[0] = columns[TwoDigits("YOSAN", j)];
            if (allAccounts) {
                b[1] = columns[TwoDigits("YOSAN2", j)];
                b[2] = columns[TwoDigits("YOSAN3", j)];
            }
        }
        if (allAccounts) {
            for (int j = 1; j <= 16; ++j) {
                actual[static_cast<std::size_t>(j)] = columns[TwoDigits("JISSEKI", j)];
                entered[static_cast<std::size_t>(j)] = columns[TwoDigits("JKUBUN", j)];
            }
        }
        for (; !query.Eof(); query.Next()) {
            const TTarget target = finder.Find(query);
            TBALANCE& row = *target.row;
            THOJOUTIWAKE* sub = target.sub;
            for (std::size_t j = 1; j <= 15; ++j) {
                const Currency first = query.FieldByIndex(budget[j][0]).AsCurrency();
                row.YOSAN[j] += first;
                if (sub)
                    sub->YOSAN[j] += first;
            }
            if (!allAccounts)
                continue;
            for (std::size_t j = 1; j <= 15; ++j) {
                for (std::size_t b = 0; b < 3; ++b) {
                    const Currency amount = query.FieldByIndex(budget[j][b]).AsCurrency();
                    row.Budgets[b][j] += amount;
                    if (sub)
                        sub->Budgets[b][j] += amount;
                }
            }
            for (std::size_t j = 1; j <= 16; ++j) {
                // A quarter's settlement shows with the quarter's last month,
                // unless that month's figure was entered.
                const std::size_t s = j % 4 == 0 ? j - 1 : j;
                const Currency amount = query.FieldByIndex(actual[j]).AsCurrency();
                const std::int32_t flag = query.FieldByIndex(entered[j]).AsInteger();
                auto add = [&](auto& target) {
                    if (s == j || target.PeriodFlags[s] == 0) {
                        target.JISSEKI[s] += amount;
                        target.PeriodFlags[s] += flag;
                    }
                };
                add(row);
                if (sub)
                    add(*sub);
            }
        }
    }
    query.Close();
}
