#pragma once
// The application ini (SystemDef.AppIniPath): per connection mode where the
// system database lives and how to log on to the database server, the main
// window's bounds and the connection mode of the last logon.
//
// Sections "LOCAL" (mode 0), "SERVER" (mode 1) and "SBC" (mode 2), each with
// "HOSTNAME", "GOGLOBAL", "GROUP", "SYSDIR", "USER" and "PASSWORD";
// "APPLICATION" with "TOP", "LEFT", "WIDTH", "HEIGHT" and "CONNECT".
//
// What is kept as typed, and why:
//   - host names lose surrounding blanks (a blank inside a connection string
//     names another server) and are kept in lower case;
//   - SYSDIR keeps its case: it is a folder of a case-sensitive file system;
//   - the database password keeps its case: a server password with capital
//     letters must stay usable;
//   - the database user is upper case, as the server knows its users.
// The file holds the database password, so it is readable by its owner only
// (mode 0600): a file made here is created so, and an older file that others
// could read is narrowed before anything is written to it.
//
// Writes raise IniFileError (platform/IniFile.h) to the caller; reads never
// fail (absent keys give their defaults).

#include <cstdint>
#include <string>

inline constexpr const char* DefaultDatabaseUser = "LEDRIX";
inline constexpr const char* DefaultDatabasePassword = "tolvaz";

// The section of a connection mode: "SERVER" for 1, "SBC" for 2, else "LOCAL".
const char* AppIniSectionName(std::int32_t mode);

// Reset: the whole file afresh with its defaults (stand-alone mode clears
// HOSTNAME first): "DATABASE" and "MAINFORM" erased, "APPLICATION" 0, 0,
// 1024, 738 and CONNECT 0, "LOCAL" from SystemDef, "SERVER" with empty
// HOSTNAME and SYSDIR but SystemDef's user and password. Otherwise the
// section of the current connection mode from SystemDef. Always true.
bool WriteAppIni(bool reset);

// Loads the mode's section into SystemDef (GROUP cleared: the key is not
// read). Always 1.
std::int32_t LoadAppIniSection(std::int32_t mode);

// By ProgramKind: 0 and 2 load the mode's section; 1 and 3 take the fixed
// local settings of the viewer and the cash book; any other kind answers 0
// and changes nothing.
std::int32_t LoadConnectionSettings(std::int32_t mode);

// "APPLICATION" "CONNECT": written only for modes below 3 in ProgramKind 0;
// read as 0 in any other kind or when it is not a number.
void WriteConnectMode(std::uint32_t mode);
std::int32_t ReadConnectMode();

// Whether the start-up must write the file afresh: it is missing or its
// "LOCAL" section holds no key.
bool AppIniNeedsDefaults();

// The host name as stored: blanks and tabs trimmed, ASCII letters lower case.
std::string NormalizeHostName(const std::string& typed);
