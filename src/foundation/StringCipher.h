#pragma once
// The string cipher that protects the My Number settings of a company data
// set: one call that takes a text and a mode and answers in two fixed
// 256-byte buffers.
//
// Scheme: AES-256-GCM under a fixed program key, a fresh random 96-bit nonce
// per encoding. The coded text is the unpadded base64url form (A-Z, a-z, 0-9,
// "-", "_") of
//     format byte 0x01 | nonce (12) | cipher text (as long as the plain text) | tag (16)
// with the format byte authenticated as well. So the same text encodes
// differently each time, and any change to a coded text, a text of another
// format or one coded under another key fails to decode instead of giving a
// wrong plain text.
//
// Sizes: a coded text must fit the 255 bytes in front of the terminating zero
// byte, so plain texts of up to StringCipherMaxPlainBytes (162) bytes encode;
// a longer text is refused, never cut. Texts are taken as the bytes they are
// (UTF-8 here); a text with a zero byte is refused, since the result is read
// up to its first zero byte.

#include <cstddef>
#include <span>
#include <string_view>

inline constexpr std::size_t StringCipherBufferSize = 256;
inline constexpr std::string_view StringCipherEncodeMode = "160";
inline constexpr std::string_view StringCipherDecodeMode = "161";
inline constexpr std::size_t StringCipherMaxPlainBytes = 162;

// Returns 1 when the call succeeded: the first buffer then holds the result
// (coded text for "160", plain text for "161") followed by zero bytes. Any
// other outcome returns 0 with the first buffer all zero and the second
// holding a short zero-terminated reason for a log ("unknown mode", "text too
// long", "text contains a zero byte", "not a coded text", "coded text does not
// verify", "no random nonce", "cipher failure"). On success the second buffer
// is all zero. Both buffers are cleared first; nothing is ever written beyond
// them. In decoding, blanks and control characters around the coded text are
// ignored.
int StringCipher(std::string_view text, std::string_view mode, std::span<char, StringCipherBufferSize> result,
                 std::span<char, StringCipherBufferSize> detail);
