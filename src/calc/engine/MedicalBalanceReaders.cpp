#include "calc/engine/MedicalBalanceReaders.h"

#include "calc/FiscalDates.h"
#include "calc/engine/TrialBalanceRecord.h"
#include "foundation/AccInf.h"
#include "platform/AsciiText.h"
#include "platform/db/FbError.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// The column indexes of one open result, found once by name.
class TColumns final {
public:
    explicit TColumns(const db::Query& query)
    {
        for (std::size_t i = 0; i < query.FieldCount(); ++i)
            names_.push_back(ascii::Upper(query.FieldByIndex(i).Name()));
    }

    std::size_t operator()(const std::string& name) const
    {
        for (std::size_t i = 0; i < names_.size(); ++i)
            if (names_[i] == name)
                return i;
        throw db::FbError("the query has no field " + name);
    }

private:
    std::vector<std::string> names_;
};

struct TTarget {
    TBALANCE* row;
    THOJOUTIWAKE* sub;  // nullptr: no sub-account entry
};

// Finds the row of a line as the trial balance placed it: the first
// account row of the key, else the scratch row 0.
class TRowFinder final {
public:
    TRowFinder(const TMedicalReadSetting& setting, const db::Query& query, const TColumns& columns)
        : setting_(setting), query_(query), byCode_(setting.Layout == 0)
    {
        if (byCode_) {
            first_ = columns("KCODE");
            second_ = columns("HCODE");
        } else {
            first_ = columns("KGROUP");
            second_ = columns("SUBREC");
        }
        const bool fourth = setting.BusinessKind == 2 || setting.BusinessKind == 4;
        for (int i = FirstAccountRowMedical; i <= setting.RowsHigh; ++i) {
            const TBALANCE& row = setting.Rows[static_cast<std::size_t>(i)];
            const std::string& code = byCode_ ? row.KMK.KCODE : fourth ? row.KMK.GroupCode4 : row.KMK.GROUPM2;
            // A row the load left empty is no line's.
            if (!code.empty())
                index_.emplace(byCode_ ? code : TwoDigits(code + "|", row.SUBREC), i);
        }
    }

    TTarget Find() const
    {
        const std::string first = query_.FieldByIndex(first_).AsString();
        const std::string key = byCode_ ? first : TwoDigits(first + "|", query_.FieldByIndex(second_).AsInteger());
        const auto found = index_.find(key);
        TBALANCE& row = setting_.Rows[found == index_.end() ? 0 : static_cast<std::size_t>(found->second)];
        if (!byCode_ || found == index_.end())
            return {&row, nullptr};
        const std::string hcode = query_.FieldByIndex(second_).AsString();
        for (THOJOUTIWAKE& sub : row.Hojo)
            if (sub.HCODE == hcode)
                return {&row, &sub};
        return {&row, nullptr};
    }

private:
    const TMedicalReadSetting& setting_;
    const db::Query& query_;
    bool byCode_;
    std::size_t first_ = 0;
    std::size_t second_ = 0;
    std::map<std::string, int> index_;  // the first row of each key
};

// One year of a line into a row or a sub-account entry: the opening, then
// count periods from index b on.
template <typename Row>
void AddYear(Row& row, int b, int count, Currency opening, const std::vector<Currency>& zan, bool openingIsChange)
{
    for (int t = 1; t <= count; ++t, ++b) {
        const Currency change = zan[static_cast<std::size_t>(t)];
        if (t == 1) {
            row.PeriodBalance[b] += opening + change;
            row.PeriodChange[b] += change + (openingIsChange ? opening : 0);
        } else {
            row.PeriodChange[b] += change;
            row.PeriodBalance[b] = row.PeriodBalance[b - 1] + row.PeriodChange[b];
        }
    }
}

template <typename Row>
void AddBudget(Row& row, std::int32_t layout, const std::vector<Currency>& yosan,
               const std::vector<std::vector<Currency>>& budgets, const std::vector<Currency>& jisseki,
               const std::vector<std::int32_t>& jkubun)
{
    for (std::size_t j = 1; j <= 15; ++j)
        row.YOSAN[j] += yosan[j];
    if (layout != 0)
        return;
    for (std::size_t b = 0; b < 3; ++b)
        for (std::size_t j = 1; j <= 15; ++j)
            row.Budgets[b][j] += budgets[b][j];
    for (std::size_t k = 1; k <= 16; ++k) {
        const std::size_t m = k % 4 == 0 ? k - 1 : k;
        if (k == m || row.PeriodFlags[m] == 0) {
            row.JISSEKI[m] += jisseki[k];
            row.PeriodFlags[m] += jkubun[k];
        }
    }
}

}  // namespace

void ClearOpeningsForEarlierYears(std::span<TBALANCE> rows, int last)
{
    if (AccInf.KAISINO <= 1)
        return;
    for (int i = 0; i <= last; ++i) {
        TBALANCE& row = rows[static_cast<std::size_t>(i)];
        row.OpeningByYear[0] = 0;
        row.OpeningByYear[1] = 0;
    }
}

void ReadMedicalEarlierYears(db::Query& query, const TMedicalReadSetting& setting)
{
    query.Open();
    if (query.Eof()) {
        query.Close();
        return;
    }
    const TColumns columns(query);
    const TRowFinder finder(setting, query, columns);
    const std::size_t nendo = columns("NENDO");
    const std::size_t kishu = columns("KISHU");
    std::vector<std::size_t> zanColumns(17);
    for (int t = 1; t <= 16; ++t)
        zanColumns[static_cast<std::size_t>(t)] = columns(TwoDigits("ZAN", t));
    // The periods of this year before the data's start month.
    const int before = MonthToPeriodNo(AccInf.KAISINO - 1) - 1;
    std::vector<Currency> zan(17);
    for (; !query.Eof(); query.Next()) {
        const std::int32_t n = query.FieldByIndex(nendo).AsInteger();
        if (n < 0 || n > 2)
            continue;
        const TTarget target = finder.Find();
        const Currency opening = query.FieldByIndex(kishu).AsCurrency();
        for (std::size_t t = 1; t <= 16; ++t)
            zan[t] = query.FieldByIndex(zanColumns[t]).AsCurrency();
        static constexpr int firstIndex[] = {1, -15, -31};
        const int count = n == 0 ? before : 16;
        TBALANCE& row = *target.row;
        if (n == 0)
            row.OpeningByYear[0] += opening;
        if (n == 2)
            row.PeriodBalance[-32] += opening;
        row.OpeningByYear[static_cast<std::size_t>(1 + n)] += opening;
        AddYear(row, firstIndex[n], count, opening, zan, row.KMK.KCODE == "9301");
        if (THOJOUTIWAKE* sub = target.sub) {
            if (n == 0)
                sub->OpeningByYear[0] = opening;
            if (n == 2)
                sub->PeriodBalance[-32] += opening;
            sub->OpeningByYear[static_cast<std::size_t>(1 + n)] = opening;
            AddYear(*sub, firstIndex[n], count, opening, zan, false);
        }
    }
    query.Close();
}

void ReadMedicalBudgets(db::Query& query, const TMedicalReadSetting& setting)
{
    query.Open();
    if (query.Eof()) {
        query.Close();
        return;
    }
    const TColumns columns(query);
    const TRowFinder finder(setting, query, columns);
    const bool standard = setting.Layout == 0;
    std::vector<std::size_t> yosanColumns(16);
    std::vector<std::vector<std::size_t>> budgetColumns(3, std::vector<std::size_t>(16));
    std::vector<std::size_t> jissekiColumns(17), jkubunColumns(17);
    for (int j = 1; j <= 15; ++j) {
        const auto at = static_cast<std::size_t>(j);
        yosanColumns[at] = columns(TwoDigits("YOSAN", j));
        if (standard) {
            budgetColumns[0][at] = yosanColumns[at];
            budgetColumns[1][at] = columns(TwoDigits("YOSAN2", j));
            budgetColumns[2][at] = columns(TwoDigits("YOSAN3", j));
        }
    }
    if (standard)
        for (int k = 1; k <= 16; ++k) {
            jissekiColumns[static_cast<std::size_t>(k)] = columns(TwoDigits("JISSEKI", k));
            jkubunColumns[static_cast<std::size_t>(k)] = columns(TwoDigits("JKUBUN", k));
        }
    std::vector<Currency> yosan(16), jisseki(17);
    std::vector<std::vector<Currency>> budgets(3, std::vector<Currency>(16));
    std::vector<std::int32_t> jkubun(17);
    for (; !query.Eof(); query.Next()) {
        for (std::size_t j = 1; j <= 15; ++j) {
            yosan[j] = query.FieldByIndex(yosanColumns[j]).AsCurrency();
            if (standard)
                for (std::size_t b = 0; b < 3; ++b)
                    budgets[b][j] = query.FieldByIndex(budgetColumns[b][j]).AsCurrency();
        }
        if (standard)
            for (std::size_t k = 1; k <= 16; ++k) {
                jisseki[k] = query.FieldByIndex(jissekiColumns[k]).AsCurrency();
                jkubun[k] = query.FieldByIndex(jkubunColumns[k]).AsInteger();
            }
        const TTarget target = finder.Find();
        AddBudget(*target.row, setting.Layout, yosan, budgets, jisseki, jkubun);
        if (target.sub)
            AddBudget(*target.sub, setting.Layout, yosan, budgets, jisseki, jkubun);
    }
    query.Close();
}
