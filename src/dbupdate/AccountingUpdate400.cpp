// Accounting update 4.0.0: the conversion to the twelfth data format, with
// lines of its own after the files: the sundry account's sub-account mark,
// the translation-difference block of the medical chart's cash-flow
// statement, the merged-data settings of the merging program, and the head
// counts of the rows without a branch or a department.

#include "dbupdate/AccountingFileUnits.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/AppInfo.h"
#include "foundation/ProgramGlobals.h"

using accupdate::TCompanyFacts;

namespace z5UserDbUpdate400 {

namespace {

constexpr const char* UnitName = "z5UserDbUpdate400";

const TUpdateUnitShape Shape = accupdate::FileUnitShape(4, 0, 0);

bool Takes(const TCompanyFacts& facts, int n)
{
    if (facts.MedicalChart() == 1)
        return n != 2 && n != 3 && n != 7 && n != 8;
    return n != 4 && n != 5 && n != 9;
}

std::vector<std::string> FixLines(const TCompanyFacts& facts)
{
    const std::string shokuchi = SqlQuoted(facts.ShokuchiCode);
    std::vector<std::string> lines{
        "UPDATE KAMOKUMST SET HOJOSW=CASE WHEN (SELECT COUNT(*) FROM HOJOMST WHERE (KCODE='" + shokuchi +
            "' AND HCODE<>''))=0 THEN '－' ELSE '○' END",
        "WHERE (KCODE='" + shokuchi + "') AND (HOJOSW='×');",
    };
    if (facts.MedicalChart() == 1) {
        const char* const cashFlow[] = {
            "UPDATE CASHFMST SET CM_GROUP=70,CM_ORDER=41,CM_NAME1='Ⅶ　現金及び現金同等物の期末残高'\r\nWHERE "
            "(CM_KIND=1)AND(CM_GROUP=60);",
            "UPDATE CASHFMST SET CM_GROUP=60,CM_ORDER=40,CM_NAME1='Ⅵ　現金及び現金同等物の期首残高'\r\nWHERE "
            "(CM_KIND=1)AND(CM_GROUP=50);",
            "UPDATE CASHFMST SET CM_GROUP=50,CM_ORDER=39,CM_NAME1='Ⅴ　現金及び現金同等物の増加額'\r\nWHERE "
            "(CM_KIND=1)AND(CM_GROUP=40);",
            "INSERT INTO CASHFMST "
            "(CM_REC,CM_JIGYOU,CM_KIND,CM_GROUP,CM_ORDER,CM_DEL,CM_MKU,CM_MARGIN,CM_NAME1,CM_HOSEI)\r\nVALUES "
            "(43,15,1,40,38,1,1,0,'Ⅳ　現金及び現金同等物に係る換算差額',0);",
            "UPDATE CASHFMST SET CM_GROUP=70,CM_ORDER=39,CM_NAME1='Ⅶ　現金及び現金同等物の期末残高'\r\nWHERE "
            "(CM_KIND=0)AND(CM_GROUP=60);",
            "UPDATE CASHFMST SET CM_GROUP=60,CM_ORDER=38,CM_NAME1='Ⅵ　現金及び現金同等物の期首残高'\r\nWHERE "
            "(CM_KIND=0)AND(CM_GROUP=50);",
            "UPDATE CASHFMST SET CM_GROUP=50,CM_ORDER=37,CM_NAME1='Ⅴ　現金及び現金同等物の増加額'\r\nWHERE "
            "(CM_KIND=0)AND(CM_GROUP=40);",
            "INSERT INTO CASHFMST "
            "(CM_REC,CM_JIGYOU,CM_KIND,CM_GROUP,CM_ORDER,CM_DEL,CM_MKU,CM_MARGIN,CM_NAME1,CM_HOSEI)\r\nVALUES "
            "(89,15,0,40,36,1,1,0,'Ⅳ　現金及び現金同等物に係る換算差額',0);",
        };
        lines.insert(lines.end(), std::begin(cashFlow), std::end(cashFlow));
    }
    if (ProgramKind == 3) {
        lines.emplace_back("DELETE FROM ACCREG WHERE (AGROUP='基本設定') AND (ACODE='合算データ区分');");
        lines.emplace_back("DELETE FROM ACCREG WHERE (AGROUP='基本設定') AND (ACODE='合算データ数');");
    }
    if (facts.Siten > 0)
        lines.emplace_back("UPDATE ACCDEF5 SET NUM1=0 WHERE (SCODE='');");
    if (facts.Bumon > 0)
        lines.emplace_back("UPDATE ACCDEF5 SET NUM1=0 WHERE (BCODE='');");
    lines.emplace_back("COMMIT;");
    return lines;
}

TUpdateScript ScriptFor(const TCompanyFacts& facts)
{
    return accupdate::FileUnitScript(
        Shape, accupdate::NumberedFiles(9),
        [&facts](std::string_view name) { return Takes(facts, accupdate::FileNumber(name)); }, {}, FixLines(facts));
}

}  // namespace

TUpdateScript Script()
{
    const std::optional<TCompanyFacts> facts = accupdate::AskCompanyFacts(UnitName);
    if (!facts)
        throw TUpdateScriptError("update script: the data set's kind cannot be read for 4.0.0");
    return ScriptFor(*facts);
}

std::int32_t DoUpdate()
{
    const std::optional<TCompanyFacts> facts = accupdate::AskCompanyFacts(UnitName);
    if (!facts)
        return UpdateResultConversionError;
    return ScriptFor(*facts).Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    const std::string& appTitle = AppInfo.Zaimu.AppTitle;
    DescribeUnit(rec, Shape, &DoUpdate, 1, appTitle + "１２のデータ形式に変換",
                 "１）" + appTitle + "１２のデータ形式に変換します。\r２）過年度残高集計処理を高速化します。");
}

}  // namespace z5UserDbUpdate400
