// The entry commands through the main window: the New Entry dialog, editing in place and
// Export, seen on the widgets, the clipboard and the store file.
#include "core/Environment.h"
#include "gui/Clipboard.h"
#include "gui/FlexGrid.h"
#include "gui/frmKetterby.h"
#include "gui/frmNewEntry.h"
#include "tests/support/GuiSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

using MessageBoxes::Icon;

// The test is the clipboard as well.
class EntryFormsTest : public QObject, protected Fixture, Clipboard::Board {
    Q_OBJECT

    std::unique_ptr<QMimeData> held;
    void Clear() override { held.reset(); }
    void SetMimeData(QMimeData* data) override { held.reset(data); }
    const QMimeData* MimeData() const override { return held.get(); }

    QString store;
    FlexGrid& Grid() { return *window->msgMSFlexGrid; }
    QLineEdit& Box() { return *window->txtText; }
    void Click(QPushButton* command, int row, int col) {
        Grid().SetRow(row);
        Grid().SetCol(col);
        command->click();
    }
    QString Stored(const QString& table, int id) {
        return ReadTable(store, KeyOf("pw"), table).value(id - 1);
    }

  private slots:
    void init() {
        Start();
        Clipboard::SetBoard(this);
        Environment::SetToday(QDate(2004, 7, 13));
        store = folder->File("f.mdb");
        MakeStore(store, KeyOf("pw"), {{"Default", {{"7/1/04", "mail", "", "pw1"}}}, {"Bank", {}}});
        QVERIFY(LogIn(store, KeyOf("pw")));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() {
        Finish();
        Clipboard::SetBoard(nullptr);
        Environment::SetToday(std::nullopt);
    }

    void newEntryChecksLengthsInOrder_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("limit");
        const QString u = QString(48, 'u'), d = QString(101, 'd');
        QTest::newRow("accepted") << QStringList{" a\"" + u + " ", " p'w\" ", " Bob's mail "} << 0;
        QTest::newRow("user ID first, ' counts twice") << QStringList{"'u" + u, "", d} << 50;
        QTest::newRow("password 51") << QStringList{"", "ppp" + u, ""} << 50;
        QTest::newRow("description 101") << QStringList{"", "", d} << 100;
    }

    // Then the accepted entry, Bob's mail, moves by Cut and Paste into another table.
    void newEntryChecksLengthsInOrder() {
        QFETCH(QStringList, typed);
        QFETCH(int, limit);
        script->Then<frmNewEntry>([&](frmNewEntry& dialog) {
            dialog.txtPassword->clear();
            QTest::keyClicks(dialog.txtUser, typed[0]);
            QTest::keyClicks(dialog.txtPassword, typed[1]);
            QTest::keyClicks(dialog.txtDescription, typed[2]);
            dialog.cmdOK->click();
            QCOMPARE(dialog.isVisible(), limit > 0);
        });
        Click(window->cmdNew, 1, 2);
        QCOMPARE(Grid().Row() + Grid().Col(), 0);
        if (limit > 0) {
            messages->ExpectOne("Value entered is too long.\r\nMaximum length is " +
                                    QString::number(limit) + " characters.",
                                Icon::Information);
            QVERIFY(Stored("Default", 2).isEmpty());
            return;
        }
        const QString bob = "7/13/04|Bob's mail|a\"" + QString(48, 'u') + "|pw";
        QCOMPARE(GridRows(*window).value(1), "2|" + bob);
        Click(window->cmdCut, 2, 2);
        QCOMPARE(Grid().Row() + Grid().Col(), 0);
        window->cmbCurrentTable->setCurrentText("Bank");
        window->cmbCurrentTable_Click();
        Click(window->cmdPaste, 1, 1);
        QCOMPARE(Grid().Row() + Grid().Col(), 0);
        QCOMPARE(GridRows(*window), QStringList{"1|" + bob});
        QCOMPARE(Stored("Bank", 1), bob);
    }

    // Pre-filled with the selected generated password; Cancel asks first, Esc and the close
    // box do not; nothing is stored.
    void newEntryCancels() {
        window->PasswordList->addItems({"gen1", "gen2"});
        window->PasswordList->setCurrentRow(1);
        for (const bool yes : {false, true}) {
            script->Then<frmNewEntry>([&](frmNewEntry& dialog) {
                QCOMPARE(dialog.txtPassword->text(), QString("gen2"));
                QTest::keyClick(&dialog, Qt::Key_Escape);
                messages->Answer(yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
                dialog.cmdCancel->click();
                messages->ExpectOne("Are you sure you wish to cancel this record?", Icon::Question,
                                    MessageBoxes::Buttons::YesNo, "Please confirm...");
                QCOMPARE(dialog.isVisible(), !yes);
            }); // No: then the close box
            window->cmdNew->click();
        }
        QVERIFY(Stored("Default", 2).isEmpty());
    }

    // Enter writes the trimmed text into the cell's field, losing the focus writes nothing,
    // and only an entry's Description, User ID or Password opens the box.
    void editInPlace() {
        for (const int col : {0, 1}) {
            Click(window->cmdEdit, 1, col);
            QVERIFY(!Box().isVisible());
        }
        Click(window->cmdEdit, 1, 2);
        QCOMPARE(Box().text(), QString("mail"));
        QCOMPARE(Box().geometry(), Grid().CellRect(1, 2).translated(Grid().pos()));
        QTest::keyClicks(&Box(), "typed");
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!Box().isVisible());
        Click(window->cmdEdit, 1, 3);
        QVERIFY(Box().isVisible() && Box().text().isEmpty());
        QTest::keyClicks(&Box(), " a'b\"c ");
        QTest::keyClick(&Box(), Qt::Key_Return);
        QCOMPARE(GridRows(*window), QStringList{"1|7/1/04|mail|abc|pw1"});
        QCOMPARE(Stored("Default", 1), QString("7/1/04|mail|abc|pw1"));
        QVERIFY(!Box().isVisible() && Grid().Row() == 1 && Grid().Col() == 3);
        Click(window->cmdEdit, 0, 2);
        messages->ExpectOne("Please select a valid row.", Icon::Exclamation);
    }

    // Exactly the cell's text, marked secret; taken off after the delay unless replaced
    // meanwhile, and at exit.
    void exportPutsTheCellAloneOnTheClipboard() {
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
        QCOMPARE(held->text(), QString("another program's"));
        window->cmdExport->click();
        window.reset();
        QVERIFY(!held);
    }

    void rowNumbersShowWhole() {
        Grid().SetTextMatrix(1, 0, "99");
        QVERIFY(static_cast<QAbstractItemView&>(Grid()).sizeHintForColumn(0) <= Grid().ColWidth(0));
    }
};

QTEST_MAIN(EntryFormsTest)
#include "tst_entryforms.moc"
