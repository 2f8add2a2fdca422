// Accounting update 3.0.6: the larger standard charts of medical data, the
// sub-account marks of four accounts of the medical chart, and the opening
// balances of converted data carried into the period before the data's
// first month.

#include "dbupdate/AccountingFileUnits.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/QueryFactory.h"
#include "platform/db/Query.h"

#include <memory>
#include <stdexcept>

using accupdate::FileUnitShape;
using accupdate::NumberedFiles;
using accupdate::TCompanyFacts;

namespace z5UserDbUpdate306 {

namespace {

constexpr const char* UnitName = "z5UserDbUpdate306";

// The two standard medical charts, told apart by their number of accounts;
// 0 for any other chart.
int MedicalChartSize(db::Query& sql, const TCompanyFacts& facts)
{
    if (facts.MedicalChart() != 1)
        return 0;
    sql.Close();
    sql.SetSQL("SELECT COUNT(*) FROM KAMOKUMST");
    sql.Open();
    const std::int32_t count = sql.FieldByIndex(0).AsInteger();
    sql.Close();
    return count == 377 ? 1 : count == 567 ? 2 : 0;
}

void MarkNoSubAccounts(db::Query& sql)
{
    sql.Close();
    sql.SetSQL(
        "UPDATE KAMOKUMST SET HOJOSW='×'\n"
        "WHERE KCODE IN \n"
        "(SELECT KCODE FROM ACCDEF2\n"
        "WHERE (KNAME='仮払消費税') OR (KNAME='仮受消費税')\n"
        "OR    (KNAME='前期繰越利益') OR (KNAME='諸口'))");
    sql.ExecSQL();
    sql.Close();
}

std::unique_ptr<db::Query> NewStatement()
{
    std::unique_ptr<db::Query> statement = CreateAccSQL("ACCDAT", false);
    if (!statement)
        throw std::runtime_error("no company statement");
    return statement;
}

TFileUnit Unit(int chartSize)
{
    return TFileUnit{FileUnitShape(3, 0, 6),
                     "医療法人データの既定科目数の増加 他",
                     "１）医療法人データの既定の科目数を増やします。",
                     NumberedFiles(2),
                     TMissingBodyFile::Skip,
                     [chartSize](const TCompanyFacts&, int n) { return n == chartSize; },
                     {}};
}

// The period just before the data's first month.
int OpeningPeriod(std::int32_t kaisiNo)
{
    static constexpr int periods[] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};
    return kaisiNo >= 1 && kaisiNo <= 12 ? periods[kaisiNo - 1] : 0;
}

void CopyOpeningBalances(const TCompanyFacts& facts)
{
    const std::unique_ptr<db::Query> writer = NewStatement();
    const std::unique_ptr<db::Query> reader = NewStatement();
    writer->SetSQL(
        "UPDATE KAMOKU_PZ SET NUKIZAN=:NUKIZAN,ZEIGAKU=0\n"
        "WHERE SCODE=:SCODE AND KCODE=:KCODE AND HCODE=:HCODE AND BCODE=:BCODE AND MNUM=:MNUM");
    reader->SetSQL(
        "SELECT SZ.SCODE,SZ.KCODE,SZ.HCODE,SZ.BCODE,SZ.KAISIZAN,K.BPFLG FROM KAMOKU_SZ SZ\n"
        "INNER JOIN KAMOKUMST K ON (SZ.KCODE=K.KCODE)\n"
        "ORDER BY K.GROUPM0,SZ.SCODE,SZ.KCODE,SZ.HCODE,SZ.BCODE");
    const bool firstMonth = facts.KaisiNo == 1;
    const int period = OpeningPeriod(facts.KaisiNo);
    for (reader->Open(); !reader->Eof(); reader->Next()) {
        const std::string bpflg = reader->FieldByName("BPFLG").AsString();
        const std::string kcode = reader->FieldByName("KCODE").AsString();
        if (bpflg == "B") {
            // An individual's owner accounts open at nothing in a year that
            // begins with the data.
            const bool ownerAccount =
                !kcode.empty() && (kcode == facts.JigyonushiKariCode || kcode == facts.JigyonushiKashiCode ||
                                   kcode == facts.MotoirekinCode);
            if (facts.DataType == 2 && firstMonth && ownerAccount)
                continue;
        } else if (bpflg == "P") {
            // Profit and loss opens at nothing in the year's first month;
            // the balance-sheet accounts sort before them.
            if (firstMonth)
                break;
        } else {
            continue;
        }
        writer->ParamByName("SCODE").SetString(reader->FieldByName("SCODE").AsString());
        writer->ParamByName("KCODE").SetString(kcode);
        writer->ParamByName("HCODE").SetString(reader->FieldByName("HCODE").AsString());
        writer->ParamByName("BCODE").SetString(reader->FieldByName("BCODE").AsString());
        writer->ParamByName("MNUM").SetInteger(period);
        writer->ParamByName("NUKIZAN").SetCurrency(reader->FieldByName("KAISIZAN").AsCurrency());
        writer->ExecSQL();
        writer->Close();
    }
    reader->Close();
}

}  // namespace

TUpdateScript Script()
{
    std::optional<int> size;
    accupdate::RunCompanyDataFix(
        UnitName, [&](db::Query& sql, const TCompanyFacts& facts) { size = MedicalChartSize(sql, facts); });
    if (!size)
        throw TUpdateScriptError("update script: the chart of the data cannot be measured for 3.0.6");
    return accupdate::FileUnitScriptFor(Unit(*size), TCompanyFacts{});
}

std::int32_t DoUpdate()
{
    int size = 0;
    const std::int32_t fixed = accupdate::RunCompanyDataFix(UnitName, [&](db::Query& sql, const TCompanyFacts& facts) {
        size = MedicalChartSize(sql, facts);
        if (facts.MedicalChart() == 1)
            MarkNoSubAccounts(sql);
        if (facts.Convert == 1)
            CopyOpeningBalances(facts);
    });
    if (fixed != UpdateResultOk)
        return fixed;
    return accupdate::FileUnitScriptFor(Unit(size), TCompanyFacts{}).Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    accupdate::DescribeFileUnit(Unit(0), &DoUpdate, rec);
}

}  // namespace z5UserDbUpdate306
