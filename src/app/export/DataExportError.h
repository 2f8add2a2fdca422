#pragma once
// EDataExportError: the failure of an export that the wizard shows to the
// operator as its message and detail.

#include <cstdint>
#include <stdexcept>
#include <string>

// Codes raised by the export.
inline constexpr std::int32_t ExportErrorCalculation = 1;     // the balance calculation failed
inline constexpr std::int32_t ExportErrorAccountName = 2;     // an account without a name
inline constexpr std::int32_t ExportErrorSubAccountName = 3;  // a sub-account without a name

class EDataExportError : public std::runtime_error {
public:
    EDataExportError(const std::string& message, std::string detail, std::int32_t code)
        : std::runtime_error(message), Detail(std::move(detail)), Code(code)
    {}

    std::string Detail;
    std::int32_t Code;
};
