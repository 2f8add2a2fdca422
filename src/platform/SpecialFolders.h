#pragma once
// Where the Windows special folders live here. Each root follows the XDG
// conventions and can be moved by an environment variable of its own, so
// tests can put every file the program writes under one temporary folder.
//
//   folder                     variable              default
//   common application data    LEDRIX_COMMON_APPDATA $XDG_DATA_HOME or ~/.local/share
//   documents                  LEDRIX_DOCUMENTS      $XDG_DOCUMENTS_DIR or ~/Documents
//   temp                       LEDRIX_TEMP           $TMPDIR or /tmp
//   program folder             LEDRIX_PROGRAM_DIR    the running executable's folder
//   runtime (locks, sockets)   LEDRIX_RUNTIME_DIR    $XDG_RUNTIME_DIR or <temp>/ledrix-<uid>
//   registry store             LEDRIX_REGISTRY_DIR   $XDG_CONFIG_HOME/ledrix-registry or ~/.config/ledrix-registry
//   system folder              LEDRIX_SYSTEM_DIR     /usr/lib
//
// Paths come back without a trailing "/". Folders are not created here,
// except the runtime folder, which its users need to exist (mode 0700).

#include <string>

namespace folders {

std::string CommonAppData();
std::string Documents();
std::string Temp();
std::string ProgramDir();
std::string Runtime();
std::string RegistryDir();
std::string SystemDir();

// The computer's name (LEDRIX_COMPUTERNAME, else the host name) and the
// logged-on user's name (LEDRIX_USERNAME, else the account name); empty when
// neither can be read.
std::string ComputerName();
std::string UserName();

}  // namespace folders
