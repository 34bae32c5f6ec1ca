// The table commands: they change the store's tables and the one model of their names.
#include "gui/TableCommands.h"

#include "core/ErrorTrap.h"
#include "core/MessageBoxes.h"
#include "core/Session.h"
#include "core/TableCatalogue.h"

#include <QStringListModel>

namespace {

void ShowExclamation(const QString& text) {
    MessageBoxes::Show(text, MessageBoxes::Icon::Exclamation);
}

void Append(QStringListModel& tables, const QString& name) {
    const int row = tables.rowCount();
    tables.insertRows(row, 1);
    tables.setData(tables.index(row), name);
}

void Remove(QStringListModel& tables, const QString& name) {
    tables.removeRows(int(tables.stringList().indexOf(name)), 1);
}

// After the current table has gone, "Default" is current.
void MakeDefaultCurrentIfWas(Session& session, const QString& name) {
    if (session.CurrentTable == name)
        session.CurrentTable = DefaultTable;
}

} // namespace

namespace Routines {

void PopulateTablesList(const Engine::Connection& connection, QStringListModel& tables) {
    tables.setStringList(GetTablesADO(connection));
}

} // namespace Routines

namespace DBFunctions {

bool SelectTable(Session& session, const QString& name) {
    if (name == session.CurrentTable)
        return false;
    session.CurrentTable = name;
    return true;
}

void AddTable(const Session& session, QStringListModel& tables, const QString& name) {
    const Engine::Connection& store = session.Connection();
    if (Routines::TableExists(store, name))
        ShowExclamation("There is already a table with the name " + name + ".");
    else if (Routines::SetupDBTable(store, name))
        Append(tables, name);
}

void DeleteTable(Session& session, QStringListModel& tables, const QString& name) {
    if (name.isEmpty())
        return;
    Trap("DeleteTable", [&] {
        if (name == DefaultTable) {
            ShowExclamation("Table " + DefaultTable + " cannot be deleted!");
            return;
        }
        if (!MessageBoxes::Confirm("Are you sure you wish to delete \"" + name + "\"?" +
                                   MessageBoxes::LineBreak +
                                   "All its data will be deleted permanently."))
            return;
        Catalogue::DropTable(session.Connection(), name);
        Remove(tables, name);
        MakeDefaultCurrentIfWas(session, name);
    });
}

void RenameTable(Session& session, QStringListModel& tables, const QString& oldName,
                 const QString& newName) {
    if (oldName.isEmpty())
        return;
    if (oldName == DefaultTable) {
        ShowExclamation("Table " + DefaultTable + " cannot be renamed!");
        return;
    }
    Trap("RenameTable", [&] {
        if (newName == oldName) {
            ShowExclamation("Both table names are identical!");
            return;
        }
        Catalogue::RenameTable(session.Connection(), oldName, newName);
        Remove(tables, oldName);
        Append(tables, newName);
        MakeDefaultCurrentIfWas(session, oldName);
    });
}

} // namespace DBFunctions
