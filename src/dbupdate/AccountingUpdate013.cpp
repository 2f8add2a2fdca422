// Accounting update 0.1.3: the audit items in their current form, the
// audit report's heading and first item, and the ACCDEF1 columns.

#include "dbupdate/AccountingUpdateUnits.h"

namespace z5UserDbUpdate013 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 1, 3);

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    // The eight foreign keys go before the table and come back with it.
    script.AddSql("audit-items.sql");
    accupdate::AddAccDef1ColumnChecks(script);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "監査処理機能を追加", "監査処理用のテーブルを作成します。");
}

}  // namespace z5UserDbUpdate013
