#pragma once
// The one path by which database errors reach the user and the logs.
//
// Every database operation catches db::FbError and hands it to HandleIBError
// with the failing operation ("TDM.fnGetAccInfo") and a Japanese message for
// the user; other exceptions go to ShowErrorMessage. The calculations show
// their database errors with ShowFBError, and comma-separated texts go out
// through ShowCommaMessage. All of it runs on the main thread, inside the
// callers' exception handlers, and never changes the callers' control flow:
// after it returns the caller ends its transaction and returns its failure.
//
// Logs (CP932 text, every line ended by CR LF):
//   <LogDir>/ErrFbAccess.log   two lines per database error, appended
//   <LogDir>/ErrFbAccess.txt   the last error's two lines only
//   FB_ERROR.LOG / FB_ERROR.TXT  ShowFBError's lines, appended / replaced
// Line breaks inside the fields of an ErrFbAccess line (the server's message
// has several lines) become blanks, so each error is exactly two lines. Text
// that CP932 cannot hold is written as "?".
//
// FB_ERROR.TXT and FB_ERROR.LOG belong in the program parent folder, which on
// an installed system is usually not writable; each of the two files that
// cannot be written there (or when that folder is not set) goes to the log
// folder instead, under the same name.
//
// A log that cannot be written never stops the handling of the database
// error: the error's own message is shown and a lost connection still ends
// the program. The failed files are then reported in a warning of their own
// ("エラー情報をログファイルに書き込めませんでした。", each file with the
// system's reason), shown after the error's message; without a message
// presenter that warning goes to standard error like every other message.

#include "foundation/UserMessage.h"
#include "platform/db/FbError.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The database name (path) of the open company database, which the data
// module installs (its IBDatabaseDAT). The error log names it even when the
// failing statement ran on the system database. Not installed, or failing
// with an exception: the name is empty.
using TCompanyDatabaseNameHook = std::function<std::string()>;
extern TCompanyDatabaseNameHook CompanyDatabaseNameHook;

// Asks the application to leave its message loop; the screens install it.
// HandleIBError calls it once, when a database error ends the program; the
// caller's code still runs to its end and the program then closes by its
// normal path. Not installed: nothing is asked.
using TQuitApplicationHook = std::function<void()>;
extern TQuitApplicationHook QuitApplicationHook;

inline constexpr std::string_view ErrorLogBaseName = "ErrFbAccess";
inline constexpr std::string_view FBErrorTextFileName = "FB_ERROR.TXT";
inline constexpr std::string_view FBErrorLogFileName = "FB_ERROR.LOG";

// Status codes that end the program: a lost connection to the server, and
// the engine's internal consistency check.
inline constexpr std::int32_t IBErrorNetworkLost = 335544721;
inline constexpr std::int32_t IBErrorConsistencyCheck = 335544333;
// An attachment that was open when the server went away fails with a read or
// write error of its connection, not with "network request failed" (which only
// a new attach reports); all three mean the same loss and end the program.
inline constexpr std::int32_t IBErrorConnectionRead = 335544726;
inline constexpr std::int32_t IBErrorConnectionWrite = 335544727;
constexpr bool IsNetworkLoss(std::int32_t code)
{
    return code == IBErrorNetworkLost || code == IBErrorConnectionRead || code == IBErrorConnectionWrite;
}

// Logs a database error and shows Message (may be empty: then the error is
// only logged). Does nothing at all once AppTerminating is set.
//  - Two lines go to the ErrFbAccess logs:
//      "<yyyy/mm/dd hh:nn:ss>,<PCName>,<OPCODE>,Serial=<serial>,AppVer=<program
//       version>,DBName=<HOSTNAME>:<company database>,DataVer=<data version>"
//      "Error=<Location> [<IBErrorCode>] (<SQLCode>) <explanation>,<E.Message>"
//  - A network loss (IsNetworkLoss) and 335544333 set AppTerminating, replace Message by the text
//    that announces the end (in stand-alone mode with the note that shared
//    server data is not stored back), show it as an error and call
//    QuitApplicationHook.
//  - Any other code: ShowErrorMessage(Message, "IBXエラーコード:<code>\r"
//    + E.Message + "\r" + explanation, error) when Message is not empty.
void HandleIBError(const db::FbError& E, const std::string& Location, const std::string& Message);

// Shows Message, followed by "\r\r[詳細情報]\r" and Detail when Detail is
// not empty, in a dialog of the given type with an OK button. Nothing is
// shown when both are empty.
void ShowErrorMessage(const std::string& Message, const std::string& Detail, TMsgDlgType DialogType);

// Shows a database error of the calculations as an error under Title
// ("試算表読込"), with the codes, the server's message and the explanation,
// then writes those lines and the program, data, serial, server, database,
// time, computer and operator lines to FB_ERROR.TXT (replaced) and
// FB_ERROR.LOG (appended).
void ShowFBError(const db::FbError& E, const std::string& Title);

// Shows a comma-separated text one item a line (each item followed by "\r"),
// in a dialog of the given type. A "//" and everything after it are not
// shown; at most 51 items are split off, the 51st keeping the rest of the
// text with its commas.
void ShowCommaMessage(const std::string& Text, TMsgDlgType DialogType);
