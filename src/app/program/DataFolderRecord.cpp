#include "app/program/DataFolderRecord.h"

#include "foundation/DataModule.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"
#include "platform/AsciiText.h"
#include "platform/IniFile.h"
#include "platform/db/JoinedTransaction.h"

#include <charconv>
#include <vector>

namespace {

std::int32_t NumberOf(const std::string& text)
{
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

std::vector<std::string> FolderNames(const std::string& path)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = path.find('/', start);
        const std::size_t end = slash == std::string::npos ? path.size() : slash;
        names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

TDataListPosition PositionInLocalPath(const std::string& folder)
{
    const std::vector<std::string> names = FolderNames(DelSpaceAll(folder));
    TDataListPosition position;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = ascii::Upper(names[i]);
        if (name != "DATA" && name != "CB_DATA")
            continue;
        if (i + 1 < names.size())
            position.rec = NumberOf(names[i + 1]);
        if (i + 2 < names.size())
            position.rowNo = NumberOf(names[i + 2]);
        break;
    }
    return position;
}

TDataListPosition PositionInServerList(const std::string& folder)
{
    TDataListPosition position;
    try {
        db::JoinedTransaction joined(DM->IBTransactionDEF);
        // Paths keep their case here, so the registered path is compared
        // exactly rather than in upper case.
        db::Query query(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                        "SELECT REC FROM DATALIST WHERE (GROUPID=:GROUPID) AND (PASNAME=:PASNAME)");
        query.ParamByName("GROUPID").SetInteger(SystemDef.GROUPID);
        query.ParamByName("PASNAME").SetString(folder);
        query.Open();
        for (; !query.Eof(); query.Next())
            position.rec = query.FieldByName("REC").AsInteger();
        query.Close();
        joined.Commit();
    } catch (const std::exception&) {
        // A folder that cannot be looked up has no row.
    }
    return position;
}

}  // namespace

TDataListPosition GetDataListRec(const std::string& folder)
{
    if (ascii::TrimBlanks(folder).empty())
        return {};
    if (ConnectionMode == 1 || ConnectionMode == 2)
        return DM ? PositionInServerList(folder) : TDataListPosition{};
    return PositionInLocalPath(folder);
}

void SetDataStatus(const std::string& folder, std::uint8_t status)
{
    if ((ConnectionMode == 1 || ConnectionMode == 2) || folder.empty())
        return;
    IniFile ini(folder + "/" + DataIniFileName);
    ini.WriteInteger("DATASTS", "STATUS", status);
    if (status == 1) {
        ini.DeleteKey("DATASTS", "OPCODE");
        ini.DeleteKey("DATASTS", "OPERATOR");
    } else {
        ini.WriteInteger("DATASTS", "OPCODE", SystemDef.OPCODE);
        ini.WriteString("DATASTS", "OPERATOR", SystemDef.OPNAME);
    }
}
