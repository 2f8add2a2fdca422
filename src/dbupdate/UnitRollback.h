#pragma once
// A unit that fails leaves its database as it found it.
//
// isql-fb commits every DDL statement as it runs, and the units' scripts
// commit between their steps, so a script that stops part-way would leave
// the statements before the failure in place: the database keeps its old
// version but is changed, and every rerun stumbles over what the first run
// left (a column that now exists, a procedure that is already gone). One
// transaction for a whole unit does not serve: Firebird 3 does not let a
// statement see a table created earlier in the same transaction, and most
// units use what they create and commit between their steps. So every unit
// runs under the guard of a copy:
//
//   before the unit  a copy of its database goes into the update's work
//                    folder (<TempDir>), as a new file only this user reads:
//                      - a database the embedded engine opens (no host): a
//                        file copy "qhzdataup-XXXXXX.fdb", taken while no
//                        connection of this program holds the file;
//                      - a database on a server (a host is set): the
//                        engine's own backup "qhzdataup-XXXXXX.fbk" through
//                        the server's services, which the server writes to
//                        that path on its machine;
//   on success       the copy is removed;
//   on failure       (any result but 1, or an exception) the copy is put
//                    back, the file written over the database in place or
//                    the backup restored over it, and then removed. A copy
//                    that cannot be put back is kept, and the message names
//                    it.
//
// A local database that does not exist has nothing to keep: the unit runs
// unguarded and fails on its own.
//
// The program's own connection to the database (the data module's system
// connection, or its company connection of the same data) is closed for the
// guarded run and opened again afterwards: a file must not be copied or
// written back under a live attachment. Attachments of other users are for
// the caller to refuse (the update dialog checks them before it starts).
//
// Guards nest: a unit's update function is guarded as a whole (so a step
// before or after its script is covered too), and its script's run guards
// again; an inner guard of a database that this thread already guards only
// runs its work.

#include "dbupdate/UpdateUnit.h"

#include <cstdint>
#include <functional>
#include <string>

// Runs work under the guard of the target database (see above).
// VersionText ("%d.%d.%d") names the update in the messages. When the copy
// cannot be taken, work does not run: "Ver %sの更新前のデータベースを保存
// できませんでした。" with the reason, and 16.
std::int32_t RunGuardedUnit(TUpdateTarget target, const std::string& VersionText,
                            const std::function<std::int32_t()>& work);

// A unit's update function that runs func under the guard.
TDbUpdateFunc GuardedUpdateFunc(TUpdateTarget target, std::string VersionText, TDbUpdateFunc func);

// The copies go into the work folder as "qhzdataup-XXXXXX" + one of these.
inline constexpr const char* UnitCopyPrefix = "qhzdataup-";
inline constexpr const char* UnitFileCopySuffix = ".fdb";
inline constexpr const char* UnitBackupSuffix = ".fbk";
