#include "controls/Base64Coder.h"

#include <gtest/gtest.h>

namespace {

struct Vector {
    std::string text;
    std::string base64;
};

// The test vectors of RFC 4648, section 10.
const Vector Rfc4648[] = {
    {"", ""},
    {"f", "Zg=="},
    {"fo", "Zm8="},
    {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="},
    {"fooba", "Zm9vYmE="},
    {"foobar", "Zm9vYmFy"},
};

TEST(Base64CoderTest, EncodesAndDecodesTheRfc4648Vectors)
{
    const TxPzConv coder;
    for (const auto& v : Rfc4648) {
        std::string encoded = "stale";
        coder.Base64Encode(v.text, encoded);
        EXPECT_EQ(encoded, v.base64) << v.text;
        std::string decoded = "stale";
        coder.Base64Decode(v.base64, decoded);
        EXPECT_EQ(decoded, v.text) << v.base64;
    }
}

TEST(Base64CoderTest, CarriesCp932BytesAndTheWholeAlphabet)
{
    const TxPzConv coder;
    const std::string sjis = "\x8c\xbb\x8b\xe0\x8f\x6f\x94\x5b\x92\xa0";  // 現金出納帳
    std::string encoded, decoded;
    coder.Base64Encode(sjis, encoded);
    EXPECT_EQ(encoded, "jLuL4I9vlFuSoA==");
    coder.Base64Decode(encoded, decoded);
    EXPECT_EQ(decoded, sjis);
    coder.Base64Encode("\xfb\xff\xbf", encoded);
    EXPECT_EQ(encoded, "+/+/");
}

TEST(Base64CoderTest, DecodingServesTextsOnly)
{
    const TxPzConv coder;
    const Vector cases[] = {
        {std::string(1, '\0'), "AA=="},  // a zero first byte of a group is kept
        {"AB", "QQBC"},                  // "A\0B": the zero in second place is lost
        {"A", "QQAA"},                   // "A\0\0"
        {"foo", "Zm9vYg"},               // the incomplete last group is ignored
        {"foo", "Zm9v!"},
        {std::string(1, '\0'), "!!!!"},  // characters outside the alphabet count 0
    };
    for (const auto& c : cases) {
        std::string decoded;
        coder.Base64Decode(c.base64, decoded);
        EXPECT_EQ(decoded, c.text) << c.base64;
    }
}

}  // namespace
