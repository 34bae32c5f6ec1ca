#include "tables/TableCatalogue.h"

#include "app/ErrorTrap.h"
#include "app/FormRoutines.h"
#include "app/MessageBoxes.h"
#include "app/frmKetterby.h"
#include "entries/FlexGrid.h"
#include "entries/PopulateFlexGrid.h"
#include "store/Engine.h"
#include "store/StoreState.h"

#include <QComboBox>
#include <QListWidget>

#include <algorithm>

namespace {

frmKetterby& MainWindow() {
    return *frmKetterby::Instance();
}

bool SameNameInAnyCase(const QString& left, const QString& right) {
    return left.toUpper() == right.toUpper();
}

bool NameInUse(const Engine::Connection& connection, const QString& name) {
    const QStringList tables = connection.UserTables();
    return std::any_of(tables.cbegin(), tables.cend(),
                       [&](const QString& table) { return SameNameInAnyCase(table, name); });
}

void RefillGrid() {
    FlexGrid& grid = *MainWindow().msgMSFlexGrid;
    Routines::PopulateFlexGrid(Store::CurrentTable, &grid, Store::StoreConnection.get(),
                               qint16(grid.Row()), qint16(grid.Col()));
}

// After the shown table has gone, "Default" becomes current and is shown.
void ShowDefaultIfCurrentWas(const QString& name) {
    if (Store::CurrentTable != name)
        return;
    Store::CurrentTable = Store::DefaultTable;
    MainWindow().cmbCurrentTable->setCurrentIndex(
        MainWindow().cmbCurrentTable->findText(Store::DefaultTable, Qt::MatchExactly));
    RefillGrid();
}

QString SelectedTableInList() {
    const QListWidgetItem* item = MainWindow().TablesList->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void ShowExclamation(const QString& text) {
    MessageBoxes::Show(text, MessageBoxes::Icon::Exclamation);
}

} // namespace

namespace Routines {

QStringList GetTablesADO(const Engine::Connection& connection) {
    QStringList names;
    Trap("GetTablesADO", [&] { names = connection.UserTables(); });
    return names;
}

void PopulateTablesList(const Engine::Connection& connection) {
    frmKetterby& window = MainWindow();
    for (const QString& name : GetTablesADO(connection)) {
        window.cmbCurrentTable->addItem(name);
        window.TablesList->addItem(name);
        FormRoutines::SetListExtent(name);
    }
    window.cmbCurrentTable->setCurrentIndex(0);
    DBFunctions::SelectTable();
    window.TablesList->setCurrentRow(0);
}

bool SetupDBTable(const Engine::Connection& connection, const QString& name) {
    return Trap("SetupDBTable", [&] {
        connection.Execute("CREATE TABLE " + Engine::QuoteName(name) +
                           " ([Date] TEXT, [Description] TEXT,[User ID] TEXT,[Password] TEXT, "
                           "[ID] INT NOT NULL PRIMARY KEY);");
    });
}

bool TableExists(const Engine::Connection& connection, const QString& name) {
    bool exists = false;
    Trap("TableExists", [&] { exists = NameInUse(connection, name); });
    return exists;
}

void SelectTableInList(const QString& name) {
    QListWidget& list = *MainWindow().TablesList;
    const QList<QListWidgetItem*> found = list.findItems(name, Qt::MatchExactly);
    if (!found.isEmpty())
        list.setCurrentItem(found.constFirst());
}

} // namespace Routines

namespace DBFunctions {

void SelectTable() {
    const QString name = MainWindow().cmbCurrentTable->currentText();
    if (name == Store::CurrentTable)
        return;
    Store::CurrentTable = name;
    RefillGrid();
}

void AddTable(const QString& name) {
    const Engine::Connection& store = Store::OpenStore();
    if (Routines::TableExists(store, name)) {
        ShowExclamation("There is already a table with the name " + name + ".");
    } else if (Routines::SetupDBTable(store, name)) {
        MainWindow().TablesList->addItem(name);
        MainWindow().cmbCurrentTable->addItem(name);
    }
    Routines::SelectTableInList(Store::DefaultTable);
}

void DeleteTable() {
    const QString name = SelectedTableInList();
    Trap("DeleteTable", [&] {
        if (name.isEmpty())
            return;
        if (name == Store::DefaultTable) {
            ShowExclamation("Table " + Store::DefaultTable + " cannot be deleted!");
            return;
        }
        if (!MessageBoxes::Confirm("Are you sure you wish to delete \"" + name + "\"?" +
                                   MessageBoxes::LineBreak +
                                   "All its data will be deleted permanently."))
            return;
        Store::OpenStore().Execute("DROP TABLE " + Engine::QuoteName(name) + ";");
        const int index = MainWindow().TablesList->currentRow();
        delete MainWindow().TablesList->takeItem(index);
        MainWindow().cmbCurrentTable->removeItem(index);
        ShowDefaultIfCurrentWas(name);
    });
    Routines::SelectTableInList(Store::DefaultTable);
}

void RenameTable(const QString& newName) {
    const QString oldName = SelectedTableInList();
    if (oldName.isEmpty())
        return;
    if (oldName == Store::DefaultTable) {
        ShowExclamation("Table " + Store::DefaultTable + " cannot be renamed!");
        return;
    }
    Trap("RenameTable", [&] {
        if (newName == oldName) {
            ShowExclamation("Both table names are identical!");
            return;
        }
        const Engine::Connection& store = Store::OpenStore();
        // The engine folds only ASCII letters; names must differ in every letter case.
        if (NameInUse(store, newName))
            throw Failure(Engine::GenericErrorCode,
                          "there is already another table or index with this name: " + newName);
        store.Execute("ALTER TABLE " + Engine::QuoteName(oldName) + " RENAME TO " +
                      Engine::QuoteName(newName) + ";");
        frmKetterby& window = MainWindow();
        const int index = window.TablesList->currentRow();
        delete window.TablesList->takeItem(index);
        window.TablesList->addItem(newName);
        window.cmbCurrentTable->removeItem(index);
        window.cmbCurrentTable->addItem(newName);
        ShowDefaultIfCurrentWas(oldName);
    });
    Routines::SelectTableInList(Store::DefaultTable);
}

qint16 CountRecords() {
    qint16 count = 0;
    Trap("CountRecords", [&] {
        count = qint16(Store::OpenStore().QueryInteger(
            "SELECT COUNT(*) FROM " + Engine::QuoteName(Store::CurrentTable) + ";"));
    });
    return count;
}

} // namespace DBFunctions
