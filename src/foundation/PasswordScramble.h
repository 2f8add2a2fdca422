#pragma once
// Keeping short secrets of a company data set out of plain sight in its
// settings store.
//
// The data password is scrambled by a keyed substitution over 62 letters and
// digits (EasyEncode / EasyDecode). The accounting package writes the same
// scrambled text, so the algorithm must stay exactly as it is: the running
// sum of the key's bytes, the filler "A".."Z", the alphabet order.
//
// The My Number management password and value go through the string cipher
// (StringCipher.h) by CipherEncodeText / CipherDecodeText.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The 62 characters of the scrambler; a character's index is its position.
inline constexpr std::string_view EasyEncodeAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";

// The fixed key and length with which the data password is stored.
inline constexpr std::string_view DataPasswordKey = "quenrab";
inline constexpr std::int32_t DataPasswordLength = 8;

// Texts and keys are limited to this many bytes (CP932 for the key).
inline constexpr std::size_t EasyEncodeMaxBytes = 255;

// Parameters and result of one scrambling.
struct TEasyEncodeInfo {
    std::int32_t TargetLen = 0;  // the plain text is filled up to this length first
    std::int32_t PlainLen = 0;   // unscrambling stops after this many characters
    std::string Key;
    std::string PlainText;  // input of EasyEncode, output of EasyDecode
    std::string CodeText;   // output of EasyEncode, input of EasyDecode
};

// TargetLen and PlainLen 0, PlainText and CodeText empty; the key stays.
void ClearEasyEncodeInfo(TEasyEncodeInfo& info);

// Scrambles PlainText into CodeText and returns 1.
//  1. When TargetLen − PlainLen = n is above 0, n filler characters "A", "B",
//     … "Z", "A", … are appended to the plain text.
//  2. A running sum s (from 0) grows at each position by the byte value of the
//     next key byte, the key repeating; the character of index j becomes the
//     alphabet character (j + s) mod 62.
// Returns 0 with CodeText empty when the plain text holds a character outside
// the alphabet (a blank, "-", any non-ASCII character): a shortened scrambled
// text would silently store a different password. Also 0 for an empty key, a
// key CP932 cannot hold or longer than 255 CP932 bytes, and a filled-up text
// longer than 255 bytes.
int EasyEncode(TEasyEncodeInfo& info);

// Unscrambles the first PlainLen characters of CodeText (all of it when it is
// shorter; nothing for PlainLen <= 0) into PlainText and returns true; so the
// filler that EasyEncode added beyond PlainLen is dropped again. A text
// scrambled with another key gives a wrong plain text of the same length.
// Returns false with PlainText empty when a character outside the alphabet
// lies within the part unscrambled (no scrambled text holds one, so it is
// damaged), for CodeText longer than 255 bytes, and for a key EasyEncode
// refuses.
bool EasyDecode(TEasyEncodeInfo& info);

// The string cipher in its encoding (mode "160") and decoding (mode "161")
// direction. Result becomes empty; when Text has anything but blanks and
// control characters, the cipher runs on Text as it is and Result receives
// its output when it reports success. Failure shows only as an empty Result.
// KeyName and Length do not reach the cipher, which keeps its own key; callers
// pass the fixed key name and the text's length for the record.
void CipherEncodeText(std::string_view Text, std::string_view KeyName, std::int32_t Length, std::string& Result);
void CipherDecodeText(std::string_view Text, std::string_view KeyName, std::int32_t Length, std::string& Result);
