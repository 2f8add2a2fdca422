// Accounting update 0.4.1: the audit items start again from the standard
// twelve, whose account searches name the accounts of the data's chart.

#include "dbupdate/AccountingUpdateUnits.h"

#include <optional>

namespace z5UserDbUpdate041 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 4, 1);

}  // namespace

TUpdateScript Script()
{
    // The individual's accounts for the accruals, repairs and tax checks
    // are no accounts of a medical corporation, whose chart keeps the
    // corporation's codes: it gets the corporation's items. The items are
    // deleted before the new ones go in, so a data kind that cannot be read
    // must stop the update rather than leave the list empty.
    const std::optional<accupdate::TCompanyKind> kind = accupdate::ReadCompanyKind("z5UserDbUpdate041");
    if (!kind)
        throw TUpdateScriptError("update script: the data kind of the company data cannot be read");
    TUpdateScript script(Shape);
    script.AddSql("audit-items.sql");
    script.AddSql(kind->DataType == 1 || kind->DataType == 3 ? "audit-items-corporation.sql" : "audit-items-other.sql");
    script.Add("COMMIT;");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "監査処理項目の変更", "監査処理の規定項目を変更します。");
}

}  // namespace z5UserDbUpdate041
