#pragma once
// The one runner of update scripts: hands the script that an update unit has
// saved in the work folder to Firebird's command-line tool and judges the
// tool's log.
//
// Files (folders from SystemDef):
//   <TempDir>/qhzdataup.sql   the script; the unit writes it, the runner
//                             deletes it after every call
//   <TempDir>/qhzdataup.log   the tool's output; made anew and empty before
//                             the run (the tool appends to an existing file,
//                             so an old error would fail every later run),
//                             readable by this user only (the tool echoes the
//                             CONNECT line with the password), deleted after
//   <LogDir>/ErrDataup.txt    the log of the last failed run, replaced
//   <LogDir>/ErrDataup.log    the logs of every failed run, appended
//
// The tool is "isql-fb" from the program folder when one lies there, else
// the one on PATH. It inherits this process's environment, so it works in
// the Firebird root the program uses (FIREBIRD and its lock folder).
//
// The database login reaches the tool only through the script's CONNECT
// line, never its command line, which every user of the machine can read in
// the process list.
//
// The tool runs with "-b": it stops at the first failed statement instead of
// going on, so nothing after a failure runs; above all not the version stamp
// that every update script ends with (see UpdateUnit.h). The uncommitted work
// of the failed transaction is rolled back when the tool stops.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Result codes of the runner and of every update unit.
inline constexpr std::int32_t UpdateResultOk = 1;
inline constexpr std::int32_t UpdateResultScriptError = 16;      // the tool reported an error
inline constexpr std::int32_t UpdateResultToolMissing = 17;      // the tool cannot be started
inline constexpr std::int32_t UpdateResultFileMissing = 18;      // the script or a body file is missing
inline constexpr std::int32_t UpdateResultConversionError = 19;  // a program-side step after the script failed

inline constexpr std::string_view UpdateScriptFileName = "qhzdataup.sql";
inline constexpr std::string_view UpdateLogFileName = "qhzdataup.log";
inline constexpr std::string_view UpdateErrorLogBaseName = "ErrDataup";
inline constexpr std::string_view IsqlToolName = "isql-fb";

// <TempDir>/qhzdataup.sql and <TempDir>/qhzdataup.log.
std::string UpdateScriptPath();
std::string UpdateLogPath();

// The tool to start: <ProgramDir>/isql-fb when that file exists, else
// "isql-fb" (looked up on PATH).
std::string IsqlToolPath();

// Runs <TempDir>/qhzdataup.sql; VersionText ("%d.%d.%d") only names the
// update in the failure message. Waits for the tool while the installed
// message pump keeps the screens alive.
//  18  the script is missing: "更新ファイル(%s)が見つかりません。\r処理を中止します。"
//  17  the tool cannot be started: "ISQL.EXEが起動できません。\r処理を中止します。"
//  16  the log has more than two lines and contains "failed" or "Error"
//      (case-sensitive) in a line that is not an echo of a script line, or the tool left its log empty or ended with a non-zero
//      code or a signal (with bail-on-error it stops so on any error, also
//      one its log does not call an error):
//      "Ver %sのデータベース更新に失敗しました。" (error, OK); the log goes to
//      ErrDataup.txt and is appended to ErrDataup.log, with the database
//      password of the echoed CONNECT line blotted out; also when the
//      empty log cannot be made (the reason goes to the error logs)
//   1  otherwise
// The script and the log are removed on every path. Never throws.
std::int32_t ExecIsqlScript(const std::string& VersionText);

// The wait for the tool is bounded: a tool that runs longer than the time
// limit (60 minutes unless set), or one that runs while a cancel is
// requested, is killed with its process group, and the run counts as failed
// (16; the log names the reason). A requested cancel stays until it is
// cleared, so that a run of several updates stops before the next one: the
// update dialog requests it from its Cancel button and clears it when its
// run ends.
void SetIsqlTimeLimit(std::chrono::milliseconds limit);
std::chrono::milliseconds IsqlTimeLimit();
void RequestIsqlCancel();
void ClearIsqlCancel();
bool IsqlCancelRequested();

// Appends the lines (CP932 bytes), each ended by CR LF, to
// <LogDir>/ErrDataup.log, creating it (and the log folder) when missing.
// False when the file cannot be written.
bool AppendErrorLog(const std::vector<std::string>& lines);

// The lines of a text as a string list reads them: CR LF, LF or CR end a
// line; a line end at the very end adds no empty line.
std::vector<std::string> SplitTextLines(std::string_view text);
