// The entry operations: add, delete, cut, paste and edit, keeping every table's IDs 1..N.
#include "core/EntryOperations.h"

#include "core/CutBuffer.h"
#include "core/Engine.h"
#include "core/EntryDates.h"
#include "core/Environment.h"
#include "core/ErrorTrap.h"
#include "core/MessageBoxes.h"
#include "core/Session.h"
#include "core/TableCatalogue.h"

#include <algorithm>
#include <memory>

namespace DBFunctions {
namespace {

using MessageBoxes::Icon;

QString Table(const Session& session) {
    return Engine::QuoteName(session.CurrentTable);
}

QString Number(qint64 number) {
    return QString::number(number);
}

qint16 Count(const Session& session) {
    return qint16(Catalogue::CountRows(session.Connection(), session.CurrentTable));
}

void MoveID(const Session& session, qint64 from, qint64 to) {
    session.Connection().Execute("UPDATE " + Table(session) + " SET [ID] = ? WHERE [ID] = ?;",
                                 {Number(to), Number(from)});
}

// The entry with the ID, positioned on its row; throws when there is none.
std::unique_ptr<Engine::Statement> SelectEntry(const Session& session, qint16 id) {
    auto statement =
        session.Connection().Prepare("SELECT * FROM " + Table(session) + " WHERE [ID] = ?;");
    statement->Bind(1, Number(id));
    if (!statement->Step())
        throw Failure(Engine::GenericErrorCode, "no entry has the ID " + Number(id));
    return statement;
}

// Entries dated before the date, both read as calendar dates. A text that is not a date
// counts as later than every date.
qint16 CountEarlier(const Session& session, const QString& date) {
    const std::optional<QDate> day = EntryDates::Read(date);
    const auto statement =
        session.Connection().Prepare("SELECT [Date] FROM " + Table(session) + ";");
    qint16 count = 0;
    while (statement->Step()) {
        const std::optional<QDate> stored = EntryDates::Read(statement->Text(0));
        count += stored && (!day || *stored < *day);
    }
    return count;
}

// The longest text each field takes: Description, User ID, Password.
int FieldLimit(Field field) {
    constexpr int limits[] = {100, 50, 100};
    return limits[int(field)];
}

// Where the field stands among the table's columns, after the date.
int ColumnOf(Field field) {
    return int(field) + 1;
}

} // namespace

bool CheckSelectedRow(const Session& session, qint16 row) {
    const qint16 count = CountRecords(session);
    if (row >= 1 && row <= count)
        return true;
    MessageBoxes::Show("Please select a valid row.", Icon::Exclamation);
    return false;
}

void NewEntry(const Session& session, const QString& userID, const QString& password,
              const QString& description) {
    Trap("NewEntry", [&] {
        const qint16 count = CountRecords(session);
        if (count >= EntryLimit) {
            MessageBoxes::Show("This table is full, only " + Number(EntryLimit) +
                                   " records allowed.",
                               Icon::Information);
            return;
        }
        NewRecord(session,
                  {EntryDates::Format(Environment::Today()), description, userID, password},
                  qint16(count + 1));
    });
}

void DeleteEntry(const Session& session, qint16 row) {
    Trap("DeleteEntry", [&] {
        const qint16 count = CountRecords(session);
        if (row < 1 || row > count) {
            MessageBoxes::Show("No record exists at that row.", Icon::Exclamation,
                               MessageBoxes::Buttons::OKCancel);
            return;
        }
        if (MessageBoxes::Confirm("Are you sure you wish to delete this entry?" +
                                  MessageBoxes::LineBreak + "Record " + Number(row) +
                                  " will be deleted permanently."))
            DeleteRecord(session, row);
    });
}

bool DeleteRecord(const Session& session, qint16 id) {
    return Trap("DeleteRecord", [&] {
        Engine::Transaction transaction(session.Connection());
        session.Connection().Execute("DELETE FROM " + Table(session) + " WHERE [ID] = ?;",
                                     {Number(id)});
        // Lowest first, so that no two entries ever share an ID.
        for (qint64 i = id, count = Count(session); i <= count; ++i)
            MoveID(session, i + 1, i);
        transaction.Commit();
    });
}

bool NewRecord(const Session& session, const Entry& entry, qint16 id) {
    return Trap("NewRecord", [&] {
        Engine::Transaction transaction(session.Connection());
        // Highest first, so that no two entries ever share an ID.
        for (qint64 i = Count(session); i >= id; --i)
            MoveID(session, i, i + 1);
        session.Connection().Execute(
            "INSERT INTO " + Table(session) + " VALUES (?, ?, ?, ?, ?);",
            {entry.date, entry.description, entry.userID, entry.password, Number(id)});
        transaction.Commit();
    });
}

void CutEntry(const Session& session, CutBuffer& buffer, qint16 row) {
    if (!CheckSelectedRow(session, row))
        return;
    CutBuffer cut;
    const bool read = Trap("CutEntry", [&] {
        const auto statement = SelectEntry(session, row);
        cut = {session.CurrentTable,
               {statement->Text(0), statement->Text(1), statement->Text(2), statement->Text(3)},
               qint16(statement->Integer(4)),
               true};
    });
    if (read && DeleteRecord(session, row))
        buffer = cut;
}

void PasteEntry(const Session& session, CutBuffer& buffer) {
    if (!buffer.full)
        return;
    qint16 id = 0;
    const bool placed = Trap("PasteEntry", [&] {
        id = session.CurrentTable == buffer.sourceTable
                 ? std::min(buffer.id, qint16(Count(session) + 1))
                 : qint16(CountEarlier(session, buffer.entry.date) + 1);
    });
    if (placed && NewRecord(session, buffer.entry, id))
        buffer = {};
}

QString ReadField(const Session& session, qint16 row, Field field) {
    return SelectEntry(session, row)->Text(ColumnOf(field));
}

bool SaveField(const Session& session, qint16 row, Field field, const QString& text) {
    const int limit = FieldLimit(field);
    if (text.size() > limit) {
        MessageBoxes::Show("Sorry, input is limited to " + Number(limit) + " characters.",
                           Icon::Information);
        return false;
    }
    return Trap("SaveField", [&] { WriteField(session, row, field, text); });
}

void WriteField(const Session& session, qint16 row, Field field, const QString& text) {
    session.Connection().Execute("UPDATE " + Table(session) + " SET " +
                                     Engine::QuoteName(Catalogue::Layout[ColumnOf(field)]) +
                                     " = ? WHERE [ID] = ?;",
                                 {text, Number(row)});
}

} // namespace DBFunctions
