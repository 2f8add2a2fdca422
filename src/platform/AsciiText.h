#pragma once
// Small byte-level text helpers shared by the parsers of ini files, the
// registry store, date and number texts and delimited lists. They look at
// ASCII only: every byte of a multi-byte UTF-8 character is >= 0x80, so such
// characters pass through untouched and compare exactly.

#include <cstddef>
#include <string>
#include <string_view>

namespace ascii {

constexpr char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The text with its ASCII letters in upper case.
inline std::string Upper(std::string_view s)
{
    std::string result(s);
    for (char& c : result)
        c = Upper(c);
    return result;
}

// Case-insensitive for ASCII letters, exact for everything else.
constexpr bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

// Blank or tab.
constexpr bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
// The blank and every control byte (0x00-0x20), as the platform's trim sees them.
constexpr bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

constexpr std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

constexpr std::string_view TrimBlanksAndControls(std::string_view s)
{
    while (!s.empty() && IsBlankOrControl(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlankOrControl(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace ascii
