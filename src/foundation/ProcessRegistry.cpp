#include "foundation/ProcessRegistry.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <mutex>

namespace {

// Two parallel lists: entry i of Names names entry i of Classes.
struct TProcessRegistry {
    std::mutex Lock;
    std::vector<TProcessFormClass> Classes;
    std::vector<std::string> Names;
};

// Built on first use: screens register from static initialisers of other
// files, which may run before a namespace-scope registry would exist.
TProcessRegistry& Registry()
{
    static TProcessRegistry registry;
    return registry;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

int IndexOfNameLocked(const TProcessRegistry& registry, std::string_view name)
{
    for (std::size_t i = 0; i < registry.Names.size(); ++i)
        if (SameName(registry.Names[i], name))
            return static_cast<int>(i);
    return -1;
}

}  // namespace

void RegisterProcessClass(TProcessFormClass formClass, std::string name)
{
    if (formClass == nullptr)
        return;
    TProcessRegistry& registry = Registry();
    const std::lock_guard guard(registry.Lock);
    if (std::find(registry.Classes.begin(), registry.Classes.end(), formClass) != registry.Classes.end())
        return;
    registry.Classes.push_back(formClass);
    registry.Names.push_back(std::move(name));
}

int IndexOfProcessName(std::string_view name)
{
    TProcessRegistry& registry = Registry();
    const std::lock_guard guard(registry.Lock);
    return IndexOfNameLocked(registry, name);
}

TProcessFormClass GetProcessClass(std::string_view name)
{
    TProcessRegistry& registry = Registry();
    const std::lock_guard guard(registry.Lock);
    const int index = IndexOfNameLocked(registry, name);
    return index < 0 ? nullptr : registry.Classes[static_cast<std::size_t>(index)];
}

std::string ProcessParamValue(const TProcessParams& params, std::string_view name)
{
    for (const std::string& line : params) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        if (SameName(std::string_view(line).substr(0, eq), name))
            return line.substr(eq + 1);
    }
    return {};
}

std::int32_t ProcessSyoriType(const TProcessParams& params, std::int32_t current)
{
    const int value = StrToIntDef(ProcessParamValue(params, "SyoriType"), -1);
    return value >= 0 ? value : current;
}

TProcessFormStyle ProcessFormStyle(const TProcessParams& params)
{
    switch (StrToIntDef(ProcessParamValue(params, "FormStyle"), 0)) {
    case 0:
        return TProcessFormStyle::MdiChild;
    case 1:
        return TProcessFormStyle::MdiParent;
    case 2:
        return TProcessFormStyle::Normal;
    default:
        return TProcessFormStyle::StayOnTop;
    }
}

std::string ProcessFormStyleLine(bool modal)
{
    return modal ? "FormStyle=2" : "FormStyle=0";
}
