#pragma once

#include "core/Session.h"
#include "gui/FlexGrid.h"

#include <QString>
#include <QStringListModel>
#include <QTemporaryDir>

#include <memory>

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

// A store logged in as the main window does it: the open store, its table names, the table
// shown and the grid.
struct LoggedIn {
    // Logs in with the password "bench"; false when the store did not open.
    bool Open(const QString& path);
    void Close();
    void Refill();

    std::unique_ptr<Session> session;
    QStringListModel tables;
    QString shown;
    FlexGrid grid;
};
