#pragma once
// The damage mark of a data folder's information file.

#include <cstdint>
#include <string>

// Writes STATUS of section "DATASTS" in the folder's information file and,
// for any state but 1 (free), the logged-on operator's OPCODE and OPERATOR
// beside it; state 1 deletes those two keys. Only in stand-alone mode (or
// above 2) and for a folder that is not empty; otherwise nothing. Throws
// IniFileError when the file cannot be written.
void SetDataStatus(const std::string& folder, std::uint8_t status);
