#pragma once

#include "core/Entry.h"

#include <QString>

class Session;
struct CutBuffer;

// The operations on the entries of the current table. Each keeps the table's IDs exactly 1..N
// and changes the table in one transaction, so a failure leaves it as it was and is reported
// under the operation's name.
namespace DBFunctions {

// The fields of an entry that the user can change, in the order the store keeps them.
enum class Field { Description, UserID, Password };

// New refuses to add to a table that holds this many entries.
inline constexpr qint16 EntryLimit = 99;

// Whether the grid row shows an entry; if not, the user is asked to select one.
bool CheckSelectedRow(const Session& session, qint16 row);

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

// The stored text of a field of the entry in the row.
QString ReadField(const Session& session, qint16 row, Field field);

// Writes the text into a field of the entry in the row; throws on failure.
void WriteField(const Session& session, qint16 row, Field field, const QString& text);

// Writes the text into the field unless it is longer than the field allows. True when it was
// written.
bool SaveField(const Session& session, qint16 row, Field field, const QString& text);

} // namespace DBFunctions
