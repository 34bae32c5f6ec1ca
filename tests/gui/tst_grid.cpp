// The entry grid filled from real store files.
#include "gui/FlexGrid.h"
#include "gui/PopulateFlexGrid.h"
#include "gui/frmKetterby.h"
#include "tests/support/GuiSupport.h"

#include <QTest>

class GridTest : public QObject, protected Fixture {
    Q_OBJECT

    FlexGrid& Grid() { return *window->msgMSFlexGrid; }

    void Open(const QList<TableContent>& tables) {
        MakeStore(folder->File("grid.mdb"), KeyOf("pw"), tables);
        QVERIFY(LogIn(folder->File("grid.mdb"), KeyOf("pw")));
    }

    bool Fill(const QString& table, int row, int col) {
        return Routines::PopulateFlexGrid(table, Grid(), window->session->Connection(), qint16(row),
                                          qint16(col));
    }

  private slots:
    void init() { Start(); }

    void cleanup() { Finish(); }

    // Headers always; one row per entry in ID order; never fewer than 17 entry rows.
    void rowsFollowTheEntries_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("rows");
        QTest::newRow("none") << 0 << 18;
        QTest::newRow("one") << 1 << 18;
        QTest::newRow("17 fill the grid") << 17 << 18;
        QTest::newRow("18 add a row") << 18 << 19;
        QTest::newRow("99") << 99 << 100;
    }

    void rowsFollowTheEntries() {
        QFETCH(int, entries);
        QFETCH(int, rows);
        Open({{"Default", Entries(entries)}});
        QCOMPARE(Grid().Rows(), rows);
        const QStringList headers = {"", "Date", "Description", "User ID", "Password"};
        for (int col = 0; col < 5; ++col)
            QCOMPARE(Grid().TextMatrix(0, col), headers[col]);
        const QStringList shown = GridRows(*window);
        QCOMPARE(shown.size(), entries);
        for (int id = 1; id <= entries; ++id)
            QCOMPARE(shown[id - 1], QString("%1|1/2/26|entry %1|user|pw%1").arg(id));
        QCOMPARE(Grid().Row(), 0);
        QCOMPARE(Grid().Col(), 0);
    }

    void aFailingFillKeepsWhatWasShown() {
        Open({{"Default", Entries(2)}});
        const QStringList before = GridRows(*window);
        QVERIFY(!Fill("Gone", 0, 0));
        messages->ExpectOne("Error [PopulateFlexGrid]: 1\r\nno such table: Gone",
                            MessageBoxes::Icon::Critical);
        QCOMPARE(GridRows(*window), before);
    }
};

QTEST_MAIN(GridTest)
#include "tst_grid.moc"
