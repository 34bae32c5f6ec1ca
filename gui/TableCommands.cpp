// The table commands: they change the store's tables and keep both selectors in step.
#include "gui/TableCommands.h"

#include "core/ErrorTrap.h"
#include "core/MessageBoxes.h"
#include "core/TableCatalogue.h"
#include "gui/FormRoutines.h"
#include "gui/PopulateFlexGrid.h"
#include "gui/StoreView.h"

#include <QComboBox>
#include <QListWidget>

namespace {

// After the shown table has gone, "Default" becomes current and is shown.
void ShowDefaultIfCurrentWas(StoreView& view, const QString& name) {
    if (view.session->CurrentTable != name)
        return;
    view.session->CurrentTable = DefaultTable;
    view.cmbCurrentTable->setCurrentIndex(
        view.cmbCurrentTable->findText(DefaultTable, Qt::MatchExactly));
    Routines::RefillGrid(view);
}

void ShowExclamation(const QString& text) {
    MessageBoxes::Show(text, MessageBoxes::Icon::Exclamation);
}

} // namespace

namespace Routines {

void PopulateTablesList(StoreView& view) {
    for (const QString& name : GetTablesADO(view.session->Connection())) {
        view.cmbCurrentTable->addItem(name);
        view.TablesList->addItem(name);
        FormRoutines::SetListExtent(*view.TablesList, name);
    }
    // The first table is not shown here: the log-in shows "Default" straight after, so the
    // grid is filled once.
    view.cmbCurrentTable->setCurrentIndex(0);
    view.TablesList->setCurrentRow(0);
}

void SelectTableInList(QListWidget& list, const QString& name) {
    const QList<QListWidgetItem*> found = list.findItems(name, Qt::MatchExactly);
    if (!found.isEmpty())
        list.setCurrentItem(found.constFirst());
}

} // namespace Routines

namespace DBFunctions {

void SelectTable(StoreView& view) {
    if (!view.session)
        return;
    const QString name = view.cmbCurrentTable->currentText();
    if (name == view.session->CurrentTable)
        return;
    view.session->CurrentTable = name;
    Routines::RefillGrid(view);
}

void AddTable(StoreView& view, const QString& name) {
    if (!view.session)
        return;
    const Engine::Connection& store = view.session->Connection();
    if (Routines::TableExists(store, name)) {
        ShowExclamation("There is already a table with the name " + name + ".");
    } else if (Routines::SetupDBTable(store, name)) {
        view.TablesList->addItem(name);
        view.cmbCurrentTable->addItem(name);
    }
    Routines::SelectTableInList(*view.TablesList, DefaultTable);
}

void DeleteTable(StoreView& view) {
    const QString name = FormRoutines::SelectedItemText(*view.TablesList);
    if (!view.session || name.isEmpty())
        return;
    Trap("DeleteTable", [&] {
        if (name == DefaultTable) {
            ShowExclamation("Table " + DefaultTable + " cannot be deleted!");
            return;
        }
        if (!MessageBoxes::Confirm("Are you sure you wish to delete \"" + name + "\"?" +
                                   MessageBoxes::LineBreak +
                                   "All its data will be deleted permanently."))
            return;
        Catalogue::DropTable(view.session->Connection(), name);
        const int index = view.TablesList->currentRow();
        delete view.TablesList->takeItem(index);
        view.cmbCurrentTable->removeItem(index);
        ShowDefaultIfCurrentWas(view, name);
    });
    Routines::SelectTableInList(*view.TablesList, DefaultTable);
}

void RenameTable(StoreView& view, const QString& newName) {
    const QString oldName = FormRoutines::SelectedItemText(*view.TablesList);
    if (!view.session || oldName.isEmpty())
        return;
    if (oldName == DefaultTable) {
        ShowExclamation("Table " + DefaultTable + " cannot be renamed!");
        return;
    }
    Trap("RenameTable", [&] {
        if (newName == oldName) {
            ShowExclamation("Both table names are identical!");
            return;
        }
        Catalogue::RenameTable(view.session->Connection(), oldName, newName);
        const int index = view.TablesList->currentRow();
        delete view.TablesList->takeItem(index);
        view.TablesList->addItem(newName);
        view.cmbCurrentTable->removeItem(index);
        view.cmbCurrentTable->addItem(newName);
        ShowDefaultIfCurrentWas(view, oldName);
    });
    Routines::SelectTableInList(*view.TablesList, DefaultTable);
}

} // namespace DBFunctions
