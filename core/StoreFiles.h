#pragma once

#include "core/Engine.h"
#include "core/Outcome.h"
#include "core/StoreKey.h"

#include <QString>

#include <memory>

// Store files as files: creation, compaction, the backup and re-keying, each written whole at
// a temporary name and moved into place. The caller holds the store's lock throughout.
namespace StoreFiles {

// Where a whole copy of a store is written before it takes the store's place: beside it,
// under a name of the program's own.
QString CompactionPath(const QString& storePath);

// The backup beside a store: bob.mdb's is bob.bak.
QString BackupPath(const QString& path);

// Makes a new store with its "Default" table, protected by the key and private to its owner:
// written whole at a temporary name and moved to the path without replacing anything, so a
// crash leaves no store or a complete one.
Outcome CreateDatabase(const QString& path, const StoreKey& key);

// Replaces the open store's file at the path by a whole copy of itself, and opens the copy in
// the connection's place. A failure leaves the store and its connection as they were.
Outcome Compact(std::unique_ptr<Engine::Connection>& store, const QString& path,
                const StoreKey& key);

// Replaces the backup beside the path by a copy of the store file when it is two or more
// calendar days old, missing, or a link.
Outcome RefreshBackupOf(const QString& store, const QString& path);

// Re-keys the open store and, when the path changes, renames it, all or nothing: on any
// failure the old store is as it was. The store file is the one the old path leads to; its
// connection is closed once the copy is written. The backup follows the new key and name, and
// at every step opens with the store's current key or is not there.
Outcome UpdateDatabase(std::unique_ptr<Engine::Connection> store, const QString& oldPath,
                       const QString& storeFile, const StoreKey& oldKey, const QString& newPath,
                       const StoreKey& newKey);

} // namespace StoreFiles
