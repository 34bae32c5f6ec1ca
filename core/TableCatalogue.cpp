// The tables of a store: listing, creating, finding, dropping, renaming, counting, reading.
#include "core/TableCatalogue.h"

#include "core/Engine.h"
#include "core/ErrorTrap.h"
#include "core/Session.h"

#include <algorithm>

namespace {

bool SameNameInAnyCase(const QString& left, const QString& right) {
    return left.toUpper() == right.toUpper();
}

// The engine folds only ASCII letters; names must differ in every letter case. The table
// being renamed does not count against its own new name.
bool NameInUse(const Engine::Connection& connection, const QString& name,
               const QString& renamed = {}) {
    const QStringList tables = connection.UserTables();
    return std::any_of(tables.cbegin(), tables.cend(), [&](const QString& table) {
        return table != renamed && SameNameInAnyCase(table, name);
    });
}

} // namespace

namespace Routines {

QStringList GetTablesADO(const Engine::Connection& connection) {
    QStringList names;
    Trap("GetTablesADO", [&] { names = connection.UserTables(); });
    return names;
}

bool SetupDBTable(const Engine::Connection& connection, const QString& name) {
    return Trap("SetupDBTable", [&] { Catalogue::CreateTable(connection, name); });
}

bool TableExists(const Engine::Connection& connection, const QString& name) {
    bool exists = false;
    Trap("TableExists", [&] { exists = NameInUse(connection, name); });
    return exists;
}

} // namespace Routines

namespace DBFunctions {

qint16 CountRecords(const Session& session) {
    qint16 count = 0;
    Trap("CountRecords",
         [&] { count = qint16(Catalogue::CountRows(session.Connection(), session.CurrentTable)); });
    return count;
}

} // namespace DBFunctions

namespace Catalogue {

qint64 CountRows(const Engine::Connection& connection, const QString& table) {
    return connection.QueryInteger("SELECT COUNT(*) FROM " + Engine::QuoteName(table) + ";");
}

void CreateTable(const Engine::Connection& connection, const QString& name) {
    connection.Execute("CREATE TABLE " + Engine::QuoteName(name) +
                       " ([Date] TEXT, [Description] TEXT,[User ID] TEXT,[Password] TEXT, "
                       "[ID] INT NOT NULL PRIMARY KEY);");
}

std::optional<QString> StoredName(const Engine::Connection& connection, const QString& name) {
    for (const QString& table : connection.UserTables())
        if (SameNameInAnyCase(table, name))
            return table;
    return std::nullopt;
}

void DropTable(const Engine::Connection& connection, const QString& name) {
    connection.Execute("DROP TABLE " + Engine::QuoteName(name) + ";");
}

void RenameTable(const Engine::Connection& connection, const QString& oldName,
                 const QString& newName) {
    if (NameInUse(connection, newName, oldName))
        throw Failure(Engine::GenericErrorCode,
                      "there is already another table or index with this name: " + newName);
    const auto rename = [&](const QString& from, const QString& to) {
        connection.Execute("ALTER TABLE " + Engine::QuoteName(from) + " RENAME TO " +
                           Engine::QuoteName(to) + ";");
    };
    if (!SameNameInAnyCase(oldName, newName))
        return rename(oldName, newName);
    // The engine takes a change of letter case for the table's own name, so the table passes
    // through a name in quotes, which no name typed into the program can be.
    Engine::Transaction transaction(connection);
    const QString passage = '"' + newName + '"';
    rename(oldName, passage);
    rename(passage, newName);
    transaction.Commit();
}

QStringList ColumnNames(const Engine::Connection& connection, const QString& table) {
    const auto statement = connection.Prepare("SELECT * FROM " + Engine::QuoteName(table) + ";");
    QStringList names;
    for (int column = 0; column < statement->ColumnCount(); ++column)
        names.append(statement->ColumnName(column));
    return names;
}

Rows ReadRows(const Engine::Connection& connection, const QString& table) {
    const auto statement =
        connection.Prepare("SELECT * FROM " + Engine::QuoteName(table) + " ORDER BY [ID],[Date];");
    Rows rows;
    for (int column = 0; column < statement->ColumnCount(); ++column)
        rows.columns.append(statement->ColumnName(column));
    while (statement->Step()) {
        auto& values = rows.values.emplace_back();
        for (int column = 0; column < statement->ColumnCount(); ++column)
            values.push_back(statement->IsNull(column) ? std::nullopt
                                                       : std::optional(statement->Text(column)));
    }
    return rows;
}

} // namespace Catalogue
