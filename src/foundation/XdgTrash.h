#pragma once
// The desktop's trash can, as the freedesktop.org Trash standard lays
// it out, for deletions "into the recycle bin".
//
// Everything goes to the home trash "<data home>/Trash", where the data home
// is folders::CommonAppData() (and so moves with LEDRIX_COMMON_APPDATA in
// tests). A trashed item lies in "Trash/files/<name>" and is described by
// "Trash/info/<name>.trashinfo":
//
//   [Trash Info]
//   Path=<absolute original path, URL-escaped>
//   DeletionDate=<local time as YYYY-MM-DDThh:mm:ss>
//
// The info file is created first and exclusively, so two programs trashing
// the same name at once never take the same entry; the name gets ".2", ".3",
// ... appended while "<name>" is taken. An item on another file system is
// copied into the home trash and then removed (the standard leaves the
// implementation that choice); when that copy fails the item stays where it
// was and the info file is removed again.

#include <string>

namespace xdgtrash {

// "<data home>/Trash", without a trailing "/".
std::string HomeTrashDir();

// Moves the file, link or folder into the home trash (creating the trash
// folders, mode 0700, when missing) and returns the name it got under
// "files". Throws std::filesystem::filesystem_error when the item does not
// exist, when it holds the trash itself, or when it cannot be moved; then
// nothing has changed.
std::string MoveToTrash(const std::string& path);

// The path as the info file's "Path" key holds it: every byte except the
// unreserved characters of RFC 2396 and "/" as "%XX".
std::string EscapeTrashPath(const std::string& path);

}  // namespace xdgtrash
