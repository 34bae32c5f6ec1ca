#pragma once

#include "core/MessageBoxes.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Records every message and answers it from a script (OK, else No). At the end of a test an
// unexpected message fails it.
class MessageRecorder {
  public:
    MessageRecorder();
    ~MessageRecorder();
    void Answer(MessageBoxes::Answer answer) { answers.append(answer); }
    QList<MessageBoxes::Message> Take() { return std::exchange(messages, {}); }
    // The one message shown since the last Take, checked in full.
    void ExpectOne(const QString& text, MessageBoxes::Icon icon,
                   MessageBoxes::Buttons buttons = MessageBoxes::Buttons::OK,
                   const QString& title = "Ketterby");
    bool Empty() const { return messages.isEmpty(); }

  private:
    QList<MessageBoxes::Message> messages;
    QList<MessageBoxes::Answer> answers;
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

// A message recorder and a folder for each test; at the end an unexpected message fails it.
class CoreFixture {
  protected:
    void Start();
    void Finish();

    std::unique_ptr<MessageRecorder> messages;
    std::unique_ptr<TestFolder> folder;
};

QByteArray Bytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);
// "NUMBER CR LF the system's text" of an error number, as the error trap shows it.
QString SystemError(int number);

// The store key of a password, derived once per program run.
QString KeyOf(const QString& password);

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

// A table's rows as Date|Description|User ID|Password lines, and a store's table names. A store
// that cannot be read fails the running test and gives nothing.
QStringList ReadTable(const QString& path, const QString& key, const QString& table);
QStringList ReadTables(const QString& path, const QString& key);
