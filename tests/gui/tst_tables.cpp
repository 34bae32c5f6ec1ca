// The table catalogue and its commands, driven through the real buttons and input dialog.
#include "app/frmKetterby.h"
#include "entries/FlexGrid.h"
#include "store/StoreFiles.h"
#include "store/StoreState.h"
#include "tables/TableCatalogue.h"
#include "tables/frmInputForm.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using MessageBoxes::Icon;

namespace {

const QStringList Layout = {"Date", "Description", "User ID", "Password", "ID"};

QStringList Columns(const QString& table) {
    const auto statement =
        Store::StoreConnection->Prepare("SELECT * FROM " + Engine::QuoteName(table) + ";");
    QStringList names;
    for (int column = 0; column < statement->ColumnCount(); ++column)
        names.append(statement->ColumnName(column));
    return names;
}

} // namespace

class TablesTest : public QObject, protected Fixture {
    Q_OBJECT

    QString store;

    // Answers the next input dialog as a paste would; no text means closing it unanswered.
    void Answer(std::optional<QString> text) {
        script->Then<frmInputForm>([text](frmInputForm& input) {
            if (text) {
                input.txtText->setText(*text);
                input.cmdOK->click();
            }
        });
    }
    void Select(const QString& table) { Routines::SelectTableInList(table); }
    void Show(const QString& table) {
        window->cmbCurrentTable->setCurrentIndex(window->cmbCurrentTable->findText(table));
        emit window->cmbCurrentTable->activated(window->cmbCurrentTable->currentIndex());
    }
    // Both selectors hold these names in this order, and "Default" is selected in the list.
    void ExpectSelectors(const QStringList& names) {
        QCOMPARE(ListItems(window->TablesList), names);
        QCOMPARE(ComboItems(window->cmbCurrentTable), names);
        QCOMPARE(window->TablesList->currentItem()->text(), QString("Default"));
    }

  private slots:
    void init() {
        Start();
        store = folder->File("t.mdb");
        MakeStore(store, KeyOf("pw"),
                  {{"Default", Entries(2)}, {"Bank", Entries(3)}, {"Mail", Entries(99)}});
        QVERIFY(DBFunctions::SetupDatabase(store, KeyOf("pw")));
    }

    void cleanup() { Finish(); }

    void addAppendsAnEmptyTableOrRefusesANameInUse() {
        ExpectSelectors({"Bank", "Default", "Mail"});
        Answer("Cards");
        window->cmdAdd->click();
        ExpectSelectors({"Bank", "Default", "Mail", "Cards"});
        QCOMPARE(Columns("Cards"), Layout);
        QCOMPARE(Store::CurrentTable, QString("Default"));
        QVERIFY(InputPrompt.isEmpty());

        Answer("bank");
        window->cmdAdd->click();
        messages->ExpectOne("There is already a table with the name bank.", Icon::Exclamation);
        Answer("   ");
        window->cmdAdd->click();
        Answer(std::nullopt);
        window->cmdAdd->click();
        ExpectSelectors({"Bank", "Default", "Mail", "Cards"});
        QCOMPARE(ReadTables(store, KeyOf("pw")), (QStringList{"Bank", "Cards", "Default", "Mail"}));
    }

    void removeAsksFirstAndFallsBackToDefault() {
        Select("Default");
        window->cmdRemove->click();
        messages->ExpectOne("Table Default cannot be deleted!", Icon::Exclamation);
        const QString question = "Are you sure you wish to delete \"Bank\"?\r\n"
                                 "All its data will be deleted permanently.";
        Show("Mail");
        Select("Bank");
        window->cmdRemove->click(); // answered No
        messages->ExpectOne(question, Icon::Question, MessageBoxes::Buttons::YesNo,
                            "Please confirm...");
        ExpectSelectors({"Bank", "Default", "Mail"});
        Select("Bank");
        messages->Answer(MessageBoxes::Answer::Yes);
        window->cmdRemove->click();
        messages->Take();
        ExpectSelectors({"Default", "Mail"});
        QCOMPARE(Store::CurrentTable, QString("Mail")); // another table: the grid stays
        QCOMPARE(window->msgMSFlexGrid->Rows(), 100);

        Select("Mail");
        messages->Answer(MessageBoxes::Answer::Yes);
        window->cmdRemove->click();
        messages->Take();
        ExpectSelectors({"Default"});
        QCOMPARE(Store::CurrentTable, QString("Default"));
        QCOMPARE(window->cmbCurrentTable->currentText(), QString("Default"));
        QCOMPARE(window->msgMSFlexGrid->TextMatrix(2, 2), QString("entry 2"));
        QCOMPARE(ReadTables(store, KeyOf("pw")), QStringList{"Default"});
    }

    void renameMovesTheTableWithItsEntries() {
        Answer("Ärger");
        window->cmdAdd->click();
        Select("Default");
        Answer("Other");
        window->cmdRename->click();
        messages->ExpectOne("Table Default cannot be renamed!", Icon::Exclamation);
        for (const QString& taken : QStringList{"Bank", "DEFAULT", "mail", "ärger"}) {
            Select("Bank");
            Answer(taken);
            window->cmdRename->click();
            const auto shown = messages->Take();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].icon, taken == "Bank" ? Icon::Exclamation : Icon::Critical);
            QVERIFY(taken == "Bank" ? shown[0].text == "Both table names are identical!"
                                    : shown[0].text.startsWith("Error [RenameTable]: 1\r\n"));
        }
        ExpectSelectors({"Bank", "Default", "Mail", "Ärger"});
        Show("Bank");
        Select("Bank");
        Answer("Cards");
        window->cmdRename->click();
        ExpectSelectors({"Default", "Mail", "Ärger", "Cards"});
        QCOMPARE(Store::CurrentTable, QString("Default")); // the shown table was renamed
        QCOMPARE(ReadTable(store, KeyOf("pw"), "Cards").size(), 3);
        QCOMPARE(ReadTables(store, KeyOf("pw")),
                 (QStringList{"Cards", "Default", "Mail", "Ärger"}));
    }

    // Pasted names are stored literally or refused; they never reach another table.
    void hostileNamesStayNames() {
        const QStringList names = {"a]b", "x\"y", "t; DROP TABLE [Default]", "it's",
                                   QString(25, QChar(0x00E9)) + QString(25, QChar(0x6F22))};
        for (const QString& name : names) {
            Answer(name);
            window->cmdAdd->click();
            QCOMPARE(Columns(name), Layout);
        }
        Answer("sqlite_x");
        window->cmdAdd->click();
        const auto refused = messages->Take();
        QCOMPARE(refused.size(), 1);
        QVERIFY(refused[0].text.startsWith("Error [SetupDBTable]: 1\r\n"));
        QCOMPARE(ListItems(window->TablesList), QStringList({"Bank", "Default", "Mail"}) + names);
        QCOMPARE(ReadTable(store, KeyOf("pw"), "Default").size(), 2);
        QCOMPARE(ReadTables(store, KeyOf("pw")).size(), 8);
    }

    void choosingTablesAndCountingEntries() {
        QCOMPARE(DBFunctions::CountRecords(), 2);
        window->msgMSFlexGrid->SetTextMatrix(1, 2, "marker");
        Show("Default"); // already current: no refill
        QCOMPARE(window->msgMSFlexGrid->TextMatrix(1, 2), QString("marker"));
        Show("Mail");
        QCOMPARE(window->msgMSFlexGrid->TextMatrix(1, 2), QString("entry 1"));
        QCOMPARE(DBFunctions::CountRecords(), 99);
        Answer("Empty");
        window->cmdAdd->click();
        Show("Empty");
        QCOMPARE(DBFunctions::CountRecords(), 0);
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
        QTest::keyClicks(input.txtText, "a'b\"c");
        QCOMPARE(input.txtText->text(), QString("abc"));
        input.txtText->setText("  " + QString(50, 'y') + "  ");
        input.cmdOK->click();
        QCOMPARE(InputResult, QString(50, 'y'));
        frmInputForm again; // a new opening forgets the earlier answer
        again.close();
        QVERIFY(InputResult.isEmpty());
        InputPrompt.clear();
    }
};

QTEST_MAIN(TablesTest)
#include "tst_tables.moc"
