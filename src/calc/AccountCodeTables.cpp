#include "calc/AccountCodeTables.h"

#include <span>

namespace {

TAccountCodeTables GeneralTables()
{
    TAccountCodeTables t;
    // Each total of the general chart keeps one fixed row: its own number.
    for (std::size_t n = 0; n < t.TotalRow.size(); ++n)
        t.TotalRow[n] = static_cast<std::int16_t>(n);
    t.RetainedEarningsGroup = "3340";
    t.MaterialCostGroup = "5580";
    t.LabourCostGroup = "5680";
    t.Group5688 = "5688";
    t.ManufacturingExpGroup = "5780";
    t.Group5790 = "5790";
    t.ManufacturingCostGroup = "5880";
    return t;
}

TAccountCodeTables MedicalTables()
{
    TAccountCodeTables t;
    t.RetainedEarningsGroup = "****";
    t.MaterialCostGroup = "****";
    t.LabourCostGroup = "****";
    t.Group5688 = "****";
    t.ManufacturingExpGroup = "****";
    t.Group5790 = "****";
    t.ManufacturingCostGroup = "****";
    return t;
}

TAccountCodeTables& Tables()
{
    static TAccountCodeTables tables = GeneralTables();
    return tables;
}

// Read top to bottom: 46 sits between 32 and 33, and 34 comes before 36,
// so "5820" lands in 34 although 36 also encloses it.
constexpr TGroupRange RangeTable[] = {
    {"1000", "1120", 1},  {"1120", "1180", 2},  {"1180", "1280", 3},  {"1280", "1380", 4},  {"1380", "1390", 5},
    {"1390", "1580", 6},  {"1580", "1680", 7},  {"1680", "1780", 8},  {"1780", "1790", 9},  {"1790", "1880", 10},
    {"1880", "1900", 11}, {"1900", "2180", 12}, {"2180", "2280", 13}, {"2280", "2380", 14}, {"2380", "2800", 15},
    {"2800", "3180", 16}, {"3180", "3210", 17}, {"3210", "3270", 18}, {"3270", "3280", 19}, {"3280", "3310", 20},
    {"3310", "3330", 21}, {"3380", "3480", 23}, {"3480", "3580", 24}, {"3580", "3680", 25}, {"3680", "3800", 26},
    {"3800", "3900", 27}, {"3900", "4800", 28}, {"4800", "5250", 29}, {"5250", "5400", 30}, {"5400", "5580", 31},
    {"5580", "5680", 32}, {"5680", "5688", 46}, {"5688", "5780", 33}, {"5790", "5830", 34}, {"5800", "5900", 36},
    {"5900", "6180", 37}, {"6180", "6200", 38}, {"6200", "7180", 39}, {"7180", "7280", 40}, {"7280", "7300", 41},
    {"7300", "8180", 42}, {"8180", "8280", 43}, {"8280", "8290", 44}, {"8290", "8400", 45},
};

}  // namespace

void SetupAccountCodeTables(std::uint8_t chartFlag)
{
    Tables() = chartFlag == 1 ? MedicalTables() : GeneralTables();
}

const TAccountCodeTables& AccountCodeTables()
{
    return Tables();
}

std::optional<int> RollUpTotal(std::string_view groupCode, TRollUpTable table)
{
    // Group codes are ASCII digits, so std::string_view's byte order is the
    // order the tables mean.
    for (const TGroupRange& range : RangeTable) {
        std::string_view lower = range.Lower;
        if (range.Total == 34 && table == TRollUpTable::BalanceLoad)
            lower = "5780";
        if (lower < groupCode && groupCode < std::string_view(range.Upper))
            return range.Total;
    }
    return std::nullopt;
}
