#pragma once
// The installed accounting product and the version check of start-up and
// data opening.

#include <cstdint>
#include <string>

// The string value `valueName` of the installed accounting product of major
// version `major`: below the maker's key under HKEY_LOCAL_MACHINE (AppInfo
// [Application] RegKey) the subkeys are searched from the last to the first
// for one whose name, in lower case, contains the product key word (AppInfo
// [Zaimu] RegKey) in lower case followed by the major version as two digits
// ("ledrixzaimu15"); the first found is read. Empty when the key, a matching
// subkey or the value is missing, or the value is not a string.
std::string GetProductRegValue(std::int32_t major, const std::string& valueName);

// Version a is at least version b, each read as up to three parts split at
// "." (missing parts 0, a part that is no number 0) and joined as two-digit
// numbers ("15.0.1" is 150001). A text of more than three parts reads as 0,
// and a version of 0 is never high enough.
bool CompareVersion(const std::string& version, const std::string& required);
