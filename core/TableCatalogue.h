#pragma once

#include <QString>
#include <QStringList>

namespace Engine {
class Connection;
}

namespace Routines {

// The names of the store's user tables, sorted by name; none after a failure.
QStringList GetTablesADO(const Engine::Connection& connection);

// Appends the store's tables to both selectors, then shows the first one.
void PopulateTablesList(const Engine::Connection& connection);

// Creates a table of the five columns.
bool SetupDBTable(const Engine::Connection& connection, const QString& name);

// Whether a table of that name exists, in any letter case.
bool TableExists(const Engine::Connection& connection, const QString& name);

// Selects the item with exactly this text in the table list.
void SelectTableInList(const QString& name);

} // namespace Routines

namespace DBFunctions {

// Makes the table chosen in the combo box current and shows it.
void SelectTable();
void AddTable(const QString& name);
// Drops the table selected in the list, after the user confirms.
void DeleteTable();
// Renames the table selected in the list.
void RenameTable(const QString& newName);
// The number of entries of the current table; 0 after a failure.
qint16 CountRecords();

} // namespace DBFunctions
