// Opening the edit box over a cell of the entry grid.
#include "gui/GridEdit.h"

#include "core/EntryOperations.h"
#include "gui/FlexGrid.h"
#include "gui/FormControls.h"
#include "gui/MessageBoxes.h"
#include "gui/TextInput.h"

#include <QLineEdit>

namespace GridEdit {
namespace {

// Makes the cell current, fills the box from the store and lays it exactly over the cell.
void OpenBox(const Session& session, const QString& table, FlexGrid& grid, QLineEdit& txtText,
             qint16 row, qint16 col) {
    grid.SetRow(row);
    grid.SetCol(col);
    txtText.setFont(grid.font());
    const Result<QString> text =
        Entries::ReadField(session, table, row, *FieldOfColumn(col), "GridEdit");
    if (!MessageBoxes::Tell(text))
        return;
    txtText.setText(*text);
    txtText.setGeometry(grid.CellRect(row, col).translated(grid.pos()));
    txtText.show();
    txtText.setFocus();
}

} // namespace

std::optional<EntrySchema::Field> FieldOfColumn(qint16 col) {
    if (col < 2 || col > 4)
        return std::nullopt;
    return EntrySchema::Field(col - 2);
}

void EditEntry(const Session& session, const QString& table, FlexGrid& grid, QLineEdit& txtText,
               qint16 row, qint16 col) {
    if (MessageBoxes::Tell(Entries::CheckSelected(session, table, row)) && FieldOfColumn(col))
        OpenBox(session, table, grid, txtText, row, col);
}

QLineEdit* MakeEditBox(QWidget* tab, QObject* window) {
    auto* box = FormControls::Make<QLineEdit>("txtText", tab);
    box->setAccessibleName("Edit entry field");
    box->setFocusPolicy(Qt::ClickFocus);
    box->hide();
    TextInput::InstallQuoteFilter(box);
    box->installEventFilter(window);
    return box;
}

void RenewEditBox(QLineEdit*& txtText, QObject* window) {
    QLineEdit* fresh = MakeEditBox(txtText->parentWidget(), window);
    fresh->setGeometry(txtText->geometry());
    delete txtText;
    txtText = fresh;
}

} // namespace GridEdit
