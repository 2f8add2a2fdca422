// Accounting update 0.2.2, first block: the second account group, the
// account view built on it, the chart settings table, the fixed-asset
// journal settings written anew, the blue-return tables that changed, and
// the opening-balance lists; run through the real update on copies of
// company databases.

#include "CompanyUpdateTestSupport.h"
#include "SchemaTestSupport.h"
#include "UpdateTestSupport.h"

#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/DatabaseBuilder.h"
#include "platform/Cp932.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using schematest::Session;
namespace fs = std::filesystem;

class AccountViewUpdateTest : public updtest::UpdateDbTest {
protected:
    // The data folder's database: a copy of the master at version.
    void UseCompanyAt(const std::string& version)
    {
        fs::remove(CompanyDbPath());
        companytest::CopyCompanyMaster(companytest::CompanyMaster(version), SystemDef.DataDir);
    }
    dbupdate::DatabaseBuildReport Update()
    {
        dbupdate::DatabaseBuildSettings settings = companytest::BuildSettings(folder_);
        settings.stopAt = dbupdate::UpdateVersion{0, 2, 2};
        return dbupdate::RunPendingUpdates(dbupdate::UpdateListKind::CompanyData, SystemDef.DataDir,
                                           GetAccountingUpdateList(), settings);
    }
    // The unit's script as UTF-8 lines.
    static std::vector<std::string> ScriptLines()
    {
        const std::string text = z5UserDbUpdate022::Script().Text();
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(cp932::ToUtf8(text.substr(start, end - start)));
        return lines;
    }
};

// The columns of a table or view in their order, joined by ",".
std::string ColumnsOf(Session& s, const std::string& relation)
{
    std::string columns;
    for (const std::string& name :
         s.Lines("SELECT TRIM(RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = '" + relation +
                 "' ORDER BY RDB$FIELD_POSITION"))
        columns += (columns.empty() ? "" : ",") + name;
    return columns;
}

int ObjectCount(Session& s, const std::string& table, const std::string& column, const std::string& name)
{
    return s.Count("SELECT COUNT(*) FROM " + table + " WHERE " + column + " = '" + name + "'");
}

TEST_F(AccountViewUpdateTest, GroupColumnViewAndChartSettingsAreBuiltAnew)
{
    UseCompanyAt("0.2.1");
    {
        Session s(CompanyDbPath());
        s.Exec("UPDATE KAMOKUMST SET GROUPM1 = '1150', GROUPM2 = '1000' WHERE KCODE = '1102'");
        s.Exec("INSERT INTO CHARTINF (OPCODE, CTYPE1) VALUES (7, 3)");
        // Balance rows whose department or sub-account does not exist.
        s.Exec("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '1101', ' ', 'ZZ', 5)");
        s.Exec("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '1101', 'X9', ' ', 6)");
    }
    const dbupdate::DatabaseBuildReport report = Update();
    ASSERT_TRUE(report.Succeeded()) << report.failedResult;
    EXPECT_EQ(report.reached, (dbupdate::UpdateVersion{0, 2, 2}));

    Session s(CompanyDbPath());
    EXPECT_EQ(s.Line("SELECT TRIM(RDB$FIELD_SOURCE) FROM RDB$RELATION_FIELDS"
                     " WHERE RDB$RELATION_NAME = 'KAMOKUMST' AND RDB$FIELD_NAME = 'GROUPM0'"),
              "AC_CODE");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKUMST WHERE GROUPM0 IS DISTINCT FROM GROUPM1"), 0);
    EXPECT_EQ(s.Line("SELECT GROUPM0, GROUPM1, GROUPM2 FROM KAMOKUMST WHERE KCODE = '1102'"), "1150|1150|1000");

    EXPECT_EQ(ColumnsOf(s, "KAMOKU_VIEW"),
              "SCODE,SNAME,GROUPM0,GROUPM1,GROUPM2,KCODE,USERCODE,KNAME,DAC,BCODE,BNAME,BPFLG,HCODE,HNAME,KAISIZAN");
    EXPECT_EQ(s.Line("SELECT SCODE, GROUPM0, GROUPM1, GROUPM2, KCODE, USERCODE, KNAME, DAC, BCODE, BNAME, BPFLG, HCODE,"
                     " KAISIZAN FROM KAMOKU_VIEW WHERE KCODE = '1102'"),
              " |1150|1150|1000|1102|1102|当座預金|1| ||B| |0");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_VIEW"), s.Count("SELECT COUNT(*) FROM KAMOKU_SZ") - 2);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_VIEW WHERE KCODE = '1101'"), 1);

    EXPECT_EQ(ColumnsOf(s, "CHARTINF"),
              "OPCODE,CTYPE1,CTYPE2,CTYPE3,CTYPE4,BAKCOL,FORCOL,GRID,FONTSIZE,ECOL1,ECOL2,ECOL3,ECOL4,THREE_D,HANREI,"
              "TANI,HASUU,RESERVE1,RESERVE2,RESERVE3");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM CHARTINF"), 0);
    s.Exec("INSERT INTO CHARTINF (OPCODE) VALUES (1)");
    EXPECT_EQ(s.Line("SELECT * FROM CHARTINF"), "1|0|0|0|0|16777215|0|3|2|16711680|65535|255|16776960|20|1|0|0|0|0|0");
    EXPECT_ANY_THROW(s.Exec("INSERT INTO CHARTINF (OPCODE) VALUES (1)"));

    // What the block leaves behind and what it put back.
    EXPECT_EQ(ObjectCount(s, "RDB$PROCEDURES", "RDB$PROCEDURE_NAME", "ONE_TIME_PROC"), 0);
    for (const char* procedure : {"SP_BUMONKAISIZAN_COUNT", "SP_BUMONKAISIZAN_LIST", "SP_KAISIZAN_LIST",
                                  "SP_KAISIZAN_COUNT", "SP_KANENDOZAN_YOMIKOMI"})
        EXPECT_EQ(ObjectCount(s, "RDB$PROCEDURES", "RDB$PROCEDURE_NAME", procedure), 1) << procedure;
    EXPECT_EQ(s.Line("SELECT CM_ORDER, CM_DEL, CM_MKU, CM_MARGIN, CM_KIND, CM_GROUP FROM CASHFMST WHERE CM_REC = 85"),
              "1|1|1|0|0|30");
}

TEST_F(AccountViewUpdateTest, BlueReturnTablesAreRecreatedWithTheirNewColumns)
{
    UseCompanyAt("0.2.1");
    {
        Session s(CompanyDbPath());
        s.Exec("INSERT INTO AO_SINKOKU (REC) VALUES (1)");
        s.Exec("INSERT INTO AO_RISI (REC, SIHARAISAKI1, KIMARU) VALUES (5, '銀行', 100)");
        s.Exec("INSERT INTO AO_FUDOUSAN (REC, SHOZAITI) VALUES (1, '東京')");
    }
    ASSERT_TRUE(Update().Succeeded());

    Session s(CompanyDbPath());
    EXPECT_EQ(s.Lines("SELECT REC, TEGAKI FROM AO_SINKOKU"), (std::vector<std::string>{"1|0"}));
    EXPECT_EQ(ColumnsOf(s, "AO_RISI"), "REC,SIHARAISAKI1,SIHARAISAKI2,KIMATU,RISI,KEIHI");
    EXPECT_EQ(
        s.Lines("SELECT * FROM AO_RISI ORDER BY REC"),
        (std::vector<std::string>{"1|<null>|<null>|<null>|<null>|<null>", "2|<null>|<null>|<null>|<null>|<null>"}));
    EXPECT_EQ(ColumnsOf(s, "AO_FUDOUSAN"),
              "REC,NUMBER,KUBUN,YOUTO,SHOZAITI,TINSYAKU,KAISI_YY,KAISI_MM,SHUURYOU_YY,SHUURYOU_MM,MENSEKI,GETUGAKU,"
              "NENGAKU,REIKIN,KENRIKIN,KOUSINRYOU,MEIGIRYOU,SIKIKIN");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM AO_FUDOUSAN"), 0);
}

TEST_F(AccountViewUpdateTest, FixedAssetJournalSettingsAreWrittenAgainForEveryFacility)
{
    const std::string settingsOf =
        "SELECT SCODE, KCODE, NOTLIST, GSTAISYOU, GSKEIJYO, GSKAHI, GSHOUHOU, GSSISANZEI, SETSWK,"
        " RUIKEIKCODE, SYOKYAKU1_KCODE, BAISONKCODE, JYOSONKCODE, BAIEKIKCODE FROM KS_SETSWK ORDER BY SCODE, KCODE";
    UseCompanyAt("0.2.1");
    std::vector<std::string> before;
    {
        Session s(CompanyDbPath());
        s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('T1', '支店', 0)");
        before = s.Lines(settingsOf);
        // Settings a user changed or lost, and numbers far along.
        s.Exec("UPDATE KS_SETSWK SET GSTAISYOU = 9, SETSWK = 9 WHERE SCODE = ' ' AND KCODE = '1401'");
        s.Exec("DELETE FROM KS_SETSWK WHERE SCODE = 'T1' AND KCODE = '1501'");
        s.Exec("DELETE FROM KS_SETSWK_INIT WHERE KCODE = '1701'");
        s.Exec("UPDATE KS_SETSWK_INIT SET GSKAHI = 7 WHERE KCODE = '1601'");
        s.Exec("SET GENERATOR KSSETSWKINIT_GEN TO 500");
        s.Exec("SET GENERATOR KSSETSWK_GEN TO 900");
    }
    ASSERT_GT(before.size(), 2u);
    ASSERT_TRUE(Update().Succeeded());

    Session s(CompanyDbPath());
    EXPECT_EQ(s.Line("SELECT COUNT(*), MIN(REC), MAX(REC) FROM KS_SETSWK_INIT"), "70|1|70");
    EXPECT_EQ(s.Lines("SELECT ACCGROUP, COUNT(*) FROM KS_SETSWK_INIT GROUP BY ACCGROUP"),
              (std::vector<std::string>{"1|35", "2|35"}));
    EXPECT_EQ(s.Lines("SELECT DISTINCT GSKAHI FROM KS_SETSWK_INIT WHERE KCODE = '1601'"),
              (std::vector<std::string>{"0"}));
    EXPECT_EQ(s.Lines(settingsOf), before);
    EXPECT_EQ(s.Line("SELECT MIN(REC), MAX(REC) - COUNT(*) FROM KS_SETSWK"), "1|0");
}

TEST_F(AccountViewUpdateTest, DataWithTheGroupColumnIsOnlyStamped)
{
    UseCompanyAt("0.2.1");
    {
        const std::vector<std::string> lines = ScriptLines();
        ASSERT_GT(lines.size(), 4u);
        EXPECT_EQ(lines[3], "DROP TABLE \"CHARTINF\";");
    }
    std::string view;
    {
        Session s(CompanyDbPath());
        s.Exec("ALTER TABLE KAMOKUMST ADD GROUPM0 AC_CODE");
    }
    {
        Session s(CompanyDbPath());
        s.Exec("UPDATE KAMOKUMST SET GROUPM0 = '7777'");
        view = ColumnsOf(s, "KAMOKU_VIEW");
    }
    const std::vector<std::string> lines = ScriptLines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_TRUE(lines[0].starts_with("/* "));
    EXPECT_EQ(lines[1], "");
    EXPECT_TRUE(lines[2].starts_with("CONNECT '"));
    EXPECT_EQ(lines[3], "UPDATE ACCVERSION SET MAJOR=0,MINOR1=2,MINOR2=2,MEMO='" + lines[0].substr(3, 19) + "'");
    EXPECT_EQ(lines[4], "WHERE REC=1;");
    EXPECT_EQ(lines[5], "COMMIT;");
    EXPECT_EQ(lines[6], "EXIT;");

    const dbupdate::DatabaseBuildReport report = Update();
    ASSERT_TRUE(report.Succeeded()) << report.failedResult;
    Session s(CompanyDbPath());
    EXPECT_EQ(s.Line("SELECT MAJOR, MINOR1, MINOR2 FROM ACCVERSION WHERE REC = 1"), "0|2|2");
    EXPECT_EQ(ColumnsOf(s, "KAMOKU_VIEW"), view);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKUMST WHERE GROUPM0 <> '7777'"), 0);
    EXPECT_EQ(ColumnsOf(s, "CHARTINF"), "OPCODE,CTYPE1,CTYPE2,CTYPE3,CTYPE4");
}

// Opening balances on the updated data: accounts 1101 (no sub-accounts,
// company-wide only), 1103 (two sub-accounts, in the common department
// too), 1104 (company-wide and department 01), 1201 (company-wide only,
// after 1104), 1202 (common department and department 01), and the sundry
// account 9999.
class AccountViewOpeningBalanceTest : public AccountViewUpdateTest {
protected:
    void SetUp() override
    {
        AccountViewUpdateTest::SetUp();
        UseCompanyAt("0.2.2");
        Session s(CompanyDbPath());
        s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('01', '営業部')");
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1103', '01', 'Ａ銀行')");
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1103', '02', 'Ｂ銀行')");
        Balance(s, "1101", " ", " ", "1000");
        Balance(s, "1103", "01", " ", "300");
        Balance(s, "1103", "02", " ", "200");
        Balance(s, "1103", " ", "00", "0");
        Balance(s, "1103", "01", "00", "20");
        Balance(s, "1104", " ", " ", "10");
        Balance(s, "1104", " ", "01", "70");
        Balance(s, "1201", " ", " ", "15");
        s.Exec("DELETE FROM KAMOKU_SZ WHERE SCODE = ' ' AND KCODE = '1202'");
        Balance(s, "1202", " ", "00", "40");
        Balance(s, "1202", " ", "01", "5");
        Balance(s, "9999", " ", " ", "123");
    }
    // The opening balance of a key, its row made when missing.
    static void Balance(Session& s, const std::string& kcode, const std::string& hcode, const std::string& bcode,
                        const std::string& amount)
    {
        s.Exec("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '" + kcode +
               "', '" + hcode + "', '" + bcode + "', " + amount + ") MATCHING (SCODE, KCODE, HCODE, BCODE)");
    }
};

TEST_F(AccountViewOpeningBalanceTest, FacilityListShowsSubAccountsInPlaceOfTheirAccountAndNeverTheSundryAccount)
{
    Session s(CompanyDbPath());
    const std::string columns = "KGROUP, KCODE, USERCODE, KNAME, HCODE, HNAME, DAC, TRIM(BPFLG), KAISIZAN, BUMONZAN";
    for (const char* shokuti : {"", "9999", "1101"}) {
        SCOPED_TRACE(shokuti);
        const std::string from = " FROM SP_KAISIZAN_LIST(' ', '" + std::string(shokuti) + "')";
        EXPECT_EQ(s.Lines("SELECT " + columns + from + " WHERE KCODE BETWEEN '1101' AND '1202'"),
                  (std::vector<std::string>{
                      "1100|1101|1101|現金| ||1|B|1000|<null>",
                      "1100|1102|1102|当座預金| ||1|B|0|<null>",
                      "1100|1103|1103|普通預金|01|Ａ銀行|1|B|320|<null>",
                      "1100|1103|1103|普通預金|02|Ｂ銀行|1|B|200|<null>",
                      "1100|1104|1104|定期預金| ||1|B|80|70",
                      "1200|1201|1201|受取手形| ||1|B|15|<null>",
                      "1200|1202|1202|売掛金| ||1|B|45|5",
                  }));
        EXPECT_EQ(s.Count("SELECT COUNT(*)" + from + " WHERE KCODE = '9999'"), 0);
        EXPECT_EQ(s.Count("SELECT RECCOUNT FROM SP_KAISIZAN_COUNT(' ', '" + std::string(shokuti) + "')"),
                  s.Count("SELECT COUNT(*)" + from));
    }
    // In group order: an account moved to another group moves in the list.
    s.Exec("UPDATE KAMOKUMST SET GROUPM0 = '0001' WHERE KCODE = '1201'");
    EXPECT_EQ(s.Line("SELECT KGROUP, KCODE FROM SP_KAISIZAN_LIST(' ', '')"), "0001|1201");
    // A facility without balance rows lists nothing.
    EXPECT_EQ(s.Count("SELECT RECCOUNT FROM SP_KAISIZAN_COUNT('ZZ', '')"), 0);
}

TEST_F(AccountViewOpeningBalanceTest, DepartmentListAndCountTakeTheDepartmentRows)
{
    Session s(CompanyDbPath());
    EXPECT_EQ(s.Lines("SELECT BCODE, KGROUP, KCODE, USERCODE, HCODE, HNAME, HCNT, DAC, KAISIZAN, BUMGOUKEI"
                      " FROM SP_BUMONKAISIZAN_LIST(' ')"),
              (std::vector<std::string>{
                  "00|1100|1103|1103| ||2|1|0|0",
                  "00|1100|1103|1103|01|Ａ銀行|0|1|20|320",
                  "00|1200|1202|1202| ||1|1|40|45",
                  "01|1100|1104|1104| ||1|1|70|80",
                  "01|1200|1202|1202| ||1|1|5|45",
              }));
    // The common department's rows the list shows: 1103's sub-account and
    // 1202, not 1103's own row (two rows in the department).
    EXPECT_EQ(s.Count("SELECT RECCOUNT FROM SP_BUMONKAISIZAN_COUNT(' ')"), 2);
    EXPECT_EQ(s.Count("SELECT RECCOUNT FROM SP_BUMONKAISIZAN_COUNT('ZZ')"), 0);
}

// The prior-year balances of 1101 and 1102 (company-wide), 1104 in
// department 01, and a second facility's balance of 1101.
class AccountViewPriorYearTest : public AccountViewOpeningBalanceTest {
protected:
    void SetUp() override
    {
        AccountViewOpeningBalanceTest::SetUp();
        Session s(CompanyDbPath());
        s.Exec(
            "UPDATE KAMOKU_PZ SET NUKIZAN = 100 + MNUM WHERE SCODE = ' ' AND KCODE = '1101' AND HCODE = ' '"
            " AND BCODE = ' '");
        s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 1 WHERE SCODE = ' ' AND KCODE = '1104' AND BCODE = ' '");
        s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 1000 WHERE SCODE = ' ' AND KCODE = '1104' AND BCODE = '01'");
        s.Exec(
            "INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN) VALUES ('T1', '1101', ' ', ' ', -1, 5)");
        // 1102 lacks its period -5 row.
        s.Exec("DELETE FROM KAMOKU_PZ WHERE SCODE = ' ' AND KCODE = '1102' AND MNUM = -5");
    }
    // The 48 balances of an account's row.
    static std::vector<std::string> Balances(Session& s, const std::string& scode, const std::string& bcode,
                                             const std::string& kcode)
    {
        const auto rows = s.Rows("SELECT * FROM SP_KANENDOZAN_YOMIKOMI('" + scode + "', '" + bcode +
                                 "') WHERE KCODE = '" + kcode + "'");
        if (rows.size() != 1)
            return {"rows: " + std::to_string(rows.size())};
        return std::vector<std::string>(rows[0].begin() + 8, rows[0].end());
    }
    // The expected 48 balances: value(MNUM) below limit, 0 from it on.
    template <typename F>
    static std::vector<std::string> Expected(int limit, F value)
    {
        std::vector<std::string> balances;
        for (int mnum = -32; mnum <= 15; ++mnum)
            balances.push_back(mnum < limit ? std::to_string(value(mnum)) : "0");
        return balances;
    }
};

TEST_F(AccountViewPriorYearTest, PeriodsBeforeTheStartMonthAreRead)
{
    struct Case {
        int kaisino;
        int limit;
    };
    const Case cases[] = {{1, 1}, {2, 2}, {3, 4}, {6, 8}, {9, 12}, {11, 14}, {12, 16}};
    Session s(CompanyDbPath());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kaisino);
        s.Exec("UPDATE ACCDEF1 SET KAISINO = " + std::to_string(c.kaisino) + " WHERE REC = 1");
        // Facility ' ' in the call reads the balances of every facility.
        EXPECT_EQ(Balances(s, " ", " ", "1101"), Expected(c.limit, [](int m) { return 100 + m + (m == -1 ? 5 : 0); }));
    }
}

TEST_F(AccountViewPriorYearTest, EachRowShowsOnlyItsOwnBalances)
{
    Session s(CompanyDbPath());
    s.Exec("UPDATE ACCDEF1 SET KAISINO = 12 WHERE REC = 1");
    // 1102 follows 1101 and has no row for period -5: it reads 0 there.
    EXPECT_EQ(Balances(s, " ", " ", "1102"), Expected(16, [](int) { return 0; }));
    // Department ' ' reads every department of the account; 01 its own.
    EXPECT_EQ(Balances(s, " ", " ", "1104"), Expected(16, [](int) { return 1001; }));
    EXPECT_EQ(Balances(s, " ", "01", "1104"), Expected(16, [](int) { return 1000; }));
    EXPECT_EQ(Balances(s, " ", "01", "1101"), (std::vector<std::string>{"rows: 0"}));

    // The head columns, in group order, without the group 9900.
    const auto heads = s.Lines(
        "SELECT KGROUP, USERCODE, KCODE, KNAME, HCODE, HNAME, BSPL, TAISHAKU"
        " FROM SP_KANENDOZAN_YOMIKOMI(' ', ' ')");
    ASSERT_FALSE(heads.empty());
    EXPECT_EQ(heads.front(), "1100|1101|1101|現金| ||B|1");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM SP_KANENDOZAN_YOMIKOMI(' ', ' ') WHERE KGROUP = '9900'"), 0);
    EXPECT_EQ(heads.size(),
              static_cast<std::size_t>(s.Count("SELECT COUNT(*) FROM KAMOKU_VIEW WHERE SCODE = ' ' AND BCODE = ' '"
                                               " AND GROUPM0 <> '9900'")));

    // An unknown start month reads no period.
    s.Exec("UPDATE ACCDEF1 SET KAISINO = 0 WHERE REC = 1");
    EXPECT_EQ(Balances(s, " ", " ", "1101"), Expected(-32, [](int) { return 0; }));
}

}  // namespace
