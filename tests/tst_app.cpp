// The application shell: text input rules, the main window's inventory, menus and looks.
#include "app/FormRoutines.h"
#include "app/TextInput.h"
#include "app/frmKetterby.h"
#include "entries/FlexGrid.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

class AppTest : public QObject {
    Q_OBJECT

    std::unique_ptr<frmKetterby> window;

  private slots:
    void init() { window = std::make_unique<frmKetterby>(); }
    void cleanup() { window.reset(); }

    void filterQuotesCancelsOnlyTheTwoQuotes() {
        for (int code = 0; code < 128; ++code) {
            int keyAscii = code;
            FormRoutines::FilterQuotes(keyAscii);
            QCOMPARE(keyAscii, code == 39 || code == 34 ? 0 : code);
        }
    }

    void quoteSqlDoublesApostrophes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("no apostrophe") << "plain" << "plain";
        QTest::newRow("O'Brien") << "O'Brien" << "O''Brien";
        QTest::newRow("two apostrophes") << "''" << "''''";
        QTest::newRow("double quote") << "say \"hi\"" << "say \"hi\"";
    }

    void quoteSqlDoublesApostrophes() {
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        QCOMPARE(Routines::QuoteSQL(text), quoted);
    }

    void trimRemovesOnlyOuterBlanks() {
        QCOMPARE(FormRoutines::TrimBlanks("  a b  "), QString("a b"));
        QCOMPARE(FormRoutines::TrimBlanks("   "), QString());
        QCOMPARE(FormRoutines::TrimBlanks("\tx"), QString("\tx"));
    }

    void inventory_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("twips");
        const auto row = [](const char* name, const char* caption, const char* parent, int l,
                            int t, int w, int h) {
            QTest::newRow(name) << name << caption << parent << QRect(l, t, w, h);
        };
        row("msgMSFlexGrid", "", "Passwords", 240, 480, 9855, 5175);
        row("txtText", "", "Passwords", 7440, 2640, 1935, 375);
        row("Frame3", "", "Passwords", 240, 5760, 9855, 855);
        row("cmdNew", "&New", "Frame3", 240, 240, 975, 375);
        row("cmdDelete", "&Delete", "Frame3", 1320, 240, 975, 375);
        row("cmdEdit", "&Edit", "Frame3", 2400, 240, 975, 375);
        row("cmdInsert", "&Insert", "Frame3", 3480, 240, 975, 375);
        row("cmdCut", "&Cut", "Frame3", 4560, 240, 975, 375);
        row("cmdPaste", "&Paste", "Frame3", 5640, 240, 975, 375);
        row("cmdExport", "E&xport", "Frame3", 6720, 240, 975, 375);
        row("cmbCurrentTable", "cmbCurrentTable", "Frame3", 7920, 240, 1695, 315);
        row("Frame1", "Tables", "Generator", 240, 480, 2535, 5775);
        row("TablesList", "", "Frame1", 240, 360, 2055, 3375);
        row("cmdAdd", "&Add", "Frame1", 720, 3960, 1095, 375);
        row("cmdRemove", "&Remove", "Frame1", 720, 4560, 1095, 375);
        row("cmdRename", "&Rename", "Frame1", 720, 5160, 1095, 375);
        row("frmProperties1", "Properties", "Generator", 3000, 480, 2415, 3255);
        row("Frame4", "", "frmProperties1", 240, 240, 1935, 1335);
        row("optLetters", "Letters", "Frame4", 120, 240, 1215, 255);
        row("optNumbers", "Numbers", "Frame4", 120, 600, 1215, 255);
        row("optLettersNumbers", "Both", "Frame4", 120, 960, 1215, 255);
        row("Frame5", "", "frmProperties1", 240, 1680, 1935, 1335);
        row("optLowerCase", "LowerCase", "Frame5", 120, 240, 1335, 255);
        row("optUpperCase", "UpperCase", "Frame5", 120, 600, 1335, 255);
        row("optLowerUpperCase", "Both", "Frame5", 120, 960, 1335, 255);
        row("frmProperties2", "", "Generator", 3000, 3840, 2415, 1215);
        row("lblPWLength", "PasswordSize", "frmProperties2", 120, 480, 1335, 255);
        row("cmbPasswordLength", "", "frmProperties2", 1560, 480, 735, 315);
        row("Frame6", "", "Generator", 3000, 5160, 2415, 1095);
        row("cmdGenerate", "&Generate", "Frame6", 720, 360, 975, 375);
        row("Frame2", "Passwords generated", "Generator", 5640, 480, 4455, 5775);
        row("PasswordList", "", "Frame2", 240, 360, 3975, 5100);
    }

    // Names, captions, parents and positions of the window's controls (15 twips a pixel).
    void inventory() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, parent);
        QFETCH(QRect, twips);
        const auto* control = window->findChild<QWidget*>(name);
        QVERIFY(control);
        const QWidget* holder = control->parentWidget();
        const int tab = window->SSTab1->indexOf(const_cast<QWidget*>(holder));
        const bool onTab = tab >= 0;
        QCOMPARE(onTab ? window->SSTab1->tabText(tab) : holder->objectName(), parent);
        QString shown;
        if (auto* button = qobject_cast<const QAbstractButton*>(control))
            shown = button->text();
        else if (auto* frame = qobject_cast<const QGroupBox*>(control))
            shown = frame->title();
        else if (auto* label = qobject_cast<const QLabel*>(control))
            shown = label->text();
        else if (auto* combo = qobject_cast<const QComboBox*>(control))
            shown = combo->currentText();
        QCOMPARE(shown, caption);
        // Tab pages start below the tab strip; everything else is placed as laid out.
        const int strip = onTab ? window->SSTab1->tabBar()->sizeHint().height() * 15 : 0;
        const QRect expected(qRound(twips.x() / 15.0), qRound((twips.y() - strip) / 15.0),
                             qRound(twips.width() / 15.0), qRound(twips.height() / 15.0));
        QCOMPARE(control->geometry(), expected);
    }

    void windowAndTabs() {
        QCOMPARE(window->windowTitle(), QString("Ketterby"));
        QCOMPARE(window->centralWidget()->size(), QSize(707, 475));
        QCOMPARE(window->SSTab1->count(), 2);
        QCOMPARE(window->SSTab1->tabText(0), QString("Passwords"));
        QCOMPARE(window->SSTab1->tabText(1), QString("Generator"));
        QCOMPARE(window->SSTab1->currentIndex(), 0);
        QVERIFY(window->txtText->isHidden());
        QVERIFY(window->cmbCurrentTable->isEditable());
    }

    void menuTree() {
        const QList<QStringList> expected = {
            {"mnuFile", "&File", "mnuFileLogout", "Log out", "mnuSeparator1", "-", "mnuFileExit",
             "E&xit"},
            {"mnuCommands", "&Commands", "mnuCommandsNew", "&New", "mnuCommandsDelete", "&Delete",
             "mnuCommandsEdit", "&Edit", "mnuCommandsInsert", "&Insert", "mnuCommandsCut", "&Cut",
             "mnuCommandsPaste", "&Paste", "mnuCommandsExport", "E&xport"},
            {"mnuAccounts", "&Accounts", "mnuAccountsAccountSetup", "Account &Setup"},
            {"mnuHelp", "&Help", "mnuHelpContents", "&Contents", "mnuSeparator2", "-",
             "mnuHelpAbout", "&About"},
        };
        QList<QStringList> found;
        for (QAction* top : window->menuBar()->actions()) {
            QMenu* menu = top->menu();
            QStringList names = {menu->objectName(), menu->title()};
            for (QAction* item : menu->actions())
                names << item->objectName() << (item->isSeparator() ? "-" : item->text());
            found.append(names);
        }
        QCOMPARE(found, expected);
        QCOMPARE(window->mnuFileExit->shortcut(), QKeySequence("Ctrl+X"));
    }

    void commandsMenuRunsTheButtonsHandlers() {
        const std::pair<QAction*, QPushButton*> pairs[] = {
            {window->mnuCommandsNew, window->cmdNew},       {window->mnuCommandsDelete, window->cmdDelete},
            {window->mnuCommandsEdit, window->cmdEdit},     {window->mnuCommandsInsert, window->cmdInsert},
            {window->mnuCommandsCut, window->cmdCut},       {window->mnuCommandsPaste, window->cmdPaste},
            {window->mnuCommandsExport, window->cmdExport},
        };
        for (const auto& [item, button] : pairs) {
            QSignalSpy clicked(button, &QPushButton::clicked);
            item->trigger();
            QCOMPARE(clicked.count(), 1);
        }
    }

    void looksSwitchTabsAndCommandsOnly() {
        for (const bool loggedIn : {true, false, true}) {
            FormRoutines::EnableControls(loggedIn);
            QCOMPARE(window->SSTab1->isHidden(), !loggedIn);
            QCOMPARE(window->mnuCommands->isEnabled(), loggedIn);
            for (QMenu* menu : {window->mnuFile, window->mnuAccounts, window->mnuHelp})
                QVERIFY(menu->isEnabled());
        }
    }

    void typedQuotesNeverReachAFilteredBox() {
        QLineEdit box;
        FormRoutines::InstallQuoteFilter(&box);
        QTest::keyClicks(&box, "ab'\"c");
        QCOMPARE(box.text(), QString("abc"));
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), QString("ab"));
        box.insert("'\""); // pasted text is not filtered
        QCOMPARE(box.text(), QString("ab'\""));
    }
};

QTEST_MAIN(AppTest)
#include "tst_app.moc"
