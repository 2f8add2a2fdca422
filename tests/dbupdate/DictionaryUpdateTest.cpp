// Accounting update 0.1.5: dictionary and audit entries outliving the
// departments and sub-accounts they name, the opening-balance trigger, the
// notes table's title switch and the blue-return tables, on copies of
// company databases built through the real updates.

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
#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace {

using companytest::CompanyMaster;
using companytest::CopyCompanyMaster;
using schematest::Session;
namespace fs = std::filesystem;

class DictionaryUpdateTest : public dbtest::FirebirdTest {
protected:
    std::string Copy() { return CopyCompanyMaster(CompanyMaster("0.1.5"), folder_ / "data"); }
};

// The four tables whose entries name an account, sub-account and department
// on two sides, with the column prefixes of the sides. The test tells its
// rows apart by their TEXT.
struct EntryTable {
    const char* table;
    const char* left;
    const char* right;
};
constexpr EntryTable EntryTables[] = {
    {"SWKDIC", "L_", "R_"},
    {"TEKDIC", "KAR_", "KAS_"},
    {"TORDIC", "KAR_", "KAS_"},
    {"KANSA_ITEM", "MOT_", "TOZ_"},
};

struct Codes {
    std::string k, h, b;
};

// One entry tagged tag with the two sides' codes. SWKDIC and KANSA_ITEM
// take rec as their key, TEKDIC's trigger numbers it, TORDIC has no key.
void InsertEntry(Session& s, const EntryTable& t, int rec, const std::string& tag, const Codes& l, const Codes& r)
{
    const std::string L = t.left, R = t.right;
    std::string columns =
        "TEXT, " + L + "KCODE, " + L + "HCODE, " + L + "BCODE, " + R + "KCODE, " + R + "HCODE, " + R + "BCODE";
    std::string values =
        "'" + tag + "', '" + l.k + "', '" + l.h + "', '" + l.b + "', '" + r.k + "', '" + r.h + "', '" + r.b + "'";
    if (std::string(t.table) == "KANSA_ITEM" || std::string(t.table) == "SWKDIC") {
        columns = "REC, " + columns;
        values = std::to_string(rec) + ", " + values;
    }
    s.Exec("INSERT INTO " + std::string(t.table) + " (" + columns + ") VALUES (" + values + ")");
}

// The entry's two sides as "K/H/B|K/H/B".
std::string EntrySides(Session& s, const EntryTable& t, const std::string& tag)
{
    const std::string L = t.left, R = t.right;
    return s.Line("SELECT " + L + "KCODE || '/' || " + L + "HCODE || '/' || " + L + "BCODE || '|' || " + R +
                  "KCODE || '/' || " + R + "HCODE || '/' || " + R + "BCODE FROM " + t.table + " WHERE TEXT = '" + tag +
                  "'");
}

TEST_F(DictionaryUpdateTest, DeletingADepartmentKeepsTheEntriesWithTheDepartmentBlanked)
{
    Session s(Copy());
    s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('B1', '営業部')");
    s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('B2', '製造部')");
    int rec = 100;
    for (const EntryTable& t : EntryTables) {
        InsertEntry(s, t, ++rec, "gone", {"1101", " ", "B1"}, {"1102", " ", "B1"});
        InsertEntry(s, t, ++rec, "kept", {"1101", " ", "B2"}, {"1102", " ", "00"});
    }
    s.Exec("DELETE FROM BUMONMST WHERE BCODE = 'B1'");

    for (const EntryTable& t : EntryTables) {
        SCOPED_TRACE(t.table);
        EXPECT_EQ(EntrySides(s, t, "gone"), "1101/ / |1102/ / ");
        EXPECT_EQ(EntrySides(s, t, "kept"), "1101/ /B2|1102/ /00");
    }
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM BUMONMST WHERE BCODE = 'B1'"), 0);
}

TEST_F(DictionaryUpdateTest, DeletingASubAccountKeepsTheEntriesWithTheSubAccountBlankedAndLogsIt)
{
    Session s(Copy());
    s.Exec(
        "INSERT INTO HOJOMST (KCODE, HCODE, HKANA, HNAME, TAX_LCODE, BPFLG, SIME, GENDO, ADDRESS, BANK, OPCODE)"
        " VALUES ('1101', '01', 'ホンテン', '本店金庫', 3, 'B', 20, 150000, '東京都千代田区', 'みどり銀行', 10001)");
    s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1101', '02', '支店金庫')");
    s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1102', '01', '当座')");
    const int logsBefore = s.Count("SELECT COUNT(*) FROM HOJOLOG");
    const std::string rec = s.Value("SELECT REC FROM HOJOMST WHERE KCODE = '1101' AND HCODE = '01'").value();
    int n = 200;
    for (const EntryTable& t : EntryTables) {
        InsertEntry(s, t, ++n, "gone", {"1101", "01", " "}, {"1101", "01", "00"});
        // The same sub-account code under another account, and another
        // sub-account of the same account.
        InsertEntry(s, t, ++n, "kept", {"1102", "01", " "}, {"1101", "02", " "});
    }
    s.Exec("DELETE FROM HOJOMST WHERE KCODE = '1101' AND HCODE = '01'");

    for (const EntryTable& t : EntryTables) {
        SCOPED_TRACE(t.table);
        EXPECT_EQ(EntrySides(s, t, "gone"), "1101/ / |1101/ /00");
        EXPECT_EQ(EntrySides(s, t, "kept"), "1102/01/ |1101/02/ ");
    }
    ASSERT_EQ(s.Count("SELECT COUNT(*) FROM HOJOLOG"), logsBefore + 1);
    EXPECT_EQ(s.Line("SELECT REC, KCODE, HCODE, HKANA, HNAME, TAX_LCODE, BPFLG, SIME, GENDO, ADDRESS, BANK, OPCODE"
                     "  FROM HOJOLOG WHERE LOGREC = (SELECT MAX(LOGREC) FROM HOJOLOG)"),
              rec + "|1101|01|ホンテン|本店金庫|3|B|20|150000|東京都千代田区|みどり銀行|10001");
    EXPECT_EQ(s.Value("SELECT MAX(LOGREC) FROM HOJOLOG"),
              s.Value("SELECT GEN_ID(HOJOLOG_REC_GEN, 0) FROM RDB$DATABASE"));
}

TEST_F(DictionaryUpdateTest, DictionariesAndAuditItemsNoLongerReferToTheChart)
{
    Session s(Copy());
    EXPECT_EQ(s.Lines("SELECT TRIM(RDB$CONSTRAINT_NAME) FROM RDB$RELATION_CONSTRAINTS"
                      " WHERE RDB$CONSTRAINT_NAME IN ('SWKDIC_KAR_KCODE', 'SWKDIC_KAS_KCODE', 'TEKDIC_KAR_KCODE',"
                      "  'TEKDIC_KAS_KCODE', 'TORDIC_KAR_KCODE', 'TORDIC_KAS_KCODE', 'KANSA_ITEM_MOTKCODE',"
                      "  'KANSA_ITEM_TOZKCODE')"),
              std::vector<std::string>{});
    // The department and sub-account references stay.
    EXPECT_EQ(s.Lines("SELECT TRIM(RDB$CONSTRAINT_NAME) FROM RDB$RELATION_CONSTRAINTS"
                      " WHERE RDB$CONSTRAINT_TYPE = 'FOREIGN KEY'"
                      "   AND RDB$RELATION_NAME IN ('SWKDIC', 'TEKDIC', 'TORDIC', 'KANSA_ITEM') ORDER BY 1"),
              (std::vector<std::string>{"KANSA_ITEM_MOTBCODE", "KANSA_ITEM_MOTHCODE", "KANSA_ITEM_MOTO",
                                        "KANSA_ITEM_SIWAKE", "KANSA_ITEM_TOZBCODE", "KANSA_ITEM_TOZHCODE",
                                        "TEKDIC_KAS_BCODE", "TORDIC_KAS_BCODE"}));
    // An entry may name an account the chart does not hold.
    s.Exec("INSERT INTO TEKDIC (TEKCODE, TEXT, KAR_KCODE, KAS_KCODE) VALUES (0, 'x', '0000', '0001')");
    EXPECT_EQ(s.Line("SELECT KAR_KCODE, KAS_KCODE FROM TEKDIC WHERE TEXT = 'x'"), "0000|0001");
}

struct StartMonthCase {
    int kaisino;
    int mnum;  // the period the opening balance is written to
};

void PrintTo(const StartMonthCase& c, std::ostream* os)
{
    *os << "KAISINO " << c.kaisino << " -> MNUM " << c.mnum;
}

class OpeningBalanceTest : public DictionaryUpdateTest, public ::testing::WithParamInterface<StartMonthCase> {};

// The opening balance of a key lands in that key's past balance of the
// period before the start month, and nowhere else.
TEST_P(OpeningBalanceTest, OpeningBalanceBecomesThePreviousPeriodsBalanceOfTheKey)
{
    const StartMonthCase& c = GetParam();
    Session s(Copy());
    s.Exec("UPDATE ACCDEF1 SET KAISINO = " + std::to_string(c.kaisino) + " WHERE REC = 1");
    s.Exec("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '1101', ' ', '00', 300)");
    s.Exec(
        "UPDATE KAMOKU_SZ SET KAISIZAN = 1234.5 WHERE SCODE = ' ' AND KCODE = '1101' AND HCODE = ' ' AND BCODE = ' '");

    EXPECT_EQ(s.Lines("SELECT BCODE, MNUM, NUKIZAN FROM KAMOKU_PZ WHERE KCODE = '1101' AND NUKIZAN <> 0"
                      " ORDER BY BCODE, MNUM"),
              (std::vector<std::string>{" |" + std::to_string(c.mnum) + "|1234.5"}));
}

INSTANTIATE_TEST_SUITE_P(StartMonths, OpeningBalanceTest,
                         ::testing::Values(StartMonthCase{1, 0}, StartMonthCase{2, 1}, StartMonthCase{3, 2},
                                           StartMonthCase{4, 4}, StartMonthCase{5, 5}, StartMonthCase{6, 6},
                                           StartMonthCase{7, 8}, StartMonthCase{8, 9}, StartMonthCase{9, 10},
                                           StartMonthCase{10, 12}, StartMonthCase{11, 13}, StartMonthCase{12, 14},
                                           StartMonthCase{0, 0}, StartMonthCase{13, 0}));

TEST_F(DictionaryUpdateTest, OpeningBalanceTriggerLeavesRetainedEarningsAndOtherChangesAlone)
{
    Session s(Copy());
    ASSERT_EQ(s.Value("SELECT CODE FROM SYSKMKCODEINF('繰越利益剰余金')"), "3302");
    s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 5000 WHERE KCODE = '3302' AND HCODE = ' ' AND BCODE = ' '");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_PZ WHERE KCODE = '3302' AND NUKIZAN <> 0"), 0);

    // A past balance entered by hand stays when the row changes in anything
    // but its opening balance.
    s.Exec(
        "UPDATE KAMOKU_PZ SET NUKIZAN = 77 WHERE SCODE = ' ' AND KCODE = '1102' AND HCODE = ' ' AND BCODE = ' '"
        " AND MNUM = 0");
    s.Exec("UPDATE KAMOKU_SZ SET HAIBUN01 = 40 WHERE KCODE = '1102' AND HCODE = ' ' AND BCODE = ' '");
    EXPECT_EQ(s.Value("SELECT NUKIZAN FROM KAMOKU_PZ WHERE SCODE = ' ' AND KCODE = '1102' AND HCODE = ' '"
                      " AND BCODE = ' ' AND MNUM = 0"),
              "77");
    // Clearing the opening balance clears the past balance.
    s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = NULL WHERE KCODE = '1102' AND HCODE = ' ' AND BCODE = ' '");
    EXPECT_EQ(s.Value("SELECT NUKIZAN FROM KAMOKU_PZ WHERE SCODE = ' ' AND KCODE = '1102' AND HCODE = ' '"
                      " AND BCODE = ' ' AND MNUM = 0"),
              "0");
}

TEST_F(DictionaryUpdateTest, BlueReturnTablesAndColumnsAreThereEmpty)
{
    Session s(Copy());
    struct Table {
        const char* name;
        const char* columns;
    };
    const Table tables[] = {
        {"AO_SINKOKU",
         "REC,ZEIRISI_ADD1,ZEIRISI_ADD2,ZEIRISI_SIMEI1,ZEIRISI_SIMEI2,ZEIRISI_TEL,GYOUSHUKUBUN,KURIIRE1,KURIIRE2,"
         "KURIIRE3,KURIIRE4,KURIIRE5,HASUU,KOUJOKUBUN,KOUJO6,KOUJO7,KOUJO8,KOUJO9,FUSAIRISI,HIZUKE,KISHU,KIMATU,"
         "YOUSI,COLOR,WAKU"},
        {"AO_URIAGE", "REC,URIAGE,SIIRE"},
        {"AO_KYUUYO", "REC,NUMBER,SENJYU,SIMEI,TUZUKIGARA,NENREI,TUKISUU,KYUUYO,SHOUYO,GOUKEI,GENSEN"},
        {"AO_TIDAI", "REC,SIHARAISAKI1,SIHARAISAKI2,BUKKEN1,BUKKEN2,KENRI,KOUSIN,TINRYOU,KEIHI"},
        {"AO_RISI", "REC,SIHARAISAKI1,SIHARAISAKI2,KIMARU,RISI,KEIHI"},
        {"AO_HOUSHU", "REC,SIHARAISAKI1,SIHARAISAKI2,HOUSHU,KEIHI,GENSEN"},
        {"AO_NOTE", "REC,MEMO"},
        {"AO_FUDOUSAN",
         "REC,NUMBER,KUBUN,YOUTO,SHOZAITI,TINSYAKU,KAISI,SHUURYOU,MENSEKI,GETUGAKU,NENGAKU,REIKIN,KENRIKIN,"
         "KOUSINRYOU,MEIGIRYOU,SIKIKIN"},
    };
    for (const Table& t : tables) {
        SCOPED_TRACE(t.name);
        std::string columns;
        for (const std::string& c : s.Lines("SELECT TRIM(RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS"
                                            " WHERE RDB$RELATION_NAME = '" +
                                            std::string(t.name) + "' ORDER BY RDB$FIELD_POSITION"))
            columns += (columns.empty() ? "" : ",") + c;
        EXPECT_EQ(columns, t.columns);
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM " + std::string(t.name)), 0);
        EXPECT_EQ(s.Line("SELECT TRIM(I.RDB$FIELD_NAME) FROM RDB$RELATION_CONSTRAINTS C"
                         " JOIN RDB$INDEX_SEGMENTS I ON I.RDB$INDEX_NAME = C.RDB$INDEX_NAME"
                         " WHERE C.RDB$RELATION_NAME = '" +
                         std::string(t.name) + "' AND C.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY'"),
                  "REC");
    }

    // Defaults, the computed total and texts of both kinds.
    s.Exec(
        "INSERT INTO AO_SINKOKU (REC, ZEIRISI_ADD1, ZEIRISI_TEL) VALUES (1, '東京都中央区銀座一丁目', '03-1234-5678')");
    EXPECT_EQ(s.Line("SELECT ZEIRISI_ADD1, ZEIRISI_TEL, GYOUSHUKUBUN, HASUU, KOUJOKUBUN, YOUSI, COLOR, WAKU, KURIIRE1"
                     " FROM AO_SINKOKU"),
              "東京都中央区銀座一丁目|03-1234-5678|0|0|0|0|1|1|<null>");
    s.Exec(
        "INSERT INTO AO_KYUUYO (REC, SIMEI, TUZUKIGARA, KYUUYO, SHOUYO) VALUES (1, '山田花子', '妻', 1800000, 300000.5)");
    EXPECT_EQ(s.Line("SELECT NUMBER, SENJYU, SIMEI, TUZUKIGARA, NENREI, TUKISUU, GOUKEI FROM AO_KYUUYO"),
              "0|0|山田花子|妻|0|0|2100000.5");

    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM EXTERKS"), s.Count("SELECT COUNT(*) FROM EXTERKS"
                                                               " WHERE AO_KISHUZAN = 0 AND AO_KIMATUZAN = 0"));
    EXPECT_GT(s.Count("SELECT COUNT(*) FROM EXTERKS"), 0);
    EXPECT_EQ(s.Line("SELECT REC, CHUKI_TITLEPRINT FROM KESSAN"), "1|0");
}

// The script as the unit writes it for the data folder of SystemDef.
class DictionaryScriptTest : public updtest::UpdateDbTest {
protected:
    void UseCompanyAt(const std::string& version)
    {
        fs::remove(CompanyDbPath());
        CopyCompanyMaster(CompanyMaster(version), SystemDef.DataDir);
    }
    // The script's lines in UTF-8 (the data folder's path is plain ASCII).
    static std::vector<std::string> Lines(const std::string& cp932Text)
    {
        const std::string text = cp932::ToUtf8(cp932Text);
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }
    static std::ptrdiff_t IndexOf(const std::vector<std::string>& lines, const std::string& line)
    {
        const auto found = std::find(lines.begin(), lines.end(), line);
        return found == lines.end() ? -1 : found - lines.begin();
    }
};

TEST_F(DictionaryScriptTest, NotesTitleSwitchIsWrittenOnlyWhenTheDatabaseLacksIt)
{
    const std::vector<std::string> block{
        "/* KESSANテーブルへ注記表タイトル印字区分を追加 */",
        "ALTER TABLE KESSAN",
        "ADD CHUKI_TITLEPRINT INTEGER DEFAULT 0;",
        "UPDATE KESSAN SET CHUKI_TITLEPRINT=0 WHERE REC=1;",
        "COMMIT;",
    };
    UseCompanyAt("0.1.4");
    std::vector<std::string> lines = Lines(z5UserDbUpdate015::Script().Text());
    ASSERT_GT(lines.size(), 12u);
    EXPECT_EQ(lines[3], "/* 辞書テーブルの参照整合性の変更 */");
    EXPECT_EQ(lines[4], "ALTER TABLE \"SWKDIC\"    DROP  CONSTRAINT \"SWKDIC_KAR_KCODE\" ;");
    EXPECT_EQ(lines[11], "ALTER TABLE \"KANSA_ITEM\"    DROP  CONSTRAINT \"KANSA_ITEM_TOZKCODE\" ;");
    EXPECT_EQ(lines[12], "SET TERM ^ ;");
    const std::ptrdiff_t commit = IndexOf(lines, "COMMIT ;");
    const std::ptrdiff_t notes = IndexOf(lines, block.front());
    const std::ptrdiff_t blue = IndexOf(lines, "/* 青色決算書用テーブル作成 */");
    ASSERT_GT(commit, 0);
    EXPECT_EQ(lines[commit - 1], "SET TERM ; ^");
    ASSERT_EQ(notes, commit + 1);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + notes, lines.begin() + notes + 5), block);
    EXPECT_EQ(blue, notes + 5);

    Session(CompanyDbPath()).Exec("ALTER TABLE KESSAN ADD CHUKI_TITLEPRINT INTEGER DEFAULT 0");
    lines = Lines(z5UserDbUpdate015::Script().Text());
    EXPECT_EQ(IndexOf(lines, block.front()), -1);
    EXPECT_EQ(IndexOf(lines, "ADD CHUKI_TITLEPRINT INTEGER DEFAULT 0;"), -1);
    EXPECT_EQ(IndexOf(lines, "/* 青色決算書用テーブル作成 */"), IndexOf(lines, "COMMIT ;") + 1);
}

TEST_F(DictionaryScriptTest, ADatabaseWithTheSwitchKeepsItsValueAndGetsTheRest)
{
    UseCompanyAt("0.1.4");
    Session(CompanyDbPath()).Exec("ALTER TABLE KESSAN ADD CHUKI_TITLEPRINT INTEGER DEFAULT 0");
    Session(CompanyDbPath()).Exec("UPDATE KESSAN SET CHUKI_TITLEPRINT = 1 WHERE REC = 1");
    dbupdate::DatabaseBuildSettings settings = companytest::BuildSettings(folder_);
    settings.stopAt = dbupdate::UpdateVersion{0, 1, 5};
    const dbupdate::DatabaseBuildReport report = dbupdate::RunPendingUpdates(
        dbupdate::UpdateListKind::CompanyData, SystemDef.DataDir, GetAccountingUpdateList(), settings);
    ASSERT_TRUE(report.Succeeded()) << report.failedResult;
    EXPECT_EQ(report.reached, (dbupdate::UpdateVersion{0, 1, 5}));

    Session s(CompanyDbPath());
    EXPECT_EQ(s.Line("SELECT REC, CHUKI_TITLEPRINT FROM KESSAN"), "1|1");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME STARTING WITH 'AO_'"), 8);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = 'BUMONMST_BEFORE_DELETE'"), 1);
}

}  // namespace
