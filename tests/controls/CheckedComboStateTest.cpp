#include "controls/CheckedComboState.h"

#include <gtest/gtest.h>

namespace {

TCheckedComboState Abc()
{
    TCheckedComboState s;
    s.SetItems({"a", "b", "c"});
    return s;
}

TEST(CheckedComboText, CountOrItems)
{
    TCheckedComboState s = Abc();
    EXPECT_EQ(s.DisplayText(), "未選択");
    s.SetChecked(2, true);
    EXPECT_EQ(s.DisplayText(), "c");
    s.SetChecked(0, true);
    EXPECT_EQ(s.DisplayText(), "2件選択");
    s.SetChecked(1, true);
    EXPECT_EQ(s.DisplayText(), "3件選択");
    s.DispStyle = dsItems;
    EXPECT_EQ(s.DisplayText(), "c,a,b");
    s.SortDisplay = true;
    EXPECT_EQ(s.DisplayText(), "a,b,c");
    s.SetChecked(1, false);
    EXPECT_EQ(s.DisplayText(), "a,c");
    EXPECT_EQ(s.Value(), "c,a");
    s.KensuValueFormat = "%d items (%)";
    s.DispStyle = dsKensu;
    EXPECT_EQ(s.DisplayText(), "2 items (%)");
}

TEST(CheckedComboChoice, SingleSelectKeepsOnlyTheLast)
{
    TCheckedComboState s = Abc();
    s.MultiSelect = false;
    s.SetChecked(0, true);
    s.SetChecked(1, true);
    EXPECT_FALSE(s.IsChecked(0));
    EXPECT_EQ(s.Value(), "b");
    EXPECT_EQ(s.Count(), 1);
    s.CheckAll();  // refused without MultiSelect
    EXPECT_EQ(s.Count(), 1);
}

TEST(CheckedComboChoice, AllNoneAndNewItems)
{
    TCheckedComboState s = Abc();
    s.SetChecked(1, true);
    s.CheckAll();
    EXPECT_EQ(s.Value(), "a,b,c");
    EXPECT_EQ(s.Count(), 3);
    s.UncheckAll();
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.DisplayText(), "未選択");
    s.SetChecked(0, true);
    s.SetItems({"x", "y"});
    EXPECT_EQ(s.Count(), 0);
    EXPECT_FALSE(s.IsChecked(0));
}

// Item texts that repeat or hold the separator stay separate choices, and
// the count always matches the choice.
TEST(CheckedComboChoice, AwkwardItemTexts)
{
    TCheckedComboState s;
    s.SetItems({"a,b", "a", "a"});
    s.SetChecked(0, true);
    s.SetChecked(1, true);
    s.SetChecked(2, true);
    EXPECT_EQ(s.Count(), 3);
    s.SetChecked(2, false);
    EXPECT_TRUE(s.IsChecked(1));
    EXPECT_EQ(s.Count(), 2);
    s.SetChecked(1, true);  // already checked: no change
    EXPECT_EQ(s.Count(), 2);
    s.SetChecked(0, false);
    EXPECT_EQ(s.Value(), "a");
}

TEST(CheckedComboLines, OpenListHeight)
{
    EXPECT_EQ(CheckedComboListLines(15, 0, 30), 15);
    EXPECT_EQ(CheckedComboListLines(15, 0, 3), 3);
    EXPECT_EQ(CheckedComboListLines(15, 3, 30), 11);
    EXPECT_EQ(CheckedComboListLines(15, 2, 60), 20);
    EXPECT_EQ(CheckedComboListLines(15, 0, 0), 1);
}

}  // namespace
