#pragma once

#include "core/Session.h"
#include "core/StoreKey.h"

#include <QString>

#include <memory>

namespace Routines {

// Makes a new store with its "Default" table, protected by the key and private to its owner:
// written whole at a temporary name and moved to the path without replacing anything, so a
// crash leaves no store or a complete one.
bool CreateDatabase(const QString& path, const StoreKey& key);

// Where a whole copy of a store is written before it takes the store's place: beside it,
// under a name of the program's own.
QString CompactionPath(const QString& storePath);

} // namespace Routines

namespace DBFunctions {

// The store files' half of a log-in: creates the store when no file is at the path;
// otherwise checks its shape, compacts it and refreshes its backup. Gives the open store,
// locked against other copies of the program, or none after a failure (reported under
// "SetupDatabase" or the step that failed; a store of the wrong shape is refused without a
// message, before anything is written). Compaction and the backup are housekeeping: when
// they cannot be written their error is shown and the log-in goes on with the store as it is.
std::unique_ptr<Session> OpenSession(const QString& path, const StoreKey& key);

// Opens an existing store as a log-in does, with the lock and the shape check, but writes
// nothing: no compaction and no backup, so its folder stays as it was. None after a failure
// (reported under "SetupDatabase", or by the lock; a store of the wrong shape without a message).
std::unique_ptr<Session> OpenWithoutWriting(const QString& path, const StoreKey& key);

// Whether a store is at the path (a link followed) that opens with the key, with nothing
// but regular files, or nothing, at its backup's and lock's paths. Writes nothing and never
// waits on a file.
bool OpensWith(const QString& path, const StoreKey& key);

// True, after telling the user, when another copy of the program has the store open.
bool OpenInAnotherWindow(const QString& path);

// Re-keys and, when the base path changes, renames a store, all or nothing: on any failure
// the old store is as it was. The backup follows the new key and name, and at every step
// opens with the store's current key or is not there. The caller closes the store first.
void UpdateDatabase(const QString& oldBasePath, const StoreKey& oldKey, const QString& newBasePath,
                    const StoreKey& newKey);

// True when every user table has the five columns in order and "Default" exists.
bool ValidateDatabase(const Engine::Connection& store);

} // namespace DBFunctions
