// Store files of a chosen shape for the benchmarks, made once each.
#include "bench/BenchStores.h"

#include "core/StoreFiles.h"
#include "gui/PopulateFlexGrid.h"
#include "gui/StoreSetup.h"

#include "tests/support/CoreSupport.h"

BenchStore::BenchStore(int tables, int entries) {
    QList<TableContent> content = {{"Default", Entries(entries, "default")}};
    for (int table = 1; table < tables; ++table)
        content.append({"Table " + QString::number(table), Entries(entries, "entry")});
    MakeStore(Path(), Key(), content);
}

StoreKey BenchStore::Key() {
    return KeyOf("bench");
}

bool LoggedIn::Open(const QString& path, const StoreKey& key) {
    session = DBFunctions::OpenSession(path, key);
    if (session)
        DBFunctions::SetupDatabase(*session, tables, grid);
    return bool(session);
}

void LoggedIn::Close() {
    DBFunctions::CloseDatabase(session, tables, grid);
}

void LoggedIn::Refill() {
    Routines::RefillGrid(*session, grid);
}
