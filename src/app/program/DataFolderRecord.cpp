#include "app/program/DataFolderRecord.h"

#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/IniFile.h"

void SetDataStatus(const std::string& folder, std::uint8_t status)
{
    if ((ConnectionMode == 1 || ConnectionMode == 2) || folder.empty())
        return;
    IniFile ini(folder + "/" + DataIniFileName);
    ini.WriteInteger("DATASTS", "STATUS", status);
    if (status == 1) {
        ini.DeleteKey("DATASTS", "OPCODE");
        ini.DeleteKey("DATASTS", "OPERATOR");
    } else {
        ini.WriteInteger("DATASTS", "OPCODE", SystemDef.OPCODE);
        ini.WriteString("DATASTS", "OPERATOR", SystemDef.OPNAME);
    }
}
