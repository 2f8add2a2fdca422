#include "foundation/SitenList.h"

#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/DataModuleChecks.h"
#include "foundation/ErrorHandling.h"
#include "foundation/StringUtils.h"
#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"
#include "platform/db/Query.h"

#include <algorithm>
#include <array>
#include <exception>
#include <map>
#include <stdexcept>
#include <utility>

namespace {

// "Permitted every facility": the smallest of the per-facility permits is 1.
const char* const PermitCase =
    "CASE WHEN MIN(CASE WHEN S.SCODE IN (SELECT SCODE FROM OPLICENSE WHERE OPCODE=:OPCODE) "
    "THEN 1\nELSE 0\nEND)=1 THEN 1\n";

const char* const GroupTail =
    "FROM SISETUGROUPLIST S\n"
    "INNER JOIN SISETUGROUP G ON (S.GCODE=G.GCODE)\n"
    "WHERE S.SCODE <> ''\n"
    "GROUP BY G.GCODE,G.GNAME\n"
    "ORDER BY G.GCODE";

// Business kinds of medical-corporation data, in the order they are offered.
constexpr std::array<std::pair<std::int32_t, const char*>, 4> BusinessKinds{{
    {8, "病院・診療所"},
    {4, "老人保健施設"},
    {2, "指定訪問看護"},
    {1, "その他の事業"},
}};

bool FacilitiesManaged()
{
    return AccInf.SITEN == 1;
}

std::string WholeLabel()
{
    if (!FacilitiesManaged())
        return AccInf.SHOUGOU;
    return AccInf.DATATYPE == 2 ? "総体" : "法人全体";
}

std::string Quoted(std::string text)
{
    std::replace(text.begin(), text.end(), '"', '\'');
    return "\"" + text + "\"";
}

std::string LineOf(const TSitenListRec& rec, bool quoted)
{
    switch (rec.Kind) {
    case 0:
        return quoted ? Quoted(rec.Name) + "\t\"\"\t\"\"" : rec.Name;
    case 1:
        if (rec.Code == " ")  // a business kind
            return quoted ? Quoted(rec.Name) + "\t\"\"\t\"\"" : rec.Name;
        [[fallthrough]];
    case 5:
        return quoted ? Quoted("(" + rec.Code + ")") + "\t" + Quoted(rec.Code) + "\t" + Quoted(rec.Name)
                      : "(" + rec.Code + "):" + rec.Name;
    default:
        return quoted ? Quoted(rec.Code) + "\t\"\"\t" + Quoted(rec.Name) : rec.Code + ":" + rec.Name;
    }
}

std::int32_t FacilityColor(const std::string& settings)
{
    IDataModuleChecks* checks = DataModuleChecks();
    return checks ? checks->GetXstrColor(settings) : DefaultFacilityColor;
}

}  // namespace

TSitenList::TSitenList() : transaction_(DM ? &DM->IBTransactionDAT : nullptr) {}

void TSitenList::SetSitenTransaction(db::Transaction& transaction)
{
    transaction_ = &transaction;
}

void TSitenList::ClearSitenList()
{
    Items.clear();
    Lines.clear();
    Count = 0;
    OpeCode = -1;
}

std::string TSitenList::GetSitenCode(int index) const
{
    if (index < 0 || index >= static_cast<int>(Items.size()))
        return {};
    return Items[static_cast<std::size_t>(index)].Code;
}

void TSitenList::Add(const TSitenListRec& rec)
{
    Items.push_back(rec);
    Lines.push_back(LineOf(rec, QuotedLines == 1));
}

void TSitenList::AddWhole(std::int32_t jigyou, std::int32_t bumex)
{
    TSitenListRec rec;
    rec.Code = " ";
    rec.Name = WholeLabel();
    rec.Kind = 0;
    rec.JigyouKind = jigyou;
    rec.Bumex = bumex;
    Add(rec);
}

bool TSitenList::WholePermitted()
{
    db::Query q(
        DM->IBDatabaseDAT, *transaction_,
        std::string("SELECT\n") + PermitCase + "       ELSE 0 END AS PERMIT\nFROM SISETUMST S\nWHERE S.SCODE <> ''");
    q.ParamByName("OPCODE").SetInteger(OpeCode);
    q.Open();
    return !q.Eof() && q.FieldByName("PERMIT").AsInteger() == 1;
}

void TSitenList::AddGroups(std::int32_t kind, std::int32_t jigyou)
{
    const bool all = OpeCode == -1;
    db::Query q(DM->IBDatabaseDAT, *transaction_,
                all ? std::string("SELECT G.GCODE,G.GNAME, 1 AS PERMIT\n") + GroupTail
                    : std::string("SELECT G.GCODE,G.GNAME,\n") + PermitCase + "ELSE 0\nEND AS PERMIT\n" + GroupTail);
    if (!all)
        q.ParamByName("OPCODE").SetInteger(OpeCode);
    for (q.Open(); !q.Eof(); q.Next()) {
        if (q.FieldByName("PERMIT").AsInteger() != 1)
            continue;
        TSitenListRec rec;
        rec.Code = q.FieldByName("GCODE").AsString();
        rec.Name = q.FieldByName("GNAME").AsString();
        rec.Kind = kind;
        rec.JigyouKind = jigyou;
        Add(rec);
    }
}

void TSitenList::AddFacilities(bool departments, bool medical)
{
    const bool all = OpeCode == -1;
    std::string sql = std::string("SELECT S.SCODE,S.SNAME,") + (medical ? "S.MB_JIGYOU," : "") +
                      (departments ? "" : "S.BUMEX,") + "S.XSTR FROM SISETUMST S\n";
    if (!all)
        sql += "INNER JOIN OPLICENSE O ON (O.SCODE=S.SCODE)\n";
    sql += std::string("WHERE (S.SCODE<>'')") + (departments ? " AND (S.BUMEX=1)" : "") +
           (all ? "" : " AND (O.OPCODE=:OPCODE)") + "\n";
    if (medical && JigyouFilter > 0)
        sql += "AND (S.MB_JIGYOU=" + std::to_string(JigyouFilter) + ")\n";
    sql += "ORDER BY S.SCODE";
    db::Query q(DM->IBDatabaseDAT, *transaction_, sql);
    if (!all)
        q.ParamByName("OPCODE").SetInteger(OpeCode);
    for (q.Open(); !q.Eof(); q.Next()) {
        TSitenListRec rec;
        rec.Code = q.FieldByName("SCODE").AsString();
        if (TrimZen(rec.Code).empty() || (medical && IncludeCode00 == 0 && rec.Code == "00"))
            continue;
        rec.Name = q.FieldByName("SNAME").AsString();
        rec.Kind = departments ? 3 : 2;
        rec.JigyouKind = medical ? q.FieldByName("MB_JIGYOU").AsInteger() : 1;
        rec.Bumex = departments ? 1 : q.FieldByName("BUMEX").AsInteger();
        rec.Color = FacilityColor(q.FieldByName("XSTR").AsString());
        Add(rec);
    }
}

void TSitenList::AddBusinessKinds()
{
    auto counts = [this](bool forOperator) {
        std::string sql = "SELECT S.MB_JIGYOU,COUNT(S.SCODE) AS RECCNT FROM SISETUMST S\n";
        if (forOperator)
            sql +=
                "INNER JOIN OPLICENSE O ON (O.SCODE=S.SCODE)\n"
                "WHERE (S.SCODE NOT IN ('','00')) AND (O.OPCODE=:OPCODE)\n";
        else
            sql += "WHERE (S.SCODE NOT IN ('','00'))\n";
        if (JigyouFilter > 0)
            sql += "AND (S.MB_JIGYOU=" + std::to_string(JigyouFilter) + ")\n";
        sql += "GROUP BY S.MB_JIGYOU\nORDER BY S.MB_JIGYOU DESC";
        db::Query q(DM->IBDatabaseDAT, *transaction_, sql);
        if (forOperator)
            q.ParamByName("OPCODE").SetInteger(OpeCode);
        std::map<std::int32_t, std::int32_t> result;
        for (q.Open(); !q.Eof(); q.Next())
            result[q.FieldByName("MB_JIGYOU").AsInteger()] = q.FieldByName("RECCNT").AsInteger();
        return result;
    };
    const auto totals = counts(false);
    const auto permitted = OpeCode == -1 ? totals : counts(true);
    for (const auto& [bit, label] : BusinessKinds) {
        const auto total = totals.find(bit);
        const auto mine = permitted.find(bit);
        if (total == totals.end() || total->second <= 0 || mine == permitted.end() || mine->second != total->second)
            continue;
        TSitenListRec rec;
        rec.Code = " ";
        rec.Name = label;
        rec.Kind = 1;
        rec.JigyouKind = bit;
        Add(rec);
    }
}

void TSitenList::Execute()
{
    const bool managed = FacilitiesManaged();
    if (Kinds & SitenKindWhole) {
        if (OpeCode == -1 || !managed || WholePermitted())
            AddWhole(1, 0);
    }
    if ((Kinds & SitenKindGroups) && managed)
        AddGroups(1, 1);
    if (Kinds & SitenKindFacilities) {
        if (managed)
            AddFacilities(false, false);
        else if (!(Kinds & SitenKindWhole))
            AddWhole(1, AccInf.BUMON);
    }
    if (Kinds & SitenKindDepartmentFacilities) {
        if (managed)
            AddFacilities(true, false);
        else if (!(Kinds & SitenKindWhole))
            AddWhole(1, 0);
    }
}

void TSitenList::ExecuteMedical()
{
    const bool managed = FacilitiesManaged();
    if (Kinds & SitenKindWhole) {
        if (OpeCode == -1 || !managed || WholePermitted())
            AddWhole(0, 0);
    }
    if ((Kinds & SitenKindGroups) && managed) {
        AddBusinessKinds();
        AddGroups(5, 0);
    }
    if (Kinds & SitenKindFacilities) {
        if (managed)
            AddFacilities(false, true);
        else if (!(Kinds & SitenKindWhole))
            AddWhole(0, 0);
    }
    if (Kinds & SitenKindDepartmentFacilities) {
        if (managed)
            AddFacilities(true, true);
        else if (!(Kinds & SitenKindWhole))
            AddWhole(0, 0);
    }
}

void TSitenList::RefreshSitenList(std::int32_t operatorCode)
{
    ClearSitenList();
    if (!DM || transaction_ == nullptr)
        throw std::logic_error("the facility list needs the data module");
    IDataModuleChecks* checks = DataModuleChecks();
    OpeCode = checks && checks->IsOpeUnrestricted() ? -1 : operatorCode;
    const bool medical = AccInf.MedicalChart == 1;
    const bool ownTransaction = !transaction_->InTransaction();
    const char* const failed = "支店リストの取得に失敗しました。";
    try {
        db::JoinedTransaction transaction(*transaction_);
        if (medical)
            ExecuteMedical();
        else
            Execute();
        Count = static_cast<std::int32_t>(Lines.size());
        transaction.Commit();
    } catch (const db::FbError& error) {
        Count = static_cast<std::int32_t>(Lines.size());
        if (!medical || ownTransaction)
            HandleIBError(error, "TSitenList.Execute", failed);
        throw;
    } catch (const std::exception& error) {
        Count = static_cast<std::int32_t>(Lines.size());
        if (!medical || ownTransaction)
            ShowErrorMessage(failed, error.what(), TMsgDlgType::mtError);
        throw;
    }
}
