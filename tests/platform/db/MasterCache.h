#pragma once
// Test databases built once per test run.
//
// ctest runs every test in a process of its own, so a database built and
// kept in one process would be built again by the next. A master is built
// instead into a cache folder of the build tree, the first time any test
// process asks for it, and every later test takes a copy of it.
//
// A master is a folder (one database, or several such as the snapshots of
// a chain), named by the caller and keyed by the content of everything that
// makes it (for the schema masters, the build writes the key from the
// expanded sql folder and the libraries that hold the update units). A
// master whose key is stale is removed and built again, never reused.
//
// Parallel test processes asking for the same master wait for the one that
// builds it (a lock file per name). The build runs in a work folder and is
// renamed into place when it is complete, so a master that exists is whole.
// Every database in it has forced writes turned off (a copy inherits that:
// a throw-away database has no use for a flush per commit) and is made
// read-only, so that a test which changes a master instead of its copy
// fails at once. A build that fails leaves a marker with its message, and
// the other tests of the same ctest run fail with that message instead of
// building it again.
//
// "builds.log" in the cache folder gets a line per master built, so a run
// can show that it built each master at most once.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace dbtest {

// The cache folder, in the build tree.
std::filesystem::path MasterCacheFolder();

// The folder of the master called name; build(folder) fills an empty folder
// with it when it is not there yet for key (letters and digits). Throws when
// the build throws (now or in another process of the run).
std::filesystem::path CachedMaster(const std::string& name, const std::string& key,
                                   const std::function<void(const std::filesystem::path& folder)>& build);

// A key for content: its 64-bit FNV-1a hash in hex (stable across runs).
std::string ContentKey(std::string_view content);

// Copies a database file of a master to target (made writable; a file that
// is there is replaced) and returns target.
std::filesystem::path CopyMasterFile(const std::filesystem::path& master, const std::filesystem::path& target);

// A copy of a database file of a master that this process may open and
// read; made on the first call for the file. A master itself is never
// attached: every test process has a Firebird root and lock folder of its
// own, and the engine writes even to a database it only reads from.
std::filesystem::path ProcessCopy(const std::filesystem::path& master);

}  // namespace dbtest
