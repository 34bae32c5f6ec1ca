#pragma once
// What every test needs without a window: Qt Core and Test, a message recorder, a folder,
// stores made and read.
#include "core/Engine.h"
#include "core/Environment.h"
#include "core/ErrorTrap.h"
#include "core/MessageBoxes.h"
#include "core/StoreKey.h"
#include "core/TableCatalogue.h"

#include <QtCore>
#include <QtTest>

#include <cstring>
#include <map>
#include <memory>

// Records every message and answers it from a script (OK, else No).
class MessageRecorder {
  public:
    MessageRecorder() {
        MessageBoxes::SetResponder([this](const MessageBoxes::Message& message) {
            messages.append(message);
            if (!answers.isEmpty())
                return answers.takeFirst();
            return message.buttons == MessageBoxes::Buttons::OK ? MessageBoxes::Answer::OK
                                                                : MessageBoxes::Answer::No;
        });
    }
    ~MessageRecorder() { MessageBoxes::SetResponder({}); }
    void Answer(MessageBoxes::Answer answer) { answers.append(answer); }
    QList<MessageBoxes::Message> Take() { return std::exchange(messages, {}); }
    bool Empty() const { return messages.isEmpty(); }
    // The one message shown since the last Take, checked in full.
    void ExpectOne(const QString& text, MessageBoxes::Icon icon,
                   MessageBoxes::Buttons buttons = MessageBoxes::Buttons::OK,
                   const QString& title = "Ketterby") {
        const QList<MessageBoxes::Message> shown = Take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, text);
        QCOMPARE(shown[0].icon, icon);
        QCOMPARE(shown[0].buttons, buttons);
        QCOMPARE(shown[0].title, title);
    }

  private:
    QList<MessageBoxes::Message> messages;
    QList<MessageBoxes::Answer> answers;
};

// A private folder that serves as the user's data folder, where stores go by default.
class TestFolder {
  public:
    TestFolder() { Environment::SetDataFolder(Path()); }
    ~TestFolder() { Environment::SetDataFolder(std::nullopt); }
    QString Path() const { return dir.path() + "/"; }
    QString File(const QString& name) const { return Path() + name; }
    QStringList Files() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

  private:
    QTemporaryDir dir;
};

// A message recorder and a folder for each test; at the end an unexpected message fails it.
class CoreFixture {
  protected:
    void Start() {
        messages = std::make_unique<MessageRecorder>();
        folder = std::make_unique<TestFolder>();
    }
    void Finish() {
        const bool quiet = messages->Empty();
        messages.reset();
        folder.reset();
        QVERIFY2(quiet, "a message was shown that the test did not expect");
    }

    std::unique_ptr<MessageRecorder> messages;
    std::unique_ptr<TestFolder> folder;
};

inline QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file and folder under a folder, each file with a hash of its bytes, sorted: two equal
// snapshots mean nothing there changed.
inline QStringList Snapshot(const QString& folder) {
    QStringList entries;
    for (QDirIterator entry(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                            QDirIterator::Subdirectories);
         entry.hasNext();)
        entries << entry.next() + ":" + QString::number(qHash(Bytes(entry.filePath())));
    entries.sort();
    return entries;
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// "NUMBER CR LF the system's text" of an error number, as the error trap shows it.
inline QString SystemError(int number) {
    return QString::number(number) + "\r\n" + QString::fromLocal8Bit(std::strerror(number));
}

// The store key of a password, derived once per program run.
inline StoreKey KeyOf(const QString& password) {
    static std::map<QString, StoreKey> keys;
    if (!keys.contains(password))
        keys.emplace(password, StoreKey::DeriveStoreKey(password));
    return keys.at(password);
}

// A store file made directly through the engine; tables have the program's layout unless
// createSql says otherwise.
struct TableContent {
    QString name;
    QList<QStringList> rows;
    QString createSql = {};
};

inline void MakeStore(const QString& path, const StoreKey& key, const QList<TableContent>& tables) {
    const Engine::Connection store(path, key, Engine::Connection::Mode::CreateNew);
    for (const TableContent& table : tables) {
        store.Execute(table.createSql.isEmpty()
                          ? "CREATE TABLE " + Engine::QuoteName(table.name) +
                                " ([Date] TEXT, [Description] TEXT,[User ID] TEXT,"
                                "[Password] TEXT, [ID] INT NOT NULL PRIMARY KEY);"
                          : table.createSql);
        for (int id = 1; id <= table.rows.size(); ++id)
            store.Execute("INSERT INTO " + Engine::QuoteName(table.name) + " VALUES (?, ?, ?, ?, " +
                              QString::number(id) + ");",
                          table.rows[id - 1]);
    }
}

// Entries "marker 1" to "marker N" with dates, user IDs and passwords.
inline QList<QStringList> Entries(int count, const QString& marker = "entry") {
    QList<QStringList> rows;
    for (int i = 1; i <= count; ++i)
        rows.append(
            {"1/2/26", marker + " " + QString::number(i), "user", "pw" + QString::number(i)});
    return rows;
}

// A table's rows as Date|Description|User ID|Password lines, a null as "<null>"; with no table
// named, the store's table names. A store that cannot be read fails the test that called this,
// not the whole test program.
inline QStringList ReadTable(const QString& path, const StoreKey& key, const QString& table = {}) {
    try {
        const Engine::Connection store(path, key);
        if (table.isEmpty())
            return store.UserTables();
        QStringList rows;
        for (const auto& row : Catalogue::ReadRows(store, table).values)
            rows.append(QStringList{row[0].value_or("<null>"), row[1].value_or("<null>"),
                                    row[2].value_or("<null>"), row[3].value_or("<null>")}
                            .join('|'));
        return rows;
    } catch (const Failure& failure) {
        QTest::qFail(qPrintable("store not readable: " + failure.description), __FILE__, __LINE__);
        return {};
    }
}
