// Store files and their tables on real files, without a window: the key, creation, backups,
// the catalogue, validation, re-keying, real faults, crash safety and what a log-in costs.
#include "core/AccountName.h"
#include "core/Accounts.h"
#include "core/EntryOperations.h"
#include "core/FileOperations.h"
#include "core/StoreFiles.h"
#include "core/StoreFolder.h"
#include "core/TableCatalogue.h"
#include "core/TableCommands.h"
#include "counters/Counters.h"
#include "tests/support/CoreSupport.h"

#include <atomic>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

const QString Password = "hunter2";

// The account of a store path: its name and folder.
std::pair<QString, QString> AccountAt(const QString& path) {
    const QFileInfo file(path);
    return {file.completeBaseName(), file.path() + '/'};
}

// Logs in to the store at the path as the Login button does.
Result<std::unique_ptr<Session>> LogInTo(const QString& path, const QString& password = Password) {
    const auto [name, folder] = AccountAt(path);
    return Accounts::LogIn(name, folder, password, Accounts::Upkeep::CompactAndBackUp);
}

// Creates the store at the path as the Create button does.
Result<std::unique_ptr<Session>> CreateAt(const QString& path, const StoreKey& key) {
    const auto [name, folder] = AccountAt(path);
    return Accounts::Create(name, folder, key);
}

// Locks or unlocks a folder's entries, for the root user too, who ignores permissions.
bool Lock(const QString& folder, bool locked) {
    if (geteuid() == 0)
        return QProcess::execute("chattr", {locked ? "+i" : "-i", folder}) == 0;
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                             (locked ? QFile::Permissions() : QFile::WriteOwner));
}

// Whether the page holding the address is locked in memory, so it never reaches swap.
[[maybe_unused]] bool LockedInMemory(const void* address) {
    std::ifstream smaps("/proc/self/smaps");
    bool holds = false;
    for (std::string line; std::getline(smaps, line);) {
        unsigned long begin = 0, end = 0;
        if (std::sscanf(line.c_str(), "%lx-%lx", &begin, &end) == 2)
            holds = begin <= quintptr(address) && quintptr(address) < end;
        else if (holds && line.starts_with("Locked:"))
            return std::stoul(line.substr(7)) > 0;
    }
    return false;
}

// Runs the action in a copy of this process that stops dead at the k-th file operation, as a
// kill would. 3: stopped; 0: finished first with nothing to tell; 1: told something.
int RunStopped(int stopAt, const std::function<Outcome()>& action) {
    const pid_t child = fork();
    if (child == 0) {
        FileOperations::SetFaultPoint(
            [reached = 0, stopAt](FileOperations::Step, const QString&) mutable {
                if (++reached == stopAt)
                    std::_Exit(3); // no destructor, no flush, no clean-up
            });
        std::_Exit(action().Notices().isEmpty() ? 0 : 1); // a refusal always says why
    }
    int status = -1;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

class StoreFilesTest : public QObject, CoreFixture {
    Q_OBJECT

    QString store;
    const StoreKey key = KeyOf(Password);

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

    // The README's recipe recomputes the key with the argon2 command and opens, with the
    // sqlcipher shell, a store the program made and then logged in to as the Login button does
    // (the key stretched for its salt). The known key holds the settings of the store format;
    // both forms of it lie in memory locked against swap.
    void readmeRecipeGivesTheKnownKeyAndOpensTheStore() {
        QCOMPARE(key.EngineText(), "uFRUUTfsky0BY8upNOgS");
        QVERIFY(CreateAt(store, key).Done());
        QVERIFY(LogInTo(store).Done());
#ifndef __SANITIZE_ADDRESS__ // whose mlock locks nothing
        QVERIFY(LockedInMemory(key.EngineText().data()) &&
                LockedInMemory(key.ForFile(store).EngineText().data()));
#endif
        QProcess shell;
        shell.start("bash", {"-c",
                             "set -o pipefail\n"
                             "KEY=$(printf '%s' \"$1\" | argon2 KetterbyKeySalt1 -id -t 3 "
                             "-m 16 -p 1 -l 16 -r | cut -c1-30 | tr a-f A-F | "
                             "basenc --base16 -d | base64)\n"
                             "sqlcipher -cmd \"PRAGMA key = '$KEY';\" \"$2\" .tables",
                             "recipe", Password + StoreKey::KeySuffix, store});
        QVERIFY(shell.waitForFinished(60000));
        const QString output =
            QString::fromLocal8Bit(shell.readAllStandardOutput() + shell.readAllStandardError());
        QVERIFY2(output.contains("Default"), qPrintable(output));
    }

    // A new store and a store logged in to, with its backup: no file holds anything in
    // plaintext, and each is private to its owner.
    void storesAreEncryptedAndPrivate() {
        QVERIFY(CreateAt(folder->File("new.mdb"), key).Done());
        const QByteArray marker = "MARKER-7f3a-PLAINTEXT";
        MakeStore(store, key,
                  {{"Default", {{"12/7/26", marker, marker, marker}}}, {QString(marker), {}}});
        QVERIFY(LogInTo(store).Done() &&
                !(QFile::permissions(store + ".lock") & (QFile::ReadGroup | QFile::ReadOther)));
        QCOMPARE(folder->Files(), (QStringList{"bob.bak", "bob.mdb", "new.mdb"}));
        for (const QString& file : folder->Files()) {
            const QByteArray bytes = Bytes(folder->File(file));
            QVERIFY2(!bytes.contains(marker) && !bytes.contains("Default"), qPrintable(file));
            QCOMPARE(QFile::permissions(folder->File(file)),
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        }
    }

    // Pasted names are created, found, renamed and dropped literally; none reaches another
    // table. A new name holds no quote. Counting and reading give the store's own rows, in ID
    // order, a null as none.
    void catalogueKeepsNamesAsNames() {
        MakeStore(store, key,
                  {{"Default", SampleEntries(2)}, {"bank", SampleEntries(1)}, {"Ärger", {}}});
        Session session(store, key);
        const Engine::Connection& tables = session.Connection();
        for (const QString name : {"a]b", "t; DROP TABLE [Default]", "My Bank", "\u00e9\u6f22"}) {
            QVERIFY(Tables::Add(session, name).Done());
            QCOMPARE(Catalogue::ColumnNames(tables, name), EntrySchema::Columns);
            QCOMPARE(Texts(Tables::Add(session, name.toUpper())),
                     QStringList{"There is already a table with the name " + name.toUpper() + "."});
            QVERIFY(Tables::Rename(session, name, name + " 2").Done());
            QVERIFY(Tables::Remove(session, name + " 2").Done());
            QCOMPARE(Tables::List(session)->size(), 3);
        }
        for (const QString quoted : {"x\"y", "it's"})
            QCOMPARE(Texts(Tables::Add(session, quoted)),
                     QStringList{"A table name cannot hold a quote (' or \")."});
        QCOMPARE(Texts(Tables::Add(session, "sqlite_x")), // a name the engine keeps
                 QStringList{"Error [SetupDBTable]: 1\r\nobject name reserved for internal use: "
                             "sqlite_x"});
        // A name in use in any letter case, non-ASCII letters too, is refused.
        for (const auto& [source, taken] : {std::pair("bank", "DEFAULT"), {"bank", "ärger"}})
            QVERIFY(Tables::Rename(session, source, taken).Failed());
        QCOMPARE(*Tables::List(session), (QStringList{"bank", "Default", "Ärger"}));
        QCOMPARE(*Tables::CountRecords(session, "Default"), 2);
        QCOMPARE(Texts(Tables::CountRecords(session, "Gone")),
                 QStringList{"Error [CountRecords]: 1\r\nno such table: Gone"});
        tables.Execute("INSERT INTO [Ärger] VALUES (NULL, 'second', NULL, 'p''2', 2);");
        tables.Execute("INSERT INTO [Ärger] VALUES ('d1', 'first', 'me', 'p\"1', 1);");
        QStringList read;
        for (const Entry& row : Catalogue::ReadEntries(tables, "Ärger"))
            read << QStringList{row.date, row.description, row.userID, row.password}.join('|');
        QCOMPARE(read, (QStringList{"d1|first|me|p\"1", "|second||p'2"}));
    }

    // A log-in replaces a backup two or more calendar days old, not one from yesterday or the
    // future; a backup that is a link (here to a file of today) is replaced, never written through.
    void backupIsRefreshedByCalendarDays() {
        MakeStore(store, key, {{"Default", SampleEntries(3)}});
        const QString backup = folder->File("bob.bak"), older = folder->File("older");
        for (const auto& [age, replaced] :
             {std::pair(1, false), {2, true}, {-3, false}, {0, true}}) {
            QFile::remove(backup);
            WriteBytes(older, "an older backup");
            Age(older, age);
            QVERIFY(age ? QFile::rename(older, backup) : QFile::link(older, backup));
            QVERIFY(LogInTo(store).Done());
            if (replaced)
                QCOMPARE(ReadTable(backup, key, "Default").size(), 3);
            else
                QCOMPARE(Bytes(backup), QByteArray("an older backup"));
        }
        QCOMPARE(Bytes(older), QByteArray("an older backup"));
    }

    // Each fault gives its messages and changes no file. Compaction and the backup are
    // housekeeping: when they cannot be written the log-in goes on with the store as it is,
    // its entries readable. A failed creation leaves no store and no copy behind. A store of
    // the wrong shape (every table with the five columns, "Default" by that name) is refused
    // silently. A file that reaches a store's name while it is being made or renamed (placed
    // just before the move) is never replaced.
    void faultsAreReportedAndLoseNothing_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("loggedIn");
        const auto row = [](const char* fault, const QStringList& shown, bool loggedIn = false) {
            QTest::newRow(fault) << QString(fault) << shown << loggedIn;
        };
        const QString couldNotOpen = AccountName::CouldNotOpen + " (not critical)";
        const QString readOnly =
            "Error [CompactDatabase]: " + SystemError(geteuid() ? EACCES : EPERM);
        row("six columns", {});
        row("no Default", {});
        row("corrupt store", {couldNotOpen});
        row("full disk", {"Error [CompactDatabase]: " + SystemError(ENOSPC)}, true);
        row("read-only folder", {readOnly}, true);
        row("backup not written", {"Error [SetupDatabase]: " + SystemError(EIO)}, true);
        row("wrong key", {couldNotOpen});
        row("missing folder", {"Sorry, could not create this account in <folder>none/\r\n" +
                               QString(std::strerror(ENOENT)) + " (not critical)"});
        row("creation blocked", {"Error [CreateDatabase]: " + SystemError(ENOTEMPTY)});
        row("creation onto another store", {"Error [CreateDatabase]: " + SystemError(EEXIST)});
        row("re-key with a wrong key", {couldNotOpen});
        row("rename onto another store", {"Error [UpdateDatabase]: " + SystemError(EEXIST)});
        row("rename in a read-only folder", {readOnly, "Unable to change password!"});
    }

    void faultsAreReportedAndLoseNothing() {
        QFETCH(QString, fault);
        QFETCH(QStringList, shown);
        QFETCH(bool, loggedIn);
        const bool creating = fault == "missing folder" || fault.startsWith("creation");
        const QString layout = "[Date], [Description], [User ID], [Password], [ID]";
        if (fault == "six columns")
            MakeStore(store, key,
                      {{"Default", {}}, {"Six", {}, "CREATE TABLE Six (" + layout + ", X);"}});
        if (fault == "no Default")
            MakeStore(store, key,
                      {{"x", {}}, {"default", {}, "CREATE TABLE [default] (" + layout + ");"}});
        if (!creating && !QFile::exists(store))
            MakeStore(store, key, {{"Default", SampleEntries(99)}, {"Bank", SampleEntries(99)}});
        if (fault == "corrupt store")
            WriteBytes(store, Bytes(store).left(Bytes(store).size() / 2));
        if (fault == "creation blocked")
            QVERIFY(QDir(folder->Path()).mkpath("bob.mdb.compacting/in"));
        // Another program's store reaches the name just before the finished copy is moved there.
        const QString taken = folder->File(fault.startsWith("rename") ? "carol.mdb" : "bob.mdb");
        if (fault.endsWith("onto another store"))
            FileOperations::SetFaultPoint([&](FileOperations::Step step, const QString& path) {
                if (step == FileOperations::Step::Rename && path == taken + ".compacting")
                    WriteBytes(taken, "another program's store");
            });
        if (fault == "full disk")
            FileOperations::SetFaultPoint([](FileOperations::Step step, const QString&) {
                if (step == FileOperations::Step::Create)
                    throw Failure(ENOSPC, QString::fromLocal8Bit(std::strerror(ENOSPC)));
            });
        if (fault == "backup not written")
            FileOperations::SetFaultPoint([](FileOperations::Step step, const QString& path) {
                if (step == FileOperations::Step::Write && path.endsWith(".bak.compacting"))
                    throw Failure(EIO, QString::fromLocal8Bit(std::strerror(EIO)));
            });
        const bool compacted = fault == "backup not written";
        const QStringList entries = loggedIn ? Content() : QStringList();
        const auto snapshot = [&] { // the log-in compacts the store before the backup fails
            return Snapshot(folder->Path())
                .replaceInStrings(QRegularExpression(compacted ? "bob.mdb:.*" : "^$"), "bob.mdb");
        };
        const QStringList before = snapshot();
        if (fault.contains("read-only"))
            QVERIFY(Lock(folder->Path(), true));
        const auto unlock = qScopeGuard([&] {
            Lock(folder->Path(), false);
            FileOperations::SetFaultPoint({});
        });
        Outcome outcome;
        if (fault.startsWith("re-key") || fault.startsWith("rename")) {
            outcome =
                Accounts::Change(folder->Path(), "bob", fault.contains("wrong") ? "x" : Password,
                                 fault.contains("wrong") ? "bob" : "carol", key);
        } else if (creating) {
            outcome =
                CreateAt(fault == "missing folder" ? folder->File("none/bob.mdb") : store, key);
        } else {
            {
                const auto session = LogInTo(store, fault == "wrong key" ? "wrong" : Password);
                QCOMPARE(session.Done(), loggedIn);
                outcome = session;
            }
            if (loggedIn)
                QCOMPARE(Content(), entries);
        }
        QStringList texts;
        for (const Notice& notice : outcome.Notices())
            if (notice.kind != Notice::Kind::Silent)
                texts << notice.text +
                             (notice.kind == Notice::Kind::Failure ? "" : " (not critical)");
        QCOMPARE(texts, shown.replaceInStrings("<folder>", folder->Path()));
        if (fault.endsWith("onto another store")) {
            QCOMPARE(Bytes(taken), QByteArray("another program's store"));
            QFile::remove(taken);
        }
        QCOMPARE(snapshot(), before);
    }

    // Anything can stand at a store's paths. A FIFO, which would hold a reader for ever, is
    // refused at once (after 10 s its other end is opened again and again, so a regression
    // fails, not hangs; a log-in that is merely slow, under a sanitizer on a loaded machine,
    // still passes).
    void fifosAtTheStorePathsNeverBlock_data() {
        QTest::addColumn<QString>("file");
        for (const char* file : {"bob.mdb.lock", "bob.mdb", "bob.bak"})
            QTest::newRow(file) << file;
    }

    void fifosAtTheStorePathsNeverBlock() {
        QFETCH(QString, file);
        const QString path = folder->File(file);
        if (file != "bob.mdb")
            MakeStore(store, key, {{"Default", {}}});
        QVERIFY(::mkfifo(QFile::encodeName(path), 0600) == 0);
        std::atomic<bool> done = false;
        std::thread other([&] {
            for (int waited = 0; waited < 100 && !done; ++waited)
                QThread::msleep(100);
            for (; !done; QThread::msleep(100))
                ::close(::open(QFile::encodeName(path), O_RDWR | O_NONBLOCK));
        });
        QElapsedTimer clock;
        clock.start();
        const Outcome loggedIn = LogInTo(store);
        const qint64 took = clock.elapsed();
        done = true;
        other.join();
        QVERIFY2(took < 8000, "a file at the store's paths held the log-in");
        QCOMPARE(Texts(loggedIn), QStringList{AccountName::CouldNotOpen});
    }

    // A change in the number of key derivations or syncs is a change in cost, made on purpose.
    // A Delete's commit (the journal's deletion) is followed by a sync of its folder, so that a
    // power cut cannot undo it.
    void whatALogInAndADeleteCost() {
        QList<TableContent> tables = {{"Default", SampleEntries(10)}};
        for (int table = 1; table < 10; ++table)
            tables.append({"Table " + QString::number(table), SampleEntries(99)});
        MakeStore(store, key, tables);
        const Counters::Counts start = Counters::Now();
        const auto session = LogInTo(store);
        QVERIFY(session.Done());
        const Counters::Counts loggedIn = Counters::Now();
        QCOMPARE(loggedIn.keyDerivations - start.keyDerivations, 1);
        QCOMPARE(loggedIn.syncs - start.syncs, 9);
        QVERIFY(Entries::Delete(**session, "Default", 1).Done());
        QCOMPARE(Counters::Now().syncs - loggedIn.syncs, 5);
    }

    // Folders the program makes are its user's alone, the missing parents too; a data folder
    // that others can write is named once. A folder that takes no new file is refused before
    // anything is made, also where permissions alone would let the root user in.
    void storeFoldersArePrivate() {
        const mode_t previous = ::umask(0);
        const auto restore = qScopeGuard([&] { ::umask(previous); });
        Environment::SetDataFolder(folder->File("a/b/Ketterby/"));
        QCOMPARE(StoreFolder::Default(), folder->File("a/b/Ketterby/"));
        for (const QString made : {"a", "a/b", "a/b/Ketterby"})
            QCOMPARE(QFile::permissions(folder->File(made)) & 0x0777,
                     QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        const QString warning = "Other users of this computer can change the folder " +
                                folder->File("a/b/Ketterby/") +
                                ",\r\nand so replace your stores. Make it yours alone (chmod 700).";
        // Its user alone, then the group, then others writing.
        for (const auto& [permissions, warned] :
             {std::pair(0x7755, false), {0x7775, true}, {0x7757, true}}) {
            QVERIFY(QFile::setPermissions(folder->File("a/b/Ketterby"),
                                          QFile::Permissions(permissions)));
            QCOMPARE(StoreFolder::OthersCanWriteWarning(folder->File("a/b/Ketterby/")),
                     warned ? warning : QString());
        }
        QVERIFY(Lock(folder->File("a"), true));
        const QString refusal = StoreFolder::CreationRefusal(folder->File("a/new.mdb"));
        Lock(folder->File("a"), false);
        QCOMPARE(refusal, "Sorry, could not create this account in " + folder->File("a/") + "\r\n" +
                              std::strerror(geteuid() ? EACCES : EPERM));
    }

    void aChangeStoppedAtAnyFileOperationLosesNothing_data() {
        QTest::addColumn<QString>("newName");     // none: a creation
        QTest::addColumn<QString>("newPassword"); // with the same name and password: a log-in
        QTest::addColumn<bool>("linked");         // the store is a link to a file in another folder
        const auto row = [](const char* name, const char* newName, const QString& newPassword,
                            bool linked) {
            QTest::newRow(name) << QString(newName) << newPassword << linked;
        };
        row("creation", "", Password, false);
        row("log-in", "bob", Password, false);
        row("log-in through a link", "bob", Password, true);
        row("re-key", "bob", "changed", false);
        row("rename", "alice", "changed", false);
        row("rename by letter case", "Bob", Password, false);
        row("rename through a link", "alice", "changed", true);
    }

    // A creation, log-in, re-key or rename stopped at any file operation leaves the store
    // whole under the old name and key or the new, and a backup only under the store's
    // current key; a creation leaves no store or a whole one, and the name usable. Each file
    // is synced just before its rename, and the folder just after each rename and delete. A
    // link stays a link, and a re-keyed backup keeps its age.
    void aChangeStoppedAtAnyFileOperationLosesNothing() {
        if (!qEnvironmentVariableIsSet("CRASH_ROWS"))
            QSKIP("run on its own, as tst_storefiles_crashes");
        QFETCH(QString, newName);
        QFETCH(QString, newPassword);
        QFETCH(bool, linked);
        const bool creating = newName.isEmpty();
        const bool updating = !creating && (newName != "bob" || newPassword != Password);
        const QString target = folder->File("synced/bob.mdb");
        const QString newBase = folder->File(creating ? "bob" : newName);
        const StoreKey newKey = KeyOf(newPassword);
        MakeStore(store, key,
                  creating ? QList<TableContent>{{"Default", {}}}
                           : QList<TableContent>{{"Default", SampleEntries(99)},
                                                 {"Bank", SampleEntries(9)}});
        // Every table and row of a store, read through one connection; a key is stretched once
        // for each salt it meets, as a log-in stretches it, and not at every reading.
        std::map<QByteArray, StoreKey> stretched;
        const auto contentOf = [&](const QString& path, const StoreKey& withKey) {
            const QByteArray saltAndKey = Bytes(path).left(16).append(withKey.EngineText());
            if (!stretched.contains(saltAndKey))
                stretched.emplace(saltAndKey, withKey.ForFile(path));
            try {
                const Engine::Connection opened(path, stretched.at(saltAndKey));
                QStringList content = opened.UserTables();
                for (const QString& table : opened.UserTables())
                    for (const Entry& entry : Catalogue::ReadEntries(opened, table))
                        content << entry.description + entry.password;
                return content;
            } catch (const Failure&) {
                return QStringList();
            }
        };
        const QStringList expected = contentOf(store, key);
        const QByteArray bytes = Bytes(store);
        const auto holds = [&](const QString& path, const StoreKey& withKey) {
            return contentOf(path, withKey) == expected;
        };
        const auto restore = [&] {
            for (const QString& file : folder->Files())
                QFile::remove(folder->File(file));
            if (creating)
                return;
            WriteBytes(linked ? target : store, bytes);
            QVERIFY(!linked || QFile::link(target, store));
            WriteBytes(folder->File("bob.bak"), bytes);
            Age(folder->File("bob.bak"), 3);
        };
        QVERIFY(QDir(folder->Path()).mkdir("synced"));
        using FileOperations::Step;
        QList<std::tuple<Step, QString, bool>> steps; // each with whether its file was there
        FileOperations::SetFaultPoint([&](Step step, QString path) {
            steps.append({step, path, QFileInfo(path).exists() || QFileInfo(path).isSymLink()});
        });
        restore();
        // As the account dialog runs it, with keys derived once; after a stop, a log-in or
        // creation.
        const auto action = [&]() -> Outcome {
            if (updating)
                return Accounts::Change(folder->Path(), "bob", key, newName, newKey);
            if (!QFile::exists(store))
                return CreateAt(store, key);
            return Accounts::LogIn("bob", folder->Path(), key, Accounts::Upkeep::CompactAndBackUp);
        };
        action();
        FileOperations::SetFaultPoint({});
        int renames = 0;
        for (int i = 1; i + 1 < steps.size(); ++i) {
            const auto [step, path, there] = steps[i];
            if (step == Step::Rename && ++renames)
                QVERIFY(steps[i - 1] == std::tuple(Step::Sync, path, true));
            if (step == Step::Rename || (step == Step::Delete && there))
                QCOMPARE(std::get<0>(steps[i + 1]), Step::SyncFolder);
        }
        QCOMPARE(renames, creating ? 1 : 2); // the store's and the backup's
        for (int operation = 1;; ++operation) {
            restore();
            const int exitCode = RunStopped(operation, action);
            const bool old = holds(store, key);
            QVERIFY(old || holds(newBase + ".mdb", newKey) || (creating && !QFile::exists(store)));
            for (const QString& file : folder->Files().filter(QRegularExpression("bak$")))
                QVERIFY2(holds(folder->File(file), old ? key : newKey), qPrintable(file));
            if (exitCode == 0)
                break;
            QCOMPARE(exitCode, 3);
            if (updating)
                continue; // a log-in: the killed copy's lock is stale and no stray file stays
            QCOMPARE(Texts(action()), QStringList()); // done, nothing failing
            QCOMPARE(folder->Files().filter(QRegularExpression("compacting|lock|journal")),
                     QStringList());
        }
        QCOMPARE(folder->Files(), (creating ? QStringList{"bob.mdb"}
                                            : QStringList{newName + ".bak", newName + ".mdb"}));
        QVERIFY(holds(newBase + ".mdb", newKey) && (creating || holds(newBase + ".bak", newKey)));
        QCOMPARE(QFileInfo(newBase + ".mdb").symLinkTarget(), linked ? target : QString());
        if (!creating)
            QCOMPARE(FileOperations::LastModifiedDate(newBase + ".bak"),
                     updating ? Environment::Today().addDays(-3) : QDate::currentDate());
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    StoreFilesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_storefiles.moc"
