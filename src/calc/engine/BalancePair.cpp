#include "calc/engine/BalancePair.h"

#include "calc/FiscalDates.h"
#include "calc/engine/AccumulationConditions.h"
#include "calc/engine/AccumulationStatements.h"
#include "calc/engine/AllocationPasses.h"
#include "calc/engine/TrialBalanceContext.h"
#include "calc/engine/TrialBalanceRecord.h"
#include "foundation/AccInf.h"

#include <array>
#include <memory>
#include <string>

namespace {

constexpr const char* CommonDepartment = "00";

// One year of KAKOZAN: its opening and the movements of periods 1 to 16.
struct TYearFigures {
    int Nendo = 0;
    Currency Opening = 0;
    std::array<Currency, 17> Movement{};
};

// The four lines of period sums of KAKOZAN in the tax mode.
std::string YearSumLines(std::int32_t tax)
{
    const std::string column = tax == 1 ? "NUKIZAN_" : "KOMIZAN_";
    std::string lines;
    for (int n = 1; n <= 16; ++n) {
        if (n > 1 && n % 4 == 1)
            lines += "\r\n";
        lines += "SUM(" + column + std::to_string(n) + ") AS " + TwoDigits("ZAN", n) + (n < 16 ? "," : "");
    }
    return lines;
}

TYearFigures TakeYear(const db::Query& q)
{
    TYearFigures year;
    year.Nendo = q.FieldByName("NENDO").AsInteger();
    year.Opening = q.FieldByName("KAISIZAN").AsCurrency();
    for (int n = 1; n <= 16; ++n)
        year.Movement[static_cast<std::size_t>(n)] = q.FieldByName(TwoDigits("ZAN", n)).AsCurrency();
    return year;
}

// The side block of a record's booked net movement by the account's side.
std::string SideBlock(std::int32_t tax)
{
    const std::string debit = tax == 1 ? "(MS.KAR_NUK-MS.KAR_IKKATSU)" : "(MS.KAR_NUK+MS.KAR_TAX)";
    const std::string credit = tax == 1 ? "(MS.KAS_NUK-MS.KAS_IKKATSU)" : "(MS.KAS_NUK+MS.KAS_TAX)";
    return "      (CASE KM.DAC\r\n"
           "       WHEN 1 THEN " +
           debit + "-" + credit +
           "\r\n"
           "       WHEN 2 THEN " +
           credit + "-" + debit +
           "\r\n"
           "       WHEN 3 THEN " +
           credit + "-" + debit +
           "\r\n"
           "       WHEN 4 THEN " +
           debit + "-" + credit +
           "\r\n"
           "       ELSE 0\r\n"
           "      END)";
}

// The budgets and actual figures of periods 1 to 16 of one account.
struct TBudgetFigures {
    std::array<std::array<Currency, 17>, 3> Budget{};
    std::array<Currency, 17> Actual{};
    std::array<std::int32_t, 17> Stored{};
};

template <typename Row>
void PlaceYear(Row& row, const TYearFigures& year, Currency sign, int periodsBeforeStart)
{
    const Currency opening = sign * year.Opening;
    row.OpeningByYear[static_cast<std::size_t>(year.Nendo + 1)] += opening;
    if (year.Nendo == 0)
        row.OpeningByYear[0] += opening;
    if (year.Nendo == 2)
        row.PeriodBalance[-32] += opening;
    const int start = year.Nendo == 0 ? 1 : year.Nendo == 1 ? -15 : -31;
    const int count = year.Nendo == 0 ? periodsBeforeStart - 1 : 16;
    for (int i = 1; i <= count; ++i) {
        const int p = start + i - 1;
        row.PeriodChange[p] += sign * year.Movement[static_cast<std::size_t>(i)];
        if (i == 1)
            row.PeriodBalance[p] += sign * (year.Opening + year.Movement[1]);
        else
            row.PeriodBalance[p] = row.PeriodBalance[p - 1] + row.PeriodChange[p];
    }
}

template <typename Row>
void PlaceBudgets(Row& row, const TBudgetFigures& figures, bool allAccounts)
{
    for (int m = 1; m <= 16; ++m)
        row.YOSAN[static_cast<std::size_t>(m)] += figures.Budget[0][static_cast<std::size_t>(m)];
    if (!allAccounts)
        return;
    for (std::size_t k = 0; k < 3; ++k)
        for (std::size_t m = 1; m <= 15; ++m)
            row.Budgets[k][m] += figures.Budget[k][m];
    // A quarter's settlement period counts with the quarter's last month.
    for (std::size_t j = 1; j <= 16; ++j) {
        const std::size_t slot = j % 4 == 0 ? j - 1 : j;
        row.JISSEKI[slot] += figures.Actual[j];
        row.PeriodFlags[slot] += figures.Stored[j];
    }
}

class TBalancePairBuilder final {
public:
    TBalancePairBuilder(TTrialBalanceContext& rows, const TCalcSisanhyoSettingRec& setting)
        : rows_(rows),
          setting_(setting),
          first_(AccInf.DATATYPE == 3 ? FirstAccountRowMedical : FirstAccountRowGeneral),
          tax_(TaxMode(setting)),
          periodsBeforeStart_(std::max(1, MonthToPeriodNo(AccInf.KAISINO - 1)))
    {}

    void Run()
    {
        {
            const std::unique_ptr<db::Query> lists = AccumulationStatement();
            conditions_ = BuildPairConditions(setting_, *lists);
        }
        pair_ = conditions_.Pair();
        db::Query& main = statements_.Prepare(MainStatement());
        main.Open();
        for (; !main.Eof(); main.Next())
            Record(main);
        main.Close();
    }

private:
    // Settlement layouts with ZENTAX 0 take the previous year's tax mode;
    // a tax mode is 1 (without tax) or else 0.
    static std::int32_t TaxMode(const TCalcSisanhyoSettingRec& setting)
    {
        const bool previous = (setting.Layout == 3 || setting.Layout == 4) && setting.ZENTAX == 0;
        return (previous ? AccInf.YearTaxModes[1] : setting.TAX) == 1 ? 1 : 0;
    }

    bool AllAccounts() const { return setting_.Layout == 0; }
    bool Settlement() const { return setting_.Layout == 3 || setting_.Layout == 4; }

    std::string MainStatement() const
    {
        std::string sql;
        if (AllAccounts()) {
            AddLine(sql, "SELECT KCODE,HCODE,BPFLG");
            AddLine(sql, "FROM KAMOKU_VIEW");
            AddConditionLine(sql, "WHERE ", pair_);
            AddLine(sql, "GROUP BY KCODE,HCODE,BPFLG");
            AddLine(sql, "ORDER BY KCODE,HCODE");
            return sql;
        }
        const std::string a = setting_.Layout == 1 ? "A4" : setting_.Layout == 2 ? "A3" : "KS";
        const std::string table = setting_.Layout == 1 ? "EXTERA4" : setting_.Layout == 2 ? "EXTERA3" : "EXTERKS";
        AddLine(sql, "SELECT " + a + ".REC," + a + ".KGROUP," + a + ".SUBREC," + a +
                         ".KNAME1,KM.GROUPM1,KM.GROUPM2,KM.KCODE,KM.USERCODE,KM.KNAME,KM.BPFLG,KM.DAC" +
                         (Settlement() ? ",KM.BLDAC" : ""));
        AddLine(sql, "FROM " + table + " " + a);
        AddLine(sql, "INNER JOIN KAMOKUMST KM ON (" + a + ".REC=KM.EXT1_" + a + ")");
        AddLine(sql, "ORDER BY " + a + ".KGROUP," + a + ".SUBREC,KM.USERCODE");
        return sql;
    }

    void Record(const db::Query& m)
    {
        const std::string kcode = m.FieldByName("KCODE").AsString();
        const std::string hcode = AllAccounts() ? m.FieldByName("HCODE").AsString() : std::string();
        if (!AllAccounts() && !HasBalanceRows(kcode))
            return;
        TBALANCE* row = nullptr;
        THOJOUTIWAKE* sub = nullptr;
        if (!FindTarget(m, kcode, hcode, row, sub))
            return;
        Currency sign = 1;
        if (Settlement()) {
            const std::int32_t dac = m.FieldByName("DAC").AsInteger();
            if ((dac == 2 || dac == 4) && DebitSideAccountsOnLine(row->MSTREC)) {
                row->KMK.TAISHAKU = m.FieldByName("BLDAC").AsInteger();
                sign = -1;
            }
        }
        EarlierYears(kcode, hcode, sign, *row, sub);
        if (m.FieldByName("BPFLG").AsString() == "P") {
            const TBudgetFigures budgets = Budgets(kcode, hcode);
            PlaceBudgets(*row, budgets, AllAccounts());
            if (sub)
                PlaceBudgets(*sub, budgets, AllAccounts());
        }
    }

    bool HasBalanceRows(const std::string& kcode) { return statements_.HasBalanceRows(kcode, pair_); }

    bool DebitSideAccountsOnLine(std::int32_t mstrec) { return statements_.DebitSideAccountsOnLine(mstrec); }

    // The row the trial balance made for the record and, when that row has
    // sub-accounts, the record's sub-account; false when there is none.
    bool FindTarget(const db::Query& m, const std::string& kcode, const std::string& hcode, TBALANCE*& row,
                    THOJOUTIWAKE*& sub)
    {
        const std::string kgroup = AllAccounts() ? std::string() : m.FieldByName("KGROUP").AsString();
        const std::int32_t subrec = AllAccounts() ? 0 : m.FieldByName("SUBREC").AsInteger();
        for (int i = first_; i <= rows_.RowsHigh && !row; ++i) {
            TBALANCE& candidate = rows_.Row(i);
            if (candidate.KMK.KCODE.empty())
                continue;
            if (AllAccounts() ? candidate.KMK.KCODE == kcode
                              : candidate.KMK.GROUPM2 == kgroup && candidate.SUBREC == subrec)
                row = &candidate;
        }
        if (!row)
            return false;
        if (row->HOJCNT <= 0)
            return true;
        const std::size_t count = std::min(static_cast<std::size_t>(row->HOJCNT), row->Hojo.size());
        for (std::size_t k = 0; k < count && !sub; ++k)
            if (AllAccounts() && row->Hojo[k].HCODE == hcode)
                sub = &row->Hojo[k];
        return sub != nullptr;
    }

    void EarlierYears(const std::string& kcode, const std::string& hcode, Currency sign, TBALANCE& row,
                      THOJOUTIWAKE* sub)
    {
        std::string sql = "SELECT NENDO,SUM(KISHU) AS KAISIZAN,\r\n" + YearSumLines(tax_) +
                          "\r\nFROM KAKOZAN\r\nWHERE (KCODE=:KCODE)";
        if (AllAccounts())
            AddLine(sql, "AND (HCODE=:HCODE)");
        AddConditionLine(sql, " AND ", pair_);
        AddLine(sql, "GROUP BY NENDO");
        AddLine(sql, "ORDER BY NENDO");
        db::Query& q = statements_.Prepare(sql, {{"KCODE", kcode}, {"HCODE", hcode}});
        q.Open();
        for (; !q.Eof(); q.Next()) {
            TYearFigures year = TakeYear(q);
            if (year.Nendo < 0 || year.Nendo > 2)
                continue;  // no place for it in the rows
            if (setting_.HAIBUN == 1)
                Allocate(kcode, hcode, year);
            PlaceYear(row, year, sign, periodsBeforeStart_);
            if (sub)
                PlaceYear(*sub, year, sign, periodsBeforeStart_);
        }
        q.Close();
    }

    void Allocate(const std::string& kcode, const std::string& hcode, TYearFigures& year)
    {
        std::string sql = "SELECT NENDO,";
        for (int n = 1; n <= 16; ++n)
            sql += std::string(n % 4 == 1 ? "\r\n" : "") + "HAIBUN_" + std::to_string(n) + "*0.01 AS " +
                   TwoDigits("HAIBUN", n) + (n < 16 ? "," : "");
        AddLine(sql, "FROM KAKOZAN");
        AddLine(sql, "WHERE (NENDO=:NENDO) AND (KCODE=:KCODE) AND (HCODE=:HCODE)");
        AddConditionLine(sql, " AND ", pair_);
        AddLine(sql, "ORDER BY NENDO");
        db::Query& rq = statements_.Prepare(sql, {{"KCODE", kcode}, {"HCODE", " "}}, {{"NENDO", year.Nendo}});
        TAllocationRatios ratios{};
        rq.Open();
        for (; !rq.Eof(); rq.Next())
            for (int n = 1; n <= 16; ++n)
                ratios[static_cast<std::size_t>(n)] = rq.FieldByName(TwoDigits("HAIBUN", n)).AsDouble();
        rq.Close();

        if (setting_.BCODE == CommonDepartment) {
            year.Opening = WeightedShare(year.Opening, ratios[1]);
            for (std::size_t n = 1; n <= 16; ++n)
                year.Movement[n] = WeightedShare(year.Movement[n], ratios[n]);
            return;
        }
        std::string common = "SELECT NENDO,SUM(KISHU) AS KAISIZAN,\r\n" + YearSumLines(tax_) +
                             "\r\nFROM KAKOZAN\r\nWHERE (NENDO=:NENDO) AND (KCODE=:KCODE)";
        if (AllAccounts())
            AddLine(common, "AND (HCODE=:HCODE)");
        AddConditionLine(common, " AND ", conditions_.Facility.Text());
        AddLine(common, "AND (BCODE=:BCODE)");
        AddLine(common, "GROUP BY NENDO");
        db::Query& cq = statements_.Prepare(common, {{"KCODE", kcode}, {"HCODE", hcode}, {"BCODE", CommonDepartment}},
                                            {{"NENDO", year.Nendo}});
        cq.Open();
        for (; !cq.Eof(); cq.Next()) {
            const TYearFigures shared = TakeYear(cq);
            year.Opening += WeightedShare(shared.Opening, ratios[1]);
            for (std::size_t n = 1; n <= 16; ++n)
                year.Movement[n] += WeightedShare(shared.Movement[n], ratios[n]);
        }
        cq.Close();
    }

    TBudgetFigures Budgets(const std::string& kcode, const std::string& hcode)
    {
        std::string sql =
            "SELECT MS.MNUM,SUM(MS.BYOSAN) AS YOSAN1,SUM(MS.BYOSAN2) AS YOSAN2,SUM(MS.BYOSAN3) AS YOSAN3,";
        AddLine(sql, "SUM(CASE MS.RW_JISSEKI_KBN");
        AddLine(sql, "    WHEN 0 THEN");
        AddLine(sql, SideBlock(tax_));
        AddLine(sql, "    WHEN 1 THEN MS.RW_JISSEKI");
        AddLine(sql, "    ELSE 0");
        AddLine(sql, "   END) AS JISSEKI,");
        AddLine(sql, "SUM(MS.RW_JISSEKI_KBN) AS JISSEKI_KBN");
        AddLine(sql, "FROM KAMOKU_MS MS");
        AddLine(sql, "INNER JOIN KAMOKUMST KM ON (MS.KCODE=KM.KCODE)");
        AddLine(sql, "WHERE (MS.KCODE=:KCODE)");
        if (AllAccounts())
            AddLine(sql, "AND (MS.HCODE=:HCODE)");
        AddConditionLine(sql, " AND ", conditions_.Facility.Text("MS."));
        AddConditionLine(sql, " AND ", conditions_.Department.Text("MS."));
        AddLine(sql, "GROUP BY MS.MNUM");
        db::Query& q = statements_.Prepare(sql, {{"KCODE", kcode}, {"HCODE", hcode}});
        TBudgetFigures figures;
        q.Open();
        for (; !q.Eof(); q.Next()) {
            const int m = q.FieldByName("MNUM").AsInteger();
            if (m < 1 || m > 16)
                continue;
            const auto at = static_cast<std::size_t>(m);
            figures.Budget[0][at] = q.FieldByName("YOSAN1").AsCurrency();
            figures.Budget[1][at] = q.FieldByName("YOSAN2").AsCurrency();
            figures.Budget[2][at] = q.FieldByName("YOSAN3").AsCurrency();
            figures.Actual[at] = q.FieldByName("JISSEKI").AsCurrency();
            figures.Stored[at] = q.FieldByName("JISSEKI_KBN").AsInteger();
        }
        q.Close();
        return figures;
    }

    TTrialBalanceContext& rows_;
    const TCalcSisanhyoSettingRec& setting_;
    const int first_;
    const std::int32_t tax_;
    const int periodsBeforeStart_;
    TPairConditions conditions_;
    std::string pair_;
    TStatementSet statements_;
};

template <typename Row>
void ShortenYears(Row& row, int h2, int h1)
{
    if (h2 > 0 && h2 < 16) {
        for (int p = h2 - 32; p <= -17; ++p) {
            row.PeriodChange[p] = 0;
            row.PeriodBalance[p] = 0;
        }
        row.PeriodChange[-16] = row.PeriodBalance[-16] - row.PeriodBalance[h2 - 33];
    }
    if (h1 > 0 && h1 < 16) {
        for (int p = h1 - 16; p <= -1; ++p) {
            row.PeriodChange[p] = 0;
            row.PeriodBalance[p] = 0;
        }
        row.PeriodChange[0] = row.PeriodBalance[0] - row.PeriodBalance[h1 - 17];
    }
}

}  // namespace

void BuildBalancePair(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                      const TCalcSisanhyoSettingRec& Setting)
{
    TTrialBalanceContext rows(Rows, RowsHigh, Order, OrderHigh);
    {
        TSnapshotUse snapshot;
        TBalancePairBuilder(rows, Setting).Run();
        snapshot.Finish();
    }
    // A shorter earlier year: its periods past its last one hold nothing,
    // and its settlement period shows the movement since then.
    const int h2 = MonthsBetweenToPeriod(AccInf.SIME, AccInf.YearStarts[2], AccInf.YearStarts[1]);
    const int h1 = MonthsBetweenToPeriod(AccInf.SIME, AccInf.YearStarts[1], AccInf.YearStarts[0]);
    for (int i = 0; i <= RowsHigh; ++i) {
        TBALANCE& row = rows.Row(i);
        ShortenYears(row, h2, h1);
        const std::size_t count = std::min(static_cast<std::size_t>(std::max(row.HOJCNT, 0)), row.Hojo.size());
        for (std::size_t k = 0; k < count; ++k)
            ShortenYears(row.Hojo[k], h2, h1);
    }
}
