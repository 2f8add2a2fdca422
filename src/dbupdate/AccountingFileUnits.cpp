#include "dbupdate/AccountingFileUnits.h"

#include "dbupdate/IsqlRunner.h"
#include "dbupdate/SystemConnection.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/QueryFactory.h"
#include "foundation/SystemDef.h"
#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"
#include "platform/db/Query.h"

#include <memory>
#include <stdexcept>

namespace accupdate {

namespace {

std::int32_t IntegerOrZero(const db::Query& query, const char* name)
{
    const db::Field field = query.FieldByName(name);
    return field.IsNull() ? 0 : field.AsInteger();
}

// The code of a system account by its name; empty when the data has none.
std::string SystemAccountCode(db::Query& sql, const char* name)
{
    sql.Close();
    sql.SetSQL("SELECT KCODE FROM ACCDEF2 WHERE KNAME=:KNAME ORDER BY KCODE");
    sql.ParamByName("KNAME").SetString(name);
    sql.Open();
    std::string code = sql.Eof() ? std::string() : sql.FieldByIndex(0).AsString();
    sql.Close();
    return code;
}

}  // namespace

TCompanyFacts ReadCompanyFacts(db::Query& sql)
{
    TCompanyFacts facts;
    sql.Close();
    sql.SetSQL("SELECT DATATYPE,CODETYPE,KAISINO,CONVERT,SITEN,BUMON FROM ACCDEF1 WHERE REC=1");
    sql.Open();
    if (!sql.Eof()) {
        facts.DataType = IntegerOrZero(sql, "DATATYPE");
        facts.CodeType = IntegerOrZero(sql, "CODETYPE");
        facts.KaisiNo = IntegerOrZero(sql, "KAISINO");
        facts.Convert = IntegerOrZero(sql, "CONVERT");
        facts.Siten = IntegerOrZero(sql, "SITEN");
        facts.Bumon = IntegerOrZero(sql, "BUMON");
    }
    sql.Close();
    facts.ShokuchiCode = SystemAccountCode(sql, "諸口");
    // The owner's accounts exist in an individual's books only.
    if (facts.DataType == 2) {
        facts.JigyonushiKashiCode = SystemAccountCode(sql, "事業主貸");
        facts.JigyonushiKariCode = SystemAccountCode(sql, "事業主借");
        facts.MotoirekinCode = SystemAccountCode(sql, "元入金");
    }
    return facts;
}

std::optional<TCompanyFacts> AskCompanyFacts(const char* unitName)
{
    std::optional<TCompanyFacts> answer;
    if (RunCompanyDataFix(unitName, [&](db::Query&, const TCompanyFacts& facts) { answer = facts; }) != UpdateResultOk)
        return std::nullopt;
    return answer;
}

TUpdateUnitShape FileUnitShape(std::int32_t major, std::int32_t minor1, std::int32_t minor2)
{
    const bool setNames = major > 3 || minor2 >= 6;
    return {TUpdateTarget::CompanyDatabase, major,           minor1, minor2, setNames,
            TVersionStamp::AccountingData,  TMemoForm::Short};
}

std::vector<std::string> NumberedFiles(int count)
{
    std::vector<std::string> names;
    for (int n = 1; n <= count; ++n) {
        names.push_back(std::string("qhzup") + static_cast<char>('0' + n / 10 % 10) +
                        static_cast<char>('0' + n % 10) + ".sql");
    }
    return names;
}

int FileNumber(std::string_view name)
{
    constexpr std::string_view head = "qhzup";
    constexpr std::string_view tail = ".sql";
    if (name.size() != head.size() + 2 + tail.size() || !name.starts_with(head) || !name.ends_with(tail))
        return 0;
    const char tens = name[head.size()];
    const char ones = name[head.size() + 1];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
        return 0;
    return (tens - '0') * 10 + (ones - '0');
}

TUpdateScript FileUnitScript(const TUpdateUnitShape& shape, const std::vector<std::string>& files,
                             const TFileRule& take, const std::vector<std::string>& leading,
                             const std::vector<std::string>& trailing)
{
    TUpdateScript script(shape);
    for (const std::string& line : leading)
        script.Add(line);
    for (const std::string& name : files)
        if (!take || take(name))
            script.AddBodyFile(name);
    for (const std::string& line : trailing)
        script.Add(line);
    return script;
}

bool AllFilesPresent(const TUpdateUnitShape& shape, const std::vector<std::string>& files)
{
    return TUpdateScript(shape).BodyFilesExist(files);
}

std::int32_t RunCompanyDataFix(const std::string& location,
                               const std::function<void(db::Query& sql, const TCompanyFacts& facts)>& fix)
{
    TDataModuleLease dataModule;
    if (!DM->fnAccDatConnected(SystemDef.HOSTNAME, SystemDef.DataDir, false))
        return UpdateResultConversionError;  // reported by the connect
    std::int32_t result = UpdateResultOk;
    {
        std::unique_ptr<db::Query> sql = CreateAccSQL("ACCDAT", false);
        try {
            if (!sql)
                throw std::runtime_error("no company statement");
            db::JoinedTransaction transaction(DM->IBTransactionDAT);
            const TCompanyFacts facts = ReadCompanyFacts(*sql);
            fix(*sql, facts);
            sql->Close();
            // A commit that fails raises, and the scope rolls the fix back.
            transaction.Commit();
        } catch (const db::FbError& error) {
            HandleIBError(error, location, "");
            result = UpdateResultConversionError;
        } catch (const std::exception& error) {
            ShowErrorMessage(error.what(), "", TMsgDlgType::mtError);
            result = UpdateResultConversionError;
        }
    }
    try {
        DM->fnAccDatDisConnected(SystemDef.DataDir, false, false);
    } catch (const std::exception&) {
        // The fix is decided; the next connect closes what is left open.
    }
    return result;
}

std::string ProductTitle(std::string_view tail)
{
    return AppInfo.Zaimu.AppTitle + std::string(tail);
}

}  // namespace accupdate

namespace accupdate {

namespace {

bool ChoosesByFacts(const TFileUnit& unit)
{
    return static_cast<bool>(unit.Takes) || static_cast<bool>(unit.Leading);
}

}  // namespace

TUpdateScript FileUnitScriptFor(const TFileUnit& unit, const TCompanyFacts& facts)
{
    const std::vector<std::string> leading = unit.Leading ? unit.Leading(facts) : std::vector<std::string>{};
    const TFileRule take = [&](std::string_view name) { return !unit.Takes || unit.Takes(facts, FileNumber(name)); };
    return FileUnitScript(unit.Shape, unit.Files, take, leading);
}

TUpdateScript FileUnitScriptNow(const TFileUnit& unit, const char* unitName)
{
    if (!ChoosesByFacts(unit))
        return FileUnitScriptFor(unit, TCompanyFacts{});
    const std::optional<TCompanyFacts> facts = AskCompanyFacts(unitName);
    if (!facts)
        throw TUpdateScriptError(std::string("update script: the data set's kind cannot be read for ") + unitName);
    return FileUnitScriptFor(unit, *facts);
}

std::int32_t RunFileUnit(const TFileUnit& unit, const char* unitName)
{
    if (unit.MissingFile == TMissingBodyFile::Fail && !AllFilesPresent(unit.Shape, unit.Files))
        return UpdateResultFileMissing;
    TCompanyFacts facts;
    if (ChoosesByFacts(unit)) {
        const std::optional<TCompanyFacts> read = AskCompanyFacts(unitName);
        if (!read)
            return UpdateResultConversionError;
        facts = *read;
    }
    return FileUnitScriptFor(unit, facts).Run();
}

void DescribeFileUnit(const TFileUnit& unit, TDbUpdateFunc updateFunc, TDbUpdateListRec& rec)
{
    DescribeUnit(rec, unit.Shape, std::move(updateFunc), 1, unit.Title, unit.Description);
}

}  // namespace accupdate
