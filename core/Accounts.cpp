// The one log-in, creation and change of an account, shared by the windows and the terminal.
#include "core/Accounts.h"

#include "core/AccountName.h"
#include "core/FileOperations.h"
#include "core/StoreFiles.h"
#include "core/StoreFolder.h"
#include "core/StoreLock.h"
#include "core/TableCatalogue.h"

namespace Accounts {
namespace {

Notice Refused(const QString& text) {
    return {Notice::Kind::Input, text};
}

// A store opened for a log-in or a change, with its lock and the file a link at its path
// leads to.
struct LockedStore {
    std::unique_ptr<StoreLock> lock;
    std::unique_ptr<Engine::Connection> connection;
    QString file;
    StoreKey key;
};

// The password's key, or why it could not be derived (out of memory).
Result<StoreKey> KeyFor(const QString& password) {
    return AttemptValue("DeriveStoreKey", [&] { return StoreKey::DeriveStoreKey(password); });
}

// Locks the store at the path and opens it with the password's key. The lock comes first:
// once it is held no other copy of the program writes the store, so a failure to open it is
// the password's or the file's. The key is stretched for the file when `stretched`, so it
// serves the check, the compaction and the session alike without stretching again.
Result<LockedStore> LockAndOpen(const QString& name, const QString& path,
                                const StoreKey& passwordKey, bool stretched) {
    const Notice couldNotOpen = Refused(AccountName::CouldNotOpen);
    if (!AccountName::IsLiteralFileName(name))
        return couldNotOpen;
    const QString file = FileOperations::ResolveLink(path);
    // A folder, a FIFO or a device where a file belongs is never opened or waited on.
    if (!FileOperations::FileExists(file) ||
        !FileOperations::IsRegularOrAbsent(StoreFiles::BackupPath(path)))
        return couldNotOpen;
    auto lock = StoreLock::Take(file, name);
    if (!lock.Done())
        return Result<LockedStore>(lock);
    const Result<StoreKey> key = AttemptValue(
        "DeriveStoreKey", [&] { return stretched ? passwordKey.ForFile(file) : passwordKey; });
    if (!key.Done())
        return Result<LockedStore>(key);
    try {
        return LockedStore{std::move(*lock), std::make_unique<Engine::Connection>(file, *key), file,
                           *key};
    } catch (const Failure& failure) {
        if (Engine::IsBusy(failure))
            return Refused("The account \"" + name +
                           "\" is busy: another program is writing to it. Please try again.");
        return couldNotOpen;
    }
}

// The shape check: a store that breaks it is refused before anything is written into it.
Outcome CheckSchema(const Engine::Connection& store, const QString& name) {
    const auto valid =
        AttemptValue("ValidateDatabase", [&] { return Catalogue::HasEntrySchema(store); });
    if (valid.Done() && !*valid)
        return Notice{Notice::Kind::Silent,
                      "The store \"" + name +
                          "\" has a table that does not have the five columns of an entry, or "
                          "no table \"Default\"."};
    return valid;
}

} // namespace

QString StorePath(const QString& folder, const QString& name) {
    return folder + name + ".mdb";
}

Result<std::unique_ptr<Session>> LogIn(const QString& name, const QString& folder,
                                       const QString& password, Upkeep upkeep) {
    const Result<StoreKey> key = KeyFor(password);
    if (!key.Done())
        return Result<std::unique_ptr<Session>>(key);
    return LogIn(name, folder, *key, upkeep);
}

Result<std::unique_ptr<Session>> LogIn(const QString& name, const QString& folder,
                                       const StoreKey& passwordKey, Upkeep upkeep) {
    const QString path = StorePath(folder, name);
    Result<LockedStore> store = LockAndOpen(name, path, passwordKey, true);
    if (!store.Done())
        return Result<std::unique_ptr<Session>>(store);
    if (Outcome shape = CheckSchema(*store->connection, name); !shape.Done())
        return Result<std::unique_ptr<Session>>(shape);
    Outcome housekeeping;
    // A backup is refreshed only from a store that was just read whole by its compaction.
    if (upkeep == Upkeep::CompactAndBackUp &&
        (housekeeping = StoreFiles::Compact(store->connection, store->file, store->key)).Done())
        housekeeping.Add(StoreFiles::RefreshBackupOf(store->file, path));
    if (!store->connection)
        return Result<std::unique_ptr<Session>>(housekeeping);
    Result<std::unique_ptr<Session>> opened =
        std::make_unique<Session>(std::move(store->lock), std::move(store->connection));
    for (const Notice& notice : housekeeping.Notices())
        opened.Tell(notice);
    return opened;
}

Result<StoreKey> CheckNewAccount(const QString& name, const QString& password,
                                 const QString& confirmation, bool passwordRequired) {
    if (const QString refusal =
            AccountName::NewAccountRefusal(name, password, confirmation, passwordRequired);
        !refusal.isEmpty())
        return Refused(refusal);
    Result<StoreKey> key = KeyFor(password);
    if (key.Done() && key->Length() > StoreKey::KeyLength)
        return Refused(ShorterPassword);
    return key;
}

Result<std::unique_ptr<Session>> Create(const QString& name, const QString& folder,
                                        const StoreKey& key) {
    const QString path = StorePath(folder, name);
    const QString file = FileOperations::ResolveLink(path);
    auto lock = StoreLock::Take(file, name);
    if (!lock.Done())
        return Result<std::unique_ptr<Session>>(lock);
    if (FileOperations::FileExists(path))
        return Refused(NameInUse);
    if (const QString refusal = StoreFolder::CreationRefusal(path); !refusal.isEmpty())
        return Refused(refusal);
    if (Outcome made = StoreFiles::CreateDatabase(file, key); !made.Done())
        return Result<std::unique_ptr<Session>>(made);
    return AttemptValue("SetupDatabase", [&] {
        return std::make_unique<Session>(std::move(*lock),
                                         std::make_unique<Engine::Connection>(file, key));
    });
}

Outcome Change(const QString& folder, const QString& oldName, const QString& oldPassword,
               const QString& newName, const StoreKey& newKey) {
    const Result<StoreKey> oldKey = KeyFor(oldPassword);
    if (!oldKey.Done())
        return oldKey;
    return Change(folder, oldName, *oldKey, newName, newKey);
}

Outcome Change(const QString& folder, const QString& oldName, const StoreKey& oldPasswordKey,
               const QString& newName, const StoreKey& newKey) {
    const QString oldPath = StorePath(folder, oldName);
    // The backup carried to the new key is opened with the password's own key, since it
    // may have another salt than the store.
    Result<LockedStore> store = LockAndOpen(oldName, oldPath, oldPasswordKey, false);
    if (!store.Done())
        return store;
    const QString newPath = StorePath(folder, newName);
    if (newName != oldName && FileOperations::FileExists(newPath))
        return Refused(NameInUse);
    return StoreFiles::UpdateDatabase(std::move(store->connection), oldPath, store->file,
                                      store->key, newPath, newKey);
}

} // namespace Accounts
