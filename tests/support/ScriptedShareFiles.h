#pragma once
// A stand-in for the per-data information object behind shared-data takes
// and stores (dataselect/ShareDataInfo.h), for tests: folder states read from
// the real information files, copies of the data file made for real, and
// the answers of the copies scripted per share path (1 by default).

#include "dataselect/DataFolderStatus.h"
#include "foundation/DataInfomation.h"
#include "dataselect/ShareDataInfo.h"
#include "platform/IniFile.h"
#include "platform/NetworkDrive.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

class ScriptedShareFiles final : public IShareDataInfo {
public:
    struct Log {
        std::vector<std::tuple<std::string, std::string, std::int32_t>> gets, puts;
        std::vector<std::pair<std::string, int>> marks;
        std::map<std::string, std::int32_t> answers;
    };
    explicit ScriptedShareFiles(Log& log) : log_(log) {}

    bool ReadDataIni(const std::string& folder, TDataInfomationRec& rec) override
    {
        const std::string file = DataInfoFileOfFolder(folder);
        if (!std::filesystem::exists(file))
            return false;
        rec = ReadDataFolderStatus(netdrive::ResolvePath(folder));
        const IniFile ini(file);
        rec.SHOUGOU = ini.ReadString("DATAINFO", "SHOUGOU", "");
        rec.DATALISTNAME = ini.ReadString("DATAINFO", "DATALISTNAME", "");
        rec.NENDO = ini.ReadInteger("DATAINFO", "NENDO", 0);
        rec.GASSANKBN = static_cast<std::uint8_t>(ini.ReadInteger("DATAINFO", "GASSANKBN", 0));
        last_ = rec;
        return true;
    }
    std::int32_t GetShareFiles(const std::string& share, const std::string& local, std::int32_t silent) override
    {
        log_.gets.emplace_back(share, local, silent);
        TDataInfomationRec rec;
        ReadDataIni(share, rec);
        const std::int32_t answer = Answer(share);
        if (answer != 0) {
            std::filesystem::create_directories(local);
            std::filesystem::copy_file(DataDbFileOfFolder(share), DataDbFileOfFolder(local),
                                       std::filesystem::copy_options::overwrite_existing);
        }
        return answer;
    }
    std::int32_t PutShareFiles(const std::string& share, const std::string& local, std::int32_t silent) override
    {
        log_.puts.emplace_back(share, local, silent);
        TDataInfomationRec rec;
        ReadDataIni(share, rec);
        return Answer(share);
    }
    void SetShareStatus(const std::string& folder, std::uint8_t status) override
    {
        log_.marks.emplace_back(folder, status);
    }
    const TDataInfomationRec& Record() const override { return last_; }

private:
    std::int32_t Answer(const std::string& share) const
    {
        const auto it = log_.answers.find(share);
        return it == log_.answers.end() ? 1 : it->second;
    }
    Log& log_;
    TDataInfomationRec last_;
};

// Installs the stand-in for its lifetime; log records every copy.
class ScopedShareFiles final {
public:
    ScopedShareFiles()
        : previous_(SetShareDataInfoFactory([this](std::uint8_t) { return std::make_unique<ScriptedShareFiles>(log); }))
    {}
    ~ScopedShareFiles() { SetShareDataInfoFactory(previous_); }
    ScopedShareFiles(const ScopedShareFiles&) = delete;
    ScopedShareFiles& operator=(const ScopedShareFiles&) = delete;

    ScriptedShareFiles::Log log;

private:
    TShareDataInfoFactory previous_;
};
