// The entry operations on a real store without a window: IDs stay 1..N whatever runs, every
// refusal is the system's own message, and a failure halfway leaves the table as it was.
#include "core/CutBuffer.h"
#include "core/EntryOperations.h"
#include "core/Environment.h"
#include "core/Session.h"
#include "core/TableCatalogue.h"
#include "tests/support/CoreSupport.h"

#include <QRandomGenerator>
#include <QTest>

using namespace MessageBoxes;

class EntriesTest : public QObject, CoreFixture {
    Q_OBJECT

    std::unique_ptr<Session> session;
    CutBuffer buffer;

    void Open(const QList<TableContent>& tables) {
        MakeStore(folder->File("e.mdb"), KeyOf("pw"), tables);
        session = std::make_unique<Session>(folder->File("e.mdb"), KeyOf("pw"));
    }
    // Date|Description|User ID|Password lines; a row whose ID is not its place is marked.
    QStringList Rows(const QString& table) {
        QStringList lines;
        for (const auto& cells : Catalogue::ReadRows(session->Connection(), table).values)
            lines.append(cells[4] != QString::number(lines.size() + 1)
                             ? "ID gap"
                             : QStringList{*cells[0], *cells[1], *cells[2], *cells[3]}.join('|'));
        return lines;
    }
    void In(const QString& table) { session->CurrentTable = table; }

  private slots:
    void init() {
        Start();
        Environment::SetToday(QDate(2004, 7, 13));
    }
    void cleanup() {
        session.reset();
        buffer = {};
        Finish();
    }

    // Every refusal and question of New, Delete, Cut and Edit; none changes a table.
    void refusalsAndQuestions() {
        Open({{"Default", Entries(5)}, {"Full", Entries(99)}, {"Almost", Entries(98)}});
        const QStringList five = Rows("Default");
        for (const qint16 row : {0, 6}) {
            DBFunctions::DeleteEntry(*session, row);
            messages->ExpectOne("No record exists at that row.", Icon::Exclamation,
                                Buttons::OKCancel);
            DBFunctions::CutEntry(*session, buffer, row);
            messages->ExpectOne("Please select a valid row.", Icon::Exclamation);
        }
        DBFunctions::DeleteEntry(*session, 2); // answered No
        messages->ExpectOne("Are you sure you wish to delete this entry?\r\nRecord 2 will be "
                            "deleted permanently.",
                            Icon::Question, Buttons::YesNo, "Please confirm...");
        QCOMPARE(Rows("Default"), five);
        QVERIFY(!buffer.full);
        In("Full");
        DBFunctions::NewEntry(*session, "me", "secret", "mail");
        messages->ExpectOne("This table is full, only 99 records allowed.", Icon::Information);
        QCOMPARE(Rows("Full").size(), 99);
        In("Almost");
        DBFunctions::NewEntry(*session, "me", "secret", "mail");
        QCOMPARE(Rows("Almost").last(), QString("7/13/04|mail|me|secret"));
        for (const auto& [col, limit] : {std::pair(2, 100), std::pair(3, 50), std::pair(4, 100)}) {
            QVERIFY(DBFunctions::SaveField(*session, 1, qint16(col), QString(limit, 'x')));
            QVERIFY(!DBFunctions::SaveField(*session, 1, qint16(col), QString(limit + 1, 'y')));
            messages->ExpectOne("Sorry, input is limited to " + QString::number(limit) +
                                    " characters.",
                                Icon::Information);
        }
    }

    // In front of the first entry dated the same day or later; one cut allows one paste.
    void pasteIntoAnotherTableGoesByDate() {
        Open({{"Default", {{"7/5/04", "moved", "u", "p"}}},
              {"B", {{"7/1/04", "a", "", ""}, {"7/5/04", "b", "", ""}, {"7/9/04", "c", "", ""}}}});
        DBFunctions::CutEntry(*session, buffer, 1);
        In("B");
        DBFunctions::PasteEntry(*session, buffer);
        DBFunctions::PasteEntry(*session, buffer);
        QCOMPARE(Rows("B"),
                 (QStringList{"7/1/04|a||", "7/5/04|moved|u|p", "7/5/04|b||", "7/9/04|c||"}));
    }

    // A trigger stops each renumbering after its first step: the table stays as it was, and
    // a cut entry is neither lost nor doubled.
    void aFaultHalfwayLeavesTheTableAsItWas() {
        Open({{"Default", Entries(4)}});
        session->Connection().Execute("CREATE TRIGGER halt BEFORE UPDATE ON [Default] WHEN "
                                      "NEW.ID = 2 BEGIN SELECT RAISE(ABORT, 'halted'); END;");
        const QStringList before = Rows("Default");
        messages->Answer(Answer::Yes);
        DBFunctions::DeleteEntry(*session, 1);
        DBFunctions::CutEntry(*session, buffer, 1);
        QVERIFY(!buffer.full);
        buffer = {"Other", {"1/1/04", "cut", "", ""}, 1, true};
        DBFunctions::PasteEntry(*session, buffer);
        QVERIFY(buffer.full);
        QCOMPARE(Rows("Default"), before);
        QStringList errors;
        for (const Message& message : messages->Take())
            errors.append(message.icon == Icon::Critical ? message.text : "");
        QCOMPARE(errors, (QStringList{"", "Error [DeleteRecord]: 1811\r\nhalted",
                                      "Error [DeleteRecord]: 1811\r\nhalted",
                                      "Error [NewRecord]: 1811\r\nhalted"}));
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
        using Cut = std::tuple<QString, int, Row>; // the source table, the ID, the entry
        std::optional<Cut> cut;
        const auto pick = [&](const auto& list) { return list[random.bounded(int(list.size()))]; };
        for (int step = 0; step < 600; ++step) {
            const QString table = pick(tables);
            In(table);
            QList<Row>& rows = model[table];
            const int row = random.bounded(int(rows.size()) + 2), col = 2 + random.bounded(3);
            const bool valid = row >= 1 && row <= rows.size();
            const int command = random.bounded(5);
            if (command == 0) {
                rows.append({pick(days), {pick(texts), pick(texts), pick(texts)}});
                Environment::SetToday(rows.last().first);
                DBFunctions::NewEntry(*session, rows.last().second[1], rows.last().second[2],
                                      rows.last().second[0]);
            } else if (command == 1) {
                messages->Answer(Answer::Yes);
                DBFunctions::DeleteEntry(*session, qint16(row));
                if (valid)
                    rows.removeAt(row - 1);
            } else if (command == 2) {
                DBFunctions::CutEntry(*session, buffer, qint16(row));
                if (valid)
                    cut = {table, row, rows.takeAt(row - 1)};
            } else if (command == 3) {
                DBFunctions::PasteEntry(*session, buffer);
                if (const auto [source, id, entry] = cut.value_or(Cut()); cut) {
                    const auto earlier = std::count_if(
                        rows.cbegin(), rows.cend(), [&](auto& r) { return r.first < entry.first; });
                    rows.insert(source == table ? std::min(id, int(rows.size()) + 1) - 1 : earlier,
                                entry);
                    cut.reset();
                }
            } else if (const QString text = pick(texts) + pick(texts);
                       DBFunctions::SaveField(*session, qint16(row), qint16(col), text) && valid) {
                rows[row - 1].second[col - 2] = text;
            }
            for (const Message& message : messages->Take())
                QVERIFY2(message.icon != Icon::Critical, qPrintable(message.text));
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
