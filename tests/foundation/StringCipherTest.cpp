#include "foundation/StringCipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace {

// Two output buffers inside larger blocks filled with a guard byte, so that a
// write past either buffer shows.
class CipherCall {
public:
    static constexpr std::size_t GuardSize = 64;
    static constexpr char Guard = '\x5A';

    CipherCall()
    {
        first_.fill(Guard);
        second_.fill(Guard);
    }

    int Run(std::string_view text, std::string_view mode)
    {
        return StringCipher(text, mode, std::span<char, StringCipherBufferSize>(first_.data(), StringCipherBufferSize),
                            std::span<char, StringCipherBufferSize>(second_.data(), StringCipherBufferSize));
    }

    std::string Result() const { return std::string(first_.data()); }
    std::string Detail() const { return std::string(second_.data()); }

    // Both buffers zero from their text's end to byte 255, guards untouched.
    void ExpectWellFormed() const
    {
        for (const auto* block : {&first_, &second_}) {
            const std::size_t len = std::strlen(block->data());
            ASSERT_LT(len, StringCipherBufferSize);
            EXPECT_TRUE(std::all_of(block->begin() + static_cast<long>(len), block->begin() + StringCipherBufferSize,
                                    [](char c) { return c == '\0'; }));
            EXPECT_TRUE(std::all_of(block->begin() + StringCipherBufferSize, block->end(), [](char c) {
                return c == Guard;
            })) << "written past the 256-byte buffer";
        }
    }

private:
    std::array<char, StringCipherBufferSize + GuardSize> first_{};
    std::array<char, StringCipherBufferSize + GuardSize> second_{};
};

std::string Encode(std::string_view text)
{
    CipherCall call;
    EXPECT_EQ(call.Run(text, StringCipherEncodeMode), 1) << call.Detail();
    return call.Result();
}

TEST(StringCipher, RoundTripsTextsUpToTheLimit)
{
    const std::string longest(StringCipherMaxPlainBytes, 'x');
    for (const std::string& text : {std::string(), std::string("a"), std::string("Pass1234"),
                                    std::string("マイナンバー管理 パスワード"), longest}) {
        CipherCall encode;
        ASSERT_EQ(encode.Run(text, StringCipherEncodeMode), 1) << encode.Detail();
        encode.ExpectWellFormed();
        EXPECT_EQ(encode.Detail(), "");
        const std::string coded = encode.Result();
        EXPECT_TRUE(std::all_of(coded.begin(), coded.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
        })) << coded;

        CipherCall decode;
        ASSERT_EQ(decode.Run(coded, StringCipherDecodeMode), 1) << decode.Detail();
        decode.ExpectWellFormed();
        EXPECT_EQ(decode.Result(), text);
    }
    // The longest text fills the buffer to its last byte before the zero.
    EXPECT_EQ(Encode(longest).size(), StringCipherBufferSize - 1);
}

TEST(StringCipher, SameTextEncodesDifferentlyEachTime)
{
    EXPECT_NE(Encode("Pass1234"), Encode("Pass1234"));
}

TEST(StringCipher, AcceptsBlanksAroundACodedText)
{
    CipherCall call;
    ASSERT_EQ(call.Run(" \t" + Encode("abc") + "\r\n ", StringCipherDecodeMode), 1) << call.Detail();
    EXPECT_EQ(call.Result(), "abc");
}

TEST(StringCipher, RejectsEveryAlteredCharacter)
{
    // Each position covers another part: format byte, nonce, cipher text, tag,
    // and the last character's unused bits.
    const std::string coded = Encode("Pass1234");
    for (std::size_t i = 0; i < coded.size(); ++i) {
        std::string altered = coded;
        altered[i] = altered[i] == 'A' ? 'B' : 'A';
        CipherCall call;
        EXPECT_NE(call.Run(altered, StringCipherDecodeMode), 1) << "position " << i;
        EXPECT_EQ(call.Result(), "") << "position " << i;
        EXPECT_NE(call.Detail(), "") << "position " << i;
        call.ExpectWellFormed();
    }
}

struct RefusedCase {
    const char* name;
    std::string text;
    std::string_view mode;
};

void PrintTo(const RefusedCase& c, std::ostream* os)
{
    *os << c.name;
}

class StringCipherRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(StringCipherRefused, LeavesAnEmptyResultAndAReason)
{
    const RefusedCase& c = GetParam();
    CipherCall call;
    EXPECT_NE(call.Run(c.text, c.mode), 1);
    call.ExpectWellFormed();
    EXPECT_EQ(call.Result(), "");
    EXPECT_NE(call.Detail(), "");
}

// A coded text made while the cases are built (before any test runs, so
// without assertions; the round-trip test covers encoding itself).
std::string MakeSample()
{
    std::array<char, StringCipherBufferSize> first{};
    std::array<char, StringCipherBufferSize> second{};
    StringCipher("Pass1234", StringCipherEncodeMode, first, second);
    return std::string(first.data());
}
const std::string Sample = MakeSample();

INSTANTIATE_TEST_SUITE_P(
    Cases, StringCipherRefused,
    ::testing::Values(RefusedCase{"text one byte too long", std::string(StringCipherMaxPlainBytes + 1, 'x'),
                                  StringCipherEncodeMode},
                      RefusedCase{"very long text", std::string(5000, 'x'), StringCipherEncodeMode},
                      RefusedCase{"text with a zero byte", std::string("ab\0cd", 5), StringCipherEncodeMode},
                      RefusedCase{"unknown mode", "Pass1234", "162"}, RefusedCase{"empty mode", "Pass1234", ""},
                      RefusedCase{"plain text given to decode", "Pass1234", StringCipherDecodeMode},
                      RefusedCase{"empty coded text", "", StringCipherDecodeMode},
                      RefusedCase{"standard base64 padding", Sample + "=", StringCipherDecodeMode},
                      RefusedCase{"standard base64 alphabet", "+/" + Sample.substr(2), StringCipherDecodeMode},
                      RefusedCase{"cut short", Sample.substr(0, Sample.size() - 4), StringCipherDecodeMode},
                      RefusedCase{"too short to hold a tag", Sample.substr(0, 30), StringCipherDecodeMode},
                      RefusedCase{"two texts run together", Sample + Sample, StringCipherDecodeMode},
                      RefusedCase{"coded text far too long", std::string(4000, 'A'), StringCipherDecodeMode},
                      // Well-formed base64url of the right size, but not coded under our key.
                      RefusedCase{"foreign coded text", "AQAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA",
                                  StringCipherDecodeMode}));

TEST(StringCipher, ClearsBuffersAFailedCallFindsDirty)
{
    std::array<char, StringCipherBufferSize> first{};
    std::array<char, StringCipherBufferSize> second{};
    first.fill('x');
    second.fill('y');
    EXPECT_EQ(StringCipher("broken", StringCipherDecodeMode, first, second), 0);
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](char c) { return c == '\0'; }));
    EXPECT_EQ(second.back(), '\0');
}

}  // namespace
