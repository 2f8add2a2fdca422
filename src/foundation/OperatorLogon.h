#pragma once
// The database side of the operator logon: the connection check's report,
// the system database's logon procedure, the operator's flags and the server
// temporary folder. The logon dialog shows the messages; nothing here
// touches a window.

#include "platform/db/FbError.h"

#include <cstdint>
#include <string>
#include <vector>

// The answer of LOGONUSERTEST: NUM -1 wrong code or password, -3 logged on
// elsewhere, 0 or 1 accepted; LOGINCODE and JOBLEVEL of the operator.
struct TLogonAnswer {
    std::int32_t NUM = 0;
    std::int32_t LOGINCODE = 0;
    std::int32_t JOBLEVEL = 0;
};

// The computer name the logon is recorded under: the desktop user's name in
// server-based mode (many users share one computer there), else the
// computer's name.
std::string LogonPCName();

// The lines of the report of a failed connection check: for a database
// error by its code, the connection mode and the launch kind (see the logon
// dialog); for any other failure (error null) its message.
std::vector<std::string> ConnectionFailureLines(const db::FbError* error, const std::string& message, std::int32_t mode,
                                                std::int32_t launchKind);

// Runs "LOGONUSERTEST" on the system database (DM), starting its transaction
// when none is active, and commits. Throws db::FbError; the transaction is
// then left for the caller to roll back.
TLogonAnswer CallLogonUserTest(const std::string& pcName, std::int32_t groupId, std::int32_t opCode,
                               std::int32_t appVersion, const std::string& password);

// Fills OPNAME and JIMUSHO (last row wins; none: empty and off; an error is
// rolled back and leaves them so), then MYNUMBER_ADM and SHONIN (cleared
// first; an error leaves them off), from the operator row of the login code
// in SystemDef.GROUPID.
void LoadLogonOperator(std::int32_t loginCode);

// The server temporary folder after a logon in the mode: empty in stand-alone
// mode, else the drive of SYSDIR (none on this platform's paths) followed by
// the installation's server temporary folder.
std::string LogonServerTempDir(std::int32_t mode);

// The stored password of the group's operator (SystemDef.GROUPID); empty
// when none is stored or the operator has no row. The system database must
// be connected. Throws db::FbError.
std::string ReadOperatorPassword(std::int32_t opCode);

// Stores the password of the group's fixed system operator, adding the
// operator ("システムユーザー", level 9) when it has no row yet, and commits.
// The system database must be connected. Throws db::FbError (rolled back).
void StoreOperatorPassword(std::int32_t opCode, const std::string& password);
