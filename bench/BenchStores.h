#pragma once

#include "core/StoreKey.h"

#include <QString>
#include <QTemporaryDir>

// A private folder holding a store of the given shape, under the password "bench".
class BenchStore {
  public:
    BenchStore(int tables, int entries);
    QString Path() const { return folder.filePath("bench.mdb"); }
    QString Folder() const { return folder.path() + "/"; }
    static StoreKey Key();

  private:
    QTemporaryDir folder;
};
