#pragma once
// What one general-chart trial-balance load shares between its steps: the
// caller's rows and order entries (checked against their last indexes), the
// load's parameters, its one query and its list of department codes.

#include "calc/BalanceRows.h"
#include "foundation/KeySort.h"
#include "platform/db/Query.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A load that cannot go on for a reason of its own (not a database error):
// more accounts than rows, or a scope whose accumulation is not available.
class TTrialBalanceError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TTrialBalanceContext {
    // Rows 0 to RowsHigh and order entries 0 to OrderHigh; the constructor
    // refuses last indexes beyond the arrays (std::out_of_range).
    TTrialBalanceContext(std::span<TBALANCE> rows, int rowsHigh, std::span<TQSORT> order, int orderHigh);

    TBALANCE& Row(int index);
    TQSORT& OrderEntry(int index);
    bool HasRow(int index) const { return index >= 0 && index <= RowsHigh; }
    bool HasOrderEntry(int index) const { return index >= 0 && index <= OrderHigh; }

    std::span<TBALANCE> Rows;
    int RowsHigh;
    std::span<TQSORT> Order;
    int OrderHigh;

    std::string SCODE;
    std::string BCODE;
    std::int32_t TAX = 0;
    std::int32_t Scope = 0;
    std::int32_t Layout = 0;
    std::int32_t KESKUBUN = 0;
    std::int32_t HAIBUN = 0;
    std::int32_t ZENTAX = 0;

    db::Query* Query = nullptr;
    std::vector<std::string> Departments;
};

// The key of a row that sorts last: the single half-width "ﾟ" (0xDF in
// CP932), after digits, letters and kana.
inline constexpr const char* LastOrderKey = "\xEF\xBE\x9F";
