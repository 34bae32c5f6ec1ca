// Opening the edit box over a cell of the entry grid.
#include "gui/GridEdit.h"

#include "core/EntryOperations.h"
#include "core/ErrorTrap.h"
#include "gui/FlexGrid.h"
#include "gui/StoreView.h"

#include <QLineEdit>

namespace DBFunctions {

void EditEntry(StoreView& view, QLineEdit& txtText, qint16 row, qint16 col) {
    if (CheckSelectedRow(*view.session, row) && IsEditableColumn(col))
        GridEdit(view, txtText, row, col);
}

void GridEdit(StoreView& view, QLineEdit& txtText, qint16 row, qint16 col) {
    FlexGrid& grid = *view.msgMSFlexGrid;
    grid.SetRow(row);
    grid.SetCol(col);
    txtText.setFont(grid.font());
    Trap("GridEdit", [&] {
        txtText.setText(ReadField(*view.session, row, col));
        txtText.setGeometry(grid.CellRect(row, col).translated(grid.pos()));
        txtText.show();
        txtText.setFocus();
    });
}

} // namespace DBFunctions
