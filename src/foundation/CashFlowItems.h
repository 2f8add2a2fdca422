#pragma once
// The cash-flow items a journal side can carry (its SIKIN code), one fixed
// list for the medical-corporation chart and one for every other chart. The
// codes are stored in the journal, so they and their order are fixed.
// CashFlowItems holds the list of the open data, replaced at every data
// open; it is read and written on the main thread.

#include <cstdint>
#include <string>
#include <vector>

struct TCashFlowItem {
    std::string Code;
    std::string Name;
    std::string Section;  // the section of an item whose name repeats, else empty
};

extern std::vector<TCashFlowItem> CashFlowItems;

// The medical list (38 items) for flag 1, the general list (39) otherwise.
void SetupCashFlowItems(std::uint8_t medicalFlag);
