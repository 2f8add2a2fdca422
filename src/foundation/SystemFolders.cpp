#include "foundation/SystemFolders.h"

#include "platform/SpecialFolders.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool IsFolder(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

std::string OrProgramDir(const std::string& folder)
{
    return IsFolder(folder) ? folder : folders::ProgramDir();
}

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string DesktopDir()
{
    std::string dir = Env("LEDRIX_DESKTOP");
    if (dir.empty())
        dir = Env("XDG_DESKTOP_DIR");
    if (dir.empty()) {
        std::string home = Env("HOME");
        if (home.empty())
            if (const passwd* pw = getpwuid(getuid()))
                home = pw->pw_dir;
        if (home.empty())
            return {};
        dir = WithoutTrailingSlash(home) + "/Desktop";
    }
    return WithoutTrailingSlash(dir);
}

std::string AsciiLower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

std::string GetSystemDir()
{
    return folders::SystemDir();
}

std::string GetMyDocumentsDir()
{
    return OrProgramDir(folders::Documents());
}

std::string GetAppDataDir(bool /*allUsers*/)
{
    return OrProgramDir(folders::CommonAppData());
}

std::string GetSpecialDir(const std::string& name)
{
    const std::string kind = AsciiLower(name);
    if (kind == "desktop")
        return OrProgramDir(DesktopDir());
    if (kind == "mydocument")
        return OrProgramDir(folders::Documents());
    if (kind == "programfiles") {
        const fs::path program(folders::ProgramDir());
        return OrProgramDir(program.has_parent_path() ? program.parent_path().string() : std::string());
    }
    return folders::ProgramDir();
}

std::string GetTempDir(const std::string& defaultDir)
{
    const std::string temp = folders::Temp();
    return IsFolder(temp) ? temp : defaultDir;
}

std::string GetSystemDriveRoot()
{
    return "/";
}
