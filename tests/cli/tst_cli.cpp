// ketterby-cli run as a process on real stores: each command's output, the round trip through
// CSV, other managers' exports, the 99-entry split, and refusals that leave the store as it was.
#include "core/EntryDates.h"
#include "core/StoreLock.h"
#include "tests/support/CoreSupport.h"

namespace {

struct Run {
    int status;
    QString out;
    QString err;
};

const QString Header = "Table,Date,Description,User ID,Password\r\n";

} // namespace

class CliTest : public QObject {
    Q_OBJECT

    QTemporaryDir home; // XDG_DATA_HOME of the program: accounts are in home/Ketterby/
    QString Store(const QString& account) const {
        return home.filePath("Ketterby/" + account + ".mdb");
    }
    QString File(const QString& name) const { return home.filePath(name); }

    Run Cli(const QStringList& arguments, const QByteArray& input = "pw\n") {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", home.path());
        process.setProcessEnvironment(environment);
        process.start(KETTERBY_CLI, arguments);
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(60000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // Every file of the store folder with its bytes.
    QMap<QString, QByteArray> Folder() const {
        QMap<QString, QByteArray> files;
        for (const QString& name :
             QDir(home.filePath("Ketterby")).entryList(QDir::Files | QDir::Hidden))
            files.insert(name, Bytes(home.filePath("Ketterby/" + name)));
        return files;
    }

    void MakeAccount(const QString& account,
                     const QList<TableContent>& tables = {{"Default", {}}}) {
        QDir().mkpath(home.filePath("Ketterby"));
        MakeStore(Store(account), KeyOf("pw"), tables);
    }

    QString Today() const { return EntryDates::Format(QDate::currentDate()); }

  private slots:
    void initTestCase() {
        MakeAccount(
            "bob",
            {{"Default", {{"1/2/26", "Mail", "bob@x", "pw1"}, {"3/4/25", "Bank", "Bob", "pw2"}}},
             {"Work", {{"5/6/24", "VPN \"a\", ü", "robert", "pw3"}}}});
        MakeAccount("odd", {{"Default", {}}, {"Six", {}, "CREATE TABLE Six (a, b, c, d, e, f);"}});
    }

    void commands_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // a pattern
        QTest::addColumn<QString>("err");
        const auto row = [](const char* name, QStringList arguments, int status, const QString& out,
                            const QString& err = {}, const QByteArray& input = "pw\n") {
            QTest::newRow(name) << arguments << input << status << out << err;
        };
        const auto text = [](const QString& literal) {
            return QRegularExpression::escape(literal);
        };
        row("ls", {"ls", "bob"}, 0, text("Default\t2\nWork\t1\n"), {}, "  pw  \n");
        row("show a table", {"show", "bob", "default"}, 0,
            text("1\t1/2/26\tMail\tbob@x\n2\t3/4/25\tBank\tBob\n"));
        row("show an entry", {"show", "bob", "Work", "1"}, 0,
            text("1\t5/6/24\tVPN \"a\", ü\trobert\n"));
        row("its password", {"show", "bob", "Default", "2", "--show-password"}, 0,
            text("2\t3/4/25\tBank\tBob\tpw2\n"));
        row("search", {"search", "bob", "BOB"}, 0,
            text("Default\t1\t1/2/26\tMail\tbob@x\nDefault\t2\t3/4/25\tBank\tBob\n"));
        row("generate", {"generate", "--class", "numbers", "--length", "6", "--count", "3"}, 0,
            "(\\d{6}\n){3}");
        row("generate letters", {"generate", "--class", "letters", "--case", "upper"}, 0,
            "([A-Z]{10}\n){20}");
        row("no such row", {"show", "bob", "Work", "2"}, 1, "", "No record exists at that row.");
        row("no such table", {"show", "bob", "Home"}, 1, "", "There is no table named Home.");
        row("wrong password", {"ls", "bob"}, 1, "", "Sorry, could not locate or open this account.",
            "nope\n");
        row("not from argv", {"ls", "bob", "pw"}, 2, "", "Wrong number of arguments for ls.", "");
        row("nor from nowhere", {"ls", Store("bob")}, 1, "", "Sorry, could not locate", "");
        row("a password needs a row", {"show", "bob", "Work", "--show-password"}, 2, "",
            "give its ROW");
        row("bad length", {"generate", "--length", "26"}, 2, "",
            "--length is a whole number from 6 to 25.");
        row("unknown", {"list", "bob"}, 2, "", "Unknown command: list.");
        row("odd shape", {"ls", "odd"}, 1, "", "has a table that does not have the five columns");
        row("locked", {"ls", "bob"}, 1, "", "The account \"bob\" is open in another window.");
    }

    // No command writes anything into the store's folder, and none that fails prints output.
    void commands() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const auto lock = QByteArray(QTest::currentDataTag()) == "locked"
                              ? StoreLock::Take(Store("bob"), "bob")
                              : nullptr;
        const auto before = Folder();
        const Run run = Cli(arguments, input);
        QVERIFY2(QRegularExpression("^(" + out + ")$").match(run.out).hasMatch(),
                 qPrintable(run.out));
        QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
        QCOMPARE(run.status, status);
        QCOMPARE(Folder(), before);
    }

    // Out and back in: the second store exports the same file, and the import took the
    // log-in's backup first. No export goes over a file.
    void roundTrip() {
        const QString first = File("first.csv"), second = File("second.csv");
        QCOMPARE(Cli({"export", "bob", first}).status, 0);
        const QByteArray exported = Bytes(first);
        QCOMPARE(exported,
                 (Header + "\"Default\",\"1/2/26\",\"Mail\",\"bob@x\",\"pw1\"\r\n"
                           "\"Default\",\"3/4/25\",\"Bank\",\"Bob\",\"pw2\"\r\n"
                           "\"Work\",\"5/6/24\",\"VPN \"\"a\"\", ü\",\"robert\",\"pw3\"\r\n")
                     .toUtf8());
        QCOMPARE(QFile::permissions(first), // the user is the owner
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        const Run again = Cli({"export", "bob", first});
        QCOMPARE(again.status, 1);
        QVERIFY(again.err.contains("already exists"));
        QCOMPARE(Bytes(first), exported);
        MakeAccount("copy");
        QCOMPARE(Cli({"import", "copy", first}).out,
                 "Added 2 entries to Default.\nAdded 1 entry to Work.\n");
        QVERIFY(QFile::exists(home.filePath("Ketterby/copy.bak")));
        QCOMPARE(Cli({"export", "copy", second}).status, 0);
        QCOMPARE(Bytes(second), exported);
    }

    // An entry the store refuses halfway through the file takes every entry before it back out.
    void anImportLandsWholeOrNotAtAll() {
        MakeAccount("halt", {{"Default", Entries(2)}});
        Engine::Connection(Store("halt"), KeyOf("pw"))
            .Execute("CREATE TRIGGER halt BEFORE INSERT ON [Default] WHEN NEW.Description = 'x' "
                     "BEGIN SELECT RAISE(ABORT, 'halted'); END;");
        WriteBytes(File("halt.csv"), "Group,Title\nWork,a\n,b\n,x\n");
        const Run run = Cli({"import", "halt", File("halt.csv")});
        QCOMPARE(run.err, "ketterby-cli: Error [ImportEntries]: 1811\nhalted\n");
        QCOMPARE(run.status, 1);
        QCOMPARE(ReadTables(Store("halt"), KeyOf("pw")), QStringList{"Default"});
        QCOMPARE(ReadTable(Store("halt"), KeyOf("pw"), "Default").size(), 2);
    }

    void otherManagers_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("tables"); // name=Description|User ID|Password
        QTest::addColumn<QString>("leftOut");
        QTest::newRow("Bitwarden")
            << QByteArray(
                   "folder,favorite,type,name,notes,fields,reprompt,login_uri,login_username,"
                   "login_password,login_totp\nSocial,,login,Twitter,\"a, "
                   "b\",,0,https://t,me@x,tw1,\n"
                   ",1,login,Mail,,,0,https://m,me,ma1,\n")
            << QStringList{"Social=Twitter|me@x|tw1", "Default=Mail|me|ma1"}
            << "favorite, type, notes, fields, reprompt, login_uri, login_totp";
        QTest::newRow("LastPass") << QByteArray(
                                         "url,username,password,totp,extra,name,grouping,fav\r\n"
                                         "https://a,al,ap,,,Amazon,Shopping,0\r\n")
                                  << QStringList{"Shopping=Amazon|al|ap"}
                                  << "url, totp, extra, fav";
        QTest::newRow("KeePassXC")
            << QByteArray("\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\","
                          "\"TOTP\",\"Icon\","
                          "\"Last Modified\",\"Created\"\n\"Root/Bank\",\"Savings\",\"kb\",\"k "
                          "p\",\"https://b\",\"\",\"\","
                          "\"0\",\"2024-01-01T00:00:00Z\",\"2024-01-01T00:00:00Z\"\n")
            << QStringList{"Root/Bank=Savings|kb|k p"}
            << "URL, Notes, TOTP, Icon, Last Modified, Created";
    }

    void otherManagers() {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, tables);
        QFETCH(QString, leftOut);
        const QString account = QTest::currentDataTag();
        MakeAccount(account);
        WriteBytes(File(account + ".csv"), csv);
        const Run run = Cli({"import", account, File(account + ".csv")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.endsWith("Columns left out: " + leftOut + ".\n"), qPrintable(run.out));
        for (const QString& table : tables) {
            const QString name = table.section('=', 0, 0);
            QCOMPARE(ReadTable(Store(account), KeyOf("pw"), name),
                     QStringList{Today() + '|' + table.section('=', 1)});
        }
    }

    // 95 entries in Bank: 4 more fill it, 99 go into "Bank 2" and the last 7 into "Bank 3".
    void anImportSplitsAtNinetyNine() {
        MakeAccount("full", {{"Default", {}}, {"Bank", Entries(95)}});
        QByteArray csv = "Group,Title,Username,Password\n";
        for (int i = 1; i <= 110; ++i)
            csv += "bank,t" + QByteArray::number(i) + ",u,p\n";
        WriteBytes(File("full.csv"), csv);
        const Run run = Cli({"import", "full", File("full.csv")});
        QCOMPARE(
            run.out,
            "Added 4 entries to Bank.\nAdded 99 entries to Bank 2.\n"
            "Bank holds 99 entries, so the rest went into Bank 2.\n"
            "Added 7 entries to Bank 3.\nBank 2 holds 99 entries, so the rest went into Bank 3.\n");
        QCOMPARE(ReadTable(Store("full"), KeyOf("pw"), "Bank").size(), 99);
        QCOMPARE(ReadTable(Store("full"), KeyOf("pw"), "Bank 2").size(), 99);
        QCOMPARE(ReadTable(Store("full"), KeyOf("pw"), "Bank 3").last(), Today() + "|t110|u|p");
    }

    void hostileFiles_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("fault");
        const QByteArray header = "Title,Username,Password\nok,a,b\n";
        QTest::newRow("invalid UTF-8") << header + "bad\xff,a,b\n"
                                       << "line 3: text that is not UTF-8";
        QTest::newRow("NUL") << header + QByteArray("a\0b,c,d\n", 8) << "line 3: a NUL byte";
        QTest::newRow("unterminated") << header + "\"open,a,b\nc,d\n"
                                      << "line 3: a quoted field that is never closed";
        QTest::newRow("10 MB field") << header + "x,y,\"" + QByteArray(10 << 20, 'a') + "\"\n"
                                     << "line 3: a field of more than 1 MiB";
        QTest::newRow("not CSV") << QByteArray("{\"items\": [{\"name\": \"x\"}]}\n")
                                 << "line 1: broken quoting";
        QTest::newRow("no header") << QByteArray("a,b,c\n") << "line 1: no column is";
        QTest::newRow("too long") << header + "x," + QByteArray(51, 'u') + ",p\n"
                                  << "line 3: the user ID is longer than 50 characters";
        QTest::newRow("short line") << header + "x,y\n"
                                    << "line 3: 2 fields where the header line has 3";
        QTest::newRow("bad date") << QByteArray("Date,Title\n13/1/26,x\n")
                                  << "line 2: the date \"13/1/26\"";
    }

    // The whole file is refused, the line named, and the store's folder is as it was.
    void hostileFiles() {
        QFETCH(QByteArray, csv);
        QFETCH(QString, fault);
        WriteBytes(File("hostile.csv"), csv);
        const auto before = Folder();
        const Run run = Cli({"import", "bob", File("hostile.csv")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith("ketterby-cli: " + File("hostile.csv") + ", " + fault),
                 qPrintable(run.err));
        QVERIFY(run.err.endsWith("Nothing was imported.\n"));
        QCOMPARE(Folder(), before);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
