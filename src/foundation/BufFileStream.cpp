#include "foundation/BufFileStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* BufferTooSmallMessage = "バッファの大きさを越えています。";

std::string Failure(const std::string& what, const std::string& name)
{
    return what + " " + name + ": " + std::strerror(errno);
}

// One read of up to count bytes, retried when a signal interrupts it.
std::int64_t ReadSome(int fd, char* into, std::int64_t count)
{
    for (;;) {
        const ssize_t got = ::read(fd, into, static_cast<std::size_t>(count));
        if (got >= 0)
            return got;
        if (errno != EINTR)
            return -1;
    }
}

}  // namespace

TBufFileStream::TBufFileStream(const std::string& fileName, std::uint8_t bufferKiB, TFileOpenMode openMode)
    : name_(fileName), buffer_(static_cast<std::size_t>(bufferKiB == 0 ? 1 : bufferKiB) * 1024)
{
    int flags = O_CLOEXEC;
    switch (openMode) {
    case TFileOpenMode::Read:
        flags |= O_RDONLY;
        break;
    case TFileOpenMode::ReadWrite:
        flags |= O_RDWR;
        break;
    case TFileOpenMode::Create:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
    }
    fd_.Reset(::open(fileName.c_str(), flags, 0600));
    if (!fd_)
        throw TBufFileStreamError(Failure("cannot open", fileName));
}

std::int64_t TBufFileStream::Read(void* buffer, std::int64_t count)
{
    const auto capacity = static_cast<std::int64_t>(buffer_.size());
    if (count > capacity)
        throw TBufFileStreamError(BufferTooSmallMessage);
    if (count <= 0)
        return 0;
    if (held_ - consumed_ < count) {
        // Keep the unread bytes at the front and fill the rest.
        const std::int64_t unread = held_ - consumed_;
        if (unread > 0 && consumed_ > 0)
            std::memmove(buffer_.data(), buffer_.data() + consumed_, static_cast<std::size_t>(unread));
        held_ = unread;
        consumed_ = 0;
        while (held_ < capacity) {
            const std::int64_t got = ReadSome(fd_.Get(), buffer_.data() + held_, capacity - held_);
            if (got < 0)
                throw TBufFileStreamError(Failure("cannot read", name_));
            if (got == 0)
                break;
            held_ += got;
        }
    }
    const std::int64_t given = std::min(count, held_ - consumed_);
    std::memcpy(buffer, buffer_.data() + consumed_, static_cast<std::size_t>(given));
    consumed_ += given;
    position_ += given;
    return given;
}

std::int64_t TBufFileStream::Write(const void* buffer, std::int64_t count)
{
    // The file's own position may lie ahead of the logical one by what the
    // buffer still holds.
    Seek(position_, TSeekOrigin::Beginning);
    const char* from = static_cast<const char*>(buffer);
    std::int64_t written = 0;
    while (written < count) {
        const ssize_t put = ::write(fd_.Get(), from + written, static_cast<std::size_t>(count - written));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            throw TBufFileStreamError(Failure("cannot write", name_));
        }
        written += put;
    }
    position_ += written;
    return written;
}

std::int64_t TBufFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    off_t result = -1;
    switch (origin) {
    case TSeekOrigin::Beginning:
        result = ::lseek(fd_.Get(), offset, SEEK_SET);
        break;
    case TSeekOrigin::Current:
        result = ::lseek(fd_.Get(), position_ + offset, SEEK_SET);
        break;
    case TSeekOrigin::End:
        result = ::lseek(fd_.Get(), offset, SEEK_END);
        break;
    }
    if (result < 0)
        throw TBufFileStreamError(Failure("cannot seek in", name_));
    held_ = 0;
    consumed_ = 0;
    position_ = result;
    return position_;
}

std::int64_t TBufFileStream::Size() const
{
    struct stat st {};
    if (::fstat(fd_.Get(), &st) != 0)
        throw TBufFileStreamError(Failure("cannot measure", name_));
    return st.st_size;
}

bool TBufFileStream::Flush()
{
    return ::fsync(fd_.Get()) == 0;
}
