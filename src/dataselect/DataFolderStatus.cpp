#include "dataselect/DataFolderStatus.h"

#include "foundation/DataInfomation.h"
#include "platform/IniFile.h"

TDataInfomationRec ReadDataFolderStatus(const std::string& folder)
{
    const IniFile ini(DataInfoFileOfFolder(folder));
    TDataInfomationRec rec;
    ReadDataStsSection(ini, rec);
    return rec;
}
