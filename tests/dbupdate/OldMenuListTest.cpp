#include "dbupdate/OldMenuList.h"

#include "foundation/ProgramGlobals.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

namespace {

using namespace z5MenuListOldHistory;

struct LookupCase {
    std::int32_t level, page, slot;
    std::uint8_t edition;
    const char* procId;
    const char* option;
};

void PrintTo(const LookupCase& c, std::ostream* os)
{
    *os << "(" << c.level << "," << c.page << "," << c.slot << ") edition " << int(c.edition);
}

class OldMenuLookupTest : public ::testing::TestWithParam<LookupCase> {
protected:
    std::uint8_t savedEdition_ = EditionFlag;
    void TearDown() override { EditionFlag = savedEdition_; }
};

TEST_P(OldMenuLookupTest, GivesTheProgramOfTheOldSlot)
{
    const LookupCase& c = GetParam();
    EditionFlag = c.edition;
    std::string procId = "stale", option = "stale", copy = "stale";
    GetOldMenuProc(c.level, c.page, c.slot, procId, option, copy);
    EXPECT_EQ(procId, c.procId);
    EXPECT_EQ(option, c.option);
    EXPECT_EQ(copy, c.procId);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, OldMenuLookupTest,
    ::testing::Values(LookupCase{5, 1, 0, 0, "QvSiwake", "SyoriType=1"},
                      LookupCase{5, 1, 1, 0, "QvSiwake", "SyoriType=0"}, LookupCase{1500, 2, 0, 0, "QvMBKessansyo", ""},
                      LookupCase{5, 2, 0, 0, "QvHojinKessansyo", ""},
                      // An empty slot, and a page the general layout does not have.
                      LookupCase{5, 1, 6, 0, "", ""}, LookupCase{5, 11, 0, 0, "", ""}, LookupCase{5, 0, 0, 0, "", ""},
                      // The layout changes above level 1000, not at it.
                      LookupCase{1000, 4, 4, 0, "QvKeieiBunseki", ""}, LookupCase{1001, 4, 4, 0, "QvKeieiBunseki2", ""},
                      LookupCase{1000, 11, 0, 0, "", ""}, LookupCase{1001, 11, 0, 0, "QvFuzokuKikan", ""},
                      LookupCase{1001, 10, 0, 0, "", ""}, LookupCase{1001, 12, 11, 0, "QvGenkaKeisan11", ""},
                      LookupCase{5, 8, 13, 0, "QvDataTusin", "SyoriType=8"}, LookupCase{5, 7, 16, 0, "QvUtiwake17", ""},
                      LookupCase{5, 7, 17, 0, "", ""},
                      // Editions 1 and 2 put their own programs into page 1 of the
                      // general layout, filled slots or not.
                      LookupCase{5, 1, 15, 0, "", ""}, LookupCase{5, 1, 15, 2, "QvBrendalSiwake", "SyoriType=1"},
                      LookupCase{5, 1, 17, 1, "QvKobetuIchiranhyo", ""},
                      LookupCase{5, 1, 18, 1, "QvKobetuMeisaihyo", ""}, LookupCase{5, 1, 19, 2, "QvKobetuMotocho", ""},
                      LookupCase{5, 1, 0, 2, "QvSiwake", "SyoriType=1"}, LookupCase{5, 2, 15, 2, "QvDensiChoubo", ""},
                      LookupCase{1500, 1, 15, 2, "", ""}, LookupCase{1500, 1, 19, 1, "", ""}));

TEST(OldMenuList, SlotsLieOnTheirPagesOnceEach)
{
    const auto check = [](std::span<const std::span<const TMenuListRec>> list, std::size_t pages, std::size_t filled) {
        EXPECT_EQ(list.size(), pages);
        std::set<std::pair<int, int>> seen;
        for (std::size_t page = 0; page < list.size(); ++page)
            for (const TMenuListRec& rec : list[page]) {
                EXPECT_EQ(rec.Page, static_cast<int>(page + 1));
                EXPECT_GE(rec.Position, 0);
                EXPECT_LE(rec.Position, 19);
                EXPECT_TRUE(seen.insert({rec.Page, rec.Position}).second) << rec.Page << "/" << rec.Position;
                EXPECT_NE(std::string(rec.ProcId), "");
            }
        EXPECT_EQ(seen.size(), filled);
    };
    check(GeneralMenuList(), 10, 94);
    check(SecondMenuList(), 12, 123);
}

}  // namespace
