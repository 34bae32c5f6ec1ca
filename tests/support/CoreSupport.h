#pragma once
// What every test needs without a window: Qt Core and Test, a folder, stores made and read.
#include "core/Engine.h"
#include "core/Environment.h"
#include "core/Outcome.h"
#include "core/StoreKey.h"
#include "core/TableCatalogue.h"

#include <QtCore>
#include <QtTest>

#include <cstring>
#include <map>
#include <memory>

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

// A folder for each test.
class CoreFixture {
  protected:
    void Start() { folder = std::make_unique<TestFolder>(); }
    void Finish() { folder.reset(); }

    std::unique_ptr<TestFolder> folder;
};

// The texts an outcome tells, in order.
inline QStringList Texts(const Outcome& outcome) {
    QStringList texts;
    for (const Notice& notice : outcome.Notices())
        texts.append(notice.text);
    return texts;
}

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
         entry.hasNext();) {
        const QString path = entry.next();
        entries << path + ":" + QString::number(qHash(Bytes(path)));
    }
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
inline QList<QStringList> SampleEntries(int count, const QString& marker = "entry") {
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
        const auto read = store.Prepare(
            "SELECT ifnull([Date], '<null>') || '|' || ifnull([Description], '<null>') || '|' || "
            "ifnull([User ID], '<null>') || '|' || ifnull([Password], '<null>') FROM " +
            Engine::QuoteName(table) + " ORDER BY [ID];");
        while (read->Step())
            rows.append(read->Text(0));
        return rows;
    } catch (const Failure& failure) {
        QTest::qFail(qPrintable("store not readable: " + failure.description), __FILE__, __LINE__);
        return {};
    }
}
