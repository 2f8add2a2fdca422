#include "dbupdate/PrivateFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path)
{
    throw TPrivateFileError(what + " " + path + ": " + std::strerror(errno));
}

void WriteAll(int fd, const char* data, std::size_t size, const std::string& path)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            Fail("cannot write", path);
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

}  // namespace

platform::UniqueFd CreatePrivateFile(const std::string& path)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        Fail("cannot remove the old", path);
    platform::UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd)
        Fail("cannot create", path);
    return fd;
}

void WritePrivateFile(const std::string& path, std::string_view bytes)
{
    platform::UniqueFd fd = CreatePrivateFile(path);
    WriteAll(fd.Get(), bytes.data(), bytes.size(), path);
    // A write the system defers can still fail at the close.
    if (::close(fd.Release()) != 0)
        Fail("cannot write", path);
}

platform::UniqueFd CreateUniquePrivateFile(const std::string& folder, const std::string& prefix,
                                           const std::string& suffix, std::string& path)
{
    std::string pattern = folder + "/" + prefix + "XXXXXX" + suffix;
    // mkstemps makes the file exclusively, with mode 0600.
    platform::UniqueFd fd(::mkstemps(pattern.data(), static_cast<int>(suffix.size())));
    if (!fd)
        Fail("cannot create a file in", folder);
    ::fcntl(fd.Get(), F_SETFD, FD_CLOEXEC);
    path = pattern;
    return fd;
}

void CopyFileBytes(int source, int target, const std::string& sourceName, const std::string& targetName)
{
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(source, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            Fail("cannot read", sourceName);
        }
        if (got == 0)
            break;
        WriteAll(target, buffer.data(), static_cast<std::size_t>(got), targetName);
    }
    if (::fsync(target) != 0)
        Fail("cannot write", targetName);
}
