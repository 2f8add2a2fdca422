// Accounting update 0.2.1: the one-time repair of the prior-year allocation
// ratios and of the no-department past balances, run through the real
// update on a copy of a company database at 0.2.0.

#include "CompanyUpdateTestSupport.h"
#include "SchemaTestSupport.h"
#include "UpdateTestSupport.h"

#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/DatabaseBuilder.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using schematest::Session;
namespace fs = std::filesystem;

class BalanceRepairUpdateTest : public updtest::UpdateDbTest {
protected:
    void SetUp() override
    {
        updtest::UpdateDbTest::SetUp();
        fs::remove(CompanyDbPath());
        companytest::CopyCompanyMaster(companytest::CompanyMaster("0.2.0"), SystemDef.DataDir);
    }
    dbupdate::DatabaseBuildReport Repair()
    {
        dbupdate::DatabaseBuildSettings settings = companytest::BuildSettings(folder_);
        settings.stopAt = dbupdate::UpdateVersion{0, 2, 1};
        return dbupdate::RunPendingUpdates(dbupdate::UpdateListKind::CompanyData, SystemDef.DataDir,
                                           GetAccountingUpdateList(), settings);
    }
};

// The past balances of a key, one "MNUM|NUKIZAN|ZEIGAKU|KOMIZAN|HAIBUN" a
// period from -32 up.
std::vector<std::string> PastRows(Session& s, const std::string& kcode, const std::string& hcode,
                                  const std::string& bcode)
{
    return s.Lines(
        "SELECT MNUM, NUKIZAN, ZEIGAKU, KOMIZAN, HAIBUN FROM KAMOKU_PZ"
        " WHERE SCODE = ' ' AND KCODE = '" +
        kcode + "' AND HCODE = '" + hcode + "' AND BCODE = '" + bcode + "' ORDER BY MNUM");
}

TEST_F(BalanceRepairUpdateTest, NoDepartmentPastBalancesAreClearedOnlyWhereDepartmentsHoldThem)
{
    std::vector<std::string> department, subAccount, other, account;
    {
        Session s(CompanyDbPath());
        // 1101 keeps its balances by department ('00') too; its sub-account
        // 01 and the account 1102 have no-department rows only.
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1101', '01', '本店金庫')");
        s.Exec("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '1101', '01', ' ')");
        s.Exec("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '1101', ' ', '00')");
        s.Exec(
            "UPDATE KAMOKU_PZ SET NUKIZAN = 100 + MNUM, ZEIGAKU = 8, KOMIZAN = 108 + MNUM"
            " WHERE SCODE = ' ' AND KCODE IN ('1101', '1102')");
        department = PastRows(s, "1101", " ", "00");
        subAccount = PastRows(s, "1101", "01", " ");
        other = PastRows(s, "1102", " ", " ");
        account = PastRows(s, "1101", " ", " ");
    }
    ASSERT_EQ(account.size(), 48u);

    const dbupdate::DatabaseBuildReport report = Repair();
    ASSERT_TRUE(report.Succeeded()) << report.failedResult;
    EXPECT_EQ(report.reached, (dbupdate::UpdateVersion{0, 2, 1}));

    Session s(CompanyDbPath());
    std::vector<std::string> expected;
    for (int mnum = -32; mnum <= 15; ++mnum)
        expected.push_back(
            std::to_string(mnum) + "|" +
            (mnum <= 0 ? std::string("0|0|0") : std::to_string(100 + mnum) + "|8|" + std::to_string(108 + mnum)) +
            "|100");
    EXPECT_EQ(PastRows(s, "1101", " ", " "), expected);
    EXPECT_EQ(PastRows(s, "1101", " ", "00"), department);
    EXPECT_EQ(PastRows(s, "1101", "01", " "), subAccount);
    EXPECT_EQ(PastRows(s, "1102", " ", " "), other);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = 'ONE_TIME_PROC'"), 0);
}

TEST_F(BalanceRepairUpdateTest, EarlierYearsTakeThisYearsAllocationRatiosOfTheirOwnKey)
{
    {
        Session s(CompanyDbPath());
        s.Exec("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '1101', ' ', '00')");
        s.Exec(
            "UPDATE KAMOKU_PZ SET HAIBUN = 10 + MNUM"
            " WHERE SCODE = ' ' AND KCODE = '1101' AND HCODE = ' ' AND BCODE = ' ' AND MNUM >= 1");
        s.Exec(
            "UPDATE KAMOKU_PZ SET HAIBUN = 50 + MNUM"
            " WHERE SCODE = ' ' AND KCODE = '1101' AND HCODE = ' ' AND BCODE = '00' AND MNUM >= 1");
        // Period 16, as the balance repair of the journal leaves it.
        s.Exec(
            "INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, HAIBUN) VALUES (' ', '1101', ' ', ' ', 16, 77)");
    }
    ASSERT_TRUE(Repair().Succeeded());

    Session s(CompanyDbPath());
    const auto ratios = [&s](const std::string& bcode) {
        return s.Lines(
            "SELECT MNUM, HAIBUN FROM KAMOKU_PZ WHERE SCODE = ' ' AND KCODE = '1101' AND HCODE = ' '"
            " AND BCODE = '" +
            bcode + "' ORDER BY MNUM");
    };
    // The key's rows -32 to last: this year's periods as set (base + MNUM,
    // period16 at 16), the two earlier years' periods as this year's same
    // period, 100 (the default) where this year has no such period.
    const auto expected = [](int base, int period16, int last) {
        const auto ratioOf = [&](int m) { return m == 16 ? period16 : base + m; };
        std::vector<std::string> rows;
        for (int mnum = -32; mnum <= last; ++mnum) {
            int ratio = 100;  // -32 has no period of this year behind it
            if (mnum >= 1)
                ratio = ratioOf(mnum);
            else if (mnum >= -15)
                ratio = mnum + 16 <= last ? ratioOf(mnum + 16) : 100;
            else if (mnum >= -31)
                ratio = mnum + 32 <= last ? ratioOf(mnum + 32) : 100;
            rows.push_back(std::to_string(mnum) + "|" + std::to_string(ratio));
        }
        return rows;
    };
    EXPECT_EQ(ratios(" "), expected(10, 77, 16));
    EXPECT_EQ(ratios("00"), expected(50, 0, 15));
}

}  // namespace
