#include "platform/FileReplace.h"

#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace platform {
namespace {

void WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "cannot write");
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
}

}  // namespace

void ReplaceFileContents(const std::string& file, std::string_view bytes, mode_t mode)
{
    std::string target = file;
    if (std::unique_ptr<char, decltype(&std::free)> real(::realpath(file.c_str(), nullptr), &std::free); real)
        target = real.get();
    const auto slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);

    std::string temp = (dir == "/" ? "" : dir) + "/." + base + ".XXXXXX";
    UniqueFd out(::mkostemp(temp.data(), O_CLOEXEC));
    if (!out)
        throw std::system_error(errno, std::generic_category(), "cannot create a temporary file in " + dir);
    try {
        WriteAll(out.Get(), bytes);
        if (::fchmod(out.Get(), mode) != 0 || ::fsync(out.Get()) != 0)
            throw std::system_error(errno, std::generic_category(), "cannot write");
        if (::close(out.Release()) != 0)
            throw std::system_error(errno, std::generic_category(), "cannot write");
        if (::rename(temp.c_str(), target.c_str()) != 0)
            throw std::system_error(errno, std::generic_category(), "cannot write");
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    if (UniqueFd folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); folder)
        ::fsync(folder.Get());
}

mode_t NewFileMode()
{
    // The umask is read from the process status rather than set and put
    // back, which would open a window for other threads' files.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return 0666 & ~static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    return 0644;
}

}  // namespace platform
