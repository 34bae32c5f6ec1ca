// The statements on a store's tables: listing, creating, finding, dropping, renaming, reading.
#include "core/TableCatalogue.h"

#include "core/Engine.h"
#include "core/Failure.h"

#include <algorithm>

namespace Catalogue {
namespace {

bool SameNameInAnyCase(const QString& left, const QString& right) {
    return left.toUpper() == right.toUpper();
}

// The engine folds only ASCII letters; names must differ in every letter case. The table
// being renamed does not count against its own new name.
bool NameInUse(const Engine::Connection& connection, const QString& name, const QString& renamed) {
    const QStringList tables = connection.UserTables();
    return std::any_of(tables.cbegin(), tables.cend(), [&](const QString& table) {
        return table != renamed && SameNameInAnyCase(table, name);
    });
}

// The columns that hold an entry's texts, before its ID.
constexpr qsizetype TextColumns = 4;

} // namespace

QString ColumnList(qsizetype count) {
    QStringList names;
    for (const QString& column : EntrySchema::Columns.first(count))
        names.append(Engine::QuoteName(column));
    return names.join(", ");
}

qint64 CountRows(const Engine::Connection& connection, const QString& table) {
    return connection.QueryInteger("SELECT COUNT(*) FROM " + Engine::QuoteName(table) + ";");
}

void CreateTable(const Engine::Connection& connection, const QString& name) {
    QStringList columns;
    for (const QString& column : EntrySchema::Columns.first(TextColumns))
        columns.append(Engine::QuoteName(column) + " TEXT");
    columns.append(Engine::QuoteName(EntrySchema::Columns.last()) + " INT NOT NULL PRIMARY KEY");
    connection.Execute("CREATE TABLE " + Engine::QuoteName(name) + " (" + columns.join(", ") +
                       ");");
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
    const auto statement =
        connection.Prepare("PRAGMA table_info(" + Engine::QuoteName(table) + ");");
    QStringList names;
    while (statement->Step())
        names.append(statement->Text(1)); // cid, name, type, notnull, default, pk
    return names;
}

QList<Entry> ReadEntries(const Engine::Connection& connection, const QString& table) {
    const auto statement = connection.Prepare("SELECT " + ColumnList(TextColumns) + " FROM " +
                                              Engine::QuoteName(table) + " ORDER BY [ID];");
    QList<Entry> entries;
    while (statement->Step())
        entries.append(
            {statement->Text(0), statement->Text(1), statement->Text(2), statement->Text(3)});
    return entries;
}

bool HasEntrySchema(const Engine::Connection& connection) {
    const QStringList tables = connection.UserTables();
    return tables.contains(DefaultTable) &&
           std::all_of(tables.cbegin(), tables.cend(), [&](const QString& table) {
               return ColumnNames(connection, table) == EntrySchema::Columns;
           });
}

} // namespace Catalogue
