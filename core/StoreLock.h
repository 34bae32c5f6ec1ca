#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Keeps every other copy of the program away from a store while this one has it open or
// changes it: a lock file beside the store, private to its owner from its creation, released
// when this object goes. A crash leaves the file behind, possibly empty; the next copy finds
// no live holder and takes over.
class StoreLock {
  public:
    // Locks the store file (the file itself, not a link to it). When another running copy
    // holds it, tells the user that the account is open in another window and gives none;
    // when something other than a file is at the lock's path, tells the user that the account
    // cannot be opened and gives none.
    static std::unique_ptr<StoreLock> Take(const QString& store, const QString& account);

    static QString LockPath(const QString& store);

  private:
    explicit StoreLock(const QString& store);
    bool TryLock();

    QLockFile file;
};
