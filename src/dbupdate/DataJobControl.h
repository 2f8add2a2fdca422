#pragma once
// The menu rights of company data move from old menu positions (JOBCONTROL:
// level, page, position on the page) to program names (JOBCONTROL2: level,
// program, start option), once, in update 8.0.2. Medical-corporation data
// kept its rights under level 1200, the other kinds under 200; the new rows
// all carry level 200. Old rows stay; a position that held no program
// writes nothing.

#include "dbupdate/AccountingLaterUnits.h"

#include <cstdint>
#include <string>

namespace accupdate {

struct TDataMenuProgram {
    std::string ProcId;  // empty: the position held no program
    std::string Option;  // one "name=value" line, or empty
};

// The program of an old position for the data kind and edition.
TDataMenuProgram DataMenuProgram(std::int32_t dataType, std::int32_t editionFlag, std::int32_t page, std::int32_t menu);

void ConvertDataJobControl(const TDataFixContext& context);

}  // namespace accupdate
