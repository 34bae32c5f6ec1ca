// Opening the edit box over a cell of the entry grid.
#include "gui/GridEdit.h"

#include "core/ErrorTrap.h"
#include "gui/FlexGrid.h"
#include "gui/FormRoutines.h"
#include "gui/TextInput.h"

#include <QLineEdit>

namespace DBFunctions {

std::optional<Field> FieldOfColumn(qint16 col) {
    if (col < 2 || col > 4)
        return std::nullopt;
    return Field(col - 2);
}

void EditEntry(const Session& session, FlexGrid& grid, QLineEdit& txtText, qint16 row, qint16 col) {
    if (CheckSelectedRow(session, row) && FieldOfColumn(col))
        GridEdit(session, grid, txtText, row, col);
}

void GridEdit(const Session& session, FlexGrid& grid, QLineEdit& txtText, qint16 row, qint16 col) {
    grid.SetRow(row);
    grid.SetCol(col);
    txtText.setFont(grid.font());
    Trap("GridEdit", [&] {
        txtText.setText(ReadField(session, row, *FieldOfColumn(col)));
        txtText.setGeometry(grid.CellRect(row, col).translated(grid.pos()));
        txtText.show();
        txtText.setFocus();
    });
}

QLineEdit* MakeEditBox(QWidget* tab, QObject* window) {
    auto* box = FormRoutines::Make<QLineEdit>("txtText", tab);
    box->setAccessibleName("Edit entry field");
    box->setFocusPolicy(Qt::ClickFocus);
    box->hide();
    FormRoutines::InstallQuoteFilter(box);
    box->installEventFilter(window);
    return box;
}

void RenewEditBox(QLineEdit*& txtText, QObject* window) {
    QLineEdit* fresh = MakeEditBox(txtText->parentWidget(), window);
    fresh->setGeometry(txtText->geometry());
    delete txtText;
    txtText = fresh;
}

} // namespace DBFunctions
