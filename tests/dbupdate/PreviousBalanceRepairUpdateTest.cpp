// Accounting update 1.0.2 on copies of company databases brought to 1.0.1
// (and 1.0.2) by the real updates: the previous-balance check and repair
// through the program's connection, the converted fixed assets, the
// journal repair, the system-account names and the department trial
// balance.

#include "CompanyUpdateTestSupport.h"

#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using companytest::DataKind;
using schematest::Quote;
using schematest::Session;
namespace fs = std::filesystem;

class PreviousBalanceRepairTest : public updtest::UpdateDbTest {
protected:
    void UseCompanyAt(const std::string& version, DataKind kind = DataKind::Corporation)
    {
        fs::remove(CompanyDbPath());
        companytest::CopyCompanyMaster(companytest::CompanyMaster(version, kind), SystemDef.DataDir);
        Session(CompanyDbPath()).Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('T1', '本店', 1)");
    }
    static std::string Key(const std::string& kcode, const std::string& bcode = " ")
    {
        return " WHERE SCODE = 'T1' AND KCODE = " + Quote(kcode) + " AND HCODE = ' ' AND BCODE = " + Quote(bcode);
    }
    // Opening balances of the accounts on facility T1, and previous balances
    // that disagree with them everywhere.
    void SetOpenings(const std::vector<std::string>& kcodes)
    {
        Session s(CompanyDbPath());
        for (const std::string& kcode : kcodes)
            s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 700" + Key(kcode));
        s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 1 WHERE SCODE = 'T1'");
    }
    std::string Version() const
    {
        return Session(CompanyDbPath())
            .Line("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1");
    }
};

TEST_F(PreviousBalanceRepairTest, OpeningBalancesGoToThePeriodBeforeTheStart)
{
    struct Case {
        const char* name;
        DataKind kind;
        const char* kaisi;
        int kaisino;
        int mnum;
        std::vector<std::string> written;  // KCODE|NUKIZAN at mnum, in code order
    };
    const std::vector<std::string> accounts{"1101", "3101", "4101"};
    const Case cases[] = {
        {"corporation from mid-year: every row, profit and loss too",
         DataKind::Corporation,
         "2026-07-01",
         4,
         4,
         {"1101|700", "3101|700", "4101|700"}},
        {"corporation from the first day: balance-sheet rows only",
         DataKind::Corporation,
         "2026-04-01",
         1,
         0,
         {"1101|700", "3101|700", "4101|1"}},
        {"individual from the first day: not capital and drawings",
         DataKind::Individual,
         "2026-04-01",
         1,
         0,
         {"1101|700", "3101|1", "4101|1"}},
        {"individual from October", DataKind::Individual, "2026-10-01", 7, 8, {"1101|700", "3101|700", "4101|700"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseCompanyAt("1.0.1", c.kind);
        Session(CompanyDbPath())
            .Exec(std::string("UPDATE ACCDEF1 SET KISHU = '2026-04-01', KAISI = '") + c.kaisi +
                  "', KAISINO = " + std::to_string(c.kaisino) + " WHERE REC = 1");
        SetOpenings(accounts);
        ASSERT_EQ(z5UserDbUpdate102::DoUpdate(), UpdateResultOk);
        Session s(CompanyDbPath());
        EXPECT_EQ(s.Lines("SELECT KCODE, CAST(NUKIZAN AS BIGINT) FROM KAMOKU_PZ WHERE SCODE = 'T1' AND HCODE = ' '"
                          " AND BCODE = ' ' AND KCODE IN ('1101', '3101', '4101') AND MNUM = " +
                          std::to_string(c.mnum) + " ORDER BY KCODE"),
                  c.written);
        EXPECT_EQ(Version(), "1.0.2");
    }
}

// A failing repair takes back all it changed, tells the user, and writes
// no script: the data stays at its version.
TEST_F(PreviousBalanceRepairTest, FailedRepairRollsBackAndStopsTheUpdate)
{
    UseCompanyAt("1.0.1");
    SetOpenings({"1101", "1102"});
    {
        Session s(CompanyDbPath());
        s.Exec("CREATE EXCEPTION E_REPAIR_TEST 'no'");
        s.Exec(
            "CREATE TRIGGER T_REPAIR_TEST FOR KAMOKU_PZ BEFORE UPDATE AS BEGIN"
            " IF (NEW.KCODE = '1102') THEN EXCEPTION E_REPAIR_TEST; END");
    }
    EXPECT_EQ(z5UserDbUpdate102::DoUpdate(), UpdateResultScriptError);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text, "Ver 1.0.2のデータベース更新に失敗しました。(過年度残高の評価と修復)");
    EXPECT_FALSE(fs::exists(ScriptPath()));
    Session s(CompanyDbPath());
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_PZ WHERE SCODE = 'T1' AND NUKIZAN <> 1"), 0);
    EXPECT_EQ(Version(), "1.0.1");
}

// Converted data: every asset counts as bought in, and one on an account
// outside the fixed assets moves to the first fixed-asset account with
// balance rows; the system accounts keep only the names the programs look
// up.
TEST_F(PreviousBalanceRepairTest, ConvertedAssetsAndSystemAccountNames)
{
    UseCompanyAt("1.0.1");
    {
        Session s(CompanyDbPath());
        s.Exec("UPDATE ACCDEF1 SET CONVERT = 1 WHERE REC = 1");
        s.Exec(
            "INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, SYUNYUHCODE)"
            " VALUES (1, 'T1', '1101', ' ', NULL, NULL, NULL, NULL)");
        s.Exec(
            "INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, SYUNYUHCODE)"
            " VALUES (2, 'T1', '1402', ' ', NULL, NULL, NULL, NULL)");
    }
    const std::string firstFixed =
        Session(CompanyDbPath())
            .Line(
                "SELECT MIN(K.KCODE) FROM KAMOKUMST K WHERE K.GROUPM0 BETWEEN '1400' AND '1800'"
                " AND EXISTS (SELECT 1 FROM KAMOKU_SZ Z WHERE Z.KCODE = K.KCODE)");
    ASSERT_EQ(z5UserDbUpdate102::DoUpdate(), UpdateResultOk);
    Session s(CompanyDbPath());
    EXPECT_EQ(s.Lines("SELECT REC, KCODE, HCODE, ISINPSYUTOKIN FROM KS_SISAN ORDER BY REC"),
              (std::vector<std::string>{"1|" + firstFixed + "| |1", "2|1402| |1"}));
    EXPECT_EQ(s.Lines("SELECT KNAME FROM ACCDEF2 ORDER BY KNAME"),
              (std::vector<std::string>{"仮受消費税", "仮払消費税", "繰越利益剰余金", "現金", "諸口"}));
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = 'ONE_TIME_PROC'"), 0);
}

// The totals come from the live rows alone (a row without a flag is not
// live); running the repair again changes nothing.
TEST_F(PreviousBalanceRepairTest, JournalRepairCountsLiveRowsAndRepeats)
{
    UseCompanyAt("1.0.2");
    Session s(CompanyDbPath());
    s.Exec("DELETE FROM KAMOKU_MS" + Key("1102") + " AND MNUM = 16");
    const auto post = [&](int rec, const char* delflg, int taishaku, const char* kcode, int nuk) {
        s.Exec(
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM, TAXUH, NUK,"
            " ZEI) VALUES (" +
            std::to_string(rec) + ", " + std::to_string((rec + 1) / 2) + ", 1, " + delflg + ", " +
            std::to_string(taishaku) + ", 'T1', '" + kcode + "', ' ', ' ', 2, 1, " + std::to_string(nuk) + ", 5)");
    };
    post(1, "0", 1, "1101", 100);
    post(2, "0", 2, "1102", 100);
    post(3, "NULL", 1, "1101", 40);
    post(4, "1", 2, "1102", 40);
    const std::string totals =
        "SELECT KCODE, CAST(KAR_NUK AS BIGINT), CAST(KAR_TAX AS BIGINT), CAST(KAS_NUK AS BIGINT)"
        " FROM KAMOKU_MS WHERE SCODE = 'T1' AND KCODE IN ('1101', '1102') AND HCODE = ' '"
        " AND BCODE = ' ' AND MNUM = 2 ORDER BY KCODE";
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        EXPECT_EQ(s.Line("SELECT RPCNT FROM SP_SIWAKE_REPAIR"), "2");
        EXPECT_EQ(s.Lines(totals), (std::vector<std::string>{"1101|100|5|0", "1102|0|0|100"}));
        EXPECT_EQ(s.Line("SELECT SIWAKECOUNT FROM SISETUMST WHERE SCODE = 'T1'"), "1");
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_MS" + Key("1102") + " AND MNUM = 16"), 1);
    }
}

// The department trial balance: the common department's share rounds half
// away from zero and holds balances beyond what a product of two
// four-place numerics can; without allocation the department's own opening
// balance stands also when the books start mid-year.
TEST_F(PreviousBalanceRepairTest, DepartmentTrialBalanceAllocatesTheCommonDepartment)
{
    UseCompanyAt("1.0.2");
    Session s(CompanyDbPath());
    s.Exec("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('10', '営業部') MATCHING (BCODE)");
    s.Exec("UPDATE ACCDEF1 SET KAISINO = 4, BUMON = 1 WHERE REC = 1");
    for (const char* bcode : {"00", "10"})
        s.Exec(std::string("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('T1', '6101', ' ', '") + bcode +
               "')");
    s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 30, HAIBUN01 = 50, HAIBUN02 = 70, HAIBUN05 = 30" + Key("6101", "10"));
    s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 1000, HAIBUN01 = 50, HAIBUN02 = 30, HAIBUN05 = 30" + Key("6101", "00"));
    s.Exec("UPDATE KAMOKU_MS SET KAR_NUK = -1001" + Key("6101", "00") + " AND MNUM = 1");
    s.Exec("UPDATE KAMOKU_MS SET KAR_NUK = 1000000000000" + Key("6101", "00") + " AND MNUM = 2");
    s.Exec("UPDATE KAMOKU_MS SET KAR_NUK = 7" + Key("6101", "10") + " AND MNUM = 1");
    const std::string columns = "SELECT CAST(KAISIZAN AS BIGINT), CAST(KAR01 AS BIGINT), CAST(KAR02 AS BIGINT)";
    const std::string where = " WHERE KCODE = '6101' AND HCODE = ''";
    // The start month 4 is period 5: its rate 30 % allocates the opening.
    EXPECT_EQ(s.Line(columns + " FROM SP_SISANHYO_BUMON(0, 1, 'T1', '10')" + where), "330|-494|700000000000");
    EXPECT_EQ(s.Line(columns + " FROM SP_SISANHYO_BUMON(0, 1, 'T1', '00')" + where), "300|-501|300000000000");
    EXPECT_EQ(s.Line(columns + " FROM SP_SISANHYO_BUMON(0, 0, 'T1', '10')" + where), "30|7|0");
}

}  // namespace
