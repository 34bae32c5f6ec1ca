#pragma once
// What the tests of the forms need: the forms, a main window, a dialog script, readers.
#include "core/StoreFiles.h"
#include "gui/Dialogs.h"
#include "gui/FlexGrid.h"
#include "gui/FormRoutines.h"
#include "gui/frmAbout.h"
#include "gui/frmAccounts.h"
#include "gui/frmInputForm.h"
#include "gui/frmKetterby.h"
#include "gui/frmNewEntry.h"
#include "tests/support/CoreSupport.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

// Answers the modal dialogs in the order they open; one with no step queued is closed
// unanswered and counted, and so is a folder picker that the test did not set up.
class DialogScript {
  public:
    DialogScript() {
        Dialogs::SetDriver([this](QDialog& dialog) {
            steps.isEmpty() ? void(++unexpected) : steps.takeFirst()(dialog);
        });
        Dialogs::SetFolderPicker([this](const Dialogs::FolderRequest&) {
            ++unexpected;
            return std::nullopt;
        });
    }
    ~DialogScript() {
        Dialogs::SetDriver({});
        Dialogs::SetFolderPicker({});
    }
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
    void Start() {
        CoreFixture::Start();
        window = std::make_unique<frmKetterby>();
        script = std::make_unique<DialogScript>();
    }
    void Finish() {
        window.reset();
        const bool finished = script->Finished();
        script.reset();
        CoreFixture::Finish();
        QVERIFY2(finished, "a dialog was shown that the test did not expect");
    }
    // Logs the window in to the store, as the account dialog does.
    void LogIn(const QString& path, const StoreKey& key) {
        std::unique_ptr<Session> session = DBFunctions::OpenSession(path, key);
        QVERIFY(session);
        window->ShowStore(std::move(session));
    }
    // A control or menu item of the main window, by its name.
    template <class Control = QWidget> Control* Named(const char* name) const {
        return window->findChild<Control*>(name);
    }

    std::unique_ptr<frmKetterby> window;
    std::unique_ptr<DialogScript> script;
};

// The grid's non-blank rows from the first given, their five columns joined by '|'.
inline QStringList GridRows(const frmKetterby& window, int first = 1) {
    const FlexGrid& grid = *window.findChild<FlexGrid*>("msgMSFlexGrid");
    QStringList rows;
    for (int row = first; row < grid.Rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < 5; ++col)
            cells.append(grid.TextMatrix(row, col));
        if (cells.join("").size() > 0)
            rows.append(cells.join('|'));
    }
    return rows;
}

// The texts of a list or a combo box, in order.
inline QStringList Items(const QAbstractItemModel* list) {
    QStringList items;
    for (int row = 0; row < list->rowCount(); ++row)
        items.append(list->index(row, 0).data().toString());
    return items;
}
