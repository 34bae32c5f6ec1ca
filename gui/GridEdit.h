#pragma once

#include "core/Entry.h"

#include <QString>

#include <optional>

class FlexGrid;
class QLineEdit;
class Session;

// In-place editing: the edit box lies over the grid's current cell, filled with the field's
// stored text.
namespace GridEdit {

// The field a grid column shows: Description, User ID and Password in columns 2 to 4; none
// for the row numbers and the date.
std::optional<EntrySchema::Field> FieldOfColumn(qint16 col);

// Refuses a row without an entry; opens the box over a column that shows a field and does
// nothing for the others.
void EditEntry(const Session& session, const QString& table, FlexGrid& grid, QLineEdit& txtText,
               qint16 row, qint16 col);

} // namespace GridEdit
