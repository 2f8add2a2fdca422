#include "platform/db/FbError.h"

#include "platform/db/FbClient.h"

#include <ibase.h>

#include <algorithm>
#include <cstring>

namespace db {

namespace {
// Beyond this a status text is not a message but a runaway.
constexpr std::size_t MaxMessageSize = 16 * 1024 * 1024;
}  // namespace

FbError::FbError(const std::string& message) : std::runtime_error(message) {}

FbError::FbError(std::int32_t ibErrorCode, std::int32_t sqlCode, const std::string& message)
    : std::runtime_error(message), ibErrorCode_(ibErrorCode), sqlCode_(sqlCode)
{
    if (ibErrorCode != 0)
        codes_.push_back(ibErrorCode);
}

FbError FbError::FromStatus(Firebird::IStatus* status)
{
    const intptr_t* vector = status->getErrors();

    std::vector<std::int32_t> codes;
    std::string sqlState;
    for (const intptr_t* item = vector; *item != isc_arg_end;) {
        const intptr_t kind = item[0];
        if (kind == isc_arg_gds)
            codes.push_back(static_cast<std::int32_t>(item[1]));
        else if (kind == isc_arg_sql_state && sqlState.empty() && item[1] != 0)
            sqlState = reinterpret_cast<const char*>(item[1]);
        // A counted string takes a length and a pointer; every other argument
        // kind takes one value.
        item += (kind == isc_arg_cstring) ? 3 : 2;
    }

    const auto sqlCode = static_cast<std::int32_t>(isc_sqlcode(reinterpret_cast<const ISC_STATUS*>(vector)));
    if (sqlState.empty()) {
        // This server sends none: the client derives it from the codes.
        char state[6] = {};
        fb_sqlstate(state, reinterpret_cast<const ISC_STATUS*>(vector));
        sqlState.assign(state, ::strnlen(state, 5));
    }

    // The client cuts the text at the buffer's end without saying so: a text
    // that fills the buffer is asked for again with a larger one.
    std::string text;
    for (std::size_t size = 4096;; size *= 4) {
        std::vector<char> buffer(size, '\0');
        detail::Util()->formatStatus(buffer.data(), static_cast<unsigned>(size), status);
        const std::size_t length = ::strnlen(buffer.data(), size);
        if (length + 1 < size || size >= MaxMessageSize) {
            text.assign(buffer.data(), length);
            break;
        }
    }
    while (!text.empty() && text.back() == '\n')
        text.pop_back();

    FbError error(codes.empty() ? 0 : codes.front(), sqlCode, detail::TextFromServer(text));
    error.codes_ = std::move(codes);
    error.sqlState_ = std::move(sqlState);
    return error;
}

bool FbError::HasCode(std::int32_t code) const noexcept
{
    return std::find(codes_.begin(), codes_.end(), code) != codes_.end();
}

}  // namespace db
