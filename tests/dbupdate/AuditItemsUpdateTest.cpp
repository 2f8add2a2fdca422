// Accounting update 0.4.1 on copies of company databases of each kind
// brought to 0.4.0 by the real updates: the standard audit items replace
// whatever the data had, with the account searches of the data's chart.

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

class AuditItemsUpdateTest : public updtest::UpdateDbTest {
protected:
    void UseCompanyAt(const std::string& version, DataKind kind)
    {
        fs::remove(CompanyDbPath());
        companytest::CopyCompanyMaster(companytest::CompanyMaster(version, kind), SystemDef.DataDir);
    }
};

TEST_F(AuditItemsUpdateTest, StandardItemsByDataKind)
{
    struct Case {
        DataKind kind;
        std::vector<std::string> searches;  // REC, TOZ_KCODE, MOT_KCODE of the rows with an account
    };
    // A medical corporation keeps the corporation's chart, and with it the
    // corporation's accounts.
    const std::vector<std::string> corporation{"3|1102|<null>", "8|<null>|1306", "9|<null>|1101", "10|<null>|6206",
                                               "12|<null>|6212"};
    const Case cases[] = {
        {DataKind::Corporation, corporation},
        {DataKind::Individual, {"3|1102|<null>", "8|<null>|2104", "9|<null>|1101", "10|<null>|6109", "12|<null>|6107"}},
        {DataKind::Medical, corporation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(dbtest::DataKindName(c.kind));
        UseCompanyAt("0.4.0", c.kind);
        {
            Session s(CompanyDbPath());
            s.Exec("INSERT INTO KANSA_ITEM (REC, JUNJO, TEXT) VALUES (20, 20, '独自の項目')");
        }
        ASSERT_EQ(z5UserDbUpdate041::DoUpdate(), UpdateResultOk);
        Session s(CompanyDbPath());
        EXPECT_EQ(s.Lines("SELECT REC, TOZ_KCODE, MOT_KCODE FROM KANSA_ITEM"
                          " WHERE TOZ_KCODE IS NOT NULL OR MOT_KCODE IS NOT NULL ORDER BY REC"),
                  c.searches);
        EXPECT_EQ(s.Line("SELECT COUNT(*), MIN(REC), MAX(REC), SUM(IIF(JUNJO = REC, 1, 0)), SUM(PRINT),"
                         " SUM(CHECKMARK) FROM KANSA_ITEM"),
                  "12|1|12|12|0|0");
        EXPECT_EQ(s.Lines("SELECT REC, CHOUBO, KENSAKU, TEXT FROM KANSA_ITEM WHERE REC IN (1, 3, 11, 12) ORDER BY REC"),
                  (std::vector<std::string>{"1|1|1|監査済み仕訳の修正チェック", "3|3|0|当座残高調整表の作成",
                                            "11|1|1|高額経費の確認", "12|2|0|消費税区分の確認"}));
        EXPECT_EQ(s.Line("SELECT NOTE FROM KANSA_ITEM WHERE REC = 10"),
                  "修繕費の中に資本的支出（維持管理・原状回復費用）が含まれているかどうかを確認しました。");
    }
}

// The items are deleted before the new ones go in: a data kind that cannot
// be read stops the update, and the data keeps its items and its version.
TEST_F(AuditItemsUpdateTest, UnreadableDataKindKeepsTheItems)
{
    UseCompanyAt("0.4.0", DataKind::Corporation);
    const std::string before = Session(CompanyDbPath()).Line("SELECT COUNT(*) FROM KANSA_ITEM");
    fs::rename(CompanyDbPath(), CompanyDbPath() + ".away");
    EXPECT_THROW(z5UserDbUpdate041::Script(), TUpdateScriptError);
    fs::rename(CompanyDbPath() + ".away", CompanyDbPath());
    Session s(CompanyDbPath());
    EXPECT_EQ(s.Line("SELECT COUNT(*) FROM KANSA_ITEM"), before);
    EXPECT_EQ(s.Line("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1"), "0.4.0");
}

}  // namespace
