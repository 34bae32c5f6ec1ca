#pragma once

#include "core/Entry.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace Engine {
class Connection;
}

// Every store has this table; it cannot be removed or renamed.
inline const QString DefaultTable = QStringLiteral("Default");

// The statements on a store's tables; each failure is thrown for the caller to report.
namespace Catalogue {

// The first `count` columns of the entry schema as a statement names them, in order.
QString ColumnList(qsizetype count = EntrySchema::Columns.size());

qint64 CountRows(const Engine::Connection& connection, const QString& table);

// Creates a table of the entry schema's columns.
void CreateTable(const Engine::Connection& connection, const QString& name);

// The name under which the store keeps a table of that name in any letter case; none when
// there is no such table.
std::optional<QString> StoredName(const Engine::Connection& connection, const QString& name);

void DropTable(const Engine::Connection& connection, const QString& name);

// Renames a table, refusing a name another table has in any letter case; a change of letter
// case alone is a rename like any other.
void RenameTable(const Engine::Connection& connection, const QString& oldName,
                 const QString& newName);

// The table's column names, in order.
QStringList ColumnNames(const Engine::Connection& connection, const QString& table);

// Every entry of the table in ID order; a null field reads as an empty text.
QList<Entry> ReadEntries(const Engine::Connection& connection, const QString& table);

// Whether every table has the entry schema's columns in order and "Default" exists.
bool HasEntrySchema(const Engine::Connection& connection);

} // namespace Catalogue
