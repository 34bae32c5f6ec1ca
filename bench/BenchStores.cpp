// Store files of a chosen shape for the benchmarks, made once each.
#include "bench/BenchStores.h"

#include "core/Accounts.h"
#include "core/TableCommands.h"
#include "gui/EntryGrid.h"

#include <QFileInfo>

#include "tests/support/CoreSupport.h"

BenchStore::BenchStore(int tables, int entries) {
    QList<TableContent> content = {{"Default", SampleEntries(entries, "default")}};
    for (int table = 1; table < tables; ++table)
        content.append({"Table " + QString::number(table), SampleEntries(entries, "entry")});
    MakeStore(Path(), Key(), content);
}

StoreKey BenchStore::Key() {
    return KeyOf("bench");
}

bool LoggedIn::Open(const QString& path) {
    const QFileInfo file(path);
    auto opened = Accounts::LogIn(file.completeBaseName(), file.path() + '/', "bench",
                                  Accounts::Upkeep::CompactAndBackUp);
    if (!opened.Done())
        return false;
    session = std::move(*opened);
    tables.setStringList(*Tables::List(*session));
    shown = DefaultTable;
    EntryGrid::PopulateFlexGrid(shown, grid, session->Connection(), 0, 0);
    return true;
}

void LoggedIn::Close() {
    session.reset();
    tables.setStringList({});
    EntryGrid::ClearEntries(grid);
}

void LoggedIn::Refill() {
    EntryGrid::PopulateFlexGrid(shown, grid, session->Connection(), qint16(grid.Row()),
                                qint16(grid.Col()));
}
