// One copy of the program per store: the lock file beside it.
#include "core/StoreLock.h"

#include "core/AccountName.h"
#include "core/FileOperations.h"

#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

QString StoreLock::LockPath(const QString& store) {
    return store + ".lock";
}

StoreLock::StoreLock(const QString& store) : file(LockPath(store)) {
    // Only a running copy holds a store, however long: a lock is stale when its process is
    // gone, never for its age, also where the file system has no native locks to tell.
    file.setStaleLockTime(0);
}

// The lock file is made private from the start: no moment exists at which others could read
// it or put their own in its place.
bool StoreLock::TryLock() {
#ifndef Q_OS_WIN
    const mode_t previous = ::umask(077);
    const bool locked = file.tryLock(0);
    ::umask(previous);
    return locked;
#else
    return file.tryLock(0);
#endif
}

QString StoreLock::OpenElsewhere(const QString& account) {
    return "The account \"" + account + "\" is open in another window.";
}

Result<std::unique_ptr<StoreLock>> StoreLock::Take(const QString& store, const QString& account) {
    std::unique_ptr<StoreLock> lock(new StoreLock(store));
    // Reading a FIFO or a device in the lock's place would wait for ever.
    if (!FileOperations::IsRegularOrAbsent(LockPath(store)))
        return Notice{Notice::Kind::Input, AccountName::CouldNotOpen};
    bool locked = lock->TryLock();
    // A copy killed between creating the file and writing its name into it leaves it empty:
    // a file that names no holder is taken over. Removing it fails while a live copy holds
    // the file's native lock.
    const QFileInfo found(LockPath(store));
    if (!locked && lock->file.error() == QLockFile::LockFailedError &&
        (found.size() == 0 || !found.isReadable()) && lock->file.removeStaleLockFile())
        locked = lock->TryLock();
    if (locked || lock->file.error() != QLockFile::LockFailedError)
        // A lock file that cannot be made (a read-only folder, a full disk) does not stop the
        // attempt: the store's own next write meets the same fault and reports it.
        return lock;
    return Notice{Notice::Kind::Input, OpenElsewhere(account)};
}
