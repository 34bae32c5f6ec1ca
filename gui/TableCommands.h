#pragma once

#include <QString>

class QStringListModel;
class Session;

namespace Engine {
class Connection;
}

namespace Routines {

// Puts the store's table names into the model, which both table selectors show.
void PopulateTablesList(const Engine::Connection& connection, QStringListModel& tables);

} // namespace Routines

// The table commands change the store and the model of table names together. Removing or
// renaming the current table makes "Default" current; the caller then shows it.
namespace DBFunctions {

// Makes the table current; true when it was not, so that the grid is to be refilled.
bool SelectTable(Session& session, const QString& name);
void AddTable(const Session& session, QStringListModel& tables, const QString& name);
// Drops the table after the user confirms.
void DeleteTable(Session& session, QStringListModel& tables, const QString& name);
void RenameTable(Session& session, QStringListModel& tables, const QString& oldName,
                 const QString& newName);

} // namespace DBFunctions
