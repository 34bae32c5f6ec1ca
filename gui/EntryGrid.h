#pragma once

#include <QString>

class FlexGrid;

namespace Engine {
class Connection;
}

// The entry grid's content: a table's entries under the header row, or none.
namespace EntryGrid {

// Shows every entry of the table in ID order, at least 17 entry rows, then makes the given
// cell current when it lies inside the grid. False, after telling the user, when the grid
// could not be filled.
bool PopulateFlexGrid(const QString& table, FlexGrid& grid, const Engine::Connection& connection,
                      qint16 row, qint16 col);

// Empties every entry row, keeping the header, so nothing of a store stays on screen.
void ClearEntries(FlexGrid& grid);

} // namespace EntryGrid
