#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Keeps every other copy of the program away from a store while this one has it open or
// changes it: a lock file beside the store, private to its owner, released when this object
// goes. A crash leaves the file behind; the next copy finds its process gone and takes over.
class StoreLock {
  public:
    // Locks the store file (the file itself, not a link to it). When another running copy
    // holds it, tells the user that the account is open in another window and gives none.
    static std::unique_ptr<StoreLock> Take(const QString& store, const QString& account);

  private:
    explicit StoreLock(const QString& store);

    QLockFile file;
};
