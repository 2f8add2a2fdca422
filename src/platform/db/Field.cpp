#include "platform/db/Field.h"

#include "platform/AsciiText.h"
#include "platform/Cp932.h"
#include "platform/db/DbState.h"
#include "platform/db/FbConstants.h"
#include "platform/db/FbError.h"

#include <ibase.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

namespace db {

namespace {

using detail::FieldInfo;
using detail::QueryState;

template <typename T>
T Read(const unsigned char* data)
{
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

bool IsInteger(unsigned type)
{
    return type == SQL_SHORT || type == SQL_LONG || type == SQL_INT64;
}

bool IsFloat(unsigned type)
{
    return type == SQL_FLOAT || type == SQL_DOUBLE || type == SQL_D_FLOAT;
}

bool IsText(unsigned type)
{
    return type == SQL_TEXT || type == SQL_VARYING;
}

bool IsDate(unsigned type)
{
    return type == SQL_TYPE_DATE || type == SQL_TIMESTAMP || type == SQL_TYPE_TIME;
}

TDateTime FromFirebirdTime(ISC_DATE date, ISC_TIME time, bool hasDate)
{
    const double day = hasDate ? static_cast<double>(date) - detail::DaysFromFirebirdToDelphi : 0.0;
    const double fraction = static_cast<double>(time) / detail::TicksPerDay;
    // Before 1899-12-30 the fraction counts away from zero.
    return day >= 0 ? day + fraction : day - fraction;
}

std::int64_t PowerOfTen(int exponent)
{
    std::int64_t result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

// A scaled integer as the shortest decimal text: "1.5", "100", "-0.0001".
std::string ScaledToText(std::int64_t value, int scale)
{
    if (scale >= 0) {
        std::string text = std::to_string(value);
        if (value != 0)
            text.append(static_cast<std::size_t>(scale), '0');
        return text;
    }
    const bool negative = value < 0;
    // Digits of the magnitude, safe for the most negative value too.
    std::string digits;
    std::uint64_t magnitude = negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    const auto places = static_cast<std::size_t>(-scale);
    if (digits.size() <= places)
        digits.insert(0, places - digits.size() + 1, '0');
    std::string whole = digits.substr(0, digits.size() - places);
    std::string fraction = digits.substr(digits.size() - places);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::string text = whole;
    if (!fraction.empty())
        text += "." + fraction;
    if (negative && text != "0")
        text.insert(0, "-");
    return text;
}

const FieldInfo& FieldAt(const QueryState* query, std::size_t index)
{
    if (query == nullptr || index >= query->fields.size())
        throw FbError("the field no longer belongs to the query's statement");
    return query->fields[index];
}

// The field's reading of the current row, shared by the public readers.
class FieldReader final {
public:
    FieldReader(const QueryState* query, std::size_t index) : query_(*query), field_(FieldAt(query, index)) {}

    const FieldInfo& Info() const { return field_; }

    // Every reading starts here: with no current row (nothing opened, an
    // empty result, a closed query) there is nothing to read, and a NULL
    // would pass for a real 0 or "".
    bool IsNull() const
    {
        if (!query_.hasRow)
            throw FbError("field " + field_.name + " is read with no current row");
        if (field_.type == SQL_NULL)
            return true;
        return Read<std::int16_t>(Data(field_.nullOffset)) != 0;
    }

    std::int64_t Integer() const
    {
        switch (field_.type) {
        case SQL_SHORT:
            return Read<std::int16_t>(Data(field_.offset));
        case SQL_LONG:
            return Read<std::int32_t>(Data(field_.offset));
        default:
            return Read<std::int64_t>(Data(field_.offset));
        }
    }

    bool Boolean() const { return Read<unsigned char>(Data(field_.offset)) != 0; }

    double Float() const
    {
        if (field_.type == SQL_FLOAT)
            return Read<float>(Data(field_.offset));
        return Read<double>(Data(field_.offset));
    }

    // The raw bytes of a text column (CP932 for the connection's columns).
    std::string Bytes() const
    {
        const unsigned char* data = Data(field_.offset);
        if (field_.type == SQL_VARYING) {
            const auto length = Read<std::uint16_t>(data);
            return std::string(reinterpret_cast<const char*>(data + 2), length);
        }
        const std::string_view bytes(reinterpret_cast<const char*>(data), field_.length);
        if (field_.charSet != detail::CharsetSjis)
            return std::string(bytes);
        // The engine sizes a CHAR(n) of the connection's set for n characters
        // of two bytes and pads it with blanks to that width; a column of a
        // one-byte set (ASCII) comes converted to this set, sized and padded
        // the same way. The value is its first n characters.
        const std::size_t characters = field_.length / 2;
        std::size_t pos = 0;
        for (std::size_t count = 0; count < characters && pos < bytes.size(); ++count)
            pos += cp932::CharLength(bytes, pos);
        return std::string(bytes.substr(0, pos));
    }

    TDateTime DateTime() const
    {
        const unsigned char* data = Data(field_.offset);
        switch (field_.type) {
        case SQL_TYPE_DATE:
            return FromFirebirdTime(Read<ISC_DATE>(data), 0, true);
        case SQL_TYPE_TIME:
            return FromFirebirdTime(0, Read<ISC_TIME>(data), false);
        default: {
            const auto stamp = Read<ISC_TIMESTAMP>(data);
            return FromFirebirdTime(stamp.timestamp_date, stamp.timestamp_time, true);
        }
        }
    }

    std::string Blob() const
    {
        const detail::TransactionState* transaction = query_.transaction;
        if (query_.database == nullptr || !query_.database->attachment)
            throw FbError("the database of field " + field_.name + " is not connected");
        if (transaction == nullptr || !transaction->handle || transaction->handle.get() != query_.rowTransaction)
            throw FbError("the transaction that read blob field " + field_.name + " has ended");

        // Text in another character set than the connection's comes
        // converted to it; SJIS_0208 and sets without rules come as stored.
        std::vector<unsigned char> bpb;
        if (field_.subType == isc_blob_text && !detail::IsRawCharset(field_.charSet) &&
            field_.charSet != detail::CharsetSjis)
            bpb = detail::TextBlobBpb(field_.charSet, detail::CharsetSjis);

        auto id = Read<ISC_QUAD>(Data(field_.offset));
        detail::Status status;
        detail::Handle<Firebird::IBlob> blob(query_.database->attachment->openBlob(
            &status, transaction->handle.get(), &id, static_cast<unsigned>(bpb.size()),
            bpb.empty() ? nullptr : bpb.data()));
        std::string bytes;
        std::vector<char> buffer(detail::BlobSegment);
        for (;;) {
            unsigned length = 0;
            const int result = blob->getSegment(&status, static_cast<unsigned>(buffer.size()), buffer.data(), &length);
            if (result == Firebird::IStatus::RESULT_NO_DATA)
                break;
            bytes.append(buffer.data(), length);
        }
        blob->close(&status);
        blob.Disown();
        return bytes;
    }

    std::string Utf8(const std::string& cp932) const
    {
        try {
            return cp932::ToUtf8(cp932);
        } catch (const cp932::TextEncodingError& error) {
            throw FbError("field " + field_.name + " holds text that is not CP932: " + error.what());
        }
    }

    [[noreturn]] void Unconvertible(const char* target) const
    {
        throw FbError("field " + field_.name + " cannot be read as " + target);
    }

private:
    const unsigned char* Data(unsigned offset) const { return query_.row.data() + offset; }

    const QueryState& query_;
    const FieldInfo& field_;
};

bool ParseInt64(std::string_view text, std::int64_t& result)
{
    const std::string_view trimmed = ascii::TrimBlanks(text);
    if (trimmed.empty())
        return false;
    std::size_t pos = 0;
    bool negative = false;
    if (trimmed[0] == '+' || trimmed[0] == '-') {
        negative = trimmed[0] == '-';
        pos = 1;
    }
    if (pos == trimmed.size())
        return false;
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = negative ? static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1
                                         : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    for (; pos < trimmed.size(); ++pos) {
        const char c = trimmed[pos];
        if (c < '0' || c > '9')
            return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (magnitude > (limit - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
    }
    result = negative ? static_cast<std::int64_t>(~magnitude + 1) : static_cast<std::int64_t>(magnitude);
    return true;
}

std::int64_t Truncated(double value, const FieldReader& reader, const char* target)
{
    const double cut = std::trunc(value);
    if (!std::isfinite(cut) || cut < -9.2233720368547758e18 || cut >= 9.2233720368547758e18)
        reader.Unconvertible(target);
    return static_cast<std::int64_t>(cut);
}

}  // namespace

std::string Field::Name() const
{
    return FieldReader(query_, index_).Info().name;
}

bool Field::IsNull() const
{
    return FieldReader(query_, index_).IsNull();
}

std::string Field::AsString() const
{
    const FieldReader reader(query_, index_);
    if (reader.IsNull())
        return {};
    const FieldInfo& info = reader.Info();
    if (IsText(info.type))
        return reader.Utf8(reader.Bytes());
    if (IsInteger(info.type))
        return ScaledToText(reader.Integer(), info.scale);
    if (IsFloat(info.type))
        return FloatToStr(reader.Float());
    if (info.type == SQL_TYPE_DATE)
        return DateToStr(reader.DateTime());
    if (info.type == SQL_TYPE_TIME)
        return TimeToStr(reader.DateTime());
    if (info.type == SQL_TIMESTAMP)
        return DateTimeToStr(reader.DateTime());
    if (info.type == SQL_BLOB)
        return reader.Utf8(reader.Blob());
    if (info.type == SQL_BOOLEAN)
        return reader.Boolean() ? "True" : "False";
    reader.Unconvertible("text");
}

std::int64_t Field::AsInt64() const
{
    const FieldReader reader(query_, index_);
    if (reader.IsNull())
        return 0;
    const FieldInfo& info = reader.Info();
    if (IsInteger(info.type)) {
        if (info.scale >= 0)
            return reader.Integer() * PowerOfTen(info.scale);
        if (info.scale < -18)
            return 0;
        return reader.Integer() / PowerOfTen(-info.scale);  // cut toward zero
    }
    if (IsFloat(info.type))
        return Truncated(reader.Float(), reader, "an integer");
    if (IsText(info.type)) {
        std::int64_t value = 0;
        if (!ParseInt64(reader.Utf8(reader.Bytes()), value))
            reader.Unconvertible("an integer");
        return value;
    }
    reader.Unconvertible("an integer");
}

std::int32_t Field::AsInteger() const
{
    const std::int64_t value = AsInt64();
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw FbError("the value of field " + Name() + " does not fit in 32 bits");
    return static_cast<std::int32_t>(value);
}

Currency Field::AsCurrency() const
{
    const FieldReader reader(query_, index_);
    if (reader.IsNull())
        return 0;
    const FieldInfo& info = reader.Info();
    if (IsInteger(info.type)) {
        const std::int64_t value = reader.Integer();
        const int shift = 4 + info.scale;
        if (shift >= 0) {
            Currency result = 0;
            if (shift > 18 || __builtin_mul_overflow(value, PowerOfTen(shift), &result))
                reader.Unconvertible("an amount");
            return result;
        }
        if (shift < -18)
            return 0;
        const std::int64_t divisor = PowerOfTen(-shift);
        std::int64_t quotient = value / divisor;
        const std::int64_t remainder = value % divisor;
        // Half away from zero.
        if (remainder * 2 >= divisor)
            ++quotient;
        else if (remainder * 2 <= -divisor)
            --quotient;
        return quotient;
    }
    if (IsFloat(info.type)) {
        const double scaled = std::round(reader.Float() * CurrencyScale);
        if (!std::isfinite(scaled) || scaled < -9.2233720368547758e18 || scaled >= 9.2233720368547758e18)
            reader.Unconvertible("an amount");
        return static_cast<Currency>(scaled);
    }
    if (IsText(info.type)) {
        Currency value = 0;
        if (!TryStrToCurr(reader.Utf8(reader.Bytes()), value))
            reader.Unconvertible("an amount");
        return value;
    }
    reader.Unconvertible("an amount");
}

double Field::AsDouble() const
{
    const FieldReader reader(query_, index_);
    if (reader.IsNull())
        return 0;
    const FieldInfo& info = reader.Info();
    if (IsInteger(info.type)) {
        const auto value = static_cast<double>(reader.Integer());
        return info.scale >= 0 ? value * std::pow(10.0, info.scale) : value / std::pow(10.0, -info.scale);
    }
    if (IsFloat(info.type))
        return reader.Float();
    if (IsDate(info.type))
        return reader.DateTime();
    if (IsText(info.type)) {
        double value = 0;
        if (!TryStrToFloat(reader.Utf8(reader.Bytes()), value))
            reader.Unconvertible("a number");
        return value;
    }
    reader.Unconvertible("a number");
}

TDateTime Field::AsDateTime() const
{
    const FieldReader reader(query_, index_);
    if (reader.IsNull())
        return 0;
    const FieldInfo& info = reader.Info();
    if (IsDate(info.type))
        return reader.DateTime();
    if (IsText(info.type)) {
        TDateTime value = 0;
        if (!TryStrToDateTime(ascii::TrimBlanks(reader.Utf8(reader.Bytes())), value))
            reader.Unconvertible("a date");
        return value;
    }
    reader.Unconvertible("a date");
}

std::string Field::AsBlob() const
{
    const FieldReader reader(query_, index_);
    if (reader.IsNull())
        return {};
    const FieldInfo& info = reader.Info();
    if (info.type == SQL_BLOB)
        return reader.Blob();
    if (IsText(info.type))
        return reader.Bytes();
    reader.Unconvertible("a blob");
}

namespace {

template <typename T, typename Read>
std::optional<T> UnlessNull(const Field& field, Read read)
{
    if (field.IsNull())
        return std::nullopt;
    return (field.*read)();
}

}  // namespace

std::optional<std::string> Field::OptionalString() const
{
    return UnlessNull<std::string>(*this, &Field::AsString);
}

std::optional<std::int32_t> Field::OptionalInteger() const
{
    return UnlessNull<std::int32_t>(*this, &Field::AsInteger);
}

std::optional<std::int64_t> Field::OptionalInt64() const
{
    return UnlessNull<std::int64_t>(*this, &Field::AsInt64);
}

std::optional<Currency> Field::OptionalCurrency() const
{
    return UnlessNull<Currency>(*this, &Field::AsCurrency);
}

std::optional<double> Field::OptionalDouble() const
{
    return UnlessNull<double>(*this, &Field::AsDouble);
}

std::optional<TDateTime> Field::OptionalDateTime() const
{
    return UnlessNull<TDateTime>(*this, &Field::AsDateTime);
}

std::optional<std::string> Field::OptionalBlob() const
{
    return UnlessNull<std::string>(*this, &Field::AsBlob);
}

}  // namespace db
