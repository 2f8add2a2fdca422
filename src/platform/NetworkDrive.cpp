#include "platform/NetworkDrive.h"

#include "platform/Registry.h"

#include <algorithm>

namespace netdrive {
namespace {

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDrive(std::string_view path)
{
    return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

}  // namespace

std::string RemotePath(char letter)
{
    if (!IsDriveLetter(letter))
        return {};
    Registry reg(RootKey::HKEY_CURRENT_USER);
    const char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
    if (!reg.OpenKeyReadOnly(std::string("\\Network\\") + upper))
        return {};
    if (reg.GetDataType("RemotePath") != RegDataType::rdString)
        return {};
    return reg.ReadString("RemotePath");
}

bool IsNetworkDrive(std::string_view path)
{
    return HasDrive(path) && !RemotePath(path[0]).empty();
}

std::string ResolvePath(const std::string& path)
{
    if (!HasDrive(path))
        return path;
    std::string base = RemotePath(path[0]);
    if (base.empty())
        return path;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    std::string rest = path.substr(2);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    if (rest.empty())
        return base;
    if (rest.front() != '/')
        rest.insert(rest.begin(), '/');
    return base == "/" ? rest : base + rest;
}

}  // namespace netdrive
