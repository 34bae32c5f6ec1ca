// Store files as files: creation, compaction, the backup, validation and re-keying.
#include "core/StoreFiles.h"

#include "core/Environment.h"
#include "core/ErrorTrap.h"
#include "core/FileOperations.h"
#include "core/MessageBoxes.h"
#include "core/TableCatalogue.h"

namespace Routines {
namespace {

const QString JournalSuffix = QStringLiteral("-journal");

void DeleteCompactionLeftovers(const QString& temporary) {
    FileOperations::DeleteIfPresent(temporary);
    FileOperations::DeleteIfPresent(temporary + JournalSuffix);
}

} // namespace

bool CreateDatabase(const QString& path, const QString& key) {
    return Trap("CreateDatabase", [&] {
        FileOperations::CreatePrivateFile(path);
        try {
            const Engine::Connection store(path, key);
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
        DeleteCompactionLeftovers(temporary);
        try {
            {
                const Engine::Connection store(source, oldKey);
                FileOperations::CreatePrivateFile(temporary);
                store.Execute("ATTACH DATABASE ? AS compacted KEY ?;", {temporary, newKey});
                store.Execute("SELECT sqlcipher_export('compacted');");
                store.Execute("DETACH DATABASE compacted;");
            }
            FileOperations::ReplaceFile(temporary, source);
        } catch (const Failure&) {
            DeleteCompactionLeftovers(temporary);
            throw;
        }
    });
}

} // namespace Routines

namespace DBFunctions {
namespace {

// A backup older than yesterday is replaced by a copy of the freshly compacted store.
void RefreshBackup(const QString& path, const QString& backupPath) {
    if (!FileOperations::FileExists(backupPath)) {
        FileOperations::CopyFile(path, backupPath);
    } else if (FileOperations::LastModifiedDate(backupPath).daysTo(Environment::Today()) > 1) {
        FileOperations::DeleteFile(backupPath);
        FileOperations::CopyFile(path, backupPath);
    }
}

std::unique_ptr<Session> OpenNewStore(const QString& path, const QString& key) {
    if (!Routines::CreateDatabase(path, key))
        return nullptr;
    const auto discardStore = [&] {
        Trap("SetupDatabase", [&] { FileOperations::DeleteIfPresent(path); });
        return nullptr;
    };
    if (!Routines::CompactDatabase(path, Routines::CompactionPath(path), key, key))
        return discardStore();
    auto session = std::make_unique<Session>(path, key);
    if (!Routines::SetupDBTable(session->Connection(), DefaultTable)) {
        session.reset();
        return discardStore();
    }
    return session;
}

std::unique_ptr<Session> OpenExistingStore(const QString& path, const QString& key) {
    const QString backupPath = path.left(path.size() - 4) + ".bak";
    if (!Routines::CompactDatabase(path, Routines::CompactionPath(path), key, key))
        return nullptr;
    RefreshBackup(path, backupPath);
    auto session = std::make_unique<Session>(path, key);
    if (!ValidateDatabase(session->Connection()))
        return nullptr;
    return session;
}

} // namespace

std::unique_ptr<Session> OpenSession(const QString& path, const QString& key) {
    std::unique_ptr<Session> session;
    Trap("SetupDatabase", [&] {
        session = FileOperations::FileExists(path) ? OpenExistingStore(path, key)
                                                   : OpenNewStore(path, key);
    });
    return session;
}

void UpdateDatabase(const QString& oldBasePath, const QString& oldKey, const QString& newBasePath,
                    const QString& newKey) {
    Trap("UpdateDatabase", [&] {
        const QString oldPath = oldBasePath + ".mdb";
        if (!Routines::CompactDatabase(oldPath, Routines::CompactionPath(oldPath), oldKey,
                                       newKey)) {
            MessageBoxes::Show("Unable to change password!", MessageBoxes::Icon::Critical);
            return;
        }
        if (newBasePath != oldBasePath) {
            FileOperations::CopyFile(oldPath, newBasePath + ".mdb");
            FileOperations::DeleteFile(oldPath);
        }
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
