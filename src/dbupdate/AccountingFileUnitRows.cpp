// The accounting updates from 3.0.0 to 8.0.0 that are nothing but their row,
// their script files and the rules that choose among those files; the
// units with data fixes have files of their own.
//
// The medical-corporation chart keeps statements of its own in the files
// that general data leaves out, and the reverse.

#include "dbupdate/AccountingFileUnits.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/AppInfo.h"
#include "foundation/ProgramGlobals.h"

#include <algorithm>
#include <initializer_list>

using accupdate::FileUnitShape;
using accupdate::NumberedFiles;
using accupdate::ProductTitle;
using accupdate::TCompanyFacts;

namespace {

TFileUnit Row(TUpdateUnitShape shape, std::string title, std::string description, std::vector<std::string> files,
              TMissingBodyFile missingFile = TMissingBodyFile::Skip,
              std::function<bool(const TCompanyFacts&, int)> takes = {},
              std::function<std::vector<std::string>(const TCompanyFacts&)> leading = {})
{
    return TFileUnit{shape,       std::move(title), std::move(description), std::move(files),
                     missingFile, std::move(takes), std::move(leading)};
}

// Leaves out the files of the general chart's list for general data and
// those of the medical chart's list for medical data.
auto ByChart(std::initializer_list<int> leftOutGeneral, std::initializer_list<int> leftOutMedical)
{
    return [general = std::vector<int>(leftOutGeneral), medical = std::vector<int>(leftOutMedical)](
               const TCompanyFacts& facts, int n) {
        const std::vector<int>& out = facts.MedicalChart() == 1 ? medical : general;
        return std::find(out.begin(), out.end(), n) == out.end();
    };
}

bool CostEdition()
{
    return EditionFlag == 1 || EditionFlag == 2;
}

}  // namespace

LEDRIX_FILE_UNIT(z5UserDbUpdate300, Row(FileUnitShape(3, 0, 0), "Ledrix財務１１のデータ形式に変換",
                                        "１）Ledrix財務１１のデータ形式に変換します。", NumberedFiles(10)))

LEDRIX_FILE_UNIT(z5UserDbUpdate301, Row(FileUnitShape(3, 0, 1), "仕訳更新プログラムの改修",
                                        "１）仕訳の更新プログラムを改修します。", NumberedFiles(1)))

// An individual's real-estate books keep the name of the line of their
// rental income editable.
LEDRIX_FILE_UNIT(z5UserDbUpdate303,
                 Row(
                     FileUnitShape(3, 0, 3), "科目設定プログラムの改修 他",
                     "１）医療法人用の科目設定の更新プログラムを改修します。\r２）医療法人用の残高集計プログラムを改修"
                     "します。",
                     NumberedFiles(6), TMissingBodyFile::Skip,
                     [](const TCompanyFacts& facts, int) { return facts.MedicalChart() == 1; },
                     [](const TCompanyFacts& facts) {
                         if (facts.DataType == 2 && facts.CodeType == 2)
                             return std::vector<std::string>{"UPDATE EXTERKS SET KNAMELOCK=0",
                                                             "WHERE KGROUP='4100' AND SUBREC=3;", "COMMIT;"};
                         return std::vector<std::string>{};
                     }))

// Medical data leaves out the second file alone: the rule names that file
// and no other.
LEDRIX_FILE_UNIT(z5UserDbUpdate402,
                 Row(FileUnitShape(4, 0, 2), "消費税の仕入税額控除制度における追加要件に対応 他",
                     "１）消費税の仕入税額控除制度における追加要件に対応します。\r２）還付申告書への「消費税の還付申告"
                     "に関する明細書」に対応します。\r３）減価償却制度の平成23年12月改正に対応します。",
                     NumberedFiles(6), TMissingBodyFile::Skip, ByChart({}, {2})))

LEDRIX_FILE_UNIT(z5UserDbUpdate500,
                 Row(FileUnitShape(5, 0, 0), ProductTitle("１３のデータ形式に変換"),
                     "１）" + AppInfo.Zaimu.AppTitle + "１３のデータ形式に変換します。\r", NumberedFiles(11),
                     TMissingBodyFile::Skip, [](const TCompanyFacts& facts, int n) {
                         if (n == 9 && EditionFlag == 0)
                             return false;
                         return ByChart({1, 3}, {2, 10})(facts, n);
                     }))

LEDRIX_FILE_UNIT(z5UserDbUpdate502, Row(FileUnitShape(5, 0, 2), "法人・個人データの日報入力に対応 他",
                                        "１）法人・個人データの日報入力に対応します。", NumberedFiles(2),
                                        TMissingBodyFile::Skip, ByChart({2}, {1})))

LEDRIX_FILE_UNIT(z5UserDbUpdate505, Row(FileUnitShape(5, 0, 5), "法人決算書の手形相殺機能に対応",
                                        "１）法人決算書の手形相殺機能に対応します。", NumberedFiles(5),
                                        TMissingBodyFile::Skip, [](const TCompanyFacts& facts, int n) {
                                            const bool individualOrMedical = facts.DataType == 2 || facts.DataType == 3;
                                            if (n == 4 && (CostEdition() || individualOrMedical))
                                                return false;
                                            if (n == 5 && (EditionFlag == 0 || individualOrMedical))
                                                return false;
                                            return ByChart({3}, {2})(facts, n);
                                        }))

LEDRIX_FILE_UNIT(z5UserDbUpdate600,
                 Row(FileUnitShape(6, 0, 0), ProductTitle("１４のデータ形式に変換 他"),
                     "１）" + AppInfo.Zaimu.AppTitle +
                         "１４のデータ形式に変換します。\r２）過年度残高に税込・税抜額の記録が可能になります。\r３"
                         "）法人・個人データの製造原価報告書に外注費ブロックを追加します。",
                     NumberedFiles(18), TMissingBodyFile::Skip,
                     ByChart({10, 11, 12, 13, 14, 17}, {3, 4, 5, 6, 7, 8, 9, 16})))

LEDRIX_FILE_UNIT(z5UserDbUpdate610, Row(FileUnitShape(6, 1, 0), ProductTitle("１４ 消費税改正版のデータ形式に変換 他"),
                                        "１）２０１４年４月の消費税改正 に対応します。\r", NumberedFiles(5),
                                        TMissingBodyFile::Skip, ByChart({5}, {4})))

LEDRIX_FILE_UNIT(z5UserDbUpdate613,
                 Row(FileUnitShape(6, 1, 3), "仕訳変更時の並び順の調整 他",
                     "１）決算同日仕訳変更時の並び順を調整します。\r２）定形試算表の販売費及び一般管理費の集計項目名称"
                     "（縦）の入力文字数を拡張します。",
                     NumberedFiles(7), TMissingBodyFile::Skip, ByChart({2}, {3, 6})))

LEDRIX_FILE_UNIT(z5UserDbUpdate702, Row(FileUnitShape(7, 0, 2), "簡易課税制度のみなし仕入率の見直し",
                                        "１）簡易課税制度のみなし仕入率の見直しに対応します。\r", NumberedFiles(2)))

// The editions with individual costing name the update by what it changes
// for them.
LEDRIX_FILE_UNIT(z5UserDbUpdate703,
                 Row(FileUnitShape(7, 0, 3),
                     CostEdition() ? "消費税試算表の仕訳帳ジャンプ機能の仕様変更"
                                   : "医療法人データの決算書レイアウトを変更",
                     CostEdition() ? "１）消費税試算表の仕訳帳ジャンプ機能の仕様を変更しました。\r"
                                   : "１）医療法人データの決算書レイアウトを変更しました。\r",
                     NumberedFiles(3), TMissingBodyFile::Fail,
                     [](const TCompanyFacts& facts, int n) { return n != 1 || facts.MedicalChart() == 1; }))

LEDRIX_FILE_UNIT(z5UserDbUpdate800,
                 Row(FileUnitShape(8, 0, 0), ProductTitle("１６のデータ形式に変換 他"),
                     "１）" + AppInfo.Zaimu.AppTitle + "１６のデータ形式に変換する。\r２）マイナンバー制度に対応する。",
                     NumberedFiles(6), TMissingBodyFile::Fail))
