#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace Engine {
class Connection;
}
class Session;

namespace Routines {

// The names of the store's user tables, sorted by name; none after a failure.
QStringList GetTablesADO(const Engine::Connection& connection);

// Creates a table of the five columns.
bool SetupDBTable(const Engine::Connection& connection, const QString& name);

// Whether a table of that name exists, in any letter case.
bool TableExists(const Engine::Connection& connection, const QString& name);

} // namespace Routines

namespace DBFunctions {

// The number of entries of the current table; 0 after a failure.
qint16 CountRecords(const Session& session);

} // namespace DBFunctions

// The catalogue's statements; each failure is thrown for the caller's trap to report.
namespace Catalogue {

// The columns of every table, in order.
inline const QStringList Layout = {"Date", "Description", "User ID", "Password", "ID"};

qint64 CountRows(const Engine::Connection& connection, const QString& table);

// Creates a table of the five columns.
void CreateTable(const Engine::Connection& connection, const QString& name);

// The name under which the store keeps a table of that name in any letter case; none when
// there is no such table.
std::optional<QString> StoredName(const Engine::Connection& connection, const QString& name);

void DropTable(const Engine::Connection& connection, const QString& name);

// Renames a table, refusing a name another table has in any letter case; a change of letter
// case alone is a rename like any other.
void RenameTable(const Engine::Connection& connection, const QString& oldName,
                 const QString& newName);

QStringList ColumnNames(const Engine::Connection& connection, const QString& table);

// A table's rows in ID order, every column as text; a null value is none.
struct Rows {
    QStringList columns;
    std::vector<std::vector<std::optional<QString>>> values;
};
Rows ReadRows(const Engine::Connection& connection, const QString& table);

} // namespace Catalogue
