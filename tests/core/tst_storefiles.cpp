// The store file layer on real files: creation, compaction, backups, validation, re-keying,
// real faults, crash safety and what reaches the disk.
#include "app/Environment.h"
#include "app/frmKetterby.h"
#include "entries/FlexGrid.h"
#include "store/StoreFiles.h"
#include "store/StoreKey.h"
#include "store/StoreState.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <cstring>
#include <filesystem>
#include <unistd.h>

using MessageBoxes::Icon;

namespace {

const QString Password = "hunter2";

void SetModified(const QString& path, const QDate& date) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime(date, QTime(12, 0)), QFileDevice::FileModificationTime));
}

bool OwnerOnly(const QString& path) {
    namespace fs = std::filesystem;
    return fs::status(path.toStdString()).permissions() ==
           (fs::perms::owner_read | fs::perms::owner_write);
}

QString SystemError(int number) {
    return QString::number(number) + "\r\n" + QString::fromLocal8Bit(std::strerror(number));
}

// A folder whose entries cannot change, for the root user too (who ignores permissions).
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(const QString& path) : path(path) {
        locked = geteuid() == 0 ? QProcess::execute("chattr", {"+i", path}) == 0
                                : QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnlyFolder() {
        if (geteuid() == 0)
            QProcess::execute("chattr", {"-i", path});
        else
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // What creating a file there fails with.
    static int Refusal() { return geteuid() == 0 ? EPERM : EACCES; }

    QString path;
    bool locked = false;
};

} // namespace

class StoreTest : public QObject, protected Fixture {
    Q_OBJECT

    QString store;

  private slots:
    void init() {
        Start();
        store = folder->File("bob.mdb");
        Environment::SetToday(QDate(2026, 6, 15));
    }

    void cleanup() {
        Environment::SetToday(std::nullopt);
        Finish();
    }

    // A known password must always give its known key, or users are locked out of stores.
    void storeKeyIsAFormatConstant() {
        QCOMPARE(KeyOf(Password), QString("uFRUUTfsky0BY8upNOgS"));
        for (const QString& password : {QString(), QString(50, 'x'), QString("pässwörd")})
            QCOMPARE(KeyOf(password).size(), StoreKey::KeyLength);
        QVERIFY(KeyOf("a") != KeyOf("A"));
    }

    // The README's recipe recomputes the key with the argon2 command and opens the store
    // with the sqlcipher shell and that key alone.
    void readmeRecipeOpensAStoreTheProgramMade() {
        QVERIFY(DBFunctions::SetupDatabase(store, KeyOf(Password)));
        DBFunctions::CloseDatabase();
        QProcess shell;
        shell.start("bash", {"-c",
                             "set -o pipefail\n"
                             "KEY=$(printf '%s' \"$1\" | argon2 KetterbyKeySalt1 -id -t 3 "
                             "-m 16 -p 1 -l 16 -r | cut -c1-30 | tr a-f A-F | "
                             "basenc --base16 -d | base64)\n"
                             "echo \"$KEY\"\n"
                             "sqlcipher -cmd \"PRAGMA key = '$KEY';\" \"$2\" .tables",
                             "recipe", Password + StoreKey::KeySuffix, store});
        QVERIFY(shell.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(shell.readAllStandardOutput());
        QCOMPARE(shell.exitCode(), 0);
        QCOMPARE(output.split('\n').value(0), KeyOf(Password));
        QVERIFY2(output.contains("Default"), qPrintable(output));
    }

    void newStoreIsCreatedEncryptedPrivateAndShown() {
        QVERIFY(DBFunctions::SetupDatabase(store, KeyOf(Password)));
        QCOMPARE(folder->Files(), QStringList{"bob.mdb"}); // no backup for a new store
        QVERIFY(!Bytes(store).startsWith("SQLite format 3"));
        QCOMPARE(ReadTables(store, KeyOf(Password)), QStringList{"Default"});
        QCOMPARE(ListItems(window->TablesList), QStringList{"Default"});
        QCOMPARE(ComboItems(window->cmbCurrentTable), QStringList{"Default"});
        QCOMPARE(Store::CurrentTable, QString("Default"));
        QCOMPARE(window->msgMSFlexGrid->TextMatrix(0, 1), QString("Date"));
    }

    void backupIsRefreshedByCalendarDays_data() {
        QTest::addColumn<int>("backupAge"); // days before today; INT_MIN: no backup
        QTest::addColumn<bool>("replaced");
        QTest::newRow("none") << INT_MIN << true;
        QTest::newRow("today") << 0 << false;
        QTest::newRow("yesterday") << 1 << false;
        QTest::newRow("two days ago") << 2 << true;
        QTest::newRow("in the future") << -3 << false;
    }

    void backupIsRefreshedByCalendarDays() {
        QFETCH(int, backupAge);
        QFETCH(bool, replaced);
        MakeStore(store, KeyOf(Password), {{"Default", Entries(3)}});
        const QString backup = folder->File("bob.bak");
        if (backupAge != INT_MIN) {
            WriteBytes(backup, "an older backup");
            SetModified(backup, Environment::Today().addDays(-backupAge));
        }
        QVERIFY(DBFunctions::SetupDatabase(store, KeyOf(Password)));
        DBFunctions::CloseDatabase();
        if (replaced)
            QCOMPARE(ReadTable(backup, KeyOf(Password), "Default").size(), 3);
        else
            QCOMPARE(Bytes(backup), QByteArray("an older backup"));
        QCOMPARE(folder->Files(), (QStringList{"bob.bak", "bob.mdb"}));
    }

    // Every user table must have the five columns in order, and "Default" must exist.
    void validationRefusesWithoutAMessage_data() {
        QTest::addColumn<QString>("defaultTable"); // the program's "Default", or none
        QTest::addColumn<QString>("otherSql");
        QTest::addColumn<bool>("valid");
        const QString columns = "([Date] TEXT, [Description] TEXT, [User ID] TEXT, ";
        QTest::newRow("extra table of six columns")
            << "Default"
            << "CREATE TABLE Six " + columns + "[Password] TEXT, [ID] INT, [X] TEXT);" << false;
        QTest::newRow("password in lower case")
            << ""
            << "CREATE TABLE [Default] " + columns + "[password] TEXT, [ID] INT);" << false;
        QTest::newRow("only default in lower case")
            << ""
            << "CREATE TABLE [default] " + columns + "[Password] TEXT, [ID] INT);" << false;
        QTest::newRow("a view") << "Default"
                                << "CREATE VIEW V AS SELECT * FROM [Default];" << true;
        QTest::newRow("engine tables") << "Default"
                                       << "ANALYZE;" << true;
    }

    void validationRefusesWithoutAMessage() {
        QFETCH(QString, defaultTable);
        QFETCH(QString, otherSql);
        QFETCH(bool, valid);
        QList<TableContent> tables = {{"other", {}, otherSql}};
        if (!defaultTable.isEmpty())
            tables.prepend({defaultTable, Entries(2)});
        MakeStore(store, KeyOf(Password), tables);
        QCOMPARE(DBFunctions::SetupDatabase(store, KeyOf(Password)), valid);
        QVERIFY(Store::StoreConnection != nullptr); // stays open until the next close
    }

    // Faults at the store path: each gives its message, and the file is left exactly as it was.
    void realFaultsLeaveTheFileUntouched_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("garbage file")
            << "garbage"
            << "Error [CompactDatabase]: 26\r\nfile is encrypted or is not a database";
        QTest::newRow("truncated store")
            << "truncated"
            << "Error [CompactDatabase]: 11\r\ndatabase disk image is malformed";
        QTest::newRow("wrong key")
            << "wrong key"
            << "Error [CompactDatabase]: 26\r\nfile is encrypted or is not a database";
    }

    void realFaultsLeaveTheFileUntouched() {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        if (fault == "garbage") {
            QByteArray garbage(8192, '\0');
            QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(garbage.data()),
                                          garbage.size() / 4);
            WriteBytes(store, garbage);
        } else {
            MakeStore(store, KeyOf(Password), {{"Default", Entries(99)}, {"Bank", Entries(99)}});
            if (fault == "truncated")
                WriteBytes(store, Bytes(store).left(Bytes(store).size() / 2));
        }
        const QByteArray before = Bytes(store);
        const QString key = fault == "wrong key" ? KeyOf("not the password") : KeyOf(Password);
        QVERIFY(!DBFunctions::SetupDatabase(store, key));
        messages->ExpectOne(message, Icon::Critical);
        QCOMPARE(Bytes(store), before);
        QCOMPARE(folder->Files(), QStringList{"bob.mdb"});
    }

    void readOnlyFolderRefusesCompactionAndKeepsTheStore() {
        MakeStore(store, KeyOf(Password), {{"Default", Entries(5)}});
        const QByteArray before = Bytes(store);
        {
            const ReadOnlyFolder locked(folder->Path());
            QVERIFY(locked.locked);
            QVERIFY(!DBFunctions::SetupDatabase(store, KeyOf(Password)));
            messages->ExpectOne("Error [CompactDatabase]: " +
                                    SystemError(ReadOnlyFolder::Refusal()),
                                Icon::Critical);
        }
        QCOMPARE(Bytes(store), before);
        QCOMPARE(folder->Files(), QStringList{"bob.mdb"});
    }

    void creationInAMissingFolderIsReported() {
        QVERIFY(
            !DBFunctions::SetupDatabase(folder->File("no such folder/bob.mdb"), KeyOf(Password)));
        messages->ExpectOne("Error [CreateDatabase]: " + SystemError(ENOENT), Icon::Critical);
    }

    void backupInTheWayIsReportedAfterCompaction() {
        MakeStore(store, KeyOf(Password), {{"Default", Entries(2)}});
        QVERIFY(QDir(folder->Path()).mkdir("bob.bak"));
        QVERIFY(!DBFunctions::SetupDatabase(store, KeyOf(Password)));
        messages->ExpectOne("Error [SetupDatabase]: " + SystemError(EINVAL), Icon::Critical);
        QCOMPARE(ReadTable(store, KeyOf(Password), "Default").size(), 2);
    }

    void validationWithoutAStoreIsReported() {
        QVERIFY(!DBFunctions::ValidateDatabase());
        messages->ExpectOne("Error [ValidateDatabase]: 21\r\nno store is open", Icon::Critical);
    }

    // A leftover of an interrupted compaction is removed; a file the program did not make,
    // such as "temp" in the working folder, is never touched.
    void compactionClearsItsOwnLeftoversOnly() {
        MakeStore(store, KeyOf(Password), {{"Default", Entries(4)}});
        WriteBytes(Routines::CompactionPath(store), "half a copy");
        WriteBytes(Routines::CompactionPath(store) + "-journal", "its journal");
        WriteBytes(folder->File("temp"), "the user's own file");
        QVERIFY(QDir::setCurrent(folder->Path()));
        QVERIFY(Routines::CompactDatabase(store, Routines::CompactionPath(store), KeyOf(Password),
                                          KeyOf(Password)));
        QCOMPARE(folder->Files(), (QStringList{"bob.mdb", "temp"}));
        QCOMPARE(Bytes(folder->File("temp")), QByteArray("the user's own file"));
        QCOMPARE(ReadTable(store, KeyOf(Password), "Default").size(), 4);
    }

    // Killing a compaction at any moment leaves the store whole, under its key.
    void killedCompactionNeverLosesTheStore() {
        const QString key = KeyOf(Password);
        QList<TableContent> tables;
        for (const QString& name : QStringList{"Default", "Bank", "Mail", "Shops", "Work"})
            tables.append({name, Entries(99, name)});
        MakeStore(store, key, tables);
        QStringList expected;
        for (const TableContent& table : tables)
            expected += ReadTable(store, key, table.name);
        const QString child = qEnvironmentVariable("COMPACT_CHILD");
        QVERIFY(QFile::exists(child));
        // The kill moments spread over about three compactions, however fast this machine is.
        QElapsedTimer timer;
        timer.start();
        QVERIFY(Routines::CompactDatabase(store, Routines::CompactionPath(store), key, key));
        const qint64 cycle = timer.elapsed() + 1;
        int killedMidway = 0;
        for (int moment = 0; moment < 40; ++moment) {
            QProcess compaction;
            compaction.start(child, {store, key});
            QVERIFY(compaction.waitForReadyRead(10000));
            QTest::qSleep(int(moment * 17 % 40 * cycle * 3 / 40));
            compaction.kill();
            QVERIFY(compaction.waitForFinished(10000));
            QCOMPARE(compaction.exitStatus(), QProcess::CrashExit);
            QStringList found;
            for (const TableContent& table : tables)
                found += ReadTable(store, key, table.name);
            QCOMPARE(found, expected);
            killedMidway += QFile::exists(Routines::CompactionPath(store));
            QVERIFY(Routines::CompactDatabase(store, Routines::CompactionPath(store), key, key));
            QCOMPARE(folder->Files(), QStringList{"bob.mdb"});
        }
        QVERIFY(killedMidway > 0); // some kills did land inside a compaction
    }

    void nothingReachesTheDiskInPlaintext() {
        const QByteArray marker = "MARKER-7f3a-PLAINTEXT";
        MakeStore(store, KeyOf(Password),
                  {{"Default", {{"12/7/26", marker, marker, marker}}}, {QString(marker), {}}});
        QVERIFY(DBFunctions::SetupDatabase(store, KeyOf(Password)));
        DBFunctions::CloseDatabase();
        for (const QString& file : {store, folder->File("bob.bak")}) {
            const QByteArray bytes = Bytes(file);
            QVERIFY(bytes.size() > 0);
            QVERIFY2(!bytes.contains(marker), qPrintable(file));
            QVERIFY(!bytes.contains("Default"));
        }
        QVERIFY(OwnerOnly(store) && OwnerOnly(folder->File("bob.bak")));
    }

    void updateWithAWrongKeyCannotChangeThePassword() {
        MakeStore(store, KeyOf(Password), {{"Default", Entries(1)}});
        const QByteArray before = Bytes(store);
        DBFunctions::UpdateDatabase(folder->File("bob"), KeyOf("wrong"), folder->File("bob"),
                                    KeyOf("new"));
        const auto shown = messages->Take();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].text,
                 QString("Error [CompactDatabase]: 26\r\nfile is encrypted or is not a database"));
        QCOMPARE(shown[1].text, QString("Unable to change password!"));
        QCOMPARE(shown[1].icon, Icon::Critical);
        QCOMPARE(Bytes(store), before);
    }

    // The store layer never overwrites another account's store when renaming.
    void renameOntoAnExistingStoreIsRefused() {
        MakeStore(store, KeyOf(Password), {{"Default", Entries(1)}});
        WriteBytes(folder->File("carol.mdb"), "carol's store");
        DBFunctions::UpdateDatabase(folder->File("bob"), KeyOf(Password), folder->File("carol"),
                                    KeyOf(Password));
        messages->ExpectOne("Error [UpdateDatabase]: " + SystemError(EEXIST), Icon::Critical);
        QCOMPARE(Bytes(folder->File("carol.mdb")), QByteArray("carol's store"));
        QCOMPARE(ReadTable(store, KeyOf(Password), "Default").size(), 1);
    }
};

QTEST_MAIN(StoreTest)
#include "tst_store.moc"
