// Store files on real files, without a window: the key, creation, backups, validation,
// re-keying, real faults, crash safety and what reaches the disk.
#include "core/Environment.h"
#include "core/StoreFiles.h"
#include "core/StoreKey.h"
#include "tests/support/CoreSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <unistd.h>

namespace {

const QString Password = "hunter2";

// Locks or unlocks a folder's entries, for the root user too, who ignores permissions.
bool Lock(const QString& folder, bool locked) {
    if (geteuid() == 0)
        return QProcess::execute("chattr", {locked ? "+i" : "-i", folder}) == 0;
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                             (locked ? QFile::Permissions() : QFile::WriteOwner));
}

} // namespace

class StoreFilesTest : public QObject, CoreFixture {
    Q_OBJECT

    QString store;
    const QString key = KeyOf(Password);

    QStringList Content() {
        return ReadTable(store, key, "Default") + ReadTable(store, key, "Bank");
    }

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

    // The README's recipe recomputes the key with the argon2 command and opens a store the
    // program made with the sqlcipher shell. The known key holds the derivation's settings,
    // which are part of the store format.
    void readmeRecipeGivesTheKnownKeyAndOpensTheStore() {
        QCOMPARE(key, QString("uFRUUTfsky0BY8upNOgS"));
        QVERIFY(DBFunctions::OpenSession(store, key));
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
        QCOMPARE(output.split('\n').value(0), key);
        QVERIFY2(output.contains("Default"), qPrintable(output));
    }

    // A new store gets "Default" and no backup; a log-in to an existing one makes the backup.
    // No file holds anything in plaintext, and each is private to its owner.
    void storesAreEncryptedAndPrivate() {
        QVERIFY(DBFunctions::OpenSession(folder->File("new.mdb"), key));
        QCOMPARE(folder->Files(), QStringList{"new.mdb"});
        QCOMPARE(ReadTables(folder->File("new.mdb"), key), QStringList{"Default"});
        const QByteArray marker = "MARKER-7f3a-PLAINTEXT";
        MakeStore(store, key,
                  {{"Default", {{"12/7/26", marker, marker, marker}}}, {QString(marker), {}}});
        QVERIFY(DBFunctions::OpenSession(store, key));
        QCOMPARE(folder->Files(), (QStringList{"bob.bak", "bob.mdb", "new.mdb"}));
        for (const QString& file : folder->Files()) {
            const QByteArray bytes = Bytes(folder->File(file));
            QVERIFY(bytes.size() > 0 && !bytes.startsWith("SQLite format 3"));
            QVERIFY2(!bytes.contains(marker) && !bytes.contains("Default"), qPrintable(file));
            QCOMPARE(QFile::permissions(folder->File(file)),
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        }
    }

    void backupIsRefreshedByCalendarDays_data() {
        QTest::addColumn<int>("backupAge"); // days before today; INT_MIN: no backup
        QTest::addColumn<bool>("replaced");
        QTest::newRow("none") << INT_MIN << true;
        QTest::newRow("yesterday") << 1 << false;
        QTest::newRow("two days ago") << 2 << true;
        QTest::newRow("in the future") << -3 << false;
    }

    void backupIsRefreshedByCalendarDays() {
        QFETCH(int, backupAge);
        QFETCH(bool, replaced);
        MakeStore(store, key, {{"Default", Entries(3)}});
        QFile backup(folder->File("bob.bak"));
        if (backupAge != INT_MIN) {
            QVERIFY(backup.open(QIODevice::WriteOnly));
            backup.write("an older backup");
            backup.flush();
            QVERIFY(backup.setFileTime(QDateTime(Environment::Today().addDays(-backupAge), {}),
                                       QFileDevice::FileModificationTime));
            backup.close();
        }
        QVERIFY(DBFunctions::OpenSession(store, key));
        if (replaced)
            QCOMPARE(ReadTable(backup.fileName(), key, "Default").size(), 3);
        else
            QCOMPARE(Bytes(backup.fileName()), QByteArray("an older backup"));
    }

    // Every user table must have the five columns in order, and "Default" must exist; a store
    // that breaks the rule is refused without a message.
    void validationRefusesTheWrongShape_data() {
        QTest::addColumn<bool>("withDefault"); // the program's own "Default" table as well
        QTest::addColumn<QString>("otherSql");
        QTest::addColumn<bool>("valid");
        const QString columns = "([Date] TEXT, [Description] TEXT, [User ID] TEXT, ";
        const auto row = [](const char* title, bool withDefault, const QString& sql, bool valid) {
            QTest::newRow(title) << withDefault << sql << valid;
        };
        row("six columns", true, "CREATE TABLE Six " + columns + "[Password], [ID], [X]);", false);
        row("password in lower case", false,
            "CREATE TABLE [Default] " + columns + "[password] TEXT, [ID] INT);", false);
        row("only default in lower case", false,
            "CREATE TABLE [default] " + columns + "[Password] TEXT, [ID] INT);", false);
        row("a view", true, "CREATE VIEW V AS SELECT * FROM [Default];", true);
        row("engine tables", true, "ANALYZE;", true);
    }

    void validationRefusesTheWrongShape() {
        QFETCH(bool, withDefault);
        QFETCH(QString, otherSql);
        QFETCH(bool, valid);
        QList<TableContent> tables = {{"other", {}, otherSql}};
        if (withDefault)
            tables.prepend({"Default", Entries(2)});
        MakeStore(store, key, tables);
        QCOMPARE(DBFunctions::OpenSession(store, key) != nullptr, valid);
    }

    // Each fault gives its critical messages and changes no file; two come after the
    // compaction, which rewrites the store's bytes but keeps its entries.
    void faultsAreReportedAndLoseNothing_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("shown");
        const auto row = [](const char* fault, const QStringList& shown) {
            QTest::newRow(fault) << QString(fault) << shown;
        };
        const QString notAStore = "Error [CompactDatabase]: 26\r\nfile is encrypted or is not a "
                                  "database";
        row("corrupt store", {"Error [CompactDatabase]: 11\r\ndatabase disk image is malformed"});
        row("wrong key", {notAStore});
        row("read-only folder",
            {"Error [CompactDatabase]: " + SystemError(geteuid() == 0 ? EPERM : EACCES)});
        row("missing folder", {"Error [CreateDatabase]: " + SystemError(ENOENT)});
        row("backup in the way", {"Error [SetupDatabase]: " + SystemError(EINVAL)});
        row("re-key with a wrong key", {notAStore, "Unable to change password!"});
        row("rename onto another store", {"Error [UpdateDatabase]: " + SystemError(EEXIST)});
    }

    void faultsAreReportedAndLoseNothing() {
        QFETCH(QString, fault);
        QFETCH(QStringList, shown);
        if (fault != "missing folder")
            MakeStore(store, key, {{"Default", Entries(99)}, {"Bank", Entries(99)}});
        if (fault == "corrupt store")
            WriteBytes(store, Bytes(store).left(Bytes(store).size() / 2));
        if (fault == "backup in the way")
            QVERIFY(QDir(folder->Path()).mkdir("bob.bak"));
        if (fault == "rename onto another store")
            WriteBytes(folder->File("carol.mdb"), "carol's store");
        const bool compacted = fault == "backup in the way" || fault == "rename onto another store";
        const QStringList entries = compacted ? Content() : QStringList();
        const auto snapshot = [&] {
            QStringList files;
            for (const QString& file : folder->Files())
                files << file + (compacted && file == "bob.mdb"
                                     ? QString()
                                     : ":" + QString::number(qHash(Bytes(folder->File(file)))));
            return files;
        };
        const QStringList before = snapshot();
        if (fault == "read-only folder")
            QVERIFY(Lock(folder->Path(), true));
        const auto unlock = qScopeGuard([&] { Lock(folder->Path(), false); });
        if (fault.startsWith("re-key") || fault.startsWith("rename"))
            DBFunctions::UpdateDatabase(folder->File("bob"), fault.contains("wrong") ? "x" : key,
                                        folder->File(fault.contains("wrong") ? "bob" : "carol"),
                                        key);
        else
            QVERIFY(!DBFunctions::OpenSession(
                fault == "missing folder" ? folder->File("none/bob.mdb") : store,
                fault == "wrong key" ? KeyOf("wrong") : key));
        QStringList texts;
        for (const MessageBoxes::Message& message : messages->Take()) {
            QCOMPARE(message.icon, MessageBoxes::Icon::Critical);
            texts << message.text;
        }
        QCOMPARE(texts, shown);
        QCOMPARE(snapshot(), before);
        if (compacted)
            QCOMPARE(Content(), entries);
    }

    // A log-in that stops dead at any one of its file operations, as a crash would, leaves
    // the store whole under its key, and the next log-in leaves no stray file.
    void aLogInStoppedAtAnyFileOperationLosesNothing() {
        MakeStore(store, key, {{"Default", Entries(99, "d")}, {"Bank", Entries(99, "b")}});
        const QStringList expected = Content();
        int stops = 0;
        for (int operation = 1;; ++operation) {
            QProcess child;
            child.start(qEnvironmentVariable("COMPACT_CHILD"),
                        {store, key, QString::number(operation)});
            QVERIFY(child.waitForFinished(30000));
            QCOMPARE(Content(), expected);
            if (child.exitCode() == 0)
                break;
            QCOMPARE(child.exitCode(), 3);
            ++stops;
            QVERIFY(DBFunctions::OpenSession(store, key));
            QCOMPARE(folder->Files(), (QStringList{"bob.bak", "bob.mdb"}));
            QVERIFY(QFile::remove(folder->File("bob.bak"))); // so each round copies it again
        }
        QVERIFY(stops >= 5); // the compaction's four operations and the backup's copy
    }
};

QTEST_GUILESS_MAIN(StoreFilesTest)
#include "tst_storefiles.moc"
