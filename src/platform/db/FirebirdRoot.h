#pragma once
// The program's own Firebird root.
//
// The program and every Firebird tool it starts (isql-fb, gbak) run with
// FIREBIRD naming a root folder that the program lays out itself: its own
// firebird.conf with ServerMode = SuperClassic, so that the embedded engine
// of several processes (ours, isql-fb, gbak, a server) can share one database
// file, where the installed default (Super) opens files exclusively; its own
// databases.conf and plugins.conf; and copies of the installed root's intl/
// and plugins/ folders and firebird.msg. Copies, not symbolic links: with
// linked folders the character-set module fails to load and every attachment
// with lc_ctype SJIS_0208 fails with "CHARACTER SET SJIS_0208 is not defined".
//
// The lock and temporary folders live inside the root (lock/, tmp/), so
// processes that use different roots never share lock files, and processes
// that share a database file must use the same root.

#include <filesystem>
#include <string>

namespace db {

struct FirebirdRootSettings {
    // The installed Firebird root to copy from; empty: the root beside the
    // client library this program is linked with.
    std::filesystem::path installedRoot;
    // Server settings, written only when given.
    int remoteServicePort = 0;               // 0: the default port
    std::string remoteBindAddress;           // empty: every address
    std::filesystem::path securityDatabase;  // empty: the installed default
};

// The installed root: the "firebird/<version>" folder beside the client
// library that holds plugins/ and intl/. Throws std::runtime_error when none
// is found.
std::filesystem::path InstalledFirebirdRoot();

// Lays out root (creating it when needed). Idempotent: parts that are
// already there are not copied again; the configuration files are rewritten
// only when their text changes. Safe against another process laying out the
// same root at the same time (each part is moved into place whole).
// Throws std::runtime_error (std::filesystem::filesystem_error included).
void LayOutFirebirdRoot(const std::filesystem::path& root, const FirebirdRootSettings& settings = {});

// Points this process, and every child process it starts afterwards, at
// root: FIREBIRD, FIREBIRD_LOCK (root/lock) and FIREBIRD_TMP (root/tmp).
// A process whose character type (LC_CTYPE) is not UTF-8 is switched to
// C.UTF-8, because the engine converts file names by it.
// The client reads them once, on its first call, so this must come first;
// calling it after the layer has used the client throws std::logic_error, and
// a root that is not laid out throws std::runtime_error.
void UseFirebirdRoot(const std::filesystem::path& root);

}  // namespace db
