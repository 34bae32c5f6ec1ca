// The account dialog driven through its real forms, from start-up to exit.
#include "app/Dialogs.h"
#include "app/ErrorTrap.h"
#include "app/frmKetterby.h"
#include "entries/FlexGrid.h"
#include "store/StoreFiles.h"
#include "store/StoreState.h"
#include "store/frmAccounts.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using MessageBoxes::Icon;

namespace {

const QString CouldNotOpen = "Sorry, could not locate or open this account.";
const QString InUse = "This account name is already in use.\r\nPlease use a different name.";
const QString TooLong = "Value entered is too long.\r\nMaximum length is 50 characters.";
const QString NoSpaces = "No spaces allowed in password!";
const QString Mismatch = "Sorry, both passwords must match!";

bool LoggedIn(const frmKetterby& window) {
    return !window.SSTab1->isHidden() && window.mnuCommands->isEnabled() &&
           Store::StoreConnection != nullptr;
}

} // namespace

class AccountsTest : public QObject, protected Fixture {
    Q_OBJECT

    // Runs one step in the account dialog opened from Accounts > Account Setup.
    void Setup(std::function<void(frmAccounts&)> step) {
        script->Then<frmAccounts>(std::move(step));
        window->mnuAccountsAccountSetup->trigger();
        QVERIFY(script->Finished());
    }
    void Create(const QString& name, const QString& password) {
        Setup([&](frmAccounts& a) { FillNew(a, name, password, password); });
    }
    void LogIn(const QString& name, const QString& password) {
        Setup([&](frmAccounts& a) { FillLogin(a, name, password); });
    }

  private slots:
    void init() { Start(); }

    void cleanup() { Finish(); }

    void startUpAsksForAnAccountBeforeTheWindowShows() {
        bool windowShownMeanwhile = true;
        script->Then<frmAccounts>([&](frmAccounts& accounts) {
            windowShownMeanwhile = window->isVisible();
            QCOMPARE(accounts.windowTitle(), QString("Accounts"));
            QCOMPARE(accounts.SSTab1->currentIndex(), 0);
            const QStringList tabs = {"Login", "New ", "Edit", "Exit"};
            for (int tab = 0; tab < tabs.size(); ++tab)
                QCOMPARE(accounts.SSTab1->tabText(tab), tabs[tab]);
            for (QLineEdit* box : accounts.findChildren<QLineEdit*>())
                QVERIFY(box->text().isEmpty());
            QCOMPARE(accounts.txtLoginPassword->echoMode(), QLineEdit::Password);
            QCOMPARE(accounts.Label2->buddy(), accounts.txtLoginPassword);
            accounts.SSTab1->setCurrentIndex(3); // the Exit tab closes the dialog
            QVERIFY(!accounts.isVisible());
        });
        window->Form_Load();
        QVERIFY(script->Finished());
        QVERIFY(!windowShownMeanwhile);
        QVERIFY(window->SSTab1->isHidden());
        QVERIFY(!window->mnuCommands->isEnabled());
        for (QMenu* menu : {window->mnuFile, window->mnuAccounts, window->mnuHelp})
            QVERIFY(menu->isEnabled());
        QCOMPARE(window->windowTitle(), QString("Ketterby"));
    }

    void wholeLifecycle() {
        Create("bob", "first");
        QVERIFY(LoggedIn(*window));
        QCOMPARE(window->cmbCurrentTable->currentText(), QString("Default"));
        QCOMPARE(window->msgMSFlexGrid->TextMatrix(0, 4), QString("Password"));

        window->mnuFileLogout->trigger();
        QVERIFY(!LoggedIn(*window));
        QCOMPARE(window->TablesList->count(), 0);
        window->mnuFileLogout->trigger(); // logged out already: nothing changes
        QVERIFY(window->SSTab1->isHidden());

        Setup([&](frmAccounts& accounts) {
            accounts.txtLoginPath->setText(folder->Path());
            FillLogin(accounts, "bob", "wrong", folder->Path());
            messages->ExpectOne(CouldNotOpen, Icon::Information);
            QVERIFY(accounts.txtLoginUser->text().isEmpty());
            QVERIFY(accounts.txtLoginPassword->text().isEmpty());
            QCOMPARE(accounts.txtLoginPath->text(), folder->Path());
            QCOMPARE(accounts.focusWidget(), accounts.txtLoginUser);
            QVERIFY(accounts.isVisible());
            FillLogin(accounts, "  bob ", " first  ", folder->Path()); // blanks are trimmed
            QVERIFY(!accounts.isVisible());
        });
        QVERIFY(LoggedIn(*window));
        QCOMPARE(folder->Files(), (QStringList{"bob.bak", "bob.mdb"}));

        // Account Setup closed without an action keeps the look and the open store.
        Setup([](frmAccounts& accounts) { accounts.close(); });
        QVERIFY(LoggedIn(*window));

        Setup([](frmAccounts& a) { FillEdit(a, "bob", "first", "alice", "second", "second"); });
        QVERIFY(!LoggedIn(*window));
        QCOMPARE(folder->Files(), (QStringList{"alice.mdb", "bob.bak"}));
        LogIn("alice", "second");
        QVERIFY(LoggedIn(*window));

        // Re-keying under the same name: only the new password opens the store.
        Setup([](frmAccounts& a) { FillEdit(a, "alice", "second", "alice", "third", "third"); });
        QVERIFY(!LoggedIn(*window));
        Setup([&](frmAccounts& accounts) {
            FillLogin(accounts, "alice", "second");
            messages->ExpectOne(CouldNotOpen, Icon::Information);
            FillLogin(accounts, "alice", "third");
        });
        QVERIFY(LoggedIn(*window));

        // A name in use is refused, changes no file, and still logs the user out.
        const QByteArray before = Bytes(folder->File("alice.mdb"));
        Setup([&](frmAccounts& accounts) {
            FillNew(accounts, "alice", "other", "other");
            messages->ExpectOne(InUse, Icon::Information);
        });
        QVERIFY(!LoggedIn(*window));
        QCOMPARE(Bytes(folder->File("alice.mdb")), before);
        QCOMPARE(folder->Files(), (QStringList{"alice.bak", "alice.mdb", "bob.bak"}));

        LogIn("alice", "third");
        window->close(); // exit closes the store
        QVERIFY(Store::StoreConnection == nullptr);
    }

    void newTabRefusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("passwordsEmptied");
        QTest::newRow("empty name") << "   "
                                    << "pw"
                                    << "pw"
                                    << "Please enter a valid name." << false;
        QTest::newRow("name of 51") << QString(51, 'n') << "pw"
                                    << "pw" << TooLong << false;
        QTest::newRow("blank inside password") << "bob"
                                               << "p w"
                                               << "p w" << NoSpaces << false;
        QTest::newRow("empty password") << "bob"
                                        << "  "
                                        << ""
                                        << "Please enter a valid password." << false;
        QTest::newRow("password of 51") << "bob" << QString(51, 'p') << "" << TooLong << false;
        QTest::newRow("confirmation differs in case") << "bob"
                                                      << "Secret"
                                                      << "secret" << Mismatch << true;
        for (const QString& name : QStringList{"a/b", "..", "c:d", "tab\there"})
            QTest::newRow(qPrintable("not a file name: " + name))
                << name << "pw"
                << "pw"
                << "Please enter a valid name.\r\nAn account name cannot contain any of \\ / : * ? "
                   "\" < > | or a control character, and cannot be \".\" or \"..\"."
                << false;
    }

    void newTabRefusals() {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, confirmation);
        QFETCH(QString, message);
        QFETCH(bool, passwordsEmptied);
        Setup([&](frmAccounts& accounts) {
            FillNew(accounts, name, password, confirmation);
            messages->ExpectOne(message, Icon::Information);
            QCOMPARE(accounts.txtNewUser->text(), name);
            QCOMPARE(accounts.txtNewPassword1->text().isEmpty(),
                     passwordsEmptied || password.isEmpty());
            QCOMPARE(accounts.txtNewPassword2->text().isEmpty(),
                     passwordsEmptied || confirmation.isEmpty());
        });
        QVERIFY(folder->Files().isEmpty());
    }

    void newTabAcceptsFiftyCharactersAndATypedFolderAsAPrefix() {
        const QString name(50, QChar(0x00E9));
        QVERIFY(QDir(folder->Path()).mkdir("data"));
        Setup([&](frmAccounts& a) {
            FillNew(a, name, "pw", "pw", folder->File("data")); // no separator: a plain prefix
        });
        QVERIFY(LoggedIn(*window));
        QVERIFY(QFile::exists(folder->File("data" + name + ".mdb")));
    }

    void editTabRefusals_data() {
        QTest::addColumn<QString>("oldName");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty new name") << "bob"
                                        << ""
                                        << "pw"
                                        << "pw"
                                        << "Please enter a valid name.";
        QTest::newRow("new name of 51") << "bob" << QString(51, 'n') << "pw"
                                        << "pw" << TooLong;
        QTest::newRow("blank in new password") << "bob"
                                               << "bob"
                                               << "a b"
                                               << "a b" << NoSpaces;
        QTest::newRow("new password of 51") << "bob"
                                            << "bob" << QString(51, 'p') << "" << TooLong;
        QTest::newRow("confirmation differs") << "bob"
                                              << "bob"
                                              << "pw"
                                              << "pW" << Mismatch;
        QTest::newRow("wrong old password") << "bob:wrong"
                                            << "new"
                                            << "pw"
                                            << "pw" << CouldNotOpen;
        QTest::newRow("no such account") << "nobody"
                                         << "new"
                                         << "pw"
                                         << "pw" << CouldNotOpen;
        QTest::newRow("old name not a file name") << "../bob"
                                                  << "new"
                                                  << "pw"
                                                  << "pw" << CouldNotOpen;
        QTest::newRow("new name in use") << "bob"
                                         << "carol"
                                         << "pw"
                                         << "pw" << InUse;
    }

    void editTabRefusals() {
        QFETCH(QString, oldName);
        QFETCH(QString, newName);
        QFETCH(QString, newPassword);
        QFETCH(QString, confirmation);
        QFETCH(QString, message);
        MakeStore(folder->File("bob.mdb"), KeyOf("old"), {{"Default", {}}});
        MakeStore(folder->File("carol.mdb"), KeyOf("other"), {{"Default", {}}});
        const QByteArray bob = Bytes(folder->File("bob.mdb"));
        Setup([&](frmAccounts& accounts) {
            // "name:password" gives the old password; it is "old" otherwise.
            const QStringList old = (oldName + ":old").split(':');
            FillEdit(accounts, old[0], old[1], newName, newPassword, confirmation);
            messages->ExpectOne(message, Icon::Information);
            if (message == Mismatch) {
                QVERIFY(accounts.txtEditNewPass1->text().isEmpty());
                QVERIFY(accounts.txtEditNewPass2->text().isEmpty());
                QCOMPARE(accounts.focusWidget(), accounts.txtEditNewPass1);
            }
            if (message == CouldNotOpen)
                QCOMPARE(accounts.focusWidget(), accounts.txtEditOldUser);
        });
        QCOMPARE(Bytes(folder->File("bob.mdb")), bob);
        QCOMPARE(folder->Files(), (QStringList{"bob.mdb", "carol.mdb"}));
    }

    void loginRefusesWhatIsNotAnOpenableStore_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "nobody";
        QTest::newRow("garbage file") << "garbage";
        QTest::newRow("a path, not a name") << "../garbage";
        QTest::newRow("a folder") << "folder";
    }

    void loginRefusesWhatIsNotAnOpenableStore() {
        QFile garbage(folder->File("garbage.mdb"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, 'g'));
        garbage.close();
        QVERIFY(QDir(folder->Path()).mkdir("folder.mdb"));
        QFETCH(QString, name);
        Setup([&](frmAccounts& a) {
            FillLogin(a, name, "pw");
            messages->ExpectOne(CouldNotOpen, Icon::Information);
        });
        QCOMPARE(Bytes(folder->File("garbage.mdb")), QByteArray(4096, 'g'));
        QCOMPARE(folder->Files(), QStringList{"garbage.mdb"});
    }

    // Each Browse button fills its own folder box; a cancel or a failure leaves it alone.
    void folderPickers() {
        std::optional<QString> answer = "/chosen/";
        QList<Dialogs::FolderRequest> requests;
        Dialogs::SetFolderPicker([&](const Dialogs::FolderRequest& request) {
            requests.append(request);
            if (!answer)
                throw Failure(5, "Input/output error");
            return answer->isEmpty() ? std::nullopt : answer;
        });
        Setup([&](frmAccounts& a) {
            const std::tuple<QPushButton*, QLineEdit*, QString> pickers[] = {
                {a.cmdLoginPath, a.txtLoginPath, "cmdLoginPath"},
                {a.cmdNewPath, a.txtNewPath, "cmdNewPath"},
                {a.cmdEditPath, a.txtEditPath, "cmdEditPath"}};
            for (const auto& [button, box, procedure] : pickers) {
                answer = "/chosen/";
                button->click();
                answer = ""; // cancelled
                button->click();
                answer = std::nullopt;
                button->click();
                messages->ExpectOne("Error [" + procedure + "]: 5\r\nInput/output error",
                                    Icon::Critical);
                QCOMPARE(box->text(), QString("/chosen/"));
            }
            QVERIFY(a.txtLoginUser->text().isEmpty());
        });
        Dialogs::SetFolderPicker({});
        QCOMPARE(requests.size(), 9);
        for (int i : {0, 3, 6}) {
            QCOMPARE(requests[i].title, QString("Select path:"));
            QCOMPARE(requests[i].startFolder, folder->Path());
        }
        QCOMPARE(requests[0].filter, QString("Store files (*.mdb)"));
        QCOMPARE(requests[3].filter, QString()); // New picks a folder itself
        QCOMPARE(requests[6].filter, QString("Store files (*.mdb)"));
    }

    // Quotes cannot be typed into the password boxes; account names take them.
    void passwordBoxesRefuseTypedQuotes() {
        Setup([&](frmAccounts& accounts) {
            for (QLineEdit* box :
                 {accounts.txtLoginPassword, accounts.txtNewPassword1, accounts.txtNewPassword2,
                  accounts.txtEditOldPass, accounts.txtEditNewPass1, accounts.txtEditNewPass2}) {
                QTest::keyClicks(box, "a'b\"c");
                QCOMPARE(box->text(), QString("abc"));
                QCOMPARE(box->cursorPosition(), 3);
            }
            for (QLineEdit* box :
                 {accounts.txtLoginUser, accounts.txtNewUser, accounts.txtEditOldUser,
                  accounts.txtEditNewUser, accounts.txtLoginPath}) {
                QTest::keyClicks(box, "o'n\"e");
                QCOMPARE(box->text(), QString("o'n\"e"));
            }
        });
    }
};

QTEST_MAIN(AccountsTest)
#include "tst_accounts.moc"
