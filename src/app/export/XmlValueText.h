#pragma once
// The texts of the values the intermediate file holds.

#include "platform/DateTime.h"
#include "platform/NumberText.h"

#include <string>

// A balance as a whole number with the pattern "#": rounded half away from
// zero, "-" for a negative one, no separators; empty for 0 and for any
// amount that rounds to 0.
std::string ZandakaText(Currency balance);

// A date as "yyyymmdd".
std::string NendoDateText(TDateTime date);
