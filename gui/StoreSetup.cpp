// A log-in and a log-out as the main window shows them.
#include "gui/StoreSetup.h"

#include "core/Session.h"
#include "gui/FlexGrid.h"
#include "gui/PopulateFlexGrid.h"
#include "gui/TableCommands.h"

#include <QStringListModel>

namespace DBFunctions {

void SetupDatabase(const Session& session, QStringListModel& tables, FlexGrid& grid) {
    Routines::PopulateTablesList(session.Connection(), tables);
    grid.SetRow(0);
    grid.SetCol(0);
    Routines::PopulateFlexGrid(DefaultTable, grid, session.Connection(), 0, 0);
}

void CloseDatabase(std::unique_ptr<Session>& session, QStringListModel& tables, FlexGrid& grid) {
    session.reset();
    tables.setStringList({});
    QList<QString> header(grid.Rows() * grid.Cols());
    for (int col = 0; col < grid.Cols(); ++col)
        header[col] = grid.TextMatrix(0, col);
    grid.SetMatrix(grid.Rows(), grid.Cols(), std::move(header));
    grid.ForgetDrawnCells();
}

} // namespace DBFunctions
