#pragma once

#include "tests/support/CoreSupport.h"

#include <functional>
#include <memory>

class QComboBox;
class QDialog;
class QListWidget;
class frmAccounts;
class frmKetterby;

// Answers the modal dialogs in the order they open; one with no step queued is closed
// unanswered and counted.
class DialogScript {
  public:
    DialogScript();
    ~DialogScript();
    template <class Form> void Then(std::function<void(Form&)> step) {
        steps.append([step](QDialog& dialog) { step(dynamic_cast<Form&>(dialog)); });
    }
    bool Finished() const { return steps.isEmpty() && unexpected == 0; }

  private:
    QList<std::function<void(QDialog&)>> steps;
    int unexpected = 0;
};

// A main window and a dialog script as well; at the end an unexpected dialog fails the test.
class Fixture : protected CoreFixture {
  protected:
    void Start();
    void Finish();
    // Logs the window in to the store, as the account dialog does.
    bool LogIn(const QString& path, const QString& key);

    std::unique_ptr<frmKetterby> window;
    std::unique_ptr<DialogScript> script;
};

// Fill a tab of the account dialog and press its button.
void FillLogin(frmAccounts& accounts, const QString& name, const QString& password,
               const QString& folder = {});
void FillNew(frmAccounts& accounts, const QString& name, const QString& password,
             const QString& confirmation, const QString& folder = {});
void FillEdit(frmAccounts& accounts, const QString& oldName, const QString& oldPassword,
              const QString& newName, const QString& newPassword, const QString& confirmation,
              const QString& folder = {});

// The grid's rows below the header, row number and four columns joined by '|'; blank rows
// are left out.
QStringList GridRows(const frmKetterby& window);
QStringList ListItems(const QListWidget* list);
QStringList ComboItems(const QComboBox* combo);
