#include "calc/engine/RangeCalculation.h"

#include "calc/AccountCodeTables.h"
#include "calc/engine/RangeAccountColumns.h"
#include "calc/engine/TotalSections.h"
#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/QueryFactory.h"
#include "foundation/SystemDef.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <utility>
#include <memory>
#include <stdexcept>
#include <string_view>

namespace {

// The five range columns the totals of totals work on.
struct Columns {
    Currency opening = 0;
    Currency debit = 0;
    Currency credit = 0;
    Currency closing = 0;
    Currency compare = 0;

    Columns operator+(const Columns& o) const
    {
        return {opening + o.opening, debit + o.debit, credit + o.credit, closing + o.closing, compare + o.compare};
    }
    Columns operator-(const Columns& o) const
    {
        return {opening - o.opening, debit - o.debit, credit - o.credit, closing - o.closing, compare - o.compare};
    }
};

Columns Get(const TBALANCE& row)
{
    return {row.RangeOpening, row.RangeDebit, row.RangeCredit, row.RangeClosing, row.RangeCompare};
}

void Put(TBALANCE& row, const Columns& c)
{
    row.RangeOpening = c.opening;
    row.RangeDebit = c.debit;
    row.RangeCredit = c.credit;
    row.RangeClosing = c.closing;
    row.RangeCompare = c.compare;
}

// A balance like the profit rows and the computed balancing figures: the
// opening, closing and comparison of a formula, no debit, and as credit the
// movement that leads from the opening to the closing.
void PutBalance(TBALANCE& row, const Columns& c)
{
    row.RangeOpening = c.opening;
    row.RangeClosing = c.closing;
    row.RangeCompare = c.compare;
    row.RangeDebit = 0;
    row.RangeCredit = c.closing - c.opening;
}

class RangeCalculator final {
public:
    RangeCalculator(std::span<TBALANCE> rows, int last) : rows_(rows), last_(last)
    {
        if (last < 0 || static_cast<std::size_t>(last) >= rows.size())
            throw std::out_of_range("last row index " + std::to_string(last) + " outside the rows");
    }

    TBALANCE& Row(int index) { return rows_[static_cast<std::size_t>(index)]; }
    // Total n; the scratch row when the array is too short to hold it.
    TBALANCE& T(int n)
    {
        const int index = AccountCodeTables().TotalRow.at(static_cast<std::size_t>(n));
        return Row(index <= last_ ? index : 0);
    }

    void Run(std::int32_t noOpening, std::int32_t kind, std::int32_t first, std::int32_t lastPeriod);

private:
    void AddRowToRangeTotal(TBALANCE& total, int totalNumber, const TBALANCE& account);
    void TotalsOfTotals(TBALANCE& balancing);
    void RenameProfitRows();
    void Ratios();
    void YearOpeningView(TBALANCE& balancing);

    std::span<TBALANCE> rows_;
    int last_;
};

void RangeCalculator::Run(std::int32_t noOpening, std::int32_t kind, std::int32_t first, std::int32_t lastPeriod)
{
    if (kind == 0 && first < 1) {
        char text[96];
        std::snprintf(text, sizeof text, "期間番号は「1～16」です。 [%d-%d]", first, lastPeriod);
        ShowCommaMessage(text, TMsgDlgType::mtError);
    }
    static constexpr std::array<std::pair<int, int>, 7> kindRanges{
        {{0, 0}, {1, 4}, {5, 8}, {9, 12}, {13, 16}, {1, 8}, {9, 16}}};
    if (kind >= 1 && kind <= 6) {
        first = kindRanges[static_cast<std::size_t>(kind)].first;
        lastPeriod = kindRanges[static_cast<std::size_t>(kind)].second;
    }

    for (int i = 0; i <= last_; ++i) {
        TBALANCE& row = Row(i);
        Put(row, Columns{});
        row.RangeRatio = 0;
        for (THOJOUTIWAKE& sub : row.Hojo)
            sub.RangeOpening = sub.RangeDebit = sub.RangeCredit = sub.RangeClosing = 0;
    }
    for (int i = FirstAccountRowGeneral; i <= last_; ++i)
        ComputeAccountRangeColumns(Row(i), noOpening, kind, first, lastPeriod);

    // The balancing row: the last account of the retained-earnings group,
    // whose own opening and closing the totals replace.
    TBALANCE* balancing = &Row(0);
    for (int i = FirstAccountRowGeneral; i <= last_; ++i) {
        TBALANCE& row = Row(i);
        if (row.KMK.GROUPM2 == AccountCodeTables().RetainedEarningsGroup) {
            row.RangeOpening = row.RangeClosing = row.RangeCompare = 0;
            balancing = &row;
        }
    }

    for (int i = FirstAccountRowGeneral; i <= last_; ++i) {
        const TBALANCE& row = Row(i);
        if (const auto total = RollUpTotal(row.KMK.GROUPM2))
            AddRowToRangeTotal(T(*total), *total, row);
    }

    if (SystemDef.SettlementBillOffset == 1) {
        for (int n : {NotesDiscountedRow, NotesEndorsedRow})
            T(n).RangeClosing = T(n).PeriodBalance[lastPeriod];
    }

    TotalsOfTotals(*balancing);
    RenameProfitRows();
    Ratios();
    if (AccInf.KAISINO > 1 && (kind == -1 || kind == 7))
        YearOpeningView(*balancing);
}

void RangeCalculator::AddRowToRangeTotal(TBALANCE& total, int totalNumber, const TBALANCE& account)
{
    ++total.SumCount;
    total.RangeDebit += account.RangeDebit;
    total.RangeCredit += account.RangeCredit;
    total.KMK.TAISHAKU = account.KMK.TAISHAKU;
    if (account.KMK.TAISHAKU < 1 || account.KMK.TAISHAKU > 4)
        return;
    const int sign = SectionSign(totalNumber, account.KMK.TAISHAKU);
    total.RangeOpening += sign * account.RangeOpening;
    total.RangeClosing += sign * account.RangeClosing;
    total.RangeCompare += sign * account.RangeCompare;
}

void RangeCalculator::TotalsOfTotals(TBALANCE& balancing)
{
    auto t = [&](int n) { return Get(T(n)); };
    auto set = [&](int n, const Columns& c) { Put(T(n), c); };
    set(2, t(2) + t(1));
    set(5, t(2) + t(3) + t(4));
    set(9, t(6) + t(7) + t(8));
    set(11, t(5) + t(9) + t(10));
    set(15, t(12) + t(13) + t(14));
    set(19, t(17) + t(18));
    const bool corporation = AccInf.DATATYPE == 1;
    if (corporation) {
        // Retained earnings brought forward is whatever balances the sheet.
        const Columns others = t(15) + t(16) + t(19) + t(20) + t(21) + t(23) + t(24) + t(25);
        const Columns assets = t(11);
        balancing.RangeOpening = assets.opening - others.opening;
        balancing.RangeClosing = assets.closing - others.closing;
        balancing.RangeCompare = assets.compare - others.compare;
        balancing.RangeCredit = balancing.RangeClosing - balancing.RangeOpening + balancing.RangeDebit;
        set(21, t(21) + Get(balancing));
    }
    set(22, t(20) + t(21));
    if (corporation) {
        set(23, t(23) + t(16) + t(19) + t(22));
        set(26, t(23) + t(24) + t(25));
    } else {
        PutBalance(T(23), t(11) - (t(15) + t(16) + t(19) + t(22)));
        set(26, t(16) + t(19) + t(22) + t(23));
    }
    set(27, t(15) + t(26));
    set(47, t(31) + t(32) + t(46) + t(33));
    set(35, t(31) + t(32) + t(46) + t(33) + t(34));
    set(30, t(29) + t(35) + t(30));
    set(29, t(35));
    PutBalance(T(36), t(28) - t(30));
    PutBalance(T(38), t(36) - t(37));
    PutBalance(T(41), t(38) + t(39) - t(40));
    PutBalance(T(44), t(41) + t(42) - t(43));
    PutBalance(T(45), t(44) - t(45));
}

void RangeCalculator::RenameProfitRows()
{
    if (!DM)
        return;  // no data module: nothing to read the names from
    db::Transaction& snapshot = DM->IBTransactionDATSS;
    // The names are read in the ordinary transaction, which the query starts
    // when none is active; one started here is ended here too, so that the
    // calculation leaves no transaction open behind it.
    db::Transaction& ordinary = DM->IBTransactionDAT;
    const bool ordinaryWasActive = ordinary.InTransaction();
    bool started = false;
    auto endOwn = [&](bool commit) {
        for (auto [transaction, own] : {std::pair{&ordinary, !ordinaryWasActive}, std::pair{&snapshot, started}}) {
            if (own && transaction->InTransaction()) {
                if (commit)
                    transaction->Commit();
                else
                    transaction->Rollback();
            }
        }
    };
    try {
        if (!snapshot.InTransaction()) {
            snapshot.Start();
            started = true;
        }
        for (int n : {36, 38, 41, 44, 45}) {
            TBALANCE& row = T(n);
            row.KMK.KNAME = GetTotalNameBySign(row.KMK.GROUPM2, row.KMK.KNAME, row.RangeClosing);
        }
        endOwn(true);
    } catch (const db::FbError& error) {
        HandleIBError(error, "pcBalanceSheet_Calcu", "");
        endOwn(false);
        throw;
    } catch (...) {
        endOwn(false);
        throw;
    }
}

void RangeCalculator::Ratios()
{
    const Currency assets = T(11).RangeClosing;
    const Currency liabilitiesAndNetAssets = T(27).RangeClosing;
    const Currency sales = T(28).RangeClosing;
    for (int i = 0; i <= last_; ++i) {
        TBALANCE& row = Row(i);
        const std::string_view code = row.KMK.GROUPM2;
        Currency base = 0;
        if (code > "1000" && code < "1900")
            base = assets;
        else if (code > "2000" && code < "3900")
            base = liabilitiesAndNetAssets;
        else if (code > "4000" && code <= "8400")
            base = sales;
        if (base != 0)
            row.RangeRatio =
                ClampPercent(RatioToPercent(static_cast<double>(row.RangeClosing) / static_cast<double>(base)));
    }
    for (int n : {11, 27, 28})
        T(n).RangeRatio = 100 * CurrencyScale;
}

void RangeCalculator::YearOpeningView(TBALANCE& balancing)
{
    for (int n : {11, 15, 16, 17, 18, 19, 20, 21, 23, 24, 25, 26, 27})
        T(n).RangeOpening = 0;
    struct OpeningRange {
        const char* lower;
        const char* upper;
        int total;
    };
    static constexpr OpeningRange openingRanges[] = {{"1000", "1900", 11}, {"1900", "2800", 15}, {"2800", "3180", 16},
                                                     {"3180", "3210", 17}, {"3210", "3270", 18}, {"3270", "3280", 19},
                                                     {"3280", "3310", 20}, {"3310", "3330", 21}, {"3380", "3480", 23},
                                                     {"3480", "3580", 24}, {"3580", "3680", 25}, {"3680", "3800", 26}};
    TBALANCE* drawings = nullptr;
    TBALANCE* contributions = nullptr;
    TBALANCE* capital = nullptr;
    for (int i = FirstAccountRowGeneral; i <= last_; ++i) {
        TBALANCE& row = Row(i);
        const std::string_view code = row.KMK.GROUPM2;
        if (!(code > "1000" && code < "3800"))
            continue;
        row.RangeOpening = row.KISHU0;
        int total = 0;
        for (const OpeningRange& range : openingRanges)
            if (code > range.lower && code < range.upper) {
                total = range.total;
                break;
            }
        if (row.KMK.TAISHAKU >= 1 && row.KMK.TAISHAKU <= 4) {
            TBALANCE& target = total == 0 ? Row(0) : T(total);
            target.RangeOpening += SectionSign(total == 0 ? 1 : total, row.KMK.TAISHAKU) * row.KISHU0;
        }
        if (row.KMK.GROUPM1 == "1100" && row.SUBREC == 24)
            drawings = &row;
        if (row.KMK.GROUPM1 == "2100" && row.SUBREC == 22)
            contributions = &row;
        if (row.KMK.GROUPM1 == "2100" && row.SUBREC == 23)
            capital = &row;
    }
    auto opening = [&](int n) { return T(n).RangeOpening; };
    if (AccInf.DATATYPE == 2 && capital) {
        const Currency drawn = drawings ? drawings->RangeOpening : 0;
        const Currency contributed = contributions ? contributions->RangeOpening : 0;
        capital->RangeOpening =
            contributed - drawn + capital->RangeOpening + (opening(11) - (opening(15) + opening(16)));
        if (drawings)
            drawings->RangeOpening = 0;
        if (contributions)
            contributions->RangeOpening = 0;
    }
    if (AccInf.DATATYPE == 1) {
        T(19).RangeOpening = opening(17) + opening(18);
        balancing.RangeOpening = opening(11) - (opening(15) + opening(16) + opening(19) + opening(20) + opening(21) +
                                                opening(23) + opening(24) + opening(25));
        T(21).RangeOpening += balancing.RangeOpening;
        T(22).RangeOpening = opening(20) + opening(21);
        T(23).RangeOpening = opening(23) + opening(16) + opening(19) + opening(22);
        T(26).RangeOpening = opening(23) + opening(24) + opening(25);
        T(45).RangeCredit = balancing.RangeClosing - balancing.RangeOpening;
    }
}

}  // namespace

void CalcBalancePeriodsGeneral(std::span<TBALANCE> rows, int last, std::int32_t noOpening, std::int32_t kind,
                               std::int32_t first, std::int32_t lastPeriod)
{
    RangeCalculator(rows, last).Run(noOpening, kind, first, lastPeriod);
}

std::string GetTotalNameBySign(const std::string& groupCode, const std::string& currentName, Currency amount)
{
    const std::unique_ptr<db::Query> query = CreateAccQuery("ACCDAT", false);
    if (!query)
        return currentName;
    // The group code is a parameter, never text spliced into the statement.
    query->SetSQL("SELECT PLUSNAME,MINUSNAME,MODIFY FROM ACCTOTALNAME WHERE (KGROUP=:KGROUP)");
    query->ParamByName("KGROUP").SetString(groupCode);
    query->Open();
    if (query->Eof())
        return currentName;
    std::string name = query->FieldByName("PLUSNAME").AsString();
    if (query->FieldByName("MODIFY").AsInteger() == 1) {
        if (amount < 0)
            name = query->FieldByName("MINUSNAME").AsString();
        if (SystemDef.KingakuPlus == 1)
            name += "金額";
    }
    query->Close();
    return name;
}
