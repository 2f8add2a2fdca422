#pragma once
// The state a data folder's information file ("qhacc.ini", section
// "DATASTS") records: the folder's state code and, when somebody holds it,
// the holder's operator code and name. The folder's files are named by
// DataDbFileOfFolder and DataInfoFileOfFolder (foundation/DataInfomation.h).
//
// Only reads: the file is written by whoever changes the state. A file or
// key that is missing reads as free (the information file is written
// together with the data, so a folder without one has nobody holding it).

#include "foundation/DataInfomationRec.h"

#include <string>

// STATUS, OPCODE, OPERATOR, SHARE_STATUS, SHARE_OPCODE, SHARE_OPERATOR,
// UPDATE_LOCK and READ_ONLY of the folder's information file; the other
// fields stay cleared. Throws IniFileError for a file that cannot be read.
TDataInfomationRec ReadDataFolderStatus(const std::string& folder);
