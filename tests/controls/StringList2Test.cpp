#include "controls/StringList2.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct SplitCase {
    const char* name;
    std::string text;
    char delimiter;
    bool trim;
    std::vector<std::string> items;
};

void PrintTo(const SplitCase& c, std::ostream* os)
{
    *os << c.name;
}

class StrictSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(StrictSplit, GivesTheItems)
{
    const SplitCase& c = GetParam();
    TStringList2 list;
    list.Delimiter = c.delimiter;
    list.TrimItems = c.trim;
    list.SplitDelimitedText(c.text);
    EXPECT_EQ(list.Items(), c.items);
    EXPECT_EQ(list.Count(), static_cast<int>(c.items.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrictSplit,
    ::testing::Values(
        SplitCase{"blank does not split", "a b,c", ',', false, {"a b", "c"}},
        SplitCase{"two delimiters give an empty item", "a,,b", ',', false, {"a", "", "b"}},
        SplitCase{"delimiter at the end adds an empty item", "a,b,", ',', false, {"a", "b", ""}},
        SplitCase{"delimiter alone", ",", ',', false, {"", ""}},
        SplitCase{"quoted item keeps delimiter and doubled quote", "\"x,\"\"y\"\"\",z", ',', false, {"x,\"y\"", "z"}},
        SplitCase{"empty quoted item", "\"\",a", ',', false, {"", "a"}},
        SplitCase{"unclosed quote keeps the whole rest", "a,\"b,c", ',', false, {"a", "b,c"}},
        // 表 and ソ end in the byte 0x5C in Shift-JIS, the code of "\".
        SplitCase{"trail byte equal to the delimiter", "表\\ソ\\予", '\\', false, {"表", "ソ", "予"}},
        SplitCase{"empty text", "", ',', false, {}}, SplitCase{"control characters only", "\r\n\t", ',', false, {}},
        SplitCase{"control characters end an item and are skipped", "\r\na\tb,c\r\n", ',', false, {"a", "b", "c"}},
        SplitCase{"control character after the last delimiter adds nothing", "a,\r\n", ',', false, {"a"}},
        SplitCase{"blanks kept without trimming", " a , b ", ',', false, {" a ", " b "}},
        SplitCase{"trimmed items", " a , b ,  ", ',', true, {"a", "b", ""}},
        SplitCase{"trimming a quoted item", "\" a,b \" ,c", ',', true, {"a,b", "", "c"}},
        SplitCase{"other delimiter", "1.0.2", '.', false, {"1", "0", "2"}}));

TEST(StringList2, ReplacesEarlierItems)
{
    TStringList2 list;
    list.Add("old");
    list.SplitDelimitedText("a");
    EXPECT_EQ(list.Items(), std::vector<std::string>{"a"});
    list.SplitDelimitedText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringList2, QuotedCommaTextResetsDelimiterAndQuote)
{
    TStringList2 list;
    list.Delimiter = ';';
    list.QuoteChar = '\'';
    list.SetQuotedCommaText("\"a;b\",c");
    EXPECT_EQ(list.Delimiter, ',');
    EXPECT_EQ(list.QuoteChar, '"');
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a;b", "c"}));
}

TEST(StringList2, OwnQuoteCharacter)
{
    TStringList2 list;
    list.QuoteChar = '\'';
    list.SplitDelimitedText("'a,''b',\"c");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a,'b", "\"c"}));
}

TEST(StringList2, RejectsANonAsciiDelimiterAndKeepsItsItems)
{
    TStringList2 list;
    list.Add("kept");
    list.Delimiter = '\x95';
    EXPECT_THROW(list.SplitDelimitedText("a,b"), std::invalid_argument);
    EXPECT_EQ(list.Items(), std::vector<std::string>{"kept"});
}

TEST(StringList2, IndexOutsideTheListThrows)
{
    TStringList2 list;
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(list.Add("b"), 1);
    EXPECT_EQ(list[1], "b");
    list[0] = "z";
    EXPECT_EQ(list.Strings(0), "z");
    EXPECT_THROW(list.Strings(2), std::out_of_range);
    EXPECT_THROW(list[-1], std::out_of_range);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
