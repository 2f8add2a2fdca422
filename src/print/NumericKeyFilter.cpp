#include "print/NumericKeyFilter.h"

#include <cstdlib>
#include <string>

namespace {

constexpr char32_t Backspace = 8;

bool IsDigit(char32_t ch)
{
    return ch >= '0' && ch <= '9';
}

// The text's value as the whole-number fields read it: 0 when it is none.
bool WorthZero(std::string_view text)
{
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    return value == 0;
}

}  // namespace

bool NumericKeyAllowed(char32_t ch, std::string_view text, bool wholeTextSelected, int kind)
{
    switch (kind) {
    case kfDigits:
    case kfDigitsBack:
        if (ch == Backspace)
            return kind == kfDigitsBack;
        if (!IsDigit(ch))
            return false;
        return !(ch == '0' && !text.empty() && WorthZero(text));
    case kfDecimal:
    case kfSigned:
    case kfSignedDecimal:
        break;
    default:
        return true;
    }
    const bool signedKind = kind != kfDecimal;
    const bool decimalKind = kind != kfSigned;
    if (ch == Backspace)
        return true;
    if (ch == '0') {
        if (wholeTextSelected)
            return true;
        if (text == "0")
            return false;
        if (signedKind && text == "-")
            return false;
        if (decimalKind && text == ".")
            return false;
        return true;
    }
    if (IsDigit(ch))
        return true;
    if (ch == '.' && decimalKind)
        return !text.empty() && text.find('.') == std::string_view::npos;
    if (ch == '-' && signedKind)
        return text.empty() || wholeTextSelected;
    return false;
}
