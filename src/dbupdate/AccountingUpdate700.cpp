// Accounting update 7.0.0: the conversion to the fifteenth data format. The
// data password moves to its scrambled setting before the script runs.

#include "dbupdate/AccountingFileUnits.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/AccRegStore.h"
#include "foundation/AppInfo.h"
#include "foundation/PasswordScramble.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/StringUtils.h"

#include <stdexcept>
#include <variant>

using accupdate::TCompanyFacts;

namespace z5UserDbUpdate700 {

namespace {

constexpr const char* UnitName = "z5UserDbUpdate700";
constexpr const char* Group = "基本設定";
constexpr const char* PlainCode = "データパスワード";
constexpr const char* ScrambledCode = "データパスワードV2";

TFileUnit Unit()
{
    std::string description = "１）" + AppInfo.Zaimu.AppTitle +
                              "１５のデータ形式に変換します。\r２）「個人／農業」体系を新たに追加し、青色申告決算書（"
                              "農業所得用）を作成します。";
    if (EditionFlag == 1 || EditionFlag == 2)
        description += "\r３）個別原価管理機能を新たに追加します。";
    return TFileUnit{accupdate::FileUnitShape(7, 0, 0),
                     accupdate::ProductTitle("１５のデータ形式に変換 他"),
                     std::move(description),
                     accupdate::NumberedFiles(11),
                     TMissingBodyFile::Skip,
                     [](const TCompanyFacts& facts, int n) {
                         if (facts.MedicalChart() == 1)
                             return n != 1 && n != 2 && n != 3 && n != 8 && n != 11;
                         return n != 4 && n != 5 && n != 6 && n != 7 && n != 9;
                     },
                     {}};
}

}  // namespace

void ReencodeDataPassword()
{
    AccRegValue stored;
    GetAccReg(Group, PlainCode, "文字", "", stored);
    const std::string* text = std::get_if<std::string>(&stored);
    const std::string password = TrimZen(text != nullptr ? *text : std::string());
    if (password.empty()) {
        // No password: neither setting may hold one.
        DelAccReg(Group, PlainCode);
        DelAccReg(Group, ScrambledCode);
        return;
    }
    TEasyEncodeInfo info;
    ClearEasyEncodeInfo(info);
    info.TargetLen = DataPasswordLength;
    info.PlainLen = DataPasswordLength;
    info.Key = std::string(DataPasswordKey);
    info.PlainText = password;
    // The plain password goes only once its new form is written: data whose
    // password cannot be scrambled keeps it, and the update fails (and is
    // undone) rather than leave the data open.
    if (EasyEncode(info) != 1)
        throw std::runtime_error("データパスワードを新しい形式に変換できません。\r会計データの更新を中止します。");
    PutAccReg(Group, ScrambledCode, "文字", info.CodeText);
    DelAccReg(Group, PlainCode);
}

TUpdateScript Script()
{
    return accupdate::FileUnitScriptNow(Unit(), UnitName);
}

std::int32_t DoUpdate()
{
    TCompanyFacts facts;
    const std::int32_t fixed = accupdate::RunCompanyDataFix(UnitName, [&](db::Query&, const TCompanyFacts& read) {
        facts = read;
        ReencodeDataPassword();
    });
    if (fixed != UpdateResultOk)
        return fixed;
    return accupdate::FileUnitScriptFor(Unit(), facts).Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    accupdate::DescribeFileUnit(Unit(), &DoUpdate, rec);
}

}  // namespace z5UserDbUpdate700
