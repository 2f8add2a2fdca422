#include "app/export/XmlValueText.h"

#include <gtest/gtest.h>

struct ZandakaCase {
    Currency balance;
    const char* text;
};

void PrintTo(const ZandakaCase& c, std::ostream* os)
{
    *os << c.balance << " -> \"" << c.text << "\"";
}

class ZandakaTextTest : public testing::TestWithParam<ZandakaCase> {};

TEST_P(ZandakaTextTest, WholeNumberOrEmpty)
{
    EXPECT_EQ(ZandakaText(GetParam().balance), GetParam().text) << GetParam().balance;
}

INSTANTIATE_TEST_SUITE_P(Amounts, ZandakaTextTest,
                         testing::Values(ZandakaCase{0, ""}, ZandakaCase{4000, ""}, ZandakaCase{-4999, ""},
                                         ZandakaCase{5000, "1"}, ZandakaCase{-5000, "-1"},
                                         ZandakaCase{-12340000, "-1234"}, ZandakaCase{12345678, "1235"},
                                         ZandakaCase{1234567890000, "123456789"},
                                         ZandakaCase{-9223372036854775807LL, "-922337203685478"}));

TEST(NendoDateTextTest, YearMonthDay)
{
    EXPECT_EQ(NendoDateText(EncodeDate(2024, 4, 1)), "20240401");
    EXPECT_EQ(NendoDateText(EncodeDate(2025, 3, 31)), "20250331");
}
