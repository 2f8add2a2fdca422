#include "platform/NumberText.h"
#include "platform/AsciiText.h"

#include "platform/DateTime.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <system_error>
#include <vector>

namespace {

using ascii::IsBlank;
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

using ascii::TrimBlanks;

std::string Quoted(std::string_view text)
{
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '\'';
    quoted += text;
    quoted += '\'';
    return quoted;
}

// A decimal number as 0.digits × 10^exponent: digits carry no leading or
// trailing zeros and are empty for zero. Both doubles and amounts are turned
// into this form first, so that rounding and layout are done once, in decimal.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool IsZero() const { return digits.empty(); }
    // The digit at the given power of ten (0 = units, -1 = tenths).
    char DigitAtPower(int power) const
    {
        const int index = exponent - 1 - power;
        return index >= 0 && index < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(index)] : '0';
    }
    int IntegerDigits() const { return IsZero() || exponent < 0 ? 0 : exponent; }
    int FractionDigits() const
    {
        const int n = static_cast<int>(digits.size()) - exponent;
        return n > 0 ? n : 0;
    }
};

void StripTrailingZeros(std::string& digits)
{
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

// Fifteen significant digits, the precision a double reliably carries.
Decimal DecimalOf(double value)
{
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0)
        return d;
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14).ptr;
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));  // d.ddddddddddddddde±x
    const std::size_t e = text.find('e');
    d.digits.push_back(text[0]);
    d.digits.append(text.substr(2, e - 2));
    int exponent = 0;
    const char* first = text.data() + e + 1;
    if (*first == '+')
        ++first;
    std::from_chars(first, end, exponent);
    d.exponent = exponent + 1;
    StripTrailingZeros(d.digits);
    return d;
}

Decimal DecimalOf(Currency value)
{
    Decimal d;
    d.negative = value < 0;
    // The magnitude as unsigned, so that the most negative amount works too.
    const std::uint64_t magnitude =
        value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    if (magnitude == 0)
        return d;
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude).ptr;
    d.digits.assign(buffer, end);
    d.exponent = static_cast<int>(d.digits.size()) - 4;
    StripTrailingZeros(d.digits);
    return d;
}

// Rounds half away from zero to the given number of fraction places.
void RoundTo(Decimal& d, int places)
{
    if (d.IsZero())
        return;
    const long long keep = static_cast<long long>(d.exponent) + places;
    if (keep >= static_cast<long long>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        while (!d.digits.empty() && d.digits.back() == '9')
            d.digits.pop_back();
        if (d.digits.empty()) {
            d.digits.push_back('1');
            ++d.exponent;
        } else {
            ++d.digits.back();
        }
    }
    StripTrailingZeros(d.digits);
}

// Every integer digit, then the fraction digits there are.
std::string FixedText(const Decimal& d)
{
    if (d.IsZero())
        return "0";
    std::string out = d.negative ? "-" : "";
    if (d.exponent <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.exponent), '0');
        out += d.digits;
        return out;
    }
    for (int power = d.exponent - 1; power >= 0; --power)
        out += d.DigitAtPower(power);
    if (d.FractionDigits() > 0) {
        out += '.';
        out.append(d.digits, static_cast<std::size_t>(d.exponent));
    }
    return out;
}

// Fixed form from 0.0001 up to 15 integer digits, the exponent form outside.
std::string GeneralText(const Decimal& d)
{
    if (d.IsZero() || (d.exponent <= 15 && d.exponent >= -3))
        return FixedText(d);
    std::string out = d.negative ? "-" : "";
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += '.';
        out.append(d.digits, 1);
    }
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, d.exponent - 1).ptr;
    out += 'E';
    out.append(buffer, end);
    return out;
}

std::vector<std::string_view> SplitSections(std::string_view format)
{
    std::vector<std::string_view> sections;
    char quote = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(format.substr(start));
    return sections;
}

// What a section asks for, gathered before any digit is written.
struct SectionLayout {
    int integerPlaces = 0;      // placeholders before the decimal point
    int minIntegerDigits = 0;   // from the first "0" before the point on
    int fractionPlaces = 0;     // placeholders after the point
    int minFractionDigits = 0;  // up to the last "0" after the point
    bool grouping = false;
};

SectionLayout LayoutOf(std::string_view section)
{
    SectionLayout layout;
    int firstZero = -1;
    bool afterPoint = false;
    char quote = 0;
    for (const char c : section) {
        if (quote != 0) {
            if (c == quote)
                quote = 0;
            continue;
        }
        switch (c) {
        case '"':
        case '\'':
            quote = c;
            break;
        case '0':
        case '#':
            if (afterPoint) {
                ++layout.fractionPlaces;
                if (c == '0')
                    layout.minFractionDigits = layout.fractionPlaces;
            } else {
                if (c == '0' && firstZero < 0)
                    firstZero = layout.integerPlaces;
                ++layout.integerPlaces;
            }
            break;
        case '.':
            afterPoint = true;
            break;
        case ',':
            layout.grouping = true;
            break;
        default:
            break;
        }
    }
    if (firstZero >= 0)
        layout.minIntegerDigits = layout.integerPlaces - firstZero;
    return layout;
}

std::string RenderSection(std::string_view section, const SectionLayout& layout, const Decimal& value, bool minus)
{
    std::string out = minus ? "-" : "";
    const int shownInteger = std::max(value.IntegerDigits(), layout.minIntegerDigits);
    const int shownFraction = std::max(value.FractionDigits(), layout.minFractionDigits);

    auto emitIntegerDigit = [&](int position) {  // 1 = units
        out += value.DigitAtPower(position - 1);
        if (layout.grouping && position > 1 && (position - 1) % 3 == 0)
            out += ',';
    };
    bool integerDone = false;
    // Integer digits the placeholders cannot hold come out at the first one;
    // with no integer placeholder at all, before the point.
    auto emitLeadingDigits = [&](int placesLeft) {
        for (int position = shownInteger; position > placesLeft; --position)
            emitIntegerDigit(position);
        integerDone = true;
    };

    int integerIndex = 0;
    int fractionIndex = 0;
    bool afterPoint = false;
    char quote = 0;
    for (const char c : section) {
        if (quote != 0) {
            if (c == quote)
                quote = 0;
            else
                out += c;
            continue;
        }
        switch (c) {
        case '"':
        case '\'':
            quote = c;
            break;
        case '0':
        case '#':
            if (!afterPoint) {
                const int position = layout.integerPlaces - integerIndex;
                if (!integerDone)
                    emitLeadingDigits(layout.integerPlaces);
                if (position <= shownInteger)
                    emitIntegerDigit(position);
                ++integerIndex;
            } else {
                if (!integerDone)
                    emitLeadingDigits(0);
                ++fractionIndex;
                if (fractionIndex <= shownFraction)
                    out += value.DigitAtPower(-fractionIndex);
            }
            break;
        case '.':
            if (!afterPoint) {
                afterPoint = true;
                if (!integerDone)
                    emitLeadingDigits(0);
                if (shownFraction > 0)
                    out += '.';
            }
            break;
        case ',':
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

// FormatFloat and FormatCurr differ only in how the value became decimal and
// in the text an empty format falls back to.
template <typename GeneralForm>
std::string FormatDecimal(std::string_view format, const Decimal& value, GeneralForm general)
{
    const std::vector<std::string_view> sections = SplitSections(format);
    auto present = [&](std::size_t index) { return index < sections.size() && !sections[index].empty(); };
    if (!present(0))
        return general();

    std::size_t index = 0;
    bool minus = false;
    if (value.negative && !value.IsZero()) {
        if (present(1))
            index = 1;
        else
            minus = true;
    }
    SectionLayout layout = LayoutOf(sections[index]);
    Decimal rounded = value;
    RoundTo(rounded, layout.fractionPlaces);
    if (rounded.IsZero()) {
        // No "-0": whatever rounds to nothing is shown as zero.
        index = present(2) ? 2 : 0;
        minus = false;
        layout = LayoutOf(sections[index]);
    }
    return RenderSection(sections[index], layout, rounded, minus);
}

std::string NonFiniteText(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// Decimal digits as an unsigned magnitude; false on any other byte, on no
// digits at all, or past limit.
bool ParseMagnitude(std::string_view digits, std::uint64_t limit, std::uint64_t& magnitude)
{
    if (digits.empty())
        return false;
    std::uint64_t v = 0;
    for (const char c : digits) {
        if (!IsDigit(c))
            return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (v > (limit - digit) / 10)
            return false;
        v = v * 10 + digit;
    }
    magnitude = v;
    return true;
}

// Removes an optional "+" or "-" and tells which it was.
bool TakeSign(std::string_view& text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        const bool negative = text.front() == '-';
        text.remove_prefix(1);
        return negative;
    }
    return false;
}

}  // namespace

std::string CurrToStr(Currency value)
{
    return FixedText(DecimalOf(value));
}

bool TryStrToCurr(std::string_view text, Currency& result)
{
    text = TrimBlanks(text);
    const bool negative = TakeSign(text);
    std::string_view integer = text;
    std::string_view fraction;
    if (const std::size_t point = text.find('.'); point != std::string_view::npos) {
        integer = text.substr(0, point);
        fraction = text.substr(point + 1);
    }
    if (fraction.size() > 4 || (integer.empty() && fraction.empty()))
        return false;
    for (const char c : integer)
        if (!IsDigit(c))
            return false;
    for (const char c : fraction)
        if (!IsDigit(c))
            return false;
    // The amount's scaled digits: the integer part, then the fraction padded
    // to four places.
    std::string scaled(integer);
    scaled.append(fraction);
    scaled.append(4 - fraction.size(), '0');
    const auto positiveLimit = static_cast<std::uint64_t>(std::numeric_limits<Currency>::max());
    std::uint64_t magnitude = 0;
    if (!ParseMagnitude(scaled, negative ? positiveLimit + 1 : positiveLimit, magnitude))
        return false;
    result = negative ? static_cast<Currency>(std::uint64_t{0} - magnitude) : static_cast<Currency>(magnitude);
    return true;
}

Currency StrToCurr(std::string_view text)
{
    Currency result = 0;
    if (!TryStrToCurr(text, result))
        throw EConvertError(Quoted(text) + " is not a valid amount");
    return result;
}

std::string FloatToStr(double value)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    return GeneralText(DecimalOf(value));
}

bool TryStrToFloat(std::string_view text, double& result)
{
    text = TrimBlanks(text);
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    std::size_t mantissaDigits = 0;
    // Where the first significant digit sits relative to the point: positive
    // for integer digits, zero or negative for fraction digits.
    long long magnitude = 0;
    bool seenSignificant = false;
    bool afterPoint = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (IsDigit(c)) {
            ++mantissaDigits;
            if (!afterPoint) {
                if (seenSignificant || c != '0') {
                    seenSignificant = true;
                    ++magnitude;
                }
            } else if (!seenSignificant) {
                if (c != '0')
                    seenSignificant = true;
                else
                    --magnitude;
            }
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    long long exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            negativeExponent = text[pos] == '-';
            ++pos;
        }
        const std::size_t exponentStart = pos;
        for (; pos < text.size() && IsDigit(text[pos]); ++pos)
            if (exponent < 100000)
                exponent = exponent * 10 + (text[pos] - '0');
        if (pos == exponentStart)
            return false;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (pos != text.size())
        return false;

    // from_chars takes no "+"; it is the only thing left out.
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        if (!seenSignificant || magnitude + exponent <= 0) {
            result = text[0] == '-' ? -0.0 : 0.0;  // too small: underflow to zero
            return true;
        }
        return false;
    }
    if (error != std::errc() || end != text.data() + text.size())
        return false;
    result = value;
    return true;
}

double StrToFloat(std::string_view text)
{
    double result = 0;
    if (!TryStrToFloat(text, result))
        throw EConvertError(Quoted(text) + " is not a valid floating point value");
    return result;
}

std::string FormatFloat(std::string_view format, double value)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    return FormatDecimal(format, DecimalOf(value), [&] { return FloatToStr(value); });
}

std::string FormatCurr(std::string_view format, Currency value)
{
    return FormatDecimal(format, DecimalOf(value), [&] { return CurrToStr(value); });
}

bool TryStrToInt(std::string_view text, int& result)
{
    text = TrimBlanks(text);
    const bool negative = TakeSign(text);
    const auto positiveLimit = static_cast<std::uint64_t>(INT_MAX);
    std::uint64_t magnitude = 0;
    if (!ParseMagnitude(text, negative ? positiveLimit + 1 : positiveLimit, magnitude))
        return false;
    result = static_cast<int>(negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude));
    return true;
}

int StrToIntDef(std::string_view text, int def)
{
    int result = 0;
    return TryStrToInt(text, result) ? result : def;
}
