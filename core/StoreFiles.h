#pragma once

#include "core/Session.h"

#include <QString>

#include <memory>

namespace Routines {

// Creates a new, empty store file protected by the key, private to its owner.
bool CreateDatabase(const QString& path, const QString& key);

// Copies the whole store into the temporary file under the new key, then puts the copy in
// the store's place in one atomic step. On any failure the store is exactly as it was.
bool CompactDatabase(const QString& source, const QString& temporary, const QString& oldKey,
                     const QString& newKey);

// Where the compacted copy of a store is written: beside it, under a name of the program's own.
QString CompactionPath(const QString& storePath);

} // namespace Routines

namespace DBFunctions {

// The store files' half of a log-in: creates the store with its "Default" table when no file
// is at the path; otherwise checks its shape, compacts it and refreshes its backup. Gives the
// open store, locked against other copies of the program, or none after a failure (reported
// under "SetupDatabase" or the step that failed; a store of the wrong shape is refused without
// a message, before anything is written).
std::unique_ptr<Session> OpenSession(const QString& path, const QString& key);

// True, after telling the user, when another copy of the program has the store open.
bool OpenInAnotherWindow(const QString& path);

// Re-keys and, when the base path changes, renames a store, all or nothing: on any failure
// the old store is as it was. The backup follows the new key and name. The caller closes the
// store first.
void UpdateDatabase(const QString& oldBasePath, const QString& oldKey, const QString& newBasePath,
                    const QString& newKey);

// True when every user table has the five columns in order and "Default" exists.
bool ValidateDatabase(const Engine::Connection& store);

} // namespace DBFunctions
