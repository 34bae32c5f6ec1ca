#pragma once

#include "core/Outcome.h"

#include <QLockFile>
#include <QString>

#include <memory>

// Keeps every other copy of the program away from a store while this one has it open or
// changes it: a lock file beside the store, private to its owner from its creation, released
// when this object goes. A crash leaves the file behind, possibly empty; the next copy finds
// no live holder and takes over.
class StoreLock {
  public:
    // Locks the store file (the file itself, not a link to it). Refused when another running
    // copy holds it (the account is open in another window) or when something other than a
    // file is at the lock's path (the account cannot be opened).
    static Result<std::unique_ptr<StoreLock>> Take(const QString& store, const QString& account);

    // "The account "name" is open in another window."
    static QString OpenElsewhere(const QString& account);

    static QString LockPath(const QString& store);

  private:
    explicit StoreLock(const QString& store);
    bool TryLock();

    QLockFile file;
};
