// The entry grid filled from real store files.
#include "app/frmKetterby.h"
#include "entries/FlexGrid.h"
#include "entries/PopulateFlexGrid.h"
#include "store/StoreFiles.h"
#include "store/StoreState.h"
#include "tests/TestSupport.h"

#include <QTest>

namespace {} // namespace

class EntriesTest : public QObject, protected Fixture {
    Q_OBJECT

    FlexGrid& Grid() { return *window->msgMSFlexGrid; }

    // Logs in to a store holding these tables; the grid then shows "Default".
    void Open(const QList<TableContent>& tables) {
        const QString store = folder->File("grid.mdb");
        MakeStore(store, KeyOf("pw"), tables);
        QVERIFY(DBFunctions::SetupDatabase(store, KeyOf("pw")));
    }

    bool Fill(const QString& table, int row = 0, int col = 0) {
        return Routines::PopulateFlexGrid(table, &Grid(), Store::StoreConnection.get(), qint16(row),
                                          qint16(col));
    }

  private slots:
    void init() { Start(); }

    void cleanup() { Finish(); }

    void emptyTableShowsHeadersAndSeventeenBlankRows() {
        Open({{"Default", {}}});
        QCOMPARE(Grid().Rows(), 18);
        QCOMPARE(Grid().Cols(), 5);
        const QStringList headers = {"", "Date", "Description", "User ID", "Password"};
        for (int col = 0; col < 5; ++col)
            QCOMPARE(Grid().TextMatrix(0, col), headers[col]);
        QCOMPARE(GridRows(*window), QStringList(17, "||||"));
        QCOMPARE(Grid().Row(), 0);
        QCOMPARE(Grid().Col(), 0);
        QCOMPARE(Grid().editTriggers(), QAbstractItemView::NoEditTriggers);
    }

    void rowCountFollowsTheEntries_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("rows");
        QTest::newRow("17 entries fill the grid") << 17 << 18;
        QTest::newRow("18 entries add a row") << 18 << 19;
        QTest::newRow("99 entries") << 99 << 100;
    }

    void rowCountFollowsTheEntries() {
        QFETCH(int, entries);
        QFETCH(int, rows);
        Open({{"Default", Entries(entries)}});
        QCOMPARE(Grid().Rows(), rows);
        QCOMPARE(GridRows(*window).constLast(),
                 QString("%1|1/2/26|entry %1|user|pw%1").arg(entries));
    }

    // Rows come in ID order whatever the insertion order; nulls are blank, the ID is hidden.
    void rowsShowStoredValuesInIdOrder() {
        Open({{"Default", {}}});
        const Engine::Connection& store = *Store::StoreConnection;
        store.Execute("INSERT INTO [Default] VALUES ('d2', 'second', NULL, 'p''2', 2);");
        store.Execute("INSERT INTO [Default] VALUES (NULL, 'first', 'me', 'p\"1', 1);");
        QVERIFY(Fill("Default"));
        QCOMPARE(GridRows(*window).mid(0, 3),
                 (QStringList{"1||first|me|p\"1", "2|d2|second||p'2", "||||"}));
    }

    void aCellOutsideTheGridIsNotApplied() {
        Open({{"Default", Entries(3)}, {"Long", Entries(30)}});
        QVERIFY(Fill("Long", 25, 2));
        QCOMPARE(Grid().Row(), 25);
        QCOMPARE(Grid().Col(), 2);
        QVERIFY(Fill("Default", 25, 2)); // the grid now has 18 rows
        QVERIFY(Grid().Row() < Grid().Rows());
        QVERIFY(Fill("Default", -1, 7));
        QVERIFY(Fill("Default", 0, 0));
        QCOMPARE(Grid().Row(), 0);
        QCOMPARE(Grid().Col(), 0);
    }

    void aFailingFillKeepsWhatWasShown() {
        Open({{"Default", Entries(2)}});
        const QStringList before = GridRows(*window);
        QVERIFY(!Fill("Gone"));
        messages->ExpectOne("Error [PopulateFlexGrid]: 1\r\nno such table: Gone",
                            MessageBoxes::Icon::Critical);
        QCOMPARE(GridRows(*window), before);
    }

    // Widths come from the grid's width: 300 and 800 twips, the rest shared 4 : 3 : 3.
    void columnWidthsShareTheGrid() {
        Open({{"Default", {}}});
        const int widths[] = {20, 53, 233, 174, 174};
        for (int col = 0; col < 5; ++col)
            QCOMPARE(Grid().ColWidth(col), widths[col]);
    }
};

QTEST_MAIN(EntriesTest)
#include "tst_entries.moc"
