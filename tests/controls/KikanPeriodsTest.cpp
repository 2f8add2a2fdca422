#include "controls/KikanPeriods.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/SystemBeep.h"

namespace {

std::vector<std::string> Captions(const TKikanYear& y)
{
    std::vector<std::string> out;
    for (const TKikanCell& c : y.Cells)
        out.push_back(c.Caption);
    return out;
}

std::vector<bool> Enabled(const TKikanYear& y)
{
    std::vector<bool> out;
    for (const TKikanCell& c : y.Cells)
        out.push_back(c.Enabled);
    return out;
}

struct SetupCase {
    const char* name;
    int closingDay;
    TDateTime start, end, from;
    bool kessan;
    std::vector<std::string> captions;
    int first, lastSelectable, lastNo, stno, edno;
    int beeps;
};

void PrintTo(const SetupCase& c, std::ostream* os)
{
    *os << c.name;
}

class Kikan16Setup : public ::testing::TestWithParam<SetupCase> {};

TEST_P(Kikan16Setup, LaysTheYearOut)
{
    const SetupCase& c = GetParam();
    int beeps = 0;
    SetSystemBeepHook([&] { ++beeps; });
    const TKikanYear y = SetupKikan16(c.closingDay, c.start, c.end, c.from, c.kessan, true);
    SetSystemBeepHook({});
    EXPECT_EQ(Captions(y), c.captions);
    EXPECT_EQ(y.FirstSelectable, c.first);
    EXPECT_EQ(y.LastSelectable, c.lastSelectable);
    EXPECT_EQ(y.LastNo, c.lastNo);
    EXPECT_EQ(y.Stno, c.stno);
    EXPECT_EQ(y.Edno, c.edno);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(y.Cells[i].Enabled, i >= c.first && i <= c.lastSelectable) << "cell " << i;
    if (c.beeps >= 0)
        EXPECT_EQ(beeps, c.beeps);
    else
        EXPECT_GT(beeps, 0);
}

const std::vector<std::string> kCalendar{"1", "2", "3", "・", "4",  "5",  "6",  "・",
                                         "7", "8", "9", "・", "10", "11", "12", "決"};

INSTANTIATE_TEST_SUITE_P(
    Years, Kikan16Setup,
    ::testing::Values(SetupCase{"calendar year, month end", 99, EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31),
                                EncodeDate(2024, 1, 1), true, kCalendar, 0, 15, 15, 0, 15, 0},
                      SetupCase{"21 April, closing day 20",
                                20,
                                EncodeDate(2024, 4, 21),
                                EncodeDate(2025, 4, 20),
                                EncodeDate(2024, 4, 21),
                                true,
                                {"5", "6", "7", "・", "8", "9", "10", "・", "11", "12", "1", "・", "2", "3", "4", "決"},
                                0,
                                15,
                                15,
                                0,
                                15,
                                0},
                      SetupCase{"six months from April",
                                99,
                                EncodeDate(2024, 4, 1),
                                EncodeDate(2024, 9, 30),
                                EncodeDate(2024, 4, 1),
                                true,
                                {"4", "5", "6", "・", "7", "8", "9", "決", "", "", "", "", "", "", "", ""},
                                0,
                                7,
                                7,
                                0,
                                7,
                                0},
                      SetupCase{"six months, no settlement cell",
                                99,
                                EncodeDate(2024, 4, 1),
                                EncodeDate(2024, 9, 30),
                                EncodeDate(2024, 4, 1),
                                false,
                                {"4", "5", "6", "・", "7", "8", "9", "", "", "", "", "", "", "", "", ""},
                                0,
                                6,
                                7,
                                0,
                                6,
                                0},
                      SetupCase{"start in the fourth month keeps the captions", 99, EncodeDate(2024, 1, 1),
                                EncodeDate(2024, 12, 31), EncodeDate(2024, 4, 1), true, kCalendar, 4, 15, 15, 4, 15, 0},
                      // A fiscal end outside the year: the settlement cell stays on the strip.
                      SetupCase{"fiscal end before the start",
                                99,
                                EncodeDate(2024, 4, 1),
                                EncodeDate(2024, 3, 31),
                                EncodeDate(2024, 4, 1),
                                true,
                                {"4", "5", "6", "・", "7", "8", "9", "・", "10", "11", "12", "・", "1", "2", "3", "決"},
                                0,
                                15,
                                15,
                                0,
                                15,
                                0}));

TEST(Kikan16Setup, BadClosingDaysBeepAndShowTheStartMonth)
{
    for (int day : {0, 29, 30}) {
        int beeps = 0;
        SetSystemBeepHook([&] { ++beeps; });
        const TKikanYear y =
            SetupKikan16(day, EncodeDate(2024, 4, 1), EncodeDate(2025, 3, 31), EncodeDate(2024, 4, 1), true, true);
        SetSystemBeepHook({});
        EXPECT_GT(beeps, 12) << day;
        for (int j : {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14})
            EXPECT_EQ(y.Cells[j].Caption, "4") << day << " cell " << j;
        EXPECT_EQ(y.LastNo, 15);
    }
}

TEST(Kikan16Setup, AYearLongerThanTwelveMonthsStaysOnTheStrip)
{
    const TKikanYear y =
        SetupKikan16(99, EncodeDate(2024, 4, 1), EncodeDate(2025, 5, 31), EncodeDate(2025, 5, 1), true, true);
    EXPECT_EQ(y.LastNo, 15);
    EXPECT_EQ(y.Cells.size(), 16u);
    EXPECT_EQ(y.FirstSelectable, 14);
    EXPECT_EQ(y.Cells[15].Caption, "決");
}

TEST(Kikan16Setup, SingleCellModeSelectsTheStartOnly)
{
    const TKikanYear y =
        SetupKikan16(99, EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31), EncodeDate(2024, 5, 1), true, false);
    EXPECT_EQ(y.Stno, 5);
    EXPECT_EQ(y.Edno, 5);
}

TEST(Kikan16Setup, PeriodMapFollowsTheCells)
{
    const TKikanYear y =
        SetupKikan16(99, EncodeDate(2024, 4, 1), EncodeDate(2024, 9, 30), EncodeDate(2024, 4, 1), true, true);
    const std::vector<int> expected{0, 1, 2, 3, 4, 5, 6, 15, -1, -1, -1, -1, -1, -1, -1, -1};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(y.Cells[i].Period, expected[i]) << i;
}

TEST(Kikan16Kessan, SwitchingOffAndOnAgain)
{
    TKikanYear y =
        SetupKikan16(99, EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31), EncodeDate(2024, 1, 1), true, true);
    SwitchKessan(y, false);
    EXPECT_EQ(y.LastSelectable, 14);
    EXPECT_FALSE(y.Cells[15].Enabled);
    EXPECT_EQ(y.Cells[15].Caption, "");
    EXPECT_EQ(y.LastNo, 15);
    SwitchKessan(y, true);
    EXPECT_EQ(y.LastSelectable, 15);
    EXPECT_TRUE(y.Cells[15].Enabled);
    EXPECT_EQ(y.Cells[15].Caption, "決");
    SwitchKessan(y, true);  // already at the end of the strip
    EXPECT_EQ(y.LastSelectable, 15);
}

TEST(KikanTwins, TwelveCells)
{
    const TKikanYear y =
        SetupKikan12(99, EncodeDate(2024, 4, 1), EncodeDate(2025, 3, 31), EncodeDate(2024, 6, 1), true);
    EXPECT_EQ(Captions(y), (std::vector<std::string>{"4", "5", "6", "7", "8", "9", "10", "11", "12", "1", "2", "3"}));
    EXPECT_EQ(y.LastNo, 11);
    EXPECT_EQ(y.Stno, 2);
    EXPECT_EQ(y.Edno, 11);
    EXPECT_EQ(Enabled(y),
              (std::vector<bool>{false, false, true, true, true, true, true, true, true, true, true, true}));
    EXPECT_EQ(Kikan12Period(3), 4);
    EXPECT_EQ(Kikan12Period(11), 14);
}

TEST(KikanTwins, QuartersAndHalves)
{
    const TKikanYear q =
        SetupKikan4(4, 99, EncodeDate(2024, 4, 1), EncodeDate(2025, 3, 31), EncodeDate(2024, 8, 1), true);
    EXPECT_EQ(Captions(q), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(Enabled(q), (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(q.Stno, 1);
    EXPECT_EQ(q.Edno, 3);
    const TKikanYear h =
        SetupKikan4(2, 99, EncodeDate(2024, 4, 1), EncodeDate(2024, 9, 30), EncodeDate(2024, 4, 1), false);
    EXPECT_EQ(Captions(h), (std::vector<std::string>{"上", "下", "", ""}));
    EXPECT_EQ(h.Stno, 0);
    EXPECT_EQ(h.Edno, 0);
    EXPECT_EQ(h.LastSelectable, 0);
}

TEST(KikanLayout, CellsAndSnapping)
{
    const std::vector<TCellRect> cells = ArrangeCells(248, 22, 16);
    EXPECT_EQ(cells[0].Left, 4);
    EXPECT_EQ(cells[0].Top, 3);
    EXPECT_EQ(cells[0].Height, 16);
    for (const TCellRect& c : cells)
        EXPECT_EQ(c.Width, 15);
    EXPECT_EQ(SnappedKikanWidth(242, 16), 232);
    EXPECT_EQ(SnappedKikanWidth(248, 16), 248);
    // Spare pixels widen the first cells one each.
    const std::vector<TCellRect> spare = ArrangeCells(242, 22, 16);
    EXPECT_EQ(spare[0].Width, 15);
    EXPECT_EQ(spare[9].Width, 15);
    EXPECT_EQ(spare[10].Width, 14);
    EXPECT_EQ(spare[15].Left + spare[15].Width, 242 - 4);
}

}  // namespace
