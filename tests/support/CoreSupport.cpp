// What every test needs without a window: a message recorder, a folder, stores made and read.
#include "tests/support/CoreSupport.h"

#include "core/Engine.h"
#include "core/Environment.h"
#include "core/ErrorTrap.h"
#include "core/StoreKey.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTest>

#include <cstring>

MessageRecorder::MessageRecorder() {
    MessageBoxes::SetResponder([this](const MessageBoxes::Message& message) {
        messages.append(message);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return message.buttons == MessageBoxes::Buttons::OK ? MessageBoxes::Answer::OK
                                                            : MessageBoxes::Answer::No;
    });
}

MessageRecorder::~MessageRecorder() {
    MessageBoxes::SetResponder({});
}

void MessageRecorder::ExpectOne(const QString& text, MessageBoxes::Icon icon,
                                MessageBoxes::Buttons buttons, const QString& title) {
    const QList<MessageBoxes::Message> shown = Take();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, text);
    QCOMPARE(shown[0].icon, icon);
    QCOMPARE(shown[0].buttons, buttons);
    QCOMPARE(shown[0].title, title);
}

TestFolder::TestFolder() {
    Environment::SetApplicationFolder(Path());
}
TestFolder::~TestFolder() {
    Environment::SetApplicationFolder(std::nullopt);
}
QStringList TestFolder::Files() const {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void CoreFixture::Start() {
    messages = std::make_unique<MessageRecorder>();
    folder = std::make_unique<TestFolder>();
}

void CoreFixture::Finish() {
    const bool quiet = messages->Empty();
    messages.reset();
    folder.reset();
    QVERIFY2(quiet, "a message was shown that the test did not expect");
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QString SystemError(int number) {
    return QString::number(number) + "\r\n" + QString::fromLocal8Bit(std::strerror(number));
}

QString KeyOf(const QString& password) {
    static QHash<QString, QString> keys;
    if (!keys.contains(password))
        keys.insert(password, StoreKey::DeriveStoreKey(password));
    return keys.value(password);
}

void MakeStore(const QString& path, const QString& key, const QList<TableContent>& tables) {
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

QList<QStringList> Entries(int count, const QString& marker) {
    QList<QStringList> rows;
    for (int i = 1; i <= count; ++i)
        rows.append(
            {"1/2/26", marker + " " + QString::number(i), "user", "pw" + QString::number(i)});
    return rows;
}

namespace {

// A failure inside a helper fails the test that called it, not the whole test program.
template <class Read> QStringList Reading(Read read) {
    try {
        return read();
    } catch (const Failure& failure) {
        QTest::qFail(qPrintable("store not readable: " + failure.description), __FILE__, __LINE__);
        return {};
    }
}

} // namespace

QStringList ReadTable(const QString& path, const QString& key, const QString& table) {
    return Reading([&] {
        const Engine::Connection store(path, key);
        const auto statement =
            store.Prepare("SELECT * FROM " + Engine::QuoteName(table) + " ORDER BY [ID];");
        QStringList rows;
        while (statement->Step()) {
            QStringList cells;
            for (int column = 0; column < 4; ++column)
                cells.append(statement->IsNull(column) ? "<null>" : statement->Text(column));
            rows.append(cells.join('|'));
        }
        return rows;
    });
}

QStringList ReadTables(const QString& path, const QString& key) {
    return Reading([&] { return Engine::Connection(path, key).UserTables(); });
}
