#include "calc/engine/MedicalRangeCalculation.h"

#include "calc/FiscalDates.h"
#include "calc/engine/MedicalTotals.h"
#include "calc/engine/RangeAccountColumns.h"
#include "calc/engine/TrialBalanceContext.h"
#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/QueryFactory.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <utility>

namespace {

constexpr const char* TotalNameTitle = "合計名称読込";

bool NamedTotal(const std::string& code)
{
    static constexpr const char* named[] = {"3480", "6950", "7300", "8300", "9280", "9380", "9600"};
    return std::any_of(std::begin(named), std::end(named), [&](const char* n) { return code == n; });
}

class MedicalRange final {
public:
    MedicalRange(std::span<TBALANCE> rows, int last, std::int32_t businessKind)
        : rows_(rows), last_(last), kind_(businessKind), side_(MedicalSide(businessKind))
    {
        if (last < 0 || static_cast<std::size_t>(last) >= rows.size())
            throw std::out_of_range("last row index " + std::to_string(last) + " outside the rows");
    }

    void Run(std::int32_t noOpening, std::int32_t kind, std::int32_t first, std::int32_t lastPeriod);

private:
    // Total n; the scratch row 0 when the rows do not reach it.
    TBALANCE& T(int n) { return rows_[static_cast<std::size_t>(n <= last_ ? n : 0)]; }
    void MoveProfitIntoRetainedEarnings();
    void Totals();
    void Formulas();
    void Names();
    void Ratios();

    std::span<TBALANCE> rows_;
    int last_;
    std::int32_t kind_;
    int side_;
};

void MedicalRange::Run(std::int32_t noOpening, std::int32_t kind, std::int32_t first, std::int32_t lastPeriod)
{
    if (!ValidBusinessKind(kind_))
        ShowCommaMessage("事業区分の設定が必要です。", TMsgDlgType::mtError);
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
    if (kind > 0) {
        // A short year ends in an earlier period: its last range runs to
        // the settlement period 16.
        const int yearEnd = MonthToPeriodNo(MonthsBetween(AccInf.SIME, AccInf.KISHU, AccInf.KIMATU));
        if (yearEnd < lastPeriod)
            lastPeriod = 16;
    }
    // The period arrays hold nothing outside 1 to 16.
    first = std::max(first, 1);
    lastPeriod = std::min(lastPeriod, 16);

    for (int i = 0; i <= last_; ++i) {
        TBALANCE& row = rows_[static_cast<std::size_t>(i)];
        row.RangeOpening = row.RangeDebit = row.RangeCredit = row.RangeClosing = row.RangeRatio = row.RangeCompare = 0;
        for (THOJOUTIWAKE& sub : row.Hojo)
            sub.RangeOpening = sub.RangeDebit = sub.RangeCredit = sub.RangeClosing = 0;
    }
    for (int i = FirstAccountRowMedical; i <= last_; ++i)
        ComputeAccountRangeColumns(rows_[static_cast<std::size_t>(i)], noOpening, kind, first, lastPeriod);
    if (ProfitOpeningRestarts(kind, first))
        MoveProfitIntoRetainedEarnings();
    Totals();
    Formulas();
    Names();
    Ratios();
}

void MedicalRange::MoveProfitIntoRetainedEarnings()
{
    // A: the assets' openings, B: the liabilities' and net assets'. Their
    // difference is the profit of the periods before the range, which the
    // profit-and-loss accounts no longer carry.
    Currency assets = 0;
    Currency others = 0;
    TBALANCE* retained = &rows_[0];
    for (int i = FirstAccountRowMedical; i <= last_; ++i) {
        TBALANCE& row = rows_[static_cast<std::size_t>(i)];
        const std::string& group = row.KMK.GROUPM1;
        if (group < "2000")
            assets += DebitBalanceSide(row.KMK.TAISHAKU) ? row.RangeOpening : -row.RangeOpening;
        else if (group < "4000")
            others += DebitBalanceSide(row.KMK.TAISHAKU) ? -row.RangeOpening : row.RangeOpening;
        if (!AccInf.SystemCodes[4].empty() && row.KMK.KCODE == AccInf.SystemCodes[4])
            retained = &row;
    }
    retained->RangeOpening += assets - others;
    retained->RangeClosing =
        retained->RangeOpening + SignedMovement(retained->KMK.TAISHAKU, retained->RangeDebit, retained->RangeCredit);
}

void MedicalRange::Totals()
{
    for (int t = 1; t <= MedicalLastTotal && t <= last_; ++t)
        T(t).SumCount = 0;
    ForEachAccountInTotal(rows_, last_, side_, [](int t, TBALANCE& total, const TBALANCE& account) {
        ++total.SumCount;
        total.RangeDebit += account.RangeDebit;
        total.RangeCredit += account.RangeCredit;
        const int sign = MedicalSectionSign(t, account.KMK.TAISHAKU);
        total.RangeOpening += sign * account.RangeOpening;
        total.RangeClosing += sign * account.RangeClosing;
        total.RangeCompare += sign * account.RangeCompare;
        total.KMK.TAISHAKU = account.KMK.TAISHAKU;
    });
}

void MedicalRange::Formulas()
{
    for (auto [to, from] : {std::pair{26, 25}, std::pair{28, 27}, std::pair{30, 29}})
        T(to).SumCount += T(from).SumCount;
    for (const TMedicalFormula& f : MedicalFormulas()) {
        Currency opening = 0, debit = 0, credit = 0, closing = 0;
        for (const auto& [n, sign] : f.terms) {
            opening += sign * T(n).RangeOpening;
            debit += sign * T(n).RangeDebit;
            credit += sign * T(n).RangeCredit;
            closing += sign * T(n).RangeClosing;
        }
        TBALANCE& target = T(f.target);
        target.RangeOpening = opening;
        target.RangeClosing = closing;
        // A profit row shows no debit and, as credit, the movement that
        // leads from its opening to its closing.
        target.RangeDebit = f.balance ? 0 : debit;
        target.RangeCredit = f.balance ? closing - opening : credit;
    }
    T(54).RangeClosing = T(49).RangeClosing - T(45).RangeClosing - T(46).RangeClosing;
}

void MedicalRange::Names()
{
    if (!DM)
        return;  // no data module: nothing to read the names from
    const std::unique_ptr<db::Query> query = CreateAccQuery("ACCDAT", false);
    if (!query)
        return;
    db::Transaction& transaction = DM->IBTransactionDAT;
    // Only total rows carry a total's name: an account whose group code
    // happens to be a named total's keeps its own.
    for (int i = 0; i <= last_; ++i) {
        TBALANCE& row = rows_[static_cast<std::size_t>(i)];
        if (!row.KMK.KCODE.empty() || !NamedTotal(row.KMK.GROUPM1))
            continue;
        try {
            if (!transaction.InTransaction())
                transaction.Start();
            query->SetSQL(
                "SELECT PLUSNAME,MINUSNAME,MODIFY FROM ACCTOTALNAME WHERE (BIN_AND( MB_JIGYOU,CAST(:KIND AS "
                "INTEGER))=CAST(:KIND2 AS INTEGER) ) AND (KGROUP=:KGROUP)");
            query->ParamByName("KIND").SetInteger(kind_);
            query->ParamByName("KIND2").SetInteger(kind_);
            query->ParamByName("KGROUP").SetString(row.KMK.GROUPM1);
            query->Open();
            if (!query->Eof()) {
                if (query->FieldByName("MODIFY").AsInteger() == 1) {
                    std::string name = query->FieldByName(row.RangeClosing >= 0 ? "PLUSNAME" : "MINUSNAME").AsString();
                    if (kind_ == 0 || kind_ == 255)
                        ReplaceAll(name, "医業", "事業");
                    row.KMK.KNAME = name;
                } else {
                    row.KMK.KNAME = query->FieldByName("PLUSNAME").AsString();
                }
            }
            query->Close();
            transaction.Commit();
        } catch (const db::FbError& error) {
            query->Close();
            if (transaction.InTransaction())
                transaction.Rollback();
            ShowFBError(error, TotalNameTitle);
        } catch (...) {
            query->Close();
            if (transaction.InTransaction())
                transaction.Rollback();
            throw;
        }
    }
}

void MedicalRange::Ratios()
{
    const Currency bases[] = {T(11).RangeClosing, T(24).RangeClosing, T(32).RangeClosing};
    for (int i = 0; i <= last_; ++i) {
        TBALANCE& row = rows_[static_cast<std::size_t>(i)];
        const std::string& code = ComparisonCode(row.KMK, side_);
        int number = 0;
        std::from_chars(code.data(), code.data() + code.size(), number);
        const int range = number >= 1000 && number <= 1900   ? 0
                          : number >= 2000 && number <= 3900 ? 1
                          : number >= 4000 && number <= 9500 ? 2
                                                             : -1;
        if (range < 0 || bases[range] == 0)
            continue;
        row.RangeRatio =
            ClampPercent(RatioToPercent(static_cast<double>(row.RangeClosing) / static_cast<double>(bases[range])));
    }
}

}  // namespace

void CalcBalancePeriodsMedical(std::span<TBALANCE> rows, int last, std::int32_t noOpening, std::int32_t kind,
                               std::int32_t first, std::int32_t lastPeriod, std::int32_t businessKind)
{
    MedicalRange(rows, last, businessKind).Run(noOpening, kind, first, lastPeriod);
}
