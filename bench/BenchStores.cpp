// Store files of a chosen shape for the benchmarks, made once each.
#include "bench/BenchStores.h"

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
