#include "dataselect/DataListFilter.h"

#include "foundation/LCMapStr.h"
#include "foundation/StringUtils.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string AsciiUpper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string TwoNumbers(std::int32_t a, std::int32_t b)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d%d", a, b);
    return text;
}

std::string VersionText(std::int32_t major, std::int32_t minor)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d.%d", major, minor);
    return text;
}

// The name as the name condition compares it.
std::string NameKey(const std::string& text)
{
    return ZenUpperCase(LCMapStr(LCMAP_FULLWIDTH, text));
}

bool KindPasses(const TDataListRec& row, const TDataKensakuRec& c)
{
    if (c.DATATYPE > 0) {
        if (c.CODETYPE == 0)
            return TwoNumbers(c.DATATYPE, 0) == TwoNumbers(row.DATATYPE, 0);
        return TwoNumbers(c.DATATYPE, c.CODETYPE) == TwoNumbers(row.DATATYPE, row.CODETYPE);
    }
    if (c.DATATYPE == -13)
        return row.DATATYPE == 1 || row.DATATYPE == 3;
    return true;
}

bool VersionPasses(const TDataListRec& row, const TDataKensakuRec& c)
{
    if (c.DATAVER.empty())
        return true;
    const auto dot = c.DATAVER.find('.');
    const std::int32_t major = std::atoi(c.DATAVER.substr(0, dot).c_str());
    const std::int32_t minor = dot == std::string::npos ? 0 : std::atoi(c.DATAVER.substr(dot + 1).c_str());
    switch (c.VERMODE) {
    case VersionModeMajor:
        return row.VER_MAJOR == major;
    case VersionModeAtLeast:
        return row.VER_MAJOR > major || (row.VER_MAJOR == major && row.VER_MINOR1 >= minor);
    default:
        return VersionText(row.VER_MAJOR, row.VER_MINOR1) == c.DATAVER;
    }
}

bool CodePasses(const TDataListRec& row, const TDataKensakuRec& c)
{
    const std::string code = TrimZen(c.DATACODE);
    if (code.empty())
        return true;
    return AsciiUpper(code) == AsciiUpper(FixLenStrL(row.DATACODE, static_cast<int>(code.size())));
}

}  // namespace

std::vector<std::int32_t> FilterDataList(const TDataSentakuRecArray& rows, const TDataKensakuRec& conditions)
{
    const std::string nameKey = conditions.DATANAME.empty() ? std::string() : NameKey(conditions.DATANAME);
    std::vector<std::int32_t> shown;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TDataListRec& row = rows[i].Data;
        if (!KindPasses(row, conditions))
            continue;
        if (!nameKey.empty() && NameKey(row.ENTTEXT).find(nameKey) == std::string::npos)
            continue;
        if (conditions.TANTO != 0 && row.TANTOU != conditions.TANTO)
            continue;
        if (!VersionPasses(row, conditions) || !CodePasses(row, conditions))
            continue;
        shown.push_back(static_cast<std::int32_t>(i));
    }
    return shown;
}

std::uint8_t SortKindOfColumn(std::int32_t column)
{
    switch (column) {
    case 1:
        return 7;
    case 3:
        return 2;
    case 4:
        return 3;
    case 5:
        return 4;
    case 6:
        return 5;
    case 7:
        return 6;
    default:
        return 1;
    }
}
