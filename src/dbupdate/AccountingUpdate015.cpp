// Accounting update 0.1.5: the dictionaries and audit items keep their
// entries when a department or sub-account is deleted (the code is blanked
// instead of the entry going), the opening-balance trigger leaves retained
// earnings alone, the notes table's title print switch, and the tables of
// the blue-return statements.

#include "dbupdate/AccountingUpdateUnits.h"

namespace z5UserDbUpdate015 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 1, 5);

void AddNotesTitleSwitch(TUpdateScript& script)
{
    if (accupdate::CompanyColumnExists("KESSAN", "CHUKI_TITLEPRINT"))
        return;
    script.Add({
        "/* KESSANテーブルへ注記表タイトル印字区分を追加 */",
        "ALTER TABLE KESSAN",
        "ADD CHUKI_TITLEPRINT INTEGER DEFAULT 0;",
        "UPDATE KESSAN SET CHUKI_TITLEPRINT=0 WHERE REC=1;",
        "COMMIT;",
    });
}

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    // The account references that no longer hold a dictionary or audit
    // entry to the chart go; the deletion triggers blank the code instead.
    // A changed opening balance is the closing balance of the period before
    // the books start; retained earnings are left out, the carry-forward
    // writes that account's past balances itself.
    script.AddSql("dictionary-triggers.sql");
    AddNotesTitleSwitch(script);
    // RECREATE replaces an older table of the same name with an empty one.
    script.AddSql("blue-return-tables.sql");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(
        rec, Shape, &DoUpdate, 1, "ページ辞書機能の仕様変更 他",
        "1)補助または部門を削除したときに、削除対象の補助または部門がページ辞書仕訳に使用されていた場合に削除されないように仕様を変更しました。\r"
        "2)決算書の注記表「タイトルと会計期間を印刷する」のフィールドを追加しました。\r"
        "3)青色申告書用テーブルを作成します。");
}

}  // namespace z5UserDbUpdate015
