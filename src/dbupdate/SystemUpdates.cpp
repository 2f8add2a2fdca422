#include "dbupdate/SystemUpdates.h"

#include "dbupdate/SystemUpdateUnits.h"
#include "dbupdate/UnitRollback.h"
#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/AppInfo.h"
#include "foundation/VersionUtils.h"

#include <tuple>
#include <utility>

namespace sysupdate {

TUpdateUnitShape SystemShape(std::int32_t major, std::int32_t minor1, std::int32_t minor2, bool setNames)
{
    return {TUpdateTarget::SystemDatabase, major,           minor1, minor2, setNames,
            TVersionStamp::SystemOneLine,  TMemoForm::Short};
}

TUpdateUnitShape BodyFileShape(std::int32_t major, std::int32_t minor1, std::int32_t minor2)
{
    const bool longStamp = std::tuple(major, minor1, minor2) >= std::tuple(11, 0, 1);
    return {TUpdateTarget::SystemDatabase,
            major,
            minor1,
            minor2,
            true,
            longStamp ? TVersionStamp::SystemTwoLines : TVersionStamp::SystemOneLine,
            longStamp ? TMemoForm::Long : TMemoForm::Short};
}

TStandardUnit BodyFileUnit(std::int32_t major, std::int32_t minor1, std::int32_t minor2, std::int32_t backupFlag,
                           std::string title, std::string description, std::vector<std::string> bodyFiles,
                           TMissingBodyFile missingFile)
{
    return {BodyFileShape(major, minor1, minor2),
            backupFlag,
            std::move(title),
            std::move(description),
            {},
            std::move(bodyFiles),
            missingFile,
            {}};
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

constexpr const char* EditionTitle = "機能強化および不具合修正";
constexpr const char* EditionDescription = "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）";

}  // namespace

TArrayDbUpdateListRec GetSystemUpdateList()
{
    using TDescribe = void (*)(TDbUpdateListRec&);
    static constexpr TDescribe built[] = {
        &z5SystemDbUpdate031::GetUpdateInfo,  &z5SystemDbUpdate032::GetUpdateInfo,
        &z5SystemDbUpdate033::GetUpdateInfo,  &z5SystemDbUpdate101::GetUpdateInfo,
        &z5SystemDbUpdate300::GetUpdateInfo,  &z5SystemDbUpdate305::GetUpdateInfo,
        &z5SystemDbUpdate307::GetUpdateInfo,  &z5SystemDbUpdate400::GetUpdateInfo,
        &z5SystemDbUpdate402::GetUpdateInfo,  &z5SystemDbUpdate500::GetUpdateInfo,
        &z5SystemDbUpdate700::GetUpdateInfo,  &z5SystemDbUpdate704::GetUpdateInfo,
        &z5SystemDbUpdate800::GetUpdateInfo,  &z5SystemDbUpdate802::GetUpdateInfo,
        &z5SystemDbUpdate904::GetUpdateInfo,  &z5SystemDbUpdate1004::GetUpdateInfo,
        &z5SystemDbUpdate1101::GetUpdateInfo, &z5SystemDbUpdate1200::GetUpdateInfo,
    };
    TArrayDbUpdateListRec list;
    for (const TDescribe describe : built) {
        TDbUpdateListRec rec;
        describe(rec);
        // The editions with individual costing describe the updates from
        // 10.0.4 on in one general text.
        if ((EditionFlag == 1 || EditionFlag == 2) && rec.Major >= 10) {
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
