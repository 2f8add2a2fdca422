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

// The call that brings the data list's folder names into the spelling of
// the system-data folder (1.0.1 and 4.0.2, client/server mode only).
void AddDataListFolderUpdate(TUpdateScript& script);

// The four data-list tables that share the later columns.
inline const std::vector<std::string> DataListTables{"DATALIST", "SERVERDATALIST", "CHILD_DATALIST",
                                                     "CHILD_SERVERDATALIST"};

}  // namespace sysupdate

#define LEDRIX_SYSTEM_UNIT(name)                    \
    namespace name {                                \
    TUpdateScript Script();                         \
    std::int32_t DoUpdate();                        \
    void GetUpdateInfo(TDbUpdateListRec& rec);      \
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

#undef LEDRIX_SYSTEM_UNIT

namespace z5SystemDbUpdate500 {
// The code-system files of the editions, in USERCODE row order (row 7 has
// none), under <SqlDir>/500.
const std::vector<std::string>& CodeSystemFiles();
// The name of data place 0: the system-data folder, or "標準の場所" when
// the folder is too long to be a name.
std::string FirstPlaceName();
}  // namespace z5SystemDbUpdate500
