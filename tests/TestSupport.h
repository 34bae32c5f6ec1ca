#pragma once

#include "app/MessageBoxes.h"
#include "store/Engine.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QComboBox;
class QDialog;
class QListWidget;
class frmAccounts;
class frmKetterby;

// Records every message box and answers it from a script (OK, else No).
class MessageRecorder {
  public:
    MessageRecorder();
    ~MessageRecorder();
    void Answer(MessageBoxes::Answer answer) { answers.append(answer); }
    QList<MessageBoxes::Message> Take() { return std::exchange(messages, {}); }
    // The one box shown since the last Take, checked in full.
    void ExpectOne(const QString& text, MessageBoxes::Icon icon,
                   MessageBoxes::Buttons buttons = MessageBoxes::Buttons::OK,
                   const QString& title = "Ketterby");
    bool Empty() const { return messages.isEmpty(); }

  private:
    QList<MessageBoxes::Message> messages;
    QList<MessageBoxes::Answer> answers;
};

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

// A private folder that serves as the program's own folder.
class TestFolder {
  public:
    TestFolder();
    ~TestFolder();
    QString Path() const { return dir.path() + "/"; }
    QString File(const QString& name) const { return Path() + name; }
    QStringList Files() const;

  private:
    QTemporaryDir dir;
};

// A main window, a message recorder, a dialog script and a folder for each test; at the end
// an unexpected message box or dialog fails the test.
class Fixture {
  protected:
    void Start();
    void Finish();

    std::unique_ptr<frmKetterby> window;
    std::unique_ptr<MessageRecorder> messages;
    std::unique_ptr<DialogScript> script;
    std::unique_ptr<TestFolder> folder;
};

QByteArray Bytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

// The store key of a password, derived once per program run.
QString KeyOf(const QString& password);

// Fill a tab of the account dialog and press its button.
void FillLogin(frmAccounts& accounts, const QString& name, const QString& password,
               const QString& folder = {});
void FillNew(frmAccounts& accounts, const QString& name, const QString& password,
             const QString& confirmation, const QString& folder = {});
void FillEdit(frmAccounts& accounts, const QString& oldName, const QString& oldPassword,
              const QString& newName, const QString& newPassword, const QString& confirmation,
              const QString& folder = {});

// A store file made directly through the engine; tables have the program's layout unless
// createSql says otherwise.
struct TableContent {
    QString name;
    QList<QStringList> rows;
    QString createSql = {};
};
void MakeStore(const QString& path, const QString& key, const QList<TableContent>& tables);
// Entries "marker 1" to "marker N" with dates, user IDs and passwords.
QList<QStringList> Entries(int count, const QString& marker = "entry");

// A table's rows as Date|Description|User ID|Password lines, and a store's table names.
QStringList ReadTable(const QString& path, const QString& key, const QString& table);
QStringList ReadTables(const QString& path, const QString& key);

// The grid's rows below the header, row number and four columns joined by '|'.
QStringList GridRows(const frmKetterby& window);
QStringList ListItems(const QListWidget* list);
QStringList ComboItems(const QComboBox* combo);
