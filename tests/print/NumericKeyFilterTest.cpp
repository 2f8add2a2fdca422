#include "print/NumericKeyFilter.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
    int Kind;
    char32_t Ch;
    const char* Text;
    bool WholeSelected;
    bool Allowed;
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << "kind " << c.Kind << " '" << static_cast<char>(c.Ch) << "' after \"" << c.Text << "\""
        << (c.WholeSelected ? " (selected)" : "");
}

class NumericKeyFilterTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(NumericKeyFilterTest, AllowsWhatTheKindTakes)
{
    const KeyCase& c = GetParam();
    EXPECT_EQ(NumericKeyAllowed(c.Ch, c.Text, c.WholeSelected, c.Kind), c.Allowed);
}

INSTANTIATE_TEST_SUITE_P(Kinds, NumericKeyFilterTest,
                         ::testing::Values(KeyCase{0, '5', "", false, true}, KeyCase{0, '0', "", false, true},
                                           KeyCase{0, '0', "00", false, false}, KeyCase{0, '0', "10", false, true},
                                           KeyCase{0, 8, "1", false, false}, KeyCase{1, 8, "1", false, true},
                                           KeyCase{1, '-', "", false, false}, KeyCase{2, '.', "", false, false},
                                           KeyCase{2, '.', "1", false, true}, KeyCase{2, '.', "1.5", false, false},
                                           KeyCase{2, '0', ".", false, false}, KeyCase{2, '0', "0", true, true},
                                           KeyCase{3, '-', "", false, true}, KeyCase{3, '-', "5", false, false},
                                           KeyCase{3, '-', "0", true, true}, KeyCase{3, '0', "-", false, false},
                                           KeyCase{3, '0', "0", false, false}, KeyCase{3, '0', "0", true, true},
                                           KeyCase{3, '.', "1", false, false}, KeyCase{3, 'a', "", false, false},
                                           KeyCase{4, '0', ".", false, false}, KeyCase{4, '.', "-1", false, true},
                                           KeyCase{4, '-', "", false, true}, KeyCase{9, 'a', "", false, true}));

}  // namespace
