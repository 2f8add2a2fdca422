#include "dataselect/DataListAccess.h"

#include "dataselect/DataSentakuListCtl.h"
#include "foundation/DataInfomationAccess.h"

namespace {

// The data module's own server file operations behind the interface its
// connect steps use.
class TServerFilesAccess final : public IServerFiles {
public:
    TDM* Module = nullptr;
    bool FileExists(const std::string& path, std::uint8_t mode) override
    {
        return Module != nullptr && Module->ServerFileExists(path, mode);
    }
};

}  // namespace

std::unique_ptr<IDataListController> TDataListAccess::CreateDataListController()
{
    return std::make_unique<TDataSentakuListCtl>();
}

void InstallDataListAccess(TDM& dm)
{
    static TDataListAccess access;
    dm.DataListAccess = &access;
}

void InstallDataModuleServices(TDM& dm)
{
    InstallDataListAccess(dm);
    static TServerFilesAccess files;
    files.Module = &dm;
    dm.ServerFiles = &files;
    static TDataInfomationAccess folderState;
    dm.DataFolderState = &folderState;
}
