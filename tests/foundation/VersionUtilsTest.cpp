#include "foundation/VersionUtils.h"
#include "foundation/VersionRecords.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct ParseCase {
    const char* text;
    int major;
    int minor1;
    int minor2;
    int build;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class ParseVersionCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseVersionCases, ReadsUpToFourNumbers)
{
    const ParseCase& c = GetParam();
    TVersionRec version{9, 9, 9, 9, "stale"};
    ParseVersion(c.text, version);
    EXPECT_EQ(version.Major, c.major);
    EXPECT_EQ(version.Minor1, c.minor1);
    EXPECT_EQ(version.Minor2, c.minor2);
    EXPECT_EQ(version.Build, c.build);
    EXPECT_EQ(version.Text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseVersionCases,
                         ::testing::Values(ParseCase{"15.0.0", 15, 0, 0, 0}, ParseCase{"15.0.0.9", 15, 0, 0, 9},
                                           ParseCase{"11.1", 11, 1, 0, 0}, ParseCase{"7", 7, 0, 0, 0},
                                           ParseCase{"1.2.3.4.5", 1, 2, 3, 4}, ParseCase{"2.x.3", 2, 0, 3, 0},
                                           ParseCase{"1..3", 1, 0, 3, 0}, ParseCase{" 12 . 3 .4", 12, 3, 4, 0},
                                           ParseCase{"1.2.3-beta", 1, 2, 0, 0}, ParseCase{"abc", 0, 0, 0, 0},
                                           ParseCase{"", 0, 0, 0, 0}, ParseCase{"99999999999.1.1", 0, 1, 1, 0}));

struct CompareCase {
    const char* a;
    const char* b;
    bool greater;
    bool atLeast;
};

void PrintTo(const CompareCase& c, std::ostream* os)
{
    *os << c.a << " vs " << c.b;
}

class CompareVersionCases : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareVersionCases, ComparesTheThreePartKey)
{
    const CompareCase& c = GetParam();
    EXPECT_EQ(VersionGreater(c.a, c.b), c.greater);
    EXPECT_EQ(VersionAtLeast(c.a, c.b), c.atLeast);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareVersionCases,
    ::testing::Values(CompareCase{"15.0.0", "15.0.0", false, true},
                      CompareCase{"15.0.0.9", "15.0.0.1", false, true},  // the build plays no part
                      CompareCase{"15.0.0.1", "15.0.0.9", false, true}, CompareCase{"11.0.1", "11.0", true, true},
                      CompareCase{"11.0", "11.0.1", false, false}, CompareCase{"2.10.0", "2.9.9", true, true},
                      CompareCase{"15.0.0", "14.255.255", true, true}, CompareCase{"11.0.9", "11.1.0", false, false},
                      CompareCase{"abc", "0.0.0", false, true}, CompareCase{"", "0.0.1", false, false},
                      // Each minor part counts as below 256: 2.256.0 has the key of 3.0.0.
                      CompareCase{"2.256.0", "3.0.0", false, true}, CompareCase{"3.0.0", "2.256.0", false, true}));

TEST(VersionKey, WeighsMajor65536AndMinor256)
{
    EXPECT_EQ(VersionKey(TVersionRec{15, 0, 0, 7, ""}), 15u * 65536u);
    EXPECT_EQ(VersionKey(TVersionRec{1, 2, 3, 0, ""}), 65536u + 2u * 256u + 3u);
    EXPECT_EQ(VersionKey(TVersionNumbers{11, 1, 0}), 11u * 65536u + 256u);
    // Unsigned: a negative part wraps instead of sorting first.
    EXPECT_GT(VersionKey(TVersionRec{-1, 0, 0, 0, ""}), VersionKey(TVersionRec{15, 0, 0, 0, ""}));
}

TEST(VersionToText, WritesThreeDottedNumbers)
{
    EXPECT_EQ(VersionToText(15, 0, 0), "15.0.0");
    EXPECT_EQ(VersionToText(TVersionNumbers{11, 1, 12}), "11.1.12");
}

}  // namespace
