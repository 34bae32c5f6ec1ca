// Store files as files: creation, compaction, the backup, validation and re-keying.
//
// The files beside a store bob.mdb, and who makes, replaces and removes each:
//
//   bob.mdb            the store. Made by a creation (written whole as bob.mdb.compacting,
//                      then moved to its name without replacing anything); replaced by a
//                      log-in's compaction and by a re-key (a whole copy at bob.mdb.compacting,
//                      renamed over it); removed by a rename, once the copy under the new name
//                      is in place. A store behind a symbolic link is the link's target: it is
//                      compacted and re-keyed in the target's folder and the link stays a link.
//   bob.mdb-journal    the engine's rollback journal while a transaction is open; its deletion
//                      is the commit, and the folder is synced after it, so no power cut can
//                      bring it back to undo a finished change.
//   bob.bak            the backup: a copy of the store, made at a log-in when there is none or
//                      when it is two or more calendar days old (written as bob.bak.compacting,
//                      renamed over it). A re-key or rename writes it anew under the new key
//                      beside its new place, removes the old one, places the store, then places
//                      the new backup.
//   bob.mdb.compacting, bob.bak.compacting
//                      whole copies on their way to their place; a leftover of a crash is
//                      removed at the next creation, log-in or re-key of that store.
//   bob.mdb.lock       exists while a copy of the program has the store open or changes it;
//                      one left by a crash, or left empty, is taken over.
//
// What a crash at any step keeps, and what every step keeps while nothing crashes; the code
// that keeps each cites its number:
//   1. a store is whole under the old key and name or under the new ones, never half-written:
//      every copy is synced before its rename, and every rename and delete is followed by a
//      sync of its folder;
//   2. the backup, when there is one, opens with the store's current key;
//   3. a name is never left holding a store that cannot be logged in to;
//   4. nothing is written over a file the program did not make: a new store or a renamed one
//      is moved to its name only while nothing is there;
//   5. a temporary copy that could not be finished is removed at once, so no leftover of a
//      failure stays beside the store;
//   6. nothing is written into a store that has not opened with its key and shown the entry
//      schema, and a backup is refreshed only from a store that was read whole.
#include "core/StoreFiles.h"

#include "core/Environment.h"
#include "core/FileOperations.h"
#include "core/TableCatalogue.h"

#include <functional>
#include <optional>

namespace StoreFiles {
namespace {

const QString JournalSuffix = QStringLiteral("-journal");

void DeleteLeftovers(const QString& temporary) {
    FileOperations::DeleteIfPresent(temporary);
    FileOperations::DeleteIfPresent(temporary + JournalSuffix);
}

// Runs a step that fills or places a temporary file; when the step fails, no part of the
// file stays behind [5].
template <class Step> void RemovingLeftoversOnFailure(const QString& temporary, Step&& step) {
    try {
        std::forward<Step>(step)();
    } catch (const Failure&) {
        DeleteLeftovers(temporary);
        throw;
    }
}

// Writes the whole open store under the new key into a fresh private temporary file.
void ExportStore(const Engine::Connection& store, const QString& temporary,
                 const StoreKey& newKey) {
    DeleteLeftovers(temporary);
    RemovingLeftoversOnFailure(temporary, [&] {
        FileOperations::CreatePrivateFile(temporary);
        const auto attach = store.Prepare("ATTACH DATABASE ? AS compacted KEY ?;");
        attach->Bind(1, temporary);
        attach->Bind(2, newKey);
        attach->Step();
        {
            // One transaction for the whole copy: its commit syncs the copy a few times in all,
            // not several times for every table.
            Engine::Transaction copy(store);
            store.Execute("SELECT sqlcipher_export('compacted');");
            copy.Commit();
        }
        store.Execute("DETACH DATABASE compacted;");
    });
}

// A backup older than yesterday, or a link in its place, is replaced by a copy of the store.
void RefreshBackup(const QString& store, const QString& backupPath) {
    const QString temporary = CompactionPath(backupPath);
    FileOperations::DeleteIfPresent(temporary);
    if (FileOperations::FileExists(backupPath) && !FileOperations::IsSymbolicLink(backupPath) &&
        FileOperations::LastModifiedDate(backupPath).daysTo(Environment::Today()) <= 1)
        return;
    RemovingLeftoversOnFailure(temporary, [&] {
        FileOperations::CopyFile(store, temporary);
        FileOperations::ReplaceFile(temporary, backupPath); // [1]
    });
}

// The store's whole copy under the new key at the temporary; told, with "Unable to change
// password!", when it could not be written.
Outcome WriteUnderNewKey(const Engine::Connection& store, const QString& temporary,
                         const StoreKey& newKey) {
    Outcome written = Attempt("CompactDatabase", [&] { ExportStore(store, temporary, newKey); });
    if (!written.Done())
        written.Tell({Notice::Kind::Failure, "Unable to change password!"});
    return written;
}

// The backup's older content under the new key, with its age, at the staged path; the old
// backup then goes, before the store takes the new key [2]. False when there is no backup that
// the old key opens (one that it does not open is left as it is).
bool StageBackup(const QString& oldBackup, const StoreKey& oldKey, const QString& staged,
                 const StoreKey& newKey) {
    if (!FileOperations::FileExists(oldBackup))
        return false;
    std::optional<Engine::Connection> backup;
    try {
        backup.emplace(oldBackup, oldKey);
    } catch (const Failure&) {
        return false;
    }
    ExportStore(*backup, staged, newKey);
    backup.reset();
    RemovingLeftoversOnFailure(staged, [&] {
        FileOperations::CopyModifiedTime(oldBackup, staged);
        FileOperations::DeleteFile(oldBackup);
    });
    return true;
}

// The order of a change of key or name: the store's copy is written, the backup is carried
// to the new key, placeStore puts the copy in place, and the carried backup follows. At every
// step the backup opens with the store's current key, or there is none until the next log-in
// [2].
Outcome ChangeStore(std::unique_ptr<Engine::Connection> store, const StoreKey& oldKey,
                    const StoreKey& newKey, const QString& temporary, const QString& oldBackup,
                    const QString& newBackup, const std::function<void()>& placeStore) {
    Outcome written = WriteUnderNewKey(*store, temporary, newKey);
    // Closed before its file is replaced or removed, which some systems refuse for open files.
    store.reset();
    if (!written.Done())
        return written;
    return Attempt("UpdateDatabase", [&] {
        const QString staged = CompactionPath(newBackup);
        RemovingLeftoversOnFailure(temporary, [&] {
            const bool carried = StageBackup(oldBackup, oldKey, staged, newKey);
            RemovingLeftoversOnFailure(staged, [&] {
                placeStore();
                if (carried)
                    FileOperations::ReplaceFile(staged, newBackup);
            });
        });
    });
}

} // namespace

QString CompactionPath(const QString& storePath) {
    return storePath + ".compacting";
}

QString BackupPath(const QString& path) {
    return path.left(path.size() - 4) + ".bak";
}

Outcome CreateDatabase(const QString& path, const StoreKey& key) {
    const QString temporary = CompactionPath(path);
    std::optional<Engine::Connection> store;
    Outcome made = Attempt("CreateDatabase", [&] {
        DeleteLeftovers(temporary);
        FileOperations::CreatePrivateFile(temporary);
        store.emplace(temporary, key, Engine::Connection::Mode::CreateNew);
    });
    if (made.Done())
        made = Attempt("SetupDBTable", [&] { Catalogue::CreateTable(*store, DefaultTable); });
    if (made.Done())
        made = Attempt("CreateDatabase", [&] {
            store.reset();
            FileOperations::MoveWithoutReplacing(temporary, path); // [1] [4]
        });
    if (!made.Done()) {
        store.reset();
        try {
            DeleteLeftovers(temporary); // [5]
        } catch (const Failure&) {
            // Already told: whatever stopped the creation stops the clean-up too, and the
            // next creation or log-in removes the leftover.
        }
    }
    return made;
}

Outcome Compact(std::unique_ptr<Engine::Connection>& store, const QString& path,
                const StoreKey& key) {
    const QString temporary = CompactionPath(path);
    Outcome compacted = Attempt("CompactDatabase", [&] {
        ExportStore(*store, temporary, key);
        RemovingLeftoversOnFailure(temporary,
                                   [&] { FileOperations::ReplaceFile(temporary, path); }); // [1]
    });
    if (!compacted.Done())
        return compacted;
    // The connection still reads the file that was replaced; the store is now the copy.
    store.reset();
    compacted.Add(
        Attempt("SetupDatabase", [&] { store = std::make_unique<Engine::Connection>(path, key); }));
    return compacted;
}

Outcome RefreshBackupOf(const QString& store, const QString& path) {
    return Attempt("SetupDatabase", [&] { RefreshBackup(store, BackupPath(path)); });
}

Outcome UpdateDatabase(std::unique_ptr<Engine::Connection> store, const QString& oldPath,
                       const QString& storeFile, const StoreKey& oldKey, const QString& newPath,
                       const StoreKey& newKey) {
    // Names that differ in letter case alone are two names: bob becomes Bob.
    if (newPath == oldPath) {
        const QString temporary = CompactionPath(storeFile);
        return ChangeStore(std::move(store), oldKey, newKey, temporary, BackupPath(oldPath),
                           BackupPath(oldPath),
                           [&] { FileOperations::ReplaceFile(temporary, storeFile); }); // [1]
    }
    // A renamed store is written whole under the new key before the old name goes [3]; a file
    // in the way at the new name is refused, never overwritten [4]. A store behind a link
    // stays in the link's target folder: a link of the new name comes first, then the new key.
    const bool linked = storeFile != oldPath;
    const QString temporary = CompactionPath(linked ? storeFile : newPath);
    return ChangeStore(std::move(store), oldKey, newKey, temporary, BackupPath(oldPath),
                       BackupPath(newPath), [&] {
                           if (linked) {
                               FileOperations::CreateLink(storeFile, newPath);
                               RemovingLeftoversOnFailure(newPath, [&] {
                                   FileOperations::ReplaceFile(temporary, storeFile);
                               });
                           } else {
                               FileOperations::MoveWithoutReplacing(temporary, newPath);
                           }
                           FileOperations::DeleteFile(oldPath);
                       });
}

} // namespace StoreFiles
