// Accounting update 1.0.5: the total lines of the trial balance and the
// statements get names that can be changed, seeded by data kind.

#include "dbupdate/AccountingUpdateUnits.h"

#include <optional>

namespace z5UserDbUpdate105 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(1, 0, 5);

// The seed of the data kind's total lines; none for a kind the lines were
// not written for (a medical corporation, an individual of another code
// type), whose table stays empty.
const char* TotalsSeed(const accupdate::TCompanyKind& kind)
{
    if (kind.DataType == 1)
        return "totals-corporation.sql";
    if (kind.DataType == 2 && kind.CodeType == 1)
        return "totals-individual-general.sql";
    if (kind.DataType == 2 && kind.CodeType == 2)
        return "totals-individual-real-estate.sql";
    return nullptr;
}

}  // namespace

TUpdateScript Script()
{
    // The table is dropped before the seed goes in, so a data kind that
    // cannot be read must stop the update rather than leave it empty.
    const std::optional<accupdate::TCompanyKind> kind = accupdate::ReadCompanyKind("z5UserDbUpdate105");
    if (!kind)
        throw TUpdateScriptError("update script: the data kind of the company data cannot be read");
    TUpdateScript script(Shape);
    // Organisation entries without a parent become their own parent.
    script.AddSql("organisation-dictionary.sql");
    script.AddSql("tables.sql");
    if (const char* seed = TotalsSeed(*kind))
        script.AddSql(seed);
    script.Add("Commit;");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "合計残高試算表の集計項目名称の変更機能を追加",
                 "１）合計残高試算表の集計項目名称の変更機能を追加します。");
}

}  // namespace z5UserDbUpdate105
