#pragma once
// Which registered updates a database still needs.
//
// The check holds the two catalogues (system database, kind 0, version table
// VERSION; accounting data, kind 1, version table ACCVERSION REC 1) and, for
// a database version, finds the entries newer than it. The last entry of a
// catalogue is the version the program brings that kind of database to.
// The data-selection screen asks it for accounting data without showing
// anything; the update dialog shows the same list and runs it
// (DbUpdateRun.h).

#include "dbupdate/UpdateUnit.h"
#include "foundation/VersionRecords.h"

#include <cstdint>
#include <string>

// Three numbers compared in order: major, minor1, minor2.
int CompareVersions(const TVersionNumbers& a, const TVersionNumbers& b);

class TDbUpdateCheck {
public:
    // Fills both catalogues (titles reflect the edition and application
    // title at this moment).
    TDbUpdateCheck();

    // Sets Kind and every field below from the version text (empty: the
    // database's version table). Each call starts from a cleared state.
    void CheckUpdate(std::uint8_t kind, const std::string& versionText);
    // CurrentVersion from the version table of Kind (0.0.0 when it cannot
    // be read: the error is reported, "データベースバージョンの取得に失敗しまし
    // た。", and every entry counts as pending).
    void SetDbVersion();
    // CurrentVersion from "a.b.c"; anything but three parts is 0.0.0, a part
    // that is not a number 0.
    void SetDbVersionText(const std::string& text);

    const TArrayDbUpdateListRec& CurrentList() const { return Kind == 0 ? SystemList : DataList; }

    std::uint8_t Kind = 0;
    bool Pending = false;
    bool Succeeded = false;
    // 0 the data's major (or minor1 under an equal major) is newer than the
    // program's; 1 not newer; 2 same major and minor1 but a newer minor2.
    std::int32_t VersionState = 0;
    TArrayDbUpdateListRec SystemList;
    TArrayDbUpdateListRec DataList;
    TVersionNumbers CurrentVersion;
    TVersionNumbers TargetVersion;
    std::int32_t FirstPending = -1;
    std::int32_t LastPending = -1;
    std::int32_t BackupCount = 0;
};
