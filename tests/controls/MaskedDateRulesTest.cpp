#include "controls/MaskedDateRules.h"

#include <gtest/gtest.h>

namespace {

TGengoArray Eras()
{
    return {{"令和", "R", EncodeDate(2019, 5, 1), 2019}, {"平成", "H", EncodeDate(1989, 1, 8), 1989}};
}

TEST(MaskedDate, MasksPerStyle)
{
    EXPECT_EQ(LedrixDateMask(ldsYearMonthDay, false), "0000/99/99;1; ");
    EXPECT_EQ(LedrixDateMask(ldsYearMonthDay, true), "00/99/99;1; ");
    EXPECT_EQ(LedrixDateMask(ldsYearMonth, false), "0000/99;1; ");
    EXPECT_EQ(LedrixDateMask(ldsYear, true), "00;1; ");
    EXPECT_EQ(LedrixDateMask(ldsMonthDay, false), "99/99;1; ");
    EXPECT_EQ(LedrixDateMask(ldsDay, false), "99;1; ");
    // The platform reads the two digit signs the other way round.
    EXPECT_EQ(QtEditMask("0000/99/99;1; "), "9999/00/00; ");
    EXPECT_TRUE(LedrixDateStyleTaken(ldsMonthDay));
    EXPECT_FALSE(LedrixDateStyleTaken(ldsYearMonth));
}

TEST(MaskedDate, TextsAndValues)
{
    const TDateTime date = EncodeDate(2024, 6, 7);
    EXPECT_EQ(LedrixDateText(ldsYearMonthDay, false, true, date, Eras()), "2024/06/07");
    EXPECT_EQ(LedrixDateText(ldsYearMonthDay, false, false, date, Eras()), "24/06/07");
    EXPECT_EQ(LedrixDateText(ldsYearMonthDay, true, true, date, Eras()), "06/06/07");
    EXPECT_EQ(LedrixDateText(ldsMonthDay, true, true, date, Eras()), "06/07");
    const TDateTime from = EncodeDate(2024, 4, 1);
    EXPECT_EQ(LedrixDateValue(ldsYearMonthDay, false, true, "2024/06/07", from, Eras(), from), date);
    EXPECT_EQ(LedrixDateValue(ldsYearMonthDay, true, true, "06/06/07", from, Eras(), from), date);
    EXPECT_EQ(LedrixDateValue(ldsYearMonthDay, false, false, "24/06/07", from, Eras(), from), date);
    EXPECT_EQ(LedrixDateValue(ldsMonthDay, true, true, "06/07", from, Eras(), from), date);
    EXPECT_EQ(LedrixDateValue(ldsMonthDay, true, true, "03/31", from, Eras(), from), EncodeDate(2025, 3, 31));
    EXPECT_EQ(LedrixDateValue(ldsYearMonthDay, false, true, "2024/02/30", from, Eras(), from), 0);
    EXPECT_EQ(LedrixDateValue(ldsYearMonthDay, false, true, "    /  /  ", from, Eras(), from), 0);
}

TEST(MaskedDate, RangeHeldWithinAYearForEraMonthDay)
{
    const TDateTime from = EncodeDate(2024, 4, 1);
    EXPECT_EQ(LedrixDateRangeEnd(ldsMonthDay, true, from, EncodeDate(2025, 6, 30)), EncodeDate(2025, 3, 31));
    EXPECT_EQ(LedrixDateRangeEnd(ldsMonthDay, true, from, EncodeDate(2024, 9, 30)), EncodeDate(2024, 9, 30));
    EXPECT_EQ(LedrixDateRangeEnd(ldsMonthDay, false, from, EncodeDate(2025, 6, 30)), EncodeDate(2025, 6, 30));
    EXPECT_EQ(LedrixDateRangeEnd(ldsYearMonthDay, true, from, EncodeDate(2025, 6, 30)), EncodeDate(2025, 6, 30));
}

}  // namespace
