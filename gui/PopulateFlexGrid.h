#pragma once

#include <QString>

class FlexGrid;
class Session;

namespace Engine {
class Connection;
}

namespace Routines {

// Shows every entry of the table in ID order, at least 17 entry rows, then makes the given
// cell current when it lies inside the grid. False when the grid could not be filled.
bool PopulateFlexGrid(const QString& table, FlexGrid& grid, const Engine::Connection& connection,
                      qint16 row, qint16 col);

// Refills the grid with the current table, keeping the current cell.
void RefillGrid(const Session& session, FlexGrid& grid);

} // namespace Routines
