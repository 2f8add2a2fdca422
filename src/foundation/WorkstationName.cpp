#include "foundation/WorkstationName.h"

#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "platform/SpecialFolders.h"

std::string ChoosePCName(std::uint8_t connectionMode, std::string_view winUserName, std::string_view computerName)
{
    if (connectionMode == 2)
        return winUserName.empty() ? std::string("ANONYMOUS") : std::string(winUserName);
    return computerName.empty() ? std::string("PCNAME-ERROR") : std::string(computerName);
}

std::string GetPCName()
{
    return ChoosePCName(ConnectionMode, SystemDef.WinUserName, folders::ComputerName());
}
