#pragma once

#include "core/Entry.h"

#include <QList>
#include <QString>

namespace Engine {
class Connection;
}

// Reading a whole store at once: its tables with their sizes, its entries, a search. Each
// failure is thrown for the caller's trap to report.
namespace StoreReading {

struct TableSize {
    QString name;
    qint64 entries;
};

// One entry with the table that holds it and its row there (its ID: rows count from 1).
struct StoredEntry {
    QString table;
    qint64 row;
    Entry entry;
};

} // namespace StoreReading

// Lists of entries grow by moving their bytes, not entry by entry.
Q_DECLARE_TYPEINFO(StoreReading::StoredEntry, Q_RELOCATABLE_TYPE);

namespace StoreReading {

// The tables in the order the windows list them, each with its number of entries.
QList<TableSize> CountTables(const Engine::Connection& connection);

// The entries of one table in row order.
QList<StoredEntry> ReadTable(const Engine::Connection& connection, const QString& table);

// The entries of every table, the tables in the windows' order.
QList<StoredEntry> ReadAll(const Engine::Connection& connection);

// The entries whose description or user ID holds the text, in any letter case.
QList<StoredEntry> Search(const Engine::Connection& connection, const QString& text);

} // namespace StoreReading
