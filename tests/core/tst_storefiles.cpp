// Store files and their tables on real files, without a window: the key, creation, backups,
// the catalogue, validation, re-keying, real faults, crash safety and what reaches the disk.
#include "core/FileOperations.h"
#include "core/StoreFiles.h"
#include "core/TableCatalogue.h"
#include "tests/support/CoreSupport.h"

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

    void Age(const QString& path, int days) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(QDateTime(Environment::Today().addDays(-days), {}),
                                 QFileDevice::FileModificationTime));
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
        // Made under the key, then logged in to with the key stretched for its salt, as the
        // Login button does: the shell still needs nothing but the key.
        QVERIFY(DBFunctions::OpenSession(store, key));
        QVERIFY(DBFunctions::OpenSession(store, Engine::FileKey(store, key)));
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
        QCOMPARE(folder->Files(), QStringList{"new.mdb"}); // no backup for a new store
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

    // Pasted names are created, found, renamed and dropped literally; none reaches another
    // table. Counting and reading give the store's own rows, in ID order, a null as none.
    void catalogueKeepsNamesAsNames() {
        MakeStore(store, key, {{"Default", Entries(2)}, {"bank", Entries(1)}, {"Ärger", {}}});
        Session session(store, key);
        const Engine::Connection& tables = session.Connection();
        for (const QString name :
             {"a]b", "x\"y", "t; DROP TABLE [Default]", "it's", "My Bank", "\u00e9\u6f22"}) {
            QVERIFY(Routines::SetupDBTable(tables, name));
            QCOMPARE(Catalogue::ColumnNames(tables, name), Catalogue::Layout);
            QVERIFY(Routines::TableExists(tables, name.toUpper()));
            Catalogue::RenameTable(tables, name, name + "'2");
            QVERIFY(!Routines::TableExists(tables, name));
            Catalogue::DropTable(tables, name + "'2");
        }
        QVERIFY(!Routines::SetupDBTable(tables, "sqlite_x")); // a name the engine keeps
        messages->ExpectOne(
            "Error [SetupDBTable]: 1\r\nobject name reserved for internal use: sqlite_x",
            MessageBoxes::Icon::Critical);
        // A name in use in any letter case, non-ASCII letters too, is refused.
        for (const auto& [source, taken] : {std::pair("bank", "DEFAULT"), {"bank", "ärger"}})
            QVERIFY_THROWS_EXCEPTION(Failure, Catalogue::RenameTable(tables, source, taken));
        QCOMPARE(Routines::GetTablesADO(tables), (QStringList{"bank", "Default", "Ärger"}));
        QCOMPARE(DBFunctions::CountRecords(session), 2);
        session.CurrentTable = "Gone";
        QCOMPARE(DBFunctions::CountRecords(session), 0);
        messages->ExpectOne("Error [CountRecords]: 1\r\nno such table: Gone",
                            MessageBoxes::Icon::Critical);
        tables.Execute("INSERT INTO [Ärger] VALUES ('d2', 'second', NULL, 'p''2', 2);");
        tables.Execute("INSERT INTO [Ärger] VALUES (NULL, 'first', 'me', 'p\"1', 1);");
        const Catalogue::Rows rows = Catalogue::ReadRows(tables, "Ärger");
        QVERIFY(rows.columns == Catalogue::Layout && rows.values.size() == 2);
        QVERIFY(!rows.values[0][0] && rows.values[0][1] == "first" && rows.values[1][3] == "p'2");
    }

    void backupIsRefreshedByCalendarDays_data() {
        QTest::addColumn<int>("backupAge"); // days before today; INT_MIN: no backup
        QTest::addColumn<bool>("replaced");
        QTest::newRow("none") << INT_MIN << true;
        QTest::newRow("yesterday") << 1 << false;
        QTest::newRow("two days ago") << 2 << true;
        QTest::newRow("in the future") << -3 << false;
        QTest::newRow("a link to a file of today") << 0 << true; // replaced, not followed
    }

    void backupIsRefreshedByCalendarDays() {
        QFETCH(int, backupAge);
        QFETCH(bool, replaced);
        MakeStore(store, key, {{"Default", Entries(3)}});
        QFile backup(folder->File("bob.bak"));
        if (backupAge != INT_MIN) {
            WriteBytes(folder->File("elsewhere"), "an older backup");
            Age(folder->File("elsewhere"), backupAge);
            QVERIFY(backupAge == 0 ? QFile::link(folder->File("elsewhere"), backup.fileName())
                                   : QFile::rename(folder->File("elsewhere"), backup.fileName()));
        }
        QVERIFY(DBFunctions::OpenSession(store, key));
        QCOMPARE(Bytes(folder->File("elsewhere")), QByteArray(backupAge ? "" : "an older backup"));
        if (replaced)
            QCOMPARE(ReadTable(backup.fileName(), key, "Default").size(), 3);
        else
            QCOMPARE(Bytes(backup.fileName()), QByteArray("an older backup"));
    }

    // Every user table must have the five columns in order, and "Default" must exist; a store
    // that breaks the rule is refused without a message, neither compacted nor backed up.
    void validationRefusesTheWrongShape() {
        const QString columns = "([Date] TEXT, [Description] TEXT, [User ID] TEXT, ";
        const std::tuple<bool, QString, bool> stores[] = {
            // with "Default", another table, valid
            {true, "CREATE TABLE Six " + columns + "[Password], [ID], [X]);", false},
            {false, "CREATE TABLE [default] " + columns + "[Password] TEXT, [ID] INT);", false},
            {true, "CREATE VIEW V AS SELECT * FROM [Default];", true}};
        for (const auto& [withDefault, otherSql, valid] : stores) {
            QFile::remove(store);
            MakeStore(store, key, {{withDefault ? "Default" : "x", {}}, {"other", {}, otherSql}});
            const QByteArray before = Bytes(store);
            QCOMPARE(DBFunctions::OpenSession(store, key) != nullptr, valid);
            QCOMPARE(Bytes(store) == before && folder->Files().size() == 1, !valid);
        }
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
        row("backup in the way", {"Error [SetupDatabase]: " + SystemError(EISDIR)});
        row("re-key with a wrong key", {notAStore, "Unable to change password!"});
        row("rename onto another store", {"Error [UpdateDatabase]: " + SystemError(EEXIST)});
        row("rename in a read-only folder",
            {"Error [CompactDatabase]: " + SystemError(geteuid() == 0 ? EPERM : EACCES),
             "Unable to change password!"});
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
        const bool compacted = fault == "backup in the way";
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
        if (fault.contains("read-only"))
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

    void aReplacementStoppedAtAnyFileOperationLosesNothing_data() {
        QTest::addColumn<QString>("newName"); // none: a log-in
        QTest::addColumn<bool>("linked");     // the store is a link to a file in another folder
        QTest::newRow("log-in") << QString() << false;
        QTest::newRow("log-in through a link") << QString() << true;
        QTest::newRow("re-key") << "bob" << false;
        QTest::newRow("rename") << "alice" << false;
        QTest::newRow("rename through a link") << "alice" << true;
    }

    // A log-in, re-key or rename stopped at any file operation leaves the store and backup whole
    // under the old name and key or the new; each file is synced just before its rename and the
    // folder just after. A link stays a link, and a re-keyed backup keeps its age.
    void aReplacementStoppedAtAnyFileOperationLosesNothing() {
        QFETCH(QString, newName);
        QFETCH(bool, linked);
        const QString target = folder->File("synced/bob.mdb");
        const QString name = newName.isEmpty() ? "bob" : newName, newBase = folder->File(name);
        const QString newKey = newName.isEmpty() ? key : KeyOf("changed");
        MakeStore(store, key, {{"Default", Entries(99, "d")}, {"Bank", Entries(99, "b")}});
        const QStringList expected = Content();
        const QByteArray bytes = Bytes(store);
        const auto holds = [&](const QString& path, const QString& withKey) {
            try {
                const Engine::Connection opens(path, withKey);
                return ReadTable(path, withKey, "Default") + ReadTable(path, withKey, "Bank") ==
                       expected;
            } catch (const Failure&) {
                return false;
            }
        };
        const auto restore = [&] {
            for (const QString& file : folder->Files())
                QFile::remove(folder->File(file));
            WriteBytes(linked ? target : store, bytes);
            QVERIFY(!linked || QFile::link(target, store));
            WriteBytes(folder->File("bob.bak"), bytes);
            Age(folder->File("bob.bak"), 3);
        };
        QVERIFY(QDir(folder->Path()).mkdir("synced"));
        using FileOperations::Step;
        QList<std::pair<Step, QString>> steps;
        FileOperations::SetFaultPoint([&](Step step, QString path) { steps.append({step, path}); });
        restore();
        newName.isEmpty() ? void(DBFunctions::OpenSession(store, key))
                          : DBFunctions::UpdateDatabase(folder->File("bob"), key, newBase, newKey);
        FileOperations::SetFaultPoint({});
        int renames = 0;
        for (int i = 1; i + 1 < steps.size(); ++i)
            if (steps[i].first == Step::Rename && ++renames)
                QVERIFY(steps[i - 1] == std::pair(Step::Sync, steps[i].second) &&
                        steps[i + 1].first == Step::SyncFolder);
        QCOMPARE(renames, 2); // the store's and the backup's
        for (int operation = 1;; ++operation) {
            restore();
            QProcess child;
            child.start(qEnvironmentVariable("COMPACT_CHILD"),
                        QStringList{store, key, QString::number(operation)} +
                            (newName.isEmpty() ? QStringList() : QStringList{newBase, newKey}));
            QVERIFY(child.waitForFinished(30000));
            QVERIFY(holds(store, key) || holds(newBase + ".mdb", newKey));
            QVERIFY(holds(folder->File("bob.bak"), key) || holds(newBase + ".bak", newKey));
            if (child.exitCode() == 0)
                break;
            QCOMPARE(child.exitCode(), 3);
            if (!newName.isEmpty())
                continue; // a log-in: the killed copy's lock is stale and no stray file stays
            QVERIFY(DBFunctions::OpenSession(store, key));
            QCOMPARE(folder->Files(), (QStringList{"bob.bak", "bob.mdb"}));
        }
        QCOMPARE(folder->Files(), (QStringList{name + ".bak", name + ".mdb"}));
        QVERIFY(holds(newBase + ".mdb", newKey) && holds(newBase + ".bak", newKey));
        QCOMPARE(QFileInfo(newBase + ".mdb").symLinkTarget(), linked ? target : QString());
        QCOMPARE(FileOperations::LastModifiedDate(newBase + ".bak"),
                 key == newKey ? QDate::currentDate() : Environment::Today().addDays(-3));
    }
};

QTEST_GUILESS_MAIN(StoreFilesTest)
#include "tst_storefiles.moc"
