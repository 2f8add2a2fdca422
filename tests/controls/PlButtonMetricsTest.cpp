#include "controls/PlButtonMetrics.h"

#include <gtest/gtest.h>

namespace {

TEST(PlButtonGradient, IntegerRows)
{
    const TRgb white{255, 255, 255}, silver{192, 192, 192};
    EXPECT_EQ(GradientRow(white, silver, 0, 26), white);
    EXPECT_EQ(GradientRow(white, silver, 25, 26), silver);
    EXPECT_EQ(GradientRow(white, silver, 10, 26), (TRgb{255 - 10 * 63 / 25, 255 - 10 * 63 / 25, 255 - 10 * 63 / 25}));
    EXPECT_EQ(GradientRow(white, silver, 0, 1), white);
}

TEST(PlButtonCaptions, Tops)
{
    EXPECT_EQ(CaptionTops(true, 0, 26, 12, true, 12, false, 4).First, 8);
    const TCaptionTops two = CaptionTops(true, 0, 26, 12, true, 12, true, 4);
    EXPECT_EQ(two.First, -1);
    EXPECT_EQ(two.Second, 15);
    EXPECT_EQ(CaptionTops(true, 0, 26, 12, false, 12, true, 4).Second, 7);
    const TCaptionTops fixed = CaptionTops(false, 5, 26, 12, true, 12, true, 4);
    EXPECT_EQ(fixed.First, 5);
    EXPECT_EQ(fixed.Second, 21);
    EXPECT_EQ(CaptionTops(false, 5, 26, 12, false, 12, true, 4).Second, 5);
}

TEST(PlButtonCaptions, EvenSpreading)
{
    // Two 12-pixel characters on a 75-pixel button with no margins.
    const std::vector<int> two = EvenPositions({12, 12}, 2, 73);
    EXPECT_EQ(two[0], 2);
    EXPECT_EQ(two[1] + 12, 73);
    // 4 characters: spare 71 - 40 = 31 over 3 gaps, remainder 1 to the first.
    const std::vector<int> four = EvenPositions({10, 10, 10, 10}, 2, 73);
    EXPECT_EQ(four, (std::vector<int>{2, 23, 43, 63}));
    // Too narrow: the negative remainder takes one from the first gaps.
    const std::vector<int> tight = EvenPositions({10, 10, 10}, 0, 25);
    EXPECT_EQ(tight, (std::vector<int>{0, 7, 15}));
}

}  // namespace
