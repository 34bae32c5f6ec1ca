// The logged-in main window through its controls, checked against the store file, and what
// stays of the store in the process after log-out.
#include "gui/EntryGrid.h"
#include "tests/support/GuiSupport.h"

#include <QAbstractItemModelTester>
#include <QtDBus>

#include <array>
#include <fstream>

using namespace MessageBoxes;

namespace {

// The needles are kept masked, so the search itself holds no copy of what it looks for.
constexpr char Mask = 0x5a;

// The text's bytes masked, as UTF-8 or as UTF-16 (the text is ASCII).
std::string Masked(std::string_view text, bool utf16 = false) {
    std::string masked;
    for (const char c : text) {
        masked += char(c ^ Mask);
        if (utf16)
            masked += Mask;
    }
    return masked;
}

// How often the masked bytes stand unmasked, each the stride after the one before, in the
// process's readable, writable memory.
int CopiesInMemory(const std::string& masked, size_t stride = 1) {
    std::ifstream maps("/proc/self/maps");
    int copies = 0;
    for (std::string range, permissions, rest; maps >> range >> permissions;) {
        std::getline(maps, rest);
        if (permissions.substr(0, 2) != "rw" || rest.find("[v") != std::string::npos)
            continue;
        const char* at = reinterpret_cast<const char*>(std::stoull(range, nullptr, 16));
        const char* end = reinterpret_cast<const char*>(
            std::stoull(range.substr(range.find('-') + 1), nullptr, 16));
        for (end -= (masked.size() - 1) * stride; at < end; ++at) {
            size_t matched = 0;
            while (matched < masked.size() && char(at[matched * stride] ^ Mask) == masked[matched])
                ++matched;
            copies += matched == masked.size();
        }
    }
    return copies;
}

const QString ThisSession = QStringLiteral("/org/freedesktop/login1/session/");

// logind on the test's own bus: "auto" is this process's session.
class Logind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

  public slots:
    QDBusObjectPath GetSession(const QString& id) { return QDBusObjectPath(ThisSession + id); }
};

} // namespace

class WindowTest : public QObject, protected Fixture {
    Q_OBJECT

    QString store;
    const StoreKey key = KeyOf("pw");

    void Open(const QList<TableContent>& tables) {
        MakeStore(store, key, tables);
        LogIn(store);
    }
    // Answers the next input dialog as a paste would; no text closes it unanswered.
    void Reply(std::optional<QString> text) {
        script->Then<frmInputForm>([text](frmInputForm& input) {
            input.txtText->setText(text.value_or(QString()));
            if (text)
                input.cmdOK->click();
        });
    }
    QListView& List() { return *Named<QListView>("TablesList"); }
    QComboBox& Chooser() { return *Named<QComboBox>("cmbCurrentTable"); }
    void Select(const QString& table) {
        List().setCurrentIndex(List().model()->index(Items(List().model()).indexOf(table), 0));
    }
    void Show(const QString& table) {
        const int index = Items(Chooser().model()).indexOf(table);
        Chooser().setCurrentIndex(index);
        emit Chooser().activated(index);
    }
    void Remove(const QString& table) {
        Select(table);
        messages->Answer(Answer::Yes);
        Button("cmdRemove")->click();
        messages->Take();
    }
    // The table and its entries are shown, the selectors hold these names, "Default" is selected.
    void ExpectShown(const QString& table, int entries, const QStringList& names) {
        QCOMPARE(Chooser().currentText(), table);
        QCOMPARE(GridRows(*window).size(), entries);
        QCOMPARE(Items(Chooser().model()), names);
        QCOMPARE(FormControls::SelectedItemText(List()), QString("Default"));
    }

    FlexGrid& Grid() { return *Named<FlexGrid>("msgMSFlexGrid"); }
    QLineEdit& Box() { return *Named<QLineEdit>("txtText"); }
    QPushButton* Button(const char* name) { return Named<QPushButton>(name); }
    QListWidget& Passwords() { return *Named<QListWidget>("PasswordList"); }
    // Runs a command on the cell; true when it left the header corner current.
    bool Click(const char* command, int row, int col) {
        Grid().SetRow(row);
        Grid().SetCol(col);
        Button(command)->click();
        return Grid().Row() == 0 && Grid().Col() == 0 && !Grid().selectionModel()->hasSelection();
    }
    void OpenShown() {
        Environment::SetToday(QDate(2004, 7, 13));
        Open({{"Default", {{"7/1/04", "mail", "", "pw1"}}}});
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    Logind logind;

  private slots:
    // The session bus dbus-run-session gives the test stands in for both of the desktop's.
    void initTestCase() {
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", qgetenv("DBUS_SESSION_BUS_ADDRESS"));
        QDBusConnection desktop = QDBusConnection::sessionBus();
        QVERIFY(desktop.registerService("org.freedesktop.login1") &&
                desktop.registerObject("/org/freedesktop/login1", &logind,
                                       QDBusConnection::ExportAllSlots));
    }

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

    // Each refusal (the question answered No) shows its message and changes nothing.
    void tableCommandsRefuse() {
        Open({{"Default", SampleEntries(2)},
              {"Bank", SampleEntries(3)},
              {"My Mail", SampleEntries(99)}});
        using Refusal = std::tuple<const char*, QString, std::optional<QString>, QString, Icon>;
        const Refusal refusals[] = {
            {"cmdAdd", "Bank", "bank", "There is already a table with the name bank.",
             Icon::Exclamation},
            {"cmdAdd", "Bank", std::nullopt, "", {}}, // closed: the last answer is gone
            {"cmdAdd", "Bank", "   ", "", {}},
            {"cmdAdd", "Bank", QString(51, 'x'),
             "Value entered is too long.\r\nMaximum length is 50 characters.", Icon::Information},
            {"cmdRemove", "Default", {}, "Table Default cannot be deleted!", Icon::Exclamation},
            {"cmdRemove", "Bank", std::nullopt,
             "Are you sure you wish to delete \"Bank\"?\r\nAll its data will be deleted "
             "permanently.",
             Icon::Question},
            {"cmdRename", "Default", "Other", "Table Default cannot be renamed!",
             Icon::Exclamation},
            {"cmdRename", "Bank", "Bank", "Both table names are identical!", Icon::Exclamation},
            {"cmdRename", "Bank", "MY MAIL",
             "Error [RenameTable]: 1\r\nthere is already another table or index with this name: "
             "MY MAIL",
             Icon::Critical},
            {"cmdRename", "Bank", std::nullopt, "", {}}};
        for (const auto& [command, selected, answer, message, icon] : refusals) {
            Select(selected);
            if (command != QString("cmdRemove"))
                Reply(answer);
            Button(command)->click();
            if (!message.isEmpty())
                messages->ExpectOne(message, icon,
                                    icon == Icon::Question ? Buttons::YesNo : Buttons::OK,
                                    icon == Icon::Question ? "Please confirm..." : "Ketterby");
            QCOMPARE(Items(Chooser().model()), ReadTable(store, key));
        }
        QCOMPARE(ReadTable(store, key), (QStringList{"Bank", "Default", "My Mail"}));
    }

    // Removing another table keeps the one shown, removing or renaming the shown one shows
    // "Default"; a change of case alone is kept.
    void tableCommandsChangeTheStore() {
        Open({{"Default", SampleEntries(2)},
              {"Bank", SampleEntries(3)},
              {"My Mail", SampleEntries(99)}});
        const auto mode = QAbstractItemModelTester::FailureReportingMode::QtTest;
        QAbstractItemModelTester names(Named<QComboBox>("cmbCurrentTable")->model(), mode),
            cells(Named<QTableView>("msgMSFlexGrid")->model(), mode);
        ExpectShown("Default", 2, {"Bank", "Default", "My Mail"});
        Show("Bank");
        Reply("Cards");
        Button("cmdAdd")->click();
        ExpectShown("Bank", 3, {"Bank", "Default", "My Mail", "Cards"});
        Remove("My Mail");
        ExpectShown("Bank", 3, {"Bank", "Default", "Cards"});
        Select("Bank");
        Reply("Old");
        Button("cmdRename")->click();
        ExpectShown("Default", 2, {"Default", "Cards", "Old"});
        QCOMPARE(ReadTable(store, key, "Old").size(), 3);
        Show("Old");
        Remove("Old");
        ExpectShown("Default", 2, {"Default", "Cards"});
        Select("Cards");
        Reply("cards");
        Button("cmdRename")->click();
        Named<QAction>("mnuFileLogout")->trigger();
        LogIn(store);
        ExpectShown("Default", 2, {"cards", "Default"});
    }

    // Headers always; one row per entry in ID order; never fewer than 17 entry rows. Only the
    // fixed cells look like headers and none can be selected; a cell outside the grid is
    // ignored; a failing fill keeps what was shown.
    void rowsFollowTheEntries() {
        for (const auto& [entries, rows] : {std::pair(0, 18), {17, 18}, {18, 19}}) {
            store = folder->File(QString::number(entries) + ".mdb");
            Open({{"Default", SampleEntries(entries)}});
            QCOMPARE(Grid().Rows(), rows);
            const QStringList shown = GridRows(*window, 0);
            QCOMPARE(shown.size(), entries + 1);
            for (int id = 0; id <= entries; ++id)
                QCOMPARE(shown[id], id ? QString("%1|1/2/26|entry %1|user|pw%1").arg(id)
                                       : "|Date|Description|User ID|Password");
            QVERIFY(Grid().Row() == 0 && Grid().Col() == 0);
        }
        QVERIFY(static_cast<QAbstractItemView&>(Grid()).sizeHintForColumn(0) <= Grid().ColWidth(0));
        const QAbstractItemModel& cells = *Grid().model();
        const QModelIndex fixed = cells.index(18, 0);
        QVERIFY(fixed.data(Qt::BackgroundRole).isValid() &&
                !(cells.flags(fixed) & Qt::ItemIsSelectable) &&
                !cells.index(1, 1).data(Qt::BackgroundRole).isValid());
        Grid().SetRow(1);
        Grid().SetRow(19);
        QVERIFY(Grid().Row() == 1 && Grid().TextMatrix(19, 1).isEmpty());
        const QStringList shown = GridRows(*window);
        QVERIFY(!EntryGrid::PopulateFlexGrid("Gone", Grid(), Engine::Connection(store, key), 0, 0));
        messages->ExpectOne("Error [PopulateFlexGrid]: 1\r\nno such table: Gone", Icon::Critical);
        QCOMPARE(GridRows(*window), shown);
    }

    // OK checks the user ID, password and description in turn, each as typed.
    void newEntryChecksInOrder() {
        OpenShown();
        Passwords().addItems({"gen1", "gen2"});
        Passwords().setCurrentRow(1);
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
            typeAndPressOK(dialog.txtUser, "'u" + QString(49, 'u'), 50);
            typeAndPressOK(dialog.txtUser, " a\"" + QString(48, 'u') + " ", 100);
            dialog.txtDescription->setText(" Bob's mail ");
            dialog.cmdOK->click();
            QVERIFY(!dialog.isVisible());
        });
        QVERIFY(Click("cmdNew", 1, 2));
        QCOMPARE(GridRows(*window).value(1), "2|7/13/04|Bob's mail|a\"" + QString(48, 'u') + "|pw");
        QVERIFY(static_cast<QAbstractItemView&>(Grid()).sizeHintForColumn(1) <= Grid().ColWidth(1));
    }

    // Only an entry's text cells open the box; the keypad's Enter writes and refocuses the cell;
    // neither focus loss nor opening the Commands menu (its items may move the entries) writes.
    void editInPlace() {
        OpenShown();
        Click("cmdEdit", 0, 0);
        messages->ExpectOne("Please select a valid row.", Icon::Exclamation);
        for (const int col : {0, 1})
            QVERIFY(!Click("cmdEdit", 1, col) && !Box().isVisible());
        Click("cmdEdit", 1, 2);
        QCOMPARE(Box().geometry(), Grid().CellRect(1, 2).translated(Grid().pos()));
        QTest::keyClicks(&Box(), "typed");
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!Box().isVisible());
        Click("cmdEdit", 1, 4);
        QCOMPARE(Box().text(), QString("pw1"));
        Button("cmdNew")->setFocus(Qt::MouseFocusReason); // a click elsewhere keeps its focus
        QVERIFY(!Box().isVisible() && Button("cmdNew")->hasFocus());
        Click("cmdEdit", 1, 3);
        QVERIFY(Box().isVisible() && Box().text().isEmpty());
        QFocusEvent menu(QEvent::FocusOut, Qt::PopupFocusReason); // the box's own context menu
        QApplication::sendEvent(&Box(), &menu);
        QVERIFY(Box().isVisible());
        QTest::keyClicks(&Box(), " a'b\"c ");
        QTest::keyClick(&Box(), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(Grid().hasFocus() && Grid().Row() == 1 && Grid().Col() == 3);
        QCOMPARE(GridRows(*window), QStringList{"1|7/1/04|mail|abc|pw1"});
        Click("cmdEdit", 1, 2);
        emit Named<QMenu>("mnuCommands")->aboutToShow(); // as a click on its title opens it
        QVERIFY(!Box().isVisible());
        QVERIFY(Click("cmdCut", 1, 2) && Click("cmdPaste", 1, 2)); // the header corner
        QCOMPARE(GridRows(*window), QStringList{"1|7/1/04|mail|abc|pw1"});
        messages->Answer(Answer::Yes); // a confirmed Delete shows the entry gone
        QVERIFY(Click("cmdDelete", 1, 2) && GridRows(*window).isEmpty());
        messages->Take();
    }

    // The cell's text alone, marked secret, leaves the clipboard later unless replaced; copies too.
    void exportPutsTheCellAloneOnTheClipboard() {
        OpenShown();
        QClipboard& board = *QGuiApplication::clipboard();
        const auto expectSecret = [&](const QString& text) {
            const QMimeData& held = *board.mimeData();
            QCOMPARE(held.formats(), (QStringList{"text/plain", "x-kde-passwordManagerHint"}));
            QCOMPARE(held.text() + held.data("x-kde-passwordManagerHint"), text + "secret");
        };
        Click("cmdExport", 1, 4);
        expectSecret("pw1");
        QTimer& timer = window->clipboardExport.clearTimer;
        QVERIFY(timer.isActive() && timer.interval() == 30'000);
        timer.start(0);
        QTRY_VERIFY(board.text().isEmpty());
        Button("cmdExport")->click();
        board.setText("another program's");
        timer.start(0);
        QTRY_VERIFY(!timer.isActive());
        QCOMPARE(board.text(), QString("another program's"));
        Grid().SetCol(2);
        QTest::keyClick(&Grid(), Qt::Key_C, Qt::ControlModifier);
        expectSecret("mail");
        Button("cmdGenerate")->click();
        QTest::keyClick(&Passwords(), Qt::Key_Insert, Qt::ControlModifier);
        expectSecret(window->SelectedPassword());
        window.reset();
        QVERIFY(board.text().isEmpty());
    }
    // The options choose the characters, Numbers greys the case. Insert refills the grid, keeps
    // the current cell, and only Yes to the confirmation changes the entry's password.
    void generateAndInsert() {
        Open({{"Default", SampleEntries(3)}, {"Empty", {}}});
        const auto insertAt = [&](const QString& table, int row, Answer answer) {
            Show(table);
            Grid().SetTextMatrix(1, 1, "mark");
            messages->Answer(answer);
            Click("cmdInsert", row, 3);
            QCOMPARE(Grid().TextMatrix(1, 1), table == "Default" ? QString("1/2/26") : QString());
            QVERIFY(Grid().Row() == row && Grid().Col() == 3);
        };
        insertAt("Default", 2, Answer::Yes);
        messages->ExpectOne("Please select a password first.", Icon::Exclamation);
        const auto expectPasswords = [&](const QString& pattern) {
            Button("cmdGenerate")->click();
            QVERIFY(Passwords().currentRow() == 0 && Passwords().currentItem()->isSelected());
            const QString all = Items(Passwords().model()).join(',') + ',';
            QVERIFY2(QRegularExpression("^(" + pattern + ",){20}$").match(all).hasMatch(),
                     qPrintable(all));
        };
        expectPasswords("[0-9A-Za-z]{10}");
        Named<QRadioButton>("optUpperCase")->click();
        Named<QRadioButton>("optNumbers")->click();
        QVERIFY(!Named<QRadioButton>("optLowerCase")->isEnabled());
        Named<QComboBox>("cmbPasswordLength")->setCurrentIndex(19);
        expectPasswords("[0-9]{25}");
        Named<QRadioButton>("optLetters")->click();
        expectPasswords("[A-Z]{25}");
        for (const auto& [table, row] : {std::pair("Default", 0), std::pair("Empty", 1)}) {
            insertAt(table, row, Answer::Yes);
            messages->ExpectOne("Please select a valid row.", Icon::Exclamation);
        }
        QStringList expected = ReadTable(store, key, "Default");
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

    // The session's lock closes the open dialog unanswered and logs out as File > Log out does,
    // keeping the cut entry; an unlock or another session's lock changes nothing.
    void screenLockLogsOut() {
        Open({{"Default", SampleEntries(2)}});
        QVERIFY(Click("cmdCut", 1, 1));
        const QString saver = "org.freedesktop.ScreenSaver",
                      session = "org.freedesktop.login1.Session";
        const std::tuple<QString, QString, QString, QVariantList, bool> sent[] = {
            {"/org/freedesktop/ScreenSaver", saver, "ActiveChanged", {false}, false},
            {ThisSession + "c2", session, "Lock", {}, false},
            {"/org/freedesktop/ScreenSaver", saver, "ActiveChanged", {true}, true},
            {ThisSession + "auto", session, "Lock", {}, true}};
        for (const auto& [path, interface, name, arguments, locks] : sent) {
            QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
            signal.setArguments(arguments);
            script->Then<frmNewEntry>([&](frmNewEntry& dialog) {
                QVERIFY(QDBusConnection::sessionBus().send(signal));
                QCOMPARE(QTest::qWaitFor([&] { return !dialog.isVisible(); }, 300), locks);
            });
            Button("cmdNew")->click();
            QCOMPARE(Named("SSTab1")->isHidden(), locks);
            if (locks)
                LogIn(store);
        }
        QVERIFY(Click("cmdPaste", 0, 0)); // nothing of New Entry stored, the cut entry back
        QCOMPARE(GridRows(*window).size(), 2);
    }

    // After log-out nothing of the store stays readable in the process: with every table shown
    // and a password edited in place, its own writable memory holds no copy of a stored
    // password, old or new, in UTF-8 or UTF-16, none in the edit box's undo records (a
    // character in each 16 bytes), and none of the store's raw key. A buffer that grows leaves
    // no copy where it was.
    void nothingOfTheStoreOutlivesLogOut() {
#if !defined(KETTERBY_WIPE_FREED_MEMORY) || !defined(__linux__)
        QSKIP("reads /proc, and needs freed memory wiped (not in sanitizer or static builds)");
#endif
        // Every password carries the mark; the literal stays in read-only memory, not searched.
        constexpr std::string_view mark = "Zq7-Needle-";
        const std::string needle = Masked(mark);
        char* buffer = static_cast<char*>(std::malloc(1000));
        std::copy(mark.begin(), mark.end(), buffer + 500);
        buffer = static_cast<char*>(std::realloc(buffer, 64 << 20));
        QCOMPARE(CopiesInMemory(needle), 1);
        std::free(buffer);
        QList<TableContent> tables;
        for (const QString table : {"Default", "Bank", "Mail", "Work"}) {
            tables.append({table, {}});
            for (int row = 1; row <= 99; ++row)
                tables.last().rows.append(
                    {"1/2/26", "entry", "user", mark.data() + table + QString::number(row)});
        }
        MakeStore(store, key, std::exchange(tables, {}));
        const std::string rawKey = Masked(key.ForFile(store).EngineText().substr(2, 64));
        LogIn(store);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        for (const QString table : {"Bank", "Mail", "Work", "Default"}) {
            Show(table);
            Grid().scrollToBottom();
            Grid().viewport()->repaint();
        }
        Click("cmdEdit", 99, 4);
        Box().selectAll();
        QTest::keyClicks(&Box(), mark.data() + QString("new"));
        QTest::keyClick(&Box(), Qt::Key_Enter);
        QCOMPARE(GridRows(*window).value(98),
                 "99|1/2/26|entry|user|" + (mark.data() + QString("new")));
        Grid().viewport()->repaint();
        window->mnuFileLogout_Click();
        QCOMPARE(CopiesInMemory(needle) + CopiesInMemory(Masked(mark, true)) +
                     CopiesInMemory(needle, 16) + CopiesInMemory(rawKey),
                 0);
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
