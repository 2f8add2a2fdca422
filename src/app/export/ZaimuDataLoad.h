#pragma once
// TZaimuDataLoad: the trial balance of the whole company for one period
// range and tax mode, as the export writes it.
//
// LoadZandaka allocates the rows and order entries once at the capacity of
// the open data's chart, has the calculations load the trial balance
// (company-wide: no facility, no department; plain layout with
// sub-accounts) and computes the closing balance of the range on every row
// and sub-account. The rows are then read in the order of Order.
//
// Periods are numbered 1 to 16 (cell + 1). The range starts at StartCell + 1;
// it ends at the annual settlement (16) when the selector's last cell is not
// 15 (a short year) and the end cell is that last cell, else at EndCell + 1.
//
// A load that the calculations report as failed (they have already shown
// why) raises TZaimuLoadError; the rows must not be written then. Other
// failures of the calculations pass on as they are.

#include "calc/BalanceRows.h"
#include "foundation/KeySort.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class TZaimuLoadError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TZaimuDataLoad {
public:
    virtual ~TZaimuDataLoad() = default;

    void LoadZandaka();

    std::string SCODE = " ";
    std::string BCODE = " ";
    std::int32_t StartCell = 0;
    std::int32_t EndCell = 0;
    std::int32_t LastCell = 0;
    std::int32_t Scope = 0;
    std::int32_t TaxMode = 0;
    std::int32_t NoOpening = 0;
    std::int32_t Layout = 0;
    std::int32_t Haibun = 0;
    std::int32_t BusinessKind = 0;  // 16 for a medical corporation
    std::int32_t Capacity = 0;
    std::vector<TQSORT> Order;
    std::vector<TBALANCE> Rows;
};
