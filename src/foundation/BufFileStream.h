#pragma once
// A file stream with a read buffer, for scanning a large backup file in
// small blocks without a system call per block.
//
// The buffer holds bufferKiB × 1024 bytes. Read hands out what the buffer
// holds and refills it from the file when it runs short; a request larger
// than the buffer is refused with TBufFileStreamError ("バッファの大きさを越え
// ています。"). Write goes straight to the file. Any Seek empties the buffer
// and moves the logical position. Positions and sizes are 64-bit.
//
// Opening fails with TBufFileStreamError naming the file.

#include "platform/UniqueFd.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class TBufFileStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TSeekOrigin { Beginning, Current, End };

enum class TFileOpenMode {
    Read,       // an existing file, read only
    ReadWrite,  // an existing file, read and write
    Create,     // a new or emptied file, read and write
};

class TBufFileStream final {
public:
    TBufFileStream(const std::string& fileName, std::uint8_t bufferKiB, TFileOpenMode openMode);
    TBufFileStream(const TBufFileStream&) = delete;
    TBufFileStream& operator=(const TBufFileStream&) = delete;

    // Bytes read (0 at the end of the file).
    std::int64_t Read(void* buffer, std::int64_t count);
    // Bytes written; throws TBufFileStreamError when the file refuses them.
    std::int64_t Write(const void* buffer, std::int64_t count);
    // The new logical position.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin);
    std::int64_t Position() const { return position_; }
    std::int64_t Size() const;
    // Flushes the file to its device; false when that fails.
    bool Flush();

private:
    platform::UniqueFd fd_;
    std::string name_;
    std::vector<char> buffer_;
    std::int64_t held_ = 0;      // bytes the buffer holds
    std::int64_t consumed_ = 0;  // of them, already handed out
    std::int64_t position_ = 0;  // the logical position in the file
};
