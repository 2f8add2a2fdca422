// Where every account of the shipped general charts lands in the roll-up of
// the period-range calculation: each account of a group inside the total of
// that group's kind, retained earnings brought forward of a corporation in
// the balancing group, and no balancing account in an individual's books.

#include "CalcTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

using calctest::CompanyDataTest;
using schematest::Session;

// The totals an account of each account group (GROUPM1) belongs in.
const std::map<std::string, std::set<int>>& TotalsOfGroup()
{
    static const std::map<std::string, std::set<int>> totals = {
        {"1100", {1}},     // cash and deposits
        {"1200", {2}},     // receivables
        {"1300", {3, 4}},  // inventories and other current assets
        {"1400", {6}},
        {"1500", {6}},  // tangible fixed assets
        {"1600", {7}},
        {"1700", {8}},
        {"1800", {10}},
        {"2100", {12}},
        {"2200", {13}},
        {"3100", {16}},
        {"3200", {17}},
        {"3300", {20}},
        {"4100", {28}},
        {"5100", {29}},
        {"5600", {31, 32, 46, 33}},  // the manufacturing totals 5580, 5680, 5688, 5780
        {"6100", {37}},
        {"6200", {37}},
        {"7100", {39}},
        {"7200", {40}},
        {"8100", {42}},
        {"8200", {43}},
        {"8300", {45}},
    };
    return totals;
}

class ShippedChartTest : public CompanyDataTest, public ::testing::WithParamInterface<dbtest::DataKind> {};

TEST_P(ShippedChartTest, EveryAccountLandsInTheTotalOfItsKind)
{
    Copy(GetParam());
    Session s(Path());
    const std::string retained = s.Value("SELECT KCODE FROM ACCDEF2 WHERE KNAME = '繰越利益剰余金'").value_or("");
    const bool corporation = s.Value("SELECT DATATYPE FROM ACCDEF1 WHERE REC = 1") == "1";
    int balancing = 0;
    for (const auto& row : s.Rows("SELECT KCODE, KNAME, GROUPM1, GROUPM2, BPFLG FROM KAMOKUMST")) {
        const std::string& kcode = row[0];
        const std::string& group1 = row[2];
        const std::string& group2 = row[3];
        SCOPED_TRACE(kcode + " " + row[1] + " " + group1 + "/" + group2);
        if (group1 == "9900")
            continue;  // the clearing account is never loaded
        if (group2 == "3340") {
            ++balancing;
            EXPECT_TRUE(corporation && kcode == retained);
            continue;
        }
        const auto total = RollUpTotal(group2);
        ASSERT_TRUE(total.has_value()) << "in no total";
        ASSERT_TRUE(TotalsOfGroup().count(group1)) << "a group the chart did not have";
        EXPECT_TRUE(TotalsOfGroup().at(group1).count(*total)) << "lands in total " << *total;
        EXPECT_EQ(row[4] == "B", *total <= 27) << "balance-sheet accounts roll into the sheet's totals";
    }
    EXPECT_EQ(balancing, corporation ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Charts, ShippedChartTest,
                         ::testing::Values(dbtest::DataKind::Corporation, dbtest::DataKind::Individual),
                         [](const auto& info) { return std::string(dbtest::DataKindName(info.param)); });

}  // namespace
