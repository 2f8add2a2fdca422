// Accounting update 0.1.4: the cash-flow statement loses its per-facility
// line table and gets the standard layout; ACCDEF1 gets the statement's
// period settings where it lacks them.

#include "dbupdate/AccountingUpdateUnits.h"

namespace z5UserDbUpdate014 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 1, 4);

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    // Triggers first (one of them fills the table), then the two foreign
    // keys, then the table. The script has no guard: a database without the
    // table fails here and keeps its version.
    script.AddSql("facility-lines-drop.sql");
    // The standard layout: its 102 lines (CASHFMST) and the 491 rows that
    // map accounts onto them (CASHFMKU); 0.2.2 writes it again.
    script.AddSql("cash-flow-layout.sql");
    accupdate::AddKessanKikanColumnCheck(script);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "キャッシュ・フロー計算書を追加",
                 "キャッシュ・フロー計算書用のテーブルを作成します。");
}

}  // namespace z5UserDbUpdate014
