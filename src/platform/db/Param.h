#pragma once
// A named parameter of a Query, as ParamByName returns it.
//
// A value set here is held by the query until it is set again or the SQL
// text changes; every place the name occurs in the SQL gets it. The value is
// sent in its own type and the server converts it to the parameter's type,
// so an amount goes into NUMERIC(18,4), NUMERIC(15,2) or DOUBLE PRECISION
// alike (rounded by the server), a date-time into DATE (the day), TIMESTAMP
// or TIME (the time of day), a text into a number or a date column by the
// server's own reading. Text goes to the server as CP932; a text or bytes
// value for a BLOB parameter is written as a blob in the query's transaction
// when the statement runs. A parameter never set is NULL. The Optional
// setters set NULL for no value and the value otherwise.
//
// The object refers to its query and is valid while the query lives.

#include "platform/DateTime.h"
#include "platform/NumberText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace db {

namespace detail {
struct QueryState;
}

class Param final {
public:
    const std::string& Name() const { return name_; }

    void SetNull();
    // UTF-8 text; throws FbError when CP932 cannot hold it.
    void SetString(std::string_view text);
    void SetInteger(std::int32_t value);
    void SetInt64(std::int64_t value);
    void SetCurrency(Currency value);
    void SetDouble(double value);
    // DATE, TIMESTAMP and TIME parameters alike.
    void SetDateTime(TDateTime value);
    // Bytes as they are: for binary blobs (and text blobs already in CP932).
    void SetBlob(std::string_view bytes);

    void SetOptionalString(std::optional<std::string_view> text);
    void SetOptionalInteger(std::optional<std::int32_t> value);
    void SetOptionalInt64(std::optional<std::int64_t> value);
    void SetOptionalCurrency(std::optional<Currency> value);
    void SetOptionalDouble(std::optional<double> value);
    void SetOptionalDateTime(std::optional<TDateTime> value);
    void SetOptionalBlob(std::optional<std::string_view> bytes);

private:
    friend class Query;
    Param(detail::QueryState* query, std::string name) : query_(query), name_(std::move(name)) {}
    detail::QueryState* query_;
    std::string name_;  // upper case
};

}  // namespace db
