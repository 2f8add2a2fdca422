// The accounting-data updates 8.0.2 to 15.0.0: their rows, their files and
// which chart leaves which out, their MEMO forms, and what they add of
// their own (AccountingLaterUnits.h).

#include "dbupdate/AccountingLaterUnitList.h"
#include "dbupdate/AnalysisSeeding.h"
#include "dbupdate/DataJobControl.h"
#include "dbupdate/SettlementPrintTransfer.h"
#include "dbupdate/V1304Repair.h"
#include "foundation/ProgramGlobals.h"

namespace accupdate {

void NormalizeBudgetAmounts(const TDataFixContext& context)
{
    ExecuteCompanyStatements(
        context, {"UPDATE KAMOKU_MS SET BYOSAN=F_ROUND(BYOSAN),BYOSAN2=F_ROUND(BYOSAN2),BYOSAN3=F_ROUND(BYOSAN3)"});
}

void ResetJournalDNum(const TDataFixContext& context)
{
    ExecuteCompanyStatements(context, {"UPDATE SIWAKE SET DNUM=0"});
}

}  // namespace accupdate

namespace {

using namespace accupdate;

bool EditionWantsJournalReset()
{
    return EditionFlag == 1 || EditionFlag == 2;
}

// The editions' favourite menus lose the Qel (USB) backup entry.
std::int32_t EditionMenuLines(TUpdateScript& script, const TCompanyKind&)
{
    if (EditionFlag == 1 || EditionFlag == 2)
        script.Add({"", "/* お気に入りメニューからQel(USB)保存／復元レコードを削除 */", "DELETE FROM OPMENU",
                    "WHERE (CLASS='QvQelHozn');", "COMMIT;"});
    return UpdateResultOk;
}

std::int32_t V1304RepairLines(TUpdateScript& script, const TCompanyKind& kind)
{
    return ApplyV1304Repair(script, MedicalChartOf(kind));
}

}  // namespace

LEDRIX_LATER_UNIT(z5UserDbUpdate802, TLaterUnit{8,
                                                        0,
                                                        2,
                                                        TMemoForm::Short,
                                                        "予算管理機能強化",
                                                        "１）法人データの予算管理を強化します。",
                                                        {"qhzup07.sql", "qhzup01.sql", "qhzup02.sql", "qhzup03.sql",
                                                         "qhzup04.sql", "qhzup05.sql", "qhzup06.sql"},
                                                        {"qhzup03.sql", "qhzup04.sql"},
                                                        {"qhzup01.sql", "qhzup02.sql"},
                                                        {},
                                                        {&SeedCorporateAnalysisData, &ConvertDataJobControl},
                                                        {},
                                                        false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate803,
    TLaterUnit{
        8,
        0,
        3,
        TMemoForm::Short,
        "個人データの予算管理機能強化 他",
        "１）個人データの予算管理を強化します。\r２）決算書の個別注記表項目を「法人税のVarimon」へ連動可能にします。",
        {"qhzup01.sql"},
        {},
        {"qhzup01.sql"},
        {},
        {&SeedIndividualAnalysisData},
        {},
        false})

LEDRIX_LATER_UNIT(z5UserDbUpdate900,
                 TLaterUnit{9,
                                     0,
                                     0,
                                     TMemoForm::Short,
                                     "１７のデータ形式に変換",
                                     "１７のデータ形式に変換する。",
                                     {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql", "qhzup04.sql", "qhzup05.sql"},
                                     {"qhzup05.sql"},
                                     {"qhzup04.sql"},
                                     {},
                                     {},
                                     {},
                                     true})

LEDRIX_LATER_UNIT(z5UserDbUpdate901, TLaterUnit{9,
                                                        0,
                                                        1,
                                                        TMemoForm::Short,
                                                        "補助の削除処理障害に対応",
                                                        "１）補助の削除処理が適正におこなえるように対応します。",
                                                        {"qhzup01.sql"},
                                                        {},
                                                        {},
                                                        {},
                                                        {},
                                                        {},
                                                        false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate902,
    TLaterUnit{
        9,
        0,
        2,
        TMemoForm::Short,
        "仕訳帳の法人全体参照時の機能強化 他",
        "１）仕訳帳の法人全体参照時に仕訳登録や他支店への訂正が可能となります。\r２）総勘定元帳の法人全体参照時に仕訳登録や他支店への訂正が可能となります。\r３）仕訳モニターで法人全体の参照が可能となります。",
        {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql", "qhzup04.sql", "qhzup05.sql"},
        {"qhzup03.sql", "qhzup04.sql"},
        {},
        {},
        {&SeedMedicalAnalysisData},
        {},
        false})

LEDRIX_LATER_UNIT(z5UserDbUpdate903, TLaterUnit{9,
                                                        0,
                                                        3,
                                                        TMemoForm::Short,
                                                        "法人全体試算表の科目内訳の取得方法を変更 他",
                                                        "１）法人全体試算表の科目内訳の取得方法を変更しました。",
                                                        {"qhzup01.sql", "qhzup02.sql"},
                                                        {"qhzup02.sql"},
                                                        {"qhzup01.sql"},
                                                        {},
                                                        {&NormalizeBudgetAmounts},
                                                        {},
                                                        false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate904,
    TLaterUnit{
        9,
        0,
        4,
        TMemoForm::Short,
        "中期予算作成時の実績額の調整機能 他",
        "１）中期予算作成時に実績額の調整が可能となります。\r２）汎用仕訳データのインポートが可能となります。\r３）フリーウェイ仕訳データのインポートが可能となります。\r４）ページ辞書からの仕訳追加時にグループ化し登録します。",
        {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql", "qhzup04.sql", "qhzup05.sql", "qhzup06.sql", "qhzup07.sql"},
        {"qhzup05.sql", "qhzup07.sql"},
        {"qhzup01.sql", "qhzup04.sql", "qhzup06.sql"},
        {},
        {&CopySettlementPrintSettings},
        {},
        false})

LEDRIX_LATER_UNIT(z5UserDbUpdate905,
                 TLaterUnit{9,
                                     0,
                                     5,
                                     TMemoForm::Short,
                                     "中期予算作成の一括調整機能の不具合修正",
                                     "１）中期予算作成の実績調整の一括調整機能の不具合を修正しました。",
                                     {"qhzup01.sql", "qhzup02.sql"},
                                     {"qhzup02.sql"},
                                     {"qhzup01.sql"},
                                     {},
                                     {&ResetJournalDNum},
                                     &EditionWantsJournalReset,
                                     false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate1000,
    TLaterUnit{
        10,
        0,
        0,
        TMemoForm::Short,
        "試算表、分析表の印刷で出力科目の設定機能を追加 他",
        "１）試算表、分析表の印刷で出力する科目が設定可能となりました。\r２）法人決算書の製造原価報告書に当期製造費用行を追加しました。\r３）繰越残高調整で前期データの内訳書を移行する機能を追加しました。\r４）総勘定元帳の印刷時に総計行の出力の有無が選択可能となりました。",
        {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql", "qhzup04.sql"},
        {},
        {"qhzup04.sql"},
        {},
        {},
        {},
        false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate1001,
    TLaterUnit{
        10,
        0,
        1,
        TMemoForm::Unlimited,
        "「取引明細ファイルのインポート」の追加 他",
        "１）取引明細ファイルのインポートを日常処理に追加しました。\r２）返済予定表を拡張機能に追加しました。\r３）法人事業概況書の新様式に対応しました。（平成30年4月1日以後終了事業分）\r４）資金繰実績表の機能を強化しました。（内訳の表示、印刷 他）\r５）他社仕訳データのインポートで「ソリマチ会計王」に対応しました。\r６）他社仕訳データのインポートで「エプソン財務応援」に対応しました。",
        {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql", "qhzup04.sql"},
        {"qhzup04.sql"},
        {"qhzup03.sql"},
        {},
        {},
        {},
        false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate1003,
    TLaterUnit{
        10,
        0,
        3,
        TMemoForm::Unlimited,
        "「医療法人用決算届の新様式」に対応 他",
        "１）医療法人用決算届の新様式に対応しました。\r２）取引明細ファイルのインポートのマッピング項目を強化しました。\r",
        {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql"},
        {"qhzup02.sql", "qhzup03.sql"},
        {},
        {},
        {},
        {},
        false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate1004,
    TLaterUnit{
        10,
        0,
        4,
        TMemoForm::Unlimited,
        "仕訳の承認機能の追加 他",
        "１）日常処理に仕訳の承認機能を追加しました。\r２）取引明細ファイルのインポートのマッピング項目を強化しました。\r",
        {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql"},
        {},
        {},
        {},
        {},
        {},
        false})

LEDRIX_LATER_UNIT(z5UserDbUpdate1005, TLaterUnit{10,
                                                         0,
                                                         5,
                                                         TMemoForm::Padded,
                                                         "過去仕訳の検索時の不具合修正",
                                                         "１）過去仕訳の検索時の不具合を修正しました。\r",
                                                         {"qhzup01.sql"},
                                                         {},
                                                         {},
                                                         {},
                                                         {},
                                                         {},
                                                         false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate1100,
    TLaterUnit{
        11,
        0,
        0,
        TMemoForm::Long,
        "取引明細ファイルのインポートの強化 他",
        "１）取引明細ファイルのインポートで設定条件に応じた仕訳が作成可能となりました。\r２）取引明細ファイルのインポートで割り当てのない取引でも設定に応じて仕訳が作成可能となりました。\r３）取引明細ファイルのインポートで全銀協規定フォーマット（改行なし）に対応しました。\r４）総合比較損益計算書で棚卸の洗替設定が可能となりました。",
        {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql", "qhzup04.sql", "qhzup05.sql", "qhzup06.sql", "qhzup07.sql",
         "qhzup08.sql"},
        {"qhzup07.sql"},
        {"qhzup06.sql", "qhzup08.sql"},
        {},
        {},
        {},
        false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate1101,
    TLaterUnit{
        11,
        0,
        1,
        TMemoForm::Long,
        "「Budvant」データ送信の追加 他",
        "１）「Budvant」へ過去データ、仕訳データが送信できるようになりました。\r２）クラウドシェア機能を追加しました。\r３）科目内訳書の新様式（平成31年4月以降終了事業年度）に対応しました。\r４）月次監査報告書の仕訳重複の確認で対象項目が選択できるようになりました。\r５）仕訳帳、元帳で選択行の合計金額が確認できるようになりました。。",
        {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql"},
        {"qhzup03.sql"},
        {},
        {},
        {},
        {},
        false})

LEDRIX_LATER_UNIT(z5UserDbUpdate1110, TLaterUnit{11,
                                                         1,
                                                         0,
                                                         TMemoForm::Long,
                                                         "１９ 消費税改正版のデータ形式に変換",
                                                         "１）２０１９年１０月の消費税改正 に対応しました。",
                                                         {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql", "qhzup04.sql"},
                                                         {"qhzup02.sql"},
                                                         {"qhzup01.sql"},
                                                         {},
                                                         {},
                                                         {},
                                                         false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate1200,
    TLaterUnit{
        12,
        0,
        0,
        TMemoForm::Long,
        "販売管理ファイルの取り込み対応 他",
        "１）取引明細ファイルのインポートで販売管理ファイルの取り込みが可能となりました。\r２）青色申告決算書（一般用）の税制改正に対応しました。",
        {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql"},
        {},
        {"qhzup03.sql"},
        &EditionMenuLines,
        {},
        {},
        false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate1300,
    TLaterUnit{
        13,
        0,
        0,
        TMemoForm::Long,
        "青色申告決算書の改正 他",
        "１）青色申告決算書の青色申告特別控除額の改正に対応しました。\r２）取引明細ファイルのインポートの現金出納帳の取り込み設定を改善しました。\r３）他社仕訳データのインポートでＯＢＣ勘定奉行の取り込みに対応しました。\r４）消費税申告書内で金額割合を求める計算式を見直しました。\r（他、詳しくはＨＰで確認ください）",
        {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql", "qhzup04.sql"},
        {"qhzup04.sql"},
        {"qhzup03.sql"},
        {},
        {},
        {},
        false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate1303,
    TLaterUnit{
        13,
        0,
        3,
        TMemoForm::Long,
        "「振替入力」画面を作成 他",
        "１）振替伝票形式の入力画面を新たに作成しました。\r２）一括入力画面の金額入力時に税額を即時に計算する様に変更しました。\r３）仕訳帳、元帳の印刷で行見出しの年情報の出力形式を変更しました。\r（他、詳しくはＨＰで確認ください）",
        {"qhzup01.sql", "qhzup02.sql"},
        {},
        {},
        {},
        {},
        {},
        false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate1400,
    TLaterUnit{
        14,
        0,
        0,
        TMemoForm::Long,
        "摘要下段の文字制限を全角２０文字へ拡張 他",
        "１）摘要下段の文字制限を全角２０文字へ拡張しました。\r２）一括入力辞書の登録可能な分類数を100分類へ拡張しました。\r３）日報入力の登録可能な摘要数を100摘要へ拡張しました。\r４）部門データに限り、日報入力で摘要の表示非表示が設定可能となりました。\r（他、詳しくはＨＰで確認ください）",
        {"qhzup01.sql", "qhzup02.sql"},
        {},
        {},
        &V1304RepairLines,
        {},
        {},
        false})

LEDRIX_LATER_UNIT(
    z5UserDbUpdate1500,
    TLaterUnit{
        15,
        0,
        0,
        TMemoForm::Long,
        "【個人事業者用】消費税申告書の様式変更 他",
        "１）【個人事業者用】消費税申告書の第一表、第二表の様式変更に対応しました。\r２）法人全体かつ部門選択時の残高集計で使用科目列の作成方法を見直しました。\r（他、詳しくはＨＰで確認ください）",
        {"qhzup01.sql", "qhzup02.sql"},
        {"qhzup02.sql"},
        {"qhzup01.sql"},
        {},
        {},
        {},
        false})
