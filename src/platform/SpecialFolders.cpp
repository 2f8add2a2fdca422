#include "platform/SpecialFolders.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace folders {
namespace {

std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string Home()
{
    std::string home = Env("HOME");
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()))
            home = pw->pw_dir;
    }
    return home.empty() ? std::string("/") : home;
}

// The variable of our own wins, then the XDG one, then the fallback.
std::string Pick(const char* own, const char* xdg, const std::string& fallback)
{
    std::string v = Env(own);
    if (v.empty() && xdg)
        v = Env(xdg);
    if (v.empty())
        v = fallback;
    return WithoutTrailingSlash(v);
}

}  // namespace

std::string CommonAppData()
{
    return Pick("LEDRIX_COMMON_APPDATA", "XDG_DATA_HOME", Home() + "/.local/share");
}
std::string Documents()
{
    return Pick("LEDRIX_DOCUMENTS", "XDG_DOCUMENTS_DIR", Home() + "/Documents");
}
std::string Temp()
{
    return Pick("LEDRIX_TEMP", "TMPDIR", "/tmp");
}
std::string SystemDir()
{
    return Pick("LEDRIX_SYSTEM_DIR", nullptr, "/usr/lib");
}

std::string RegistryDir()
{
    std::string config = Env("XDG_CONFIG_HOME");
    if (config.empty())
        config = Home() + "/.config";
    return Pick("LEDRIX_REGISTRY_DIR", nullptr, WithoutTrailingSlash(config) + "/ledrix-registry");
}

std::string ProgramDir()
{
    std::string own = Env("LEDRIX_PROGRAM_DIR");
    if (!own.empty())
        return WithoutTrailingSlash(own);
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    std::string exe(buf, static_cast<std::size_t>(n));
    const auto slash = exe.rfind('/');
    return slash == 0 ? std::string("/") : exe.substr(0, slash);
}

std::string Runtime()
{
    std::string dir = Env("LEDRIX_RUNTIME_DIR");
    if (dir.empty())
        dir = Env("XDG_RUNTIME_DIR");
    if (dir.empty())
        dir = Temp() + "/ledrix-" + std::to_string(getuid());
    dir = WithoutTrailingSlash(dir);
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        throw std::runtime_error("cannot create the runtime folder " + dir);
    return dir;
}

std::string ComputerName()
{
    std::string name = Env("LEDRIX_COMPUTERNAME");
    if (!name.empty())
        return name;
    char buf[256] = {};
    if (gethostname(buf, sizeof buf - 1) != 0)
        return {};
    return buf;
}

std::string UserName()
{
    std::string name = Env("LEDRIX_USERNAME");
    if (!name.empty())
        return name;
    if (const passwd* pw = getpwuid(getuid()))
        return pw->pw_name;
    return Env("USER");
}

}  // namespace folders
