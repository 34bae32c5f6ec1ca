// The logged-in main window through its real controls, checked against the store file: the
// table commands, the entry grid and its commands, the generator and Insert.
#include "gui/Clipboard.h"
#include "gui/PopulateFlexGrid.h"
#include "tests/support/GuiSupport.h"

using namespace MessageBoxes;

class WindowTest : public QObject, protected Fixture, Clipboard::Board {
    Q_OBJECT

    QString store;
    const StoreKey key = KeyOf("pw");

    std::unique_ptr<QMimeData> held;
    void Clear() override { held.reset(); }
    void SetMimeData(QMimeData* data) override { held.reset(data); }
    const QMimeData* MimeData() const override { return held.get(); }

    void Open(const QList<TableContent>& tables) {
        MakeStore(store, key, tables);
        QVERIFY(LogIn(store, key));
    }
    void OpenGenerator() { Open({{"Default", Entries(3)}, {"Empty", {}}}); }
    void OpenTables() {
        Open({{"Default", Entries(2)}, {"Bank", Entries(3)}, {"My Mail", Entries(99)}});
    }
    // Answers the next input dialog as a paste would; no text closes it unanswered.
    void Reply(std::optional<QString> text) {
        script->Then<frmInputForm>([text](frmInputForm& input) {
            if (text) {
                input.txtText->setText(*text);
                input.cmdOK->click();
            }
        });
    }
    void Select(const QString& table) {
        window->TablesList->setCurrentRow(Items(window->TablesList->model()).indexOf(table));
    }
    void Show(const QString& table) {
        const int index = Items(window->cmbCurrentTable->model()).indexOf(table);
        window->cmbCurrentTable->setCurrentIndex(index);
        emit window->cmbCurrentTable->activated(index);
    }
    // Both selectors hold these names in this order, and "Default" is selected in the list.
    void ExpectSelectors(const QStringList& names) {
        QCOMPARE(Items(window->TablesList->model()), names);
        QCOMPARE(Items(window->cmbCurrentTable->model()), names);
        QCOMPARE(window->TablesList->currentItem()->text(), QString("Default"));
    }
    void ExpectShown(const QString& table, int entries) {
        QCOMPARE(window->session->CurrentTable, table);
        QCOMPARE(window->cmbCurrentTable->currentText(), table);
        QCOMPARE(GridRows(*window).size(), entries);
    }

    FlexGrid& Grid() { return *window->msgMSFlexGrid; }
    QLineEdit& Box() { return *window->txtText; }
    // Runs a command on the cell; true when it left the header corner current.
    bool Click(QPushButton* command, int row, int col) {
        Grid().SetRow(row);
        Grid().SetCol(col);
        command->click();
        return Grid().Row() == 0 && Grid().Col() == 0 && !Grid().selectionModel()->hasSelection();
    }
    void OpenShown() {
        Clipboard::SetBoard(this);
        Environment::SetToday(QDate(2004, 7, 13));
        Open({{"Default", {{"7/1/04", "mail", "", "pw1"}}}});
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    QStringList Generated() const { return Items(window->PasswordList->model()); }
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
        store = folder->File("s.mdb");
        script->Then<frmAccounts>([](frmAccounts& accounts) { accounts.close(); });
        window->Form_Load();
    }

    void cleanup() {
        Environment::SetToday(std::nullopt);
        Finish();
    }

    // Each refusal shows its message, if any, and changes neither the selectors nor the store.
    void tableCommandsRefuse() {
        OpenTables();
        using Refusal = std::tuple<QPushButton*, QString, std::optional<QString>, QString, Icon>;
        const Refusal refusals[] = {
            {window->cmdAdd, "Bank", "bank", "There is already a table with the name bank.",
             Icon::Exclamation},
            {window->cmdAdd, "Bank", std::nullopt, "", {}}, // closed: the last answer is gone
            {window->cmdAdd, "Bank", "   ", "", {}},
            {window->cmdRemove,
             "Default",
             {},
             "Table Default cannot be deleted!",
             Icon::Exclamation},
            {window->cmdRemove,
             "Bank",
             {}, // answered No
             "Are you sure you wish to delete \"Bank\"?\r\nAll its data will be deleted "
             "permanently.",
             Icon::Question},
            {window->cmdRename, "Default", "Other", "Table Default cannot be renamed!",
             Icon::Exclamation},
            {window->cmdRename, "Bank", "Bank", "Both table names are identical!",
             Icon::Exclamation},
            {window->cmdRename, "Bank", "MY MAIL",
             "Error [RenameTable]: 1\r\nthere is already another table or index with this name: "
             "MY MAIL",
             Icon::Critical},
            {window->cmdRename, "Bank", std::nullopt, "", {}}};
        for (const auto& [command, selected, answer, message, icon] : refusals) {
            Select(selected);
            if (command != window->cmdRemove)
                Reply(answer);
            command->click();
            if (!message.isEmpty())
                messages->ExpectOne(message, icon,
                                    icon == Icon::Question ? Buttons::YesNo : Buttons::OK,
                                    icon == Icon::Question ? "Please confirm..." : "Ketterby");
            QCOMPARE(Items(window->TablesList->model()) + Items(window->cmbCurrentTable->model()),
                     ReadTables(store, key) + ReadTables(store, key));
        }
        QCOMPARE(ReadTables(store, key), (QStringList{"Bank", "Default", "My Mail"}));
    }

    // Add appends an empty table; removing or renaming the shown one shows "Default"; a change
    // of letter case alone is kept for good. Choosing the shown table again does not refill.
    void tableCommandsChangeTheStore() {
        OpenTables();
        ExpectShown("Default", 2);
        Show("Bank");
        Reply("Cards");
        window->cmdAdd->click();
        ExpectSelectors({"Bank", "Default", "My Mail", "Cards"});
        ExpectShown("Bank", 3);
        QVERIFY(InputPrompt.isEmpty());
        Select("Bank");
        Reply("Old");
        window->cmdRename->click();
        ExpectSelectors({"Default", "My Mail", "Cards", "Old"});
        ExpectShown("Default", 2);
        QCOMPARE(ReadTable(store, key, "Old").size(), 3);
        Show("My Mail");
        Select("My Mail");
        messages->Answer(Answer::Yes);
        window->cmdRemove->click();
        messages->Take();
        ExpectShown("Default", 2);
        Select("Old");
        Reply("old");
        window->cmdRename->click();
        window->mnuFileLogout_Click();
        QVERIFY(LogIn(store, key));
        ExpectSelectors({"Cards", "Default", "old"});
        QCOMPARE(ReadTables(store, key), (QStringList{"Cards", "Default", "old"}));
        Grid().SetTextMatrix(1, 2, "marker");
        Show("Default");
        QCOMPARE(Grid().TextMatrix(1, 2), QString("marker"));
    }

    void inputDialogTakesAtMostFiftyCharacters() {
        frmInputForm input;
        input.show();
        input.txtText->setText(QString(51, 'x'));
        input.cmdOK->click();
        messages->ExpectOne("Value entered is too long.\r\nMaximum length is 50 characters.",
                            Icon::Information);
        QVERIFY(input.txtText->text().isEmpty() && InputResult.isEmpty() && input.isVisible());
        input.txtText->setText("  " + QString(50, 'y') + "  ");
        input.cmdOK->click();
        QCOMPARE(InputResult, QString(50, 'y'));
    }

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
        // Only the fixed cells look like headers; a cell outside the grid is ignored.
        const QAbstractItemModel& cells = *Grid().model();
        QVERIFY(cells.index(rows - 1, 0).data(Qt::BackgroundRole).isValid() &&
                !cells.index(1, 1).data(Qt::BackgroundRole).isValid());
        Grid().SetRow(1);
        Grid().SetRow(rows);
        QCOMPARE(Grid().Row(), 1);
        QCOMPARE(Grid().TextMatrix(rows, 1), QString());
    }

    void aFailingFillKeepsWhatWasShown() {
        Open({{"Default", Entries(2)}});
        const QStringList before = GridRows(*window);
        QVERIFY(!Routines::PopulateFlexGrid("Gone", Grid(), window->session->Connection(), 0, 0));
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
    void optionsChooseTheTableAndTheLength() {
        OpenGenerator();
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
        OpenGenerator();
        window->cmdGenerate->click();
        window->PasswordList->setCurrentRow(7);
        const QStringList before = Generated();
        window->mnuFileLogout->trigger();
        QVERIFY(LogIn(store, key));
        QCOMPARE(Generated(), before);
        QCOMPARE(window->SelectedPassword(), before[7]);
    }

    // Every path that ends without an error refills the grid, so a mark left in it goes, and
    // keeps the current cell; only Yes to the confirmation changes the entry's password.
    void insert() {
        OpenGenerator();
        const auto insertAt = [&](const QString& table, int row, Answer answer) {
            window->session->CurrentTable = table;
            Grid().SetRow(row);
            Grid().SetCol(3);
            Grid().SetTextMatrix(1, 1, "mark");
            messages->Answer(answer);
            window->cmdInsert->click();
            QCOMPARE(Grid().TextMatrix(1, 1), table == "Default" ? QString("1/2/26") : QString());
            QVERIFY(Grid().Row() == row && Grid().Col() == 3);
        };
        QStringList expected = ReadTable(store, key, "Default");
        insertAt("Default", 2, Answer::Yes);
        messages->ExpectOne("Please select a password first.", Icon::Exclamation);
        window->cmdGenerate->click();
        for (const auto& [table, row] : {std::pair("Default", 0), std::pair("Empty", 1)}) {
            insertAt(table, row, Answer::Yes);
            messages->ExpectOne("Please select a valid row.", Icon::Exclamation);
        }
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            insertAt("Default", 2, answer);
            messages->ExpectOne("Are you sure you wish to continue: \r\nOld Password: pw2\r\n"
                                "New Password: " +
                                    window->SelectedPassword(),
                                Icon::Question, Buttons::YesNo, "Please confirm...");
            if (answer == Answer::Yes)
                expected[1] = "1/2/26|entry 2|user|" + window->SelectedPassword();
            QCOMPARE(ReadTable(store, key, "Default"), expected);
        }
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
