// The main window's shell: the Commands items and the boxes that refuse typed quotes.
#include "gui/frmAccounts.h"
#include "gui/frmInputForm.h"
#include "gui/frmKetterby.h"

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
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
