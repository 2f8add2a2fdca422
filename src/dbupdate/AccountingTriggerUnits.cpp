// Accounting updates 3.0.4 and 3.0.7, which look for a trigger of the data
// before they write their script.
//
// 3.0.4 leaves its fourth file, which creates KAMOKUMST_AFTER_UPDATE2, out
// where the data has the trigger already. 3.0.7 alters
// KAMOKUSZ_AFTER_DELETE2 in its script; data that lacks the trigger gets it
// with an empty body first, so the script finds it in every data set.

#include "dbupdate/AccountingFileUnits.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/AppInfo.h"
#include "platform/db/Query.h"

using accupdate::FileUnitShape;
using accupdate::NumberedFiles;
using accupdate::TCompanyFacts;

namespace {

bool TriggerExists(db::Query& sql, const std::string& name)
{
    sql.Close();
    sql.SetSQL("SELECT count(*) FROM RDB$TRIGGERS WHERE (RDB$TRIGGER_NAME= :TRIGGER_NAME) ");
    sql.ParamByName("TRIGGER_NAME").SetString(name);
    sql.Open();
    const bool exists = sql.FieldByIndex(0).AsInteger() > 0;
    sql.Close();
    return exists;
}

}  // namespace

namespace z5UserDbUpdate304 {

namespace {

constexpr const char* UnitName = "z5UserDbUpdate304";

TFileUnit Unit(bool triggerExists)
{
    return TFileUnit{FileUnitShape(3, 0, 4),
                     "現金出納帳の送受信処理の改修",
                     "１）現金出納帳の送受信処理の更新プログラムを改修します。",
                     NumberedFiles(4),
                     TMissingBodyFile::Skip,
                     [triggerExists](const TCompanyFacts&, int n) { return n != 4 || !triggerExists; },
                     {}};
}

// Whether the data has the trigger of the fourth file; nothing when the
// data cannot be asked (reported).
std::optional<bool> AskTrigger()
{
    bool exists = false;
    if (accupdate::RunCompanyDataFix(UnitName, [&](db::Query& sql, const TCompanyFacts&) {
            exists = TriggerExists(sql, "KAMOKUMST_AFTER_UPDATE2");
        }) != UpdateResultOk)
        return std::nullopt;
    return exists;
}

}  // namespace

TUpdateScript Script()
{
    const std::optional<bool> exists = AskTrigger();
    if (!exists)
        throw TUpdateScriptError("update script: the triggers of the data cannot be read for 3.0.4");
    return accupdate::FileUnitScriptFor(Unit(*exists), TCompanyFacts{});
}

std::int32_t DoUpdate()
{
    const std::optional<bool> exists = AskTrigger();
    if (!exists)
        return UpdateResultConversionError;
    return accupdate::FileUnitScriptFor(Unit(*exists), TCompanyFacts{}).Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    accupdate::DescribeFileUnit(Unit(false), &DoUpdate, rec);
}

}  // namespace z5UserDbUpdate304

namespace z5UserDbUpdate307 {

namespace {

constexpr const char* UnitName = "z5UserDbUpdate307";

TFileUnit Unit()
{
    return TFileUnit{FileUnitShape(3, 0, 7),
                     "医療法人データの施設グループ集計を追加 他",
                     "１）医療法人データの施設グループ集計を追加します。\r２）窓口日報の参照キーを変更します。\r３）支"
                     "店比較パターンの保持情報を変更します。",
                     NumberedFiles(8),
                     TMissingBodyFile::Skip,
                     [](const TCompanyFacts& facts, int n) { return n == 1 || n == 8 || facts.MedicalChart() == 1; },
                     {}};
}

// The placeholder: an empty trigger of the right table and kind, which the
// script then alters; a trigger the data has already stays as it is.
void AddPlaceholderTrigger(db::Query& sql)
{
    if (TriggerExists(sql, "KAMOKUSZ_AFTER_DELETE2"))
        return;
    sql.SetParamCheck(false);
    sql.SetSQL(
        "CREATE TRIGGER \"KAMOKUSZ_AFTER_DELETE2\" FOR \"KAMOKU_SZ\" ACTIVE AFTER DELETE POSITION 0\n"
        "AS\n"
        "DECLARE dvSITEN  INTEGER;\n"
        "BEGIN\n"
        "END;");
    sql.ExecSQL();
    sql.Close();
    sql.SetParamCheck(true);
}

}  // namespace

TUpdateScript Script()
{
    return accupdate::FileUnitScriptNow(Unit(), UnitName);
}

std::int32_t DoUpdate()
{
    TCompanyFacts facts;
    const std::int32_t fixed = accupdate::RunCompanyDataFix(UnitName, [&](db::Query& sql, const TCompanyFacts& read) {
        facts = read;
        AddPlaceholderTrigger(sql);
    });
    if (fixed != UpdateResultOk)
        return fixed;
    return accupdate::FileUnitScriptFor(Unit(), facts).Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    accupdate::DescribeFileUnit(Unit(), &DoUpdate, rec);
}

}  // namespace z5UserDbUpdate307
