#pragma once
// The table of consumption-tax rates with the days from which they apply,
// newest first. Journal entries store a rate code; the table maps it to the
// rate and tells which code applies at a date. Data older than version
// 11.1.0 knows no 10% and no reduced rate: its table has three rows, and
// there the 8% rate has code 0.
//
// The table is program-wide state, built when company data is opened and on
// first use, and read on the main thread.

#include "platform/DateTime.h"
#include "platform/NumberText.h"

#include <cstdint>
#include <string>
#include <vector>

struct TZeiRituRec {
    std::string Label;  // "10%", "8*%" (reduced), "8%", ...
    Currency Rate = 0;  // percent
    std::int32_t RateCode = 0;
    std::int32_t Order = 0;  // 0 the oldest rate
    std::string StartDate;   // "yyyy/mm/dd"
    std::int32_t Value1 = 0;
    std::int32_t Value2 = 0;
    std::uint8_t Flag = 0;
    std::uint8_t Standard = 1;     // 0 only for the reduced rate
    std::int32_t SwitchIndex = 0;  // the data's tax-rate switch of the rate
    std::uint8_t Enabled = 1;
};

using TZeiRituList = std::vector<TZeiRituRec>;

// Builds the table for the open data's version; the date is not used.
void BuildZeiRituList(TDateTime date);
const TZeiRituList& ZeiRituList();
// Empties the table (its state at program start).
void ClearZeiRituList();

// The rate of the code, the newest rate for a code not in the table.
Currency GetTaxRate(std::int32_t rateCode, TDateTime date);
// The rate code to use at the date: the reduced rate's code and any code
// whose rate has started stay; another gives the code of the rate in force
// (0 before the oldest rate).
std::int32_t ResolveTaxRateCode(std::int32_t rateCode, TDateTime date);
