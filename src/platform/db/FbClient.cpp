#include "platform/db/FbClient.h"

#include "platform/Cp932.h"
#include "platform/db/FbError.h"

#include <atomic>

namespace db::detail {

namespace {
std::atomic<bool> clientStarted{false};
}

Firebird::IMaster* Master()
{
    static Firebird::IMaster* const master = [] {
        clientStarted = true;
        return Firebird::fb_get_master_interface();
    }();
    return master;
}

bool ClientStarted()
{
    return clientStarted;
}

Firebird::IUtil* Util()
{
    static Firebird::IUtil* const util = Master()->getUtilInterface();
    return util;
}

Firebird::IProvider* Provider()
{
    static Firebird::IProvider* const provider = Master()->getDispatcher();
    return provider;
}

Status::Status() : BaseStatusWrapper(Master()->getStatus()) {}

Status::~Status()
{
    status->dispose();
}

void Status::checkException(Status* s)
{
    if (s->dirty && (s->status->getState() & Firebird::IStatus::STATE_ERRORS))
        throw FbError::FromStatus(s->status);
}

namespace {

// Length of the UTF-8 sequence starting at text[pos], 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos)
{
    const auto c = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        length = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        length = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        length = 4;
    else
        return 0;
    if (pos + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto t = static_cast<unsigned char>(text[pos + i]);
        if (t < 0x80 || t > 0xBF)
            return 0;
    }
    return length;
}

bool IsUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, pos);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

}  // namespace

std::string TextFromServer(std::string_view bytes)
{
    if (IsUtf8(bytes))
        return std::string(bytes);
    try {
        return cp932::ToUtf8(bytes);
    } catch (const cp932::TextEncodingError&) {
    }
    std::string result;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, pos);
        if (length == 0) {
            result += '?';
            ++pos;
        } else {
            result.append(bytes.substr(pos, length));
            pos += length;
        }
    }
    return result;
}

}  // namespace db::detail
