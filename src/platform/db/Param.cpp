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

namespace {

template <typename T, typename Set>
void SetUnlessEmpty(Param& param, const std::optional<T>& value, Set set)
{
    if (value)
        (param.*set)(*value);
    else
        param.SetNull();
}

}  // namespace

void Param::SetOptionalString(std::optional<std::string_view> text)
{
    SetUnlessEmpty(*this, text, &Param::SetString);
}

void Param::SetOptionalInteger(std::optional<std::int32_t> value)
{
    SetUnlessEmpty(*this, value, &Param::SetInteger);
}

void Param::SetOptionalInt64(std::optional<std::int64_t> value)
{
    SetUnlessEmpty(*this, value, &Param::SetInt64);
}

void Param::SetOptionalCurrency(std::optional<Currency> value)
{
    SetUnlessEmpty(*this, value, &Param::SetCurrency);
}

void Param::SetOptionalDouble(std::optional<double> value)
{
    SetUnlessEmpty(*this, value, &Param::SetDouble);
}

void Param::SetOptionalDateTime(std::optional<TDateTime> value)
{
    SetUnlessEmpty(*this, value, &Param::SetDateTime);
}

void Param::SetOptionalBlob(std::optional<std::string_view> bytes)
{
    SetUnlessEmpty(*this, bytes, &Param::SetBlob);
}

}  // namespace db
