#pragma once
// Named styles per operator in the system database (STYLECOLOR): the print
// colour dialog keeps its colours as text in SSTR, and the screens their
// saved values under "020-" names. The seven colour columns are written as
// -1; only the text carries the style.

#include "platform/db/Query.h"

#include <array>
#include <cstdint>
#include <string>

// The text of the style on a statement of the system database, in the
// transaction the caller runs: true and the last row's text when the style
// exists.
bool ReadStyleText(db::Query& query, std::int32_t opcode, const std::string& styleName, std::string& text);
// Updates the style, or inserts it when there is none.
void WriteStyleText(db::Query& query, std::int32_t opcode, const std::string& styleName, const std::string& text);
// The same with the seven colour columns (LINECOLOR1-5, NETCOLOR1-2) as
// given; -1 stands for the operator's environment colour.
using TStyleColours = std::array<std::int32_t, 7>;
void WriteStyleRow(db::Query& query, std::int32_t opcode, const std::string& styleName, const TStyleColours& colours,
                   const std::string& text);

// The same in the system transaction (joined when one is running). Errors
// are swallowed: a style is a convenience, never a reason to stop; a
// transaction the call started is rolled back then. GetStyleColor gives an
// empty text for a missing style or a failure.
std::string GetStyleColor(std::int32_t opcode, const std::string& styleName);
void PutStyleColor(std::int32_t opcode, const std::string& styleName, const std::string& text);
