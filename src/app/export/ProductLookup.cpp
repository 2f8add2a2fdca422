#include "app/export/ProductLookup.h"

#include "foundation/AppInfo.h"
#include "foundation/MojiBunkatu.h"
#include "platform/AsciiText.h"
#include "platform/IniFile.h"
#include "platform/NumberText.h"
#include "platform/Registry.h"

#include <cstdio>
#include <vector>

namespace {

std::string LowerAscii(std::string text)
{
    for (char& c : text)
        c = ascii::Lower(c);
    return text;
}

// The number a version text compares by (see CompareVersion).
int VersionNumber(const std::string& text)
{
    TMojiBunkatu split;
    split.Delimiter = '.';
    split.SplitMoji(text);
    int parts[3] = {0, 0, 0};
    if (split.Count() >= 1 && split.Count() <= 3)
        for (int i = 0; i < split.Count(); ++i)
            parts[i] = StrToIntDef(split.GetMojiItem(i), 0);
    char joined[48];
    std::snprintf(joined, sizeof joined, "%.2d%.2d%.2d", parts[0], parts[1], parts[2]);
    return StrToIntDef(joined, 0);
}

}  // namespace

std::string GetProductRegValue(std::int32_t major, const std::string& valueName)
{
    try {
        Registry reg(RootKey::HKEY_LOCAL_MACHINE);
        const std::string makerKey = AppInfo.Application.RegKey;
        if (makerKey.empty() || !reg.KeyExists(makerKey) || !reg.OpenKeyReadOnly(makerKey))
            return {};
        const std::vector<std::string> names = reg.GetKeyNames();
        char number[16];
        std::snprintf(number, sizeof number, "%.2d", major);
        const std::string word = LowerAscii(AppInfo.Zaimu.RegKey) + number;
        for (auto it = names.rbegin(); it != names.rend(); ++it) {
            if (LowerAscii(*it).find(word) == std::string::npos)
                continue;
            if (!reg.OpenKeyReadOnly(*it))
                return {};
            return reg.ReadString(valueName);
        }
    } catch (const RegistryError&) {
        // A value of another type, or a name the store refuses: the product
        // is as good as not found.
    } catch (const IniFileError&) {
        // A hive that cannot be read holds no product either.
    }
    return {};
}

bool CompareVersion(const std::string& version, const std::string& required)
{
    const int a = VersionNumber(version);
    return a > 0 && a >= VersionNumber(required);
}
