#pragma once
// Files and folders: guarded delete, copy and move of whole trees, single
// file copy, folder creation, path delimiters, sub-folder lists, sizes, and
// the short and universal names of paths.
//
// Paths use "/". A path that begins with a mapped network drive letter
// ("X:" + rest, see platform/NetworkDrive.h) is resolved through the map
// before the file system sees it; every other path is used as given.
//
// The guard
//   The delete, copy and move operations refuse, with a message, any path
//   whose loss would wreck the machine: an empty path, the file-system root,
//   the system folder (folders::SystemDir()) and every folder that contains
//   it, and a bare drive ("X:", "X:\", "X:/" in any case, also spelled
//   "X:\.", "X:\\" or "X:\a\.."). Paths are compared after resolving ".",
//   "..", doubled "/" and symbolic links, so no other spelling of a protected
//   folder gets through. Folders inside the system folder are allowed.
//   Refusals are shown through ShowCommaMessage (ErrorHandling.h), so a
//   comma in a path starts a new line and a "//" ends the text shown; other
//   failures through ShowErrorMessage with the system's reason as detail.
//
// Wildcards
//   A path whose last name holds "*" or "?" and that does not exist under
//   that very name stands for every entry of its folder that matches ("*.*"
//   and "*" match every name, "?" matches one character). Matching keeps the
//   case of the names, as every path comparison here does.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Shell operation codes, with the numbers the callers pass.
constexpr std::uint32_t FO_MOVE = 1;
constexpr std::uint32_t FO_COPY = 2;
constexpr std::uint32_t FO_DELETE = 3;
constexpr std::uint32_t FO_RENAME = 4;

// True when the path may be deleted, copied or moved (see "The guard").
// A path that cannot be checked (a network drive whose map cannot be read)
// is refused.
bool IsSafeShellPath(const std::string& path);

// Operation FO_DELETE deletes the file or folder (with its contents) or every
// wildcard match, into the trash (XdgTrash.h) when toRecycleBin; true when
// everything named was removed. A missing path (or a wildcard without a
// match) is a failure. A refused path shows the error
// "ルート・システムディレクトリは、削除できません。<path> " and deletes nothing.
// Failures are shown as error messages when showErrors.
// Operation FO_RENAME checks the guard the same way (its refusal text ends
// in "変更できません。") but, having no new name, renames nothing and
// returns false. Every other operation returns false and does nothing.
bool ShellDeleteEx(const std::string& path, std::uint32_t operation, bool toRecycleBin, bool showErrors);

// Operation FO_COPY copies, FO_MOVE moves the source (a file, a folder with
// its contents, or the matches of a wildcard) to the target:
//  - a target that is an existing folder receives each source under its own
//    name; so does the target of a wildcard source, created when missing;
//  - any other target is the new name of the single source; missing parent
//    folders are created;
//  - existing files are overwritten without asking and folders of the same
//    name are merged;
//  - a move within one file system renames; across file systems it copies
//    and then deletes the source, and removes what it had copied when the
//    copy fails, so the source is never lost.
// Copying or moving a folder into itself and copying a file onto itself are
// refused as failures. Both names must pass the guard; a refused name shows
// the error "指定ディレクトリ[source->target]の複写・移動はできません。 ".
// Failures are shown as error messages. Other operations return false.
bool ShellCopyEx(const std::string& source, const std::string& target, std::uint32_t operation);

// Copies one file, replacing an existing target. The copy is written beside
// the target and renamed over it, so a failed copy leaves the old target as
// it was; the source's permission bits and modification time are kept.
// False for a source that is not a file, a missing target folder, a target
// that is a folder or the source itself, and any failure to read or write.
bool CopyFileEx(const std::string& source, const std::string& target);

// True when the folder exists; otherwise creates it with every missing
// parent and tells whether that worked. A bare drive ("X:" or "X:" plus one
// delimiter) that does not exist gives false and creates nothing; so does an
// empty path. A network drive map that cannot be read raises RegistryError.
bool ForceDir(const std::string& folder);

// The path without one trailing "/", or with one added when missing.
// ("/" can never be part of a UTF-8 multibyte character, so plain byte
// tests are exact.)
std::string ExcludePathDelim(std::string_view path);
std::string IncludePathDelim(std::string_view path);

// Replaces the list by the sub-folders of the folder (symbolic links to
// folders included, "." and ".." never), sorted by name, as names
// (namesOnly = 1) or as the folder followed by "/" and the name. An empty or
// missing folder gives an empty list.
void GetSubDirList(const std::string& folder, int namesOnly, std::vector<std::string>& list);

// The size in bytes of the file (or of the first wildcard match by name); a
// folder counts 0. 0 when nothing matches; -1 when the file system refuses
// the query.
std::int64_t GetFileSize64(const std::string& fileName);

// This file system has no short names: the path itself, once the file or
// folder is known to exist. A path that does not exist raises EConvertError
// "ファイルが見つかりません。".
std::string GetShortPath(const std::string& longPath);

// The universal name: for a path on a mapped network drive the mapped folder
// with the rest of the path; every other path (an empty one included)
// itself. A network drive map that cannot be read raises RegistryError.
std::string GetUNCName(const std::string& path);

// For tests: the rename the move operations use, so that a rename failing
// with EXDEV (another file system) can be simulated. Returns the previous
// one; nullptr restores the system's rename.
using RenameFunction = int (*)(const char* from, const char* to);
RenameFunction SetRenameFunction(RenameFunction rename);
