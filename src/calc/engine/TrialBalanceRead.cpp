#include "calc/engine/TrialBalanceRead.h"

#include "calc/engine/SettlementRegrouping.h"
#include "calc/engine/TrialBalanceRecord.h"
#include "calc/engine/TrialBalanceTotals.h"
#include "foundation/AccInf.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <cstdio>
#include <string>

namespace {

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
    std::optional<TTrialBalanceColumns> columns;
    while (!query.Eof()) {
        if (!columns)
            columns.emplace(query);
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
        AddTrialBalancePeriods(row, query, *columns, row.KMK.TAISHAKU);

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
                row.KMK.GROUPM1 = RegroupedForIndividual(row.KMK.GROUPM1, row.MSTREC, AccInf.CODETYPE);
            key = TwoDigits(row.KMK.GROUPM1, row.SUBREC);
        }
        load.OrderEntry(index) = TQSORT{key, index};

        query.Next();
        if (load.Layout == 0 && !Settlement && n >= 1)
            ReadTrialBalanceSubAccounts(query, *columns, row, n);
    }
    query.Close();
    if ((Settlement || NotesOffset) && AccInf.DATATYPE == 1 && SystemDef.SettlementBillOffset == 1)
        OffsetNotes(load, NotesOffset, noteRows, last);
    return last;
}
