// A log-in and a log-out as the main window shows them.
#include "gui/StoreSetup.h"

#include "core/StoreFiles.h"
#include "gui/FlexGrid.h"
#include "gui/PopulateFlexGrid.h"
#include "gui/StoreView.h"
#include "gui/TableCommands.h"

#include <QComboBox>
#include <QListWidget>

namespace DBFunctions {

bool SetupDatabase(StoreView& view, const QString& path, const StoreKey& key) {
    view.session = OpenSession(path, key);
    if (!view.session)
        return false;
    Routines::PopulateTablesList(view);
    view.session->CurrentTable = DefaultTable;
    view.cmbCurrentTable->setCurrentText(DefaultTable);
    Routines::SelectTableInList(*view.TablesList, DefaultTable);
    FlexGrid& grid = *view.msgMSFlexGrid;
    grid.SetRow(0);
    grid.SetCol(0);
    Routines::PopulateFlexGrid(DefaultTable, grid, view.session->Connection(), 0, 0);
    return true;
}

void CloseDatabase(StoreView& view) {
    if (!view.session)
        return;
    view.session.reset();
    view.TablesList->clear();
    view.cmbCurrentTable->clear();
}

} // namespace DBFunctions
