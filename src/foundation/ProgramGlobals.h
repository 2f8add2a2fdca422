#pragma once
// Program-wide switches and the version records of the running product.

#include "foundation/VersionRecords.h"

#include <cstdint>
#include <string>

extern std::uint8_t ConnectionMode;        // 0 stand-alone, 1 client/server, 2 server-based
extern std::uint8_t ProgramKind;           // which program of the family runs; 0 here
extern std::uint8_t EditionFlag;           // 1 for the "BrendalData" edition (2 alike)
extern std::uint8_t TerminalSolutionKind;  // index into TerminalSolutionNames
extern bool AppTerminating;                // a database error is ending the program

// The data-version record of the running product (the error log's data
// version, the version value data communication sends) and the two further
// version records of data communication: ReceiveMinVersion, the lowest
// received cash-book version the import accepts, and CommVersion, which
// nothing here reads. Nothing in this program fills any of them, so they stay
// empty and 0.0.0.
extern std::string DataVersionText;
extern TVersionNumbers DataVersionNumbers;
extern TVersionTextRec ReceiveMinVersion;
extern TVersionTextRec CommVersion;
