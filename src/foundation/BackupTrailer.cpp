#include "foundation/BackupTrailer.h"

#include "foundation/BufFileStream.h"
#include "platform/Cp932.h"

#include <charconv>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint8_t BufferKiB = 16;
constexpr std::int64_t BlockBytes = 512;

std::int32_t IntegerOrZero(const std::string& text)
{
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end ? value : 0;
}

// The value of "name=value" among the lines, "" when absent.
std::string ValueOf(const std::vector<std::string>& lines, const std::string& name)
{
    for (const std::string& line : lines)
        if (line.size() > name.size() && line.compare(0, name.size(), name) == 0 && line[name.size()] == '=')
            return line.substr(name.size() + 1);
    return {};
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

// Copies the first length bytes of source into a new file target; true
// only when every byte reached the device.
bool CopyHead(const std::string& source, const std::string& target, std::int64_t length)
{
    try {
        TBufFileStream in(source, BufferKiB, TFileOpenMode::Read);
        TBufFileStream out(target, BufferKiB, TFileOpenMode::Create);
        char block[BlockBytes];
        std::int64_t copied = 0;
        while (copied < length) {
            const std::int64_t want = std::min(BlockBytes, length - copied);
            const std::int64_t got = in.Read(block, want);
            if (got <= 0)
                return false;
            out.Write(block, got);
            copied += got;
        }
        return out.Flush() && out.Size() == length;
    } catch (const TBufFileStreamError&) {
        return false;
    }
}

// Cuts the file off at offset (see the header).
bool CutFile(const std::string& fileName, std::int64_t offset)
{
    const std::string work = fs::path(fileName).replace_extension(".wk_").string();
    std::error_code ec;
    fs::remove(work, ec);
    fs::rename(fileName, work, ec);
    if (ec)
        return false;
    if (CopyHead(work, fileName, offset)) {
        fs::remove(work, ec);
        return true;
    }
    fs::remove(fileName, ec);
    fs::rename(work, fileName, ec);
    return false;
}

}  // namespace

bool SameBytes(const void* a, const void* b, std::size_t length)
{
    return std::memcmp(a, b, length) == 0;
}

std::string TBackupTrailerValues::TrailerText() const
{
    if (SHOUGOU.empty())
        return {};
    const std::string text =
        std::string(BackupTrailerMarker) + "\r\n" + "SHOUGOU=" + SHOUGOU + "\r\n" + "KISHU=" + KISHU + "\r\n" +
        "KIMATU=" + KIMATU + "\r\n" + "SIWAKE=" + std::to_string(SIWAKE) + "\r\n" +
        "TOTALSIWAKE=" + std::to_string(TOTALSIWAKE) + "\r\n" + "DATAVARSION=" + DATAVARSION + "\r\n" +
        "GASSAN=" + std::to_string(GASSAN) + "\r\n" + "USEMYNUMBER=" + std::to_string(USEMYNUMBER) + "\r\n";
    return cp932::FromUtf8(text);
}

void TBackupTrailerValues::AppendBackupTrailer(const std::string& fileName) const
{
    const std::string text = TrailerText();
    if (!text.empty())
        AppendTextToFile(fileName, text);
}

bool TBackupTrailerValues::GetBackupFileInfo(const std::string& fileName, bool strip)
{
    std::string text;
    try {
        ReadFileTrailer(fileName, BackupTrailerMarker, text, strip);
    } catch (const TBufFileStreamError&) {
        text.clear();
    }
    ClearBackupResult();
    const std::vector<std::string> lines = Lines(cp932::ToUtf8(text));
    SHOUGOU = ValueOf(lines, "SHOUGOU");
    KISHU = ValueOf(lines, "KISHU");
    KIMATU = ValueOf(lines, "KIMATU");
    SIWAKE = IntegerOrZero(ValueOf(lines, "SIWAKE"));
    TOTALSIWAKE = IntegerOrZero(ValueOf(lines, "TOTALSIWAKE"));
    DATAVARSION = ValueOf(lines, "DATAVARSION");
    GASSAN = IntegerOrZero(ValueOf(lines, "GASSAN"));
    USEMYNUMBER = IntegerOrZero(ValueOf(lines, "USEMYNUMBER"));
    return !SHOUGOU.empty();
}

void AppendTextToFile(const std::string& fileName, const std::string& text)
{
    try {
        TBufFileStream stream(fileName, 1, TFileOpenMode::ReadWrite);
        stream.Seek(0, TSeekOrigin::End);
        stream.Write(text.data(), static_cast<std::int64_t>(text.size()));
    } catch (const TBufFileStreamError& error) {
        throw std::runtime_error(error.what());
    }
}

std::int64_t FindFileMarker(const std::string& fileName, const std::string& marker, std::string& text)
{
    text.clear();
    TBufFileStream stream(fileName, BufferKiB, TFileOpenMode::Read);
    const std::int64_t size = stream.Size();
    const std::int64_t tailStart = std::max<std::int64_t>(0, size - BackupTrailerMaxBytes);
    std::string tail(static_cast<std::size_t>(size - tailStart), '\0');
    stream.Seek(tailStart, TSeekOrigin::Beginning);
    std::int64_t filled = 0;
    while (filled < static_cast<std::int64_t>(tail.size())) {
        const std::int64_t got = stream.Read(tail.data() + filled, static_cast<std::int64_t>(tail.size()) - filled);
        if (got <= 0)
            break;
        filled += got;
    }
    tail.resize(static_cast<std::size_t>(filled));
    // The last marker with nothing but text behind it.
    for (std::size_t at = tail.rfind(marker); at != std::string::npos;
         at = at == 0 ? std::string::npos : tail.rfind(marker, at - 1)) {
        const std::int64_t offset = tailStart + static_cast<std::int64_t>(at);
        if (offset == 0)
            break;
        if (tail.find('\0', at) != std::string::npos)
            continue;
        text = tail.substr(at);
        return offset;
    }
    // A file that begins with the marker has no trailer behind a backup.
    std::string head(marker.size(), '\0');
    stream.Seek(0, TSeekOrigin::Beginning);
    if (stream.Read(head.data(), static_cast<std::int64_t>(head.size())) == static_cast<std::int64_t>(head.size()) &&
        head == marker)
        return 0;
    return -1;
}

bool ReadFileTrailer(const std::string& fileName, const std::string& marker, std::string& text, bool strip,
                     std::int64_t* markerOffset)
{
    const std::int64_t offset = FindFileMarker(fileName, marker, text);
    if (markerOffset != nullptr)
        *markerOffset = offset;
    if (offset > 0 && strip)
        return CutFile(fileName, offset);
    return true;
}
