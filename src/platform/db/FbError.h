#pragma once
// The one exception type of the database layer.
//
// The status codes themselves are the client's constants (<iberror.h>:
// isc_dsql_error, isc_unique_key_violation, ...).
//
// Every failure that the Firebird client reports, and every misuse that the
// layer itself catches (an unknown parameter name, a field read as the wrong
// kind, a transaction started twice), arrives as an FbError, so a caller that
// "catches the database exception" needs exactly one catch clause.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace Firebird {
class IStatus;
}

namespace db {

class FbError final : public std::runtime_error {
public:
    // An error found by the layer itself: no Firebird code, SQL code 0.
    explicit FbError(const std::string& message);
    FbError(std::int32_t ibErrorCode, std::int32_t sqlCode, const std::string& message);

    // Reads a failed status: its first error code, the SQL code the client
    // derives from the whole vector, the SQLSTATE, and the formatted text
    // (UTF-8) however long it is.
    static FbError FromStatus(Firebird::IStatus* status);

    // The first Firebird status code (for example 335544569), 0 when the
    // layer raised the error itself.
    std::int32_t IBErrorCode() const noexcept { return ibErrorCode_; }
    // The SQL code (for example -204), 0 when the layer raised the error.
    std::int32_t SQLCode() const noexcept { return sqlCode_; }
    // The five-character SQLSTATE the server gives (for example "42S02"),
    // empty when the layer raised the error or the server gave none.
    const std::string& SQLState() const noexcept { return sqlState_; }
    // The whole formatted message text, UTF-8, lines separated by "\n".
    std::string Message() const { return what(); }
    // Every status code of the vector, in order; lets a caller look past the
    // first one (a failed attach carries the file error behind the first).
    const std::vector<std::int32_t>& Codes() const noexcept { return codes_; }
    bool HasCode(std::int32_t code) const noexcept;

private:
    std::int32_t ibErrorCode_ = 0;
    std::int32_t sqlCode_ = 0;
    std::vector<std::int32_t> codes_;
    std::string sqlState_;
};

}  // namespace db
