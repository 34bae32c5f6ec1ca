#include "tests/TestSupport.h"

#include "app/Dialogs.h"
#include "app/Environment.h"
#include "app/frmKetterby.h"
#include "entries/FlexGrid.h"
#include "store/StoreFiles.h"
#include "store/StoreKey.h"
#include "store/frmAccounts.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

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

TestFolder::TestFolder() {
    Environment::SetApplicationFolder(Path());
}
TestFolder::~TestFolder() {
    Environment::SetApplicationFolder(std::nullopt);
}
QStringList TestFolder::Files() const {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void Fixture::Start() {
    window = std::make_unique<frmKetterby>();
    messages = std::make_unique<MessageRecorder>();
    script = std::make_unique<DialogScript>();
    folder = std::make_unique<TestFolder>();
}

void Fixture::Finish() {
    DBFunctions::CloseDatabase();
    const bool quiet = messages->Empty() && script->Finished();
    script.reset();
    messages.reset();
    window.reset();
    folder.reset();
    QVERIFY2(quiet, "a message box or dialog was shown that the test did not expect");
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

QString KeyOf(const QString& password) {
    static QHash<QString, QString> keys;
    if (!keys.contains(password))
        keys.insert(password, StoreKey::DeriveStoreKey(password));
    return keys.value(password);
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

QStringList ReadTable(const QString& path, const QString& key, const QString& table) {
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
}

QStringList ReadTables(const QString& path, const QString& key) {
    return Engine::Connection(path, key).UserTables();
}

QStringList GridRows(const frmKetterby& window) {
    const FlexGrid& grid = *window.msgMSFlexGrid;
    QStringList rows;
    for (int row = 1; row < grid.Rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < 5; ++col)
            cells.append(grid.TextMatrix(row, col));
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
