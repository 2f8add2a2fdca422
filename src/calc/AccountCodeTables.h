#pragma once
// The account-code tables of the balance calculations: where each total of
// the general chart sits in the balance rows, which group codes the
// calculations name, and the group-code ranges by which accounts roll up
// into totals.
//
// The tables are program state set by SetupAccountCodeTables each time a
// company database is opened (the chart flag decides the assignment; the
// last call wins). Until the first call they hold the general assignment.
// Main thread only.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Totals of the general chart are T1 to T47; rows 48 and 49 are the two
// special rows of the notes offset.
inline constexpr int TotalCountGeneral = 47;
inline constexpr int NotesDiscountedRow = 48;
inline constexpr int NotesEndorsedRow = 49;

struct TAccountCodeTables {
    // Row of total n (1 to 49); entry 0 is the scratch row. 0 for a total
    // the assignment does not have.
    std::array<std::int16_t, 50> TotalRow{};
    // Retained earnings brought forward: the balancing row.
    std::string RetainedEarningsGroup;
    // The totals whose names the accounting information reads.
    std::string MaterialCostGroup;       // 5580
    std::string LabourCostGroup;         // 5680
    std::string Group5688;               // 5688
    std::string ManufacturingExpGroup;   // 5780
    std::string Group5790;               // 5790
    std::string ManufacturingCostGroup;  // 5880
};

// Sets the tables for the chart: 1 the medical-corporation chart, any other
// value the general chart. The medical assignment names none of the general
// chart's group codes ("****") and places no general total (every position
// 0, the scratch row): only the general chart's calculations read these
// tables, and the front never runs them on medical data.
void SetupAccountCodeTables(std::uint8_t chartFlag);

const TAccountCodeTables& AccountCodeTables();

// One row of the general chart's roll-up table: an account whose GROUPM2
// lies strictly between Lower and Upper (byte order) rolls into total Total.
struct TGroupRange {
    const char* Lower;
    const char* Upper;
    int Total;
};

// Which roll-up table: the period-range calculation's, or the balance
// loading's, in which total 34 starts above "5780" instead of "5790".
enum class TRollUpTable { Range, BalanceLoad };

// The total an account of this group rolls into: the first range of the
// table, read top to bottom, that encloses the code strictly; nothing for a
// code in no range (a bound itself, "3330" to "3380", anything outside
// "1000" to "8400").
std::optional<int> RollUpTotal(std::string_view groupCode, TRollUpTable table = TRollUpTable::Range);
