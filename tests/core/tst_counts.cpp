// What a log-in and a Delete cost, counted: a change in the number of key derivations, syncs
// or statements is a change in their cost and must be made on purpose.
#include "core/EntryOperations.h"
#include "core/StoreFiles.h"
#include "counters/Counters.h"
#include "tests/support/CoreSupport.h"

class CountsTest : public QObject, CoreFixture {
    Q_OBJECT

  private slots:
    void init() { Start(); }
    void cleanup() { Finish(); }

    // The first log-in to a store of 10 tables (the key stretched for the store's salt, the
    // store opened and its backup made), then a Delete of row 1 of 10 entries.
    void logInAndDelete() {
        const QString path = folder->File("count.mdb");
        QList<TableContent> tables = {{"Default", Entries(10)}};
        for (int table = 1; table < 10; ++table)
            tables.append({"Table " + QString::number(table), Entries(99)});
        MakeStore(path, KeyOf("pw"), tables);
        const Counters::Counts start = Counters::Now();
        const auto session = DBFunctions::OpenSession(path, KeyOf("pw").ForFile(path));
        QVERIFY(session);
        const Counters::Counts loggedIn = Counters::Now();
        QCOMPARE(loggedIn.keyDerivations - start.keyDerivations, 1);
        QCOMPARE(loggedIn.syncs - start.syncs, 9);
        QVERIFY(DBFunctions::DeleteRecord(*session, 1));
        QCOMPARE(Counters::Now().statements - loggedIn.statements, 13);
    }
};

QTEST_GUILESS_MAIN(CountsTest)
#include "tst_counts.moc"
