#include "controls/InputRules.h"

#include <gtest/gtest.h>

#include "platform/Cp932.h"

namespace {

TEST(InputRulesTest, KeyFiltersLetThroughTheirCharacters)
{
    struct Row {
        int filter;
        const char32_t* passes;
        const char32_t* refused;
    };
    const Row rows[] = {
        {10, U"0189-.\b\r", U"aZ+ ,あ"}, {20, U"aAzZ\b\r", U"09-. あＡ"},
        {30, U"09aZ\b\r", U"-. _あ"},    {40, U"aZ09-. _あＡ①\b\r\x1b", U"\"*,/:;<>?\\|"},
        {0, U"\"*<|aあ", U""},           {99, U"\"*<|aあ", U""},
    };
    for (const auto& row : rows) {
        for (const char32_t* c = row.passes; *c; ++c)
            EXPECT_TRUE(InputCharPasses(row.filter, *c)) << row.filter << " U+" << std::hex << std::uint32_t(*c);
        for (const char32_t* c = row.refused; *c; ++c)
            EXPECT_FALSE(InputCharPasses(row.filter, *c)) << row.filter << " U+" << std::hex << std::uint32_t(*c);
    }
}

TEST(InputRulesTest, InsertionsAreCutToTheByteLimit)
{
    struct Row {
        const char* before;
        const char* after;
        std::size_t max;
        const char* result;
        const char* head;  // the text before the cursor
    };
    const Row rows[] = {
        {"abcdefg", "abcdefgh", 8, "abcdefgh", "abcdefgh"},
        {"abcdefgh", "abcdefghi", 8, "abcdefgh", "abcdefgh"},
        {"abcdef", "abcdefあ", 8, "abcdefあ", "abcdefあ"},
        {"abcdefg", "abcdefgあ", 8, "abcdefg", "abcdefg"},            // no half character
        {"", "あいうえおか", 8, "あいうえ", "あいうえ"},              // a commit cut to fit
        {"ab", "aｱｲｳb", 4, "aｱｲb", "aｱｲ"},                            // half-width kana count one byte
        {"abcd", "abXYcd", 5, "abXcd", "abX"},                        // inserted in the middle
        {"abcdefghij", "abcdefghij", 8, "abcdefghij", "abcdefghij"},  // old text is never cut
        {"abcdefghij", "abcdefghiXj", 8, "abcdefghij", "abcdefghi"},
        {"ab", "abcdefghijkl", 0, "abcdefghijkl", "abcdefghijkl"},
        {"abc", "aXc", 3, "aXc", "aX"},  // a replacement
        {"abc", "ac", 2, "ac", "a"},     // a deletion
    };
    for (const auto& row : rows) {
        std::size_t cursor = 99;
        EXPECT_EQ(LimitInsertion(row.before, row.after, row.max, cursor), row.result) << row.after;
        EXPECT_EQ(std::string(row.result).substr(0, cursor), row.head) << row.after;
    }
}

TEST(InputRulesTest, TextThatCp932CannotHoldIsRefused)
{
    std::size_t cursor = 0;
    EXPECT_THROW(LimitInsertion("ab", "ab\xF0\x9F\x98\x80", 8, cursor), cp932::TextEncodingError);
}

}  // namespace
