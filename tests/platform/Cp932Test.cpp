#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp932, RoundTripsExtendedCharactersByteForByte)
{
    // ① and ㈱ are CP932 extensions; "表" has the trail byte 0x5C; half-width
    // katakana are single bytes.
    const std::string utf8 = "①㈱～表ｱｲｳabc";
    const std::string sjis = cp932::FromUtf8(utf8);
    EXPECT_EQ(sjis,
              "\x87\x40\x87\x8A\x81\x60\x95\x5C\xB1\xB2\xB3"
              "abc");
    EXPECT_EQ(cp932::ToUtf8(sjis), utf8);
}

TEST(Cp932, RejectsWhatCannotBeConverted)
{
    EXPECT_THROW(cp932::FromUtf8("\xF0\x9F\x98\x80"), cp932::TextEncodingError);  // emoji
    EXPECT_THROW(cp932::FromUtf8("\xC3"), cp932::TextEncodingError);              // cut UTF-8
    EXPECT_THROW(cp932::ToUtf8("\x82"), cp932::TextEncodingError);                // lone lead byte
    EXPECT_FALSE(cp932::IsRepresentable("\xF0\x9F\x98\x80"));
    EXPECT_TRUE(cp932::IsRepresentable("日本"));
}

TEST(Cp932, WidthAndCutCountBytes)
{
    EXPECT_EQ(cp932::ByteWidth("あいｱ1"), 6u);
    EXPECT_EQ(cp932::CutBytes("あいう", 3), "あ");
    EXPECT_EQ(cp932::CutBytes("あいう", 4), "あい");
    EXPECT_EQ(cp932::CutBytes("aあ", 2), "a");
    EXPECT_EQ(cp932::CutBytes("abc", 10), "abc");
}

}  // namespace
