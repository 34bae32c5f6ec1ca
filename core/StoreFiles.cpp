#include "store/StoreFiles.h"

#include "app/Environment.h"
#include "app/ErrorTrap.h"
#include "app/FormRoutines.h"
#include "app/MessageBoxes.h"
#include "app/frmKetterby.h"
#include "entries/FlexGrid.h"
#include "entries/PopulateFlexGrid.h"
#include "store/FileOperations.h"
#include "store/StoreState.h"
#include "tables/TableCatalogue.h"

#include <QComboBox>
#include <QListWidget>

namespace Routines {
namespace {

const QString JournalSuffix = QStringLiteral("-journal");

void DeleteCompactionLeftovers(const QString& temporary) {
    FileOperations::DeleteIfPresent(temporary);
    FileOperations::DeleteIfPresent(temporary + JournalSuffix);
}

} // namespace

bool CreateDatabase(const QString& path, const QString& key) {
    return Trap("CreateDatabase", [&] {
        FileOperations::CreatePrivateFile(path);
        try {
            const Engine::Connection store(path, key);
            // Writes the first page, so the new file is an encrypted store from the start.
            store.Execute("PRAGMA user_version = 0;");
        } catch (const Failure&) {
            FileOperations::DeleteIfPresent(path);
            throw;
        }
    });
}

QString CompactionPath(const QString& storePath) {
    return storePath + ".compacting";
}

bool CompactDatabase(const QString& source, const QString& temporary, const QString& oldKey,
                     const QString& newKey) {
    return Trap("CompactDatabase", [&] {
        DeleteCompactionLeftovers(temporary);
        try {
            {
                const Engine::Connection store(source, oldKey);
                FileOperations::CreatePrivateFile(temporary);
                store.Execute("ATTACH DATABASE ? AS compacted KEY ?;", {temporary, newKey});
                store.Execute("SELECT sqlcipher_export('compacted');");
                store.Execute("DETACH DATABASE compacted;");
            }
            FileOperations::ReplaceFile(temporary, source);
        } catch (const Failure&) {
            DeleteCompactionLeftovers(temporary);
            throw;
        }
    });
}

} // namespace Routines

namespace DBFunctions {
namespace {

frmKetterby& MainWindow() {
    return *frmKetterby::Instance();
}

void OpenStoreConnection(const QString& path, const QString& key) {
    Store::StoreConnection = std::make_unique<Engine::Connection>(path, key);
}

// A backup older than yesterday is replaced by a copy of the freshly compacted store.
void RefreshBackup(const QString& path, const QString& backupPath) {
    if (!FileOperations::FileExists(backupPath)) {
        FileOperations::CopyFile(path, backupPath);
    } else if (FileOperations::LastModifiedDate(backupPath).daysTo(Environment::Today()) > 1) {
        FileOperations::DeleteFile(backupPath);
        FileOperations::CopyFile(path, backupPath);
    }
}

bool SetupNewStore(const QString& path, const QString& key) {
    if (!Routines::CreateDatabase(path, key))
        return false;
    const auto discardStore = [&] {
        Store::StoreConnection.reset();
        Trap("SetupDatabase", [&] { FileOperations::DeleteIfPresent(path); });
    };
    if (!Routines::CompactDatabase(path, Routines::CompactionPath(path), key, key)) {
        discardStore();
        return false;
    }
    Store::CurrentTable = Store::DefaultTable;
    OpenStoreConnection(path, key);
    if (!Routines::SetupDBTable(*Store::StoreConnection, Store::CurrentTable)) {
        discardStore();
        return false;
    }
    frmKetterby& window = MainWindow();
    window.cmbCurrentTable->addItem(Store::DefaultTable);
    window.cmbCurrentTable->setCurrentIndex(0);
    window.TablesList->addItem(Store::DefaultTable);
    window.TablesList->setCurrentRow(0);
    return true;
}

bool SetupExistingStore(const QString& path, const QString& key) {
    const QString backupPath = path.left(path.size() - 4) + ".bak";
    if (!Routines::CompactDatabase(path, Routines::CompactionPath(path), key, key))
        return false;
    RefreshBackup(path, backupPath);
    OpenStoreConnection(path, key);
    if (!ValidateDatabase())
        return false;
    Routines::PopulateTablesList(*Store::StoreConnection);
    Store::CurrentTable = Store::DefaultTable;
    frmKetterby& window = MainWindow();
    window.cmbCurrentTable->setCurrentText(Store::DefaultTable);
    Routines::SelectTableInList(Store::DefaultTable);
    return true;
}

} // namespace

bool SetupDatabase(const QString& path, const QString& key) {
    bool shown = false;
    Trap("SetupDatabase", [&] {
        if (!(FileOperations::FileExists(path) ? SetupExistingStore(path, key)
                                               : SetupNewStore(path, key)))
            return;
        FlexGrid& grid = *MainWindow().msgMSFlexGrid;
        grid.SetRow(0);
        grid.SetCol(0);
        Routines::PopulateFlexGrid(Store::CurrentTable, &grid, Store::StoreConnection.get(), 0, 0);
        shown = true;
    });
    return shown;
}

void UpdateDatabase(const QString& oldBasePath, const QString& oldKey, const QString& newBasePath,
                    const QString& newKey) {
    CloseDatabase();
    FormRoutines::EnableControls(false);
    Trap("UpdateDatabase", [&] {
        const QString oldPath = oldBasePath + ".mdb";
        if (!Routines::CompactDatabase(oldPath, Routines::CompactionPath(oldPath), oldKey,
                                       newKey)) {
            MessageBoxes::Show("Unable to change password!", MessageBoxes::Icon::Critical);
            return;
        }
        if (newBasePath != oldBasePath) {
            FileOperations::CopyFile(oldPath, newBasePath + ".mdb");
            FileOperations::DeleteFile(oldPath);
        }
    });
}

bool ValidateDatabase() {
    static const QStringList layout = {"Date", "Description", "User ID", "Password", "ID"};
    bool valid = false;
    Trap("ValidateDatabase", [&] {
        const Engine::Connection& store = Store::OpenStore();
        bool found = false;
        for (const QString& name : store.UserTables()) {
            if (name == Store::DefaultTable)
                found = true;
            const auto statement = store.Prepare("SELECT * FROM " + Engine::QuoteName(name) + ";");
            QStringList columns;
            for (int column = 0; column < statement->ColumnCount(); ++column)
                columns.append(statement->ColumnName(column));
            if (columns != layout)
                return;
        }
        valid = found;
    });
    return valid;
}

void CloseDatabase() {
    if (!Store::StoreConnection)
        return;
    Store::StoreConnection.reset();
    Store::CurrentTable = Store::DefaultTable;
    if (frmKetterby* window = frmKetterby::Instance()) {
        window->TablesList->clear();
        window->cmbCurrentTable->clear();
    }
}

} // namespace DBFunctions
