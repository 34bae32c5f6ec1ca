// The Generator tab and Insert, through the real controls of the main window.
#include "gui/FlexGrid.h"
#include "gui/frmAccounts.h"
#include "gui/frmKetterby.h"
#include "tests/support/GuiSupport.h"

#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

using MessageBoxes::Icon;

class GeneratorTest : public QObject, protected Fixture {
    Q_OBJECT

    QString store;

    QStringList Generated() const { return ListItems(window->PasswordList); }
    // Every password matches the pattern and has the length chosen.
    void ExpectPasswords(const QString& pattern, int length) {
        QCOMPARE(Generated().size(), 20);
        QCOMPARE(window->PasswordList->currentRow(), 0);
        QVERIFY(window->PasswordList->currentItem()->isSelected());
        const QRegularExpression whole("^" + pattern + "{" + QString::number(length) + "}$");
        for (const QString& password : Generated())
            QVERIFY2(whole.match(password).hasMatch(), qPrintable(password));
    }

  private slots:
    void init() {
        Start();
        script->Then<frmAccounts>([](frmAccounts& accounts) { accounts.close(); });
        window->Form_Load(); // sets the generator's defaults
        store = folder->File("g.mdb");
        MakeStore(store, KeyOf("pw"), {{"Default", Entries(3)}, {"Empty", {}}});
        QVERIFY(LogIn(store, KeyOf("pw")));
    }

    void cleanup() { Finish(); }

    void optionsChooseTheTableAndTheLength() {
        QCOMPARE(window->cmbPasswordLength->count(), 20);
        window->cmdGenerate->click();
        ExpectPasswords("[0-9A-Za-z]", 10);

        window->optUpperCase->click();
        window->optNumbers->click(); // the case options go grey but keep their selection
        for (QRadioButton* option :
             {window->optLowerCase, window->optUpperCase, window->optLowerUpperCase})
            QVERIFY(!option->isEnabled());
        QVERIFY(window->optUpperCase->isChecked());
        window->cmbPasswordLength->setCurrentIndex(0);
        window->cmdGenerate->click();
        ExpectPasswords("[0-9]", 6);

        window->optLetters->click(); // the case chosen before holds again
        QVERIFY(window->optLowerCase->isEnabled());
        window->cmbPasswordLength->setCurrentIndex(19);
        window->cmdGenerate->click();
        window->cmdGenerate->click();
        ExpectPasswords("[A-Z]", 25);
    }

    void theListAndItsSelectionSurviveLogOutAndLogIn() {
        window->cmdGenerate->click();
        window->PasswordList->setCurrentRow(7);
        const QStringList before = Generated();
        window->mnuFileLogout->trigger();
        QVERIFY(LogIn(store, KeyOf("pw")));
        QCOMPARE(Generated(), before);
        QCOMPARE(window->SelectedPassword(), before[7]);
    }

    // Every path that ends without an error refills the grid, so a mark left in it goes.
    void insert_data() {
        QTest::addColumn<bool>("generated");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("message"); // empty: the confirmation
        QTest::newRow("nothing generated")
            << false << "Default" << 2 << "Please select a password first.";
        QTest::newRow("header row") << true << "Default" << 0 << "Please select a valid row.";
        QTest::newRow("empty table") << true << "Empty" << 1 << "Please select a valid row.";
        QTest::newRow("an entry") << true << "Default" << 2 << "";
    }

    void insert() {
        QFETCH(bool, generated);
        QFETCH(QString, table);
        QFETCH(int, row);
        QFETCH(QString, message);
        if (generated)
            window->cmdGenerate->click();
        window->session->CurrentTable = table;
        FlexGrid& grid = *window->msgMSFlexGrid;
        grid.SetRow(row);
        grid.SetCol(3);
        const QStringList before = ReadTable(store, KeyOf("pw"), "Default");
        for (const MessageBoxes::Answer answer :
             {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes}) {
            grid.SetTextMatrix(1, 1, "mark");
            messages->Answer(answer);
            window->cmdInsert->click();
            QCOMPARE(grid.TextMatrix(1, 1), table == "Default" ? QString("1/2/26") : QString());
            QCOMPARE(grid.Row(), row);
            QCOMPARE(grid.Col(), 3);
            if (!message.isEmpty()) {
                messages->ExpectOne(message, Icon::Exclamation);
                QCOMPARE(ReadTable(store, KeyOf("pw"), "Default"), before);
                return;
            }
            messages->ExpectOne("Are you sure you wish to continue: \r\nOld Password: pw2\r\n"
                                "New Password: " +
                                    window->SelectedPassword(),
                                Icon::Question, MessageBoxes::Buttons::YesNo, "Please confirm...");
            QStringList expected = before;
            if (answer == MessageBoxes::Answer::Yes)
                expected[1] = "1/2/26|entry 2|user|" + window->SelectedPassword();
            QCOMPARE(ReadTable(store, KeyOf("pw"), "Default"), expected);
        }
    }
};

QTEST_MAIN(GeneratorTest)
#include "tst_generator.moc"
