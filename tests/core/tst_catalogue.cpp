// The table catalogue's statements on a real store, without a window: names of every kind
// stay names, and the counts and rows are the store's.
#include "core/ErrorTrap.h"
#include "core/Session.h"
#include "core/TableCatalogue.h"
#include "tests/support/CoreSupport.h"

#include <QTest>

class CatalogueTest : public QObject, CoreFixture {
    Q_OBJECT

    std::unique_ptr<Session> session;

    const Engine::Connection& Store() const { return session->Connection(); }

  private slots:
    void init() {
        Start();
        MakeStore(folder->File("t.mdb"), KeyOf("pw"),
                  {{"Default", Entries(2)}, {"bank", Entries(1)}, {"Ärger", Entries(99)}});
        session = std::make_unique<Session>(folder->File("t.mdb"), KeyOf("pw"));
    }

    void cleanup() {
        session.reset();
        Finish();
    }

    // Pasted names are created, found, renamed and dropped literally; none reaches another table.
    void hostileNamesStayNames() {
        const QStringList names = {
            "a]b",  "x\"y",    "t; DROP TABLE [Default]",
            "it's", "My Bank", QString(25, QChar(0x00E9)) + QString(25, QChar(0x6F22))};
        for (const QString& name : names) {
            QVERIFY(Routines::SetupDBTable(Store(), name));
            QCOMPARE(Catalogue::ColumnNames(Store(), name), Catalogue::Layout);
            QVERIFY(Routines::TableExists(Store(), name.toUpper()));
            Catalogue::RenameTable(Store(), name, name + "'2");
            QVERIFY(!Routines::TableExists(Store(), name));
            Catalogue::DropTable(Store(), name + "'2");
        }
        QVERIFY(!Routines::SetupDBTable(Store(), "sqlite_x")); // a name the engine keeps
        messages->ExpectOne(
            "Error [SetupDBTable]: 1\r\nobject name reserved for internal use: sqlite_x",
            MessageBoxes::Icon::Critical);
        // A name in use in any letter case, non-ASCII letters too, is refused.
        for (const auto& [source, taken] : {std::pair("bank", "DEFAULT"), {"bank", "ärger"}})
            QVERIFY_THROWS_EXCEPTION(Failure, Catalogue::RenameTable(Store(), source, taken));
        QCOMPARE(Routines::GetTablesADO(Store()), (QStringList{"bank", "Default", "Ärger"}));
        QCOMPARE(DBFunctions::CountRecords(*session), 2);
    }

    void countsAndRowsAreTheStores() {
        QVERIFY(Routines::SetupDBTable(Store(), "Empty"));
        session->CurrentTable = "Gone";
        QCOMPARE(DBFunctions::CountRecords(*session), 0);
        messages->ExpectOne("Error [CountRecords]: 1\r\nno such table: Gone",
                            MessageBoxes::Icon::Critical);

        // Rows come in ID order whatever the insertion order; a null stays none.
        Store().Execute("INSERT INTO Empty VALUES ('d2', 'second', NULL, 'p''2', 2);");
        Store().Execute("INSERT INTO Empty VALUES (NULL, 'first', 'me', 'p\"1', 1);");
        const Catalogue::Rows rows = Catalogue::ReadRows(Store(), "Empty");
        QCOMPARE(rows.columns, Catalogue::Layout);
        QCOMPARE(rows.values.size(), size_t(2));
        QCOMPARE(rows.values[0][1], std::optional<QString>("first"));
        QCOMPARE(rows.values[0][0], std::nullopt);
        QCOMPARE(rows.values[1][3], std::optional<QString>("p'2"));
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
