#include "foundation/ProgramGlobals.h"
#include "foundation/VersionRecords.h"

std::uint8_t ConnectionMode = 0;
std::uint8_t ProgramKind = 0;
std::uint8_t EditionFlag = 0;
std::uint8_t TerminalSolutionKind = 0;
bool AppTerminating = false;

std::string DataVersionText;
TVersionNumbers DataVersionNumbers;
TVersionTextRec ReceiveMinVersion;
TVersionTextRec CommVersion;
