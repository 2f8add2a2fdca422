// System update 7.0.0: the conversion to the new data format, with the
// office record of SYSTEMINI row 10 brought into its new form first.

#include "dbupdate/SystemConnection.h"
#include "dbupdate/SystemSettingsStore.h"
#include "dbupdate/SystemUpdateUnits.h"
#include "foundation/SettingsRecords.h"
#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"

namespace z5SystemDbUpdate700 {

namespace {

constexpr std::int32_t OfficeRec = 10;
constexpr const char* kWriteFailed = "システム情報の書き込みに失敗しました。\r現在のシステム設定は保存されません。";

const TStandardUnit& Unit()
{
    static const TStandardUnit unit =
        sysupdate::BodyFileUnit(7, 0, 0, 0, "", "", {"sysup01.sql"}, TMissingBodyFile::Skip);
    return unit;
}

void ClearOfficeCopy()
{
    SystemDef.OfficeName.clear();
    SystemDef.OfficeAddress.clear();
    SystemDef.OfficeTel.clear();
    SystemDef.OfficeReserve1 = 0;
    SystemDef.OfficeReserve2 = 0;
    SystemDef.OfficeReserve3 = 0;
}

}  // namespace

bool ConvertOfficeRecord()
{
    TDataModuleLease dataModule;
    TSystemConnectionLease connection(true);
    ClearOfficeCopy();
    if (!connection.Connected())
        return false;  // shown by the connect; the script could not reach the database either

    TSystemIniRec rec;
    rec.REC = OfficeRec;
    try {
        sysupdate::GetSysIni(rec);
    } catch (const db::FbError& error) {
        // An unreadable office record fails this update (and the run puts
        // the database back); it is no reason to end the program.
        HandleIBError(error, "TDM.GetSysIni", "システム情報の取得に失敗しました。");
        return false;
    } catch (const std::exception& error) {
        ShowErrorMessage("システム情報の取得に失敗しました。", error.what(), TMsgDlgType::mtError);
        return false;
    }
    SystemDef.OfficeName = TDM::GetParamValue(rec.SSTR, "NAME");
    SystemDef.OfficeAddress = TDM::GetParamValue(rec.SSTR, "JYUSHO");
    SystemDef.OfficeTel = TDM::GetParamValue(rec.SSTR, "TEL");
    SystemDef.OfficeReserve1 = rec.RESERVE1;
    SystemDef.OfficeReserve2 = rec.RESERVE2;
    if (SystemDef.OfficeReserve1 != 1)
        return true;

    SystemDef.OfficeReserve3 = 1;
    rec.RESERVE3 = 1;
    rec.RESERVE4 = 0;
    rec.RESERVE5 = 0;
    rec.SSTR = "NAME=" + SystemDef.OfficeName + "\r" + "JYUSHO=" + SystemDef.OfficeAddress + "\r" +
               "TEL=" + SystemDef.OfficeTel + "\r";
    try {
        sysupdate::SetSysIni(rec);
    } catch (const db::FbError& error) {
        // The settings stay as they were; the update itself goes on.
        HandleIBError(error, "TDM.SetSysIni", kWriteFailed);
    } catch (const std::exception& error) {
        ShowErrorMessage(kWriteFailed, error.what(), TMsgDlgType::mtError);
    }
    return true;
}

TUpdateScript Script()
{
    return StandardUnitScript(Unit());
}

std::int32_t DoUpdate()
{
    if (!ConvertOfficeRecord())
        return UpdateResultConversionError;
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    // The update names the product it converts to by the application title;
    // the editions with individual costing describe it by what they gain.
    const std::string& appTitle = AppInfo.Zaimu.AppTitle;
    std::string title = appTitle + "１５のデータ形式に変換";
    std::string description = "１）" + appTitle + "１５のデータ形式に変換する。";
    if (EditionFlag == 1 || EditionFlag == 2) {
        title = "個別原価管理機能の追加";
        description = "１）個別原価管理機能を追加する。";
    }
    DescribeUnit(rec, Unit().Shape, &DoUpdate, Unit().BackupFlag, std::move(title), std::move(description));
}

}  // namespace z5SystemDbUpdate700
