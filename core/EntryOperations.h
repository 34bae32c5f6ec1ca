#pragma once

#include "core/Entry.h"
#include "core/Outcome.h"

#include <QString>

class Session;
struct CutBuffer;

namespace Engine {
class Connection;
}

// The operations on the entries of a table, each addressing an entry by its table and ID.
// Each keeps the table's IDs exactly 1..N and changes it in one transaction, so a failure
// leaves it as it was and is reported under the operation's name.
namespace Entries {

using EntrySchema::Field;

// Whether the table has an entry with the ID; "Please select a valid row." when not.
Outcome CheckSelected(const Session& session, const QString& table, qint16 id);

// The New Entry dialog's limits, checked in its order: user ID, password, description.
Outcome CheckNewEntry(const QString& userID, const QString& password, const QString& description);

// Appends an entry dated today, unless a text is too long or the table is full.
Outcome Add(const Session& session, const QString& table, const QString& userID,
            const QString& password, const QString& description);

// Whether there is an entry to delete at the ID; "No record exists at that row." when not.
Outcome CheckDeletable(const Session& session, const QString& table, qint16 id);

// The question the user answers Yes before an entry is deleted.
QString DeletionQuestion(qint16 id);

// Deletes the entry and moves the ones above it down by one.
Outcome Delete(const Session& session, const QString& table, qint16 id);

// Moves the entry into the cut buffer. The buffer changes only when the entry has left its
// table.
Outcome Cut(const Session& session, const QString& table, qint16 id, CutBuffer& buffer);

// Puts the cut entry into the table: in its own table back at its place (or at the end,
// should the table have shrunk meanwhile), in another one in date order. Nothing happens when
// the buffer is empty; it stays full when the entry could not be placed.
Outcome Paste(const Session& session, const QString& table, CutBuffer& buffer);

// Cut and Paste into the other table in one step: the entry lands where Paste puts it, or
// stays where it was, with no cut buffer between that could lose it.
Outcome Move(const Session& session, const QString& table, qint16 id, const QString& toTable);

// The stored text of a field, a failure reported under the procedure that reads it.
Result<QString> ReadField(const Session& session, const QString& table, qint16 id, Field field,
                          const QString& procedure);

// Writes the text into the field unless it is longer than the field takes.
Outcome SaveField(const Session& session, const QString& table, qint16 id, Field field,
                  const QString& text);

// Insert's two steps: the password that a generated one would replace, shown to the user for
// confirmation, and the replacement.
Result<QString> PasswordToReplace(const Session& session, const QString& table, qint16 id);
Outcome ReplacePassword(const Session& session, const QString& table, qint16 id,
                        const QString& password);

// The one statement that adds an entry with its ID, inside the caller's transaction.
void InsertRow(const Engine::Connection& connection, const QString& table, const Entry& entry,
               qint64 id);

} // namespace Entries
