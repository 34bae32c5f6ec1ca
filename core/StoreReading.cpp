// Reading a whole store: the tables with their sizes, every entry, and a search over them.
#include "core/StoreReading.h"

#include "core/Engine.h"
#include "core/TableCatalogue.h"

#include <QStringMatcher>

namespace StoreReading {

QList<TableSize> CountTables(const Engine::Connection& connection) {
    QList<TableSize> tables;
    for (const QString& name : connection.UserTables())
        tables.append({name, Catalogue::CountRows(connection, name)});
    return tables;
}

QList<StoredEntry> ReadTable(const Engine::Connection& connection, const QString& table) {
    QList<StoredEntry> entries;
    for (Entry& entry : Catalogue::ReadEntries(connection, table))
        entries.append({table, entries.size() + 1, std::move(entry)});
    return entries;
}

QList<StoredEntry> ReadAll(const Engine::Connection& connection) {
    QList<StoredEntry> entries;
    for (const QString& table : connection.UserTables())
        entries.append(ReadTable(connection, table));
    return entries;
}

QList<StoredEntry> Search(const Engine::Connection& connection, const QString& text) {
    const QStringMatcher matcher(text, Qt::CaseInsensitive); // prepared once for every entry
    QList<StoredEntry> found;
    for (StoredEntry& stored : ReadAll(connection))
        if (matcher.indexIn(stored.entry.description) >= 0 ||
            matcher.indexIn(stored.entry.userID) >= 0)
            found.append(std::move(stored));
    return found;
}

} // namespace StoreReading
