#pragma once

#include <QtGlobal>

class QLineEdit;
struct StoreView;

// In-place editing: the edit box lies over the grid's current cell, filled with the field's
// stored text.
namespace DBFunctions {

// Refuses a row without an entry; opens the box for the Description, User ID and Password
// columns and does nothing for the others.
void EditEntry(StoreView& view, QLineEdit& txtText, qint16 row, qint16 col);

// Makes the cell current, fills the box from the store and lays it exactly over the cell.
void GridEdit(StoreView& view, QLineEdit& txtText, qint16 row, qint16 col);

} // namespace DBFunctions
