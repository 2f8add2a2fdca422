#include "dataselect/DataListAccess.h"

#include "dataselect/DataSentakuListCtl.h"
#include "dataselect/ShareDataInfo.h"
#include "foundation/DataInfomation.h"
#include "foundation/DataInfomationAccess.h"
#include "foundation/DataModuleChecks.h"

#include <variant>

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

// The data module's operator checks and journal counts for the per-data
// information file and the facility list.
class TDataModuleChecksAccess final : public IDataModuleChecks {
public:
    TDM* Module = nullptr;
    bool IsOpeUnrestricted() override { return TDM::IsOpeUnrestricted(); }
    bool HasOpeDefSisetu() override { return Module->HasOpeDefSisetu(); }
    bool InputDataPassword() override { return TDM::InputDataPassword(); }
    std::int32_t GetYukouSiwakeCount(const std::string& facility) override
    {
        return Module->GetYukouSiwakeCount(facility);
    }
    std::int32_t GetSiwakeCount(const std::string& facility, std::int32_t& valid, std::int32_t& changed) override
    {
        return Module->GetSiwakeCount(facility, valid, changed);
    }
    std::int32_t GetXstrColor(const std::string& settings) override
    {
        return std::get<std::int32_t>(TDM::GetXstrValue(settings, "COLOR"));
    }
};

// The per-data information object behind the store's take and store of
// shared data.
class TShareDataInfoAccess final : public IShareDataInfo {
public:
    explicit TShareDataInfoAccess(std::uint8_t listMode) { info_.ConnectionMode = listMode; }
    bool ReadDataIni(const std::string& folder, TDataInfomationRec& rec) override
    {
        const bool read = info_.ReadDataIni(folder, rec);
        last_ = rec;
        return read;
    }
    std::int32_t GetShareFiles(const std::string& share, const std::string& local, std::int32_t silent) override
    {
        return Copied(info_.GetShareFiles(share, local, silent));
    }
    std::int32_t PutShareFiles(const std::string& share, const std::string& local, std::int32_t silent) override
    {
        return Copied(info_.PutShareFiles(share, local, silent));
    }
    void SetShareStatus(const std::string& folder, std::uint8_t status) override
    {
        info_.SetShareStatus(folder, status);
    }
    const TDataInfomationRec& Record() const override { return last_; }

private:
    // A copy reads the share's record into the object's own.
    std::int32_t Copied(std::int32_t result)
    {
        last_ = info_.DataInfoRec;
        return result;
    }

    TDataInfomation info_;
    TDataInfomationRec last_{};
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
    static TDataModuleChecksAccess checks;
    checks.Module = &dm;
    SetDataModuleChecks(&checks);
    SetShareDataInfoFactory([](std::uint8_t listMode) -> std::unique_ptr<IShareDataInfo> {
        return std::make_unique<TShareDataInfoAccess>(listMode);
    });
}
