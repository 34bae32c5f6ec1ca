#pragma once

#include "core/Entry.h"

#include <QList>
#include <QString>

namespace Engine {
class Connection;
}

namespace Import {

// An entry to add to the table of that name; an empty date means today's.
struct ImportedEntry {
    QString table;
    Entry entry;
};

// A table that took entries, how many, and the table of the same name that had filled up
// before it (empty for the first of a name).
struct ImportedTable {
    QString name;
    qsizetype added;
    QString filledUp;
};

// Appends the entries to their tables in one transaction, so they land whole or not at all:
// names match in any letter case, and a missing table is made. No table is given more than
// the entry limit: the rest go on into "name 2", "name 3"..., the name shortened where that
// would pass the table name limit. Throws on failure.
QList<ImportedTable> ImportEntries(const Engine::Connection& connection,
                                   const QList<ImportedEntry>& entries);

} // namespace Import
