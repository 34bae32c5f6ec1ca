// The application shell: the text input rules, the menus and the two looks of the window.
#include "app/FormRoutines.h"
#include "app/TextInput.h"
#include "app/frmKetterby.h"

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class AppTest : public QObject {
    Q_OBJECT

    frmKetterby window;

  private slots:
    void filterQuotesCancelsOnlyTheTwoQuotes() {
        for (int code = 0; code < 128; ++code) {
            int keyAscii = code;
            FormRoutines::FilterQuotes(keyAscii);
            QCOMPARE(keyAscii, code == 39 || code == 34 ? 0 : code);
        }
    }

    void quoteSqlDoublesEveryApostrophe() {
        const std::pair<QString, QString> cases[] = {{"", ""},
                                                     {"plain", "plain"},
                                                     {"O'Brien", "O''Brien"},
                                                     {"''", "''''"},
                                                     {"say \"hi\"", "say \"hi\""}};
        for (const auto& [text, quoted] : cases)
            QCOMPARE(Routines::QuoteSQL(text), quoted);
    }

    // Items run in order under their menus; every Commands item runs its button's handler.
    void menusAndTheirForwarding() {
        QStringList tree;
        for (QAction* top : window.menuBar()->actions()) {
            tree << top->menu()->objectName() + " " + top->menu()->title();
            for (QAction* item : top->menu()->actions())
                tree << "  " + item->objectName() + " " +
                            (item->isSeparator() ? "-" : item->text());
        }
        QCOMPARE(tree, (QStringList{"mnuFile &File", "  mnuFileLogout Log out", "  mnuSeparator1 -",
                                    "  mnuFileExit E&xit", "mnuCommands &Commands",
                                    "  mnuCommandsNew &New", "  mnuCommandsDelete &Delete",
                                    "  mnuCommandsEdit &Edit", "  mnuCommandsInsert &Insert",
                                    "  mnuCommandsCut &Cut", "  mnuCommandsPaste &Paste",
                                    "  mnuCommandsExport E&xport", "mnuAccounts &Accounts",
                                    "  mnuAccountsAccountSetup Account &Setup", "mnuHelp &Help",
                                    "  mnuHelpContents &Contents", "  mnuSeparator2 -",
                                    "  mnuHelpAbout &About"}));
        QCOMPARE(window.mnuFileExit->shortcut(), QKeySequence("Ctrl+X"));
        for (QAction* item : window.mnuCommands->actions()) {
            auto* button =
                window.findChild<QPushButton*>(item->objectName().replace("mnuCommands", "cmd"));
            QVERIFY(button);
            QCOMPARE(button->text(), item->text());
            QSignalSpy clicked(button, &QPushButton::clicked);
            item->trigger();
            QCOMPARE(clicked.count(), 1);
        }
    }

    void looksSwitchTheTabsAndCommandsOnly() {
        for (const bool loggedIn : {true, false, false, true}) {
            FormRoutines::EnableControls(loggedIn);
            QCOMPARE(window.SSTab1->isHidden(), !loggedIn);
            QCOMPARE(window.mnuCommands->isEnabled(), loggedIn);
            for (QMenu* menu : {window.mnuFile, window.mnuAccounts, window.mnuHelp})
                QVERIFY(menu->isEnabled());
            QCOMPARE(window.windowTitle(), QString("Ketterby"));
        }
    }
};

QTEST_MAIN(AppTest)
#include "tst_app.moc"
