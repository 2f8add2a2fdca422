// The file-manager database's transfer functions, run by the server on its
// own file system: SP_FILETOBLOB (a server file's bytes as a blob) and
// SP_BLOBTOFILE (a blob written to a server file, answering 1). They carry
// backup files between a client and the server's temporary folder.
//
// Like the file procedures, they reach only the data root, the folder of
// the database they run in: a client may neither read nor write any other
// file of the server. Unlike them they raise an error with the reason, so
// that the client's transfer reports what went wrong instead of carrying
// an empty file.

#include "DataRoot.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr unsigned PathBytes = 4 * 1024;
constexpr unsigned UTF8 = 4;
constexpr std::size_t SegmentBytes = 32 * 1024;

[[noreturn]] void Raise(Firebird::ThrowStatusWrapper* status, const std::string& message)
{
    const ISC_STATUS errors[] = {isc_arg_gds, isc_random, isc_arg_string, reinterpret_cast<ISC_STATUS>(message.c_str()),
                                 isc_arg_end};
    throw Firebird::FbException(status, errors);
}

template <typename VarChar>
std::string Text(const VarChar& value, bool isNull)
{
    return isNull ? std::string() : std::string(value.str, value.length);
}

// Releases an interface of the engine when the scope ends.
template <typename Interface>
struct Released {
    Interface* object;
    ~Released()
    {
        if (object)
            object->release();
    }
};

}  // namespace

FB_UDR_BEGIN_FUNCTION(filetoblob)
FB_UDR_MESSAGE(InMessage, (FB_INTL_VARCHAR(PathBytes, UTF8), filename));
FB_UDR_MESSAGE(OutMessage, (FB_BLOB, content));

FB_UDR_EXECUTE_FUNCTION
{
    const std::string name = Text(in->filename, in->filenameNull);
    const auto file = fileproc::RootOf(status, context).Confine(name);
    if (!file)
        Raise(status, "SP_FILETOBLOB: the path lies outside the data folders: " + name);
    std::ifstream input(*file, std::ios::binary);
    if (!input)
        Raise(status, "SP_FILETOBLOB: cannot open " + name + ": " + std::strerror(errno));

    Released<Firebird::IAttachment> attachment{context->getAttachment(status)};
    Released<Firebird::ITransaction> transaction{context->getTransaction(status)};
    Firebird::IBlob* blob = attachment.object->createBlob(status, transaction.object, &out->content, 0, nullptr);
    try {
        std::vector<char> buffer(SegmentBytes);
        while (input) {
            input.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            const auto got = static_cast<unsigned>(input.gcount());
            if (got > 0)
                blob->putSegment(status, got, buffer.data());
        }
        if (input.bad())
            Raise(status, "SP_FILETOBLOB: cannot read " + name);
        blob->close(status);
    } catch (...) {
        blob->cancel(status);
        throw;
    }
    out->contentNull = FB_FALSE;
}

FB_UDR_END_FUNCTION

FB_UDR_BEGIN_FUNCTION(blobtofile)
FB_UDR_MESSAGE(InMessage, (FB_INTL_VARCHAR(PathBytes, UTF8), filename)(FB_BLOB, content));
FB_UDR_MESSAGE(OutMessage, (FB_INTEGER, written));

FB_UDR_EXECUTE_FUNCTION
{
    const std::string name = Text(in->filename, in->filenameNull);
    const auto file = fileproc::RootOf(status, context).ConfineForChange(name);
    if (!file)
        Raise(status, "SP_BLOBTOFILE: the path lies outside the data folders: " + name);
    // Written beside the target and renamed over it, so that a failed
    // transfer never leaves a cut file under the target's name.
    const fs::path part = file->string() + ".part";
    {
        std::ofstream output(part, std::ios::binary | std::ios::trunc);
        if (!output)
            Raise(status, "SP_BLOBTOFILE: cannot create " + name + ": " + std::strerror(errno));
        if (!in->contentNull) {
            Released<Firebird::IAttachment> attachment{context->getAttachment(status)};
            Released<Firebird::ITransaction> transaction{context->getTransaction(status)};
            Firebird::IBlob* blob = attachment.object->openBlob(status, transaction.object, &in->content, 0, nullptr);
            std::vector<char> buffer(SegmentBytes);
            try {
                for (;;) {
                    unsigned got = 0;
                    const int result =
                        blob->getSegment(status, static_cast<unsigned>(buffer.size()), buffer.data(), &got);
                    if (result == Firebird::IStatus::RESULT_NO_DATA)
                        break;
                    output.write(buffer.data(), got);
                }
                blob->close(status);
            } catch (...) {
                blob->release();
                std::error_code ec;
                fs::remove(part, ec);
                throw;
            }
        }
        output.flush();
        if (!output) {
            std::error_code ec;
            fs::remove(part, ec);
            Raise(status, "SP_BLOBTOFILE: cannot write " + name);
        }
    }
    std::error_code ec;
    fs::rename(part, *file, ec);
    if (ec) {
        fs::remove(part, ec);
        Raise(status, "SP_BLOBTOFILE: cannot write " + name);
    }
    out->writtenNull = FB_FALSE;
    out->written = 1;
}

FB_UDR_END_FUNCTION
