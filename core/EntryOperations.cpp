// The entry operations: add, delete, cut, paste and edit, keeping every table's IDs 1..N.
#include "core/EntryOperations.h"

#include "core/CutBuffer.h"
#include "core/Engine.h"
#include "core/EntryDates.h"
#include "core/Environment.h"
#include "core/Session.h"
#include "core/TableCatalogue.h"
#include "core/TableCommands.h"

#include <algorithm>

namespace Entries {
namespace {

QString Number(qint64 number) {
    return QString::number(number);
}

void MoveID(const Engine::Connection& store, const QString& table, qint64 from, qint64 to) {
    store.Execute("UPDATE " + Engine::QuoteName(table) + " SET [ID] = ? WHERE [ID] = ?;",
                  {Number(to), Number(from)});
}

// The entry with the ID; throws when there is none.
Entry ReadEntry(const Engine::Connection& store, const QString& table, qint16 id) {
    const auto statement =
        store.Prepare("SELECT [Date], [Description], [User ID], [Password] FROM " +
                      Engine::QuoteName(table) + " WHERE [ID] = ?;");
    statement->Bind(1, Number(id));
    if (!statement->Step())
        throw Failure(Engine::GenericErrorCode, "no entry has the ID " + Number(id));
    return {statement->Text(0), statement->Text(1), statement->Text(2), statement->Text(3)};
}

// Entries dated before the date, both read as calendar dates. A text that is not a date
// counts as later than every date.
qint16 CountEarlier(const Engine::Connection& store, const QString& table, const QString& date) {
    const std::optional<QDate> day = EntryDates::Read(date);
    const auto statement = store.Prepare("SELECT [Date] FROM " + Engine::QuoteName(table) + ";");
    qint16 count = 0;
    while (statement->Step()) {
        const std::optional<QDate> stored = EntryDates::Read(statement->Text(0));
        count += stored && (!day || *stored < *day);
    }
    return count;
}

// Whether an entry has the ID; the refusal's text when not.
Outcome CheckExists(const Session& session, const QString& table, qint16 id,
                    const QString& refusal) {
    const Result<qint16> count = Tables::CountRecords(session, table);
    if (!count.Done())
        return count;
    if (id < 1 || id > *count)
        return Notice{Notice::Kind::Selection, refusal};
    return {};
}

// Deletes the entry and moves the ones above it down by one, inside the caller's transaction.
void RemoveRow(const Engine::Connection& store, const QString& table, qint16 id) {
    store.Execute("DELETE FROM " + Engine::QuoteName(table) + " WHERE [ID] = ?;", {Number(id)});
    // Lowest first, so that no two entries ever share an ID.
    for (qint64 i = id, count = Catalogue::CountRows(store, table); i <= count; ++i)
        MoveID(store, table, i + 1, i);
}

// Moves the entries from the ID on up by one and puts the entry at the ID, inside the caller's
// transaction.
void PlaceRow(const Engine::Connection& store, const QString& table, const Entry& entry,
              qint16 id) {
    // Highest first, so that no two entries ever share an ID.
    for (qint64 i = Catalogue::CountRows(store, table); i >= id; --i)
        MoveID(store, table, i, i + 1);
    InsertRow(store, table, entry, id);
}

// Where Paste puts an entry cut from the source table at the ID: back at its place in its own
// table (or at the end, should the table have shrunk meanwhile), in another by date.
qint16 PasteID(const Engine::Connection& store, const QString& table, const QString& source,
               qint16 id, const QString& date) {
    return table == source ? std::min(id, qint16(Catalogue::CountRows(store, table) + 1))
                           : qint16(CountEarlier(store, table, date) + 1);
}

// Runs the body in one transaction on the store; a failure undoes all of it and is told under
// the procedure's name.
template <class Body>
Outcome InTransaction(const QString& procedure, const Session& session, Body&& body) {
    return Attempt(procedure, [&] {
        const Engine::Connection& store = session.Connection();
        Engine::Transaction transaction(store);
        body(store);
        transaction.Commit();
    });
}

Outcome DeleteRecord(const Session& session, const QString& table, qint16 id) {
    return InTransaction("DeleteRecord", session,
                         [&](const Engine::Connection& store) { RemoveRow(store, table, id); });
}

Outcome NewRecord(const Session& session, const QString& table, const Entry& entry, qint16 id) {
    return InTransaction("NewRecord", session, [&](const Engine::Connection& store) {
        PlaceRow(store, table, entry, id);
    });
}

void WriteField(const Session& session, const QString& table, qint16 id, Field field,
                const QString& text) {
    session.Connection().Execute("UPDATE " + Engine::QuoteName(table) + " SET " +
                                     Engine::QuoteName(EntrySchema::ColumnOf(field)) +
                                     " = ? WHERE [ID] = ?;",
                                 {text, Number(id)});
}

} // namespace

void InsertRow(const Engine::Connection& connection, const QString& table, const Entry& entry,
               qint64 id) {
    connection.Execute("INSERT INTO " + Engine::QuoteName(table) + " (" + Catalogue::ColumnList() +
                           ") VALUES (?, ?, ?, ?, ?);",
                       {entry.date, entry.description, entry.userID, entry.password, Number(id)});
}

Outcome CheckSelected(const Session& session, const QString& table, qint16 id) {
    return CheckExists(session, table, id, "Please select a valid row.");
}

Outcome CheckNewEntry(const QString& userID, const QString& password, const QString& description) {
    const std::pair<const QString&, Field> checks[] = {
        {userID, Field::UserID}, {password, Field::Password}, {description, Field::Description}};
    for (const auto& [text, field] : checks)
        if (text.size() > EntrySchema::NewEntryLimit(field))
            return TooLong(EntrySchema::NewEntryLimit(field));
    return {};
}

Outcome Add(const Session& session, const QString& table, const QString& userID,
            const QString& password, const QString& description) {
    if (Outcome refused = CheckNewEntry(userID, password, description); !refused.Done())
        return refused;
    const Result<qint16> count = Tables::CountRecords(session, table);
    if (!count.Done())
        return count;
    if (*count >= EntrySchema::EntryLimit)
        return Notice{Notice::Kind::Input, "This table is full, only " +
                                               Number(EntrySchema::EntryLimit) +
                                               " records allowed."};
    return NewRecord(session, table,
                     {EntryDates::Format(Environment::Today()), description, userID, password},
                     qint16(*count + 1));
}

Outcome CheckDeletable(const Session& session, const QString& table, qint16 id) {
    return CheckExists(session, table, id, "No record exists at that row.");
}

QString DeletionQuestion(qint16 id) {
    return "Are you sure you wish to delete this entry?" + LineBreak + "Record " + Number(id) +
           " will be deleted permanently.";
}

Outcome Delete(const Session& session, const QString& table, qint16 id) {
    if (Outcome refused = CheckDeletable(session, table, id); !refused.Done())
        return refused;
    return DeleteRecord(session, table, id);
}

Outcome Cut(const Session& session, const QString& table, qint16 id, CutBuffer& buffer) {
    if (Outcome refused = CheckSelected(session, table, id); !refused.Done())
        return refused;
    const auto entry =
        AttemptValue("CutEntry", [&] { return ReadEntry(session.Connection(), table, id); });
    if (!entry.Done())
        return entry;
    Outcome deleted = DeleteRecord(session, table, id);
    if (deleted.Done())
        buffer = {table, *entry, id, true};
    return deleted;
}

Outcome Paste(const Session& session, const QString& table, CutBuffer& buffer) {
    if (!buffer.full)
        return {};
    const auto id = AttemptValue("PasteEntry", [&] {
        return PasteID(session.Connection(), table, buffer.sourceTable, buffer.id,
                       buffer.entry.date);
    });
    if (!id.Done())
        return id;
    Outcome placed = NewRecord(session, table, buffer.entry, *id);
    if (placed.Done())
        buffer = {};
    return placed;
}

Outcome Move(const Session& session, const QString& table, qint16 id, const QString& toTable) {
    if (Outcome refused = CheckSelected(session, table, id); !refused.Done())
        return refused;
    return InTransaction("MoveEntry", session, [&](const Engine::Connection& store) {
        const Entry entry = ReadEntry(store, table, id);
        RemoveRow(store, table, id);
        PlaceRow(store, toTable, entry, PasteID(store, toTable, table, id, entry.date));
    });
}

Result<QString> ReadField(const Session& session, const QString& table, qint16 id, Field field,
                          const QString& procedure) {
    return AttemptValue(procedure, [&] {
        const Entry entry = ReadEntry(session.Connection(), table, id);
        const QString fields[] = {entry.description, entry.userID, entry.password};
        return fields[int(field)];
    });
}

Outcome SaveField(const Session& session, const QString& table, qint16 id, Field field,
                  const QString& text) {
    const int limit = EntrySchema::Limit(field);
    if (text.size() > limit)
        return Notice{Notice::Kind::Input,
                      "Sorry, input is limited to " + Number(limit) + " characters."};
    return Attempt("SaveField", [&] { WriteField(session, table, id, field, text); });
}

Result<QString> PasswordToReplace(const Session& session, const QString& table, qint16 id) {
    if (Outcome refused = CheckSelected(session, table, id); !refused.Done())
        return Result<QString>(refused);
    return ReadField(session, table, id, Field::Password, "InsertPassword");
}

Outcome ReplacePassword(const Session& session, const QString& table, qint16 id,
                        const QString& password) {
    return Attempt("InsertPassword",
                   [&] { WriteField(session, table, id, Field::Password, password); });
}

} // namespace Entries
