#include "CompanyUpdateTestSupport.h"
#include "SchemaTestSupport.h"
#include "UpdateTestSupport.h"

#include "dbupdate/AccountingFileUnits.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/DatabaseBuilder.h"
#include "foundation/AccRegStore.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/PasswordScramble.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace updtest;
using dbtest::DataKind;
using dbupdate::DatabaseBuildReport;
using dbupdate::UpdateListKind;
using dbupdate::UpdateVersion;
using schematest::Session;

// The newest company data the chain before 3.0.0 gives.
constexpr const char* BeforeFileUnits = "2.0.4";

// The program globals a unit reads for its texts and rules, put back after
// each test.
class SavedProgramGlobals {
public:
    SavedProgramGlobals() : edition_(EditionFlag), kind_(ProgramKind), title_(AppInfo.Zaimu.AppTitle) {}
    ~SavedProgramGlobals()
    {
        EditionFlag = edition_;
        ProgramKind = kind_;
        AppInfo.Zaimu.AppTitle = title_;
    }

private:
    std::uint8_t edition_;
    std::uint8_t kind_;
    std::string title_;
};

TEST(AccountingFileUnitCatalogue, RowsFromThreeToEightWithTheirTexts)
{
    SavedProgramGlobals saved;
    AppInfo.Zaimu.AppTitle = "Ledrix財務";
    EditionFlag = 0;
    struct Row {
        const char* version;
        const char* title;
        const char* description;
    };
    const Row rows[] = {
        {"3.0.0", "Ledrix財務１１のデータ形式に変換", "１）Ledrix財務１１のデータ形式に変換します。"},
        {"3.0.1", "仕訳更新プログラムの改修", "１）仕訳の更新プログラムを改修します。"},
        {"3.0.3", "科目設定プログラムの改修 他",
         "１）医療法人用の科目設定の更新プログラムを改修します。\r２）医療法人用の残高集計プログラムを改修します。"},
        {"3.0.4", "現金出納帳の送受信処理の改修", "１）現金出納帳の送受信処理の更新プログラムを改修します。"},
        {"3.0.6", "医療法人データの既定科目数の増加 他", "１）医療法人データの既定の科目数を増やします。"},
        {"3.0.7", "医療法人データの施設グループ集計を追加 他",
         "１）医療法人データの施設グループ集計を追加します。\r２）窓口日報の参照キーを変更します。\r３）支店比較パターンの"
         "保持情報を変更します。"},
        {"4.0.0", "Ledrix財務１２のデータ形式に変換",
         "１）Ledrix財務１２のデータ形式に変換します。\r２）過年度残高集計処理を高速化します。"},
        {"4.0.2", "消費税の仕入税額控除制度における追加要件に対応 他",
         "１）消費税の仕入税額控除制度における追加要件に対応します。\r２）還付申告書への「消費税の還付申告に関する明細書」"
         "に対応します。\r３）減価償却制度の平成23年12月改正に対応します。"},
        {"5.0.0", "Ledrix財務１３のデータ形式に変換", "１）Ledrix財務１３のデータ形式に変換します。\r"},
        {"5.0.2", "法人・個人データの日報入力に対応 他", "１）法人・個人データの日報入力に対応します。"},
        {"5.0.5", "法人決算書の手形相殺機能に対応", "１）法人決算書の手形相殺機能に対応します。"},
        {"6.0.0", "Ledrix財務１４のデータ形式に変換 他",
         "１）Ledrix財務１４のデータ形式に変換します。\r２）過年度残高に税込・税抜額の記録が可能になります。\r３）法人・"
         "個人データの製造原価報告書に外注費ブロックを追加します。"},
        {"6.1.0", "Ledrix財務１４ 消費税改正版のデータ形式に変換 他",
         "１）２０１４年４月の消費税改正 に対応します。\r"},
        {"6.1.3", "仕訳変更時の並び順の調整 他",
         "１）決算同日仕訳変更時の並び順を調整します。\r２）定形試算表の販売費及び一般管理費の集計項目名称（縦）の入力文字"
         "数を拡張します。"},
        {"7.0.0", "Ledrix財務１５のデータ形式に変換 他",
         "１）Ledrix財務１５のデータ形式に変換します。\r２）「個人／農業」体系を新たに追加し、青色申告決算書（農業所得用）"
         "を作成します。"},
        {"7.0.2", "簡易課税制度のみなし仕入率の見直し", "１）簡易課税制度のみなし仕入率の見直しに対応します。\r"},
        {"7.0.3", "医療法人データの決算書レイアウトを変更", "１）医療法人データの決算書レイアウトを変更しました。\r"},
        {"7.0.4", "消費税・特定課税仕入れ に対応", "１）消費税申告書・付表の新様式に対応します。\r"},
        {"8.0.0", "Ledrix財務１６のデータ形式に変換 他",
         "１）Ledrix財務１６のデータ形式に変換する。\r２）マイナンバー制度に対応する。"},
    };
    const TArrayDbUpdateListRec list = GetAccountingUpdateList();
    const auto first = std::find_if(list.begin(), list.end(), [](const TDbUpdateListRec& rec) {
        return dbupdate::VersionOf(rec).Text() == "3.0.0";
    });
    // The updates from 8.0.2 on follow (AccountingLaterUnitsTest.cpp).
    ASSERT_GE(list.end() - first, static_cast<std::ptrdiff_t>(std::size(rows)));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const TDbUpdateListRec& rec = first[static_cast<std::ptrdiff_t>(i)];
        SCOPED_TRACE(rows[i].version);
        EXPECT_EQ(dbupdate::VersionOf(rec).Text(), rows[i].version);
        EXPECT_EQ(rec.BackupFlag, 1);
        EXPECT_EQ(rec.Title, rows[i].title);
        EXPECT_EQ(rec.Description, rows[i].description);
        EXPECT_TRUE(static_cast<bool>(rec.UpdateFunc));
    }

    // The editions with individual costing, and a product without a title.
    EditionFlag = 2;
    AppInfo.Zaimu.AppTitle.clear();
    TDbUpdateListRec rec;
    z5UserDbUpdate700::GetUpdateInfo(rec);
    EXPECT_EQ(rec.Title, "１５のデータ形式に変換 他");
    EXPECT_TRUE(rec.Description.ends_with("作成します。\r３）個別原価管理機能を新たに追加します。"));
    z5UserDbUpdate703::GetUpdateInfo(rec);
    EXPECT_EQ(rec.Title, "消費税試算表の仕訳帳ジャンプ機能の仕様変更");
    EXPECT_EQ(rec.Description, "１）消費税試算表の仕訳帳ジャンプ機能の仕様を変更しました。\r");
    z5UserDbUpdate400::GetUpdateInfo(rec);
    EXPECT_EQ(rec.Title, "１２のデータ形式に変換");
}

// The units' scripts over an sql folder whose every file holds one comment
// naming itself, on a copy of company data of one kind.
class AccountingFileUnitTest : public UpdateDbTest {
protected:
    void SetUp() override
    {
        UpdateDbTest::SetUp();
        EditionFlag = 0;
        ProgramKind = 0;
        AppInfo.Zaimu.AppTitle = "Ledrix財務";
    }

    void UseCompany(DataKind kind, const std::string& version = BeforeFileUnits)
    {
        fs::remove(CompanyDbPath());
        companytest::CopyCompanyMaster(companytest::CompanyMaster(version, kind), SystemDef.DataDir);
    }

    // Every file of every unit present, each one comment line: the script
    // then says which files it took and runs as it is.
    void WriteMarkerFiles()
    {
        const std::pair<const char*, int> folders[] = {{"300", 10}, {"301", 1},  {"303", 6}, {"304", 4},  {"306", 2},
                                                       {"307", 8},  {"400", 9},  {"402", 6}, {"500", 11}, {"502", 2},
                                                       {"505", 5},  {"600", 18}, {"610", 5}, {"613", 7},  {"700", 11},
                                                       {"702", 2},  {"703", 3},  {"704", 4}, {"800", 6}};
        for (const auto& [folder, count] : folders)
            for (const std::string& name : accupdate::NumberedFiles(count))
                Marker(folder, name);
        Marker("704", "qhzup70201.sql");
        Marker("704", "qhzup70202.sql");
    }
    void Marker(const std::string& folder, const std::string& name)
    {
        WriteFile(fs::path(SystemDef.SqlDir) / folder / name, "\r\n/* " + folder + "/" + name + " */\r\n\r\n");
    }

    static std::vector<std::string> Lines(const std::string& text) { return ScriptLines(text); }
    // The files a script took, in its order ("600/qhzup03.sql" as "03").
    static std::vector<std::string> Taken(const TUpdateScript& script)
    {
        std::vector<std::string> taken;
        for (const std::string& line : Lines(script.Text()))
            if (line.starts_with("/* ") && line.find("/qhzup") != std::string::npos)
                taken.push_back(line.substr(line.find("/qhzup") + 6, line.find(".sql") - line.find("/qhzup") - 6));
        return taken;
    }
    std::string Version()
    {
        return Session(CompanyDbPath()).Line("SELECT MAJOR||'.'||MINOR1||'.'||MINOR2 FROM ACCVERSION WHERE REC=1");
    }

    SavedProgramGlobals savedProgram_;
};

TEST_F(AccountingFileUnitTest, FileRulesTakeTheFilesOfTheChartEditionAndKind)
{
    using Strings = std::vector<std::string>;
    struct Case {
        const char* name;
        DataKind kind;
        std::uint8_t edition;
        TUpdateScript (*script)();
        Strings taken;
    };
    const Case cases[] = {
        {"3.0.3 general", DataKind::Corporation, 0, &z5UserDbUpdate303::Script, {}},
        {"3.0.3 medical", DataKind::Medical, 0, &z5UserDbUpdate303::Script, {"01", "02", "03", "04", "05", "06"}},
        {"3.0.7 general", DataKind::Corporation, 0, &z5UserDbUpdate307::Script, {"01", "08"}},
        {"4.0.0 general", DataKind::Corporation, 0, &z5UserDbUpdate400::Script, {"01", "02", "03", "06", "07", "08"}},
        {"4.0.0 medical", DataKind::Medical, 0, &z5UserDbUpdate400::Script, {"01", "04", "05", "06", "09"}},
        {"4.0.2 medical", DataKind::Medical, 0, &z5UserDbUpdate402::Script, {"01", "03", "04", "05", "06"}},
        {"5.0.0 general",
         DataKind::Corporation,
         0,
         &z5UserDbUpdate500::Script,
         {"02", "04", "05", "06", "07", "08", "10", "11"}},
        {"5.0.0 medical, edition 1",
         DataKind::Medical,
         1,
         &z5UserDbUpdate500::Script,
         {"01", "03", "04", "05", "06", "07", "08", "09", "11"}},
        {"5.0.2 general", DataKind::Corporation, 0, &z5UserDbUpdate502::Script, {"01"}},
        {"5.0.5 corporation", DataKind::Corporation, 0, &z5UserDbUpdate505::Script, {"01", "02", "04"}},
        {"5.0.5 corporation, edition 1", DataKind::Corporation, 1, &z5UserDbUpdate505::Script, {"01", "02", "05"}},
        {"5.0.5 individual, edition 1", DataKind::Individual, 1, &z5UserDbUpdate505::Script, {"01", "02"}},
        {"5.0.5 medical", DataKind::Medical, 0, &z5UserDbUpdate505::Script, {"01", "03"}},
        {"6.0.0 general",
         DataKind::Corporation,
         0,
         &z5UserDbUpdate600::Script,
         {"01", "02", "03", "04", "05", "06", "07", "08", "09", "15", "16", "18"}},
        {"6.0.0 medical",
         DataKind::Medical,
         0,
         &z5UserDbUpdate600::Script,
         {"01", "02", "10", "11", "12", "13", "14", "15", "17", "18"}},
        {"6.1.0 medical", DataKind::Medical, 0, &z5UserDbUpdate610::Script, {"01", "02", "03", "05"}},
        {"6.1.3 general", DataKind::Individual, 0, &z5UserDbUpdate613::Script, {"01", "03", "04", "05", "06", "07"}},
        {"6.1.3 medical", DataKind::Medical, 0, &z5UserDbUpdate613::Script, {"01", "02", "04", "05", "07"}},
        {"7.0.0 general", DataKind::Corporation, 0, &z5UserDbUpdate700::Script, {"01", "02", "03", "08", "10", "11"}},
        {"7.0.0 medical", DataKind::Medical, 0, &z5UserDbUpdate700::Script, {"04", "05", "06", "07", "09", "10"}},
        {"7.0.3 general", DataKind::Corporation, 0, &z5UserDbUpdate703::Script, {"02", "03"}},
        {"7.0.3 medical", DataKind::Medical, 0, &z5UserDbUpdate703::Script, {"01", "02", "03"}},
    };
    WriteMarkerFiles();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditionFlag = c.edition;
        UseCompany(c.kind);
        EXPECT_EQ(Taken(c.script()), c.taken);
    }
}

TEST_F(AccountingFileUnitTest, ScriptFrameCopiesNonEmptyLinesAndEndsWithTheStamp)
{
    UseCompany(DataKind::Corporation);
    // Only two files of 3.0.0 present; a line of blanks is copied, an empty
    // line is not.
    WriteFile(fs::path(SystemDef.SqlDir) / "300" / "qhzup01.sql", "SELECT 1 FROM RDB$DATABASE;\r\n\r\n   \r\n");
    WriteFile(fs::path(SystemDef.SqlDir) / "300" / "qhzup07.sql", "SELECT 7 FROM RDB$DATABASE;\n");
    const std::vector<std::string> lines = Lines(z5UserDbUpdate300::Script().Text());
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_TRUE(lines[0].starts_with("/* ") && lines[0].ends_with(",PC01,100007 */")) << lines[0];
    EXPECT_EQ(lines[1], "");
    EXPECT_TRUE(lines[2].starts_with("CONNECT '" + CompanyDbPath() + "' USER '"));
    EXPECT_EQ(lines[3], "SELECT 1 FROM RDB$DATABASE;");
    EXPECT_EQ(lines[4], "   ");
    EXPECT_EQ(lines[5], "SELECT 7 FROM RDB$DATABASE;");
    EXPECT_TRUE(lines[6].starts_with("UPDATE ACCVERSION SET MAJOR=3,MINOR1=0,MINOR2=0,MEMO='"));
    EXPECT_EQ(lines[7], "WHERE REC=1;");
    EXPECT_EQ(lines[8], "COMMIT;");
    EXPECT_EQ(lines[9], "EXIT;");

    // The character set from 3.0.6 on; the stamp after the body in every
    // unit (a failed body must not leave the new version behind).
    WriteMarkerFiles();
    const std::vector<std::string> v304 = Lines(z5UserDbUpdate304::Script().Text());
    EXPECT_TRUE(
        std::none_of(v304.begin(), v304.end(), [](const std::string& l) { return l == "SET NAMES SJIS_0208;"; }));
    const std::vector<std::string> v505 = Lines(z5UserDbUpdate505::Script().Text());
    EXPECT_EQ(v505[3], "SET NAMES SJIS_0208;");
    EXPECT_EQ(v505[4], "/* 505/qhzup01.sql */");
    EXPECT_TRUE(v505[v505.size() - 4].starts_with("UPDATE ACCVERSION SET MAJOR=5,MINOR1=0,MINOR2=5,MEMO='"));
}

TEST_F(AccountingFileUnitTest, LeadingLinesOfThreeZeroThreeForRealEstateBooksOnly)
{
    UseCompany(DataKind::Individual);
    Session(CompanyDbPath()).Exec("UPDATE ACCDEF1 SET CODETYPE=2 WHERE REC=1");
    const std::vector<std::string> lines = Lines(z5UserDbUpdate303::Script().Text());
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[3], "UPDATE EXTERKS SET KNAMELOCK=0");
    EXPECT_EQ(lines[4], "WHERE KGROUP='4100' AND SUBREC=3;");
    EXPECT_EQ(lines[5], "COMMIT;");
    Session(CompanyDbPath()).Exec("UPDATE ACCDEF1 SET CODETYPE=1 WHERE REC=1");
    EXPECT_EQ(Lines(z5UserDbUpdate303::Script().Text()).size(), 7u);
}

TEST_F(AccountingFileUnitTest, UnitsThatNeedEveryFileStopWithoutAScript)
{
    UseCompany(DataKind::Corporation);
    Session(CompanyDbPath()).Exec("CREATE TABLE TAXMST (TAX_CODE INTEGER NOT NULL PRIMARY KEY)");
    Session(CompanyDbPath()).Exec("INSERT INTO TAXMST VALUES (116)");
    WriteMarkerFiles();
    struct Case {
        const char* folder;
        const char* file;
        std::int32_t (*doUpdate)();
    };
    // 7.0.4 on data with code 116 would leave the missing file out; it is
    // missing all the same.
    const Case cases[] = {{"703", "qhzup01.sql", &z5UserDbUpdate703::DoUpdate},
                          {"704", "qhzup70201.sql", &z5UserDbUpdate704::DoUpdate},
                          {"800", "qhzup06.sql", &z5UserDbUpdate800::DoUpdate}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        const fs::path missing = fs::path(SystemDef.SqlDir) / c.folder / c.file;
        fs::remove(missing);
        EXPECT_EQ(c.doUpdate(), UpdateResultFileMissing);
        EXPECT_FALSE(fs::exists(ScriptPath()));
        EXPECT_FALSE(fs::exists(LogPath()));
        Marker(c.folder, c.file);
    }
    EXPECT_EQ(Version(), BeforeFileUnits);

    // The earlier units go on without a missing file and stamp their version.
    fs::remove_all(fs::path(SystemDef.SqlDir) / "702");
    EXPECT_EQ(z5UserDbUpdate702::DoUpdate(), UpdateResultOk);
    EXPECT_EQ(Version(), "7.0.2");
}

TEST_F(AccountingFileUnitTest, DataChecksChooseTheTriggerAndTaxFiles)
{
    UseCompany(DataKind::Medical);
    WriteMarkerFiles();
    EXPECT_EQ(Taken(z5UserDbUpdate304::Script()), (std::vector<std::string>{"01", "02", "03", "04"}));
    Session(CompanyDbPath())
        .Exec("CREATE TRIGGER KAMOKUMST_AFTER_UPDATE2 FOR KAMOKUMST ACTIVE AFTER UPDATE POSITION 2 AS BEGIN END");
    EXPECT_EQ(Taken(z5UserDbUpdate304::Script()), (std::vector<std::string>{"01", "02", "03"}));

    Session(CompanyDbPath()).Exec("CREATE TABLE TAXMST (TAX_CODE INTEGER NOT NULL PRIMARY KEY)");
    EXPECT_EQ(Taken(z5UserDbUpdate704::Script()), (std::vector<std::string>{"70201", "70202", "01", "02", "04"}));
    Session(CompanyDbPath()).Exec("INSERT INTO TAXMST VALUES (116)");
    EXPECT_EQ(Taken(z5UserDbUpdate704::Script()), (std::vector<std::string>{"01", "02", "04"}));
}

TEST_F(AccountingFileUnitTest, FourZeroZeroAppendsItsLinesByKindBranchesAndDepartments)
{
    const auto has = [](const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    const std::string branchLine = "UPDATE ACCDEF5 SET NUM1=0 WHERE (SCODE='');";
    const std::string departmentLine = "UPDATE ACCDEF5 SET NUM1=0 WHERE (BCODE='');";

    UseCompany(DataKind::Corporation);
    Session(CompanyDbPath()).Exec("UPDATE ACCDEF1 SET SITEN=0, BUMON=1 WHERE REC=1");
    const std::string sundry = Session(CompanyDbPath()).Line("SELECT KCODE FROM ACCDEF2 WHERE KNAME='諸口'");
    ASSERT_FALSE(sundry.empty());
    std::vector<std::string> lines = Lines(z5UserDbUpdate400::Script().Text());
    const std::size_t n = lines.size();
    EXPECT_EQ(lines[n - 8],
              cp932::FromUtf8("UPDATE KAMOKUMST SET HOJOSW=CASE WHEN (SELECT COUNT(*) FROM HOJOMST WHERE (KCODE='" +
                              sundry + "' AND HCODE<>''))=0 THEN '－' ELSE '○' END"));
    EXPECT_EQ(lines[n - 7], cp932::FromUtf8("WHERE (KCODE='" + sundry + "') AND (HOJOSW='×');"));
    EXPECT_EQ(lines[n - 6], departmentLine);
    EXPECT_EQ(lines[n - 5], "COMMIT;");
    EXPECT_FALSE(has(lines, branchLine));

    UseCompany(DataKind::Medical);
    Session(CompanyDbPath()).Exec("UPDATE ACCDEF1 SET SITEN=1, BUMON=0 WHERE REC=1");
    ProgramKind = 3;
    const std::string text = z5UserDbUpdate400::Script().Text();
    EXPECT_NE(
        text.find(cp932::FromUtf8("\r\nDELETE FROM ACCREG WHERE (AGROUP='基本設定') AND (ACODE='合算データ数');\r\n")),
        std::string::npos);
    lines = Lines(text);
    EXPECT_TRUE(has(lines, branchLine));
    EXPECT_FALSE(has(lines, departmentLine));
    EXPECT_NE(text.find("WHERE (CM_KIND=1)AND(CM_GROUP=60);\r\n"), std::string::npos);
}

TEST_F(AccountingFileUnitTest, PlaceholderTriggerIsMadeOnlyWhereTheDataLacksIt)
{
    WriteMarkerFiles();
    const char* source =
        "SELECT TRIM(RDB$TRIGGER_SOURCE) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME='KAMOKUSZ_AFTER_DELETE2'";
    UseCompany(DataKind::Corporation);
    ASSERT_EQ(z5UserDbUpdate307::DoUpdate(), UpdateResultOk);
    EXPECT_EQ(Session(CompanyDbPath()).Line(source), "AS\nDECLARE dvSITEN  INTEGER;\nBEGIN\nEND");
    EXPECT_EQ(Version(), "3.0.7");

    UseCompany(DataKind::Corporation);
    Session(CompanyDbPath())
        .Exec(
            "CREATE TRIGGER KAMOKUSZ_AFTER_DELETE2 FOR KAMOKU_SZ ACTIVE AFTER DELETE POSITION 0 AS "
            "DECLARE X INTEGER; BEGIN X = 1; END");
    ASSERT_EQ(z5UserDbUpdate307::DoUpdate(), UpdateResultOk);
    EXPECT_EQ(Session(CompanyDbPath()).Line(source), "AS DECLARE X INTEGER; BEGIN X = 1; END");
}

class OpeningBalanceCopyTest : public AccountingFileUnitTest {
protected:
    // Converted data beginning in the month, with opening balances on a
    // few accounts of the company facility.
    void Prepare(DataKind kind, int month)
    {
        UseCompany(kind);
        WriteMarkerFiles();
        Session session(CompanyDbPath());
        session.Exec("UPDATE ACCDEF1 SET CONVERT=1, KAISINO=" + std::to_string(month) + " WHERE REC=1");
        session.Exec("UPDATE KAMOKU_SZ SET KAISIZAN=0");
        for (const char* account : {"1101", "1608", "2205", "3101", "6102"})
            session.Exec(std::string("UPDATE KAMOKU_SZ SET KAISIZAN=1234.5 WHERE HCODE=' ' AND BCODE=' ' AND KCODE='") +
                         account + "'");
        session.Exec("UPDATE KAMOKU_PZ SET NUKIZAN=9, ZEIGAKU=9");
    }
    // The accounts whose rows of the period now hold the opening balance.
    std::vector<std::string> Copied(int period)
    {
        return Session(CompanyDbPath())
            .Lines("SELECT DISTINCT KCODE FROM KAMOKU_PZ WHERE NUKIZAN=1234.5 AND ZEIGAKU=0 AND MNUM=" +
                   std::to_string(period) + " ORDER BY KCODE");
    }
};

TEST_F(OpeningBalanceCopyTest, IndividualDataOfTheFirstMonthLeavesTheOwnerAccountsAndProfitAndLossOut)
{
    Prepare(DataKind::Individual, 1);
    ASSERT_EQ(z5UserDbUpdate306::DoUpdate(), UpdateResultOk);
    EXPECT_EQ(Copied(0), (std::vector<std::string>{"1101"}));
    // Only the rows written lose their tax.
    EXPECT_EQ(
        Session(CompanyDbPath()).Line("SELECT COUNT(*) FROM KAMOKU_PZ WHERE ZEIGAKU=9 AND MNUM=0 AND KCODE='6102'"),
        "1");
}

TEST_F(OpeningBalanceCopyTest, DataBeginningInJulyCopiesEveryAccountToPeriodEight)
{
    Prepare(DataKind::Corporation, 7);
    ASSERT_EQ(z5UserDbUpdate306::DoUpdate(), UpdateResultOk);
    EXPECT_EQ(Copied(8), (std::vector<std::string>{"1101", "1608", "2205", "3101", "6102"}));
    EXPECT_TRUE(Copied(0).empty());
}

TEST_F(OpeningBalanceCopyTest, MedicalDataOfAnotherSizeMarksTheFourAccountsAndReadsNoFile)
{
    Prepare(DataKind::Medical, 4);
    Session(CompanyDbPath()).Exec("UPDATE ACCDEF1 SET CONVERT=0 WHERE REC=1");
    Session(CompanyDbPath()).Exec("UPDATE KAMOKUMST SET HOJOSW='○'");
    EXPECT_TRUE(Taken(z5UserDbUpdate306::Script()).empty());
    ASSERT_EQ(z5UserDbUpdate306::DoUpdate(), UpdateResultOk);
    const std::vector<std::string> marked = Session(CompanyDbPath())
                                                .Lines(
                                                    "SELECT A.KNAME FROM KAMOKUMST K JOIN ACCDEF2 A ON "
                                                    "A.KCODE=K.KCODE WHERE K.HOJOSW='×'");
    // The system accounts of these names that the data knows (1.0.2 kept
    // no "前期繰越利益" among them).
    EXPECT_EQ(std::set<std::string>(marked.begin(), marked.end()),
              (std::set<std::string>{"仮受消費税", "仮払消費税", "諸口"}));
    EXPECT_TRUE(Copied(4).empty());
}

TEST_F(OpeningBalanceCopyTest, AFailingDataFixIsAFailedUpdateThatChangesNothing)
{
    // The marks are written before the copy fails on the period table.
    Prepare(DataKind::Medical, 4);
    Session(CompanyDbPath()).Exec("UPDATE KAMOKUMST SET HOJOSW='○'");
    Session(CompanyDbPath()).Exec("CREATE EXCEPTION E_PERIOD_LOCKED 'locked'");
    Session(CompanyDbPath())
        .Exec(
            "CREATE TRIGGER KAMOKU_PZ_LOCKED FOR KAMOKU_PZ ACTIVE BEFORE UPDATE AS BEGIN EXCEPTION E_PERIOD_LOCKED; END");
    std::int32_t result = 0;
    EXPECT_NO_THROW(result = z5UserDbUpdate306::DoUpdate());
    EXPECT_EQ(result, UpdateResultConversionError);
    EXPECT_EQ(Session(CompanyDbPath()).Line("SELECT COUNT(*) FROM KAMOKUMST WHERE HOJOSW='×'"), "0");
    EXPECT_EQ(Version(), BeforeFileUnits);
    EXPECT_FALSE(fs::exists(ScriptPath()));
}

class DataPasswordTest : public AccountingFileUnitTest {
protected:
    void Store(const char* code, const std::string& value)
    {
        Session(CompanyDbPath())
            .Exec(std::string("INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', '") + code +
                  "', '文字', '" + value + "')");
    }
    std::string Stored(const char* code)
    {
        const std::vector<std::string> rows = Session(CompanyDbPath())
                                                  .Lines(std::string("SELECT ATEXT FROM ACCREG WHERE AGROUP='基本設定' "
                                                                     "AND ACODE='") +
                                                         code + "'");
        return rows.empty() ? "<none>" : rows.front();
    }
};

TEST_F(DataPasswordTest, PasswordMovesToItsScrambledSetting)
{
    struct Case {
        const char* name;
        std::string plain;
        std::string oldScrambled;  // empty: none stored
        std::string plainAfter;
        std::string scrambledAfter;
    };
    TEasyEncodeInfo info;
    ClearEasyEncodeInfo(info);
    info.TargetLen = info.PlainLen = DataPasswordLength;
    info.Key = std::string(DataPasswordKey);
    info.PlainText = "Pass12";
    ASSERT_EQ(EasyEncode(info), 1);
    const Case cases[] = {
        {"a password, trimmed of its blanks", "  Pass12　", "", "<none>", info.CodeText},
        {"blanks only, half- and full-width", " 　 ", "OLDCODE", "<none>", "<none>"},
    };
    WriteMarkerFiles();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseCompany(DataKind::Corporation);
        Store("データパスワード", c.plain);
        if (!c.oldScrambled.empty())
            Store("データパスワードV2", c.oldScrambled);
        ASSERT_EQ(z5UserDbUpdate700::DoUpdate(), UpdateResultOk);
        EXPECT_EQ(Stored("データパスワード"), c.plainAfter);
        EXPECT_EQ(Stored("データパスワードV2"), c.scrambledAfter);
        EXPECT_EQ(Version(), "7.0.0");
    }
}

TEST_F(DataPasswordTest, APasswordThatCannotBeScrambledStaysAndFailsTheUpdate)
{
    WriteMarkerFiles();
    UseCompany(DataKind::Corporation);
    Store("データパスワード", "ab-cd");
    // Through the catalogue's update function, as the run calls it.
    TDbUpdateListRec rec;
    z5UserDbUpdate700::GetUpdateInfo(rec);
    std::int32_t result = 0;
    EXPECT_NO_THROW(result = rec.UpdateFunc());
    EXPECT_EQ(result, UpdateResultConversionError);
    EXPECT_EQ(Stored("データパスワード"), "ab-cd");
    EXPECT_EQ(Stored("データパスワードV2"), "<none>");
    EXPECT_EQ(Version(), BeforeFileUnits);
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_NE(messages_.shown.back().Text.find("データパスワード"), std::string::npos);
}

// The installation's own files, from the data before 3.0.0 to 8.0.0: the
// run's master of each chart at 8.0.0 (built once per test run through the
// real units, and failing there when the run stops short of the version).
class AccountingFileChainTest : public AccountingFileUnitTest {};

TEST_F(AccountingFileChainTest, EveryChartReachesEightWithTheObjectsOfItsFiles)
{
    for (const DataKind kind : {DataKind::Corporation, DataKind::Individual, DataKind::Medical}) {
        SCOPED_TRACE(dbtest::DataKindName(kind));
        UseCompany(kind, "8.0.0");
        Session session(CompanyDbPath());
        EXPECT_EQ(session.Lines("SELECT REC, MAJOR, MINOR1, MINOR2 FROM ACCVERSION"),
                  (std::vector<std::string>{"1|8|0|0"}));
        EXPECT_EQ(session.Line("SELECT TAX_GNAM||'|'||TAX_NAME||'|'||TAX_HOUSIKI||'|'||TAX_UH||'|'||TAX_DAC "
                               "FROM TAXMST WHERE TAX_CODE=116"),
                  "売上|第６種課税売上|2|1|3");
        EXPECT_EQ(session.Line("SELECT TAX_NAME FROM TAXMST WHERE TAX_CODE=551"), "課税売上対応特定課税仕入");
        EXPECT_EQ(session.Line("SELECT COUNT(*) FROM TAXMST"), "93");
        EXPECT_EQ(session.Line("SELECT COUNT(*) FROM EXTERKS WHERE KNAMELOCK IS DISTINCT FROM 0"), "0");
        EXPECT_EQ(session.Line("SELECT COUNT(*) FROM KAMOKU_SZ WHERE KISHU_KOMI<>KAISIZAN OR KISHU_NUKI<>KAISIZAN"),
                  "0");
        EXPECT_EQ(session.Line("SELECT COUNT(*) FROM KAKOZAN"), "0");
        for (const char* trigger : {"KAMOKUMST_AFTER_UPDATE2", "KAMOKUSZ_AFTER_DELETE2"})
            EXPECT_EQ(
                session.Line(std::string("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME='") + trigger + "'"),
                "1")
                << trigger;
        if (kind == DataKind::Medical) {
            EXPECT_EQ(session.Lines("SELECT CM_REC||'|'||CM_JIGYOU||'|'||CM_GROUP||'|'||CM_NAME1 FROM CASHFMST "
                                    "WHERE CM_GROUP=40 ORDER BY CM_REC"),
                      (std::vector<std::string>{"43|15|40|Ⅳ　現金及び現金同等物に係る換算差額",
                                                "89|15|40|Ⅳ　現金及び現金同等物に係る換算差額"}));
        }
    }
}

TEST_F(AccountingFileChainTest, TheTriggersOfThreeZeroFourAndThreeZeroSevenKeepTheRowsInStep)
{
    UseCompany(DataKind::Corporation, "8.0.0");
    Session session(CompanyDbPath());
    session.Exec("UPDATE KAMOKUMST SET TAX_LCODE=511, BPFLG='P' WHERE KCODE='6102'");
    EXPECT_EQ(session.Line("SELECT TAX_LCODE||'|'||BPFLG FROM HOJOMST WHERE KCODE='6102' AND HCODE=' '"), "511|P");
    session.Exec("DELETE FROM KAMOKU_SZ WHERE KCODE='6102' AND HCODE=' ' AND BCODE=' '");
    EXPECT_EQ(session.Line("SELECT COUNT(*) FROM KAMOKU_MS WHERE KCODE='6102' AND HCODE=' ' AND BCODE=' '"), "0");
    EXPECT_EQ(session.Line("SELECT COUNT(*) FROM KAMOKU_PZ WHERE KCODE='6102' AND HCODE=' ' AND BCODE=' '"), "0");
}

}  // namespace
