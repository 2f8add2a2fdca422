#include "dbupdate/AccountingLaterUnits.h"

#include "dbupdate/SystemConnection.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/db/JoinedTransaction.h"

#include <algorithm>

namespace accupdate {

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool EditionTexts()
{
    return EditionFlag == 1 || EditionFlag == 2;
}

}  // namespace

TUpdateUnitShape LaterUnitShape(const TLaterUnit& unit)
{
    return {TUpdateTarget::CompanyDatabase, unit.Major, unit.Minor1, unit.Minor2, true,
            TVersionStamp::AccountingData,  unit.Memo};
}

std::int32_t MedicalChartOf(const TCompanyKind& kind)
{
    return kind.DataType == 3 && kind.CodeType == 1 ? 1 : 0;
}

std::vector<std::string> FilesForChart(const TLaterUnit& unit, std::int32_t medicalChart)
{
    const std::vector<std::string>& leftOut = medicalChart == 1 ? unit.LeftOutMedical : unit.LeftOutGeneral;
    std::vector<std::string> files;
    for (const std::string& name : unit.Files)
        if (!Contains(leftOut, name))
            files.push_back(name);
    return files;
}

TUpdateScript LaterUnitScript(const TLaterUnit& unit, const TCompanyKind& kind, std::int32_t& ownResult)
{
    TUpdateScript script(LaterUnitShape(unit));
    for (const std::string& name : FilesForChart(unit, MedicalChartOf(kind)))
        script.AddBodyFile(name);
    ownResult = unit.OwnLines ? unit.OwnLines(script, kind) : UpdateResultOk;
    return script;
}

std::int32_t RunDataFixes(const std::vector<TDataFix>& fixes, const TCompanyKind& kind, const std::string& location)
{
    TDataModuleLease dataModule;
    if (!DM->fnAccDatConnected(SystemDef.HOSTNAME, SystemDef.DataDir, false))
        return UpdateResultConversionError;
    std::int32_t result = UpdateResultOk;
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDAT);
        try {
            for (const TDataFix& fix : fixes)
                fix(TDataFixContext{*DM, kind});
        } catch (const db::FbError& error) {
            HandleIBError(error, location, "");
            result = UpdateResultConversionError;
        } catch (const std::exception&) {
            result = UpdateResultConversionError;
        }
        // What the fixes wrote before a failure stays with this commit; the
        // run's copy of the database decides what survives a failed update.
        transaction.Commit();
    } catch (const db::FbError& error) {
        HandleIBError(error, location, "");
        result = UpdateResultConversionError;
    }
    try {
        DM->fnAccDatDisConnected(SystemDef.DataDir, false, false);
    } catch (const std::exception&) {
        // The next connect closes what is left open.
    }
    return result;
}

std::int32_t RunLaterUnit(const TLaterUnit& unit, const char* unitName)
{
    if (!TUpdateScript(LaterUnitShape(unit)).BodyFilesExist(unit.Files))
        return UpdateResultFileMissing;
    const std::optional<TCompanyKind> kind = ReadCompanyKind(unitName);
    if (!kind)
        throw TUpdateScriptError("update script: the data kind of the company data cannot be read");
    std::int32_t ownResult = UpdateResultOk;
    const TUpdateScript script = LaterUnitScript(unit, *kind, ownResult);
    if (ownResult != UpdateResultOk)
        return ownResult;
    const std::int32_t result = script.Run();
    if (result != UpdateResultOk || unit.DataFixes.empty() || (unit.FixesWanted && !unit.FixesWanted()))
        return result;
    return RunDataFixes(unit.DataFixes, *kind, unitName);
}

void DescribeLaterUnit(const TLaterUnit& unit, TDbUpdateFunc updateFunc, TDbUpdateListRec& rec)
{
    std::string title = unit.Title;
    std::string description = unit.Description;
    if (unit.AppTitleLead) {
        title = AppInfo.Zaimu.AppTitle + title;
        description = "１）" + AppInfo.Zaimu.AppTitle + description;
    }
    if (EditionTexts()) {
        const bool first = unit.Major == 8 && unit.Minor1 == 0 && unit.Minor2 == 2;
        title = first ? "不具合修正" : "機能強化および不具合修正";
        description = first ? "１）不具合を修正（詳しくはＨＰで確認ください）"
                            : "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）";
    }
    DescribeUnit(rec, LaterUnitShape(unit), std::move(updateFunc), 1, std::move(title), std::move(description));
}

}  // namespace accupdate
