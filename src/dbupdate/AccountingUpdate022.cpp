// Accounting update 0.2.2: the account group column and everything that
// lists accounts in group order rebuilt on it, the breakdown-statement
// tables, the cash-flow layout written anew (0.1.4's file).
//
// Both trial balances compute every output of a row afresh from sums that
// are zero where a period row is missing, so nothing of an earlier account
// or sub-account can show in a later row. Allocated shares round half away
// from zero, as the program itself rounds: FLOOR(0.5 + x) would turn -2.5
// into -2 while the program makes it -3. The group prior-year procedure's
// text after its head is shared with 0.3.1, which alters it in place.

#include "dbupdate/AccountingUpdateUnits.h"

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

    // The initial fixed-asset journal settings are written anew as 0.1.1
    // wrote them.
    for (const char* file : {"chart-settings.sql", "../011/journal-settings.sql", "blue-return-and-account-view.sql",
                             "opening-balance-procedures.sql", "group-prior-year-recreate.sql", "group-prior-year.sql",
                             "prior-year-and-budget.sql", "trial-balances.sql", "carry-forward.sql",
                             "breakdown-tables.sql", "../014/cash-flow-layout.sql"})
        script.AddSql(file);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "科目マスタの構造変更 他",
                 "1)科目マスタの構造を変更します。\r"
                 "2)キャッシュフロー項目を再作成します。\r"
                 "3)青色申告決算書で上書入力に対応します。\r"
                 "4)内訳書用テーブルを作成します。");
}

}  // namespace z5UserDbUpdate022
