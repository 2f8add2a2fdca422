#pragma once
// Files of the update that only this user may read: the script and the
// tool's log carry the database password (the script's CONNECT line and the
// tool's echo of it), and a unit's copy of its database carries the books.
//
// Such a file is always made anew: whatever stood at its path is removed
// first, then the file is created exclusively, with mode 0600 and without
// following a link. A file or link that someone else planted at the path in
// a shared work folder is therefore never written through; the creation
// fails instead.

#include "platform/UniqueFd.h"

#include <stdexcept>
#include <string>
#include <string_view>

// A private file that cannot be made, written or copied; what() names the
// file and the system's reason.
class TPrivateFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Makes the file at path anew (see above), open for writing.
platform::UniqueFd CreatePrivateFile(const std::string& path);

// Makes the file at path anew holding bytes.
void WritePrivateFile(const std::string& path, std::string_view bytes);

// A new private file in folder named prefix + six random characters +
// suffix, open for writing; its path goes to path. Never replaces a file.
platform::UniqueFd CreateUniquePrivateFile(const std::string& folder, const std::string& prefix,
                                           const std::string& suffix, std::string& path);

// Copies every byte the source descriptor has left to the target descriptor
// and flushes the target to the disk.
void CopyFileBytes(int source, int target, const std::string& sourceName, const std::string& targetName);
