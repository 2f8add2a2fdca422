#pragma once
// A column of the current row of a Query, as FieldByName returns it.
//
// The As readers convert as the program expects of a dataset field: a NULL
// reads as "", 0 or an empty blob. The Optional readers convert the same way
// but give no value for a NULL, so that a stored 0 and a missing one differ. text is UTF-8 (converted from CP932);
// numbers and dates also read as text (in the program's own text forms:
// CurrToStr for scaled numbers, FloatToStr, DateToStr, DateTimeToStr,
// TimeToStr); texts read as numbers when they hold one. A conversion that
// does not work throws FbError; so does reading a blob after its
// transaction ended, and reading any field (IsNull too) when the query has
// no current row: not opened, an empty result, or closed. After the last
// row, Eof is true and that row stays readable.
//
// The object refers to its query and reads whatever row is current when it
// is asked; it is valid while the query lives.

#include "platform/DateTime.h"
#include "platform/NumberText.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace db {

namespace detail {
struct QueryState;
}

class Field final {
public:
    std::string Name() const;
    bool IsNull() const;
    std::string AsString() const;
    // Scaled numbers and floating ones are cut toward zero, as a dataset
    // field does; a value outside 32 bits throws FbError.
    std::int32_t AsInteger() const;
    std::int64_t AsInt64() const;
    // Scaled numbers with more than 4 decimals, and floating ones, are
    // rounded half away from zero.
    Currency AsCurrency() const;
    double AsDouble() const;
    TDateTime AsDateTime() const;
    // A blob's bytes as stored (no conversion); text columns give their
    // CP932 bytes.
    std::string AsBlob() const;

    std::optional<std::string> OptionalString() const;
    std::optional<std::int32_t> OptionalInteger() const;
    std::optional<std::int64_t> OptionalInt64() const;
    std::optional<Currency> OptionalCurrency() const;
    std::optional<double> OptionalDouble() const;
    std::optional<TDateTime> OptionalDateTime() const;
    std::optional<std::string> OptionalBlob() const;

private:
    friend class Query;
    Field(const detail::QueryState* query, std::size_t index) : query_(query), index_(index) {}
    const detail::QueryState* query_;
    std::size_t index_;
};

}  // namespace db
