#include "foundation/PasswordScramble.h"

#include "foundation/StringCipher.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <utility>

namespace {

TEasyEncodeInfo Info(std::int32_t targetLen, std::int32_t plainLen, std::string key, std::string plain,
                     std::string code = {})
{
    TEasyEncodeInfo info;
    info.TargetLen = targetLen;
    info.PlainLen = plainLen;
    info.Key = std::move(key);
    info.PlainText = std::move(plain);
    info.CodeText = std::move(code);
    return info;
}

// ---------------------------------------------------------------------------
// Known scrambled texts, worked out by hand from the running sum of the key
// bytes (for "quenrab": 113, 230, 331, 441, 555, 652, 750, then 863 with "q"
// again). These are the texts the accounting package stores, so they must
// match byte for byte in both directions.

struct KnownCase {
    const char* name;
    std::int32_t targetLen;
    std::int32_t plainLen;
    std::string key;
    std::string plain;
    std::string code;
    std::string decoded;  // what unscrambling the code with plainLen gives back
};

void PrintTo(const KnownCase& c, std::ostream* os)
{
    *os << c.name;
}

class EasyEncodeKnown : public ::testing::TestWithParam<KnownCase> {};

TEST_P(EasyEncodeKnown, ScramblesAndUnscramblesExactly)
{
    const KnownCase& c = GetParam();
    TEasyEncodeInfo info = Info(c.targetLen, c.plainLen, c.key, c.plain);
    ASSERT_EQ(EasyEncode(info), 1);
    EXPECT_EQ(info.CodeText, c.code);

    TEasyEncodeInfo back = Info(c.targetLen, c.plainLen, c.key, "stale", c.code);
    ASSERT_TRUE(EasyDecode(back));
    EXPECT_EQ(back.PlainText, c.decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EasyEncodeKnown,
    ::testing::Values(
        // Position 7 takes "q" again but the sum keeps growing: 863 mod 62 = 57 -> "v", not "p".
        KnownCase{"sum grows across the key repeat", 8, 8, "quenrab", "AAAAAAAA", "piVHx6Gv", "AAAAAAAA"},
        KnownCase{"data password", 8, 8, "quenrab", "Pass1234", "ESNzYy9Z", "Pass1234"},
        KnownCase{"two filler letters dropped again", 10, 8, "quenrab", "Pass1234", "ESNzYy9Zo2", "Pass1234"},
        KnownCase{"short password, no filler", 8, 8, "quenrab", "abc", "ZTx", "abc"},
        KnownCase{"filler runs A..Z then A again", 28, 0, "quenrab", "", "pjXKBbMCwaXOoZPJna1Bc2WAneoZ", ""},
        // The key's CP932 bytes 0x8C 0xAE count unsigned (140, 174).
        KnownCase{"key bytes are unsigned CP932 bytes", 3, 3, "鍵", "zz9", "PDt", "zz9"},
        KnownCase{"empty password", 8, 8, "quenrab", "", "", ""}));

TEST(EasyEncode, EightCharactersGiveEightLettersOrDigits)
{
    TEasyEncodeInfo info = Info(DataPasswordLength, DataPasswordLength, std::string(DataPasswordKey), "zZ09aA5m");
    ASSERT_EQ(EasyEncode(info), 1);
    ASSERT_EQ(info.CodeText.size(), 8u);
    for (const char c : info.CodeText)
        EXPECT_NE(EasyEncodeAlphabet.find(c), std::string_view::npos) << c;
}

TEST(EasyEncode, RoundTripsEveryAlphabetCharacterAtEveryPosition)
{
    // 62 characters cover every index, and 255 positions run the sum far past
    // the alphabet size many times.
    std::string plain;
    for (std::size_t i = 0; i < EasyEncodeMaxBytes; ++i)
        plain += EasyEncodeAlphabet[(i * 7) % 62];
    TEasyEncodeInfo info = Info(0, static_cast<std::int32_t>(plain.size()), "quenrab", plain);
    ASSERT_EQ(EasyEncode(info), 1);
    ASSERT_EQ(info.CodeText.size(), plain.size());
    info.PlainText.clear();
    ASSERT_TRUE(EasyDecode(info));
    EXPECT_EQ(info.PlainText, plain);
}

// ---------------------------------------------------------------------------
// Texts the scrambler cannot keep whole. A scrambled text shortened at such a
// character would read back as a different password, so the call fails and
// leaves no half result.

struct RefusedCase {
    const char* name;
    TEasyEncodeInfo info;
};

void PrintTo(const RefusedCase& c, std::ostream* os)
{
    *os << c.name;
}

class EasyEncodeRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(EasyEncodeRefused, ReturnsZeroAndNoCodeText)
{
    TEasyEncodeInfo info = GetParam().info;
    info.CodeText = "stale";
    EXPECT_EQ(EasyEncode(info), 0);
    EXPECT_EQ(info.CodeText, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, EasyEncodeRefused,
                         ::testing::Values(RefusedCase{"hyphen", Info(8, 8, "quenrab", "ab-cd")},
                                           RefusedCase{"blank", Info(8, 8, "quenrab", "ab cd")},
                                           RefusedCase{"full-width character", Info(8, 8, "quenrab", "abＡ")},
                                           RefusedCase{"empty key", Info(8, 8, "", "abc")},
                                           RefusedCase{"key CP932 cannot hold", Info(8, 8, "\xF0\x9F\x98\x80", "abc")},
                                           RefusedCase{"key of 256 bytes", Info(8, 8, std::string(256, 'k'), "abc")},
                                           RefusedCase{"text of 256 bytes",
                                                       Info(0, 0, "quenrab", std::string(256, 'a'))},
                                           RefusedCase{"filler beyond 255 bytes", Info(300, 0, "quenrab", "")},
                                           // TargetLen − PlainLen overflows 32 bits.
                                           RefusedCase{"filler length overflowing",
                                                       Info(std::numeric_limits<std::int32_t>::max(),
                                                            std::numeric_limits<std::int32_t>::min(), "quenrab", "")}));

TEST(EasyEncode, AcceptsTheLimitsExactly)
{
    TEasyEncodeInfo info = Info(255, 0, std::string(255, 'k'), "");
    EXPECT_EQ(EasyEncode(info), 1);
    EXPECT_EQ(info.CodeText.size(), 255u);
}

TEST(EasyEncode, NegativeFillerAddsNothing)
{
    TEasyEncodeInfo info = Info(2, 8, "quenrab", "Pass1234");
    ASSERT_EQ(EasyEncode(info), 1);
    EXPECT_EQ(info.CodeText, "ESNzYy9Z");
}

// ---------------------------------------------------------------------------
// Unscrambling

TEST(EasyDecode, StopsAfterPlainLenCharacters)
{
    // "ESNzYy9Zo2" is "Pass1234" with the filler "AB" scrambled behind it.
    struct Case {
        std::int32_t plainLen;
        std::string plain;
    };
    for (const Case& c : {Case{3, "Pas"}, Case{0, ""}, Case{-5, ""}, Case{1000, "Pass1234AB"}}) {
        TEasyEncodeInfo info = Info(0, c.plainLen, "quenrab", "stale", "ESNzYy9Zo2");
        ASSERT_TRUE(EasyDecode(info)) << c.plainLen;
        EXPECT_EQ(info.PlainText, c.plain) << c.plainLen;
    }
}

TEST(EasyDecode, AnotherKeyGivesAWrongTextOfTheSameLength)
{
    TEasyEncodeInfo info = Info(8, 8, "quenrac", "", "ESNzYy9Z");
    ASSERT_TRUE(EasyDecode(info));
    EXPECT_EQ(info.PlainText.size(), 8u);
    EXPECT_NE(info.PlainText, "Pass1234");
}

TEST(EasyDecode, DamagedTextIsRefusedNotShortened)
{
    // Reading "ESN-Yy9Z" up to the "-" would give the password "Pas"; the
    // loader must learn that the stored text is damaged instead.
    for (const std::string code : {"ESN-Yy9Z", "ESNzYy9 ", "ESNzＹy9Z", "\tESNzYy9Z"}) {
        TEasyEncodeInfo info = Info(8, 8, "quenrab", "stale", code);
        EXPECT_FALSE(EasyDecode(info)) << code;
        EXPECT_EQ(info.PlainText, "") << code;
    }
}

TEST(EasyDecode, DamageBeyondPlainLenIsNeverRead)
{
    TEasyEncodeInfo info = Info(8, 8, "quenrab", "", "ESNzYy9Z--");
    ASSERT_TRUE(EasyDecode(info));
    EXPECT_EQ(info.PlainText, "Pass1234");
}

TEST(EasyDecode, RefusesWhatItCannotBuffer)
{
    TEasyEncodeInfo longCode = Info(8, 8, "quenrab", "", std::string(256, 'A'));
    EXPECT_FALSE(EasyDecode(longCode));
    TEasyEncodeInfo emptyKey = Info(8, 8, "", "", "ESNzYy9Z");
    EXPECT_FALSE(EasyDecode(emptyKey));
}

TEST(ClearEasyEncodeInfo, KeepsTheKey)
{
    TEasyEncodeInfo info = Info(10, 8, "quenrab", "plain", "code");
    ClearEasyEncodeInfo(info);
    EXPECT_EQ(info.TargetLen, 0);
    EXPECT_EQ(info.PlainLen, 0);
    EXPECT_EQ(info.PlainText, "");
    EXPECT_EQ(info.CodeText, "");
    EXPECT_EQ(info.Key, "quenrab");
}

// ---------------------------------------------------------------------------
// The two cipher calls

TEST(CipherText, RoundTripsThroughTheCipher)
{
    for (const std::string& text : {std::string("abcd1234"), std::string("マイナンバー 管理"), std::string(" x ")}) {
        std::string coded;
        CipherEncodeText(text, DataPasswordKey, static_cast<std::int32_t>(text.size()), coded);
        ASSERT_FALSE(coded.empty()) << text;
        EXPECT_EQ(coded.find(text), std::string::npos) << "the text must not stand in plain sight";
        std::string plain = "stale";
        CipherDecodeText(coded, "", 8, plain);
        EXPECT_EQ(plain, text);
    }
}

TEST(CipherText, BlankTextGivesAnEmptyResultWithoutTheCipher)
{
    // The cipher would encode blanks like any text; an empty result shows the
    // call never reached it.
    for (const char* text : {"", "   ", " \t\r\n"}) {
        std::string result = "stale";
        CipherEncodeText(text, DataPasswordKey, 8, result);
        EXPECT_EQ(result, "");
        result = "stale";
        CipherDecodeText(text, DataPasswordKey, 8, result);
        EXPECT_EQ(result, "");
    }
}

TEST(CipherText, FailureShowsAsAnEmptyResult)
{
    std::string result = "stale";
    CipherDecodeText("not-a-coded-text", DataPasswordKey, 8, result);
    EXPECT_EQ(result, "");

    result = "stale";
    CipherEncodeText(std::string(StringCipherMaxPlainBytes + 1, 'x'), DataPasswordKey, 0, result);
    EXPECT_EQ(result, "");
}

}  // namespace
