#include "foundation/LCMapStr.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct MapCase {
    const char* name;
    std::uint32_t flags;
    std::string text;
    std::string mapped;
};

void PrintTo(const MapCase& c, std::ostream* os)
{
    *os << c.name;
}

class LCMapStrCases : public ::testing::TestWithParam<MapCase> {};

TEST_P(LCMapStrCases, Maps)
{
    const MapCase& c = GetParam();
    EXPECT_EQ(LCMapStr(c.flags, c.text), c.mapped);
}

const std::string kHalfKana = "｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
const std::string kFullKana =
    "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

INSTANTIATE_TEST_SUITE_P(
    Width, LCMapStrCases,
    ::testing::Values(MapCase{"ASCII widens", LCMAP_FULLWIDTH, "Ab1 !~", "Ａｂ１　！～"},
                      MapCase{"backslash and quotes widen", LCMAP_FULLWIDTH, "\\\"'", "＼＂＇"},
                      // "¥" has no byte of its own in Shift-JIS: it is 0x5C, read as "\".
                      MapCase{"yen sign reads as the byte 0x5C", LCMAP_FULLWIDTH, "¥", "＼"},
                      MapCase{"half-width katakana and signs widen", LCMAP_FULLWIDTH, kHalfKana, kFullKana},
                      MapCase{"voiced marks join their letter", LCMAP_FULLWIDTH, "ｶﾞｻﾞﾀﾞﾊﾞﾊﾟﾎﾟｳﾞ", "ガザダバパポヴ"},
                      MapCase{"marks that cannot join stay marks", LCMAP_FULLWIDTH, "ｱﾞｶﾟﾞﾟ", "ア゛カ゜゛゜"},
                      MapCase{"full-width text stays", LCMAP_FULLWIDTH, "日本語ガ①㈱", "日本語ガ①㈱"},
                      MapCase{"full-width signs without a half form stay", LCMAP_HALFWIDTH, "￥￣￢", "￥￣￢"},
                      MapCase{"full-width ASCII narrows", LCMAP_HALFWIDTH, "Ａｂ１　！～＼", "Ab1 !~\\"},
                      MapCase{"katakana narrows", LCMAP_HALFWIDTH, kFullKana, kHalfKana},
                      MapCase{"voiced katakana splits", LCMAP_HALFWIDTH, "ガザダバパポヴ", "ｶﾞｻﾞﾀﾞﾊﾞﾊﾟﾎﾟｳﾞ"},
                      MapCase{"no half-width form, no change", LCMAP_HALFWIDTH, "ヮヰヱヵヶあ漢", "ヮヰヱヵヶあ漢"},
                      MapCase{"text beyond 255 bytes is mapped whole", LCMAP_FULLWIDTH, std::string(300, 'a'), [] {
                                  std::string s;
                                  for (int i = 0; i < 300; ++i)
                                      s += "ａ";
                                  return s;
                              }()}));

INSTANTIATE_TEST_SUITE_P(
    KanaAndCase, LCMapStrCases,
    ::testing::Values(MapCase{"hiragana to katakana", LCMAP_KATAKANA, "ぁがっこうゝゞを・ん", "ァガッコウヽヾヲ・ン"},
                      MapCase{"katakana to hiragana", LCMAP_HIRAGANA, "ァガッコウヽヾヲン", "ぁがっこうゝゞをん"},
                      MapCase{"katakana without hiragana stays", LCMAP_HIRAGANA, "ヴヵヶ", "ヴヵヶ"},
                      MapCase{"half-width katakana is not kana-mapped", LCMAP_HIRAGANA, "ｶﾞ", "ｶﾞ"},
                      MapCase{"widen first, then hiragana", LCMAP_FULLWIDTH | LCMAP_HIRAGANA, "ｶﾞｯｺｳ", "がっこう"},
                      MapCase{"katakana first, then narrow", LCMAP_HALFWIDTH | LCMAP_KATAKANA, "がっこう", "ｶﾞｯｺｳ"},
                      MapCase{"upper case", LCMAP_UPPERCASE, "abzＡａｚαωжёⅰⅹ", "ABZＡＡＺΑΩЖЁⅠⅩ"},
                      MapCase{"lower case", LCMAP_LOWERCASE, "ABZａＡＺΑΩЖЁⅠⅩ", "abzａａｚαωжёⅰⅹ"},
                      MapCase{"widen and upper case", LCMAP_FULLWIDTH | LCMAP_UPPERCASE, "ab ｶ", "ＡＢ　カ"},
                      MapCase{"lower case and narrow", LCMAP_HALFWIDTH | LCMAP_LOWERCASE, "ＡＢ　カ", "ab ｶ"}));

TEST(LCMapStr, RejectsBadFlags)
{
    EXPECT_THROW(LCMapStr(0, "a"), std::invalid_argument);
    EXPECT_THROW(LCMapStr(0x00000400, "a"), std::invalid_argument);  // sort key: not a mapping
    EXPECT_THROW(LCMapStr(LCMAP_FULLWIDTH | LCMAP_HALFWIDTH, "a"), std::invalid_argument);
    EXPECT_THROW(LCMapStr(LCMAP_HIRAGANA | LCMAP_KATAKANA, "a"), std::invalid_argument);
    EXPECT_THROW(LCMapStr(LCMAP_UPPERCASE | LCMAP_LOWERCASE, "a"), std::invalid_argument);
}

TEST(LCMapStr, RejectsTextOutsideShiftJis)
{
    EXPECT_THROW(LCMapStr(LCMAP_FULLWIDTH, "a\xF0\x9F\x98\x80"), cp932::TextEncodingError);
    EXPECT_THROW(LCMapStr(LCMAP_FULLWIDTH, "\xC3"), cp932::TextEncodingError);
}

// Every character of CP932, under every combination of flags, maps to text
// that CP932 holds in its one reading: the tables never produce a character
// that could not be stored.
TEST(LCMapStr, EveryShiftJisCharacterMapsToShiftJis)
{
    std::string all;
    for (int b = 0x20; b <= 0xDF; ++b)
        if (b <= 0x7E || b >= 0xA1)
            all += cp932::ToUtf8(std::string(1, static_cast<char>(b)));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!cp932::IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!cp932::IsTrailByte(static_cast<unsigned char>(trail)))
                continue;
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            try {
                all += cp932::ToUtf8(pair);
            } catch (const cp932::TextEncodingError&) {
                // an unassigned code
            }
        }
    }
    ASSERT_GT(all.size(), 7000u * 3);

    const std::uint32_t widths[] = {0, LCMAP_FULLWIDTH, LCMAP_HALFWIDTH};
    const std::uint32_t kanas[] = {0, LCMAP_HIRAGANA, LCMAP_KATAKANA};
    const std::uint32_t cases[] = {0, LCMAP_UPPERCASE, LCMAP_LOWERCASE};
    for (const auto w : widths)
        for (const auto k : kanas)
            for (const auto c : cases) {
                const std::uint32_t flags = w | k | c;
                if (flags == 0)
                    continue;
                const std::string mapped = LCMapStr(flags, all);
                std::string back;
                ASSERT_NO_THROW(back = cp932::ToUtf8(cp932::FromUtf8(mapped))) << "flags " << flags;
                EXPECT_EQ(back, mapped) << "flags " << flags;
            }
}

// Narrowing and widening again gives back every full-width character that
// has a half-width form, voiced letters included.
TEST(LCMapStr, NarrowThenWidenRoundTrips)
{
    const std::string text =
        "ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトドナニヌネノ"
        "ハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロワヲンヴー。「」、・゛゜　ＡＺａｚ０９";
    EXPECT_EQ(LCMapStr(LCMAP_FULLWIDTH, LCMapStr(LCMAP_HALFWIDTH, text)), text);
}

}  // namespace
