#pragma once

#include <QString>

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

// Opens (or first creates) the store at the path and shows its "Default" table.
bool SetupDatabase(const QString& path, const QString& key);

// Re-keys and, when the base path changes, renames a store; always ends logged out.
void UpdateDatabase(const QString& oldBasePath, const QString& oldKey, const QString& newBasePath,
                    const QString& newKey);

// True when every user table has the five columns in order and "Default" exists.
bool ValidateDatabase();

void CloseDatabase();

} // namespace DBFunctions
