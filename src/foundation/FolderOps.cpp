#include "foundation/FolderOps.h"

#include "foundation/ErrorHandling.h"
#include "foundation/FileTree.h"
#include "foundation/UserMessage.h"
#include "foundation/XdgTrash.h"
#include "platform/DateTime.h"
#include "platform/NetworkDrive.h"
#include "platform/SpecialFolders.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

bool TrimmedEmpty(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), IsBlankOrControl);
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDrive(std::string_view path)
{
    return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

// "X:" or "X:" with one delimiter.
bool IsBareDrive(std::string_view path)
{
    return HasDrive(path) && (path.size() == 2 || (path.size() == 3 && (path[2] == '\\' || path[2] == '/')));
}

// Any spelling of a drive's root: "X:", "X:\", "X:\.", "X:\\", "X:\a\..".
bool IsDriveRootSpelling(std::string_view path)
{
    if (!HasDrive(path))
        return false;
    std::string rest = "/";
    for (const char c : path.substr(2)) {
        const char d = c == '\\' ? '/' : c;
        if (d == '/' && rest.back() == '/')
            continue;
        rest += d;
    }
    return fs::path(rest).lexically_normal() == fs::path("/");
}

std::string LocalPath(const std::string& path)
{
    return netdrive::ResolvePath(path);
}

// The canonical tests of the guard on a path already free of drive letters:
// the root, the system folder and everything that holds it are protected.
bool IsSafeLocalPath(const fs::path& local)
{
    const fs::path canon = filetree::Canonical(local);
    if (canon == fs::path("/"))
        return false;
    const std::string system = folders::SystemDir();
    if (!system.empty() && filetree::IsSameOrInside(filetree::Canonical(system), canon))
        return false;
    return true;
}

bool HasWildcard(std::string_view name)
{
    return name.find_first_of("*?") != std::string_view::npos;
}

std::size_t Utf8Length(std::string_view s, std::size_t i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return std::min(n, s.size() - i);
}

bool GlobMatch(std::string_view pattern, std::string_view name)
{
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += Utf8Length(name, n);
        } else if (p < pattern.size() && pattern[p] == name[n]) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            starN += Utf8Length(name, starN);
            n = starN;
            p = starP;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// As the Windows file search matches: a pattern ending in ".*" also takes
// the name without any extension, so "*.*" takes every name.
bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    if (GlobMatch(pattern, name))
        return true;
    return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
           GlobMatch(pattern.substr(0, pattern.size() - 2), name);
}

// What a path names: itself, or the wildcard matches in its folder.
struct Expansion {
    bool wildcard = false;
    fs::path folder;
    std::vector<fs::path> items;
};

Expansion Expand(const std::string& path)
{
    std::string local = LocalPath(path);
    while (local.size() > 1 && local.back() == '/')
        local.pop_back();
    Expansion e;
    const fs::path p(local);
    std::error_code ec;
    const std::string pattern = p.filename().string();
    if (fs::exists(fs::symlink_status(p, ec)) || !HasWildcard(pattern) || HasWildcard(p.parent_path().string())) {
        e.items.push_back(p);
        return e;
    }
    e.wildcard = true;
    e.folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
    fs::directory_iterator it(e.folder, ec);
    if (ec) {
        if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
            return e;
        throw fs::filesystem_error("cannot list", e.folder, ec);
    }
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            throw fs::filesystem_error("cannot list", e.folder, ec);
        if (WildcardMatch(pattern, it->path().filename().string()))
            e.items.push_back(it->path());
    }
    if (ec)
        throw fs::filesystem_error("cannot list", e.folder, ec);
    std::sort(e.items.begin(), e.items.end());
    return e;
}

bool GuardAllows(const std::string& path, const Expansion& e)
{
    if (!IsSafeShellPath(path))
        return false;
    if (!e.wildcard)
        return true;
    // Emptying a protected folder through a wildcard destroys it as surely
    // as deleting it.
    if (!IsSafeLocalPath(e.folder))
        return false;
    return std::all_of(e.items.begin(), e.items.end(), IsSafeLocalPath);
}

// Refusals of the guard go through the comma-message routine, so a comma in
// a path starts a new line there and a "//" ends what is shown.
void ShowRefusal(const std::string& text)
{
    ShowCommaMessage(text, TMsgDlgType::mtError);
}

// The error report in place of the shell's own error dialog.
void ShowFailure(const std::string& what, const std::exception& e)
{
    ShowErrorMessage(what, e.what(), TMsgDlgType::mtError);
}

void RemoveItem(const fs::path& item)
{
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(item, ec)))
        throw fs::filesystem_error("cannot delete", item, std::make_error_code(std::errc::no_such_file_or_directory));
    fs::remove_all(item, ec);
    if (ec)
        throw fs::filesystem_error("cannot delete", item, ec);
}

}  // namespace

bool IsSafeShellPath(const std::string& path)
{
    if (TrimmedEmpty(path))
        return false;
    if (IsDriveRootSpelling(path))
        return false;
    try {
        return IsSafeLocalPath(fs::path(LocalPath(path)));
    } catch (const std::exception&) {
        return false;
    }
}

bool ShellDeleteEx(const std::string& path, std::uint32_t operation, bool toRecycleBin, bool showErrors)
{
    if (operation != FO_DELETE && operation != FO_RENAME)
        return false;
    try {
        const Expansion e = Expand(path);
        if (!GuardAllows(path, e)) {
            ShowRefusal(operation == FO_DELETE ? "ルート・システムディレクトリは、削除できません。<" + path + "> "
                                               : "ルート・システムディレクトリは、変更できません。<" + path + "> ");
            return false;
        }
        // A rename without a new name has nothing it could do.
        if (operation == FO_RENAME)
            return false;
        if (e.items.empty())
            throw fs::filesystem_error("nothing matches", fs::path(path),
                                       std::make_error_code(std::errc::no_such_file_or_directory));
        for (const fs::path& item : e.items) {
            if (toRecycleBin)
                xdgtrash::MoveToTrash(item.string());
            else
                RemoveItem(item);
        }
        return true;
    } catch (const std::exception& ex) {
        if (showErrors)
            ShowFailure("\"" + path + "\" を削除できませんでした。", ex);
        return false;
    }
}

bool ShellCopyEx(const std::string& source, const std::string& target, std::uint32_t operation)
{
    if (operation != FO_MOVE && operation != FO_COPY)
        return false;
    try {
        const Expansion e = Expand(source);
        if (!GuardAllows(source, e) || !IsSafeShellPath(target)) {
            ShowRefusal("指定ディレクトリ[" + source + "->" + target + "]の複写・移動はできません。 ");
            return false;
        }
        if (e.items.empty())
            throw fs::filesystem_error("nothing matches", fs::path(source),
                                       std::make_error_code(std::errc::no_such_file_or_directory));
        std::string local = LocalPath(target);
        const bool namedAsFolder = local.size() > 1 && local.back() == '/';
        while (local.size() > 1 && local.back() == '/')
            local.pop_back();
        const fs::path t(local);
        std::error_code ec;
        const bool intoFolder = e.wildcard || namedAsFolder || fs::is_directory(t, ec);
        if (intoFolder)
            fs::create_directories(t);
        else if (t.has_parent_path())
            fs::create_directories(t.parent_path());
        for (const fs::path& item : e.items) {
            const fs::path dest = intoFolder ? t / item.filename() : t;
            if (operation == FO_COPY)
                filetree::CopyItem(item, dest);
            else
                filetree::MoveItem(item, dest);
        }
        return true;
    } catch (const std::exception& ex) {
        ShowFailure("\"" + source + "\" を \"" + target + "\" へ" + (operation == FO_COPY ? "複写" : "移動") +
                        "できませんでした。",
                    ex);
        return false;
    }
}

bool CopyFileEx(const std::string& source, const std::string& target)
{
    try {
        filetree::CopyRegularFile(LocalPath(source), LocalPath(target));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool ForceDir(const std::string& folder)
{
    if (TrimmedEmpty(folder))
        return false;
    const fs::path local(LocalPath(folder));
    std::error_code ec;
    if (fs::is_directory(local, ec))
        return true;
    if (IsBareDrive(folder))
        return false;
    fs::create_directories(local, ec);
    return !ec && fs::is_directory(local, ec);
}

std::string ExcludePathDelim(std::string_view path)
{
    if (!path.empty() && path.back() == '/')
        path.remove_suffix(1);
    return std::string(path);
}

std::string IncludePathDelim(std::string_view path)
{
    std::string out(path);
    if (out.empty() || out.back() != '/')
        out += '/';
    return out;
}

void GetSubDirList(const std::string& folder, int namesOnly, std::vector<std::string>& list)
{
    list.clear();
    if (TrimmedEmpty(folder))
        return;
    const fs::path local(LocalPath(folder));
    std::error_code ec;
    std::vector<std::string> names;
    fs::directory_iterator it(local, ec);
    if (ec)
        return;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        std::error_code typeError;
        if (it->is_directory(typeError))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    const std::string prefix = IncludePathDelim(folder);
    for (const std::string& name : names)
        list.push_back(namesOnly == 1 ? name : prefix + name);
}

std::int64_t GetFileSize64(const std::string& fileName)
{
    try {
        if (TrimmedEmpty(fileName))
            return 0;
        const Expansion e = Expand(fileName);
        if (e.items.empty())
            return 0;
        struct stat st {};
        if (::stat(e.items.front().c_str(), &st) != 0)
            return (errno == ENOENT || errno == ENOTDIR) ? 0 : -1;
        return S_ISDIR(st.st_mode) ? 0 : static_cast<std::int64_t>(st.st_size);
    } catch (const std::exception&) {
        return -1;
    }
}

std::string GetShortPath(const std::string& longPath)
{
    std::error_code ec;
    if (TrimmedEmpty(longPath) || !fs::exists(fs::path(LocalPath(longPath)), ec))
        throw EConvertError("ファイルが見つかりません。");
    return longPath;
}

std::string GetUNCName(const std::string& path)
{
    if (TrimmedEmpty(path))
        return path;
    return netdrive::ResolvePath(path);
}

RenameFunction SetRenameFunction(RenameFunction rename)
{
    return filetree::SetRename(rename);
}
