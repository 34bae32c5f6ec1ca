// Store files as files: creation, compaction, the backup, validation and re-keying.
#include "core/StoreFiles.h"

#include "core/Environment.h"
#include "core/ErrorTrap.h"
#include "core/FileOperations.h"
#include "core/MessageBoxes.h"
#include "core/StoreLock.h"
#include "core/TableCatalogue.h"

#include <QFileInfo>

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
void ExportStore(const Engine::Connection& store, const QString& temporary, const QString& newKey) {
    DeleteLeftovers(temporary);
    RemovingLeftoversOnFailure(temporary, [&] {
        FileOperations::CreatePrivateFile(temporary);
        store.Execute("ATTACH DATABASE ? AS compacted KEY ?;", {temporary, newKey});
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
                    const QString& newKey) {
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

bool CreateDatabase(const QString& path, const QString& key) {
    return Trap("CreateDatabase", [&] {
        FileOperations::CreatePrivateFile(path);
        try {
            const Engine::Connection store(path, key, Engine::Connection::Mode::CreateNew);
            // Writes the first page, so the new file is an encrypted store from the start.
            store.Execute("PRAGMA user_version = 0;");
        } catch (const Failure&) {
            FileOperations::DeleteIfPresent(path);
            throw;
        }
    });
}

QString CompactionPath(const QString& storePath) {
    return storePath + ".compacting";
}

bool CompactDatabase(const QString& source, const QString& temporary, const QString& oldKey,
                     const QString& newKey) {
    return Trap("CompactDatabase", [&] {
        CompactInPlace(Engine::Connection(source, oldKey), source, temporary, newKey);
    });
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

// Nothing is written for a store that does not open or breaks the shape rule: it is neither
// compacted nor backed up, and its folder stays as it was.
bool CompactValidStore(const QString& store, const QString& key) {
    std::optional<Engine::Connection> source;
    if (!Trap("CompactDatabase", [&] { source.emplace(store, key); }) || !ValidateDatabase(*source))
        return false;
    return Trap("CompactDatabase",
                [&] { CompactInPlace(*source, store, Routines::CompactionPath(store), key); });
}

std::unique_ptr<Session> OpenNewStore(const QString& path, const QString& key,
                                      std::unique_ptr<StoreLock> lock) {
    if (!Routines::CreateDatabase(path, key))
        return nullptr;
    const auto discardStore = [&] {
        Trap("SetupDatabase", [&] { FileOperations::DeleteIfPresent(path); });
        return nullptr;
    };
    if (!Routines::CompactDatabase(path, Routines::CompactionPath(path), key, key))
        return discardStore();
    auto session = std::make_unique<Session>(path, key, std::move(lock));
    if (!Routines::SetupDBTable(session->Connection(), DefaultTable)) {
        session.reset();
        return discardStore();
    }
    return session;
}

// The store is the file a link at the path leads to: it is compacted in its own folder, so
// the link stays a link. The backup stays beside the path.
std::unique_ptr<Session> OpenExistingStore(const QString& path, const QString& store,
                                           const QString& key, std::unique_ptr<StoreLock> lock) {
    if (!CompactValidStore(store, key))
        return nullptr;
    RefreshBackup(store, BackupPath(path));
    return std::make_unique<Session>(store, key, std::move(lock));
}

// After a change of key the backup keeps its older content and its age but takes the new key,
// and on a rename the new name's place, so the old password opens nothing. A backup that the
// old key does not open is left as it is.
void MoveBackupToKey(const QString& oldBackup, const QString& oldKey, const QString& newBackup,
                     const QString& newKey) {
    if (!FileOperations::FileExists(oldBackup))
        return;
    std::optional<Engine::Connection> backup;
    try {
        backup.emplace(oldBackup, oldKey);
    } catch (const Failure&) {
        return;
    }
    const QString temporary = Routines::CompactionPath(newBackup);
    ExportStore(*backup, temporary, newKey);
    backup.reset();
    RemovingLeftoversOnFailure(temporary, [&] {
        FileOperations::CopyModifiedTime(oldBackup, temporary);
        FileOperations::ReplaceFile(temporary, newBackup);
    });
    if (newBackup != oldBackup)
        FileOperations::DeleteFile(oldBackup);
}

} // namespace

std::unique_ptr<Session> OpenSession(const QString& path, const QString& key) {
    std::unique_ptr<Session> session;
    Trap("SetupDatabase", [&] {
        const QString store = FileOperations::ResolveLink(path);
        auto lock = StoreLock::Take(store, AccountOf(path));
        if (!lock)
            return;
        session = FileOperations::FileExists(store)
                      ? OpenExistingStore(path, store, key, std::move(lock))
                      : OpenNewStore(store, key, std::move(lock));
    });
    return session;
}

bool OpenInAnotherWindow(const QString& path) {
    return !StoreLock::Take(FileOperations::ResolveLink(path), AccountOf(path));
}

void UpdateDatabase(const QString& oldBasePath, const QString& oldKey, const QString& newBasePath,
                    const QString& newKey) {
    Trap("UpdateDatabase", [&] {
        const QString oldPath = oldBasePath + ".mdb";
        const QString newPath = newBasePath + ".mdb";
        const QString store = FileOperations::ResolveLink(oldPath);
        const bool renaming = newBasePath != oldBasePath;
        const auto lock = StoreLock::Take(store, AccountOf(oldPath));
        if (!lock)
            return;
        // A renamed store is written whole under the new key before the old name goes; a file
        // in the way at the new name is refused, never overwritten. A store behind a link stays
        // in the link's target folder: a link of the new name comes first, then the new key.
        const bool linked = store != oldPath;
        const QString temporary = Routines::CompactionPath(renaming && !linked ? newPath : store);
        const bool written =
            renaming
                ? Trap("CompactDatabase",
                       [&] { ExportStore(Engine::Connection(store, oldKey), temporary, newKey); })
                : Routines::CompactDatabase(store, temporary, oldKey, newKey);
        if (!written) {
            MessageBoxes::Show("Unable to change password!", MessageBoxes::Icon::Critical);
            return;
        }
        if (renaming) {
            RemovingLeftoversOnFailure(temporary, [&] {
                if (!linked)
                    return FileOperations::MoveWithoutReplacing(temporary, newPath);
                FileOperations::CreateLink(store, newPath);
                RemovingLeftoversOnFailure(newPath,
                                           [&] { FileOperations::ReplaceFile(temporary, store); });
            });
            FileOperations::DeleteFile(oldPath);
        }
        MoveBackupToKey(BackupPath(oldPath), oldKey, BackupPath(newPath), newKey);
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
