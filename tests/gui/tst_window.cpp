// The main window's shell: Commands items, typed quotes, the about box and the help page.
#include "core/Environment.h"
#include "core/ErrorTrap.h"
#include "gui/HelpPage.h"
#include "gui/frmAbout.h"
#include "gui/frmAccounts.h"
#include "gui/frmInputForm.h"
#include "gui/frmKetterby.h"
#include "tests/support/GuiSupport.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class WindowTest : public QObject {
    Q_OBJECT

    frmKetterby window;

  private slots:
    void commandsItemsRunTheButtonOfTheSameCaption() {
        QCOMPARE(window.mnuCommands->actions().size(), 7);
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

    // Typed quotes never reach a password box or the input dialog, and the caret stays; names
    // and folders take them.
    void typedQuotesReachOnlyTheUnfilteredBoxes() {
        frmAccounts accounts(window);
        frmInputForm input;
        const QStringList filtered = {"txtLoginPassword", "txtNewPassword1", "txtNewPassword2",
                                      "txtEditOldPass",   "txtEditNewPass1", "txtEditNewPass2"};
        QList<QLineEdit*> boxes = accounts.findChildren<QLineEdit*>();
        boxes.append(input.txtText);
        QCOMPARE(boxes.size(), 14);
        for (QLineEdit* box : boxes) {
            QTest::keyClicks(box, "a'b\"c");
            const bool refuses = box == input.txtText || filtered.contains(box->objectName());
            QCOMPARE(box->text(), refuses ? QString("abc") : QString("a'b\"c"));
            QCOMPARE(box->cursorPosition(), box->text().size());
        }
    }

    // The about box shuts the main window off until Enter or Esc closes it.
    void aboutBox() {
        DialogScript script;
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            script.Then<frmAbout>([&](frmAbout& about) {
                QCOMPARE(about.windowTitle(), QString("About Ketterby"));
                QCOMPARE(about.lblTitle->text(), QString("Ketterby"));
                QCOMPARE(about.lblDescription->text(), QString("Product name: Ketterby v1.0.3"));
                QVERIFY(!about.picIcon->pixmap().isNull());
                QCOMPARE(QApplication::activeModalWidget(), &about);
                QTest::keyClick(&about, key);
                QVERIFY(!about.isVisible());
            });
            window.mnuHelpAbout->trigger();
        }
        QVERIFY(script.Finished());
    }

    // Help opens the page beside the program, else the installed one; none shows no message.
    void helpContents() {
        MessageRecorder messages;
        TestFolder root;
        QVERIFY(QDir().mkpath(root.File("bin")) && QDir().mkpath(root.File("share/ketterby")));
        Environment::SetApplicationFolder(root.File("bin/"));
        // The handler fails with the page it was asked for, so the error report names it.
        HelpPage::SetOpener([](const QString& path) -> void { throw Failure(5, path); });
        window.mnuHelpContents->trigger();
        for (const QString& page :
             {root.File("share/ketterby/help.htm"), root.File("bin/help.htm")}) {
            WriteBytes(page, "<html></html>");
            window.mnuHelpContents->trigger();
            messages.ExpectOne("Error [mnuHelpContents_Click]: 5\r\n" + page,
                               MessageBoxes::Icon::Critical);
        }
        HelpPage::SetOpener({});
        Environment::SetApplicationFolder(std::nullopt);
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
