#include "foundation/CashFlowItems.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Describe(const TCashFlowItem& item)
{
    return item.Code + " " + item.Name + " " + item.Section;
}

TEST(SetupCashFlowItems, PublishesTheListOfTheChart)
{
    const struct {
        std::uint8_t flag;
        std::size_t count;
        const char* item35;
        const char* item47;
    } cases[] = {
        {1, 38, "35 その他の支出 （設備等収支）", ""},
        {0, 39, "35 法人税等 ", "47 その他の支出 （財務収支）"},
        {2, 39, "35 法人税等 ", "47 その他の支出 （財務収支）"},
    };
    // Each list replaces the one before, whatever it was.
    for (const std::uint8_t first : {0, 1}) {
        SetupCashFlowItems(first);
        for (const auto& c : cases) {
            SCOPED_TRACE(static_cast<int>(c.flag));
            SetupCashFlowItems(c.flag);
            ASSERT_EQ(CashFlowItems.size(), c.count);
            EXPECT_EQ(Describe(CashFlowItems.front()), "0 － ");
            EXPECT_EQ(Describe(CashFlowItems.back()), "99 流動性現預金 ");
            std::string item35, item47;
            for (const TCashFlowItem& item : CashFlowItems) {
                if (item.Code == "35")
                    item35 = Describe(item);
                if (item.Code == "47")
                    item47 = Describe(item);
            }
            EXPECT_EQ(item35, c.item35);
            EXPECT_EQ(item47, c.item47);
            // Codes run 11 upward without a gap between the first and the last.
            for (std::size_t i = 1; i + 1 < CashFlowItems.size(); ++i)
                EXPECT_EQ(CashFlowItems[i].Code, std::to_string(10 + i));
        }
    }
}

}  // namespace
