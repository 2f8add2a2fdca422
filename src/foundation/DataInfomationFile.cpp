// The information file itself: reading and writing its two sections, the
// single-state writes, and the version label of the summary.

#include "foundation/DataInfomation.h"

#include "foundation/DataModule.h"
#include "foundation/FolderOps.h"
#include "foundation/InstallationNames.h"
#include "foundation/SystemDef.h"
#include "foundation/VersionUtils.h"
#include "platform/IniFile.h"
#include "platform/NetworkDrive.h"

#include <exception>
#include <filesystem>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// Where a data folder's file lies on this machine: a folder on a mapped
// network drive is reached through the drive's folder.
std::string FileInFolder(const std::string& folder, const std::string& name)
{
    return netdrive::ResolvePath(IncludePathDelim(folder) + name);
}

bool OnNetworkDrive(const std::string& folder)
{
    try {
        return GetUNCName(folder) != folder;
    } catch (const std::exception&) {
        // A drive map that cannot be read may well be a share: never open a
        // database there.
        return true;
    }
}

Entries StatusEntries(const TDataInfomationRec& rec)
{
    Entries e{{"STATUS", std::to_string(rec.STATUS)}};
    if (rec.OPCODE != 0) {
        e.emplace_back("OPCODE", std::to_string(rec.OPCODE));
        e.emplace_back("OPERATOR", rec.OPERATOR);
    }
    e.emplace_back("SHARE_STATUS", std::to_string(rec.SHARE_STATUS));
    if (rec.SHARE_OPCODE != 0) {
        e.emplace_back("SHARE_OPCODE", std::to_string(rec.SHARE_OPCODE));
        e.emplace_back("SHARE_OPERATOR", rec.SHARE_OPERATOR);
    }
    e.emplace_back("UPDATE_LOCK", std::to_string(rec.UPDATE_LOCK));
    e.emplace_back("READ_ONLY", std::to_string(rec.READ_ONLY));
    return e;
}

Entries SummaryEntries(const TDataInfomationRec& rec)
{
    return {
        {"DATALISTNAME", rec.DATALISTNAME},
        {"CODE", rec.CODE},
        {"DATAKBN", std::to_string(rec.DATAKBN)},
        {"CODEKBN", std::to_string(rec.CODEKBN)},
        {"SHOUGOU", rec.SHOUGOU},
        {"KANA", rec.KANA},
        {"NENDO", std::to_string(rec.NENDO)},
        {"KISHU", rec.KISHU},
        {"KIMATU", rec.KIMATU},
        {"TANTO", std::to_string(rec.TANTO)},
        {"SITEN", std::to_string(rec.SITEN)},
        {"SITENCNT", std::to_string(rec.SITENCNT)},
        {"BUMON", std::to_string(rec.BUMON)},
        {"BUMONCNT", std::to_string(rec.BUMONCNT)},
        {"SIWAKE", std::to_string(rec.SIWAKE)},
        {"TOTALSIWAKE", std::to_string(rec.TOTALSIWAKE)},
        {"VERSION1", VersionToText(rec.VERSION1[0], rec.VERSION1[1], rec.VERSION1[2])},
        {"VERSION2", rec.VERSION2},
        {"GASSANKBN", std::to_string(rec.GASSANKBN)},
        {"USEMYNUMBER", std::to_string(rec.USEMYNUMBER)},
        {"CLOUD_SHARE", std::to_string(rec.CLOUD_SHARE)},
    };
}

std::uint8_t Byte(std::int32_t value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

std::string DataStatusText(std::uint8_t status)
{
    switch (status) {
    case DataStatusUnknown:
    case DataStatusFree:
        return "－";
    case DataStatusInUse:
        return "使用中";
    case DataStatusLocked:
        return "データロック中";
    case DataStatusSaving:
        return "保存中";
    case DataStatusRestoring:
        return "復元中";
    case DataStatusCopying:
        return "コピー中";
    case DataStatusPasting:
        return "貼り付け中";
    case DataStatusDeleting:
        return "削除中";
    case DataStatusCreating:
        return "新規作成中";
    case DataStatusDamaged:
        return "破損";
    default:
        return "状態不明";
    }
}

std::string DataDbFileOfFolder(const std::string& folder)
{
    return FileInFolder(folder, DataDbFileName);
}

std::string DataInfoFileOfFolder(const std::string& folder)
{
    return FileInFolder(folder, DataIniFileName);
}

void ReadDataStsSection(const IniFile& ini, TDataInfomationRec& rec)
{
    const char* s = DataStsSection;
    rec.STATUS = Byte(ini.ReadInteger(s, "STATUS", DataStatusFree));
    rec.OPCODE = ini.ReadInteger(s, "OPCODE", 0);
    rec.OPERATOR = ini.ReadString(s, "OPERATOR", "");
    rec.SHARE_STATUS = Byte(ini.ReadInteger(s, "SHARE_STATUS", ShareStatusFree));
    rec.SHARE_OPCODE = ini.ReadInteger(s, "SHARE_OPCODE", 0);
    rec.SHARE_OPERATOR = ini.ReadString(s, "SHARE_OPERATOR", "");
    rec.UPDATE_LOCK = ini.ReadInteger(s, "UPDATE_LOCK", 0);
    rec.READ_ONLY = ini.ReadInteger(s, "READ_ONLY", 0);
}

TDataInfomation::TDataInfomation()
{
    SeihinList.BuildSeihinVersionList(0);
}

bool TDataInfomation::UsesFile(const std::string& folder) const
{
    return (ConnectionMode == 0 || ConnectionMode > 2) && !folder.empty();
}

std::string TDataInfomation::GetDataVersionLabel(std::int32_t major, std::int32_t minor) const
{
    const std::string text = std::to_string(major) + "." + std::to_string(minor);
    for (int i = 0; i < SeihinList.Count; ++i)
        if (SeihinList.GetSeihinVersionStr(i) == text)
            return SeihinList.GetSeihinName(i);
    return text;
}

bool TDataInfomation::ReadDataIni(const std::string& folder, TDataInfomationRec& rec)
{
    return ReadIniFile(SystemDef.HOSTNAME, folder, rec);
}

bool TDataInfomation::ReadIniFile(const std::string& host, const std::string& folder, TDataInfomationRec& rec)
{
    ClearDataInfoRec(rec);
    if (folder.empty())
        return true;
    if (ConnectionMode == 1 || ConnectionMode == 2)
        return ReadServerState(host, folder, rec);
    if (ConnectionMode != 0)
        return true;

    std::error_code ec;
    const bool dbExists = fs::exists(DataDbFileOfFolder(folder), ec);
    const bool iniExists = fs::exists(DataInfoFileOfFolder(folder), ec);
    if (!dbExists && !iniExists)
        return false;
    if (dbExists && !iniExists && !OnNetworkDrive(folder)) {
        // Opening with the in-use mark and closing with the refresh makes
        // the data module write the whole file.
        if (!DM || !DM->fnAccDatConnected(host, folder, true)) {
            rec.STATUS = DataStatusUnknown;
            return true;
        }
        DM->fnAccDatDisConnected(folder, true, false);
    }
    ReadFile(folder, rec);
    return true;
}

void TDataInfomation::ReadFile(const std::string& folder, TDataInfomationRec& rec) const
{
    const IniFile ini(DataInfoFileOfFolder(folder));
    ReadDataStsSection(ini, rec);

    const char* d = DataInfoSection;
    rec.DATALISTNAME = ini.ReadString(d, "DATALISTNAME", "");
    rec.CODE = ini.ReadString(d, "CODE", "");
    rec.DATAKBN = ini.ReadInteger(d, "DATAKBN", 0);
    rec.CODEKBN = ini.ReadInteger(d, "CODEKBN", 0);
    rec.SHOUGOU = ini.ReadString(d, "SHOUGOU", "");
    rec.KANA = ini.ReadString(d, "KANA", "");
    rec.NENDO = ini.ReadInteger(d, "NENDO", 0);
    rec.KISHU = ini.ReadString(d, "KISHU", "");
    rec.KIMATU = ini.ReadString(d, "KIMATU", "");
    rec.TANTO = ini.ReadInteger(d, "TANTO", 0);
    rec.SITEN = ini.ReadInteger(d, "SITEN", 0);
    rec.SITENCNT = ini.ReadInteger(d, "SITENCNT", 0);
    rec.BUMON = ini.ReadInteger(d, "BUMON", 0);
    rec.BUMONCNT = ini.ReadInteger(d, "BUMONCNT", 0);
    rec.SIWAKE = ini.ReadInteger(d, "SIWAKE", 0);
    rec.TOTALSIWAKE = ini.ReadInteger(d, "TOTALSIWAKE", 0);
    // This file always holds three parts; a shorter text reads its missing
    // parts as 0.
    TVersionRec version;
    ParseVersion(ini.ReadString(d, "VERSION1", ""), version);
    rec.VERSION1 = {version.Major, version.Minor1, version.Minor2};
    rec.VERSION2 = ini.ReadString(d, "VERSION2", "");
    rec.GASSANKBN = Byte(ini.ReadInteger(d, "GASSANKBN", 0));
    rec.USEMYNUMBER = ini.ReadInteger(d, "USEMYNUMBER", 0);
    rec.CLOUD_SHARE = Byte(ini.ReadInteger(d, "CLOUD_SHARE", 0));
    if (rec.DATALISTNAME.empty())
        rec.DATALISTNAME = rec.SHOUGOU;
}

bool TDataInfomation::WriteState(const std::string& folder, const char* statusKey, const char* codeKey,
                                 const char* nameKey, std::uint8_t status)
{
    if (!UsesFile(folder))
        return true;
    try {
        WriteDataIniValue(folder, DataStsSection, false, std::int64_t{status}, statusKey);
        const bool free = status == 1;
        WriteDataIniValue(folder, DataStsSection, free, std::int64_t{SystemDef.OPCODE}, codeKey);
        WriteDataIniValue(folder, DataStsSection, free, SystemDef.OPNAME, nameKey);
        return true;
    } catch (const IniFileError&) {
        return false;
    }
}

bool TDataInfomation::SetDataStatus(const std::string& folder, std::uint8_t status)
{
    return WriteState(folder, "STATUS", "OPCODE", "OPERATOR", status);
}

bool TDataInfomation::SetShareStatus(const std::string& folder, std::uint8_t status)
{
    return WriteState(folder, "SHARE_STATUS", "SHARE_OPCODE", "SHARE_OPERATOR", status);
}

bool TDataInfomation::SetShareStatusIfChanged(const std::string& folder, std::uint8_t status)
{
    TDataInfomationRec rec;
    ReadDataIni(folder, rec);
    if (status == ShareStatusTakenOut && rec.SHARE_STATUS != ShareStatusTakenOut)
        return SetShareStatus(folder, ShareStatusTakenOut);
    if (status == ShareStatusFree && rec.SHARE_STATUS != ShareStatusFree)
        return SetShareStatus(folder, ShareStatusFree);
    return false;
}

void TDataInfomation::WriteDataInfo(const std::string& folder, const std::string& section,
                                    const TDataInfomationRec& rec)
{
    if (!UsesFile(folder))
        return;
    DataInfoRec = rec;
    IniFile ini(DataInfoFileOfFolder(folder));
    if (section.empty() || section == DataStsSection)
        ini.ReplaceSection(DataStsSection, StatusEntries(DataInfoRec));
    if (section.empty() || section == DataInfoSection)
        ini.ReplaceSection(DataInfoSection, SummaryEntries(DataInfoRec));
}

void TDataInfomation::WriteDataIniValue(const std::string& folder, const std::string& section, bool deleteKey,
                                        const IniValue& value, const std::string& key)
{
    if (!UsesFile(folder))
        return;
    WriteIniValue(DataInfoFileOfFolder(folder), section, key, deleteKey, value);
}

void TDataInfomation::RefreshDataInfo(const std::string& folder, const std::string& section)
{
    if (!section.empty()) {
        ClearDataInfoRec(DataInfoRec);
        // A summary that could not be read would blank the good one on file.
        if (section == DataInfoSection && !GetDataInfoRecOfFolder(folder, DataInfoRec))
            return;
        WriteDataInfo(folder, section, DataInfoRec);
        return;
    }
    if (DM && !OnNetworkDrive(folder) && DM->fnAccDatConnected(SystemDef.HOSTNAME, folder, true))
        DM->fnAccDatDisConnected(folder, true, false);
}
