#include "controls/ComboCodeSearch.h"

#include <gtest/gtest.h>

namespace {

TEST(ComboSearchKey, CodeUpToTheTerminatorOrTheLength)
{
    EXPECT_EQ(ComboSearchKey("002", 3, ":"), "002");
    EXPECT_EQ(ComboSearchKey("1:", 3, ":"), "1");
    EXPECT_EQ(ComboSearchKey("0021", 3, ":"), "002");
    EXPECT_EQ(ComboSearchKey("001:現金", 3, ":"), "001");
    EXPECT_EQ(ComboSearchKey("0012:x", 3, ":"), "001");  // terminator beyond the length
    EXPECT_EQ(ComboSearchKey(" 9 ", 3, ":"), "9");
    EXPECT_EQ(ComboSearchKey("現金預金", 2, ":"), "現金");
    EXPECT_EQ(ComboSearchKey("001", 0, ":"), "");
}

TEST(ComboSearch, FindsFromTheCurrentItemRoundTheTop)
{
    const std::vector<std::string> items{"001:現金", "002:預金", "A01:売掛", "001:重複"};
    EXPECT_EQ(FindItemByCode(items, "002", -1), 1);
    EXPECT_EQ(FindItemByCode(items, "a0", 0), 2);
    EXPECT_EQ(FindItemByCode(items, "001", 2), 3);
    EXPECT_EQ(FindItemByCode(items, "001", 3), 3);
    EXPECT_EQ(FindItemByCode(items, "9", 0), -1);
    EXPECT_EQ(FindItemByCode({}, "9", 0), -1);
}

TEST(ComboSearch, DoubleByteStartOnTheCodePage)
{
    EXPECT_TRUE(StartsWithDoubleByte("現金"));
    EXPECT_FALSE(StartsWithDoubleByte("ｹﾞﾝｷﾝ"));  // half-width katakana are single bytes
    EXPECT_FALSE(StartsWithDoubleByte("001"));
    EXPECT_FALSE(StartsWithDoubleByte(""));
}

}  // namespace
