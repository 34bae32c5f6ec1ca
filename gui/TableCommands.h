#pragma once

#include <QString>

class QListWidget;
struct StoreView;

namespace Routines {

// Appends the store's tables to both selectors and selects the first in each.
void PopulateTablesList(StoreView& view);

// Selects the item with exactly this text in the table list.
void SelectTableInList(QListWidget& list, const QString& name);

} // namespace Routines

// Each command does nothing while no store is open.
namespace DBFunctions {

// Makes the table chosen in the combo box current and shows it.
void SelectTable(StoreView& view);
void AddTable(StoreView& view, const QString& name);
// Drops the table selected in the list, after the user confirms.
void DeleteTable(StoreView& view);
// Renames the table selected in the list.
void RenameTable(StoreView& view, const QString& newName);

} // namespace DBFunctions
