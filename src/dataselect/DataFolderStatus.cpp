#include "dataselect/DataFolderStatus.h"

#include "foundation/InstallationNames.h"
#include "platform/IniFile.h"

namespace {

constexpr const char* Section = "DATASTS";

std::string InFolder(const std::string& folder, const std::string& file)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + file;
    return folder + "/" + file;
}

}  // namespace

std::string DataFileOfFolder(const std::string& folder)
{
    return InFolder(folder, DataDbFileName);
}

std::string DataIniFileOfFolder(const std::string& folder)
{
    return InFolder(folder, DataIniFileName);
}

TDataInfomationRec ReadDataFolderStatus(const std::string& folder)
{
    const IniFile ini(DataIniFileOfFolder(folder));
    TDataInfomationRec rec;
    rec.STATUS = static_cast<std::uint8_t>(ini.ReadInteger(Section, "STATUS", DataStatusFree));
    rec.OPCODE = ini.ReadInteger(Section, "OPCODE", 0);
    rec.OPERATOR = ini.ReadString(Section, "OPERATOR", "");
    rec.SHARE_STATUS = static_cast<std::uint8_t>(ini.ReadInteger(Section, "SHARE_STATUS", 1));
    rec.SHARE_OPCODE = ini.ReadInteger(Section, "SHARE_OPCODE", 0);
    rec.SHARE_OPERATOR = ini.ReadString(Section, "SHARE_OPERATOR", "");
    rec.UPDATE_LOCK = ini.ReadInteger(Section, "UPDATE_LOCK", 0);
    rec.READ_ONLY = ini.ReadInteger(Section, "READ_ONLY", 0);
    return rec;
}
