#include "CompanyUpdateTestSupport.h"
#include "SchemaTestSupport.h"
#include "UpdateTestSupport.h"

#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/DatabaseBuilder.h"
#include "platform/Cp932.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace updtest;
using dbupdate::DatabaseBuildReport;
using dbupdate::UpdateListKind;
using dbupdate::UpdateVersion;
using schematest::Session;

class CashFlowUpdateTest : public UpdateDbTest {
protected:
    // The data folder's database: a copy of the master at version.
    void UseCompanyAt(const std::string& version)
    {
        fs::remove(CompanyDbPath());
        companytest::CopyCompanyMaster(companytest::CompanyMaster(version), SystemDef.DataDir);
    }
    DatabaseBuildReport RunUpTo(const UpdateVersion& stopAt)
    {
        dbupdate::DatabaseBuildSettings settings = companytest::BuildSettings(folder_);
        settings.stopAt = stopAt;
        return dbupdate::RunPendingUpdates(UpdateListKind::CompanyData, SystemDef.DataDir, GetAccountingUpdateList(),
                                           settings);
    }
    // The unit's script as UTF-8 lines.
    static std::vector<std::string> ScriptLines()
    {
        const std::string text = z5UserDbUpdate014::Script().Text();
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(cp932::ToUtf8(text.substr(start, end - start)));
        return lines;
    }
    // The mapping of a line in row order: "sign|account|figure" each.
    static std::vector<std::string> MappingOf(Session& session, int line)
    {
        return session.Lines("SELECT CF_CAL, CF_KCODE, CF_CTYPE FROM CASHFMKU WHERE CM_REC = " + std::to_string(line) +
                             " ORDER BY CF_REC, CF_KCODE");
    }
};

const std::vector<std::string> KessanKikanBlock{
    "ALTER TABLE ACCDEF1",
    "ADD KESSAN_KIKAN INTEGER DEFAULT -1,",
    "ADD CASHFLOW_KIKAN1 INTEGER DEFAULT -1,",
    "ADD CASHFLOW_KIKAN2 INTEGER DEFAULT -1;",
    "UPDATE ACCDEF1 SET KESSAN_KIKAN=-1,CASHFLOW_KIKAN1=-1,CASHFLOW_KIKAN2=-1 WHERE REC=1;",
    "COMMIT;",
};

TEST_F(CashFlowUpdateTest, ScriptDropsTheFacilityTableThenWritesLinesAndRowsPerMethod)
{
    UseCompanyAt("0.1.3");
    const std::vector<std::string> lines = ScriptLines();
    ASSERT_GT(lines.size(), 20u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 13),
              (std::vector<std::string>{
                  "DROP  TRIGGER \"CASHFMST_SISETU_BEFORE_INSERT\";",
                  "DROP  TRIGGER \"CASHFMST_AFTER_INSERT\";",
                  "ALTER TABLE   \"CASHFMST_SISETU\" DROP CONSTRAINT \"CASHFMST_SISETU_SCODE\";",
                  "ALTER TABLE   \"CASHFMST_SISETU\" DROP CONSTRAINT \"CASHFMST_SISET_REC\";",
                  "DROP  TABLE   \"CASHFMST_SISETU\";",
                  "DELETE FROM \"CASHFMKU\";",
                  "DELETE FROM \"CASHFMST\";",
                  "SET GENERATOR CASHFMST_GEN TO 0;",
                  "SET GENERATOR CASHFMKU_GEN TO 0;",
                  "COMMIT;",
              }));

    // The inserts come as runs: lines 1-59, their rows, lines 60-102,
    // their rows; then one COMMIT and, the column being there, the stamp.
    const std::string line =
        "INSERT INTO \"CASHFMST\"(CM_REC,CM_KIND,CM_GROUP,CM_ORDER,CM_DEL,CM_MKU,CM_MARGIN,"
        "CM_NAME1,CM_HOSEI) ";
    const std::string row = "INSERT INTO \"CASHFMKU\"(CF_REC,CM_REC,CF_CAL,CF_KCODE,CF_CTYPE) ";
    std::vector<std::pair<std::string, int>> runs;
    std::size_t i = 13;
    for (; i < lines.size() && lines[i].starts_with("INSERT INTO "); ++i) {
        const std::string kind = lines[i].starts_with(line) ? "line" : lines[i].starts_with(row) ? "row" : lines[i];
        if (runs.empty() || runs.back().first != kind)
            runs.emplace_back(kind, 0);
        ++runs.back().second;
    }
    EXPECT_EQ(runs, (std::vector<std::pair<std::string, int>>{{"line", 59}, {"row", 220}, {"line", 43}, {"row", 271}}));
    ASSERT_EQ(lines.size(), i + 5);
    EXPECT_EQ(lines[i], "COMMIT;");
    EXPECT_TRUE(lines[i + 1].starts_with("UPDATE ACCVERSION SET MAJOR=0,MINOR1=1,MINOR2=4,MEMO='")) << lines[i + 1];

    // Number columns keep their width; a wider number simply takes more.
    for (const std::string& expected : {
             line + "VALUES( 1,1,10, 1,1,1,0,'Ⅰ　営業活動によるキャッシュ・フロー',0);",
             line + "VALUES(102,0,70, 1,1,0,0,'Ⅶ　現金及び現金同等物の期末残高',0);",
             row + "VALUES(  1, 2,'+','9999',1);",
             row + "VALUES( 97,34,'-','8202',2);",
             row + "VALUES(499,102,'+','1132',1);",
         })
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
}

TEST_F(CashFlowUpdateTest, SettingsColumnsAreAddedOnlyToADatabaseWithoutThem)
{
    const auto blockAtEnd = [](const std::vector<std::string>& lines) {
        // the block stands between the seed's COMMIT and the stamp
        return lines.size() > 11 && std::vector<std::string>(lines.end() - 10, lines.end() - 4) == KessanKikanBlock &&
               lines[lines.size() - 11] == "COMMIT;" &&
               lines[lines.size() - 12].starts_with("INSERT INTO \"CASHFMKU\"");
    };
    UseCompanyAt("0.1.0");
    EXPECT_TRUE(blockAtEnd(ScriptLines()));
    UseCompanyAt("0.1.3");
    EXPECT_FALSE(blockAtEnd(ScriptLines()));

    // A database that lost the columns gets them back with the seed.
    {
        Session session(CompanyDbPath());
        session.Exec("ALTER TABLE ACCDEF1 DROP KESSAN_KIKAN, DROP CASHFLOW_KIKAN1, DROP CASHFLOW_KIKAN2");
    }
    ASSERT_TRUE(RunUpTo(UpdateVersion{0, 1, 4}).Succeeded());
    Session session(CompanyDbPath());
    EXPECT_EQ(session.Line("SELECT KESSAN_KIKAN, CASHFLOW_KIKAN1, CASHFLOW_KIKAN2 FROM ACCDEF1 WHERE REC=1"),
              "-1|-1|-1");
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM CASHFMST"), 102);
}

TEST_F(CashFlowUpdateTest, UpdateReplacesWhateverTheTablesHeldAndCannotRunTwice)
{
    UseCompanyAt("0.1.3");
    {
        Session session(CompanyDbPath());
        session.Exec("INSERT INTO CASHFMST (CM_REC, CM_KIND, CM_GROUP, CM_NAME1) VALUES (1, 1, 10, 'old')");
        session.Exec("INSERT INTO CASHFMST (CM_REC, CM_KIND, CM_GROUP, CM_NAME1) VALUES (300, 0, 99, 'own line')");
        session.Exec("INSERT INTO CASHFMKU (CF_REC, CM_REC, CF_KCODE) VALUES (600, 300, '1101')");
        session.Exec("INSERT INTO CASHFMKU (CF_REC, CM_REC, CF_KCODE) VALUES (97, 34, '1101')");
        session.Exec("SET GENERATOR CASHFMST_GEN TO 300");
        session.Exec("SET GENERATOR CASHFMKU_GEN TO 600");
    }
    const DatabaseBuildReport report = RunUpTo(UpdateVersion{0, 1, 4});
    ASSERT_TRUE(report.Succeeded()) << report.failedResult;
    EXPECT_EQ(report.reached, (UpdateVersion{0, 1, 4}));
    {
        Session session(CompanyDbPath());
        EXPECT_EQ(session.Line("SELECT COUNT(*), MIN(CM_REC), MAX(CM_REC) FROM CASHFMST"), "102|1|102");
        EXPECT_EQ(session.Count("SELECT COUNT(*) FROM CASHFMKU"), 491);
        // Ⅰ is a CP932 extension character: it must come back as written.
        EXPECT_EQ(session.Line("SELECT CM_NAME1 FROM CASHFMST WHERE CM_REC = 1"),
                  "Ⅰ　営業活動によるキャッシュ・フロー");
        EXPECT_EQ(session.Count("SELECT COUNT(*) FROM CASHFMKU WHERE CF_KCODE = '1101' AND CM_REC IN (34, 300)"), 0);
        EXPECT_EQ(session.Line("SELECT GEN_ID(CASHFMST_GEN, 0), GEN_ID(CASHFMKU_GEN, 0) FROM RDB$DATABASE"), "0|0");
        EXPECT_EQ(session.Count("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'CASHFMST_SISETU'"), 0);
        EXPECT_EQ(session.Count("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME IN "
                                "('CASHFMST_SISETU_BEFORE_INSERT', 'CASHFMST_AFTER_INSERT')"),
                  0);
    }

    // The facility table is gone, so the script fails at its first drop.
    EXPECT_EQ(z5UserDbUpdate014::DoUpdate(), 16);
    Session session(CompanyDbPath());
    EXPECT_EQ(session.Lines("SELECT REC, MAJOR, MINOR1, MINOR2 FROM ACCVERSION"),
              (std::vector<std::string>{"1|0|1|4"}));
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM CASHFMKU"), 491);
}

TEST_F(CashFlowUpdateTest, SeededLinesAndRowsAsTheStatementLaysThemOut)
{
    UseCompanyAt("0.1.4");
    Session session(CompanyDbPath());
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM CASHFMST"), 102);
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM CASHFMKU"), 491);

    struct LineCase {
        int line;
        const char* row;  // kind|group|order|del|mku|margin|name|hosei
    };
    const LineCase lineCases[] = {
        {1, "1|10|1|1|1|0|Ⅰ　営業活動によるキャッシュ・フロー|0"},
        {2, "1|11|1|1|1|1|税引前当期純利益（損失）|0"},
        {3, "1|11|2|0|0|1|減価償却費|0"},
        {24, "1|11|23|0|0|1|その他資産・負債の増減額|0"},
        {25, "1|12|1|1|1|2|小　計|0"},
        {29, "1|15|1|1|1|2|営業活動によるキャッシュ・フロー|0"},
        {54, "1|31|12|0|0|1|その他財務活動による支出|0"},
        {56, "1|40|1|1|1|0|Ⅳ　現金及び現金同等物に係る換算差額|0"},
        {57, "1|50|1|1|1|0|Ⅴ　現金及び現金同等物の増加額|0"},
        {58, "1|60|1|1|0|0|Ⅵ　現金及び現金同等物の期首残高|0"},
        {59, "1|70|1|1|0|0|Ⅶ　現金及び現金同等物の期末残高|0"},
        {60, "0|10|1|1|1|0|Ⅰ　営業活動によるキャッシュ・フロー|0"},
        {61, "0|11|1|0|0|1|営業収入|0"},
        {67, "0|11|7|0|0|1|その他|0"},
        {68, "0|12|1|1|1|2|小　計|0"},
        {85, "0|30|1|1|1|0|Ⅲ　財務活動によるキャッシュ・フロー|0"},
        {97, "0|31|12|0|0|1|その他財務活動による支出|0"},
        {102, "0|70|1|1|0|0|Ⅶ　現金及び現金同等物の期末残高|0"},
    };
    for (const LineCase& c : lineCases)
        EXPECT_EQ(session.Line("SELECT CM_KIND, CM_GROUP, CM_ORDER, CM_DEL, CM_MKU, CM_MARGIN, CM_NAME1, CM_HOSEI "
                               "FROM CASHFMST WHERE CM_REC = " +
                               std::to_string(c.line)),
                  c.row)
            << "line " << c.line;

    struct RowCase {
        int row;
        std::vector<std::string> rows;  // line|sign|account|figure, by account
    };
    const RowCase rowCases[] = {
        {1, {"2|+|9999|1"}},
        {96, {"34|-|6204|2"}},
        {97, {"34|-|3311|3", "34|+|8101|2", "34|-|8201|2", "34|-|8202|2"}},
        {98, {"35|-|1602|3"}},
        {217, {"59|+|1132|1"}},
        {218, {"61|-|1141|2"}},
        {290, {"65|-|5608|2"}},
        {291, {}},
        {301, {}},
        {302, {"65|-|5621|2"}},
        {499, {"102|+|1132|1"}},
        {500, {}},
    };
    for (const RowCase& c : rowCases)
        EXPECT_EQ(session.Lines("SELECT CM_REC, CF_CAL, CF_KCODE, CF_CTYPE FROM CASHFMKU WHERE CF_REC = " +
                                std::to_string(c.row) + " ORDER BY CF_KCODE"),
                  c.rows)
            << "row " << c.row;
    // Every other number stands on one row; the methods keep their ranges.
    EXPECT_EQ(session.Count("SELECT COUNT(DISTINCT CF_REC) FROM CASHFMKU"), 488);
    EXPECT_EQ(session.Line("SELECT MIN(K.CF_REC), MAX(K.CF_REC), COUNT(*) FROM CASHFMKU K "
                           "JOIN CASHFMST M ON M.CM_REC = K.CM_REC WHERE M.CM_KIND = 1"),
              "1|217|220");
    EXPECT_EQ(session.Line("SELECT MIN(K.CF_REC), MAX(K.CF_REC), COUNT(*) FROM CASHFMKU K "
                           "JOIN CASHFMST M ON M.CM_REC = K.CM_REC WHERE M.CM_KIND = 0"),
              "218|499|271");
}

TEST_F(CashFlowUpdateTest, DirectMethodRepeatsTheIndirectMappingFromTheSubtotalOn)
{
    UseCompanyAt("0.1.4");
    Session session(CompanyDbPath());
    for (const int line :
         {69, 70, 71, 74, 75, 76, 78, 79, 80, 81, 82, 83, 86, 87, 88, 89, 92, 93, 94, 95, 96, 101, 102}) {
        const auto rows = MappingOf(session, line);
        EXPECT_FALSE(rows.empty()) << "line " << line;
        EXPECT_EQ(rows, MappingOf(session, line - 43)) << "line " << line;
    }
    for (const int line : {68, 72, 73, 84, 85, 90, 91, 98, 99, 100})
        EXPECT_TRUE(MappingOf(session, line).empty()) << "line " << line;

    // Line 77 leaves out the three rows of line 34 that only the indirect
    // method has; line 97 adds the outflow of 3316 that line 54 lacks.
    std::vector<std::string> expected = MappingOf(session, 34);
    std::erase_if(expected,
                  [](const std::string& row) { return row == "+|8101|2" || row == "-|8201|2" || row == "-|8202|2"; });
    EXPECT_EQ(expected.size(), 14u);
    EXPECT_EQ(MappingOf(session, 77), expected);
    expected = MappingOf(session, 54);
    expected.insert(std::find(expected.begin(), expected.end(), "-|3315|3") + 1, "-|3316|3");
    EXPECT_EQ(MappingOf(session, 97), expected);

    // The receipts of line 40 are the payments of line 39, the closing
    // balances of 59 the opening balances of 58.
    const auto turned = [](std::vector<std::string> rows, char sign, char figure) {
        for (std::string& row : rows) {
            row.front() = sign;
            row.back() = figure;
        }
        return rows;
    };
    EXPECT_EQ(MappingOf(session, 40), turned(MappingOf(session, 39), '+', '4'));
    EXPECT_EQ(MappingOf(session, 59), turned(MappingOf(session, 58), '+', '1'));
}

}  // namespace
