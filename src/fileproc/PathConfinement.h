#pragma once
// Where the server's file procedures may act: inside the data root, the
// folder that holds the system database (SYSDIR), and in the data places
// 1-99 beside it (the root's name followed by two digits, "data01" ...),
// and nowhere else.
//
// A path is accepted only when it is absolute, has no "." or ".." part, and
// lies strictly below the data root (or in a data place) once every symbolic link of the part
// that exists has been followed (a link inside the root that leads out is
// refused like the outside path itself). The root itself and the system
// database file are never the target of an operation that changes them.

#include <filesystem>
#include <optional>
#include <string>

namespace fileproc {

// The path as the file system names it, when it is confined to the root;
// nothing otherwise.
std::optional<std::filesystem::path> ConfinedPath(const std::string& path, const std::filesystem::path& root);

}  // namespace fileproc
