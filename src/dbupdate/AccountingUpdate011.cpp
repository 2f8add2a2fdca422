// Accounting update 0.1.1: the fixed-asset store rebuilt, the journal and
// master triggers recreated, depreciation method 6, the head-count reader,
// a single version row, and the ACCDEF1 columns.
//
// The fixed-asset store: the asset register KS_SISAN, its department
// allocation KS_BUMONHB, its asset book KS_DAICHO, the journal settings of
// the asset accounts per facility KS_SETSWK and their initial values per
// data type KS_SETSWK_INIT. The drops come in an order in which nothing
// dropped is still used by something left. Data whose version table lost
// its 0.1.0 row (several rows, none of them the delivered version) is left
// with the one row the stamp updates.

#include "dbupdate/AccountingUpdateUnits.h"

namespace z5UserDbUpdate011 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 1, 1);

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    for (const char* file : {"drops.sql", "fixed-asset-tables.sql", "procedures-and-triggers.sql",
                             "journal-settings.sql", "depreciation-method.sql", "head-count.sql", "version-row.sql"})
        script.AddSql(file);
    accupdate::AddAccDef1ColumnChecks(script);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "減価償却処理を追加　他",
                 "1)減価償却処理用のテーブルを作成します。\r2)３期比較経営分析用のプロシジャーを作成します。");
}

}  // namespace z5UserDbUpdate011
