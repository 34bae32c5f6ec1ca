// One copy of the program per store: the lock file beside it.
#include "core/StoreLock.h"

#include "core/MessageBoxes.h"

#include <QFile>

namespace {

QString LockPath(const QString& store) {
    return store + ".lock";
}

} // namespace

StoreLock::StoreLock(const QString& store) : file(LockPath(store)) {
    // Only a running copy holds a store, however long: a lock is stale when its process is
    // gone, never for its age, also where the file system has no native locks to tell.
    file.setStaleLockTime(0);
}

std::unique_ptr<StoreLock> StoreLock::Take(const QString& store, const QString& account) {
    std::unique_ptr<StoreLock> lock(new StoreLock(store));
    if (lock->file.tryLock(0)) {
        QFile::setPermissions(LockPath(store), QFile::ReadOwner | QFile::WriteOwner);
        return lock;
    }
    if (lock->file.error() == QLockFile::LockFailedError) {
        MessageBoxes::Show("The account \"" + account + "\" is open in another window.",
                           MessageBoxes::Icon::Information);
        return nullptr;
    }
    // A lock file that cannot be made (a read-only folder, a full disk) does not stop the
    // attempt: the store's own next write meets the same fault and reports it.
    return lock;
}
