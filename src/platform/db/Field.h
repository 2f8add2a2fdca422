#pragma once
// A column of the current row of a Query, as FieldByName returns it.
//
// The readers convert as the program expects of a dataset field: a NULL
// reads as "", 0 or an empty blob; text is UTF-8 (converted from CP932);
// numbers and dates also read as text (in the program's own text forms:
// CurrToStr for scaled numbers, FloatToStr, DateToStr, DateTimeToStr,
// TimeToStr); texts read as numbers when they hold one. A conversion that
// does not work throws FbError; so does reading a blob after its
// transaction ended.
//
// The object refers to its query and reads whatever row is current when it
// is asked; it is valid while the query lives.

#include "platform/DateTime.h"
#include "platform/NumberText.h"

#include <cstddef>
#include <cstdint>
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

private:
    friend class Query;
    Field(const detail::QueryState* query, std::size_t index) : query_(query), index_(index) {}
    const detail::QueryState* query_;
    std::size_t index_;
};

}  // namespace db
