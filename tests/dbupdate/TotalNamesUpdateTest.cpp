// Accounting update 1.0.5 on copies of company databases built through the
// real updates: the total lines seeded by data kind, the organisation
// dictionary's parents and the recreated job table.

#include "CompanyUpdateTestSupport.h"

#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using companytest::DataKind;
using schematest::Session;
namespace fs = std::filesystem;

class TotalNamesUpdateTest : public updtest::UpdateDbTest {};

TEST_F(TotalNamesUpdateTest, TotalLinesBySeedOfTheDataKind)
{
    struct Case {
        const char* name;
        DataKind kind;
        int codeType;
        int rows;
        std::vector<std::string> spots;  // REC|KGROUP|KESKUBUN|KOUMOKU|PLUSNAME|MINUSNAME|MODIFY|KESSAN_TEXT|KESSAN_USE
    };
    const Case cases[] = {
        {"corporation",
         DataKind::Corporation,
         1,
         38,
         {"3|1380|2|その他流動資産|その他流動資産合計||0||0",
          "18|3580|0|評価換算差額等|評価・換算差額等合計||0|評価・換算差額等|1",
          "29|5900|0|売上総利益|売上総利益|売上総損失|1||0"}},
        {"individual, general",
         DataKind::Individual,
         1,
         31,
         {"3|1380|2|その他流動資産|その他流動資産計||0||0", "25|5900|0|売上総利益|売上総利益|売上総損失|1||0",
          "31|8400|0|青色申告特別控除前|青申特別控除前所得||0||0"}},
        {"individual, real estate",
         DataKind::Individual,
         2,
         24,
         {"3|1380|0|その他流動資産計|その他流動資産計||0||0", "17|3900|0|負債純資産の部合計|負債純資産の部合計||0||0",
          "19|6180|0|販売費一般管理費|販売費・一般管理費||0||0", "20|6200|0|営業利益|営業利益|営業損失|1||0"}},
        {"individual of another code type", DataKind::Individual, 3, 0, {}},
        {"medical corporation", DataKind::Medical, 1, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(CompanyDbPath());
        companytest::CopyCompanyMaster(companytest::CompanyMaster("1.0.3", c.kind), SystemDef.DataDir);
        {
            Session s(CompanyDbPath());
            s.Exec("UPDATE ACCDEF1 SET CODETYPE = " + std::to_string(c.codeType) + " WHERE REC = 1");
            s.Exec("DELETE FROM ORGDIC_1");
            for (const char* row : {"1, 0", "2, 5", "3, 0"})
                s.Exec(std::string("INSERT INTO ORGDIC_1 (REC, CREC) VALUES (") + row + ")");
        }
        ASSERT_EQ(z5UserDbUpdate105::DoUpdate(), UpdateResultOk);
        Session s(CompanyDbPath());
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM ACCTOTALNAME"), c.rows);
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM ACCTOTALNAME WHERE VERSION <> 1"), 0);
        for (const std::string& spot : c.spots)
            EXPECT_EQ(
                s.Line("SELECT REC, KGROUP, KESKUBUN, KOUMOKU, PLUSNAME, MINUSNAME, MODIFY, KESSAN_TEXT, KESSAN_USE"
                       " FROM ACCTOTALNAME WHERE REC = " +
                       spot.substr(0, spot.find('|'))),
                spot);
        EXPECT_EQ(s.Lines("SELECT REC, CREC FROM ORGDIC_1 ORDER BY REC"),
                  (std::vector<std::string>{"1|1", "2|5", "3|3"}));
        s.Exec("INSERT INTO JOBCONTROL (REC) VALUES (1)");
        EXPECT_EQ(s.Line("SELECT LEVELNO, PAGENO, MENUNO FROM JOBCONTROL"), "1|0|0");
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = 'ONE_TIME_PROC'"), 0);
    }
}

}  // namespace
