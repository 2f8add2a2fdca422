#include "foundation/DataInfomationAccess.h"

#include "foundation/DataInfomation.h"
#include "foundation/ProgramGlobals.h"

namespace {

// A fresh object for every call: it works in the program's connection mode
// of the moment and labels versions with the editions installed now.
TDataInfomation Current()
{
    TDataInfomation info;
    info.ConnectionMode = ConnectionMode;
    return info;
}

}  // namespace

bool TDataInfomationAccess::GetDataInfoRec(TDataInfomationRec& rec)
{
    return Current().GetDataInfoRec(rec);
}

void TDataInfomationAccess::WriteDataInfo(const std::string& folder, const std::string& section,
                                          const TDataInfomationRec& rec)
{
    Current().WriteDataInfo(folder, section, rec);
}
