#include "controls/Base64Coder.h"

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

unsigned SixBits(char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned>(c - 'A');
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned>(c - 'a' + 26);
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0' + 52);
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return 0;
}

}  // namespace

void TxPzConv::Base64Encode(const std::string& text, std::string& result) const
{
    std::string out;
    out.reserve((text.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= text.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(text[i]) << 16 | static_cast<unsigned char>(text[i + 1]) << 8 |
                           static_cast<unsigned char>(text[i + 2]);
        out += Alphabet[v >> 18 & 63];
        out += Alphabet[v >> 12 & 63];
        out += Alphabet[v >> 6 & 63];
        out += Alphabet[v & 63];
    }
    const std::size_t rest = text.size() - i;
    if (rest == 1) {
        const unsigned v = static_cast<unsigned char>(text[i]) << 16;
        out += Alphabet[v >> 18 & 63];
        out += Alphabet[v >> 12 & 63];
        out += "==";
    } else if (rest == 2) {
        const unsigned v = static_cast<unsigned char>(text[i]) << 16 | static_cast<unsigned char>(text[i + 1]) << 8;
        out += Alphabet[v >> 18 & 63];
        out += Alphabet[v >> 12 & 63];
        out += Alphabet[v >> 6 & 63];
        out += '=';
    }
    result = std::move(out);
}

void TxPzConv::Base64Decode(const std::string& text, std::string& result) const
{
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i + 4 <= text.size(); i += 4) {
        const unsigned v =
            SixBits(text[i]) << 18 | SixBits(text[i + 1]) << 12 | SixBits(text[i + 2]) << 6 | SixBits(text[i + 3]);
        out += static_cast<char>(v >> 16 & 0xFF);
        if (const char second = static_cast<char>(v >> 8 & 0xFF); second != 0)
            out += second;
        if (const char third = static_cast<char>(v & 0xFF); third != 0)
            out += third;
    }
    result = std::move(out);
}
