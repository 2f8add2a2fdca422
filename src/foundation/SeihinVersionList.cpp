#include "foundation/SeihinVersionList.h"

#include "foundation/AppInfo.h"
#include "foundation/MojiBunkatu.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/AsciiText.h"
#include "platform/NumberText.h"
#include "platform/Registry.h"

#include <utility>

namespace {

// Major and minor of a "major.minor.revision" text; false unless the text
// has exactly three parts.
bool SplitVersionText(const std::string& text, std::int32_t& major, std::int32_t& minor)
{
    TMojiBunkatu split;
    split.Delimiter = '.';
    split.SplitMoji(text);
    if (split.Count() != 3)
        return false;
    major = StrToIntDef(split.GetMojiItem(0), 0);
    minor = StrToIntDef(split.GetMojiItem(1), 0);
    return true;
}

bool Before(const TDataVersionRec& a, const TDataVersionRec& b)
{
    return a.Major != b.Major ? a.Major < b.Major : a.Minor < b.Minor;
}

}  // namespace

TSeihinVersionList::TSeihinVersionList()
{
    ProductKey = AppInfo.Zaimu.RegKey;
    if (ProgramKind == 2)
        ProductKey = AppInfo.Navigore.RegKey;
    else if (ProgramKind == 3)
        ProductKey = AppInfo.Duzezuza.RegKey;
}

void TSeihinVersionList::AddVersion(std::int32_t major, std::int32_t minor, const std::string& name)
{
    Versions.push_back(TDataVersionRec{major, minor, 0, name});
    Names.push_back(name);
}

bool TSeihinVersionList::HasVersion(std::int32_t major, std::int32_t minor) const
{
    for (const TDataVersionRec& v : Versions)
        if (v.Major == major && v.Minor == minor)
            return true;
    return false;
}

void TSeihinVersionList::AddRegistryVersions()
{
    const std::string& key = AppInfo.Application.RegKey;
    if (key.empty())
        return;
    Registry registry(RootKey::HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(key))
        return;
    const std::string wanted = ascii::Upper(ProductKey);
    for (const std::string& name : registry.GetKeyNames()) {
        if (ascii::Upper(name).find(wanted) == std::string::npos)
            continue;
        Registry product(RootKey::HKEY_LOCAL_MACHINE);
        if (!product.OpenKeyReadOnly(key + "\\" + name))
            continue;
        std::int32_t major = 0;
        std::int32_t minor = 0;
        if (!SplitVersionText(product.ReadString("Version"), major, minor))
            continue;
        if (!HasVersion(major, minor))
            AddVersion(major, minor, product.ReadString("Type"));
    }
}

void TSeihinVersionList::BuildSeihinVersionList(int sortFlag)
{
    Versions.clear();
    Names.clear();
    Count = 0;
    if (!LeadingName.empty())
        AddVersion(0, 0, LeadingName);
    if (EditionFlag == 0) {
        for (const TComListRec_s& fixed : FixedSeihinVersions) {
            std::int32_t major = 0;
            std::int32_t minor = 0;
            if (SplitVersionText(fixed.Text, major, minor))
                AddVersion(major, minor, fixed.Name);
        }
    }
    for (std::int32_t major = 4; major <= SystemDef.AppKind; ++major)
        AddVersion(major, 0, std::to_string(major + 8) + "版");
    AddRegistryVersions();
    Count = static_cast<std::int32_t>(Versions.size());
    if (sortFlag == 1)
        SortSeihinVersionList(1);
}

void TSeihinVersionList::SortSeihinVersionList(int descending)
{
    const std::size_t first = LeadingName.empty() ? 0 : 1;
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::size_t i = first; i + 1 < Versions.size(); ++i) {
            const bool outOfOrder =
                descending == 1 ? Before(Versions[i], Versions[i + 1]) : Before(Versions[i + 1], Versions[i]);
            if (outOfOrder) {
                std::swap(Versions[i], Versions[i + 1]);
                swapped = true;
            }
        }
    }
    Names.clear();
    for (const TDataVersionRec& v : Versions)
        Names.push_back(v.Name);
}

std::string TSeihinVersionList::GetSeihinNamesText() const
{
    std::string text;
    for (const std::string& name : Names)
        text += name + "\r\n";
    return text;
}

std::string TSeihinVersionList::GetSeihinVersionStr(int index) const
{
    if (index < 0 || index >= static_cast<int>(Versions.size()))
        return {};
    const TDataVersionRec& v = Versions[static_cast<std::size_t>(index)];
    if (v.Major == 0 && v.Minor == 0)
        return {};
    return std::to_string(v.Major) + "." + std::to_string(v.Minor);
}

std::string TSeihinVersionList::GetSeihinName(int index) const
{
    if (index < 0 || index >= static_cast<int>(Names.size()))
        return {};
    return Names[static_cast<std::size_t>(index)];
}

int TSeihinVersionList::IndexOfSeihinName(const std::string& name) const
{
    for (std::size_t i = 0; i < Names.size(); ++i)
        if (Names[i] == name)
            return static_cast<int>(i);
    return -1;
}
