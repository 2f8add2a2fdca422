#pragma once
// Network drives: a drive letter mapped to a folder of a share server.
//
// The map lives where Windows keeps mapped drives: the registry key
// "Network\<letter>" of HKEY_CURRENT_USER, string value "RemotePath" holding
// the folder. Letters compare without regard to case. A path that begins
// with a mapped "X:" resolves to that folder; every other path, a path with
// an unmapped letter included, stays as it is.

#include <string>
#include <string_view>

namespace netdrive {

// The folder mapped to the letter; empty when the letter is not mapped (or
// is not a letter A to Z).
std::string RemotePath(char letter);

// True when the path begins with "X:" and X is a mapped letter.
bool IsNetworkDrive(std::string_view path);

// "X:" + rest -> the mapped folder + rest, the rest's "\" turned into "/"
// ("X:\data\qhacc.fdb" with X mapped to "/srv/share" gives
// "/srv/share/data/qhacc.fdb"). Other paths come back unchanged.
// A registry store that cannot be read raises RegistryError.
std::string ResolvePath(const std::string& path);

}  // namespace netdrive
