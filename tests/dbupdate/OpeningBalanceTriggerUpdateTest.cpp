// Accounting update 1.0.0 on copies of company databases of each kind
// brought to 1.0.0 by the real updates: the opening balance copied into
// the previous-balance row before the start month, by data kind, and the
// renamed comparison row.

#include "CompanyUpdateTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using companytest::DataKind;
using schematest::Session;

class OpeningBalanceTriggerTest : public dbtest::FirebirdTest {
protected:
    std::string UseCompany(DataKind kind)
    {
        const std::string path = companytest::CopyCompanyMaster(companytest::CompanyMaster("1.0.0", kind),
                                                                folder_ / dbtest::DataKindName(kind));
        // A facility of its own: its balance rows come from the facility
        // trigger, every account on department ' '.
        Session(path).Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('T1', '本店', 1)");
        return path;
    }
};

TEST_F(OpeningBalanceTriggerTest, OpeningBalanceReachesThePeriodBeforeTheStartByDataKind)
{
    struct Case {
        DataKind kind;
        int kaisino;
        const char* job;  // an OPINF row, or none
        const char* kcode;
        int mnum;
        const char* written;
    };
    const Case cases[] = {
        {DataKind::Corporation, 4, nullptr, "1101", 4, "500"},
        {DataKind::Corporation, 12, nullptr, "1101", 14, "500"},
        {DataKind::Corporation, 7, nullptr, "1101", 8, "500"},
        // The carry-forward writes the retained earnings.
        {DataKind::Corporation, 4, nullptr, "3302", 4, "0"},
        {DataKind::Individual, 4, nullptr, "3101", 4, "500"},
        {DataKind::Individual, 1, nullptr, "1101", 0, "500"},
        // Capital and drawings once a carry-forward ran or from the first month.
        {DataKind::Individual, 1, nullptr, "3101", 0, "0"},
        {DataKind::Individual, 4, "翌年度更新", "1608", 4, "0"},
        {DataKind::Individual, 4, "繰越残高調整", "2205", 4, "0"},
        {DataKind::Individual, 4, "仕訳入力", "2205", 4, "500"},
        {DataKind::Individual, 4, "翌年度更新", "1101", 4, "500"},
        {DataKind::Medical, 4, nullptr, "1101", 4, "0"},
    };
    for (const DataKind kind : {DataKind::Corporation, DataKind::Individual, DataKind::Medical}) {
        Session s(UseCompany(kind));
        for (const Case& c : cases) {
            if (c.kind != kind)
                continue;
            SCOPED_TRACE(std::string(dbtest::DataKindName(kind)) + " " + std::to_string(c.kaisino) + " " + c.kcode +
                         " " + (c.job ? c.job : "-"));
            s.Exec("UPDATE ACCDEF1 SET KAISINO = " + std::to_string(c.kaisino) + " WHERE REC = 1");
            s.Exec("DELETE FROM OPINF");
            if (c.job)
                s.Exec(std::string("INSERT INTO OPINF (JOBNAME) VALUES ('") + c.job + "')");
            const std::string key = " WHERE SCODE = 'T1' AND KCODE = '" + std::string(c.kcode) + "'";
            s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 0" + key);
            s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 0" + key);
            s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 500" + key);
            EXPECT_EQ(
                s.Line("SELECT CAST(NUKIZAN AS BIGINT) FROM KAMOKU_PZ" + key + " AND MNUM = " + std::to_string(c.mnum)),
                c.written);
            // Only the period before the start.
            EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_PZ" + key + " AND NUKIZAN <> 0 AND MNUM <> " +
                              std::to_string(c.mnum)),
                      0);
        }
    }
}

TEST_F(OpeningBalanceTriggerTest, ComparisonRow31IsRenamed)
{
    Session s(UseCompany(DataKind::Corporation));
    EXPECT_EQ(s.Line("SELECT MEISHOU FROM NAVIGORE_HIKAKU WHERE REC = 31"), "一人当たり人件費");
    EXPECT_EQ(s.Line("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1"), "1.0.0");
}

}  // namespace
