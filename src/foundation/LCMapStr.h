#pragma once
// Width, kana and case mapping of Japanese text, with the flags and the
// results of the Windows string mapping for the Japanese locale.
//
// Every character this mapping produces is one that Shift-JIS (CP932) holds,
// so a mapped text can always be stored. A character whose counterpart CP932
// cannot hold stays as it is:
//  - "ヴ", "ヵ", "ヶ" have no hiragana in CP932 and stay under LCMAP_HIRAGANA;
//  - "ヮ", "ヰ", "ヱ", "ヵ", "ヶ" and all hiragana have no half-width form;
//  - the full-width signs "￠", "￡", "￢", "￣", "￤", "￥" have no half-width
//    character of their own in CP932 (the yen sign shares the byte 0x5C with
//    the backslash), so they keep their width. The byte 0x5C reads as "\" and
//    widens to "＼", the byte 0x7E reads as "~" and widens to "～".

#include <cstdint>
#include <string>
#include <string_view>

constexpr std::uint32_t LCMAP_LOWERCASE = 0x00000100;
constexpr std::uint32_t LCMAP_UPPERCASE = 0x00000200;
constexpr std::uint32_t LCMAP_HIRAGANA = 0x00100000;
constexpr std::uint32_t LCMAP_KATAKANA = 0x00200000;
constexpr std::uint32_t LCMAP_HALFWIDTH = 0x00400000;
constexpr std::uint32_t LCMAP_FULLWIDTH = 0x00800000;

// Maps a UTF-8 text by the flags (any combination of the six above, at least
// one, and at most one of each pair):
//  - LCMAP_FULLWIDTH: blank -> "　" (U+3000), ASCII "!".."~" -> U+FF01..U+FF5E,
//    half-width katakana and signs -> full-width, a half-width letter with
//    "ﾞ" or "ﾟ" behind it -> one voiced letter ("ｶﾞ" -> "ガ", "ﾊﾟ" -> "パ",
//    "ｳﾞ" -> "ヴ"); a sound mark that cannot join becomes "゛" / "゜".
//  - LCMAP_HALFWIDTH: the reverse; a voiced katakana becomes two half-width
//    characters ("ガ" -> "ｶﾞ").
//  - LCMAP_KATAKANA / LCMAP_HIRAGANA: full-width hiragana <-> katakana
//    (half-width katakana are left alone unless LCMAP_FULLWIDTH widens them).
//  - LCMAP_UPPERCASE / LCMAP_LOWERCASE: ASCII, full-width Latin, Greek,
//    Cyrillic and the small Roman numerals.
// Combined, widening comes first and narrowing last, so "ｶﾞ" with
// LCMAP_FULLWIDTH | LCMAP_HIRAGANA gives "が" and "が" with
// LCMAP_HALFWIDTH | LCMAP_KATAKANA gives "ｶﾞ".
// The result has no length limit. Throws cp932::TextEncodingError for text
// that is not valid UTF-8 or not representable in CP932, and
// std::invalid_argument for flags outside the six, no flag, or both flags of
// a pair.
std::string LCMapStr(std::uint32_t flags, std::string_view text);
