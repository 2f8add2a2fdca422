#pragma once
// Rounding to whole yen and the consumption tax of a journal entry.

#include "calc/SwkRecords.h"
#include "platform/NumberText.h"

#include <cstdint>

// An amount to whole yen. Mode 0 cuts toward zero; mode 2 takes the next
// whole yen away from zero whenever a fraction remains (so a refund rounds
// as a charge of the same size); mode 1 and every other value round half
// away from zero.
Currency RoundTaxAmount(std::int32_t mode, Currency amount);
// The same rounding of a plain number, for ratios and scales.
double RoundTaxAmount(std::int32_t mode, double value);

// Fills the side's tax kinds (TAXUH, TAXDC), rate (RIT), amount without tax
// (NUK) and tax (ZEI) from the entry's amount, tax amount, switches and rate
// codes. A tax amount the calculation cannot form is reported through the
// tax context and gives false.
bool CalcSideTax(const TSWKREC& entry, TSwkBalance& side);
// Both sides of the entry, then the entry's rate code and tax amount. A
// specified-purchase code on either side turns the tax calculation off;
// the amounts are cut to whole yen first.
bool CalcEntryTax(TSWKREC& entry);
