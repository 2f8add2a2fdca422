#include "calc/engine/TrialBalanceTotals.h"

#include "calc/AccountCodeTables.h"
#include "foundation/QueryFactory.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <utility>

namespace {

// Closes the load's query however the step ends.
class QueryCloser final {
public:
    explicit QueryCloser(db::Query& query) : query_(query) {}
    ~QueryCloser() { query_.Close(); }
    QueryCloser(const QueryCloser&) = delete;
    QueryCloser& operator=(const QueryCloser&) = delete;

private:
    db::Query& query_;
};

int TotalRow(int total)
{
    return AccountCodeTables().TotalRow.at(static_cast<std::size_t>(total));
}

// The settlement heading as a total position shows it; nothing for the
// positions that keep PLUSNAME.
std::optional<std::string> SettlementHeading(int position, const std::string& text)
{
    static constexpr std::array bracketed{5, 9, 10, 12, 13, 14, 23, 24, 25, 28, 30, 31, 32, 33, 37, 39, 40, 42, 43, 46};
    if (std::find(bracketed.begin(), bracketed.end(), position) != bracketed.end())
        return "【" + text + "】";
    if (position >= 6 && position <= 8)
        return "（" + text + "）";
    if (position == 19 || position == 22)
        return text;
    return std::nullopt;
}

void HideTotal(TTrialBalanceContext& load, int total, bool clearName)
{
    const int row = TotalRow(total);
    if (!load.HasRow(row))
        return;
    TBALANCE& r = load.Row(row);
    r.KMK.GROUPM1.clear();
    r.KMK.GROUPM2.clear();
    if (clearName)
        r.KMK.KNAME.clear();
    if (load.HasOrderEntry(row))
        load.OrderEntry(row).Key = LastOrderKey;
}

}  // namespace

void SetupTotalRows(TTrialBalanceContext& load, bool departmentScope)
{
    db::Query& query = *load.Query;
    {
        const QueryCloser closer(query);
        query.SetSQL("SELECT * FROM ACCTOTALNAME ORDER BY KGROUP ");
        query.Open();
        for (; !query.Eof(); query.Next()) {
            const std::int32_t a = query.FieldByName("ARRAYNUM").AsInteger();
            if (a < 1 || a >= FirstAccountRowGeneral || !load.HasRow(a))
                continue;
            TBALANCE& row = load.Row(a);
            const std::string group = query.FieldByName("KGROUP").AsString();
            row.KMK.GROUPM1 = group;
            row.KMK.GROUPM2 = group;
            row.KMK.KCODE.clear();
            row.KMK.KNAME = query.FieldByName("PLUSNAME").AsString();
            if ((load.Scope == 10 || load.Scope == 30) && query.FieldByName("KESSAN_USE").AsInteger() == 1) {
                if (auto heading = SettlementHeading(a, query.FieldByName("KESSAN_TEXT").AsString()))
                    row.KMK.KNAME = std::move(*heading);
            }
            const std::int32_t kind = query.FieldByName("KESKUBUN").AsInteger();
            if (kind == 0 || kind == load.KESKUBUN) {
                row.KMK.BSPL = group < "4000" ? "B" : "P";
                if (load.HasOrderEntry(a))
                    load.OrderEntry(a) = TQSORT{row.KMK.GROUPM1, a};
            }
        }
        if (load.HasRow(TotalRow(29)) && load.HasRow(TotalRow(35)))
            load.Row(TotalRow(29)).KMK.KNAME = load.Row(TotalRow(35)).KMK.KNAME;
        if (load.KESKUBUN == 1) {
            for (int total : {3, 4, 2})
                HideTotal(load, total, false);
        } else {
            HideTotal(load, 47, false);
        }
    }
    if (!departmentScope)
        return;
    const QueryCloser closer(query);
    query.SetSQL("SELECT BUMON FROM ACCDEF1 WHERE REC=1");
    query.Open();
    if (!query.Eof() && query.FieldByName("BUMON").AsInteger() == 1) {
        // Department statements show neither the balance sheet nor the
        // non-operating, extraordinary and tax totals.
        for (int total = 1; total <= 27; ++total)
            HideTotal(load, total, true);
        for (int total = 42; total <= 45; ++total)
            HideTotal(load, total, true);
    }
}

void ListGroupDepartments(TTrialBalanceContext& load)
{
    load.Departments.clear();
    db::Query& query = *load.Query;
    const QueryCloser closer(query);
    // The group code is a parameter, never text spliced into the statement.
    query.SetSQL("SELECT BCODE FROM GROUPLIST WHERE GCODE=:GCODE");
    query.ParamByName("GCODE").SetString(load.BCODE);
    query.Open();
    for (; !query.Eof(); query.Next())
        load.Departments.push_back(query.FieldByName("BCODE").AsString());
}

std::int32_t PeriodsBeforeStart(std::int32_t kaisino, std::int32_t fallback)
{
    static constexpr std::array<std::int32_t, 12> before{0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};
    if (kaisino < 1 || kaisino > 12)
        return fallback;
    return before[static_cast<std::size_t>(kaisino - 1)];
}

std::int32_t FindSpecialAccountRow(TTrialBalanceContext& load, const std::string& code, bool notesOffsetMode, int last)
{
    last = std::min(last, load.RowsHigh);
    if (notesOffsetMode) {
        for (int i = FirstAccountRowGeneral; i <= last; ++i)
            if (load.Row(i).KMK.KCODE == code)
                return i;
        return 0;
    }
    const std::unique_ptr<db::Query> statement = CreateAccSQL("ACCDAT", true);
    if (!statement)
        return 0;
    statement->SetSQL("SELECT EXT1_KS FROM KAMOKUMST WHERE KCODE=:TOKUTEI AND USE>0 ");
    statement->ParamByName("TOKUTEI").SetString(code);
    statement->ExecSQL();
    if (statement->Eof())
        return 0;
    const std::int32_t line = statement->FieldByName("EXT1_KS").AsInteger();
    statement->Close();
    for (int i = FirstAccountRowGeneral; i <= last; ++i)
        if (load.Row(i).MSTREC == line)
            return i;
    return 0;
}

void MergeIntoSpecialRow(TTrialBalanceContext& load, int r, int s, int t)
{
    TBALANCE& receiving = load.Row(r);
    TBALANCE& source = load.Row(s);
    TBALANCE& shown = load.Row(t);
    shown.KMK.GROUPM1 = source.KMK.GROUPM1;
    shown.KMK.GROUPM2 = source.KMK.GROUPM2;
    shown.KMK.USERCODE = source.KMK.USERCODE;
    shown.KMK.KCODE = source.KMK.KCODE;
    shown.KMK.KNAME = source.KMK.KNAME;
    shown.KMK.BSPL = source.KMK.BSPL;
    shown.KMK.TAISHAKU = source.KMK.TAISHAKU;
    shown.KAISIZAN = source.KAISIZAN;
    // The opening joins the receiving row on its balance side: an account of
    // the other side (the notes given away are credit balances) lowers it.
    // This keeps KAISIZAN equal to the merged PeriodBalance[0] below.
    if (DebitBalanceSide(source.KMK.TAISHAKU) == DebitBalanceSide(receiving.KMK.TAISHAKU))
        receiving.KAISIZAN += source.KAISIZAN;
    else
        receiving.KAISIZAN -= source.KAISIZAN;
    for (int i = -15; i <= 16; ++i) {
        if (i >= 1) {
            receiving.KAR[i] += source.KAR[i];
            receiving.KAS[i] += source.KAS[i];
            receiving.PeriodChange[i] = SignedMovement(receiving.KMK.TAISHAKU, receiving.KAR[i], receiving.KAS[i]);
            receiving.PeriodBalance[i] = receiving.PeriodBalance[i - 1] + receiving.PeriodChange[i];
            shown.KAR[i] = source.KAR[i];
            shown.KAS[i] = source.KAS[i];
            shown.PeriodChange[i] = source.PeriodChange[i];
            shown.PeriodBalance[i] = source.PeriodBalance[i];
            source.KAR[i] = 0;
            source.KAS[i] = 0;
        } else if (DebitBalanceSide(receiving.KMK.TAISHAKU)) {
            receiving.PeriodBalance[i] -= source.PeriodBalance[i];
            receiving.PeriodChange[i] -= source.PeriodChange[i];
        } else {
            receiving.PeriodBalance[i] += source.PeriodBalance[i];
            receiving.PeriodChange[i] += source.PeriodChange[i];
        }
        source.PeriodChange[i] = 0;
        source.PeriodBalance[i] = 0;
    }
    source.KAISIZAN = 0;
    if (load.HasOrderEntry(s))
        load.OrderEntry(s).Key = LastOrderKey;
}
