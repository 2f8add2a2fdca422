#include "platform/db/Param.h"

#include "platform/Cp932.h"
#include "platform/db/DbState.h"
#include "platform/db/FbError.h"

#include <cmath>

namespace db {

namespace {

void Assign(detail::QueryState* query, const std::string& name, const detail::ParamValue& value)
{
    bool found = false;
    for (std::size_t i = 0; i < query->paramPositions.size(); ++i) {
        if (query->paramPositions[i] == name) {
            query->values[i] = value;
            found = true;
        }
    }
    if (!found)
        throw FbError("the SQL text has no parameter " + name);
}

}  // namespace

void Param::SetNull()
{
    Assign(query_, name_, std::monostate{});
}

void Param::SetString(std::string_view text)
{
    std::string bytes;
    try {
        bytes = cp932::FromUtf8(text);
    } catch (const cp932::TextEncodingError& error) {
        throw FbError("the text for parameter " + name_ + " cannot be stored in CP932: " + error.what());
    }
    Assign(query_, name_, detail::TextValue{std::move(bytes)});
}

void Param::SetInteger(std::int32_t value)
{
    Assign(query_, name_, detail::ScaledValue{value, 0, false});
}

void Param::SetInt64(std::int64_t value)
{
    Assign(query_, name_, detail::ScaledValue{value, 0, true});
}

void Param::SetCurrency(Currency value)
{
    Assign(query_, name_, detail::ScaledValue{value, -4, true});
}

void Param::SetDouble(double value)
{
    if (!std::isfinite(value))
        throw FbError("parameter " + name_ + " is given a value that is not a finite number");
    Assign(query_, name_, value);
}

void Param::SetDateTime(TDateTime value)
{
    Assign(query_, name_, detail::DateTimeValue{value});
}

void Param::SetBlob(std::string_view bytes)
{
    Assign(query_, name_, detail::BytesValue{std::string(bytes)});
}

}  // namespace db
