// ketterby-cli run as a process on real stores: each command's output, imports, changes and
// refusals.
#include "clipboard/ClipboardHold.h"
#include "core/Accounts.h"
#include "core/CutBuffer.h"
#include "core/EntryDates.h"
#include "core/EntryOperations.h"
#include "core/Session.h"
#include "core/StoreLock.h"
#include "core/TableCommands.h"
#include "tests/support/CoreSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>

// What the windows do to a store, for a command to do alike.
using Windows = std::function<Outcome(const Session&)>;

class CliTest : public QObject {
    Q_OBJECT

    const QString Long = QString(50, 'T'); // a table name of the longest length
    QTemporaryDir home;              // XDG_DATA_HOME of the program: accounts are in home/Ketterby/
    std::unique_ptr<StoreLock> held; // as the windows hold an open account, released first
    QProcess writer;
    QString File(const QString& name) const { return home.filePath(name); }
    QString Store(const QString& account) const { return File("Ketterby/" + account + ".mdb"); }

    // The exit status, a blank, then standard output (unless sent to `output`) and error.
    QString Cli(const QStringList& arguments, const QByteArray& input = "pw\n",
                const QString& output = {}) {
        QProcess process;
        if (!output.isEmpty())
            process.setStandardOutputFile(output);
        process.setWorkingDirectory(File("Ketterby"));
        process.start(KETTERBY_CLI, arguments);
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished();
        return QString::number(process.exitCode()) + ' ' + process.readAllStandardOutput() +
               process.readAllStandardError();
    }

    void MakeAccount(const QString& account, QList<TableContent> tables = {{"Default", {}}}) {
        MakeStore(Store(account), KeyOf("pw"), tables);
    }

  private slots:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        QDir().mkpath(home.filePath("Ketterby"));
        MakeAccount(
            "bob",
            {{"Default", {{"1/2/26", "Mail", "bob@x", "pw1"}, {"3/4/25", "Bank", "Bob", "pw2"}}},
             {"Work", {{"12/16/2024", "VPN \"a\", ü", "robert", "pw3"}}}});
        MakeAccount("odd", {{"Default", {}}, {"Six", {}, "CREATE TABLE Six (a, b, c, d, e, f);"}});
        for (auto account : {"Bitwarden", "LastPass", "KeePassXC", "Firefox", "locked", "copy"})
            MakeAccount(account);
        held = std::move(*StoreLock::Take(Store("locked"), "locked"));
        // Another program inside a write, which keeps every reader of the file out: a log-in
        // finds the lock before it meets the file.
        writer.start("sqlcipher", {Store("locked")});
        writer.write("PRAGMA key = '" +
                     QByteArray::fromStdString(std::string(KeyOf("pw").EngineText())) +
                     "';\nBEGIN EXCLUSIVE;\nSELECT 'held';\n");
        QVERIFY(writer.waitForReadyRead(10000));
        MakeAccount("full",
                    {{"Default", {}}, {"Bank", SampleEntries(95)}, {Long, SampleEntries(99)}});
        MakeAccount(
            "halt",
            {{"Default", SampleEntries(2)}, {"Work", {}}, {"X", {{"1/2/26", "x", "", ""}}}});
        MakeAccount("ed", {{"Default", SampleEntries(2)}, {"Full", SampleEntries(99)}});
        Engine::Connection(Store("halt"), KeyOf("pw"))
            .Execute("CREATE TRIGGER halt BEFORE INSERT ON [Work] WHEN NEW.Description = 'x' "
                     "BEGIN SELECT RAISE(ABORT, 'halted'); END;");
        Engine::Connection(Store("halt"), KeyOf("pw"))
            .Execute("CREATE TRIGGER moved BEFORE INSERT ON [Default] WHEN NEW.Description = 'x' "
                     "BEGIN SELECT RAISE(ABORT, 'halted'); END;");
    }

    void commands_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("csv");     // written to in.csv first
        QTest::addColumn<QString>("out");        // a pattern of what Cli returns
        QTest::addColumn<QStringList>("tables"); // after an import: name|entries|the last entry
        const auto row = [](const char* name, QStringList arguments, const QString& out,
                            const QByteArray& input = "pw\n", const QByteArray& csv = {},
                            const QStringList& tables = {}) {
            QTest::newRow(name) << arguments << input << csv << out << tables;
        };
        row("ls", {"ls", "bob"}, "0 Default\t2\nWork\t1\n", "  pw  \r\n");
        row("show", {"show", "bob", "default"}, "0 1\t1/2/26\tMail\tbob@x\n2\t3/4/25\tBank\tBob\n");
        row("entry", {"show", "bob", "Work", "1", "--show-password"},
            "0 1\t12/16/2024\tVPN \"a\", ü\trobert\tpw3\n");
        row("search", {"search", "bob", "BOB"},
            "0 Default\t1\t1/2/26\tMail\tbob@x\nDefault\t2\t3/4/25\tBank\tBob\n");
        row("generate", {"generate", "--class", "letters", "--case", "upper", "--length", "25"},
            "0 ([A-Z]{25}\n){20}");
        row("no such row", {"show", "bob", "Work", "2"}, "1 .*No record exists at that row.\n");
        row("no such table", {"show", "bob", "Home"}, "1 .*There is no table named Home.\n");
        row("wrong password", {"ls", "bob"}, "1 .*Sorry, could not locate.*", "nope\n");
        row("not from argv", {"ls", "bob", "pw"}, "2 .*Wrong number of arguments for ls.\n.*", "");
        row("password needs row", {"show", "bob", "Work", "--show-password"}, "2 .*give its ROW.*");
        row("length", {"generate", "--length", "26"},
            "2 .*--length is a whole number from 6 to 25.*");
        row("unknown", {"list", "bob"}, "2 ketterby-cli: Unknown command: list.\nTry .*");
        row("odd shape", {"ls", "odd"}, "1 .*has a table that does not have the five columns.*");
        row("locked", {"ls", "locked"}, "1 .*The account \"locked\" is open in another window.\n");
        // The changing commands' refusals, with the windows' texts.
        row("add full", {"add", "ed", "full"}, "1 .*This table is full, only 99 records allowed.\n",
            "pw\nsecret\n");
        row("no generate", {"add", "ed", "Default", "--case", "lower"}, "2 .*--generate too.\n.*");
        row("new password", {"add", "ed", "Default"}, "1 .*too long.\nMaximum length is 50 .*",
            "pw\n" + QByteArray(51, 'p') + '\n');
        row("edit user", {"edit", "ed", "Default", "1", "user"},
            "1 .*Sorry, input is limited to 50 characters.\n", "pw\n" + QByteArray(51, 'u') + '\n');
        row("input ended", {"edit", "ed", "Default", "1", "password"},
            "1 .*Standard input ended before the value asked for.\n");
        row("edit no row", {"edit", "ed", "Default", "3", "user"},
            "1 .*Please select a valid row.\n");
        row("edit date", {"edit", "ed", "Default", "1", "date"}, "2 .*FIELD is description, .*");
        row("rm unasked", {"rm", "ed", "Default", "1"}, "1 .*There is no terminal to ask at.*");
        row("mv nowhere", {"mv", "ed", "Default", "1", "Home"}, "1 .*no table named Home.\n");
        row("mv halted", {"mv", "halt", "x", "1", "Default"},
            "1 .*\\[MoveEntry\\]: 1811\nhalted\n");
        row("rmtable", {"rmtable", "ed", "default", "--yes"},
            "1 .*Table Default cannot be deleted!\n");
        row("create", {"create", "ed"}, "1 .*This account name is already in use.\nPlease use .*");
        row("no folder", {"create", File("none/x.mdb")}, "1 .*could not create this account in .*");
        row("rename", {"passwd", "ed", "--rename", "bob"},
            "1 .*This account name is already in use.*", "pw\nnew\n");
        row("clip no row", {"clip", "ed", "Default", "3"}, "1 .*Please select a valid row.\n");
        // Hostile files: the whole file refused, the line named.
        const QString in = File("in.csv");
        const auto hostile = [&](const char* name, const QByteArray& csv, const QString& fault) {
            row(name, {"import", "bob", in},
                "1 .*" + QRegularExpression::escape(in) + ", " + fault + ".*", "pw\n", csv);
        };
        hostile("unterminated", "Title\n\"a\n", "line 2: a quoted field that is never closed");
        hostile("not CSV", "{\"items\": [{\"name\": \"x\"}]}\n", "line 1: broken quoting");
        hostile("no header", "a,b,c\n", "line 1: no column is");
        // Every refused line named; --skip-invalid imports the rest; a URL's host describes.
        const QByteArray password(100, 'p');
        const QByteArray faults =
            "url,username,password,guid\nhttps://a.example.org:8443/in?x,me," + password +
            ",{1}\nx,\"a\nb\",p,g\nx,u,p\tq,g\nx," + QByteArray(51, 'u') + ",p,g\nx,u,p" +
            password + ",g\n" +
            QByteArray("x,a\0b,p,g\nx,bad\xff,p,g\nx,y,z\nx,y,z,w,v\nx,\"", 40) +
            QByteArray(10 << 20, 'a') + "\",p,g\n";
        hostile("faults", faults,
                "line 3: the user ID holds a line break, .*line 5: the password holds a line "
                "break, a tab or another control character.\n.*line 6: the user ID is longer than "
                "50 characters.\n.*line 7: the password is longer than 100 characters.\n.*line 8: "
                "a NUL byte.\n.*line 9: text that is not UTF-8.\n.*line 10: 3 fields where the "
                "header line has 4.\n.*line 11: 5 fields .*line 12: a field of more than 1 MiB.\n"
                "Nothing was imported; --skip-invalid imports the other 1 entry.\n");
        hostile("header only", "Title\n", "line 1: a header line and no entry after it.");
        hostile("quote", "Group,Title\nit's,x\n", "line 2: a table name cannot hold a quote");
        hostile("bad date", "Date,Title\n13/1/26,x\n", "line 2: the date \"13/1/26\"");
        const QString today = EntryDates::Format(QDate::currentDate()) + '|';
        const auto import = [&](const char* account, const QByteArray& csv, const QString& out,
                                const QStringList& tables) {
            row(account, {"import", account, in}, out, "pw\n", csv, tables);
        };
        import("Bitwarden",
               "\xEF\xBB\xBF" // the byte order mark
               "folder,favorite,type,name,title,fields,reprompt,login_uri,login_username,"
               "login_password,login_totp\nSocial,,login,Twitter,\"a, b\",,0,https://t,me@x,tw1,\n"
               ",1,login,Mail,,,0,https://m,me,ma1,\n",
               "0 Added 1 entry to Social.\nAdded 1 entry to Default.\nColumns left out: .*\n",
               {"Default|1|" + today + "Mail|me|ma1", "Social|1|" + today + "Twitter|me@x|tw1"});
        import(
            "LastPass",
            "url, username ,password,totp,extra,name,grouping,fav\n,al, ap ,,,Amazon,Shopping,0\n",
            "0 Added 1 entry to Shopping.\nColumns left out: url, totp, extra, fav.\n",
            {"Shopping|1|" + today + "Amazon|al| ap "});
        import("KeePassXC",
               "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\",\"Icon\","
               "\"Last Modified\",\"Created\"\n\"Root/Bank\",\"Savings\",\"kb\",\"k p\",,,,,,\n",
               "0 Added 1 entry to Root/Bank.\nColumns left out: URL, .*, Created.\n",
               {"Root/Bank|1|" + today + "Savings|kb|k p"});
        row("Firefox", {"import", "Firefox", in, "--skip-invalid"},
            "0 Added 1 entry to Default.\nColumns left out: guid.\n(.*: Skipped [^\n]*\n){9}",
            "pw\n", faults, {"Default|1|" + today + "a.example.org|me|" + password});
        // 95 entries in Bank: 4 more fill it, 99 go into "Bank 2" and the last 7 into "Bank 3".
        // The full table of the longest name overflows into a name as long.
        QByteArray csv = "Group,Title,Username,Password\n";
        for (int i = 1; i <= 110; ++i)
            csv += "bank,t" + QByteArray::number(i) + ",u,p\n";
        const QString shortened = Long.left(48) + " 2";
        import("full", csv + Long.toLower().toUtf8() + ",x,u,p\n",
               "0 Added 4 entries to Bank.\nAdded 99 entries to Bank 2.\nBank holds 99 entries, so "
               "the rest went into Bank 2.\nAdded 7 entries to Bank 3.\nBank 2 holds 99 entries, "
               "so the rest went into Bank 3.\nAdded 1 entry to " +
                   shortened + ".\n" + Long + " holds 99 entries, so the rest went into " +
                   shortened + ".\n",
               {"Bank|99|" + today + "t4|u|p", "Bank 2|99|" + today + "t103|u|p",
                "Bank 3|7|" + today + "t110|u|p", shortened + "|1|" + today + "x|u|p"});
        // The store refuses an entry halfway: every entry before it goes back out, in every table.
        import("halt", "Group,Title\n,a\nWork,x\n", "1 .*\\[ImportEntries\\]: 1811\nhalted\n",
               {"Default|2|1/2/26|entry 2|user|pw2"});
    }

    // What each command prints; a reading or refused command leaves the folder as it was.
    void commands() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, csv);
        QFETCH(QString, out);
        QFETCH(QStringList, tables);
        WriteBytes(File("in.csv"), csv);
        const QStringList before = Snapshot(File("Ketterby"));
        const QString run = Cli(arguments, input);
        QVERIFY2(QRegularExpression("(?s)^" + out + "$").match(run).hasMatch(), qPrintable(run));
        for (const QString& table : tables) {
            const QString name = table.section('|', 0, 0);
            const QStringList rows = ReadTable(Store(arguments[1]), KeyOf("pw"), name);
            QCOMPARE(name + '|' + QString::number(rows.size()) + '|' + rows.value(rows.size() - 1),
                     table);
        }
        if (tables.isEmpty())
            QCOMPARE(Snapshot(File("Ketterby")), before);
    }

    // The password is read up to its line's end and not a byte further: no buffer keeps it, or
    // the next line, which stays in the pipe for whatever reads it next (a second secret).
    void passwordTakesItsLineAlone() {
        int pipe[2];
        QVERIFY(::pipe2(pipe, O_CLOEXEC) == 0 && ::write(pipe[1], "pw\nnext\n", 8) == 8);
        QProcess process;
        process.setChildProcessModifier([&] { ::dup2(pipe[0], STDIN_FILENO); });
        process.start(KETTERBY_CLI, {"ls", "bob"});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.readAllStandardOutput(), "Default\t2\nWork\t1\n");
        ::close(pipe[1]);
        char rest[8];
        QCOMPARE(QByteArray(rest, std::max(::read(pipe[0], rest, sizeof rest), 0L)), "next\n");
        ::close(pipe[0]);
    }

    // Each change leaves the store as the core functions the windows call leave it.
    void changesMatchTheWindows_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<Windows>("windows");
        const auto row = [](const char* name, const QStringList& arguments, const QByteArray& input,
                            const Windows& windows) {
            QTest::newRow(name) << QStringList{arguments[0], "cli"} + arguments.sliced(1) << input
                                << windows;
        };
        row("add", {"add", "BANK", "--description", " Mail ", "--user", " me"}, "pw\n p 9 \n",
            [](auto& store) { return Entries::Add(store, "Bank", "me", "p 9", "Mail"); });
        row("edit", {"edit", "bank", "2", "description"}, "pw\n New \n", [](auto& store) {
            return Entries::SaveField(store, "Bank", 2, Entries::Field::Description, "New");
        });
        row("rm", {"rm", "Bank", "1", "--yes"}, "pw\n",
            [](auto& store) { return Entries::Delete(store, "Bank", 1); });
        row("mv", {"mv", "Bank", "3", "default"}, "pw\n", [](auto& store) {
            CutBuffer cut;
            Entries::Cut(store, "Bank", 3, cut);
            return Entries::Paste(store, "Default", cut);
        });
        row("mktable", {"mktable", " Home "}, "pw\n",
            [](auto& store) { return Tables::Add(store, "Home"); });
        row("rmtable", {"rmtable", "bank", "--yes"}, "pw\n",
            [](auto& store) { return Tables::Remove(store, "Bank"); });
        row("rntable", {"rntable", "BANK", "Cards"}, "pw\n",
            [](auto& store) { return Tables::Rename(store, "Bank", "Cards"); });
    }

    void changesMatchTheWindows() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(Windows, windows);
        const auto contents = [&](const QString& account) {
            QStringList lines;
            for (const QString& table : ReadTable(Store(account), KeyOf("pw")))
                lines << table << ReadTable(Store(account), KeyOf("pw"), table);
            return lines;
        };
        for (const char* account : {"cli", "win"}) {
            QFile::remove(Store(account));
            MakeAccount(account,
                        {{"Default", {{"1/2/26", "a", "", ""}, {"3/4/26", "b", "", ""}}},
                         {"Bank", SampleEntries(2) << QStringList{"2/1/26", "c", "", ""}}});
        }
        QCOMPARE(Cli(arguments, input), "0 ");
        QVERIFY(windows(Session(Store("win"), KeyOf("pw"))).Done());
        QCOMPARE(contents("cli"), contents("win"));
    }

    // A store made here opens in the windows, in a data folder made for it; so it does after a
    // change of name and password here.
    void accountsMadeHereOpenInTheWindows() {
        qputenv("XDG_DATA_HOME", File("fresh").toUtf8());
        const QString created = Cli({"create", " carol "}, " c1 \n");
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        QCOMPARE(created, "0 ");
        const QString folder = File("fresh/Ketterby/");
        QVERIFY(Accounts::LogIn("carol", folder, "c1", Accounts::Upkeep::WriteNothing).Done());
        QCOMPARE(Cli({"passwd", folder + "carol.mdb", "--rename", "dave"}, "c1\n\n"), "0 ");
        QVERIFY(Accounts::LogIn("dave", folder, "", Accounts::Upkeep::WriteNothing).Done());
    }

    // clip holds the text on the clipboard until SIGTERM clears it at once.
    void clipClearsAtASignal() {
        QProcess clip;
        clip.setReadChannel(QProcess::StandardError);
        clip.start(KETTERBY_CLI, {"clip", "bob", "Work", "1"});
        clip.write("pw\n");
        QVERIFY(clip.waitForReadyRead(10000));
        QCOMPARE(clip.readAll(), "ketterby-cli: The password is on the clipboard for 30 seconds; "
                                 "Ctrl+C clears it now.\n");
        clip.terminate();
        QVERIFY(clip.waitForFinished(5000) && clip.exitStatus() == QProcess::NormalExit &&
                clip.exitCode() == 0);
        QString held;
        QVERIFY(HoldOnClipboard("pw3", [&] {
            held = QGuiApplication::clipboard()->text();
            std::raise(SIGTERM);
        }));
        QCOMPARE(held, "pw3");
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    }

    // Out and back in, then out into a pipe, gives the same file; the import makes a backup first.
    void roundTrip() {
        const QString first = File("first.csv");
        QCOMPARE(Cli({"export", "bob", first}), "0 Exported 3 entries to " + first + ".\n");
        QCOMPARE(Bytes(first),
                 "Table,Date,Description,User ID,Password\r\n"
                 "\"Default\",\"1/2/26\",\"Mail\",\"bob@x\",\"pw1\"\r\n"
                 "\"Default\",\"3/4/25\",\"Bank\",\"Bob\",\"pw2\"\r\n"
                 "\"Work\",\"12/16/2024\",\"VPN \"\"a\"\", ü\",\"robert\",\"pw3\"\r\n");
        QVERIFY(!(QFile::permissions(first) & (QFile::ReadGroup | QFile::ReadOther)));
        QVERIFY(Cli({"export", "bob", first}).startsWith("1 ketterby-cli: " + first + " already"));
        QCOMPARE(Cli({"import", "copy", first}),
                 "0 Added 2 entries to Default.\nAdded 1 entry to Work.\n");
        QVERIFY(QFile::exists(File("Ketterby/copy.bak")));
        QCOMPARE(Cli({"export", "copy", "-"}), "0 " + Bytes(first));
    }

    // A terminal's password is typed without echo, back on after, even at Ctrl+D; no export there.
    void terminal() {
        const int typing = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(typing >= 0 && grantpt(typing) == 0 && unlockpt(typing) == 0);
        for (const auto& [typed, status] : {std::pair("pw\n", 0), {"\x04", 1}}) { // and Ctrl+D
            QProcess ls;
            ls.setStandardInputFile(ptsname(typing));
            ls.start(KETTERBY_CLI, {"ls", "bob"});
            termios settings{};
            QTRY_VERIFY(tcgetattr(typing, &settings) == 0 && !(settings.c_lflag & ECHO));
            QVERIFY(write(typing, typed, std::strlen(typed)) > 0 && ls.waitForFinished() &&
                    ls.exitCode() == status);
            char echoed;
            QCOMPARE(read(typing, &echoed, 1), -1); // nothing came back
            QVERIFY(tcgetattr(typing, &settings) == 0 && (settings.c_lflag & ECHO));
        }
        QCOMPARE(Cli({"export", "bob", "-"}, "pw\n", ptsname(typing)),
                 "1 ketterby-cli: Standard output is a terminal, where the passwords would stay on "
                 "screen: export - writes only into a pipe or a file.\n");
        close(typing);
    }
};

QTEST_MAIN(CliTest)
#include "tst_cli.moc"
