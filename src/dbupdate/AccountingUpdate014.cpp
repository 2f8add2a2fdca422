// Accounting update 0.1.4: the cash-flow statement loses its per-facility
// line table and gets the standard layout; ACCDEF1 gets the statement's
// period settings where it lacks them.

#include "dbupdate/AccountingCashFlowSeed.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"

namespace z5UserDbUpdate014 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 1, 4);

// Triggers first (one of them fills the table), then the two foreign keys,
// then the table. The script has no guard: a database without the table
// fails here and keeps its version.
void AddFacilityLineTableDrop(TUpdateScript& script)
{
    script.Add({
        "DROP  TRIGGER \"CASHFMST_SISETU_BEFORE_INSERT\";",
        "DROP  TRIGGER \"CASHFMST_AFTER_INSERT\";",
        "ALTER TABLE   \"CASHFMST_SISETU\" DROP CONSTRAINT \"CASHFMST_SISETU_SCODE\";",
        "ALTER TABLE   \"CASHFMST_SISETU\" DROP CONSTRAINT \"CASHFMST_SISET_REC\";",
        "DROP  TABLE   \"CASHFMST_SISETU\";",
    });
}

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    AddFacilityLineTableDrop(script);
    accupdate::AddCashFlowReseed(script);
    accupdate::AddKessanKikanColumnCheck(script);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    sysupdate::Describe(rec, Shape, &DoUpdate, 1, "キャッシュ・フロー計算書を追加", "キャッシュ・フロー計算書用のテーブルを作成します。");
}

}  // namespace z5UserDbUpdate014
