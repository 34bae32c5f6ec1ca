#pragma once

#include <QString>

class StoreKey;

struct StoreView;

namespace DBFunctions {

// Opens (or first creates) the store at the path, fills the table selectors and shows its
// "Default" table. False when the store could not be opened.
bool SetupDatabase(StoreView& view, const QString& path, const StoreKey& key);

// Closes the open store, if any, and empties the table selectors.
void CloseDatabase(StoreView& view);

} // namespace DBFunctions
