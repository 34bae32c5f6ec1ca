#pragma once

#include "core/Outcome.h"

#include <QString>
#include <QStringList>

class Session;

// The table commands of an open store, with the rules of the windows' table buttons.
namespace Tables {

// The names of the store's tables, sorted by name in any letter case.
Result<QStringList> List(const Session& session);

// The number of entries of the table.
Result<qint16> CountRecords(const Session& session, const QString& table);

// Makes a table of the name, unique in any letter case, at most 50 characters, no quote.
Outcome Add(const Session& session, const QString& name);

// Whether the table may be removed at all ("Default" may not); asked before the user is asked
// to confirm.
Outcome CheckRemovable(const QString& name);
// The question the user answers Yes before a table is removed.
QString RemovalQuestion(const QString& name);
// Drops the table and all its entries.
Outcome Remove(const Session& session, const QString& name);

// Gives the table a new name; "Default" keeps its own.
Outcome Rename(const Session& session, const QString& oldName, const QString& newName);

} // namespace Tables
