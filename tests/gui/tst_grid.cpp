// The entry grid filled from real store files, and the entry commands on it.
#include "core/Environment.h"
#include "gui/Clipboard.h"
#include "gui/FlexGrid.h"
#include "gui/PopulateFlexGrid.h"
#include "gui/frmKetterby.h"
#include "gui/frmNewEntry.h"
#include "tests/support/GuiSupport.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

using namespace MessageBoxes;

class GridTest : public QObject, protected Fixture, Clipboard::Board {
    Q_OBJECT

    std::unique_ptr<QMimeData> held;
    void Clear() override { held.reset(); }
    void SetMimeData(QMimeData* data) override { held.reset(data); }
    const QMimeData* MimeData() const override { return held.get(); }

    FlexGrid& Grid() { return *window->msgMSFlexGrid; }
    QLineEdit& Box() { return *window->txtText; }
    // Runs a command on the cell; true when it left the header corner current.
    bool Click(QPushButton* command, int row, int col) {
        Grid().setCurrentCell(row, col);
        command->click();
        return Grid().Row() == 0 && Grid().Col() == 0;
    }
    void OpenShown() {
        Clipboard::SetBoard(this);
        Environment::SetToday(QDate(2004, 7, 13));
        Open({{"Default", {{"7/1/04", "mail", "", "pw1"}}}});
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

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
        QVERIFY(static_cast<QAbstractItemView&>(Grid()).sizeHintForColumn(0) <= Grid().ColWidth(0));
    }

    void aFailingFillKeepsWhatWasShown() {
        Open({{"Default", Entries(2)}});
        const QStringList before = GridRows(*window);
        QVERIFY(!Fill("Gone", 0, 0));
        messages->ExpectOne("Error [PopulateFlexGrid]: 1\r\nno such table: Gone",
                            MessageBoxes::Icon::Critical);
        QCOMPARE(GridRows(*window), before);
    }

    // OK checks the user ID, password and description in turn, an apostrophe counting twice.
    void newEntryChecksInOrder() {
        OpenShown();
        window->PasswordList->addItems({"gen1", "gen2"});
        window->PasswordList->setCurrentRow(1);
        script->Then<frmNewEntry>([&](frmNewEntry& dialog) {
            QCOMPARE(dialog.txtPassword->text(), QString("gen2"));
            QTest::keyClick(&dialog, Qt::Key_Escape);
            dialog.cmdCancel->click(); // answered No
            messages->ExpectOne("Are you sure you wish to cancel this record?", Icon::Question,
                                Buttons::YesNo, "Please confirm...");
            QVERIFY(dialog.isVisible());
            const auto typeAndPressOK = [&](QLineEdit* box, const QString& text, int limit) {
                box->clear();
                QTest::keyClicks(box, text);
                dialog.cmdOK->click();
                messages->ExpectOne("Value entered is too long.\r\nMaximum length is " +
                                        QString::number(limit) + " characters.",
                                    Icon::Information);
            };
            QTest::keyClicks(dialog.txtDescription, QString(101, 'd'));
            typeAndPressOK(dialog.txtPassword, "ppp" + QString(48, 'p'), 50);
            typeAndPressOK(dialog.txtPassword, " p'w\" ", 100);
            typeAndPressOK(dialog.txtUser, "'u" + QString(48, 'u'), 50);
            typeAndPressOK(dialog.txtUser, " a\"" + QString(48, 'u') + " ", 100);
            dialog.txtDescription->setText(" Bob's mail ");
            dialog.cmdOK->click();
            QVERIFY(!dialog.isVisible());
        });
        QVERIFY(Click(window->cmdNew, 1, 2));
        const QString bob = "7/13/04|Bob's mail|a\"" + QString(48, 'u') + "|pw";
        QCOMPARE(GridRows(*window).value(1), "2|" + bob);
        QVERIFY(static_cast<QAbstractItemView&>(Grid()).sizeHintForColumn(1) <= Grid().ColWidth(1));
    }

    // Only a Description, User ID or Password opens the box; Enter writes, focus loss does not.
    void editInPlace() {
        OpenShown();
        for (const int col : {0, 1})
            QVERIFY(!Click(window->cmdEdit, 1, col) && !Box().isVisible());
        Click(window->cmdEdit, 1, 2);
        QCOMPARE(Box().geometry(), Grid().CellRect(1, 2).translated(Grid().pos()));
        QTest::keyClicks(&Box(), "typed");
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!Box().isVisible());
        Click(window->cmdEdit, 1, 3);
        QVERIFY(Box().isVisible() && Box().text().isEmpty());
        QTest::keyClicks(&Box(), " a'b\"c ");
        QTest::keyClick(&Box(), Qt::Key_Return);
        QCOMPARE(GridRows(*window), QStringList{"1|7/1/04|mail|abc|pw1"});
        QVERIFY(Click(window->cmdCut, 1, 2) && Click(window->cmdPaste, 1, 2)); // the header corner
        QCOMPARE(GridRows(*window), QStringList{"1|7/1/04|mail|abc|pw1"});
    }

    // The cell's text alone, marked secret, is taken off later unless replaced meanwhile.
    void exportPutsTheCellAloneOnTheClipboard() {
        OpenShown();
        held = std::make_unique<QMimeData>();
        held->setHtml("before");
        Click(window->cmdExport, 1, 4);
        QCOMPARE(held->formats(), (QStringList{"text/plain", "x-kde-passwordManagerHint"}));
        QCOMPARE(held->text() + held->data("x-kde-passwordManagerHint"), QString("pw1secret"));
        QTimer& timer = window->clipboardExport.clearTimer;
        QVERIFY(timer.isActive() && timer.isSingleShot() && timer.interval() == 30'000);
        timer.start(0);
        QTRY_VERIFY(!held);
        Click(window->cmdExport, 0, 0);
        QCOMPARE(held->text(), QString());
        SetMimeData(new QMimeData);
        held->setText("another program's");
        timer.start(0);
        QTRY_VERIFY(!timer.isActive());
        QVERIFY(held && held->text() == "another program's");
        window->cmdExport->click();
        window.reset();
        QVERIFY(!held);
    }
};

QTEST_MAIN(GridTest)
#include "tst_grid.moc"
