#pragma once
// The file-system work under the shell operations of FolderOps.h and the
// trash of XdgTrash.h: copying and moving files and whole trees. Every
// routine throws std::filesystem::filesystem_error naming the path that
// failed; none of them asks or checks the guard, which is the callers' job.
//
// Symbolic links are copied and moved as links, never followed, so a link
// inside a tree can never pull a folder outside the tree into the copy or
// the deletion.

#include <filesystem>

namespace filetree {

using RenameFunction = int (*)(const char* from, const char* to);

// The rename used by MoveItem; nullptr restores the system's. Returns the
// previous one (nullptr for the system's).
RenameFunction SetRename(RenameFunction rename);

// Copies one regular file to dest through a temporary file beside dest that
// is renamed over it, keeping the permission bits and modification time.
// Refuses a dest that is a folder or the source itself.
void CopyRegularFile(const std::filesystem::path& source, const std::filesystem::path& dest);

// Copies a file, link or folder (with its contents) to dest: files replace
// files, folders merge into folders. Refuses a folder copied into itself and
// a file copied onto itself, and a file meeting a folder of the same name.
void CopyItem(const std::filesystem::path& source, const std::filesystem::path& dest);

// Moves a file, link or folder to dest: renames when it can; when the rename
// crosses file systems (EXDEV) copies and then removes the source. Folders
// merge into existing folders of the same name; files replace files. When
// the copy fails, what it wrote where nothing stood before is removed and
// the source is left whole.
void MoveItem(const std::filesystem::path& source, const std::filesystem::path& dest);

// True when `inner` is `outer` or lies below it (both already canonical).
bool IsSameOrInside(const std::filesystem::path& inner, const std::filesystem::path& outer);

// The absolute path with ".", "..", doubled "/" and the symbolic links of
// its existing part resolved, and no trailing "/" (but for "/" itself).
std::filesystem::path Canonical(const std::filesystem::path& path);

}  // namespace filetree
