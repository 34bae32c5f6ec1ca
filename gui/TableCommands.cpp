// The main window's table commands: the selectors and the frame "Tables".
#include "app/FormRoutines.h"
#include "app/frmKetterby.h"
#include "tables/TableCatalogue.h"
#include "tables/frmInputForm.h"

void frmKetterby::cmbCurrentTable_Click() {
    DBFunctions::SelectTable();
}

void frmKetterby::cmdAdd_Click() {
    const QString name = AskForInput(this, "Enter name of table:");
    FormRoutines::SetListExtent(name);
    if (!name.isEmpty())
        DBFunctions::AddTable(name);
}

void frmKetterby::cmdRemove_Click() {
    DBFunctions::DeleteTable();
}

void frmKetterby::cmdRename_Click() {
    const QString name = AskForInput(this, "Enter new name:");
    FormRoutines::SetListExtent(name);
    if (!name.isEmpty())
        DBFunctions::RenameTable(name);
}
