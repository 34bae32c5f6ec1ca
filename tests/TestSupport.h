#pragma once

#include "app/MessageBoxes.h"
#include "store/Engine.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QDialog;
class frmAccounts;
class frmKetterby;

// Records every message box and answers it from a script. Whatever a test does not take
// with Take() fails the test at its cleanup, so an unexpected box never goes unseen.
class MessageRecorder {
  public:
    MessageRecorder();
    ~MessageRecorder();

    void Answer(MessageBoxes::Answer answer) { answers.append(answer); }
    QList<MessageBoxes::Message> Take();
    // The one box shown since the last Take, checked in full.
    void ExpectOne(const QString& text, MessageBoxes::Icon icon,
                   MessageBoxes::Buttons buttons = MessageBoxes::Buttons::OK,
                   const QString& title = "Ketterby");
    void ExpectNone();
    bool Empty() const { return messages.isEmpty(); }

  private:
    QList<MessageBoxes::Message> messages;
    QList<MessageBoxes::Answer> answers;
};

// Answers the modal dialogs in the order they open; a dialog with no answer queued is
// closed with its close box and counted as unexpected.
class DialogScript {
  public:
    using Step = std::function<void(QDialog&)>;
    DialogScript();
    ~DialogScript();

    void Then(Step step) { steps.append(std::move(step)); }
    template <class Form> void ThenForm(std::function<void(Form&)> step) {
        Then([step = std::move(step)](QDialog& dialog) { step(dynamic_cast<Form&>(dialog)); });
    }
    int Unexpected() const { return unexpected; }
    bool Done() const { return steps.isEmpty(); }

  private:
    QList<Step> steps;
    int unexpected = 0;
};

// A private folder that serves as the program's own folder for the test.
class TestFolder {
  public:
    TestFolder();
    ~TestFolder();
    QString Path() const; // with a trailing separator
    QString File(const QString& name) const { return Path() + name; }
    QStringList Files() const;

  private:
    QTemporaryDir dir;
};

// The whole content of a file; empty when it cannot be read.
QByteArray Bytes(const QString& path);

// The store key of a password, derived once per program run.
QString KeyOf(const QString& password);

// Types into the box as a user would.
void Type(QWidget* box, const QString& text);

// Fills and presses the Login tab of the account dialog.
void FillLogin(frmAccounts& accounts, const QString& name, const QString& password,
               const QString& folder = {});
void FillNew(frmAccounts& accounts, const QString& name, const QString& password,
             const QString& confirmation, const QString& folder = {});
void FillEdit(frmAccounts& accounts, const QString& oldName, const QString& oldPassword,
              const QString& newName, const QString& newPassword, const QString& confirmation,
              const QString& folder = {});

// Opens Account Setup on the main window and runs one step inside the dialog.
void WithAccountSetup(frmKetterby& window, DialogScript& script,
                      std::function<void(frmAccounts&)> step);

// Makes a store file directly through the engine, each table with its rows of four texts.
struct TableContent {
    QString name;
    QList<QStringList> rows;
    QString createSql = {}; // empty: the program's own layout
};
void MakeStore(const QString& path, const QString& key, const QList<TableContent>& tables);

// The rows of a table in a store file, as Date|Description|User ID|Password lines.
QStringList ReadTable(const QString& path, const QString& key, const QString& table);
QStringList ReadTables(const QString& path, const QString& key);

// The texts of the grid's rows below the header, four columns joined by '|'.
QStringList GridRows(const frmKetterby& window);
QStringList ListItems(const class QListWidget* list);
QStringList ComboItems(const class QComboBox* combo);
