// Adding many entries at once, in one transaction, without letting any table pass 99 entries.
#include "core/ImportEntries.h"

#include "core/Engine.h"
#include "core/EntryDates.h"
#include "core/EntryOperations.h"
#include "core/Environment.h"
#include "core/TableCatalogue.h"

#include <QHash>

#include <algorithm>

namespace Import {
namespace {

// The table for the next entries of that name: the stored one, or a new empty one.
std::pair<QString, qint64> TableToFill(const Engine::Connection& connection, const QString& name) {
    if (const auto stored = Catalogue::StoredName(connection, name))
        return {*stored, Catalogue::CountRows(connection, *stored)};
    Catalogue::CreateTable(connection, name);
    return {name, 0};
}

// The table that takes a name's entries once those before it are full: "Bank", "Bank 2",
// "Bank 3"..., the base name shortened so that the whole stays a name the windows take.
QString OverflowName(const QString& base, qsizetype suffix) {
    if (suffix == 1)
        return base;
    const QString number = ' ' + QString::number(suffix);
    QString kept = base.left(EntrySchema::TableNameLimit - number.size());
    if (!kept.isEmpty() && kept.back().isHighSurrogate()) // never half a character
        kept.chop(1);
    return kept + number;
}

} // namespace

QList<ImportedTable> ImportEntries(const Engine::Connection& connection,
                                   const QList<ImportedEntry>& entries) {
    // The entries of each name in any letter case, the names in the order they first come.
    QStringList names;
    QHash<QString, QList<Entry>> byName;
    for (const ImportedEntry& imported : entries) {
        QList<Entry>& queue = byName[imported.table.toUpper()];
        if (queue.isEmpty())
            names.append(imported.table);
        queue.append(imported.entry);
    }
    const QString today = EntryDates::Format(Environment::Today());
    QList<ImportedTable> tables;
    Engine::Transaction transaction(connection);
    for (const QString& name : names) {
        const QList<Entry>& queue = byName.value(name.toUpper());
        // "Bank 2" follows the stored "Bank", however the file spells it.
        const QString base = Catalogue::StoredName(connection, name).value_or(name);
        QString previous;
        for (qsizetype next = 0, suffix = 1; next < queue.size(); ++suffix) {
            const auto [table, count] = TableToFill(connection, OverflowName(base, suffix));
            const qsizetype added =
                std::clamp<qsizetype>(EntrySchema::EntryLimit - count, 0, queue.size() - next);
            for (qsizetype i = 0; i < added; ++i) {
                const Entry& entry = queue[next + i];
                Entries::InsertRow(connection, table,
                                   {entry.date.isEmpty() ? today : entry.date, entry.description,
                                    entry.userID, entry.password},
                                   count + i + 1);
            }
            if (added > 0)
                tables.append({table, added, previous});
            previous = table;
            next += added;
        }
    }
    transaction.Commit();
    return tables;
}

} // namespace Import
