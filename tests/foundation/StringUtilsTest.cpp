#include "foundation/StringUtils.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Fixed width

struct WidthCase {
    const char* name;
    std::string text;
    int n;
    std::string result;
};

void PrintTo(const WidthCase& c, std::ostream* os)
{
    *os << c.name;
}

class FixLenStrLCases : public ::testing::TestWithParam<WidthCase> {};

TEST_P(FixLenStrLCases, FillsExactlyNBytes)
{
    const WidthCase& c = GetParam();
    const std::string result = FixLenStrL(c.text, c.n);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(cp932::ByteWidth(result), static_cast<std::size_t>(std::max(c.n, 0)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixLenStrLCases,
    ::testing::Values(WidthCase{"short text padded", "abc", 5, "abc  "}, WidthCase{"long text cut", "abcde", 3, "abc"},
                      WidthCase{"cut between characters", "あいう", 4, "あい"},
                      WidthCase{"byte n is a lead byte", "aあい", 4, "aあ "},
                      WidthCase{"trail byte 0x5C torn off", "表示", 3, "表 "},
                      WidthCase{"half-width katakana count 1", "ｶﾌﾞｼｷ", 3, "ｶﾌﾞ"}, WidthCase{"empty text", "", 2, "  "},
                      WidthCase{"width 0", "abc", 0, ""}, WidthCase{"negative width", "abc", -1, ""},
                      WidthCase{"width beyond 510 still padded", "a", 600, "a" + std::string(599, ' ')}));

class FixLenStrRCases : public ::testing::TestWithParam<WidthCase> {};

TEST_P(FixLenStrRCases, KeepsTheLastNBytes)
{
    const WidthCase& c = GetParam();
    const std::string result = FixLenStrR(c.text, c.n);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(cp932::ByteWidth(result), static_cast<std::size_t>(std::max(c.n, 0)));
}

INSTANTIATE_TEST_SUITE_P(Cases, FixLenStrRCases,
                         ::testing::Values(WidthCase{"short text gets blanks in front", "abc", 5, "  abc"},
                                           WidthCase{"long text keeps its end", "abcde", 3, "cde"},
                                           WidthCase{"two-digit number", "010", 2, "10"},
                                           WidthCase{"one-digit number", "01", 2, "01"},
                                           WidthCase{"cut between characters", "あいう", 4, "いう"},
                                           WidthCase{"torn character becomes a blank", "あいう", 3, " う"},
                                           // 表 is 0x95 0x5C: keeping only 0x5C would turn it into "\".
                                           WidthCase{"torn trail byte 0x5C", "表a", 2, " a"},
                                           WidthCase{"width 0", "abc", 0, ""}));

TEST(FixLenStr, RejectsTextOutsideShiftJis)
{
    EXPECT_THROW(FixLenStrL("a\xF0\x9F\x98\x80", 4), cp932::TextEncodingError);
    EXPECT_THROW(FixLenStrR("\xC3", 4), cp932::TextEncodingError);
    EXPECT_THROW(ZeroPadLeft("\xC3", 4), cp932::TextEncodingError);
}

TEST(RepairSJIS, MendsBrokenDoubleByteCharacters)
{
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"", ""},
        {"abc", "abc"},
        {"\x82\xA0\x95\x5C", "\x82\xA0\x95\x5C"},  // あ表: whole characters
        {"\x82\xA0\x82", "\x82\xA0 "},             // lead byte at the end
        {"\x82", " "},
        {"\x82\x20"
         "a",
         "  a"},  // lead byte before a blank
        {"\x82\x7F"
         "a",
         "  a"},                           // 0x7F is no trail byte
        {"\xB1\x82", "\xB1 "},             // half-width ｱ is no lead byte
        {"\x81\x40\x81", "\x81\x40 "},     // full-width blank, then a torn one
        {"\x82\x82\x82", "\x82\x82 "},     // 0x82 0x82 pair, then a lone lead byte
        {"\xA0\x82\xA0", "\xA0\x82\xA0"},  // 0xA0 is neither lead nor broken
    };
    for (const Case& c : cases)
        EXPECT_EQ(RepairSJIS(c.in), c.out) << "input bytes: " << c.in.size();
}

TEST(SpaceStr, GivesBlanksUpTo510)
{
    EXPECT_EQ(SpaceStr(0), "");
    EXPECT_EQ(SpaceStr(3), "   ");
    EXPECT_EQ(SpaceStr(510), std::string(510, ' '));
    EXPECT_EQ(SpaceStr(511), "");
    EXPECT_EQ(SpaceStr(-1), "");
}

TEST(ZeroPadLeft, PadsWithZerosOrKeepsTheEnd)
{
    EXPECT_EQ(ZeroPadLeft("12", 4), "0012");
    EXPECT_EQ(ZeroPadLeft("12345", 3), "345");
    EXPECT_EQ(ZeroPadLeft("", 2), "00");
    EXPECT_EQ(ZeroPadLeft("12", 0), "");
    EXPECT_EQ(ZeroPadLeft("あい", 3), " い");
    EXPECT_EQ(ZeroPadLeft("7", 300), std::string(299, '0') + "7");
}

// ---------------------------------------------------------------------------
// Blanks and control characters

TEST(TrimZen, TrimsHalfAndFullWidthBlanks)
{
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"　 abc 　", "abc"},
        {"　　abc\t\r\n", "abc"},
        {" 　a　b　 ", "a　b"},
        {"　", ""},
        {"", ""},
        {"abc", "abc"},
        // メ is 0x83 0x81 and "@" 0x40: the last two bytes look like a
        // full-width blank in Shift-JIS but are not one.
        {"メ@", "メ@"},
        {"ａ@　", "ａ@"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrimZen(c.in), c.out) << c.in;
}

TEST(DelSpaceAll, RemovesEveryBlank)
{
    EXPECT_EQ(DelSpaceAll(" a　b c　"), "abc");
    EXPECT_EQ(DelSpaceAll("1234 5678　9012"), "123456789012");
    EXPECT_EQ(DelSpaceAll("表ソ\t"), "表ソ\t");
}

TEST(DelCtrlChars, RemovesTabAndLineBreaks)
{
    EXPECT_EQ(DelCtrlChars("a\tb\r\nc\n"), "abc");
    EXPECT_EQ(DelCtrlChars("a b\x01"), "a b\x01");
}

TEST(ZenUpperCase, RaisesOnlyFullWidthLatinLetters)
{
    EXPECT_EQ(ZenUpperCase("ａｂｚ"), "ＡＢＺ");
    EXPECT_EQ(ZenUpperCase("abcＡ"), "abcＡ");
    // メ (0x83 0x81), ャ (0x83 0x83), 堰 (0x89 0x81) and 叶 (0x8A 0x90) have
    // trail bytes that a letter of the 0x82 row would also have.
    EXPECT_EQ(ZenUpperCase("ａメャ堰叶ｚ"), "Ａメャ堰叶Ｚ");
}

// ---------------------------------------------------------------------------
// Splitting

TEST(SplitStr, SplitsAtTheSeparator)
{
    struct Case {
        const char* name;
        std::string text;
        std::string separator;
        int result;
        std::vector<std::string> items;  // all five places afterwards
    };
    const Case cases[] = {
        {"three items", "a,b,c", ",", 2, {"a", "b", "c", "x", "x"}},
        {"two commas in a row", "a,,c", ",", 2, {"a", "", "c", "x", "x"}},
        {"separator first", ",a", ",", 1, {"", "a", "x", "x", "x"}},
        {"separator last", "a,b,", ",", 2, {"a", "b", "", "x", "x"}},
        {"no separator", "abc", ",", 0, {"abc", "x", "x", "x", "x"}},
        {"comment cut", "a,b//c,d", ",", 1, {"a", "b", "x", "x", "x"}},
        {"comment only", "//a,b", ",", 0, {"x", "x", "x", "x", "x"}},
        {"empty text", "", ",", 0, {"x", "x", "x", "x", "x"}},
        {"longer separator", "a<>b<>", "<>", 2, {"a", "b", "", "x", "x"}},
        {"empty separator", "a,b", "", 0, {"a,b", "x", "x", "x", "x"}},
        {"double-byte text", "表,ソ", ",", 1, {"表", "ソ", "x", "x", "x"}},
        {"more items than places", "1,2,3,4,5,6,7", ",", 4, {"1", "2", "3", "4", "5,6,7"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> items(5, "x");
        EXPECT_EQ(SplitStr(c.text, c.separator, items), c.result) << c.name;
        EXPECT_EQ(items, c.items) << c.name;
    }
}

TEST(SplitStr, NeverWritesPastThePlaces)
{
    std::array<std::string, 3> storage{"x", "x", "x"};
    EXPECT_EQ(SplitStr("a,b,c,d", ",", std::span(storage).first(2)), 1);
    EXPECT_EQ(storage, (std::array<std::string, 3>{"a", "b,c,d", "x"}));
    EXPECT_EQ(SplitStr("a,b", ",", std::span<std::string>()), -1);
    EXPECT_EQ(SplitStr("//a", ",", std::span<std::string>()), 0);
}

TEST(GetSplitItem, GivesTheNthItem)
{
    struct Case {
        std::string text;
        std::string separator;
        int n;
        std::string item;
    };
    const Case cases[] = {
        {"a,b,c", ",", 1, "a"},    {"a,b,c", ",", 3, "c"}, {"a,b,c", ",", 4, ""},
        {"a,b,c", ",", 0, ""},     {"a,b,c", ",", -1, ""}, {"a,,c", ",", 2, ""},
        {"a,,c", ",", 3, "c"},     {"a,b,", ",", 3, ""},   {"1234,5678,1,C:/work/表,ソ.xml", ",", 4, "C:/work/表"},
        {"a\r\nb,c", ",", 2, "b"}, {"a\nb", ",", 2, "b"},  {"a\rb", ",", 2, "b"},
        {"a::b", "::", 2, "b"},    {"a,b", "", 1, "a,b"},  {"", ",", 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetSplitItem(c.text, c.separator, c.n), c.item) << c.text << " #" << c.n;
}

// ---------------------------------------------------------------------------
// Conversions

TEST(TextConversions, DateToTextByKind)
{
    const TDateTime stamp = EncodeDate(2024, 4, 1) + EncodeTime(9, 5, 0, 0);
    EXPECT_EQ(DateToText(2, stamp), "24/04/01");
    EXPECT_EQ(DateToText(4, stamp), "2024/04/01");
    EXPECT_EQ(DateToText(0, stamp), "2024/04/01 09:05");
    EXPECT_EQ(DateToText(4, 0), "");
}

TEST(TextConversions, TextToDateAndAmountWithZeroOnFailure)
{
    EXPECT_EQ(StrToDateDef0("2024/04/01"), EncodeDate(2024, 4, 1));
    EXPECT_EQ(StrToDateDef0("2024/02/30"), 0);
    EXPECT_EQ(StrToDateDef0(""), 0);
    EXPECT_EQ(StrToCurrDef0("12.5"), 125000);
    EXPECT_EQ(StrToCurrDef0("-3"), -30000);
    EXPECT_EQ(StrToCurrDef0("abc"), 0);
}

TEST(TextConversions, SmallFormatters)
{
    EXPECT_EQ(BoolToTrueFalse(true), "TRUE");
    EXPECT_EQ(BoolToTrueFalse(false), "FALSE");
    EXPECT_EQ(BoolToInt(true), 1);
    EXPECT_EQ(BoolToInt(false), 0);
    EXPECT_EQ(IntToKingakuStr(0), "0");
    EXPECT_EQ(IntToKingakuStr(999), "999");
    EXPECT_EQ(IntToKingakuStr(1234567), "1,234,567");
    EXPECT_EQ(IntToKingakuStr(-1000), "-1,000");
    EXPECT_EQ(IntToKingakuStr(std::numeric_limits<std::int32_t>::min()), "-2,147,483,648");

    int value = 0;
    const int* none = nullptr;
    EXPECT_FALSE(IsAssigned(none));
    EXPECT_TRUE(IsAssigned(&value));
    EXPECT_FALSE(IsAssigned(std::function<void()>()));
    EXPECT_TRUE(IsAssigned(std::function<void()>([] {})));
}

}  // namespace
