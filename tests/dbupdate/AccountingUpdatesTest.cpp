#include "CompanyUpdateTestSupport.h"
#include "SchemaTestSupport.h"
#include "ScriptLintSupport.h"
#include "UpdateTestSupport.h"

#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/DatabaseBuilder.h"
#include "foundation/DataModule.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace updtest;
using dbupdate::DatabaseBuildReport;
using dbupdate::UpdateListKind;
using dbupdate::UpdateVersion;
using schematest::Session;

TEST(AccountingUpdateCatalogue, RowsInVersionOrderWithTheirTexts)
{
    struct Row {
        const char* version;
        const char* title;
        const char* description;
    };
    const Row rows[] = {
        {"0.1.1", "減価償却処理を追加　他",
         "1)減価償却処理用のテーブルを作成します。\r2)３期比較経営分析用のプロシジャーを作成します。"},
        {"0.1.2", "当座残高調整表を追加", "当座残高調整表用のプロシジャーを作成します。"},
        {"0.1.3", "監査処理機能を追加", "監査処理用のテーブルを作成します。"},
        {"0.1.4", "キャッシュ・フロー計算書を追加", "キャッシュ・フロー計算書用のテーブルを作成します。"},
        {"0.1.5", "ページ辞書機能の仕様変更 他",
         "1)補助または部門を削除したときに、削除対象の補助または部門がページ辞書仕訳に使用されていた場合に削除されないように"
         "仕様を変更しました。\r2)決算書の注記表「タイトルと会計期間を印刷する」のフィールドを追加しました。\r3)青色申告書用"
         "テーブルを作成します。"},
        {"0.2.0", "データのバージョンを0.2.0に更新", "データのバージョンを0.2.0に更新します。"},
        {"0.2.1", "過年度残高の修復 ", "過年度残高を修復します。"},
        {"0.2.2", "科目マスタの構造変更 他",
         "1)科目マスタの構造を変更します。\r2)キャッシュフロー項目を再作成します。\r3)青色申告決算書で上書入力に対応します。"
         "\r4)内訳書用テーブルを作成します。"},
        {"0.3.0", "データのバージョンを0.3.0に更新", "データのバージョンを0.3.0に更新します。"},
        {"0.3.1", "３期比較集計プログラムの更新 他",
         "３期比較集計プログラムを更新します。\r基本情報に通信フォルダー列を追加します。"},
        {"0.3.2", "電子帳簿用ユーザーの追加", "電子帳簿用ユーザーを追加します。"},
        {"0.3.3", "経営Navigore機能の追加 他",
         "比較経営分析表の初期値を設定します。\r元入金の繰り入れ計算を更新します。"},
        {"0.3.4", "特定科目コード取得プログラムの変更 他",
         "特定科目コード取得プログラムを変更します。\r試算表用の当座資産分類コードを変更します。"},
        {"0.4.0", "データのバージョンを0.4.0に更新", "データのバージョンを0.4.0に更新します。"},
        {"0.4.1", "監査処理項目の変更", "監査処理の規定項目を変更します。"},
        {"1.0.0", "Ledrix財務０９ Ver1.0.0", "Ledrix財務０９ Ver1.0.0データへ更新します。"},
        {"1.0.1", "財務分析で期中開始データが適正に集計されない不具合を修正 他",
         "１）財務分析で期中開始データが適正に集計されるように修正します。\r２）比較経営分析の科目内訳表示範囲を修正します。（経営Navigore）"},
        {"1.0.2", "コンバートデータの減価償却資産の修復 他",
         "１）コンバートデータの減価償却資産を修復します。\r２）前期末残高が正しいか評価し、異常があった場合は修復します。"},
        {"1.0.3", "本・支店管理データの予算または過年度残高を調整 他",
         "１）本・支店管理データの予算または過年度残高を調整します。\r２）定形試算表の共通部門集計を適正に処理出来るように修正します。"},
        {"1.0.5", "合計残高試算表の集計項目名称の変更機能を追加",
         "１）合計残高試算表の集計項目名称の変更機能を追加します。"},
        {"2.0.0", "Ledrix財務１０のデータ形式に変換", "１）Ledrix財務１０のデータ形式に変換します。"},
        {"2.0.4", "出納帳スペシャル機能の追加", "１）出納帳スペシャル機能を追加します。"},
    };
    // The units that only record their version ask for no backup.
    const std::vector<std::string> withoutBackup{"0.2.0", "0.3.0", "0.3.2", "0.4.0"};
    // The units from 3.0.0 on follow (AccountingFileUnitsTest.cpp,
    // AccountingLaterUnitsTest.cpp).
    const TArrayDbUpdateListRec list = GetAccountingUpdateList();
    ASSERT_GE(list.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].version);
        EXPECT_EQ(dbupdate::VersionOf(list[i]).Text(), rows[i].version);
        EXPECT_EQ(list[i].BackupFlag, std::count(withoutBackup.begin(), withoutBackup.end(), rows[i].version) ? 0 : 1);
        EXPECT_EQ(list[i].Title, rows[i].title);
        EXPECT_EQ(list[i].Description, rows[i].description);
        EXPECT_TRUE(static_cast<bool>(list[i].UpdateFunc));
    }
    EXPECT_EQ(RegisteredAccountingUpdateVersions(),
              (std::vector<std::string>{"0.1.1",  "0.1.2",  "0.1.3",  "0.1.4",  "0.1.5",  "0.2.0",  "0.2.1",  "0.2.2",
                                        "0.3.0",  "0.3.1",  "0.3.2",  "0.3.3",  "0.3.4",  "0.4.0",  "0.4.1",  "1.0.0",
                                        "1.0.1",  "1.0.2",  "1.0.3",  "1.0.5",  "2.0.0",  "2.0.4",  "3.0.0",  "3.0.1",
                                        "3.0.3",  "3.0.4",  "3.0.6",  "3.0.7",  "4.0.0",  "4.0.2",  "5.0.0",  "5.0.2",
                                        "5.0.5",  "6.0.0",  "6.1.0",  "6.1.3",  "7.0.0",  "7.0.2",  "7.0.3",  "7.0.4",
                                        "8.0.0",  "8.0.2",  "8.0.3",  "9.0.0",  "9.0.1",  "9.0.2",  "9.0.3",  "9.0.4",
                                        "9.0.5",  "10.0.0", "10.0.1", "10.0.3", "10.0.4", "10.0.5", "11.0.0", "11.0.1",
                                        "11.1.0", "12.0.0", "13.0.0", "13.0.3", "14.0.0", "15.0.0"}));
}

class AccountingUpdateTest : public UpdateDbTest {
protected:
    // The data folder's database: a copy of the master at version ("0.1.0"
    // is the delivered base).
    std::string UseCompanyAt(const std::string& version)
    {
        fs::remove(CompanyDbPath());
        return companytest::CopyCompanyMaster(companytest::CompanyMaster(version), SystemDef.DataDir);
    }
    DatabaseBuildReport RunUpTo(std::optional<UpdateVersion> stopAt)
    {
        dbupdate::DatabaseBuildSettings settings = companytest::BuildSettings(folder_);
        settings.stopAt = stopAt;
        return dbupdate::RunPendingUpdates(UpdateListKind::CompanyData, SystemDef.DataDir, GetAccountingUpdateList(),
                                           settings);
    }
    static std::vector<std::string> Lines(const std::string& text) { return ScriptLines(text); }
};

TEST_F(AccountingUpdateTest, ScriptConnectsTheDataFolderAndStampsRowOneLast)
{
    UseCompanyAt("0.1.2");
    const std::vector<std::string> lines = Lines(z5UserDbUpdate013::Script().Text());
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2],
              "CONNECT '" + CompanyDbPath() + "' USER '" + dbtest::User + "' PASSWORD '" + dbtest::Password + "';");
    EXPECT_EQ(lines[3], "ALTER TABLE KANSA_ITEM DROP CONSTRAINT KANSA_ITEM_SIWAKE;");
    for (const std::string& line : lines)
        EXPECT_EQ(line.find("SET NAMES"), std::string::npos);
    const std::size_t n = lines.size();
    EXPECT_TRUE(lines[n - 4].starts_with("UPDATE ACCVERSION SET MAJOR=0,MINOR1=1,MINOR2=3,MEMO='")) << lines[n - 4];
    EXPECT_EQ(lines[n - 4].size(), std::string("UPDATE ACCVERSION SET MAJOR=0,MINOR1=1,MINOR2=3,MEMO='").size() + 20);
    EXPECT_EQ(lines[n - 3], "WHERE REC=1;");
    EXPECT_EQ(lines[n - 2], "COMMIT;");
    EXPECT_EQ(lines[n - 1], "EXIT;");
}

TEST_F(AccountingUpdateTest, ColumnChecksWriteOnlyWhatTheDatabaseLacks)
{
    const std::string sdai = "ADD SDAI_HASUU3 INTEGER DEFAULT 0;";
    const std::string kessan = "ADD KESSAN_KIKAN INTEGER DEFAULT -1,";
    const auto has = [](const std::string& text, const std::string& line) {
        return text.find("\r\n" + line + "\r\n") != std::string::npos;
    };

    UseCompanyAt("0.1.0");
    std::string text = z5UserDbUpdate011::Script().Text();
    EXPECT_TRUE(has(text, sdai));
    EXPECT_TRUE(has(text, kessan));
    EXPECT_TRUE(has(text, "UPDATE ACCDEF1 SET KESSAN_KIKAN=-1,CASHFLOW_KIKAN1=-1,CASHFLOW_KIKAN2=-1 WHERE REC=1;"));

    Session(CompanyDbPath()).Exec("ALTER TABLE ACCDEF1 ADD SDAI_HASUU3 INTEGER DEFAULT 0");
    text = z5UserDbUpdate013::Script().Text();
    EXPECT_FALSE(has(text, sdai));
    EXPECT_TRUE(has(text, kessan));

    // A check that cannot ask the database counts the column as absent
    // (the data module has reported why).
    fs::remove(CompanyDbPath());
    text = z5UserDbUpdate013::Script().Text();
    EXPECT_TRUE(has(text, sdai));
    EXPECT_TRUE(has(text, kessan));
    EXPECT_FALSE(messages_.shown.empty());
}

TEST_F(AccountingUpdateTest, BaseToAuditItemsAddsTheSettingsColumnsOnceAndKeepsOneVersionRow)
{
    UseCompanyAt("0.1.0");
    const DatabaseBuildReport report = RunUpTo(UpdateVersion{0, 1, 3});
    ASSERT_TRUE(report.Succeeded()) << report.failedResult;
    ASSERT_EQ(report.applied.size(), 3u);
    EXPECT_EQ(report.reached, (UpdateVersion{0, 1, 3}));

    Session session(CompanyDbPath());
    EXPECT_EQ(session.Lines("SELECT REC, MAJOR, MINOR1, MINOR2 FROM ACCVERSION"),
              (std::vector<std::string>{"1|0|1|3"}));
    EXPECT_EQ(
        session.Line("SELECT SDAI_HASUU3, KESSAN_KIKAN, CASHFLOW_KIKAN1, CASHFLOW_KIKAN2 FROM ACCDEF1 WHERE REC=1"),
        "0|-1|-1|-1");
    EXPECT_EQ(session.Line("SELECT GDNAM FROM GENKADIV WHERE CODE=6"), "リース期間定額法");
    EXPECT_EQ(session.Lines("SELECT REC, TITLE, NOTE, JIMUSHO, TANTOU FROM KANSA"),
              (std::vector<std::string>{
                  "1|監査報告書|監査対象期間において、下記項目の監査が完了致しましたのでご報告申し上げます。||"}));
    EXPECT_EQ(
        session.Lines("SELECT REC, JUNJO, TEXT, NOTE, PRINT, CHECKMARK, CHOUBO, KENSAKU, SWK_KENSAKU FROM KANSA_ITEM"),
        (std::vector<std::string>{"1|1|現・預金の残高確認|現・預金の残高を確認しました。|0|0|0|0|<null>"}));
    // The audit items' keys: update cascades, delete sets null.
    EXPECT_EQ(
        session.Lines("SELECT TRIM(C.RDB$CONSTRAINT_NAME) || '|' || TRIM(R.RDB$UPDATE_RULE) || '|' || "
                      "TRIM(R.RDB$DELETE_RULE) FROM RDB$RELATION_CONSTRAINTS C "
                      "JOIN RDB$REF_CONSTRAINTS R ON R.RDB$CONSTRAINT_NAME = C.RDB$CONSTRAINT_NAME "
                      "WHERE C.RDB$RELATION_NAME = 'KANSA_ITEM' ORDER BY 1"),
        (std::vector<std::string>{"KANSA_ITEM_MOTBCODE|CASCADE|SET NULL", "KANSA_ITEM_MOTHCODE|CASCADE|SET NULL",
                                  "KANSA_ITEM_MOTKCODE|CASCADE|SET NULL", "KANSA_ITEM_MOTO|CASCADE|SET NULL",
                                  "KANSA_ITEM_SIWAKE|CASCADE|SET NULL", "KANSA_ITEM_TOZBCODE|CASCADE|SET NULL",
                                  "KANSA_ITEM_TOZHCODE|CASCADE|SET NULL", "KANSA_ITEM_TOZKCODE|CASCADE|SET NULL"}));
}

TEST_F(AccountingUpdateTest, VersionTableWithoutTheDeliveredRowIsLeftWithRowOne)
{
    struct Case {
        const char* name;
        std::vector<const char*> rows;  // REC, MAJOR, MINOR1, MINOR2
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {"several rows, none delivered", {"1,0,0,9", "2,0,0,5", "3,0,0,7"}, {"1|0|1|1"}},
        {"delivered row among others", {"1,0,1,0", "2,0,0,5"}, {"1|0|1|1", "2|0|0|5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseCompanyAt("0.1.0");
        {
            Session session(CompanyDbPath());
            session.Exec("DELETE FROM ACCVERSION");
            for (const char* row : c.rows)
                session.Exec(std::string("INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2) VALUES (") + row + ")");
        }
        const DatabaseBuildReport report = RunUpTo(UpdateVersion{0, 1, 1});
        ASSERT_TRUE(report.Succeeded());
        EXPECT_EQ(Session(CompanyDbPath()).Lines("SELECT REC, MAJOR, MINOR1, MINOR2 FROM ACCVERSION ORDER BY REC"),
                  c.after);
    }
}

TEST_F(AccountingUpdateTest, AFailingDropLeavesTheDatabaseAtItsVersion)
{
    UseCompanyAt("0.1.2");
    Session(CompanyDbPath()).Exec("ALTER TABLE KANSA_ITEM DROP CONSTRAINT KANSA_ITEM_MOTO");
    const DatabaseBuildReport report = RunUpTo(UpdateVersion{0, 1, 3});
    EXPECT_EQ(report.failedResult, UpdateResultScriptError);
    ASSERT_TRUE(report.failedAt.has_value());
    EXPECT_EQ(*report.failedAt, (UpdateVersion{0, 1, 3}));
    EXPECT_EQ(report.reached, (UpdateVersion{0, 1, 2}));
    EXPECT_TRUE(fs::exists(ErrText()));
}

TEST_F(AccountingUpdateTest, EveryObjectAUnitUsesExistsBeforeItRuns)
{
    struct Unit {
        const char* previous;
        TUpdateScript (*script)();
    };
    const Unit units[] = {
        {"0.1.0", &z5UserDbUpdate011::Script}, {"0.1.1", &z5UserDbUpdate012::Script},
        {"0.1.2", &z5UserDbUpdate013::Script}, {"0.1.3", &z5UserDbUpdate014::Script},
        {"0.1.4", &z5UserDbUpdate015::Script}, {"0.2.0", &z5UserDbUpdate021::Script},
        {"0.2.1", &z5UserDbUpdate022::Script}, {"0.3.0", &z5UserDbUpdate031::Script},
        {"0.3.2", &z5UserDbUpdate033::Script}, {"0.3.3", &z5UserDbUpdate034::Script},
        {"0.4.0", &z5UserDbUpdate041::Script}, {"0.4.1", &z5UserDbUpdate100::Script},
        {"1.0.0", &z5UserDbUpdate101::Script}, {"1.0.1", &z5UserDbUpdate102::Script},
        {"1.0.2", &z5UserDbUpdate103::Script}, {"1.0.3", &z5UserDbUpdate105::Script},
        {"1.0.5", &z5UserDbUpdate200::Script}, {"2.0.0", &z5UserDbUpdate204::Script},
    };
    for (const Unit& unit : units) {
        SCOPED_TRACE(unit.previous);
        UseCompanyAt(unit.previous);
        const auto used = scriptlint::UsedObjects(unit.script().Text());
        EXPECT_FALSE(used.empty());
        Session session(CompanyDbPath());
        for (const scriptlint::UsedObject& object : used)
            EXPECT_TRUE(scriptlint::Exists(session, object)) << object.name;
    }
}

TEST_F(AccountingUpdateTest, StampOnlyUnitChangesNothingButTheVersion)
{
    UseCompanyAt("0.1.5");
    const std::vector<std::string> lines = Lines(z5UserDbUpdate020::Script().Text());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_TRUE(lines[2].starts_with("CONNECT '"));
    EXPECT_TRUE(lines[3].starts_with("UPDATE ACCVERSION SET MAJOR=0,MINOR1=2,MINOR2=0,MEMO='"));
    EXPECT_EQ(lines[4], "WHERE REC=1;");

    const DatabaseBuildReport report = RunUpTo(UpdateVersion{0, 2, 0});
    ASSERT_TRUE(report.Succeeded());
    EXPECT_EQ(report.reached, (UpdateVersion{0, 2, 0}));
}

TEST_F(AccountingUpdateTest, WholeListRunsToItsLastUnit)
{
    UseCompanyAt("0.1.0");
    const DatabaseBuildReport report = RunUpTo(std::nullopt);
    ASSERT_TRUE(report.Succeeded()) << report.failedResult;
    EXPECT_EQ(report.applied.size(), GetAccountingUpdateList().size());
    EXPECT_EQ(report.reached, dbupdate::VersionOf(GetAccountingUpdateList().back()));
    EXPECT_TRUE(report.pending.empty());
    // Row 1 holds the version; the history rows the later units leave lie
    // below it.
    const UpdateVersion last = dbupdate::VersionOf(GetAccountingUpdateList().back());
    Session data(CompanyDbPath());
    EXPECT_EQ(data.Line("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION WHERE REC=1"),
              std::to_string(last.major) + "|" + std::to_string(last.minor1) + "|" + std::to_string(last.minor2));
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM ACCVERSION WHERE MAJOR*10000+MINOR1*100+MINOR2>" +
                         std::to_string(last.major * 10000 + last.minor1 * 100 + last.minor2)),
              0);
}

// Every chart goes through the whole chain to 2.0.4, and its trial
// balances answer there.
TEST_F(AccountingUpdateTest, EveryChartRunsTheChainToTwoZeroFour)
{
    struct Case {
        companytest::DataKind kind;
        int totalLines;
    };
    for (const Case& c : {Case{companytest::DataKind::Corporation, 38}, Case{companytest::DataKind::Individual, 31},
                          Case{companytest::DataKind::Medical, 0}}) {
        SCOPED_TRACE(dbtest::DataKindName(c.kind));
        Session s(companytest::CopyCompanyMaster(companytest::CompanyMaster("2.0.4", c.kind),
                                                 folder_ / dbtest::DataKindName(c.kind)));
        EXPECT_EQ(s.Line("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION"), "2.0.4");
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM ACCTOTALNAME"), c.totalLines);
        EXPECT_GT(s.Count("SELECT COUNT(*) FROM SP_SISANHYO_A4(1, '', '')"), 0);
        EXPECT_GT(s.Count("SELECT COUNT(*) FROM SP_SISANHYO_KESSAN(1)"), 0);
        EXPECT_GT(s.Count("SELECT COUNT(*) FROM SP_SISANHYO_BUMON(1, 1, ' ', ' ')"), 0);
    }
}

TEST_F(AccountingUpdateTest, DataModuleOpensTheUpdatedDataAndAnswersWhatItHas)
{
    UseCompanyAt("0.1.3");
    TDM dm;
    ASSERT_TRUE(dm.fnAccDatConnected("", SystemDef.DataDir, false));
    EXPECT_TRUE(dm.fnExistence_Table("KANSA_ITEM"));
    EXPECT_FALSE(dm.fnExistence_Table("KANSA_ITEMS"));
    EXPECT_TRUE(dm.fnExistence_Field("KANSA_ITEM", "CHOUBO"));
    EXPECT_FALSE(dm.fnExistence_Field("KANSA_ITEM", "choubo"));
    EXPECT_FALSE(dm.fnExistence_Field("ACCDEF1", "WEB_HOLDER"));
    EXPECT_TRUE(dm.fnAccDatDisConnected(SystemDef.DataDir, false, false));
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
