#include "foundation/AccFunction2.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t Rgb(int r, int g, int b)
{
    return r | (g << 8) | (b << 16);
}

TEST(GetGrayColorTest, MeanOfThePartsRoundedToNearest)
{
    struct Case {
        std::int32_t colour;
        std::int32_t grey;
    };
    const Case cases[] = {
        {Rgb(255, 255, 255), Rgb(255, 255, 255)},  // white unchanged
        {0, 0},                                    // black unchanged
        {Rgb(255, 0, 0), Rgb(85, 85, 85)},
        {Rgb(1, 1, 2), Rgb(1, 1, 1)},              // 4/3 rounds down
        {Rgb(1, 2, 2), Rgb(2, 2, 2)},              // 5/3 rounds up
        {Rgb(0, 0, 255), Rgb(85, 85, 85)},         // blue is the high byte
        {Rgb(254, 255, 255), Rgb(255, 255, 255)},  // near white: 764/3 rounds up
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetGrayColor(c.colour), c.grey) << std::hex << c.colour;
}

TEST(GetNameValueTest, ReturnsTheWholeLineOfTheName)
{
    struct Case {
        const char* text;
        const char* name;
        const char* line;
    };
    const Case cases[] = {
        {"A=1\r\nB=2", "B", "B=2"},
        {"A=1\nB=2\n", "A", "A=1"},
        {"A=1\rB=2", "B", "B=2"},
        {"SyoriType=3\r\nSyoriType=4", "SyoriType", "SyoriType=3"},  // the first line
        {"AB=1\r\nB=2=3", "B", "B=2=3"},                             // the name is before the first "="
        {"B\r\nBB=1", "B", ""},                                      // a line without "=" has no name
        {"b=1", "B", ""},                                            // names compare exactly
        {"", "B", ""},
        {"A=1", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetNameValue(c.text, c.name), c.line) << c.text << " / " << c.name;
}

}  // namespace
