// Accounting update 7.0.4: purchases taxed at the buyer (reverse charge).
// Data that lacks tax code 116 takes the two tax files of 7.0.2 again
// ("qhzup70201.sql", "qhzup70202.sql") before the files of its own.

#include "dbupdate/AccountingFileUnits.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "platform/db/Query.h"

using accupdate::TCompanyFacts;

namespace z5UserDbUpdate704 {

namespace {

constexpr const char* UnitName = "z5UserDbUpdate704";

const std::vector<std::string>& Files()
{
    static const std::vector<std::string> files{"qhzup70201.sql", "qhzup70202.sql", "qhzup01.sql",
                                                "qhzup02.sql",    "qhzup03.sql",    "qhzup04.sql"};
    return files;
}

const TUpdateUnitShape Shape = accupdate::FileUnitShape(7, 0, 4);

bool TaxCode116Exists(db::Query& sql)
{
    sql.Close();
    sql.SetSQL("SELECT COUNT(TAX_CODE) AS RECCNT FROM TAXMST\nWHERE TAX_CODE=116");
    sql.Open();
    const bool exists = sql.FieldByName("RECCNT").AsInteger() > 0;
    sql.Close();
    return exists;
}

struct TChoice {
    TCompanyFacts Facts;
    bool HasTaxCode116 = false;
};

std::optional<TChoice> AskChoice()
{
    TChoice choice;
    if (accupdate::RunCompanyDataFix(UnitName, [&](db::Query& sql, const TCompanyFacts& facts) {
            choice.Facts = facts;
            choice.HasTaxCode116 = TaxCode116Exists(sql);
        }) != UpdateResultOk)
        return std::nullopt;
    return choice;
}

TUpdateScript ScriptFor(const TChoice& choice)
{
    return accupdate::FileUnitScript(Shape, Files(), [&choice](std::string_view name) {
        if (name.starts_with("qhzup702"))
            return !choice.HasTaxCode116;
        const int n = accupdate::FileNumber(name);
        return choice.Facts.MedicalChart() == 1 ? n != 3 : n != 4;
    });
}

}  // namespace

TUpdateScript Script()
{
    const std::optional<TChoice> choice = AskChoice();
    if (!choice)
        throw TUpdateScriptError("update script: the tax codes of the data cannot be read for 7.0.4");
    return ScriptFor(*choice);
}

std::int32_t DoUpdate()
{
    if (!accupdate::AllFilesPresent(Shape, Files()))
        return UpdateResultFileMissing;
    const std::optional<TChoice> choice = AskChoice();
    if (!choice)
        return UpdateResultConversionError;
    return ScriptFor(*choice).Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "消費税・特定課税仕入れ に対応",
                 "１）消費税申告書・付表の新様式に対応します。\r");
}

}  // namespace z5UserDbUpdate704
