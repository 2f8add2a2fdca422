#pragma once
// The system-database update units built into this program, one namespace
// per unit. Each unit's Script() writes the whole script as its DoUpdate
// would run it now (from SystemDef, EditionFlag and ConnectionMode), without
// the program-side step; DoUpdate runs that step and the script.

#include "dbupdate/UpdateUnit.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sysupdate {

// The shape every unit of 0.3.1 to 5.0.0 shares: the system database, the
// one-line VERSION stamp with the short MEMO, the body before the stamp.
TUpdateUnitShape SystemShape(std::int32_t major, std::int32_t minor1, std::int32_t minor2, bool setNames);

// The shape of the units from 7.0.0 on, whose bodies are the installation's
// files: "SET NAMES SJIS_0208;", and from 11.0.1 on the two-line stamp with
// the long MEMO.
TUpdateUnitShape BodyFileShape(std::int32_t major, std::int32_t minor1, std::int32_t minor2);

// A unit of 7.0.0 on: its shape, its body files and what a missing one
// means.
TStandardUnit BodyFileUnit(std::int32_t major, std::int32_t minor1, std::int32_t minor2, std::int32_t backupFlag,
                           std::string title, std::string description, std::vector<std::string> bodyFiles,
                           TMissingBodyFile missingFile);

// The call that brings the data list's folder names into the spelling of
// the system-data folder (1.0.1 and 4.0.2, client/server mode only).
void AddDataListFolderUpdate(TUpdateScript& script);

// The four data-list tables that share the later columns.
inline const std::vector<std::string> DataListTables{"DATALIST", "SERVERDATALIST", "CHILD_DATALIST",
                                                     "CHILD_SERVERDATALIST"};

}  // namespace sysupdate

#define LEDRIX_SYSTEM_UNIT(name)               \
    namespace name {                           \
    TUpdateScript Script();                    \
    std::int32_t DoUpdate();                   \
    void GetUpdateInfo(TDbUpdateListRec& rec); \
    }

LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate031)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate032)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate033)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate101)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate300)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate305)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate307)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate400)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate402)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate500)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate700)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate704)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate800)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate802)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate904)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate1004)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate1101)
LEDRIX_SYSTEM_UNIT(z5SystemDbUpdate1200)

#undef LEDRIX_SYSTEM_UNIT

namespace z5SystemDbUpdate500 {
// The code-system files of the editions, in USERCODE row order (row 7 has
// none), under <SqlDir>/500.
const std::vector<std::string>& CodeSystemFiles();
// The name of data place 0: the system-data folder, or "標準の場所" when
// the folder is too long to be a name.
std::string FirstPlaceName();
}  // namespace z5SystemDbUpdate500

namespace z5SystemDbUpdate700 {
// The office step before the script: the office copy of SystemDef from
// SYSTEMINI row 10, and the row rewritten in its new form when the office
// keeps its record (RESERVE1 1). False when the row cannot be read (the
// error has been shown).
bool ConvertOfficeRecord();
}  // namespace z5SystemDbUpdate700

namespace z5SystemDbUpdate802 {
// The conversion after the script: a JOBCONTROL2 row for every JOBCONTROL
// row whose old slot held a program. 1, or 19 after an error (what was
// inserted before it is committed).
std::int32_t ConvertMenuControl();
}  // namespace z5SystemDbUpdate802

namespace z5SystemDbUpdate904 {
// The conversion after the script: the eight dictionary opening settings
// of every operator of SYSDEF. 1, or 19 after an error.
std::int32_t ConvertDictionarySettings();
}  // namespace z5SystemDbUpdate904
