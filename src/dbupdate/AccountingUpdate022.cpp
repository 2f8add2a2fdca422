// Accounting update 0.2.2: the account group column and everything that
// lists accounts in group order rebuilt on it, the breakdown-statement
// tables, the cash-flow layout written anew.

#include "dbupdate/AccountingCashFlowSeed.h"
#include "dbupdate/AccountingUpdate022.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"

namespace z5UserDbUpdate022 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 2, 2);

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    // A database that has the group column has had this update's body
    // already: it is only stamped.
    if (accupdate::CompanyColumnExists("KAMOKUMST", "GROUPM0"))
        return script;

    accupdate022::AddFirstBlockSchema(script);
    script.Add("SET TERM ^ ;");
    accupdate022::AddOpeningBalanceProcedures(script);
    accupdate022::AddGroupPriorYearProcedure(script);
    script.Add("SET TERM ; ^");

    script.Add("SET TERM ^ ;");
    accupdate022::AddPriorYearAndBudgetProcedures(script);
    script.Add("SET TERM ; ^");

    script.Add("SET TERM ^ ;");
    accupdate022::AddDepartmentTrialBalanceProcedures(script);
    accupdate022::AddBudgetReadProcedure(script);
    accupdate022::AddCarryForwardAndAssetProcedures(script);
    script.Add({"SET TERM ; ^", "COMMIT;"});

    accupdate022::AddBreakdownTables(script);
    accupdate::AddCashFlowReseed(script);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    sysupdate::Describe(rec, Shape, &DoUpdate, 1, "科目マスタの構造変更 他",
                        "1)科目マスタの構造を変更します。\r"
                        "2)キャッシュフロー項目を再作成します。\r"
                        "3)青色申告決算書で上書入力に対応します。\r"
                        "4)内訳書用テーブルを作成します。");
}

}  // namespace z5UserDbUpdate022
