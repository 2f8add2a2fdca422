#include "controls/widgets/KanaCapture.h"

#include "foundation/LCMapStr.h"
#include "platform/Cp932.h"

namespace {

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Hiragana, katakana (full and half width) and the long-vowel mark.
bool AllKana(const std::string& utf8)
{
    if (utf8.empty())
        return false;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        if (b < 0xE0 || b >= 0xF0 || i + 2 >= utf8.size())
            return false;
        const char32_t c = ((b & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
        const bool kana = (c >= 0x3041 && c <= 0x30FF) || (c >= 0xFF65 && c <= 0xFF9F);
        if (!kana)
            return false;
        i += 3;
    }
    return true;
}

std::string MapCut(std::uint32_t flags, const std::string& text)
{
    try {
        return cp932::CutBytes(LCMapStr(flags, text), 1024);
    } catch (const std::exception&) {
        // A character the code page lacks cannot be mapped (nor counted in
        // its bytes); the reading is then kept as it came.
        return text;
    }
}

}  // namespace

void TKanaCapture::AppendTyped(char32_t ch)
{
    if (ch >= 32)
        AppendUtf8(text_, ch);
}

void TKanaCapture::AppendComposition(const std::string& lastPreedit, const std::string& committed)
{
    text_ += AllKana(lastPreedit) ? lastPreedit : committed;
}

std::string TKanaCapture::Read(TKanaWidth width)
{
    text_ = MapCut(LCMAP_KATAKANA, text_);
    return width == TKanaWidth::HalfWidth ? MapCut(LCMAP_HALFWIDTH, text_) : text_;
}
