#pragma once
// Shift-JIS text as Windows writes it (code page 932).
//
// The program keeps its strings in UTF-8; files, database columns and every
// width the system counts are CP932 bytes. These functions are the one place
// where the two meet.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cp932 {

// Raised for text that cannot be converted: invalid UTF-8, invalid CP932, or
// a character CP932 cannot hold.
class TextEncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// UTF-8 -> CP932 bytes. Throws TextEncodingError.
std::string FromUtf8(std::string_view utf8);
// CP932 bytes -> UTF-8. Throws TextEncodingError.
std::string ToUtf8(std::string_view sjis);

// True when the text is valid UTF-8 that CP932 can hold entirely.
bool IsRepresentable(std::string_view utf8);

// First byte of a double-byte character: 0x81-0x9F or 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
// Second byte of a double-byte character: 0x40-0x7E or 0x80-0xFC.
constexpr bool IsTrailByte(unsigned char c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Number of bytes of the character starting at sjis[pos] (1 or 2); a lead
// byte at the end of the text or before a non-trail byte counts as 1.
std::size_t CharLength(std::string_view sjis, std::size_t pos);

// Width of a UTF-8 text in CP932 bytes (a full-width character counts 2).
std::size_t ByteWidth(std::string_view utf8);

// The longest leading part of a UTF-8 text whose CP932 width is at most
// maxBytes, never ending in half a double-byte character.
std::string CutBytes(std::string_view utf8, std::size_t maxBytes);

}  // namespace cp932
