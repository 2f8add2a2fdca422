// The medical chart's total lines that company data 8.0.2 brings: the
// business-kind bits that the trial balance selects its total lines by,
// and lines the data already held kept as they were.

#include "LaterUnitTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace laterunittest;

class MedicalTotalLinesTest : public LaterUnitDbTest {};

// The positions the trial balance reads for a business kind, as it selects
// them ("<bit>=BIN_AND( MB_JIGYOU, <bit> )").
std::vector<std::string> PositionsOfKind(schematest::Session& data, int bit)
{
    const std::string b = std::to_string(bit);
    return data.Lines("SELECT ARRAYNUM FROM ACCTOTALNAME WHERE " + b + "=BIN_AND( MB_JIGYOU, " + b +
                      " ) ORDER BY ARRAYNUM");
}

std::vector<std::string> Positions(int from, int to, std::vector<int> leftOut = {})
{
    std::vector<std::string> positions;
    for (int p = from; p <= to; ++p)
        if (std::find(leftOut.begin(), leftOut.end(), p) == leftOut.end())
            positions.push_back(std::to_string(p));
    return positions;
}

TEST_F(MedicalTotalLinesTest, EachBusinessKindReadsItsOwnRevenueLinesAndEveryOtherLine)
{
    companytest::CopyCompanyMaster(companytest::CompanyMaster("", DataKind::Medical), SystemDef.DataDir);
    auto data = Data();
    // Positions 26, 28, 30 and 31 are the revenue totals of the kinds 8, 4,
    // 2 and 1 (25, 27 and 29 the lines that add into them).
    const struct {
        int bit;
        std::vector<std::string> positions;
    } cases[] = {
        {16, Positions(1, 53)},
        {8, Positions(1, 53, {27, 28, 29, 30, 31})},
        {4, Positions(1, 53, {25, 26, 29, 30, 31})},
        {2, Positions(1, 53, {25, 26, 27, 28, 31})},
        {1, Positions(1, 53, {25, 26, 27, 28, 29, 30})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.bit));
        EXPECT_EQ(PositionsOfKind(data, c.bit), c.positions);
    }
    // The codes the chart's fixed positions and named totals rely on.
    EXPECT_EQ(data.Lines("SELECT ARRAYNUM, KGROUP, PLUSNAME, MINUSNAME, MODIFY FROM ACCTOTALNAME WHERE ARRAYNUM IN "
                         "(18, 20, 26, 31, 32, 39, 41, 45) ORDER BY ARRAYNUM"),
              (std::vector<std::string>{"18|3460|繰越利益積立金||0", "20|3480|当期純利益|当期純損失|1",
                                        "26|4180|医業収益合計||0", "31|4480|その他医業収益合計||0",
                                        "32|4800|事業収益合計||0", "39|6780|控除対象外消費税等||0",
                                        "41|6950|医業費用合計||0", "45|7300|経常利益|経常損失|1"}));
}

TEST_F(MedicalTotalLinesTest, LinesTheDataHeldKeepTheirNamesAndBelongToEveryKind)
{
    UseDataBefore802(DataKind::Medical);
    {
        auto data = Data();
        data.Exec(
            "INSERT INTO ACCTOTALNAME (REC, KGROUP, ARRAYNUM, PLUSNAME, MINUSNAME, MODIFY) "
            "VALUES (45, '7300', 45, '経常黒字', '経常赤字', 1)");
    }
    ASSERT_TRUE(RunTo({8, 0, 2}).Succeeded());
    auto data = Data();
    EXPECT_EQ(data.Line("SELECT MB_JIGYOU, KGROUP, PLUSNAME, MINUSNAME FROM ACCTOTALNAME WHERE REC = 45"),
              "31|7300|経常黒字|経常赤字");
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM ACCTOTALNAME"), 53);
}

TEST_F(MedicalTotalLinesTest, TheGeneralChartKeepsItsOwnLines)
{
    companytest::CopyCompanyMaster(companytest::CompanyMaster("", DataKind::Corporation), SystemDef.DataDir);
    auto data = Data();
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM ACCTOTALNAME"), 38);
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM ACCTOTALNAME WHERE KGROUP = '4180'"), 0);
}

}  // namespace
