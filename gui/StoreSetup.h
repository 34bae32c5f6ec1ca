#pragma once

#include <memory>

class FlexGrid;
class QStringListModel;
class Session;

namespace DBFunctions {

// The window's half of a log-in: the store's table names, and its "Default" table in the grid
// with no cell selected.
void SetupDatabase(const Session& session, QStringListModel& tables, FlexGrid& grid);

// Closes the open store, if any, and empties the table names and the grid's entry rows, so
// nothing of the store stays on screen or in memory.
void CloseDatabase(std::unique_ptr<Session>& session, QStringListModel& tables, FlexGrid& grid);

} // namespace DBFunctions
