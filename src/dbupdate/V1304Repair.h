#pragma once
// The repair that update 14.0.0 carries for data of 13.0.3 whose version
// rows lack the marker line "V1304=1" in their MEMO (MEMO is read as lines
// of the form name=value; the marker is there when the value of V1304 is
// exactly "1"). For such data the 13.0.0 files are added to the 14.0.0
// script once more when MEISAI_JYOKEN_RULE lacks FTEKIYOA_TIKAN_FIELD7,
// then statements that write the marker, so that all of it runs, succeeds
// or fails with the 14.0.0 changes.
//
// Every row of 13.0.3 that lacks the marker gets its own MEMO back with the
// marker: its lines but any earlier V1304 line, then "V1304=1" (cut at the
// end of the old lines where the column could not hold both). Rows that
// carry the marker are not touched. (Copying one row's MEMO into all of
// them would lose what the others recorded.)
//
// The history trigger ACCVERSION_AFTER_UPDATE is switched off while the
// rows are written, so that the repair adds no history of its own.

#include "dbupdate/UpdateUnit.h"

#include <cstdint>
#include <string>
#include <vector>

namespace accupdate {

// Whether the MEMO carries the marker.
bool MemoHasV1304Marker(const std::string& memo);
// The MEMO with the marker: its lines without any V1304 line, then
// "V1304=1", joined by CR LF, at most maxChars characters.
std::string MemoWithV1304Marker(const std::string& memo, std::size_t maxChars = 254);

struct TVersionMemoRow {
    std::int32_t Rec = 0;
    std::string Memo;
};

// The marker statements for the rows that lack the marker.
void AppendV1304Marker(TUpdateScript& script, const std::vector<TVersionMemoRow>& rows);

// Reads the company database of the current data folder and appends what
// the data needs to the script: 1 to go on (whether or not lines were
// added), 18 when a file of folder 1300 is missing (also one the chart
// would leave out). A failed read of the version rows adds nothing; a
// failed column check counts as a missing column.
std::int32_t ApplyV1304Repair(TUpdateScript& script, std::int32_t medicalChart);

}  // namespace accupdate
