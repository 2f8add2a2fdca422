#pragma once
// Whole ini sections and single values, over IniFile (platform/IniFile.h).
// Every write is complete and in the file when the call returns; a failed
// write raises IniFileError and leaves the file as it was.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// A value written as its text: integers in decimal, floating values as
// FloatToStr writes them, texts as they are.
using IniValue = std::variant<std::string, std::int64_t, double>;

std::string IniValueText(const IniValue& value);

// Every "name=value" line of the section, each ended by CR LF, in file
// order; empty when the file name or the section is empty, or the section is
// missing.
std::string ReadIniSection(const std::string& fileName, const std::string& section);

// Replaces the section by the "name=value" lines (split at the first "=";
// empty lines are skipped), in one write. Nothing happens when the file name
// or the section is empty. A line without "=" or with an empty name raises
// IniFileError before anything is written.
void WriteIniSection(const std::string& fileName, const std::string& section, const std::vector<std::string>& values);

// Deletes the key (deleteKey) or writes the value's text under it.
void WriteIniValue(const std::string& fileName, const std::string& section, const std::string& key, bool deleteKey,
                   const IniValue& value);
