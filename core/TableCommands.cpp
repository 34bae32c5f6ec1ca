// The table commands: add, remove, rename, list and count, each refused or reported as the
// windows show it.
#include "core/TableCommands.h"

#include "core/Engine.h"
#include "core/Session.h"
#include "core/TableCatalogue.h"

namespace Tables {
namespace {

Notice Refused(const QString& text) {
    return {Notice::Kind::Selection, text};
}

// A new name's own rules: its length, and no quote, which no table name may hold.
Outcome CheckNewName(const QString& name) {
    if (name.size() > EntrySchema::TableNameLimit)
        return TooLong(EntrySchema::TableNameLimit);
    if (name.contains('\'') || name.contains('"'))
        return Notice{Notice::Kind::Input, "A table name cannot hold a quote (' or \")."};
    return {};
}

} // namespace

Result<QStringList> List(const Session& session) {
    return AttemptValue("GetTablesADO", [&] { return session.Connection().UserTables(); });
}

Result<qint16> CountRecords(const Session& session, const QString& table) {
    return AttemptValue("CountRecords",
                        [&] { return qint16(Catalogue::CountRows(session.Connection(), table)); });
}

Outcome Add(const Session& session, const QString& name) {
    if (Outcome refused = CheckNewName(name); !refused.Done())
        return refused;
    const Engine::Connection& store = session.Connection();
    const auto exists =
        AttemptValue("TableExists", [&] { return Catalogue::StoredName(store, name).has_value(); });
    if (!exists.Done())
        return exists;
    if (*exists)
        return Refused("There is already a table with the name " + name + ".");
    return Attempt("SetupDBTable", [&] { Catalogue::CreateTable(store, name); });
}

Outcome CheckRemovable(const QString& name) {
    if (name == DefaultTable)
        return Refused("Table " + DefaultTable + " cannot be deleted!");
    return {};
}

QString RemovalQuestion(const QString& name) {
    return "Are you sure you wish to delete \"" + name + "\"?" + LineBreak +
           "All its data will be deleted permanently.";
}

Outcome Remove(const Session& session, const QString& name) {
    if (Outcome refused = CheckRemovable(name); !refused.Done())
        return refused;
    return Attempt("DeleteTable", [&] { Catalogue::DropTable(session.Connection(), name); });
}

Outcome Rename(const Session& session, const QString& oldName, const QString& newName) {
    if (oldName == DefaultTable)
        return Refused("Table " + DefaultTable + " cannot be renamed!");
    if (newName == oldName)
        return Refused("Both table names are identical!");
    if (Outcome refused = CheckNewName(newName); !refused.Done())
        return refused;
    return Attempt("RenameTable",
                   [&] { Catalogue::RenameTable(session.Connection(), oldName, newName); });
}

} // namespace Tables
