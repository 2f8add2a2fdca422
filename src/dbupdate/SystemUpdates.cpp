#include "dbupdate/SystemUpdates.h"

#include "dbupdate/SystemUpdateUnits.h"
#include "dbupdate/UnitRollback.h"
#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/AppInfo.h"
#include "foundation/VersionUtils.h"

#include <utility>

namespace sysupdate {

TUpdateUnitShape SystemShape(std::int32_t major, std::int32_t minor1, std::int32_t minor2, bool setNames)
{
    return {TUpdateTarget::SystemDatabase, major, minor1, minor2, setNames, TVersionStamp::SystemOneLine,
            TMemoForm::Short};
}

void AddDataListFolderUpdate(TUpdateScript& script)
{
    // The stored folder names are brought into the spelling of the
    // system-data folder as it is, not into upper case: on this platform
    // the case of a path is part of its name.
    script.Add("SELECT * FROM SP_DATALIST_UPDATE('" + SqlQuoted(SystemDef.SYSDIR) + "');");
    script.Add("COMMIT;");
}

}  // namespace sysupdate

namespace {

// The rows of the units this program does not carry yet: their texts and
// flags, no update function.
struct TPendingRow {
    std::int32_t Major, Minor1, Minor2, BackupFlag;
    const char* Title;
    const char* Description;
};

constexpr const char* EditionTitle = "機能強化および不具合修正";
constexpr const char* EditionDescription = "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）";

TDbUpdateListRec PendingRow(const TPendingRow& row)
{
    TDbUpdateListRec rec;
    rec.Major = row.Major;
    rec.Minor1 = row.Minor1;
    rec.Minor2 = row.Minor2;
    rec.BackupFlag = row.BackupFlag;
    rec.Title = row.Title;
    rec.Description = row.Description;
    return rec;
}

bool EditionWithOwnTexts()
{
    return EditionFlag == 1 || EditionFlag == 2;
}

}  // namespace

TArrayDbUpdateListRec GetSystemUpdateList()
{
    using TDescribe = void (*)(TDbUpdateListRec&);
    static constexpr TDescribe built[] = {
        &z5SystemDbUpdate031::GetUpdateInfo, &z5SystemDbUpdate032::GetUpdateInfo,
        &z5SystemDbUpdate033::GetUpdateInfo, &z5SystemDbUpdate101::GetUpdateInfo,
        &z5SystemDbUpdate300::GetUpdateInfo, &z5SystemDbUpdate305::GetUpdateInfo,
        &z5SystemDbUpdate307::GetUpdateInfo, &z5SystemDbUpdate400::GetUpdateInfo,
        &z5SystemDbUpdate402::GetUpdateInfo, &z5SystemDbUpdate500::GetUpdateInfo,
    };
    TArrayDbUpdateListRec list;
    for (const TDescribe describe : built) {
        TDbUpdateListRec rec;
        describe(rec);
        list.push_back(std::move(rec));
    }

    // 7.0.0 names the product it converts from by the application title.
    const std::string& appTitle = AppInfo.Zaimu.AppTitle;
    TDbUpdateListRec v700 = PendingRow({7, 0, 0, 0, "", ""});
    v700.Title = appTitle + "１５のデータ形式に変換";
    v700.Description = "１）" + appTitle + "１５のデータ形式に変換する。";
    if (EditionWithOwnTexts()) {
        v700.Title = "個別原価管理機能の追加";
        v700.Description = "１）個別原価管理機能を追加する。";
    }
    list.push_back(std::move(v700));

    static constexpr TPendingRow later[] = {
        {7, 0, 4, 0, "消費税・特定課税仕入れ に対応", "１）特定課税仕入れの取引 に対応します。"},
        {8, 0, 0, 1, "マイナンバー制度に対応", "１）マイナンバー制度に対応しました。"},
        {8, 0, 2, 1, "メニューの起動管理方法を変更", "１）メニューの起動管理方法を変更しました。"},
        {9, 0, 4, 1, "仕訳帳、元帳の入力方法の管理項目を変更", "１）仕訳帳、元帳の入力方法の管理項目を変更しました。"},
        {10, 0, 4, 1, "オペレータの種類に承認者を追加", "１）オペレータの種類に承認者を追加しました。"},
        {11, 0, 1, 1, "新元号対応 他", "１）新元号「令和」を追加しました。\r２）クラウドシェア機能を追加しました。"},
        {12, 0, 0, 1, "仕訳入力の禁止設定", "１）仕訳入力を禁止にする設定を追加しました。※対象製品：Ledrix財務"},
    };
    for (const TPendingRow& row : later) {
        TDbUpdateListRec rec = PendingRow(row);
        if (EditionWithOwnTexts() && row.Major >= 10) {
            rec.Title = EditionTitle;
            rec.Description = EditionDescription;
        }
        list.push_back(std::move(rec));
    }
    return list;
}

bool IsUpdateRegistered(const TDbUpdateListRec& rec)
{
    return static_cast<bool>(rec.UpdateFunc);
}

std::vector<std::string> RegisteredSystemUpdateVersions()
{
    std::vector<std::string> versions;
    for (const TDbUpdateListRec& rec : GetSystemUpdateList())
        if (IsUpdateRegistered(rec))
            versions.push_back(VersionToText(rec.Major, rec.Minor1, rec.Minor2));
    return versions;
}
