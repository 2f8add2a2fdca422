#pragma once
// Which data-list row a company data folder belongs to, and the damage mark
// of a folder's information file.

#include <cstdint>
#include <string>

struct TDataListPosition {
    std::int32_t rec = 0;    // DATALIST REC; 0 when none
    std::int32_t rowNo = 0;  // CHILD_DATALIST ROWNO; 0 for a parent row
};

// Stand-alone mode: the folder names after the first folder called "data"
// or "cb_data" (letters in any case), blanks of either width removed, read
// as the record and the row number (0 when not a number). The server modes:
// the REC of the last DATALIST row of the logged-on group whose PASNAME is
// the folder, row 0; read on the system database in IBTransactionDEF
// (started and committed here when not active), errors ignored. An empty
// folder gives 0, 0.
TDataListPosition GetDataListRec(const std::string& folder);

// Writes STATUS of section "DATASTS" in the folder's information file and,
// for any state but 1 (free), the logged-on operator's OPCODE and OPERATOR
// beside it; state 1 deletes those two keys. Only in stand-alone mode (or
// above 2) and for a folder that is not empty; otherwise nothing. Throws
// IniFileError when the file cannot be written.
void SetDataStatus(const std::string& folder, std::uint8_t status);
