// Accounting update 0.3.1: the communication folder column, the past-balance
// mark kept by the balance trigger, and the department-group prior-year
// balances; run on copies of a company database brought to 0.3.1 by the
// real updates.

#include "CompanyUpdateTestSupport.h"
#include "SchemaTestSupport.h"

#include "platform/db/FirebirdServerFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using schematest::Quote;
using schematest::Session;

class PastBalanceMarkTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        dbtest::FirebirdTest::SetUp();
        path_ = companytest::CopyCompanyMaster(companytest::CompanyMaster("0.3.1"), folder_ / "data");
        Session s(path_);
        // A facility of its own: its balance rows come from the facility
        // trigger, every account on department ' '.
        s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('T1', '本店', 1)");
        s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('10', '営業部')");
        s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('20', '製造部')");
    }

    static void AddKey(Session& s, const std::string& kcode, const std::string& bcode)
    {
        s.Exec("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('T1', " + Quote(kcode) + ", ' ', " +
               Quote(bcode) + ")");
    }
    static std::string Key(const std::string& kcode, const std::string& bcode)
    {
        return " WHERE SCODE = 'T1' AND KCODE = " + Quote(kcode) + " AND HCODE = ' ' AND BCODE = " + Quote(bcode);
    }

    std::string path_;
};

TEST_F(PastBalanceMarkTest, CommunicationFolderIsAnEmptyAsciiText)
{
    Session s(path_);
    EXPECT_EQ(s.Line("SELECT '[' || WEB_HOLDER || ']' FROM ACCDEF1 WHERE REC = 1"), "[]");
    EXPECT_EQ(s.Line("SELECT F.RDB$CHARACTER_LENGTH, TRIM(C.RDB$CHARACTER_SET_NAME)"
                     " FROM RDB$RELATION_FIELDS R"
                     " JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE"
                     " JOIN RDB$CHARACTER_SETS C ON C.RDB$CHARACTER_SET_ID = F.RDB$CHARACTER_SET_ID"
                     " WHERE R.RDB$RELATION_NAME = 'ACCDEF1' AND R.RDB$FIELD_NAME = 'WEB_HOLDER'"),
              "30|ASCII");
    // The folder is written by the programs: a path of 30 characters fits.
    s.Exec("UPDATE ACCDEF1 SET WEB_HOLDER = '" + std::string(30, 'x') + "' WHERE REC = 1");
}

// KAKOZAN: the largest non-zero balance of the key's periods other than
// -32, 0 when there is none.
TEST_F(PastBalanceMarkTest, MarkIsTheLargestNonZeroBalanceOutsideTheOldestPeriod)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> balances;  // MNUM, NUKIZAN
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"largest of several", {{-1, 300}, {-5, 700}, {-20, 50}}, "700"},
        {"this year's periods count too", {{-1, 300}, {3, 400}}, "400"},
        {"negative balances only", {{-1, -80}, {-2, -50}}, "-50"},
        {"zero balances do not count against a negative one", {{-3, -80}}, "-80"},
        {"the oldest period never counts", {{-32, 900}}, "0"},
        {"the oldest period beside another", {{-32, 900}, {-16, 5}}, "5"},
        {"every balance back to zero", {}, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(path_);
        // Start from a mark the trigger did not write, so a recount shows.
        s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 1" + Key("1101", " "));
        s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 0" + Key("1101", " "));
        for (const auto& [mnum, amount] : c.balances)
            s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = " + std::to_string(amount) + Key("1101", " ") +
                   " AND MNUM = " + std::to_string(mnum));
        EXPECT_EQ(s.Line("SELECT CAST(KAKOZAN AS BIGINT) FROM KAMOKU_SZ" + Key("1101", " ")), c.expected);
    }
}

// The mark is recounted only when a balance changes, and only for its own
// key: other departments and accounts keep theirs.
TEST_F(PastBalanceMarkTest, MarkFollowsOnlyBalanceChangesOfItsOwnKey)
{
    Session s(path_);
    AddKey(s, "1101", "10");
    s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 40" + Key("1101", " ") + " AND MNUM = -1");
    s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 999" + Key("1101", "10") + " AND MNUM = -1");
    s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 555" + Key("1102", " ") + " AND MNUM = -1");
    EXPECT_EQ(s.Line("SELECT CAST(KAKOZAN AS BIGINT) FROM KAMOKU_SZ" + Key("1101", " ")), "40");
    EXPECT_EQ(s.Line("SELECT CAST(KAKOZAN AS BIGINT) FROM KAMOKU_SZ" + Key("1101", "10")), "999");

    // A change of anything but the balance leaves the mark as it is.
    s.Exec("UPDATE KAMOKU_SZ SET KAKOZAN = 123" + Key("1101", " "));
    s.Exec("UPDATE KAMOKU_PZ SET ZEIGAKU = 7, NUKIZAN = NUKIZAN" + Key("1101", " "));
    EXPECT_EQ(s.Line("SELECT CAST(KAKOZAN AS BIGINT) FROM KAMOKU_SZ" + Key("1101", " ")), "123");
    s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 41" + Key("1101", " ") + " AND MNUM = -2");
    EXPECT_EQ(s.Line("SELECT CAST(KAKOZAN AS BIGINT) FROM KAMOKU_SZ" + Key("1101", " ")), "41");
}

// The group's balances are the sums over its departments, period by period
// (one department's figure was not enough); departments outside the group
// do not count, and a period without a row reads 0 rather than the figure
// of the account output before.
TEST_F(PastBalanceMarkTest, GroupBalancesAreSummedPerPeriod)
{
    {
        Session s(path_);
        for (const char* kcode : {"4101", "4102"})
            for (const char* bcode : {"00", "10", "20"}) {
                AddKey(s, kcode, bcode);
                const std::string factor = bcode == std::string("10") ? "1" : bcode == std::string("20") ? "10" : "100";
                s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = MNUM * " + factor + Key(kcode, bcode));
                s.Exec("UPDATE KAMOKU_MS SET BYOSAN = MNUM * " + factor + Key(kcode, bcode));
            }
        s.Exec("DELETE FROM KAMOKU_PZ WHERE SCODE = 'T1' AND KCODE = '4102' AND MNUM = -1");
        s.Exec("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '10')");
        s.Exec("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '20')");
    }
    Session s(path_);
    EXPECT_EQ(s.Lines("SELECT TRIM(KCODE), CAST(ZANM32 AS BIGINT), CAST(ZANM01 AS BIGINT), CAST(ZANM00 AS BIGINT),"
                      " CAST(ZANP15 AS BIGINT), CAST(YOSAN02 AS BIGINT), CAST(YOSAN15 AS BIGINT)"
                      " FROM SP_KANENDO_BUMON_GROUPZANDAKA('T1', 'G1')"
                      " WHERE KCODE IN ('4101', '4102') AND HCODE = ' ' ORDER BY KCODE"),
              (std::vector<std::string>{"4101|-352|-11|0|165|22|165", "4102|-352|0|0|165|22|165"}));
    EXPECT_TRUE(s.Lines("SELECT KCODE FROM SP_KANENDO_BUMON_GROUPZANDAKA('T1', 'G9')").empty());
}

}  // namespace
