#include "controls/NumericEditRules.h"

#include <gtest/gtest.h>

namespace {

TEST(NumericFilter, WhatEachStyleLetsThrough)
{
    struct Row {
        TEditStyle style;
        const char* passes;
        const char* blocked;
    };
    const Row rows[] = {
        {esNumeric, "0123456789\b\t\x1b", "a,-.+"},
        {esFloat, "09.", "-a,"},
        {esNumericMinus, "09-", ".a,"},
        {esFloatMinus, "09-.", "a,"},
        {esNone, "a,-.+", ""},
    };
    for (const Row& r : rows) {
        for (const char* c = r.passes; *c; ++c)
            EXPECT_TRUE(CharPassesFilter(r.style, *c)) << r.style << " " << *c;
        for (const char* c = r.blocked; *c; ++c)
            EXPECT_FALSE(CharPassesFilter(r.style, *c)) << r.style << " " << *c;
    }
}

TEST(NumericZeroKeys, NeverWhereTheKeyMeansSomething)
{
    EXPECT_TRUE(ZeroKeyApplies(esNumericMinus, zkDot));
    EXPECT_FALSE(ZeroKeyApplies(esFloat, zkDot));
    EXPECT_FALSE(ZeroKeyApplies(esNumericMinus, zkMinus));
    EXPECT_TRUE(ZeroKeyApplies(esFloat, zkMinus));
    EXPECT_FALSE(ZeroKeyApplies(esNone, zkPlus));
    EXPECT_FALSE(ZeroKeyApplies(esNumeric, zkNone));
    EXPECT_EQ(ZeroKeyChar(zkAsterisk), '*');
    EXPECT_EQ(ZeroKeyChar(zkSlash), '/');
}

TEST(NumericSign, TurnsANonZeroValue)
{
    EXPECT_EQ(TurnedSign("1234"), "-1234");
    EXPECT_EQ(TurnedSign("-1234"), "1234");
    EXPECT_EQ(TurnedSign("1,234"), "-1234");
    EXPECT_EQ(TurnedSign("12.5"), "-12.5");
    EXPECT_FALSE(TurnedSign(""));
    EXPECT_FALSE(TurnedSign("0"));
    EXPECT_FALSE(TurnedSign("abc"));
}

TEST(NumericFormat, OutputFormats)
{
    EXPECT_EQ(ApplyOutputFormat("1234", esNumeric, "#,##0", false), "1,234");
    EXPECT_EQ(ApplyOutputFormat("1,234,567", esNumeric, "#,##0", false), "1,234,567");
    EXPECT_EQ(ApplyOutputFormat("-1234.5", esFloatMinus, "#,##0.00", false), "-1,234.50");
    EXPECT_EQ(ApplyOutputFormat("12", esNumeric, "0", false), "12");
    EXPECT_EQ(ApplyOutputFormat("", esNumeric, "#,##0", false), "0");
    EXPECT_EQ(ApplyOutputFormat("x", esNumeric, "#,##0", false), "0");
    EXPECT_FALSE(ApplyOutputFormat("", esNumeric, "#,##0", true));
    EXPECT_FALSE(ApplyOutputFormat("1234", esNone, "#,##0", false));
    EXPECT_FALSE(ApplyOutputFormat("1234", esNumeric, "", false));
    EXPECT_EQ(CountCommas("1,234,567"), 2);
    EXPECT_EQ(CountCommas("表,"), 1);
}

}  // namespace
