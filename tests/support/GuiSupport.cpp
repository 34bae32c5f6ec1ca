// What the tests of the forms need: a main window, a dialog script, the account tabs filled.
#include "tests/support/GuiSupport.h"

#include "gui/Dialogs.h"
#include "gui/FlexGrid.h"
#include "gui/FormRoutines.h"
#include "gui/StoreSetup.h"
#include "gui/frmAccounts.h"
#include "gui/frmKetterby.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

DialogScript::DialogScript() {
    Dialogs::SetDriver([this](QDialog& dialog) {
        if (steps.isEmpty())
            ++unexpected;
        else
            steps.takeFirst()(dialog);
    });
}

DialogScript::~DialogScript() {
    Dialogs::SetDriver({});
}

void Fixture::Start() {
    CoreFixture::Start();
    window = std::make_unique<frmKetterby>();
    script = std::make_unique<DialogScript>();
}

void Fixture::Finish() {
    window.reset();
    const bool finished = script->Finished();
    script.reset();
    CoreFixture::Finish();
    QVERIFY2(finished, "a dialog was shown that the test did not expect");
}

bool Fixture::LogIn(const QString& path, const QString& key) {
    const bool opened = DBFunctions::SetupDatabase(*window, path, key);
    FormRoutines::EnableControls(*window, opened);
    return opened;
}

void FillLogin(frmAccounts& accounts, const QString& name, const QString& password,
               const QString& folder) {
    accounts.txtLoginUser->setText(name);
    accounts.txtLoginPassword->setText(password);
    accounts.txtLoginPath->setText(folder);
    accounts.cmdLogin->click();
}

void FillNew(frmAccounts& accounts, const QString& name, const QString& password,
             const QString& confirmation, const QString& folder) {
    accounts.SSTab1->setCurrentIndex(1);
    accounts.txtNewUser->setText(name);
    accounts.txtNewPassword1->setText(password);
    accounts.txtNewPassword2->setText(confirmation);
    accounts.txtNewPath->setText(folder);
    accounts.cmdCreate->click();
}

void FillEdit(frmAccounts& accounts, const QString& oldName, const QString& oldPassword,
              const QString& newName, const QString& newPassword, const QString& confirmation,
              const QString& folder) {
    accounts.SSTab1->setCurrentIndex(2);
    accounts.txtEditOldUser->setText(oldName);
    accounts.txtEditOldPass->setText(oldPassword);
    accounts.txtEditPath->setText(folder);
    accounts.txtEditNewUser->setText(newName);
    accounts.txtEditNewPass1->setText(newPassword);
    accounts.txtEditNewPass2->setText(confirmation);
    accounts.cmdUpdate->click();
}

QStringList GridRows(const frmKetterby& window) {
    const FlexGrid& grid = *window.msgMSFlexGrid;
    QStringList rows;
    for (int row = 1; row < grid.Rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < 5; ++col)
            cells.append(grid.TextMatrix(row, col));
        if (cells.join("").size() > 0)
            rows.append(cells.join('|'));
    }
    return rows;
}

QStringList ListItems(const QListWidget* list) {
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items.append(list->item(row)->text());
    return items;
}

QStringList ComboItems(const QComboBox* combo) {
    QStringList items;
    for (int index = 0; index < combo->count(); ++index)
        items.append(combo->itemText(index));
    return items;
}
