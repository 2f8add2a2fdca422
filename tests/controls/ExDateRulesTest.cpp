#include "controls/ExDateRules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TGengoArray Eras()
{
    return {{"令和", "R", EncodeDate(2019, 5, 1), 2019},
            {"平成", "H", EncodeDate(1989, 1, 8), 1989},
            {"昭和", "S", EncodeDate(1926, 12, 25), 1926},
            {"大正", "T", EncodeDate(1912, 7, 30), 1912},
            {"明治", "M", EncodeDate(1868, 9, 8), 1868}};
}

TExDateSettings Settings(TLedrixExDateEditStyle style, TLedrixExRekiSet gengo)
{
    TExDateSettings s;
    s.Style = style;
    s.Gengo = gengo;
    s.UseWarekiTable = true;
    s.EraList = Eras();
    s.SystemEras = Eras();
    s.Today = EncodeDate(2026, 3, 15);
    return s;
}

TExDateBoxes Boxes(int era, const char* y, const char* m, const char* d, int ampm = -1, const char* h = "",
                   const char* n = "", const char* sec = "")
{
    TExDateBoxes b;
    b.EraIndex = era;
    b.AmpmIndex = ampm;
    b.Text[dbYear] = y;
    b.Text[dbMonth] = m;
    b.Text[dbDay] = d;
    b.Text[dbHour] = h;
    b.Text[dbMinute] = n;
    b.Text[dbSecond] = sec;
    return b;
}

TEST(ExDateBoxes, ShownPerStyle)
{
    struct Row {
        TLedrixExDateEditStyle style;
        const char* shown;  // era year month day ampm hour minute second
    };
    const Row rows[] = {
        {desYearMonthDayHMS, "11110111"},  {desYearMonthDayHM, "11110110"}, {desYearMonthDayH, "11110100"},
        {desYearMonthDay, "11110000"},     {desYearMonth, "11100000"},      {desYear, "11000000"},
        {desHourMinuteSecond, "00000111"}, {desHourMinute, "00000110"},     {desHour, "00000100"},
    };
    for (const Row& r : rows) {
        const TExDateShown shown = ExDateShownBoxes(r.style, true, false);
        for (int b = 0; b < ExDateBoxCount; ++b)
            EXPECT_EQ(shown[b], r.shown[b] == '1') << r.style << " box " << b;
    }
    EXPECT_TRUE(ExDateShownBoxes(desHourMinute, true, true)[dbAmpm]);
    EXPECT_FALSE(ExDateShownBoxes(desYearMonthDay, true, true)[dbAmpm]);
    EXPECT_FALSE(ExDateShownBoxes(desYearMonthDay, false, false)[dbEra]);
}

TEST(ExDateEras, ItemsAndNarrowing)
{
    TExDateSettings s = Settings(desYearMonthDay, rsBoth);
    EXPECT_EQ(ExDateEraItems(s), (std::vector<std::string>{"西暦", "令和", "平成", "昭和", "大正", "明治"}));
    s.Gengo = rsWareki;
    EXPECT_EQ(ExDateEraItems(s).front(), "令和");

    const TGengoArray fromReiwa = BuildEraList(Eras(), EncodeDate(2019, 5, 1), ExDateEmptyValue());
    ASSERT_EQ(fromReiwa.size(), 1u);
    EXPECT_EQ(fromReiwa[0].GNAME, "令和");
    const TGengoArray showa = BuildEraList(Eras(), EncodeDate(1950, 1, 1), EncodeDate(1995, 1, 1));
    ASSERT_EQ(showa.size(), 2u);
    EXPECT_EQ(showa[0].GNAME, "平成");
    EXPECT_EQ(showa[1].GNAME, "昭和");
    EXPECT_EQ(BuildEraList(Eras(), EncodeDate(2020, 1, 1), EncodeDate(1950, 1, 1)).size(), 5u);  // wrong order
    EXPECT_EQ(BuildEraList(Eras(), ExDateBaseDate(), ExDateEmptyValue()).size(), 5u);
}

TEST(ExDateShow, EraAndWesternForms)
{
    TExDateBoxes b;
    const TDateTime date = EncodeDate(2024, 6, 7);
    EXPECT_TRUE(ShowExDateValue(date, Settings(desYearMonthDay, rsWareki), b));
    EXPECT_EQ(b.EraIndex, 0);
    EXPECT_EQ(b.Text[dbYear], "6");
    EXPECT_EQ(b.Text[dbMonth], "6");
    EXPECT_EQ(b.Text[dbDay], "7");
    ShowExDateValue(EncodeDate(1990, 1, 1), Settings(desYearMonthDay, rsBoth), b);
    EXPECT_EQ(b.EraIndex, 2);  // after "西暦" and 令和
    EXPECT_EQ(b.Text[dbYear], "2");
    TExDateSettings two = Settings(desYearMonthDay, rsSeireki);
    two.Yeardigit = yddigit2;
    ShowExDateValue(date, two, b);
    EXPECT_EQ(b.EraIndex, 0);
    EXPECT_EQ(b.Text[dbYear], "24");
    EXPECT_FALSE(ShowExDateValue(EncodeDate(1872, 12, 31), Settings(desYearMonthDay, rsWareki), b));

    TExDateSettings ampm = Settings(desHourMinute, rsWareki);
    ampm.EditAmpm = true;
    TExDateBoxes t;
    ShowExDateValue(EncodeTime(23, 5, 0, 0), ampm, t);
    EXPECT_EQ(t.AmpmIndex, 1);
    EXPECT_EQ(t.Text[dbHour], "11");
    EXPECT_EQ(t.Text[dbMinute], "5");
    t.Text[dbHour] = "kept";
    ShowExDateValue(EncodeDate(2024, 1, 1), ampm, t);  // time of day 0 leaves the time boxes
    EXPECT_EQ(t.Text[dbHour], "kept");
}

struct CheckCase {
    const char* name;
    TLedrixExDateEditStyle style;
    TLedrixExRekiSet gengo;
    TExDateBoxes boxes;
    bool ok;
    TDateTime value;      // when ok
    const char* message;  // when not ok
    TExDateBox focus;
    bool editAmpm = false;
    bool canEmpty = true;
};

void PrintTo(const CheckCase& c, std::ostream* os)
{
    *os << c.name;
}

class ExDateValidation : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ExDateValidation, GivesValueOrMessage)
{
    const CheckCase& c = GetParam();
    TExDateSettings s = Settings(c.style, c.gengo);
    s.EditAmpm = c.editAmpm;
    s.CanEmpty = c.canEmpty;
    const TExDateCheck check = ValidateExDate(c.boxes, s);
    ASSERT_EQ(check.Ok, c.ok) << check.Message;
    if (c.ok) {
        EXPECT_NEAR(check.Value, c.value, 1e-9);
    } else {
        EXPECT_EQ(check.Message, c.message);
        EXPECT_EQ(check.Focus, c.focus);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExDateValidation,
    ::testing::Values(
        CheckCase{"era year of the newest era", desYearMonthDay, rsWareki, Boxes(0, "6", "4", "1"), true,
                  EncodeDate(2024, 4, 1), "", dbYear},
        CheckCase{"unselected era is the first era in era form", desYearMonthDay, rsWareki, Boxes(-1, "1", "5", "1"),
                  true, EncodeDate(2019, 5, 1), "", dbYear},
        CheckCase{"Western item in both forms", desYearMonthDay, rsBoth, Boxes(0, "2024", "2", "29"), true,
                  EncodeDate(2024, 2, 29), "", dbYear},
        CheckCase{"Showa in both forms", desYearMonthDay, rsBoth, Boxes(3, "64", "1", "7"), true,
                  EncodeDate(1989, 1, 7), "", dbYear},
        CheckCase{"year before 1873", desYearMonthDay, rsBoth, Boxes(0, "1872", "12", "31"), false, 0,
                  ExDateMsgBefore1873, dbYear},
        CheckCase{"year 2999 in era form", desYearMonthDay, rsWareki, Boxes(0, "981", "1", "1"), false, 0,
                  ExDateMsg2999, dbYear},
        CheckCase{"year 2999 Western only", desYearMonthDay, rsSeireki, Boxes(0, "2999", "1", "1"), true,
                  EncodeDate(2999, 1, 1), "", dbYear},
        CheckCase{"no such day", desYearMonthDay, rsBoth, Boxes(0, "2023", "2", "29"), false, 0, ExDateMsgBadDate,
                  dbYear},
        CheckCase{"one box empty", desYearMonthDay, rsBoth, Boxes(0, "2024", "", "1"), false, 0, ExDateMsgSomeEmpty,
                  dbMonth},
        CheckCase{"empty era takes the focus with another empty box", desYearMonthDay, rsBoth,
                  Boxes(-1, "2024", "", "1"), false, 0, ExDateMsgSomeEmpty, dbEra},
        CheckCase{"all empty and allowed", desYearMonthDay, rsBoth, Boxes(-1, "", "", ""), true, 0, "", dbYear},
        CheckCase{"all empty and not allowed", desYearMonthDay, rsBoth, Boxes(-1, "", "", ""), false, 0,
                  ExDateMsgAllEmpty, dbEra, false, false},
        CheckCase{"PM eleven", desHourMinute, rsWareki, Boxes(-1, "", "", "", 1, "11", "0"), true,
                  EncodeDate(2026, 3, 15) + EncodeTime(23, 0, 0, 0), "", dbYear, true},
        CheckCase{"twelve with AM/PM", desHourMinute, rsWareki, Boxes(-1, "", "", "", 0, "12", "0"), false, 0,
                  ExDateMsgTime11, dbHour, true},
        CheckCase{"AM/PM box empty", desHourMinute, rsWareki, Boxes(-1, "", "", "", -1, "10", "0"), false, 0,
                  ExDateMsgSomeEmpty, dbAmpm, true},
        CheckCase{"24 hours", desHourMinuteSecond, rsWareki, Boxes(-1, "", "", "", -1, "24", "0", "0"), false, 0,
                  ExDateMsgTime23, dbHour},
        CheckCase{"60 minutes", desYearMonthDayHM, rsBoth, Boxes(0, "2024", "1", "1", -1, "10", "60"), false, 0,
                  ExDateMsgTime23, dbMinute},
        CheckCase{"date and time", desYearMonthDayHMS, rsBoth, Boxes(0, "2024", "1", "2", -1, "3", "4", "5"), true,
                  EncodeDate(2024, 1, 2) + EncodeTime(3, 4, 5, 0), "", dbYear}));

TEST(ExDateValidation, LimitsClampAndTwoDigitYears)
{
    TExDateSettings s = Settings(desYearMonthDay, rsSeireki);
    s.MinDate = EncodeDate(2020, 1, 1);
    s.MaxDate = EncodeDate(2020, 12, 31);
    EXPECT_EQ(ValidateExDate(Boxes(0, "2019", "6", "1"), s).Value, EncodeDate(2020, 1, 1));
    EXPECT_EQ(ValidateExDate(Boxes(0, "2022", "6", "1"), s).Value, EncodeDate(2020, 12, 31));
    s.MinDate = s.MaxDate = ExDateEmptyValue();
    s.Yeardigit = yddigit2;
    EXPECT_EQ(ValidateExDate(Boxes(0, "24", "6", "1"), s).Value, EncodeDate(2024, 6, 1));
    // A time-only style takes the date of MaxDate when it is set.
    TExDateSettings t = Settings(desHour, rsWareki);
    t.MaxDate = EncodeDate(2030, 1, 1) + 0.75;
    EXPECT_EQ(ValidateExDate(Boxes(-1, "", "", "", -1, "9"), t).Value, EncodeDate(2030, 1, 1) + 0.375);
}

TEST(ExDateKept, WhatEachStyleKeeps)
{
    const TDateTime v = EncodeDate(2024, 6, 7) + 0.5;
    EXPECT_EQ(ExDateKeptValue(v, Settings(desYearMonthDay, rsWareki)), EncodeDate(2024, 6, 7));
    EXPECT_EQ(ExDateKeptValue(v, Settings(desHourMinute, rsWareki)), 0.5);
    EXPECT_EQ(ExDateKeptValue(v, Settings(desYearMonthDayHM, rsWareki)), v);
}

}  // namespace
