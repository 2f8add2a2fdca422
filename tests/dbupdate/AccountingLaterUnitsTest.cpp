#include "LaterUnitTestSupport.h"

#include "dbupdate/AccountingLaterUnitList.h"
#include "foundation/AppInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace laterunittest;
using namespace updtest;
using accupdate::FilesForChart;
using accupdate::TCompanyKind;
using accupdate::TLaterUnit;

struct CatalogueRow {
    const char* version;
    const char* title;
    const char* description;
};

const CatalogueRow Rows[] = {
    {"8.0.2", "予算管理機能強化", "１）法人データの予算管理を強化します。"},
    {"8.0.3", "個人データの予算管理機能強化 他",
     "１）個人データの予算管理を強化します。\r２）決算書の個別注記表項目を「法人税のVarimon」へ連動可能にします。"},
    {"9.0.0", "財務Ｘ１７のデータ形式に変換", "１）財務Ｘ１７のデータ形式に変換する。"},
    {"9.0.1", "補助の削除処理障害に対応", "１）補助の削除処理が適正におこなえるように対応します。"},
    {"9.0.2", "仕訳帳の法人全体参照時の機能強化 他",
     "１）仕訳帳の法人全体参照時に仕訳登録や他支店への訂正が可能となります。\r２）総勘定元帳の法人全体参照時に仕訳登録や"
     "他支店への訂正が可能となります。\r３）仕訳モニターで法人全体の参照が可能となります。"},
    {"9.0.3", "法人全体試算表の科目内訳の取得方法を変更 他", "１）法人全体試算表の科目内訳の取得方法を変更しました。"},
    {"9.0.4", "中期予算作成時の実績額の調整機能 他",
     "１）中期予算作成時に実績額の調整が可能となります。\r２）汎用仕訳データのインポートが可能となります。\r３）フリーウ"
     "ェイ仕訳データのインポートが可能となります。\r４）ページ辞書からの仕訳追加時にグループ化し登録します。"},
    {"9.0.5", "中期予算作成の一括調整機能の不具合修正",
     "１）中期予算作成の実績調整の一括調整機能の不具合を修正しました。"},
    {"10.0.0", "試算表、分析表の印刷で出力科目の設定機能を追加 他",
     "１）試算表、分析表の印刷で出力する科目が設定可能となりました。\r２）法人決算書の製造原価報告書に当期製造費用行を追"
     "加しました。\r３）繰越残高調整で前期データの内訳書を移行する機能を追加しました。\r４）総勘定元帳の印刷時に総計行の出"
     "力の有無が選択可能となりました。"},
    {"10.0.1", "「取引明細ファイルのインポート」の追加 他",
     "１）取引明細ファイルのインポートを日常処理に追加しました。\r２）返済予定表を拡張機能に追加しました。\r３）法人事業概況"
     "書の新様式に対応しました。（平成30年4月1日以後終了事業分）\r４）資金繰実績表の機能を強化しました。（内訳の表示、印"
     "刷 他）\r５）他社仕訳データのインポートで「ソリマチ会計王」に対応しました。\r６）他社仕訳データのインポートで「エプ"
     "ソン財務応援」に対応しました。"},
    {"10.0.3", "「医療法人用決算届の新様式」に対応 他",
     "１）医療法人用決算届の新様式に対応しました。\r２）取引明細ファイルのインポートのマッピング項目を強化しました。\r"},
    {"10.0.4", "仕訳の承認機能の追加 他",
     "１）日常処理に仕訳の承認機能を追加しました。\r２）取引明細ファイルのインポートのマッピング項目を強化しました。\r"},
    {"10.0.5", "過去仕訳の検索時の不具合修正", "１）過去仕訳の検索時の不具合を修正しました。\r"},
    {"11.0.0", "取引明細ファイルのインポートの強化 他",
     "１）取引明細ファイルのインポートで設定条件に応じた仕訳が作成可能となりました。\r２）取引明細ファイルのインポートで割"
     "り当てのない取引でも設定に応じて仕訳が作成可能となりました。\r３）取引明細ファイルのインポートで全銀協規定フォーマッ"
     "ト（改行なし）に対応しました。\r４）総合比較損益計算書で棚卸の洗替設定が可能となりました。"},
    {"11.0.1", "「Budvant」データ送信の追加 他",
     "１）「Budvant」へ過去データ、仕訳データが送信できるようになりました。\r２）クラウドシェア機能を追加しました。\r３）科"
     "目内訳書の新様式（平成31年4月以降終了事業年度）に対応しました。\r４）月次監査報告書の仕訳重複の確認で対象項目が選択"
     "できるようになりました。\r５）仕訳帳、元帳で選択行の合計金額が確認できるようになりました。。"},
    {"11.1.0", "１９ 消費税改正版のデータ形式に変換", "１）２０１９年１０月の消費税改正 に対応しました。"},
    {"12.0.0", "販売管理ファイルの取り込み対応 他",
     "１）取引明細ファイルのインポートで販売管理ファイルの取り込みが可能となりました。\r２）青色申告決算書（一般用）の税制"
     "改正に対応しました。"},
    {"13.0.0", "青色申告決算書の改正 他",
     "１）青色申告決算書の青色申告特別控除額の改正に対応しました。\r２）取引明細ファイルのインポートの現金出納帳の取り込み"
     "設定を改善しました。\r３）他社仕訳データのインポートでＯＢＣ勘定奉行の取り込みに対応しました。\r４）消費税申告書内で"
     "金額割合を求める計算式を見直しました。\r（他、詳しくはＨＰで確認ください）"},
    {"13.0.3", "「振替入力」画面を作成 他",
     "１）振替伝票形式の入力画面を新たに作成しました。\r２）一括入力画面の金額入力時に税額を即時に計算する様に変更しまし"
     "た。\r３）仕訳帳、元帳の印刷で行見出しの年情報の出力形式を変更しました。\r（他、詳しくはＨＰで確認ください）"},
    {"14.0.0", "摘要下段の文字制限を全角２０文字へ拡張 他",
     "１）摘要下段の文字制限を全角２０文字へ拡張しました。\r２）一括入力辞書の登録可能な分類数を100分類へ拡張しました。\r"
     "３）日報入力の登録可能な摘要数を100摘要へ拡張しました。\r４）部門データに限り、日報入力で摘要の表示非表示が設定可能"
     "となりました。\r（他、詳しくはＨＰで確認ください）"},
    {"15.0.0", "【個人事業者用】消費税申告書の様式変更 他",
     "１）【個人事業者用】消費税申告書の第一表、第二表の様式変更に対応しました。\r２）法人全体かつ部門選択時の残高集計で使"
     "用科目列の作成方法を見直しました。\r（他、詳しくはＨＰで確認ください）"},
};

std::vector<TDbUpdateListRec> RowsFrom802()
{
    std::vector<TDbUpdateListRec> rows;
    for (TDbUpdateListRec& rec : GetAccountingUpdateList())
        if (dbupdate::VersionOf(rec) >= UpdateVersion{8, 0, 2})
            rows.push_back(std::move(rec));
    return rows;
}

class LaterUnitCatalogue : public ::testing::Test {
protected:
    void SetUp() override { AppInfo.Zaimu.AppTitle = "財務Ｘ"; }
    void TearDown() override
    {
        AppInfo.Zaimu.AppTitle = saved_;
        EditionFlag = 0;
    }
    std::string saved_ = AppInfo.Zaimu.AppTitle;
};

TEST_F(LaterUnitCatalogue, LastTwentyOneRowsCarryTheirTextsAndEndAt15)
{
    const std::vector<TDbUpdateListRec> rows = RowsFrom802();
    ASSERT_EQ(rows.size(), std::size(Rows));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(Rows[i].version);
        EXPECT_EQ(dbupdate::VersionOf(rows[i]).Text(), Rows[i].version);
        EXPECT_EQ(rows[i].Title, Rows[i].title);
        EXPECT_EQ(rows[i].Description, Rows[i].description);
        EXPECT_EQ(rows[i].BackupFlag, 1);
        EXPECT_TRUE(static_cast<bool>(rows[i].UpdateFunc));
    }
    EXPECT_EQ(dbupdate::VersionOf(GetAccountingUpdateList().back()).Text(), "15.0.0");
}

TEST_F(LaterUnitCatalogue, ProductTitleLeads900AndTheEditionsShowTheirOwnTexts)
{
    AppInfo.Zaimu.AppTitle.clear();
    EXPECT_EQ(z5UserDbUpdate900::Unit().Title, "１７のデータ形式に変換");
    TDbUpdateListRec rec;
    z5UserDbUpdate900::GetUpdateInfo(rec);
    EXPECT_EQ(rec.Title, "１７のデータ形式に変換");
    EXPECT_EQ(rec.Description, "１）１７のデータ形式に変換する。");

    EditionFlag = 1;
    for (const TDbUpdateListRec& row : RowsFrom802()) {
        const bool first = dbupdate::VersionOf(row) == UpdateVersion{8, 0, 2};
        SCOPED_TRACE(dbupdate::VersionOf(row).Text());
        EXPECT_EQ(row.Title, first ? "不具合修正" : "機能強化および不具合修正");
        EXPECT_EQ(row.Description, first ? "１）不具合を修正（詳しくはＨＰで確認ください）"
                                         : "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）");
        EXPECT_EQ(row.BackupFlag, 1);
    }
}

TEST(LaterUnitFiles, ChartChoosesTheFilesInListOrder)
{
    using V = std::vector<std::string>;
    const TLaterUnit& u802 = z5UserDbUpdate802::Unit();
    EXPECT_EQ(FilesForChart(u802, 0), (V{"qhzup07.sql", "qhzup01.sql", "qhzup02.sql", "qhzup05.sql", "qhzup06.sql"}));
    EXPECT_EQ(FilesForChart(u802, 1), (V{"qhzup07.sql", "qhzup03.sql", "qhzup04.sql", "qhzup05.sql", "qhzup06.sql"}));
    EXPECT_EQ(FilesForChart(z5UserDbUpdate803::Unit(), 1), V{});
    EXPECT_EQ(FilesForChart(z5UserDbUpdate904::Unit(), 0),
              (V{"qhzup01.sql", "qhzup02.sql", "qhzup03.sql", "qhzup04.sql", "qhzup06.sql"}));
    EXPECT_EQ(FilesForChart(z5UserDbUpdate904::Unit(), 1),
              (V{"qhzup02.sql", "qhzup03.sql", "qhzup05.sql", "qhzup07.sql"}));
    EXPECT_EQ(FilesForChart(z5UserDbUpdate1500::Unit(), 0), V{"qhzup01.sql"});
    EXPECT_EQ(FilesForChart(z5UserDbUpdate1500::Unit(), 1), V{"qhzup02.sql"});
    EXPECT_EQ(accupdate::MedicalChartOf(TCompanyKind{3, 1}), 1);
    EXPECT_EQ(accupdate::MedicalChartOf(TCompanyKind{3, 2}), 0);
    EXPECT_EQ(accupdate::MedicalChartOf(TCompanyKind{1, 1}), 0);
}

// Every file a unit names is installed.
TEST(LaterUnitFiles, EveryListedFileIsInTheSqlFolder)
{
    for (const TDbUpdateListRec& row : RowsFrom802()) {
        const UpdateVersion v = dbupdate::VersionOf(row);
        const fs::path folder = std::string(LEDRIX_SQL_DIR) + BodyFileFolder(v.major, v.minor1, v.minor2);
        SCOPED_TRACE(folder.string());
        EXPECT_TRUE(fs::is_directory(folder));
    }
    for (const accupdate::TLaterUnit* unit : {&z5UserDbUpdate802::Unit(), &z5UserDbUpdate904::Unit(),
                                              &z5UserDbUpdate1100::Unit(), &z5UserDbUpdate1500::Unit()})
        for (const std::string& name : unit->Files)
            EXPECT_TRUE(fs::exists(std::string(LEDRIX_SQL_DIR) +
                                   BodyFileFolder(unit->Major, unit->Minor1, unit->Minor2) + "/" + name))
                << name;
}

class LaterUnitScriptTest : public LaterUnitDbTest {};

TEST_F(LaterUnitScriptTest, ScriptStampsInTheUnitsMemoFormAndCopiesOnlyNonEmptyLines)
{
    const fs::path sql = folder_ / "sql";
    for (int i = 1; i <= 2; ++i)
        WriteFile(sql / "1500" / ("qhzup0" + std::to_string(i) + ".sql"),
                  "/* file " + std::to_string(i) + " */\r\n\r\n   \r\nSELECT 1 FROM RDB$DATABASE;\r\n");
    SystemDef.SqlDir = sql.string();
    std::int32_t own = 0;
    const std::string text = accupdate::LaterUnitScript(z5UserDbUpdate1500::Unit(), TCompanyKind{1, 1}, own).Text();
    EXPECT_EQ(own, 1);
    EXPECT_NE(text.find("SET NAMES SJIS_0208;\r\n/* file 1 */\r\n   \r\nSELECT 1 FROM RDB$DATABASE;\r\n"
                        "UPDATE ACCVERSION SET MAJOR=15,MINOR1=0,MINOR2=0,MEMO='"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("file 2"), std::string::npos);
    EXPECT_TRUE(text.ends_with("WHERE REC=1;\r\nCOMMIT;\r\nEXIT;\r\n"));
}

TEST_F(LaterUnitScriptTest, MissingFileAnswers18WithoutScriptEvenWhenTheChartLeavesItOut)
{
    UseDataBefore802(DataKind::Corporation);
    const fs::path sql = folder_ / "sql";
    WriteFile(sql / "1500" / "qhzup01.sql", "/* general */\r\n");
    SystemDef.SqlDir = sql.string();
    EXPECT_EQ(z5UserDbUpdate1500::DoUpdate(), 18);
    EXPECT_FALSE(fs::exists(ScriptPath()));
    std::string before = VersionBefore802();
    std::replace(before.begin(), before.end(), '.', '|');
    EXPECT_EQ(Data().Line("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION WHERE REC=1"), before);
}

// The company chain to 15.0.0, for each chart, through the real units: the
// run's master (built once per test run, and failing there when the run
// stops short of the version).
class LaterUnitChainTest : public LaterUnitDbTest, public ::testing::WithParamInterface<DataKind> {};

TEST_P(LaterUnitChainTest, ReachesTheLastVersionAndKeepsTheHistory)
{
    companytest::CopyCompanyMaster(companytest::CompanyMaster("15.0.0", GetParam()), SystemDef.DataDir);
    auto data = Data();
    EXPECT_EQ(data.Line("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION WHERE REC=1"), "15|0|0");
    // Every version from 10.0.1 on left its history row; none is above row 1.
    EXPECT_EQ(data.Line("SELECT MAX(MAJOR*10000+MINOR1*100+MINOR2) FROM ACCVERSION"), "150000");
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM ACCVERSION WHERE REC>1 AND MAJOR=13 AND MINOR2=3"), 1);
    // What the program reads of the later versions is there.
    for (const char* column : {"ACCDEF1.CLOUD_LINE", "ACCDEF1.CLOUD_TIME", "ACCDEF1.READ_ONLY", "KAMOKU_SZ.KISHU_KOMI",
                               "KAMOKU_SZ.KISHU_NUKI", "KESSAN.TEGATASOSAI", "MEISAI_JYOKEN_RULE.FTEKIYOA_TIKAN_FIELD7",
                               "KAMOKU_MS.BYOSAN3"}) {
        const std::string name(column);
        const std::size_t dot = name.find('.');
        EXPECT_EQ(data.Count("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME='" +
                             name.substr(0, dot) + "' AND RDB$FIELD_NAME='" + name.substr(dot + 1) + "'"),
                  1)
            << column;
    }
}

INSTANTIATE_TEST_SUITE_P(Charts, LaterUnitChainTest,
                         ::testing::Values(DataKind::Corporation, DataKind::Individual, DataKind::Medical),
                         [](const auto& info) { return std::string(dbtest::DataKindName(info.param)); });

}  // namespace
