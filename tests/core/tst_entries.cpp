// The entry operations on a real store, without a window: IDs stay 1..N whatever runs.
#include "core/CutBuffer.h"
#include "core/EntryOperations.h"
#include "core/Session.h"
#include "tests/support/CoreSupport.h"

using namespace MessageBoxes;
using DBFunctions::Field;

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

    void refusalsAndQuestions() {
        Open({{"Default", Entries(5)}, {"Full", Entries(99)}, {"Almost", Entries(98)}});
        const QStringList five = Rows("Default");
        DBFunctions::DeleteEntry(*session, 0);
        messages->ExpectOne("No record exists at that row.", Icon::Exclamation, Buttons::OKCancel);
        DBFunctions::CutEntry(*session, buffer, 0);
        messages->ExpectOne("Please select a valid row.", Icon::Exclamation);
        DBFunctions::DeleteEntry(*session, 2); // answered No
        messages->ExpectOne("Are you sure you wish to delete this entry?\r\nRecord 2 will be "
                            "deleted permanently.",
                            Icon::Question, Buttons::YesNo, "Please confirm...");
        QCOMPARE(Rows("Default"), five);
        session->CurrentTable = "Full";
        DBFunctions::NewEntry(*session, "me", "secret", "mail");
        messages->ExpectOne("This table is full, only 99 records allowed.", Icon::Information);
        QCOMPARE(Rows("Full").size(), 99);
        session->CurrentTable = "Almost";
        DBFunctions::NewEntry(*session, "me", "secret", "mail");
        QVERIFY(Rows("Almost").last().endsWith("|mail|me|secret"));
        for (const auto& [field, limit] : {std::pair(0, 100), {1, 50}, {2, 100}}) {
            QVERIFY(DBFunctions::SaveField(*session, 1, Field(field), QString(limit, 'x')));
            QVERIFY(!DBFunctions::SaveField(*session, 1, Field(field), QString(limit + 1, 'y')));
            messages->ExpectOne(QString("Sorry, input is limited to %1 characters.").arg(limit),
                                Icon::Information);
        }
    }

    // Bob's mail goes into another table before the first entry of its day or later; then a
    // trigger stops each renumbering halfway: nothing changes, no cut entry is lost or doubled.
    void pasteGoesByDateAndAFaultChangesNothing() {
        // Month first: read day first, 1/5/04 would come after 2/1/04.
        Open({{"Default", {}},
              {"B", {{"1/5/04", "a", "", ""}, {"2/1/04", "b", "", ""}, {"7/9/04", "c", "", ""}}}});
        Environment::SetToday(QDate(2004, 2, 1));
        DBFunctions::NewEntry(*session, "u", "p", "Bob's mail");
        DBFunctions::CutEntry(*session, buffer, 1);
        session->CurrentTable = "B";
        DBFunctions::PasteEntry(*session, buffer);
        const QStringList placed = {"1/5/04|a||", "2/1/04|Bob's mail|u|p", "2/1/04|b||",
                                    "7/9/04|c||"};
        QCOMPARE(Rows("B"), placed);
        session->Connection().Execute("CREATE TRIGGER halt BEFORE UPDATE ON B WHEN NEW.ID = 2 "
                                      "BEGIN SELECT RAISE(ABORT, 'halted'); END;");
        messages->Answer(Answer::Yes);
        DBFunctions::DeleteEntry(*session, 1);
        DBFunctions::CutEntry(*session, buffer, 1);
        QVERIFY(!buffer.full);
        buffer = {"Other", {"1/1/04", "cut", "", ""}, 1, true};
        DBFunctions::PasteEntry(*session, buffer);
        QVERIFY(buffer.full);
        QCOMPARE(Rows("B"), placed);
        QCOMPARE(messages->Take().last().text, QString("Error [NewRecord]: 1811\r\nhalted"));
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
            session->CurrentTable = table = random.bounded(3) ? table : pick(tables);
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
                DBFunctions::NewEntry(*session, typed[1], typed[2], typed[0]);
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
                if (const auto moved = std::exchange(cut, std::nullopt)) {
                    const auto& [source, id, entry] = *moved;
                    const auto earlier = std::count_if(
                        rows.cbegin(), rows.cend(), [&](auto& r) { return r.first < entry.first; });
                    rows.insert(source == table ? std::min(id, int(rows.size()) + 1) - 1 : earlier,
                                entry);
                }
            } else if (const QString text = pick(texts) + pick(texts);
                       DBFunctions::SaveField(*session, qint16(row), Field(field), text) && valid) {
                rows[row - 1].second[field] = text;
            }
            messages->Take();
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
