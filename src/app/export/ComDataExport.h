#pragma once
// TComDataExport: everything the intermediate file says about a conversion
// besides the balances, and the tax-return application's settings file.
//
// Construction finds the installed accounting product in the registry store
// and reads "Varimon.ini" (in the "ini" folder of the home folder, section
// "UTIWAKESYO"): "DATA" and "KOMONSAKI" always, "EXPORTFILE" only when no
// function number was given (0), in which case it replaces the file name
// the caller passed. Destruction writes the same keys back, whatever the
// wizard's outcome: "DATA" as read, "KOMONSAKI" as the wizard left the
// company name, and "EXPORTFILE" again only for function number 0. A file
// that cannot be read reads as empty keys; one that cannot be written is
// left as it was (IniFile refuses to write a file it cannot read).
//
// The wizard fills the company, year and calculation fields, then the
// finish calls SetSystemNode, SetBasicNode and SetDataNode in that order on
// one document. SetDataNode belongs to the derived export that knows where
// the balances come from.

#include "app/export/XmlSaveDoc.h"
#include "platform/DateTime.h"

#include <cstdint>
#include <string>

inline constexpr std::int32_t RequiredProductMajor = 15;

class TComDataExport {
public:
    TComDataExport(std::int32_t functionNo, const std::string& fileName);
    // Writes the settings file (WriteTargetIni).
    virtual ~TComDataExport();
    TComDataExport(const TComDataExport&) = delete;
    TComDataExport& operator=(const TComDataExport&) = delete;

    // The document element "REPORT" with its "SYSTEM" part.
    void SetSystemNode(TXmlSaveDoc& doc) const;
    // The "BASIC" part under the document element.
    void SetBasicNode(TXmlSaveDoc& doc) const;
    // The "DATA" part under the document element.
    virtual void SetDataNode(TXmlSaveDoc& doc) = 0;

    // The settings file this export reads and writes.
    std::string TargetIniFileName() const;

    std::string HomeDir;  // common application data / AppInfo [Zaimu] HomeDir
    std::string IniDir;   // HomeDir + "/ini"
    std::string Title;
    std::string TargetAppName;
    std::string Kind;  // "UG": the section "UTIWAKESYO"
    std::int32_t FunctionNo = 0;
    std::string Prefix;
    std::int32_t FormatVersion = 1;
    std::int32_t FunctionId = 1;
    std::string ConnectedProgramVer;
    std::string ProductName;
    std::string ProductVersion;
    std::string RequiredVersion;
    std::string CompanyName;
    std::int32_t Nendo = 0;
    TDateTime FiscalStart = 0;
    TDateTime FiscalEnd = 0;
    std::int32_t ClosingDay = 99;
    std::string DataText;
    std::int32_t StartCell = 0;
    std::int32_t EndCell = 0;
    std::int32_t LastCell = 0;
    std::int32_t TaxMode = 0;  // 0 tax-inclusive, 1 tax-exclusive
    std::int32_t DataType = 0;
    std::string OutputFileName;
    std::int32_t SelectionKind = 1;
    std::string DataVerMajor;

private:
    void ReadTargetIni();
    void WriteTargetIni() const;
};
