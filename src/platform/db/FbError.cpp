#include "platform/db/FbError.h"

#include "platform/db/FbClient.h"

#include <ibase.h>

#include <algorithm>
#include <cstring>

namespace db {

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
    for (const intptr_t* item = vector; *item != isc_arg_end;) {
        const intptr_t kind = item[0];
        if (kind == isc_arg_gds)
            codes.push_back(static_cast<std::int32_t>(item[1]));
        // A counted string takes a length and a pointer; every other argument
        // kind takes one value.
        item += (kind == isc_arg_cstring) ? 3 : 2;
    }

    const auto sqlCode = static_cast<std::int32_t>(isc_sqlcode(reinterpret_cast<const ISC_STATUS*>(vector)));

    char buffer[4096] = {};
    detail::Util()->formatStatus(buffer, sizeof buffer - 1, status);
    std::string text(buffer, ::strnlen(buffer, sizeof buffer));
    while (!text.empty() && text.back() == '\n')
        text.pop_back();

    FbError error(codes.empty() ? 0 : codes.front(), sqlCode, detail::TextFromServer(text));
    error.codes_ = std::move(codes);
    return error;
}

bool FbError::HasCode(std::int32_t code) const noexcept
{
    return std::find(codes_.begin(), codes_.end(), code) != codes_.end();
}

}  // namespace db
