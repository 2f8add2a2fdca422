#include "foundation/XdgTrash.h"

#include "foundation/FileTree.h"
#include "platform/SpecialFolders.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace xdgtrash {
namespace {

[[noreturn]] void Fail(const std::string& what, const fs::path& p, int err)
{
    throw fs::filesystem_error(what, p, std::error_code(err, std::generic_category()));
}

void EnsureFolder(const fs::path& folder)
{
    if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) {
        std::error_code ec;
        if (fs::is_directory(folder, ec))
            return;
        Fail("the trash folder is not a folder", folder, ENOTDIR);
    }
    Fail("cannot create the trash folder", folder, errno);
}

std::string LocalTimeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &tm);
    return buf;
}

void WriteAll(int fd, const std::string& text, const fs::path& file)
{
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t put = ::write(fd, p, left);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            Fail("cannot write", file, errno);
        }
        p += put;
        left -= static_cast<std::size_t>(put);
    }
}

// Claims "<name>.trashinfo" (or a numbered variant) by creating it
// exclusively; returns the name taken and leaves the open file in `fd`.
std::string ClaimInfoFile(const fs::path& files, const fs::path& info, const std::string& name, platform::UniqueFd& fd)
{
    for (int n = 1; n < 100000; ++n) {
        const std::string candidate = n == 1 ? name : name + "." + std::to_string(n);
        std::error_code ec;
        if (fs::exists(fs::symlink_status(files / candidate, ec)))
            continue;
        const fs::path infoFile = info / (candidate + ".trashinfo");
        const int f = ::open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (f >= 0) {
            fd.Reset(f);
            return candidate;
        }
        if (errno != EEXIST)
            Fail("cannot create", infoFile, errno);
    }
    Fail("no free name in the trash for", files / name, EEXIST);
}

}  // namespace

std::string HomeTrashDir()
{
    return folders::CommonAppData() + "/Trash";
}

std::string EscapeTrashPath(const std::string& path)
{
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                          std::string_view("-_.!~*'()/").find(ch) != std::string_view::npos;
        if (keep) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

std::string MoveToTrash(const std::string& path)
{
    std::string normal = fs::absolute(fs::path(path)).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    const fs::path item(normal);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(item, ec)))
        Fail("cannot move to the trash", item, ENOENT);

    const fs::path trash(HomeTrashDir());
    if (filetree::IsSameOrInside(filetree::Canonical(trash), filetree::Canonical(item)))
        Fail("cannot move the trash into itself", item, EINVAL);
    fs::create_directories(trash.parent_path());
    EnsureFolder(trash);
    const fs::path files = trash / "files";
    const fs::path info = trash / "info";
    EnsureFolder(files);
    EnsureFolder(info);

    platform::UniqueFd fd;
    const std::string name = ClaimInfoFile(files, info, item.filename().string(), fd);
    const fs::path infoFile = info / (name + ".trashinfo");
    try {
        WriteAll(fd.Get(),
                 "[Trash Info]\nPath=" + EscapeTrashPath(normal) + "\nDeletionDate=" + LocalTimeStamp() + "\n",
                 infoFile);
        if (::close(fd.Release()) != 0)
            Fail("cannot write", infoFile, errno);
        filetree::MoveItem(item, files / name);
    } catch (...) {
        fd.Reset();
        ::unlink(infoFile.c_str());
        throw;
    }
    return name;
}

}  // namespace xdgtrash
