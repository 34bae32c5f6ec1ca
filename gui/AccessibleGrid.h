#pragma once

class FlexGrid;

// Makes a screen reader read the entry grid as the table it shows: the fixed row's cells are
// the column headers ("Date", "Description", ...), the fixed column's cells the row headers,
// and only the entries' cells are the table's rows and columns. Qt's own interface would read
// the fixed cells as data and head the columns "1" to "5". Its children are every cell, fixed
// ones included, numbered row by row. A second call does nothing.
void InstallAccessibleGrids();

// The number of the grid's cell among those children.
int AccessibleChild(const FlexGrid& grid, int row, int col);
