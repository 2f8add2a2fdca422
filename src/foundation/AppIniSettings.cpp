#include "foundation/AppIniSettings.h"

#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/AsciiText.h"
#include "platform/IniFile.h"
#include "platform/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const char* const kApplication = "APPLICATION";

std::string YesNo(std::uint8_t on)
{
    return on != 0 ? "YES" : "NO";
}

// Makes the file owner-only before it receives a password (see the header).
void KeepPrivate(const std::string& path)
{
    platform::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd)
        throw IniFileError(path + ": " + std::strerror(errno));
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0)
        throw IniFileError(path + ": " + std::strerror(errno));
    if ((info.st_mode & 077) != 0 && ::fchmod(fd.Get(), info.st_mode & 0700) != 0)
        throw IniFileError(path + ": cannot keep the file to its owner: " + std::strerror(errno));
}

void WriteSection(IniFile& ini, const std::string& section, const std::string& host, const std::string& sysDir)
{
    ini.ReplaceSection(section, {{"HOSTNAME", host},
                                 {"GOGLOBAL", YesNo(SystemDef.GOGLOBAL)},
                                 {"GROUP", YesNo(SystemDef.GROUP)},
                                 {"SYSDIR", sysDir},
                                 {"USER", SystemDef.USER},
                                 {"PASSWORD", SystemDef.PASSWORD}});
}

}  // namespace

const char* AppIniSectionName(std::int32_t mode)
{
    switch (mode) {
    case 1:
        return "SERVER";
    case 2:
        return "SBC";
    default:
        return "LOCAL";
    }
}

std::string NormalizeHostName(const std::string& typed)
{
    std::string host(ascii::TrimBlanks(typed));
    std::transform(host.begin(), host.end(), host.begin(), [](char c) { return ascii::Lower(c); });
    return host;
}

bool WriteAppIni(bool reset)
{
    KeepPrivate(SystemDef.AppIniPath);
    IniFile ini(SystemDef.AppIniPath);
    if (reset) {
        if (ConnectionMode == 0)
            SystemDef.HOSTNAME.clear();
        ini.EraseSection("DATABASE");
        ini.EraseSection("MAINFORM");
        ini.ReplaceSection(kApplication,
                           {{"TOP", "0"}, {"LEFT", "0"}, {"WIDTH", "1024"}, {"HEIGHT", "738"}, {"CONNECT", "0"}});
        WriteSection(ini, "LOCAL", SystemDef.HOSTNAME, SystemDef.SYSDIR);
        const std::uint8_t goGlobal = SystemDef.GOGLOBAL;
        const std::uint8_t group = SystemDef.GROUP;
        SystemDef.GOGLOBAL = 0;
        SystemDef.GROUP = 0;
        WriteSection(ini, "SERVER", "", "");
        SystemDef.GOGLOBAL = goGlobal;
        SystemDef.GROUP = group;
    } else {
        WriteSection(ini, AppIniSectionName(ConnectionMode), SystemDef.HOSTNAME, SystemDef.SYSDIR);
    }
    ini.UpdateFile();
    return true;
}

std::int32_t LoadAppIniSection(std::int32_t mode)
{
    const IniFile ini(SystemDef.AppIniPath);
    const std::string section = AppIniSectionName(mode);
    SystemDef.HOSTNAME = NormalizeHostName(ini.ReadString(section, "HOSTNAME", ""));
    // Exactly "YES": the dialog writes nothing else.
    SystemDef.GOGLOBAL = ini.ReadString(section, "GOGLOBAL", "NO") == "YES" ? 1 : 0;
    SystemDef.GROUP = 0;
    SystemDef.SYSDIR = ini.ReadString(section, "SYSDIR", "");
    SystemDef.USER = ascii::Upper(ini.ReadString(section, "USER", DefaultDatabaseUser));
    SystemDef.PASSWORD = ini.ReadString(section, "PASSWORD", DefaultDatabasePassword);
    return 1;
}

std::int32_t LoadConnectionSettings(std::int32_t mode)
{
    switch (ProgramKind) {
    case 0:
    case 2:
        return LoadAppIniSection(mode);
    case 1:
    case 3:
        SystemDef.HOSTNAME.clear();
        SystemDef.GOGLOBAL = 0;
        SystemDef.GROUP = 0;
        SystemDef.SYSDIR =
            ProgramKind == 1 ? SystemDef.ViewerDir + "/data" : SystemDef.HomeDir + "/" + CashBookFolderName;
        SystemDef.USER = DefaultDatabaseUser;
        SystemDef.PASSWORD = DefaultDatabasePassword;
        return 1;
    default:
        return 0;
    }
}

void WriteConnectMode(std::uint32_t mode)
{
    if (mode >= 3 || ProgramKind != 0)
        return;
    KeepPrivate(SystemDef.AppIniPath);
    IniFile ini(SystemDef.AppIniPath);
    ini.WriteString(kApplication, "CONNECT", std::to_string(mode));
    ini.UpdateFile();
}

std::int32_t ReadConnectMode()
{
    if (ProgramKind != 0)
        return 0;
    return IniFile(SystemDef.AppIniPath).ReadInteger(kApplication, "CONNECT", 0);
}

bool AppIniNeedsDefaults()
{
    const IniFile ini(SystemDef.AppIniPath);
    return !ini.SectionExists("LOCAL");
}
