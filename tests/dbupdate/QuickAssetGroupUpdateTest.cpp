// Accounting update 0.3.4 on a copy of a company database brought to 0.3.3
// by the real updates: the system-account lookup and the quick-asset group
// of the trial-balance layouts.

#include "CompanyUpdateTestSupport.h"

#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using schematest::Session;
namespace fs = std::filesystem;

class QuickAssetGroupUpdateTest : public updtest::UpdateDbTest {
protected:
    void SetUp() override
    {
        updtest::UpdateDbTest::SetUp();
        fs::remove(CompanyDbPath());
        companytest::CopyCompanyMaster(companytest::CompanyMaster("0.3.3"), SystemDef.DataDir);
    }
};

TEST_F(QuickAssetGroupUpdateTest, QuickAssetsAndLayoutLinesMoveToGroup1130)
{
    {
        Session s(CompanyDbPath());
        for (const char* kcode : {"1141", "1144", "1147"})
            s.Exec(
                std::string("INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('") +
                kcode + "', '" + kcode + "', '当座資産" + kcode + "', '1100', '1100', 'B', 1)");
    }
    ASSERT_EQ(z5UserDbUpdate034::DoUpdate(), UpdateResultOk);
    Session s(CompanyDbPath());
    EXPECT_EQ(s.Lines("SELECT KCODE, GROUPM2 FROM KAMOKUMST WHERE KCODE IN ('1141', '1144', '1147') ORDER BY KCODE"),
              (std::vector<std::string>{"1141|1130", "1144|1100", "1147|1130"}));
    for (const char* layout : {"EXTERA4", "EXTERA3"}) {
        SCOPED_TRACE(layout);
        EXPECT_EQ(
            s.Lines(std::string("SELECT REC, KGROUP, SUBREC FROM ") + layout +
                    " WHERE REC BETWEEN 7 AND 12 ORDER BY REC"),
            (std::vector<std::string>{"7|1130|1", "8|1130|2", "9|1130|3", "10|1130|4", "11|1130|5", "12|1130|6"}));
        EXPECT_EQ(s.Count(std::string("SELECT COUNT(*) FROM ") + layout + " WHERE REC IN (6, 13) AND KGROUP = '1130'"),
                  0);
    }
    // The settlement layout keeps its lines.
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM EXTERKS WHERE KGROUP = '1130'"), 0);
    EXPECT_EQ(s.Line("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1"), "0.3.4");
}

// One row for every name: the smallest code of the name, or an empty code.
TEST_F(QuickAssetGroupUpdateTest, LookupAnswersOneRowForEveryName)
{
    ASSERT_EQ(z5UserDbUpdate034::DoUpdate(), UpdateResultOk);
    Session s(CompanyDbPath());
    s.Exec("INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2102', '二重の名前')");
    s.Exec("INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2101', '二重の名前')");
    struct Case {
        const char* name;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"仮受消費税", {"[2109]"}},
        {"二重の名前", {"[2101]"}},
        {"元入金", {"[]"}},
        {"", {"[]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(s.Lines(std::string("SELECT '[' || CODE || ']' FROM SYSKMKCODEINF('") + c.name + "')"), c.rows);
    }
}

}  // namespace
