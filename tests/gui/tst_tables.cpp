// The table commands through the real buttons, selectors and input dialog, checked against
// the store file.
#include "gui/FlexGrid.h"
#include "gui/frmInputForm.h"
#include "gui/frmKetterby.h"
#include "tests/support/GuiSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using MessageBoxes::Icon;

class TablesTest : public QObject, protected Fixture {
    Q_OBJECT

    QString store;
    const QString key = KeyOf("pw");

    // Answers the next input dialog as a paste would; no text closes it unanswered.
    void Answer(std::optional<QString> text) {
        script->Then<frmInputForm>([text](frmInputForm& input) {
            if (text) {
                input.txtText->setText(*text);
                input.cmdOK->click();
            }
        });
    }
    void Select(const QString& table) {
        window->TablesList->setCurrentRow(ListItems(window->TablesList).indexOf(table));
    }
    void Show(const QString& table) {
        const int index = ComboItems(window->cmbCurrentTable).indexOf(table);
        window->cmbCurrentTable->setCurrentIndex(index);
        emit window->cmbCurrentTable->activated(index);
    }
    // Both selectors hold these names in this order, and "Default" is selected in the list.
    void ExpectSelectors(const QStringList& names) {
        QCOMPARE(ListItems(window->TablesList), names);
        QCOMPARE(ComboItems(window->cmbCurrentTable), names);
        QCOMPARE(window->TablesList->currentItem()->text(), QString("Default"));
    }
    void ExpectShown(const QString& table, int entries) {
        QCOMPARE(window->session->CurrentTable, table);
        QCOMPARE(window->cmbCurrentTable->currentText(), table);
        QCOMPARE(GridRows(*window).size(), entries);
    }

  private slots:
    void init() {
        Start();
        store = folder->File("t.mdb");
        MakeStore(store, key,
                  {{"Default", Entries(2)}, {"Bank", Entries(3)}, {"My Mail", Entries(99)}});
        QVERIFY(LogIn(store, key));
    }

    void cleanup() { Finish(); }

    void addAppendsAnEmptyTableOrRefusesANameInUse() {
        ExpectSelectors({"Bank", "Default", "My Mail"});
        ExpectShown("Default", 2);
        Show("Bank");
        Answer("Cards");
        window->cmdAdd->click();
        ExpectSelectors({"Bank", "Default", "My Mail", "Cards"});
        ExpectShown("Bank", 3);
        QVERIFY(InputPrompt.isEmpty());

        Answer("bank");
        window->cmdAdd->click();
        messages->ExpectOne("There is already a table with the name bank.", Icon::Exclamation);
        Answer("   ");
        window->cmdAdd->click();
        Answer(std::nullopt);
        window->cmdAdd->click();
        ExpectSelectors({"Bank", "Default", "My Mail", "Cards"});
        QCOMPARE(ReadTables(store, key), (QStringList{"Bank", "Cards", "Default", "My Mail"}));
    }

    void removeAsksFirstAndFallsBackToDefault() {
        Select("Default");
        window->cmdRemove->click();
        messages->ExpectOne("Table Default cannot be deleted!", Icon::Exclamation);
        Show("My Mail");
        Select("Bank");
        window->cmdRemove->click(); // answered No
        messages->ExpectOne("Are you sure you wish to delete \"Bank\"?\r\n"
                            "All its data will be deleted permanently.",
                            Icon::Question, MessageBoxes::Buttons::YesNo, "Please confirm...");
        ExpectSelectors({"Bank", "Default", "My Mail"});
        for (const QString table : {"Bank", "My Mail"}) {
            Select(table);
            messages->Answer(MessageBoxes::Answer::Yes);
            window->cmdRemove->click();
            messages->Take();
        }
        ExpectSelectors({"Default"});
        ExpectShown("Default", 2); // the shown table went
        QCOMPARE(ReadTables(store, key), QStringList{"Default"});
    }

    void renameMovesTheTableWithItsEntries() {
        Select("Default");
        Answer("Other");
        window->cmdRename->click();
        messages->ExpectOne("Table Default cannot be renamed!", Icon::Exclamation);
        Select("Bank");
        Answer("Bank");
        window->cmdRename->click();
        messages->ExpectOne("Both table names are identical!", Icon::Exclamation);
        Select("Bank");
        Answer("MY MAIL");
        window->cmdRename->click();
        messages->ExpectOne("Error [RenameTable]: 1\r\nthere is already another table or "
                            "index with this name: MY MAIL",
                            Icon::Critical);
        Select("Bank");
        Answer(std::nullopt); // the input box closed: nothing is renamed
        window->cmdRename->click();
        QCOMPARE(ListItems(window->TablesList), (QStringList{"Bank", "Default", "My Mail"}));
        QCOMPARE(ReadTables(store, key), (QStringList{"Bank", "Default", "My Mail"}));

        Show("Bank");
        Select("Bank");
        Answer("Cards");
        window->cmdRename->click();
        ExpectSelectors({"Default", "My Mail", "Cards"});
        ExpectShown("Default", 2); // the shown table was renamed
        QCOMPARE(ReadTable(store, key, "Cards").size(), 3);
        QCOMPARE(ReadTables(store, key), (QStringList{"Cards", "Default", "My Mail"}));

        Select("Cards");
        Answer("cards"); // a change of letter case alone, kept for good
        window->cmdRename->click();
        window->mnuFileLogout_Click();
        QVERIFY(LogIn(store, key));
        ExpectSelectors({"cards", "Default", "My Mail"});
        QCOMPARE(ReadTable(store, key, "cards").size(), 3);
    }

    void choosingTheShownTableAgainDoesNotRefill() {
        window->msgMSFlexGrid->SetTextMatrix(1, 2, "marker");
        Show("Default");
        QCOMPARE(window->msgMSFlexGrid->TextMatrix(1, 2), QString("marker"));
        Show("My Mail");
        ExpectShown("My Mail", 99);
    }

    void inputDialogTakesAtMostFiftyCharacters() {
        InputPrompt = "Enter new name:";
        frmInputForm input;
        QCOMPARE(input.windowTitle(), QString("Enter new name:"));
        input.show();
        input.txtText->setText(QString(51, 'x'));
        input.cmdOK->click();
        messages->ExpectOne("Value entered is too long.\r\nMaximum length is 50 characters.",
                            Icon::Information);
        QVERIFY(input.txtText->text().isEmpty());
        QVERIFY(InputResult.isEmpty());
        QVERIFY(input.isVisible());
        input.txtText->setText("  " + QString(50, 'y') + "  ");
        input.cmdOK->click();
        QCOMPARE(InputResult, QString(50, 'y'));
        frmInputForm again; // a new opening forgets the earlier answer
        QVERIFY(InputResult.isEmpty());
        InputPrompt.clear();
    }
};

QTEST_MAIN(TablesTest)
#include "tst_tables.moc"
