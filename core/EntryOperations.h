#pragma once

#include "core/Entry.h"

#include <QString>

class Session;
struct CutBuffer;

// The operations on the entries of the current table. Each keeps the table's IDs exactly 1..N
// and changes the table in one transaction, so a failure leaves it as it was and is reported
// under the operation's name.
namespace DBFunctions {

// New refuses to add to a table that holds this many entries.
inline constexpr qint16 EntryLimit = 99;

// Whether the grid row shows an entry; if not, the user is asked to select one.
bool CheckSelectedRow(const Session& session, qint16 row);

// Grid columns 2, 3 and 4 show the fields that can be edited: Description, User ID, Password.
bool IsEditableColumn(qint16 col);

// Appends an entry dated today, unless the table is full.
void NewEntry(const Session& session, const QString& userID, const QString& password,
              const QString& description);

// Deletes the entry of the row after the user confirms.
void DeleteEntry(const Session& session, qint16 row);

// Deletes the entry with the ID and moves the ones above it down by one. False on failure.
bool DeleteRecord(const Session& session, qint16 id);

// Inserts the entry with the ID, moving that ID and the ones above it up by one first.
// False on failure.
bool NewRecord(const Session& session, const Entry& entry, qint16 id);

// Moves the entry of the row into the cut buffer. The buffer changes only when the entry has
// left its table.
void CutEntry(const Session& session, CutBuffer& buffer, qint16 row);

// Puts the cut entry into the current table: in its own table back at its place (or at the
// end, should the table have shrunk meanwhile), in another one in date order. The buffer
// stays full when the entry could not be placed.
void PasteEntry(const Session& session, CutBuffer& buffer);

// The stored text of an editable field of the entry in the row.
QString ReadField(const Session& session, qint16 row, qint16 col);

// Writes the text into the editable field of the entry in the row; throws on failure.
void WriteField(const Session& session, qint16 row, qint16 col, const QString& text);

// Writes the text into the editable field unless it is longer than the field allows. True
// when it was written.
bool SaveField(const Session& session, qint16 row, qint16 col, const QString& text);

} // namespace DBFunctions
