#include "foundation/ColourDefaults.h"

#include "foundation/ProgramGlobals.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

namespace {

struct EditionColorCase {
    std::uint8_t edition;
    std::int32_t clientColor2;
    std::int32_t totalColor;
    std::int32_t activeColor;
};

void PrintTo(const EditionColorCase& c, std::ostream* os)
{
    *os << "EditionFlag " << int(c.edition);
}

class EditionColors : public ::testing::TestWithParam<EditionColorCase> {
protected:
    void TearDown() override
    {
        EditionFlag = 0;
        ApplyEditionColors();
    }
};

TEST_P(EditionColors, AccentColoursFollowTheEdition)
{
    const EditionColorCase& c = GetParam();
    // Start from the other edition's colours so a missed assignment shows.
    EditionFlag = (c.edition == 1 || c.edition == 2) ? 0 : 1;
    ApplyEditionColors();

    EditionFlag = c.edition;
    ApplyEditionColors();
    EXPECT_EQ(DefClientColor2, c.clientColor2);
    EXPECT_EQ(DefTotalColor, c.totalColor);
    EXPECT_EQ(DefActiveColor, c.activeColor);
}

INSTANTIATE_TEST_SUITE_P(Editions, EditionColors,
                         ::testing::Values(EditionColorCase{0, 14807295, 9357311, 2386943},
                                           EditionColorCase{1, 15925230, 14090184, 32768},
                                           EditionColorCase{2, 15925230, 14090184, 32768},
                                           EditionColorCase{3, 14807295, 9357311, 2386943}));

}  // namespace
