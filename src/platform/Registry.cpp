#include "platform/Registry.h"

#include "platform/AsciiText.h"
#include "platform/SpecialFolders.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view kStringPrefix = "sz:\"";
constexpr std::string_view kIntegerPrefix = "dword:";

constexpr auto SameName = ascii::SameText;
using ascii::IsBlank;

bool HasLineBreakOrNul(std::string_view s)
{
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// The part of `path` below `parent` ("" is the root), or nullopt when
// `path` is not below it.
std::optional<std::string_view> Below(std::string_view path, std::string_view parent)
{
    if (parent.empty())
        return path.empty() ? std::nullopt : std::optional(path);
    if (path.size() <= parent.size() + 1 || path[parent.size()] != '\\' ||
        !SameName(path.substr(0, parent.size()), parent))
        return std::nullopt;
    return path.substr(parent.size() + 1);
}

// Why `name` cannot be a key name in the store, or empty when it can.
std::string KeyNameProblem(std::string_view name)
{
    if (HasLineBreakOrNul(name) || name.find(']') != std::string_view::npos)
        return "holds \"]\", a line break or NUL";
    if (IsBlank(name.front()) || IsBlank(name.back()))
        return "begins or ends with a blank";
    return {};
}

struct Decoded {
    RegDataType type = RegDataType::rdUnknown;
    std::string text;
    std::int32_t number = 0;
};

Decoded Decode(std::string_view raw)
{
    Decoded d;
    if (raw.size() > kStringPrefix.size() && raw.starts_with(kStringPrefix) && raw.back() == '"') {
        d.type = RegDataType::rdString;
        d.text = raw.substr(kStringPrefix.size(), raw.size() - kStringPrefix.size() - 1);
        return d;
    }
    if (raw.starts_with(kIntegerPrefix)) {
        std::string_view digits = raw.substr(kIntegerPrefix.size());
        const bool negative = !digits.empty() && digits.front() == '-';
        if (negative)
            digits.remove_prefix(1);
        if (digits.empty() || digits.size() > 10)
            return d;
        std::uint64_t v = 0;
        for (char c : digits) {
            if (c < '0' || c > '9')
                return d;
            v = v * 10 + static_cast<unsigned>(c - '0');
        }
        // A DWORD is 32 bits: written signed, an unsigned spelling is accepted too.
        if (negative ? v > 2147483648ull : v > 0xFFFFFFFFull)
            return d;
        std::uint32_t u = static_cast<std::uint32_t>(v);
        if (negative)
            u = 0u - u;
        d.type = RegDataType::rdInteger;
        d.number = static_cast<std::int32_t>(u);
    }
    return d;
}

}  // namespace

Registry::Registry(RootKey root) : folder_(folders::RegistryDir()), root_(root) {}

void Registry::SetRootKey(RootKey root)
{
    CloseKey();
    root_ = root;
}

std::string Registry::HiveFile() const
{
    return folder_ + (root_ == RootKey::HKEY_LOCAL_MACHINE ? "/HKEY_LOCAL_MACHINE.ini" : "/HKEY_CURRENT_USER.ini");
}

namespace {

// The absolute, normalised path of `key` seen from `current`, or nullopt
// with the reason in `problem` when a name in it cannot be stored.
std::optional<std::string> Resolve(const std::string& current, std::string_view key, std::string& problem)
{
    std::string path = key.starts_with('\\') ? std::string() : current;
    std::size_t pos = 0;
    while (pos <= key.size()) {
        auto end = key.find('\\', pos);
        if (end == std::string_view::npos)
            end = key.size();
        const std::string_view name = key.substr(pos, end - pos);
        if (!name.empty()) {
            problem = KeyNameProblem(name);
            if (!problem.empty()) {
                problem = "key name \"" + std::string(name) + "\" " + problem;
                return std::nullopt;
            }
            if (!path.empty())
                path += '\\';
            path += name;
        }
        pos = end + 1;
    }
    return path;
}

bool Exists(const IniFile& hive, std::string_view path)
{
    if (path.empty())
        return true;
    for (const std::string& section : hive.ReadSections())
        if (SameName(section, path) || Below(section, path))
            return true;
    return false;
}

// Runs `fn`, turning a failure of the hive file into RegistryError.
template <typename Fn>
auto Guard(const std::string& what, Fn&& fn) -> decltype(fn())
{
    try {
        return fn();
    } catch (const IniFileError& e) {
        throw RegistryError(what + ": " + e.what());
    }
}

}  // namespace

bool Registry::OpenKey(const std::string& key, bool canCreate)
{
    std::string problem;
    const auto path = Resolve(current_, key, problem);
    if (!path) {
        if (canCreate)
            throw RegistryError("Failed to create key " + key + ": " + problem);
        return false;
    }
    const bool exists = Guard("Failed to open key " + key, [&] { return Exists(Hive(), *path); });
    if (!exists) {
        if (!canCreate)
            return false;
        Guard("Failed to create key " + key, [&] {
            std::error_code ec;
            std::filesystem::create_directories(folder_, ec);
            if (ec)
                throw IniFileError("cannot create the registry folder " + folder_ + ": " + ec.message());
            Hive().CreateSection(*path);
        });
    }
    current_ = *path;
    readOnly_ = false;
    return true;
}

bool Registry::OpenKeyReadOnly(const std::string& key)
{
    std::string problem;
    const auto path = Resolve(current_, key, problem);
    if (!path)
        return false;
    if (!Guard("Failed to open key " + key, [&] { return Exists(Hive(), *path); }))
        return false;
    current_ = *path;
    readOnly_ = true;
    return true;
}

void Registry::CloseKey()
{
    current_.clear();
    readOnly_ = false;
}

bool Registry::KeyExists(const std::string& key) const
{
    std::string problem;
    const auto path = Resolve(current_, key, problem);
    return path && Guard("Failed to read key " + key, [&] { return Exists(Hive(), *path); });
}

bool Registry::ValueExists(const std::string& name) const
{
    if (current_.empty())
        return false;
    return Guard("Failed to read value " + name, [&] { return Hive().ValueExists(current_, name); });
}

RegDataType Registry::GetDataType(const std::string& name) const
{
    if (!ValueExists(name))
        return RegDataType::rdUnknown;
    return Decode(Guard("Failed to read value " + name, [&] { return Hive().ReadString(current_, name, ""); })).type;
}

std::string Registry::ReadString(const std::string& name) const
{
    if (!ValueExists(name))
        return {};
    const Decoded d =
        Decode(Guard("Failed to read value " + name, [&] { return Hive().ReadString(current_, name, ""); }));
    if (d.type != RegDataType::rdString)
        throw RegistryError("Invalid data type for '" + name + "'");
    return d.text;
}

std::int32_t Registry::ReadInteger(const std::string& name) const
{
    if (!ValueExists(name))
        throw RegistryError("Failed to get data for '" + name + "': the value does not exist");
    const Decoded d =
        Decode(Guard("Failed to read value " + name, [&] { return Hive().ReadString(current_, name, ""); }));
    if (d.type != RegDataType::rdInteger)
        throw RegistryError("Invalid data type for '" + name + "'");
    return d.number;
}

void Registry::PrepareWrite(const std::string& name)
{
    const std::string failed = "Failed to set data for '" + name + "': ";
    if (readOnly_)
        throw RegistryError(failed + "the key is open read-only");
    if (current_.empty())
        throw RegistryError(failed + "no key is open (values at the root are not kept)");
    if (name.empty())
        throw RegistryError(failed + "the default value is not kept");
    if (HasLineBreakOrNul(name) || name.find('=') != std::string::npos || name.front() == ';' || name.front() == '[' ||
        IsBlank(name.front()) || IsBlank(name.back()))
        throw RegistryError(failed +
                            "the name holds \"=\", a line break or NUL, begins with \";\" or \"[\", "
                            "or begins or ends with a blank");
    // A key deleted while open takes no more values, as on Windows.
    if (!Guard(failed, [&] { return Exists(Hive(), current_); }))
        throw RegistryError(failed + "the key " + current_ + " has been deleted");
}

void Registry::WriteString(const std::string& name, const std::string& value)
{
    PrepareWrite(name);
    if (HasLineBreakOrNul(value))
        throw RegistryError("Failed to set data for '" + name + "': the text holds a line break or NUL");
    Guard("Failed to set data for '" + name + "'",
          [&] { Hive().WriteString(current_, name, std::string(kStringPrefix) + value + "\""); });
}

void Registry::WriteInteger(const std::string& name, std::int32_t value)
{
    PrepareWrite(name);
    Guard("Failed to set data for '" + name + "'",
          [&] { Hive().WriteString(current_, name, std::string(kIntegerPrefix) + std::to_string(value)); });
}

bool Registry::DeleteValue(const std::string& name)
{
    if (readOnly_ || !ValueExists(name))
        return false;
    Guard("Failed to delete value '" + name + "'", [&] { Hive().DeleteKey(current_, name); });
    return true;
}

bool Registry::DeleteKey(const std::string& key)
{
    if (readOnly_)
        return false;
    std::string problem;
    const auto path = Resolve(current_, key, problem);
    if (!path || path->empty())
        return false;
    return Guard("Failed to delete key " + key, [&] {
        IniFile hive = Hive();
        bool found = false;
        for (const std::string& section : hive.ReadSections()) {
            if (SameName(section, *path) || Below(section, *path)) {
                hive.EraseSection(section);
                found = true;
            }
        }
        return found;
    });
}

std::vector<std::string> Registry::GetValueNames() const
{
    if (current_.empty())
        return {};
    return Guard("Failed to read key " + current_, [&] { return Hive().ReadSection(current_); });
}

std::vector<std::string> Registry::GetKeyNames() const
{
    const std::vector<std::string> sections =
        Guard("Failed to read key " + current_, [&] { return Hive().ReadSections(); });
    std::vector<std::string> names;
    for (const std::string& section : sections) {
        const auto rest = Below(section, current_);
        if (!rest)
            continue;
        const std::string_view child = rest->substr(0, rest->find('\\'));
        bool seen = false;
        for (const auto& n : names)
            seen = seen || SameName(n, child);
        if (!seen)
            names.emplace_back(child);
    }
    return names;
}
