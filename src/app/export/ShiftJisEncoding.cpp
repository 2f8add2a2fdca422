#include "app/export/ShiftJisEncoding.h"

#include <cerrno>
#include <iconv.h>
#include <libxml/encoding.h>
#include <mutex>

namespace xmlexport {
namespace {

thread_local bool outputFailed = false;

// One iconv descriptor per direction and thread: descriptors are not
// thread-safe, and opening one per chunk would cost more than the chunk.
class Converter final {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (Valid())
            iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // The library's converter contract: converts what fits, sets *inlen and
    // *outlen to the bytes taken and written, and answers the bytes written,
    // -2 for an input it cannot convert, -1 for a broken converter. A
    // character cut at the end of the chunk is left for the next call.
    int Run(unsigned char* out, int* outlen, const unsigned char* in, int* inlen)
    {
        if (in == nullptr || !Valid()) {
            *outlen = 0;
            *inlen = 0;
            return in == nullptr ? 0 : -1;
        }
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* src = reinterpret_cast<char*>(const_cast<unsigned char*>(in));
        std::size_t srcLeft = static_cast<std::size_t>(*inlen);
        char* dst = reinterpret_cast<char*>(out);
        std::size_t dstLeft = static_cast<std::size_t>(*outlen);
        const std::size_t result = iconv(handle_, &src, &srcLeft, &dst, &dstLeft);
        const int err = errno;
        *inlen -= static_cast<int>(srcLeft);
        *outlen -= static_cast<int>(dstLeft);
        if (result == static_cast<std::size_t>(-1) && err == EILSEQ)
            return -2;
        return *outlen;
    }

private:
    iconv_t handle_;
};

int Cp932ToUtf8(unsigned char* out, int* outlen, const unsigned char* in, int* inlen)
{
    thread_local Converter c("UTF-8", "CP932");
    return c.Run(out, outlen, in, inlen);
}

int Utf8ToCp932(unsigned char* out, int* outlen, const unsigned char* in, int* inlen)
{
    thread_local Converter c("CP932", "UTF-8");
    const int result = c.Run(out, outlen, in, inlen);
    if (result < 0)
        outputFailed = true;
    return result;
}

}  // namespace

void RegisterShiftJisEncoding()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlNewCharEncodingHandler("Shift_JIS", Cp932ToUtf8, Utf8ToCp932); });
}

bool TakeShiftJisEncodingFailure()
{
    const bool failed = outputFailed;
    outputFailed = false;
    return failed;
}

}  // namespace xmlexport
