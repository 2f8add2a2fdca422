#include "calc/engine/TrialBalanceRead.h"

#include "calc/engine/TrialBalanceTotals.h"
#include "foundation/AccInf.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"

#include <algorithm>
#include <array>
#include <span>
#include <cstdio>
#include <string>

namespace {

// The prefix followed by n in at least two digits ("%2.2d").
std::string TwoDigits(const std::string& prefix, int n)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%2.2d", n);
    return prefix + digits;
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// An individual's settlement lines move between the sales and cost groups
// and the non-operating ones by the account's master record number; each
// rule sees the result of the one before.
std::string RegroupedForIndividual(std::string group, std::int32_t mstrec)
{
    struct Rule {
        const char* from;
        bool above;  // MSTREC above the limit, else below
        std::int32_t limit;
        const char* to;
    };
    static constexpr Rule codeType1[] = {{"4100", true, 97, "7100"},
                                         {"6100", true, 97, "7200"},
                                         {"7100", false, 98, "4100"},
                                         {"7200", false, 98, "6100"}};
    static constexpr Rule codeType2[] = {{"6100", true, 63, "7200"}, {"7200", false, 64, "6100"}};
    static constexpr Rule codeType4[] = {{"4100", true, 78, "7100"},
                                         {"6100", true, 78, "7200"},
                                         {"7100", false, 79, "4100"},
                                         {"7200", false, 79, "6100"}};
    std::span<const Rule> rules;
    if (AccInf.CODETYPE == 1)
        rules = codeType1;
    else if (AccInf.CODETYPE == 2)
        rules = codeType2;
    else if (AccInf.CODETYPE == 4)
        rules = codeType4;
    for (const Rule& rule : rules)
        if (group == rule.from && (rule.above ? mstrec > rule.limit : mstrec < rule.limit))
            group = rule.to;
    return group;
}

// The period columns of one record, added to what the row holds, then the
// changes and running balances from the opening (index 0) on.
template <typename Row>
void AddPeriods(Row& row, const db::Query& query, std::int32_t taishaku)
{
    row.KAISIZAN += query.FieldByName("KAISIZAN").AsCurrency();
    row.OpeningByYear[0] = row.KAISIZAN;
    row.OpeningByYear[1] = row.KAISIZAN;
    for (int p = 1; p <= 16; ++p) {
        row.KAR[p] += query.FieldByName(TwoDigits("KAR", p)).AsCurrency();
        row.KAS[p] += query.FieldByName(TwoDigits("KAS", p)).AsCurrency();
    }
    row.PeriodChange[0] = row.KAISIZAN;
    row.PeriodBalance[0] = row.KAISIZAN;
    for (int p = 1; p <= 16; ++p) {
        row.PeriodChange[p] = SignedMovement(taishaku, row.KAR[p], row.KAS[p]);
        row.PeriodBalance[p] = row.PeriodBalance[p - 1] + row.PeriodChange[p];
    }
}

// The sub-account records that follow an account announced with n of them
// (HOJCNT). A first record with a blank code carries the part booked without
// a sub-account. The list is cut to the records that really belong to the
// account: the next account's record, or the end of the result, ends it.
void ReadSubAccounts(TTrialBalanceContext& load, TBALANCE& row, int n)
{
    db::Query& query = *load.Query;
    if (row.HOJCNT == 0) {
        if (!query.Eof() && Trimmed(query.FieldByName("HCODE").AsString()).empty())
            ++n;
        row.HOJCNT = n;
        row.Hojo.assign(static_cast<std::size_t>(n), THOJOUTIWAKE{});
    }
    for (int k = 0; k < row.HOJCNT; ++k) {
        if (query.Eof() || query.FieldByName("KCODE").AsString() != row.KMK.KCODE) {
            row.HOJCNT = k;
            row.Hojo.resize(static_cast<std::size_t>(k));
            return;
        }
        THOJOUTIWAKE& sub = row.Hojo[static_cast<std::size_t>(k)];
        sub.HCODE = query.FieldByName("HCODE").AsString();
        sub.HNAME = query.FieldByName("HNAME").AsString();
        AddPeriods(sub, query, row.KMK.TAISHAKU);
        query.Next();
    }
}

void OffsetNotes(TTrialBalanceContext& load, bool notesOffset, std::array<int, 3> remembered, int last)
{
    // 受取手形, 割引手形, 裏書手形
    for (std::size_t i = 0; i < remembered.size(); ++i)
        if (remembered[i] == 0)
            remembered[i] = FindSpecialAccountRow(load, AccInf.NoteAccountCodes[i], notesOffset, last);
    if (remembered[1] == remembered[2])
        remembered[2] = 0;
    const int receivable = remembered[0];
    if (receivable == 0)
        return;
    if (remembered[1] != 0)
        MergeIntoSpecialRow(load, receivable, remembered[1], 48);
    if (remembered[2] != 0)
        MergeIntoSpecialRow(load, receivable, remembered[2], 49);
}

}  // namespace

int ReadTrialBalanceRows(TTrialBalanceContext& load, bool Settlement, bool NotesOffset)
{
    db::Query& query = *load.Query;
    std::array<int, 3> noteRows{};  // 受取手形, 割引手形, 裏書手形
    int last = FirstAccountRowGeneral - 1;
    query.Open();
    while (!query.Eof()) {
        if (query.FieldByName("GROUPM1").AsString() == "9900") {
            query.Next();
            continue;
        }
        if (last + 1 > load.RowsHigh || last + 1 > load.OrderHigh)
            throw TTrialBalanceError(
                "科目数が集計できる上限（" +
                std::to_string(std::min(load.RowsHigh, load.OrderHigh) - (FirstAccountRowGeneral - 1)) +
                "科目）を超えています。");
        const int index = ++last;
        TBALANCE& row = load.Row(index);
        row.KMK.GROUPM1 = query.FieldByName("GROUPM1").AsString();
        row.KMK.GROUPM2 = query.FieldByName("GROUPM2").AsString();
        row.KMK.USERCODE = query.FieldByName("USERCODE").AsString();
        row.KMK.KCODE = query.FieldByName("KCODE").AsString();
        row.KMK.KNAME = query.FieldByName("KNAME").AsString();
        row.KMK.BSPL = query.FieldByName("BSPL").AsString();
        row.KMK.TAISHAKU = query.FieldByName("TAISHAKU").AsInteger();

        int n = 0;
        if (load.Layout == 0 && !Settlement) {
            n = query.FieldByName("HOJCNT").AsInteger();
        } else if (load.Layout == 1 || load.Layout == 2 || Settlement) {
            row.MSTREC = query.FieldByName("MSTREC").AsInteger();
            row.SUBREC = query.FieldByName("SUBREC").AsInteger();
            for (std::size_t i = 0; i < noteRows.size(); ++i)
                if (!AccInf.NoteAccountCodes[i].empty() && row.KMK.KCODE == AccInf.NoteAccountCodes[i])
                    noteRows[i] = index;
        }
        AddPeriods(row, query, row.KMK.TAISHAKU);

        if (Settlement && load.Scope == 30) {
            // The prior year's periods, from its opening KISHU1.
            const Currency opening = query.FieldByName("KISHU1").AsCurrency();
            for (int j = -15; j <= 0; ++j) {
                const Currency value = query.FieldByName(TwoDigits("ZANM", -j)).AsCurrency();
                row.PeriodChange[j] = value;
                row.PeriodBalance[j] = (j == -15 ? opening : row.PeriodBalance[j - 1]) + value;
            }
        }
        if (Settlement && AccInf.KAISINO > 1) {
            // Data that starts during the year: the periods before its start.
            const int m = PeriodsBeforeStart(AccInf.KAISINO, 0);
            row.KISHU0 = query.FieldByName("KISHU0").AsCurrency();
            for (int j = 1; j <= m; ++j) {
                const Currency value = query.FieldByName(TwoDigits("ZANP", j)).AsCurrency();
                row.PeriodChange[j] = value;
                row.PeriodBalance[j] = (j == 1 ? row.KISHU0 : row.PeriodBalance[j - 1]) + value;
            }
        }

        std::string key;
        if (load.Layout == 0)
            key = (row.KMK.GROUPM1 == "5300" ? std::string("5881") : row.KMK.GROUPM2) + FixLenStrL(row.KMK.USERCODE, 4);
        else if (load.Layout == 1 || load.Layout == 2)
            key = TwoDigits(row.KMK.GROUPM2, row.SUBREC);
        else {
            if (AccInf.DATATYPE == 2)
                row.KMK.GROUPM1 = RegroupedForIndividual(row.KMK.GROUPM1, row.MSTREC);
            key = TwoDigits(row.KMK.GROUPM1, row.SUBREC);
        }
        load.OrderEntry(index) = TQSORT{key, index};

        query.Next();
        if (load.Layout == 0 && !Settlement && n >= 1)
            ReadSubAccounts(load, row, n);
    }
    query.Close();
    if ((Settlement || NotesOffset) && AccInf.DATATYPE == 1 && SystemDef.SettlementBillOffset == 1)
        OffsetNotes(load, NotesOffset, noteRows, last);
    return last;
}
