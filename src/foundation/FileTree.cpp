#include "foundation/FileTree.h"

#include "platform/UniqueFd.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace filetree {
namespace {

std::atomic<RenameFunction> g_rename{nullptr};

int DoRename(const char* from, const char* to)
{
    const RenameFunction hook = g_rename.load();
    return hook ? hook(from, to) : ::rename(from, to);
}

[[noreturn]] void Fail(const std::string& what, const fs::path& p, int err)
{
    throw fs::filesystem_error(what, p, std::error_code(err, std::generic_category()));
}

[[noreturn]] void Fail(const std::string& what, const fs::path& p1, const fs::path& p2, int err)
{
    throw fs::filesystem_error(what, p1, p2, std::error_code(err, std::generic_category()));
}

// The temporary copy beside its target; unlinked unless it was renamed.
class TempFile final {
public:
    explicit TempFile(const fs::path& target)
    {
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        const int fd = ::mkostemp(buf.data(), O_CLOEXEC);
        if (fd < 0)
            Fail("cannot create a file in the target folder", folder, errno);
        fd_.Reset(fd);
        path_ = buf.data();
    }
    ~TempFile()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int Fd() const { return fd_.Get(); }
    const std::string& Path() const { return path_; }
    void CloseChecked()
    {
        const int fd = fd_.Release();
        if (::close(fd) != 0)
            Fail("cannot write", path_, errno);
    }
    void Kept() { path_.clear(); }

private:
    platform::UniqueFd fd_;
    std::string path_;
};

void CopyBytes(int from, int to, const fs::path& source, const fs::path& temp)
{
    std::vector<char> buffer(256 * 1024);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            Fail("cannot read", source, errno);
        }
        if (got == 0)
            return;
        const char* p = buffer.data();
        std::size_t left = static_cast<std::size_t>(got);
        while (left > 0) {
            const ssize_t put = ::write(to, p, left);
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                Fail("cannot write", temp, errno);
            }
            p += put;
            left -= static_cast<std::size_t>(put);
        }
    }
}

bool Exists(const fs::file_status& st)
{
    return st.type() != fs::file_type::not_found && st.type() != fs::file_type::none;
}

fs::file_status LinkStatus(const fs::path& p)
{
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(p, ec);
    if (ec && ec != std::errc::no_such_file_or_directory)
        throw fs::filesystem_error("cannot read", p, ec);
    return st;
}

bool IsRealDirectory(const fs::file_status& st)
{
    return st.type() == fs::file_type::directory;
}

// A folder, or a link that leads to one.
bool IsDirectoryFollowingLinks(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool SameFile(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

void CopyLink(const fs::path& source, const fs::path& dest)
{
    const fs::path target = fs::read_symlink(source);
    const fs::file_status st = LinkStatus(dest);
    if (IsRealDirectory(st))
        Fail("cannot replace a folder by a link", source, dest, EISDIR);
    // Replacing the file a link leads to by that link would lose the file.
    if (Exists(st) && SameFile(source, dest))
        Fail("cannot copy a link onto its own file", source, dest, EINVAL);
    if (Exists(st))
        fs::remove(dest);
    fs::create_symlink(target, dest);
}

void CopyTree(const fs::path& source, const fs::path& dest);

void CopyAny(const fs::path& source, const fs::path& dest)
{
    const fs::file_status st = LinkStatus(source);
    switch (st.type()) {
    case fs::file_type::symlink:
        CopyLink(source, dest);
        break;
    case fs::file_type::directory:
        CopyTree(source, dest);
        break;
    case fs::file_type::regular:
        CopyRegularFile(source, dest);
        break;
    case fs::file_type::not_found:
        Fail("cannot copy", source, ENOENT);
    default:
        Fail("cannot copy a special file", source, ENOTSUP);
    }
}

void CopyTree(const fs::path& source, const fs::path& dest)
{
    const fs::file_status st = LinkStatus(dest);
    if (!Exists(st)) {
        fs::create_directory(dest);
    } else if (!IsDirectoryFollowingLinks(dest)) {
        Fail("cannot merge a folder into a file", source, dest, ENOTDIR);
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(source))
        CopyAny(entry.path(), dest / entry.path().filename());
}

void RemoveSource(const fs::path& source)
{
    std::error_code ec;
    fs::remove_all(source, ec);
    if (ec)
        throw fs::filesystem_error("copied, but cannot remove the source", source, ec);
}

}  // namespace

RenameFunction SetRename(RenameFunction rename)
{
    return g_rename.exchange(rename);
}

bool IsSameOrInside(const fs::path& inner, const fs::path& outer)
{
    const std::string i = inner.string();
    const std::string o = outer.string();
    if (i == o || o == "/")
        return true;
    return i.size() > o.size() && i.compare(0, o.size(), o) == 0 && i[o.size()] == '/';
}

fs::path Canonical(const fs::path& path)
{
    std::error_code ec;
    fs::path abs = fs::absolute(path, ec);
    if (ec)
        abs = path;
    fs::path c = fs::weakly_canonical(abs, ec);
    if (ec)
        c = abs.lexically_normal();
    std::string s = c.string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return fs::path(s);
}

void CopyRegularFile(const fs::path& source, const fs::path& dest)
{
    platform::UniqueFd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in)
        Fail("cannot open", source, errno);
    struct stat st {};
    if (::fstat(in.Get(), &st) != 0)
        Fail("cannot read", source, errno);
    if (!S_ISREG(st.st_mode))
        Fail("not a file", source, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);

    struct stat dst {};
    if (::stat(dest.c_str(), &dst) == 0) {
        if (S_ISDIR(dst.st_mode))
            Fail("cannot replace a folder by a file", source, dest, EISDIR);
        if (dst.st_dev == st.st_dev && dst.st_ino == st.st_ino)
            Fail("cannot copy a file onto itself", source, dest, EINVAL);
    }

    TempFile temp(dest);
    CopyBytes(in.Get(), temp.Fd(), source, temp.Path());
    if (::fchmod(temp.Fd(), st.st_mode & 07777) != 0)
        Fail("cannot set the permissions of", temp.Path(), errno);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(temp.Fd(), times) != 0)
        Fail("cannot set the time of", temp.Path(), errno);
    if (::fsync(temp.Fd()) != 0)
        Fail("cannot write", temp.Path(), errno);
    temp.CloseChecked();
    if (::rename(temp.Path().c_str(), dest.c_str()) != 0)
        Fail("cannot replace", dest, errno);
    temp.Kept();
}

void CopyItem(const fs::path& source, const fs::path& dest)
{
    const fs::file_status st = LinkStatus(source);
    if (IsRealDirectory(st) && IsSameOrInside(Canonical(dest), Canonical(source)))
        Fail("cannot copy a folder into itself", source, dest, EINVAL);
    CopyAny(source, dest);
}

void MoveItem(const fs::path& source, const fs::path& dest)
{
    const fs::file_status src = LinkStatus(source);
    if (!Exists(src))
        Fail("cannot move", source, ENOENT);
    const bool srcIsDir = IsRealDirectory(src);
    if (srcIsDir && IsSameOrInside(Canonical(dest), Canonical(source)))
        Fail("cannot move a folder into itself", source, dest, EINVAL);

    const fs::file_status dst = LinkStatus(dest);
    if (Exists(dst)) {
        // Also a link moved onto the file it leads to: replacing that file
        // by the link would lose the file.
        if (SameFile(source, dest))
            Fail("cannot move a file onto itself", source, dest, EINVAL);
        const bool destIsDir = IsDirectoryFollowingLinks(dest);
        if (srcIsDir != destIsDir)
            Fail("cannot replace", source, dest, destIsDir ? EISDIR : ENOTDIR);
        if (srcIsDir) {
            // Folders merge: each entry moves over, then the emptied source goes.
            std::vector<fs::path> entries;
            for (const fs::directory_entry& entry : fs::directory_iterator(source))
                entries.push_back(entry.path());
            for (const fs::path& entry : entries)
                MoveItem(entry, dest / entry.filename());
            fs::remove(source);
            return;
        }
        if (DoRename(source.c_str(), dest.c_str()) == 0)
            return;
        if (errno != EXDEV)
            Fail("cannot move", source, dest, errno);
        // The replacing copy is atomic, so a failure leaves the old target.
        CopyAny(source, dest);
        RemoveSource(source);
        return;
    }

    if (DoRename(source.c_str(), dest.c_str()) == 0)
        return;
    if (errno != EXDEV)
        Fail("cannot move", source, dest, errno);
    try {
        CopyAny(source, dest);
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(dest, ignored);
        throw;
    }
    RemoveSource(source);
}

}  // namespace filetree
