#include "LaterUnitTestSupport.h"

#include "dbupdate/AnalysisSeeding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace laterunittest;
using accupdate::TCompanyKind;

int CountStarting(const std::vector<std::string>& statements, const std::string& head)
{
    int count = 0;
    for (const std::string& statement : statements)
        count += statement.starts_with(head) ? 1 : 0;
    return count;
}

struct SeedCase {
    const char* name;
    int fix;  // 802, 803 or 902
    TCompanyKind kind;
    int edition;
    int groups, rules, rates;
};

class SeedStatements : public ::testing::TestWithParam<SeedCase> {};

TEST_P(SeedStatements, WriteWhatTheKindCodeTypeAndEditionAskFor)
{
    const SeedCase& c = GetParam();
    const std::vector<std::string> statements = c.fix == 802 ? accupdate::CorporateAnalysisStatements(c.kind, c.edition)
                                                : c.fix == 803
                                                    ? accupdate::IndividualAnalysisStatements(c.kind, c.edition)
                                                    : accupdate::MedicalAnalysisStatements(c.kind);
    EXPECT_EQ(CountStarting(statements, "INSERT INTO KAMOKU_KOSEI_GROUP VALUES("), c.groups);
    EXPECT_EQ(CountStarting(statements, "INSERT INTO NAVIGORE_YOJITU_HYOKARULE VALUES("), c.rules);
    EXPECT_EQ(CountStarting(statements, "UPDATE KAMOKUMST SET NAVIGORE_YOJITU_RATE1="), c.rates);
    EXPECT_EQ(statements.size(), static_cast<std::size_t>(c.groups + c.rules + c.rates));
}

INSTANTIATE_TEST_SUITE_P(Cases, SeedStatements,
                         ::testing::Values(SeedCase{"CorporationStandard", 802, {1, 1}, 0, 12, 12, 4},
                                           SeedCase{"CorporationEdition", 802, {1, 1}, 1, 19, 12, 4},
                                           SeedCase{"CorporateFixOnIndividual", 802, {2, 1}, 0, 0, 0, 0},
                                           SeedCase{"CorporateFixOnMedical", 802, {3, 1}, 0, 0, 0, 0},
                                           SeedCase{"IndividualGeneral", 803, {2, 1}, 0, 10, 10, 2},
                                           SeedCase{"IndividualClinic", 803, {2, 3}, 0, 10, 10, 2},
                                           SeedCase{"IndividualClinicEdition", 803, {2, 3}, 2, 0, 10, 2},
                                           SeedCase{"IndividualRealEstate", 803, {2, 2}, 0, 3, 10, 2},
                                           SeedCase{"IndividualFarming", 803, {2, 4}, 0, 7, 10, 2},
                                           SeedCase{"IndividualFarmingEdition", 803, {2, 4}, 1, 7, 10, 2},
                                           SeedCase{"IndividualFixOnMedical", 803, {3, 1}, 0, 0, 0, 0},
                                           SeedCase{"Medical", 902, {3, 1}, 0, 0, 12, 4},
                                           SeedCase{"MedicalFixOnCorporation", 902, {1, 1}, 0, 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SeedStatementTexts, KeepTheirOrderAndValues)
{
    const std::vector<std::string> edition = accupdate::CorporateAnalysisStatements({1, 1}, 1);
    EXPECT_EQ(edition.front(), "INSERT INTO KAMOKU_KOSEI_GROUP VALUES('法人税等','98100',' ')");
    // 59600 comes before 59300.
    EXPECT_EQ(edition[14], "INSERT INTO KAMOKU_KOSEI_GROUP VALUES('期首期末棚卸','59600',' ')");
    EXPECT_EQ(edition[15], "INSERT INTO KAMOKU_KOSEI_GROUP VALUES('期首期末棚卸','59300',' ')");
    EXPECT_EQ(edition[19], "INSERT INTO NAVIGORE_YOJITU_HYOKARULE VALUES('4800','売上',0.95,0,1.05,1)");
    EXPECT_EQ(edition[20], "INSERT INTO NAVIGORE_YOJITU_HYOKARULE VALUES('5100','変動費',1.05,1,0.95,0)");
    EXPECT_EQ(edition.back(),
              "UPDATE KAMOKUMST SET NAVIGORE_YOJITU_RATE1=1.05,NAVIGORE_YOJITU_KIND1=1,NAVIGORE_YOJITU_RATE2=0.95,"
              "NAVIGORE_YOJITU_KIND2=0 WHERE GROUPM1='8200'");
    const std::vector<std::string> medical = accupdate::MedicalAnalysisStatements({3, 1});
    EXPECT_EQ(medical[11], "INSERT INTO NAVIGORE_YOJITU_HYOKARULE VALUES('8300','税引前当期純利益',0.95,0,1.05,1)");
    const std::vector<std::string> individual = accupdate::IndividualAnalysisStatements({2, 1}, 0);
    EXPECT_EQ(individual[19],
              "INSERT INTO NAVIGORE_YOJITU_HYOKARULE VALUES('8400','青申特別控除前所得',0.95,0,1.05,1)");
}

// The seeding through the units: each kind gets its rows from its own
// update, and the account rates land on the accounts of the group.
class SeedingRunTest : public LaterUnitDbTest {};

TEST_F(SeedingRunTest, CorporationGetsItsGroupsRulesAndRatesFrom802Only)
{
    UseDataBefore802(DataKind::Corporation);
    const char* otherRates =
        "SELECT KCODE,NAVIGORE_YOJITU_RATE1,NAVIGORE_YOJITU_KIND1,NAVIGORE_YOJITU_RATE2,"
        "NAVIGORE_YOJITU_KIND2 FROM KAMOKUMST WHERE GROUPM1 NOT IN ('7100','7200','8100','8200') "
        "ORDER BY KCODE";
    const std::vector<std::string> ratesBefore = Data().Lines(otherRates);
    const dbupdate::DatabaseBuildReport report = RunTo({9, 0, 2});
    ASSERT_TRUE(report.Succeeded()) << report.failedResult;
    auto data = Data();
    EXPECT_EQ(data.Lines("SELECT GROUPNAME,KCODE,RESERVE FROM KAMOKU_KOSEI_GROUP WHERE GROUPNAME='法人税等'"),
              (std::vector<std::string>{"法人税等|8301| ", "法人税等|8302| "}));
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM KAMOKU_KOSEI_GROUP"), 12);
    EXPECT_EQ(data.Line("SELECT GNAME,RATE1,KIND1,RATE2,KIND2 FROM NAVIGORE_YOJITU_HYOKARULE WHERE GCODE='8290'"),
              "税引前当期純利益|0.95|0|1.05|1");
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM NAVIGORE_YOJITU_HYOKARULE"), 12);
    const int accounts7200 = data.Count("SELECT COUNT(*) FROM KAMOKUMST WHERE GROUPM1='7200'");
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM KAMOKUMST WHERE GROUPM1='7200' AND NAVIGORE_YOJITU_RATE1=1.05 "
                         "AND NAVIGORE_YOJITU_KIND1=1 AND NAVIGORE_YOJITU_RATE2=0.95 AND NAVIGORE_YOJITU_KIND2=0"),
              accounts7200);
    // Accounts outside the groups keep the rates they had.
    EXPECT_EQ(data.Lines(otherRates), ratesBefore);
}

TEST_F(SeedingRunTest, MedicalCorporationGetsItsRulesFrom902Only)
{
    UseDataBefore802(DataKind::Medical);
    ASSERT_TRUE(RunTo({9, 0, 1}).Succeeded());
    EXPECT_EQ(Data().Count("SELECT COUNT(*) FROM NAVIGORE_YOJITU_HYOKARULE"), 0);
    ASSERT_TRUE(RunTo({9, 0, 2}).Succeeded());
    auto data = Data();
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM KAMOKU_KOSEI_GROUP"), 0);
    EXPECT_EQ(data.Lines("SELECT GCODE||'='||GNAME FROM NAVIGORE_YOJITU_HYOKARULE WHERE GCODE IN ('4800','8300') "
                         "ORDER BY GCODE"),
              (std::vector<std::string>{"4800=事業収益", "8300=税引前当期純利益"}));
}

TEST_F(SeedingRunTest, IndividualGetsItsRowsFrom803)
{
    UseDataBefore802(DataKind::Individual);
    ASSERT_TRUE(RunTo({8, 0, 3}).Succeeded());
    auto data = Data();
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM KAMOKU_KOSEI_GROUP"), 10);
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM KAMOKU_KOSEI_GROUP WHERE GROUPNAME='法人税等'"), 0);
    EXPECT_EQ(data.Line("SELECT GNAME FROM NAVIGORE_YOJITU_HYOKARULE WHERE GCODE='8400'"), "青申特別控除前所得");
}

// A fix that raises ends the stage with 19: the fixes after it do not run,
// and what the stage wrote before the error is committed (the run's copy of
// the database decides what survives).
TEST_F(SeedingRunTest, FailingFixEndsTheStageWith19)
{
    UseDataBefore802(DataKind::Corporation);
    ASSERT_TRUE(RunTo({8, 0, 2}).Succeeded());
    bool laterFixRan = false;
    const std::int32_t result = accupdate::RunDataFixes(
        {[](const accupdate::TDataFixContext& context) {
             accupdate::ExecuteCompanyStatements(
                 context, {"INSERT INTO KAMOKU_KOSEI_GROUP VALUES('試験','0001',' ')", "UPDATE NO_SUCH_TABLE SET X=1"});
         },
         [&](const accupdate::TDataFixContext&) { laterFixRan = true; }},
        TCompanyKind{1, 1}, "SeedingRunTest");
    EXPECT_EQ(result, 19);
    EXPECT_FALSE(laterFixRan);
    EXPECT_EQ(Data().Count("SELECT COUNT(*) FROM KAMOKU_KOSEI_GROUP WHERE GROUPNAME='試験'"), 1);
}

}  // namespace
