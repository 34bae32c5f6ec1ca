// The Help menu: the about box and the help page.
#include "core/Environment.h"
#include "core/ErrorTrap.h"
#include "gui/HelpPage.h"
#include "gui/frmAbout.h"
#include "gui/frmKetterby.h"
#include "tests/support/GuiSupport.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

class AboutTest : public QObject, protected Fixture {
    Q_OBJECT

  private slots:
    void init() { Start(); }

    void cleanup() {
        HelpPage::SetOpener({});
        Environment::SetApplicationFolder(std::nullopt);
        Finish();
    }

    void aboutBox_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }

    // The box names the program and its version; the main window waits until a key closes it.
    void aboutBox() {
        QFETCH(int, key);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        script->Then<frmAbout>([&](frmAbout& about) {
            QCOMPARE(about.windowTitle(), QString("About Ketterby"));
            QCOMPARE(about.lblTitle->text(), QString("Ketterby"));
            QCOMPARE(about.lblDescription->text(), QString("Product name: Ketterby v1.0.3"));
            QCOMPARE(about.lblDisclaimer->text(),
                     QString("Separate accounts for individual users help you manage your user "
                             "names and passwords without having to remember all of them. "
                             "Ketterby helps you generate new passwords and saves you typing the "
                             "same information again and again."));
            QCOMPARE(about.cmdOK->text(), QString("OK"));
            QVERIFY(!about.picIcon->pixmap().isNull());
            QTabBar* tabs = window->SSTab1->tabBar();
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                              tabs->mapTo(window.get(), tabs->tabRect(1).center()));
            QCOMPARE(window->SSTab1->currentIndex(), 0);
            QTest::keyClick(&about, Qt::Key(key));
            QVERIFY(!about.isVisible());
        });
        window->mnuHelpAbout->trigger();
        QVERIFY(script->Finished());
    }

    void helpContents_data() {
        QTest::addColumn<QStringList>("pages");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<bool>("handlerFails");
        const QString beside = "bin/help.htm", installed = "share/ketterby/help.htm";
        QTest::newRow("beside the program") << QStringList{beside} << beside << false;
        QTest::newRow("installed") << QStringList{installed} << installed << false;
        QTest::newRow("both") << QStringList{installed, beside} << beside << false;
        QTest::newRow("missing") << QStringList{} << QString() << false;
        QTest::newRow("handler fails") << QStringList{beside} << beside << true;
    }

    // Help asks the system's handler for the page beside the program, else for the installed
    // one; a missing page shows nothing, a failure is reported.
    void helpContents() {
        QFETCH(QStringList, pages);
        QFETCH(QString, opened);
        QFETCH(bool, handlerFails);
        const QString root = folder->Path();
        QVERIFY(QDir(root).mkpath("bin") && QDir(root).mkpath("share/ketterby"));
        for (const QString& page : pages)
            WriteBytes(root + page, "<html></html>");
        Environment::SetApplicationFolder(root + "bin/");
        QStringList asked;
        HelpPage::SetOpener([&](const QString& path) {
            asked.append(path);
            if (handlerFails)
                throw Failure(5, "Input/output error");
        });
        window->mnuHelpContents->trigger();
        QCOMPARE(asked, opened.isEmpty() ? QStringList() : QStringList{root + opened});
        if (handlerFails)
            messages->ExpectOne("Error [mnuHelpContents_Click]: 5\r\nInput/output error",
                                MessageBoxes::Icon::Critical);
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
