#pragma once
// The name this workstation goes by in the system database's records.

#include <cstdint>
#include <string>
#include <string_view>

// This workstation's name: in server-based connection mode (2) the desktop
// user's name of SystemDef, "ANONYMOUS" when that is empty; otherwise the
// computer name, "PCNAME-ERROR" when it cannot be read.
std::string GetPCName();
// The rule of GetPCName on given inputs.
std::string ChoosePCName(std::uint8_t connectionMode, std::string_view winUserName, std::string_view computerName);
