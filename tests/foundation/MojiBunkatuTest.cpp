#include "foundation/MojiBunkatu.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct MojiCase {
    const char* name;
    std::uint8_t kind;
    char delimiter;
    std::string text;
    std::vector<std::string> items;
};

void PrintTo(const MojiCase& c, std::ostream* os)
{
    *os << c.name << " (kind " << int(c.kind) << ")";
}

class SplitMoji : public ::testing::TestWithParam<MojiCase> {};

TEST_P(SplitMoji, GivesTheItems)
{
    const MojiCase& c = GetParam();
    TMojiBunkatu moji;
    moji.Kind = c.kind;
    moji.Delimiter = c.delimiter;
    moji.SplitMoji(c.text);
    EXPECT_EQ(moji.Items(), c.items);
    EXPECT_EQ(moji.Count(), static_cast<int>(c.items.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Kind0, SplitMoji,
    ::testing::Values(MojiCase{"empty text gives one empty item", 0, ',', "", {""}},
                      MojiCase{"blanks only give one empty item", 0, ',', " \t ", {""}},
                      MojiCase{"blank splits an unquoted item", 0, ',', "a b,c", {"a", "b", "c"}},
                      MojiCase{"blanks around items are skipped", 0, ',', "  a ,  b  ", {"a", "b"}},
                      MojiCase{"two delimiters give an empty item", 0, ',', "a,,b", {"a", "", "b"}},
                      MojiCase{"delimiter at the end adds an empty item", 0, ',', "a,b,", {"a", "b", ""}},
                      MojiCase{"delimiter and blank at the end add nothing", 0, ',', "a, ", {"a"}},
                      MojiCase{"quoted item keeps blanks and delimiters", 0, ',', "\"a b,c\",d", {"a b,c", "d"}},
                      MojiCase{"doubled quote stands for one", 0, ',', "\"x\"\"y\"", {"x\"y"}},
                      MojiCase{"text after a closing quote is a new item", 0, ',', "\"ab\"cd,e", {"ab", "cd", "e"}},
                      MojiCase{"unclosed quote keeps the whole rest", 0, ',', "a,\"bc d", {"a", "bc d"}},
                      MojiCase{"full-width text", 0, ',', "株式会社,ｶﾌﾞｼｷ", {"株式会社", "ｶﾌﾞｼｷ"}},
                      // 表 and ソ end in the byte 0x5C in Shift-JIS, the code of "\".
                      MojiCase{
                          "trail byte equal to the delimiter", 0, '\\', "ＤＡＴＡ\\表\\ソ", {"ＤＡＴＡ", "表", "ソ"}},
                      MojiCase{"version text", 0, '.', "12.0.1", {"12", "0", "1"}}));

INSTANTIATE_TEST_SUITE_P(
    Kind1, SplitMoji,
    ::testing::Values(MojiCase{"empty text gives one empty item", 1, ',', "", {""}},
                      MojiCase{"blank does not split, items are trimmed", 1, ',', " a b , c ", {"a b", "c"}},
                      MojiCase{"delimiter at the end adds an empty item", 1, ',', "a,b,", {"a", "b", ""}},
                      MojiCase{"two delimiters give an empty item", 1, ',', "a,,b", {"a", "", "b"}},
                      MojiCase{"quoted item keeps delimiters", 1, ',', "\"a,b\",\"c\"\"d\"", {"a,b", "c\"d"}},
                      MojiCase{"trail byte equal to the delimiter", 1, '\\', "表 \\ ソ", {"表", "ソ"}}));

TEST(MojiBunkatu, ItemOutsideTheRangeIsEmpty)
{
    TMojiBunkatu moji;
    EXPECT_EQ(moji.Count(), 0);
    EXPECT_EQ(moji.GetMojiItem(0), "");
    moji.SplitMoji("a,b");
    EXPECT_EQ(moji.GetMojiItem(0), "a");
    EXPECT_EQ(moji.GetMojiItem(1), "b");
    EXPECT_EQ(moji.GetMojiItem(2), "");
    EXPECT_EQ(moji.GetMojiItem(-1), "");
    moji.Clear();
    EXPECT_EQ(moji.Count(), 0);
}

TEST(MojiBunkatu, NewSplitReplacesTheItems)
{
    TMojiBunkatu moji;
    moji.SplitMoji("a,b,c");
    moji.SplitMoji("x");
    EXPECT_EQ(moji.Items(), std::vector<std::string>{"x"});
}

TEST(MojiBunkatu, RejectsANonAsciiDelimiter)
{
    TMojiBunkatu moji;
    moji.SplitMoji("a,b");
    moji.Delimiter = '\x81';
    EXPECT_THROW(moji.SplitMoji("a"), std::invalid_argument);
    EXPECT_EQ(moji.Count(), 2);
}

}  // namespace
