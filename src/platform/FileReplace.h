#pragma once
// Writing a whole file so that no reader ever sees it half written.
//
// The bytes go to a temporary file in the target's folder, which is flushed
// and then renamed over the target: a failure or a crash leaves the old file
// (or no file) whole, never a truncated one, and the temporary file is
// removed on every failure path. Through a symbolic link the link stays and
// its target is replaced.

#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

// Puts `bytes` in place of `file` with the permission bits `mode`. Throws
// std::system_error ("cannot create a temporary file in <folder>: ..." or
// "cannot write: ...") and leaves the target as it was.
void ReplaceFileContents(const std::string& file, std::string_view bytes, mode_t mode);

// The permission bits a new file gets here: 0666 less the process's umask.
mode_t NewFileMode();

}  // namespace platform
