#include "dbupdate/AnalysisSeeding.h"

#include "foundation/DataModule.h"
#include "foundation/ProgramGlobals.h"

#include <utility>

namespace accupdate {

namespace {

struct TCodeGroup {
    const char* Name;
    std::vector<const char*> Codes;
};

// The five groups in their order; a group without codes is left out.
using TCompositionRows = std::vector<TCodeGroup>;

const char* const Tax = "法人税等";
const char* const Depreciation = "減価償却費";
const char* const ShortLoans = "短期借入金返済";
const char* const LongLoans = "長期借入金返済";
const char* const Inventory = "期首期末棚卸";

const std::vector<const char*> EditionInventory{"49700", "49800", "50800", "50900", "59400", "59500",
                                                "59600", "59300", "59700", "59800", "59900"};
const std::vector<const char*> StandardInventory{"5101", "5301", "5401", "5411", "5701", "5801"};

bool Edition(std::int32_t editionFlag)
{
    return editionFlag == 1 || editionFlag == 2;
}

TCompositionRows CorporateComposition(std::int32_t editionFlag)
{
    if (Edition(editionFlag))
        return {{Tax, {"98100", "98300", "98400", "98500"}},
                {Depreciation, {"55400", "68400"}},
                {ShortLoans, {"31100"}},
                {LongLoans, {"37100"}},
                {Inventory, EditionInventory}};
    return {{Tax, {"8301", "8302"}},
            {Depreciation, {"5606", "6204"}},
            {ShortLoans, {"2103"}},
            {LongLoans, {"2202"}},
            {Inventory, StandardInventory}};
}

TCompositionRows IndividualComposition(std::int32_t codeType, std::int32_t editionFlag)
{
    if (Edition(editionFlag)) {
        switch (codeType) {
        case 1:
            return {{Depreciation, {"55400", "68400"}},
                    {ShortLoans, {"31100"}},
                    {LongLoans, {"37100"}},
                    {Inventory, EditionInventory}};
        case 2:
            return {{Depreciation, {"68400"}}, {ShortLoans, {"31100"}}, {LongLoans, {"37100"}}};
        case 4:
            return {{Depreciation, {"68400"}},
                    {ShortLoans, {"31100"}},
                    {LongLoans, {"37100"}},
                    {Inventory, {"49700", "49800", "69300", "69400"}}};
        default:
            return {};
        }
    }
    switch (codeType) {
    case 1:
    case 3:
        return {{Depreciation, {"5606", "6202"}},
                {ShortLoans, {"2103"}},
                {LongLoans, {"2202"}},
                {Inventory, StandardInventory}};
    case 2:
        return {{Depreciation, {"6202"}}, {ShortLoans, {"2103"}}, {LongLoans, {"2202"}}};
    case 4:
        return {{Depreciation, {"6204"}},
                {ShortLoans, {"2103"}},
                {LongLoans, {"2202"}},
                {Inventory, {"5101", "5301", "6301", "6302"}}};
    default:
        return {};
    }
}

// Income and profit groups are judged good above plan, costs below it.
const char* const IncomeValues = "0.95,0,1.05,1";
const char* const CostValues = "1.05,1,0.95,0";

struct TRule {
    const char* Code;
    const char* Name;
    bool Income;
};

const std::vector<TRule> CorporateRules{
    {"4800", "売上", true},       {"5100", "変動費", false},     {"5400", "限界利益", true},
    {"5600", "人件費", false},    {"5700", "固定費", false},     {"6200", "営業利益", true},
    {"7180", "営業外収益", true}, {"7280", "営業外費用", false}, {"7300", "経常利益", true},
    {"8180", "特別利益", true},   {"8280", "特別損失", false},   {"8290", "税引前当期純利益", true},
};
const std::vector<TRule> IndividualRules{
    {"4800", "売上", true},       {"5100", "変動費", false},
    {"5400", "限界利益", true},   {"5600", "人件費", false},
    {"5700", "固定費", false},    {"6200", "営業利益", true},
    {"7180", "営業外収益", true}, {"7280", "営業外費用", false},
    {"7300", "経常利益", true},   {"8400", "青申特別控除前所得", true},
};
const std::vector<TRule> MedicalRules{
    {"4800", "事業収益", true},   {"5100", "変動費", false},     {"5400", "限界利益", true},
    {"5600", "人件費", false},    {"5700", "固定費", false},     {"6200", "事業利益", true},
    {"7180", "事業外収益", true}, {"7280", "事業外費用", false}, {"7300", "経常利益", true},
    {"8180", "臨時利益", true},   {"8280", "臨時損失", false},   {"8300", "税引前当期純利益", true},
};

struct TRate {
    const char* Group;
    bool Income;
};

void AddComposition(std::vector<std::string>& statements, const TCompositionRows& rows)
{
    for (const TCodeGroup& group : rows)
        for (const char* code : group.Codes)
            statements.push_back(std::string("INSERT INTO KAMOKU_KOSEI_GROUP VALUES('") + group.Name + "','" + code +
                                 "',' ')");
}

void AddRules(std::vector<std::string>& statements, const std::vector<TRule>& rules)
{
    for (const TRule& rule : rules)
        statements.push_back(std::string("INSERT INTO NAVIGORE_YOJITU_HYOKARULE VALUES('") + rule.Code + "','" +
                             rule.Name + "'," + (rule.Income ? IncomeValues : CostValues) + ")");
}

void AddRates(std::vector<std::string>& statements, const std::vector<TRate>& rates)
{
    for (const TRate& rate : rates)
        statements.push_back(std::string("UPDATE KAMOKUMST SET ") +
                             (rate.Income ? "NAVIGORE_YOJITU_RATE1=0.95,NAVIGORE_YOJITU_KIND1=0,"
                                            "NAVIGORE_YOJITU_RATE2=1.05,NAVIGORE_YOJITU_KIND2=1"
                                          : "NAVIGORE_YOJITU_RATE1=1.05,NAVIGORE_YOJITU_KIND1=1,"
                                            "NAVIGORE_YOJITU_RATE2=0.95,NAVIGORE_YOJITU_KIND2=0") +
                             " WHERE GROUPM1='" + rate.Group + "'");
}

}  // namespace

std::vector<std::string> CorporateAnalysisStatements(const TCompanyKind& kind, std::int32_t editionFlag)
{
    std::vector<std::string> statements;
    if (kind.DataType != 1)
        return statements;
    AddComposition(statements, CorporateComposition(editionFlag));
    AddRules(statements, CorporateRules);
    AddRates(statements, {{"7100", true}, {"7200", false}, {"8100", true}, {"8200", false}});
    return statements;
}

std::vector<std::string> IndividualAnalysisStatements(const TCompanyKind& kind, std::int32_t editionFlag)
{
    std::vector<std::string> statements;
    if (kind.DataType != 2)
        return statements;
    AddComposition(statements, IndividualComposition(kind.CodeType, editionFlag));
    AddRules(statements, IndividualRules);
    AddRates(statements, {{"7100", true}, {"7200", false}});
    return statements;
}

std::vector<std::string> MedicalAnalysisStatements(const TCompanyKind& kind)
{
    std::vector<std::string> statements;
    if (kind.DataType != 3)
        return statements;
    AddRules(statements, MedicalRules);
    AddRates(statements, {{"7110", true}, {"7210", false}, {"8110", true}, {"8210", false}});
    return statements;
}

void ExecuteCompanyStatements(const TDataFixContext& context, const std::vector<std::string>& statements)
{
    db::Query query(context.Dm.IBDatabaseDAT, context.Dm.IBTransactionDAT);
    query.SetParamCheck(false);
    for (const std::string& statement : statements) {
        query.SetSQL(statement);
        query.ExecSQL();
    }
    query.Close();
}

void SeedCorporateAnalysisData(const TDataFixContext& context)
{
    ExecuteCompanyStatements(context, CorporateAnalysisStatements(context.Kind, EditionFlag));
}

void SeedIndividualAnalysisData(const TDataFixContext& context)
{
    ExecuteCompanyStatements(context, IndividualAnalysisStatements(context.Kind, EditionFlag));
}

void SeedMedicalAnalysisData(const TDataFixContext& context)
{
    ExecuteCompanyStatements(context, MedicalAnalysisStatements(context.Kind));
}

}  // namespace accupdate
