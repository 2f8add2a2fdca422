#include "platform/Cp932.h"

#include <cerrno>
#include <iconv.h>
#include <memory>
#include <vector>

namespace cp932 {
namespace {

// One conversion direction; iconv descriptors are not thread-safe, so each
// thread keeps its own pair.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from))
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw TextEncodingError(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string Convert(std::string_view in, const char* what)
    {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.resize(in.size() * 2 + 8);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        while (srcLeft > 0) {
            if (iconv(handle_, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG) {
                const std::size_t used = out.size() - dstLeft;
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = out.size() - used;
                continue;
            }
            const std::size_t at = in.size() - srcLeft;
            throw TextEncodingError(
                std::string(what) + " at byte " + std::to_string(at) +
                (errno == EILSEQ ? ": invalid or unconvertible character" : ": incomplete character at the end"));
        }
        out.resize(out.size() - dstLeft);
        return out;
    }

private:
    iconv_t handle_;
};

Converter& ToSjis()
{
    thread_local Converter c("CP932", "UTF-8");
    return c;
}
Converter& ToUtf()
{
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

}  // namespace

std::string FromUtf8(std::string_view utf8)
{
    return ToSjis().Convert(utf8, "text cannot be written in Shift-JIS (CP932)");
}

std::string ToUtf8(std::string_view sjis)
{
    return ToUtf().Convert(sjis, "text is not valid Shift-JIS (CP932)");
}

bool IsRepresentable(std::string_view utf8)
{
    try {
        FromUtf8(utf8);
        return true;
    } catch (const TextEncodingError&) {
        return false;
    }
}

std::size_t CharLength(std::string_view sjis, std::size_t pos)
{
    if (pos + 1 < sjis.size() && IsLeadByte(static_cast<unsigned char>(sjis[pos])) &&
        IsTrailByte(static_cast<unsigned char>(sjis[pos + 1])))
        return 2;
    return 1;
}

std::size_t ByteWidth(std::string_view utf8)
{
    return FromUtf8(utf8).size();
}

std::string CutBytes(std::string_view utf8, std::size_t maxBytes)
{
    const std::string sjis = FromUtf8(utf8);
    std::size_t end = 0;
    while (end < sjis.size()) {
        const std::size_t len = CharLength(sjis, end);
        if (end + len > maxBytes)
            break;
        end += len;
    }
    return ToUtf8(std::string_view(sjis).substr(0, end));
}

}  // namespace cp932
