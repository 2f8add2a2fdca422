#include "foundation/LCMapStr.h"

#include "platform/Cp932.h"

#include <array>
#include <stdexcept>

namespace {

// Full-width counterparts of the half-width katakana block U+FF61..U+FF9F.
constexpr char32_t kHalfKanaFirst = 0xFF61;
constexpr std::array<char32_t, 63> kHalfKanaToFull = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB,  // ｡｢｣､･
    0x30F2,                                  // ｦ
    0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,  // ｧｨｩｪｫ
    0x30E3, 0x30E5, 0x30E7, 0x30C3,          // ｬｭｮｯ
    0x30FC,                                  // ｰ
    0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA,  // ｱｲｳｴｵ
    0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,  // ｶｷｸｹｺ
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD,  // ｻｼｽｾｿ
    0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8,  // ﾀﾁﾂﾃﾄ
    0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE,  // ﾅﾆﾇﾈﾉ
    0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB,  // ﾊﾋﾌﾍﾎ
    0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2,  // ﾏﾐﾑﾒﾓ
    0x30E4, 0x30E6, 0x30E8,                  // ﾔﾕﾖ
    0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED,  // ﾗﾘﾙﾚﾛ
    0x30EF, 0x30F3,                          // ﾜﾝ
    0x309B, 0x309C,                          // ﾞﾟ
};
constexpr char32_t kHalfVoicedMark = 0xFF9E;      // ﾞ
constexpr char32_t kHalfSemiVoicedMark = 0xFF9F;  // ﾟ
constexpr char32_t kHalfU = 0xFF73;               // ｳ
constexpr char32_t kFullVu = 0x30F4;              // ヴ

bool IsHalfKana(char32_t c)
{
    return c >= kHalfKanaFirst && c < kHalfKanaFirst + kHalfKanaToFull.size();
}

// ｶ..ﾄ and ﾊ..ﾎ: their full-width letter + 1 is the voiced letter.
bool TakesVoicedMark(char32_t half)
{
    return (half >= 0xFF76 && half <= 0xFF84) || (half >= 0xFF8A && half <= 0xFF8E);
}
// ﾊ..ﾎ: their full-width letter + 2 is the semi-voiced letter.
bool TakesSemiVoicedMark(char32_t half)
{
    return half >= 0xFF8A && half <= 0xFF8E;
}

// Half-width counterpart of a full-width character from the kana table, or 0.
char32_t HalfOf(char32_t full)
{
    for (std::size_t i = 0; i < kHalfKanaToFull.size(); ++i)
        if (kHalfKanaToFull[i] == full)
            return kHalfKanaFirst + static_cast<char32_t>(i);
    return 0;
}

std::u32string Widen(const std::u32string& in)
{
    std::u32string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char32_t c = in[i];
        if (c == 0x20) {
            out.push_back(0x3000);
        } else if (c >= 0x21 && c <= 0x7E) {
            out.push_back(c + 0xFEE0);
        } else if (IsHalfKana(c)) {
            const char32_t full = kHalfKanaToFull[c - kHalfKanaFirst];
            const char32_t next = i + 1 < in.size() ? in[i + 1] : 0;
            if (next == kHalfVoicedMark && c == kHalfU) {
                out.push_back(kFullVu);
                ++i;
            } else if (next == kHalfVoicedMark && TakesVoicedMark(c)) {
                out.push_back(full + 1);
                ++i;
            } else if (next == kHalfSemiVoicedMark && TakesSemiVoicedMark(c)) {
                out.push_back(full + 2);
                ++i;
            } else {
                out.push_back(full);
            }
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::u32string Narrow(const std::u32string& in)
{
    std::u32string out;
    out.reserve(in.size());
    for (const char32_t c : in) {
        if (c == 0x3000) {
            out.push_back(0x20);
        } else if (c >= 0xFF01 && c <= 0xFF5E) {
            out.push_back(c - 0xFEE0);
        } else if (c == kFullVu) {
            out.push_back(kHalfU);
            out.push_back(kHalfVoicedMark);
        } else if (c >= 0x3000 && c <= 0x30FF) {
            if (const char32_t half = HalfOf(c)) {
                out.push_back(half);
            } else if (const char32_t base = HalfOf(c - 1); base && TakesVoicedMark(base)) {
                out.push_back(base);
                out.push_back(kHalfVoicedMark);
            } else if (const char32_t base2 = HalfOf(c - 2); base2 && TakesSemiVoicedMark(base2)) {
                out.push_back(base2);
                out.push_back(kHalfSemiVoicedMark);
            } else {
                out.push_back(c);
            }
        } else {
            out.push_back(c);
        }
    }
    return out;
}

// Hiragana ぁ..ん and the iteration marks ゝゞ sit 0x60 below their katakana.
// ヴヵヶ have no hiragana in CP932 and are not touched.
char32_t ToKatakana(char32_t c)
{
    if ((c >= 0x3041 && c <= 0x3093) || c == 0x309D || c == 0x309E)
        return c + 0x60;
    return c;
}
char32_t ToHiragana(char32_t c)
{
    if ((c >= 0x30A1 && c <= 0x30F3) || c == 0x30FD || c == 0x30FE)
        return c - 0x60;
    return c;
}

// The cased letters CP932 holds: ASCII, full-width Latin, Greek (without the
// final sigma, which CP932 lacks), Cyrillic and the Roman numerals.
char32_t ToUpper(char32_t c)
{
    if ((c >= U'a' && c <= U'z') || (c >= 0xFF41 && c <= 0xFF5A) || (c >= 0x03B1 && c <= 0x03C9 && c != 0x03C2) ||
        (c >= 0x0430 && c <= 0x044F))
        return c - 0x20;
    if (c == 0x0451)
        return 0x0401;
    if (c >= 0x2170 && c <= 0x2179)
        return c - 0x10;
    return c;
}
char32_t ToLower(char32_t c)
{
    if ((c >= U'A' && c <= U'Z') || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) ||
        (c >= 0x0410 && c <= 0x042F))
        return c + 0x20;
    if (c == 0x0401)
        return 0x0451;
    if (c >= 0x2160 && c <= 0x2169)
        return c + 0x10;
    return c;
}

// The text has just come out of the CP932 converter, so it is valid UTF-8.
std::u32string Decode(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t len = 1;
        char32_t c = b;
        if (b >= 0xF0) {
            len = 4;
            c = b & 0x07;
        } else if (b >= 0xE0) {
            len = 3;
            c = b & 0x0F;
        } else if (b >= 0xC0) {
            len = 2;
            c = b & 0x1F;
        }
        for (std::size_t k = 1; k < len && i + k < s.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(c);
        i += len;
    }
    return out;
}

std::string Encode(const std::u32string& in)
{
    std::string out;
    out.reserve(in.size() * 3);
    for (const char32_t c : in) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

void CheckFlags(std::uint32_t flags)
{
    constexpr std::uint32_t known =
        LCMAP_LOWERCASE | LCMAP_UPPERCASE | LCMAP_HIRAGANA | LCMAP_KATAKANA | LCMAP_HALFWIDTH | LCMAP_FULLWIDTH;
    if (flags == 0 || (flags & ~known) != 0)
        throw std::invalid_argument("LCMapStr: unsupported mapping flags " + std::to_string(flags));
    const auto both = [flags](std::uint32_t a, std::uint32_t b) { return (flags & a) && (flags & b); };
    if (both(LCMAP_LOWERCASE, LCMAP_UPPERCASE) || both(LCMAP_HIRAGANA, LCMAP_KATAKANA) ||
        both(LCMAP_HALFWIDTH, LCMAP_FULLWIDTH))
        throw std::invalid_argument("LCMapStr: contradictory mapping flags " + std::to_string(flags));
}

}  // namespace

std::string LCMapStr(std::uint32_t flags, std::string_view text)
{
    CheckFlags(flags);
    // Through CP932 and back: this rejects what CP932 cannot hold and gives
    // every character its one CP932 reading ("¥" is the byte 0x5C, "\").
    std::u32string s = Decode(cp932::ToUtf8(cp932::FromUtf8(text)));

    if (flags & LCMAP_FULLWIDTH)
        s = Widen(s);
    if (flags & LCMAP_KATAKANA)
        for (char32_t& c : s)
            c = ToKatakana(c);
    if (flags & LCMAP_HIRAGANA)
        for (char32_t& c : s)
            c = ToHiragana(c);
    if (flags & LCMAP_UPPERCASE)
        for (char32_t& c : s)
            c = ToUpper(c);
    if (flags & LCMAP_LOWERCASE)
        for (char32_t& c : s)
            c = ToLower(c);
    if (flags & LCMAP_HALFWIDTH)
        s = Narrow(s);
    return Encode(s);
}
