#pragma once
// The program globals a test or a database build changes (SystemDef and the
// database file names), put back when the object goes.

#include "foundation/SystemDef.h"
#include "foundation/InstallationNames.h"

#include <string>

namespace dbtest {

class SavedGlobals final {
public:
    SavedGlobals() : def_(SystemDef), sys_(SysDbFileName), data_(DataDbFileName) {}
    ~SavedGlobals()
    {
        SystemDef = def_;
        SysDbFileName = sys_;
        DataDbFileName = data_;
    }
    SavedGlobals(const SavedGlobals&) = delete;
    SavedGlobals& operator=(const SavedGlobals&) = delete;

private:
    TSystemDef def_;
    std::string sys_;
    std::string data_;
};

}  // namespace dbtest
