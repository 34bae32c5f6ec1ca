#pragma once

#include "core/Entry.h"

#include <QString>

#include <optional>

class FlexGrid;
class QLineEdit;
class QObject;
class QWidget;
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

// The edit box, hidden on the tab; the window filters its events (Enter, the loss of focus), and
// it takes no quote.
QLineEdit* MakeEditBox(QWidget* tab, QObject* window);
// Puts a fresh box in the box's place and destroys the old one: its text and its undo history,
// which keeps every character typed and deleted, go with it.
void RenewEditBox(QLineEdit*& txtText, QObject* window);

} // namespace GridEdit
