#include "app/program/ProgramEnvironment.h"

#include "foundation/AppInfo.h"
#include "foundation/AppIniSettings.h"
#include "foundation/ColourDefaults.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "foundation/SystemFolders.h"
#include "platform/AsciiText.h"
#include "platform/IniFile.h"
#include "platform/SpecialFolders.h"

#include <sys/utsname.h>

#include <array>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::int32_t, 5> InitialDataNumbers{11, 21, 22, 23, 31};

std::string WithTitle(const char* format)
{
    std::string text(format);
    const std::size_t at = text.find("%s");
    return text.replace(at, 2, SystemDef.ProgramTitle);
}

bool IsYes(const std::string& value)
{
    return ascii::Upper(ascii::TrimBlanks(value)) == "YES";
}

std::string ParentFolder(const std::string& folder)
{
    const fs::path parent = fs::path(folder).parent_path();
    return parent.empty() ? folder : parent.string();
}

// The kernel's major release number stands for the Windows major version.
std::int32_t SystemMajorVersion()
{
    struct utsname name {};
    if (::uname(&name) != 0)
        return 0;
    return static_cast<std::int32_t>(std::atoi(name.release));
}

void WriteDefaultAppIni()
{
    try {
        WriteAppIni(true);
    } catch (const std::exception&) {
        throw EnvironmentError(WithTitle("アプリケーションの初期設定がおこなわれていないため\r%sを終了します。"));
    }
}

bool SectionIsBlank(const IniFile& ini, const std::string& section)
{
    for (const std::string& line : ini.ReadSectionValues(section))
        if (!ascii::TrimBlanks(line).empty())
            return false;
    return true;
}

void ReadLocalSection()
{
    if (SectionIsBlank(IniFile(SystemDef.AppIniPath), "LOCAL"))
        WriteDefaultAppIni();
    const IniFile ini(SystemDef.AppIniPath);
    SystemDef.HOSTNAME = ini.ReadString("LOCAL", "HOSTNAME", "");
    SystemDef.GOGLOBAL = IsYes(ini.ReadString("LOCAL", "GOGLOBAL", "")) ? 1 : 0;
    SystemDef.GROUP = IsYes(ini.ReadString("LOCAL", "GROUP", "")) ? 1 : 0;
    SystemDef.SYSDIR = ini.ReadString("LOCAL", "SYSDIR", "");
    SystemDef.USER = ascii::Upper(ini.ReadString("LOCAL", "USER", ""));
    // The password keeps its case, as the application ini stores it: a
    // server password with capital letters must stay usable.
    SystemDef.PASSWORD = ini.ReadString("LOCAL", "PASSWORD", "");
}

}  // namespace

void SetAppInfoValues()
{
    const TAppInfoRec::TZaimu& zaimu = AppInfo.Zaimu;
    AppIniBaseName = zaimu.AppName;
    AppHomeDir = zaimu.HomeDir;
    ProductFolderName = zaimu.ShareDir;
    DataFolderSuffix = zaimu.ServerDir;
    TempFolderSuffix = zaimu.ServerTempDir;
    SysDbFileName = zaimu.DataDefFile;
    DataDbFileName = zaimu.DataFile;
    DataBackupFileName = zaimu.DataBackupFile;
    for (std::size_t i = 0; i < InitialDataNumbers.size(); ++i)
        InitialDataFileNames[i] = FormatAppInfoPattern(zaimu.DataInitFile, InitialDataNumbers[i]);
    DataIniFileName = zaimu.DataIniFile;
    ViewerFolderName = AppInfo.VOrera.DataDir;
    AnalysisHomeDir = AppInfo.Navigore.HomeDir;
    CashBookFolderName = AppInfo.Duzezuza.DataDir;
    CashBookBackupFileName = AppInfo.Duzezuza.DataBackupFile;
    DataListMax = zaimu.DataListCnt;
    if (EditionFlag == 1 || EditionFlag == 2)
        ApplyEditionColors();
}

void InitEnvironment(const TScreenMetrics& metrics, const TFontInfo& formFont)
{
    SystemDef.ProgramTitle = WizardAppTitle;
    SystemDef.WindowsVersion = SystemMajorVersion();
    SystemDef.MenuHeight = metrics.menuHeight;
    SystemDef.CaptionHeight = metrics.captionHeight;
    // The dialog base derives its frame adjustment from this height.
    SystemDef.FrameHeight = metrics.frameHeight;
    SystemDef.WinUserName = folders::UserName();
    SystemDef.PCName = folders::ComputerName();
    SystemDef.ProgramDir = folders::ProgramDir();
    SystemDef.ProgramParentDir = ParentFolder(SystemDef.ProgramDir);
    SystemDef.PrintDir = SystemDef.ProgramParentDir + "/print";
    SystemDef.HelpDir = SystemDef.ProgramParentDir + "/help";
    SystemDef.SqlDir = SystemDef.ProgramParentDir + "/sql";
    const std::string appData = folders::CommonAppData();
    if (appData.empty())
        throw EnvironmentError(WithTitle(
            "アプリケーションの初期化に失敗しました。\r%sを終了します。\rデータフォルダの取得に失敗しました。"));
    SystemDef.HomeDir = appData + "/" + AppHomeDir;
    SystemDef.IniDir = SystemDef.HomeDir + "/ini";
    SystemDef.LogDir = SystemDef.HomeDir + "/log";
    SystemDef.TempDir = SystemDef.HomeDir + "/temp";

    SystemDef.WinTempDir = GetTempDir(SystemDef.WinTempDir);
    SystemDef.WinSystemDir = GetSystemDir();
    SystemDef.DocumentsDir = folders::Documents() + "/" + AppHomeDir;
    SystemDef.ViewerDir = SystemDef.WinTempDir + "/" + ViewerFolderName;
    SystemDef.SYSDIR = SystemDef.HomeDir + "/data";
    SystemDef.DataDir.clear();
    SystemDef.HOSTNAME = SystemDef.PCName;
    SystemDef.USER = DefaultDatabaseUser;
    SystemDef.PASSWORD = DefaultDatabasePassword;
    SystemDef.StandardFont = formFont;
    SystemDef.OperatorFont = formFont;
    SystemDef.AppIniPath = SystemDef.HomeDir + "/" + AppIniBaseName + ".ini";
    SystemDef.DataPlaceNo = 0;
    for (const std::string& folder : {SystemDef.IniDir, SystemDef.LogDir, SystemDef.TempDir, SystemDef.DocumentsDir})
        fs::create_directories(folder);

    if (!fs::exists(SystemDef.AppIniPath))
        WriteDefaultAppIni();
    ReadLocalSection();

    // Stand-alone until the logon chooses the connection mode.
    SystemDef.HOSTNAME.clear();
    SystemDef.GOGLOBAL = 0;
    SystemDef.GROUPID = 10000;
}
