#include "app/export/ComDataExport.h"

#include "app/export/ProductLookup.h"
#include "app/export/XmlValueText.h"
#include "foundation/AppInfo.h"
#include "foundation/SystemFolders.h"
#include "foundation/VersionUtils.h"
#include "platform/IniFile.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr const char* TargetIniName = "Varimon.ini";
constexpr const char* TargetSection = "UTIWAKESYO";

}  // namespace

TComDataExport::TComDataExport(std::int32_t functionNo, const std::string& fileName)
{
    HomeDir = GetAppDataDir(true) + "/" + AppInfo.Zaimu.HomeDir;
    IniDir = HomeDir + "/ini";
    std::error_code ignored;
    std::filesystem::create_directories(IniDir, ignored);

    ProductName = GetProductRegValue(RequiredProductMajor, "Product");
    ProductVersion = GetProductRegValue(RequiredProductMajor, "Version");

    RequiredVersion = VersionToText(RequiredProductMajor, 0, 0);
    Title = "内訳概況書のVarimon from " + ProductName + "（内訳書）";
    ConnectedProgramVer = "15.0.1";
    TargetAppName = "内訳概況書のVarimon（内訳書）";
    Kind = "UG";
    FunctionNo = functionNo;
    Prefix = "UG13";
    FormatVersion = 1;
    FunctionId = functionNo != 0 ? functionNo : 1;
    SelectionKind = 1;
    DataVerMajor = std::to_string(RequiredProductMajor);

    OutputFileName = fileName;
    ReadTargetIni();
}

TComDataExport::~TComDataExport()
{
    WriteTargetIni();
}

std::string TComDataExport::TargetIniFileName() const
{
    return IniDir + "/" + TargetIniName;
}

void TComDataExport::ReadTargetIni()
{
    try {
        const IniFile ini(TargetIniFileName());
        DataText = ini.ReadString(TargetSection, "DATA", "");
        CompanyName = ini.ReadString(TargetSection, "KOMONSAKI", "");
        if (FunctionNo == 0)
            OutputFileName = ini.ReadString(TargetSection, "EXPORTFILE", "");
    } catch (const IniFileError&) {
        // An unreadable file reads as empty keys.
        DataText.clear();
        CompanyName.clear();
        if (FunctionNo == 0)
            OutputFileName.clear();
    }
}

void TComDataExport::WriteTargetIni() const
{
    try {
        IniFile ini(TargetIniFileName());
        ini.WriteString(TargetSection, "DATA", DataText);
        ini.WriteString(TargetSection, "KOMONSAKI", CompanyName);
        if (FunctionNo == 0)
            ini.WriteString(TargetSection, "EXPORTFILE", OutputFileName);
    } catch (const IniFileError&) {
        // Nobody is left to tell at destruction; the file stays as it was
        // (a refused write changes nothing).
    }
}

void TComDataExport::SetSystemNode(TXmlSaveDoc& doc) const
{
    doc.CreateRootNode("REPORT", "");
    TXmlNode system = doc.AddNode(nullptr, "SYSTEM");
    doc.AddTextNode(system, "GYOUMUPREFIX", "", "", Prefix);
    doc.AddTextNode(system, "VERSION", "", "", std::to_string(FormatVersion));
    doc.AddTextNode(system, "FUNCTIONID", "", "", std::to_string(FunctionId));
    doc.AddTextNode(system, "CONNECTEDPROGRAMVER", "", "", ConnectedProgramVer);
    doc.AddTextNode(system, "PROGRAMNAME", "", "", ProductName);
    doc.AddTextNode(system, "PROGRAMVER", "", "", ProductVersion);
}

void TComDataExport::SetBasicNode(TXmlSaveDoc& doc) const
{
    TXmlNode basic = doc.AddNode(nullptr, "BASIC");
    doc.AddTextNode(basic, "KOMONSAKINAME", "", "", CompanyName);
    doc.AddTextNode(basic, "JIGYOUNENDOFROM", "", "", NendoDateText(FiscalStart));
    doc.AddTextNode(basic, "JIGYOUNENDOTO", "", "", NendoDateText(FiscalEnd));
}
