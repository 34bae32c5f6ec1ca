// The account dialog from start-up to exit, a session by keyboard alone, the Commands items, help,
// and the forms on a desktop as a user has it: texts fit, a screen reader names, passwords read.
#include "gui/HelpPage.h"
#include "gui/ProgramStyle.h"
#include "tests/support/GuiSupport.h"

using MessageBoxes::Icon;

namespace {

const QString CouldNotOpen = "Sorry, could not locate or open this account.";
const QString InUse = "This account name is already in use.\r\nPlease use a different name.";
const QString TooLong50 = "Value entered is too long.\r\nMaximum length is 50 characters.";
const QString NotAFileName =
    "Please enter a valid name.\r\nAn account name cannot contain any of \\ / : * ? \" < > | "
    "or a control character, and cannot be \".\" or \"..\".";

// Where a button, option or label draws its text. A folder box shows its folder whole, so the
// folder (its tooltip) must fit as well.
std::pair<QStringList, QRect> TextAndRoom(const QWidget& control) {
    const QStyle& style = *control.style();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const bool radio = qobject_cast<const QRadioButton*>(button);
        return {{button->text()},
                style.subElementRect(radio ? QStyle::SE_RadioButtonContents
                                           : QStyle::SE_PushButtonContents,
                                     &option, button)};
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control); label && !label->wordWrap())
        return {{label->text()}, label->contentsRect()};
    if (const auto* box = qobject_cast<const QLineEdit*>(&control);
        box && !box->placeholderText().isEmpty()) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = 1;
        return {
            {box->placeholderText(), box->toolTip()},
            style.subElementRect(QStyle::SE_LineEditContents, &option, box).adjusted(2, 0, -2, 0)};
    }
    return {};
}

// Every control the form shows lies inside its parent and has room for each of its texts.
void ExpectTextsFit(const QWidget& form) {
    for (const QWidget* control : form.findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || control->objectName().startsWith("qt_") ||
            !control->isVisibleTo(&form))
            continue;
        const QString where = control->objectName();
        QVERIFY2(control->parentWidget()->rect().contains(control->geometry()), qPrintable(where));
        const auto [texts, room] = TextAndRoom(*control);
        const QFontMetrics metrics = control->fontMetrics();
        for (QString text : texts) {
            text.remove(QRegularExpression("&(?!&)")); // access-key marks take no room
            const bool fits = metrics.horizontalAdvance(text) <= room.width() &&
                              metrics.height() <= room.height();
            QVERIFY2(text.isEmpty() || fits, qPrintable(where + ": " + text));
        }
    }
}

enum Tab { Login, New, Edit };

// Fills a tab's boxes in order (name, password, ..., folder last) and presses its button.
void Fill(frmAccounts& a, Tab tab, const QStringList& texts) {
    const QList<QLineEdit*> boxes[] = {
        {a.txtLoginUser, a.txtLoginPassword, a.txtLoginPath},
        {a.txtNewUser, a.txtNewPassword1, a.txtNewPassword2, a.txtNewPath},
        {a.txtEditOldUser, a.txtEditOldPass, a.txtEditNewUser, a.txtEditNewPass1, a.txtEditNewPass2,
         a.txtEditPath}};
    a.SSTab1->setCurrentIndex(tab);
    for (int i = 0; i < boxes[tab].size(); ++i)
        boxes[tab][i]->setText(texts.value(i));
    QPushButton* const buttons[] = {a.cmdLogin, a.cmdCreate, a.cmdUpdate};
    buttons[tab]->click();
}

} // namespace

class AccountsTest : public QObject, protected Fixture {
    Q_OBJECT

    // Runs one step in the account dialog opened from Accounts > Account Setup.
    void Setup(std::function<void(frmAccounts&)> step) {
        script->Then<frmAccounts>(std::move(step));
        Named<QAction>("mnuAccountsAccountSetup")->trigger();
        QVERIFY(script->Finished());
    }
    bool LoggedIn() const {
        return !Named("SSTab1")->isHidden() && Named<QMenu>("mnuCommands")->isEnabled();
    }

    QFont designFont;

  private slots:
    void initTestCase() {
        QApplication::setStyle(new ProgramStyle(QApplication::style()->name()));
        designFont = QApplication::font();
    }

    void init() { Start(); }

    void cleanup() {
        QApplication::setFont(designFont);
        Finish();
    }

    // A whole session by key presses alone, from the program's start-up to its exit.
    void keyboardSession() {
        const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        };
        const auto type = [&](const QString& text) { // a tab moves on to the next box; \n is Enter
            for (const QChar c : text)
                c == '\t'   ? press(Qt::Key_Tab)
                : c == '\n' ? press(Qt::Key_Return)
                            : QTest::keyClicks(QApplication::focusWidget(), c);
        };
        // With no window manager here, a closed dialog or menu hands the focus back to no window.
        const auto active = [](QWidget& form) {
            form.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &form);
        };
        const auto menu = [&](Qt::Key title, const char* name, Qt::Key item) {
            press(title, Qt::AltModifier);
            QTRY_COMPARE(QApplication::activePopupWidget(), Named(name));
            QTest::keyClick(QApplication::activePopupWidget(), item);
            active(*window);
        };
        window = std::make_unique<frmKetterby>(frmKetterby::Controls::AfterAccountDialog);
        script->Then<frmAccounts>([&](frmAccounts& accounts) {
            active(accounts);
            QVERIFY(!window->isVisible()); // start-up asks for an account before the window shows
            QCOMPARE(QApplication::focusWidget(), accounts.txtLoginUser);
            type("bob\tpw\n"); // each tab's Enter presses its own button
            messages->ExpectOne(CouldNotOpen, Icon::Information);
            press(Qt::Key_Tab, Qt::ControlModifier);
            type("bob\tp'w\tp\"w\n"); // typed quotes never reach a password
        });
        window->Form_Load();
        window->show();
        for (const QString entry : {"u1\tp1\n\tfirst", "u2\tp2\tsecond"}) { // \n: nothing here
            script->Then<frmNewEntry>([&](frmNewEntry& dialog) {
                active(dialog);
                type(entry);
                press(Qt::Key_O, Qt::AltModifier);
                QTRY_VERIFY(!dialog.isVisible());
            });
            active(*window);
            press(Qt::Key_N, Qt::AltModifier);
            QTRY_VERIFY(script->Finished());
        }
        active(*window); // the tab strip has the focus: on to the Generator tab and its Add
        press(Qt::Key_Right);
        for (int tabs = 0; QApplication::focusWidget() != Named("cmdAdd") && tabs < 20; ++tabs)
            press(Qt::Key_Tab);
        script->Then<frmInputForm>([&](frmInputForm& input) {
            active(input);
            type("B'a\"nk\n");
        });
        press(Qt::Key_Space);
        active(*window);
        press(Qt::Key_Tab, Qt::ControlModifier); // back on the Passwords tab, in the grid
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right})
            press(key);
        menu(Qt::Key_C, "mnuCommands", Qt::Key_E); // the menu's access key, not Cut's
        QTRY_VERIFY(Named("txtText")->hasFocus());
        type(" mail\n");
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right}) // back in the grid: its password
            press(key);
        press(Qt::Key_X, Qt::AltModifier);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QString("p1"));
        script->Then<frmAccounts>([&](frmAccounts& accounts) {
            active(accounts);
            type("bob\tpw\n");
        });
        menu(Qt::Key_A, "mnuAccounts", Qt::Key_S); // not Add's: logged in again
        // Tab and Shift+Tab go round every control of the tab shown, the grid included, each
        // once and back to the one they started from; Ctrl+Tab changes the tab.
        const auto expectRound = [&](QStringList names) {
            for (const auto modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
                const qsizetype start = names.indexOf(QApplication::focusWidget()->objectName());
                std::rotate(names.begin(), names.begin() + start + 1, names.end());
                QStringList visited;
                while (visited.size() < names.size()) {
                    press(Qt::Key_Tab, modifiers);
                    visited << QApplication::focusWidget()->objectName();
                }
                QCOMPARE(visited, names);
                std::reverse(names.begin(), names.end());
            }
        };
        expectRound({"qt_tabwidget_tabbar", "msgMSFlexGrid", "cmdNew", "cmdDelete", "cmdEdit",
                     "cmdInsert", "cmdCut", "cmdPaste", "cmdExport", "cmbCurrentTable"});
        press(Qt::Key_Tab, Qt::ControlModifier);
        expectRound({"qt_tabwidget_tabbar", "TablesList", "cmdAdd", "cmdRemove", "cmdRename",
                     "optLetters", "optLowerCase", "cmbPasswordLength", "cmdGenerate",
                     "PasswordList"});
        menu(Qt::Key_F, "mnuFile", Qt::Key_Return); // Log out
        QVERIFY(!LoggedIn());
        QTest::keyClick(window.get(), Qt::Key_X, Qt::ControlModifier); // no control has the focus
        const QString store = folder->File("bob.mdb");
        QVERIFY(!window->isVisible() && !QFile::exists(store + ".lock")); // exit closes the store
        QCOMPARE(ReadTable(store, KeyOf("pw")), (QStringList{"Bank", "Default"}));
        QCOMPARE(ReadTable(store, KeyOf("pw"), "Default")
                     .replaceInStrings(QRegularExpression("^.*?\\|"), ""),
                 (QStringList{"first mail|u1|p1", "second|u2|p2"}));
    }

    // What a keyboard session does not reach: the refusals of a second window, the Edit tab.
    void wholeLifecycle() {
        MakeStore(folder->File("bob.mdb"), KeyOf("fi'rst"), {{"Default", {}}});
        Setup([&](frmAccounts& a) {
            Fill(a, Login, {"bob", "wrong", folder->Path()});
            messages->ExpectOne(CouldNotOpen, Icon::Information);
            QCOMPARE(a.txtLoginUser->text() + a.txtLoginPassword->text(), QString());
            Fill(a, Login, {"  bob ", " fi'rst  ", folder->Path()}); // trimmed; a quote as pasted
        });
        const QByteArray store = Bytes(folder->File("bob.mdb"));
        frmKetterby second; // can neither log in to, create nor rename the open account,
        // also while the first is inside a write, which holds the file against every reader
        std::optional<Engine::Connection> writing(std::in_place, folder->File("bob.mdb"),
                                                  KeyOf("fi'rst"));
        writing->Execute("BEGIN EXCLUSIVE;");
        script->Then<frmAccounts>([&](frmAccounts& a) {
            const QStringList texts[] = {{"bob", "fi'rst"},
                                         {"bob", "first", "first"},
                                         {"bob", "fi'rst", "alice", "first", "first"}};
            for (const Tab tab : {Login, New, Edit}) {
                Fill(a, tab, texts[tab]);
                messages->ExpectOne("The account \"bob\" is open in another window.",
                                    Icon::Information);
            }
        });
        second.findChild<QAction*>("mnuAccountsAccountSetup")->trigger();
        writing.reset();
        QCOMPARE(Bytes(folder->File("bob.mdb")), store);
        // A re-key under the same name, to an empty password, which Edit (unlike New) allows.
        Setup([](frmAccounts& a) { Fill(a, Edit, {"bob", "fi'rst", "bob", "", ""}); });
        WriteBytes(folder->File("bob.bak"), "a backup the old password does not open stays");
        Setup([](frmAccounts& a) { Fill(a, Edit, {"bob", "", "alice", "third", "third"}); });
        QCOMPARE(folder->Files(), (QStringList{"alice.mdb", "bob.bak"}));
        Setup([](frmAccounts& a) { Fill(a, Login, {"alice", "third"}); });
        QVERIFY(LoggedIn());
    }

    // Each refusal changes no file; only a literal file name is an account.
    void refusals_data() {
        QTest::addColumn<Tab>("tab");
        QTest::addColumn<QStringList>(
            "texts"); // on Edit the old account is bob with "old" unless named
        QTest::addColumn<QString>("message");
        const auto row = [](Tab tab, const QString& title, QStringList texts,
                            const QString& message) {
            if (tab == Edit && texts.size() == 3)
                texts = QStringList{"bob", "old"} + texts;
            const char* const tabs[] = {"Login", "New", "Edit"};
            QTest::addRow("%s: %s", tabs[tab], qPrintable(title)) << tab << texts << message;
        };
        for (const Tab tab : {New, Edit}) {
            row(tab, "empty name", {"   ", "pw", "pw"}, "Please enter a valid name.");
            row(tab, "name of 51", {QString(51, 'n'), "pw", "pw"}, TooLong50);
            for (const QString name : {"a\\b", "a/b", "c:d", "e*", "f?", "g\"h", "i<", ">j", "k|l",
                                       ".", "..", "../escaped", "tab\there", "us\x1fsep"})
                row(tab, "not a file name: " + name, {name, "pw", "pw"}, NotAFileName);
            row(tab, "blank inside password", {"bob", "p w", "p w"},
                "No spaces allowed in password!");
            for (const QString pasted : {"It's-Secret9", "say\"when"}) // before the confirmation
                row(tab, "pasted quote: " + pasted, {"bob", pasted, ""},
                    "No quotes (' or \") allowed in password!");
            row(tab, "password of 51", {"bob", QString(51, 'p'), ""}, TooLong50);
            row(tab, "confirmation differs in case", {"bob", "Secret", "secret"},
                "Sorry, both passwords must match!");
        }
        row(New, "empty password", {"bob", "  ", ""}, "Please enter a valid password.");
        row(New, "name in use", {"carol", "pw", "pw"}, InUse);
        row(Edit, "wrong old password", {"carol", "wrong", "new", "pw", "pw"}, CouldNotOpen);
        row(Edit, "no such account", {"nobody", "old", "new", "pw", "pw"}, CouldNotOpen);
        row(Edit, "old name not a file name", {"../bob", "old", "new", "pw", "pw"}, CouldNotOpen);
        row(Edit, "new name in use", {"carol", "pw", "pw"}, InUse);
        for (const QString name : {"nobody", "garbage", "folder", "sub/carol", "empty"})
            row(Login, name, {name, "pw"}, CouldNotOpen); // empty: beside a good backup
    }

    void refusals() {
        QFETCH(Tab, tab);
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QVERIFY(QDir(folder->Path()).mkpath("folder.mdb") && QDir(folder->Path()).mkpath("sub"));
        MakeStore(folder->File("bob.mdb"), KeyOf("old"), {{"Default", {}}});
        MakeStore(folder->File("carol.mdb"), KeyOf("other"), {{"Default", {}}});
        if (tab == Login) {
            MakeStore(folder->File("sub/carol.mdb"), KeyOf("pw"), {{"Default", {}}});
            MakeStore(folder->File("empty.bak"), KeyOf("pw"), {{"Default", SampleEntries(1)}});
            WriteBytes(folder->File("empty.mdb"), {});
            WriteBytes(folder->File("garbage.mdb"), QByteArray(4096, 'g'));
        }
        const QStringList before = Snapshot(folder->Path());
        Setup([&](frmAccounts& accounts) {
            Fill(accounts, tab, texts);
            messages->ExpectOne(message, Icon::Information);
        });
        QCOMPARE(Snapshot(folder->Path()), before);
    }

    // A typed folder is a plain prefix, checked first; an empty box means the user's data folder,
    // elided in the middle if too long and whole as the tooltip. Each Browse button fills its own
    // box from it, Login and Edit with a store file; a cancel or a failure leaves the box alone.
    void folderBoxes() {
        const QString name(50, QChar(0x00E9));
        QVERIFY(QDir(folder->Path()).mkdir("data"));
        Setup([&](frmAccounts& a) { Fill(a, New, {name, "pw", "pw", folder->File("data")}); });
        QVERIFY(LoggedIn() && QFile::exists(folder->File("data" + name + ".mdb")));

        Environment::SetDataFolder(std::nullopt);
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder->File(QString(150, 'h'))));
        const QString personal = qEnvironmentVariable("XDG_DATA_HOME") + "/tst_accounts/";
        const QString missing = folder->File("missing/");
        QList<Dialogs::FolderRequest> requests;
        Dialogs::SetFolderPicker([&](const Dialogs::FolderRequest& request) {
            if (requests.append(request); requests.size() == 5)
                throw Failure(5, "Input/output error");
            return requests.size() <= 3 ? std::optional<QString>("/chosen/") : std::nullopt;
        });
        Setup([&](frmAccounts& a) {
            const QString shown = a.txtLoginPath->placeholderText();
            QVERIFY(shown.startsWith(personal.left(9)) && shown.endsWith("h/tst_accounts/") &&
                    shown.size() < personal.size() && a.txtLoginPath->toolTip() == personal);
            for (QPushButton* button :
                 {a.cmdLoginPath, a.cmdNewPath, a.cmdEditPath, a.cmdNewPath, a.cmdNewPath})
                button->click();
            messages->ExpectOne("Error [cmdNewPath]: 5\r\nInput/output error", Icon::Critical);
            for (QLineEdit* box : {a.txtLoginPath, a.txtNewPath, a.txtEditPath})
                QCOMPARE(box->text(), QString("/chosen/"));
            Fill(a, New, {"bob", "pw", "pw", missing});
            messages->ExpectOne("Sorry, could not create this account in " + missing +
                                    "\r\nNo such file or directory",
                                Icon::Information);
            Fill(a, New, {"bob", "pw", "pw"});
        });
        QCOMPARE(requests[0].title + requests[0].startFolder + requests[0].filter +
                     requests[1].filter + requests[2].filter,
                 "Select path:" + personal + "Store files (*.mdb)Store files (*.mdb)");
        QVERIFY(!QFile::exists(missing));
        Setup([](frmAccounts& a) { Fill(a, Login, {"bob", "pw"}); });
        qunsetenv("XDG_DATA_HOME");
        QVERIFY(LoggedIn());
    }

    // Only while logged in; every command needs the store.
    void commandsItemsRunTheButtonOfTheSameCaption() {
        const QList<QAction*> items = Named<QMenu>("mnuCommands")->actions();
        for (const bool loggedIn : {false, true}) {
            if (loggedIn) {
                Setup([](frmAccounts& a) { Fill(a, New, {"bob", "pw", "pw"}); });
                script->Then<frmNewEntry>([](frmNewEntry& entry) { entry.close(); });
            }
            for (QAction* item : items) {
                auto* button = Named<QPushButton>(
                    qPrintable(item->objectName().replace("mnuCommands", "cmd")));
                QVERIFY(button && button->text() == item->text());
                QSignalSpy clicked(button, &QPushButton::clicked);
                item->trigger();
                QCOMPARE(clicked.count(), int(loggedIn));
            }
            messages->Take();
        }
    }

    // About opens its box; Contents opens the page beside the program, else the installed one,
    // and names the page where it is missing or nothing could open it.
    void help() {
        script->Then<frmAbout>([](frmAbout&) {});
        Named<QAction>("mnuHelpAbout")->trigger();
        QVERIFY(QDir().mkpath(folder->File("bin")) &&
                QDir().mkpath(folder->File("share/ketterby")));
        Environment::SetApplicationFolder(folder->File("bin/"));
        const QString installed = folder->File("share/ketterby/help.htm");
        QStringList opened; // the first opening fails, the next finds no launcher, the last opens
        HelpPage::SetOpener([&](const QString& path) {
            if (opened << path; opened.size() == 1)
                throw Failure(5, "Input/output error");
            return opened.size() > 2;
        });
        for (const auto& [page, report] :
             {std::pair(QString(), "The help page could not be found:\r\n" + installed),
              {installed, "Error [mnuHelpContents_Click]: 5\r\nInput/output error"},
              {{},
               "No program could open the help page. Open it in a web browser:\r\n" + installed},
              {folder->File("bin/help.htm"), {}}}) {
            if (!page.isEmpty())
                WriteBytes(page, "<html></html>");
            Named<QAction>("mnuHelpContents")->trigger();
            if (!report.isEmpty())
                messages->ExpectOne(report, report.startsWith("Error") ? Icon::Critical
                                                                       : Icon::Information);
        }
        QCOMPARE(opened.last(), folder->File("bin/help.htm"));
        HelpPage::SetOpener({});
        Environment::SetApplicationFolder(std::nullopt);
    }

    // Each form at the usual desktop font sizes, each of its tabs in turn; and in a condensed
    // font, whose letters narrow while its lines keep their height.
    void formsFitTheirFont_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("stretch");
        for (const char* form :
             {"frmKetterby", "frmAccounts", "frmNewEntry", "frmInputForm", "frmAbout"}) {
            for (int points = 8; points <= 12; ++points)
                QTest::addRow("%s at %d pt", form, points) << QString(form) << points << 100;
            QTest::addRow("%s condensed", form) << QString(form) << 10 << 80;
        }
    }

    void formsFitTheirFont() {
        QFETCH(QString, form);
        QFETCH(int, points);
        QFETCH(int, stretch);
        QFont font = designFont;
        font.setPointSize(points);
        font.setStretch(stretch);
        QApplication::setFont(font);
        Environment::SetDataFolder("/home/alexandra/.local/share/Ketterby/");
        window = std::make_unique<frmKetterby>();
        const QString store = folder->File("s.mdb");
        MakeStore(store, KeyOf("pw"), {{"Default", SampleEntries(17)}});
        const Session session(store, KeyOf("pw")); // the New Entry dialog adds to an open store
        std::unique_ptr<QWidget> dialog;
        if (form == "frmAccounts")
            dialog = std::make_unique<frmAccounts>(*window);
        else if (form == "frmNewEntry")
            dialog = std::make_unique<frmNewEntry>(session, DefaultTable, "gen");
        else if (form == "frmInputForm")
            dialog = std::make_unique<frmInputForm>();
        else if (form == "frmAbout")
            dialog = std::make_unique<frmAbout>();
        Environment::SetDataFolder(folder->Path());
        QWidget& shown = dialog ? *dialog : *window;
        if (!dialog) {
            LogIn(store);
            Named<QComboBox>("cmbPasswordLength")->setCurrentIndex(19);
            Named<QPushButton>("cmdGenerate")->click();
        }
        shown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown));
        auto* tabs = shown.findChild<QTabWidget*>("SSTab1");
        for (int tab = 0; tab < (tabs ? std::min(tabs->count(), 3) : 1); ++tab) { // not Exit
            if (tabs)
                tabs->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            ExpectTextsFit(shown);
        }
        if (dialog)
            return;
        // The grid's header and 17 rows, and the 20 generated passwords, show without scrolling.
        for (const char* name : {"msgMSFlexGrid", "PasswordList"})
            for (const QScrollBar* bar : Named(name)->findChildren<QScrollBar*>())
                QVERIFY2(bar->maximum() == 0, name); // the bars show only once events are handled
    }

    // Passwords in a fixed-pitch font, a cut cell's text as a tooltip, icons sharp at scale 2; a
    // screen reader names each control by what it is, reads a chooser's value and items, and
    // reads the grid's fixed cells as the headers of the entries' cells.
    void readsClearly() {
        const QString store = folder->File("s.mdb");
        MakeStore(store, KeyOf("pw"),
                  {{"Default", {{"1/2/26", QString(80, 'd'), "u", QString(40, 'l')}}}});
        LogIn(store);
        const frmAccounts accounts(*window);
        QStringList said; // each control's name and value, and a chooser's text and items
        for (QWidget* control : std::initializer_list<QWidget*>{
                 Named("Frame4"), Named("Frame5"), Named("txtText"), accounts.txtLoginPath,
                 accounts.txtNewPath, accounts.txtEditPath, Named("cmbCurrentTable"),
                 Named("cmbPasswordLength")}) {
            QAccessibleInterface* read = QAccessible::queryAccessibleInterface(control);
            said << read->text(QAccessible::Name) + "|" + read->text(QAccessible::Value);
            if (read->role() == QAccessible::ComboBox) // its text, and its list's items
                said.last() += "|" + read->textInterface()->text(0, -1) + "|" +
                               QString::number(read->child(0)->childCount());
        }
        QCOMPARE(said, (QStringList{"Character class|", "Letter case|", "Edit entry field|",
                                    "Folder|", "Folder|", "Folder|",
                                    "Current table|Default|Default|1", "Password size|10|10|20"}));
        auto* grid = Named<FlexGrid>("msgMSFlexGrid");
        QAccessibleTableInterface& table =
            *QAccessible::queryAccessibleInterface(grid)->tableInterface();
        QAccessibleInterface* cell = table.cellAt(0, 2); // the first entry's user ID
        said = QStringList{table.columnDescription(0), table.columnDescription(3),
                           QString::number(table.rowCount())};
        for (QAccessibleInterface* read : {cell, cell->tableCellInterface()->columnHeaderCells()[0],
                                           cell->tableCellInterface()->rowHeaderCells()[0]})
            said << QMetaEnum::fromType<QAccessible::Role>().valueToKey(read->role()) +
                        (" " + read->text(QAccessible::Name));
        QCOMPARE(said, (QStringList{"Date", "Password", "17", "Cell u", "ColumnHeader User ID",
                                    "RowHeader 1"}));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        for (const QFont& font : {grid->model()->index(1, 4).data(Qt::FontRole).value<QFont>(),
                                  Named("PasswordList")->font()})
            QCOMPARE(QFontMetrics(font).horizontalAdvance("lI1"),
                     QFontMetrics(font).horizontalAdvance("WO0"));
        for (const int col : {3, 2, 4}) { // forty l would fit the column, but not fixed-pitch
            const QPoint cell = grid->CellRect(1, col).center() - grid->viewport()->pos();
            QHelpEvent help(QEvent::ToolTip, cell, grid->viewport()->mapToGlobal(cell));
            QCoreApplication::sendEvent(grid->viewport(), &help);
            QCOMPARE(QToolTip::text(), col == 3 ? QString() : grid->TextMatrix(1, col));
        }
        for (const auto icon : {QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxWarning,
                                QStyle::SP_MessageBoxCritical, QStyle::SP_MessageBoxQuestion})
            QCOMPARE(QApplication::style()->standardIcon(icon).pixmap(QSize(32, 32), 2).size(),
                     QSize(64, 64));
    }
};

QTEST_MAIN(AccountsTest)
#include "tst_accounts.moc"
