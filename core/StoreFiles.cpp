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
// What a crash at any step keeps:
//   - a store is whole under the old key and name or under the new ones, never half-written:
//     every copy is synced before its rename, and every rename and delete is followed by a
//     sync of its folder;
//   - the backup, when there is one, opens with the store's current key;
//   - a name is never left holding a store that cannot be logged in to.
#include "core/StoreFiles.h"

#include "core/Environment.h"
#include "core/ErrorTrap.h"
#include "core/FileOperations.h"
#include "core/MessageBoxes.h"
#include "core/StoreLock.h"
#include "core/TableCatalogue.h"

#include <QFileInfo>

#include <functional>
#include <optional>

namespace {

const QString JournalSuffix = QStringLiteral("-journal");

void DeleteLeftovers(const QString& temporary) {
    FileOperations::DeleteIfPresent(temporary);
    FileOperations::DeleteIfPresent(temporary + JournalSuffix);
}

// Runs a step that fills or places a temporary file; when the step fails, no part of the
// file stays behind.
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

// The open store's file is replaced by its whole copy under the new key, or not at all.
void CompactInPlace(const Engine::Connection& store, const QString& path, const QString& temporary,
                    const StoreKey& newKey) {
    ExportStore(store, temporary, newKey);
    RemovingLeftoversOnFailure(temporary, [&] { FileOperations::ReplaceFile(temporary, path); });
}

QString AccountOf(const QString& path) {
    return QFileInfo(path).completeBaseName();
}

QString BackupPath(const QString& path) {
    return path.left(path.size() - 4) + ".bak";
}

} // namespace

namespace Routines {

QString CompactionPath(const QString& storePath) {
    return storePath + ".compacting";
}

bool CreateDatabase(const QString& path, const StoreKey& key) {
    const QString temporary = CompactionPath(path);
    std::optional<Engine::Connection> store;
    const bool made = Trap("CreateDatabase",
                           [&] {
                               DeleteLeftovers(temporary);
                               FileOperations::CreatePrivateFile(temporary);
                               store.emplace(temporary, key, Engine::Connection::Mode::CreateNew);
                           }) &&
                      SetupDBTable(*store, DefaultTable) && Trap("CreateDatabase", [&] {
                          store.reset();
                          FileOperations::MoveWithoutReplacing(temporary, path);
                      });
    if (!made) {
        store.reset();
        try {
            DeleteLeftovers(temporary);
        } catch (const Failure&) {
            // Already reported: whatever stopped the creation stops the clean-up too, and the
            // next creation or log-in removes the leftover.
        }
    }
    return made;
}

} // namespace Routines

namespace DBFunctions {
namespace {

// A backup older than yesterday, or a link in its place, is replaced by a copy of the store.
void RefreshBackup(const QString& store, const QString& backupPath) {
    const QString temporary = Routines::CompactionPath(backupPath);
    FileOperations::DeleteIfPresent(temporary);
    if (FileOperations::FileExists(backupPath) && !FileOperations::IsSymbolicLink(backupPath) &&
        FileOperations::LastModifiedDate(backupPath).daysTo(Environment::Today()) <= 1)
        return;
    RemovingLeftoversOnFailure(temporary, [&] {
        FileOperations::CopyFile(store, temporary);
        FileOperations::ReplaceFile(temporary, backupPath);
    });
}

// The store is the file a link at the path leads to: it is compacted in its own folder, so
// the link stays a link. The backup stays beside the path. Nothing is written for a store
// that does not open or breaks the shape rule, and a backup is refreshed only from a store
// that was compacted, so a store that cannot be read whole never replaces its backup.
std::unique_ptr<Session> OpenExistingStore(const QString& path, const QString& store,
                                           const StoreKey& key, std::unique_ptr<StoreLock> lock) {
    std::optional<Engine::Connection> source;
    if (!Trap("CompactDatabase", [&] { source.emplace(store, key); }) || !ValidateDatabase(*source))
        return nullptr;
    const bool compacted = Trap("CompactDatabase", [&] {
        CompactInPlace(*source, store, Routines::CompactionPath(store), key);
    });
    source.reset();
    if (compacted)
        Trap("SetupDatabase", [&] { RefreshBackup(store, BackupPath(path)); });
    return std::make_unique<Session>(store, key, std::move(lock));
}

// The store's whole copy under the new key at the temporary; false, after telling the user,
// when it could not be written.
bool WriteUnderNewKey(const QString& store, const StoreKey& oldKey, const QString& temporary,
                      const StoreKey& newKey) {
    if (Trap("CompactDatabase",
             [&] { ExportStore(Engine::Connection(store, oldKey), temporary, newKey); }))
        return true;
    MessageBoxes::Show("Unable to change password!", MessageBoxes::Icon::Critical);
    return false;
}

// The backup's older content under the new key, with its age, at the staged path; the old
// backup then goes, before the store takes the new key. False when there is no backup that
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
// step the backup opens with the store's current key, or there is none until the next log-in.
void ChangeStore(const QString& store, const StoreKey& oldKey, const StoreKey& newKey,
                 const QString& temporary, const QString& oldBackup, const QString& newBackup,
                 const std::function<void()>& placeStore) {
    if (!WriteUnderNewKey(store, oldKey, temporary, newKey))
        return;
    const QString staged = Routines::CompactionPath(newBackup);
    RemovingLeftoversOnFailure(temporary, [&] {
        const bool carried = StageBackup(oldBackup, oldKey, staged, newKey);
        RemovingLeftoversOnFailure(staged, [&] {
            placeStore();
            if (carried)
                FileOperations::ReplaceFile(staged, newBackup);
        });
    });
}

void RekeyStore(const QString& path, const QString& store, const StoreKey& oldKey,
                const StoreKey& newKey) {
    const QString temporary = Routines::CompactionPath(store);
    ChangeStore(store, oldKey, newKey, temporary, BackupPath(path), BackupPath(path),
                [&] { FileOperations::ReplaceFile(temporary, store); });
}

// A renamed store is written whole under the new key before the old name goes; a file in the
// way at the new name is refused, never overwritten. A store behind a link stays in the
// link's target folder: a link of the new name comes first, then the new key.
void RenameStore(const QString& oldPath, const QString& store, const StoreKey& oldKey,
                 const QString& newPath, const StoreKey& newKey) {
    const bool linked = store != oldPath;
    const QString temporary = Routines::CompactionPath(linked ? store : newPath);
    ChangeStore(store, oldKey, newKey, temporary, BackupPath(oldPath), BackupPath(newPath), [&] {
        if (linked) {
            FileOperations::CreateLink(store, newPath);
            RemovingLeftoversOnFailure(newPath,
                                       [&] { FileOperations::ReplaceFile(temporary, store); });
        } else {
            FileOperations::MoveWithoutReplacing(temporary, newPath);
        }
        FileOperations::DeleteFile(oldPath);
    });
}

} // namespace

std::unique_ptr<Session> OpenSession(const QString& path, const StoreKey& key) {
    std::unique_ptr<Session> session;
    Trap("SetupDatabase", [&] {
        const QString store = FileOperations::ResolveLink(path);
        auto lock = StoreLock::Take(store, AccountOf(path));
        if (!lock)
            return;
        if (!FileOperations::FileExists(store))
            session = Routines::CreateDatabase(store, key)
                          ? std::make_unique<Session>(store, key, std::move(lock))
                          : nullptr;
        else
            session = OpenExistingStore(path, store, key, std::move(lock));
    });
    return session;
}

std::unique_ptr<Session> OpenWithoutWriting(const QString& path, const StoreKey& key) {
    std::unique_ptr<Session> session;
    Trap("SetupDatabase", [&] {
        const QString store = FileOperations::ResolveLink(path);
        if (auto lock = StoreLock::Take(store, AccountOf(path)))
            session = std::make_unique<Session>(store, key, std::move(lock));
    });
    if (session && !ValidateDatabase(session->Connection()))
        session.reset();
    return session;
}

bool OpensWith(const QString& path, const StoreKey& key) {
    const QString store = FileOperations::ResolveLink(path);
    if (!FileOperations::FileExists(store) ||
        !FileOperations::IsRegularOrAbsent(StoreLock::LockPath(store)) ||
        !FileOperations::IsRegularOrAbsent(BackupPath(path)))
        return false;
    try {
        const Engine::Connection probe(store, key);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

bool OpenInAnotherWindow(const QString& path) {
    return !StoreLock::Take(FileOperations::ResolveLink(path), AccountOf(path));
}

void UpdateDatabase(const QString& oldBasePath, const StoreKey& oldKey, const QString& newBasePath,
                    const StoreKey& newKey) {
    Trap("UpdateDatabase", [&] {
        const QString oldPath = oldBasePath + ".mdb";
        const QString store = FileOperations::ResolveLink(oldPath);
        const auto lock = StoreLock::Take(store, AccountOf(oldPath));
        if (!lock)
            return;
        // Names that differ in letter case alone are two names: bob becomes Bob.
        if (newBasePath == oldBasePath)
            RekeyStore(oldPath, store, oldKey, newKey);
        else
            RenameStore(oldPath, store, oldKey, newBasePath + ".mdb", newKey);
    });
}

bool ValidateDatabase(const Engine::Connection& store) {
    bool valid = false;
    Trap("ValidateDatabase", [&] {
        bool found = false;
        for (const QString& name : store.UserTables()) {
            if (name == DefaultTable)
                found = true;
            if (Catalogue::ColumnNames(store, name) != Catalogue::Layout)
                return;
        }
        valid = found;
    });
    return valid;
}

} // namespace DBFunctions
