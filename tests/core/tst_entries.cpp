// The entry operations on a real store, without a window: IDs stay 1..N whatever runs.
#include "core/CutBuffer.h"
#include "core/EntryOperations.h"
#include "core/Session.h"
#include "tests/support/CoreSupport.h"

using Entries::Field;

class EntriesTest : public QObject, CoreFixture {
    Q_OBJECT

    std::unique_ptr<Session> session;
    CutBuffer buffer;

    void Open(const QList<TableContent>& tables) {
        buffer = {};
        MakeStore(folder->File("e.mdb"), KeyOf("pw"), tables);
        session = std::make_unique<Session>(folder->File("e.mdb"), KeyOf("pw"));
    }
    // Date|Description|User ID|Password lines; "ID gap" where an ID is not the row's place.
    QStringList Rows(const QString& table) {
        QStringList lines;
        const auto rows = session->Connection().Prepare(
            "SELECT [ID], [Date]||'|'||[Description]||'|'||[User ID]||'|'||[Password] FROM " +
            Engine::QuoteName(table) + " ORDER BY [ID];");
        while (rows->Step())
            lines.append(rows->Integer(0) == lines.size() + 1 ? rows->Text(1) : "ID gap");
        return lines;
    }

  private slots:
    void init() { Start(); }
    void cleanup() { Finish(); }

    // Refusals carry the windows' texts and change nothing; the limits are measured as typed,
    // New's password at 50, an edit's at 100.
    void refusalsAndLimits() {
        Open({{"Default", SampleEntries(5)},
              {"Full", SampleEntries(99)},
              {"Almost", SampleEntries(98)}});
        const QStringList five = Rows("Default");
        const Notice noRow{Notice::Kind::Selection, "No record exists at that row."};
        const Notice selectRow{Notice::Kind::Selection, "Please select a valid row."};
        QCOMPARE(Entries::Delete(*session, "Default", 6).Notices(), QList{noRow});
        QCOMPARE(Entries::Cut(*session, "Default", 0, buffer).Notices(), QList{selectRow});
        QCOMPARE(Entries::PasswordToReplace(*session, "Default", 6).Notices(), QList{selectRow});
        QCOMPARE(Rows("Default"), five);
        QCOMPARE(Entries::Add(*session, "Full", "me", "secret", "mail").Refusal(),
                 QString("This table is full, only 99 records allowed."));
        QCOMPARE(Rows("Full").size(), 99);
        QVERIFY(Entries::Add(*session, "Almost", "me", "secret", "mail").Done());
        QVERIFY(Rows("Almost").last().endsWith("|mail|me|secret"));
        // An apostrophe counts once: 50 of them make a password New takes.
        QVERIFY(
            Entries::CheckNewEntry(QString(50, '\''), QString(50, '\''), QString(100, 'd')).Done());
        const auto tooLong = [](int limit) { return QList{TooLong(limit)}; };
        QCOMPARE(Entries::CheckNewEntry("u", QString(51, 'p'), "").Notices(), tooLong(50));
        QCOMPARE(Entries::CheckNewEntry(QString(51, 'u'), "", "").Notices(), tooLong(50));
        QCOMPARE(Entries::Add(*session, "Almost", "", "", QString(101, 'd')).Notices(),
                 tooLong(100));
        for (const auto& [field, limit] : {std::pair(0, 100), {1, 50}, {2, 100}}) {
            QVERIFY(Entries::SaveField(*session, "Default", 1, Field(field), QString(limit, 'x'))
                        .Done());
            QCOMPARE(
                Entries::SaveField(*session, "Default", 1, Field(field), QString(limit + 1, 'y'))
                    .Refusal(),
                QString("Sorry, input is limited to %1 characters.").arg(limit));
        }
        QCOMPARE(Rows("Default").first(),
                 "1/2/26|" + QString(100, 'x') + "|" + QString(50, 'x') + "|" + QString(100, 'x'));
    }

    // Bob's mail goes into another table before the first entry of its day or later; then a
    // trigger stops each renumbering halfway: nothing changes, no cut entry is lost or doubled.
    void pasteGoesByDateAndAFaultChangesNothing() {
        // Month first: read day first, 1/5/04 would come after 2/1/04.
        Open({{"Default", {}},
              {"B", {{"1/5/04", "a", "", ""}, {"2/1/04", "b", "", ""}, {"7/9/04", "c", "", ""}}}});
        Environment::SetToday(QDate(2004, 2, 1));
        QVERIFY(Entries::Add(*session, "Default", "u", "p", "Bob's mail").Done());
        QVERIFY(Entries::Cut(*session, "Default", 1, buffer).Done());
        QVERIFY(Entries::Paste(*session, "B", buffer).Done());
        const QStringList placed = {"1/5/04|a||", "2/1/04|Bob's mail|u|p", "2/1/04|b||",
                                    "7/9/04|c||"};
        QCOMPARE(Rows("B"), placed);
        session->Connection().Execute("CREATE TRIGGER halt BEFORE UPDATE ON B WHEN NEW.ID = 2 "
                                      "BEGIN SELECT RAISE(ABORT, 'halted'); END;");
        QVERIFY(Entries::Delete(*session, "B", 1).Failed());
        QVERIFY(!Entries::Cut(*session, "B", 1, buffer).Done());
        QVERIFY(!buffer.full);
        buffer = {"Other", {"1/1/04", "cut", "", ""}, 1, true};
        QCOMPARE(Texts(Entries::Paste(*session, "B", buffer)),
                 QStringList{"Error [NewRecord]: 1811\r\nhalted"});
        QVERIFY(buffer.full);
        QCOMPARE(Rows("B"), placed);
    }

    // New, Delete, Cut, Paste and Edit at random across three tables, against a model.
    void randomOperationsKeepEveryTableGapless() {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        const QStringList tables = {"Default", "Bank", "it's [x]"};
        Open({{tables[0], {}}, {tables[1], {}}, {tables[2], {}}});
        session->Connection().Execute("PRAGMA synchronous = OFF;"); // for speed only
        // Both sides of the two-digit-year window: 1/1/50 is older than 12/31/49.
        const QList<QDate> days = {{1950, 1, 1}, {2004, 7, 1}, {2004, 7, 5}, {2049, 12, 31}};
        const QStringList texts = {"", "Bob's mail", "a\"b", "x'); DROP TABLE [Default];--"};
        using Row = std::pair<QDate, QStringList>; // date; description, user ID, password
        QMap<QString, QList<Row>> model;
        std::optional<std::tuple<QString, int, Row>> cut; // the source table, the ID, the entry
        const auto pick = [&](const auto& list) { return list[random.bounded(int(list.size()))]; };
        QString table = tables[0];
        for (int step = 0; step < 1000; ++step) {
            table = random.bounded(3) ? table : pick(tables);
            QList<Row>& rows = model[table];
            // Often the last row, so that a table shrinks under a cut entry.
            const int row =
                random.bounded(2) ? int(rows.size()) : random.bounded(int(rows.size()) + 2);
            const int field = random.bounded(3), command = random.bounded(5);
            const bool valid = row >= 1 && row <= rows.size();
            if (command == 0) {
                rows.append({pick(days), {pick(texts), pick(texts), pick(texts)}});
                Environment::SetToday(rows.last().first);
                const QStringList& typed = rows.last().second;
                Entries::Add(*session, table, typed[1], typed[2], typed[0]);
            } else if (command == 1) {
                Entries::Delete(*session, table, qint16(row));
                if (valid)
                    rows.removeAt(row - 1);
            } else if (command == 2) {
                Entries::Cut(*session, table, qint16(row), buffer);
                if (valid)
                    cut = {table, row, rows.takeAt(row - 1)};
            } else if (command == 3) {
                Entries::Paste(*session, table, buffer);
                if (const auto moved = std::exchange(cut, std::nullopt)) {
                    const auto& [source, id, entry] = *moved;
                    const auto earlier = std::count_if(
                        rows.cbegin(), rows.cend(), [&](auto& r) { return r.first < entry.first; });
                    rows.insert(source == table ? std::min(id, int(rows.size()) + 1) - 1 : earlier,
                                entry);
                }
            } else if (const QString text = pick(texts) + pick(texts);
                       Entries::SaveField(*session, table, qint16(row), Field(field), text)
                           .Done() &&
                       valid) {
                rows[row - 1].second[field] = text;
            }
            for (const QString& name : tables) {
                QStringList expected;
                for (const auto& [day, fields] : model[name])
                    expected.append(day.toString("M/d/yy") + '|' + fields.join('|'));
                QVERIFY2(Rows(name) == expected,
                         qPrintable(QString("seed %1, step %2, %3").arg(seed).arg(step).arg(name)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(EntriesTest)
#include "tst_entries.moc"
