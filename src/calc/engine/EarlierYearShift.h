#pragma once
// The earlier fiscal years that were shorter than twelve months, in the
// balance rows a balance load filled: a short year's movements run from its
// first period to its last, and its settlement period (16) closes the
// year, so the periods it did not have are emptied and its settlement's
// change becomes the step from its last period to the settlement balance.
//
// The previous year starts at the data's stored previous start (zKISHU),
// else twelve months before this year's start; the year before at its
// stored start (zzKISHU), else twelve months before the previous one. A
// year's length is MonthsBetweenToPeriod from its start to the next year's
// (16 for a full year).

#include "calc/BalanceRows.h"

#include <span>

void ShiftShortEarlierYears(std::span<TBALANCE> rows, int last);
